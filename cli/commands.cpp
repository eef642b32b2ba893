#include "cli/commands.h"

namespace tavro::cli {

QString CommandArgs::value(const QString& name, const QString& fallback) const {
  const auto it = values_.constFind(name);
  return it == values_.cend() || it->isEmpty() ? fallback : it->last();
}

void CommandArgs::allowOnly(const QStringList& allowed, const QString& what) const {
  for (const QString& name : given_)
    if (!allowed.contains(name)) throw UsageError(QStringLiteral("%1 does not take --%2").arg(what, name));
}

void CommandArgs::set(const QString& name, const QStringList& values, bool shared) {
  values_.insert(name, values);
  if (!shared && !given_.contains(name)) given_.append(name);
}

const OptionSpec* Command::option(const QString& optionName) const {
  for (const OptionSpec& spec : options)
    if (spec.name == optionName) return &spec;
  return nullptr;
}

void CommandRegistry::add(Command command) {
  for (Command& existing : commands_) {
    if (existing.name == command.name) {
      existing = std::move(command);
      return;
    }
  }
  commands_.push_back(std::move(command));
}

const Command* CommandRegistry::find(const QString& name) const {
  for (const Command& command : commands_)
    if (command.name == name) return &command;
  return nullptr;
}

const std::vector<OptionSpec>& sharedOptions() {
  static const std::vector<OptionSpec> options{
      {"answers", "A,B,...", "answers to questions (y/n) and input boxes, in order; then questions get n"},
      {"seed", "N", "seeds the random numbers (default: TAVRO_SEED, else the clock)"},
      {"log", "FILE", "writes every message as one JSON line to FILE", {}, ValueCheck::NewFile},
      {"quiet", "", "shows only the error messages"},
      {"help", "", "shows this help"},
      {"version", "", "shows the version"},
  };
  return options;
}

void registerAllCommands(CommandRegistry& registry) {
  // One line per command file.
  registerImportCommands(registry);
  registerScheduleCommands(registry);
  registerExportCommands(registry);
  registerTemporaryCommands(registry);
  registerHistoryCommands(registry);
  registerQualityCommands(registry);
}

}  // namespace tavro::cli
