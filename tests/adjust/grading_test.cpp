// The grading of every candidate: green, yellow, orange with each reason, red,
// the softening of blocks to orange, and the painting of the grid.

#include <gtest/gtest.h>

#include "adjust/swaptest.h"
#include "core/gridmodel.h"
#include "tests/adjust/adjust_support.h"

namespace tavro::testing {
namespace {

// Selects the lesson to move at (xq, jc) of class 0701 and grades every other cell.
bool grade(SwapBench& b, int xq, int jc) {
  b.st.Xq1 = xq, b.st.Jc1 = jc;
  auto [k1, unused] = b.context(7, 1, xq, jc, xq, jc);
  (void)unused;
  Bpyyql(b.st);
  Ctx c = b.ctx();
  return gradeCandidates(c, 7, 1, k1);
}

TEST(Grading, GreenYellowAndRedWithTheirColours) {
  SwapBench b;
  b.lesson(7, 1, 1, 1, 1, 1);  // 语文 to move
  b.lesson(7, 1, 2, 1, 2, 2);  // 数学 on another day
  b.lesson(7, 1, 1, 3, 3, 3);  // 英语 on the same day
  b.lesson(8, 1, 3, 2, 2, 1);  // 张　三 teaches 0801 on Wednesday period 2
  EXPECT_TRUE(grade(b, 1, 1));
  EXPECT_EQ(b.st.Bpyy(2, 1), QStringLiteral("2"));
  EXPECT_EQ(b.st.MSFG.cells(2, 1).fore, kColourGreen);
  EXPECT_EQ(b.st.MSFG.cells(2, 1).back, kColourCandidate);
  EXPECT_EQ(b.st.Bpyy(1, 3), QStringLiteral("1"));  // same day, no double changes
  EXPECT_EQ(b.st.MSFG.cells(1, 3).fore, kColourYellow);
  EXPECT_EQ(b.st.Bpyy(3, 2), QStringLiteral("0语文教师张　三星期三第2节不空"));
  EXPECT_EQ(b.st.MSFG.cells(3, 2).fore, kColourRed);
  EXPECT_EQ(b.st.Bpyy(4, 4), QStringLiteral("2"));  // an empty cell on another day
  EXPECT_TRUE(b.st.Bpyy(1, 1).isEmpty());           // the lesson to move is not graded
}

TEST(Grading, OrangeReasons) {
  SwapBench b;
  for (int jc = 1; jc <= 3; ++jc) b.lesson(7, 1, 1, jc, 1, 1);  // 语文 three times on Monday
  b.lesson(7, 1, 1, 6, 2, 2);
  grade(b, 1, 1);
  EXPECT_EQ(b.st.Bpyy(1, 6), QStringLiteral("3语文在班级课表的星期一已有2节，不宜再放在星期一"));
  EXPECT_EQ(b.st.MSFG.cells(1, 6).fore, kColourOrange);

  SwapBench d;
  d.s.Jsmtzdjs = 2;
  d.lesson(7, 1, 1, 1, 1, 1);
  d.lesson(8, 1, 2, 1, 1, 1);
  d.lesson(8, 2, 2, 2, 1, 1);  // 张　三 already has 2 lessons on Tuesday
  d.lesson(7, 1, 2, 5, 2, 2);
  grade(d, 1, 1);
  EXPECT_EQ(d.st.Bpyy(2, 5),
            QStringLiteral("3　　语文教师001张　三星期二已有2节课，已经大于或等于在“全校排课设置”第4页设定的"
                           "每天排课节数最大值2"));

  SwapBench e;
  e.lesson(7, 1, 1, 1, 1, 1);  // 语文 alone on Monday
  e.lesson(7, 1, 2, 2, 1, 1);  // 语文 on Tuesday period 2
  e.lesson(7, 1, 2, 3, 2, 2);  // moving 语文 here would make an unneeded double
  grade(e, 1, 1);
  EXPECT_EQ(e.st.Bpyy(2, 3), QStringLiteral("3破坏已有的需要的连排或产生不需要的连排"));
}

TEST(Grading, BlocksSoftenToOrangeButLessonsStayRed) {
  SwapBench b;
  b.lesson(7, 1, 1, 1, 1, 1);
  b.lesson(7, 1, 2, 3, 2, 2);
  b.lesson(7, 1, 3, 3, 2, 2);
  b.block(1, 2, 3, QStringLiteral("6"));
  b.block(2, 1, 1, QStringLiteral("2"));
  b.lesson(8, 1, 3, 3, 3, 1);  // 张　三 teaches 0801 on Wednesday period 3
  grade(b, 1, 1);
  // Teacher 1 has a meeting and teacher 2 a request at the other slot: blocks only.
  EXPECT_EQ(b.st.Bpyy(2, 3), QStringLiteral("3语文教师001张　三星期二第3节有会议"));
  EXPECT_EQ(b.st.Bpyy(3, 3), QStringLiteral("0语文教师张　三星期三第3节不空"));

  SwapBench d;  // teacher 1 blocked, but teacher 2 teaches another class at the lesson's slot
  d.lesson(7, 1, 1, 1, 1, 1);
  d.lesson(7, 1, 2, 3, 2, 2);
  d.block(1, 2, 3, QStringLiteral("2"));
  d.lesson(8, 2, 1, 1, 3, 2);
  grade(d, 1, 1);
  EXPECT_EQ(d.st.Bpyy(2, 3), QStringLiteral("0数学教师李四光星期一第1节不空"));
}

// A partner that would put either lesson into a banned period is red with the ban as its reason,
// even where the only other obstacle is a teacher's block (which alone would soften to orange).
TEST(Grading, BannedPeriodsAreRedWithTheBanAsReason) {
  SwapBench b;
  b.s.Mtjp(1) = QStringLiteral("01111111");  // 语文 never in period 1
  b.lesson(7, 1, 3, 4, 1, 1);                // 语文 to move
  b.lesson(7, 1, 2, 1, 2, 2);
  b.block(1, 4, 1, QStringLiteral("6"));
  grade(b, 3, 4);
  EXPECT_EQ(b.st.Bpyy(2, 1), QStringLiteral("0语文每天禁排第1节"));
  EXPECT_EQ(b.st.MSFG.cells(2, 1).fore, kColourRed);
  EXPECT_EQ(b.st.Bpyy(4, 1), QStringLiteral("0语文每天禁排第1节"));
  EXPECT_EQ(b.st.Bpyy(2, 2), QStringLiteral("2"));
}

TEST(Grading, NoCandidateInAFullDay) {
  SwapBench b;
  b.s.Mzts = 1;
  b.s.Mtjs = 2;
  b.lesson(7, 1, 1, 1, 1, 1);
  b.lesson(7, 1, 1, 2, 1, 1);
  EXPECT_FALSE(grade(b, 1, 1));
  EXPECT_EQ(b.st.Bpyy(1, 2), QStringLiteral("0同课程同教师，调课无意义"));
}

TEST(DoubleLessons, NeverAcrossTheNoonBreakAndMainSubjectsNeedThem) {
  SwapBench b;
  b.lesson(7, 1, 1, 4, 1, 1);
  b.lesson(7, 1, 1, 5, 1, 1);
  EXPECT_EQ(HDqlp(b.s, 7, 1, 1, 4), 0);
  EXPECT_EQ(HDqlp(b.s, 7, 1, 1, 5), 0);
  b.lesson(7, 1, 1, 3, 1, 1);
  EXPECT_EQ(HDqlp(b.s, 7, 1, 1, 4), 1);

  b.s.Kczf(1) = 1;  // a main subject needs a double on a day that has it
  EXPECT_EQ(HXylp(b.s, 7, 1, 1, 1, 1), 1);
  EXPECT_EQ(HXylp(b.s, 7, 1, 2, 1, 1), 0);
  b.s.Jlblp(7) = 1;  // unless the grade avoids doubles
  EXPECT_EQ(HXylp(b.s, 7, 1, 1, 1, 1), 0);
  b.s.Jlblp(7) = 0;
  b.s.Kczf(1) = 2;  // 3 lessons, the teacher free on 5 days: no double needed
  EXPECT_EQ(HXylp(b.s, 7, 1, 1, 1, 1), 0);
  for (int xq = 2; xq <= 5; ++xq)  // the teacher busy all day on 4 days: free on 1 day only
    for (int jc = 1; jc <= 8; ++jc) b.lesson(8, 1, xq, jc, 1, 1);
  EXPECT_EQ(HXylp(b.s, 7, 1, 1, 1, 1), 1);  // n = 3, f = 1: n - f = 2 covers d = 1 and e = 2
}

}  // namespace
}  // namespace tavro::testing
