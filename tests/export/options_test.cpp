// The export frame's handlers, the title builder, the checks of the export
// button with their messages, and the layout helpers.

#include <gtest/gtest.h>

#include "export/dispatch.h"
#include "export/handlers.h"
#include "export/names.h"
#include "export/periods.h"
#include "export/selection.h"
#include "export/title.h"
#include "tests/export/export_fixture.h"

namespace tavro::testing {
namespace {

// Runs the export button and returns the messages it showed.
QStringList pressExport(ExportFixture& fx) {
  fx.ui.clearEvents();
  ExportCtx c = fx.ctx();
  const ExportResult r = CmdDc_Click(c, ExportPaths{fx.settingsPath, fx.outPath}, {}, QDate(2026, 12, 9));
  EXPECT_FALSE(r.written);
  EXPECT_EQ(fx.ui.beeps(), 0);
  return fx.ui.texts(QStringLiteral("info"));
}

TEST(ExportFrame, PeriodBoxesAndTheirSets) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  ExportForm& f = fx.form;
  f.ChkWb[0] = true;
  ChkWb_Click(c, 0);
  EXPECT_FALSE(f.ChkQt);
  EXPECT_FALSE(f.LstJcCtl.enabled);
  EXPECT_EQ(f.Dcjcjh, QStringLiteral("01020304"));
  EXPECT_EQ(f.Swxwjs, QStringLiteral("40"));
  EXPECT_EQ(f.Xwsj, 0);
  f.ChkQt = true;
  ChkQt_Click(c);
  EXPECT_FALSE(f.ChkWb[0]);
  EXPECT_FALSE(f.ChkWb[1]);
  EXPECT_EQ(f.Dcjcs, 8);
  EXPECT_EQ(f.Swsj, 1);
  EXPECT_EQ(f.Xwmj, 8);
  EXPECT_EQ(f.Dcmj, 8);

  // Choosing every period turns into "全天" with no row selected.
  f.ChkQt = false;
  ChkQt_Click(c);
  for (int i = 0; i < 8; ++i) f.LstJc.setSelected(i, true);
  LstJc_Click(c);
  EXPECT_TRUE(f.ChkQt);
  EXPECT_EQ(f.LstJc.selectedCount(), 0);
  EXPECT_EQ(f.Dcjcs, 8);

  // Weekdays: Monday and Wednesday.
  f.ChkQz = false;
  ChkQz_Click(c);
  EXPECT_EQ(f.Dcxqjh, QStringLiteral("01"));
  f.LstXq.setSelected(2, true);
  LstXq_Click(c);
  EXPECT_EQ(f.Dcxqjh, QStringLiteral("0103"));
  EXPECT_EQ(f.Dcxqs, 2);
  EXPECT_EQ(f.Dcbt, QStringLiteral("０９～１０学年度班级星期一三课表"));
}

TEST(ExportFrame, TableKindsAndTheirControls) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  ExportForm& f = fx.form;
  fx.school.Hsdm = 1;
  CmbKbzl_Click(c, 1);
  EXPECT_EQ(fx.school.Hsdm, 1);
  EXPECT_EQ(f.ChkBwfjsCaption, QStringLiteral("附教师代码"));
  EXPECT_FALSE(f.ChkBwfjsCtl.visible);
  EXPECT_EQ(f.OptXzjsfs, 1);
  EXPECT_EQ(fx.state.LstKc.count(), 4);
  EXPECT_EQ(fx.state.LstKc.item(1), QStringLiteral("001语文"));
  EXPECT_TRUE(fx.state.LstKc.selected(1));
  EXPECT_EQ(f.CmdZtCaption[0], QStringLiteral(" 标题字体字号 （现为20号）"));

  CmbKbzl_Click(c, 3);
  EXPECT_FALSE(f.CmbMpzsCtl.visible);
  EXPECT_EQ(fx.school.Hsdm, 0);
  EXPECT_TRUE(f.ChkQbjs);
  EXPECT_TRUE(f.Dcbt.startsWith(QStringLiteral("测试中学　")));

  CmbKbzl_Click(c, 2);
  EXPECT_FALSE(f.ChkBwfjsCtl.visible);
  EXPECT_TRUE(f.ChkBnfjs);
  f.ChkQx = false;
  ChkQx_Click(c);
  EXPECT_EQ(fx.ui.texts(QStringLiteral("info")), QStringList{QStringLiteral("导出学科总表必需选择“全校”！")});
  EXPECT_FALSE(f.ChkQx);
  EXPECT_TRUE(f.LstBjCtl.enabled);

  CmbKbzl_Click(c, 0);
  EXPECT_TRUE(f.ChkQx);
  EXPECT_EQ(f.ChkBwfjsCaption, QStringLiteral("课表外附教师"));
  EXPECT_TRUE(f.CmbMpzsCtl.visible);
}

TEST(ExportFrame, ItemsSwitchProfilesAndControls) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  fx.state.Cshwc = false;
  CmbXiangmu_Click(c, 1);
  EXPECT_EQ(fx.form.Xiangmu, 0);  // ignored while the lists are being filled
  fx.state.Cshwc = true;
  fx.state.OptCqls = 1;
  CmbXiangmu_Click(c, 1);
  EXPECT_EQ(HXmkb(fx.form), 11);
  EXPECT_EQ(fx.state.OptCqls, 0);
  EXPECT_FALSE(fx.form.FraKb.visible);
  EXPECT_FALSE(fx.form.FraQx.enabled);
  EXPECT_TRUE(fx.form.FraXzjsfs.visible);
  EXPECT_TRUE(fx.form.ChkQbjs);
  EXPECT_EQ(fx.form.Dcbt, QStringLiteral("０９～１０学年度教师任课情况表"));
  CmbXiangmu_Click(c, 2);
  EXPECT_EQ(fx.school.Hsdm, 1);
  EXPECT_TRUE(fx.form.ChkQbkc);
  EXPECT_EQ(fx.form.ChkBwfjsCaption, QStringLiteral("附教师代码"));
  EXPECT_EQ(fx.form.Dcbt, QStringLiteral("０９～１０学年度各科教师表"));
  CmbXiangmu_Click(c, 0);
  EXPECT_EQ(HXmkb(fx.form), 0);
  EXPECT_TRUE(fx.form.FraKb.visible);
  EXPECT_TRUE(fx.form.FraQx.enabled);
  EXPECT_EQ(fx.form.ChkBwfjsCaption, QStringLiteral("课表外附教师"));
}

TEST(ExportFrame, FontsAndNameForms) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmdZt_Click(c, 1, FontChoice{QStringLiteral("@宋体"), 12, false, false});
  EXPECT_EQ(fx.ui.texts(QStringLiteral("info")), QStringList{QStringLiteral("不能选用带有@的字体！")});
  EXPECT_EQ(fx.form.Dysz(0, 39), QString());
  CmdZt_Click(c, 1, FontChoice{QStringLiteral("楷体"), 11, false, true});
  EXPECT_EQ(fx.form.Dysz(0, 40), QStringLiteral("11"));
  EXPECT_EQ(fx.form.Dysz(0, 42), QStringLiteral("True"));
  EXPECT_EQ(fx.form.CmdZtCaption[1], QStringLiteral(" 正文字体字号 （现为楷体11号）"));

  OptJsm_Click(c, 0);
  OptBjm_Click(c, 0);
  OptKcm_Click(c, 0);
  EXPECT_EQ(fx.state.Jsmkd, 2);
  EXPECT_EQ(fx.state.Bjmkd, 3);
  EXPECT_EQ(fx.state.Kcmkd, 1);
  EXPECT_EQ(fx.form.Dysz(0, 18), QStringLiteral("0"));
  EXPECT_EQ(HJsm(c, 2), QStringLiteral("李四"));
  EXPECT_EQ(HBjmc(c, 7, 1), QStringLiteral("初一1"));
  EXPECT_EQ(HKcmc(c, 2), QStringLiteral("数"));
  fx.school.Kcjccd = 2;
  EXPECT_EQ(HKcmc(c, 2), QStringLiteral("数　"));
}

TEST(ExportFrame, LayoutHelpers) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  EXPECT_DOUBLE_EQ(HXzlk(10, 1), 2.1);
  EXPECT_DOUBLE_EQ(HXzlk(12, 4), 4 * 12.7 / 6);
  EXPECT_DOUBLE_EQ(HXzlk(13, 2), 2 * 13 * 1.15 / 6);
  fx.school.Mzts = 10;
  fx.form.Dszbz = QStringLiteral("1");
  EXPECT_EQ(HXqmc(c, 9, 2), QStringLiteral("双周二"));
  EXPECT_EQ(HXqmc(c, 3, 2), QStringLiteral("单周三"));
  fx.school.Hsdm = 1;
  EXPECT_EQ(HXqmc(c, 9, 2), QStringLiteral("双二"));
  EXPECT_EQ(HXqmc(c, 9, 1), QStringLiteral("二"));
  EXPECT_EQ(HXqmc(c, 14, 3), QStringLiteral("双周日"));
}

TEST(ExportButton, EveryCheckStopsWithItsMessage) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  ExportForm& f = fx.form;
  f.ChkQt = false;
  ChkQt_Click(c);
  EXPECT_EQ(pressExport(fx), QStringList{QStringLiteral("请在节次框选择节次！")});
  f.ChkQt = true;
  ChkQt_Click(c);
  f.ChkQx = false;
  ChkQx_Click(c);
  EXPECT_EQ(pressExport(fx), QStringList{QStringLiteral("请选择“全校”或在班级框里选择班级！")});

  CmbKbzl_Click(c, 1);
  OptXzjsfs_Click(c, 0);
  f.ChkQbjs = false;
  ChkQbjs_Click(c);
  fx.state.LstJs.setSelected(1, false);  // the first teacher (row 0 is "000无")
  EXPECT_EQ(
      pressExport(fx),
      QStringList{QStringLiteral("因为按代码或姓名选择教师。所以需要选择“全部教师”或在教师框里选择教师！")});

  // By classes and courses: the plans name nobody yet.
  OptXzjsfs_Click(c, 1);
  EXPECT_EQ(pressExport(fx),
            QStringList{QStringLiteral("因为按班级和课程选择教师，所以需要选择班级和课程！")});
  fx.state.LstKc.setSelected(1, false);
  EXPECT_EQ(pressExport(fx),
            QStringList{QStringLiteral("因为“选择教师方式”是“按班级和课程”，所以必需选择课程！")});
  f.ChkQx = false;
  ChkQx_Click(c);
  EXPECT_EQ(pressExport(fx),
            QStringList{QStringLiteral("因为“选择教师方式”是“按班级和课程”，所以必需选择班级！")});
  EXPECT_FALSE(QFile::exists(fx.outPath));
}

TEST(ExportButton, TeachersChosenByClassesAndCourses) {
  ExportFixture fx;
  School& s = fx.school;
  // Plans: class 0701 語文 by 1 and 数学 by 2; class 0702 数学 by 4; class 0801 英语 by 3.
  auto plan = [&](int nj, int bj, int row, int course, int teacher) {
    s.Bjkcb(row, 1, nj, bj) = course;
    s.Bjkcb(row, 2, nj, bj) = teacher;
    s.Bjkcs(nj, bj) = std::max(s.Bjkcs(nj, bj), row);
  };
  plan(7, 1, 1, 1, 1);
  plan(7, 1, 2, 2, 2);
  plan(7, 2, 1, 2, 4);
  plan(8, 1, 1, 3, 3);
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 1);
  fx.state.LstKc.setSelected(2, true);  // 语文 and 数学
  fx.form.ChkQx = false;
  ChkQx_Click(c);
  fx.state.LstBj.setSelected(0, true);
  fx.state.LstBj.setSelected(1, true);
  EXPECT_EQ(Csbjxkjsjh(c).value_or(QStringLiteral("stopped")), QStringLiteral("001002004"));

  // Combined lessons of those classes count once classes are scheduled; "班主任" is the head teacher.
  s.Ypbjs = 5;
  s.sizeCombinedLessons(2);
  s.Hbk(1, 1) = QStringLiteral("5");
  s.Hbk(2, 1) = QStringLiteral("0000");
  s.Hbk(4, 1) = QStringLiteral("1");
  s.Hbk(5, 1) = QStringLiteral("班主任");
  s.Hbks = 1;
  EXPECT_EQ(Csbjxkjsjh(c).value_or(QStringLiteral("stopped")), QStringLiteral("001002004"));
  s.Bzr(7, 2) = 3;
  EXPECT_EQ(Csbjxkjsjh(c).value_or(QStringLiteral("stopped")), QStringLiteral("001002003004"));
}

TEST(Title, NoAsciiBlankAndTheMasterTitles) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  fx.school.Xnqsrq = QStringLiteral("2009- 9- 1");
  fx.school.Xxmc = QStringLiteral("测试 中学");
  CmbKbzl_Click(c, 2);
  fx.state.LstKc.setSelected(1, false);
  fx.state.LstKc.setSelected(2, true);
  Xsbtnr(c);
  EXPECT_EQ(fx.form.Dcbt, QStringLiteral("测试中学０９～１０学年度全校数学总课表"));
  fx.state.OptCqls = 1;
  fx.ui.clearEvents();
  fx.exportNow();
  EXPECT_TRUE(fx.ui.texts(QStringLiteral("info")).isEmpty());
  EXPECT_EQ(fx.form.Dcbt, QStringLiteral("测试 中学０９～１０学年度全校数学课表（临时）"));
  EXPECT_FALSE(fx.form.Btnr.contains(u' '));

  // A weekly title is the same for both layers and starts with the school year.
  CmbKbzl_Click(c, 0);
  Xsbtnr(c);
  EXPECT_EQ(fx.form.Dcbt, QStringLiteral("０９～１０学年度班级课表"));
}

}  // namespace
}  // namespace tavro::testing
