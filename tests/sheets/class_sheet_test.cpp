// The class sheet: template with formulas, the import of plans and loads, the
// warnings that let it go on, and the checks that stop it.

#include "sheets/class_sheet.h"

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "sheets/teacher_sheet.h"
#include "tests/sheets/sheet_fixtures.h"

namespace tavro::testing {
namespace {

TEST(ClassSheet, TemplateHasCourseBlocksClassRowsAndFormulas) {
  SheetSession t;
  importSmallSchoolUpToCourses(t);
  Sheet sh;
  writeClassTemplate(sh, t.c.s);
  EXPECT_EQ(sh.mergeAt(1, 1), parseRange("A1:N1"));
  EXPECT_EQ(sh.mergeAt(3, 5), parseRange("E3:E4"));
  EXPECT_EQ(sh.text("E3"), "合班课节数");
  EXPECT_EQ(sh.text("D5"), "班主任序号或姓名");
  EXPECT_EQ(sh.text("H3"), "000");
  EXPECT_EQ(sh.text("H4"), "空课");
  EXPECT_EQ(sh.mergeAt(3, 11), parseRange("K3:L3"));
  EXPECT_EQ(sh.text("K3"), "002");
  EXPECT_EQ(sh.text("K4"), "数学");
  EXPECT_EQ(sh.text("M5"), "节数");
  EXPECT_EQ(sh.text("N5"), "教师序号或姓名");
  EXPECT_EQ(sh.text("A6"), "0701");
  EXPECT_EQ(sh.text("A8"), "0801");
  EXPECT_EQ(sh.mergeAt(6, 2), parseRange("B6:B7"));
  EXPECT_EQ(sh.text("B6"), "初一");
  EXPECT_EQ(sh.text("C7"), "2");
  EXPECT_EQ(sh.text("E6"), "");  // no combined lessons
  ASSERT_NE(sh.find(6, 6), nullptr);
  EXPECT_EQ(sh.find(6, 6)->formula, "=sum(H6:M6)");
  EXPECT_EQ(sh.find(8, 7)->formula, "=40-E8-F8");
  EXPECT_EQ(sh.number(8, 7), 40);
  EXPECT_TRUE(sh.format(6, 12).isText());   // teacher columns keep what is typed as text
  EXPECT_FALSE(sh.format(6, 11).isText());  // count columns take numbers, which F sums
  EXPECT_EQ(sh.format(6, 13).fill, 0xFFFF99);
  EXPECT_EQ(sh.frozenAt(), (CellPos{6, 4}));
}

TEST(ClassSheet, ImportFillsPlansLoadsAndTheClassList) {
  SheetSession t;
  importSmallSchoolUpToCourses(t);
  Sheet sh = filledClassSheet(t.c.s);
  sh.setText(6, 4, "张 三");  // a 2-character name typed with a blank
  sh.setText(7, classTeacherColumn(2), "王小明");
  sh.setNumber(8, classCountColumn(3), 7);  // class 0801: 3 periods kept free
  sh.setNumber(8, classCountColumn(0), 3);
  sh.setText(8, 3, "甲");
  ASSERT_TRUE(importClassSheet(t.c, sh)) << t.messages().join("\n").toStdString();
  const School& s = t.c.s;
  EXPECT_TRUE(t.ui.texts("warning").isEmpty());
  EXPECT_EQ(s.Bjmc(7, 1), "初一1");
  EXPECT_EQ(s.Bjmc(8, 1), "初二甲");
  EXPECT_EQ(s.Bzr(7, 1), 1);
  EXPECT_EQ(s.Bzr(8, 1), 3);
  EXPECT_EQ(s.Bjkcs(7, 1), 3);
  EXPECT_EQ(s.Bjkcb(2, 1, 7, 2), 2);
  EXPECT_EQ(s.Bjkcb(2, 2, 7, 2), 3);
  EXPECT_EQ(s.Bjkcb(2, 3, 7, 2), 15);
  EXPECT_EQ(s.Bjkcs(8, 1), 4);
  EXPECT_EQ(s.Bjkcb(4, 1, 8, 1), 0);
  EXPECT_EQ(s.Bjkcb(4, 2, 8, 1), 0);
  EXPECT_EQ(s.Bjkcb(4, 3, 8, 1), 3);
  EXPECT_EQ(s.Zdkcs, 3);
  EXPECT_EQ(s.Jszjs(1), 45);
  EXPECT_EQ(s.Jszjs(2), 30);
  EXPECT_EQ(s.Jszjs(3), 15 + 20 + 7);
  EXPECT_EQ(s.Jsrk(1), "001070010700108");
  EXPECT_EQ(s.Jsrk(3), "00307002070030700308");
  EXPECT_EQ(t.c.st.LstBj.items(), QStringList({"0701初一1", "0702初一2", "0801初二甲"}));
  EXPECT_EQ(s.Bjydr, 1);
  EXPECT_TRUE(t.c.st.CmdKbEnabled && t.c.st.Drcg[4]);
  ASSERT_FALSE(importClassSheet(t.c, sh));
  EXPECT_EQ(t.ui.texts("info").last(), "班级数据已导入！");
}

TEST(ClassSheet, AnImportRunAgainAfterAStopCountsLoadsOnce) {
  SheetSession t;
  importSmallSchoolUpToCourses(t);
  Sheet sh = filledClassSheet(t.c.s);
  sh.setText(8, 4, "9");
  EXPECT_FALSE(importClassSheet(t.c, sh));
  sh.setText(8, 4, "3");
  ASSERT_TRUE(importClassSheet(t.c, sh));
  EXPECT_EQ(t.c.s.Jszjs(1), 45);
  EXPECT_EQ(t.c.s.Jsrk(1), "001070010700108");
}

TEST(ClassSheet, WarningsLetTheImportGoOn) {
  SheetSession t;
  importSmallSchoolUpToCourses(t);
  Sheet sh = filledClassSheet(t.c.s);
  sh.setText(6, classTeacherColumn(1), "钱七");
  sh.setNumber(7, classCountColumn(1), 45);  // more than the week; a (wrong) combined count of -5
  sh.setNumber(7, classCountColumn(2), 0);   // keeps the unassigned periods at 0
  sh.setNumber(7, classCountColumn(3), 0);
  sh.setNumber(7, 5, -5);
  sh.setText(7, classTeacherColumn(3), "5");  // a teacher number above the teacher count (4)
  sh.setText(8, classTeacherColumn(1), "钱七");
  ASSERT_TRUE(importClassSheet(t.c, sh));
  EXPECT_EQ(t.ui.texts("warning"), QStringList({"初一1班语文的教师钱七在教师姓名设置中没有，需修改！",
                                                "初一2班语文的每周节数45不能大于40，需修改！",
                                                "初一2班外语的教师号5不能大于教师人数4，需修改！",
                                                "初二1班语文的教师钱七在教师姓名设置中没有，需修改！"}));
  EXPECT_EQ(t.c.s.Bjkcb(1, 2, 7, 1), 0);
  EXPECT_EQ(t.c.s.Bjkcs(7, 2), 3);        // counts of 0 are plan rows
  EXPECT_EQ(t.c.s.Bjkcb(3, 2, 7, 2), 0);  // no teacher 5: the lesson is planned without a teacher
}

struct ClassCase {
  const char* cell;
  const char* value;
  const char* message;
};

TEST(ClassSheet, EveryCheckStopsWithItsMessage) {
  const ClassCase cases[] = {
      {"A7", "0902", "初三年级的的班代码02不在0和0间，需修改！"},
      {"A7", "1002", "第7个班级的级代码10不在7和9间，需修改！"},
      {"A7", "0703", "初一年级的的班代码03不在0和2间，需修改！"},
      {"D7", "钱七", "初一2班的班主任钱七在教师数据中没有，需修改！"},
      {"D7", "5", "初一2班的班主任号5不能大于教师人数4，需修改！"},
      {"K7", "14", "初一2班的未定节数不是0！请在Excel班级数据表中修改。"},
      {"K3", "007", "初一1班的课程号7不在0和3之间，需修改！"},
  };
  for (const ClassCase& k : cases) {
    SheetSession t;
    importSmallSchoolUpToCourses(t);
    Sheet sh = filledClassSheet(t.c.s);
    sh.setText(parseCell(k.cell)->row, parseCell(k.cell)->col, QString::fromUtf8(k.value));
    EXPECT_FALSE(importClassSheet(t.c, sh)) << k.cell;
    EXPECT_EQ(t.ui.texts("warning"), QStringList({QString::fromUtf8(k.message)})) << k.cell;
    EXPECT_EQ(t.c.s.Bjydr, 0);
  }
  {
    SheetSession t;
    importSmallSchoolUpToCourses(t);
    Sheet sh = filledClassSheet(t.c.s);
    sh.setNumber(7, classCountColumn(1), 31);  // the counts still fill the week
    sh.setNumber(7, classCountColumn(2), -1);
    EXPECT_FALSE(importClassSheet(t.c, sh));
    sh.setNumber(7, classCountColumn(1), 15);
    sh.setNumber(7, classCountColumn(2), 15);
    sh.setNumber(7, classCountColumn(0), 2.5);
    sh.setNumber(7, 5, -2.5);
    EXPECT_FALSE(importClassSheet(t.c, sh));
    EXPECT_EQ(t.ui.texts("warning"),
              QStringList({"初一2班数学的每周节数-"
                           "1不合要求！请在Excel班级数据表中修改成不小于0的整数，然后保存，重新导入。",
                           "初一2班空课的每周节数2."
                           "5不合要求！请在Excel班级数据表中修改成不小于0的整数，然后保存，重新导入。"}));
  }
  SheetSession t;
  importSmallSchoolUpToCourses(t);
  Sheet sh = filledClassSheet(t.c.s);
  sh.clearValue(6, 1);
  EXPECT_FALSE(importClassSheet(t.c, sh));
  EXPECT_EQ(t.ui.texts("info"), QStringList({"没有读入班级数据！请检查班级数据表。"}));
}

TEST(ClassSheet, AnyCountCellMarksTheSheetFilledAndHJsmJshFindsStoredNames) {
  SheetSession t;
  importSmallSchoolUpToCourses(t);
  Sheet sh;
  writeClassTemplate(sh, t.c.s);
  EXPECT_FALSE(classSheetFilled(t.c.s, sh));
  sh.setText(8, classCountColumn(3), "0");
  EXPECT_TRUE(classSheetFilled(t.c.s, sh));
  QString name = " 李 四 ";
  EXPECT_EQ(HJsmJsh(t.c.s, name), "002");
  EXPECT_EQ(name, "李四");
  name = "王小明";
  EXPECT_EQ(HJsmJsh(t.c.s, name), "003");
  name = "钱七";
  EXPECT_EQ(HJsmJsh(t.c.s, name), "");
}

}  // namespace
}  // namespace tavro::testing
