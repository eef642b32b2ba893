// The course sheet: default template, the import of courses, limits, banned and
// research periods, blocked teacher cells, and every message of its checks.

#include "sheets/course_sheet.h"

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "sheets/teacher_sheet.h"
#include "tests/sheets/sheet_fixtures.h"

namespace tavro::testing {
namespace {

// A school of 25 classes and 15 courses with 10 periods a day, for the template defaults.
School templateSchool() {
  School s;
  s.Mzts = 5;
  s.Mtjs = 10;
  s.Swjs = 4;
  s.Xwjs = 6;
  s.Bjzs = 25;
  s.Kcs = 15;
  s.sizeCourseTables();
  return s;
}

TEST(CourseSheet, TemplateHoldsTheDefaultCoursesAndLimits) {
  School s = templateSchool();
  Sheet sh;
  writeCourseTemplate(sh, s);
  EXPECT_EQ(sh.mergeAt(1, 1), parseRange("A1:Z1"));  // 2 x 10 + 6 columns
  EXPECT_EQ(sh.text("E3"), "全校同时\n上的最大\n班级数");
  EXPECT_EQ(sh.text("F3"), "每天禁排的节次（是:y；否:不填）");
  EXPECT_EQ(sh.mergeAt(3, 6), parseRange("F3:O3"));
  EXPECT_EQ(sh.text("P3"), "教研活动（填法见示例：语文教研星期一第5、6节）");
  EXPECT_EQ(sh.mergeAt(3, 16), parseRange("P3:Z3"));
  EXPECT_EQ(sh.text("P4"), "星期");
  EXPECT_EQ(sh.mergeAt(4, 6), parseRange("F4:I4"));
  EXPECT_EQ(sh.text("J4"), "下午");
  EXPECT_EQ(sh.text("Q5"), "1");
  EXPECT_EQ(sh.text("B6"), "空课");
  EXPECT_EQ(sh.text("C6"), "╳");
  EXPECT_EQ(sh.text("D6"), "3");
  EXPECT_EQ(sh.text("B7"), "语文");
  EXPECT_EQ(sh.text("D7"), "1");
  EXPECT_EQ(sh.text("D10"), "");  // 物理: ordinary
  EXPECT_EQ(sh.text("B20"), "信息");
  EXPECT_EQ(sh.text("F16"), "y");  // 体育 never in periods 1 and 2
  EXPECT_EQ(sh.text("G16"), "y");
  EXPECT_EQ(sh.text("H16"), "");
  EXPECT_EQ(sh.text("E10"), "5");
  EXPECT_EQ(sh.text("E11"), "5");
  EXPECT_EQ(sh.text("E16"), "5");
  EXPECT_EQ(sh.text("E18"), "1");
  EXPECT_EQ(sh.text("E20"), "3");
  EXPECT_EQ(sh.text("P7"), "1");  // sample research period of 语文: Monday periods 5 and 6
  EXPECT_EQ(sh.text("U7"), "y");
  EXPECT_EQ(sh.text("V7"), "y");
  EXPECT_EQ(sh.format(7, 2).fill, 0xFFFF99);
  EXPECT_NE(sh.format(6, 2).fill, 0xFFFF99);
  EXPECT_EQ(sh.frozenAt(), (CellPos{6, 3}));
  EXPECT_EQ(s.Kcmc(10), "体育");
  // Columns B to Z are text, also the rows below the courses that the user may fill in.
  for (int col = 2; col <= 26; ++col)
    for (int row : {1, 7, 21, 200}) EXPECT_EQ(sh.format(row, col).numberFormat, "@") << row << ":" << col;
  EXPECT_NE(sh.format(7, 1).numberFormat, "@");
  EXPECT_NE(sh.format(7, 27).numberFormat, "@");
}

TEST(CourseSheet, DefaultKindsFollowTheName) {
  School s = templateSchool();
  int kind = 0;
  EXPECT_EQ(Zkczfqmrz(s, "高中数学", kind), "11111111110000000000");
  EXPECT_EQ(kind, 1);
  EXPECT_EQ(Zkczfqmrz(s, "体育", kind), "00111111110000000000");
  EXPECT_EQ(kind, 3);
  EXPECT_EQ(Zkczfqmrz(s, "科活", kind).left(2), "00");
  EXPECT_EQ(kind, 3);
  Zkczfqmrz(s, "物理", kind);
  EXPECT_EQ(kind, 2);
}

TEST(CourseSheet, ImportStoresCoursesLimitsFlagsResearchAndBlocks) {
  SheetSession t;
  importSmallSchool(t);
  std::vector<CellEdit> edits;
  Sheet teachers = filledTeacherSheet(t.c.s);
  teachers.setText(8, teacherPeriodColumn(t.c.s, 1, 5), "h");
  teachers.setText(8, teacherPeriodColumn(t.c.s, 1, 6), "h");
  ASSERT_TRUE(importTeacherSheet(t.c, teachers, edits));
  School model = t.c.s;
  Sheet sh = filledCourseSheet(model);
  sh.setText(8, 5, "2");                    // 数学: at most 2 classes at once
  sh.setText(9, courseFlagColumn(8), "y");  // 外语 never in period 8
  sh.setNumber(8, 1, 3);                    // rows 8 and 9 swap their numbers
  sh.setNumber(9, 1, 2);
  t.ui.clearEvents();
  ASSERT_TRUE(importCourseSheet(t.c, sh)) << t.messages().join("\n").toStdString();
  const School& s = t.c.s;
  EXPECT_TRUE(t.messages().isEmpty());
  EXPECT_EQ(s.Kcmc(0), "空课");
  EXPECT_EQ(s.Kcmc(3), "数学");  // stored under the number in column A
  EXPECT_EQ(s.Kcmc(2), "外语");
  EXPECT_EQ(s.Kczf(1), 1);
  EXPECT_EQ(s.Mtjp(2), "11111110");
  EXPECT_EQ(s.Szlmc(6, 0), "1");
  EXPECT_EQ(s.Szlmc(6, 1), "数学　　　　");
  EXPECT_EQ(s.Szlz(6, 1), 2);
  EXPECT_EQ(s.Kcjc(1), "语");
  ASSERT_EQ(s.Hyjys, 2);
  EXPECT_EQ(s.Hyjy(1, 2), "01050106");
  EXPECT_EQ(s.Hyjy(2, 2), "教研活动");
  EXPECT_EQ(s.Hyjy(4, 2), "年级全校课程001");
  EXPECT_EQ(s.Jysj(0, 1, 1), 1);
  EXPECT_EQ(s.Jysjs(0, 1), 2);
  EXPECT_EQ(s.Jskb(1, 1, 5, 2), "6");
  EXPECT_EQ(s.Jskb(2, 1, 6, 2), "6");
  EXPECT_EQ(s.Jskb(1, 1, 5, 1), "");  // research periods are marked by the scheduling run
  EXPECT_EQ(t.c.st.LstKc.items(), QStringList({"000空课", "001语文", "002外语", "003数学"}));
  EXPECT_EQ(s.Kcydr, 1);
  EXPECT_TRUE(t.c.st.CmdHbEnabled && t.c.st.CmdBjEnabled);
  ASSERT_FALSE(importCourseSheet(t.c, sh));
  EXPECT_EQ(t.messages(), QStringList({"已从本Excel表格导入课程数据！"}));
}

struct CourseCase {
  const char* cell;
  const char* value;
  const char* message;
};

TEST(CourseSheet, EveryCheckStopsWithItsMessage) {
  const CourseCase cases[] = {
      {"B6", "空白", "“空课”不能删除和修改，而且一定要放在最前面，序号为“0”！请在Excel表格中恢复“空课”！"},
      {"C6", "x", "“空课”不能删除和修改，而且一定要放在最前面，序号为“0”！请在Excel表格中恢复“空课”！"},
      {"B8", "数", "序号为2的课程名称“数”的字数不合要求！需要在Excel表中修改成2～6字，然后保存，重新导入。"},
      {"C8", "数学课",
       "序号为2的课程简称“数学课”的字数不合要求！需要在Excel表中修改成1～2字，然后保存，重新导入。"},
      {"B8", "语文", "1号课程和2号课程的名称相同，都是“语文”，需要在Excel表中修改，然后保存，重新导入。"},
      {"C9", "数", "2号课程和3号课程的简称相同，都是“数”，需要在Excel表中修改，然后保存，重新导入。"},
      {"A8", "7", "第8行的课程序号7不在0和3之间！请在Excel课程数据表中修改，然后保存，重新导入。"},
      {"N7", "9", "序号为1的课程的教研活动星期9不在1和5间！请在Excel课程数据表中修改，然后保存，重新导入。"},
  };
  for (const CourseCase& k : cases) {
    SheetSession t;
    importSmallSchool(t);
    School model = t.c.s;
    Sheet sh = filledCourseSheet(model);
    sh.setText(parseCell(k.cell)->row, parseCell(k.cell)->col, QString::fromUtf8(k.value));
    EXPECT_FALSE(importCourseSheet(t.c, sh)) << k.cell;
    EXPECT_EQ(t.ui.texts("warning"), QStringList({QString::fromUtf8(k.message)})) << k.cell;
    EXPECT_EQ(t.c.s.Hyjys, 0) << k.cell;
  }
}

TEST(CourseSheet, ASheetWithNoCellsIsRefused) {
  SheetSession t;
  importSmallSchool(t);
  EXPECT_FALSE(importCourseSheet(t.c, Sheet()));
  EXPECT_EQ(t.ui.texts("warning").size(), 1);
}

TEST(CourseSheet, ATeacherNumberAboveTheCountIsAskedForUntilItFits) {
  SheetSession t;
  importSmallSchool(t);
  t.c.s.sizeBlockRecords(1);
  t.c.s.Hyjy(1, 1) = "0203";
  t.c.s.Hyjy(2, 1) = "会议";
  t.c.s.Hyjy(3, 1) = "n";
  t.c.s.Hyjy(4, 1) = "002009";
  t.ui.setAnswers({"12", "0", "3"});
  School model = t.c.s;
  ASSERT_TRUE(importCourseSheet(t.c, filledCourseSheet(model)));
  const QString prompt =
      "第1次“不排”（原因：会议）的第2位教师的序号9大于教师数4，需修改！请用半角数字输入第1次不排的新的教师代"
      "码（1～4）:";
  EXPECT_EQ(t.ui.texts("input"), QStringList({prompt, prompt, prompt}));
  EXPECT_EQ(t.c.s.Hyjy(4, 1), "002003");
  EXPECT_EQ(t.c.s.Jskb(1, 2, 3, 3), "6");
  EXPECT_EQ(t.c.s.Jskb(2, 2, 3, 2), "6");
}

}  // namespace
}  // namespace tavro::testing
