#pragma once
// ScriptedUi: a Ui that answers from a queue and records everything shown.
// Tests assert the exact texts the user would see; tavro-cli answers its
// --answers list with it. Questions take "y"/"n" (or anything starting with
// them); input boxes take the answer text as is.

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "core/ui.h"

namespace tavro {

struct UiEvent {
  QString kind;    // "info", "warning", "question", "input", "file", "tip", "beep"
  QString text;    // the exact text shown (for "tip": the tip text)
  QString answer;  // the answer given ("y"/"n", the input text, "" when none)
  bool answered = false;
};

class ScriptedUi : public Ui {
 public:
  ScriptedUi() = default;
  explicit ScriptedUi(const QStringList& answers) { setAnswers(answers); }

  void setAnswers(const QStringList& answers);
  void addAnswer(const QString& answer) { answers_.push_back(answer); }
  // When set, an input box asked again with the same prompt after the answers
  // ran out throws OperationStopped instead of returning an empty answer.
  void setStopOnRepeatedInput(bool on) { stopOnRepeatedInput_ = on; }
  // Called after every event is recorded (tavro-cli prints and logs with it).
  void setObserver(std::function<void(const UiEvent&)> observer) { observer_ = std::move(observer); }
  // Answer used for file choices (the data folder's sheet), when any.
  void setChosenFile(const QString& path) { chosenFile_ = path; }

  void info(const QString& text) override;
  void warning(const QString& text) override;
  bool ask(const QString& text, bool noDefault = false) override;
  std::optional<QString> input(const QString& prompt, const QString& title = QString(),
                               const QString& defaultText = QString()) override;
  std::optional<QString> chooseFile(const QString& title, const QString& filter) override;
  void progress(int percent) override { lastProgress_ = percent; }
  void status(const QString& text) override { lastStatus_ = text; }
  void beep() override;
  void tip(int number, const QString& text) override;

  const std::vector<UiEvent>& events() const { return events_; }
  // Texts of the events of one kind, in order.
  QStringList texts(const QString& kind) const;
  // All message, question and input texts, in order.
  QStringList allTexts() const;
  int lastProgress() const { return lastProgress_; }
  const QString& lastStatus() const { return lastStatus_; }
  int beeps() const { return beeps_; }
  int remainingAnswers() const { return static_cast<int>(answers_.size()); }
  void clearEvents() { events_.clear(); }

 private:
  void record(UiEvent e);
  std::deque<QString> answers_;
  std::vector<UiEvent> events_;
  std::function<void(const UiEvent&)> observer_;
  QString chosenFile_;
  QStringList promptsAfterExhaustion_;
  bool stopOnRepeatedInput_ = false;
  int lastProgress_ = 0;
  QString lastStatus_;
  int beeps_ = 0;
};

}  // namespace tavro
