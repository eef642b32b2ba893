#pragma once
// DesktopUi: the Ui port with dialogs: message boxes titled "提示", "错误" and
// "请回答", an input box, the open-file dialog, and the main window's progress
// bar, status text and wizard window (reached through callbacks the window sets).

#include <QPointer>
#include <QWidget>
#include <functional>

#include "core/ui.h"

namespace tavro::app {

class DesktopUi : public Ui {
 public:
  // Dialogs are centred on parent (may be null).
  explicit DesktopUi(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  std::function<void(int)> onProgress;             // moves the progress bar
  std::function<void(const QString&)> onStatus;    // writes the status text
  std::function<void(int, const QString&)> onTip;  // shows the wizard window

  void info(const QString& text) override;
  void warning(const QString& text) override;
  bool ask(const QString& text, bool noDefault = false) override;
  std::optional<QString> input(const QString& prompt, const QString& title = QString(),
                               const QString& defaultText = QString()) override;
  std::optional<QString> chooseFile(const QString& title, const QString& filter) override;
  // Moves the progress bar and lets the window repaint (user input waits until the command ends).
  void progress(int percent) override;
  void status(const QString& text) override;
  void beep() override;
  void tip(int number, const QString& text) override;

 private:
  QPointer<QWidget> parent_;
};

// Lets pending paint events run without handling user input (used while a long command runs).
void repaintNow();

}  // namespace tavro::app
