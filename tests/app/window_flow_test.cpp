// The teaching office's job on the real main window, end to end: start,
// import and scheduling, browsing classes and teachers, swap mode with every
// colour, a temporary swap dated ahead, the detailed window, deleting and
// scheduling a class again, and the export. Each step clicks the window's own
// buttons, list rows and grid cells and reads back what the widgets show: grid
// texts, painted colours, list items and selections, labels and geometry.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "adjust/gridmodel.h"
#include "adjust/swaptest.h"
#include "adjust/viewmodel/resolve.h"
#include "app/colours.h"
#include "app/detailwindow.h"
#include "app/exportframe.h"
#include "core/cells.h"
#include "core/procedures.h"
#include "temporary/changefile.h"
#include "tests/app/app_support.h"

namespace tavro::testing {
namespace {

const QColor k3DLight(0xE3, 0xE3, 0xE3);

// The small demo school in a window of the size a maximized window has on a 1366×768 screen.
struct FlowDesk : AppDesk {
  FlowDesk() {
    window->resize(1366, 700);
    window->exportFrame()->setSettingsPath(dir.filePath(QStringLiteral("config/print.txt")));
    window->exportFrame()->services().openFile = [](const QString&) { return false; };
    window->exportFrame()->services().openFolder = [this](const QString& folder) { openedFolders << folder; };
    QCoreApplication::processEvents();
  }
  QString text(const char* name) {
    if (auto* label = find<QLabel>(QString::fromLatin1(name))) return label->text();
    if (auto* edit = find<QTextEdit>(QString::fromLatin1(name))) return edit->toPlainText();
    return find<QAbstractButton>(QString::fromLatin1(name))->text();
  }
  bool shown(const char* name) { return find<QWidget>(QString::fromLatin1(name))->isVisible(); }
  // The class of row `row` of the class list.
  std::pair<int, int> classAt(int row) {
    const QString item = st().LstBj.item(row);
    return {ValMid(item, 0, 2), ValMid(item, 2, 2)};
  }
  app::FrmJdkb* detail() { return window->findChild<app::FrmJdkb*>(QStringLiteral("FrmJdkb")); }
  QStringList openedFolders;
};

// Every cell of the shown class: the grid shows the model's text, text colour and background.
void expectGridShowsModel(FlowDesk& d) {
  const GridModel& g = d.st().MSFG;
  auto* grid = d.find<app::GridView>(QStringLiteral("MSFG0"));
  for (int x = 1; x <= d.s().Mzts; ++x)
    for (int j = 1; j <= d.s().Mtjs; ++j) {
      const GridCell& cell = g.cells(x, j);
      const auto [row, col] = grid->position(x, j);
      EXPECT_EQ(d.cellText(x, j), cell.text) << x << "," << j;
      const QColor fore = app::gridColour(cell.fore);
      EXPECT_EQ(grid->item(row, col)->foreground().color(), fore.isValid() ? fore : QColor(Qt::black));
      const QColor back = cell.back == kColourDefault ? k3DLight : app::gridColour(cell.back);
      EXPECT_EQ(d.shownBackground(x, j), back) << x << "," << j << " back " << cell.back;
    }
}

// A cell of the shown class taught by teacher t, or {0, 0}.
std::pair<int, int> lessonOf(FlowDesk& d, int nj, int bj, int t) {
  for (int x = 1; x <= d.s().Mzts; ++x)
    for (int j = 1; j <= d.s().Mtjs; ++j) {
      const QString cell = d.s().Kb(kLongTerm, x, j, nj, bj);
      if (!cell.isEmpty() && cellKind(cell) < 5 && cellTeacher(cell) == t) return {x, j};
    }
  return {0, 0};
}

// Chooses in swap mode the first lesson of class (nj, bj) that the grid offers a partner for;
// returns the lesson and that partner.
bool chooseLessonWithPartner(FlowDesk& d, int nj, int bj, int& xq1, int& jc1, int& xq2, int& jc2) {
  for (int x = 1; x <= d.s().Mzts; ++x)
    for (int j = 1; j <= d.s().Mtjs; ++j) {
      if (cellKind(d.s().Kb(kLongTerm, x, j, nj, bj)) != 0) continue;
      d.clickCell(x, j);
      if (d.st().Xq1 != x || d.st().Jc1 != j) continue;
      Ctx c = d.window->ctx();
      if (bestPartner(c, nj, bj, xq2, jc2) && bpyyGrade(d.st().Bpyy(xq2, jc2)) != kGradeOrange) {
        xq1 = x;
        jc1 = j;
        return true;
      }
      d.clickCell(x, j);  // lets it go again
    }
  return false;
}

// Every visible control inside `area` is whole: wide and high enough for its contents and not
// clipped by the window.
void expectWhole(QWidget* area, const char* where) {
  const auto controls = area->findChildren<QWidget*>();
  for (QWidget* w : controls) {
    const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w) ||
                         qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w);
    if (!control || !w->isVisible() || w->objectName().startsWith(QStringLiteral("qt_"))) continue;
    const QString name = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
    EXPECT_EQ(w->visibleRegion().boundingRect(), w->rect()) << where << ": " << name.toStdString();
    if (!qobject_cast<QAbstractItemView*>(w)) {
      EXPECT_GE(w->width(), w->minimumSizeHint().width()) << where << ": " << name.toStdString();
    }
  }
}

TEST(WindowFlow, StartImportScheduleAndBrowse) {
  FlowDesk d;
  // Start: what to do first, only "1、学校" and "12、退出", the numbered buttons in focus order.
  EXPECT_EQ(d.text("TxtSm"),
            QStringLiteral(
                "　　请先按“1、学校”。数据文件夹中还没有数据表时，系统生成学校、教师、课程、合班、"
                "班级五个数据表，请逐一填好、保存后再按“1、学校”导入；五个表都导入后，系统自动开始排课。"));
  EXPECT_FALSE(d.shown("MSFG0"));
  EXPECT_LT(d.find<QWidget>("FraSm")->mapTo(d.window.get(), QPoint(0, 0)).y(), 120);
  const QStringList steps{"CmdXx", "CmdJs", "CmdKc", "CmdHb", "CmdBj",
                          "CmdKb", "CmdDk", "CmdSc", "CmdDc", "CmdTc"};
  QWidget* next = d.find<QWidget>(steps[0]);
  for (int i = 0; i < steps.size(); ++i) {
    auto* button = d.find<QPushButton>(steps[i]);
    if (i < 9) {
      EXPECT_EQ(button->shortcut(), QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + i)));
    }
    while (next && next != button && !steps.contains(next->objectName())) next = next->nextInFocusChain();
    EXPECT_EQ(next, button) << steps[i].toStdString();
    next = button->nextInFocusChain();
  }

  // Import and schedule: the status line and the bar follow the chain class by class, the
  // option captions are current when the all-scheduled box shows, and the run clears them.
  QStringList statuses;
  QList<int> bars;
  auto keepAlive = d.window->model().keepWindowAlive;
  d.window->model().keepWindowAlive = [&] {
    keepAlive();
    statuses << d.text("LblJd");
    bars << d.find<QProgressBar>("PrbJd")->value();
    // The window takes events meanwhile, but no command runs inside the run, and it stays open.
    if (statuses.size() == 2) {
      QTest::mouseClick(d.find<QPushButton>("CmdTc"), Qt::LeftButton);
      d.clickListRow("LstBj", 0);
    }
  };
  QString captionsAtEnd;
  d.ui.setObserver([&](const UiEvent& e) {
    if (e.text.startsWith(QStringLiteral("    课表已经全部排好了")))
      captionsAtEnd = d.text("OptYp") + u'|' + d.text("OptWp");
  });
  d.importAndSchedule();
  d.ui.setObserver(nullptr);
  const School& s = d.s();
  ASSERT_EQ(statuses.size(), s.Bjzs);
  EXPECT_EQ(statuses.first(), QStringLiteral("正在编排课表……\n初一1（第1个，共6个班）"));
  EXPECT_EQ(statuses.last(), QStringLiteral("正在编排课表……\n初三2（第6个，共6个班）"));
  EXPECT_EQ(bars, QList<int>({0, 16, 33, 50, 66, 83}));
  EXPECT_EQ(captionsAtEnd, QStringLiteral(" 6已排| 0未排"));
  EXPECT_EQ(d.text("LblJd"), QString());
  EXPECT_EQ(d.find<QProgressBar>("PrbJd")->value(), 0);
  EXPECT_TRUE(d.window->isVisible());
  EXPECT_FALSE(d.window->ended());

  // The teacher list starts with "000无"; teacher t is row t.
  auto* teachers = d.find<QListWidget>("LstJs");
  ASSERT_EQ(teachers->count(), s.Jss + 1);
  EXPECT_EQ(teachers->item(0)->text(), QStringLiteral("000无"));
  EXPECT_EQ(teachers->item(s.Jss)->text(), Lbq(3, s.Jss) + s.Jsmc(s.Jss));

  // The class shown after the run: headers and every lesson, in their colours.
  EXPECT_TRUE(d.shown("MSFG0"));
  EXPECT_EQ(d.cellText(1, 0), QStringLiteral("周一"));
  EXPECT_EQ(d.cellText(5, 0), QStringLiteral("周五"));
  EXPECT_EQ(d.cellText(0, 1), QStringLiteral("１"));
  EXPECT_EQ(d.cellText(0, 8), QStringLiteral("８"));
  int nj = 0, bj = 0;
  ASSERT_TRUE(d.window->model().labelClass(nj, bj));
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j)
      EXPECT_FALSE(d.cellText(x, j).remove(QChar(0x3000)).isEmpty()) << x << "," << j;
  expectGridShowsModel(d);

  // Browsing: a lesson of teacher 001 selects row 1 and reddens the equal lessons; a lesson of
  // another teacher moves the selection.
  int row = 0, xq = 0, jc = 0;
  for (; row < d.st().LstBj.count() && xq == 0; ++row) {
    std::tie(nj, bj) = d.classAt(row);
    std::tie(xq, jc) = lessonOf(d, nj, bj, 1);
  }
  ASSERT_GT(xq, 0);
  d.clickListRow("LstBj", row - 1);
  d.clickCell(xq, jc);
  EXPECT_TRUE(teachers->item(1)->isSelected());
  EXPECT_EQ(teachers->selectedItems().size(), 1);
  auto* grid = d.find<app::GridView>(QStringLiteral("MSFG0"));
  const QString clicked = d.cellText(xq, jc);
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j) {
      const auto [r, c] = grid->position(x, j);
      EXPECT_EQ(grid->item(r, c)->foreground().color(),
                d.cellText(x, j) == clicked ? QColor(255, 0, 0) : QColor(Qt::black));
    }
  const int other = cellTeacher(s.Kb(kLongTerm, xq == 1 ? 2 : 1, jc, nj, bj));
  d.clickCell(xq == 1 ? 2 : 1, jc);
  EXPECT_FALSE(teachers->item(1)->isSelected());
  if (other > 0) {
    EXPECT_TRUE(teachers->item(other)->isSelected());
  }

  // The detailed window: teacher 001, the last teacher, none for "000无", and the class; always
  // wholly on the screen of the main window.
  const QRect screen = d.window->screen()->availableGeometry();
  d.rightClickListRow("LstJs", 1);
  ASSERT_NE(d.detail(), nullptr);
  auto* caption = d.detail()->findChild<QGroupBox*>(QStringLiteral("FraJdkb"));
  EXPECT_TRUE(caption->title().startsWith(QStringLiteral("001") + s.Jsmc(1)))
      << caption->title().toStdString();
  EXPECT_TRUE(screen.contains(d.detail()->frameGeometry())) << d.detail()->x() << "," << d.detail()->width();
  d.rightClickListRow("LstJs", s.Jss);
  EXPECT_TRUE(caption->title().startsWith(Lbq(3, s.Jss) + s.Jsmc(s.Jss)));
  d.ui.clearEvents();
  d.rightClickListRow("LstJs", 0);
  EXPECT_EQ(d.ui.texts("info"), QStringList{QStringLiteral("请在教师框内选择教师！")});
  QTest::mouseClick(d.find<QLabel>("Lbl0"), Qt::LeftButton);
  EXPECT_TRUE(caption->title().startsWith(s.Bjmc(nj, bj)));
  EXPECT_TRUE(screen.contains(d.detail()->frameGeometry()));
  auto* names = d.detail()->findChild<QListWidget*>(QStringLiteral("List1"));
  for (int i = 0; i < names->count(); ++i)
    EXPECT_GE(names->visualItemRect(names->item(i)).width(),
              names->fontMetrics().horizontalAdvance(names->item(i)->text()));
}

TEST(WindowFlow, SwapModeColoursKeysAndATemporarySwapDatedAhead) {
  FlowDesk d;
  d.importAndSchedule();
  d.clickListRow("LstBj", 0);
  const auto [nj, bj] = d.classAt(0);
  d.clickButton("CmdDk");
  int xq1 = 0, jc1 = 0, xq2 = 0, jc2 = 0;
  ASSERT_TRUE(chooseLessonWithPartner(d, nj, bj, xq1, jc1, xq2, jc2));

  // Swap mode: headers stay; the lesson to move is white although it is the current cell; every
  // candidate shows its grade's colour on the candidate background.
  EXPECT_EQ(d.cellText(1, 0), QStringLiteral("周一"));
  EXPECT_EQ(d.cellText(0, 1), QStringLiteral("１"));
  auto* grid = d.find<app::GridView>(QStringLiteral("MSFG0"));
  EXPECT_EQ(grid->currentIndex(),
            grid->model()->index(grid->position(xq1, jc1).first, grid->position(xq1, jc1).second));
  EXPECT_EQ(d.shownBackground(xq1, jc1), QColor(Qt::white));
  const QColor gradeColours[] = {QColor(192, 64, 0), QColor(255, 255, 0), QColor(0, 255, 0),
                                 QColor(255, 192, 128)};
  QSet<int> grades;
  for (int x = 1; x <= d.s().Mzts; ++x)
    for (int j = 1; j <= d.s().Mtjs; ++j) {
      if (x == xq1 && j == jc1) continue;
      const int grade = bpyyGrade(d.st().Bpyy(x, j));
      grades << grade;
      const auto [r, c] = grid->position(x, j);
      EXPECT_EQ(grid->item(r, c)->foreground().color(), gradeColours[grade]);
      EXPECT_EQ(d.shownBackground(x, j), QColor(128, 128, 255));
    }
  EXPECT_TRUE(grades.contains(kGradeRed));
  EXPECT_GE(grades.size(), 2);

  // A red partner is refused with its reason; Esc lets the lesson go and the grid returns to its
  // own colours (the default background, not white).
  for (int x = 1; x <= d.s().Mzts; ++x)
    for (int j = 1; j <= d.s().Mtjs; ++j)
      if (bpyyGrade(d.st().Bpyy(x, j)) == kGradeRed && (x != xq1 || j != jc1)) {
        d.ui.clearEvents();
        d.clickCell(x, j);
        ASSERT_EQ(d.ui.texts("info").size(), 1);
        EXPECT_TRUE(d.ui.texts("info").first().endsWith(QStringLiteral("不能调！")));
        x = d.s().Mzts + 1;
        break;
      }
  QTest::keyClick(grid, Qt::Key_Escape);
  EXPECT_EQ(d.st().Xq1, 0);
  expectGridShowsModel(d);
  // Space chooses the current cell; Esc twice leaves swap mode.
  grid->setCurrentCell(grid->position(xq1, jc1).first, grid->position(xq1, jc1).second);
  QTest::keyClick(grid, Qt::Key_Space);
  EXPECT_EQ(d.st().Xq1, xq1);
  QTest::keyClick(grid, Qt::Key_Escape);
  QTest::keyClick(grid, Qt::Key_Escape);
  EXPECT_EQ(d.st().Zt, QStringLiteral("查班"));

  // A long-term swap: after it the grid shows its own colours again.
  const QString lesson1 = d.s().Kb(kLongTerm, xq1, jc1, nj, bj),
                lesson2 = d.s().Kb(kLongTerm, xq2, jc2, nj, bj);
  d.clickButton("CmdDk");
  d.clickCell(xq1, jc1);
  d.clickCell(xq2, jc2);
  EXPECT_EQ(d.s().Kb(kLongTerm, xq1, jc1, nj, bj), lesson2);
  EXPECT_EQ(d.s().Kb(kLongTerm, xq2, jc2, nj, bj), lesson1);
  EXPECT_EQ(d.text("TxtSm"),
            QStringLiteral("　　已完成本次调课。可以再选需调课继续调课，或在班级框选择班级，退出调课状态。"));
  expectGridShowsModel(d);

  // A temporary swap dated a week ahead: it shows in the 临时 layer while the range starts that
  // day, after the class is chosen again too, and not on today's layer.
  const QDate ahead = QDate::currentDate().addDays(7);
  QTest::mouseClick(d.find<QRadioButton>("OptCqls1"), Qt::LeftButton);
  d.find<QDateEdit>("DTPicker1")->setDate(ahead);
  EXPECT_EQ(d.find<QDateEdit>("DTPicker2")->date(), ahead);
  d.clickButton("CmdDk");
  ASSERT_TRUE(chooseLessonWithPartner(d, nj, bj, xq1, jc1, xq2, jc2));
  d.ui.setAnswers({"y", "y", "1"});  // the dates are settled; notices, one copy
  d.clickCell(xq2, jc2);
  // The notices wait for printing.
  EXPECT_TRUE(d.shown("RichTextBoxZb"));
  EXPECT_EQ(d.text("CmdDc"), QStringLiteral("9、打印"));
  const ChangeFile file = readChangeFile(d.dataFolder() + QStringLiteral("/调课.txt"));
  ASSERT_EQ(file.records.size(), 1);
  EXPECT_EQ(file.records[0].start, Rqwb(ahead));
  const QColor cyan(192, 255, 255);
  EXPECT_EQ(d.shownBackground(xq1, jc1), cyan);
  d.clickListRow("LstBj", 0);
  EXPECT_EQ(d.shownBackground(xq1, jc1), cyan);
  EXPECT_EQ(d.shownBackground(xq2, jc2), cyan);
  d.find<QDateEdit>("DTPicker1")->setDate(QDate::currentDate());
  EXPECT_NE(d.shownBackground(xq1, jc1), cyan);
  // A second change over a range that covers that day cannot take those lessons.
  d.find<QDateEdit>("DTPicker1")->setDate(ahead.addDays(-2));
  d.find<QDateEdit>("DTPicker2")->setDate(ahead.addDays(2));
  d.clickButton("CmdDk");
  d.ui.clearEvents();
  d.clickCell(xq1, jc1);
  EXPECT_EQ(d.st().Xq1, 0);
  ASSERT_EQ(d.ui.texts("info").size(), 1);
  EXPECT_TRUE(d.ui.texts("info").first().startsWith(QStringLiteral("　　该节已临时调课")));

  // "删临" removes the record (listed with what to do on top) and the notices go with it.
  QStringList listed;
  QString how;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    how = dialog->findChild<QLabel*>(QStringLiteral("LblSclsgk"))->text();
    auto* records = dialog->findChild<QListWidget*>(QStringLiteral("LstLsgk"));
    for (int i = 0; i < records->count(); ++i) listed << records->item(i)->text();
    records->item(0)->setSelected(true);
    dialog->accept();
  });
  d.clickButton("CmdSclsgk");
  EXPECT_EQ(how, QStringLiteral("选择要删除的临时调课记录（可选多个），再按“删除”；删除后临时课表恢复原样。"
                                "标有“（今日有效）”的记录今天正在执行。"));
  ASSERT_EQ(listed.size(), 1);
  EXPECT_TRUE(listed[0].startsWith(QStringLiteral("　　　　　　第1个："))) << listed[0].toStdString();
  EXPECT_TRUE(readChangeFile(d.dataFolder() + QStringLiteral("/调课.txt")).records.isEmpty());
  EXPECT_FALSE(d.shown("RichTextBoxZb"));
  EXPECT_TRUE(d.window->model().controls().RichTextBoxZb.isEmpty());
  EXPECT_EQ(d.text("CmdDc"), QStringLiteral("9、导出"));
}

TEST(WindowFlow, LayoutDeleteScheduleAgainAndExport) {
  FlowDesk d;
  d.importAndSchedule();
  d.clickListRow("LstBj", 0);
  // At 1366×700 every control of the window and of the export frame is whole and visible; at
  // 1280×650 nothing is cut either.
  ASSERT_TRUE(d.shown("FraDc"));
  QCoreApplication::processEvents();  // the layout follows the captions the click changed
  expectWhole(d.window.get(), "1366×700");
  d.window->resize(1280, 650);
  QCoreApplication::processEvents();
  expectWhole(d.window.get(), "1280×650");
  d.window->resize(1366, 700);
  QCoreApplication::processEvents();

  // Export: the file is named and its folder offered when the desktop does not open it.
  d.ui.setAnswers({"y"});
  d.clickButton("CmdDc");
  const QString written = d.window->exportFrame()->lastResult().path;
  ASSERT_FALSE(written.isEmpty());
  EXPECT_EQ(d.ui.texts("question").last(), QStringLiteral("　　表格已导出到文件：\r\n") +
                                               QDir::toNativeSeparators(written) +
                                               QStringLiteral("\r\n　　要打开它所在的文件夹吗？"));
  EXPECT_EQ(d.openedFolders, QStringList{QFileInfo(written).absolutePath()});
  EXPECT_EQ(d.text("LblJd"), QStringLiteral("已导出：") + QFileInfo(written).fileName());

  // Deleting a class, then scheduling it again from the 未排 list.
  d.ui.setAnswers({"y", "y", "y"});
  d.clickButton("CmdSc");
  EXPECT_EQ(d.s().Ypbjs, d.s().Bjzs - 1);
  EXPECT_FALSE(d.shown("FraDc"));
  QTest::mouseClick(d.find<QRadioButton>("OptWp"), Qt::LeftButton);
  d.clickListRow("LstBj", 0);
  EXPECT_EQ(d.text("CmdKb"), QStringLiteral("6、编排课表"));
  EXPECT_TRUE(d.find<QPushButton>("CmdKb")->isEnabled());
  d.clickButton("CmdKb");
  EXPECT_EQ(d.s().Ypbjs, d.s().Bjzs);
  EXPECT_TRUE(d.shown("FraDc"));
}

}  // namespace
}  // namespace tavro::testing
