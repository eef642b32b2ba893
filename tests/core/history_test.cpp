#include "core/history.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "core/history_action.h"
#include "core/runstate.h"
#include "core/textfile.h"
#include "tests/fixtures/text_files.h"

namespace tavro {

namespace {

const QString kTimetable = QStringLiteral("课表.txt");
const QString kChanges = QStringLiteral("调课.txt");

// A data folder, a run state with a fixed clock, and the history folder of both.
struct HistoryFixture {
  fixtures::DataFolder dir;
  RunState st;
  HistoryFolder folder{dir.path(), st.History.limits};

  HistoryFixture() { st.History.fixedNow = QDateTime(QDate(2026, 12, 9), QTime(14, 3, 22)); }
  QString path(const QString& file = kTimetable) const { return dir.file(file); }
  QByteArray bytes(const QString& file = kTimetable) const { return fixtures::readBytes(path(file)); }
  bool present(const QString& file = kTimetable) const { return QFileInfo::exists(path(file)); }
  // One user action that saves the timetable file with `text` (twice, as a run saves often).
  void act(const QString& action, const QString& cls, const QByteArray& text) {
    HistoryActionScope scope(st, HistoryAction{action, cls, action + cls});
    saveDataFile(st, path(), text + "-draft");
    saveDataFile(st, path(), text);
  }
  QStringList versionNames() const {
    QStringList names;
    for (const HistoryVersion& v : folder.versions()) names << v.name;
    return names;
  }
};

}  // namespace

TEST(History, VersionNamesArePlainWordsAndReadBack) {
  struct Case {
    QString action, cls, file;
    int counter;
    QString name;
  };
  const QString t = QStringLiteral("2026-12-09 14-03-22");
  const Case cases[] = {
      {QStringLiteral("调课"), QStringLiteral("初一1班"), kTimetable, 1,
       QStringLiteral("2026-12-09 14-03-22 调课 初一1班 课表.txt")},
      {QStringLiteral("排课"), QString(), kTimetable, 1, QStringLiteral("2026-12-09 14-03-22 排课 课表.txt")},
      {QStringLiteral("删临"), QStringLiteral(" 高一 (3)班 "), kChanges, 2,
       QStringLiteral("2026-12-09 14-03-22 删临 高一 (3)班 (2) 调课.txt")},
      {QStringLiteral("删除"), QStringLiteral("初一/1:班*?"), kTimetable, 12,
       QStringLiteral("2026-12-09 14-03-22 删除 初一_1_班__ (12) 课表.txt")},
  };
  for (const Case& c : cases) {
    const QString name = versionFileName(t, c.action, c.cls, c.file, c.counter);
    EXPECT_EQ(name, c.name);
    const std::optional<HistoryVersion> v = parseVersionFileName(name);
    ASSERT_TRUE(v) << name.toStdString();
    EXPECT_EQ(v->time, t);
    EXPECT_EQ(v->action, c.action);
    EXPECT_EQ(v->className, versionFileName(t, c.action, c.cls, c.file).section(u' ', 3, -2));
    EXPECT_EQ(v->counter, c.counter);
    EXPECT_EQ(v->file, c.file);
  }
  for (const QString& other : {kHistoryIndexName, kTimetable, QStringLiteral("2026-12-09 调课 课表.txt"),
                               QStringLiteral("2026-12-09 14-03-22 调课 初一1班 课表.txt.bak")})
    EXPECT_FALSE(parseVersionFileName(other)) << other.toStdString();
}

TEST(History, IndexReadsBackAndToleratesDamage) {
  HistoryIndex index;
  index.push(HistoryStep{"2026-12-09 14-03-22",
                         "调课",
                         "初一1班",
                         "初一1班 星期二第3节↔星期四第1节",
                         {{kTimetable, "a 课表.txt", ""}}});
  index.push(HistoryStep{"2026-12-09 14-05-00",
                         "清除",
                         "",
                         "清除\t全校课表",
                         {{kTimetable, "b 课表.txt", kNoVersion}, {kChanges, kNoVersion, "c 调课.txt"}}});
  index.position = 1;
  HistoryIndex read = parseHistoryIndex(historyIndexBytes(index));
  EXPECT_EQ(read.steps[1].caption, "清除 全校课表");  // a tab cannot split the line
  read.steps[1].caption = index.steps[1].caption;
  EXPECT_EQ(read, index);
  // A new step after an undo drops the step that could be redone.
  index.push(
      HistoryStep{"2026-12-09 14-06-00", "删除", "初一2班", "删除初一2班的课表", {{kTimetable, "d", ""}}});
  EXPECT_EQ(index.steps.size(), 2);
  EXPECT_EQ(index.steps[1].action, "删除");
  EXPECT_EQ(index.position, 2);

  EXPECT_EQ(parseHistoryIndex("no index\r\n"), HistoryIndex{});
  const QByteArray damaged =
      QStringLiteral(
          "'Tavro历史索引\r\n位置\t9\r\n文件\t课表.txt\tx\t\r\n步骤\t2026-12-09 14-03-22\t排课\t\t编排课表"
          "\r\n步骤\t2026-12-09 14-04-22\t排课\t\t编排课表\r\n文件\t课表.txt\t无\t")
          .toUtf8();  // cut short: the last line has no line end
  read = parseHistoryIndex(damaged);
  ASSERT_EQ(read.steps.size(), 1);  // the step without a file cannot be undone
  EXPECT_EQ(read.steps[0].time, "2026-12-09 14-04-22");
  EXPECT_EQ(read.steps[0].files, (QVector<HistoryFileChange>{{kTimetable, kNoVersion, ""}}));
  EXPECT_EQ(read.position, 1);
}

TEST(History, AnActionKeepsTheFileItReplacesOnceAndANoChangeActionLeavesNoTrace) {
  HistoryFixture h;
  h.act(QStringLiteral("排课"), QString(), "v1");  // the file did not exist
  h.act(QStringLiteral("调课"), QStringLiteral("初一1班"), "v2");
  EXPECT_EQ(h.bytes(), "v2");
  EXPECT_EQ(h.versionNames(), QStringList{QStringLiteral("2026-12-09 14-03-22 调课 初一1班 课表.txt")});
  EXPECT_EQ(fixtures::readBytes(h.folder.versionPath(h.versionNames()[0])), "v1");
  HistoryIndex index = h.folder.readIndex();
  ASSERT_EQ(index.steps.size(), 2);
  EXPECT_EQ(index.position, 2);
  EXPECT_EQ(index.steps[0].files[0].before, kNoVersion);
  EXPECT_EQ(index.steps[1].caption, QStringLiteral("调课初一1班"));

  // An action that writes the file as it was (a deletion answered "no" at its second question).
  const QByteArray indexBytes = fixtures::readBytes(h.folder.path() + kHistoryIndexName);
  h.act(QStringLiteral("删除"), QStringLiteral("初一2班"), "v2");
  EXPECT_EQ(h.versionNames().size(), 1);
  EXPECT_EQ(fixtures::readBytes(h.folder.path() + kHistoryIndexName), indexBytes);

  // A save outside any action is an action of its own; an append keeps a copy, not a link.
  fixtures::writeBytes(h.path(kChanges), "r1\r\n");
  keepBeforeSave(h.st, h.path(kChanges), true);
  appendTextLines(h.path(kChanges), {"r2"});
  const QString kept = h.versionNames()[0];
  EXPECT_EQ(kept, QStringLiteral("2026-12-09 14-03-22 保存 (2) 调课.txt"));
  EXPECT_EQ(fixtures::readBytes(h.folder.versionPath(kept)), "r1\r\n");
  EXPECT_EQ(h.folder.readIndex().steps.back().caption, QStringLiteral("保存调课.txt"));

  // With the history off nothing is kept.
  h.st.History.enabled = false;
  h.act(QStringLiteral("调课"), QStringLiteral("初一1班"), "v3");
  EXPECT_EQ(h.versionNames().size(), 2);
}

TEST(History, UndoAndRedoWalkTheStepsLikeATextEditor) {
  HistoryFixture h;
  const QByteArray states[] = {"v1", "v2", "v3", "v4"};
  for (int i = 0; i < 4; ++i) h.act(QStringLiteral("调课"), QStringLiteral("初一1班"), states[i]);
  const QString time = QStringLiteral("2026-12-09 15-00-00");
  for (int i = 3; i >= 0; --i) {
    const std::optional<HistoryStep> undone = undoHistoryStep(h.folder, time);
    ASSERT_TRUE(undone);
    EXPECT_EQ(h.present(), i > 0);
    if (i > 0) {
      EXPECT_EQ(h.bytes(), states[i - 1]);
    }
  }
  EXPECT_FALSE(undoHistoryStep(h.folder, time));
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(redoHistoryStep(h.folder, time));
    EXPECT_EQ(h.bytes(), states[i]);
  }
  EXPECT_FALSE(redoHistoryStep(h.folder, time));

  // Undo twice, then a new action: the two undone steps can no longer be redone.
  undoHistoryStep(h.folder, time);
  undoHistoryStep(h.folder, time);
  h.act(QStringLiteral("删除"), QStringLiteral("初一1班"), "w");
  EXPECT_FALSE(redoHistoryStep(h.folder, time));
  ASSERT_TRUE(undoHistoryStep(h.folder, time));
  EXPECT_EQ(h.bytes(), "v2");
  ASSERT_TRUE(redoHistoryStep(h.folder, time));
  EXPECT_EQ(h.bytes(), "w");
  // Every version the undos replaced is kept: nothing is lost, even after the new action.
  QStringList kept;
  for (const HistoryVersion& v : h.folder.versions())
    kept << QString::fromUtf8(fixtures::readBytes(h.folder.versionPath(v.name)));
  for (const char* state : {"v1", "v2", "v3", "v4"})
    EXPECT_TRUE(kept.contains(QString::fromLatin1(state))) << state;
}

TEST(History, AnUndoCutShortIsFinishedAndAFileChangedOutsideIsKeptBeforeItIsReplaced) {
  HistoryFixture h;
  h.act(QStringLiteral("调课"), QString(), "v1");
  h.act(QStringLiteral("调课"), QString(), "v2");
  const QString time = QStringLiteral("2026-12-09 15-00-00");
  // An undo killed after it wrote the file back but before it moved the position.
  fixtures::writeBytes(h.path(), "v1");
  ASSERT_TRUE(undoHistoryStep(h.folder, time));
  EXPECT_EQ(h.bytes(), "v1");
  EXPECT_EQ(h.folder.readIndex().position, 1);
  // Redo cannot bring back v2 (it was overwritten before the undo kept it), so the step is v1 again.
  ASSERT_TRUE(redoHistoryStep(h.folder, time));
  EXPECT_EQ(h.bytes(), "v1");

  // The file was edited outside the program: the undo keeps the edit, and redo brings it back.
  fixtures::writeBytes(h.path(), "edited");
  ASSERT_TRUE(undoHistoryStep(h.folder, time));
  EXPECT_EQ(h.bytes(), "v1");
  ASSERT_TRUE(redoHistoryStep(h.folder, time));
  EXPECT_EQ(h.bytes(), "edited");

  // A version removed by hand: the undo that needs it is refused and changes nothing.
  for (const HistoryVersion& v : h.folder.versions()) QFile::remove(h.folder.versionPath(v.name));
  EXPECT_THROW(undoHistoryStep(h.folder, time), FileError);
  EXPECT_EQ(h.bytes(), "edited");
}

TEST(History, TheFolderKeepsTheNewestVersionsWithinItsBoundsAndUndoStopsWhereTheyEnd) {
  struct Case {
    HistoryLimits limits;
    int versions;  // kept after ten actions of 100 bytes each
    int undos;     // undo keeps the last state as a version: the oldest step goes, unless it is the only one
  };
  for (const Case& c : {Case{{3, 1 << 20}, 3, 2}, Case{{500, 450}, 4, 3}, Case{{500, 10}, 1, 1}}) {
    HistoryFixture h;
    h.st.History.limits = c.limits;
    h.folder = HistoryFolder(h.dir.path(), c.limits);
    for (int i = 0; i < 10; ++i) {
      h.st.History.fixedNow = h.st.History.fixedNow.addSecs(1);
      h.act(QStringLiteral("调课"), QString(), QByteArray(100, static_cast<char>('a' + i)));
    }
    const QVector<HistoryVersion> kept = h.folder.versions();
    ASSERT_EQ(kept.size(), c.versions);
    EXPECT_EQ(kept[0].time, "2026-12-09 14-03-32");  // the newest stays
    // The index only holds steps that can be undone: as many as versions remain.
    EXPECT_EQ(h.folder.readIndex().steps.size(), c.versions);
    for (int i = 0; i < c.undos; ++i) ASSERT_TRUE(undoHistoryStep(h.folder, "2026-12-09 15-00-00"));
    EXPECT_EQ(h.bytes(), QByteArray(100, static_cast<char>('a' + 9 - c.undos)));
    EXPECT_FALSE(undoHistoryStep(h.folder, "2026-12-09 15-00-00"));
  }
}

}  // namespace tavro
