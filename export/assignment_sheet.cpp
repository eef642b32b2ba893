// Writing the teacher assignment table: headers, one block of rows per
// teacher (a course's entries continue on the next row when its row is full),
// the merges of a teacher's block, fonts and rules.

#include <algorithm>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "export/assignment.h"
#include "export/master.h"
#include "export/names.h"
#include "export/printed_pages.h"
#include "sheets/sheetops.h"

namespace tavro {

namespace {

// Columns of the table; with "附教师代码" every column moves one to the right of "序号".
struct AssignmentColumns {
  int o = 0;  // 1 with "附教师代码"
  int k = 1;  // entry columns
  int name() const { return 1 + o; }
  int head() const { return 2 + o; }
  int total() const { return 3 + o; }
  int course() const { return 4 + o; }
  int entries() const { return 5 + o; }
  int last() const { return 4 + o + k; }
};

// Row 3: the column headers.
void headers(Sheet& sh, const AssignmentColumns& col) {
  if (col.o == 1) sh.setText(3, 1, QStringLiteral("序号"));
  sh.setText(3, col.name(), QStringLiteral("姓名"));
  sh.setText(3, col.head(), QStringLiteral("班主任"));
  sh.setText(3, col.total(), QStringLiteral("节数"));
  sh.setText(3, col.course(), QStringLiteral("课程"));
  sh.setText(3, col.entries(), QStringLiteral("班级及节数"));
  sh.merge(CellRange{3, col.entries(), 3, col.last()});
}

// The name of the class teacher t is head teacher of, without "　"; "" when none.
QString headClass(const ExportCtx& c, int t) {
  const QString code = Bzrbj(c.s, t);
  if (code.isEmpty()) return QString();
  return HBjmc(c, ValMid(code, 0, 2), ValMid(code, 2, 2)).remove(QChar(0x3000));
}

// The course rows of one teacher from row r; returns the teacher's last row.
int courseRows(const ExportCtx& c, Sheet& sh, const AssignmentColumns& col, const TeacherAssignment& a,
               int r) {
  int row = r;
  for (int i = 0; i < a.courses.size(); ++i, ++row) {
    const int course = a.courses.at(i), first = row;
    sh.setText(row, col.course(), HKcmc(c, course));
    int k = 0;
    for (const AssignmentEntry& e : a.entries) {
      if (e.course != course) continue;
      if (k == col.k) k = 0, ++row;
      sh.setText(row, col.entries() + k++, Bjmjh(c, e));
    }
    if (row > first) sh.merge(CellRange{first, col.course(), row, col.course()});
  }
  return row - 1;
}

// One teacher's block from row r; returns the row after it.
int teacherRows(const ExportCtx& c, Sheet& sh, const AssignmentColumns& col, const TeacherAssignment& a,
                int r) {
  if (col.o == 1) sh.setText(r, 1, Szc(a.teacher));
  sh.setText(r, col.name(), HJsm(c, a.teacher));
  sh.setText(r, col.head(), headClass(c, a.teacher));
  int last = r;
  if (a.total < 1 || a.courses.isEmpty()) {
    sh.setText(r, col.total(), QStringLiteral("0"));
  } else {
    sh.setText(r, col.total(), Szc(a.total));
    last = courseRows(c, sh, col, a, r);
  }
  Hbkx(sh, last, 1, col.last(), 4, kRuleThin);
  if (last > r)
    for (int column = 1; column <= col.total(); ++column) sh.merge(CellRange{r, column, last, column});
  return last + 1;
}

// Jsjshiqkbdcgs: fonts, merges of the two top rows, alignment, widths and rules (last row R).
void Jsjshiqkbdcgs(ExportCtx& c, Sheet& sh, const AssignmentColumns& col, int R) {
  const int last = col.last();
  textCells(sh, last);
  A1ztzhyhzd(c, sh);
  A2Xztzhyhzd(c, sh, last);
  setProgress(c, 70);
  sh.merge(CellRange{1, 1, 1, last});
  sh.merge(CellRange{2, 1, 2, last});
  sh.range(1, 1, 2, last).fillIndex(2);
  sh.range(1, 1, 1, last).hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  sh.range(3, 1, 3, last).hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  sh.range(2, 1, 2, last).hAlign(HAlign::Left);
  sh.range(4, 1, R, col.course()).vAlign(VAlign::Centre).hAlign(HAlign::Centre);
  setProgress(c, 80);
  sh.autoFitColumns(1, last);
  fitRowHeights(c, sh, 2, R, last);
  sh.setRowHeight(1, 30.75);
  sh.setRowHeight(3, 22.5);
  Hbkx(sh, 3, 1, last, 3, kRuleOutline);
  Hbkx(sh, 3, 1, last, 4, kRuleMedium);
  Hbkx2(sh, 3, R, col.name(), kRuleMedium);
  if (col.o == 1) Hbkx2(sh, 3, R, 1, kRuleThin);
  setProgress(c, 90);
}

// The printed pages: every teacher's rows whole on one page, the column headers (row 3) repeated on
// every page; blocks lists the first row of every teacher and, last, the row after the table.
void assignmentPages(const ExportCtx& c, Sheet& sh, const AssignmentColumns& col, const QList<int>& blocks) {
  PrintPlan plan;
  plan.lastColumn = col.last();
  plan.lastRow = std::max(3, blocks.last() - 1);
  plan.minScale = readableScale(bodyPoints(c.f));
  for (int i = 0; i + 1 < blocks.size(); ++i) {
    const int first = blocks.at(i), last = blocks.at(i + 1) - 1;
    plan.bands.push_back(breakableBand(i == 0 ? 1 : first, last, first));
  }
  plan.repeatFirst = plan.repeatLast = 3;
  setPrintedPages(sh, plan);
}

}  // namespace

void Ckjsrk(ExportCtx& c, Sheet& sh, const AssignmentTable& table) {
  AssignmentColumns col;
  col.o = c.f.ChkBwfjs ? 1 : 0;
  col.k = std::max(1, 24 / std::max(1, c.s.Bjmcd + 3));
  sh.setText(1, 1, c.f.Dcbt);
  sh.setText(2, 1, assignmentSummary(c, table.N));
  sh.range(1, 1, 1, 1).wrap(false);
  headers(sh, col);
  QList<int> blocks{4};
  const int count = int(table.teachers.size());
  for (int i = 0; i < count; ++i) {
    blocks << teacherRows(c, sh, col, table.teachers.at(i), blocks.last());
    setProgress(c, 50 * (i + 1) / count);
  }
  Jsjshiqkbdcgs(c, sh, col, blocks.last() - 1);
  assignmentPages(c, sh, col, blocks);
  sh.select(cellRange(1, 1));
  setProgress(c, 100);
}

}  // namespace tavro
