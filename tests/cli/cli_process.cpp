#include "tests/cli/cli_process.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QStringEncoder>

#include "sheets/demo_school.h"

namespace tavro::cli {

namespace {

// word quoted for the POSIX shell.
QString shellQuoted(const QString& word) {
  return u'\'' + QString(word).replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

QProcessEnvironment childEnvironment(const ConsoleLocale& locale, const QStringList& extra) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString& key : env.keys())
    if (key == u"LANG" || key == u"LANGUAGE" || key.startsWith(QStringLiteral("LC_"))) env.remove(key);
  for (const char* key : {"TAVRO_SEED", "QT_QPA_PLATFORM"}) env.remove(QLatin1String(key));
  env.insert(QStringLiteral("LC_ALL"), QLatin1String(locale.name));
  for (const QString& setting : extra) {
    const QString key = setting.section(u'=', 0, 0), value = setting.section(u'=', 1);
    if (value.isEmpty())
      env.remove(key);
    else
      env.insert(key, value);
  }
  return env;
}

}  // namespace

ProcessRun runProcess(const QString& program, const QStringList& args, const ConsoleLocale& locale,
                      const QString& work, const QStringList& extra) {
  QString script = QStringLiteral("exec ") + shellQuoted(program);
  for (const QString& arg : args) script += u' ' + shellQuoted(arg);
  const QString scriptPath = work + QStringLiteral("/run.sh");
  QFile file(scriptPath);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QStringEncoder encode(locale.encoding);
  file.write(encode(script + u'\n'));
  file.close();
  QProcess process;
  process.setProcessEnvironment(childEnvironment(locale, extra));
  process.setWorkingDirectory(work);
  process.start(QStringLiteral("/bin/sh"), {scriptPath});
  EXPECT_TRUE(process.waitForFinished(300000)) << args.join(u' ').toStdString();
  ProcessRun run;
  run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.rawOut = process.readAllStandardOutput();
  run.rawErr = process.readAllStandardError();
  QStringDecoder decodeOut(locale.encoding), decodeErr(locale.encoding);
  run.out = decodeOut(run.rawOut);
  run.err = decodeErr(run.rawErr);
  return run;
}

void CliProcess::SetUp() {
  ASSERT_TRUE(dir.isValid());
  data = dir.filePath(QStringLiteral("data"));
  empty = dir.filePath(QStringLiteral("empty"));
  ASSERT_TRUE(QDir().mkpath(empty));
  ASSERT_EQ(writeDemoSchool(data, *demoPreset(QStringLiteral("small")), 3), QString());
}

ProcessRun CliProcess::cli(const QStringList& args, const QStringList& extra) const {
  return runProcess(QStringLiteral(TAVRO_CLI_PATH), args, GetParam(), dir.path(), extra);
}

QStringList CliProcess::dataState() const {
  QStringList state;
  QDirIterator it(data, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info(it.next());
    state << QStringLiteral("%1 %2 %3")
                 .arg(info.filePath())
                 .arg(info.size())
                 .arg(info.lastModified().toMSecsSinceEpoch());
  }
  state.sort();
  return state;
}

std::string localeTestName(const ::testing::TestParamInfo<ConsoleLocale>& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

}  // namespace tavro::cli
