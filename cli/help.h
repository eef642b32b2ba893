#pragma once
// The help texts of tavro-cli: the list of commands, and one page per command
// (usage, options one line each, the shared options, the exit codes and an
// example). Every line fits 100 columns (a Chinese character takes two).

#include <QString>

#include "cli/commands.h"

namespace tavro::cli {

// tavro-cli --help: usage, one line per visible command, the shared options and the exit codes.
QString helpText(const CommandRegistry& registry);
// tavro-cli COMMAND --help.
QString commandHelp(const Command& command);
// The columns text takes on a terminal: East Asian wide and full-width characters count two.
int displayWidth(const QString& text);

}  // namespace tavro::cli
