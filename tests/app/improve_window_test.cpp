// "优化课表" on the real main window: the button under "12、退出" is enabled
// only when every class is scheduled; a press shows the progress and can be
// stopped by Esc or the button (then "停止优化"), keeping the best timetable;
// a full pass saves "课表.txt", shows the figures before and after and the
// class grid as the timetable now is, and is one undo step.

#include <gtest/gtest.h>

#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "adjust/gridmodel.h"
#include "tests/app/app_support.h"
#include "tests/fixtures/text_files.h"

namespace tavro::testing {
namespace {

using fixtures::readBytes;

// The lesson texts the grid shows agree with the class timetable, cell by cell.
void expectGridShowsModel(AppDesk& d) {
  const GridModel& g = d.st().MSFG;
  for (int x = 1; x <= d.s().Mzts; ++x)
    for (int j = 1; j <= d.s().Mtjs; ++j) EXPECT_EQ(d.cellText(x, j), g.cells(x, j).text) << x << "," << j;
}

TEST(ImproveWindow, StoppedByEscOrTheButtonThenAFullPassThatCanBeUndone) {
  AppDesk d;
  auto* button = d.find<QPushButton>(QStringLiteral("CmdYh"));
  ASSERT_NE(button, nullptr);
  auto* quit = d.find<QPushButton>(QStringLiteral("CmdTc"));
  EXPECT_EQ(button->text(), "优化课表");
  EXPECT_FALSE(button->isEnabled());
  EXPECT_EQ(button->x(), quit->x());
  EXPECT_GT(button->y(), quit->y() + quit->height() - 1);

  d.importAndSchedule();
  d.clickListRow(QStringLiteral("LstBj"), 1);
  EXPECT_TRUE(button->isEnabled());
  const QByteArray scheduled = readBytes(d.timetableFile());

  // Stopped at its first progress report, by Esc and by the button: the caption changes while it
  // runs, and the window is as before the press or keeps the exchanges made so far.
  for (bool escape : {true, false}) {
    QStringList captions;
    QTimer::singleShot(0, [&] {
      captions << button->text();
      if (escape)
        QTest::keyClick(d.window.get(), Qt::Key_Escape);
      else
        QTest::mouseClick(button, Qt::LeftButton);
    });
    d.ui.clearEvents();
    d.clickButton(QStringLiteral("CmdYh"));
    EXPECT_EQ(captions, QStringList{"停止优化"});
    ASSERT_EQ(d.ui.texts("info").size(), 1);
    EXPECT_TRUE(d.ui.texts("info")[0].startsWith(QStringLiteral("　　已停止优化，")))
        << d.ui.texts("info")[0].toStdString();
    EXPECT_EQ(button->text(), "优化课表");
    EXPECT_EQ(d.find<QProgressBar>(QStringLiteral("PrbJd"))->value(), 0);
    expectGridShowsModel(d);
  }

  // A full pass: the figures before and after, the grid as the timetable now is, one undo step.
  d.ui.clearEvents();
  d.clickButton(QStringLiteral("CmdYh"));
  ASSERT_EQ(d.ui.texts("info").size(), 1);
  const QString message = d.ui.texts("info")[0];
  EXPECT_TRUE(message.startsWith(QStringLiteral("　　课表优化完成，共交换"))) << message.toStdString();
  const QStringList lines = message.split(QStringLiteral("\r\n"));
  const QStringList counted{"同一天重复的课",       "下午的主科课", "最后两节的主科课",
                            "第一节和最后一节超用", "教师空堂",     "教师超过每天最多节数的天数"};
  ASSERT_EQ(lines.size(), 1 + counted.size()) << message.toStdString();
  EXPECT_TRUE(lines[0].endsWith(QStringLiteral("次课，课表文件已保存。")));
  for (int i = 0; i < counted.size(); ++i)
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^　　%1：\\d+ → \\d+$").arg(counted[i]))
                    .match(lines[i + 1])
                    .hasMatch())
        << lines[i + 1].toStdString();
  EXPECT_EQ(d.st().TxtSm, QStringLiteral("　　课表已优化。可以单击“撤销”取消本次优化。"));
  expectGridShowsModel(d);
  const QByteArray improved = readBytes(d.timetableFile());
  EXPECT_NE(improved, scheduled);

  d.ui.clearEvents();
  d.clickButton(QStringLiteral("CmdYh"));
  EXPECT_EQ(d.ui.texts("info"), QStringList{"　　没有找到能改进课表的交换，课表没有改变。"});
  EXPECT_EQ(readBytes(d.timetableFile()), improved);

  EXPECT_EQ(d.window->model().undoCaption(), "撤销：优化课表");
  d.window->dispatch([&] { d.window->model().undo(); });
  EXPECT_NE(readBytes(d.timetableFile()), improved);
  expectGridShowsModel(d);
  EXPECT_TRUE(button->isEnabled());
}

}  // namespace
}  // namespace tavro::testing
