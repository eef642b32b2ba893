#pragma once
// The Ui port: every message box, question, input box, file choice, progress
// bar, status text, beep and wizard tip goes through this interface, so the
// logic never touches widgets. The desktop program implements it with dialogs,
// tavro-cli prints and answers from its options, tests script it.

#include <QString>
#include <optional>

namespace tavro {

class Ui {
 public:
  virtual ~Ui() = default;
  // Information box, title "提示".
  virtual void info(const QString& text) = 0;
  // Warning box, title "错误".
  virtual void warning(const QString& text) = 0;
  // Yes/No question, title "请回答"; true = Yes. noDefault makes No the default button.
  virtual bool ask(const QString& text, bool noDefault = false) = 0;
  // Input box; nullopt when cancelled.
  virtual std::optional<QString> input(const QString& prompt, const QString& title = QString(),
                                       const QString& defaultText = QString()) = 0;
  // Asks for a file to open; nullopt when cancelled.
  virtual std::optional<QString> chooseFile(const QString& title, const QString& filter) = 0;
  // Progress bar, 0..100.
  virtual void progress(int percent) = 0;
  // Short status text beside the progress bar.
  virtual void status(const QString& text) = 0;
  // System beep.
  virtual void beep() = 0;
  // Shows numbered tip in the wizard window (modeless).
  virtual void tip(int number, const QString& text) = 0;
};

// A Ui that shows nothing, answers No and cancels every input.
class SilentUi : public Ui {
 public:
  void info(const QString&) override {}
  void warning(const QString&) override {}
  bool ask(const QString&, bool) override { return false; }
  std::optional<QString> input(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> chooseFile(const QString&, const QString&) override { return std::nullopt; }
  void progress(int) override {}
  void status(const QString&) override {}
  void beep() override {}
  void tip(int, const QString&) override {}
};

}  // namespace tavro
