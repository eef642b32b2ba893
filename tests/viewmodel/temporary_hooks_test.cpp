// The view-model's temporary-change hooks: a temporary swap by two clicks
// records the change and composes the notices; the engine's replay, the
// class list and the layer option read "调课.txt" back.

#include <gtest/gtest.h>

#include "adjust/swaptest.h"
#include "temporary/changefile.h"
#include "temporary/dates.h"
#include "tests/viewmodel/viewmodel_school.h"

namespace tavro::testing {
namespace {

// Swaps 数学 (t2) at 1-2 with 英语 (t3) at 1-3 of class 0701 in the temporary layer for start..end,
// answering the questions (notices with one class copy).
void temporarySwap(Desk& d, const QDate& start, const QDate& end) {
  d.vm.OptCqls_Click(1);
  d.vm.CmdDk_Click();
  Ctx c = d.session.ctx(d.ui);
  DTPicker1_Change(c, start);
  DTPicker2_Change(c, end);
  d.vm.clickCell(1, 2);
  ASSERT_EQ(d.st().Xq1, 1);
  if (bpyyGrade(d.st().Bpyy(1, 3)) == kGradeOrange) d.ui.addAnswer(QStringLiteral("y"));
  if (start == end) d.ui.addAnswer(QStringLiteral("y"));
  d.ui.addAnswer(QStringLiteral("y"));
  d.ui.addAnswer(QStringLiteral("1"));
  d.vm.clickCell(1, 3);
}

TEST(TemporaryHooks, TwoClicksRecordTheSwapAndShowTheNotices) {
  Desk d;
  browseScheduledClass(d);
  d.st().fixedToday = QDate(2026, 3, 2);
  int shown = 0;
  d.vm.noticesShown = [&] { ++shown; };
  temporarySwap(d, QDate(2026, 3, 2), QDate(2026, 3, 6));
  EXPECT_EQ(d.s().Kb(kTemporary, 1, 2, 7, 1), QStringLiteral("0030030000"));
  EXPECT_EQ(d.s().Kb(kTemporary, 1, 3, 7, 1), QStringLiteral("0020020000"));
  EXPECT_EQ(d.s().Kb(kLongTerm, 1, 2, 7, 1), QStringLiteral("0020020000"));
  EXPECT_EQ(d.cell(1, 2).back, kColourTemporary);
  EXPECT_EQ(readChangeFile(changeFilePath(d.s())).records.size(), 1);
  EXPECT_EQ(shown, 1);
  const MainWindowControls& w = d.vm.controls();
  EXPECT_TRUE(w.RichTextBoxZbVisible);
  EXPECT_FALSE(w.FraPkVisible);
  EXPECT_TRUE(
      w.RichTextBoxZb.contains(QStringLiteral("　　初一1班班2026年3月2日星期一第2节数学临时调至第3节。")));
  EXPECT_EQ(w.RichTextBoxZb.count(QStringLiteral("班级临时调课通知")), 1);
  EXPECT_EQ(d.st().Xq1, 1);  // the lesson to move stays selected

  d.vm.closeNotices();
  EXPECT_FALSE(w.RichTextBoxZbVisible);
  EXPECT_FALSE(w.FraRqfwVisible);
  EXPECT_TRUE(w.FraPkVisible);
}

TEST(TemporaryHooks, EngineListsAndOptionReplayTheFile) {
  Desk first;
  browseScheduledClass(first);
  first.st().fixedToday = QDate(2026, 3, 2);
  temporarySwap(first, QDate(2026, 3, 2), QDate(2026, 3, 2));
  ASSERT_EQ(readChangeFile(changeFilePath(first.s())).records.size(), 1);

  // Another session on the same data folder: the engine's replay applies the record in force.
  Desk second;
  browseScheduledClass(second);
  second.s().Wjj = first.s().Wjj;
  second.st().fixedToday = QDate(2026, 3, 2);
  second.vm.replayTemporaryChanges();
  EXPECT_EQ(second.s().Kb(kTemporary, 1, 2, 7, 1), QStringLiteral("0030030000"));
  // The next day the class list in the temporary layer shows the long-term timetable again.
  second.st().fixedToday = QDate(2026, 3, 3);
  second.vm.OptCqls_Click(1);
  EXPECT_EQ(second.s().Kb(kTemporary, 1, 2, 7, 1), QStringLiteral("0020020000"));
  second.st().fixedToday = QDate(2026, 3, 2);
  second.vm.selectClass(0);
  EXPECT_EQ(second.s().Kb(kTemporary, 1, 2, 7, 1), QStringLiteral("0030030000"));
  EXPECT_EQ(second.cell(1, 2).back, kColourTemporary);
}

// Records that teacher 2 (数学) takes 英语 of teacher 4 at 1-3 of class 0702 on day.
void recordChangeOf0702(Desk& d, const QString& day) {
  Ctx c = d.session.ctx(d.ui);
  RunState& st = d.st();
  const QString mode = st.Zt;
  st.Zt = QStringLiteral("排课");  // one changed lesson
  st.Xq1 = 1, st.Jc1 = 3, st.Jsh1 = 4, st.Kch1 = 3, st.Jsh2 = 2, st.Kch2 = 2;
  st.Lsksrq = st.Lsjsrq = day;
  BcLsgk(c, 7, 2);
  st.Zt = mode;
  st.Xq1 = st.Jc1 = 0;
}

TEST(TemporaryHooks, APartnerIsRedWhenTheSwapWouldClashOnAnyDayOfItsRange) {
  // Moving 数学 (teacher 2) at 2-3 of class 0701 to 1-3, where teacher 2 teaches class 0702 on
  // 2026-03-04 only.
  struct Case {
    QDate start, end;
    QString verdict;  // Bpyy of the partner 1-3; "" = not red
  };
  const QString busy = QStringLiteral("数学教师李四光星期一第3节不空");
  const Case cases[] = {
      {QDate(2026, 3, 2), QDate(2026, 3, 3), QString()},
      {QDate(2026, 3, 2), QDate(2026, 3, 6),
       QStringLiteral("0") + busy + QStringLiteral("（2026-03-04起有临时调课）")},
      {QDate(2026, 3, 4), QDate(2026, 3, 4), QStringLiteral("0") + busy},
  };
  for (const Case& k : cases) {
    Desk d;
    browseScheduledClass(d);
    ASSERT_EQ(d.s().Jsmc(2), QStringLiteral("李四光"));
    d.st().fixedToday = QDate(2026, 3, 2);
    recordChangeOf0702(d, QStringLiteral("2026-03-04"));
    d.vm.OptCqls_Click(1);
    d.vm.CmdDk_Click();
    Ctx c = d.session.ctx(d.ui);
    DTPicker1_Change(c, k.start);
    DTPicker2_Change(c, k.end);
    d.vm.temporaryDatesChanged();
    d.vm.clickCell(2, 3);
    ASSERT_EQ(d.st().Xq1, 2);
    const QString verdict = d.st().Bpyy(1, 3);
    if (k.verdict.isEmpty()) {
      EXPECT_NE(bpyyGrade(verdict), kGradeRed) << verdict.toStdString();
    } else {
      EXPECT_EQ(verdict, k.verdict);
      EXPECT_EQ(d.cell(1, 3).fore, kColourRed);
    }
  }
}

}  // namespace
}  // namespace tavro::testing
