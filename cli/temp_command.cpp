// tavro-cli temp DATA swap|list|remove: temporary changes without the window.
// "swap" imports DATA, checks the class and the lessons against the school,
// schedules it like "export", then makes the temporary swap through the main
// window's view-model exactly as two grid clicks in the temporary layer do
// (dates, record in "调课.txt", exchange, notices). "list" and "remove" work on
// "调课.txt" alone.

#include <QDir>
#include <QSaveFile>

#include "adjust/swaptest.h"
#include "adjust/viewmodel/mainwindow.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "cli/school_import.h"
#include "core/errors.h"
#include "core/history_action.h"
#include "core/procedures.h"
#include "core/vbtext.h"
#include "engine/classlist.h"
#include "engine/run.h"
#include "temporary/changefile.h"
#include "temporary/dates.h"

namespace tavro::cli {

namespace {

struct Slot {
  int xq = 0, jc = 0;
  QString text() const { return QStringLiteral("%1,%2").arg(xq).arg(jc); }
};

struct SwapArgs {
  QString className, notices, copies;
  Slot lesson, partner;
  QDate start, end, today;
};

QDate dateArgument(const CommandArgs& args, const QString& name) {
  if (!args.has(name)) return QDate();
  const QString text = args.value(name);
  const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
  if (!d.isValid()) throw UsageError(QStringLiteral("--%1 needs a date YYYY-MM-DD, not %2").arg(name, text));
  return d;
}

Slot slotArgument(const CommandArgs& args, const QString& name) {
  const QString text = args.value(name);
  const QStringList parts = text.split(u',');
  bool ok1 = false, ok2 = false;
  const Slot s{parts.value(0).toInt(&ok1), parts.value(1).toInt(&ok2)};
  if (parts.size() != 2 || !ok1 || !ok2 || s.xq < 1 || s.jc < 1)
    throw UsageError(QStringLiteral("--%1 needs WEEKDAY,PERIOD (for example 1,3), not %2").arg(name, text));
  return s;
}

SwapArgs swapArguments(const CommandArgs& args) {
  args.allowOnly({"class", "lesson", "with", "start", "end", "notices", "copies", "today"},
                 QStringLiteral("temp swap"));
  for (const char* required : {"class", "lesson", "with", "start"})
    if (!args.has(QLatin1String(required)))
      throw UsageError(QStringLiteral("temp swap needs --class, --lesson, --with and --start"));
  SwapArgs a{args.value(QStringLiteral("class")),
             args.value(QStringLiteral("notices")),
             args.value(QStringLiteral("copies"), QStringLiteral("3")),
             slotArgument(args, QStringLiteral("lesson")),
             slotArgument(args, QStringLiteral("with")),
             dateArgument(args, QStringLiteral("start")),
             dateArgument(args, QStringLiteral("end")),
             dateArgument(args, QStringLiteral("today"))};
  if (!a.end.isValid()) a.end = a.start;
  if (a.end < a.start) throw UsageError(QStringLiteral("--end may not come before --start"));
  if (a.lesson.xq == a.partner.xq && a.lesson.jc == a.partner.jc)
    throw UsageError(QStringLiteral("--lesson and --with name the same lesson ") + a.lesson.text());
  if (args.has(QStringLiteral("copies")) && a.copies.toInt() < 1)
    throw UsageError(QStringLiteral("--copies needs a whole number from 1, not ") + a.copies);
  if (args.has(QStringLiteral("copies")) && a.notices.isEmpty())
    throw UsageError(QStringLiteral("--copies is for the notices: give --notices FILE too"));
  return a;
}

// The class named by a code (0701) or a class name, as grade and class; {0, 0} when there is none.
std::pair<int, int> findClass(const School& s, const QString& name) {
  int nj = 0, bj = 0;
  if (name.size() == 4 && name.toInt() > 0) {
    nj = ValMid(name, 0, 2);
    bj = ValMid(name, 2, 2);
  } else {
    Cbjm(s, name, nj, bj);
  }
  if (!s.isClass(nj, bj)) return {0, 0};
  return {nj, bj};
}

// Checks the class and both lessons against the imported school, before anything is scheduled.
void checkAgainstSchool(const School& s, const SwapArgs& a) {
  if (findClass(s, a.className).first == 0)
    throw UsageError(QStringLiteral("--class %1: the school has no such class").arg(a.className));
  for (const auto& [name, slot] :
       {std::pair{QStringLiteral("--lesson"), a.lesson}, {QStringLiteral("--with"), a.partner}})
    if (slot.xq > s.Mzts || slot.jc > s.Mtjs)
      throw UsageError(QStringLiteral("%1 %2: the week has %3 days of %4 periods")
                           .arg(name, slot.text())
                           .arg(s.Mzts)
                           .arg(s.Mtjs));
}

// Shows the class in the class list; throws when it is not scheduled.
void showClass(Ctx& c, MainWindowModel& vm, const QString& name) {
  const auto [nj, bj] = findClass(c.s, name);
  if (c.s.Ypbz(nj, bj) <= 0) throw OperationStopped(QStringLiteral("class %1 is not scheduled").arg(name));
  c.st.OptYp = true;
  c.st.Cshwc = true;
  vm.refillClassList();
  const int item = findClassItem(c.st, nj, bj);
  if (item < 0) throw OperationStopped(QStringLiteral("class %1 is not in the class list").arg(name));
  vm.selectClass(item);
}

// The answers to the questions of the partner click: the single-day question, the orange
// question, the notices question and the number of copies.
QStringList swapAnswers(const Ctx& c, const SwapArgs& a) {
  QStringList answers;
  if (a.start == a.end) answers << QStringLiteral("y");
  if (bpyyGrade(c.st.Bpyy(a.partner.xq, a.partner.jc)) == kGradeOrange && c.st.Csz3 == 1)
    answers << QStringLiteral("y");
  answers << (a.notices.isEmpty() ? QStringLiteral("n") : QStringLiteral("y"));
  if (!a.notices.isEmpty()) answers << a.copies;
  return answers;
}

// Why a click did not go on: the message it showed, or plainly that it refused.
QString refusal(const CliContext& context, size_t eventsBefore, const QString& what) {
  const bool shown = context.ui.events().size() > eventsBefore;
  return what +
         (shown ? QStringLiteral(" (see the message above)") : QStringLiteral(" (refused by the grid)"));
}

int changeRecordCount(const School& s) {
  return static_cast<int>(readChangeFile(changeFilePath(s)).records.size());
}

// The two grid clicks of the temporary swap; returns the number of the record written.
int clickSwap(CliContext& context, Ctx& c, MainWindowModel& vm, const SwapArgs& a) {
  vm.OptCqls_Click(1);
  vm.CmdDk_Click();
  DTPicker1_Change(c, a.start);
  DTPicker2_Change(c, a.end);
  size_t events = context.ui.events().size();
  vm.clickCell(a.lesson.xq, a.lesson.jc);
  if (c.st.Xq1 != a.lesson.xq || c.st.Jc1 != a.lesson.jc)
    throw OperationStopped(
        refusal(context, events,
                QStringLiteral("lesson %1 of class %2 cannot be moved").arg(a.lesson.text(), a.className)));
  const int before = changeRecordCount(c.s);
  context.ui.setAnswers(swapAnswers(c, a));
  events = context.ui.events().size();
  vm.clickCell(a.partner.xq, a.partner.jc);
  const int after = changeRecordCount(c.s);
  if (after == before)
    throw OperationStopped(refusal(context, events,
                                   QStringLiteral("lesson %1 of class %2 was not swapped with %3")
                                       .arg(a.lesson.text(), a.className, a.partner.text())));
  return after;
}

// Writes the notices; the reason it failed, "" when written.
QString writeNotices(const QString& path, const QString& text) {
  QSaveFile file(path);
  const QByteArray bytes = text.toUtf8();
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return QString();
  return file.errorString();
}

int runSwap(CliContext& context, const QString& folder, const SwapArgs& a) {
  Ctx c = context.ctx();
  c.s.Wjj = folder;
  if (a.today.isValid()) c.st.fixedToday = a.today;
  MainWindowModel vm(c);
  importSheets(c);
  checkAgainstSchool(c.s, a);
  {
    HistoryActionScope action(c.st,
                              HistoryAction{QStringLiteral("排课"), QString(), QStringLiteral("编排课表")});
    CmdKb_Click(c, vm);
    requireFinishedSchool(c, QStringLiteral("no temporary swap was made"));
  }
  showClass(c, vm, a.className);
  const int record = clickSwap(context, c, vm, a);
  const QString file = QDir::toNativeSeparators(changeFilePath(c.s));
  context.out << c.st.TxtSm << '\n' << "record " << record << " written to " << file << '\n';
  if (a.notices.isEmpty()) return kExitDone;
  if (const QString why = writeNotices(a.notices, vm.controls().RichTextBoxZb); !why.isEmpty())
    throw OperationStopped(
        QStringLiteral("record %1 was written to %2, but the notices could not be written to "
                       "%3 (%4)")
            .arg(record)
            .arg(file, QDir::toNativeSeparators(a.notices), why));
  return kExitDone;
}

int runList(CliContext& context, const QString& folder, const CommandArgs& args) {
  args.allowOnly({QStringLiteral("today")}, QStringLiteral("temp list"));
  const QDate fixed = dateArgument(args, QStringLiteral("today"));
  const QDate today = fixed.isValid() ? fixed : QDate::currentDate();
  const ChangeFile file = readChangeFile(folder + kChangeFileName);
  for (const ChangeRecord& r : file.records)
    context.out << changeRecordSummary(r)
                << (r.inForce(Rqwb(today)) ? QStringLiteral("　（今日有效）") : QString()) << '\n';
  if (file.broken > 0)
    context.out << QStringLiteral("　　第") << file.broken << QStringLiteral("个临时调课记录格式错误！")
                << '\n';
  return kExitDone;
}

QList<int> recordNumbers(const QStringList& words) {
  if (words.isEmpty()) throw UsageError(QStringLiteral("temp remove needs record numbers"));
  QList<int> numbers;
  for (const QString& word : words) {
    bool ok = false;
    const int n = word.toInt(&ok);
    if (!ok || n < 1)
      throw UsageError(QStringLiteral("temp remove needs record numbers from 1, not ") + word);
    numbers.append(n);
  }
  return numbers;
}

int runRemove(CliContext& context, const QString& folder, const CommandArgs& args) {
  args.allowOnly({}, QStringLiteral("temp remove"));
  const QList<int> numbers = recordNumbers(args.positional.mid(2));
  Ctx c = context.ctx();
  c.s.Wjj = folder;
  const ChangeFile file = readChangeFile(changeFilePath(c.s));
  for (int n : numbers)
    if (n > file.records.size() && n != file.stoppingRecord())
      throw OperationStopped(QStringLiteral("there is no record %1 (%2 has %3)")
                                 .arg(n)
                                 .arg(QDir::toNativeSeparators(changeFilePath(c.s)))
                                 .arg(file.records.size()));
  const int removed = removeChangeRecords(c, numbers);
  context.out << "removed " << removed << " record(s) from " << QDir::toNativeSeparators(changeFilePath(c.s))
              << '\n';
  return kExitDone;
}

int runTemp(CliContext& context, const CommandArgs& args) {
  const QString folder = dataFolderArgument(args.positional, QStringLiteral("temp"));
  const QString action = args.positional.value(1);
  if (action != u"remove" && args.positional.size() > 2)
    throw UsageError(QStringLiteral("unexpected argument ") + args.positional[2]);
  if (action == u"swap") return runSwap(context, folder, swapArguments(args));
  if (action == u"list") return runList(context, folder, args);
  if (action == u"remove") return runRemove(context, folder, args);
  throw UsageError(QStringLiteral("temp needs swap, list or remove after the data folder"));
}

}  // namespace

void registerTemporaryCommands(CommandRegistry& registry) {
  registry.add(
      {.name = QStringLiteral("temp"),
       .arguments = QStringLiteral("DATA swap|list|remove [N...]"),
       .summary = QStringLiteral("temporary swaps and the records of DATA/调课.txt"),
       .options =
           {{"class", "CODE|NAME", "swap: the class (0701 or its name)"},
            {"lesson", "WEEKDAY,PERIOD", "swap: the lesson to move"},
            {"with", "WEEKDAY,PERIOD", "swap: the lesson to exchange it with"},
            {"start", "YYYY-MM-DD", "swap: first day of the change"},
            {"end", "YYYY-MM-DD", "swap: last day (default: the start day)"},
            {"notices", "FILE", "swap: writes the change notices to FILE (UTF-8)", {}, ValueCheck::NewFile},
            {"copies", "N", "swap: copies of the class notice (default 3)"},
            {"today", "YYYY-MM-DD", "swap, list: the date taken as today"}},
       .details =
           {QStringLiteral("swap: imports and schedules DATA, then swaps two lessons of a class in the "
                           "temporary"),
            QStringLiteral("  timetable for a date range, as two clicks on the grid do, and appends the "
                           "record"),
            QStringLiteral("list: every record with its number; those in force today are marked "
                           "（今日有效）"),
            QStringLiteral("remove N...: removes the records with these numbers, the others stay as "
                           "they are")},
       .examples = {QStringLiteral(
                        "temp school swap --class 0701 --lesson 1,3 --with 2,5 --start 2026-03-02"),
                    QStringLiteral("temp school list"), QStringLiteral("temp school remove 2")},
       .run = runTemp});
}

}  // namespace tavro::cli
