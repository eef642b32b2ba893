#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <random>

#include "core/ctx.h"
#include "core/timetable_file.h"
#include "tests/fixtures/text_files.h"

namespace tavro {

namespace {

// A school of grades 1 to 12 with 20 classes each, 7 days of 13 periods, every cell holding cell:
// a timetable file of about 24,000 lines.
School largeSchool(const QString& folder, const QString& cell) {
  School s;
  s.Wjj = folder;
  s.Mzts = 7;
  s.Mtjs = 13;
  s.sizeGradeTables();
  s.Snj = 1;
  s.Mnj = 12;
  s.Zdbjs = 20;
  for (int nj = 1; nj <= 12; ++nj) s.Njbjs(nj) = 20;
  s.Bjzs = 240;
  s.sizeClassTables();
  for (int nj = 1; nj <= 12; ++nj)
    for (int bj = 1; bj <= 20; ++bj) {
      s.Bjmc(nj, bj) = QStringLiteral("%1年级%2班").arg(nj).arg(bj);
      s.Ypbz(nj, bj) = 1;
      for (int xq = 1; xq <= 7; ++xq)
        for (int jc = 1; jc <= 13; ++jc) s.Kb(kLongTerm, xq, jc, nj, bj) = cell;
    }
  return s;
}

}  // namespace

// A child process saves two different timetables in turn and is killed at random moments;
// the file on disk is always one of the two, whole.
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
  QElapsedTimer timer;
  timer.start();
  Bckb(firstCtx);
  const qint64 saveMicroseconds = std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);
  const QByteArray firstBytes = fixtures::readBytes(dir.file());
  ASSERT_GT(firstBytes.size(), 200000);
  ASSERT_NE(firstBytes, secondBytes);

  std::mt19937 random(20261209);
  std::uniform_int_distribution<qint64> delay(0, 3 * saveMicroseconds);
  int changed = 0;  // trials in which the child finished at least one save before it was killed
  QByteArray before = firstBytes;
  for (int trial = 0; trial < 30; ++trial) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0; i < 100000; ++i) Bckb(i % 2 == 0 ? secondCtx : firstCtx);
      _exit(0);
    }
    usleep(static_cast<useconds_t>(delay(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const QByteArray now = fixtures::readBytes(dir.file());
    EXPECT_TRUE(now == firstBytes || now == secondBytes)
        << "trial " << trial << ": " << now.size() << " bytes";
    if (now != before) ++changed;
    before = now;
  }
  EXPECT_GT(changed, 0);
}

}  // namespace tavro
