// A save of "课表.txt" killed at a random moment leaves the old or the new file whole.

#include <gtest/gtest.h>

#include "core/ctx.h"
#include "core/timetable_file.h"
#include "tests/fixtures/kill_trials.h"
#include "tests/fixtures/text_files.h"

namespace tavro {

namespace {

// A school of grades 1 to 12 with 8 classes each, 7 days of 13 periods, every cell holding cell:
// a timetable file of about 9,000 lines.
School largeSchool(const QString& folder, const QString& cell) {
  School s;
  s.Wjj = folder;
  s.Mzts = 7;
  s.Mtjs = 13;
  s.sizeGradeTables();
  s.Snj = 1;
  s.Mnj = 12;
  s.Zdbjs = 8;
  for (int nj = 1; nj <= 12; ++nj) s.Njbjs(nj) = 8;
  s.Bjzs = 96;
  s.sizeClassTables();
  for (int nj = 1; nj <= 12; ++nj)
    for (int bj = 1; bj <= 8; ++bj) {
      s.Bjmc(nj, bj) = QStringLiteral("%1年级%2班").arg(nj).arg(bj);
      s.Ypbz(nj, bj) = 1;
      for (int xq = 1; xq <= 7; ++xq)
        for (int jc = 1; jc <= 13; ++jc) s.Kb(kLongTerm, xq, jc, nj, bj) = cell;
    }
  return s;
}

}  // namespace

// A child process saves two different timetables in turn and is killed at random moments, 100
// times; the file on disk is always one of the two, whole. The kills land both between saves
// (the file changed) and inside a save.
TEST(TimetableSave, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
  fixtures::DataFolder dir;
  SilentUi ui;
  Session first;
  first.school = largeSchool(dir.path(), QStringLiteral("0010010000"));
  Session second;
  second.school = largeSchool(dir.path(), QStringLiteral("0020020000"));
  Ctx firstCtx = first.ctx(ui);
  Ctx secondCtx = second.ctx(ui);
  Bckb(secondCtx);
  const QByteArray secondBytes = fixtures::readBytes(dir.file());
  const std::int64_t saveMicroseconds = fixtures::microsecondsOf([&] { Bckb(firstCtx); });
  const QByteArray firstBytes = fixtures::readBytes(dir.file());
  ASSERT_GT(firstBytes.size(), 100000);
  ASSERT_NE(firstBytes, secondBytes);

  int changed = 0;
  QByteArray before = firstBytes;
  fixtures::KillTrials trials;
  trials.maxDelayMicroseconds = 3 * saveMicroseconds;
  const int insideSave = fixtures::runKillTrials(
      trials, [&](int call) { Bckb(call % 2 == 0 ? secondCtx : firstCtx); },
      [&](int trial) {
        const QByteArray now = fixtures::readBytes(dir.file());
        EXPECT_TRUE(now == firstBytes || now == secondBytes)
            << "trial " << trial << ": " << now.size() << " bytes";
        if (now != before) ++changed;
        before = now;
        fixtures::removeLeftoverFiles(dir.path(), kTimetableFileName);
      });
  EXPECT_GT(changed, 0);
  EXPECT_GT(insideSave, 0);
}

}  // namespace tavro
