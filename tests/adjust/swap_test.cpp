// Dk: the exchange of two lessons with the teachers' timetables, the counters,
// the temporary layer and the grid kept in step, in each swap mode.

#include "adjust/swap.h"

#include <gtest/gtest.h>

#include "core/gridmodel.h"
#include "tests/adjust/adjust_support.h"

namespace tavro::testing {
namespace {

void swapLessons(SwapBench& b, int dkzt, int i1, int j1, int i2, int j2) {
  b.st.Dkzt = dkzt;
  Ctx c = b.ctx();
  Dk(c, 7, 1, i1, j1, i2, j2);
}

TEST(Swap, NormalModeMovesBothTeachersAndDropsABlock) {
  SwapBench b;
  b.lesson(7, 1, 1, 1, 1, 1);
  b.lesson(7, 1, 2, 3, 2, 2);
  b.block(1, 2, 3, QStringLiteral("2"));
  b.s.Kb(2, 4, 4, 7, 1) = lessonCell(3, 3);    // a temporary change of the class
  b.s.Jskb(2, 5, 5, 1) = QStringLiteral("x");  // and of teacher 1
  swapLessons(b, 0, 1, 1, 2, 3);
  EXPECT_EQ(b.s.Kb(1, 1, 1, 7, 1), lessonCell(2, 2));
  EXPECT_EQ(b.s.Kb(1, 2, 3, 7, 1), lessonCell(1, 1));
  EXPECT_EQ(b.s.Jskb(1, 2, 3, 1), teacherLesson(1, 7, 1));  // the block is gone
  EXPECT_TRUE(b.s.Jskb(1, 1, 1, 1).isEmpty());
  EXPECT_EQ(b.s.Jskb(1, 1, 1, 2), teacherLesson(2, 7, 1));
  EXPECT_TRUE(b.s.Jskb(1, 2, 3, 2).isEmpty());
  // A long-term swap copies the class's and both teachers' long-term cells over their temporary layer.
  EXPECT_TRUE(b.s.Kb(2, 4, 4, 7, 1).isEmpty());
  EXPECT_TRUE(b.s.Jskb(2, 5, 5, 1).isEmpty());
  EXPECT_EQ(b.s.Kb(2, 2, 3, 7, 1), lessonCell(1, 1));
  // The class is redrawn: texts of the layer, default background.
  EXPECT_EQ(b.st.MSFG.cells(1, 1).text, QStringLiteral("数"));
  EXPECT_EQ(b.st.MSFG.cells(2, 3).text, QStringLiteral("语"));
  EXPECT_TRUE(b.st.MSFG.cells(5, 5).text.isEmpty());
}

TEST(Swap, SameTeacherIsMovedOnceAndEmptyCellsSwap) {
  SwapBench b;
  b.lesson(7, 1, 1, 1, 1, 1);
  b.lesson(7, 1, 1, 2, 3, 1);
  swapLessons(b, 0, 1, 1, 1, 2);
  EXPECT_EQ(b.s.Jskb(1, 1, 1, 1), teacherLesson(3, 7, 1));
  EXPECT_EQ(b.s.Jskb(1, 1, 2, 1), teacherLesson(1, 7, 1));

  swapLessons(b, 0, 1, 1, 3, 5);  // with an empty cell: teacher 0 on the empty side
  EXPECT_TRUE(b.s.Kb(1, 1, 1, 7, 1).isEmpty());
  EXPECT_EQ(b.s.Kb(1, 3, 5, 7, 1), lessonCell(3, 1));
  EXPECT_EQ(b.s.Jskb(1, 3, 5, 1), teacherLesson(3, 7, 1));
  EXPECT_TRUE(b.s.Jskb(1, 1, 1, 1).isEmpty());
  EXPECT_TRUE(b.s.Jskb(1, 1, 1, 0).isEmpty());
}

TEST(Swap, CountersFollowInTheLongTermLayerOnly) {
  SwapBench b;
  b.cap(3, 2);
  b.lesson(7, 1, 1, 1, 3, 3);
  b.lesson(7, 1, 2, 2, 1, 1);
  b.st.Ctszc(1, 1, 1) = 1;
  swapLessons(b, 0, 1, 1, 2, 2);
  EXPECT_EQ(b.st.Ctszc(1, 1, 1), 0);
  EXPECT_EQ(b.st.Ctszc(1, 2, 2), 1);

  b.st.Dqcqls = 2;
  b.st.Lsksrq = QStringLiteral("2026-01-05");
  b.st.Lsjsrq = QStringLiteral("2026-01-09");
  int replays = 0;
  Ctx c = b.ctx();
  Dk(c, 7, 1, 2, 2, 1, 1, [&](Ctx& inner) {
    ++replays;
    inner.st.Lsksrq = inner.st.Lsjsrq = QStringLiteral("x");
  });
  EXPECT_EQ(replays, 1);
  EXPECT_EQ(b.st.Lsksrq, QStringLiteral("2026-01-05"));
  EXPECT_EQ(b.st.Lsjsrq, QStringLiteral("2026-01-09"));
  EXPECT_EQ(b.st.Ctszc(1, 2, 2), 1);
  EXPECT_EQ(b.s.Kb(2, 1, 1, 7, 1), lessonCell(3, 3));
  EXPECT_EQ(b.s.Kb(1, 1, 1, 7, 1), lessonCell(1, 1));  // the long-term layer stays
  EXPECT_EQ(b.st.MSFG.cells(1, 1).back, kColourTemporary);
}

// A forced lesson of 0701 (语文, teacher 1) at (1, 1) where teacher 1 teaches 0801: the displaced
// lesson is parked in row Jss + 1.
void forcedLesson(SwapBench& b) {
  b.lesson(8, 1, 1, 1, 2, 1);
  const int park = b.s.Jss + 1;
  b.s.Jskb(1, 1, 1, park) = b.s.Jskb(1, 1, 1, 1);
  b.s.Jskb(2, 1, 1, park) = QStringLiteral("001");
  b.lesson(7, 1, 1, 1, 1, 1);
  b.st.Bxdck = QStringLiteral("0101");
  b.lesson(7, 1, 2, 4, 3, 3);
}

void expectRepaired(const SwapBench& b) {
  const int park = b.s.Jss + 1;
  EXPECT_EQ(b.s.Jskb(1, 1, 1, 1), teacherLesson(2, 8, 1));  // 0801's lesson is back
  EXPECT_EQ(b.s.Jskb(1, 2, 4, 1), teacherLesson(1, 7, 1));
  EXPECT_EQ(b.s.Jskb(1, 1, 1, 3), teacherLesson(3, 7, 1));
  EXPECT_TRUE(b.s.Jskb(1, 2, 4, 3).isEmpty());
  for (int layer : {1, 2})
    for (int row : {park, park + 1}) EXPECT_TRUE(b.s.Jskb(layer, 1, 1, row).isEmpty());
}

TEST(Swap, AutomaticAndForcedModesRestoreTheParkedLesson) {
  SwapBench b;
  forcedLesson(b);
  swapLessons(b, 1, 1, 1, 2, 4);
  expectRepaired(b);

  SwapBench d;
  forcedLesson(d);
  swapLessons(d, 2, 1, 1, 2, 4);
  expectRepaired(d);
}

TEST(Swap, ForcedModeWithoutAParkedLessonSwapsNormally) {
  SwapBench b;
  b.lesson(7, 1, 1, 1, 1, 1);
  b.lesson(7, 1, 2, 4, 3, 3);
  swapLessons(b, 2, 1, 1, 2, 4);
  EXPECT_EQ(b.s.Jskb(1, 2, 4, 1), teacherLesson(1, 7, 1));
  EXPECT_EQ(b.s.Jskb(1, 1, 1, 3), teacherLesson(3, 7, 1));
  EXPECT_TRUE(b.s.Jskb(1, 1, 1, 1).isEmpty());
}

}  // namespace
}  // namespace tavro::testing
