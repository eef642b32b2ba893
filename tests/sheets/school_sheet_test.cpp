// The school sheet: its template read back from the file, the import of a filled
// sheet, and every message of its checks.

#include "sheets/school_sheet.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/procedures.h"
#include "sheets/sheet_reading.h"
#include "sheets/xlsx.h"
#include "tests/sheets/sheet_fixtures.h"

namespace tavro::testing {
namespace {

TEST(SchoolSheet, TemplateIsGeneratedIntoAnEmptyFolderAndReadsBack) {
  QTemporaryDir dir;
  SheetSession t;
  t.c.s.Wjj = dir.path() + "/";
  RecordingHost host;
  CmdXx_Click(t.c, host);
  const QString folder = dir.path() + "/";
  EXPECT_EQ(
      t.messages(),
      QStringList(
          {"系统将自动产生学校数据表，在此过程中用户不要进行任何操作，直到出现提示。",
           "　　系统已自动产生了Excel表格“学校数据表”并已保存在“" + folder +
               "”，请用户打开、填写或修改这表格并用原文件名保存在原文件夹。然后再单击“导入学校数据”按钮导入学"
               "校数据并接着自动产生其他数据表，在此过程中用户不要进行任何操作，直到出现提示。"}));
  EXPECT_EQ(t.c.st.CmdXxCaption, "1、导入学校");
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"学校数据表.xlsx"}));

  const Sheet sh = readBack(folder + "学校数据表.xlsx");
  EXPECT_EQ(sh.text("A1"), "学校数据表");
  EXPECT_EQ(sh.text("A2"), "说明：不能改动格式！淡黄色区域用户可以编辑。");
  EXPECT_EQ(sh.text("D4"), "0～50，本校没有的年级不填");
  EXPECT_EQ(sh.text("E4"), "是: y；否:不填");
  EXPECT_EQ(sh.text("F3"), "选项");
  EXPECT_EQ(sh.text("G4"), "各项都要填写或修改");
  EXPECT_EQ(sh.text("A11"), "初中");
  EXPECT_EQ(sh.text("B5"), "01");  // text cells keep the leading zero
  EXPECT_EQ(sh.text("B16"), "12");
  EXPECT_EQ(sh.text("C10"), "六");
  EXPECT_EQ(sh.text("C14"), "高一");
  EXPECT_EQ(sh.text("E10"), "y");
  EXPECT_EQ(sh.text("E11"), "");
  EXPECT_EQ(sh.text("F10"), "全校课程数（1～999，不含空课）");
  EXPECT_EQ(sh.text("F13"), "开学日期（格式不能改动）");
  EXPECT_EQ(sh.number(6, 7), 5);
  EXPECT_EQ(sh.number(10, 7), 31);
  EXPECT_EQ(sh.date(13, 7), QDate(2009, 9, 1));
  for (const char* merge : {"A1:G1", "F3:G3", "A5:A10", "A11:A13", "A14:A16"})
    EXPECT_TRUE(sh.mergeAt(parseCell(QString(merge).section(':', 0, 0))->row,
                           parseCell(QString(merge).section(':', 0, 0))->col) == parseRange(merge))
        << merge;
  EXPECT_EQ(sh.format(5, 3).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(13, 7).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(2, 1).fill, 0xFFFFFF);
  EXPECT_NEAR(sh.columnWidth(6), 29.75, 0.05);
}

TEST(SchoolSheet, ImportFillsSettingsGradesAndSizes) {
  SheetSession t;
  Sheet sh = filledSchoolSheet();
  sh.setValue(13, 7, "2009-3-5");  // a text date in March: the school year began the September before
  ASSERT_TRUE(importSchoolSheet(t.c, sh));
  const School& s = t.c.s;
  EXPECT_TRUE(t.messages().isEmpty());
  EXPECT_EQ(s.Snj, 7);
  EXPECT_EQ(s.Mnj, 9);
  EXPECT_EQ(s.Xxlx, 4);
  EXPECT_EQ(s.Njs, 2);
  EXPECT_EQ(s.Njm(7), "初一");
  EXPECT_EQ(s.Njbjs(7), 2);
  EXPECT_EQ(s.Njbjs(9), 0);
  EXPECT_EQ(s.Zdbjs, 2);
  EXPECT_EQ(s.Zgnj, 8);
  EXPECT_EQ(s.Bjzs, 3);
  EXPECT_EQ(s.Xxmc, "测试中学　　");
  EXPECT_EQ(s.Mzts, 5);
  EXPECT_EQ(s.Mtjs, 8);
  EXPECT_EQ(s.Xwjs, 4);
  EXPECT_EQ(s.Jss, 4);
  EXPECT_EQ(s.Kcs, 4);
  EXPECT_EQ(s.Hsdm, 1);
  EXPECT_EQ(s.Kxrq, "2009- 3- 5");
  EXPECT_EQ(s.Xnqsrq, "2008- 9- 5");
  EXPECT_EQ(s.Jsmc.hi(), 4);
  EXPECT_EQ(s.Kcmc.hi(), 4);
  EXPECT_EQ(s.Bjkcb.hi(0), 40);
  EXPECT_EQ(s.Xxydr, 1);
  EXPECT_TRUE(t.c.st.Drcg[0] && t.c.st.CmdJsEnabled && t.c.st.CmdBjEnabled);

  ASSERT_FALSE(importSchoolSheet(t.c, sh));
  EXPECT_EQ(t.messages(), QStringList({"学校数据已导入！"}));
}

TEST(SchoolSheet, PrimaryRowsWidenTheRangeAndOneCharacterNamesGetABlank) {
  SheetSession t;
  Sheet sh = filledSchoolSheet();
  sh.setNumber(6, 4, 1);  // grade 2 has one class: grades 1..9, school type 8
  ASSERT_TRUE(importSchoolSheet(t.c, sh));
  EXPECT_EQ(t.c.s.Snj, 1);
  EXPECT_EQ(t.c.s.Mnj, 9);
  EXPECT_EQ(t.c.s.Xxlx, 8);
  EXPECT_EQ(t.c.s.Njm(1), "　一");
  EXPECT_EQ(t.c.s.Jlblp(1), 1);
  EXPECT_EQ(t.c.s.Jlblp(7), 0);
}

struct SchoolCase {
  const char* cell;
  const char* value;
  const char* message;
};

TEST(SchoolSheet, EveryCheckStopsWithItsMessage) {
  const SchoolCase cases[] = {
      {"C11", "初一年级",
       "序号为7的级名“初一年级”的字数不合要求！需要在Excel表中修改成1～2字，然后保存，重新导入。"},
      {"D12", "51", "8年级的班级数51不合要求！需要在Excel表中修改成不大于50的数，然后保存，重新导入。"},
      {"C12", "初一",
       "序号为07的年级和序号为08的年级名称相同，都是“初一”，需要在Excel表中修改，然后保存，重新导入。"},
      {"G5", "测试", "学校名称的字数不合适！请在“导出”框中修改为4～6字。"},
      {"G6", "8", "每周天数8不合适！请在Excel学校数据表的G6单元格中修改为1～7的数，然后保存，重新导入。"},
      {"G7", "14", "每天节数14不合适！请在Excel学校数据表的G7单元格中修改为1～13的数，然后保存，重新导入。"},
      {"G8", "9", "其中上午节数9不合适！请在Excel学校数据表的G8单元格中修改为0～8的数，然后保存，重新导入。"},
      {"G9", "999", "全校教师数不合适！请在Excel课程数据表中修改为1～998的数，然后保存，重新导入。"},
      {"G10", "999", "全校课程数不合适！请在Excel课程数据表中修改为1～999的数，然后保存，重新导入。"},
      {"G11", "2", "学校横竖代码不合适！请在Excel课程数据表中修改为“0”或“1”，然后保存，重新导入。"},
      {"G12", "9",
       "　　教师每天排课节数最大值9不在1和8间，请在Excel学校和年级数据表中修改，然后保存，重新导入。"},
  };
  for (const SchoolCase& k : cases) {
    SheetSession t;
    Sheet sh = filledSchoolSheet();
    sh.setValue(k.cell, QString::fromUtf8(k.value));
    EXPECT_FALSE(importSchoolSheet(t.c, sh)) << k.cell;
    EXPECT_EQ(t.ui.texts("warning"), QStringList({QString::fromUtf8(k.message)})) << k.cell;
    EXPECT_EQ(t.c.s.Xxydr, 0);
  }
  SheetSession t;
  Sheet sh = filledSchoolSheet();
  sh.clearValue(11, 4);
  sh.clearValue(12, 4);
  EXPECT_FALSE(importSchoolSheet(t.c, sh));
  EXPECT_EQ(t.ui.texts("info"),
            QStringList({"请在Excel学校数据表填写本校各年级的班级，然后保存，再重新导入。"}));
}

TEST(SchoolSheet, StartDateThatIsNoDateEndsInTheOperationsInformationBox) {
  QTemporaryDir dir;
  Sheet sh = filledSchoolSheet();
  sh.setValue("G13", "九月一日");
  Workbook book;
  book.addSheet("Sheet1") = sh;
  ASSERT_TRUE(saveXlsx(book, dir.path() + "/学校数据表.xlsx").ok());
  SheetSession t;
  t.c.s.Wjj = dir.path() + "/";
  RecordingHost host;
  CmdXx_Click(t.c, host);
  EXPECT_EQ(t.ui.texts("info"),
            QStringList({"开学日期“九月一日”不是日期！请在Excel学校数据表的G13单元格中按“2009-9-"
                         "1”的格式填写，然后保存，重新导入。"}));
  EXPECT_TRUE(t.ui.texts("warning").isEmpty());
  EXPECT_EQ(t.c.s.Xxydr, 0);
  EXPECT_EQ(t.c.st.Mlz, 0);
  EXPECT_FALSE(t.c.st.CmdJsEnabled);
}

TEST(SchoolSheet, DamagedFileGivesAMessageAndStaysAsItWas) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/学校数据表.xlsx";
  const std::pair<QByteArray, QString> damaged[] = {
      {QByteArray("this is a text file, not a workbook\n"), "文件内容不是Excel（.xlsx）格式"},
      {QByteArray("PK\x03\x04\x14\x00\x00\x00truncated", 17), "文件内容不是Excel（.xlsx）格式"}};
  for (const auto& [bytes, cause] : damaged) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    SheetSession t;
    t.c.s.Wjj = dir.path() + "/";
    RecordingHost host;
    CmdXx_Click(t.c, host);
    EXPECT_EQ(t.messages(),
              QStringList({"文件“" + path + "”不是有效的Excel文件：" + cause +
                           "。请检查这个文件是否完好（可以删除它让系统重新产生表格），然后重新导入。"}));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);
    f.close();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"学校数据表.xlsx"}));
    EXPECT_EQ(t.c.s.Xxydr, 0);
  }
}

}  // namespace
}  // namespace tavro::testing
