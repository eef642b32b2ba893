// Swap mode driven by clicks (choosing, grading, cancelling, swapping, the
// orange question) and deleting a class timetable with its two questions.

#include <gtest/gtest.h>

#include <QFile>

#include "adjust/gridmodel.h"
#include "adjust/swaptest.h"
#include "tests/fixtures/small_school.h"
#include "tests/fixtures/text_files.h"
#include "tests/viewmodel/viewmodel_school.h"

namespace tavro::testing {
namespace {

const QString kChooseHint = QStringLiteral(
    "　　白底黑字为需调课。绿字为优先可调课，黄字为可调课，橙字为可调但最好不调课，红字为不可调课。请选择可调"
    "课。");

QString fileText(Desk& d) {
  return QString::fromUtf8(fixtures::readBytes(d.folder.file()));
}

int colourOfGrade(int grade) {
  switch (grade) {
    case kGradeGreen:
      return kColourGreen;
    case kGradeYellow:
      return kColourYellow;
    case kGradeOrange:
      return kColourOrange;
    default:
      return kColourRed;
  }
}

// Enters swap mode and chooses the lesson at (1, 1).
void chooseFirstLesson(Desk& d) {
  d.vm.CmdDk_Click();
  d.vm.clickCell(1, 1);
}

TEST(MainWindowSwap, ChoosingGradesEveryOtherCellAndCancelRestores) {
  Desk d;
  browseScheduledClass(d);
  chooseFirstLesson(d);
  const RunState& st = d.st();
  EXPECT_EQ(st.Zt, QStringLiteral("调课"));
  EXPECT_TRUE(d.vm.controls().FraPkVisible);
  EXPECT_EQ(st.Xq1, 1);
  EXPECT_EQ(st.Jc1, 1);
  EXPECT_EQ(d.cell(1, 1).back, kColourWhite);
  EXPECT_EQ(d.cell(1, 1).fore, 0);
  for (int x = 1; x <= 2; ++x) {
    for (int j = 1; j <= 3; ++j) {
      if (x == 1 && j == 1) continue;
      SCOPED_TRACE(x * 10 + j);
      EXPECT_EQ(d.cell(x, j).back, kColourCandidate);
      EXPECT_EQ(d.cell(x, j).fore, colourOfGrade(bpyyGrade(st.Bpyy(x, j))));
    }
  }
  // The same course with the same teacher can never be a partner.
  EXPECT_EQ(st.Bpyy(2, 1), QStringLiteral("0同课程同教师，调课无意义"));
  EXPECT_EQ(st.TxtSm, kChooseHint + QStringLiteral("如果在白底需调课上单击就撤销调课要求。"));
  d.vm.clickCell(2, 1);
  EXPECT_EQ(d.ui.texts("info").last(), QStringLiteral("同课程同教师，调课无意义，不能调！"));
  EXPECT_EQ(d.s().Kb(kLongTerm, 2, 1, 7, 1), QStringLiteral("0010010000"));
  // Clicking the white lesson again cancels the request.
  d.vm.clickCell(1, 1);
  EXPECT_EQ(st.Xq1, 0);
  EXPECT_EQ(st.Jc1, 0);
  EXPECT_EQ(st.TxtSm, st.Tsnr);
  EXPECT_EQ(d.cell(1, 1), (GridCell{QStringLiteral("语文"), 0, kColourDefault}));
  EXPECT_EQ(d.cell(2, 1).back, kColourWhite);  // the repeat stays marked
  EXPECT_FALSE(QFile::exists(d.folder.file()));
}

TEST(MainWindowSwap, LongTermSwapMovesBothLessonsAndSavesTheFile) {
  Desk d;
  browseScheduledClass(d);
  chooseFirstLesson(d);
  ASSERT_NE(bpyyGrade(d.st().Bpyy(1, 3)), kGradeRed);
  d.vm.clickCell(1, 3);
  const School& s = d.s();
  EXPECT_EQ(s.Kb(kLongTerm, 1, 1, 7, 1), QStringLiteral("0030030000"));
  EXPECT_EQ(s.Kb(kLongTerm, 1, 3, 7, 1), QStringLiteral("0010010000"));
  EXPECT_EQ(s.Jskb(kLongTerm, 1, 3, 1), QStringLiteral("0010701000"));
  EXPECT_EQ(s.Jskb(kLongTerm, 1, 1, 1), QString());
  EXPECT_EQ(s.Jskb(kLongTerm, 1, 1, 3), QStringLiteral("0030701000"));
  EXPECT_EQ(d.st().Xq1, 0);
  EXPECT_EQ(d.st().Dkcs, 1);
  EXPECT_EQ(d.cell(1, 1).text, QStringLiteral("英语"));
  EXPECT_EQ(d.st().TxtSm,
            QStringLiteral("　　已完成本次调课。可以再选需调课继续调课，或在班级框选择班级，退出调课状态。"));
  EXPECT_TRUE(fileText(d).contains(QStringLiteral("07年级01班,初一1班\r\n 1 \r\n星期 1 \r\n0030030000\r\n")));
  EXPECT_TRUE(d.ui.texts("question").isEmpty());
}

TEST(MainWindowSwap, OrangePartnerAsksAndOnlyYesSwaps) {
  Desk d;
  browseScheduledClass(d);
  // Teacher 1 asked not to teach on Monday period 2: 数学 there is an orange partner.
  d.s().Jskb(kLongTerm, 1, 2, 1) = QStringLiteral("2");
  d.s().Jskb(kTemporary, 1, 2, 1) = QStringLiteral("2");
  chooseFirstLesson(d);
  ASSERT_EQ(bpyyGrade(d.st().Bpyy(1, 2)), kGradeOrange);
  const QString question = QStringLiteral("语文教师001张　三星期一第2节要求不排，这两节对调吗？");
  d.ui.setAnswers({QStringLiteral("n")});
  d.vm.clickCell(1, 2);
  EXPECT_EQ(d.ui.texts("question"), QStringList({question}));
  EXPECT_EQ(d.s().Kb(kLongTerm, 1, 2, 7, 1), QStringLiteral("0020020000"));
  EXPECT_EQ(bpyyGrade(d.st().Bpyy(1, 2)), kGradeOrange);
  EXPECT_EQ(d.st().Xq1, 1);
  d.ui.setAnswers({QStringLiteral("y")});
  d.vm.clickCell(1, 2);
  EXPECT_EQ(d.ui.texts("question").size(), 2);
  EXPECT_EQ(d.s().Kb(kLongTerm, 1, 2, 7, 1), QStringLiteral("0010010000"));
  EXPECT_EQ(d.s().Kb(kLongTerm, 1, 1, 7, 1), QStringLiteral("0020020000"));
  EXPECT_EQ(d.st().Xq1, 0);
}

TEST(MainWindowSwap, LayerSwitchCombinedLessonsAndTemporaryStub) {
  Desk d;
  browseScheduledClass(d);
  fixtures::addCombinedLesson(d.s(), QStringLiteral("8"), QStringLiteral("0701"), QStringLiteral("0102"), 2);
  d.s().Kb(kLongTerm, 1, 2, 7, 1) = QStringLiteral("0020010005");
  d.s().Kb(kTemporary, 1, 2, 7, 1) = QStringLiteral("0020010005");
  d.vm.selectClass(0);
  EXPECT_TRUE(d.st().ExportMode);  // every class scheduled: the completion step ran
  EXPECT_EQ(d.cell(1, 2).fore, kColourDarkGreen);
  chooseFirstLesson(d);
  EXPECT_EQ(d.cell(1, 2).fore, kColourRed);
  d.vm.clickCell(1, 2);
  EXPECT_EQ(d.ui.texts("info").last(), QStringLiteral("本节是合班课，不能调本节课！"));
  // Switching to the temporary layer cancels the chosen lesson and asks for dates.
  d.vm.OptCqls_Click(1);
  EXPECT_EQ(d.st().Xq1, 0);
  EXPECT_EQ(d.st().Dqcqls, kTemporary);
  EXPECT_EQ(d.st().TxtSm, QStringLiteral("　　选择开始日期和结束日期。再在班级课表上选择需调课。"));
  EXPECT_EQ(d.cell(1, 3).back, kColourDefault);
  // A temporary swap is left to the temporary-changes module: without it nothing changes.
  d.vm.clickCell(1, 1);
  EXPECT_EQ(d.st().Xq1, 1);
  d.vm.clickCell(1, 3);
  EXPECT_EQ(d.s().Kb(kTemporary, 1, 1, 7, 1), QStringLiteral("0010010000"));
  EXPECT_EQ(d.st().Xq1, 1);
  int asked = 0;
  d.vm.temporarySwap = [&](Ctx&, int nj, int bj) {
    asked = nj * 100 + bj;
    return true;
  };
  d.vm.clickCell(1, 3);
  EXPECT_EQ(asked, 701);
  EXPECT_EQ(d.st().Xq1, 1);
}

TEST(MainWindowDelete, TwoQuestionsDeleteAndSave) {
  Desk d;
  browseScheduledClass(d);
  d.ui.setAnswers({QStringLiteral("y"), QStringLiteral("y")});
  d.vm.CmdSc_Click();
  EXPECT_EQ(d.ui.texts("question"),
            QStringList({QStringLiteral("要删除初一1班班的课表吗？"),
                         QStringLiteral("初一1班班的课表将被删除，一定要删除初一1班课表吗?")}));
  const School& s = d.s();
  EXPECT_EQ(d.st().Zt, QStringLiteral("删除"));
  EXPECT_EQ(s.Ypbz(7, 1), 0);
  EXPECT_EQ(s.Ypbjs, 1);
  for (int x = 1; x <= 2; ++x)
    for (int j = 1; j <= 3; ++j) EXPECT_TRUE(s.Kb(kLongTerm, x, j, 7, 1).isEmpty());
  EXPECT_TRUE(s.Jskb(kLongTerm, 1, 1, 1).isEmpty());
  EXPECT_EQ(d.cell(1, 1), GridCell{});
  EXPECT_EQ(d.cell(0, 0).back, 8454016);
  EXPECT_EQ(d.cell(0, 0).fore, kColourWhite);
  EXPECT_EQ(d.st().LstBj.items(), QStringList({QStringLiteral("0702初一2班")}));
  EXPECT_EQ(d.vm.controls().OptYpCaption, QStringLiteral(" 1已排"));
  EXPECT_TRUE(fileText(d).contains(QStringLiteral("07年级01班,初一1班\r\n 0 \r\n")));
  EXPECT_TRUE(fileText(d).contains(QStringLiteral("07年级02班,初一2班\r\n 1 \r\n")));
  EXPECT_TRUE(d.st().MSFG.enabled);
}

TEST(MainWindowDelete, SecondNoStillSavesAndOtherRefusals) {
  Desk d;
  browseScheduledClass(d);
  d.st().MSFG.curXq = 2;
  d.ui.setAnswers({QStringLiteral("n")});
  d.vm.CmdSc_Click();
  EXPECT_FALSE(QFile::exists(d.folder.file()));
  EXPECT_EQ(d.st().MSFG.curXq, 2);
  d.ui.setAnswers({QStringLiteral("y"), QStringLiteral("n")});
  d.vm.CmdSc_Click();
  EXPECT_EQ(d.s().Kb(kLongTerm, 1, 1, 7, 1), QStringLiteral("0010010000"));
  EXPECT_EQ(d.s().Ypbz(7, 1), 1);
  EXPECT_TRUE(fileText(d).contains(QStringLiteral("07年级01班,初一1班\r\n 1 \r\n")));
  EXPECT_EQ(d.st().MSFG.curXq, 0);
  d.vm.OptCqls_Click(1);
  d.vm.CmdSc_Click();
  EXPECT_EQ(d.ui.texts("warning"), QStringList({QStringLiteral("只能删除长期课表！")}));
  d.vm.OptCqls_Click(0);
  d.st().LstBj.setSelected(1, true);
  d.vm.CmdSc_Click();
  EXPECT_EQ(d.ui.texts("warning").last(), QStringLiteral("只能选一个班级！请重新选择！"));
}

}  // namespace
}  // namespace tavro::testing
