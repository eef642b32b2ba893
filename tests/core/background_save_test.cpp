// Saves of "课表.txt" handed to the background writer during a scheduling chain: the file on disk
// is the newest snapshot once the chain waits for it, a read waits for the writer, failures reach
// the caller, and a process killed while saving leaves a whole file behind.

#include <gtest/gtest.h>

#include <memory>

#include "core/background_saver.h"
#include "core/ctx.h"
#include "core/scripted_ui.h"
#include "core/textfile.h"
#include "core/timetable_file.h"
#include "tests/fixtures/kill_trials.h"
#include "tests/fixtures/small_school.h"
#include "tests/fixtures/text_files.h"

namespace tavro {

namespace {

using fixtures::readBytes;

// The two-grade school (2 days of 3 periods) in folder with class 0701's first cell set to cell.
Session savedSchool(const QString& folder, const QString& cell) {
  Session session;
  session.school = fixtures::twoGradeSchool();
  School& s = session.school;
  s.Wjj = folder;
  s.Mzts = 2;
  s.Mtjs = 3;
  s.Bjmc(7, 1) = QStringLiteral("七(1)\r\n");
  s.Kb(kLongTerm, 1, 1, 7, 1) = cell;
  return session;
}

}  // namespace

// Names with line breaks, Chinese and empty cells are encoded as the file lines say.
TEST(BackgroundSave, FileBytesHoldTheClassBlocks) {
  fixtures::DataFolder dir;
  const Session session = savedSchool(dir.path(), QStringLiteral("0010010000"));
  const QByteArray bytes = timetableFileBytes(session.school);
  EXPECT_TRUE(bytes.contains("07年级01班,七(1)  \r\n 0 \r\n星期 1 \r\n0010010000\r\n\r\n\r\n星期 2 \r\n"));
}

// Saves made in the scope return at once; finish leaves the newest on disk, a read in the scope
// sees the newest, nested scopes share one writer, and after the scope Bckb writes at once again.
TEST(BackgroundSave, TheNewestSnapshotIsOnDiskWhenTheScopeWaits) {
  fixtures::DataFolder dir;
  Session session = savedSchool(dir.path(), QString());
  ScriptedUi ui;
  Ctx c = session.ctx(ui);
  {
    BackgroundTimetableSaves saves(c.st);
    BackgroundSaver* writer = c.st.TimetableSaver;
    ASSERT_NE(writer, nullptr);
    {
      BackgroundTimetableSaves inner(c.st);
      EXPECT_EQ(c.st.TimetableSaver, writer);
    }
    EXPECT_EQ(c.st.TimetableSaver, writer);
    for (int i = 1; i <= 200; ++i) {
      const QString code = QStringLiteral("%1").arg(i % 3 + 1, 3, 10, QChar(u'0'));
      c.s.Kb(kLongTerm, 1, 1, 7, 1) = code + code + QStringLiteral("0000");
      c.s.Ypbz(7, 2) = i % 2;
      Bckb(c);
    }
    c.s.Kb(kLongTerm, 1, 1, 7, 1).clear();
    Dkkbwj(c, dir.file());  // waits for the writer, then reads the last save back
    EXPECT_EQ(c.s.Kb(kLongTerm, 1, 1, 7, 1), QStringLiteral("0030030000"));
    EXPECT_EQ(c.s.Ypbz(7, 2), 0);
    EXPECT_EQ(ui.allTexts(), QStringList());
    c.s.Kb(kLongTerm, 2, 3, 8, 2) = QStringLiteral("0030030000");
    Bckb(c);
    saves.finish();
    EXPECT_EQ(readBytes(dir.file()), timetableFileBytes(c.s));
  }
  EXPECT_EQ(c.st.TimetableSaver, nullptr);
  c.s.Kb(kLongTerm, 2, 3, 8, 2).clear();
  Bckb(c);
  EXPECT_EQ(readBytes(dir.file()), timetableFileBytes(c.s));
}

// A save that cannot be written is reported by the wait at the end (and only once), and a later
// save after the failure is written again.
TEST(BackgroundSave, AFailedWriteIsReportedByTheWait) {
  fixtures::DataFolder dir;
  Session session = savedSchool(dir.path() + QStringLiteral("missing/"), QString());
  SilentUi ui;
  Ctx c = session.ctx(ui);
  BackgroundTimetableSaves saves(c.st);
  Bckb(c);
  try {
    saves.finish();
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.message(), QStringLiteral("无法保存文件“") + dir.path() +
                               QStringLiteral("missing/课表.txt”：文件夹“") + dir.path() +
                               QStringLiteral("missing”不存在。"));
  }
  EXPECT_NO_THROW(saves.finish());
  c.s.Wjj = dir.path();
  Bckb(c);
  saves.finish();
  EXPECT_EQ(readBytes(dir.file()), timetableFileBytes(c.s));
}

// The writer takes snapshots of two files in turn without dropping either file's newest one.
TEST(BackgroundSave, SnapshotsOfTwoFilesAreBothWritten) {
  fixtures::DataFolder dir;
  BackgroundSaver saver;
  for (int i = 0; i < 50; ++i) {
    saver.save(dir.file(QStringLiteral("a.txt")), QByteArray::number(i));
    saver.save(dir.file(QStringLiteral("b.txt")), QByteArray::number(100 + i));
  }
  saver.flush();
  EXPECT_EQ(readBytes(dir.file(QStringLiteral("a.txt"))), "49");
  EXPECT_EQ(readBytes(dir.file(QStringLiteral("b.txt"))), "149");
}

// A child process saves two timetables in turn through the background writer and is killed at
// random moments: the file on disk is always one of the two, whole.
TEST(BackgroundSave, AKilledProcessLeavesTheOldOrTheNewFileWhole) {
  fixtures::DataFolder dir;
  SilentUi ui;
  Session first = savedSchool(dir.path(), QStringLiteral("0010010000"));
  Session second = savedSchool(dir.path(), QStringLiteral("0020020000"));
  for (int nj = 7; nj <= 8; ++nj)  // a longer file: every class name padded to 2,000 characters
    for (int bj = 1; bj <= 2; ++bj) first.school.Bjmc(nj, bj) = QString(2000, u'班');
  Ctx firstCtx = first.ctx(ui);
  Ctx secondCtx = second.ctx(ui);
  firstCtx.st.History.enabled = secondCtx.st.History.enabled = false;  // the writes alone
  Bckb(secondCtx);
  const QByteArray secondBytes = readBytes(dir.file());
  Bckb(firstCtx);
  const QByteArray firstBytes = readBytes(dir.file());
  ASSERT_NE(firstBytes, secondBytes);
  int changed = 0;
  QByteArray before = firstBytes;
  fixtures::KillTrials trials;
  trials.trials = 30;
  trials.maxDelayMicroseconds = 20000;
  std::unique_ptr<BackgroundTimetableSaves> saves;  // made in each child on its first call
  int trialNumber = 0;                              // each child sees it as it was when the child was forked
  fixtures::runKillTrials(
      trials,
      [&](int call) {
        if (!saves) {
          saves = std::make_unique<BackgroundTimetableSaves>(firstCtx.st);
          secondCtx.st.TimetableSaver = firstCtx.st.TimetableSaver;
        }
        Bckb((call + trialNumber) % 2 == 0 ? secondCtx : firstCtx);
        // The first two saves reach the disk before the child goes on, the second one differing
        // from trial to trial: however slow the writer thread, the file changes between trials.
        if (call < 2) waitForTimetableSaves(firstCtx.st);
      },
      [&](int trial) {
        const QByteArray now = readBytes(dir.file());
        EXPECT_TRUE(now == firstBytes || now == secondBytes)
            << "trial " << trial << ": " << now.size() << " bytes";
        if (now != before) ++changed;
        before = now;
        ++trialNumber;
      });
  EXPECT_GT(changed, 0);
}

}  // namespace tavro
