// Forced swap mode through the real window: the scheduler leaves a class with a
// lesson that must move, the user is told so when clicking it, a red partner is
// refused, a partner the grid offers resolves it, and the chain of classes goes on
// with the next unscheduled class — all by clicks on the grid widget.

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextEdit>

#include "adjust/swaptest.h"
#include "app/gridview.h"
#include "tests/app/app_support.h"
#include "tests/viewmodel/viewmodel_school.h"

namespace tavro::testing {
namespace {

// A window on the small forced-swap school, after the scheduler's own click on the must-move lesson.
struct ForcedDesk : AppDesk {
  ForcedDesk() : AppDesk(false) {
    forcedSwapMode(window->session(), window->model(), dataFolder() + u'/', false, true);
    window->model().clickGridCell(1, 1);
    window->refresh();
  }
  QString cellText(int xq, int jc) {
    auto* grid = find<app::GridView>(QStringLiteral("MSFG0"));
    const auto [row, col] = grid->position(xq, jc);
    return grid->item(row, col)->text();
  }
};

TEST(ForcedSwapWindow, ClicksResolveTheLessonAndTheChainResumes) {
  ForcedDesk d;
  EXPECT_EQ(d.st().Zt, QStringLiteral("调课"));
  EXPECT_EQ(d.find<QTextEdit>("TxtSm")->toPlainText(),
            QStringLiteral("　　白底黑字为需调课。绿字为优先可调课，黄字为可调课，橙字为可调但最好不调课，"
                           "红字为不可调课。请选择可调课。"));
  EXPECT_FALSE(d.find<QWidget>("LstBj")->isEnabled());

  // Undo waits until the class is finished.
  d.window->activateWindow();
  QTest::keyClick(d.window.get(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(d.ui.texts("info").size(), 1);
  EXPECT_EQ(
      d.ui.texts("info").first(),
      QStringLiteral("　　初一1班的课表还没有排完，正处于调课状态，现在不能撤销。请先单击可调的课（绿色、"
                     "黄色或橙色）把需调课调开，排完本班后再撤销。"));
  EXPECT_FALSE(d.st().Bxdck.isEmpty());
  d.ui.clearEvents();

  // The must-move lesson itself cannot be chosen.
  d.clickCell(1, 1);
  ASSERT_EQ(d.ui.texts("warning").size(), 1);
  EXPECT_EQ(d.ui.texts("warning").first(),
            QStringLiteral("　　教师课表不可排本课程，一定要调开，现在自动进入调课状态，不可以单击需调的"
                           "本节课，应该单击可调的课（绿色、黄色或橙色）。"));

  // A partner whose teacher is busy is refused and nothing moves.
  d.clickCell(2, 3);
  EXPECT_EQ(d.ui.texts("info").last(), QStringLiteral("语文教师张　三星期二第3节不空，不能调！"));
  EXPECT_EQ(d.s().Kb(kLongTerm, 1, 1, 7, 1), QStringLiteral("0010010000"));

  // An offered partner resolves the lesson; class 0701 counts as scheduled and is saved.
  ASSERT_NE(bpyyGrade(d.st().Bpyy(1, 2)), kGradeRed);
  d.clickCell(1, 2);
  EXPECT_EQ(d.s().Kb(kLongTerm, 1, 1, 7, 1), QStringLiteral("0020040000"));
  EXPECT_EQ(d.s().Kb(kLongTerm, 1, 2, 7, 1), QStringLiteral("0010010000"));
  EXPECT_EQ(d.s().Ypbz(7, 1), 1);
  EXPECT_TRUE(d.s().Jskb(kLongTerm, 1, 1, d.s().Jss + 1).isEmpty());

  // The chain goes on with class 0801, which the window now shows.
  EXPECT_EQ(d.st().DqNj, 8);
  EXPECT_EQ(d.st().DqBj, 1);
  EXPECT_TRUE(d.find<QLabel>("Lbl0")->text().startsWith(QStringLiteral("初二1班")));
  QFile file(d.timetableFile());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(QStringLiteral("07年级01班,初一1班\r\n 1 \r\n")));
}

}  // namespace
}  // namespace tavro::testing
