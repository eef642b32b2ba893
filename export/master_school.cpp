// The school master table "学校总表": one line per chosen class, the slots of
// the chosen weekdays and periods across (in day groups), or one column per
// class with the slots down (Hsdm = 1).

#include <algorithm>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "export/master.h"
#include "export/names.h"
#include "export/selection.h"
#include "export/weekly.h"

namespace tavro {

namespace {

// One class of the table.
struct ClassLine {
  int nj = 0, bj = 0;
};

// The classes in table order: with "全校" every class of the grade set, grade by grade, else the class
// set in set order. lastOfGrade gets the 0-based index of each grade's last class (with "全校" only).
QList<ClassLine> masterClasses(const ExportCtx& c, QList<int>& lastOfGrade) {
  QList<ClassLine> lines;
  if (c.f.ChkQx) {
    const QString grades = HBxnjjh(c);
    for (int i = 0; i < codeCount(grades, 2); ++i) {
      const int nj = ValInt(codeAt(grades, 2, i));
      for (int bj = 1; bj <= c.s.Njbjs(nj); ++bj) lines << ClassLine{nj, bj};
      if (!lines.isEmpty()) lastOfGrade << int(lines.size()) - 1;
    }
    return lines;
  }
  const QString classes = HBxbjjh(c);
  for (int i = 0; i < codeCount(classes, 4); ++i) {
    const QString code = codeAt(classes, 4, i);
    lines << ClassLine{ValMid(code, 0, 2), ValMid(code, 2, 2)};
  }
  return lines;
}

// Xxzbyjk: the text of class (nj, bj)'s lesson at weekday d, period p: the course, and the teacher on
// a second line with "课表内附教师".
QString Xxzbyjk(const ExportCtx& c, int layer, int w, int nj, int bj, int d, int p) {
  WeeklyLayout cells;
  cells.layer = layer;
  cells.w = w;
  const ClassCell cell = Bjbkcjsjshi(c, cells, nj, bj, d, p, nullptr);
  return cellLines({cell.course, c.f.ChkBnfjs ? cell.teacher : QString()});
}

// Xxzbnrh: the line of one class in group g at row r.
void Xxzbnrh(const ExportCtx& c, Sheet& sh, const MasterLayout& lay, const ClassLine& k, int g, int r) {
  sh.setText(r, 1, HBjmc(c, k.nj, k.bj));
  for (int i = 1; i <= lay.m; ++i) {
    const int d = lay.day(g, i);
    if (d > c.s.Mzts) continue;  // a padded day stays blank
    for (int q = 0; q < lay.periods; ++q) {
      const int p = ValMid(c.f.Dcjcjh, 2 * q, 2);
      sh.setText(r, lay.c1 + (i - 1) * lay.periods + q, Xxzbyjk(c, lay.layer, lay.w, k.nj, k.bj, d, p));
    }
  }
}

// Formatting of the whole across table.
void formatAcross(ExportCtx& c, Sheet& sh, const MasterLayout& lay, const QList<int>& lastOfGrade) {
  const int last = lay.groupTop(lay.G) + lay.lines + 2;
  for (int g = 1; g <= lay.G; ++g) {
    QList<int> gradeEnds;
    for (int k : lastOfGrade) gradeEnds << lay.groupTop(g) + 3 + k;
    groupFormat(c, sh, lay, g, gradeEnds);
  }
  tableRules(c, sh, lay, last);
  const double size = bodyPoints(c.f);
  sh.setColumnWidth(1, HXzlk(size, c.st.Bjmkd));
  for (int col = 2; col <= lay.lastColumn(); ++col) sh.setColumnWidth(col, HXzlk(size, lay.w));
  masterTitleRows(c, sh, lay.lastColumn());
  fitRowHeights(c, sh, 2, last, lay.lastColumn());
  for (int g = 1; g <= lay.G; ++g) sh.setRowHeight(lay.groupTop(g), 2 * size);
  acrossPages(c, sh, lay);
}

// Dcxtxxzb: the across form below row 2.
void Dcxtxxzb(ExportCtx& c, Sheet& sh) {
  QList<int> lastOfGrade;
  const QList<ClassLine> classes = masterClasses(c, lastOfGrade);
  const MasterLayout lay = masterLayout(c, int(classes.size()), 2, true);
  const int total = std::max(1, lay.G * int(classes.size()));
  for (int g = 1; g <= lay.G; ++g) {
    const int top = lay.groupTop(g);
    Jsxxzbhp27h(c, sh, lay, g, top);
    for (int k = 0; k < classes.size(); ++k) {
      Xxzbnrh(c, sh, lay, classes.at(k), g, top + 3 + k);
      setProgress(c, 60 * ((g - 1) * int(classes.size()) + k + 1) / total);
    }
    setProgress(c, 65 * g / lay.G);
  }
  formatAcross(c, sh, lay, lastOfGrade);
  setProgress(c, 100);
}

// The down form: one column per class from column D.
void schoolDown(ExportCtx& c, Sheet& sh) {
  QList<int> lastOfGrade;
  const QList<ClassLine> classes = masterClasses(c, lastOfGrade);
  const int layer = HCqls(c.st), w = std::max(1, HKbgkd(c));
  for (int k = 0; k < classes.size(); ++k) sh.setText(3, 4 + k, HBjmc(c, classes.at(k).nj, classes.at(k).bj));
  const int lastRow = downSlotRows(c, sh, [&](int row, int d, int p) {
    for (int k = 0; k < classes.size(); ++k)
      sh.setText(row, 4 + k, Xxzbyjk(c, layer, w, classes.at(k).nj, classes.at(k).bj, d, p));
  });
  QList<int> itemEnds;
  for (int k : lastOfGrade) itemEnds << 4 + k;
  downFormat(c, sh, 3 + int(classes.size()), lastRow, w, itemEnds);
  setProgress(c, 100);
}

}  // namespace

void Xsxxzb(ExportCtx& c, Sheet& sh) {
  if (c.s.Hsdm == 1) {
    schoolDown(c, sh);
  } else {
    Dcxtxxzb(c, sh);
  }
}

}  // namespace tavro
