// The combined-class sheet: template, the four kinds of lessons, "无", codes
// typed into number cells, and every message of its checks.

#include "sheets/combined_sheet.h"

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "tests/sheets/sheet_fixtures.h"

namespace tavro::testing {
namespace {

TEST(CombinedSheet, TemplateHoldsHeadingsExamplesAndNumberedRows) {
  Sheet sh;
  writeCombinedTemplate(sh);
  EXPECT_EQ(sh.mergeAt(1, 1), parseRange("A1:H1"));
  EXPECT_EQ(sh.text("A2"),
            "说明：不能改动格式。淡黄色区域用户可以编辑。合班课数最大999。如果无合班课，一定要在B9单元格输入“"
            "无”，然后保存！");
  EXPECT_EQ(sh.text("B3"), "班级代码集合或年级名或全校");
  EXPECT_EQ(sh.text("H4"), "每4位1节课，前2位星期，后2位节次");
  EXPECT_EQ(sh.text("A5"), "示例1");
  EXPECT_EQ(sh.text("B5"), "0701070208010802");
  EXPECT_EQ(sh.text("F5"), "004012");
  EXPECT_EQ(sh.text("H6"), "0605060606070608");
  EXPECT_EQ(sh.text("F7"), "班主任");
  EXPECT_EQ(sh.text("B8"), "高一高二");
  EXPECT_EQ(sh.text("D8"), "32");
  EXPECT_EQ(sh.text("A9"), "1");
  EXPECT_EQ(sh.text("A58"), "50");
  EXPECT_EQ(sh.text("B9"), "");
  EXPECT_EQ(sh.format(9, 2).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(58, 8).fill, 0xFFFF99);
  EXPECT_EQ(sh.frozenAt(), (CellPos{9, 2}));
  EXPECT_DOUBLE_EQ(sh.rowHeight(1), 30.75);
}

// Writes one lesson row: classes, course number, course name, teachers, times.
void lesson(Sheet& sh, int n, const QString& classes, const QString& course, const QString& name,
            const QString& teachers, const QString& times) {
  sh.setText(n + 8, 2, classes);
  sh.setValue(n + 8, 4, course);
  sh.setText(n + 8, 5, name);
  sh.setText(n + 8, 6, teachers);
  sh.setText(n + 8, 8, times);
}

TEST(CombinedSheet, ImportStoresEachKindOfLesson) {
  SheetSession t;
  importSmallSchool(t);
  Sheet sh;
  writeCombinedTemplate(sh);
  lesson(sh, 1, "全校", "3", "班会", "班主任", "0108");
  lesson(sh, 2, "全校", "0", "空课", "", "05070508");
  lesson(sh, 3, "初一初二", "2", "数学", "004", "0201");
  sh.setNumber(12, 2, 7010702);  // "07010702" typed into a number cell lost its zero
  sh.setValue(12, 4, "1");
  sh.setNumber(12, 6, 1002);     // "001002"
  sh.setNumber(12, 8, 3050306);  // "03050306"
  ASSERT_TRUE(importCombinedSheet(t.c, sh)) << t.messages().join("\n").toStdString();
  const School& s = t.c.s;
  EXPECT_TRUE(t.messages().isEmpty());
  ASSERT_EQ(s.Hbks, 4);
  EXPECT_EQ(s.Hbk(1, 1), "5");
  EXPECT_EQ(s.Hbk(2, 1), "0000");
  EXPECT_EQ(s.Hbk(5, 1), "班主任");
  EXPECT_EQ(s.Hbk(1, 2), "6");
  EXPECT_EQ(s.Hbk(3, 2), "05070508");
  EXPECT_EQ(s.Hbk(1, 3), "7");
  EXPECT_EQ(s.Hbbj(3), "07000800");
  EXPECT_EQ(s.Hbk(2, 3), "070107020801");
  EXPECT_EQ(s.Hbk(4, 3), "2");
  EXPECT_EQ(s.Hbk(1, 4), "8");
  EXPECT_EQ(s.Hbk(2, 4), "07010702");
  EXPECT_EQ(s.Hbk(5, 4), "001002");
  EXPECT_EQ(s.Hbk(3, 4), "03050306");
  EXPECT_EQ(s.Hbbj(4), "");
  EXPECT_EQ(Hbkjs(s, 7, 1), 6);
  EXPECT_EQ(Hbkjs(s, 8, 1), 4);
  EXPECT_EQ(s.Hbydr, 1);
  EXPECT_TRUE(t.c.st.CmdBjEnabled);
  ASSERT_FALSE(importCombinedSheet(t.c, sh));
  EXPECT_EQ(t.messages(), QStringList({"合班课数据已导入！"}));
}

TEST(CombinedSheet, NoneIsOneLessonThatReachesNoClass) {
  SheetSession t;
  importSmallSchool(t);
  Sheet sh;
  writeCombinedTemplate(sh);
  sh.setText(9, 2, "无");
  ASSERT_TRUE(importCombinedSheet(t.c, sh));
  EXPECT_EQ(t.c.s.Hbks, 1);
  EXPECT_EQ(t.c.s.Hbk(1, 1), "7");
  EXPECT_EQ(t.c.s.Hbk(2, 1), "");
  EXPECT_EQ(t.c.s.Hbbj(1), "1000");
  EXPECT_EQ(Hbkjs(t.c.s, 7, 1), 0);
}

struct CombinedCase {
  const char *classes, *course, *teachers, *times, *message;
};

TEST(CombinedSheet, WhatTheSchoolDoesNotHaveIsRefusedNamingTheRow) {
  const CombinedCase cases[] = {
      {"07010703", "1", "", "0101",
       "合班数据表第9行的班级代码0703在学校数据中没有！需要在Excel合班数据表中修改，然后保存，重新导入。"},
      {"初一高一", "1", "", "0101",
       "合班数据表第9行的年级名“高一”在学校数据中没有！需要在Excel合班数据表中修改，然后保存，重新导入。"},
      {"全校", "1", "", "0109",
       "合班数据表第9行的星期节次0109不合要求！星期要在1和5间，节次要在1和8间，需要在Excel合班数据表中修改，"
       "然后保存，重新导入。"},
      {"全校", "4", "", "0101",
       "合班数据表第9行的课程序号“4”不在0和3之间！需要在Excel合班数据表中修改，然后保存，重新导入。"},
      {"全校", "1", "005", "0101",
       "合班数据表第9行的教师代码005不合要求！每3位1人，不能大于教师数4，需要在Excel合班数据表中修改，然后保"
       "存，重新导入。"},
  };
  for (const CombinedCase& k : cases) {
    SheetSession t;
    importSmallSchool(t);
    Sheet sh;
    writeCombinedTemplate(sh);
    lesson(sh, 1, k.classes, k.course, "", k.teachers, k.times);
    EXPECT_FALSE(importCombinedSheet(t.c, sh)) << k.message;
    EXPECT_EQ(t.ui.texts("warning"), QStringList({QString::fromUtf8(k.message)}));
    EXPECT_EQ(t.c.s.Hbydr, 0);
  }
  SheetSession t;
  importSmallSchool(t);
  Sheet sh;
  writeCombinedTemplate(sh);
  lesson(sh, 1, "全校", "1", "", "", "0101");
  sh.setNumber(9, 1, 5);
  EXPECT_FALSE(importCombinedSheet(t.c, sh));
  EXPECT_EQ(
      t.ui.texts("warning"),
      QStringList(
          {"合班数据表第9行的合班课序号5不在1和1间！需要在Excel合班数据表中修改，然后保存，重新导入。"}));
}

}  // namespace
}  // namespace tavro::testing
