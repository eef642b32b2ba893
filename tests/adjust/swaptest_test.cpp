// The swap test Jcnfdk: each refusal with its exact reason, the layer-dependent
// teacher threshold, the noon exception and forced mode.

#include "adjust/swaptest.h"

#include <gtest/gtest.h>

#include "tests/adjust/adjust_support.h"

namespace tavro::testing {
namespace {

// Runs the swap test on class 0701 between (xq1, jc1) and (xq2, jc2); returns Bpyy(xq2, jc2) on
// refusal, "ok" when allowed.
QString verdict(SwapBench& b, int xq1, int jc1, int xq2, int jc2) {
  auto [k1, k2] = b.context(7, 1, xq1, jc1, xq2, jc2);
  Ctx c = b.ctx();
  Bpyyql(b.st);
  return Jcnfdk(c, k1, k2, 7, 1) ? QStringLiteral("ok") : b.st.Bpyy(xq2, jc2);
}

TEST(SwapTest, LessonRefusalsNameBothSlots) {
  SwapBench b;
  EXPECT_EQ(verdict(b, 1, 1, 2, 3), QStringLiteral("0星期一第1节和星期二第3节都是空课，调课无意义"));

  b.lesson(7, 1, 1, 1, 1, 1);
  b.lesson(7, 1, 2, 3, 1, 1);
  EXPECT_EQ(verdict(b, 1, 1, 2, 3), QStringLiteral("0同课程同教师，调课无意义"));

  b.lesson(7, 1, 3, 5, 2, 2);
  b.s.Kb(2, 3, 5, 7, 1) = lessonCell(3, 3);
  EXPECT_EQ(verdict(b, 1, 1, 3, 5), QStringLiteral("0该节课已临时调课，为避免混乱"));

  b.st.Bxdck = QStringLiteral("01010406");
  b.lesson(7, 1, 4, 6, 2, 2);
  EXPECT_EQ(verdict(b, 1, 1, 4, 6), QStringLiteral("0本节课是暂且放此的必需调出的课"));
  b.st.Bxdck.clear();

  b.st.Xq1 = 1, b.st.Jc1 = 1, b.st.Xq2 = 2, b.st.Jc2 = 2, b.st.Jsh1 = 1001, b.st.Jsh2 = 2;
  Ctx c = b.ctx();
  EXPECT_FALSE(Jcnfdk(c, 1, 2, 7, 1));
  EXPECT_EQ(b.st.Bpyy(2, 2), QStringLiteral("0星期一第1节或星期二第2节的教师是合班课的多师"));
}

TEST(SwapTest, CombinedLessonAtTheCandidateIsRefusedAndRemembered) {
  SwapBench b;
  b.s.sizeCombinedLessons(1);
  b.s.Hbks = 1;
  b.s.Hbk(1, 1) = QStringLiteral("8");
  b.s.Hbk(2, 1) = QStringLiteral("07010702");
  b.s.Hbk(3, 1) = QStringLiteral("0508");
  b.s.Hbk(4, 1) = QStringLiteral("3");
  b.lesson(7, 1, 1, 1, 1, 1);
  b.s.Kb(1, 5, 8, 7, 1) = b.s.Kb(2, 5, 8, 7, 1) = QStringLiteral("0030010008");
  EXPECT_EQ(verdict(b, 1, 1, 5, 8), QStringLiteral("0星期五第8节是合班课"));
  EXPECT_EQ(b.st.Hbkh, 1);
  EXPECT_EQ(verdict(b, 1, 1, 5, 7), QStringLiteral("ok"));
  EXPECT_EQ(b.st.Hbkh, 0);
}

TEST(SwapTest, TeachersAreBusyByLayer) {
  SwapBench b;
  b.lesson(7, 1, 1, 1, 1, 1);  // 语文, 张　三
  b.lesson(7, 1, 2, 3, 2, 2);  // 数学, 李四光
  b.block(1, 2, 3, QStringLiteral("6"));
  EXPECT_EQ(verdict(b, 1, 1, 2, 3), QStringLiteral("0语文教师张　三星期二第3节不空"));
  b.st.Dqcqls = 2;  // in the temporary layer a meeting does not count
  EXPECT_EQ(verdict(b, 1, 1, 2, 3), QStringLiteral("ok"));
  b.st.Dqcqls = 1;
  b.block(1, 2, 3, QString());

  b.lesson(8, 1, 1, 1, 2, 2);  // 李四光 teaches 0801 at the lesson's slot
  EXPECT_EQ(verdict(b, 1, 1, 2, 3), QStringLiteral("0数学教师李四光星期一第1节不空"));
}

TEST(SwapTest, NoonExceptionHoldsOnlyOutsideForcedMode) {
  SwapBench b;
  b.lesson(7, 1, 1, 4, 1, 1);  // period Swjs
  b.lesson(7, 1, 1, 5, 2, 2);  // period Swjs + 1
  b.block(1, 1, 5, QStringLiteral("3"));
  EXPECT_EQ(verdict(b, 1, 4, 1, 5), QStringLiteral("ok"));
  b.st.Bxdck = QStringLiteral("0104");
  EXPECT_EQ(verdict(b, 1, 4, 1, 5), QStringLiteral("0语文教师张　三星期一第5节不空"));
}

TEST(SwapTest, SameTeacherIsOnlyBusyInForcedMode) {
  SwapBench b;
  b.lesson(7, 1, 1, 1, 1, 1);
  b.lesson(7, 1, 2, 2, 3, 1);  // the same teacher with another course
  EXPECT_EQ(verdict(b, 1, 1, 2, 2), QStringLiteral("ok"));
  b.st.Bxdck = QStringLiteral("0101");
  EXPECT_EQ(verdict(b, 1, 1, 2, 2), QStringLiteral("0语文教师张　三星期二第2节不空"));
}

TEST(SwapTest, FullCapsRefuseEitherDirection) {
  SwapBench b;
  b.cap(3, 1);
  b.lesson(7, 1, 1, 1, 3, 3);  // 英语 to move
  b.lesson(7, 1, 2, 2, 1, 1);
  b.st.Ctszc(1, 2, 2) = 1;
  EXPECT_EQ(verdict(b, 1, 1, 2, 2), QStringLiteral("0全校英语在星期二第2节的上课班数已满1个班"));
  b.st.Ctszc(1, 2, 2) = 0;
  EXPECT_EQ(verdict(b, 1, 1, 2, 2), QStringLiteral("ok"));
  b.st.Ctszc(1, 2, 2) = 1;  // the other direction: 英语 as the candidate would move to (2, 2)
  EXPECT_EQ(verdict(b, 2, 2, 1, 1), QStringLiteral("0全校英语在星期二第2节的上课班数已满1个班"));
}

// Neither lesson may move into a period its course bans, in either layer and either direction.
TEST(SwapTest, BannedPeriodsRefuseEitherDirection) {
  SwapBench b;
  b.s.Mtjp(3) = QStringLiteral("00111111");  // 英语 never in periods 1 and 2
  b.lesson(7, 1, 1, 5, 3, 3);                // 英语 to move
  b.lesson(7, 1, 2, 2, 1, 1);
  EXPECT_EQ(verdict(b, 1, 5, 2, 2), QStringLiteral("0英语每天禁排第2节"));
  EXPECT_EQ(verdict(b, 2, 2, 1, 5), QStringLiteral("0英语每天禁排第2节"));  // 英语 as the candidate
  EXPECT_EQ(verdict(b, 1, 5, 2, 3), QStringLiteral("ok"));
  b.st.Dqcqls = 2;
  EXPECT_EQ(verdict(b, 1, 5, 2, 2), QStringLiteral("0英语每天禁排第2节"));
}

TEST(SwapTest, SmallHelpers) {
  RunState st;
  st.Bpyy(3, 4) = QStringLiteral("0x");
  Bpyyql(st);
  EXPECT_TRUE(st.Bpyy(3, 4).isEmpty());
  EXPECT_EQ(bpyyGrade(QString()), kGradeYellow);
  EXPECT_EQ(bpyyGrade(QStringLiteral("3abc")), kGradeOrange);
  EXPECT_EQ(HBpyy(QStringLiteral("2")), QStringLiteral("要求不排"));
  EXPECT_EQ(HBpyy(QStringLiteral("6")), QStringLiteral("有会议"));
  EXPECT_EQ(HBpyy(QStringLiteral("7")), QStringLiteral("有教研活动"));
  EXPECT_EQ(HBpyy(QStringLiteral("3")), QString());
  EXPECT_EQ(slotText(2, 3), QStringLiteral("星期二第3节"));
}

}  // namespace
}  // namespace tavro::testing
