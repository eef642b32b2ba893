// The printed pages of every exported table, read from the written file as a
// printer lays them out: A4 with narrow margins, the scale and orientation of
// the page setup, a new page at every page break and wherever the next row does
// not fit. Every band (a row of weekly timetables, a day group or weekday of a
// master table, a teacher's rows) prints whole on one page, and every table is
// one page wide, or, too wide even at the smallest scale, breaks across between
// whole timetables. Every cell of every table is text.

#include "export/printed_pages.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <functional>

#include "export/handlers.h"
#include "sheets/address.h"
#include "tests/export/export_fixture.h"

namespace tavro::testing {
namespace {

// The page setup written into the file: orientation, scale, margins, page breaks and the rows
// printed on every page.
PageSetup writtenPageSetup(const QString& path) {
  const QString xml = workbookPart(path, QStringLiteral("xl/worksheets/sheet1.xml"));
  const auto attribute = [&xml](const QString& element, const QString& name) {
    const QRegularExpression re(QStringLiteral("<%1[^>]* %2=\"([^\"]*)\"").arg(element, name));
    return re.match(xml).captured(1);
  };
  PageSetup page;
  page.landscape = attribute(QStringLiteral("pageSetup"), QStringLiteral("orientation")) == "landscape";
  page.paperSize = attribute(QStringLiteral("pageSetup"), QStringLiteral("paperSize")).toInt();
  const QString scale = attribute(QStringLiteral("pageSetup"), QStringLiteral("scale"));
  page.scale = scale.isEmpty() ? 100 : scale.toInt();
  page.fitWidth = xml.contains(QStringLiteral("fitToPage=\"1\"")) ? 1 : 0;
  page.marginLeft = attribute(QStringLiteral("pageMargins"), QStringLiteral("left")).toDouble();
  page.marginRight = attribute(QStringLiteral("pageMargins"), QStringLiteral("right")).toDouble();
  page.marginTop = attribute(QStringLiteral("pageMargins"), QStringLiteral("top")).toDouble();
  page.marginBottom = attribute(QStringLiteral("pageMargins"), QStringLiteral("bottom")).toDouble();
  static const QRegularExpression brk(QStringLiteral("<brk id=\"(\\d+)\"[^>]*man=\"1\""));
  const auto breaks = [&xml](const QString& element, std::vector<int>& into) {
    const QString part = xml.section(QStringLiteral("<%1").arg(element), 1, 1).section(u'/' + element, 0, 0);
    for (auto it = brk.globalMatch(part); it.hasNext();) into.push_back(it.next().captured(1).toInt());
  };
  breaks(QStringLiteral("rowBreaks"), page.rowBreaks);
  breaks(QStringLiteral("colBreaks"), page.columnBreaks);
  static const QRegularExpression titles(QStringLiteral("_xlnm.Print_Titles\"[^>]*>([^<]*)<"));
  const QString repeated = titles.match(workbookPart(path, QStringLiteral("xl/workbook.xml"))).captured(1);
  static const QRegularExpression rows(QStringLiteral("\\$(\\d+):\\$(\\d+)"));
  static const QRegularExpression columns(QStringLiteral("\\$([A-Z]+):\\$([A-Z]+)"));
  page.repeatRowFirst = rows.match(repeated).captured(1).toInt();
  page.repeatRowLast = rows.match(repeated).captured(2).toInt();
  page.repeatColumnFirst = columnNumber(columns.match(repeated).captured(1));
  page.repeatColumnLast = columnNumber(columns.match(repeated).captured(2));
  return page;
}

// Rows printed together.
struct Band {
  int first, last;
};

// The page of every row 1..last (index row - 1) as a printer lays them out: A4 less the margins at
// the print scale, the repeated rows on top of every page after the first.
QList<int> pagesOfRows(const Sheet& sh, const PageSetup& page, int last) {
  const double height = (page.landscape ? 595.28 : 841.89) - 72 * (page.marginTop + page.marginBottom);
  const double room = height * 100 / page.scale;
  double repeat = 0;
  for (int r = page.repeatRowFirst; r >= 1 && r <= page.repeatRowLast; ++r) repeat += sh.rowHeight(r);
  QList<int> pages;
  int current = 1;
  double used = 0;
  for (int row = 1; row <= last; ++row) {
    const double h = sh.rowHeight(row);
    if (used > 0 && used + h > room - (current > 1 ? repeat : 0)) ++current, used = 0;
    pages << current;
    used += h;
    if (std::find(page.rowBreaks.begin(), page.rowBreaks.end(), row) != page.rowBreaks.end())
      ++current, used = 0;
  }
  return pages;
}

// Printed width in points of columns first..last, a character unit drawn 9 pixels wide as programs
// that replace the workbook's default font draw it.
double printedWidth(const Sheet& sh, int first, int last) {
  double width = 0;
  for (int col = first; col <= last; ++col) width += ((sh.columnWidth(col) + 0.72) * 9 + 5) * 0.75;
  return width;
}

// Each page across (split at the column breaks, the repeated columns on all but the first) fits the
// page's width at the print scale.
void expectPagesAcrossFit(const Sheet& sh, const PageSetup& page, int lastCol, const char* name) {
  const double across = (page.landscape ? 841.89 : 595.28) - 72 * (page.marginLeft + page.marginRight);
  const double repeat =
      page.repeatColumnFirst > 0 ? printedWidth(sh, page.repeatColumnFirst, page.repeatColumnLast) : 0;
  int from = 1;
  std::vector<int> ends = page.columnBreaks;
  ends.push_back(lastCol);
  for (int end : ends) {
    const double width = printedWidth(sh, from, end) + (from > 1 ? repeat : 0);
    EXPECT_LE(width * page.scale / 100, across) << name << ": columns " << from << ".." << end;
    from = end + 1;
  }
}

// Checks that each band prints on one page, that each page across fits the page and that every printed
// row has its own height (a row without one would be sized by the printing program).
void expectWholeBands(const Sheet& sh, const PageSetup& page, const QList<Band>& bands, const char* name) {
  const int last = sh.lastRow(), lastCol = sh.lastColumn();
  EXPECT_EQ(page.paperSize, kPaperA4) << name;
  EXPECT_EQ(page.fitWidth, 0) << name;
  expectPagesAcrossFit(sh, page, lastCol, name);
  for (int row = 1; row <= last; ++row)
    EXPECT_TRUE(sh.rowInfo().count(row) && sh.rowInfo().at(row).size > 0) << name << " row " << row;
  const QList<int> pages = pagesOfRows(sh, page, last);
  ASSERT_FALSE(bands.isEmpty()) << name;
  for (const Band& band : bands)
    EXPECT_EQ(pages.at(band.first - 1), pages.at(band.last - 1))
        << name << ": rows " << band.first << ".." << band.last << " on pages " << pages.at(band.first - 1)
        << ".." << pages.at(band.last - 1);
}

// Weekly tables: a band runs from its title row to the row before the two gap rows.
QList<Band> weeklyBands(const Sheet& sh) {
  QList<int> titles;
  for (int row = 1; row <= sh.lastRow(); ++row)
    if (sh.text(row, 1) == sh.text(1, 1)) titles << row;
  QList<Band> bands;
  for (int i = 0; i < titles.size(); ++i)
    bands << Band{titles.at(i), i + 1 < titles.size() ? titles.at(i + 1) - 3 : sh.lastRow()};
  return bands;
}

// Rows from each row whose first cell is `start` (from row 1 for the first) to the next such row.
QList<Band> bandsStartingAt(const Sheet& sh, const QString& start, int fromRow) {
  QList<int> tops;
  for (int row = fromRow; row <= sh.lastRow(); ++row)
    if (sh.text(row, 1) == start) tops << row;
  QList<Band> bands;
  for (int i = 0; i < tops.size(); ++i)
    bands << Band{i == 0 ? 1 : tops.at(i), i + 1 < tops.size() ? tops.at(i + 1) - 1 : sh.lastRow()};
  return bands;
}

// Down form of the master tables: each weekday's merged heading in column A with its slot rows.
QList<Band> weekdayBands(const Sheet& sh) {
  QList<Band> bands;
  for (const CellRange& m : sh.merges())
    if (m.c1 == 1 && m.c2 == 1 && m.r1 >= 4) bands << Band{bands.isEmpty() ? 1 : m.r1, m.r2};
  return bands;
}

// The teacher assignment table: each teacher's rows (the name cell merged over them).
QList<Band> teacherBands(const Sheet& sh) {
  QList<Band> bands;
  for (int row = 4; row <= sh.lastRow(); ++row) {
    if (sh.text(row, 1).isEmpty()) continue;
    const auto m = sh.mergeAt(row, 1);
    bands << Band{bands.isEmpty() ? 1 : row, m ? m->r2 : row};
  }
  return bands;
}

QList<Band> wholeTable(const Sheet& sh) {
  return {Band{1, sh.lastRow()}};
}

// One export with the most crowded options: 7 days of 13 periods, ten timetables (or days) per
// band, teachers inside and beside the timetables, twenty teacher-list entries per class, the fonts
// the table kind sets (or a body size of 42 points).
struct CrowdedCase {
  const char* name;
  int item;  // 0 timetables, 1 assignment, 2 subject teachers, 3 grade teachers
  int kind;  // table kind for item 0
  int form;  // Hsdm: 0 across, 1 down
  std::function<QList<Band>(const Sheet&)> bands;
  int perBand = 10;
  double body = 0;       // body font size; 0 keeps the table kind's
  bool tooWide = false;  // wider than a page even at the smallest scale
};

Workbook exportCrowded(ExportFixture& fx, const CrowdedCase& k) {
  ExportCtx c = fx.ctx();
  fx.school.Zdkcs = 20;
  for (const auto& [nj, bj] : {std::pair{7, 1}, {7, 2}, {7, 3}, {8, 1}, {8, 2}})
    for (int course = 1; course <= 3; ++course) fx.plan(nj, bj, course, course, course + (nj + bj) % 2, 5);
  CmbXiangmu_Click(c, k.item);
  if (k.item == 0) CmbKbzl_Click(c, k.kind);
  if (k.item == 1 || (k.item == 0 && (k.kind == 1 || k.kind == 3))) OptXzjsfs_Click(c, 0);
  CmbMpzs_Click(c, k.perBand - 1);
  fx.form.ChkBnfjs = fx.form.ChkBwfjs = true;
  ChkBnfjs_Click(c);
  ChkBwfjs_Click(c);
  if (k.body > 0) CmdZt_Click(c, 1, FontChoice{QStringLiteral("宋体"), k.body, false, false});
  fx.school.Hsdm = k.form;
  return fx.exportNow();
}

// Every cell of the table's columns, written or not, has the text number format.
void expectTextCells(const Sheet& sh, const char* name) {
  for (const auto& [key, cell] : sh.cells())
    EXPECT_EQ(cell.format.numberFormat, QStringLiteral("@"))
        << name << " " << Sheet::keyRow(key) << ":" << Sheet::keyCol(key);
  for (int col : {1, sh.lastColumn()}) EXPECT_EQ(sh.format(sh.lastRow() + 3, col).numberFormat, "@") << name;
}

TEST(PrintedPages, EveryTableKindPrintsWholeBandsAndKeepsItsCellsText) {
  const auto groups = [](const Sheet& sh) { return bandsStartingAt(sh, QStringLiteral("星期"), 3); };
  const CrowdedCase cases[] = {
      {"class weekly across", 0, 0, 0, weeklyBands},
      {"class weekly down", 0, 0, 1, weeklyBands},
      {"class weekly down, large print", 0, 0, 1, weeklyBands, 1, 42},
      {"class weekly across, large print", 0, 0, 0, weeklyBands, 5, 42, true},
      {"teacher weekly across", 0, 1, 0, weeklyBands},
      {"teacher weekly down", 0, 1, 1, weeklyBands},
      {"subject master across", 0, 2, 0, wholeTable},
      {"subject master down", 0, 2, 1, wholeTable},
      {"teacher master across", 0, 3, 0, groups},
      {"teacher master down", 0, 3, 1, weekdayBands},
      {"school master across", 0, 4, 0, groups},
      {"school master down", 0, 4, 1, weekdayBands},
      {"school master down, large print", 0, 4, 1, weekdayBands, 10, 42},
      {"teacher assignment", 1, 0, 1, teacherBands},
      {"subject teachers down", 2, 0, 1, wholeTable},
      {"subject teachers across", 2, 0, 0, wholeTable},
      {"grade teachers down", 3, 0, 1, wholeTable},
  };
  for (const CrowdedCase& k : cases) {
    ExportFixture fx(7, 13);
    const Workbook book = exportCrowded(fx, k);
    const Sheet& sh = book.first();
    ASSERT_GT(sh.lastRow(), 3) << k.name;
    const PageSetup page = writtenPageSetup(fx.outPath);
    expectWholeBands(sh, page, k.bands(sh), k.name);
    // A row of timetables too wide for a page breaks across between whole timetables.
    EXPECT_EQ(page.columnBreaks.empty(), !k.tooWide) << k.name;
    // The school and teacher master tables repeat their row labels at the left of every page.
    EXPECT_TRUE(k.item != 0 || k.kind < 3 || page.repeatColumnFirst == 1) << k.name;
    const bool timetables = k.item == 0 && k.kind <= 1;
    for (int col : page.columnBreaks)
      EXPECT_TRUE(!timetables || sh.text(1, col + 1) == sh.text(1, 1)) << k.name;
    expectTextCells(sh, k.name);
  }
}

TEST(PrintedPages, UprightPagesBreakBetweenWholeBands) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbMpzs_Click(c, 0);  // one timetable per band: five bands of 11 rows
  const Workbook book = fx.exportNow();
  const PageSetup page = writtenPageSetup(fx.outPath);
  // One timetable is narrower than an upright page; a band is 30 + 10 x 27 = 300 points high,
  // and an upright A4 page holds 769 points: two bands a page.
  EXPECT_FALSE(page.landscape);
  EXPECT_EQ(page.scale, 100);
  EXPECT_EQ(page.rowBreaks, std::vector<int>({22, 44}));
  EXPECT_EQ(page.marginLeft, 0.4);
  EXPECT_EQ(page.marginRight, 0.4);
  EXPECT_EQ(page.marginTop, 0.5);
  EXPECT_EQ(page.marginBottom, 0.5);
  EXPECT_TRUE(workbookPart(fx.outPath, QStringLiteral("xl/worksheets/sheet1.xml"))
                  .contains(QStringLiteral("horizontalCentered=\"1\"")));
  // Each page starts with a band's title row.
  for (int row : page.rowBreaks) EXPECT_EQ(book.first().text(row + 1, 1), fx.form.Dcbt) << row;
}

TEST(PrintedPages, WideBandsGoAcrossThePageScaledToItsWidth) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbMpzs_Click(c, 4);  // five timetables side by side: one band
  fx.exportNow();
  const PageSetup page = writtenPageSetup(fx.outPath);
  EXPECT_TRUE(page.landscape);
  EXPECT_GT(page.scale, 10);
  EXPECT_LT(page.scale, 60);
  EXPECT_TRUE(page.rowBreaks.empty());
  EXPECT_EQ(page.fitWidth, 0);
}

// A band taller than a page at a readable scale (a master table of many lines) breaks only where
// it allows, every page filled with whole pieces, the repeated heading rows on top of each page.
TEST(PrintedPages, BandTallerThanAReadablePageBreaksOnlyWhereItAllows) {
  Sheet sh;
  for (int row = 1; row <= 120; ++row) sh.setRowHeight(row, row <= 5 ? 30 : 20);
  for (int col = 1; col <= 10; ++col) sh.setColumnWidth(col, 8);
  sh.setText(120, 10, QStringLiteral("末"));
  PrintPlan plan;
  plan.lastColumn = 10;
  plan.lastRow = 120;
  plan.minScale = readableScale(9);
  plan.bands = {breakableBand(1, 120, 6)};
  plan.repeatFirst = 3;
  plan.repeatLast = 5;
  setPrintedPages(sh, plan);
  const PageSetup& page = sh.pageSetup();
  EXPECT_EQ(page.scale, 55);  // 5-point text at body size 9
  EXPECT_EQ(page.repeatRowFirst, 3);
  EXPECT_EQ(page.repeatRowLast, 5);
  ASSERT_FALSE(page.rowBreaks.empty());
  EXPECT_GE(page.rowBreaks.front(), 6);  // the heading rows stay with the first line
  QList<Band> pieces;
  int from = 1;
  for (int row : page.rowBreaks) pieces << Band{from, row}, from = row + 1;
  pieces << Band{from, 120};
  expectWholeBands(sh, page, pieces, "tall band");
}

TEST(PrintedPages, TitlesOfTheWrittenFileHaveNoAsciiBlank) {
  ExportFixture fx;
  fx.school.Xxmc = QStringLiteral("测试 中学");
  ExportCtx c = fx.ctx();
  fx.form.ChkQz = false;
  ChkQz_Click(c);
  fx.form.LstXq.setSelected(2, true);
  LstXq_Click(c);
  CmbMpzs_Click(c, 1);
  const Workbook book = fx.exportNow();
  const QString title = book.first().text(1, 1);
  EXPECT_EQ(title, QStringLiteral("０９～１０学年度班级星期一三课表"));
  // Every band's title row: three bands of 4 + 2 weekdays + 2 rows.
  for (int r0 : {1, 9, 17}) {
    EXPECT_EQ(book.first().text(r0, 1), title) << r0;
    EXPECT_EQ(book.first().text(r0, 11), title) << r0;
  }
  EXPECT_FALSE(title.contains(u' '));
}

}  // namespace
}  // namespace tavro::testing
