#include "cli/cli.h"

#include "cli/command_line.h"
#include "cli/context.h"
#include "cli/help.h"
#include "cli/messages.h"
#include "cli/school_import.h"
#include "core/errors.h"
#include "core/textfile.h"

namespace tavro::cli {

namespace {

int usageError(Messages& messages, const QString& message, const QString& commandName) {
  const QString hint = commandName.isEmpty()
                           ? QStringLiteral("tavro-cli --help lists the commands and options")
                           : QStringLiteral("tavro-cli %1 --help lists its options").arg(commandName);
  messages.note(Note::Usage, message + u'\n' + hint);
  return kExitUsage;
}

int templatesWritten(Messages& messages, const TemplatesWritten& written) {
  messages.note(Note::Templates,
                QStringLiteral("wrote the template%1 %2 into %3: fill %4 in, then run the "
                               "command again")
                    .arg(written.files.size() > 1 ? QStringLiteral("s") : QString(),
                         written.files.join(QStringLiteral(", ")), written.folder,
                         written.files.size() > 1 ? QStringLiteral("them") : QStringLiteral("it")));
  return kExitTemplates;
}

// Runs the command and maps every failure to its exit code, in this one place.
int runGuarded(const CommandLine& line, const SharedOptions& shared, QTextStream& out, Messages& messages) {
  CliContext context(shared, out, messages);
  try {
    return line.command->run(context, line.args);
  } catch (const ProgramEnd& end) {
    if (!end.shown()) context.ui.warning(end.message());
    messages.note(Note::ProgramEnd,
                  QStringLiteral("the program ends here; start again and import the sheets"));
    return kExitProgramEnd;
  } catch (const UsageError& e) {
    return usageError(messages, e.message(), line.commandName);
  } catch (const OperationStopped& e) {
    messages.note(Note::Stopped, QStringLiteral("stopped: ") + e.why());
    return kExitStopped;
  } catch (const SwapModeLeft& e) {
    messages.note(Note::SwapMode, e.why);
    return kExitSwapMode;
  } catch (const TemplatesWritten& written) {
    return templatesWritten(messages, written);
  } catch (const FileError& e) {
    // A file that could not be read or written: the message names the file and the cause, as the
    // window's box does, and the command stops there.
    context.ui.warning(e.message());
    return kExitStopped;
  } catch (const std::exception& e) {
    messages.note(Note::Internal, QStringLiteral("internal error: ") + QString::fromStdString(e.what()));
    return kExitFailure;
  }
}

}  // namespace

int run(const CommandRegistry& registry, const QStringList& args, QTextStream& out, QTextStream& err) {
  Messages messages(err);
  if (const QString log = logFileArgument(args); !log.isEmpty()) {
    if (const QString why = messages.openLog(log); !why.isEmpty())
      return usageError(messages, why, QString());
  }
  CommandLine line;
  SharedOptions shared;
  try {
    parseCommandLine(registry, args, line);
    if (line.command && !line.help && !line.version) shared = sharedOptionValues(line.args);
  } catch (const UsageError& e) {
    return usageError(messages, e.message(), line.command ? line.commandName : QString());
  }
  if (line.version) {
    out << "tavro-cli 2.0\n";
    return kExitDone;
  }
  if (line.help) {
    out << (line.command ? commandHelp(*line.command) : helpText(registry));
    return kExitDone;
  }
  if (!line.command) return usageError(messages, QStringLiteral("no command given"), QString());
  messages.setQuiet(shared.quiet);
  return runGuarded(line, shared, out, messages);
}

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
  CommandRegistry registry;
  registerAllCommands(registry);
  return run(registry, args, out, err);
}

}  // namespace tavro::cli
