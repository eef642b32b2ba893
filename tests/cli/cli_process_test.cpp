// tavro-cli as a child process under the C, a UTF-8 and a GB18030 locale:
// results on standard output and messages on standard error in the locale's
// encoding, the exit codes, option forms, refused command lines that change
// nothing and say why (also in the --log file), and the help pages.

#include "tests/cli/cli_process.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringEncoder>

#include "cli/commands.h"
#include "cli/help.h"

namespace tavro::cli {
namespace {

QStringList logLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// The "kind" and "text" of a JSON log line.
std::pair<QString, QString> logEntry(const QString& line) {
  const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
  return {o.value("kind").toString(), o.value("text").toString()};
}

// Every line of standard error is a message line or the continuation of one.
void expectMessageLines(const ProcessRun& r) {
  static const QRegularExpression line(
      QStringLiteral("^(提示|错误|请回答|输入|选择文件|向导|tavro-cli): |^  \\| "));
  EXPECT_FALSE(r.err.contains(u'\r'));
  for (const QString& l : r.errLines()) EXPECT_TRUE(line.match(l).hasMatch()) << l.toStdString();
}

using CliProcessTest = CliProcess;

TEST_P(CliProcessTest, StreamsExitCodesAndTheLocaleEncoding) {
  const ProcessRun templates = cli({"import", empty});
  EXPECT_EQ(templates.code, kExitTemplates);
  EXPECT_EQ(templates.out, "");
  expectMessageLines(templates);
  const QString first =
      QStringLiteral("提示: 系统将自动产生学校数据表，在此过程中用户不要进行任何操作，直到出现提示。");
  const QString wrote =
      QStringLiteral(
          "tavro-cli: wrote the template 学校数据表.xlsx into %1/: fill it in, then run the "
          "command again")
          .arg(empty);
  EXPECT_EQ(templates.errLines().value(0), first);
  EXPECT_EQ(templates.errLines().last(), wrote);
  // The bytes are the locale's encoding (GB18030 under zh_CN.GB18030, UTF-8 otherwise).
  QStringEncoder encode(GetParam().encoding);
  EXPECT_TRUE(templates.rawErr.startsWith(QByteArray(encode(first))));
  const ProcessRun quiet = cli({"import", empty, "--quiet"});
  EXPECT_EQ(quiet.code, kExitTemplates);
  EXPECT_EQ(quiet.err, wrote + u'\n');

  const ProcessRun imported = cli({"import", data});
  EXPECT_EQ(imported.code, kExitDone);
  EXPECT_EQ(imported.out + imported.err, "");
  const ProcessRun unknown = cli({"nosuchcommand", "--help"});
  EXPECT_EQ(unknown.code, kExitUsage);
  EXPECT_EQ(unknown.errLines().value(0), "tavro-cli: unknown command nosuchcommand");
}

TEST_P(CliProcessTest, ScheduleResultsGoToStandardOutputOrTheReport) {
  const QString log = dir.filePath("schedule.log");
  const ProcessRun toStdout = cli({"schedule", data, "--seed", "1", "--report", "-", "--log", log});
  ASSERT_EQ(toStdout.code, kExitDone) << toStdout.err.toStdString();
  const QJsonObject report = QJsonDocument::fromJson(toStdout.out.toUtf8()).object();
  EXPECT_EQ(report.value("classes").toInt(), 6);
  EXPECT_EQ(report.value("classesScheduled").toInt(), 6);
  expectMessageLines(toStdout);
  const QString summary =
      QStringLiteral("classes 6, scheduled 6, lessons forced %1, automatic swaps %2, left in swap mode 0")
          .arg(report.value("lessonsForced").toInt())
          .arg(report.value("automaticSwaps").toInt());
  EXPECT_EQ(toStdout.errLines().last(), QStringLiteral("tavro-cli: ") + summary);
  const QStringList lines = logLines(log);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.size(),
            toStdout.errLines().size() - toStdout.errLines().filter(QRegularExpression("^  \\|")).size());
  EXPECT_EQ(logEntry(lines.last()), std::pair(QStringLiteral("note"), summary));

  const ProcessRun toFile = cli({"schedule", data, "--report=" + dir.filePath("r.json"), "--quiet"});
  ASSERT_EQ(toFile.code, kExitDone);
  EXPECT_EQ(toFile.err, "");
  QFile file(dir.filePath("r.json"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonObject again = QJsonDocument::fromJson(file.readAll()).object();
  // The school has its timetable from the first run: the second keeps it and says so.
  EXPECT_EQ(toFile.out,
            QStringLiteral("kept the timetable of 6 classes from %1 (schedule --fresh starts over)\n")
                    .arg(QDir::toNativeSeparators(data + QStringLiteral("/课表.txt"))) +
                QStringLiteral("classes 6, scheduled 6, lessons forced %1, automatic swaps %2, left in swap "
                               "mode 0\n")
                    .arg(again.value("lessonsForced").toInt())
                    .arg(again.value("automaticSwaps").toInt()));
  EXPECT_EQ(again.value("classesScheduled").toInt(), 6);
}

// Each refused command line: exit code 2, the first line of standard error (also the last line of the
// log), and nothing in the data folder changed.
TEST_P(CliProcessTest, RefusedCommandLinesSayWhyAndChangeNothing) {
  const QStringList swap{"temp", data, "swap", "--class", "0701", "--start", "2026-03-02"};
  const std::pair<QStringList, QString> cases[] = {
      {{"schedule", data, "--report"}, "--report needs a file"},
      {{"schedule", data, "--report", "/missing/r.json"},
       "--report /missing/r.json: the folder /missing does not exist"},
      {{"schedule", data, "--seed", "x"}, "--seed needs a whole number, not \"x\""},
      {{"temp", data, "list", "--class", "0701"}, "temp list does not take --class"},
      {{"export", data, "--item", "学科教师表", "--table", "班级周表"},
       "--table is for --item 课表; --item 学科教师表 takes no --table"},
      {{"export", data, "--table", "教师周表", "--with-teacher-codes", "no", "--teacher-beside", "yes"},
       "--with-teacher-codes no contradicts --teacher-beside yes (both set 附教师代码)"},
      {{"export", data, "--table", "班级周表", "--teachers", "1"},
       "--teachers does not apply to 班级周表 (it takes --classes)"},
      {{"export", data, "--table", "总表"},
       "--table takes 班级周表, 教师周表, 学科总表, 教师总表 or 学校总表, not 总表"},
      {{"export", data, "--table", "班级周表", "--settings", "/missing/config"},
       "--settings /missing/config: no such folder"},
      {{"export", data, "--table", "班级周表", "--out", "/missing/t.xlsx"},
       "--out /missing/t.xlsx: the folder /missing does not exist"},
      {{"export", data, "--table", "班级周表", "--classes", "0799"}, "--classes: no 0799"},
      {swap + QStringList{"--lesson", "9,9", "--with", "1,2"},
       "--lesson 9,9: the week has 5 days of 8 periods"},
      {swap + QStringList{"--lesson", "1,1", "--with", "1,1"},
       "--lesson and --with name the same lesson 1,1"},
      {swap + QStringList{"--lesson", "1,1", "--with", "1,2", "--notices", "/missing/n.txt"},
       "--notices /missing/n.txt: the folder /missing does not exist"},
      {{"temp", data, "swap", "--class", "9999", "--lesson", "1,1", "--with", "1,2", "--start", "2026-03-02"},
       "--class 9999: the school has no such class"},
  };
  const QStringList before = dataState();
  const QString log = dir.filePath("refused.log");
  for (const auto& [args, message] : cases) {
    const ProcessRun r = cli(args + QStringList{"--log", log});
    EXPECT_EQ(r.code, kExitUsage) << args.join(' ').toStdString();
    EXPECT_EQ(r.errLines().value(0), QStringLiteral("tavro-cli: ") + message) << r.err.toStdString();
    EXPECT_EQ(r.out, "");
    const QStringList lines = logLines(log);
    const auto [kind, text] = lines.isEmpty() ? std::pair<QString, QString>() : logEntry(lines.last());
    EXPECT_EQ(kind, QStringLiteral("usage"));
    EXPECT_TRUE(text.startsWith(message)) << text.toStdString();
    EXPECT_EQ(dataState(), before) << args.join(' ').toStdString();
  }
  const ProcessRun seed = cli({"import", data}, {"TAVRO_SEED=abc"});
  EXPECT_EQ(seed.code, kExitUsage);
  EXPECT_EQ(seed.errLines().value(0), "tavro-cli: TAVRO_SEED needs a whole number, not \"abc\"");
}

TEST_P(CliProcessTest, BothOptionFormsAndTheEndOfOptions) {
  const ProcessRun demo = cli({"demo", "--preset=small", "--seed", "7", "--", "-school"});
  ASSERT_EQ(demo.code, kExitDone) << demo.err.toStdString();
  EXPECT_EQ(demo.out, "demo school (small) written to -school\n");
  EXPECT_EQ(QDir(dir.filePath("-school")).entryList(QDir::Files).size(), 5);
  for (const QString& today : {QStringLiteral("--today=2026-03-02"), QStringLiteral("--today")}) {
    QStringList args{"temp", data, "list", today};
    if (!today.contains(u'=')) args << "2026-03-02";
    const ProcessRun list = cli(args);
    EXPECT_EQ(list.code, kExitDone) << list.err.toStdString();
    EXPECT_EQ(list.out + list.err, "");
  }
}

// demo refuses a folder that holds sheets or a timetable (exit code 3, nothing written); --force
// replaces the sheets and keeps the old timetable files aside, so the next run does not meet them.
TEST_P(CliProcessTest, DemoRefusesAFolderThatHoldsASchoolUnlessForced) {
  const auto refusal = [](const QString& folder, const QString& files) {
    return QStringLiteral(
               "tavro-cli: stopped: %1 already holds a school (%2); nothing was written. Give "
               "--force to replace its sheets with the demo school")
        .arg(folder, files);
  };
  const QString sheets =
      QStringLiteral("学校数据表.xlsx, 教师数据表.xlsx, 课程数据表.xlsx, 合班数据表.xlsx, 班级数据表.xlsx");
  const QStringList before = dataState();
  const ProcessRun refused = cli({"demo", data, "--preset", "small"});
  EXPECT_EQ(refused.code, kExitStopped);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.errLines(), QStringList{refusal(data, sheets)});
  EXPECT_EQ(dataState(), before);
  QFile timetable(QDir(empty).filePath("课表.txt"));
  ASSERT_TRUE(timetable.open(QIODevice::WriteOnly));
  timetable.write("old timetable");
  timetable.close();
  EXPECT_EQ(cli({"demo", empty}).errLines(), QStringList{refusal(empty, "课表.txt")});
  EXPECT_EQ(QDir(empty).entryList(QDir::Files), QStringList{"课表.txt"});

  ASSERT_TRUE(QFile::copy(timetable.fileName(), QDir(data).filePath("调课.txt")));
  const ProcessRun forced = cli({"demo", data, "--preset", "small", "--seed", "9", "--force"});
  ASSERT_EQ(forced.code, kExitDone) << forced.err.toStdString();
  EXPECT_EQ(forced.out, QStringLiteral("demo school (small) written to %1\n").arg(data));
  const QStringList kept = QDir(data).entryList({"调课.txt*"}, QDir::Files);
  ASSERT_EQ(kept.size(), 1);
  EXPECT_TRUE(
      QRegularExpression(QStringLiteral("^调课\\.txt\\.旧-\\d{8}-\\d{6}$")).match(kept[0]).hasMatch());
  EXPECT_EQ(
      forced.errLines(),
      QStringList{
          QStringLiteral("tavro-cli: the old timetable files were kept as %1 in %2").arg(kept[0], data)});
  EXPECT_NE(dataState(), before);
  EXPECT_EQ(cli({"import", data}).code, kExitDone);
}

// Every help page: its options one line each, the shared options, the exit codes and an example, no
// line wider than 100 columns; the exit codes are those of the README.
TEST_P(CliProcessTest, HelpPages) {
  CommandRegistry registry;
  registerAllCommands(registry);
  QFile readme(QStringLiteral(TAVRO_SOURCE_DIR "/README.md"));
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  const QString readmeText = QString::fromUtf8(readme.readAll());
  const ProcessRun all = cli({"--help"});
  ASSERT_EQ(all.code, kExitDone);
  static const QRegularExpression exitLine(QStringLiteral("^  (\\d)  (.*)$"),
                                           QRegularExpression::MultilineOption);
  int codes = 0;
  for (auto m = exitLine.globalMatch(all.out); m.hasNext(); ++codes) {
    const auto match = m.next();
    EXPECT_TRUE(readmeText.contains(QStringLiteral("| %1 | %2 |").arg(match.captured(1), match.captured(2))))
        << match.captured(0).toStdString();
  }
  EXPECT_EQ(codes, 7);
  for (const Command& command : registry.commands()) {
    const ProcessRun help = cli({command.name, "--help"});
    ASSERT_EQ(help.code, kExitDone);
    const QStringList lines = help.out.split(u'\n');
    for (const QString& line : lines + all.out.split(u'\n'))
      EXPECT_LE(displayWidth(line), 100) << line.toStdString();
    for (const OptionSpec& spec : command.options)
      EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^  --%1[ =]").arg(spec.name))).size(), 1)
          << spec.name.toStdString();
    for (const QString& part :
         {QStringLiteral("\nShared options:\n  --answers"), QStringLiteral("\nExit codes:\n  0  done\n"),
          QStringLiteral("\nExample:\n  tavro-cli ") + command.name + u' '})
      EXPECT_TRUE(help.out.contains(part)) << command.name.toStdString() << ": " << part.toStdString();
  }
}

#ifdef TAVRO_APP_PATH
// The desktop program answers --version and --help without a display.
TEST_P(CliProcessTest, DesktopProgramHelpAndVersionNeedNoDisplay) {
  const QStringList noDisplay{"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="};
  const ProcessRun version =
      runProcess(QStringLiteral(TAVRO_APP_PATH), {"--version"}, GetParam(), dir.path(), noDisplay);
  EXPECT_EQ(version.code, 0) << version.err.toStdString();
  EXPECT_EQ(version.out, "tavro 2.0\n");
  const ProcessRun help =
      runProcess(QStringLiteral(TAVRO_APP_PATH), {"--help"}, GetParam(), dir.path(), noDisplay);
  EXPECT_EQ(help.code, 0) << help.err.toStdString();
  EXPECT_TRUE(help.out.contains("--data <DIR>"));
}
#endif

INSTANTIATE_TEST_SUITE_P(Locales, CliProcessTest, ::testing::ValuesIn(kConsoleLocales), localeTestName);

}  // namespace
}  // namespace tavro::cli
