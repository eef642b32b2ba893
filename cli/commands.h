#pragma once
// The command registry of tavro-cli. Each command lives in its own file with a
// registration function (registerXxxCommands) that registerAllCommands calls.
// A command is one declaration: its name, its arguments, a table of its
// options and its action; the shared parsing (cli/command_line.h) reads the
// table, so a new option is one line in its command's table.

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <vector>

namespace tavro::cli {

struct CliContext;

// Exit codes of tavro-cli, the same for every command (listed by --help and the README).
inline constexpr int kExitDone = 0;        // the command did what was asked
inline constexpr int kExitFailure = 1;     // an unexpected internal error
inline constexpr int kExitUsage = 2;       // bad command line; nothing was changed
inline constexpr int kExitStopped = 3;     // an operation stopped on a message that says why
inline constexpr int kExitProgramEnd = 4;  // a path that ends the program was taken
inline constexpr int kExitSwapMode = 5;    // a class was left in swap mode
inline constexpr int kExitTemplates = 6;   // sheet templates were written: fill them in, then run again

// What the shared parsing checks about an option's value before any command runs.
enum class ValueCheck {
  None,
  Folder,         // an existing folder
  NewFile,        // a file in an existing folder
  NewFileOrDash,  // like NewFile, or "-" for standard output
};

// One option of a command: "--name VALUE" (a flag when valueName is empty) and one line of help.
// choices, when given, are the only values accepted.
struct OptionSpec {
  QString name;       // without the dashes: "report"
  QString valueName;  // "FILE", "N", "stop|auto"; "" for a flag
  QString help;       // one line
  QStringList choices = {};
  ValueCheck check = ValueCheck::None;
};

// The words of one command line after parsing: the positional arguments and the options given.
class CommandArgs {
 public:
  QStringList positional;  // the words that are not options, in order (without the command name)

  bool has(const QString& name) const { return values_.contains(name); }
  // The last value given for name, fallback when it was not given.
  QString value(const QString& name, const QString& fallback = QString()) const;
  // Every value given for name, in order.
  QStringList values(const QString& name) const { return values_.value(name); }
  // The command's own options that were given (not the shared ones), in table order.
  const QStringList& given() const { return given_; }
  // Throws UsageError ("<what> does not take --x") when an option outside allowed was given.
  void allowOnly(const QStringList& allowed, const QString& what) const;

  void set(const QString& name, const QStringList& values, bool shared);

 private:
  QMap<QString, QStringList> values_;
  QStringList given_;
};

// One command: its name (the first word that is not an option), the arguments after it as shown in
// the usage line ("DATA", "DATA swap|list|remove [N...]"), a one-line summary, its options, lines
// of further help, examples (without "tavro-cli ") and the action, which returns an exit code.
struct Command {
  QString name;
  QString arguments = {};
  QString summary = {};
  std::vector<OptionSpec> options = {};
  QStringList details = {};
  QStringList examples = {};
  std::function<int(CliContext&, const CommandArgs&)> run = {};
  bool hidden = false;  // left out of --help (internal and test commands)

  // The option of that name, nullptr when the command does not take it.
  const OptionSpec* option(const QString& optionName) const;
};

// Thrown by option parsing and by commands for a bad command line; exit code 2.
class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& message() const { return message_; }

 private:
  QString message_;
};

// The commands tavro-cli knows, in registration order.
class CommandRegistry {
 public:
  // Adds a command; a command of the same name is replaced.
  void add(Command command);
  // The command of that name, nullptr when there is none.
  const Command* find(const QString& name) const;
  // Every command in registration order.
  const std::vector<Command>& commands() const { return commands_; }

 private:
  std::vector<Command> commands_;
};

// The options every command takes, in help order.
const std::vector<OptionSpec>& sharedOptions();

// Registers every command of tavro-cli; each command file adds one call here.
void registerAllCommands(CommandRegistry& registry);

// The sheet commands "import" and "demo" (cli/import_command.cpp).
void registerImportCommands(CommandRegistry& registry);
// The scheduling command "schedule" (cli/schedule_command.cpp).
void registerScheduleCommands(CommandRegistry& registry);
// tavro-cli export (cli/export_command.cpp).
void registerExportCommands(CommandRegistry& registry);
// tavro-cli temp: temporary swaps and the records of "调课.txt" (cli/temp_command.cpp).
void registerTemporaryCommands(CommandRegistry& registry);
// tavro-cli history and clear: undo, redo and restore through the history (cli/history_command.cpp).
void registerHistoryCommands(CommandRegistry& registry);
// tavro-cli quality and improve: the figures of a timetable and the improvement pass
// (cli/quality_command.cpp).
void registerQualityCommands(CommandRegistry& registry);

}  // namespace tavro::cli
