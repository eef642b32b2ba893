// tavro-cli on sheets that are missing, refused, damaged, linked or written by
// other programs: one message with its cause, and after a refusal nothing is
// scheduled, exported or saved; no file the user made is overwritten.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "core/timetable_file.h"
#include "sheets/xlsx.h"
#include "tests/cli/cli_run.h"
#include "tests/fixtures/xlsx_parts.h"

namespace tavro::cli {
namespace {

class SheetFailures : public SmallDemoSchool {
 protected:
  QString sheet(const QString& name) const { return data + u'/' + name + QStringLiteral(".xlsx"); }
  QString wjj() const { return QDir(data).absolutePath() + u'/'; }

  // Changes one cell of a sheet file of the data folder, as a user editing it would.
  void setCell(const QString& name, int row, int col, const QString& value) {
    ReadResult read = readWorkbook(sheet(name));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    read.book->first().setValue(row, col, value);
    ASSERT_TRUE(saveXlsx(*read.book, sheet(name)).ok());
  }
  QByteArray bytes(const QString& path) const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  bool timetableSaved() const { return QFile::exists(data + u'/' + kTimetableFileName); }
};

// One missing sheet: its template is written and one message says which and what to do; the sheets
// after it are neither imported nor touched, and nothing is scheduled.
TEST_F(SheetFailures, AMissingSheetWritesItsTemplateAndSaysSoOnce) {
  const std::pair<QString, QString> cases[] = {
      {"教师数据表", "然后再从“2、导入教师”按钮起依次单击各按钮导入数据表。"},
      {"课程数据表", "然后再从“3、导入课程”按钮起依次单击各按钮导入数据表。"},
      {"合班数据表", "然后再从“4、导入合班”按钮起依次单击各按钮导入数据表。"},
      {"班级数据表", "然后再单击“5、班级”按钮导入。"}};
  for (const auto& [name, then] : cases) {
    SetUp();
    ASSERT_TRUE(QFile::remove(sheet(name)));
    QMap<QString, QByteArray> before;
    for (const QString& file : QDir(data).entryList(QDir::Files)) before[file] = bytes(data + u'/' + file);
    const CliRun r = runCli({"schedule", data});
    EXPECT_EQ(r.messages().section(u'\n', 0, 0),
              "提示: 　　系统已自动产生了“" + name + "”这张Excel表格并已保存在“" + wjj() +
                  "”，请用户打开、填写或修改这张表格并用原文件名保存在原文件夹。" + then)
        << name.toStdString();
    EXPECT_EQ(r.messages().count(QStringLiteral("提示: ")) + r.messages().count(QStringLiteral("错误: ")), 1)
        << r.messages().toStdString();
    EXPECT_NE(r.code, kExitDone);
    EXPECT_TRUE(QFile::exists(sheet(name)));
    for (auto it = before.begin(); it != before.end(); ++it)
      EXPECT_EQ(bytes(data + u'/' + it.key()), it.value());
    EXPECT_FALSE(timetableSaved());
  }
}

// A sheet that a check refuses stops the command: nothing is scheduled, exported or saved.
TEST_F(SheetFailures, ARefusedSheetStopsScheduleAndExport) {
  setCell("教师数据表", 7, 4, "x");  // teacher 1, Monday, period 1
  const CliRun scheduled = runCli({"schedule", data});
  EXPECT_EQ(scheduled.code, kExitStopped);
  ASSERT_TRUE(scheduled.messages().startsWith("错误: ")) << scheduled.messages().toStdString();
  EXPECT_TRUE(scheduled.messages()
                  .section(u'\n', 0, 0)
                  .endsWith("星期一第1节的代码x错误！只能填“n”（表示“教师要求不排”）或“h”（表示“会议”）！请在"
                            "Excel表格中修改，再保存，重新导"
                            "入。"));
  EXPECT_EQ(scheduled.messages().count(QStringLiteral("错误: ")) +
                scheduled.messages().count(QStringLiteral("提示: ")),
            1);
  EXPECT_FALSE(timetableSaved());

  SetUp();
  setCell("课程数据表", 7, 2, "八个字的课程名称");
  const CliRun exported =
      runCli({"export", data, "--table", "班级周表", "--settings", dir.filePath("config")});
  EXPECT_EQ(exported.code, kExitStopped);
  EXPECT_EQ(exported.messages(),
            "错误: "
            "序号为1的课程名称“八个字的课程名称”的字数不合要求！需要在Excel表中修改成2～6字，然后保存，重新导"
            "入。\n");
  EXPECT_FALSE(QFile::exists(data + QStringLiteral("/导出")));
  EXPECT_FALSE(timetableSaved());
}

// A teacher number above the teacher count is a warning: the import goes on and shows the later
// problems too, and the lesson is scheduled without a teacher.
TEST_F(SheetFailures, ATeacherNumberAboveTheTeacherCountLetsTheImportGoOn) {
  const Sheet classes = readWorkbook(sheet("班级数据表")).book->first();
  const QString teachers = readWorkbook(sheet("学校数据表")).book->first().text(9, 7);
  setCell("班级数据表", 6, 10, "999");  // course 1's teacher of the first class
  setCell("班级数据表", 7, 10, "无此人");
  const QString course = classes.text(4, 9), grade = classes.text(6, 2);
  const CliRun r = runCli({"schedule", data});
  const QStringList warnings = r.messages().split(u'\n').filter(QRegularExpression("^错误: "));
  EXPECT_EQ(warnings, QStringList({"错误: " + grade + classes.text(6, 3) + "班" + course +
                                       "的教师号999不能大于教师人数" + teachers + "，需修改！",
                                   "错误: " + grade + classes.text(7, 3) + "班" + course +
                                       "的教师无此人在教师姓名设置中没有，需修改！"}))
      << r.messages().toStdString();
  EXPECT_TRUE(timetableSaved());
}

// A formula stored without its result (as scripts write files) fills its cell: its value is
// computed, or, when this program cannot compute it, the import stops; the sheet is never replaced
// by a template.
TEST_F(SheetFailures, AFormulaWithoutAStoredResultIsComputedOrRefused) {
  const auto withoutResult = [&](const QString& formula) {
    setCell("学校数据表", 5, 7, formula);
    ASSERT_TRUE(testing::changeXlsxPart(sheet("学校数据表"), "xl/worksheets/sheet1.xml", [](QByteArray xml) {
      return QString::fromUtf8(xml)
          .replace(QRegularExpression(R"((<c r="G5"[^>]*>.*?</f>)<v>[^<]*</v>)"), "\\1")
          .toUtf8();
    }));
  };
  withoutResult("=\"测试\"&\"中学\"");
  QByteArray before = bytes(sheet("学校数据表"));
  const CliRun computed = runCli({"import", data});
  EXPECT_EQ(computed.code, kExitDone) << computed.messages().toStdString();
  EXPECT_EQ(computed.messages(), "");
  EXPECT_EQ(bytes(sheet("学校数据表")), before);

  withoutResult("=CONCATENATE(\"测试\",\"中学\")");
  before = bytes(sheet("学校数据表"));
  const CliRun refused = runCli({"schedule", data});
  EXPECT_EQ(refused.code, kExitStopped);
  EXPECT_EQ(refused.messages().section(u'\n', 0, 0),
            "提示: 文件“" + QDir::toNativeSeparators(sheet("学校数据表")) +
                "”中G5单元格的公式“=CONCATENATE(\"测试\",\"中学\")"
                "”没有保存计算结果，本系统也无法计算它。请用Excel打开"
                "这个文件并保存（保存时会算出结果），然后重新导入。");
  EXPECT_EQ(bytes(sheet("学校数据表")), before);
  EXPECT_FALSE(timetableSaved());
}

// A sheet that is a symbolic link stays one: what the import writes back goes to the linked file.
TEST_F(SheetFailures, ASymlinkedSheetIsWrittenThroughTheLink) {
  const QString target = dir.filePath("elsewhere/teachers.xlsx");
  ASSERT_TRUE(QDir().mkpath(dir.filePath("elsewhere")));
  ASSERT_TRUE(QFile::rename(sheet("教师数据表"), target));
  ASSERT_TRUE(QFile::link(target, sheet("教师数据表")));
  ReadResult read = readWorkbook(target);
  ASSERT_TRUE(read.ok());
  const Sheet& teachers = read.book->first();
  for (int r = 7; !teachers.text(r, 2).isEmpty(); ++r) read.book->first().clearValue(r, 3);
  ASSERT_TRUE(saveXlsx(*read.book, target).ok());
  const CliRun r = runCli({"import", data});
  EXPECT_EQ(r.code, kExitDone) << r.messages().toStdString();
  EXPECT_TRUE(QFileInfo(sheet("教师数据表")).isSymLink());
  EXPECT_EQ(QFileInfo(sheet("教师数据表")).symLinkTarget(), target);
  EXPECT_FALSE(readWorkbook(target).book->first().text(7, 3).isEmpty());  // the generated short names
}

// A damaged sheet and a page of text in a name: the message names the cause once, in Chinese, and
// quotes no more than the start of the value.
TEST_F(SheetFailures, MessagesNameTheCauseOnceAndShortenLongValues) {
  QFile damaged(sheet("合班数据表"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
  damaged.write("not a workbook");
  damaged.close();
  const CliRun r = runCli({"import", data});
  EXPECT_EQ(
      r.messages(),
      "提示: 文件“" + QDir::toNativeSeparators(sheet("合班数据表")) +
          "”不是有效的Excel文件：文件内容不是Excel（.xlsx）格式。请检查这个文件是否完好（可以删除它让系统重"
          "新产生表格），然后重新导入。\n");
  EXPECT_EQ(bytes(sheet("合班数据表")), "not a workbook");

  SetUp();
  setCell("教师数据表", 7, 2, QString(32000, u'名'));
  const CliRun named = runCli({"import", data});
  EXPECT_EQ(named.code, kExitStopped);
  EXPECT_EQ(named.messages(), "错误: 序号为1的教师名称“" + QString(30, u'名') +
                                  "……”的字数不合要求！需要在Excel表中修改成2～6字，然后保存，重新导入。\n");
}

}  // namespace
}  // namespace tavro::cli
