// Writing the subject-teacher and grade-teacher tables: columns down
// (Hsdm = 1) or one row per column (Hsdm = 0), the counts, the rules and the
// note that explains the markers.

#include <algorithm>

#include "core/procedures.h"
#include "export/master.h"
#include "export/names.h"
#include "export/printed_pages.h"
#include "export/teacher_tables.h"
#include "sheets/sheetops.h"

namespace tavro {

namespace {

// Number of decimal digits of n.
int digitCount(int n) {
  return int(Szc(std::max(n, 0)).size());
}

// Scxx: the right side of every cell of rows r1..r2, columns c1..c2: thin.
void Scxx(Sheet& sh, int r1, int r2, int c1, int c2) {
  for (int col = c1; col <= c2; ++col) Hbkx2(sh, r1, r2, col, kRuleThin);
}

// The title in A1 and the note in row noteRow, both merged across columns 1..lastCol; fonts; page.
void titleAndNote(ExportCtx& c, Sheet& sh, const TeacherColumns& table, int noteRow, int lastCol) {
  sh.setText(1, 1, c.f.Dcbt);
  sh.setText(noteRow, 1, table.note);
  setProgress(c, 95);
  textCells(sh, lastCol);
  A1ztzhyhzd(c, sh);
  A2Xztzhyhzd(c, sh, lastCol);
  sh.merge(CellRange{1, 1, 1, lastCol});
  sh.merge(CellRange{noteRow, 1, noteRow, lastCol});
  sh.range(1, 1, 1, lastCol).wrap(false).hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  sh.range(noteRow, 1, noteRow, lastCol).wrap().hAlign(HAlign::Left);
  sh.setRowHeight(1, 30.75);
  sh.setRowHeight(noteRow, 1.5 * bodyPoints(c.f));
  sh.select(cellRange(2, 1));
}

// The printed pages: the whole table on one page when it fits at a readable scale, else broken
// between entry rows. Down (columns down): the headers and counts (rows 2 and 3) repeat on every
// page; across (one row per column): the header and count columns (1 and 2) do.
void teacherTablePages(const ExportCtx& c, Sheet& sh, int lastCol, int noteRow, bool down) {
  fitRowHeights(c, sh, 2, noteRow - 1, lastCol);
  PrintPlan plan;
  plan.lastColumn = lastCol;
  plan.lastRow = noteRow;
  plan.minScale = readableScale(bodyPoints(c.f));
  plan.bands.push_back(breakableBand(1, noteRow, down ? 4 : 2));
  if (down) plan.repeatFirst = 2, plan.repeatLast = 3;
  for (int col = down ? 1 : 3; col < lastCol; ++col) plan.columnCuts.push_back(col);
  if (!down) plan.repeatColumns = {1, 2};
  setPrintedPages(sh, plan);
}

// Columns down: headers in row 2, counts in row 3, entries from row 4.
void columnsDown(ExportCtx& c, Sheet& sh, const TeacherColumns& table) {
  const int k = int(table.columns.size()), e = table.mostEntries();
  for (int j = 0; j < k; ++j) {
    const TeacherColumn& col = table.columns.at(j);
    sh.setText(2, j + 1, col.header);
    sh.setText(3, j + 1, Szc(col.entries.size()));
    for (int i = 0; i < col.entries.size(); ++i) sh.setText(4 + i, j + 1, col.entries.at(i));
    setProgress(c, 90 * (j + 1) / std::max(1, k));
  }
  Hbkx(sh, 2, 1, k, 3, kRuleOutline);
  Hbkx(sh, 3, 1, k, 3, kRuleMedium);
  Hbkx(sh, 3, 1, k, 4, kRuleMedium);
  Hbkx(sh, e + 3, 1, k, 4, kRuleMedium);
  Scxx(sh, 2, e + 3, 1, k);
  sh.range(2, 1, 3, k).hAlign(HAlign::Centre);
  for (int col = 1; col <= k; ++col) sh.setColumnWidth(col, HXzlk(bodyPoints(c.f), table.width));
  titleAndNote(c, sh, table, e + 4, k);
  teacherTablePages(c, sh, k, e + 4, true);
}

// One row per column: the header in column 1, the count in column 2, the entries from column 3.
void columnsAcross(ExportCtx& c, Sheet& sh, const TeacherColumns& table) {
  const int k = int(table.columns.size()), e = table.mostEntries(), lastCol = e + 2;
  int headerWidth = 2;
  for (int j = 0; j < k; ++j) {
    const TeacherColumn& col = table.columns.at(j);
    sh.setText(j + 2, 1, col.header);
    sh.setText(j + 2, 2, Qjkg(digitCount(c.s.Jss), col.entries.size()));
    for (int i = 0; i < col.entries.size(); ++i) sh.setText(j + 2, 3 + i, col.entries.at(i));
    headerWidth = std::max(headerWidth, int(trimRight(col.header).size()));
    setProgress(c, 90 * (j + 1) / std::max(1, k));
  }
  Hbkx(sh, 2, 1, lastCol, 3, kRuleOutline);
  Hwg(sh, 2, k, lastCol, kRuleThin);
  Hwg(sh, k + 1, k + 1, lastCol, kRuleMedium);
  Hbkx2(sh, 2, k + 1, 1, kRuleMedium);
  Hbkx2(sh, 2, k + 1, 2, kRuleMedium);
  Scxx(sh, 2, k + 1, 3, lastCol);
  sh.range(2, 1, k + 1, 2).hAlign(HAlign::Centre);
  const double size = bodyPoints(c.f);
  sh.setColumnWidth(1, HXzlk(size, headerWidth));
  sh.setColumnWidth(2, HXzlk(size, digitCount(c.s.Jss)));
  for (int col = 3; col <= lastCol; ++col) sh.setColumnWidth(col, HXzlk(size, table.width));
  titleAndNote(c, sh, table, k + 2, lastCol);
  teacherTablePages(c, sh, lastCol, k + 2, false);
}

// Either form, by Hsdm.
void writeTeacherColumns(ExportCtx& c, Sheet& sh, const TeacherColumns& table) {
  if (c.s.Hsdm == 1) {
    columnsDown(c, sh, table);
  } else {
    columnsAcross(c, sh, table);
  }
  setProgress(c, 100);
}

}  // namespace

void Ckxkjs(ExportCtx& c, Sheet& sh, const TeacherColumns& table) {
  writeTeacherColumns(c, sh, table);
}

void Cknjjs(ExportCtx& c, Sheet& sh, const TeacherColumns& table) {
  writeTeacherColumns(c, sh, table);
}

}  // namespace tavro
