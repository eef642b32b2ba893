// The subject master table "学科总表": the research-activity times of the
// chosen courses, then for every chosen weekday and period the classes that
// have one of the chosen courses then, each with its teacher, one per line of
// the cell. Across: weekdays down, periods across; down (Hsdm = 1): periods
// down, weekdays across.

#include <algorithm>
#include <vector>

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

// The entries of every slot: (weekday 1..Mzts, period 1..Mtjs) -> class name + teacher texts.
struct SubjectSlots {
  int periods = 0;
  std::vector<QStringList> entries;  // index (weekday - 1) * periods + period - 1
  QStringList& at(int d, int p) { return entries.at(std::size_t((d - 1) * periods + p - 1)); }
  QString text(int d, int p) const {
    if (d < 1 || p < 1 || p > periods || std::size_t((d - 1) * periods + p - 1) >= entries.size()) return {};
    return entries.at(std::size_t((d - 1) * periods + p - 1)).join(u'\n');
  }
};

// Ytsjjsz: adds class (nj, bj)'s lesson at weekday d, period p when its course is a chosen one.
void Ytsjjsz(const ExportCtx& c, SubjectSlots& table, const QString& courses, int layer, int d, int p, int nj,
             int bj) {
  if (!c.s.Kb.has(layer, d, p, nj, bj)) return;
  const QString slot = c.s.Kb(layer, d, p, nj, bj);
  const bool taken = !slot.isEmpty() &&
                     (!slot.startsWith(QStringLiteral("000")) || slot.startsWith(QStringLiteral("000000")));
  if (!taken || !hasCode(courses, slot.left(3))) return;
  table.at(d, p) << trimRight(HBjmc(c, nj, bj)) + trimRight(HRkjsm(c, layer, nj, bj, d, p));
}

// Collects every class slot of the school.
SubjectSlots collectSlots(const ExportCtx& c, const QString& courses) {
  const School& s = c.s;
  SubjectSlots table;
  table.periods = s.Mtjs;
  table.entries.resize(std::size_t(std::max(0, s.Mzts * s.Mtjs)));
  const int layer = HCqls(c.st);
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj)
      for (int d = 1; d <= s.Mzts; ++d)
        for (int p = 1; p <= s.Mtjs; ++p) Ytsjjsz(c, table, courses, layer, d, p, nj, bj);
  return table;
}

// HXkyyhd: the research-activity line of course k: "语文教研活动时间：星期三第3、4节", or "" when the
// course has no whole-school research time.
QString HXkyyhd(const ExportCtx& c, int k) {
  const School& s = c.s;
  if (!s.Jysj.has(0, 1, k) || s.Jysj(0, 1, k) <= 0) return QString();
  const int first = s.Jysj(0, 2, k), count = s.Jysjs.has(0, k) ? s.Jysjs(0, k) : 1;
  QString line = trimRight(HKcmc(c, k)) + QStringLiteral("教研活动时间：星期") + Xqm(s.Jysj(0, 1, k)) +
                 QStringLiteral("第") + Szc(first);
  for (int i = 1; i < count; ++i) line += QStringLiteral("、") + Szc(first + i);
  return line + QStringLiteral("节");
}

// The research lines in rows 3 .. c + 2, each merged across the table; returns c.
int researchLines(const ExportCtx& c, Sheet& sh, const QString& courses, int lastCol) {
  const int n = codeCount(courses, 3);
  for (int i = 0; i < n; ++i) {
    const QString line = HXkyyhd(c, ValInt(codeAt(courses, 3, i)));
    if (!line.isEmpty()) sh.setText(3 + i, 1, line);
    sh.merge(CellRange{3 + i, 1, 3 + i, lastCol});
  }
  return n;
}

// The title block (rows 1 .. n + 2): fonts, white fill, merges, the page.
void titleBlock(const ExportCtx& c, Sheet& sh, int n, int lastCol) {
  masterTitleRows(c, sh, lastCol);
  sh.range(1, 1, n + 2, lastCol).fillIndex(2).hAlign(HAlign::Centre);
}

// The printed pages: the whole table on one page when it fits at a readable scale, else broken
// after a slot row (never between the heading rows headFirst..headLast and the first slot row),
// the heading rows repeated on every page.
void subjectPages(const ExportCtx& c, Sheet& sh, int lastCol, int lastRow, int headFirst, int headLast) {
  PrintPlan plan;
  plan.lastColumn = lastCol;
  plan.lastRow = lastRow;
  plan.minScale = readableScale(bodyPoints(c.f));
  plan.bands.push_back(breakableBand(1, lastRow, headLast + 1));
  plan.repeatFirst = headFirst;
  plan.repeatLast = headLast;
  const int labels = c.s.Hsdm == 1 ? 3 : 1;
  for (int col = labels + 1; col < lastCol; ++col) plan.columnCuts.push_back(col);
  plan.repeatColumns = {1, labels};
  setPrintedPages(sh, plan);
}

// Rules, alignment and widths of the across table (heading row h = n + 3, last row R).
void formatAcross(ExportCtx& c, Sheet& sh, int h, int R, int lastCol, int w) {
  const ExportForm& f = c.f;
  sh.merge(CellRange{h, 1, h + 1, 1});
  if (f.DcSwjs > 0) sh.merge(CellRange{h, 2, h, f.DcSwjs + 1});
  if (f.DcXwjs > 0) sh.merge(CellRange{h, f.DcSwjs + 2, h, f.DcSwjs + f.DcXwjs + 1});
  setProgress(c, 75);
  sh.range(h + 1, 1, R, lastCol).wrap();
  sh.range(h, 1, R, lastCol).hAlign(HAlign::Centre);
  sh.range(h + 2, 2, R, lastCol).vAlign(VAlign::Top);
  sh.range(h + 2, 1, R, 1).vAlign(VAlign::Centre);
  sh.range(h, 1, h + 1, lastCol).vAlign(VAlign::Centre);
  setProgress(c, 80);
  Hbkx(sh, h, 1, lastCol, 3, kRuleOutline);
  Hbkx(sh, h + 1, 1, lastCol, 4, kRuleThick);
  for (int row = h + 2; row <= R; ++row) Hbkx(sh, row, 1, lastCol, 4, kRuleMedium);
  Hbkx2(sh, h, R, 1, kRuleThick);
  if (f.DcSwjs > 0 && f.DcXwjs > 0) Hbkx2(sh, h, R, f.DcSwjs + 1, kRuleMedium);
  setProgress(c, 95);
  sh.setColumnWidth(1, Hxqrqjclk(c));
  for (int col = 2; col <= lastCol; ++col) sh.setColumnWidth(col, HXzlk(bodyPoints(f), w));
}

// The across form: headings in rows n + 3 and n + 4, one row per chosen weekday below.
void subjectAcross(ExportCtx& c, Sheet& sh, const QString& courses, const SubjectSlots& table, int w) {
  const ExportForm& f = c.f;
  const int lastCol = f.Dcjcs + 1;
  const int n = researchLines(c, sh, courses, lastCol), h = n + 3;
  sh.setText(h, 1, QStringLiteral("星期"));
  for (int q = 0; q < f.Dcjcs; ++q) Hpwbjc(c, sh, h, h + 1, q + 2, q, w);
  for (int k = 0; k < f.Dcxqs; ++k) {
    const int d = ValMid(f.Dcxqjh, 2 * k, 2), row = h + 2 + k;
    sh.setText(row, 1, HXqmc(c, d, w));
    for (int q = 0; q < f.Dcjcs; ++q) {
      const QString text = table.text(d, ValMid(f.Dcjcjh, 2 * q, 2));
      if (!text.isEmpty()) sh.setText(row, q + 2, text);
    }
    setProgress(c, 70 * (k + 1) / std::max(1, f.Dcxqs));
  }
  const int R = h + 1 + f.Dcxqs;
  formatAcross(c, sh, h, R, lastCol, w);
  titleBlock(c, sh, n, lastCol);
  fitRowHeights(c, sh, 2, R, lastCol);
  sh.setRowHeight(1, 30.75);
  subjectPages(c, sh, lastCol, R, h, h + 1);
}

// Rules, alignment and widths of the down table (heading row h, last row R).
void formatDown(ExportCtx& c, Sheet& sh, int h, int R, int lastCol, int w) {
  const ExportForm& f = c.f;
  sh.merge(CellRange{h, 1, h, 3});
  for (int row = h + 1; row <= R; ++row) sh.merge(CellRange{row, 2, row, 3});
  if (f.DcSwjs > 0) sh.merge(CellRange{h + 1, 1, h + f.DcSwjs, 1});
  if (f.DcXwjs > 0) sh.merge(CellRange{h + 1 + f.DcSwjs, 1, R, 1});
  sh.range(h, 1, R, lastCol).wrap().hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  sh.range(h + 1, 4, R, lastCol).vAlign(VAlign::Top);
  Hbkx(sh, h, 1, lastCol, 3, kRuleOutline);
  Hbkx(sh, h, 1, lastCol, 4, kRuleThick);
  for (int row = h + 1; row < R; ++row) Hbkx(sh, row, 2, lastCol, 4, kRuleThin);
  if (f.DcSwjs > 0 && f.DcXwjs > 0) Hbkx(sh, h + f.DcSwjs, 1, lastCol, 4, kRuleMedium);
  Hbkx(sh, R, 1, lastCol, 4, kRuleMedium);
  Hbkx2(sh, h, R, 3, kRuleThick);
  for (int col = 4; col < lastCol; ++col) Hbkx2(sh, h, R, col, kRuleMedium);
  const double size = bodyPoints(f);
  for (int col = 1; col <= 3; ++col) sh.setColumnWidth(col, HXzlk(size, 1));
  for (int col = 4; col <= lastCol; ++col) sh.setColumnWidth(col, HXzlk(size, w));
}

// The down form: weekday headings across row n + 3 from column D, one row per chosen period.
void subjectDown(ExportCtx& c, Sheet& sh, const QString& courses, const SubjectSlots& table, int w) {
  const ExportForm& f = c.f;
  const int lastCol = 3 + f.Dcxqs;
  const int n = researchLines(c, sh, courses, lastCol), h = n + 3;
  sh.setText(h, 1, QStringLiteral("星期"));
  for (int k = 0; k < f.Dcxqs; ++k) sh.setText(h, 4 + k, HXqmc(c, ValMid(f.Dcxqjh, 2 * k, 2), w));
  const int numberWidth = f.Dcmj >= 10 ? 2 : 1;
  for (int q = 0; q < f.Dcjcs; ++q) {
    const int p = ValMid(f.Dcjcjh, 2 * q, 2), row = h + 1 + q;
    if (q == 0 && f.DcSwjs > 0) sh.setText(row, 1, QStringLiteral("上午"));
    if (q == f.DcSwjs && f.DcXwjs > 0) sh.setText(row, 1, QStringLiteral("下午"));
    sh.setText(row, 2, Qjkg(numberWidth, p));
    for (int k = 0; k < f.Dcxqs; ++k) {
      const QString text = table.text(ValMid(f.Dcxqjh, 2 * k, 2), p);
      if (!text.isEmpty()) sh.setText(row, 4 + k, text);
    }
    setProgress(c, 70 * (q + 1) / std::max(1, f.Dcjcs));
  }
  const int R = h + f.Dcjcs;
  formatDown(c, sh, h, R, lastCol, w);
  titleBlock(c, sh, n, lastCol);
  fitRowHeights(c, sh, 2, R, lastCol);
  sh.setRowHeight(1, 30.75);
  subjectPages(c, sh, lastCol, R, h, h);
}

}  // namespace

void subjectMasterTable(ExportCtx& c, Sheet& sh) {
  const QString courses = HBxkcjh(c);
  const int w = std::max(1, HKbgkd(c));
  const SubjectSlots table = collectSlots(c, courses);
  if (c.s.Hsdm == 1) {
    subjectDown(c, sh, courses, table, w);
  } else {
    subjectAcross(c, sh, courses, table, w);
  }
  sh.select(cellRange(1, 1));
  setProgress(c, 100);
}

}  // namespace tavro
