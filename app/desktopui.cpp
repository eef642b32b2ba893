#include "app/desktopui.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace tavro::app {

namespace {

const QString kProgramTitle = QStringLiteral("Tavro中小学排课系统2.0版");

// Gives the standard buttons of a box their Chinese captions (whether or not Qt's own translation
// is installed).
void chineseButtons(QMessageBox& box) {
  const std::pair<QMessageBox::StandardButton, const char16_t*> captions[] = {{QMessageBox::Ok, u"确定"},
                                                                              {QMessageBox::Yes, u"是"},
                                                                              {QMessageBox::No, u"否"},
                                                                              {QMessageBox::Cancel, u"取消"}};
  for (const auto& [which, caption] : captions)
    if (QAbstractButton* button = box.button(which)) button->setText(QString::fromUtf16(caption));
}

void messageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("MsgBox"));
  chineseButtons(box);
  box.exec();
}

}  // namespace

void installChineseTranslation(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

void repaintNow() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DesktopUi::info(const QString& text) {
  messageBox(parent_, QMessageBox::Information, QStringLiteral("提示"), text);
}

void DesktopUi::warning(const QString& text) {
  messageBox(parent_, QMessageBox::Warning, QStringLiteral("错误"), text);
}

bool DesktopUi::ask(const QString& text, bool noDefault) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("请回答"), text, QMessageBox::Yes | QMessageBox::No,
                  parent_);
  box.setObjectName(QStringLiteral("MsgBox"));
  chineseButtons(box);
  box.setDefaultButton(noDefault ? QMessageBox::No : QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DesktopUi::input(const QString& prompt, const QString& title,
                                        const QString& defaultText) {
  QInputDialog dialog(parent_);
  dialog.setObjectName(QStringLiteral("InputBox"));
  dialog.setWindowTitle(title.isEmpty() ? kProgramTitle : title);
  dialog.setLabelText(prompt);
  dialog.setTextValue(defaultText);
  dialog.setOkButtonText(QStringLiteral("确定"));
  dialog.setCancelButtonText(QStringLiteral("取消"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

std::optional<QString> DesktopUi::chooseFile(const QString& title, const QString& filter) {
  const QString file = QFileDialog::getOpenFileName(parent_, title, QString(), filter);
  if (file.isEmpty()) return std::nullopt;
  return file;
}

void DesktopUi::progress(int percent) {
  if (onProgress) onProgress(percent);
  repaintNow();
}

void DesktopUi::status(const QString& text) {
  if (onStatus) onStatus(text);
  repaintNow();
}

void DesktopUi::beep() {
  QApplication::beep();
}

void DesktopUi::tip(int number, const QString& text) {
  if (onTip) onTip(number, text);
}

void WindowStatusUi::info(const QString& text) {
  if (beforeDialog) beforeDialog();
  inner_.info(text);
}

void WindowStatusUi::warning(const QString& text) {
  if (beforeDialog) beforeDialog();
  inner_.warning(text);
}

bool WindowStatusUi::ask(const QString& text, bool noDefault) {
  if (beforeDialog) beforeDialog();
  return inner_.ask(text, noDefault);
}

std::optional<QString> WindowStatusUi::input(const QString& prompt, const QString& title,
                                             const QString& defaultText) {
  if (beforeDialog) beforeDialog();
  return inner_.input(prompt, title, defaultText);
}

std::optional<QString> WindowStatusUi::chooseFile(const QString& title, const QString& filter) {
  if (beforeDialog) beforeDialog();
  return inner_.chooseFile(title, filter);
}

void WindowStatusUi::progress(int percent) {
  if (onProgress) onProgress(percent);
  inner_.progress(percent);
  repaintNow();
}

void WindowStatusUi::status(const QString& text) {
  if (onStatus) onStatus(text);
  inner_.status(text);
  repaintNow();
}

}  // namespace tavro::app
