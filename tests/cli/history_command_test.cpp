// tavro-cli history, clear and schedule on a school that has a timetable, as child processes on
// real files under each console locale: a second run keeps the timetable and says so, --fresh
// starts over in one undoable step, the versions are listed newest first and undone, redone and
// restored byte for byte, clear keeps the old file, refusals change nothing and say why (also in
// the --log file), and the damaged-timetable advice names the command line's own command.

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "cli/commands.h"
#include "tests/cli/cli_process.h"

namespace tavro::cli {
namespace {

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class HistoryCommandTest : public CliProcess {
 protected:
  QString timetable() const { return data + QStringLiteral("/课表.txt"); }
  QString native(const QString& path) const { return QDir::toNativeSeparators(path); }
  // The list of versions with the times taken out: "1 清除 课表.txt", ...
  QStringList listed() const {
    static const QRegularExpression time(
        QStringLiteral("^ *(\\d+)  \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d "));
    const ProcessRun r = cli({"history", data, "list"});
    EXPECT_EQ(r.code, kExitDone) << r.err.toStdString();
    QStringList lines;
    for (QString line : r.out.split(u'\n', Qt::SkipEmptyParts)) {
      const QRegularExpressionMatch m = time.match(line);
      EXPECT_TRUE(m.hasMatch()) << line.toStdString();
      lines << m.captured(1) + u' ' + line.mid(m.capturedLength());
    }
    return lines;
  }
};

TEST_P(HistoryCommandTest, ScheduleKeepsOrStartsOverAndHistoryUndoesRedoesAndRestores) {
  ASSERT_EQ(cli({"schedule", data, "--seed", "1"}).code, kExitDone);
  const QByteArray first = bytesOf(timetable());
  // A second run keeps the timetable, says so, and leaves no step of its own.
  const ProcessRun again = cli({"schedule", data, "--seed", "2"});
  EXPECT_EQ(again.code, kExitDone);
  EXPECT_EQ(again.out.split(u'\n').value(0),
            QStringLiteral("kept the timetable of 6 classes from %1 (schedule --fresh starts over)")
                .arg(native(timetable())));
  EXPECT_EQ(bytesOf(timetable()), first);
  EXPECT_EQ(listed(), QStringList());
  // --fresh: one step, the old file kept.
  const ProcessRun fresh = cli({"schedule", data, "--seed", "3", "--fresh"});
  EXPECT_EQ(fresh.code, kExitDone);
  EXPECT_EQ(fresh.out.split(u'\n').value(0),
            QStringLiteral("started over: the old timetable is kept in %1 (history DATA undo brings it back)")
                .arg(native(data + QStringLiteral("/历史"))));
  const QByteArray second = bytesOf(timetable());
  ASSERT_NE(second, first);
  EXPECT_EQ(listed(), QStringList{QStringLiteral("1 排课 课表.txt")});

  const ProcessRun undo = cli({"history", data, "undo"});
  EXPECT_EQ(undo.out, QStringLiteral("撤销：重新编排全校课表\n"));
  EXPECT_EQ(bytesOf(timetable()), first);
  EXPECT_EQ(cli({"history", data, "redo", "1"}).out, QStringLiteral("重做：重新编排全校课表\n"));
  EXPECT_EQ(bytesOf(timetable()), second);

  // More steps than there are: refused before anything changes, with the reason in the log.
  const QString log = dir.filePath(QStringLiteral("h.log"));
  const QStringList before = dataState();
  const ProcessRun tooMany = cli({"history", data, "undo", "9", "--log", log});
  EXPECT_EQ(tooMany.code, kExitStopped);
  const QString why =
      QStringLiteral("stopped: 2 step(s) can be undone in %1/, not 9").arg(native(data + "/历史"));
  EXPECT_EQ(tooMany.err, QStringLiteral("tavro-cli: ") + why + u'\n');
  const QJsonObject logged = QJsonDocument::fromJson(bytesOf(log)).object();
  EXPECT_EQ(logged.value("kind").toString(), "stopped");
  EXPECT_EQ(logged.value("text").toString(), why);
  EXPECT_EQ(cli({"history", data, "restore", "7"}).code, kExitStopped);
  EXPECT_EQ(dataState(), before);

  // clear: "课表.txt" goes into the history; restore brings it back, and undo takes the restore back.
  const ProcessRun clear = cli({"clear", data});
  EXPECT_EQ(clear.code, kExitDone);
  EXPECT_EQ(clear.out,
            QStringLiteral("cleared the timetable of every class: %1 is kept in %2 (history DATA undo "
                           "brings it back)\n")
                .arg(native(timetable()), native(data + QStringLiteral("/历史"))));
  EXPECT_FALSE(QFile::exists(timetable()));
  EXPECT_EQ(listed(), (QStringList{QStringLiteral("1 清除 课表.txt"), QStringLiteral("2 撤销 课表.txt"),
                                   QStringLiteral("3 排课 课表.txt")}));
  const ProcessRun restore = cli({"history", data, "restore", "3"});
  EXPECT_TRUE(restore.out.startsWith(QStringLiteral("恢复："))) << restore.out.toStdString();
  EXPECT_EQ(bytesOf(timetable()), first);
  cli({"history", data, "undo"});
  EXPECT_FALSE(QFile::exists(timetable()));
  cli({"history", data, "undo"});
  EXPECT_EQ(bytesOf(timetable()), second);
}

TEST_P(HistoryCommandTest, BadCommandLinesAreRefusedAndTheDamagedFileAdviceCanBeFollowed) {
  const struct {
    QStringList args;
    const char* error;
  } bad[] = {
      {{"history", data}, "history needs list, undo, redo or restore after the data folder"},
      {{"history", data, "undo", "x"}, "history undo needs a whole number from 1, not x"},
      {{"history", data, "restore"}, "history restore needs the number of a version (see list)"},
      {{"history", data, "list", "2"}, "unexpected argument 2"},
      {{"clear", data, data}, "clear takes one data folder"},
  };
  for (const auto& c : bad) {
    const ProcessRun r = cli(c.args);
    EXPECT_EQ(r.code, kExitUsage) << c.error;
    EXPECT_EQ(r.errLines().value(0), QStringLiteral("tavro-cli: ") + QString::fromUtf8(c.error));
  }
  // A timetable file that cannot be read: the box names the window's menu, the note the command.
  QFile file(timetable());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("'Tavro\r\nabc\r\n");
  file.close();
  const ProcessRun damaged = cli({"schedule", data, "--seed", "1"});
  EXPECT_TRUE(damaged.err.contains(QStringLiteral("“编辑”－“清除全校课表”")));
  EXPECT_TRUE(damaged.err.contains(
      QStringLiteral("tavro-cli: on the command line \"编辑\"－\"清除全校课表\" is tavro-cli clear DATA (or "
                     "schedule DATA --fresh); the old file stays in DATA/历史\n")))
      << damaged.err.toStdString();
}

// A class the saved file holds unscheduled, as a run that left it in swap mode saves it (marked 0,
// its lessons taken out: Monday's here), is scheduled by the next run, which keeps the others.
TEST_P(HistoryCommandTest, AClassUnscheduledInTheFileIsScheduledByTheNextRun) {
  ASSERT_EQ(cli({"schedule", data, "--seed", "1"}).code, kExitDone);
  QStringList lines = QString::fromUtf8(bytesOf(timetable())).split(QStringLiteral("\r\n"));
  const qsizetype block = lines.indexOf(QStringLiteral("08年级01班,初二1"));
  ASSERT_GE(block, 0);
  ASSERT_EQ(lines[block + 1], QStringLiteral(" 1 "));
  lines[block + 1] = QStringLiteral(" 0 ");
  for (qsizetype k = block + 3; k < block + 11; ++k) lines[k].clear();
  QFile file(timetable());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(lines.join(QStringLiteral("\r\n")).toUtf8());
  file.close();
  const ProcessRun again = cli({"schedule", data, "--seed", "2", "--resolve", "auto"});
  EXPECT_EQ(again.code, kExitDone);
  EXPECT_TRUE(again.out.startsWith(QStringLiteral("kept the timetable of 5 classes from ")))
      << again.out.toStdString();
  EXPECT_TRUE(again.out.contains(QStringLiteral("classes 6, scheduled 6,"))) << again.out.toStdString();
  lines = QString::fromUtf8(bytesOf(timetable())).split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines.value(block + 1), QStringLiteral(" 1 "));
  for (qsizetype k = block + 3; k < block + 11; ++k) EXPECT_FALSE(lines.value(k).isEmpty()) << k;
}

INSTANTIATE_TEST_SUITE_P(Locales, HistoryCommandTest, ::testing::ValuesIn(kConsoleLocales), localeTestName);

}  // namespace
}  // namespace tavro::cli
