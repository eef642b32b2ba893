// The teacher master table "教师总表": one line per chosen teacher with the
// slots across (in day groups), or one column per teacher with the slots down
// (Hsdm = 1). Meetings read "会议", periods the teacher asked not to teach "不排".

#include <algorithm>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "export/master.h"
#include "export/names.h"
#include "export/selection.h"
#include "export/weekly.h"

namespace tavro {

namespace {

// Number of decimal digits of n.
int digitCount(int n) {
  return int(Szc(std::max(n, 0)).size());
}

// HXsytyjjsjshib: the text of teacher t's cell at weekday d, period p: the course or duty, and the
// class on a second line; blank for a padded day beyond the week.
QString HXsytyjjsjshib(const ExportCtx& c, int layer, int w, int d, int p, int t) {
  if (d > c.s.Mzts) return QString();
  return cellLines(teacherCellParts(c, layer, w, d, p, t, true));
}

// Xsytjsjshib: teacher t's cells of group day i (weekday d) on row r.
void Xsytjsjshib(const ExportCtx& c, Sheet& sh, const MasterLayout& lay, int d, int i, int t, int r) {
  for (int q = 0; q < lay.periods; ++q) {
    const QString text = HXsytyjjsjshib(c, lay.layer, lay.w, d, ValMid(c.f.Dcjcjh, 2 * q, 2), t);
    if (!text.isEmpty()) sh.setText(r, lay.c1 + (i - 1) * lay.periods + q, text);
  }
}

// Xsjsjshirbzb: the line of teacher t in group g at row r: the number (with "附教师代码"), the name and
// the lesson cells.
void Xsjsjshirbzb(const ExportCtx& c, Sheet& sh, const MasterLayout& lay, int t, int g, int r) {
  if (lay.c1 == 3) sh.setText(r, 1, Lbq(3, t));
  sh.setText(r, lay.c1 - 1, HJsm(c, t));
  for (int i = 1; i <= lay.m; ++i) Xsytjsjshib(c, sh, lay, lay.day(g, i), i, t, r);
}

// Formatting of the across table.
void formatAcross(ExportCtx& c, Sheet& sh, const MasterLayout& lay) {
  const int last = lay.groupTop(lay.G) + lay.lines + 2;
  for (int g = 1; g <= lay.G; ++g) groupFormat(c, sh, lay, g, {});
  setProgress(c, 80);
  tableRules(c, sh, lay, last);
  const double size = bodyPoints(c.f);
  if (lay.c1 == 3) {
    sh.setColumnWidth(1, HXzlk(size, std::max(2, int(digitCount(c.s.Jss) / 2.0 + 0.5))));
    sh.setColumnWidth(2, HXzlk(size, c.st.Jsmkd));
  } else {
    sh.setColumnWidth(1, HXzlk(size, std::max(c.st.Jsmkd, 2)));
  }
  for (int col = lay.c1; col <= lay.lastColumn(); ++col) sh.setColumnWidth(col, HXzlk(size, lay.w));
  masterTitleRows(c, sh, lay.lastColumn());
  setProgress(c, 85);
  fitRowHeights(c, sh, 2, last, lay.lastColumn());
  for (int g = 1; g <= lay.G; ++g) sh.setRowHeight(lay.groupTop(g), 2 * size);
  acrossPages(c, sh, lay);
}

// The across form below row 2.
void teacherAcross(ExportCtx& c, Sheet& sh, const QString& teachers) {
  const int n = codeCount(teachers, 3);
  const MasterLayout lay = masterLayout(c, n, c.f.ChkBwfjs ? 3 : 2, false);
  const int total = std::max(1, lay.G * n);
  for (int g = 1; g <= lay.G; ++g) {
    const int top = lay.groupTop(g);
    Jsxxzbhp27h(c, sh, lay, g, top);
    for (int k = 0; k < n; ++k) {
      Xsjsjshirbzb(c, sh, lay, ValInt(codeAt(teachers, 3, k)), g, top + 3 + k);
      setProgress(c, 60 * ((g - 1) * n + k + 1) / total);
    }
  }
  formatAcross(c, sh, lay);
  setProgress(c, 100);
}

// The column heading of teacher t in the down form.
QString downHeading(const ExportCtx& c, int t) {
  const QString number = c.f.ChkBwfjs ? Qjl(digitCount(c.s.Jss), t) : QString();
  return number + (c.f.OptJsm == 1 ? c.s.Jsmc(t) : HJsm(c, t));
}

// The down form: one column per teacher from column D.
void teacherDown(ExportCtx& c, Sheet& sh, const QString& teachers) {
  const int n = codeCount(teachers, 3), layer = HCqls(c.st), w = std::max(1, HKbgkd(c));
  QList<int> numbers;
  for (int k = 0; k < n; ++k) numbers << ValInt(codeAt(teachers, 3, k));
  for (int k = 0; k < n; ++k) sh.setText(3, 4 + k, downHeading(c, numbers.at(k)));
  const int lastRow = downSlotRows(c, sh, [&](int row, int d, int p) {
    for (int k = 0; k < n; ++k) {
      const QString text = HXsytyjjsjshib(c, layer, w, d, p, numbers.at(k));
      if (!text.isEmpty()) sh.setText(row, 4 + k, text);
    }
  });
  downFormat(c, sh, 3 + n, lastRow, w, {});
  setProgress(c, 100);
}

}  // namespace

void teacherMasterTable(ExportCtx& c, Sheet& sh, const QString& teachers) {
  if (c.s.Hsdm == 1) {
    teacherDown(c, sh, teachers);
  } else {
    teacherAcross(c, sh, teachers);
  }
}

}  // namespace tavro
