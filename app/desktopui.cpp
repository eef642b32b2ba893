#include "app/desktopui.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace tavro::app {

namespace {

const QString kProgramTitle = QStringLiteral("Tavro中小学排课系统2.0版");

void messageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("MsgBox"));
  box.exec();
}

}  // namespace

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
  box.setDefaultButton(noDefault ? QMessageBox::No : QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DesktopUi::input(const QString& prompt, const QString& title,
                                        const QString& defaultText) {
  bool ok = false;
  const QString answer = QInputDialog::getText(parent_, title.isEmpty() ? kProgramTitle : title, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
  if (!ok) return std::nullopt;
  return answer;
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

}  // namespace tavro::app
