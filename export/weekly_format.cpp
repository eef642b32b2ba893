// Formatting of band 1 of the weekly tables and its copy to the other bands.

#include <algorithm>
#include <cmath>

#include "export/names.h"
#include "export/printed_pages.h"
#include "export/weekly.h"
#include "sheets/range.h"
#include "sheets/sheetops.h"

namespace tavro {

namespace {

// Line styles of the rules: 1 thin, 2 medium, 3 thick, 9 outline (drawn as a double line).
constexpr int kThin = 1, kMedium = 2, kThick = 3, kOutline = 9;

// Sizes used for heights when a font size is not set.
double titleSize(const ExportForm& f) {
  return f.Btzh > 0 ? f.Btzh : 14;
}
double bodySize(const ExportForm& f) {
  return f.Zwzh > 0 ? f.Zwzh : 10;
}

// First grid row of a band (the row after the header line) and its last grid row.
int gridTop(int r0) {
  return r0 + 2;
}
int gridBottom(const ExportCtx& c, int r0) {
  return c.s.Hsdm == 1 ? gridTop(r0) + c.f.Dcjcs : gridTop(r0) + 1 + c.f.Dcxqs;
}

// Size factor of the header line's font.
double headerFactor(const ExportCtx& c, const WeeklyLayout& lay) {
  const int name = static_cast<int>(schoolName(c.s).size());
  double f = 1;
  if (lay.classes) {
    f = double(lay.W + 1) / (name + c.st.Bjmkd + c.st.Jsmkd + 9);
  } else {
    const int full = static_cast<int>(c.s.Xxmc.size());
    f = double(c.s.Mzts * lay.w + 3) / (int((full - 1) / double(lay.w) + 0.5) + c.st.Bjmkd + c.st.Jsmkd + 9);
  }
  return std::min(1.0, f);
}

// Row heights and fonts of band 1.
void heightsAndFonts(const ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int r0) {
  const ExportForm& f = c.f;
  const double body = 1.5 * bodySize(f);
  const int last = r0 + lay.height - 1, top = gridTop(r0), bottom = gridBottom(c, r0);
  const int headerRows = c.s.Hsdm == 1 ? 1 : 2;
  const int k = (!lay.classes || f.ChkBnfjs) ? 2 : 1;
  for (int r = r0 + 1; r <= last; ++r)
    sh.setRowHeight(r, r > top + headerRows - 1 && r <= bottom ? k * body : body);
  sh.setRowHeight(r0, 1.5 * titleSize(f));
  const int cols = lay.lastColumn();
  sh.range(r0, 1, r0, cols).fontName(f.Btzt).fontSize(f.Btzh);
  sh.range(r0 + 1, 1, last, cols).fontName(f.Zwzt).fontSize(f.Zwzh);
  if (f.Zwzh > 0) sh.range(r0 + 1, 1, r0 + 1, cols).fontSize(f.Zwzh * headerFactor(c, lay));
}

// Column widths of every block.
void columnWidths(const ExportCtx& c, Sheet& sh, const WeeklyLayout& lay) {
  const double zwzh = bodySize(c.f);
  for (int j = 1; j <= lay.m; ++j) {
    const int c0 = lay.blockStart(j);
    if (c.s.Hsdm == 1) {
      sh.setColumnWidth(c0, HXzlk(zwzh, 1));
      sh.setColumnWidth(c0 + 1, Hxqrqjclk(c));
      for (int k = 0; k < c.f.Dcxqs; ++k) sh.setColumnWidth(c0 + 2 + k, HXzlk(zwzh, lay.w));
    } else {
      sh.setColumnWidth(c0, Hxqrqjclk(c));
      for (int k = 0; k < c.f.Dcjcs; ++k) sh.setColumnWidth(c0 + 1 + k, HXzlk(zwzh, lay.w));
    }
  }
}

// Alignment, wrapping and merges of block starting at c0 (last grid column C).
void blockLayout(const ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int r0, int c0, int C) {
  const int top = gridTop(r0), bottom = gridBottom(c, r0);
  sh.range(r0, c0, r0, C).merge().wrap().hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  sh.range(r0 + 1, c0, r0 + 1, c0).hAlign(HAlign::Left).vAlign(VAlign::Centre);
  sh.range(r0 + 1, C, r0 + 1, C).hAlign(HAlign::Right).vAlign(VAlign::Centre);
  sh.range(top, c0, bottom, C).hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  const int firstLesson = c.s.Hsdm == 1 ? top + 1 : top + 2;
  sh.range(firstLesson, c0, bottom, C).wrap();
  if (c.s.Hsdm == 1) {
    sh.merge(CellRange{top, c0, top, c0 + 1});
  } else {
    sh.merge(CellRange{top, c0, top + 1, c0});
    if (c.f.DcSwjs > 0) sh.merge(CellRange{top, c0 + 1, top, c0 + c.f.DcSwjs});
    if (c.f.DcXwjs > 0) sh.merge(CellRange{top, c0 + c.f.DcSwjs + 1, top, c0 + c.f.DcSwjs + c.f.DcXwjs});
  }
  if (lay.L > 0) sh.range(bottom + 1, c0, bottom + lay.L, c0).hAlign(HAlign::Left);
}

// Rules of a block with one row per period.
void periodRowRules(const ExportForm& f, Sheet& sh, int r, int c0) {
  const int R = r + f.Dcjcs, C = c0 + f.Dcxqs + 1;
  Hbkx(sh, r, c0, C, 3, kOutline);
  Hbkx(sh, r, c0, C, 4, kThick);
  for (int row = r + 1; row <= r + f.DcSwjs - 1; ++row) Hbkx(sh, row, c0 + 1, C, 4, kThin);
  if (f.DcXwjs > 0) {
    Hbkx(sh, r + f.DcSwjs, c0, C, 4, kMedium);
    for (int row = r + f.DcSwjs + 1; row <= R - 1; ++row) Hbkx(sh, row, c0 + 1, C, 4, kThin);
  }
  Hbkx(sh, R, c0, C, 4, kOutline);
  sh.range(r, c0, R, c0).border(static_cast<int>(Side::Left), kOutline);
  Hbkx2(sh, r + 1, R, c0, kThin);
  Hbkx2(sh, r, R, c0 + 1, kThick);
  for (int col = c0 + 2; col <= C - 1; ++col) Hbkx2(sh, r, R, col, kMedium);
  Hbkx2(sh, r, R, C, kOutline);
}

// Rules of a block with one row per weekday.
void weekdayRowRules(const ExportForm& f, Sheet& sh, int r, int c0) {
  const int R = r + 1 + f.Dcxqs, C = c0 + f.Dcjcs;
  Hbkx(sh, r, c0, C, 3, kOutline);
  Hbkx(sh, r, c0 + 1, C, 4, kThin);
  Hbkx(sh, r + 1, c0, C, 4, kThick);
  for (int row = r + 2; row <= R - 1; ++row) Hbkx(sh, row, c0, C, 4, kThin);
  Hbkx(sh, R, c0, C, 4, kOutline);
  sh.range(r, c0, R, c0).border(static_cast<int>(Side::Left), kOutline);
  Hbkx2(sh, r, R, c0, kThick);
  for (int col = c0 + 1; col <= c0 + f.DcSwjs - 1; ++col) Hbkx2(sh, r + 1, R, col, kThin);
  if (f.DcXwjs > 0) {
    if (f.DcSwjs > 0) Hbkx2(sh, r, R, c0 + f.DcSwjs, kMedium);
    for (int col = c0 + f.DcSwjs + 1; col <= C - 1; ++col) Hbkx2(sh, r + 1, R, col, kThin);
  }
  Hbkx2(sh, r, R, C, kOutline);
}

}  // namespace

void Zbdcjgs(const ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int r0) {
  const int cols = lay.lastColumn(), last = r0 + lay.height - 1;
  sh.range(r0, 1, last, cols).fillIndex(2);
  textCells(sh, cols);
  heightsAndFonts(c, sh, lay, r0);
  columnWidths(c, sh, lay);
  for (int j = 1; j <= lay.m; ++j) {
    const int c0 = lay.blockStart(j);
    const int C = c0 + lay.block - 2;
    blockLayout(c, sh, lay, r0, c0, C);
    if (c.s.Hsdm == 1) {
      periodRowRules(c.f, sh, gridTop(r0), c0);
    } else {
      weekdayRowRules(c.f, sh, gridTop(r0), c0);
    }
  }
  sh.select(cellRange(5, 1));
}

void Fzzbge(Sheet& sh, const WeeklyLayout& lay) {
  const CellRange band1 = CellRange{1, 1, lay.height, lay.lastColumn()};
  for (int band = 2; band <= lay.bands; ++band) {
    const int r0 = 1 + (band - 1) * lay.height;
    sh.paste(band1, CellRange{r0, 1, r0, 1}, Paste::Formats);
    for (int k = 0; k < lay.height; ++k) sh.setRowHeight(r0 + k, sh.rowHeight(1 + k));
  }
}

void weeklyPages(Sheet& sh, const WeeklyLayout& lay) {
  PrintPlan plan;
  plan.lastColumn = lay.lastColumn();
  plan.lastRow = std::max(1, lay.bands * lay.height - 2);
  // A band with the two gap rows below it: a page never starts with the gap.
  for (int band = 1; band <= lay.bands; ++band) {
    const int r0 = 1 + (band - 1) * lay.height;
    plan.bands.push_back(PrintBand{r0, std::min(plan.lastRow, r0 + lay.height - 1), {}});
  }
  for (int j = 1; j < lay.m; ++j) plan.columnCuts.push_back(lay.blockStart(j + 1) - 1);
  setPrintedPages(sh, plan);
}

}  // namespace tavro
