// The teacher assignment table read back from the written file: headers,
// entries that continue on the next row, merges of a teacher's rows, the "0"
// of a teacher without lessons, combined lessons and the summary line.

#include "export/assignment.h"

#include <gtest/gtest.h>

#include "export/dispatch.h"
#include "export/handlers.h"
#include "tests/export/export_fixture.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {
namespace {

// Teacher 1 teaches 语文 in all five classes and 数学 in two; teacher 2 英语 in one class; teacher 3
// nothing; teacher 4 a whole-school 英语 lesson (two periods) and a 数学 lesson of two classes.
void assignments(ExportFixture& fx) {
  const int classes[][2] = {{7, 1}, {7, 2}, {7, 3}, {8, 1}, {8, 2}};
  for (const auto& k : classes) fx.plan(k[0], k[1], 1, 1, 1, 5);
  fx.plan(7, 1, 2, 2, 1, 4);
  fx.plan(7, 2, 2, 2, 1, 4);
  fx.plan(7, 1, 3, 3, 2, 3);
  fixtures::addCombinedLesson(fx.school, QStringLiteral("6"), QStringLiteral("0000"),
                              QStringLiteral("01070108"), 3, QStringLiteral("004"));
  fixtures::addCombinedLesson(fx.school, QStringLiteral("8"), QStringLiteral("07010702"),
                              QStringLiteral("0201"), 2, QStringLiteral("004"));
  fixtures::addCombinedLesson(fx.school, QStringLiteral("5"), QStringLiteral("0000"), QStringLiteral("0501"),
                              2, QStringLiteral("班主任"));
  fx.school.Bjmcd = 5;  // 24 / (5 + 3) = three entry columns
  fx.school.Ypbjs = 5;
}

TEST(TeacherAssignmentTable, TeachersSpanRowsWithMergesAndTotals) {
  ExportFixture fx;
  assignments(fx);
  ExportCtx c = fx.ctx();
  CmbXiangmu_Click(c, 1);
  ASSERT_TRUE(fx.form.ChkQbjs);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_TRUE(sh.text(1, 1).endsWith(QStringLiteral("教师任课情况表")));
  EXPECT_EQ(sh.text(2, 1), QStringLiteral("共有4人，不含教师是班主任的合班课　全周共40节"));
  const QStringList headers{"姓名", "班主任", "节数", "课程", "班级及节数"};
  for (int col = 1; col <= 5; ++col) EXPECT_EQ(sh.text(3, col), headers[col - 1]);
  EXPECT_TRUE(isMerged(sh, 3, 5, 3, 7));
  // Teacher 1: 语文 over two rows (three entries per row), then 数学.
  EXPECT_EQ(sh.text(4, 1), QStringLiteral("张　三"));
  EXPECT_EQ(sh.text(4, 2), QStringLiteral("初一1班"));
  EXPECT_EQ(sh.text(4, 3), QStringLiteral("33"));
  EXPECT_EQ(sh.text(4, 4), QStringLiteral("语文"));
  EXPECT_EQ(sh.text(4, 5), QStringLiteral("初一1班 5"));
  EXPECT_EQ(sh.text(4, 7), QStringLiteral("初一3班 5"));
  EXPECT_EQ(sh.text(5, 5), QStringLiteral("初二1班 5"));
  EXPECT_EQ(sh.text(5, 6), QStringLiteral("初二2班 5"));
  EXPECT_EQ(sh.text(6, 4), QStringLiteral("数学"));
  EXPECT_EQ(sh.text(6, 6), QStringLiteral("初一2班 4"));
  for (int col = 1; col <= 3; ++col) EXPECT_TRUE(isMerged(sh, 4, col, 6, col)) << col;
  EXPECT_TRUE(isMerged(sh, 4, 4, 5, 4));
  EXPECT_EQ(sideLine(sh, 6, 7, Side::Bottom), Line::Thin);
  EXPECT_EQ(sideLine(sh, 5, 7, Side::Bottom), Line::None);
  // Teacher 2 and teacher 3, who teaches nothing.
  EXPECT_EQ(sh.text(7, 1), QStringLiteral("李四光"));
  EXPECT_EQ(sh.text(7, 2), QStringLiteral("初二1班"));
  EXPECT_EQ(sh.text(7, 5), QStringLiteral("初一1班 3"));
  EXPECT_EQ(sh.text(8, 1), QStringLiteral("王　五"));
  EXPECT_EQ(sh.text(8, 3), QStringLiteral("0"));
  EXPECT_EQ(sh.text(8, 4), QString());
  EXPECT_EQ(sideLine(sh, 8, 1, Side::Bottom), Line::Thin);
  // Teacher 4: each combined lesson counted once; the whole-school lesson named "全校".
  EXPECT_EQ(sh.text(9, 3), QStringLiteral("3"));
  EXPECT_EQ(sh.text(9, 4), QStringLiteral("数学"));
  EXPECT_EQ(sh.text(9, 5), QStringLiteral("初一1班 1"));
  EXPECT_EQ(sh.text(9, 6), QStringLiteral("初一2班 1"));
  EXPECT_EQ(sh.text(10, 4), QStringLiteral("英语"));
  EXPECT_EQ(sh.text(10, 5), QStringLiteral("全校 2"));
  EXPECT_TRUE(isMerged(sh, 9, 1, 10, 1));
  EXPECT_EQ(sh.lastRow(), 10);
  // Rules of the header row and the name column.
  EXPECT_EQ(sideLine(sh, 3, 2, Side::Top), Line::Double);
  EXPECT_EQ(sideLine(sh, 3, 2, Side::Bottom), Line::Medium);
  EXPECT_EQ(sideLine(sh, 7, 1, Side::Right), Line::Medium);
  EXPECT_EQ(sh.rowHeight(1), 30.75);
  EXPECT_EQ(sh.rowHeight(3), 22.5);
}

TEST(TeacherAssignmentTable, TeacherCodesAddTheNumberColumn) {
  ExportFixture fx;
  assignments(fx);
  ExportCtx c = fx.ctx();
  CmbXiangmu_Click(c, 1);
  fx.form.ChkBwfjs = true;
  ChkBwfjs_Click(c);
  fx.form.ChkQbjs = false;
  ChkQbjs_Click(c);
  fx.state.LstJs.setSelected(2, true);  // teacher 002 (row 0 is "000无")
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(sh.text(2, 1), QStringLiteral("共有1人　全周共40节"));
  EXPECT_EQ(sh.text(3, 1), QStringLiteral("序号"));
  EXPECT_EQ(sh.text(3, 2), QStringLiteral("姓名"));
  EXPECT_EQ(sh.text(4, 1), QStringLiteral("2"));
  EXPECT_EQ(sh.text(4, 2), QStringLiteral("李四光"));
  EXPECT_EQ(sh.text(4, 6), QStringLiteral("初一1班 3"));
  EXPECT_EQ(sh.lastRow(), 4);
  EXPECT_EQ(sideLine(sh, 4, 1, Side::Right), Line::Thin);
  EXPECT_EQ(sideLine(sh, 4, 2, Side::Right), Line::Medium);
}

TEST(TeacherAssignmentTable, ByClassesAndCoursesTakesTheirTeachers) {
  ExportFixture fx;
  assignments(fx);
  ExportCtx c = fx.ctx();
  fillCourseList(c);
  CmbXiangmu_Click(c, 1);
  OptXzjsfs_Click(c, 1);
  fx.state.LstKc.setSelected(1, false);
  fx.state.LstKc.setSelected(3, true);  // 英语 only
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  // Teacher 2 from the plan, teacher 4 from the combined lesson.
  EXPECT_EQ(sh.text(2, 1), QStringLiteral("共有2人　全周共40节"));
  EXPECT_EQ(sh.text(4, 1), QStringLiteral("李四光"));
  EXPECT_EQ(sh.text(5, 1), QStringLiteral("赵六一"));

  // No class chosen: the class message, and no file.
  fx.form.ChkQx = false;
  ChkQx_Click(c);
  fx.ui.clearEvents();
  const ExportResult r = CmdDc_Click(c, ExportPaths{fx.settingsPath, fx.outPath}, {}, QDate(2026, 12, 9));
  EXPECT_FALSE(r.written);
  EXPECT_EQ(fx.ui.texts(QStringLiteral("info")),
            QStringList{QStringLiteral("因为“选择教师方式”是“按班级和课程”，所以必需选择班级！")});
}

TEST(TeacherAssignmentTable, EntryTexts) {
  ExportFixture fx;
  assignments(fx);
  ExportCtx c = fx.ctx();
  EXPECT_EQ(Bjmjh(c, AssignmentEntry{1, QStringLiteral("0801"), {5}}), QStringLiteral("初二1班 5"));
  EXPECT_EQ(Bjmjh(c, AssignmentEntry{1, QStringLiteral("0801"), {1, 5}}), QStringLiteral("初二1班 0105"));
  EXPECT_EQ(Bjmjh(c, AssignmentEntry{3, QStringLiteral("9001"), {2}}), QStringLiteral("全校 2"));
  const TeacherAssignment a = Jsrksj(c, 4);
  EXPECT_EQ(a.total, 3);
  EXPECT_EQ(a.courses, (QList<int>{2, 3}));
  // The head teachers' class meeting is left out.
  EXPECT_EQ(Jsrksj(c, 1).total, 33);
}

}  // namespace
}  // namespace tavro::testing
