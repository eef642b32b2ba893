// tavro-cli schedule DATA [--report FILE.json] [--resolve stop|auto] [--fresh]:
// imports the five sheets of DATA, then runs the scheduling run the class
// import starts, which keeps the classes the timetable file holds and schedules
// the others class after class until every class is done or a class stays in
// swap mode (exit code 5; that class is taken out of the file, so the next run
// schedules it afresh). --fresh first clears the timetable file. The whole
// command is one action of the history.

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
#include "core/history_action.h"
#include "engine/host.h"
#include "engine/run.h"

namespace tavro::cli {

namespace {

// The seconds the import and the scheduling run took.
struct Timing {
  double import = 0, scheduling = 0, total = 0;
};

// One schedule command: whether it starts over, and what its runs found (a resolved run may start
// again: the timetable file is cleared, and the classes it held counted, at the first start only).
struct RunPlan {
  bool fresh = false;
  bool cleared = false;
  int kept = -1;  // classes the timetable file held scheduled when the run read it
  Timing timing;
};

// The engine host of the run, passed through; it counts the classes the run found scheduled: the
// run reads the timetable file, then shows the grid headers before it schedules any class.
class KeptClassCounter : public EngineHost {
 public:
  KeptClassCounter(EngineHost& inner, const School& s, int& kept) : inner_(inner), s_(s), kept_(kept) {}
  void Xsbb(int nj, int bj) override { inner_.Xsbb(nj, bj); }
  void Cbxskc(int nj, int bj) override { inner_.Cbxskc(nj, bj); }
  void refreshClassList() override { inner_.refreshClassList(); }
  void clickGridCell(int xq, int jc) override { inner_.clickGridCell(xq, jc); }
  void replayTemporaryChanges() override { inner_.replayTemporaryChanges(); }
  void recheckTemporaryChanges(int nj, int bj) override { inner_.recheckTemporaryChanges(nj, bj); }
  void showGridHeaders() override {
    if (kept_ < 0) kept_ = s_.Ypbjs;
    inner_.showGridHeaders();
  }
  void schedulingClass(int nj, int bj) override { inner_.schedulingClass(nj, bj); }
  void schedulingStopped() override { inner_.schedulingStopped(); }

 private:
  EngineHost& inner_;
  const School& s_;
  int& kept_;
};

// Imports the sheets of c.s.Wjj (with --fresh, then clears the timetable file), then runs the
// scheduling run with engine as its host.
void importAndSchedule(Ctx& c, EngineHost& engine, RunPlan& plan) {
  QElapsedTimer clock;
  clock.start();
  importSheets(c);
  plan.timing.import = clock.nsecsElapsed() / 1e9;
  if (plan.fresh && !plan.cleared) {
    clearTimetableFile(c);
    plan.cleared = true;
  }
  KeptClassCounter host(engine, c.s, plan.kept);
  CmdKb_Click(c, host);
  plan.timing.scheduling = clock.nsecsElapsed() / 1e9 - plan.timing.import;
}

// Names of the classes of the school whose timetable is not complete.
QJsonArray classesInSwapMode(const Ctx& c) {
  QJsonArray names;
  if (c.st.Bxdck.isEmpty()) return names;
  names.append(c.s.Bjmc.has(c.st.DqNj, c.st.DqBj) ? c.s.Bjmc(c.st.DqNj, c.st.DqBj) : QString());
  return names;
}

QJsonObject runReport(const Ctx& c, const RunPlan& plan) {
  const Timing& timing = plan.timing;
  return QJsonObject{
      {"classes", c.s.Bjzs},
      {"classesKept", std::max(plan.kept, 0)},
      {"classesScheduled", c.s.Ypbjs},
      {"lessonsForced", c.st.LessonsForced},
      {"automaticSwaps", c.st.AutomaticSwaps},
      {"classesLeftInSwapMode", classesInSwapMode(c).size()},
      {"classesInSwapMode", classesInSwapMode(c)},
      {"seconds",
       QJsonObject{{"import", timing.import}, {"scheduling", timing.scheduling}, {"total", timing.total}}}};
}

// The summary lines: on standard output, or as notes when the report takes standard output.
void printSummary(CliContext& context, const Ctx& c, const RunPlan& plan, const ResolveReport* resolved,
                  bool toNotes) {
  QStringList lines;
  if (plan.kept > 0)
    lines << QStringLiteral("kept the timetable of %1 classes from %2 (schedule --fresh starts over)")
                 .arg(plan.kept)
                 .arg(QDir::toNativeSeparators(c.s.Wjj + QStringLiteral("课表.txt")));
  if (plan.cleared)
    lines << QStringLiteral(
                 "started over: the old timetable is kept in %1 (history DATA undo brings it back)")
                 .arg(QDir::toNativeSeparators(c.s.Wjj + kHistoryFolderName));
  lines << (QStringLiteral("classes %1, scheduled %2, lessons forced %3, automatic swaps %4, left in "
                           "swap mode %5")
                .arg(c.s.Bjzs)
                .arg(c.s.Ypbjs)
                .arg(c.st.LessonsForced)
                .arg(c.st.AutomaticSwaps)
                .arg(classesInSwapMode(c).size()));
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
  RunPlan plan;
  plan.fresh = args.has(QStringLiteral("fresh"));
  ResolveReport resolved;
  const bool resolve = args.has(QStringLiteral("resolve"));
  HistoryActionScope action(
      c.st, HistoryAction{QStringLiteral("排课"), QString(),
                          plan.fresh ? QStringLiteral("重新编排全校课表") : QStringLiteral("编排课表")});
  if (resolve) {
    resolved = scheduleWithResolve(c, resolveModeArgument(args.value(QStringLiteral("resolve"))),
                                   [&](EngineHost& engine) { importAndSchedule(c, engine, plan); });
  } else {
    NullHost engine;
    importAndSchedule(c, engine, plan);
  }
  unsaveClassInSwapMode(c);
  plan.timing.total = clock.nsecsElapsed() / 1e9;
  QJsonObject report = runReport(c, plan);
  if (resolve) addResolveReport(report, resolved);
  const QString reportPath = args.value(QStringLiteral("report"));
  printSummary(context, c, plan, resolve ? &resolved : nullptr, reportPath == u"-");
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
  registry.add(
      {.name = QStringLiteral("schedule"),
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
                    {"stop", "auto"}},
                   {"fresh", "", "starts over: clears the timetable first (kept in the history)"}},
       .details = {QStringLiteral("A timetable DATA already holds is kept: only the classes it lacks are "
                                  "scheduled.")},
       .examples = {QStringLiteral("schedule school --resolve auto --report report.json"),
                    QStringLiteral("schedule school --fresh")},
       .run = runSchedule});
}

}  // namespace tavro::cli
