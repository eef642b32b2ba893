// tavro-cli import DATA: the button "1、学校" with DATA as the data folder.
// tavro-cli demo DATA: writes a filled demo school into DATA.

#include <QDir>

#include "cli/commands.h"
#include "cli/context.h"
#include "cli/school_import.h"
#include "core/errors.h"
#include "sheets/demo_school.h"

namespace tavro::cli {

namespace {

// Runs the five sheet operations; 0 when no warning was shown, 3 otherwise.
int runImport(CliContext& context, const CommandArgs& args) {
  if (args.positional.size() > 1) throw UsageError(QStringLiteral("import takes one data folder"));
  Ctx c = context.ctx();
  c.s.Wjj = dataFolderArgument(args.positional, QStringLiteral("import"));
  importSheets(c);
  if (!context.ui.texts(QStringLiteral("warning")).isEmpty())
    throw OperationStopped(QStringLiteral("the import showed the error messages above"));
  return kExitDone;
}

// The demo school is drawn from the run's random generator, so --seed N (or TAVRO_SEED) makes it
// reproducible.
int runDemo(CliContext& context, const CommandArgs& args) {
  if (args.positional.size() != 1) throw UsageError(QStringLiteral("demo needs one data folder"));
  const QString folder = args.positional.first();
  const QString presetName = args.value(QStringLiteral("preset"), QStringLiteral("medium"));
  const std::optional<DemoPreset> preset = demoPreset(presetName);
  const auto seed = static_cast<std::uint64_t>(context.session.rng.next() * 9007199254740992.0);
  const QString error = writeDemoSchool(folder, *preset, seed);
  if (!error.isEmpty()) throw OperationStopped(error);
  context.out << "demo school (" << presetName << ") written to " << QDir::toNativeSeparators(folder) << '\n';
  return kExitDone;
}

}  // namespace

void registerImportCommands(CommandRegistry& registry) {
  registry.add({.name = QStringLiteral("import"),
                .arguments = QStringLiteral("DATA"),
                .summary = QStringLiteral("imports the five sheets of DATA, or writes their templates"),
                .examples = {QStringLiteral("import school")},
                .run = runImport});
  registry.add({.name = QStringLiteral("demo"),
                .arguments = QStringLiteral("DATA"),
                .summary = QStringLiteral("writes a filled demo school (the five sheets) into DATA"),
                .options = {{"preset",
                             "NAME",
                             "small, medium (default), large, largest or county",
                             {"small", "medium", "large", "largest", "county"}}},
                .examples = {QStringLiteral("demo school --preset small --seed 7")},
                .run = runDemo});
}

}  // namespace tavro::cli
