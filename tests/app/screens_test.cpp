// Screenshots of the desktop program for the README at 1366×768, written only
// when the environment variable TAVRO_SCREENS_DIR names a folder: the start
// window, a scheduled class with its headers and lessons in both layouts, and
// swap mode with headers and graded candidates, the window after a swap (with
// "撤销" naming it) and the dialog "历史".

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTableWidget>
#include <QTimer>

#include "adjust/swaptest.h"
#include "adjust/viewmodel/resolve.h"
#include "tests/app/app_support.h"

namespace tavro::testing {
namespace {

void save(AppDesk& d, const QString& name) {
  d.window->refresh();
  QCoreApplication::processEvents();  // the layout follows what the refresh showed or hid
  const QString path = QDir(qEnvironmentVariable("TAVRO_SCREENS_DIR")).filePath(name);
  EXPECT_TRUE(d.window->grab().save(path)) << path.toStdString();
}

// The number of different candidate grades shown for the lesson to move.
int gradesShown(AppDesk& d) {
  QSet<int> grades;
  for (int x = 1; x <= d.s().Mzts; ++x)
    for (int j = 1; j <= d.s().Mtjs; ++j)
      if (x != d.st().Xq1 || j != d.st().Jc1) grades.insert(bpyyGrade(d.st().Bpyy(x, j)));
  return static_cast<int>(grades.size());
}

TEST(Screens, WriteTheReadmeScreenshots) {
  if (qEnvironmentVariableIsEmpty("TAVRO_SCREENS_DIR")) GTEST_SKIP() << "TAVRO_SCREENS_DIR not set";
  AppDesk d;
  save(d, QStringLiteral("start.png"));
  d.importAndSchedule();
  d.s().Hsdm = 0;
  d.clickListRow("LstBj", 2);
  save(d, QStringLiteral("class-horizontal.png"));
  d.s().Hsdm = 1;
  d.clickListRow("LstBj", 2);
  save(d, QStringLiteral("class-vertical.png"));
  d.s().Hsdm = 0;
  d.clickListRow("LstBj", 2);
  d.clickButton("CmdDk");
  // The lesson whose grading shows the most different colours.
  int best = 0, bestXq = 1, bestJc = 1;
  for (int x = 1; x <= d.s().Mzts; ++x) {
    for (int j = 1; j <= d.s().Mtjs; ++j) {
      d.clickCell(x, j);
      if (d.st().Xq1 != x || d.st().Jc1 != j) continue;
      const int n = gradesShown(d);
      if (n > best) {
        best = n;
        bestXq = x;
        bestJc = j;
      }
      d.clickCell(x, j);
    }
  }
  d.clickCell(bestXq, bestJc);
  // The pictures show what the README promises: headers, lessons, the lesson to move in white.
  EXPECT_EQ(d.cellText(1, 0), QStringLiteral("一"));
  EXPECT_FALSE(d.cellText(bestXq, bestJc).trimmed().isEmpty());
  EXPECT_EQ(d.shownBackground(bestXq, bestJc), QColor(Qt::white));
  save(d, QStringLiteral("swap-mode.png"));

  // The swap made, then the dialog "历史" with the versions kept so far.
  int xq = 0, jc = 0;
  Ctx c = d.window->ctx();
  ASSERT_TRUE(bestPartner(c, d.st().DqNj, d.st().DqBj, xq, jc));
  d.clickCell(xq, jc);
  save(d, QStringLiteral("undo.png"));
  d.clickButton(QStringLiteral("CmdUndo"));
  d.clickButton(QStringLiteral("CmdRedo"));
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QTableWidget*>(QStringLiteral("TblLs"))->selectRow(1);
    const QString path =
        QDir(qEnvironmentVariable("TAVRO_SCREENS_DIR")).filePath(QStringLiteral("history.png"));
    EXPECT_TRUE(dialog->grab().save(path)) << path.toStdString();
    static_cast<QDialog*>(dialog)->reject();
  });
  d.clickButton(QStringLiteral("CmdHistory"));
}

}  // namespace
}  // namespace tavro::testing
