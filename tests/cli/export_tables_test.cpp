// tavro-cli export of the master tables and the teacher tables on a small
// demo school: --table for the master tables, --item, --teacher-choice,
// --courses, --with-teacher-codes and --form, and their bad values.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "cli/cli.h"
#include "cli/commands.h"
#include "sheets/demo_school.h"
#include "sheets/xlsx.h"
#include "tests/cli/cli_run.h"

namespace tavro::cli {
namespace {

class ExportTables : public SmallDemoSchool {
 protected:
  // Runs the export with args into a file of its own; the exit code, and the sheet in book.
  int run(QStringList args) {
    const QString out = dir.filePath(QStringLiteral("t%1.xlsx").arg(++count));
    args = QStringList{QStringLiteral("export"), data} + args +
           QStringList{QStringLiteral("--settings"), dir.filePath(QStringLiteral("config")),
                       QStringLiteral("--out"), out};
    const int code = runCli(args).code;
    ReadResult read = readXlsx(out);
    book = read.ok() ? std::move(*read.book) : Workbook();
    if (book.sheetCount() == 0) book.addSheet(QStringLiteral("none"));
    return code;
  }
  const Sheet& sheet() const { return book.first(); }
  Workbook book;
  int count = 0;
};

TEST_F(ExportTables, MasterTablesInBothForms) {
  ASSERT_EQ(run({"--table", "学校总表", "--form", "down"}), 0);
  EXPECT_EQ(sheet().text(3, 1), QStringLiteral("星期"));
  EXPECT_EQ(sheet().text(3, 2), QStringLiteral("午别"));
  EXPECT_EQ(sheet().text(4, 2), QStringLiteral("上午"));
  EXPECT_TRUE(sheet().text(1, 1).endsWith(QStringLiteral("总课表")));

  ASSERT_EQ(run({"--table", "教师总表", "--with-teacher-codes", "yes", "--per-band", "5"}), 0);
  EXPECT_EQ(sheet().text(3, 1), QStringLiteral("星期"));
  EXPECT_EQ(sheet().text(6, 1).size(), 3);  // the first teacher's number
  EXPECT_TRUE(sheet().mergeAt(3, 1).has_value());

  ASSERT_EQ(run({"--table", "学科总表", "--courses", "1"}), 0);
  EXPECT_TRUE(sheet().text(1, 1).endsWith(QStringLiteral("课表")));
  EXPECT_EQ(sheet().text(4, 1), QStringLiteral("星期"));
}

TEST_F(ExportTables, ItemsTeacherChoiceAndBadValues) {
  ASSERT_EQ(run({"--item", "教师任课情况表", "--teacher-choice", "classes", "--classes", "0701", "--courses",
                 "all"}),
            0);
  EXPECT_TRUE(sheet().text(1, 1).endsWith(QStringLiteral("教师任课情况表")));
  EXPECT_TRUE(sheet().text(2, 1).startsWith(QStringLiteral("共有")));
  EXPECT_EQ(sheet().text(3, 1), QStringLiteral("姓名"));

  ASSERT_EQ(run({"--item", "学科教师表", "--courses", "1,2", "--with-teacher-codes", "yes"}), 0);
  EXPECT_FALSE(sheet().text(2, 1).isEmpty());
  EXPECT_FALSE(sheet().text(2, 2).isEmpty());
  EXPECT_EQ(sheet().text(2, 3), QString());
  EXPECT_TRUE(sheet().text(4, 1).at(0).isDigit()) << sheet().text(4, 1).toStdString();

  ASSERT_EQ(run({"--item", "年级教师表", "--form", "across"}), 0);
  EXPECT_EQ(sheet().text(2, 1), QStringLiteral("初一"));
  EXPECT_FALSE(sheet().text(2, 3).isEmpty());

  EXPECT_EQ(run({"--item", "总表"}), kExitUsage);
  EXPECT_EQ(run({"--table", "学校总表", "--form", "sideways"}), kExitUsage);
  EXPECT_EQ(run({"--item", "教师任课情况表", "--teacher-choice", "all"}), kExitUsage);
  EXPECT_EQ(run({"--table", "学科总表", "--courses", "99"}), kExitUsage);
}

}  // namespace
}  // namespace tavro::cli
