// What the master tables share: day groups, the heading rows of a day group,
// the rules of a group and of the whole table, the title rows and the slot
// rows of the down form.

#include <QDate>
#include <algorithm>
#include <cmath>

#include "core/procedures.h"
#include "core/texts.h"
#include "core/vbtext.h"
#include "export/master.h"
#include "export/names.h"
#include "export/printed_pages.h"
#include "export/selection.h"
#include "sheets/sheetops.h"

namespace tavro {

namespace {

// The half-day label of the q-th chosen period: "上午" or "下午" at the first period of each half
// ("上" or "下" when the half has one period and the cell is one character wide); "" elsewhere.
QString halfDayLabel(const ExportForm& f, int q, int w) {
  if (q == 0 && f.DcSwjs > 0) return f.DcSwjs == 1 && w == 1 ? QStringLiteral("上") : QStringLiteral("上午");
  if (q == f.DcSwjs && f.DcXwjs > 0)
    return f.DcXwjs == 1 && w == 1 ? QStringLiteral("下") : QStringLiteral("下午");
  return QString();
}

// The highest row the spreadsheet allows, in points.
constexpr double kMaxRowHeight = 409;

// Display width of a text in full-width characters: ASCII characters count half.
double textWidth(const QString& text) {
  double width = 0;
  for (const QChar ch : text) width += ch.unicode() < 0x80 ? 0.5 : 1;
  return width;
}

// Lines a cell text needs in a column holding `capacity` full-width characters.
int cellLineCount(const QString& text, int capacity) {
  int lines = 0;
  for (const QString& part : text.split(u'\n'))
    lines += std::max(1, int(std::ceil(textWidth(part) / capacity - 0.01)));
  return lines;
}

}  // namespace

void fitRowHeights(const ExportCtx& c, Sheet& sh, int r1, int r2, int lastCol) {
  const double size = bodyPoints(c.f), perCharacter = HXzlk(size, 6) / 6;
  for (int row = r1; row <= r2; ++row) {
    int lines = 1;
    for (int col = 1; col <= lastCol; ++col) {
      const QString text = sh.text(row, col);
      if (text.isEmpty() || sh.mergeAt(row, col)) continue;
      const int capacity = std::max(1, int(sh.columnWidth(col) / perCharacter + 0.01));
      lines = std::max(lines, cellLineCount(text, capacity));
    }
    sh.setRowHeight(row, std::min(kMaxRowHeight, lines * size * 1.3 + 4));
  }
}

double bodyPoints(const ExportForm& f) {
  return f.Zwzh > 0 ? f.Zwzh : 10;
}

void setProgress(ExportCtx& c, int value) {
  c.f.progress = value;
  c.ui.progress(value);
}

QString cellLines(const QStringList& parts) {
  QStringList lines;
  for (const QString& part : parts) lines << trimRight(part);
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines.join(u'\n');
}

QString dayHeading(const ExportCtx& c, int d, int w) {
  return d >= 1 && d <= kMaxWeekday ? HXqmc(c, d, w, true) : QString();
}

MasterLayout masterLayout(const ExportCtx& c, int lines, int c1, bool schoolMaster) {
  const ExportForm& f = c.f;
  MasterLayout lay;
  lay.layer = HCqls(c.st);
  lay.w = std::max(1, HKbgkd(c));
  lay.c1 = c1;
  lay.lines = lines;
  lay.periods = f.Dcjcs;
  const int D = std::max(1, f.Dcxqs);
  int m = f.CmbMpzs >= 0 ? f.CmbMpzs + 1 : D;
  if (schoolMaster) m = std::min(m, D);
  lay.m = std::max(1, m);
  lay.G = (D + lay.m - 1) / lay.m;
  for (int k = 0; k < f.Dcxqs; ++k) lay.days << ValMid(f.Dcxqjh, 2 * k, 2);
  while (lay.days.size() < lay.G * lay.m) lay.days << (lay.days.isEmpty() ? 1 : lay.days.last() + 1);
  return lay;
}

void Hpwbjc(const ExportCtx& c, Sheet& sh, int labelRow, int numberRow, int col, int q, int w) {
  const QString label = halfDayLabel(c.f, q, w);
  if (!label.isEmpty() && sh.isEmpty(labelRow, col)) sh.setText(labelRow, col, label);
  sh.setText(numberRow, col, Szc(ValMid(c.f.Dcjcjh, 2 * q, 2)));
}

void Jsxxzbhp27h(const ExportCtx& c, Sheet& sh, const MasterLayout& lay, int g, int r) {
  sh.setText(r, 1, QStringLiteral("星期"));
  sh.setText(r + 1, 1, QStringLiteral("午别"));
  sh.setText(r + 2, 1, QStringLiteral("节次"));
  for (int i = 1; i <= lay.m; ++i) {
    const int col0 = lay.c1 + (i - 1) * lay.periods;
    sh.setText(r, col0, dayHeading(c, lay.day(g, i), lay.w));
    for (int q = 0; q < lay.periods; ++q) Hpwbjc(c, sh, r + 1, r + 2, col0 + q, q, lay.w);
  }
}

void groupFormat(const ExportCtx& c, Sheet& sh, const MasterLayout& lay, int g, const QList<int>& gradeEnds) {
  const ExportForm& f = c.f;
  const int top = lay.groupTop(g), bottom = top + lay.lines + 2, last = lay.lastColumn();
  sh.range(top, 1, bottom, last).wrap().vAlign(VAlign::Centre);
  sh.range(top, 1, bottom, last).hAlign(HAlign::Centre);
  Hbkx(sh, top, 1, last, 3, kRuleOutline);
  Hbkx(sh, top, 1, last, 4, kRuleThin);
  Hbkx(sh, top + 2, 1, last, 4, kRuleThick);
  for (int row : gradeEnds) Hbkx(sh, row, 1, last, 4, kRuleMedium);
  for (int i = 1; i <= lay.m; ++i) {
    const int col0 = lay.c1 + (i - 1) * lay.periods;
    if (f.DcSwjs > 0 && f.DcXwjs > 0) Hbkx2(sh, top + 1, bottom, col0 + f.DcSwjs - 1, kRuleThin);
    sh.merge(CellRange{top, col0, top, col0 + lay.periods - 1});
    if (f.DcSwjs > 0) sh.merge(CellRange{top + 1, col0, top + 1, col0 + f.DcSwjs - 1});
    if (f.DcXwjs > 0) sh.merge(CellRange{top + 1, col0 + f.DcSwjs, top + 1, col0 + lay.periods - 1});
  }
  if (lay.c1 == 3)
    for (int row = top; row <= top + 2; ++row) sh.merge(CellRange{row, 1, row, 2});
}

void tableRules(const ExportCtx& c, Sheet& sh, const MasterLayout& lay, int lastRow) {
  (void)c;
  Hbkx2(sh, 3, lastRow, lay.c1 - 1, kRuleThick);
  for (int i = 1; i <= lay.m; ++i) Hbkx2(sh, 3, lastRow, lay.c1 - 1 + i * lay.periods, kRuleMedium);
}

void masterTitleRows(const ExportCtx& c, Sheet& sh, int lastCol) {
  Erbzbbt(c, sh, lastCol);
  sh.merge(CellRange{1, 1, 1, lastCol});
  sh.merge(CellRange{2, 1, 2, lastCol});
  textCells(sh, lastCol);
  sh.select(cellRange(1, 1));
}

int downSlotRows(const ExportCtx& c, Sheet& sh, const std::function<void(int, int, int)>& cell) {
  const ExportForm& f = c.f;
  const int numberWidth = f.Dcmj >= 10 ? 2 : 1;
  int row = 4;
  for (int k = 0; k < f.Dcxqs; ++k) {
    const int d = ValMid(f.Dcxqjh, 2 * k, 2);
    for (int q = 0; q < f.Dcjcs; ++q, ++row) {
      const int p = ValMid(f.Dcjcjh, 2 * q, 2);
      if (q == 0) sh.setText(row, 1, dayHeading(c, d, 2));
      const QString label = halfDayLabel(f, q, 2);
      if (!label.isEmpty() && sh.isEmpty(row, 2)) sh.setText(row, 2, label);
      if (sh.isEmpty(row, 3)) sh.setText(row, 3, Qjkg(numberWidth, p));
      cell(row, d, p);
    }
  }
  return row - 1;
}

void downFormat(const ExportCtx& c, Sheet& sh, int lastCol, int lastRow, int w, const QList<int>& itemEnds) {
  const ExportForm& f = c.f;
  sh.setText(3, 1, QStringLiteral("星期"));
  sh.setText(3, 2, QStringLiteral("午别"));
  sh.setText(3, 3, QStringLiteral("节次"));
  sh.range(3, 1, lastRow, lastCol).wrap().vAlign(VAlign::Centre);
  sh.range(3, 1, lastRow, lastCol).hAlign(HAlign::Centre);
  Hbkx(sh, 3, 1, lastCol, 3, kRuleOutline);
  Hbkx(sh, 3, 1, lastCol, 4, kRuleThick);
  for (int k = 0; k < f.Dcxqs; ++k) {
    const int first = 4 + k * f.Dcjcs, last = first + f.Dcjcs - 1;
    Hbkx(sh, last, 1, lastCol, 4, kRuleMedium);
    if (f.ChkQt && f.DcSwjs > 0 && f.DcXwjs > 0) Hbkx(sh, first + f.DcSwjs - 1, 2, lastCol, 4, kRuleThin);
    sh.merge(CellRange{first, 1, last, 1});
    if (f.DcSwjs > 0) sh.merge(CellRange{first, 2, first + f.DcSwjs - 1, 2});
    if (f.DcXwjs > 0) sh.merge(CellRange{first + f.DcSwjs, 2, last, 2});
  }
  Hbkx2(sh, 3, lastRow, 1, kRuleThin);
  Hbkx2(sh, 3, lastRow, 3, kRuleThick);
  for (int col : itemEnds) Hbkx2(sh, 3, lastRow, col, kRuleMedium);
  const double size = bodyPoints(f);
  sh.setColumnWidth(1, HXzlk(size, 2));
  sh.setColumnWidth(2, HXzlk(size, 1));
  sh.setColumnWidth(3, HXzlk(size, 2));
  for (int col = 4; col <= lastCol; ++col) sh.setColumnWidth(col, HXzlk(size, w));
  masterTitleRows(c, sh, lastCol);
  fitRowHeights(c, sh, 2, lastRow, lastCol);
  sh.setRowHeight(3, 26);
  downPages(c, sh, lastCol, lastRow);
}

void acrossPages(const ExportCtx& c, Sheet& sh, const MasterLayout& lay) {
  PrintPlan plan;
  plan.lastColumn = lay.lastColumn();
  plan.lastRow = lay.groupTop(lay.G) + lay.lines + 2;
  plan.minScale = readableScale(bodyPoints(c.f));
  for (int g = 1; g <= lay.G; ++g) {
    const int top = lay.groupTop(g);
    plan.bands.push_back(breakableBand(g == 1 ? 1 : top, top + lay.lines + 2, top + 3));
  }
  if (lay.G == 1) plan.repeatFirst = 3, plan.repeatLast = 5;
  for (int i = 1; i < lay.m; ++i) plan.columnCuts.push_back(lay.c1 - 1 + i * lay.periods);
  plan.repeatColumns = {1, lay.c1 - 1};
  setPrintedPages(sh, plan);
}

void downPages(const ExportCtx& c, Sheet& sh, int lastCol, int lastRow) {
  const ExportForm& f = c.f;
  PrintPlan plan;
  plan.lastColumn = lastCol;
  plan.lastRow = lastRow;
  plan.minScale = readableScale(bodyPoints(f));
  for (int k = 0; k < f.Dcxqs; ++k) {
    const int first = 4 + k * f.Dcjcs;
    plan.bands.push_back(breakableBand(k == 0 ? 1 : first, first + f.Dcjcs - 1, first));
  }
  plan.repeatFirst = plan.repeatLast = 3;
  for (int col = 4; col < lastCol; ++col) plan.columnCuts.push_back(col);
  plan.repeatColumns = {1, 3};
  setPrintedPages(sh, plan);
}

void writeMasterTable(ExportCtx& c, Sheet& sh, const QString& teachers) {
  sh.setText(1, 1, c.f.Dcbt);
  sh.setText(2, 1, Rqqj(c.f.Qyrq) + QStringLiteral("起使用"));
  switch (c.f.Kbzl) {
    case 2:
      subjectMasterTable(c, sh);
      break;
    case 3:
      teacherMasterTable(c, sh, teachers);
      break;
    default:
      Xsxxzb(c, sh);
  }
}

}  // namespace tavro
