#pragma once
// Runs tavro-cli in-process for the tests: the exit code and everything printed.

#include <QStringList>
#include <QTextStream>

#include "cli/cli.h"
#include "cli/commands.h"

namespace tavro::cli {

struct CliRun {
  int code = -1;
  QString out, err;
};

// One command line through the commands of registry.
inline CliRun runCli(const CommandRegistry& registry, const QStringList& args) {
  CliRun r;
  QTextStream out(&r.out), err(&r.err);
  r.code = run(registry, args, out, err);
  out.flush();
  err.flush();
  return r;
}

// One command line through every command of tavro-cli.
inline CliRun runCli(const QStringList& args) {
  CommandRegistry registry;
  registerAllCommands(registry);
  return runCli(registry, args);
}

}  // namespace tavro::cli
