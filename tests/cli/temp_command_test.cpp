// tavro-cli temp on a small demo school: a temporary swap with its record and
// notices, listing the records with the ones in force today, removing one,
// and bad command lines.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "cli/cli.h"
#include "cli/commands.h"
#include "sheets/demo_school.h"
#include "temporary/changefile.h"
#include "tests/cli/cli_run.h"

namespace tavro::cli {
namespace {

class TempCommand : public SmallDemoSchool {
 protected:
  CliRun run(const QStringList& args) { return runCli(QStringList{QStringLiteral("temp"), data} + args); }
  // Swaps the lesson 1,1 of class 0701 with the first partner of its week that can take it.
  QString swapWithFirstPartner(const QStringList& options) {
    for (int xq = 1; xq <= 5; ++xq) {
      for (int jc = 1; jc <= 8; ++jc) {
        if (xq == 1 && jc == 1) continue;
        const QString partner = QStringLiteral("%1,%2").arg(xq).arg(jc);
        const CliRun r = run(QStringList{QStringLiteral("swap"), QStringLiteral("--class"),
                                         QStringLiteral("0701"), QStringLiteral("--lesson"),
                                         QStringLiteral("1,1"), QStringLiteral("--with"), partner} +
                             options);
        if (r.code == 0) return partner;
        EXPECT_EQ(r.code, 3) << r.err.toStdString();
      }
    }
    return QString();
  }
  QByteArray changeFileBytes() {
    QFile file(data + QStringLiteral("/调课.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

TEST_F(TempCommand, SwapListAndRemove) {
  const QString notices = dir.filePath(QStringLiteral("notices.txt"));
  const QString partner = swapWithFirstPartner(
      {"--start", "2026-03-02", "--today", "2026-03-02", "--notices", notices, "--copies", "1"});
  ASSERT_FALSE(partner.isEmpty());
  const ChangeFile first = readChangeFile(data + QStringLiteral("/调课.txt"));
  ASSERT_EQ(first.records.size(), 1);
  EXPECT_EQ(first.records[0].start, QStringLiteral("2026-03-02"));
  EXPECT_EQ(first.records[0].end, QStringLiteral("2026-03-02"));
  EXPECT_EQ(first.records[0].written, QStringLiteral("2026-03-02"));
  ASSERT_EQ(first.records[0].lessons.size(), 2);
  EXPECT_EQ(first.records[0].lessons[0].xq, 1);
  EXPECT_EQ(first.records[0].lessons[0].jc, 1);
  QFile noticeFile(notices);
  ASSERT_TRUE(noticeFile.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(noticeFile.readAll());
  EXPECT_EQ(text.count(QStringLiteral("教师临时调课通知")), 2);
  EXPECT_EQ(text.count(QStringLiteral("班级临时调课通知")), 1);
  EXPECT_TRUE(text.contains(QStringLiteral("2026年3月2日星期一第1节")));

  // The same lesson is changed on 2026-03-02, so it cannot be swapped again that day.
  const CliRun again = run({"swap", "--class", "0701", "--lesson", "1,1", "--with", partner, "--start",
                            "2026-03-02", "--today", "2026-03-02"});
  EXPECT_EQ(again.code, 3);
  EXPECT_TRUE(again.err.contains(QStringLiteral("该节已临时调课"))) << again.err.toStdString();
  // On another day the first record is not in force: a second record for a week in April.
  const CliRun april = run({"swap", "--class", "0701", "--lesson", "1,1", "--with", partner, "--start",
                            "2026-04-06", "--end", "2026-04-10", "--today", "2026-03-09"});
  ASSERT_EQ(april.code, 0) << april.out.toStdString() << april.err.toStdString();
  const QByteArray both = changeFileBytes();

  const CliRun list = run({"list", "--today", "2026-03-02"});
  ASSERT_EQ(list.code, 0);
  const QStringList lines = list.out.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("第1个：")));
  EXPECT_TRUE(lines[0].endsWith(QStringLiteral("（今日有效）")));
  EXPECT_TRUE(lines[1].contains(QStringLiteral("2026-04-06至2026-04-10")));
  EXPECT_FALSE(lines[1].endsWith(QStringLiteral("（今日有效）")));

  EXPECT_EQ(run({"remove", "3"}).code, 3);
  const CliRun removed = run({"remove", "1"});
  ASSERT_EQ(removed.code, 0) << removed.err.toStdString();
  EXPECT_EQ(changeFileBytes(), both.mid(both.indexOf("'Tavro", 10)));
  EXPECT_EQ(readChangeFile(data + QStringLiteral("/调课.txt")).records[0].start,
            QStringLiteral("2026-04-06"));
}

TEST_F(TempCommand, BadCommandLinesGiveExitCode2) {
  EXPECT_EQ(run({}).code, 2);
  EXPECT_EQ(run({"undo"}).code, 2);
  EXPECT_EQ(run({"remove"}).code, 2);
  EXPECT_EQ(run({"swap", "--class", "0701", "--lesson", "1,1", "--with", "1,2"}).code, 2);
  EXPECT_EQ(run({"swap", "--class", "0701", "--lesson", "1", "--with", "1,2", "--start", "2026-03-02"}).code,
            2);
  EXPECT_EQ(run({"swap", "--class", "0701", "--lesson", "1,1", "--with", "1,2", "--start", "2026-03-09",
                 "--end", "2026-03-02"})
                .code,
            2);
  EXPECT_EQ(run({"list", "--today", "tomorrow"}).code, 2);
  EXPECT_EQ(run({"list", "--colour", "red"}).code, 2);
}

}  // namespace
}  // namespace tavro::cli
