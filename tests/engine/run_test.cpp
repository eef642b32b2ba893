// The scheduling run: a finished timetable file from another program, the
// teacher-load reports, blocked events, course settings, afternoon-only
// schools, and whole runs on generated schools.

#include "engine/run.h"

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "core/slots.h"
#include "tests/engine/engine_support.h"
#include "tests/fixtures/generated_school.h"

namespace tavro::testing {
namespace {

int courseAt(int xq, int jc) {
  return (xq + jc) % 3 + 1;
}

// One class whose plan is exactly what courseAt puts into a 5 x 8 week, teachers = courses.
School plannedClass() {
  School s = oneClassSchool();
  for (int k = 1; k <= 3; ++k) {
    s.Bjkcb(k, 1, 7, 1) = k;
    s.Bjkcb(k, 2, 7, 1) = k;
  }
  for (int xq = 1; xq <= 5; ++xq)
    for (int jc = 1; jc <= 8; ++jc) ++s.Bjkcb(courseAt(xq, jc), 3, 7, 1);
  s.Bjkcs(7, 1) = 3;
  s.Jsmc(1) = QStringLiteral("张　三");
  s.Jsmc(2) = QStringLiteral("李四光");
  s.Jsmc(3) = QStringLiteral("王　五");
  return s;
}

TEST(RunDriver, AFinishedFileFromAnotherProgramIsAFinishedSchool) {
  Bench b(plannedClass());
  QString text = QStringLiteral(
      "'其他程序写的课表\r\n'每周天数：\r\n 5 \r\n'每天节数：\r\n 8 \r\n'说明\r\n"
      "07年级01班,一班\r\n 1 \r\n");
  for (int xq = 1; xq <= 5; ++xq) {
    text += QStringLiteral("星期 ") + QString::number(xq) + QStringLiteral(" \r\n");
    for (int jc = 1; jc <= 8; ++jc) {
      const int k = courseAt(xq, jc);
      // An old file writes 7-character cells: course, teacher, kind.
      text += (xq == 1 ? Lbq(3, k) + Lbq(3, k) + QStringLiteral("0")
                       : Lbq(3, k) + Lbq(3, k) + QStringLiteral("0000")) +
              QStringLiteral("\r\n");
    }
  }
  fixtures::writeBytes(b.folder.file(), fixtures::toGb18030(text.toUtf8()));
  Ctx c = b.ctx();
  CmdKb_Click(c, b.host);
  EXPECT_TRUE(b.ui.texts(QStringLiteral("warning")).isEmpty());
  EXPECT_TRUE(b.ui.texts(QStringLiteral("question")).isEmpty());
  EXPECT_TRUE(b.ui.texts(QStringLiteral("input")).isEmpty());
  EXPECT_EQ(b.s.Ypbjs, 1);
  EXPECT_EQ(b.s.Ypbz(7, 1), 1);
  for (int xq = 1; xq <= 5; ++xq)
    for (int jc = 1; jc <= 8; ++jc) {
      const int k = courseAt(xq, jc);
      EXPECT_EQ(b.s.Kb(1, xq, jc, 7, 1), Lbq(3, k) + Lbq(3, k) + QStringLiteral("0000"));
      EXPECT_EQ(b.s.Jskb(1, xq, jc, k), Lbq(3, k) + QStringLiteral("0701000"));
    }
  EXPECT_EQ(b.st.Zt, QStringLiteral("查班"));
  EXPECT_TRUE(b.st.OptYp);
  EXPECT_EQ(b.st.TxtSm,
            QStringLiteral(
                "　　课表已经全部排好，课表文件已打开！选择班级框的某一班级查看该班级课表或者在导出框选择"
                "选项后按“导出”按钮。"));
}

TEST(RunDriver, TeacherLoadReports) {
  Bench b(plannedClass());
  b.s.Jszjs(1) = 40;  // exactly the week: in neither report
  b.s.Jszjs(2) = 40;  // one blocked period: cannot be scheduled
  b.s.Jskb(1, 3, 3, 2) = QStringLiteral("2");
  b.s.Jszjs(3) = 35;  // 5 free periods, fewer than 8
  Ctx c = b.ctx();
  reportTeacherLoad(c);
  EXPECT_EQ(
      b.ui.texts(QStringLiteral("info")),
      (QStringList{
          QStringLiteral("002李四光：可排节数为39，小于需排节数40；\r\n这些教师的课表无法排！"),
          QStringLiteral("　　以下教师每周的空课节数较少：\r\n003王　五：可排节数为40，需排节数为35；\r\n"
                         "　　这些教师的课表可能难排。")}));
}

TEST(RunDriver, BlockedEventsAndResearchTimes) {
  School s = plannedClass();
  s.Jsrk(1) = QStringLiteral("00107");
  s.Jsrk(2) = QStringLiteral("00218");
  s.Jsrk(3) = QStringLiteral("00308");
  s.sizeBlockRecords(3);
  s.Hyjys = 3;
  s.Hyjy(1, 1) = QStringLiteral("01020103");
  s.Hyjy(2, 1) = QStringLiteral("教研活动");
  s.Hyjy(4, 1) = QStringLiteral("年级07课程001002");
  s.Hyjy(1, 2) = QStringLiteral("0201");
  s.Hyjy(2, 2) = QStringLiteral("全体会议");
  s.Hyjy(4, 2) = QStringLiteral("年级全校课程全部");
  s.Hyjy(1, 3) = QStringLiteral("0301");
  s.Hyjy(2, 3) = QStringLiteral("教师要求");
  s.Hyjy(4, 3) = QStringLiteral("3");
  s.Jskb(1, 2, 1, 3) = QStringLiteral("0030701000");  // a lesson already there stays
  markBlockedEvents(s);
  EXPECT_EQ(s.Jskb(1, 1, 2, 1), QStringLiteral("7001"));
  EXPECT_EQ(s.Jskb(2, 1, 3, 1), QStringLiteral("7001"));
  EXPECT_EQ(s.Jskb(1, 1, 2, 2), QStringLiteral("7002"));  // grade part 18 counts for every grade
  EXPECT_TRUE(s.Jskb(1, 1, 2, 3).isEmpty());
  EXPECT_EQ(s.Jysj(0, 1, 1), 1);
  EXPECT_EQ(s.Jysj(0, 2, 1), 3);
  EXPECT_EQ(s.Jysjs(0, 1), 2);
  EXPECT_EQ(s.Jskb(1, 2, 1, 1), QStringLiteral("6"));
  EXPECT_EQ(s.Jskb(1, 2, 1, 3), QStringLiteral("0030701000"));
  EXPECT_TRUE(s.Jskb(1, 3, 1, 3).isEmpty());  // field 4 does not start with 年
  reduceResearchCells(s);
  EXPECT_EQ(s.Jskb(1, 1, 2, 1), QStringLiteral("7"));
  EXPECT_EQ(s.Jskb(2, 1, 2, 1), QStringLiteral("7"));
}

TEST(RunDriver, CourseSettingsAndSortedPlans) {
  School s = plannedClass();
  s.Szlmc(6, 0) = QStringLiteral("1");
  s.Szlmc(6, 1) = QStringLiteral("数学　　　　");
  s.Szlz(6, 1) = 12;
  buildCourseSettings(s);
  EXPECT_EQ(s.Kcszbz(2), QStringLiteral("00000c00"));
  EXPECT_EQ(s.Kcszbz(1), QStringLiteral("00000000"));
  s.Bjkcb(1, 1, 7, 1) = 3;
  s.Bjkcb(3, 1, 7, 1) = 1;
  sortPlansByCourse(s);
  EXPECT_EQ(s.Bjkcjs(7, 1, 1), 1);
  EXPECT_EQ(s.Bjkcjsh(7, 1, 1), 3);
  EXPECT_EQ(s.Bjkcjs(7, 1, 3), 3);
  EXPECT_EQ(s.Bjkcjsh(7, 1, 3), 1);
}

TEST(RunDriver, WholeRunsOnGeneratedSchools) {
  int finished = 0;
  for (std::uint64_t seed = 1; seed <= 4; ++seed) {
    Bench b(fixtures::generatedSchool(seed, {3, 2, 5, 8}), seed);
    b.st.Xsts = 0;
    b.st.Tsbz = QString(19, u'0');
    Ctx c = b.ctx();
    CmdKb_Click(c, b.host);
    EXPECT_TRUE(
        b.ui.texts(QStringLiteral("info"))
            .contains(QStringLiteral(
                "    "
                "现在开始排课，如果最后若干节排课困难将自动转为调课状态由用户决定如何调课，否则计算机将一直连"
                "续自动排课，直至全部班级课表都排好。")));
    EXPECT_TRUE(QFile::exists(b.folder.file()));
    if (!b.st.Bxdck.isEmpty()) continue;
    ++finished;
    EXPECT_EQ(b.s.Ypbjs, b.s.Bjzs);
    EXPECT_TRUE(timetableFaults(b.s, b.st).isEmpty());
    // A second press reads the saved file back as a finished school.
    Bench again(fixtures::generatedSchool(seed, {3, 2, 5, 8}), seed);
    again.s.Wjj = b.s.Wjj;
    Ctx c2 = again.ctx();
    CmdKb_Click(c2, again.host);
    EXPECT_TRUE(again.ui.texts(QStringLiteral("warning")).isEmpty());
    EXPECT_TRUE(again.ui.texts(QStringLiteral("question")).isEmpty());
    EXPECT_EQ(again.s.Ypbjs, again.s.Bjzs);
    EXPECT_EQ(again.st.Zt, QStringLiteral("查班"));
  }
  EXPECT_GE(finished, 2);
}

}  // namespace
}  // namespace tavro::testing
