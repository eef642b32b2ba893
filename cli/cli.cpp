#include "cli/cli.h"

#include "cli/context.h"
#include "cli/options.h"
#include "core/errors.h"
#include "core/table.h"

namespace tavro::cli {

namespace {

const QString kUsageLine = QStringLiteral("Usage: tavro-cli [OPTIONS] COMMAND [ARGS]");

void printUsageError(QTextStream& err, const QString& message, const Command* command) {
  err << "tavro-cli: " << message << '\n';
  if (command) {
    err << "Usage: tavro-cli [OPTIONS] " << command->usage << '\n';
  } else {
    err << "Run \"tavro-cli --help\" for the commands and options.\n";
  }
  err.flush();
}

// Runs the command and maps every failure to its exit code, in this one place.
int runGuarded(const Command& command, const CommandLine& line, QTextStream& out, QTextStream& err) {
  try {
    CliContext context(line.shared, out, err);
    try {
      return command.run(context, line.args);
    } catch (const ProgramEnd& end) {
      if (!end.shown()) context.ui.warning(end.message());
      err << "tavro-cli: the program ends here; start again and import the sheets\n";
      return kExitProgramEnd;
    }
  } catch (const UsageError& e) {
    printUsageError(err, e.message(), &command);
    return kExitUsage;
  } catch (const OperationStopped& e) {
    err << "tavro-cli: stopped: " << e.why() << '\n';
    return kExitStopped;
  } catch (const std::exception& e) {
    err << "tavro-cli: internal error: " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace

QString helpText(const CommandRegistry& registry) {
  QString text = kUsageLine + QStringLiteral("\n\nCommands:\n");
  int width = 0;
  for (const Command& c : registry.commands())
    if (!c.hidden) width = std::max(width, static_cast<int>(c.usage.size()));
  for (const Command& c : registry.commands())
    if (!c.hidden) text += QStringLiteral("  ") + c.usage.leftJustified(width + 2) + c.summary + u'\n';
  text += QStringLiteral(
      "\nOptions shared by every command:\n"
      "  --answers a,b,...  answers to questions (y/n) and input boxes, in order; once used up,\n"
      "                     questions get \"n\", input boxes an empty answer, and an input box\n"
      "                     asked again stops the command (exit code 3)\n"
      "  --log FILE         writes every message box, question and input box as one JSON line\n"
      "  --seed N           seeds the random numbers (default: TAVRO_SEED, else the clock)\n"
      "  --help, --version\n"
      "\nExit codes: 0 done, 1 internal error, 2 bad usage, 3 stopped on a message,\n"
      "4 a path that ends the program.\n");
  return text;
}

int run(const CommandRegistry& registry, const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandLine line;
  try {
    line = parseCommandLine(args);
  } catch (const UsageError& e) {
    printUsageError(err, e.message(), nullptr);
    return kExitUsage;
  }
  if (line.version) {
    out << "tavro-cli 2.0\n";
    return kExitDone;
  }
  const Command* command = line.command.isEmpty() ? nullptr : registry.find(line.command);
  if (line.help) {
    out << (command ? QStringLiteral("Usage: tavro-cli [OPTIONS] ") + command->usage + u'\n' +
                          command->summary + u'\n'
                    : helpText(registry));
    return kExitDone;
  }
  if (line.command.isEmpty()) {
    err << helpText(registry);
    return kExitUsage;
  }
  if (!command) {
    printUsageError(err, QStringLiteral("unknown command ") + line.command, nullptr);
    return kExitUsage;
  }
  return runGuarded(*command, line, out, err);
}

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandRegistry registry;
  registerAllCommands(registry);
  return run(registry, args, out, err);
}

}  // namespace tavro::cli
