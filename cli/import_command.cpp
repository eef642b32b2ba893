// tavro-cli import DATA: the button "1、学校" with DATA as the data folder.
// tavro-cli demo DATA: writes a filled demo school into DATA, refusing a folder that already
// holds a school unless --force is given.

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

// A folder that already holds a school is refused unless --force is given; with --force the old
// "课表.txt" and "调课.txt" are renamed aside, so that the next run does not read the timetable of
// the school the demo replaced.
void clearTheWayForDemo(CliContext& context, const QString& folder, bool force) {
  const QStringList existing = schoolFilesIn(folder);
  if (existing.isEmpty()) return;
  const QString where = QDir::toNativeSeparators(folder);
  if (!force)
    throw OperationStopped(
        QStringLiteral("%1 already holds a school (%2); nothing was written. Give --force to replace "
                       "its sheets with the demo school")
            .arg(where, existing.join(QStringLiteral(", "))));
  QString error;
  const QStringList kept = keepTimetableFilesAside(folder, error);
  if (!kept.isEmpty())
    context.note(QStringLiteral("the old timetable files were kept as %1 in %2")
                     .arg(kept.join(QStringLiteral(", ")), where));
  if (!error.isEmpty()) throw OperationStopped(error);
}

// The demo school is drawn from the run's random generator, so --seed N (or TAVRO_SEED) makes it
// reproducible.
int runDemo(CliContext& context, const CommandArgs& args) {
  if (args.positional.size() != 1) throw UsageError(QStringLiteral("demo needs one data folder"));
  const QString folder = args.positional.first();
  const QString presetName = args.value(QStringLiteral("preset"), QStringLiteral("medium"));
  const std::optional<DemoPreset> preset = demoPreset(presetName);
  clearTheWayForDemo(context, folder, args.has(QStringLiteral("force")));
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
  registry.add(
      {.name = QStringLiteral("demo"),
       .arguments = QStringLiteral("DATA"),
       .summary = QStringLiteral("writes a filled demo school (the five sheets) into DATA"),
       .options = {{"preset",
                    "NAME",
                    "small, medium (default), large, largest or county",
                    {"small", "medium", "large", "largest", "county"}},
                   {"force", "", "replace the sheets of a folder that already holds a school"}},
       .details = {QStringLiteral("A folder that already holds sheets or a timetable is refused (exit "
                                  "code 3);"),
                   QStringLiteral("with --force its old 课表.txt and 调课.txt are kept as "
                                  "<name>.旧-YYYYMMDD-HHMMSS.")},
       .examples = {QStringLiteral("demo school --preset small --seed 7")},
       .run = runDemo});
}

}  // namespace tavro::cli
