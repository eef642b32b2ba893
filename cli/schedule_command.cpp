// tavro-cli schedule DATA [--report FILE.json] [--resolve stop|auto]: imports
// the five sheets of DATA, then runs the scheduling run the class import
// starts, which schedules class after class until every class is done or a
// class stays in swap mode (exit code 5).

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "cli/commands.h"
#include "cli/context.h"
#include "cli/resolve_option.h"
#include "cli/school_import.h"
#include "core/errors.h"
#include "engine/host.h"
#include "engine/run.h"

namespace tavro::cli {

namespace {

// The seconds the import and the scheduling run took.
struct Timing {
  double import = 0, scheduling = 0, total = 0;
};

// Imports the sheets of c.s.Wjj, then runs the scheduling run with engine as its host.
void importAndSchedule(Ctx& c, EngineHost& engine, Timing& timing) {
  QElapsedTimer clock;
  clock.start();
  importSheets(c);
  timing.import = clock.nsecsElapsed() / 1e9;
  CmdKb_Click(c, engine);
  timing.scheduling = clock.nsecsElapsed() / 1e9 - timing.import;
}

// Names of the classes of the school whose timetable is not complete.
QJsonArray classesInSwapMode(const Ctx& c) {
  QJsonArray names;
  if (c.st.Bxdck.isEmpty()) return names;
  names.append(c.s.Bjmc.has(c.st.DqNj, c.st.DqBj) ? c.s.Bjmc(c.st.DqNj, c.st.DqBj) : QString());
  return names;
}

QJsonObject runReport(const Ctx& c, const Timing& timing) {
  return QJsonObject{
      {"classes", c.s.Bjzs},
      {"classesScheduled", c.s.Ypbjs},
      {"lessonsForced", c.st.LessonsForced},
      {"automaticSwaps", c.st.AutomaticSwaps},
      {"classesLeftInSwapMode", classesInSwapMode(c).size()},
      {"classesInSwapMode", classesInSwapMode(c)},
      {"seconds",
       QJsonObject{{"import", timing.import}, {"scheduling", timing.scheduling}, {"total", timing.total}}}};
}

// Writes the report to path ("-": standard output); the reason it failed, "" when written.
QString writeReport(CliContext& context, const QString& path, const QJsonObject& report) {
  const QByteArray json = QJsonDocument(report).toJson();
  if (path == u"-") {
    context.out << QString::fromUtf8(json);
    return QString();
  }
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(json) == json.size() && file.commit()) return QString();
  return file.errorString();
}

// The summary lines: on standard output, or as notes when the report takes standard output.
void printSummary(CliContext& context, const Ctx& c, const ResolveReport* resolved, bool toNotes) {
  QStringList lines{QStringLiteral("classes %1, scheduled %2, lessons forced %3, automatic swaps %4, left in "
                                   "swap mode %5")
                        .arg(c.s.Bjzs)
                        .arg(c.s.Ypbjs)
                        .arg(c.st.LessonsForced)
                        .arg(c.st.AutomaticSwaps)
                        .arg(classesInSwapMode(c).size())};
  if (resolved)
    lines << QStringLiteral("swaps resolved %1, restarts %2")
                 .arg(resolved->swapsResolved)
                 .arg(resolved->restarts);
  for (const QString& line : lines) {
    if (toNotes)
      context.note(line);
    else
      context.out << line << '\n';
  }
}

// The exit code of a finished run, with a note saying why it is not 0.
int outcome(CliContext& context, const Ctx& c, const ResolveReport& resolved) {
  if (resolved.ended) {
    context.messages.note(Note::ProgramEnd, QStringLiteral("the program ends here; start again and import "
                                                           "the sheets"));
    return kExitProgramEnd;
  }
  const QJsonArray swapMode = classesInSwapMode(c);
  if (!swapMode.isEmpty()) {
    context.messages.note(Note::SwapMode, QStringLiteral("class %1 is left in swap mode; the timetable file "
                                                         "holds the classes scheduled before it (schedule "
                                                         "--resolve auto finishes it)")
                                              .arg(swapMode.first().toString()));
    return kExitSwapMode;
  }
  if (c.s.Ypbjs != c.s.Bjzs)
    throw OperationStopped(QStringLiteral("%1 of %2 classes are scheduled (see the message above)")
                               .arg(c.s.Ypbjs)
                               .arg(c.s.Bjzs));
  return kExitDone;
}

int runSchedule(CliContext& context, const CommandArgs& args) {
  if (args.positional.size() > 1) throw UsageError(QStringLiteral("schedule takes one data folder"));
  Ctx c = context.ctx();
  c.s.Wjj = dataFolderArgument(args.positional, QStringLiteral("schedule"));
  QElapsedTimer clock;
  clock.start();
  Timing timing;
  ResolveReport resolved;
  const bool resolve = args.has(QStringLiteral("resolve"));
  if (resolve) {
    resolved = scheduleWithResolve(c, resolveModeArgument(args.value(QStringLiteral("resolve"))),
                                   [&](EngineHost& engine) { importAndSchedule(c, engine, timing); });
  } else {
    NullHost engine;
    importAndSchedule(c, engine, timing);
  }
  timing.total = clock.nsecsElapsed() / 1e9;
  QJsonObject report = runReport(c, timing);
  if (resolve) addResolveReport(report, resolved);
  const QString reportPath = args.value(QStringLiteral("report"));
  printSummary(context, c, resolve ? &resolved : nullptr, reportPath == u"-");
  if (!reportPath.isEmpty()) {
    if (const QString why = writeReport(context, reportPath, report); !why.isEmpty())
      throw OperationStopped(QStringLiteral("the scheduling run saved the timetable in %1, but the report "
                                            "could not be written to %2 (%3)")
                                 .arg(QDir::toNativeSeparators(c.s.Wjj + QStringLiteral("课表.txt")),
                                      QDir::toNativeSeparators(reportPath), why));
  }
  return outcome(context, c, resolved);
}

}  // namespace

void registerScheduleCommands(CommandRegistry& registry) {
  registry.add({.name = QStringLiteral("schedule"),
                .arguments = QStringLiteral("DATA"),
                .summary = QStringLiteral("imports the sheets of DATA and schedules every class"),
                .options = {{"report",
                             "FILE",
                             "writes the run report as JSON to FILE (- for standard output)",
                             {},
                             ValueCheck::NewFileOrDash},
                            {"resolve",
                             "stop|auto",
                             "a class left in swap mode: leave it (exit 5) or resolve it as a user would",
                             {"stop", "auto"}}},
                .examples = {QStringLiteral("schedule school --resolve auto --report report.json")},
                .run = runSchedule});
}

}  // namespace tavro::cli
