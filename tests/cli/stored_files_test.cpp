// What tavro-cli does with the stored files when they are not as it wrote them,
// or cannot be written: a week "课表.txt" cannot hold is refused at import; an
// unreadable cell costs only its lesson and the file is kept first; a repair the
// user chose is saved; a torn, GB18030 or broken "调课.txt" never swallows a
// swap; a save that fails says which file and why, and nothing claims success.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/textfile.h"
#include "sheets/demo_school.h"
#include "sheets/xlsx.h"
#include "temporary/changefile.h"
#include "tests/cli/cli_run.h"
#include "tests/fixtures/small_disk.h"
#include "tests/fixtures/text_files.h"

namespace tavro::cli {
namespace {

using fixtures::readBytes;
using fixtures::writeBytes;

// The small demo school (seed 7) scheduled with seed 1, in dir/data.
class StoredFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    data = dir.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(data));
    ASSERT_EQ(writeDemoSchool(data, *demoPreset(QStringLiteral("small")), 7), QString());
  }
  CliRun schedule(const QStringList& more = {}) {
    return runCli(
        QStringList{QStringLiteral("schedule"), data, QStringLiteral("--seed"), QStringLiteral("1")} + more);
  }
  // A temporary swap in class 0702 of Monday periods 3 and 4 for one day in April, today fixed.
  CliRun swap(int day) {
    return runCli({"temp", data, "swap", "--class", "0702", "--lesson", "1,3", "--with", "1,4", "--start",
                   QStringLiteral("2026-04-%1").arg(day, 2, 10, QChar(u'0')), "--today", "2026-03-02"});
  }
  QStringList records() {
    QStringList ends;
    for (const ChangeRecord& r : readChangeFile(changeFile()).records) ends << r.className + u' ' + r.start;
    return ends;
  }
  QString timetable() const { return data + QStringLiteral("/课表.txt"); }
  QString changeFile() const { return data + QStringLiteral("/调课.txt"); }
  QStringList copiesOf(const QString& name) const {
    return QDir(data).entryList({name + QStringLiteral(".损坏-*")}, QDir::Files);
  }
  void setSheetCell(const QString& sheet, int row, int col, const QString& value) {
    const QString path = data + u'/' + sheet;
    ReadResult read = readWorkbook(path);
    ASSERT_TRUE(read.ok());
    read.book->first().setValue(row, col, value);
    ASSERT_TRUE(saveXlsx(*read.book, path).ok());
  }

  QTemporaryDir dir;
  QString data;
};

TEST_F(StoredFiles, AWeekTheTimetableFileCannotHoldIsRefusedAtImport) {
  struct Case {
    int row;
    const char* value;
    const char* message;
  };
  const Case cases[] = {
      {6, "8",
       "错误: 每周天数8不合适！请在Excel学校数据表的G6单元格中修改为1～7的数，然后保存，重新导入。\n"},
      {7, "14",
       "错误: 每天节数14不合适！请在Excel学校数据表的G7单元格中修改为1～13的数，然后保存，重新导入。\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    setSheetCell(QStringLiteral("学校数据表.xlsx"), c.row, 7, c.value);
    const CliRun r = schedule();
    EXPECT_EQ(r.messages(), QString::fromUtf8(c.message));
    EXPECT_EQ(r.code, kExitStopped);
    EXPECT_FALSE(QFile::exists(timetable()));
    setSheetCell(QStringLiteral("学校数据表.xlsx"), c.row, 7, c.row == 6 ? "5" : "8");
  }
}

TEST_F(StoredFiles, AnUnreadableCellCostsOnlyItsLessonAndTheFileIsKeptFirst) {
  ASSERT_EQ(schedule().code, kExitDone);
  QStringList lines = splitLines(decodeText(readBytes(timetable())));
  ASSERT_EQ(lines[10], QStringLiteral("0050050000"));  // class 0701, Monday period 2
  lines[10] = QStringLiteral("abc");
  writeTextLines(timetable(), lines);
  const QByteArray damaged = readBytes(timetable());

  const CliRun r = schedule();
  EXPECT_EQ(r.code, kExitDone);
  const QStringList copies = copiesOf(QStringLiteral("课表.txt"));
  ASSERT_EQ(copies.size(), 1);
  EXPECT_EQ(readBytes(data + u'/' + copies[0]), damaged);
  EXPECT_TRUE(r.messages().startsWith(
      QStringLiteral("错误: 　　课表文件中有读不懂的内容：初一1星期一第2节“abc”。读不懂的课已空出，这些班级将"
                     "重新排课。\n  | 　　读入前的课表文件已另存为“") +
      QDir::toNativeSeparators(data + u'/' + copies[0]) + QStringLiteral("”。\n")))
      << r.messages().toStdString();
  // Only class 0701 was scheduled again: every line of the other classes is as it was.
  const QStringList after = splitLines(decodeText(readBytes(timetable())));
  ASSERT_EQ(after.size(), lines.size());
  EXPECT_EQ(after.mid(6 + 47), lines.mid(6 + 47));  // 0701 spans 2 + 5 x 9 lines
  EXPECT_EQ(after[7], QStringLiteral(" 1 "));
  EXPECT_EQ(after[10].size(), 10);
}

TEST_F(StoredFiles, ARepairTheUserChoseIsSavedEvenWhenEveryClassIsScheduled) {
  ASSERT_EQ(schedule().code, kExitDone);
  const QByteArray before = readBytes(timetable());
  setSheetCell(QStringLiteral("班级数据表.xlsx"), 6, 10, QString());  // 0701's first course: no teacher
  const CliRun repaired = schedule({"--answers", "2"});
  EXPECT_EQ(repaired.code, kExitDone);
  EXPECT_EQ(QString(repaired.messages()).count(QStringLiteral("输入: ")), 1)
      << repaired.messages().toStdString();
  EXPECT_NE(readBytes(timetable()), before);
  const CliRun again = schedule();
  EXPECT_EQ(again.code, kExitDone);
  EXPECT_FALSE(again.messages().contains(QStringLiteral("输入: "))) << again.messages().toStdString();
}

TEST_F(StoredFiles, ATornGb18030OrBrokenChangeFileNeverSwallowsASwap) {
  ASSERT_EQ(schedule().code, kExitDone);
  ASSERT_EQ(swap(1).code, kExitDone);
  {
    SCOPED_TRACE("a record cut short by a crash: cut off (and kept) before the next one");
    const QByteArray whole = readBytes(changeFile());
    writeBytes(changeFile(), whole.left(whole.size() - 84));
    const CliRun r = swap(2);
    EXPECT_EQ(r.code, kExitDone) << r.messages().toStdString();
    EXPECT_EQ(records(), QStringList{QStringLiteral("初一2 2026-04-02")});
    ASSERT_EQ(copiesOf(QStringLiteral("调课.txt")).size(), 1);
    EXPECT_TRUE(r.messages().contains(QStringLiteral("的末尾有一个不完整的临时调课记录")));
  }
  {
    SCOPED_TRACE("a file in GB18030: the next record in GB18030 too");
    const QByteArray gb = fixtures::toGb18030(readBytes(changeFile()));
    writeBytes(changeFile(), gb);
    ASSERT_EQ(swap(3).code, kExitDone);
    EXPECT_EQ(records(),
              (QStringList{QStringLiteral("初一2 2026-04-02"), QStringLiteral("初一2 2026-04-03")}));
    EXPECT_TRUE(readBytes(changeFile()).startsWith(gb));
    EXPECT_EQ(encodingOf(readBytes(changeFile())), TextEncoding::Gb18030);
  }
  {
    SCOPED_TRACE("a broken record in the middle: the swap is refused until it is removed");
    writeBytes(changeFile(), encodeLines(QStringList{kChangeHeader}) + readBytes(changeFile()));
    const QByteArray broken = readBytes(changeFile());
    const CliRun refused = swap(4);
    EXPECT_EQ(refused.code, kExitStopped);
    EXPECT_TRUE(refused.messages().contains(QStringLiteral("错误: 　　“") +
                                            QDir::toNativeSeparators(changeFile()) +
                                            QStringLiteral("”中第1个临时调课记录格式错误")))
        << refused.messages().toStdString();
    EXPECT_EQ(readBytes(changeFile()), broken);
    const CliRun removed = runCli({"temp", data, "remove", "1"});
    EXPECT_EQ(removed.code, kExitDone) << removed.err.toStdString();
    ASSERT_EQ(swap(4).code, kExitDone);
    EXPECT_EQ(records().size(), 3);
  }
}

TEST_F(StoredFiles, ASaveThatFailsNamesTheFileAndTheCauseAndClaimsNothing) {
  ASSERT_TRUE(QDir().mkpath(timetable()));  // a folder where the timetable file should be
  const CliRun r = schedule();
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_TRUE(r.messages().endsWith(QStringLiteral("错误: 无法保存文件“") +
                                    QDir::toNativeSeparators(timetable()) +
                                    QStringLiteral("”：同一位置有一个同名的文件夹。\n")))
      << r.messages().toStdString();
  EXPECT_FALSE(r.messages().contains(QStringLiteral("课表已经全部排好了")));
  ASSERT_TRUE(QDir().rmdir(timetable()));

  ASSERT_EQ(schedule().code, kExitDone);
  ASSERT_TRUE(QDir().mkpath(changeFile()));
  const CliRun swapped = swap(1);
  EXPECT_EQ(swapped.code, kExitStopped);
  EXPECT_TRUE(swapped.messages().contains(QStringLiteral("错误: 无法保存文件“") +
                                          QDir::toNativeSeparators(changeFile()) +
                                          QStringLiteral("”：同一位置有一个同名的文件夹。\n")))
      << swapped.messages().toStdString();
  EXPECT_FALSE(swapped.out.contains(QStringLiteral("written")));
}

// On a full or read-only disk the run that would save "课表.txt" stops with the file's name and the
// cause; the old file stays as it was (not emptied) and nothing says the timetable is finished.
TEST(StoredFilesOnDisk, AFullOrReadOnlyDiskKeepsTheOldTimetableAndSaysWhy) {
  struct Case {
    bool readOnly;
    const char* cause;
  };
  for (const Case& c : {Case{false, "磁盘已满"}, Case{true, "文件或文件夹是只读的，没有写入权限"}}) {
    SCOPED_TRACE(c.cause);
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("disk"));
    testing::MountedDisk disk(data, 4 * 1024 * 1024);
    if (!disk.available()) GTEST_SKIP() << "no right to mount a small disk";
    ASSERT_EQ(writeDemoSchool(data, *demoPreset(QStringLiteral("small")), 7), QString());
    const QStringList schedule{QStringLiteral("schedule"), data, QStringLiteral("--seed"),
                               QStringLiteral("1")};
    ASSERT_EQ(runCli(schedule).code, kExitDone);
    // Class 0701 loses a lesson, so the next run schedules it and saves.
    const QString timetable = data + QStringLiteral("/课表.txt");
    QStringList lines = splitLines(decodeText(readBytes(timetable)));
    lines[7] = QStringLiteral(" 0 ");
    lines[10] = QString();
    writeTextLines(timetable, lines);
    const QByteArray before = readBytes(timetable);
    if (c.readOnly) {
      ASSERT_TRUE(disk.makeReadOnly());
    } else {
      disk.fill();
    }
    const CliRun r = runCli(schedule);
    EXPECT_EQ(r.code, kExitStopped);
    // The save stops at the first file it cannot write: the old timetable's copy in the history
    // or the timetable file itself.
    const QString last = r.messages().trimmed().section(u'\n', -1);
    EXPECT_TRUE(
        last.startsWith(QStringLiteral("错误: 无法保存文件“") + QDir::toNativeSeparators(data) + u'/'))
        << last.toStdString();
    EXPECT_TRUE(last.endsWith(QStringLiteral("”：") + QString::fromUtf8(c.cause) + u'。'))
        << last.toStdString();
    EXPECT_FALSE(r.messages().contains(QStringLiteral("课表已经全部排好了")));
    EXPECT_EQ(readBytes(timetable), before);
  }
}

}  // namespace
}  // namespace tavro::cli
