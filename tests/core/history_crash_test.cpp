// Undo, redo and restore killed at random moments leave the timetable file and the history whole:
// the file is one of the versions it went through, the index reads and every version it names is
// kept whole, and the next undo or redo finishes what the killed one began.

#include <gtest/gtest.h>

#include <QFileInfo>

#include "core/history_action.h"
#include "core/runstate.h"
#include "tests/fixtures/kill_trials.h"
#include "tests/fixtures/text_files.h"

namespace tavro {

namespace {

const QString kTimetable = QStringLiteral("课表.txt");

// A data folder whose timetable file went through four states (about 100 KB each) in three actions.
struct KilledHistory {
  fixtures::DataFolder dir;
  RunState st;
  HistoryFolder folder{dir.path(), HistoryLimits{100000, qint64(1) << 40}};  // nothing trimmed
  QList<QByteArray> states;

  KilledHistory() {
    st.History.limits = HistoryLimits{100000, qint64(1) << 40};
    for (char c : {'a', 'b', 'c', 'd'}) states << QByteArray(100000, c) + "\r\n";
    fixtures::writeBytes(dir.file(), states[0]);
    for (int i = 1; i < states.size(); ++i) {
      HistoryActionScope scope(st, HistoryAction{QStringLiteral("调课"), QStringLiteral("初一1班"),
                                                 QStringLiteral("第%1次").arg(i)});
      saveDataFile(st, dir.file(), states[i]);
    }
  }

  // The file, the index and every version it names are whole, and an undo and a redo succeed.
  void expectWhole(int trial) {
    EXPECT_TRUE(states.contains(fixtures::readBytes(dir.file()))) << "trial " << trial;
    const QByteArray indexBytes = fixtures::readBytes(folder.path() + kHistoryIndexName);
    EXPECT_TRUE(indexBytes.startsWith("'Tavro历史索引") && indexBytes.endsWith("\r\n")) << "trial " << trial;
    const HistoryIndex index = folder.readIndex();
    EXPECT_GE(index.steps.size(), 3) << "trial " << trial;
    for (const HistoryStep& step : index.steps)
      for (const HistoryFileChange& c : step.files)
        for (const QString& v : {c.before, c.after}) {
          if (v.isEmpty() || v == kNoVersion) continue;
          EXPECT_TRUE(states.contains(fixtures::readBytes(folder.versionPath(v)))) << v.toStdString();
        }
    for (const HistoryVersion& v : folder.versions())
      EXPECT_TRUE(states.contains(fixtures::readBytes(folder.versionPath(v.name)))) << v.name.toStdString();
  }
};

}  // namespace

// A child walks back and forth through the steps (undo three times, redo three times) and is
// killed at random moments, 100 times. Afterwards undoing every step leads back to the first state.
TEST(HistoryCrash, AKilledUndoOrRedoLeavesAWholeFileAndHistory) {
  KilledHistory h;
  const QString time = QStringLiteral("2026-12-09 15-00-00");
  const std::int64_t stepMicroseconds = fixtures::microsecondsOf([&] { undoHistoryStep(h.folder, time); });
  redoHistoryStep(h.folder, time);
  fixtures::KillTrials trials;
  trials.maxDelayMicroseconds = 6 * stepMicroseconds;
  QSet<QByteArray> seen;
  const int inside = fixtures::runKillTrials(
      trials,
      [&](int call) {
        if (call % 6 < 3) {
          undoHistoryStep(h.folder, time);
        } else {
          redoHistoryStep(h.folder, time);
        }
      },
      [&](int trial) {
        h.expectWhole(trial);
        seen.insert(fixtures::readBytes(h.dir.file()));
      });
  EXPECT_GT(inside, 0);
  EXPECT_GE(seen.size(), 3);
  while (undoHistoryStep(h.folder, time)) {
  }
  EXPECT_EQ(fixtures::readBytes(h.dir.file()), h.states[0]);
  while (redoHistoryStep(h.folder, time)) {
  }
  EXPECT_EQ(fixtures::readBytes(h.dir.file()), h.states[3]);
}

// A child restores the kept versions one after another (each restore an action of its own) and is
// killed at random moments, 100 times.
TEST(HistoryCrash, AKilledRestoreLeavesAWholeFileAndHistory) {
  KilledHistory h;
  const QVector<HistoryVersion> kept = h.folder.versions();
  ASSERT_EQ(kept.size(), 3);
  const std::int64_t restoreMicroseconds =
      fixtures::microsecondsOf([&] { restoreHistoryVersion(h.st, h.dir.path(), kept[0]); });
  fixtures::KillTrials trials;
  trials.maxDelayMicroseconds = 3 * restoreMicroseconds;
  const int inside = fixtures::runKillTrials(
      trials, [&](int call) { restoreHistoryVersion(h.st, h.dir.path(), kept[call % kept.size()]); },
      [&](int trial) { h.expectWhole(trial); });
  EXPECT_GT(inside, 0);
  // Every restore can be undone, back to the last state of the three actions.
  while (undoHistoryStep(h.folder, QStringLiteral("2026-12-09 15-00-00"))) {
    if (h.folder.readIndex().position == 3) break;
  }
  EXPECT_EQ(fixtures::readBytes(h.dir.file()), h.states[3]);
}

}  // namespace tavro
