// tavro-cli import and demo: the demo school imports silently, an empty folder
// gets the school template, a sheet with a wrong value stops with exit code 3.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "cli/cli.h"
#include "sheets/xlsx.h"
#include "tests/cli/cli_run.h"

namespace tavro::cli {
namespace {

TEST(ImportCommand, DemoSchoolImportsWithoutAMessage) {
  QTemporaryDir dir;
  const QString folder = dir.path() + "/demo";
  const CliRun demo = runCli({"demo", folder, "--preset", "small", "--seed", "5"});
  ASSERT_EQ(demo.code, kExitDone) << demo.err.toStdString();
  EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 5);
  const CliRun imported = runCli({"import", folder});
  EXPECT_EQ(imported.code, kExitDone);
  EXPECT_EQ(imported.out, "");
  EXPECT_EQ(imported.err, "");
}

TEST(ImportCommand, EmptyFolderGetsTheSchoolTemplateWithExitCode6) {
  QTemporaryDir dir;
  const CliRun r = runCli({"import", dir.path()});
  EXPECT_EQ(r.code, kExitTemplates);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(
      r.err.startsWith("提示: 系统将自动产生学校数据表，在此过程中用户不要进行任何操作，直到出现提示。\n"));
  EXPECT_TRUE(
      r.err.endsWith(QStringLiteral("tavro-cli: wrote the template 学校数据表.xlsx into %1/: fill it in, "
                                    "then run the command again\n")
                         .arg(dir.path())))
      << r.err.toStdString();
  EXPECT_TRUE(QFile::exists(dir.path() + "/学校数据表.xlsx"));
}

TEST(ImportCommand, AWrongValueStopsWithExitCode3AndBadArgumentsWith2) {
  QTemporaryDir dir;
  ASSERT_EQ(runCli({"demo", dir.path(), "--preset", "small"}).code, kExitDone);
  const QString path = dir.path() + "/学校数据表.xlsx";
  ReadResult read = readWorkbook(path);
  ASSERT_TRUE(read.ok());
  read.book->first().setValue(9, 7, "0");
  ASSERT_TRUE(saveXlsx(*read.book, path).ok());
  const CliRun r = runCli({"import", dir.path()});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, QStringLiteral(
                       "错误: 全校教师数不合适！请在Excel课程数据表中修改为1～998的数，然后保存，重新导入。\n"
                       "tavro-cli: stopped: the sheets of %1/ were not imported (see the message above)\n")
                       .arg(dir.path()));
  EXPECT_EQ(runCli({"import"}).code, kExitUsage);
  EXPECT_EQ(runCli({"import", dir.path() + "/none"}).code, kExitUsage);
  EXPECT_EQ(runCli({"demo", dir.path(), "--preset", "huge"}).code, kExitUsage);
}

}  // namespace
}  // namespace tavro::cli
