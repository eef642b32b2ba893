#pragma once
// The command registry of tavro-cli. Each command lives in its own file with a
// registration function (registerXxxCommands) that registerAllCommands calls,
// so new commands are added without touching the option parsing or the
// mapping of failures to exit codes.

#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <vector>

namespace tavro::cli {

struct CliContext;

// Exit codes of tavro-cli.
inline constexpr int kExitDone = 0;        // the command did what was asked
inline constexpr int kExitFailure = 1;     // an unexpected internal error
inline constexpr int kExitUsage = 2;       // bad command line
inline constexpr int kExitStopped = 3;     // an operation stopped on a validation message
inline constexpr int kExitProgramEnd = 4;  // a path that ends the program was taken

// One command: its name (first word after the options), a usage line starting
// with the name ("import DIR"), a one-line summary for --help, and the action,
// which gets the arguments after the name and returns an exit code.
struct Command {
  QString name;
  QString usage;
  QString summary;
  std::function<int(CliContext&, const QStringList& args)> run;
  bool hidden = false;  // left out of --help (internal and test commands)
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

}  // namespace tavro::cli
