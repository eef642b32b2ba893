// tavro-cli schedule --resolve: "stop" leaves a class in forced swap mode and
// exits with code 5, "auto" resolves it and schedules every class; the report
// and the printed lines carry the resolved swaps; other values are refused.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "cli/cli.h"
#include "cli/commands.h"
#include "tests/cli/cli_run.h"

namespace tavro::cli {
namespace {

QJsonObject readReport(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QJsonDocument::fromJson(f.readAll()).object();
}

// A demo school written into dir/name.
QString demoFolder(const QTemporaryDir& dir, const QString& name) {
  const QString folder = dir.path() + u'/' + name;
  EXPECT_EQ(runCli({"demo", folder, "--preset", "medium", "--seed", "3"}).code, kExitDone);
  return folder;
}

QByteArray timetableBytes(const QString& folder) {
  QFile file(folder + QStringLiteral("/课表.txt"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// The same school and seed with stop, without --resolve and with auto: stop and the plain run agree;
// a class left in swap mode (exit 5) is resolved by auto; a run that stop finishes is the same with
// auto, byte for byte.
TEST(ScheduleResolve, StopLeavesTheClassInSwapModeAndAutoResolvesIt) {
  QTemporaryDir dir;
  const QString stopped = demoFolder(dir, "stop");
  const CliRun stop = runCli(
      {"schedule", stopped, "--resolve", "stop", "--seed", "2", "--report", dir.path() + "/stop.json"});
  const QJsonObject stopReport = readReport(dir.path() + "/stop.json");
  EXPECT_EQ(stopReport.value("swapsResolved").toInt(-1), 0);
  EXPECT_EQ(stopReport.value("restarts").toInt(-1), 0);
  EXPECT_FALSE(stopReport.contains("programEnd"));
  EXPECT_TRUE(stop.out.endsWith("\nswaps resolved 0, restarts 0\n")) << stop.out.toStdString();
  const bool swapMode = stopReport.value("classesLeftInSwapMode").toInt() == 1;
  EXPECT_EQ(stop.code, swapMode ? 5 : kExitDone) << stop.out.toStdString() << stop.err.toStdString();

  const QString plain = demoFolder(dir, "plain");
  const CliRun none = runCli({"schedule", plain, "--seed", "2"});
  EXPECT_EQ(none.code, stop.code);
  EXPECT_FALSE(none.out.contains("swaps resolved"));
  EXPECT_EQ(timetableBytes(plain), timetableBytes(stopped));

  const QString resolved = demoFolder(dir, "auto");
  const CliRun automatic = runCli(
      {"schedule", resolved, "--resolve", "auto", "--seed", "2", "--report", dir.path() + "/auto.json"});
  EXPECT_EQ(automatic.code, kExitDone) << automatic.out.toStdString() << automatic.err.toStdString();
  const QJsonObject autoReport = readReport(dir.path() + "/auto.json");
  EXPECT_EQ(autoReport.value("classesScheduled").toInt(), autoReport.value("classes").toInt());
  EXPECT_EQ(autoReport.value("classesLeftInSwapMode").toInt(), 0);
  EXPECT_FALSE(autoReport.contains("programEnd"));
  EXPECT_TRUE(automatic.out.endsWith(QStringLiteral("left in swap mode 0\nswaps resolved %1, restarts %2\n")
                                         .arg(autoReport.value("swapsResolved").toInt())
                                         .arg(autoReport.value("restarts").toInt())))
      << automatic.out.toStdString();
  const QByteArray autoFile = timetableBytes(resolved);
  EXPECT_EQ(autoFile.count("班,"), autoReport.value("classes").toInt());
  EXPECT_FALSE(autoFile.contains("\r\n 0 \r\n"));
  if (swapMode)
    EXPECT_GT(autoReport.value("swapsResolved").toInt(), 0);
  else
    EXPECT_EQ(autoFile, timetableBytes(stopped));
}

TEST(ScheduleResolve, OtherValuesAreRefusedWithExitCode2) {
  QTemporaryDir dir;
  const CliRun wrong = runCli({"schedule", dir.path(), "--resolve", "maybe"});
  EXPECT_EQ(wrong.code, kExitUsage);
  EXPECT_TRUE(wrong.err.startsWith("tavro-cli: --resolve takes stop or auto, not maybe\n"))
      << wrong.err.toStdString();
  const CliRun missing = runCli({"schedule", dir.path(), "--resolve"});
  EXPECT_EQ(missing.code, kExitUsage);
  EXPECT_TRUE(missing.err.startsWith("tavro-cli: --resolve needs a value (stop|auto)\n"))
      << missing.err.toStdString();
  EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/课表.txt")));
}

}  // namespace tavro::cli
