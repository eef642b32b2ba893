// tavro-cli schedule DATA [--report FILE.json]: imports the five sheets of DATA;
// the class import starts the scheduling run, which schedules class after class
// until every class is done or a class stays in swap mode (exit code 5).

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "cli/commands.h"
#include "cli/context.h"
#include "cli/resolve_option.h"
#include "engine/host.h"
#include "engine/run.h"
#include "sheets/school_sheet.h"
#include "sheets/sheets_host.h"

namespace tavro::cli {

namespace {

// Exit code of a run that left a class in swap mode (the timetable file holds the classes before it).
constexpr int kExitSwapMode = 5;

// Starts the scheduling run at the end of the class import, timing the import and the run.
class SchedulingHost : public SheetsHost {
 public:
  explicit SchedulingHost(QElapsedTimer& clock) : clock_(clock) {}
  void startSchedulingRun(Ctx& c) override {
    importSeconds = clock_.nsecsElapsed() / 1e9;
    started = true;
    NullHost nullHost;
    CmdKb_Click(c, engine != nullptr ? *engine : static_cast<EngineHost&>(nullHost));
    schedulingSeconds = clock_.nsecsElapsed() / 1e9 - importSeconds;
  }
  EngineHost* engine = nullptr;  // the main window's view-model with --resolve, else none
  bool started = false;
  double importSeconds = 0, schedulingSeconds = 0;

 private:
  QElapsedTimer& clock_;
};

struct ScheduleArgs {
  QString folder;
  QString report;
  std::optional<ResolveMode> resolve;  // --resolve stop|auto
};

ScheduleArgs parseArgs(const QStringList& args) {
  ScheduleArgs parsed;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == u"--report" && i + 1 < args.size()) {
      parsed.report = args[++i];
    } else if (args[i] == u"--resolve" && i + 1 < args.size()) {
      parsed.resolve = resolveModeArgument(args[++i]);
    } else if (parsed.folder.isEmpty() && !args[i].startsWith(u'-')) {
      parsed.folder = args[i];
    } else {
      throw UsageError(QStringLiteral("unexpected argument ") + args[i]);
    }
  }
  const QFileInfo info(parsed.folder);
  if (parsed.folder.isEmpty() || !info.isDir())
    throw UsageError(QStringLiteral("schedule needs a data folder"));
  parsed.folder = QDir::cleanPath(info.absoluteFilePath()) + u'/';
  return parsed;
}

// Names of the classes of the school whose timetable is not complete.
QJsonArray classesInSwapMode(const Ctx& c) {
  QJsonArray names;
  if (c.st.Bxdck.isEmpty()) return names;
  names.append(c.s.Bjmc.has(c.st.DqNj, c.st.DqBj) ? c.s.Bjmc(c.st.DqNj, c.st.DqBj) : QString());
  return names;
}

void writeReport(const QString& path, const QJsonObject& report) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw UsageError(QStringLiteral("cannot write ") + path);
  file.write(QJsonDocument(report).toJson());
  if (!file.commit()) throw UsageError(QStringLiteral("cannot write ") + path);
}

int runSchedule(CliContext& context, const QStringList& args) {
  const ScheduleArgs parsed = parseArgs(args);
  Ctx c = context.ctx();
  c.s.Wjj = parsed.folder;
  QElapsedTimer clock;
  clock.start();
  SchedulingHost host(clock);
  ResolveReport resolved;
  if (parsed.resolve) {
    resolved = scheduleWithResolve(c, *parsed.resolve, [&](EngineHost& engine) {
      host.engine = &engine;
      CmdXx_Click(c, host);
    });
  } else {
    CmdXx_Click(c, host);
  }
  const double total = clock.nsecsElapsed() / 1e9;
  const QJsonArray swapMode = classesInSwapMode(c);
  QJsonObject report{{"classes", c.s.Bjzs},
                     {"classesScheduled", c.s.Ypbjs},
                     {"lessonsForced", c.st.LessonsForced},
                     {"automaticSwaps", c.st.AutomaticSwaps},
                     {"classesLeftInSwapMode", swapMode.size()},
                     {"classesInSwapMode", swapMode},
                     {"seconds", QJsonObject{{"import", host.started ? host.importSeconds : total},
                                             {"scheduling", host.schedulingSeconds},
                                             {"total", total}}}};
  if (parsed.resolve) addResolveReport(report, resolved);
  if (!parsed.report.isEmpty()) writeReport(parsed.report, report);
  context.out << "classes " << c.s.Bjzs << ", scheduled " << c.s.Ypbjs << ", lessons forced "
              << c.st.LessonsForced << ", automatic swaps " << c.st.AutomaticSwaps << ", left in swap mode "
              << swapMode.size() << '\n';
  if (parsed.resolve)
    context.out << "swaps resolved " << resolved.swapsResolved << ", restarts " << resolved.restarts << '\n';
  if (resolved.ended) return kExitProgramEnd;
  if (!swapMode.isEmpty()) return kExitSwapMode;
  // The import stopped on a message, or a class could not be started (its message was shown).
  return host.started && c.s.Ypbjs == c.s.Bjzs ? kExitDone : kExitStopped;
}

}  // namespace

void registerScheduleCommands(CommandRegistry& registry) {
  registry.add(
      {QStringLiteral("schedule"),
       QStringLiteral("schedule DATA [--report FILE.json] [--resolve stop|auto] [--seed N]"),
       QStringLiteral("imports the sheets of DATA and schedules every class (exit 5: a class is left in "
                      "swap mode)"),
       runSchedule});
}

}  // namespace tavro::cli
