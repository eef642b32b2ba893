// The quality figures of a hand-made timetable: every soft fault and hard
// fault counted exactly, and the weighted score.

#include "quality/figures.h"

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {
namespace {

constexpr int kChinese = 1, kMaths = 2, kEnglish = 3;

// An ordinary lesson in both layers of the class cube and in the teacher's long-term cell.
void lesson(School& s, int nj, int bj, int xq, int jc, int kch, int jsh) {
  s.Kb(1, xq, jc, nj, bj) = s.Kb(2, xq, jc, nj, bj) = Lbq(3, kch) + Lbq(3, jsh) + QStringLiteral("0000");
  s.Jskb(1, xq, jc, jsh) = Lbq(3, kch) + Lbq(2, nj) + Lbq(2, bj) + QStringLiteral("000");
}

// Class 0701: 语文 (a main subject) twice on Monday and in period 7 on Tuesday; 数学 in period 1 on
// three days and in the last period on two; 英语 six times, four of them on Friday (its teacher then
// has four lessons, one above the daily maximum of 3) and twice on Thursday around a meeting.
School measuredSchool() {
  School s = fixtures::twoGradeSchool();
  s.Jsmtzdjs = 3;
  s.Kczf(kChinese) = 1;
  for (int jc : {1, 2}) lesson(s, 7, 1, 1, jc, kChinese, 1);
  lesson(s, 7, 1, 2, 7, kChinese, 1);
  for (int xq : {3, 4, 5}) lesson(s, 7, 1, xq, 1, kMaths, 2);
  for (int xq : {1, 2}) lesson(s, 7, 1, xq, 8, kMaths, 2);
  for (int jc : {2, 3, 4, 5}) lesson(s, 7, 1, 5, jc, kEnglish, 3);
  for (int jc : {2, 6}) lesson(s, 7, 1, 4, jc, kEnglish, 3);
  s.Jskb(1, 4, 4, 3) = QStringLiteral("6");
  const int plan[][3] = {{kChinese, 1, 3}, {kMaths, 2, 5}, {kEnglish, 3, 6}};
  s.Bjkcs(7, 1) = 3;
  for (int k = 0; k < 3; ++k)
    for (int f = 0; f < 3; ++f) s.Bjkcb(k + 1, f + 1, 7, 1) = plan[k][f];
  return s;
}

TEST(QualityFigures, SoftFaultsAreCountedExactly) {
  const School s = measuredSchool();
  const SoftFaults f = measureSoftFaults(s);
  EXPECT_EQ(f.sameDayRepeats, 1 + 3);  // 语文 once; 英语 6 lessons on 2 days, 1 forced by the 5-day week
  EXPECT_EQ(f.mainLessons, 3);
  EXPECT_EQ(f.mainAfternoon, 1);
  EXPECT_EQ(f.mainLastTwo, 1);
  EXPECT_EQ(f.edgePeriodOveruse, 2);  // 数学: period 1 on a third day, the last period on a second
  EXPECT_EQ(f.teacherIdle, 2);        // 王　五 on Thursday: periods 3 and 5 (4 is a meeting)
  EXPECT_EQ(f.teacherDaysAboveMost, 1);
  EXPECT_EQ(f.teacherLessonsAboveMost, 1);
  EXPECT_EQ(f.score(), kRepeatWeight * 4 + kMainAfternoonWeight + kMainLastTwoWeight + kEdgePeriodWeight * 2 +
                           kIdleWeight * 2 + kAboveDailyMostWeight);
}

TEST(QualityFigures, HardFaultsAreCountedExactly) {
  School s = measuredSchool();
  EXPECT_EQ(measureHardFaults(s, blockedCells(s)).total(), 0);
  EXPECT_EQ(measureQuality(s, {}).emptyCells, 3 * 40 + 40 - 14);

  s.Mtjp(kEnglish) = QStringLiteral("11111011");  // 英语 banned in period 6: Thursday's lesson
  s.Jskb(1, 3, 1, 2) = QStringLiteral("2");       // 李四光 asked not to teach Wednesday period 1
  const QStringList blocked = blockedCells(s);
  lesson(s, 7, 1, 3, 1, kMaths, 2);    // ... where 0701 has 数学 all the same
  lesson(s, 7, 2, 1, 1, kChinese, 1);  // 张　三 teaches 0701 and 0702 on Monday period 1
  lesson(s, 8, 1, 3, 1, kMaths, 4);    // two classes of 数学 at once, capped at one
  s.Szlmc(6, 0) = QStringLiteral("1");
  s.Szlmc(6, 1) = QStringLiteral("数学");
  s.Szlz(6, 1) = 1;
  const HardFaults h = measureHardFaults(s, blocked);
  EXPECT_EQ(h.bannedLessons, 1);
  EXPECT_EQ(h.teacherClashes, 1);
  EXPECT_EQ(h.blockedLessons, 1);
  EXPECT_EQ(h.capsExceeded, 1);
  EXPECT_EQ(h.planDifferences, 2);  // 0702 and 0801 have lessons their empty plans do not hold
  EXPECT_EQ(h.total(), 6);
}

}  // namespace
}  // namespace tavro::testing
