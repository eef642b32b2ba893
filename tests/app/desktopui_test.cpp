// The dialogs of the desktop Ui port: titles, buttons and the default answer,
// answered by a timer that presses a button of the box the way a user would;
// and the desktop entry passing desktop-file-validate.

#include "app/desktopui.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>

namespace tavro::testing {
namespace {

struct SeenBox {
  QString title, text;
  QStringList buttons;  // the captions of its buttons, in the order the box holds them
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Presses button on the next message box and records what it showed.
void answerNextBox(SeenBox& seen, QMessageBox::StandardButton button) {
  QTimer::singleShot(0, [&seen, button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.buttons.clear();
    for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
    std::sort(seen.buttons.begin(), seen.buttons.end());
    if (box->defaultButton()) seen.defaultButton = box->standardButton(box->defaultButton());
    box->button(button)->click();
  });
}

TEST(DesktopUi, MessageBoxesCarryTheirTitlesAndDefaults) {
  app::DesktopUi ui;
  SeenBox seen;
  answerNextBox(seen, QMessageBox::Ok);
  ui.info(QStringLiteral("请在班级框中选择一个班级！"));
  EXPECT_EQ(seen.title, QStringLiteral("提示"));
  EXPECT_EQ(seen.text, QStringLiteral("请在班级框中选择一个班级！"));
  EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("确定")});
  answerNextBox(seen, QMessageBox::Ok);
  ui.warning(QStringLiteral("只能删除长期课表！"));
  EXPECT_EQ(seen.title, QStringLiteral("错误"));
  answerNextBox(seen, QMessageBox::Yes);
  EXPECT_TRUE(ui.ask(QStringLiteral("这两节对调吗？"), true));
  EXPECT_EQ(seen.title, QStringLiteral("请回答"));
  EXPECT_EQ(seen.defaultButton, QMessageBox::No);
  EXPECT_EQ(seen.buttons, QStringList({QStringLiteral("否"), QStringLiteral("是")}));
  answerNextBox(seen, QMessageBox::No);
  EXPECT_FALSE(ui.ask(QStringLiteral("要删除初一1班的课表吗？")));
  EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);
  // The input box: Chinese buttons, its title and default text.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("请回答"));
    EXPECT_EQ(dialog->okButtonText(), QStringLiteral("确定"));
    EXPECT_EQ(dialog->cancelButtonText(), QStringLiteral("取消"));
    dialog->accept();
  });
  EXPECT_EQ(
      ui.input(QStringLiteral("班级临时调课通知一式几份？"), QStringLiteral("请回答"), QStringLiteral("3")),
      QStringLiteral("3"));
}

TEST(DesktopUi, QtsOwnDialogsSpeakChineseWhenItsTranslationIsInstalled) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!QFile::exists(folder + QStringLiteral("/qtbase_zh_CN.qm"))) GTEST_SKIP() << "qtbase_zh_CN.qm missing";
  app::installChineseTranslation(*QCoreApplication::instance());
  QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("保存"));
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
}

TEST(DesktopUi, ProgressAndStatusReachTheWindow) {
  app::DesktopUi ui;
  int percent = -1;
  QString status;
  ui.onProgress = [&](int p) { percent = p; };
  ui.onStatus = [&](const QString& s) { status = s; };
  ui.progress(40);
  ui.status(QStringLiteral("正在导入学校数据……"));
  EXPECT_EQ(percent, 40);
  EXPECT_EQ(status, QStringLiteral("正在导入学校数据……"));
}

TEST(DesktopEntry, PassesTheValidator) {
  const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (validator.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed";
  QProcess run;
  run.start(validator, {QStringLiteral(TAVRO_SOURCE_DIR "/app/tavro.desktop")});
  ASSERT_TRUE(run.waitForFinished(30000));
  EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardOutput().toStdString();
  EXPECT_TRUE(run.readAllStandardOutput().trimmed().isEmpty());
}

}  // namespace
}  // namespace tavro::testing
