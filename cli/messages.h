#pragma once
// Messages: where every message of tavro-cli goes. Message boxes, questions,
// input boxes and wizard tips of the Ui, and tavro-cli's own notes and errors,
// are written to standard error (one line each; the further lines of a
// message start with "  | ") and, with --log, to the log file as one JSON line
// each. --quiet keeps only the errors on standard error; the log keeps all.

#include <QFile>
#include <QString>
#include <QTextStream>
#include <memory>

#include "core/scripted_ui.h"

namespace tavro::cli {

// The kinds of tavro-cli's own messages (the "kind" of their JSON line).
enum class Note {
  Info,        // "note": what was done, where a file went
  Usage,       // "usage": a bad command line (exit code 2)
  Stopped,     // "stopped": the command refused or stopped, and why (exit code 3)
  ProgramEnd,  // "programEnd": a path that ends the program (exit code 4)
  SwapMode,    // "swapMode": a class was left in swap mode (exit code 5)
  Templates,   // "templates": sheet templates were written (exit code 6)
  Internal,    // "internal": an unexpected failure (exit code 1)
};

class Messages {
 public:
  explicit Messages(QTextStream& err) : err_(err) {}
  // Opens (truncates) the log file; the reason it cannot be opened, "" when it was.
  QString openLog(const QString& path);
  void setQuiet(bool quiet) { quiet_ = quiet; }
  // A Ui event: printed as "提示: …", "错误: …", "请回答: … -> y" … and logged.
  void uiEvent(const UiEvent& event);
  // One of tavro-cli's own messages: printed as "tavro-cli: …" and logged.
  void note(Note kind, const QString& text);

 private:
  void print(const QString& label, const QString& text, bool shown);
  void log(const QString& kind, const QString& text, const QString& answer);
  QTextStream& err_;
  std::unique_ptr<QFile> log_;
  bool quiet_ = false;
};

// The label of a Ui event on standard error ("提示", "错误", "请回答", "输入", "选择文件", "向导"); "" for
// events that are not shown (beeps).
QString eventLabel(const UiEvent& event);
// The text printed for a Ui event after its label: the text, and " -> answer" for questions, input
// boxes and file choices.
QString eventText(const UiEvent& event);
// The JSON log line of a Ui event (no line end); "" for events that are not messages.
QString eventJson(const UiEvent& event);
// A message as lines for standard error: the first after "label: ", each further line of the text
// (split at CR LF, CR or LF) after "  | ".
QString messageLines(const QString& label, const QString& text);

}  // namespace tavro::cli
