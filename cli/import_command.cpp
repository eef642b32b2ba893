// tavro-cli import DATA: the button "1、学校" with DATA as the data folder.
// tavro-cli demo DATA: writes a filled demo school into DATA.

#include <QDir>
#include <QFileInfo>

#include "cli/commands.h"
#include "cli/context.h"
#include "sheets/demo_school.h"
#include "sheets/school_sheet.h"
#include "sheets/sheets_host.h"

namespace tavro::cli {

namespace {

// The data folder argument as Wjj: an absolute path with a trailing "/".
QString dataFolder(const QStringList& args) {
  if (args.size() != 1) throw UsageError(QStringLiteral("import needs exactly one data folder"));
  const QFileInfo info(args.first());
  if (!info.isDir()) throw UsageError(QStringLiteral("no such folder: ") + args.first());
  return QDir::cleanPath(info.absoluteFilePath()) + u'/';
}

// Runs the five sheet operations; 0 when no warning was shown, 3 otherwise.
int runImport(CliContext& context, const QStringList& args) {
  Ctx c = context.ctx();
  c.s.Wjj = dataFolder(args);
  NoSchedulingYet host;
  CmdXx_Click(c, host);
  return context.ui.texts(QStringLiteral("warning")).isEmpty() ? kExitDone : kExitStopped;
}

// The demo school is drawn from the run's random generator, so --seed N (or TAVRO_SEED) makes it
// reproducible.
int runDemo(CliContext& context, const QStringList& args) {
  QString folder, presetName = QStringLiteral("medium");
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == u"--preset" && i + 1 < args.size()) {
      presetName = args[++i];
    } else if (folder.isEmpty() && !args[i].startsWith(u'-')) {
      folder = args[i];
    } else {
      throw UsageError(QStringLiteral("unexpected argument ") + args[i]);
    }
  }
  const auto seed = static_cast<std::uint64_t>(context.session.rng.next() * 9007199254740992.0);
  if (folder.isEmpty()) throw UsageError(QStringLiteral("demo needs a data folder"));
  const std::optional<DemoPreset> preset = demoPreset(presetName);
  if (!preset)
    throw UsageError(QStringLiteral("unknown preset ") + presetName +
                     QStringLiteral(" (small, medium, large, largest, county)"));
  const QString error = writeDemoSchool(folder, *preset, seed);
  if (!error.isEmpty()) {
    context.err << "tavro-cli: " << error << '\n';
    return kExitFailure;
  }
  context.out << "demo school (" << presetName << ") written to " << folder << '\n';
  return kExitDone;
}

}  // namespace

void registerImportCommands(CommandRegistry& registry) {
  registry.add({QStringLiteral("import"), QStringLiteral("import DATA"),
                QStringLiteral("imports the five sheets of the data folder DATA (or writes their templates)"),
                runImport});
  registry.add({QStringLiteral("demo"),
                QStringLiteral("demo DATA [--preset small|medium|large|largest|county] [--seed N]"),
                QStringLiteral("writes a filled demo school into DATA"), runDemo});
}

}  // namespace tavro::cli
