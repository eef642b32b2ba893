// Forced swap mode: the must-move lesson the scheduler left, resolved by
// clicks; the chain of classes resuming; the program end when no cell can take
// the lesson; and the automatic resolution policy with its restarts.

#include <gtest/gtest.h>

#include <QFile>

#include "adjust/swaptest.h"
#include "adjust/viewmodel/resolve.h"
#include "core/errors.h"
#include "core/timetable_file.h"
#include "tests/fixtures/text_files.h"
#include "tests/viewmodel/viewmodel_school.h"

namespace tavro::testing {
namespace {

const QString kNowhere = QStringLiteral(
    "    "
    "该课程一定要调走，但没有任何位置可以放该课程，所以无法排课！前几个已排班级的课表已经保存。按“确定”按钮"
    "后将退出本系统，再进入后重新排课。");

TEST(ForcedSwapMode, ClicksResolveTheLessonAndCompleteTheSchool) {
  Desk d;
  forcedSwapMode(d);
  d.vm.clickGridCell(1, 1);  // what the automatic swap does when it gives up
  RunState& st = d.st();
  EXPECT_EQ(st.Xq1, 1);
  EXPECT_EQ(st.TxtSm,
            QStringLiteral("　　白底黑字为需调课。绿字为优先可调课，黄字为可调课，橙字为可调但最好不调课，"
                           "红字为不可调课。请选择可调课。"));
  d.vm.clickCell(1, 1);
  EXPECT_EQ(d.ui.texts("warning"),
            QStringList(
                {QStringLiteral("　　教师课表不可排本课程，一定要调开，现在自动进入调课状态，不可以单击需调的"
                                "本节课，应该单击可调的课（绿色、黄色或橙色）。")}));
  d.vm.clickCell(2, 3);
  EXPECT_EQ(d.ui.texts("info").last(), QStringLiteral("语文教师张　三星期二第3节不空，不能调！"));
  ASSERT_NE(bpyyGrade(st.Bpyy(1, 2)), kGradeRed);
  d.vm.clickCell(1, 2);
  const School& s = d.s();
  EXPECT_EQ(s.Kb(kLongTerm, 1, 1, 7, 1), QStringLiteral("0020040000"));
  EXPECT_EQ(s.Kb(kLongTerm, 1, 2, 7, 1), QStringLiteral("0010010000"));
  // Teacher 1 gets class 0702's lesson back at 1-1 and teaches 0701 at 1-2; the parking row is empty.
  EXPECT_EQ(s.Jskb(kLongTerm, 1, 1, 1), QStringLiteral("0010702000"));
  EXPECT_EQ(s.Jskb(kLongTerm, 1, 2, 1), QStringLiteral("0010701000"));
  EXPECT_EQ(s.Jskb(kLongTerm, 1, 1, 4), QStringLiteral("0020701000"));
  EXPECT_TRUE(s.Jskb(kLongTerm, 1, 2, 4).isEmpty());
  EXPECT_TRUE(s.Jskb(kLongTerm, 1, 1, s.Jss + 1).isEmpty());
  EXPECT_TRUE(s.Jskb(kTemporary, 1, 1, s.Jss + 1).isEmpty());
  EXPECT_TRUE(st.Bxdck.isEmpty());
  EXPECT_EQ(s.Ypbz(7, 1), 1);
  EXPECT_EQ(s.Ypbjs, 2);
  EXPECT_EQ(st.Pkdkbz, 0);
  EXPECT_EQ(st.Zt, QStringLiteral("查班"));
  EXPECT_TRUE(st.LstBjEnabled);
  EXPECT_EQ(st.TxtSm, QStringLiteral("　　调课成功。可以在班级框选择另一未排班级进行排课。"));
  EXPECT_TRUE(d.ui.texts("info").last().startsWith(QStringLiteral("    课表已经全部排好了。")));
  EXPECT_EQ(d.ui.texts("warning").size(), 1);
  const QString file = QString::fromUtf8(fixtures::readBytes(d.folder.file()));
  EXPECT_TRUE(file.contains(QStringLiteral("07年级01班,初一1班\r\n 1 \r\n")));
}

TEST(ForcedSwapMode, TheChainResumesWithTheNextUnscheduledClass) {
  Desk d;
  forcedSwapMode(d, false, true);
  d.vm.clickGridCell(1, 1);
  d.vm.clickCell(1, 2);
  EXPECT_EQ(d.s().Ypbz(7, 1), 1);
  EXPECT_EQ(d.st().DqNj, 8);
  EXPECT_EQ(d.st().DqBj, 1);
  EXPECT_TRUE(d.st().MSFG.label.startsWith(QStringLiteral("初二1班")));
  EXPECT_TRUE(d.s().Ypbz(8, 1) == 1 || !d.st().Bxdck.isEmpty());
}

TEST(ForcedSwapMode, NoCellCanTakeTheLessonEndsTheProgram) {
  Desk d;
  forcedSwapMode(d, true);
  try {
    d.vm.clickGridCell(1, 1);
    FAIL() << "the program should end";
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.message(), kNowhere);
  }
  EXPECT_EQ(d.ui.texts("info").last(), kNowhere);
  EXPECT_FALSE(QFile::exists(d.folder.file()));
}

// A must-move lesson without teacher may stay where it was forced, but never in a period its course
// bans: a click on it then only warns.
TEST(ForcedSwapMode, ALessonWithoutTeacherNeverStaysInABannedPeriod) {
  Desk d;
  forcedSwapMode(d);
  School& s = d.s();
  s.Kb(kLongTerm, 1, 1, 7, 1) = s.Kb(kTemporary, 1, 1, 7, 1) = QStringLiteral("0010000000");
  s.Mtjp(1) = QStringLiteral("01111111");
  d.vm.clickGridCell(1, 1);
  d.vm.clickCell(1, 1);
  EXPECT_EQ(d.ui.texts("warning"),
            QStringList({QStringLiteral(
                "　　语文每天禁排第1节，一定要调开，不可以单击需调的本节课，应该单击可调的课（"
                "绿色、黄色或橙色）。")}));
  EXPECT_EQ(s.Kb(kLongTerm, 1, 1, 7, 1), QStringLiteral("0010000000"));
  EXPECT_EQ(d.st().Bxdck, QStringLiteral("0101"));
  EXPECT_EQ(d.st().Xq1, 1);
}

TEST(AutomaticResolution, BestPartnerOrderNeverABannedPeriod) {
  Desk d;
  forcedSwapMode(d);
  d.vm.clickGridCell(1, 1);
  RunState& st = d.st();
  st.Bpyy(1, 2) = QStringLiteral("1");
  st.Bpyy(1, 3) = QStringLiteral("2");
  st.Bpyy(2, 1) = QStringLiteral("1");
  st.Bpyy(2, 2) = QStringLiteral("3可调但最好不调");
  st.Bpyy(2, 3) = QStringLiteral("2");  // green on screen, but the swap test fails: never taken
  int xq = 0, jc = 0;
  ASSERT_TRUE(bestPartner(d.vm.ctx(), 7, 1, xq, jc));
  EXPECT_EQ(xq * 10 + jc, 13);
  EXPECT_EQ(st.Bpyy(2, 3), QStringLiteral("2"));
  // 语文 banned in period 3: the swap test refuses the green partner there, so it is never taken.
  d.s().Mtjp(1) = QStringLiteral("11011111");
  ASSERT_TRUE(bestPartner(d.vm.ctx(), 7, 1, xq, jc));
  EXPECT_EQ(xq * 10 + jc, 12);
  st.Bpyy(1, 2) = st.Bpyy(2, 1) = st.Bpyy(2, 2) = QStringLiteral("0");
  EXPECT_FALSE(bestPartner(d.vm.ctx(), 7, 1, xq, jc));
}

// The run saves the class it leaves in swap mode (its must-move lesson over its teacher's other
// lesson); a restart first takes it out of the saved file, so that the next run schedules it afresh
// instead of reading it back as scheduled.
TEST(AutomaticResolution, ResolvesAndRestartsAfterProgramEnds) {
  Desk d;
  int starts = 0;
  QString savedBeforeRestart;
  auto start = [&](bool nowhere) {
    if (starts == 1) savedBeforeRestart = QString::fromUtf8(fixtures::readBytes(d.folder.file()));
    ++starts;
    forcedSwapMode(d, nowhere);
    Bckb(d.vm.ctx());
    d.vm.clickGridCell(1, 1);
  };
  ResolveReport report = runResolved(d.vm, ResolveMode::Auto, [&] { start(starts == 0); });
  EXPECT_TRUE(savedBeforeRestart.contains(
      QStringLiteral("07年级01班,初一1班\r\n 0 \r\n星期 1 \r\n\r\n\r\n\r\n星期 2 \r\n\r\n\r\n\r\n")))
      << savedBeforeRestart.toStdString();
  EXPECT_EQ(starts, 2);
  EXPECT_EQ(report.restarts, 1);
  EXPECT_EQ(report.swapsResolved, 1);
  EXPECT_FALSE(report.ended);
  EXPECT_TRUE(d.st().Bxdck.isEmpty());
  EXPECT_EQ(d.s().Ypbz(7, 1), 1);
  EXPECT_EQ(d.st().Csz3, 1);

  starts = 0;
  report = runResolved(d.vm, ResolveMode::Auto, [&] { start(true); });
  EXPECT_EQ(starts, 6);
  EXPECT_EQ(report.restarts, 5);
  EXPECT_TRUE(report.ended);
  EXPECT_EQ(report.endMessage, kNowhere);

  starts = 0;
  report = runResolved(d.vm, ResolveMode::Stop, [&] { start(false); });
  EXPECT_EQ(report.swapsResolved, 0);
  EXPECT_FALSE(d.st().Bxdck.isEmpty());
  EXPECT_EQ(parseResolveMode(QStringLiteral("auto")), ResolveMode::Auto);
  EXPECT_EQ(parseResolveMode(QStringLiteral("later")), std::nullopt);
}

}  // namespace
}  // namespace tavro::testing
