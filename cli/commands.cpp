#include "cli/commands.h"

namespace tavro::cli {

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

void registerAllCommands(CommandRegistry& registry) {
  // One line per command file.
  registerImportCommands(registry);
  registerScheduleCommands(registry);
  registerExportCommands(registry);
  registerTemporaryCommands(registry);
}

}  // namespace tavro::cli
