// The teacher sheet: template layout, names and short names, blocked periods,
// every message of its checks, and the short names written back into the file.

#include "sheets/teacher_sheet.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "core/procedures.h"
#include "sheets/address.h"
#include "sheets/xlsx.h"
#include "tests/sheets/sheet_fixtures.h"

namespace tavro::testing {
namespace {

TEST(TeacherSheet, TemplateLayoutFollowsTheWeek) {
  SheetSession t;
  importSmallSchool(t);
  t.c.s.Jsrs = 25;  // 25 teachers: the first border block is copied once
  Sheet sh;
  writeTeacherTemplate(sh, t.c.s);
  EXPECT_EQ(sh.mergeAt(1, 1), parseRange("A1:AQ1"));  // 5 x 8 periods + 3 columns
  EXPECT_EQ(sh.text("A2"), "说明：不能改动格式。淡黄色区域用户可以编辑。教师数最大998。");
  EXPECT_EQ(sh.text("B3"), "教 师姓 名");
  EXPECT_EQ(sh.mergeAt(5, 3), parseRange("C5:C6"));
  EXPECT_EQ(sh.text("C5"), "2字(暂不填)");
  EXPECT_EQ(sh.text("D3"), "全周禁排的节次(教师要求不排:n；会议:h；不禁排:不填)");
  EXPECT_EQ(sh.mergeAt(4, 4), parseRange("D4:K4"));
  EXPECT_EQ(sh.text("D4"), "星期一");
  EXPECT_EQ(sh.text("AJ4"), "星期五");
  EXPECT_EQ(sh.mergeAt(5, 12), parseRange("L5:O5"));
  EXPECT_EQ(sh.text("P5"), "下午");
  EXPECT_EQ(sh.text("K6"), "8");
  EXPECT_EQ(sh.text("A7"), "001");
  EXPECT_EQ(sh.text("A31"), "025");
  EXPECT_EQ(sh.format(7, 2).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(31, 43).fill, 0xFFFF99);
  EXPECT_EQ(sh.frozenAt(), (CellPos{7, 4}));
  EXPECT_NEAR(sh.columnWidth(4), 1.88, 0.05);
  EXPECT_EQ(sh.format(17, 1).border, sh.format(7, 1).border);  // block of rows 7-16 copied to 17-26
  EXPECT_EQ(sh.format(16, 2).line(Side::Bottom), Line::Medium);
  EXPECT_EQ(sh.format(26, 2).line(Side::Bottom), Line::Medium);
  // The incomplete last block (rows 27-31) gets no lines.
  for (int row = 27; row <= 31; ++row)
    for (int col : {1, 3, 4, 12})
      for (Side side : {Side::Left, Side::Top, Side::Bottom})
        EXPECT_EQ(sh.format(row, col).line(side), Line::None) << row << ":" << col;
}

TEST(TeacherSheet, ImportStoresNamesShortNamesBlocksAndTheList) {
  SheetSession t;
  importSmallSchool(t);
  Sheet sh = filledTeacherSheet(t.c.s);
  sh.setText(7, teacherPeriodColumn(t.c.s, 1, 5), "h");  // 张三: meeting first, then asked
  sh.setText(7, teacherPeriodColumn(t.c.s, 2, 1), "N");
  sh.setText(10, teacherPeriodColumn(t.c.s, 5, 8), "n");
  std::vector<CellEdit> edits;
  ASSERT_TRUE(importTeacherSheet(t.c, sh, edits)) << t.messages().join("\n").toStdString();
  const School& s = t.c.s;
  EXPECT_TRUE(t.messages().isEmpty());
  EXPECT_EQ(s.Jsmc(1), "张　三");
  EXPECT_EQ(s.Jsmc(3), "王小明");
  EXPECT_EQ(s.Jsjc(1), "张三");
  EXPECT_EQ(s.Jsjc(3), "小明");
  EXPECT_EQ(s.Jsmcd, 3);
  ASSERT_EQ(s.Hyjys, 2);
  EXPECT_EQ(s.Hyjy(1, 1), "01050201");
  EXPECT_EQ(s.Hyjy(2, 1), "会议");
  EXPECT_EQ(s.Hyjy(3, 1), "n");
  EXPECT_EQ(s.Hyjy(4, 1), "001");
  EXPECT_EQ(s.Hyjy(2, 2), "教师要求");
  EXPECT_EQ(s.Hyjy(4, 2), "004");
  EXPECT_EQ(t.c.st.LstJs.items(), QStringList({"000无", "001张　三", "002李　四", "003王小明", "004赵　六"}));
  ASSERT_EQ(edits.size(), 5u);
  EXPECT_EQ(edits[2].text, "小明");
  EXPECT_EQ(edits[4].row, 5);
  EXPECT_EQ(edits[4].text, "2字");
  EXPECT_EQ(s.Jsydr, 1);
  EXPECT_TRUE(t.c.st.CmdKcEnabled);
  EXPECT_EQ(t.ui.beeps(), 3);
  ASSERT_FALSE(importTeacherSheet(t.c, sh, edits));
  EXPECT_EQ(t.messages(), QStringList({"教师数据已导入！"}));
}

TEST(TeacherSheet, EqualShortNamesAreMadeDifferent) {
  School s;
  s.Jss = s.Jsrs = 3;
  s.sizeTeacherTables();
  s.Jsmc(1) = "王小明";
  s.Jsmc(2) = "李小明";
  s.Jsmc(3) = "欧阳小明";
  s.Jsmcd = 4;
  const std::vector<QString> jc = generateShortNames(s);
  EXPECT_EQ(jc[1], "小明");
  EXPECT_EQ(jc[2], "李小");
  EXPECT_EQ(jc[3], "欧阳");
}

struct TeacherCase {
  int row, col;
  const char* value;
  const char* message;
};

TEST(TeacherSheet, EveryCheckStopsWithItsMessageAndAddsNoRecords) {
  SheetSession base;
  importSmallSchool(base);
  const int monday3 = teacherPeriodColumn(base.c.s, 1, 3);
  const TeacherCase cases[] = {
      {8, 2, "李", "序号为2的教师名称“李”的字数不合要求！需要在Excel表中修改成2～6字，然后保存，重新导入。"},
      {8, 2, "张　三", "1号教师和2号教师的名称相同，都是“张　三”，需要在Excel表中修改，然后保存，重新导入。"},
      {10, monday3, "x",
       "赵　六星期一第3节的代码x错误！只能填“n”（表示“教师要求不排”）或“h”（表示“会议”）！请在Excel表格中修改"
       "，再保存，重新导入。"},
  };
  for (const TeacherCase& k : cases) {
    SheetSession t;
    importSmallSchool(t);
    Sheet sh = filledTeacherSheet(t.c.s);
    sh.setText(7, monday3, "n");  // teacher 1 has a record before the failing cell
    sh.setText(k.row, k.col, QString::fromUtf8(k.value));
    std::vector<CellEdit> edits;
    EXPECT_FALSE(importTeacherSheet(t.c, sh, edits)) << k.value;
    EXPECT_EQ(t.ui.texts("warning"), QStringList({QString::fromUtf8(k.message)})) << k.value;
    EXPECT_EQ(t.c.s.Hyjys, 0);
    EXPECT_EQ(t.c.s.Jsydr, 0);
  }
  SheetSession t;
  importSmallSchool(t);
  Sheet sh = filledTeacherSheet(t.c.s);
  const QStringList typed = {"张三", "李四", "李四", "赵六"};
  for (int r = 7; r <= 10; ++r) sh.setText(r, 3, typed[r - 7]);
  std::vector<CellEdit> edits;
  EXPECT_FALSE(importTeacherSheet(t.c, sh, edits));
  EXPECT_EQ(
      t.ui.texts("warning"),
      QStringList({"2号教师和3号教师的简称相同，都是“李四”，需要在Excel表中修改，然后保存，重新导入。"}));
  EXPECT_TRUE(edits.empty());  // typed short names are not written back
  t.ui.clearEvents();
  sh.setText(9, 3, "小");
  EXPECT_FALSE(importTeacherSheet(t.c, sh, edits));
  EXPECT_EQ(
      t.ui.texts("warning"),
      QStringList({"序号为3的教师简称“小”的字数不合要求！需要在Excel表中修改成2字，然后保存，重新导入。"}));
}

TEST(TeacherSheet, GeneratedShortNamesAreWrittenBackIntoTheFile) {
  QTemporaryDir dir;
  SheetSession t;
  importSmallSchool(t);
  t.c.s.Wjj = dir.path() + "/";
  EXPECT_EQ(CmdJs_Click(t.c), SheetOutcome::TemplateWritten);  // no file yet: the template
  const QString path = dir.path() + "/教师数据表.xlsx";
  ASSERT_TRUE(QFile::exists(path));
  EXPECT_EQ(t.c.st.CmdJsCaption, "2、导入教师");
  EXPECT_EQ(t.messages(),
            QStringList({"　　系统已自动产生了“教师数据表”这张Excel表格并已保存在“" + t.c.s.Wjj +
                         "”，请用户打开、填写或修改这张表格并用原文件名保存在原文件夹。然后再从“2、导入教师”"
                         "按钮起依次单击各按钮导入数据表。"}));
  t.ui.clearEvents();

  ReadResult read = readWorkbook(path);
  ASSERT_TRUE(read.ok());
  Sheet& sh = read.book->first();
  const QStringList names = {"张三", "李四", "王小明", "赵六"};
  for (int i = 0; i < names.size(); ++i) sh.setText(7 + i, 2, names[i]);
  ASSERT_TRUE(saveXlsx(*read.book, path).ok());
  CmdJs_Click(t.c);
  EXPECT_TRUE(t.messages().isEmpty()) << t.messages().join("\n").toStdString();
  EXPECT_EQ(t.c.s.Jsydr, 1);
  const Sheet back = readBack(path);
  EXPECT_EQ(back.text("C7"), "张三");
  EXPECT_EQ(back.text("C9"), "小明");
  EXPECT_EQ(back.text("C5"), "2字");
  EXPECT_EQ(back.text("B9"), "王小明");
}

// A legacy .xls (tests/fixtures/data/teachers_small.xls: the small school's teacher sheet saved as
// .xls by a spreadsheet program) cannot take the generated short names: the sheet is saved as a
// complete .xlsx laid out as the template, and the user is told that it lives there from now on. An
// .xls changed after that is named instead of being passed over.
TEST(TeacherSheet, ALegacyXlsSheetMovesIntoAStyledXlsxAndANewerXlsIsNamed) {
  QTemporaryDir dir;
  const QString base = dir.path() + "/教师数据表";
  ASSERT_TRUE(
      QFile::copy(QStringLiteral(TAVRO_SOURCE_DIR "/tests/fixtures/data/teachers_small.xls"), base + ".xls"));
  SheetSession t;
  importSmallSchool(t);
  t.c.s.Wjj = dir.path() + "/";
  EXPECT_EQ(CmdJs_Click(t.c), SheetOutcome::Imported);
  EXPECT_EQ(t.messages(),
            QStringList({"系统在导入时修改了“教师数据表”。因为“教师数据表.xls”是旧格式的文件，不能修改，修"
                         "改后的表格已保存为“" +
                         QDir::toNativeSeparators(base) +
                         ".xlsx”。以后请打开、修改这个.xlsx文件，系统只读取它，不再读取“教师数据表.xls”。"}));
  EXPECT_EQ(t.c.s.Hyjys, 1);  // the "n" of teacher 1 on Monday, period 2
  const Sheet back = readBack(base + ".xlsx");
  Sheet layout;
  writeTeacherTemplate(layout, t.c.s);
  EXPECT_EQ(back.merges(), layout.merges());
  EXPECT_EQ(back.format(7, 2).fill, layout.format(7, 2).fill);
  EXPECT_EQ(back.frozenAt(), layout.frozenAt());
  EXPECT_EQ(back.text("B9"), "王小明");
  EXPECT_EQ(back.text("C9"), "小明");
  EXPECT_EQ(back.text("C5"), "2字");
  EXPECT_EQ(back.text("E7"), "n");

  QFile xls(base + ".xls");
  ASSERT_TRUE(xls.open(QIODevice::ReadWrite));
  ASSERT_TRUE(xls.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFileDevice::FileModificationTime));
  xls.close();
  SheetSession again;
  importSmallSchool(again);
  again.c.s.Wjj = t.c.s.Wjj;
  EXPECT_EQ(CmdJs_Click(again.c), SheetOutcome::Stopped);
  EXPECT_EQ(again.messages(),
            QStringList({"文件夹“" + QDir::toNativeSeparators(again.c.s.Wjj) +
                         "”中的“教师数据表.xls”比“教师数据表.xlsx”新，而系统读取的是“教师数据表."
                         "xlsx”，不会读取“教师数据表.xls”中的修改。请删除“教师数据表.xlsx”（或把修"
                         "改做到这个文件中），然后重新导入。"}));
  EXPECT_EQ(again.c.s.Jsydr, 0);
}

}  // namespace
}  // namespace tavro::testing
