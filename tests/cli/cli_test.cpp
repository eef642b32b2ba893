#include "cli/cli.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "cli/context.h"
#include "cli/messages.h"
#include "core/errors.h"
#include "core/procedures.h"
#include "tests/cli/cli_run.h"

namespace tavro::cli {

namespace {

// Output and exit code of one tavro-cli run.
struct Result {
  int code = -1;
  QString out;
  QString err;
};

// Asks for a period number until it gets one, as the sheet imports do.
int askPeriod(CliContext& c, const CommandArgs&) {
  Tsxx(c.ui, QStringLiteral("开始"));
  if (!Wxx(c.ui, QStringLiteral("要继续吗？"))) return kExitDone;
  QString answer;
  while (answer.toInt() < 1) answer = c.ui.input(QStringLiteral("请输入节数（1～8）：")).value_or(QString());
  Tsxx(c.ui, QStringLiteral("节数是") + answer);
  return kExitDone;
}

int endProgram(CliContext& c, const CommandArgs& args) {
  if (args.positional.contains("shown")) {
    Cwxx(c.ui, QStringLiteral("已显示"));
    throw ProgramEnd(QStringLiteral("已显示"));
  }
  throw ProgramEnd(QStringLiteral("本班课程排不下！"), false);
}

CommandRegistry testCommands() {
  CommandRegistry r;
  r.add({.name = "period", .summary = "asks for a period number", .run = askPeriod});
  r.add({.name = "end", .arguments = "[shown]", .summary = "ends the program", .run = endProgram});
  r.add({.name = "strict",
         .arguments = "N",
         .summary = "needs one argument",
         .options = {{"colour", "red|blue", "a colour", {"red", "blue"}}},
         .run = [](CliContext&, const CommandArgs& args) -> int {
           if (args.positional.size() != 1) throw UsageError("strict needs exactly one argument");
           return kExitDone;
         }});
  r.add({.name = "draw",
         .summary = "prints random numbers",
         .run = [](CliContext& c, const CommandArgs&) -> int {
           for (int i = 0; i < 5; ++i) c.out << Sjs(c.session.rng, 1, 1000000) << ' ';
           return kExitDone;
         }});
  r.add({.name = "secret",
         .summary = "hidden",
         .run = [](CliContext&, const CommandArgs&) { return kExitDone; },
         .hidden = true});
  return r;
}

Result runTest(const QStringList& args) {
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

// Each bad command line: exit code 2 and the first line of the message on standard error.
TEST(Cli, BadCommandLinesGiveExitCode2AndSayWhy) {
  const std::pair<QStringList, QString> cases[] = {
      {{}, "tavro-cli: no command given"},
      {{"frobnicate"}, "tavro-cli: unknown command frobnicate"},
      {{"frobnicate", "--help"}, "tavro-cli: unknown command frobnicate"},
      {{"--bogus", "period"}, "tavro-cli: period does not take --bogus"},
      {{"period", "--log"}, "tavro-cli: --log needs a file"},
      {{"strict", "--colour"}, "tavro-cli: --colour needs a value (red|blue)"},
      {{"strict", "--colour", "--seed", "1", "x"}, "tavro-cli: --colour needs a value (red|blue)"},
      {{"strict", "x", "--colour=green"}, "tavro-cli: --colour takes red or blue, not green"},
      {{"strict", "x", "--quiet=yes"}, "tavro-cli: --quiet takes no value"},
      {{"strict", "x", "-q"}, "tavro-cli: strict does not take -q"},
      {{"--seed", "abc", "draw"}, "tavro-cli: --seed needs a whole number, not \"abc\""},
      {{"--seed=-3", "draw"}, "tavro-cli: --seed needs a whole number, not \"-3\""},
      {{"strict"}, "tavro-cli: strict needs exactly one argument"},
      {{"--log", "/nonexistent-dir/x.log", "period"},
       "tavro-cli: --log /nonexistent-dir/x.log: the folder /nonexistent-dir does not exist"},
  };
  for (const auto& [args, first] : cases) {
    const Result r = runTest(args);
    EXPECT_EQ(r.code, kExitUsage) << args.join(' ').toStdString();
    EXPECT_EQ(r.err.section('\n', 0, 0), first) << args.join(' ').toStdString();
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(runTest({"strict", "x"}).code, kExitDone);
  EXPECT_EQ(runTest({"strict", "--colour=red", "x"}).code, kExitDone);
  EXPECT_EQ(runTest({"strict", "--colour", "blue", "--", "--x"}).code, kExitDone);
  EXPECT_EQ(runTest({"strict"}).err.section('\n', 1), "  | tavro-cli strict --help lists its options\n");
}

TEST(Cli, HelpListsVisibleCommandsAtTheLineStartAndVersionPrints) {
  const Result help = runTest({"--help"});
  EXPECT_EQ(help.code, kExitDone);
  const QStringList lines = help.out.split(u'\n');
  EXPECT_TRUE(lines.filter(QRegularExpression("^  period +asks for a period number$")).size() == 1)
      << help.out.toStdString();
  EXPECT_TRUE(lines.filter(QRegularExpression("^  end \\[shown\\] +ends the program$")).size() == 1);
  EXPECT_TRUE(lines.filter(QRegularExpression("^  secret")).isEmpty());
  EXPECT_TRUE(help.out.contains("--answers"));
  const Result strict = runTest({"strict", "--help", "--colour"});
  EXPECT_EQ(strict.code, kExitDone);
  EXPECT_TRUE(
      strict.out.startsWith("Usage: tavro-cli strict N [OPTIONS]\nneeds one argument\n\nOptions:\n"
                            "  --colour red|blue  a colour\n"))
      << strict.out.toStdString();
  const Result version = runTest({"--version"});
  EXPECT_EQ(version.code, kExitDone);
  EXPECT_EQ(version.out, "tavro-cli 2.0\n");
}

TEST(Cli, AnswersAreUsedInOrderAndEveryBoxIsPrintedAndLogged) {
  QTemporaryDir dir;
  const QString log = dir.filePath("ui.log");
  const Result r = runTest({"period", "--answers", "y,x,3", "--log", log});
  EXPECT_EQ(r.code, kExitDone);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, QStringLiteral("提示: 开始\n"
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
  // Without answers the question is "n"; --quiet shows no message that is not an error.
  const Result no = runTest({"period"});
  EXPECT_EQ(no.code, kExitDone);
  EXPECT_EQ(no.err, QStringLiteral("提示: 开始\n请回答: 要继续吗？ -> n\n"));
  EXPECT_EQ(runTest({"period", "--quiet"}).err, "");
}

TEST(Cli, AnInputBoxAskedAgainAfterTheAnswersRanOutStopsWithExitCode3) {
  QTemporaryDir dir;
  const QString log = dir.filePath("ui.log");
  const Result r = runTest({"--answers=y,0", "--log=" + log, "period"});
  EXPECT_EQ(r.code, kExitStopped);
  const QStringList lines = fileLines(log);
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[2], QStringLiteral(R"({"kind":"input","text":"请输入节数（1～8）：","answer":"0"})"));
  EXPECT_EQ(lines[3], QStringLiteral(R"({"kind":"input","text":"请输入节数（1～8）：","answer":""})"));
  EXPECT_EQ(lines[4], lines[3]);
  EXPECT_EQ(lines[5], QStringLiteral(R"({"kind":"stopped","text":"stopped: no answer left for the repeated )"
                                     R"(input box: 请输入节数（1～8）：","answer":""})"));
  EXPECT_TRUE(
      r.err.endsWith(QStringLiteral("tavro-cli: stopped: no answer left for the repeated input box: "
                                    "请输入节数（1～8）：\n")));
}

TEST(Cli, ProgramEndGivesExitCode4AndShowsAnUnshownMessageOnce) {
  QTemporaryDir dir;
  const QString log = dir.filePath("ui.log");
  const Result r = runTest({"end", "--log", log, "--quiet"});
  EXPECT_EQ(r.code, kExitProgramEnd);
  const QString ends = QStringLiteral("the program ends here; start again and import the sheets");
  EXPECT_EQ(r.err, QStringLiteral("错误: 本班课程排不下！\ntavro-cli: ") + ends + u'\n');
  EXPECT_EQ(fileLines(log),
            (QStringList{QStringLiteral(R"({"kind":"warning","text":"本班课程排不下！","answer":""})"),
                         QStringLiteral(R"({"kind":"programEnd","text":"%1","answer":""})").arg(ends)}));
  const Result shown = runTest({"end", "shown"});
  EXPECT_EQ(shown.code, kExitProgramEnd);
  EXPECT_TRUE(shown.err.startsWith(QStringLiteral("错误: 已显示\ntavro-cli: ")));
}

TEST(Cli, TheSeedMakesRandomNumbersRepeat) {
  const Result a = runTest({"--seed", "5", "draw"});
  const Result b = runTest({"draw", "--seed", "5"});
  const Result c = runTest({"draw", "--seed=6"});
  EXPECT_EQ(a.code, kExitDone);
  EXPECT_EQ(a.out, b.out);
  EXPECT_NE(a.out, c.out);
  qputenv("TAVRO_SEED", "5");
  const Result env = runTest({"draw"});
  qputenv("TAVRO_SEED", "five");
  const Result bad = runTest({"draw"});
  qunsetenv("TAVRO_SEED");
  EXPECT_EQ(env.out, a.out);
  EXPECT_EQ(bad.code, kExitUsage);
  EXPECT_TRUE(bad.err.startsWith("tavro-cli: TAVRO_SEED needs a whole number, not \"five\"\n"));
}

// A message of several lines: one line each on standard error, the further ones marked.
TEST(CliLog, MessagesOfSeveralLinesAreMarkedAndTextsAreEscapedAsJson) {
  EXPECT_EQ(messageLines("提示", QStringLiteral("第一行\r\n第二行\n\r第四行")),
            QStringLiteral("提示: 第一行\n  | 第二行\n  | \n  | 第四行\n"));
  UiEvent e{"question", QStringLiteral("第一行\r\n\"引号\"\\\t"), "y", true};
  EXPECT_EQ(eventJson(e),
            QStringLiteral(R"({"kind":"question","text":"第一行\r\n\"引号\"\\\t","answer":"y"})"));
  EXPECT_EQ(eventJson(UiEvent{"beep", "", "", false}), "");
  EXPECT_EQ(eventJson(UiEvent{"input", QString(QChar(1)), "", false}),
            QStringLiteral(R"({"kind":"input","text":"\u0001","answer":""})"));
}

}  // namespace tavro::cli
