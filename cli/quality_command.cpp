// tavro-cli quality DATA: the quality figures of the timetable of DATA as it
// is, whoever wrote it. tavro-cli improve DATA [--seconds S] [--report FILE]:
// the improvement pass on a timetable whose every class is scheduled, saved
// once at the end as one step of the history ("优化课表"), with the figures
// before and after.

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>

#include "adjust/viewmodel/mainwindow.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "cli/school_import.h"
#include "core/errors.h"
#include "core/history_action.h"
#include "core/timetable_file.h"
#include "engine/run.h"
#include "quality/improve.h"

namespace tavro::cli {

namespace {

// The seed of the improvement pass when neither --seed nor TAVRO_SEED gives one, so that two runs on
// the same timetable make the same exchanges.
constexpr std::uint64_t kDefaultImproveSeed = 1;

// Imports the sheets of the data folder named by args; the blocked periods as the school gave them
// (before any lesson covers one), for the hard faults.
QStringList importForQuality(Ctx& c, const CommandArgs& args, const QString& command) {
  if (args.positional.size() > 1) throw UsageError(command + QStringLiteral(" takes one data folder"));
  c.s.Wjj = dataFolderArgument(args.positional, command);
  importSheets(c);
  School marked = c.s;
  markBlockedEvents(marked);
  return blockedCells(marked);
}

QString share(int part, int whole) {
  return whole > 0 ? QStringLiteral(" (%1%)").arg(100.0 * part / whole, 0, 'f', 1) : QString();
}

// The rows of the figures: a label and one value text per timetable.
using FigureRows = std::vector<std::pair<QString, QStringList>>;

FigureRows figureRows(const std::vector<const QualityFigures*>& figures) {
  FigureRows rows;
  auto add = [&](const char* label, auto value) {
    QStringList values;
    for (const QualityFigures* f : figures) values << value(*f);
    rows.emplace_back(QString::fromLatin1(label), values);
  };
  using F = const QualityFigures&;
  add("same-day repeats", [](F f) { return QString::number(f.soft.sameDayRepeats); });
  add("main-subject lessons", [](F f) { return QString::number(f.soft.mainLessons); });
  add("  in the afternoon", [](F f) {
    return QString::number(f.soft.mainAfternoon) + share(f.soft.mainAfternoon, f.soft.mainLessons);
  });
  add("  in the last two periods", [](F f) {
    return QString::number(f.soft.mainLastTwo) + share(f.soft.mainLastTwo, f.soft.mainLessons);
  });
  add("period 1 or last period overused", [](F f) { return QString::number(f.soft.edgePeriodOveruse); });
  add("teacher idle periods", [](F f) { return QString::number(f.soft.teacherIdle); });
  add("teacher days above the daily maximum",
      [](F f) { return QString::number(f.soft.teacherDaysAboveMost); });
  add("score", [](F f) { return QString::number(f.soft.score()); });
  add("hard faults", [](F f) { return QString::number(f.hard.total()); });
  add("  lessons in banned periods", [](F f) { return QString::number(f.hard.bannedLessons); });
  add("  teacher clashes", [](F f) { return QString::number(f.hard.teacherClashes); });
  add("  lessons in blocked periods", [](F f) { return QString::number(f.hard.blockedLessons); });
  add("  caps exceeded", [](F f) { return QString::number(f.hard.capsExceeded); });
  add("  classes differing from their plan", [](F f) { return QString::number(f.hard.planDifferences); });
  add("empty class cells", [](F f) { return QString::number(f.emptyCells); });
  return rows;
}

// The figures as a table: labels left, one right-aligned column per timetable under its heading.
QString figuresTable(const QStringList& headings, const std::vector<const QualityFigures*>& figures) {
  const FigureRows rows = figureRows(figures);
  int labelWidth = 0;
  std::vector<int> widths;
  for (const QString& heading : headings) widths.push_back(static_cast<int>(heading.size()));
  for (const auto& [label, values] : rows) {
    labelWidth = std::max(labelWidth, static_cast<int>(label.size()));
    for (int i = 0; i < values.size(); ++i)
      widths[i] = std::max(widths[i], static_cast<int>(values[i].size()));
  }
  QString table;
  auto line = [&](const QString& label, const QStringList& values) {
    table += label.leftJustified(labelWidth);
    for (int i = 0; i < values.size(); ++i)
      table += QStringLiteral("  ") + values[i].rightJustified(widths[i]);
    table += u'\n';
  };
  line(QString(), headings);
  for (const auto& [label, values] : rows) line(label, values);
  return table;
}

QJsonObject figuresJson(const QualityFigures& f) {
  const SoftFaults& s = f.soft;
  const HardFaults& h = f.hard;
  return QJsonObject{{"sameDayRepeats", s.sameDayRepeats},
                     {"mainLessons", s.mainLessons},
                     {"mainAfternoon", s.mainAfternoon},
                     {"mainLastTwo", s.mainLastTwo},
                     {"edgePeriodOveruse", s.edgePeriodOveruse},
                     {"teacherIdle", s.teacherIdle},
                     {"teacherDaysAboveMost", s.teacherDaysAboveMost},
                     {"teacherLessonsAboveMost", s.teacherLessonsAboveMost},
                     {"score", static_cast<double>(s.score())},
                     {"hardFaults", QJsonObject{{"bannedLessons", h.bannedLessons},
                                                {"teacherClashes", h.teacherClashes},
                                                {"blockedLessons", h.blockedLessons},
                                                {"capsExceeded", h.capsExceeded},
                                                {"planDifferences", h.planDifferences},
                                                {"total", h.total()}}},
                     {"emptyCells", f.emptyCells}};
}

int runQuality(CliContext& context, const CommandArgs& args) {
  Ctx c = context.ctx();
  const QStringList blocked = importForQuality(c, args, QStringLiteral("quality"));
  loadTimetable(c);
  const QualityFigures figures = measureQuality(c.s, blocked);
  context.out << "classes " << c.s.Bjzs << ", scheduled " << c.s.Ypbjs << '\n';
  context.out << figuresTable({QStringLiteral("timetable")}, {&figures});
  return kExitDone;
}

// The budget of --seconds: 0 (stop at the first timetable no exchange improves) up to a day.
double secondsArgument(const CommandArgs& args) {
  const QString text = args.value(QStringLiteral("seconds"), QStringLiteral("0"));
  bool ok = false;
  const double seconds = text.toDouble(&ok);
  if (!ok || !(seconds >= 0) || seconds > 86400)
    throw UsageError(QStringLiteral("--seconds needs a number of seconds from 0 to 86400, not ") + text);
  return seconds;
}

QJsonObject improveJson(const ImproveReport& r, const ImproveOptions& options) {
  return QJsonObject{{"before", figuresJson(r.before)},
                     {"after", figuresJson(r.after)},
                     {"exchanges", r.exchanges},
                     {"saved", r.saved},
                     {"seed", QString::number(options.seed)},
                     {"budgetSeconds", options.seconds},
                     {"seconds", r.seconds}};
}

int runImprove(CliContext& context, const CommandArgs& args) {
  ImproveOptions options;
  options.seconds = secondsArgument(args);
  options.seed = sharedOptionValues(args).seed.value_or(kDefaultImproveSeed);
  Ctx c = context.ctx();
  const QStringList blocked = importForQuality(c, args, QStringLiteral("improve"));
  MainWindowModel window(c);
  reloadTimetable(c, window);
  if (c.s.Ypbjs < c.s.Bjzs || c.s.Bjzs == 0)
    throw OperationStopped(QStringLiteral("%1 of %2 classes are scheduled: schedule every class first "
                                          "(tavro-cli schedule)")
                               .arg(c.s.Ypbjs)
                               .arg(c.s.Bjzs));
  ImproveReport report;
  {
    HistoryActionScope action(c.st,
                              HistoryAction{QStringLiteral("优化"), QString(), QStringLiteral("优化课表")});
    report = improveTimetable(c, options, blocked);
  }
  const QString reportPath = args.value(QStringLiteral("report"));
  const QString summary =
      figuresTable({QStringLiteral("before"), QStringLiteral("after")}, {&report.before, &report.after}) +
      QStringLiteral("exchanges %1, %2 s, %3\n")
          .arg(report.exchanges)
          .arg(report.seconds, 0, 'f', 3)
          .arg(report.saved ? QStringLiteral("课表.txt saved") : QStringLiteral("nothing to save"));
  // The report on standard output takes it alone; the table goes with the notes then.
  if (reportPath == u"-")
    context.note(summary.chopped(1));
  else
    context.out << summary;
  if (reportPath.isEmpty()) return kExitDone;
  if (const QString why = writeReport(context, reportPath, improveJson(report, options)); !why.isEmpty())
    throw OperationStopped(
        QStringLiteral("the timetable was improved, but the report could not be written to "
                       "%1 (%2)")
            .arg(QDir::toNativeSeparators(reportPath), why));
  return kExitDone;
}

}  // namespace

void registerQualityCommands(CommandRegistry& registry) {
  registry.add(
      {.name = QStringLiteral("quality"),
       .arguments = QStringLiteral("DATA"),
       .summary = QStringLiteral("prints the quality figures of the timetable of DATA as it is"),
       .details = {QStringLiteral("Soft faults: the same course twice on a day, main subjects in the "
                                  "afternoon, teachers' idle"),
                   QStringLiteral("periods and days above the daily maximum; hard faults: lessons in "
                                  "banned or blocked periods,"),
                   QStringLiteral("teachers in two places, caps exceeded, lessons missing from the "
                                  "plans.")},
       .examples = {QStringLiteral("quality school")},
       .run = runQuality});
  registry.add(
      {.name = QStringLiteral("improve"),
       .arguments = QStringLiteral("DATA"),
       .summary = QStringLiteral("improves the scheduled timetable of DATA by exchanging lessons"),
       .options = {{"seconds", "S",
                    "searches on for S seconds, keeping the best (default 0: until no "
                    "exchange helps)"},
                   {"report",
                    "FILE",
                    "writes the figures before and after as JSON to FILE (- for standard output)",
                    {},
                    ValueCheck::NewFileOrDash}},
       .details = {QStringLiteral("Every class must be scheduled. Only exchanges the swap test grades "
                                  "green or yellow are made;"),
                   QStringLiteral("combined, fixed and whole-school lessons never move. 课表.txt is "
                                  "saved once, as one step"),
                   QStringLiteral("of the history (优化课表). The same --seed (default 1) gives the "
                                  "same exchanges.")},
       .examples = {QStringLiteral("improve school --report improve.json")},
       .run = runImprove});
}

}  // namespace tavro::cli
