#pragma once
// Parsing of the tavro-cli command line with one QCommandLineParser per command:
// the first word that is not an option (nor an option's value) names the
// command; every other word is parsed against the command's option table and
// the shared options. "--opt=value" and "--opt value" both work, "--" ends the
// options, and every value the table can check (choices, folders, files) is
// checked here, before any command runs.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "cli/commands.h"

namespace tavro::cli {

struct CommandLine {
  bool help = false;     // --help or -h
  bool version = false;  // --version
  QString commandName;   // the command word as given; "" when none
  const Command* command = nullptr;
  CommandArgs args;
};

// The options every command shares, taken from a parsed command line.
struct SharedOptions {
  QStringList answers;                // --answers a,b,...: answers to questions and input boxes, in order
  QString logFile;                    // --log FILE: one JSON line per message
  std::optional<std::uint64_t> seed;  // --seed N, else TAVRO_SEED, else none (the clock)
  bool quiet = false;                 // --quiet: only error messages
};

// The value of --log wherever it stands ("" when not given), read before the rest is checked so
// that a bad command line is logged too.
QString logFileArgument(const QStringList& args);

// Splits args into the command and its parsed arguments, filling line as it goes; throws UsageError
// for an unknown option, a missing or refused value, or an unknown command. With --help or --version
// the command's other options are not checked.
void parseCommandLine(const CommandRegistry& registry, const QStringList& args, CommandLine& line);

// The shared options of a parsed command line; throws UsageError for a bad --seed or TAVRO_SEED.
SharedOptions sharedOptionValues(const CommandArgs& args);

}  // namespace tavro::cli
