// Browsing: the class list, the course and teacher lists, the grid texts and
// colours in both layouts, the layer option and the detailed-window requests.

#include <gtest/gtest.h>

#include "adjust/gridmodel.h"
#include "tests/viewmodel/viewmodel_school.h"

namespace tavro::testing {
namespace {

const QString B = QStringLiteral("　");

TEST(MainWindowBrowse, SelectingAClassShowsItsGridCoursesAndCaptions) {
  Desk d;
  browseScheduledClass(d);
  d.s().Bzr(7, 1) = 1;
  d.s().Kb(kLongTerm, 1, 3, 7, 1)[9] = u'1';  // a lesson of kind 1
  d.s().Kb(kTemporary, 1, 3, 7, 1)[9] = u'1';
  d.s().Kb(kTemporary, 2, 3, 7, 1) = QStringLiteral("0030030000");  // a temporary change
  d.vm.selectClass(0);
  const RunState& st = d.st();
  EXPECT_EQ(st.Zt, QStringLiteral("查班"));
  EXPECT_EQ(st.LstBj.items(), QStringList({QStringLiteral("0701初一1班"), QStringLiteral("0702初一2班")}));
  EXPECT_EQ(d.vm.controls().OptYpCaption, QStringLiteral(" 2已排"));
  EXPECT_EQ(d.vm.controls().OptWpCaption, QStringLiteral(" 0未排"));
  EXPECT_EQ(st.MSFG.style, QStringLiteral("Dz4"));
  EXPECT_EQ(st.MSFG.label, QStringLiteral("初一1班") + B + QStringLiteral("001张　三"));
  EXPECT_EQ(d.vm.controls().LblToolTip, QStringLiteral("在此单击显示详细的班级课表"));
  // Horizontal layout: periods across, weekdays down.
  EXPECT_EQ(d.cell(0, 1).text, QStringLiteral("第１节") + B);
  EXPECT_EQ(d.cell(0, 3).text, QStringLiteral("第３节") + B);
  EXPECT_EQ(d.cell(1, 0).text, QStringLiteral("一"));
  EXPECT_EQ(d.cell(1, 1), (GridCell{QStringLiteral("语文"), 0, kColour3DLight}));
  EXPECT_EQ(d.cell(1, 3), (GridCell{QStringLiteral("英语"), kColourDarkRed, kColour3DLight}));
  // 语文 twice in a row on Tuesday: both white; the changed cell light cyan.
  EXPECT_EQ(d.cell(2, 1).back, kColourWhite);
  EXPECT_EQ(d.cell(2, 2).back, kColourWhite);
  EXPECT_EQ(d.cell(2, 3), (GridCell{QStringLiteral("数学"), 0, kColourTemporary}));
  EXPECT_EQ(st.LstKc.items(),
            QStringList({QStringLiteral("001语文") + B.repeated(4) + QStringLiteral(" 3"),
                         QStringLiteral("002数学") + B.repeated(4) + QStringLiteral(" 2"),
                         QStringLiteral("003英语") + B.repeated(4) + QStringLiteral(" 1")}));
  EXPECT_TRUE(d.vm.controls().CmdDkEnabled);
  EXPECT_TRUE(d.vm.controls().CmdScEnabled);
  EXPECT_TRUE(d.ui.texts("info").isEmpty());
}

TEST(MainWindowBrowse, VerticalLayoutSmallStylesAndEmptyCells) {
  Desk d;
  browseScheduledClass(d);
  d.s().Hsdm = 1;
  d.s().Kb(kLongTerm, 1, 2, 7, 1) = QStringLiteral("0000000000");  // an empty lesson
  d.s().Kb(kTemporary, 1, 2, 7, 1) = QStringLiteral("0000000000");
  d.s().Kb(kLongTerm, 1, 1, 7, 1).clear();
  d.s().Kb(kTemporary, 1, 1, 7, 1).clear();
  d.vm.selectClass(0);
  EXPECT_EQ(d.cell(1, 0).text, QStringLiteral("星期一") + B);
  EXPECT_EQ(d.cell(0, 2).text, QStringLiteral("２"));
  EXPECT_EQ(d.cell(1, 1).text, B.repeated(4));
  EXPECT_EQ(d.cell(1, 2).text, QStringLiteral("╳") + B.repeated(3));
  // No head teacher: the label ends with Jsmcd + 3 blanks.
  EXPECT_EQ(d.st().MSFG.label, QStringLiteral("初一1班") + B + B.repeated(6));
  // Style 1 (Csz6 = 5): short names, the empty lesson alone, one blank for an empty cell.
  d.st().Csz6 = 5;
  d.vm.selectClass(0);
  EXPECT_EQ(d.st().MSFG.style, QStringLiteral("Xz1"));
  EXPECT_EQ(d.cell(1, 2).text, QStringLiteral("╳"));
  EXPECT_EQ(d.cell(1, 1).text, B);
  EXPECT_EQ(d.cell(1, 3).text, QStringLiteral("英"));
  EXPECT_EQ(d.cell(1, 0).text, QStringLiteral("一"));
  // A two-week cycle with four characters: 单周一 .. 双周六 (the cube holds 13 weekdays).
  d.s().Mzts = 13;
  d.st().Csz6 = 3;
  d.vm.Pdbbz();
  d.vm.Spbt();
  EXPECT_EQ(d.cell(1, 0).text, QStringLiteral("单周一") + B);
  EXPECT_EQ(d.cell(7, 0).text, QStringLiteral("单周日") + B);
  EXPECT_EQ(d.cell(8, 0).text, QStringLiteral("双周一") + B);
  // More than 9 periods: ordinary digits.
  d.s().Mtjs = 10;
  d.vm.Spbt();
  EXPECT_EQ(d.cell(0, 10).text, QStringLiteral("10"));
  d.s().Hsdm = 0;
  d.vm.Hpbt();
  EXPECT_EQ(d.cell(0, 2).text, QStringLiteral("第 2节") + B);
}

TEST(MainWindowBrowse, CellStyleFollowsTheCellWidthWithoutASetting) {
  Desk d;
  browseScheduledClass(d);
  d.st().Csz6 = 0;
  auto styleAt = [&](int w, int kcmcd, bool fits = false) {
    d.vm.controls().Xskd = w;
    d.vm.controls().halfWindowFitsGrid = fits;
    d.s().Kcmcd = kcmcd;
    d.vm.Pdbbz();
    return d.st().MSFG.style;
  };
  // Longest short name 1 character.
  EXPECT_EQ(styleAt(0, 2), QStringLiteral("Xz1"));
  EXPECT_EQ(styleAt(2, 2), QStringLiteral("Xz2"));
  EXPECT_EQ(styleAt(2, 3), QStringLiteral("Xz1"));
  EXPECT_EQ(styleAt(4, 4), QStringLiteral("Xz4"));
  EXPECT_EQ(styleAt(4, 2), QStringLiteral("Dz1"));
  EXPECT_EQ(styleAt(6, 5), QStringLiteral("Xz6"));
  EXPECT_EQ(styleAt(6, 3), QStringLiteral("Xz4"));
  EXPECT_EQ(styleAt(7, 2), QStringLiteral("Dz2"));
  EXPECT_EQ(styleAt(10, 4), QStringLiteral("Xz4"));
  EXPECT_EQ(styleAt(15, 4), QStringLiteral("Dz4"));
  EXPECT_EQ(styleAt(16, 6), QStringLiteral("Xz6"));
  EXPECT_EQ(styleAt(16, 6, true), QStringLiteral("Dz6"));
  // The grid is shown again in the new width.
  EXPECT_EQ(d.cell(1, 1).text, QStringLiteral("语文"));
  EXPECT_EQ(styleAt(0, 2), QStringLiteral("Xz1"));
  EXPECT_EQ(d.cell(1, 1).text, QStringLiteral("语"));
}

TEST(MainWindowBrowse, UnplannedClassesCourseTeacherAndBrowseClicks) {
  Desk d;
  browseScheduledClass(d, false);
  RunState& st = d.st();
  // The course list click selects the course's teachers.
  st.LstKc.setListIndex(1);
  d.vm.LstKc_Click();
  EXPECT_FALSE(st.LstJs.selected(1));
  EXPECT_TRUE(st.LstJs.selected(2));
  EXPECT_EQ(st.Sched.Pkkch, 2);
  // A browse click paints every equal lesson red and selects its teacher.
  d.vm.clickCell(2, 1);
  EXPECT_EQ(d.cell(1, 1).fore, 255);
  EXPECT_EQ(d.cell(2, 2).fore, 255);
  EXPECT_EQ(d.cell(1, 2).fore, 0);
  EXPECT_TRUE(st.LstJs.selected(1));
  EXPECT_FALSE(st.LstJs.selected(2));
  // A class without plan is listed with "未" and cannot be browsed.
  d.s().Bjkcs(7, 2) = 0;
  d.vm.OptWp_Click();
  EXPECT_EQ(st.LstBj.items(), QStringList({QStringLiteral("0702初一2班未")}));
  EXPECT_EQ(st.TxtSm, QStringLiteral("本班课表未排。"));
  EXPECT_EQ(d.vm.controls().OptWpCaption, QStringLiteral(" 1未排"));
  d.vm.selectClass(0);
  EXPECT_EQ(d.ui.texts("info").last(),
            QStringLiteral("    该班级未进行排课条件设置，不能排课！请修改班级数据表。"));
  EXPECT_EQ(d.vm.controls().CmdKbCaption, QStringLiteral("6、编排课表"));
}

TEST(MainWindowBrowse, LayerOptionAndDetailedWindowRequests) {
  Desk d;
  browseScheduledClass(d);
  d.s().Kb(kTemporary, 1, 1, 7, 1) = QStringLiteral("0030030000");
  int replays = 0;
  d.vm.replayTemporary = [&](Ctx&) { ++replays; };
  d.vm.OptCqls_Click(1);
  EXPECT_EQ(d.st().Dqcqls, kTemporary);
  EXPECT_EQ(replays, 1);
  EXPECT_TRUE(d.vm.controls().FraRqfwVisible);
  EXPECT_EQ(d.cell(1, 1).text, QStringLiteral("英语"));
  EXPECT_EQ(d.cell(0, 0).text, QStringLiteral("临"));
  d.vm.OptCqls_Click(0);
  EXPECT_EQ(d.st().Dqcqls, kLongTerm);
  EXPECT_EQ(d.cell(1, 1).text, QStringLiteral("语文"));
  EXPECT_EQ(d.cell(0, 0).text, QStringLiteral("长"));
  EXPECT_EQ(d.st().TxtSm, QStringLiteral("　　班级课表中绿字为合班课。"));

  std::vector<DetailRequest> opened;
  d.vm.openDetail = [&](const DetailRequest& r) { opened.push_back(r); };
  EXPECT_TRUE(d.st().LstJs.selected(1));  // the teacher of the first course
  for (int i = 0; i < d.st().LstJs.count(); ++i) d.st().LstJs.setSelected(i, false);
  d.vm.LstJs_MouseDown();
  EXPECT_EQ(d.ui.texts("info").last(), QStringLiteral("请在教师框内选择教师！"));
  d.st().LstJs.setSelected(3, true);
  d.vm.LstJs_MouseDown();
  d.vm.Lbl_Click(0);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_TRUE(opened[0].teacher);
  EXPECT_EQ(opened[0].caption, QStringLiteral("测试中学  教师"));
  EXPECT_EQ(opened[0].teacherIndex, 2);
  EXPECT_EQ(opened[0].layer, QStringLiteral("长期"));
  EXPECT_FALSE(opened[1].teacher);
  EXPECT_EQ(opened[1].caption, QStringLiteral("测试中学  班级"));
  EXPECT_EQ(opened[1].className, QStringLiteral("初一1班"));
  d.st().MSFG.label.clear();
  d.vm.Lbl_Click(0);
  EXPECT_EQ(d.ui.texts("info").last(), QStringLiteral("框内有内容，单击才有效！"));
  d.vm.CmdDk_Click();
  EXPECT_EQ(d.ui.texts("info").last(),
            QStringLiteral("请在“班级”框的某班级上单击，调出班表，然后再按本键调课。"));
}

}  // namespace
}  // namespace tavro::testing
