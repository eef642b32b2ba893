// tavro-cli quality and improve as a user runs them, on the small demo school
// in a temporary folder: quality prints the figures of the timetable as it is
// (also of one changed by hand); improve lowers the score without a hard fault,
// saves "课表.txt" once as an undo step "优化课表", writes its report, gives the
// same timetable for the same seed, and refuses a school not fully scheduled or
// a bad budget without changing anything.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "cli/commands.h"
#include "core/history.h"
#include "tests/cli/cli_process.h"
#include "tests/fixtures/text_files.h"

namespace tavro::cli {
namespace {

using fixtures::readBytes;
using fixtures::writeBytes;

class QualityCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    data = dir.filePath(QStringLiteral("data"));
    ASSERT_EQ(writeDemoSchool(data, *demoPreset(QStringLiteral("small")), 3), QString());
  }
  ProcessRun cli(const QStringList& args) const {
    return runProcess(QStringLiteral(TAVRO_CLI_PATH), args, kConsoleLocales[1], dir.path());
  }
  QString timetable() const { return data + QStringLiteral("/课表.txt"); }
  // The value column(s) of the row of the figures table that starts with label.
  static QStringList row(const QString& out, const QString& label) {
    for (const QString& line : out.split(u'\n'))
      if (line.startsWith(label + QStringLiteral("  ")))
        return line.mid(label.size()).split(u' ', Qt::SkipEmptyParts);
    return {};
  }
  QTemporaryDir dir;
  QString data;
};

QJsonObject readJson(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

TEST_F(QualityCommand, ImproveLowersTheScoreOnceAsAnUndoStepAndRepeatsForASeed) {
  ASSERT_EQ(cli({"schedule", data, "--seed", "1", "--resolve", "auto"}).code, kExitDone);
  const QByteArray scheduled = readBytes(timetable());
  const ProcessRun before = cli({"quality", data});
  EXPECT_EQ(before.code, kExitDone) << before.err.toStdString();
  EXPECT_TRUE(before.out.startsWith(QStringLiteral("classes 6, scheduled 6\n"))) << before.out.toStdString();
  EXPECT_EQ(row(before.out, "hard faults"), QStringList{"0"});
  EXPECT_EQ(row(before.out, "empty class cells"), QStringList{"0"});

  const QString report = dir.filePath(QStringLiteral("improve.json"));
  const ProcessRun improved = cli({"improve", data, "--report", report});
  ASSERT_EQ(improved.code, kExitDone) << improved.err.toStdString();
  const QJsonObject json = readJson(report);
  const int scoreBefore = json["before"]["score"].toInt(), scoreAfter = json["after"]["score"].toInt();
  EXPECT_EQ(row(before.out, "score"), QStringList{QString::number(scoreBefore)});
  EXPECT_LT(scoreAfter, scoreBefore);
  EXPECT_EQ(json["after"]["hardFaults"]["total"].toInt(-1), 0);
  EXPECT_EQ(json["seed"].toString(), "1");
  EXPECT_TRUE(json["saved"].toBool());
  EXPECT_EQ(row(improved.out, "score"),
            (QStringList{QString::number(scoreBefore), QString::number(scoreAfter)}));
  EXPECT_TRUE(improved.out.contains(QRegularExpression(
      QStringLiteral("\nexchanges %1, [0-9.]+ s, 课表.txt saved\n$").arg(json["exchanges"].toInt()))))
      << improved.out.toStdString();
  EXPECT_EQ(row(cli({"quality", data}).out, "score"), QStringList{QString::number(scoreAfter)});

  // One undo step takes the timetable back to the scheduled one.
  const QByteArray first = readBytes(timetable());
  EXPECT_NE(first, scheduled);
  const std::optional<HistoryStep> undone = undoHistoryStep(HistoryFolder(data), QString());
  ASSERT_TRUE(undone.has_value());
  EXPECT_EQ(undone->caption, "优化课表");
  EXPECT_EQ(readBytes(timetable()), scheduled);

  // The same seed from the same timetable makes the same exchanges; a timetable no exchange
  // improves is left as it is.
  EXPECT_EQ(cli({"improve", data}).code, kExitDone);
  EXPECT_EQ(readBytes(timetable()), first);
  const ProcessRun again = cli({"improve", data, "--seed", "5"});
  EXPECT_TRUE(again.out.endsWith(QStringLiteral(", nothing to save\n"))) << again.out.toStdString();
  EXPECT_EQ(readBytes(timetable()), first);
}

TEST_F(QualityCommand, RefusalsChangeNothingAndAHandMadeFaultIsCounted) {
  // Not every class scheduled: exit 3, no timetable written.
  const ProcessRun unscheduled = cli({"improve", data});
  EXPECT_EQ(unscheduled.code, kExitStopped);
  EXPECT_EQ(
      unscheduled.errLines().last(),
      "tavro-cli: stopped: 0 of 6 classes are scheduled: schedule every class first (tavro-cli schedule)");
  EXPECT_FALSE(QFile::exists(timetable()));
  const ProcessRun empty = cli({"quality", data});
  EXPECT_EQ(row(empty.out, "empty class cells"), QStringList{"234"});
  for (const char* seconds : {"-1", "soon", "90000"}) {
    const ProcessRun bad = cli({"improve", data, "--seconds", seconds});
    EXPECT_EQ(bad.code, kExitUsage);
    EXPECT_EQ(
        bad.errLines().value(0),
        QStringLiteral("tavro-cli: --seconds needs a number of seconds from 0 to 86400, not ") + seconds);
  }

  // A lesson taken out of the file by hand: its cell is empty, its class differs from its plan and
  // counts as not scheduled.
  ASSERT_EQ(cli({"schedule", data, "--seed", "1", "--resolve", "auto"}).code, kExitDone);
  QList<QByteArray> lines = readBytes(timetable()).split('\n');
  for (int i = 9; i < 9 + 8; ++i) {
    if (lines[i].size() == 11 && lines[i][9] == '0') {  // an ordinary lesson (with its CR)
      lines[i] = "\r";
      break;
    }
  }
  writeBytes(timetable(), lines.join('\n'));
  const ProcessRun edited = cli({"quality", data});
  EXPECT_EQ(edited.code, kExitDone);
  EXPECT_TRUE(edited.out.startsWith(QStringLiteral("classes 6, scheduled 5\n"))) << edited.out.toStdString();
  EXPECT_EQ(row(edited.out, "empty class cells"), QStringList{"1"});
  EXPECT_EQ(row(edited.out, "  classes differing from their plan"), QStringList{"1"});
  EXPECT_EQ(row(edited.out, "hard faults"), QStringList{"1"});
}

}  // namespace
}  // namespace tavro::cli
