#pragma once
// tavro-cli: the headless front end. run() parses the arguments, runs one
// command and returns the process exit code (kExit* in cli/commands.h):
//   0 done, 2 bad usage, 3 an operation stopped on a validation message,
//   4 a program-end path.

#include <QStringList>
#include <QTextStream>

#include "cli/commands.h"

namespace tavro::cli {

// Runs the command line args (without the program name) with every registered command.
int run(const QStringList& args, QTextStream& out, QTextStream& err);
// Runs args with the commands of registry (tests register their own).
int run(const CommandRegistry& registry, const QStringList& args, QTextStream& out, QTextStream& err);

// The --help text: usage, one line per visible command ("  " + usage + summary), the shared options.
QString helpText(const CommandRegistry& registry);

}  // namespace tavro::cli
