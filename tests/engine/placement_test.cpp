// Writing lessons into the timetable cubes: combined lessons at their fixed
// times, ordinary lessons into the class and teacher cells of both layers with
// their counters, and the rebuild of teacher cells from a class timetable.

#include "engine/placement.h"

#include <gtest/gtest.h>

#include "core/slots.h"
#include "tests/engine/engine_support.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {
namespace {

class CombinedLessonTest : public ::testing::Test {
 protected:
  CombinedLessonTest() : b(fixtures::twoGradeSchool()) {
    b.s.Bzr(7, 1) = 3;
    n = fixtures::addCombinedLesson(b.s, QStringLiteral("5"), QStringLiteral("0000"), QStringLiteral("0508"),
                                    1, QStringLiteral("班主任"));
    b.s.Hbk(6, n).clear();
  }
  Bench b;
  int n = 0;
};

TEST_F(CombinedLessonTest, WritesBothLayersAndTheTeachersAndRepeatsSilently) {
  Ctx c = b.ctx();
  ASSERT_TRUE(Cltyk(c, n, 7, 1, 5, 8, 1, QStringLiteral("003")));
  EXPECT_EQ(b.s.Hbk(6, n), QStringLiteral("000"));
  EXPECT_EQ(b.s.Kb(1, 5, 8, 7, 1), QStringLiteral("0010010005"));
  EXPECT_EQ(b.s.Kb(2, 5, 8, 7, 1), QStringLiteral("0010010005"));
  EXPECT_EQ(b.s.Jskb(1, 5, 8, 3), QStringLiteral("0019001000"));
  EXPECT_EQ(b.s.Jskb(2, 5, 8, 3), QStringLiteral("0019001000"));
  ASSERT_TRUE(Cltyk(c, n, 7, 1, 5, 8, 1, QStringLiteral("003")));
  EXPECT_TRUE(b.ui.events().empty());
  // No teacher: no teacher cell at all.
  ASSERT_TRUE(Cltyk(c, n, 7, 2, 5, 8, 1, QString()));
  for (int t = 0; t <= b.s.Jss + 2; ++t) {
    if (t == 3) continue;
    EXPECT_TRUE(b.s.Jskb(1, 5, 8, t).isEmpty()) << t;
  }
}

TEST_F(CombinedLessonTest, AClashIsReportedAndKeepsTheFirstLesson) {
  Ctx c = b.ctx();
  const int other = fixtures::addCombinedLesson(b.s, QStringLiteral("8"), QStringLiteral("0701"),
                                                QStringLiteral("0508"), 2, QStringLiteral("002"));
  ASSERT_TRUE(Cltyk(c, n, 7, 1, 5, 8, 1, QStringLiteral("003")));
  EXPECT_FALSE(Cltyk(c, other, 7, 1, 5, 8, 2, QStringLiteral("002")));
  ASSERT_EQ(b.ui.events().size(), 1u);
  EXPECT_EQ(b.ui.events()[0].kind, QStringLiteral("warning"));
  EXPECT_EQ(b.ui.events()[0].text,
            QStringLiteral("　　0701初一1班班星期五第8节已排序号为001的合班课，不能再排序号为002的合班课，"
                           "必需在“全校排课设置”窗体的“合班课”页修改有关的合班课！"));
  EXPECT_EQ(b.s.Kb(1, 5, 8, 7, 1), QStringLiteral("0010010005"));
  EXPECT_TRUE(b.s.Jskb(1, 5, 8, 2).isEmpty());
}

TEST(OrdinaryLessonPlacement, ClassAndTeacherCellsAndCounters) {
  Bench b(fixtures::twoGradeSchool());
  b.s.Kcmc(3) = QStringLiteral("班会");
  SchedState& j = b.st.Sched;
  j.Sykjs = 3;
  int ypts = 0;
  Clbbrb(b.s, b.st, 8, 2, 2, 3, 1, 4, ypts, kLongTerm);
  EXPECT_EQ(b.s.Kb(1, 2, 3, 8, 2), QStringLiteral("0010040000"));
  EXPECT_EQ(b.s.Kb(2, 2, 3, 8, 2), QStringLiteral("0010040000"));
  EXPECT_EQ(b.s.Jskb(1, 2, 3, 4), QStringLiteral("0010802000"));
  EXPECT_EQ(b.s.Jskb(2, 2, 3, 4), QStringLiteral("0010802000"));
  EXPECT_EQ(b.st.Kcxz, QStringLiteral("0"));
  EXPECT_EQ(ypts, 1);
  Clbbrb(b.s, b.st, 8, 2, 2, 5, 1, 4, ypts, kLongTerm);  // same course, same weekday
  EXPECT_EQ(ypts, 1);
  EXPECT_EQ(j.TYdjs(2), 2);
  EXPECT_EQ(j.Ypkjs, 2);
  EXPECT_EQ(j.Sykjs, 1);
  Clbbyjk(b.s, b.st, 8, 2, 2, 6, 3, 0, ypts, kLongTerm);  // 班会: counted as placed, not per weekday
  EXPECT_EQ(j.TYdjs(2), 2);
  EXPECT_EQ(j.Sykjs, 0);
  // A temporary-layer write touches neither the long-term layer nor the counters.
  Clbbrb(b.s, b.st, 8, 2, 3, 1, 2, 1, ypts, kTemporary);
  EXPECT_TRUE(b.s.Kb(1, 3, 1, 8, 2).isEmpty());
  EXPECT_EQ(b.s.Kb(2, 3, 1, 8, 2), QStringLiteral("0020010000"));
  EXPECT_TRUE(b.s.Jskb(1, 3, 1, 1).isEmpty());
  EXPECT_EQ(j.Ypkjs, 3);
}

TEST(OrdinaryLessonPlacement, CappedCoursesCountSchoolWideAndRebuildSkipsCombinedCells) {
  Bench b(fixtures::twoGradeSchool());
  b.s.Szlmc(6, 0) = QStringLiteral("2");
  b.s.Szlmc(6, 1) = QStringLiteral("英语　　　　");
  b.s.Szlmc(6, 2) = QStringLiteral("数学　　　　");
  b.s.Szlz(6, 1) = 1;
  b.s.Szlz(6, 2) = 1;
  b.s.Kcszbz(3) = QStringLiteral("00000100");
  b.s.Kcszbz(2) = QStringLiteral("00000000");  // listed, but its setting character says uncapped
  resetCtszc(b.s, b.st);
  int ypts = 0;
  Clbbrb(b.s, b.st, 7, 1, 1, 1, 3, 1, ypts, kLongTerm);
  Clbbrb(b.s, b.st, 7, 1, 1, 2, 2, 2, ypts, kLongTerm);
  EXPECT_EQ(b.st.Ctszc(1, 1, 1), 1);
  EXPECT_EQ(b.st.Ctszc(2, 1, 2), 0);
  EXPECT_TRUE(Hlqlknfp(b.s, b.st, 1, 1, 3));
  EXPECT_FALSE(Hlqlknfp(b.s, b.st, 1, 2, 2));

  // Rebuild of class 0702's teacher cells from its timetable.
  b.s.Kb(1, 2, 1, 7, 2) = QStringLiteral("0030030000");
  b.s.Kb(1, 2, 2, 7, 2) = QStringLiteral("0030090000");  // teacher 9 does not exist: ignored
  b.s.Kb(1, 2, 3, 7, 2) = QStringLiteral("0010010005");  // combined: skipped
  resetCtszc(b.s, b.st);
  Bjsjjjskb(b.s, b.st, 7, 2);
  EXPECT_EQ(b.s.Jskb(1, 2, 1, 3), QStringLiteral("0030702000"));
  EXPECT_EQ(b.s.Jskb(2, 2, 1, 3), QStringLiteral("0030702000"));
  EXPECT_TRUE(b.s.Jskb(1, 2, 3, 1).isEmpty());
  EXPECT_EQ(b.st.Ctszc(1, 2, 1), 1);
  EXPECT_EQ(b.st.Ctszc(1, 2, 2), 1);  // the counter follows the course even without a valid teacher
}

}  // namespace
}  // namespace tavro::testing
