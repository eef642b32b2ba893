// The consistency checks: their exact reports, the deletion on "y", nothing
// changed on "n".

#include "engine/checks.h"

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "core/slots.h"
#include "engine/classlist.h"
#include "engine/placement.h"
#include "tests/engine/engine_support.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {
namespace {

TEST(TeacherCheck, DisagreeingCellsAskToDeleteAndNKeepsEverything) {
  Bench b = twoGradesWithChinesePlans();
  putLesson(b.s, b.st, 7, 1, 1, 1, 1, 1);
  putLesson(b.s, b.st, 7, 2, 2, 1, 1, 1);
  b.s.Jskb(1, 2, 1, 1).clear();  // 0702's teacher cell is lost
  b.s.Ypbz(7, 2) = 1;
  b.ui.setAnswers({QStringLiteral("n")});
  Ctx c = b.ctx();
  EXPECT_EQ(Phjckcct(c), 1);
  EXPECT_EQ(b.ui.texts(QStringLiteral("question")),
            QStringList{QStringLiteral(
                "　　初一2班等班级的班级课表和教师课表不一致，需要删除这些班级的课表（不保留合班课），"
                "重新编排。删除这些班级课表吗？")});
  EXPECT_EQ(b.s.Kb(1, 2, 1, 7, 2), ordinaryCell(1, 1));

  b.st.OptYp = true;
  Xgypwp(b.s, b.st);
  b.s.Ypbjs = 1;
  b.ui.setAnswers({QStringLiteral("y")});
  EXPECT_EQ(Phjckcct(c), 1);
  EXPECT_TRUE(b.s.Kb(1, 2, 1, 7, 2).isEmpty());
  EXPECT_EQ(b.s.Ypbz(7, 2), 0);
  EXPECT_EQ(b.s.Ypbjs, 0);
  EXPECT_EQ(b.st.LstBj.count(), 0);
  EXPECT_EQ(b.ui.texts(QStringLiteral("info")).last(),
            QStringLiteral(
                "　　一定要做以下操作：按“确定”按钮后，按“关闭”按钮，退出“编排查调课表”窗体，再按“课表”按钮，"
                "重新进入该窗体，编排这些班级的课表。"));
  EXPECT_TRUE(QFile::exists(b.folder.file()));  // saved, so the deleted class does not come back
  EXPECT_EQ(Phjckcct(c), 0);
}

TEST(TeacherCheck, PlanTeacherDisagreementIsShownPerCell) {
  Bench b = twoGradesWithChinesePlans();
  putLesson(b.s, b.st, 7, 1, 1, 1, 1, 2);  // the plan says teacher 1
  Ctx c = b.ctx();
  EXPECT_EQ(Phjckcct(c), 0);
  EXPECT_EQ(b.ui.texts(QStringLiteral("info")),
            QStringList{QStringLiteral(
                "　　初一1班班的语文教师有错！在班级排课设置里设定的教师是1张　三，而该班课表里的教师却是"
                "2李四光。请删除初一1班课表，保存，然后一定要关闭“编排查调课表”窗体（按“关闭”按钮），"
                "再打开该窗体，重新排课。")});
  // A second plan row of the same course with that teacher makes the cell right.
  b.s.Bjkcs(7, 1) = 2;
  b.s.Bjkcb(2, 1, 7, 1) = 1;
  b.s.Bjkcb(2, 2, 7, 1) = 2;
  b.ui.clearEvents();
  EXPECT_EQ(Phjckcct(c), 0);
  EXPECT_TRUE(b.ui.allTexts().isEmpty());
}

TEST(CombinedCheck, ASecondLessonAtTheSameSlotIsReported) {
  Bench b = twoGradesWithChinesePlans();
  fixtures::addCombinedLesson(b.s, QStringLiteral("8"), QStringLiteral("0701"), QStringLiteral("0102"), 2);
  fixtures::addCombinedLesson(b.s, QStringLiteral("8"), QStringLiteral("0701"), QStringLiteral("0102"), 3);
  Ctx c = b.ctx();
  Cltyk(c, 1, 7, 1, 1, 2, 2, QString());
  Cltyk(c, 2, 7, 1, 1, 2, 3, QString());
  b.ui.clearEvents();
  b.ui.setAnswers({QStringLiteral("n")});
  EXPECT_EQ(Jctykct(c), 0);
  EXPECT_EQ(b.ui.texts(QStringLiteral("info")),
            QStringList{QStringLiteral(
                "　　初一1班班的班级课表星期一第2节和“全校排课设置”的第2次“合班课”不一致，\r\n"
                "　　需要删除这些班级的课表（不保留合班课），重新编排，还可能需要检查“全校排课设置”的“"
                "合班课”的设置有没有冲突处。")});
  EXPECT_EQ(b.ui.texts(QStringLiteral("question")),
            QStringList{QStringLiteral("删除初一1班这些班级课表吗？")});
  EXPECT_EQ(b.s.Kb(1, 1, 2, 7, 1), QStringLiteral("0020010008"));
}

TEST(CapCheck, OnlyCountsAboveTheCapAreWarned) {
  Bench b = twoGradesWithChinesePlans();
  b.s.Szlmc(6, 0) = QStringLiteral("1");
  b.s.Szlmc(6, 1) = QStringLiteral("语文　　　　");
  b.s.Szlz(6, 1) = 1;
  putLesson(b.s, b.st, 7, 1, 1, 1, 1, 1);
  Ctx c = b.ctx();
  EXPECT_EQ(Phjc56lkc(c), 0);
  putLesson(b.s, b.st, 7, 2, 1, 1, 1, 1);
  EXPECT_EQ(Phjc56lkc(c), 1);
  EXPECT_EQ(b.ui.texts(QStringLiteral("warning")),
            QStringList{QStringLiteral("全校的语文星期一第1节的班级数为2，大于设定值1！")});
}

}  // namespace
}  // namespace tavro::testing
