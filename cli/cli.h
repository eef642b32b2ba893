#pragma once
// tavro-cli: the headless front end. run() parses the arguments, runs one
// command and returns the process exit code (kExit* in cli/commands.h).
// Results are written to out, every message to err (cli/messages.h).

#include <QStringList>
#include <QTextStream>

#include "cli/commands.h"

namespace tavro::cli {

// Runs the command line args (without the program name) with every registered command.
int run(const QStringList& args, QTextStream& out, QTextStream& err);
// Runs args with the commands of registry (tests register their own).
int run(const CommandRegistry& registry, const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace tavro::cli
