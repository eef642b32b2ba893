// The class sheet template: headings, one two-column block per course, one row
// per class with its formulas, and the formatting.

#include "core/procedures.h"
#include "sheets/class_sheet.h"
#include "sheets/range.h"
#include "sheets/sheet_operation.h"

namespace tavro {

namespace {

int lastClassColumn(const School& s) {
  return 2 * s.Kcs + 6;
}
int lastClassRow(const School& s) {
  return s.Bjzs + 5;
}

void writeClassHeadings(Sheet& sh, const School& s) {
  sh.range("A:D").numberFormat("@");
  sh.range("3:4").numberFormat("@");
  putMerged(sh, 1, 1, 1, lastClassColumn(s), "班级数据表");
  sh.setText(2, 1,
             "说明：1、未定节数=全周节数-合班课节数-"
             "已定节数；2、各班的未定节数必需为0；3、表格的格式不能改动；4、班级、教师、课程的数量和序号、名"
             "称都不能在本表修改，如果需要修改必需在前面各表中进行；5、“空课”不能删除、修改、改变位置！6、淡"
             "黄色区域用户可以编辑。");
  const QStringList row3 = {"代码", "级名", "班名", "班主任", "合班课节数", "已定节数", "未定节数"};
  const QStringList row5 = {"不能改动", "2字",          "1～4字", "班主任序号或姓名",
                            "不能改动", "各科节数之和", "必需为0"};
  for (int col = 1; col <= 7; ++col) {
    putMerged(sh, 3, col, 4, col, row3.at(col - 1));
    sh.setText(5, col, row5.at(col - 1));
  }
  sh.setText(3, 8, "000");
  sh.setText(4, 8, "空课");
  sh.setText(5, 8, "节数");
  for (int k = 1; k < s.Kcs; ++k) {
    const int count = classCountColumn(k);
    putMerged(sh, 3, count, 3, count + 1, Lbq(3, k));
    putMerged(sh, 4, count, 4, count + 1, s.Kcmc(k));
    sh.setText(5, count, "节数");
    sh.setText(5, count + 1, "教师序号或姓名");
  }
}

void writeClassRows(Sheet& sh, const School& s) {
  const QString lastCount = Lzm(classCountColumn(s.Kcs - 1));
  const QString week = Szc(s.Mtjs * s.Mzts);
  int r = 6;
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    if (s.Njbjs(nj) == 0) continue;
    putMerged(sh, r, 2, r + s.Njbjs(nj) - 1, 2, s.Njm(nj));
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj, ++r) {
      const QString row = Szc(r);
      sh.setText(r, 1, Lbq(2, nj) + Lbq(2, bj));
      sh.setText(r, 3, Szc(bj));
      if (s.Hbks > 0) sh.setNumber(r, 5, Hbkjs(s, nj, bj));
      sh.setFormula(r, 6, "=sum(H" + row + ":" + lastCount + row + ")", 0);
      sh.setFormula(r, 7, "=" + week + "-E" + row + "-F" + row, 0);
    }
  }
  sh.recalculate();
}

// Colours, fonts and number formats of the first course block, copied to every other block.
void formatCourseBlocks(Sheet& sh, const School& s) {
  const int lastRow = std::max(lastClassRow(s), 6);
  sh.range(6, 9, lastRow, 9).numberFormat("");
  sh.range(6, 10, lastRow, 10).numberFormat("@");
  sh.range("A2:J2").fillIndex(2);
  sh.range(6, 2, lastRow, 4).fillIndex(36);
  sh.range(6, 8, lastRow, 10).fillIndex(36);
  sh.range("A5:J5").fontSize(9);
  sh.range(3, 9, lastRow, 10).grid(Line::Thin);
  sh.range(3, 9, lastRow, 10)
      .border(Edge::OutlineLeft, Line::Medium)
      .border(Edge::OutlineRight, Line::Medium);
  sh.range(3, 9, lastRow, 10).border(Edge::OutlineBottom, Line::Medium);
  sh.range(3, 9, 5, 10).border(Edge::OutlineBottom, Line::Medium);
  for (int k = 2; k < s.Kcs; ++k) {
    const int count = classCountColumn(k);
    sh.paste(CellRange{2, 9, lastRow, 10}, CellRange{2, count, lastRow, count + 1}, Paste::Formats);
  }
}

void formatClassTemplate(Sheet& sh, const School& s) {
  const int last = lastClassColumn(s);
  const int lastRow = std::max(lastClassRow(s), 6);
  sh.range("A1").fontSize(16).bold().wrap(false);
  sh.range("1:1").hAlign(HAlign::Centre).rowHeight(30.75);
  sh.range("A2").fontSize(9);
  sh.range(3, 1, 5, last).hAlign(HAlign::Centre).vAlign(VAlign::Centre).wrap();
  sh.range("5:5").rowHeight(31.5);
  sh.range(6, 1, lastRow, last).hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  sh.range("A:C").columnWidth(4);
  sh.range("D:E").columnWidth(6.25);
  sh.range("F:F").columnWidth(4.5);
  sh.range("G:H").columnWidth(4);
  for (int k = 1; k < s.Kcs; ++k) {
    sh.setColumnWidth(classCountColumn(k), 2.13);
    sh.setColumnWidth(classTeacherColumn(k), 6.13);
  }
  sh.range(3, 1, lastRow, 8).grid(Line::Thin);
  sh.range(3, 1, lastRow, 8).border(Edge::OutlineLeft, Line::Medium).border(Edge::OutlineRight, Line::Medium);
  sh.range(3, 1, 5, 8).border(Edge::OutlineBottom, Line::Medium);
  sh.range(3, 1, lastRow, 8).border(Edge::OutlineBottom, Line::Medium).border(Edge::OutlineTop, Line::Medium);
  sh.range(3, 1, lastRow, last).border(Edge::OutlineTop, Line::Medium);
  if (s.Kcs > 1) formatCourseBlocks(sh, s);
  sh.freezePanes(6, 4);
  fitToPageWidth(sh, true);
  sh.select(cellRange(1, 1));
}

}  // namespace

void writeClassTemplate(Sheet& sh, const School& s) {
  writeClassHeadings(sh, s);
  writeClassRows(sh, s);
  formatClassTemplate(sh, s);
}

}  // namespace tavro
