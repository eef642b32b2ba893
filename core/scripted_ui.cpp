#include "core/scripted_ui.h"

#include "core/errors.h"

namespace tavro {

void ScriptedUi::setAnswers(const QStringList& answers) {
  answers_.assign(answers.begin(), answers.end());
  promptsAfterExhaustion_.clear();
}

void ScriptedUi::record(UiEvent e) {
  events_.push_back(e);
  if (observer_) observer_(events_.back());
}

void ScriptedUi::info(const QString& text) {
  record({"info", text, QString(), false});
}

void ScriptedUi::warning(const QString& text) {
  record({"warning", text, QString(), false});
}

bool ScriptedUi::ask(const QString& text, bool) {
  QString answer = "n";
  bool answered = false;
  if (!answers_.empty()) {
    answered = true;
    const QString a = answers_.front().trimmed().toLower();
    answers_.pop_front();
    answer = a.startsWith(u'y') ? "y" : "n";
  }
  record({"question", text, answer, answered});
  return answer == "y";
}

std::optional<QString> ScriptedUi::input(const QString& prompt, const QString&, const QString&) {
  if (answers_.empty()) {
    if (stopOnRepeatedInput_ && promptsAfterExhaustion_.contains(prompt)) {
      record({"input", prompt, QString(), false});
      throw OperationStopped(QStringLiteral("no answer left for the repeated input box: ") + prompt);
    }
    promptsAfterExhaustion_.append(prompt);
    record({"input", prompt, QString(), false});
    return QString();
  }
  const QString answer = answers_.front();
  answers_.pop_front();
  record({"input", prompt, answer, true});
  return answer;
}

std::optional<QString> ScriptedUi::chooseFile(const QString& title, const QString&) {
  record({"file", title, chosenFile_, !chosenFile_.isEmpty()});
  if (chosenFile_.isEmpty()) return std::nullopt;
  return chosenFile_;
}

void ScriptedUi::beep() {
  ++beeps_;
  record({"beep", QString(), QString(), false});
}

void ScriptedUi::tip(int number, const QString& text) {
  record({"tip", text, QString::number(number), false});
}

QStringList ScriptedUi::texts(const QString& kind) const {
  QStringList out;
  for (const UiEvent& e : events_)
    if (e.kind == kind) out << e.text;
  return out;
}

QStringList ScriptedUi::allTexts() const {
  QStringList out;
  for (const UiEvent& e : events_)
    if (e.kind == "info" || e.kind == "warning" || e.kind == "question" || e.kind == "input") out << e.text;
  return out;
}

}  // namespace tavro
