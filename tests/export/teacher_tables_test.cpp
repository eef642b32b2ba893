// The subject-teacher and grade-teacher tables read back from the written
// file: columns, counts, entries padded to one width and markers in both
// directions, the note, grades without teachers, the empty choice and the
// transposed form.

#include <gtest/gtest.h>

#include "export/dispatch.h"
#include "export/handlers.h"
#include "tests/export/export_fixture.h"

namespace tavro::testing {
namespace {

// Teacher 1: 语文 in 7/1 and 8/1, 数学 in 7/2; teacher 2: 数学 in 7/1; teacher 3: 英语 in 7/1 and 7/2.
void plans(ExportFixture& fx) {
  fx.plan(7, 1, 1, 1, 1, 5);
  fx.plan(8, 1, 1, 1, 1, 5);
  fx.plan(7, 2, 1, 2, 1, 4);
  fx.plan(7, 1, 2, 2, 2, 4);
  fx.plan(7, 1, 3, 3, 3, 3);
  fx.plan(7, 2, 2, 3, 3, 3);
}

// Chooses item 2 or 3 and the courses of the given LstKc rows.
void chooseCourses(ExportFixture& fx, int item, const QList<int>& rows) {
  ExportCtx c = fx.ctx();
  CmbXiangmu_Click(c, item);
  fx.form.ChkQbkc = false;
  ChkQbkc_Click(c);
  for (int i = 0; i < fx.state.LstKc.count(); ++i) fx.state.LstKc.setSelected(i, rows.contains(i));
}

TEST(SubjectTeacherTable, MarksPointForwardAndBack) {
  ExportFixture fx;
  plans(fx);
  chooseCourses(fx, 2, {1, 2});
  ASSERT_EQ(fx.school.Hsdm, 1);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_TRUE(fx.form.Dcbt.endsWith(QStringLiteral("语文数学教师表"))) << fx.form.Dcbt.toStdString();
  EXPECT_EQ(sh.text(1, 1), fx.form.Dcbt);
  EXPECT_EQ(sh.text(2, 1), QStringLiteral("语文"));
  EXPECT_EQ(sh.text(2, 2), QStringLiteral("数学"));
  EXPECT_EQ(sh.text(3, 1), QStringLiteral("1"));
  EXPECT_EQ(sh.text(3, 2), QStringLiteral("2"));
  EXPECT_EQ(sh.text(4, 1), QStringLiteral("张　三　●"));
  EXPECT_EQ(sh.text(4, 2), QStringLiteral("李四光　"));
  EXPECT_EQ(sh.text(5, 2), QStringLiteral("张　三　○"));
  EXPECT_EQ(sh.text(6, 1), QStringLiteral("●后面学科还有，○已在前面学科"));
  EXPECT_TRUE(isMerged(sh, 6, 1, 6, 2));
  EXPECT_TRUE(isMerged(sh, 1, 1, 1, 2));
  EXPECT_EQ(sideLine(sh, 2, 1, Side::Top), Line::Double);
  EXPECT_EQ(sideLine(sh, 3, 1, Side::Top), Line::Medium);
  EXPECT_EQ(sideLine(sh, 3, 1, Side::Bottom), Line::Medium);
  EXPECT_EQ(sideLine(sh, 5, 2, Side::Bottom), Line::Medium);
  EXPECT_EQ(sideLine(sh, 4, 1, Side::Right), Line::Thin);
  EXPECT_EQ(sideLine(sh, 4, 2, Side::Right), Line::Thin);
}

TEST(SubjectTeacherTable, ThreeCoursesOfOneTeacherAndTeacherCodes) {
  ExportFixture fx;
  fx.plan(7, 1, 1, 1, 1, 5);
  fx.plan(7, 1, 2, 2, 1, 4);
  fx.plan(7, 1, 3, 3, 1, 3);
  fx.school.Jss = 120;
  chooseCourses(fx, 2, {1, 2, 3});
  ExportCtx c = fx.ctx();
  fx.form.ChkBwfjs = true;
  ChkBwfjs_Click(c);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(sh.text(4, 1), QStringLiteral("001张　三　●"));
  EXPECT_EQ(sh.text(4, 2), QStringLiteral("001张　三　○"));
  EXPECT_EQ(sh.text(4, 3), QStringLiteral("001张　三　○"));
}

TEST(GradeTeacherTable, MarksRunTheOtherWayAndEmptyGradesHaveNoColumn) {
  ExportFixture fx;
  plans(fx);
  chooseCourses(fx, 3, {1, 2, 3});
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_TRUE(fx.form.Dcbt.endsWith(QStringLiteral("教师表")));
  EXPECT_EQ(sh.text(2, 1), QStringLiteral("初一"));
  EXPECT_EQ(sh.text(2, 2), QStringLiteral("初二"));
  EXPECT_EQ(sh.text(2, 3), QString());  // grade 9 has no classes
  EXPECT_EQ(sh.text(3, 1), QStringLiteral("3"));
  EXPECT_EQ(sh.text(4, 1), QStringLiteral("张　三　○"));
  EXPECT_EQ(sh.text(5, 1), QStringLiteral("李四光　"));
  EXPECT_EQ(sh.text(6, 1), QStringLiteral("王　五　"));
  EXPECT_EQ(sh.text(4, 2), QStringLiteral("张　三　●"));
  EXPECT_EQ(sh.text(7, 1), QStringLiteral("●更低年级还有，○已在更高年级"));

  // Only 英语: grade 8 has nobody teaching it and gets no column.
  chooseCourses(fx, 3, {3});
  const Workbook english = fx.exportNow();
  const Sheet& only = english.first();
  EXPECT_EQ(only.text(2, 1), QStringLiteral("初一"));
  EXPECT_EQ(only.text(3, 1), QStringLiteral("1"));
  EXPECT_EQ(only.text(4, 1), QStringLiteral("王　五　"));
  EXPECT_EQ(only.text(2, 2), QString());
}

TEST(GradeTeacherTable, NobodyFoundWritesNoFile) {
  ExportFixture fx;
  plans(fx);
  chooseCourses(fx, 3, {0});  // 空课 has no teacher
  ExportCtx c = fx.ctx();
  const ExportResult r = CmdDc_Click(c, ExportPaths{fx.settingsPath, fx.outPath}, {}, QDate(2026, 12, 9));
  EXPECT_FALSE(r.written);
  EXPECT_FALSE(QFile::exists(fx.outPath));
  EXPECT_EQ(fx.ui.texts(QStringLiteral("info")), QStringList{QStringLiteral("没有符合要求的教师！")});
}

TEST(SubjectTeacherTable, TransposedFormHasOneRowPerCourse) {
  ExportFixture fx;
  plans(fx);
  chooseCourses(fx, 2, {1, 2});
  fx.school.Hsdm = 0;
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(sh.text(2, 1), QStringLiteral("语文"));
  EXPECT_EQ(sh.text(2, 2), QStringLiteral("１"));
  EXPECT_EQ(sh.text(2, 3), QStringLiteral("张　三　●"));
  EXPECT_EQ(sh.text(3, 1), QStringLiteral("数学"));
  EXPECT_EQ(sh.text(3, 2), QStringLiteral("２"));
  EXPECT_EQ(sh.text(3, 3), QStringLiteral("李四光　"));
  EXPECT_EQ(sh.text(3, 4), QStringLiteral("张　三　○"));
  EXPECT_EQ(sh.text(4, 1), QStringLiteral("●后面学科还有，○已在前面学科"));
  EXPECT_TRUE(isMerged(sh, 4, 1, 4, 4));
  EXPECT_TRUE(isMerged(sh, 1, 1, 1, 4));
  EXPECT_EQ(sideLine(sh, 2, 3, Side::Top), Line::Double);
  EXPECT_EQ(sideLine(sh, 2, 3, Side::Bottom), Line::Thin);
  EXPECT_EQ(sideLine(sh, 3, 3, Side::Bottom), Line::Medium);
  EXPECT_EQ(sideLine(sh, 3, 2, Side::Right), Line::Medium);
  EXPECT_EQ(sideLine(sh, 3, 4, Side::Right), Line::Thin);
}

}  // namespace
}  // namespace tavro::testing
