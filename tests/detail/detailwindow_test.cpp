// The detailed timetable window as a view-model: opening it for a class and for a
// teacher, headers in both layouts, the window's own layer, the light-cyan marking of
// temporary changes, the click highlight and the three temporary-change notices.

#include "detail/detailwindow.h"

#include <gtest/gtest.h>

#include "core/gridmodel.h"
#include "core/scripted_ui.h"
#include "tests/detail/detail_support.h"

namespace tavro::testing {
namespace {

QString blanks(int n) {
  return QString(n, QChar(0x3000));
}

struct DetailDesk {
  Session session;
  ScriptedUi ui;
  DetailWindowModel window{session.ctx(ui)};
  DetailDesk() {
    session.school = detailSchool();
    putLesson(s(), 7, 1, 1, 1, 1, 1);
    putLesson(s(), 7, 1, 1, 2, 1, 1);
    putLesson(s(), 7, 1, 2, 3, 1, 1);
    putLesson(s(), 7, 1, 2, 1, 2, 2, u'1');
    putLesson(s(), 7, 2, 1, 3, 3, 3);
  }
  School& s() { return session.school; }
  RunState& st() { return session.state; }

  void openClass(const QString& name) {
    st().Zt = QStringLiteral("查班");
    DetailRequest r;
    r.caption = QStringLiteral("测试中学  班级");
    r.className = name;
    r.layer = QStringLiteral("长期");
    window.open(r);
  }
  void openTeacher(int t, const QString& layer = QStringLiteral("长期")) {
    st().Zt = QStringLiteral("查师");
    DetailRequest r;
    r.teacher = true;
    r.caption = QStringLiteral("测试中学  教师");
    r.teacherIndex = t - 1;
    r.layer = layer;
    window.open(r);
  }
  // Teacher 2 takes over teacher 1's lesson at (1, 1) of class 0701 in the temporary layer.
  void substitute(int course) {
    s().Kb(kTemporary, 1, 1, 7, 1) = classCell(course, 2);
    s().Jskb(kTemporary, 1, 1, 1).clear();
    s().Jskb(kTemporary, 1, 1, 2) = teacherCell(course, 7, 1);
  }
  QStringList notices() const { return ui.texts("info"); }
};

TEST(DetailWindow, ClassViewFromTheGridLabel) {
  DetailDesk d;
  d.openClass(QStringLiteral("初一1班") + blanks(1));  // the label pads the name
  const DetailWindowModel& w = d.window;
  EXPECT_TRUE(w.loaded());
  EXPECT_EQ(w.caption(), QStringLiteral("测试中学  班级"));
  EXPECT_EQ(w.List1().items(), QStringList({"0701初一1班", "0702初一2班", "0801初二1班", "0802初二2班"}));
  EXPECT_EQ(w.List1().listIndex(), 0);
  EXPECT_EQ(w.Frame1Caption(), QStringLiteral("班级"));
  EXPECT_EQ(w.FraJdkbCaption(), QStringLiteral("初一1班　班主任：张　三"));
  EXPECT_EQ(w.cell(1, 1), (DetailCell{QStringLiteral("语　文张　三"), 3, kColourDefault, kColourWhite}));
  EXPECT_EQ(w.cell(2, 1).fore, 255);  // kind "1" in red
  EXPECT_EQ(w.cell(1, 4).text, blanks(5));
  EXPECT_TRUE(w.LblSm().isEmpty());
  d.window.List1_Click(1);  // a class without head teacher: its name alone
  EXPECT_EQ(w.FraJdkbCaption(), QStringLiteral("初一2班"));
  EXPECT_EQ(w.cell(1, 3).text, QStringLiteral("英　语王　五"));
  d.s().Kb(kLongTerm, 1, 4, 7, 2) = classCell(3, 1, u'8');
  d.s().sizeCombinedLessons(1);
  d.s().Hbk(5, 1) = QStringLiteral("003");
  d.window.List1_Click(1);
  EXPECT_EQ(w.cell(1, 4).fore, kColourDarkGreen);
}

TEST(DetailWindow, HeadersInBothLayouts) {
  DetailDesk d;
  d.openClass(QStringLiteral("初一1班"));
  const DetailWindowModel& w = d.window;
  EXPECT_EQ(w.rows(), 5);
  EXPECT_EQ(w.columns(), 8);
  EXPECT_EQ(w.cell(0, 0).text, QStringLiteral("  "));
  EXPECT_EQ(w.cell(0, 1).text, QStringLiteral("　１　"));
  EXPECT_EQ(w.cell(3, 0).text, QStringLiteral("三"));
  d.s().Jsmcd = 4;
  d.window.List1_Click();
  EXPECT_EQ(w.cell(0, 1).text, QStringLiteral("第　１节"));
  d.s().Kcmcd = 6;
  d.window.List1_Click();
  EXPECT_EQ(w.cell(0, 2).text, QStringLiteral("　第　２节　"));
  d.s().Jsmcd = d.s().Kcmcd = 2;
  d.window.List1_Click();
  EXPECT_EQ(w.cell(0, 2).text, QStringLiteral("　２"));
  d.s().Hsdm = 1;
  d.window.List1_Click();
  EXPECT_EQ(w.rows(), 8);
  EXPECT_EQ(w.cell(1, 0).text, QStringLiteral("周一"));
  EXPECT_EQ(w.cell(0, 3).text, QStringLiteral("３"));
  d.s().Kcmcd = 5;
  d.s().Mtjs = 10;
  d.window.List1_Click();
  EXPECT_EQ(w.cell(2, 0).text, QStringLiteral("　星期二　"));
  EXPECT_EQ(w.cell(0, 3).text, QStringLiteral("　３"));
}

TEST(DetailWindow, TeacherViewWithCombinedLessonsAndChanges) {
  DetailDesk d;
  d.s().Jsrk(1) = QStringLiteral("00107");
  d.s().sizeCombinedLessons(1);
  d.s().Hbk(1, 1) = "8";
  d.s().Hbk(2, 1) = "07010702";
  d.s().Hbk(3, 1) = "0305";
  d.s().Hbk(5, 1) = "001003";
  d.s().Jskb(kLongTerm, 3, 5, 1) = d.s().Jskb(kTemporary, 3, 5, 1) = "0039001000";
  d.substitute(3);
  d.openTeacher(1);
  const DetailWindowModel& w = d.window;
  EXPECT_EQ(w.List1().items(), QStringList({"001张　三", "002李四光", "003王　五", "004赵六一"}));
  EXPECT_EQ(w.Frame1Caption(), QStringLiteral("教师"));
  EXPECT_EQ(w.FraJdkbCaption(), QStringLiteral("001张　三 语文初一"));
  EXPECT_EQ(w.LblSm(), QStringLiteral("周三第05节　初一1班初一2班\r\n"));
  EXPECT_EQ(w.cell(1, 1), (DetailCell{QStringLiteral("语　文初一1班"), 3, kColourDefault, kColourTemporary}));
  EXPECT_EQ(w.cell(1, 2).back, kColourWhite);
  EXPECT_EQ(w.cell(3, 5).text, QStringLiteral("英　语多班统"));
  EXPECT_EQ(w.cell(1, 3).text, blanks(6));
  // The temporary layer keeps the light cyan of the changed period.
  d.window.LstCqls_Click(1);
  EXPECT_EQ(w.cell(1, 1), (DetailCell{blanks(6), 3, kColourDefault, kColourTemporary}));
  EXPECT_EQ(w.FraJdkbCaption(), QStringLiteral("001张　三 语文初一"));
}

TEST(DetailWindow, ClickHighlightsEqualCellsAndKeepsTheChangeMarking) {
  DetailDesk d;
  d.substitute(3);
  d.openTeacher(1);
  d.window.MSFG_Click(1, 2);
  const DetailWindowModel& w = d.window;
  EXPECT_EQ(w.cell(1, 2).back, kColourYellow);
  EXPECT_EQ(w.cell(2, 3).back, kColourYellow);
  EXPECT_EQ(w.cell(1, 1).back, kColourTemporary);
  EXPECT_EQ(w.cell(1, 3).back, kColourWhite);
  for (int x = 1; x <= 5; ++x)
    for (int j = 1; j <= 8; ++j) EXPECT_EQ(w.cell(x, j).fore, kColourHighlight);
  EXPECT_EQ(w.curXq(), 1);
  EXPECT_EQ(w.curJc(), 2);
  EXPECT_TRUE(d.notices().isEmpty());
  d.window.MSFG_Click(5, 8);  // an empty cell: every empty cell
  EXPECT_EQ(w.cell(1, 3).back, kColourYellow);
  EXPECT_EQ(w.cell(1, 2).back, kColourWhite);
  EXPECT_EQ(w.cell(1, 1).back, kColourTemporary);
}

TEST(DetailWindow, NoticesOfTemporaryChanges) {
  DetailDesk d;
  d.substitute(1);  // the same course: a substitute lesson
  d.s().Jskb(kLongTerm, 2, 2, 4) = d.s().Jskb(kTemporary, 2, 2, 4) = QStringLiteral("6");
  d.s().Jskb(kTemporary, 2, 2, 4) = teacherCell(2, 7, 2);  // a meeting became a lesson
  d.s().Jskb(kTemporary, 2, 4, 3) = teacherCell(1, 7, 2);  // a free period became a lesson
  d.openTeacher(1);
  d.window.MSFG_Click(1, 1);
  d.substitute(3);  // another course in the same class: a swap
  d.window.MSFG_Click(1, 1);
  d.openTeacher(4);
  d.window.MSFG_Click(2, 2);
  d.openTeacher(3);
  d.window.MSFG_Click(2, 4);
  d.window.MSFG_Click(1, 3);  // unchanged: no notice
  EXPECT_EQ(d.notices(),
            QStringList({"该节已和002李四光老师临时代课！", "该节已和002李四光老师的英语临时调课！",
                         "该节已临时改为004赵六一老师的数学！", "该节已临时改为003王　五老师的语文！"}));
  // None while the temporary layer is shown, and none in the class view.
  d.ui.clearEvents();
  d.window.LstCqls_Click(1);
  d.window.MSFG_Click(2, 4);
  d.window.LstCqls_Click(0);
  d.openClass(QStringLiteral("初一1班"));
  d.window.MSFG_Click(2, 4);
  EXPECT_TRUE(d.notices().isEmpty());
}

TEST(DetailWindow, OwnLayerAndListKind) {
  DetailDesk d;
  d.substitute(3);
  d.openTeacher(1, QStringLiteral("临时"));
  EXPECT_EQ(d.window.LstCqls(), 1);
  EXPECT_EQ(d.st().Dqcqls, kLongTerm);  // the main window's layer is its own
  d.openClass(QStringLiteral("初一1班"));
  EXPECT_EQ(d.window.listKind(), DetailWindowModel::ListKind::Classes);
  EXPECT_EQ(d.window.cell(1, 1).text, QStringLiteral("英　语李四光"));  // the layer stays
  d.window.LstCqls_Click(0);
  EXPECT_EQ(d.window.cell(1, 1).text, QStringLiteral("语　文张　三"));
  EXPECT_EQ(d.st().Dqcqls, kLongTerm);
  // The list shows what was clicked, whatever the main window's mode became.
  d.st().Zt = QStringLiteral("调课");
  d.window.List1_Click(3);
  EXPECT_EQ(d.window.FraJdkbCaption(), QStringLiteral("初二2班"));
  d.openTeacher(2);
  EXPECT_EQ(d.window.listKind(), DetailWindowModel::ListKind::Teachers);
  EXPECT_EQ(d.window.List1().currentText(), QStringLiteral("002李四光"));
  EXPECT_EQ(d.window.LstCqls(), 0);
  DetailDesk fresh;
  fresh.st().Zt = QStringLiteral("查班");
  fresh.window.Form_Load();
  EXPECT_EQ(fresh.window.caption(), QStringLiteral("文件名："));
  fresh.window.List1_Click();
  EXPECT_EQ(fresh.notices(), QStringList{QStringLiteral("请在班级框中选择需查班级")});
  fresh.openTeacher(0);
  EXPECT_EQ(fresh.notices().last(), QStringLiteral("请在教师框中选择需查教师"));
}

}  // namespace
}  // namespace tavro::testing
