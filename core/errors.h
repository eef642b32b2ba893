#pragma once
// Exceptions that cross layers. Library code never exits the process: paths
// that end the program throw ProgramEnd after saving what must be saved, and
// the desktop program or tavro-cli catch it at the top.

#include <QString>
#include <stdexcept>

namespace tavro {

// The program must end after this message (already shown to the user, or to be
// shown by the catcher when shown is false).
class ProgramEnd : public std::runtime_error {
 public:
  explicit ProgramEnd(const QString& message, bool shown = true)
      : std::runtime_error(message.toStdString()), message_(message), shown_(shown) {}
  const QString& message() const { return message_; }
  bool shown() const { return shown_; }

 private:
  QString message_;
  bool shown_;
};

// An operation stopped because it could not get an answer it needs (for
// example tavro-cli ran out of scripted answers for a repeated input box).
class OperationStopped : public std::runtime_error {
 public:
  explicit OperationStopped(const QString& why) : std::runtime_error(why.toStdString()), why_(why) {}
  const QString& why() const { return why_; }

 private:
  QString why_;
};

}  // namespace tavro
