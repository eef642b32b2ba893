// The whole road of the button "1、学校": templates generated into an empty
// folder, filled cell by cell at their addresses and saved without formula
// results, then imported in one press; and the demo school.

#include <gtest/gtest.h>

#include <QDir>
#include <set>

#include "core/procedures.h"
#include "sheets/class_sheet.h"
#include "sheets/demo_school.h"
#include "sheets/school_sheet.h"
#include "sheets/xlsx.h"
#include "tests/sheets/sheet_fixtures.h"

namespace tavro::testing {
namespace {

// Reads a workbook, lets fill change its first sheet, and saves it again.
void editFile(const QString& path, const std::function<void(Sheet&)>& fill) {
  ReadResult read = readWorkbook(path);
  ASSERT_TRUE(read.ok()) << read.error.toStdString();
  fill(read.book->first());
  ASSERT_TRUE(saveXlsx(*read.book, path).ok());
}

TEST(SheetChain, TemplatesFilledCellByCellImportInOnePress) {
  QTemporaryDir dir;
  const QString folder = dir.path() + "/";
  {
    SheetSession t;
    t.c.s.Wjj = folder;
    RecordingHost host;
    CmdXx_Click(t.c, host);
  }
  editFile(folder + "学校数据表.xlsx", [](Sheet& sh) {
    sh.setValue("D11", "2");
    sh.setValue("D12", "1");
    sh.setValue("G5", "测试中学");
    sh.setValue("G9", "4");
    sh.setValue("G10", "3");
  });
  {
    SheetSession t;
    t.c.s.Wjj = folder;
    RecordingHost host;
    CmdXx_Click(t.c, host);
    EXPECT_EQ(t.messages(), QStringList({"　　系统已自动产生了“教师数据表”、“课程数据表”、“合班数据表”、“班级"
                                         "数据表”这4张Excel表格并已保存在“" +
                                         folder +
                                         "”，请用户打开、填写或修改这些表格并用原文件名保存在原文件夹。然后再"
                                         "单击“2、导入教师数据”按钮导入这些数据表。"}));
    EXPECT_EQ(host.runs, 0);
    EXPECT_EQ(t.c.st.CmdJsCaption, "2、导入教师");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 5);
  }
  editFile(folder + "教师数据表.xlsx", [](Sheet& sh) {
    sh.setValue("B7", "张三");
    sh.setValue("B8", "李四");
    sh.setValue("B9", "王小明");
    sh.setValue("B10", "赵六");
    sh.setValue("E7", "n");
  });
  editFile(folder + "合班数据表.xlsx", [](Sheet& sh) { sh.setValue("B9", "无"); });
  editFile(folder + "班级数据表.xlsx", [](Sheet& sh) {
    const QStringList heads = {"1", "李四", "王小明"};
    for (int r = 6; r <= 8; ++r) {
      sh.setValue(r, 4, heads[r - 6]);
      sh.setValue(r, 9, "15");
      sh.setValue(r, 10, "张三");
      sh.setValue(r, 11, "15");
      sh.setValue(r, 12, "2");
      sh.setValue(r, 13, "10");
      sh.setValue(r, 14, "3");
      sh.clearValue(r, 6);  // saved by a program that keeps no formula results
      sh.clearValue(r, 7);
    }
  });
  SheetSession t;
  t.c.s.Wjj = folder;
  RecordingHost host;
  CmdXx_Click(t.c, host);
  EXPECT_TRUE(t.messages().isEmpty()) << t.messages().join("\n").toStdString();
  EXPECT_EQ(host.runs, 1);
  const School& s = t.c.s;
  EXPECT_TRUE(s.Xxydr && s.Jsydr && s.Kcydr && s.Hbydr && s.Bjydr);
  EXPECT_EQ(s.Bzr(7, 2), 2);
  EXPECT_EQ(s.Bzr(8, 1), 3);
  EXPECT_EQ(s.Bjkcb(1, 2, 8, 1), 1);
  EXPECT_EQ(s.Jszjs(1), 45);
  EXPECT_EQ(s.Hyjy(1, 1), "0102");
  EXPECT_EQ(readBack(folder + "教师数据表.xlsx").text("C9"), "小明");
  EXPECT_EQ(t.c.st.LstBj.count(), 3);
  EXPECT_TRUE(t.c.st.Drcg[0] && t.c.st.Drcg[4]);
}

TEST(SheetChain, MediumDemoImportsWithoutAMessage) {
  QTemporaryDir dir;
  const QString folder = dir.path() + "/";
  SheetSession t;
  importDemoSchool(t, folder, QStringLiteral("medium"), 7);
  const School& s = t.c.s;
  EXPECT_EQ(s.Snj, 7);
  EXPECT_EQ(s.Mnj, 12);
  EXPECT_EQ(s.Bjzs, 48);
  EXPECT_EQ(s.Xxlx, 2);
  EXPECT_EQ(s.Hbks, 1);
  EXPECT_EQ(s.Hbk(1, 1), "5");
  EXPECT_EQ(s.Hbk(5, 1), "班主任");
  EXPECT_EQ(s.Szlmc(6, 0), "1");
  EXPECT_EQ(s.Szlmc(6, 1), "体育　　　　");
  EXPECT_EQ(s.Mtjp(10), "00111111");
  std::set<QString> reasons;
  for (int w = 1; w <= s.Hyjys; ++w) reasons.insert(s.Hyjy(2, w));
  EXPECT_EQ(reasons, (std::set<QString>{"教师要求", "会议", "教研活动"}));
  std::set<int> heads;
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj) {
      int lessons = Hbkjs(s, nj, bj);
      for (int row = 1; row <= s.Bjkcs(nj, bj); ++row) lessons += s.Bjkcb(row, 3, nj, bj);
      EXPECT_EQ(lessons, 40) << nj << "/" << bj;
      EXPECT_GT(s.Bzr(nj, bj), 0);
      heads.insert(s.Bzr(nj, bj));
    }
  EXPECT_EQ(heads.size(), 48u);
  for (int t2 = 1; t2 <= s.Jss; ++t2) {
    const int classes = codeCount(s.Jsrk(t2), 5);
    EXPECT_TRUE(classes >= 2 && classes <= 4) << t2;
    for (int i = 1; i < classes; ++i)
      EXPECT_EQ(codeAt(s.Jsrk(t2), 5, i).left(3), codeAt(s.Jsrk(t2), 5, 0).left(3));
  }
}

TEST(SheetChain, TheSameSeedGivesTheSameDemo) {
  const DemoSchool a = buildDemoSchool(*demoPreset("small"), 3);
  const DemoSchool b = buildDemoSchool(*demoPreset("small"), 3);
  const DemoSchool c = buildDemoSchool(*demoPreset("small"), 4);
  const auto texts = [](const Workbook& book) {
    QStringList out;
    for (const auto& [key, cell] : book.first().cells())
      out << book.first().text(Sheet::keyRow(key), Sheet::keyCol(key));
    return out;
  };
  EXPECT_EQ(texts(a.classes), texts(b.classes));
  EXPECT_EQ(texts(a.teachers), texts(b.teachers));
  EXPECT_NE(texts(a.teachers), texts(c.teachers));
}

}  // namespace
}  // namespace tavro::testing
