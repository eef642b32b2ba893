// The desktop program's main window driven through its widgets: the start
// state, import and scheduling of a demo school, browsing, a long-term swap that
// rewrites "课表.txt", deleting a class after two questions, the wizard window and
// a path that ends the program.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

#include "adjust/swaptest.h"
#include "adjust/viewmodel/resolve.h"
#include "app/colours.h"
#include "app/wizard.h"
#include "core/errors.h"
#include "sheets/xlsx.h"
#include "tests/app/app_support.h"

namespace tavro::testing {
namespace {

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(MainWindow, StartsWithTheSchoolAndExitButtonsOnly) {
  AppDesk d(false);
  app::FrmTavroKcapxt& w = *d.window;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tavro中小学排课系统2.0版"));
  const QStringList names{"CmdXx", "CmdJs", "CmdKc", "CmdHb", "CmdBj",
                          "CmdKb", "CmdDk", "CmdSc", "CmdDc", "CmdTc"};
  const QStringList captions{"1、学校", "2、教师", "3、课程", "4、合班", "5、班级",
                             "6、课表", "7、调课", "8、删除", "9、导出", "12、退出"};
  for (int i = 0; i < names.size(); ++i) {
    auto* button = d.find<QPushButton>(names[i]);
    ASSERT_NE(button, nullptr) << names[i].toStdString();
    EXPECT_EQ(button->text(), captions[i]);
    EXPECT_EQ(button->isEnabled(), i == 0 || i == 9) << names[i].toStdString();
  }
  for (int i = 1; i <= 5; ++i) {
    auto* label = d.find<QLabel>(QStringLiteral("LblTs%1").arg(i));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("导入成功"));
    EXPECT_FALSE(label->isVisible());
  }
  EXPECT_EQ(d.find<QListWidget>("LstBj")->toolTip(),
            QStringLiteral("左击某班级查看班级课表及其任课教师课表，再右击调课"));
  EXPECT_EQ(d.find<QListWidget>("LstJs")->toolTip(), QStringLiteral("左击某教师再右击显示详细的教师课表"));
  EXPECT_EQ(d.find<QRadioButton>("OptYp")->toolTip(), QStringLiteral("已完成排课的班级"));
  EXPECT_EQ(d.find<QRadioButton>("OptWp")->toolTip(), QStringLiteral("未完成排课的班级"));
  EXPECT_TRUE(d.find<QRadioButton>("OptCqls0")->isChecked());
  EXPECT_TRUE(d.st().Cshwc);
  EXPECT_EQ(d.store->value("ini/m").toString(), QString(19, u'1'));
  EXPECT_EQ(d.s().Kxrq, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

TEST(MainWindow, ImportSchedulesTheSchoolAndShowsAClass) {
  AppDesk d;
  d.importAndSchedule();
  const School& s = d.s();
  EXPECT_EQ(s.Ypbjs, s.Bjzs);
  EXPECT_GT(s.Bjzs, 0);
  for (int i = 1; i <= 5; ++i)
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("LblTs%1").arg(i))->isVisibleTo(d.window.get()));
  EXPECT_TRUE(QFile::exists(d.timetableFile()));
  EXPECT_TRUE(d.ui.texts("warning").isEmpty()) << d.ui.texts("warning").join("\n").toStdString();
  auto* classes = d.find<QListWidget>("LstBj");
  ASSERT_EQ(classes->count(), d.st().LstBj.count());
  ASSERT_GT(classes->count(), 1);
  d.clickListRow("LstBj", 1);
  EXPECT_EQ(d.st().Zt, QStringLiteral("查班"));
  EXPECT_EQ(d.st().LstBj.listIndex(), 1);
  auto* label = d.find<QLabel>("Lbl0");
  EXPECT_TRUE(label->text().startsWith(
      s.Bjmc(d.st().LstBj.item(1).left(2).toInt(), d.st().LstBj.item(1).mid(2, 2).toInt())));
  auto* grid = d.find<app::GridView>("MSFG0");
  // The demo school lays periods out as rows (竖排): one column per weekday.
  ASSERT_EQ(s.Hsdm, 1);
  EXPECT_EQ(grid->rowCount(), s.Mtjs + 1);
  EXPECT_EQ(grid->columnCount(), s.Mzts + 1);
  EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("１"));
  EXPECT_EQ(grid->item(0, 2)->text(), d.st().MSFG.cells(2, 0).text);
  EXPECT_EQ(grid->item(3, 2)->text(), d.st().MSFG.cells(2, 3).text);
  EXPECT_EQ(grid->item(3, 2)->foreground().color(), app::gridColour(d.st().MSFG.cells(2, 3).fore).isValid()
                                                        ? app::gridColour(d.st().MSFG.cells(2, 3).fore)
                                                        : grid->item(3, 2)->foreground().color());
  EXPECT_TRUE(d.find<QPushButton>("CmdDk")->isEnabled());
  EXPECT_TRUE(d.find<QPushButton>("CmdSc")->isEnabled());
  EXPECT_GT(d.find<QListWidget>("LstKc")->count(), 0);
  // The layer options write the corner cell and show the date range for the temporary layer.
  QTest::mouseClick(d.find<QRadioButton>("OptCqls1"), Qt::LeftButton);
  EXPECT_EQ(d.st().Dqcqls, kTemporary);
  EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("临"));
  EXPECT_TRUE(d.find<QWidget>("FraRqfw")->isVisibleTo(d.window.get()));
  QTest::mouseClick(d.find<QRadioButton>("OptCqls0"), Qt::LeftButton);
  EXPECT_EQ(d.st().Dqcqls, kLongTerm);
  EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("长"));
}

TEST(MainWindow, ALongTermSwapRewritesTheTimetableFile) {
  AppDesk d;
  d.importAndSchedule();
  d.clickListRow("LstBj", 0);
  d.clickButton("CmdDk");
  EXPECT_EQ(d.st().Zt, QStringLiteral("调课"));
  const QByteArray before = readFile(d.timetableFile());
  const int nj = d.st().LstBj.item(0).left(2).toInt(), bj = d.st().LstBj.item(0).mid(2, 2).toInt();
  // The first lesson that has a partner the grid offers.
  int xq1 = 0, jc1 = 0, xq2 = 0, jc2 = 0;
  for (int x = 1; x <= d.s().Mzts && xq2 == 0; ++x) {
    for (int j = 1; j <= d.s().Mtjs && xq2 == 0; ++j) {
      if (d.s().Kb(kLongTerm, x, j, nj, bj).endsWith(u'0') == false) continue;
      d.clickCell(x, j);
      if (d.st().Xq1 != x || d.st().Jc1 != j) continue;
      Ctx c = d.window->ctx();
      if (bestPartner(c, nj, bj, xq2, jc2)) {
        xq1 = x;
        jc1 = j;
      } else {
        xq2 = 0;
        d.clickCell(x, j);  // cancels the request
      }
    }
  }
  ASSERT_GT(xq2, 0);
  auto* grid = d.find<app::GridView>("MSFG0");
  const auto [r1, c1] = grid->position(xq1, jc1);
  EXPECT_EQ(grid->item(r1, c1)->background().color(), QColor(Qt::white));
  EXPECT_EQ(d.find<QTextEdit>("TxtSm")->toPlainText(), d.st().TxtSm);
  const QString lesson1 = d.s().Kb(kLongTerm, xq1, jc1, nj, bj),
                lesson2 = d.s().Kb(kLongTerm, xq2, jc2, nj, bj);
  d.ui.addAnswer("y");  // an orange partner asks first
  d.clickCell(xq2, jc2);
  EXPECT_EQ(d.s().Kb(kLongTerm, xq1, jc1, nj, bj), lesson2);
  EXPECT_EQ(d.s().Kb(kLongTerm, xq2, jc2, nj, bj), lesson1);
  EXPECT_EQ(d.st().TxtSm,
            QStringLiteral("　　已完成本次调课。可以再选需调课继续调课，或在班级框选择班级，退出调课状态。"));
  EXPECT_NE(readFile(d.timetableFile()), before);
}

TEST(MainWindow, DeleteAsksTwiceAndUnschedulesTheClass) {
  AppDesk d;
  d.importAndSchedule();
  d.clickListRow("LstBj", 0);
  const QString name = d.st().LstBj.item(0).mid(4).trimmed();
  const int scheduled = d.s().Ypbjs;
  d.ui.clearEvents();
  d.ui.setAnswers({"y", "n"});
  d.clickButton("CmdSc");
  EXPECT_EQ(d.ui.texts("question"),
            QStringList(
                {QStringLiteral("要删除") + name + QStringLiteral("班的课表吗？"),
                 name + QStringLiteral("班的课表将被删除，一定要删除") + name + QStringLiteral("课表吗?")}));
  EXPECT_EQ(d.s().Ypbjs, scheduled);
  d.clickListRow("LstBj", 0);
  d.ui.clearEvents();
  d.ui.setAnswers({"y", "y", "y"});  // the third keeps the class's combined lessons
  d.clickButton("CmdSc");
  EXPECT_EQ(d.ui.texts("question").size(), 3);
  EXPECT_EQ(d.ui.texts("question").value(2),
            QStringLiteral("保留") + name + QStringLiteral("班的的合班课吗?"));
  EXPECT_FALSE(d.window->ended());
  EXPECT_EQ(d.s().Ypbjs, scheduled - 1);
  EXPECT_EQ(d.find<QListWidget>("LstBj")->count(), scheduled - 1);
  EXPECT_EQ(d.find<QRadioButton>("OptWp")->text(), QStringLiteral(" 1未排"));
  EXPECT_FALSE(QString::fromUtf8(readFile(d.timetableFile())).isEmpty());
}

TEST(MainWindow, DeletingTheCombinedLessonsEndsTheProgram) {
  AppDesk d;
  d.importAndSchedule();
  d.clickListRow("LstBj", 0);
  d.ui.clearEvents();
  d.ui.setAnswers({"y", "y", "n"});
  d.clickButton("CmdSc");
  EXPECT_EQ(d.ui.allTexts().last(), QStringLiteral("删除班级课表中的合班课后需要退出本软件，再重新运行。"));
  EXPECT_TRUE(d.window->ended());
  EXPECT_FALSE(d.window->isVisible());
}

TEST(MainWindow, WizardHidesATipForGoodAndExitSkipsTheStore) {
  AppDesk d(false);
  d.window->showTip(13, QStringLiteral("提示文字"));
  app::FrmTs* wizard = d.window->wizard();
  ASSERT_NE(wizard, nullptr);
  EXPECT_TRUE(wizard->isVisible());
  EXPECT_EQ(wizard->windowTitle(), QStringLiteral("操作向导"));
  EXPECT_EQ(wizard->findChild<QLabel*>("LblTs")->text(), QStringLiteral("提示文字"));
  EXPECT_EQ(wizard->findChild<QLabel*>("LblTsxh")->text(), QStringLiteral("13"));
  auto* box = wizard->findChild<QCheckBox*>("ChkTsbxs");
  EXPECT_EQ(box->text(), QStringLiteral("以后不再显示本向导"));
  box->setChecked(true);
  auto* close = wizard->findChild<QPushButton*>("CmdGb");
  EXPECT_EQ(close->text(), QStringLiteral("关　闭"));
  QTest::mouseClick(close, Qt::LeftButton);
  EXPECT_FALSE(wizard->isVisible());
  EXPECT_EQ(d.store->value("ini/m").toString(), QStringLiteral("1111111111110111111"));
  EXPECT_EQ(d.st().Xsts, 0);

  d.window->showTip(12, QStringLiteral("再一条"));
  d.store->remove("ini/i");
  d.clickButton("CmdTc");
  EXPECT_FALSE(d.window->isVisible());
  EXPECT_FALSE(d.store->contains("ini/i"));
}

TEST(MainWindow, AProgramEndShowsItsMessageAndClosesTheWindow) {
  AppDesk d(false);
  d.window->dispatch([] { throw ProgramEnd(QStringLiteral("按“确定”按钮后将退出本系统"), false); });
  EXPECT_EQ(d.ui.texts("info"), QStringList{QStringLiteral("按“确定”按钮后将退出本系统")});
  EXPECT_TRUE(d.window->ended());
  EXPECT_FALSE(d.window->isVisible());
  d.window->dispatch([] { FAIL() << "no event after the end"; });
}

TEST(MainWindow, AFailedCommandIsReportedAndTheWindowGoesOn) {
  AppDesk d(false);
  d.window->dispatch([] { throw OperationStopped(QStringLiteral("没有回答")); });
  EXPECT_EQ(d.ui.texts("warning"), QStringList{QStringLiteral("没有回答")});
  EXPECT_FALSE(d.window->ended());
  EXPECT_TRUE(d.window->isVisible());
}

// A missing sheet is one box, not one per class row; a sheet the import refuses is one box too, and
// in both cases nothing is scheduled or saved.
TEST(MainWindow, AMissingOrRefusedSheetShowsOneBoxAndSchedulesNothing) {
  for (const bool missing : {true, false}) {
    AppDesk d;
    const QString teachers = d.dataFolder() + QStringLiteral("/教师数据表.xlsx");
    if (missing) {
      ASSERT_TRUE(QFile::remove(teachers));
    } else {
      ReadResult read = readWorkbook(teachers);
      ASSERT_TRUE(read.ok());
      read.book->first().setText(7, 4, QStringLiteral("x"));
      ASSERT_TRUE(saveXlsx(*read.book, teachers).ok());
    }
    d.clickButton(QStringLiteral("CmdXx"));
    EXPECT_EQ(d.ui.allTexts().size(), 1) << d.ui.allTexts().join(u'\n').toStdString();
    EXPECT_EQ(d.ui.texts(missing ? "info" : "warning").size(), 1);
    EXPECT_TRUE(QFile::exists(teachers));
    EXPECT_FALSE(QFile::exists(d.timetableFile()));
    EXPECT_FALSE(d.st().CmdKbEnabled);
  }
}

}  // namespace
}  // namespace tavro::testing
