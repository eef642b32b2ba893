#pragma once
// Parsing of the tavro-cli command line: the shared options may stand anywhere;
// the first other word is the command, the remaining words are its arguments.

#include <QString>
#include <QStringList>

#include "cli/context.h"

namespace tavro::cli {

struct CommandLine {
  bool help = false;     // --help or -h
  bool version = false;  // --version
  SharedOptions shared;
  QString command;   // "" when none was given
  QStringList args;  // the words after the command that are not shared options
};

// Splits args into shared options, command and its arguments; throws UsageError on a
// missing or bad option value or an unknown option before the command.
CommandLine parseCommandLine(const QStringList& args);

}  // namespace tavro::cli
