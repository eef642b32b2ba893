// Undo, redo and the history through the real window: a swap undone with Ctrl+Z and redone with
// Ctrl+Y (grid, file and captions), a kept version restored from the dialog "历史" and that
// restore undone, and "编辑"－"清除全校课表" confirmed and undone.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "adjust/swaptest.h"
#include "adjust/viewmodel/resolve.h"
#include "core/cells.h"
#include "tests/app/app_support.h"

namespace tavro::testing {
namespace {

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString place(int xq, int jc) {
  return QStringLiteral("星期") + QStringLiteral("一二三四五六日")[xq - 1] + QStringLiteral("第%1节").arg(jc);
}

struct UndoDesk : AppDesk {
  UndoDesk() {
    importAndSchedule();
    clickListRow(QStringLiteral("LstBj"), 0);
  }
  QAction* action(const char* name) { return find<QAction>(QString::fromLatin1(name)); }
  void keys(Qt::Key key) {
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), key, Qt::ControlModifier);
  }
  QString hint() { return find<QTextEdit>(QStringLiteral("TxtSm"))->toPlainText(); }
  // Swaps a lesson of the shown class (nj, bj) with the best partner the grid offers.
  bool swapOnce(int nj, int bj, int& xq1, int& jc1, int& xq2, int& jc2) {
    clickButton(QStringLiteral("CmdDk"));
    for (int x = 1; x <= s().Mzts; ++x)
      for (int j = 1; j <= s().Mtjs; ++j) {
        if (cellKind(s().Kb(kLongTerm, x, j, nj, bj)) != 0) continue;
        clickCell(x, j);
        if (st().Xq1 != x || st().Jc1 != j) continue;
        Ctx c = window->ctx();
        if (bestPartner(c, nj, bj, xq2, jc2) && bpyyGrade(st().Bpyy(xq2, jc2)) != kGradeOrange) {
          xq1 = x;
          jc1 = j;
          clickCell(xq2, jc2);
          return true;
        }
        clickCell(x, j);
      }
    return false;
  }
};

TEST(UndoWindow, CtrlZUndoesASwapTheHistoryDialogRestoresAndClearingCanBeUndone) {
  UndoDesk d;
  const int nj = d.st().DqNj, bj = d.st().DqBj;
  const QByteArray scheduled = bytesOf(d.timetableFile());
  EXPECT_EQ(d.action("ActUndo")->text(), QStringLiteral("撤销：编排课表"));
  int xq1 = 0, jc1 = 0, xq2 = 0, jc2 = 0;
  const QString className = d.s().Bjmc(nj, bj).trimmed() + u'班';
  QString text1, text2;
  {
    ASSERT_TRUE(d.swapOnce(nj, bj, xq1, jc1, xq2, jc2));
    text1 = d.cellText(xq2, jc2);  // the lessons as the swap left them
    text2 = d.cellText(xq1, jc1);
  }
  const QByteArray swapped = bytesOf(d.timetableFile());
  ASSERT_NE(swapped, scheduled);
  const QString caption = className + u' ' + place(xq1, jc1) + u'↔' + place(xq2, jc2);
  EXPECT_EQ(d.action("ActUndo")->text(), QStringLiteral("撤销：") + caption);
  EXPECT_EQ(d.find<QPushButton>(QStringLiteral("CmdUndo"))->toolTip(),
            QStringLiteral("撤销：") + caption + QStringLiteral("（Ctrl+Z）"));
  EXPECT_FALSE(d.action("ActRedo")->isEnabled());

  // Ctrl+Z: the file is byte for byte the scheduled one, the grid shows the lessons back in place.
  d.keys(Qt::Key_Z);
  EXPECT_EQ(bytesOf(d.timetableFile()), scheduled);
  EXPECT_EQ(d.cellText(xq1, jc1), text1);
  EXPECT_EQ(d.cellText(xq2, jc2), text2);
  EXPECT_EQ(d.hint(), QStringLiteral("　　已撤销：") + caption + u'。');
  EXPECT_EQ(d.action("ActRedo")->text(), QStringLiteral("重做：") + caption);
  // Ctrl+Y: the swap again.
  d.keys(Qt::Key_Y);
  EXPECT_EQ(bytesOf(d.timetableFile()), swapped);
  EXPECT_EQ(d.cellText(xq1, jc1), text2);
  EXPECT_EQ(d.cellText(xq2, jc2), text1);

  // "历史": the version the swap replaced is listed with its class; restoring it is undoable.
  QList<QStringList> rows;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("历史"));
    auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("TblLs"));
    int pick = -1;
    for (int r = 0; r < table->rowCount(); ++r) {
      QStringList row;
      for (int col = 0; col < table->columnCount(); ++col) row << table->item(r, col)->text();
      if (pick < 0 &&
          row.mid(1) == QStringList{QStringLiteral("调课"), className, QStringLiteral("课表.txt")})
        pick = r;
      rows << row;
    }
    ASSERT_GE(pick, 0);
    table->selectRow(pick);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CmdHf")), Qt::LeftButton);
  });
  d.clickButton(QStringLiteral("CmdHistory"));
  ASSERT_FALSE(rows.isEmpty());
  EXPECT_EQ(rows.first()[1], QStringLiteral("撤销"));  // newest first: the version the undo replaced
  EXPECT_EQ(bytesOf(d.timetableFile()), scheduled);
  EXPECT_EQ(d.cellText(xq1, jc1), text1);
  EXPECT_TRUE(d.hint().startsWith(QStringLiteral("　　已恢复"))) << d.hint().toStdString();
  d.keys(Qt::Key_Z);
  EXPECT_EQ(bytesOf(d.timetableFile()), swapped);

  // "清除全校课表" asks first; the cleared school can be scheduled again or the clearing undone.
  d.ui.setAnswers({"y"});
  d.action("ActClear")->trigger();
  EXPECT_FALSE(QFile::exists(d.timetableFile()));
  EXPECT_EQ(d.s().Ypbjs, 0);
  EXPECT_EQ(d.action("ActUndo")->text(), QStringLiteral("撤销：清除全校课表"));
  d.keys(Qt::Key_Z);
  EXPECT_EQ(bytesOf(d.timetableFile()), swapped);
  EXPECT_EQ(d.s().Ypbjs, d.s().Bjzs);
}

}  // namespace
}  // namespace tavro::testing
