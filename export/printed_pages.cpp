#include "export/printed_pages.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace tavro {

namespace {

constexpr double kShortSide = 595.28, kLongSide = 841.89;  // A4 in points
constexpr double kPointsPerInch = 72;
// The part of a page's height that the planned rows fill, against rounding in the programs that
// lay the sheet out.
constexpr double kHeightSafety = 0.98;
// Smallest printed size of body text, in points.
constexpr double kReadablePoints = 5;

// Printed width in points of a column width in characters. The file stores about 0.72 more than
// the width set; one unit is 7 pixels (plus 5 of padding, 96 pixels an inch) with the workbook's
// default font, but up to 9 pixels in programs that replace that font. The wider measure keeps the
// table on the page in both.
double columnPoints(double width) {
  return ((width + 0.72) * 9 + 5) * 72 / 96;
}

double rowsHeight(const Sheet& sh, int first, int last) {
  double height = 0;
  for (int row = first; row <= last; ++row) height += sh.rowHeight(row);
  return height;
}

// Rows placed on a page as a whole.
struct Unit {
  int first, last;
  double height;
};

// How the rows print in one orientation.
struct Pages {
  bool landscape = false;
  int scale = 100;
  int count = 1;                  // pages down
  double widthShare = 0;          // printed width of the table over the page width (above 1: too wide)
  std::vector<int> breaks;        // the last row of every page but the last
  std::vector<int> columnBreaks;  // the last column of every page across but the last
  int total() const { return count * static_cast<int>(columnBreaks.size() + 1); }
};

double columnsWidth(const Sheet& sh, int first, int last) {
  double width = 0;
  for (int col = first; col <= last; ++col) width += columnPoints(sh.columnWidth(col));
  return width;
}

double tableWidth(const Sheet& sh, int lastColumn) {
  return columnsWidth(sh, 1, lastColumn);
}

// The pages across of a table wider than `room` points: each page takes whole blocks of columns
// (from one cut to the next) as long as they fit, after the repeated columns on every page but
// the first.
std::vector<int> columnBreaks(const Sheet& sh, const PrintPlan& plan, double room) {
  std::vector<int> breaks;
  if (tableWidth(sh, plan.lastColumn) <= room) return breaks;
  const auto [first, last] = plan.repeatColumns;
  const double repeat = first > 0 ? columnsWidth(sh, first, last) : 0;
  std::vector<int> cuts = plan.columnCuts;
  cuts.push_back(plan.lastColumn);
  double used = 0;
  bool empty = true;
  int from = 1;
  for (int cut : cuts) {
    if (cut < from || cut > plan.lastColumn) continue;
    const double width = columnsWidth(sh, from, cut);
    if (!empty && used + width > room) {
      breaks.push_back(from - 1);
      used = repeat;
    }
    used += width;
    empty = false;
    from = cut + 1;
  }
  return breaks;
}

// The pieces of a band too tall for a page: it breaks after its breakable rows.
void bandPieces(const Sheet& sh, const PrintBand& band, std::vector<Unit>& list) {
  int from = band.first;
  for (int cut : band.breakable) {
    if (cut < from || cut >= band.last) continue;
    list.push_back({from, cut, rowsHeight(sh, from, cut)});
    from = cut + 1;
  }
  list.push_back({from, band.last, rowsHeight(sh, from, band.last)});
}

// What is placed on the pages in row order: whole bands (or the pieces of a band taller than a
// page of `room` points) and the rows outside bands one by one.
std::vector<Unit> placedUnits(const Sheet& sh, const PrintPlan& plan, double room) {
  std::vector<Unit> list;
  int row = 1;
  const auto singleRowsTo = [&](int last) {
    for (; row <= last; ++row) list.push_back({row, row, sh.rowHeight(row)});
  };
  for (const PrintBand& band : plan.bands) {
    singleRowsTo(band.first - 1);
    const double height = rowsHeight(sh, band.first, band.last);
    if (height <= room || band.breakable.empty()) {
      list.push_back({band.first, band.last, height});
    } else {
      bandPieces(sh, band, list);
    }
    row = band.last + 1;
  }
  singleRowsTo(plan.lastRow);
  return list;
}

// Fills pages of `first` points (the first page) and `later` points (the others) with the units
// in order; a unit that does not fit the rest of a page starts the next one.
void paginate(const std::vector<Unit>& list, double first, double later, Pages& pages) {
  double room = first;
  bool empty = true;
  for (const Unit& unit : list) {
    if (!empty && unit.height > room) {
      pages.breaks.push_back(unit.first - 1);
      ++pages.count;
      room = later;
    }
    room -= unit.height;
    empty = false;
    for (; room < 0; room += later) ++pages.count;  // the printer splits a unit taller than a page
  }
}

// The scale that makes the table one page wide and fits its tallest band (with the repeated rows
// above it) on a page of `down` points, not below the plan's smallest scale unless the width
// already needs a smaller one.
int printScale(const Sheet& sh, const PrintPlan& plan, double across, double down, double repeat) {
  const double width = tableWidth(sh, plan.lastColumn);
  double tallest = 0;
  for (const PrintBand& band : plan.bands)
    tallest = std::max(tallest,
                       rowsHeight(sh, band.first, band.last) + (band.first > plan.repeatLast ? repeat : 0));
  const double widthScale = std::clamp(100 * across / std::max(width, 1.0), 10.0, 100.0);
  const double bandScale = 100 * down / std::max(tallest, 1.0);
  const double floor = std::min(widthScale, std::max(10.0, plan.minScale));
  return static_cast<int>(std::clamp(std::min(widthScale, std::max(bandScale, floor)), 10.0, 100.0));
}

Pages layOut(const Sheet& sh, const PrintPlan& plan, bool landscape) {
  const double across = (landscape ? kLongSide : kShortSide) - 2 * kPageMarginSide * kPointsPerInch;
  const double down =
      ((landscape ? kShortSide : kLongSide) - 2 * kPageMarginTopBottom * kPointsPerInch) * kHeightSafety;
  const double repeat = plan.repeatFirst > 0 ? rowsHeight(sh, plan.repeatFirst, plan.repeatLast) : 0;
  Pages pages;
  pages.landscape = landscape;
  pages.scale = printScale(sh, plan, across, down, repeat);
  pages.widthShare = tableWidth(sh, plan.lastColumn) * pages.scale / 100 / across;
  pages.columnBreaks = columnBreaks(sh, plan, across * 100 / pages.scale);
  const double page = down * 100 / pages.scale;
  paginate(placedUnits(sh, plan, page - repeat), page, page - repeat, pages);
  return pages;
}

}  // namespace

double readableScale(double points) {
  return std::max(10.0, 100 * kReadablePoints / std::max(points, 1.0));
}

void setPrintedPages(Sheet& sh, const PrintPlan& plan) {
  const Pages upright = layOut(sh, plan, false);
  const Pages turned = layOut(sh, plan, true);
  // Fewer pages; at a tie the larger print; at a tie again (both at the smallest scale and still
  // too wide) the orientation the table is less too wide for; else upright.
  const auto key = [](const Pages& p) {
    return std::tuple(p.total(), -p.scale, std::max(1.0, p.widthShare));
  };
  const bool turn = key(turned) < key(upright);
  const Pages& pages = turn ? turned : upright;
  PageSetup& page = sh.pageSetup();
  page.paperSize = kPaperA4;
  page.marginLeft = page.marginRight = kPageMarginSide;
  page.marginTop = page.marginBottom = kPageMarginTopBottom;
  page.landscape = pages.landscape;
  page.scale = pages.scale;
  page.fitWidth = page.fitHeight = 0;
  page.rowBreaks = pages.breaks;
  page.columnBreaks = pages.columnBreaks;
  page.repeatRowFirst = plan.repeatFirst;
  page.repeatRowLast = plan.repeatFirst > 0 ? plan.repeatLast : 0;
  page.repeatColumnFirst = plan.repeatColumns.first;
  page.repeatColumnLast = plan.repeatColumns.first > 0 ? plan.repeatColumns.second : 0;
}

PrintBand breakableBand(int first, int last, int breakFrom) {
  PrintBand band{first, last, {}};
  for (int row = std::max(first, breakFrom); row < last; ++row) band.breakable.push_back(row);
  return band;
}

}  // namespace tavro
