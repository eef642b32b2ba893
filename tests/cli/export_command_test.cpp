// tavro-cli export on a small demo school: the written workbook, the shared
// print-format file, and bad options.

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/textfile.h"
#include "sheets/demo_school.h"
#include "sheets/xlsx.h"
#include "tests/cli/cli_run.h"

namespace tavro::cli {
namespace {

class ExportCommand : public SmallDemoSchool {
 protected:
  CliRun run(const QStringList& args) {
    return runCli(QStringList{QStringLiteral("export"), data} + args +
                  QStringList{QStringLiteral("--settings"), settings});
  }
  const QString settings = dir.filePath(QStringLiteral("config"));
};

TEST_F(ExportCommand, ClassTablesWithOptionsAndTheSharedSettings) {
  const QString out = dir.filePath(QStringLiteral("classes.xlsx"));
  const CliRun r =
      run({"--table", "班级周表", "--classes", "0701,0702", "--weekdays", "1,2", "--periods", "上午",
           "--per-band", "2", "--teacher-inside", "yes", "--title-font", "黑体:18", "--out", out});
  ASSERT_EQ(r.code, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains(QStringLiteral("班级星期一二上午课表"))) << r.out.toStdString();
  const ReadResult book = readXlsx(out);
  ASSERT_TRUE(book.ok());
  const Sheet& sh = book.book->first();
  EXPECT_TRUE(sh.text(1, 1).endsWith(QStringLiteral("班级星期一二上午课表")));
  EXPECT_EQ(sh.text(3, 1), QStringLiteral("星期"));
  // The morning label: above the periods (weekdays as rows) or beside the first period (periods as rows).
  EXPECT_TRUE(sh.text(3, 2) == QStringLiteral("上午") || sh.text(4, 1) == QStringLiteral("上"));
  EXPECT_EQ(sh.format(1, 1).fontName, QStringLiteral("黑体"));
  EXPECT_EQ(sh.format(1, 1).fontSize, 18);

  const auto lines = readTextLines(settings + QStringLiteral("/Tavro课程安排系统打印导出格式.txt"));
  ASSERT_TRUE(lines.has_value());
  ASSERT_EQ(lines->size(), 1172);
  EXPECT_EQ(lines->at(1), QStringLiteral(" 0 , 1 ,1"));
  EXPECT_EQ(lines->at(23), QStringLiteral(" 0 , 23 ,2"));
  EXPECT_EQ(lines->at(35), QStringLiteral(" 0 , 35 ,黑体"));

  // A second export without options keeps the stored ones.
  const CliRun again = run({"--table", "班级周表", "--out", out});
  ASSERT_EQ(again.code, 0) << again.err.toStdString();
  const ReadResult second = readXlsx(out);
  ASSERT_TRUE(second.ok());
  EXPECT_EQ(second.book->first().format(1, 1).fontName, QStringLiteral("黑体"));
}

TEST_F(ExportCommand, TeacherTablesAndBadOptions) {
  const QString out = dir.filePath(QStringLiteral("teachers.xlsx"));
  const CliRun r = run({"--table", "教师周表", "--teachers", "1,2", "--per-band", "2", "--out", out});
  ASSERT_EQ(r.code, 0) << r.err.toStdString();
  const ReadResult book = readXlsx(out);
  ASSERT_TRUE(book.ok());
  EXPECT_TRUE(book.book->first().text(1, 1).endsWith(QStringLiteral("教师课表")));
  EXPECT_EQ(run({"--table", "总表"}).code, kExitUsage);
  EXPECT_EQ(run({"--table", "教师周表", "--teachers", "999"}).code, kExitUsage);
  EXPECT_EQ(run({"--table", "班级周表", "--per-band", "11"}).code, kExitUsage);
  EXPECT_EQ(run({"--table", "班级周表", "--weekdays", "9"}).code, kExitUsage);
}

// The texts of the cells in which two sheets differ, as (first sheet's text, second sheet's text).
QList<std::pair<QString, QString>> differences(const Sheet& a, const Sheet& b) {
  QList<std::pair<QString, QString>> found;
  const int rows = std::max(a.lastRow(), b.lastRow()), cols = std::max(a.lastColumn(), b.lastColumn());
  for (int r = 1; r <= rows; ++r)
    for (int col = 1; col <= cols; ++col)
      if (a.text(r, col) != b.text(r, col)) found.append({a.text(r, col), b.text(r, col)});
  return found;
}

// The temporary timetable holds the temporary changes in force today, as the window shows it; the
// long-term timetable does not.
TEST_F(ExportCommand, TheTemporaryLayerHoldsTheChangesInForceToday) {
  const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
  int swapped = -1;  // with the first partner of the week that can take lesson 1,1
  for (int k = 1; k < 5 * 8 && swapped != 0; ++k)
    swapped = runCli({"temp", data, "swap", "--class", "0701", "--lesson", "1,1", "--with",
                      QStringLiteral("%1,%2").arg(k / 8 + 1).arg(k % 8 + 1), "--start", today, "--seed", "1"})
                  .code;
  ASSERT_EQ(swapped, 0);
  const QString longTerm = dir.filePath(QStringLiteral("long.xlsx")),
                temporary = dir.filePath(QStringLiteral("temp.xlsx"));
  ASSERT_EQ(run({"--table", "班级周表", "--classes", "0701", "--layer", "长期", "--out", longTerm}).code, 0);
  ASSERT_EQ(run({"--table", "班级周表", "--classes", "0701", "--layer", "临时", "--out", temporary}).code, 0);
  const ReadResult a = readXlsx(longTerm), b = readXlsx(temporary);
  ASSERT_TRUE(a.ok() && b.ok());
  QList<std::pair<QString, QString>> changed = differences(a.book->first(), b.book->first());
  changed.removeIf([](const auto& d) { return d.first.contains(QStringLiteral("课表")); });  // the titles
  ASSERT_EQ(changed.size(), 2);
  EXPECT_EQ(changed[0].first, changed[1].second);
  EXPECT_EQ(changed[1].first, changed[0].second);
}

}  // namespace
}  // namespace tavro::cli
