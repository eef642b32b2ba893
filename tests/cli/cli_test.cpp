#include "cli/cli.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "cli/context.h"
#include "core/errors.h"
#include "core/procedures.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace tavro::cli {

namespace {

// Output and exit code of one tavro-cli run.
struct Result {
  int code = -1;
  QString out;
  QString err;
};

// Asks for a period number until it gets one, as the sheet imports do.
int askPeriod(CliContext& c, const QStringList&) {
  Tsxx(c.ui, QStringLiteral("开始"));
  if (!Wxx(c.ui, QStringLiteral("要继续吗？"))) return kExitDone;
  QString answer;
  while (answer.toInt() < 1) answer = c.ui.input(QStringLiteral("请输入节数（1～8）：")).value_or(QString());
  Tsxx(c.ui, QStringLiteral("节数是") + answer);
  return kExitDone;
}

CommandRegistry testCommands() {
  CommandRegistry r;
  r.add({"period", "period", "asks for a period number", askPeriod});
  r.add({"end", "end [shown]", "ends the program", [](CliContext& c, const QStringList& args) -> int {
           if (args.contains("shown")) {
             Cwxx(c.ui, QStringLiteral("已显示"));
             throw ProgramEnd(QStringLiteral("已显示"));
           }
           throw ProgramEnd(QStringLiteral("本班课程排不下！"), false);
         }});
  r.add({"strict", "strict N", "needs one argument", [](CliContext&, const QStringList& args) -> int {
           if (args.size() != 1) throw UsageError("strict needs exactly one argument");
           return kExitDone;
         }});
  r.add({"draw", "draw", "prints random numbers", [](CliContext& c, const QStringList&) -> int {
           for (int i = 0; i < 5; ++i) c.out << Sjs(c.session.rng, 1, 1000000) << ' ';
           return kExitDone;
         }});
  r.add({"secret", "secret", "hidden", [](CliContext&, const QStringList&) { return kExitDone; }, true});
  return r;
}

Result runCli(const QStringList& args) {
  Result r;
  QTextStream out(&r.out), err(&r.err);
  r.code = run(testCommands(), args, out, err);
  out.flush();
  err.flush();
  return r;
}

QStringList fileLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace

TEST(Cli, BadCommandLinesGiveExitCode2) {
  EXPECT_EQ(runCli({}).code, kExitUsage);
  const Result unknown = runCli({"frobnicate"});
  EXPECT_EQ(unknown.code, kExitUsage);
  EXPECT_TRUE(unknown.err.contains("unknown command frobnicate"));
  EXPECT_EQ(runCli({"--bogus", "period"}).code, kExitUsage);
  EXPECT_EQ(runCli({"period", "--log"}).code, kExitUsage);
  EXPECT_EQ(runCli({"--seed", "abc", "draw"}).code, kExitUsage);
  EXPECT_EQ(runCli({"--seed=-3", "draw"}).code, kExitUsage);
  const Result strict = runCli({"strict"});
  EXPECT_EQ(strict.code, kExitUsage);
  EXPECT_TRUE(strict.err.contains("Usage: tavro-cli [OPTIONS] strict N"));
  EXPECT_EQ(runCli({"strict", "x"}).code, kExitDone);
  EXPECT_EQ(runCli({"--log", "/nonexistent-dir/x.log", "period"}).code, kExitUsage);
}

TEST(Cli, HelpListsVisibleCommandsAtTheLineStartAndVersionPrints) {
  const Result help = runCli({"--help"});
  EXPECT_EQ(help.code, kExitDone);
  const QStringList lines = help.out.split(u'\n');
  EXPECT_TRUE(lines.filter(QRegularExpression("^  period +asks for a period number$")).size() == 1)
      << help.out.toStdString();
  EXPECT_TRUE(lines.filter(QRegularExpression("^  end \\[shown\\] +ends the program$")).size() == 1);
  EXPECT_TRUE(lines.filter(QRegularExpression("^  secret")).isEmpty());
  EXPECT_TRUE(help.out.contains("--answers"));
  EXPECT_EQ(runCli({"strict", "--help"}).out, "Usage: tavro-cli [OPTIONS] strict N\nneeds one argument\n");
  const Result version = runCli({"--version"});
  EXPECT_EQ(version.code, kExitDone);
  EXPECT_EQ(version.out, "tavro-cli 2.0\n");
}

TEST(Cli, AnswersAreUsedInOrderAndEveryBoxIsPrintedAndLogged) {
  QTemporaryDir dir;
  const QString log = dir.filePath("ui.log");
  const Result r = runCli({"period", "--answers", "y,x,3", "--log", log});
  EXPECT_EQ(r.code, kExitDone);
  EXPECT_EQ(r.out, QStringLiteral("提示: 开始\n"
                                  "请回答: 要继续吗？ -> y\n"
                                  "输入: 请输入节数（1～8）： -> x\n"
                                  "输入: 请输入节数（1～8）： -> 3\n"
                                  "提示: 节数是3\n"));
  EXPECT_EQ(fileLines(log),
            (QStringList{
                QStringLiteral(R"({"kind":"info","text":"开始","answer":""})"),
                QStringLiteral(R"({"kind":"question","text":"要继续吗？","answer":"y"})"),
                QStringLiteral(R"({"kind":"input","text":"请输入节数（1～8）：","answer":"x"})"),
                QStringLiteral(R"({"kind":"input","text":"请输入节数（1～8）：","answer":"3"})"),
                QStringLiteral(R"({"kind":"info","text":"节数是3","answer":""})"),
            }));
  // Without answers the question is "n".
  const Result no = runCli({"period"});
  EXPECT_EQ(no.code, kExitDone);
  EXPECT_EQ(no.out, QStringLiteral("提示: 开始\n请回答: 要继续吗？ -> n\n"));
}

TEST(Cli, AnInputBoxAskedAgainAfterTheAnswersRanOutStopsWithExitCode3) {
  QTemporaryDir dir;
  const QString log = dir.filePath("ui.log");
  const Result r = runCli({"--answers=y,0", "--log=" + log, "period"});
  EXPECT_EQ(r.code, kExitStopped);
  const QStringList lines = fileLines(log);
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines[2], QStringLiteral(R"({"kind":"input","text":"请输入节数（1～8）：","answer":"0"})"));
  EXPECT_EQ(lines[3], QStringLiteral(R"({"kind":"input","text":"请输入节数（1～8）：","answer":""})"));
  EXPECT_EQ(lines[4], lines[3]);
  EXPECT_TRUE(r.err.contains("stopped"));
}

TEST(Cli, ProgramEndGivesExitCode4AndShowsAnUnshownMessageOnce) {
  QTemporaryDir dir;
  const QString log = dir.filePath("ui.log");
  const Result r = runCli({"end", "--log", log});
  EXPECT_EQ(r.code, kExitProgramEnd);
  EXPECT_EQ(r.out, QStringLiteral("错误: 本班课程排不下！\n"));
  EXPECT_EQ(fileLines(log),
            QStringList{QStringLiteral(R"({"kind":"warning","text":"本班课程排不下！","answer":""})")});
  const Result shown = runCli({"end", "shown"});
  EXPECT_EQ(shown.code, kExitProgramEnd);
  EXPECT_EQ(shown.out, QStringLiteral("错误: 已显示\n"));
}

TEST(Cli, TheSeedMakesRandomNumbersRepeat) {
  const Result a = runCli({"--seed", "5", "draw"});
  const Result b = runCli({"draw", "--seed", "5"});
  const Result c = runCli({"draw", "--seed", "6"});
  EXPECT_EQ(a.code, kExitDone);
  EXPECT_EQ(a.out, b.out);
  EXPECT_NE(a.out, c.out);
  qputenv("TAVRO_SEED", "5");
  const Result env = runCli({"draw"});
  qunsetenv("TAVRO_SEED");
  EXPECT_EQ(env.out, a.out);
}

TEST(CliLog, TextsAreEscapedAsJson) {
  UiEvent e{"question", QStringLiteral("第一行\r\n\"引号\"\\\t"), "y", true};
  EXPECT_EQ(eventJson(e),
            QStringLiteral(R"({"kind":"question","text":"第一行\r\n\"引号\"\\\t","answer":"y"})"));
  EXPECT_EQ(eventJson(UiEvent{"beep", "", "", false}), "");
  EXPECT_EQ(eventJson(UiEvent{"input", QString(QChar(1)), "", false}),
            QStringLiteral(R"({"kind":"input","text":"\u0001","answer":""})"));
}

}  // namespace tavro::cli
