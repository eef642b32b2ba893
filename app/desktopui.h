#pragma once
// DesktopUi: the Ui port with dialogs: message boxes titled "提示", "错误" and
// "请回答", an input box, the open-file dialog, and the main window's progress
// bar, status text and wizard window (reached through callbacks the window sets).

#include <QCoreApplication>
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

// WindowStatusUi: the main window's Ui port. Messages, questions and dialogs go to the Ui it wraps
// (the desktop's dialogs, or a test's script) after the window has shown the state the command
// reached; the progress bar and the status text are the window's own widgets and are written here
// whichever Ui is wrapped (and passed on to it).
class WindowStatusUi : public Ui {
 public:
  explicit WindowStatusUi(Ui& inner) : inner_(inner) {}

  std::function<void(int)> onProgress;           // moves the progress bar
  std::function<void(const QString&)> onStatus;  // writes the status text
  std::function<void()> beforeDialog;            // called before a box or dialog opens

  void info(const QString& text) override;
  void warning(const QString& text) override;
  bool ask(const QString& text, bool noDefault = false) override;
  std::optional<QString> input(const QString& prompt, const QString& title = QString(),
                               const QString& defaultText = QString()) override;
  std::optional<QString> chooseFile(const QString& title, const QString& filter) override;
  void progress(int percent) override;
  void status(const QString& text) override;
  void beep() override { inner_.beep(); }
  void tip(int number, const QString& text) override { inner_.tip(number, text); }

 private:
  Ui& inner_;
};

// Lets pending paint events run without handling user input (used while a long command runs).
void repaintNow();

// Loads Qt's own Chinese translation (qtbase_zh_CN from Qt's translations folder) when it is
// installed, so the standard dialogs (files, fonts, printing) speak Chinese too. The message and
// input boxes set their button captions themselves either way.
void installChineseTranslation(QCoreApplication& app);

}  // namespace tavro::app
