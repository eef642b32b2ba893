// The slot search: remembered positions, teacher-less cells, double blocks, the
// relaxed round of main subjects, forced placement with its parking row, and
// the end of the program when a class has no room left.

#include "engine/search.h"

#include <gtest/gtest.h>

#include <QFile>

#include "core/errors.h"
#include "core/slots.h"
#include "tests/engine/engine_support.h"

namespace tavro::testing {
namespace {

constexpr int kChinese = 1, kMaths = 2, kEnglish = 3;

class SearchTest : public ::testing::Test {
 protected:
  SearchTest() : b(oneClassSchool(7)) {
    addRow(kChinese, 1, 5);
    addRow(kMaths, 2, 5);
    addRow(kEnglish, 3, 5);
    b.st.DqNj = 7;
    b.st.DqBj = 1;
  }
  void addRow(int course, int teacher, int weekly) {
    const int k = ++b.s.Bjkcs(7, 1);
    b.s.Bjkcb(k, 1, 7, 1) = course;
    b.s.Bjkcb(k, 2, 7, 1) = teacher;
    b.s.Bjkcb(k, 3, 7, 1) = weekly;
  }
  // Starts the turn of a course the way the scheduler does.
  CourseSearch startCourse(int course, int teacher, int remaining, int weekly) {
    SchedState& j = b.st.Sched;
    j.Pkkch = course;
    j.Pkjsh = teacher;
    j.Sykjs = remaining;
    j.Ypkjs = 0;
    j.Jgts = 1;
    for (int d = 1; d <= b.s.Mzts; ++d) j.Rypjs(d) = b.s.Mtjs - HDtbbkkjs(b.s, 7, 1, d);
    CourseSearch cs;
    cs.itemCount = 3;
    cs.listRemaining = remaining;
    cs.weekly = weekly;
    return cs;
  }
  void place(CourseSearch& cs, bool doubleMode = false) {
    Ctx c = b.ctx();
    placeNextLesson(c, cs, doubleMode);
  }
  int countCourse(int course) {
    int n = 0;
    for (int xq = 1; xq <= b.s.Mzts; ++xq) n += courseCountOnDay(b.s, 7, 1, xq, course);
    return n;
  }
  Bench b;
};

// Forced placement never leaves a lesson in a period its course bans: it takes the first empty period
// the course allows, placed normally when its teacher is free there; a course that bans every empty
// period goes to the first one as a must-move lesson (its teacher free, so nothing is parked).
TEST_F(SearchTest, ForcedPlacementTakesTheFirstAllowedPeriodAndNeverKeepsABannedOne) {
  b.s.Mtjp(kEnglish) = QStringLiteral("00000001");
  b.s.Mtjp(kMaths) = QStringLiteral("00000000");
  putLesson(b.s, b.st, 7, 1, 1, 1, kChinese, 1);
  CourseSearch english = startCourse(kEnglish, 3, 1, 1);
  Ctx c = b.ctx();
  forcePlace(c, english);
  EXPECT_EQ(b.s.Kb(1, 1, 8, 7, 1), QStringLiteral("0030030000"));
  EXPECT_TRUE(b.st.Bxdck.isEmpty());
  CourseSearch maths = startCourse(kMaths, 2, 1, 1);
  place(maths);
  EXPECT_EQ(b.s.Kb(1, 1, 2, 7, 1), QStringLiteral("0020020000"));
  EXPECT_EQ(b.s.Jskb(1, 1, 2, 2), QStringLiteral("0020701000"));
  EXPECT_EQ(b.s.Jskb(1, 1, 2, 4), QString());  // parking row Jss + 1: the teacher was free
  EXPECT_EQ(b.s.Jskb(2, 1, 2, 4), QStringLiteral("002"));
  EXPECT_EQ(b.st.Bxdck, QStringLiteral("0102"));
  EXPECT_EQ(b.st.Sched.Sykjs, 0);
}

TEST_F(SearchTest, AForcedLessonParksTheTeachersOtherLessonAndIsNotedAsMustMove) {
  b.s.Mtjp(kEnglish) = QStringLiteral("00000000");
  b.s.Jskb(1, 1, 1, 3) = QStringLiteral("0030802000");  // teacher 3 teaches class 0802 then
  CourseSearch cs = startCourse(kEnglish, 3, 1, 1);
  place(cs);
  EXPECT_EQ(b.s.Kb(1, 1, 1, 7, 1), QStringLiteral("0030030000"));
  EXPECT_EQ(b.s.Jskb(1, 1, 1, 3), QStringLiteral("0030701000"));
  EXPECT_EQ(b.s.Jskb(1, 1, 1, 4), QStringLiteral("0030802000"));  // parking row Jss + 1
  EXPECT_EQ(b.s.Jskb(2, 1, 1, 4), QStringLiteral("003"));
  EXPECT_EQ(b.st.Bxdck, QStringLiteral("0101"));
  // The next forced lesson of the same teacher appends its own slot.
  b.s.Jskb(1, 1, 2, 3) = QStringLiteral("0030802000");
  CourseSearch again = startCourse(kEnglish, 3, 1, 1);
  place(again);
  EXPECT_EQ(b.st.Bxdck, QStringLiteral("01010102"));
}

TEST_F(SearchTest, ATeacherlessCourseFirstTakesPeriodsNoTeacherCanUse) {
  addRow(0, 0, 3);
  for (int t = 1; t <= 3; ++t) b.s.Jskb(1, 3, 6, t) = QStringLiteral("2");
  CourseSearch cs = startCourse(0, 0, 3, 3);
  place(cs);
  EXPECT_EQ(b.s.Kb(1, 3, 6, 7, 1), QStringLiteral("0000000000"));
  EXPECT_EQ(countCourse(0), 1);
  // A period the course bans is passed over, even where no teacher can teach.
  b.s.Mtjp(0) = QStringLiteral("11111011");
  for (int t = 1; t <= 3; ++t) b.s.Jskb(1, 2, 6, t) = b.s.Jskb(1, 4, 7, t) = QStringLiteral("2");
  CourseSearch next = startCourse(0, 0, 2, 3);
  place(next);
  EXPECT_TRUE(b.s.Kb(1, 2, 6, 7, 1).isEmpty());
  EXPECT_EQ(b.s.Kb(1, 4, 7, 7, 1), QStringLiteral("0000000000"));
}

TEST_F(SearchTest, TheFirstRememberedPositionIsTakenWithoutTheRulesButNotInABannedPeriod) {
  // Teacher 3 has period 4 on three other weekdays: the single-lesson test would refuse (2, 4).
  for (int xq : {1, 3, 4}) b.s.Jskb(1, xq, 4, 3) = QStringLiteral("0030802000");
  b.st.Yxwz[0] = QStringLiteral("0030030204");
  CourseSearch cs = startCourse(kEnglish, 3, 2, 2);
  place(cs);
  EXPECT_EQ(b.s.Kb(1, 2, 4, 7, 1), QStringLiteral("0030030000"));
  EXPECT_TRUE(b.st.Bxdck.isEmpty());
  // The same position in a period the course bans is passed over.
  b.s.Mtjp(kEnglish) = QStringLiteral("11011111");
  b.st.Yxwz[0] = QStringLiteral("0030030203");
  CourseSearch again = startCourse(kEnglish, 3, 1, 2);
  place(again);
  EXPECT_TRUE(b.s.Kb(1, 2, 3, 7, 1).isEmpty());
  EXPECT_EQ(countCourse(kEnglish), 2);
  // A later remembered position is tested: teacher 2 is busy there, so the lesson goes elsewhere.
  b.st.Yxwz[0].clear();
  b.st.Yxwz[1] = QStringLiteral("0020020301");
  b.s.Jskb(1, 3, 1, 2) = QStringLiteral("0020802000");
  CourseSearch maths = startCourse(kMaths, 2, 1, 5);
  place(maths);
  EXPECT_EQ(countCourse(kMaths), 1);
  EXPECT_TRUE(b.s.Kb(1, 3, 1, 7, 1).isEmpty());
}

TEST_F(SearchTest, AMainSubjectGetsOneRelaxedRoundWhileTheFlagIsClear) {
  b.s.Kczf(kChinese) = 1;
  b.s.Mtjp(kChinese) = QStringLiteral("00000000");
  b.st.Sched.Fkbz = 0;
  CourseSearch first = startCourse(kChinese, 1, 1, 1);
  place(first);
  EXPECT_EQ(b.st.Sched.Fkbz, 1);
  const int movesWithRelaxedRound = first.weekdayMoves;
  CourseSearch second = startCourse(kChinese, 1, 1, 1);
  place(second);
  EXPECT_EQ(second.weekdayMoves, movesWithRelaxedRound - 1);
  EXPECT_EQ(countCourse(kChinese), 2);
}

TEST_F(SearchTest, ADoubleBlockTakesTwoNeighbouringPeriodsOfOneHalfDay) {
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    Bench fresh(oneClassSchool(7), seed);
    b.s = fresh.s;
    b.st.Sched = SchedState{};
    b.rng.seed(seed);
    addRow(kMaths, 2, 6);
    CourseSearch cs = startCourse(kMaths, 2, 6, 6);
    place(cs, true);
    ASSERT_EQ(b.st.Sched.Sykjs, 4) << seed;
    ASSERT_EQ(cs.doublesPlaced, 1) << seed;
    const int d = cs.prevDoubleDay, p = cs.prevDoubleStart;
    EXPECT_EQ(courseCountOnDay(b.s, 7, 1, d, kMaths), 2) << seed;
    EXPECT_FALSE(b.s.Kb(1, d, p, 7, 1).isEmpty());
    EXPECT_FALSE(b.s.Kb(1, d, p + 1, 7, 1).isEmpty());
    EXPECT_NE(p, b.s.Swjs) << "the block crosses the noon break";
  }
}

TEST_F(SearchTest, NoEmptyPeriodLeftEndsTheProgramAfterClearingAndSaving) {
  for (int xq = 1; xq <= b.s.Mzts; ++xq)
    for (int jc = 1; jc <= b.s.Mtjs; ++jc) putLesson(b.s, b.st, 7, 1, xq, jc, kChinese, 1);
  CourseSearch cs = startCourse(kMaths, 2, 1, 5);
  const QString message = QStringLiteral(
      "　　需要排的节数大于课表中的空格数，本班无法继续排课，前几个已排班级的课表已经保存。按“确定”按钮后退出"
      "本系统，"
      "再进入后重新编排本班级课表。");
  try {
    place(cs);
    FAIL() << "no ProgramEnd";
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.message(), message);
  }
  ASSERT_FALSE(b.ui.events().empty());
  EXPECT_EQ(b.ui.events().back().kind, QStringLiteral("info"));
  EXPECT_EQ(b.ui.events().back().text, message);
  EXPECT_TRUE(b.s.Kb(1, 3, 3, 7, 1).isEmpty());
  EXPECT_TRUE(QFile::exists(b.folder.file()));
}

}  // namespace
}  // namespace tavro::testing
