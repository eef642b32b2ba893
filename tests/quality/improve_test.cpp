// The improvement pass on generated schools: it lowers the score, keeps every
// hard rule and every fixed lesson, stops where no exchange the swap test allows
// (green or yellow) lowers the score, gives the same timetable for the same
// seed, can be stopped, saves the timetable file once, and leaves an unfinished
// timetable alone.

#include "quality/improve.h"

#include <gtest/gtest.h>

#include <QFile>

#include "adjust/swap.h"
#include "adjust/swaptest.h"
#include "core/cells.h"
#include "core/slots.h"
#include "core/timetable_file.h"
#include "engine/placement.h"
#include "tests/engine/engine_support.h"
#include "tests/fixtures/generated_school.h"

namespace tavro::testing {
namespace {

// A generated school scheduled class by class; every class finished (the seeds are chosen so).
struct ScheduledSchool : Bench {
  ScheduledSchool(const fixtures::GeneratedSchoolSize& size, std::uint64_t school, std::uint64_t seed)
      : Bench(fixtures::generatedSchool(school, size), seed) {
    prepareRun(*this);
    finished = scheduleEveryClass(*this) == 0;
    s.Ypbjs = s.Bjzs;
  }
  ImproveReport improve(std::uint64_t seed = 1, std::function<bool(int)> progress = {}) {
    Ctx c = ctx();
    ImproveOptions options;
    options.seed = seed;
    options.progress = std::move(progress);
    return improveTimetable(c, options);
  }
  bool finished = false;
};

QByteArray fileBytes(const School& s) {
  QFile file(timetableFilePath(s));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The cells the pass may never move: combined lessons and class meetings.
QStringList fixedCells(const School& s) {
  QStringList cells;
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj)
      for (int xq = 1; xq <= s.Mzts; ++xq)
        for (int jc = 1; jc <= s.Mtjs; ++jc) {
          const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
          if (isCombinedCell(cell) || isMeetingCourse(s, cellCourse(cell)))
            cells << QStringLiteral("%1 %2 %3 %4 %5").arg(nj).arg(bj).arg(xq).arg(jc).arg(cell);
        }
  return cells;
}

TEST(ImprovementPass, LowersTheScoreKeepsEveryHardRuleAndSavesOnce) {
  ScheduledSchool b({3, 4, 5, 8}, 2, 1);
  ASSERT_TRUE(b.finished);
  const QStringList blocked = blockedCells(b.s);
  const QStringList fixed = fixedCells(b.s);
  std::vector<int> percents;
  const ImproveReport r = b.improve(1, [&](int percent) { return percents.push_back(percent), true; });
  ASSERT_TRUE(r.ready);
  EXPECT_GT(r.exchanges, 0);
  EXPECT_LT(r.after.soft.score(), r.before.soft.score());
  EXPECT_EQ(r.after.soft.score(), measureSoftFaults(b.s).score());
  EXPECT_LT(r.after.soft.sameDayRepeats + r.after.soft.mainAfternoon,
            r.before.soft.sameDayRepeats + r.before.soft.mainAfternoon);
  EXPECT_EQ(r.before.hard.total(), 0);
  EXPECT_EQ(r.after.hard.total(), 0);
  EXPECT_EQ(timetableFaults(b.s, b.st), QStringList());
  EXPECT_EQ(bannedPeriodFaults(b.s), QStringList());
  EXPECT_EQ(measureHardFaults(b.s, blocked).blockedLessons, 0);
  EXPECT_EQ(blockedCells(b.s), blocked);
  EXPECT_EQ(fixedCells(b.s), fixed);
  for (int nj = b.s.Snj; nj <= b.s.Mnj; ++nj)
    for (int bj = 1; bj <= b.s.Njbjs(nj); ++bj)
      for (int xq = 1; xq <= b.s.Mzts; ++xq)
        for (int jc = 1; jc <= b.s.Mtjs; ++jc)
          ASSERT_EQ(b.s.Kb(kTemporary, xq, jc, nj, bj), b.s.Kb(kLongTerm, xq, jc, nj, bj));
  EXPECT_TRUE(r.saved);
  EXPECT_EQ(fileBytes(b.s), timetableFileBytes(b.s));
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.back(), 100);
  EXPECT_EQ(b.st.Dqcqls, kLongTerm);
  EXPECT_EQ(b.st.Xq1, 0);
}

// Every exchange of two lessons of one class that the swap test grades green or yellow, made with the
// swap executor, measured afresh and made back: none lowers the score the pass ended with.
TEST(ImprovementPass, StopsWhereNoAllowedExchangeLowersTheScore) {
  ScheduledSchool b({2, 2, 5, 8}, 3, 2);
  ASSERT_TRUE(b.finished);
  const ImproveReport r = b.improve(5);
  const long long score = r.after.soft.score();
  School& s = b.s;
  RunState& st = b.st;
  int tried = 0;
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj) {
      for (int a = 0; a < s.Mzts * s.Mtjs; ++a) {
        for (int b2 = a + 1; b2 < s.Mzts * s.Mtjs; ++b2) {
          st.Xq1 = a / s.Mtjs + 1, st.Jc1 = a % s.Mtjs + 1, st.Xq2 = b2 / s.Mtjs + 1,
          st.Jc2 = b2 % s.Mtjs + 1;
          const QString& first = s.Kb(kLongTerm, st.Xq1, st.Jc1, nj, bj);
          const QString& second = s.Kb(kLongTerm, st.Xq2, st.Jc2, nj, bj);
          if (isCombinedCell(first) || isMeetingCourse(s, cellCourse(first)) ||
              isMeetingCourse(s, cellCourse(second)))
            continue;
          const int k1 = cellCourse(first), k2 = cellCourse(second);
          st.Jsh1 = cellTeacher(first), st.Jsh2 = cellTeacher(second);
          Ctx c = b.ctx();
          const int grade = gradeCandidate(c, nj, bj, k1, k2);
          if (grade != kGradeGreen && grade != kGradeYellow) continue;
          ++tried;
          const int xq1 = st.Xq1, jc1 = st.Jc1, xq2 = st.Xq2, jc2 = st.Jc2;
          st.Dkzt = 0;
          Dk(c, nj, bj, xq1, jc1, xq2, jc2);
          const long long exchanged = measureSoftFaults(s).score();
          Dk(c, nj, bj, xq1, jc1, xq2, jc2);  // and back
          ASSERT_GE(exchanged, score) << nj << bj << " " << a << " " << b2;
        }
      }
    }
  }
  EXPECT_GT(tried, 100);
  EXPECT_EQ(measureSoftFaults(s).score(), score);
}

TEST(ImprovementPass, TheSameSeedGivesTheSameTimetableAndAStopKeepsASoundOne) {
  ScheduledSchool first({2, 3, 5, 8}, 1, 3), second({2, 3, 5, 8}, 1, 3);
  ASSERT_TRUE(first.finished);
  first.improve(7);
  second.improve(7);
  EXPECT_EQ(timetableFileBytes(first.s), timetableFileBytes(second.s));

  ScheduledSchool stopped({2, 3, 5, 8}, 1, 3);
  int calls = 0;
  const ImproveReport r = stopped.improve(7, [&](int) { return ++calls < 1; });
  EXPECT_TRUE(r.stopped);
  EXPECT_EQ(calls, 1);
  EXPECT_LE(r.after.soft.score(), r.before.soft.score());
  EXPECT_EQ(r.after.hard.total(), 0);
  EXPECT_EQ(timetableFaults(stopped.s, stopped.st), QStringList());
}

TEST(ImprovementPass, LeavesAnUnfinishedTimetableAlone) {
  ScheduledSchool b({2, 2, 5, 8}, 1, 1);
  b.s.Ypbjs = b.s.Bjzs - 1;
  const QByteArray before = timetableFileBytes(b.s);
  const ImproveReport r = b.improve();
  EXPECT_FALSE(r.ready);
  EXPECT_EQ(r.exchanges, 0);
  EXPECT_EQ(timetableFileBytes(b.s), before);
  EXPECT_TRUE(fileBytes(b.s).isEmpty());
}

}  // namespace
}  // namespace tavro::testing
