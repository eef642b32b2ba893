// tavro-cli temp DATA swap|list|remove: temporary changes without the window.
// "swap" imports and schedules DATA like "export", then makes the temporary
// swap through the main window's view-model exactly as two grid clicks in the
// temporary layer do (dates, record in "调课.txt", exchange, notices). "list"
// and "remove" work on "调课.txt" alone.

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "adjust/swaptest.h"
#include "adjust/viewmodel/mainwindow.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "cli/run_scheduling.h"
#include "core/procedures.h"
#include "core/textfile.h"
#include "core/vbtext.h"
#include "engine/classlist.h"
#include "engine/host.h"
#include "engine/run.h"
#include "sheets/school_sheet.h"
#include "sheets/sheets_host.h"
#include "temporary/changefile.h"
#include "temporary/dates.h"

namespace tavro::cli {

namespace {

struct Slot {
  int xq = 0, jc = 0;
};

struct TempArgs {
  QString folder, action, className, notices;
  Slot lesson, partner;
  QDate start, end, today;
  QString copies = QStringLiteral("3");
  QList<int> numbers;
};

QDate dateArgument(const QString& text, const QString& option) {
  const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
  if (!d.isValid()) throw UsageError(option + QStringLiteral(" needs a date YYYY-MM-DD, not ") + text);
  return d;
}

Slot slotArgument(const QString& text, const QString& option) {
  const QStringList parts = text.split(u',');
  bool ok1 = false, ok2 = false;
  const Slot s{parts.value(0).toInt(&ok1), parts.value(1).toInt(&ok2)};
  if (parts.size() != 2 || !ok1 || !ok2 || s.xq < 1 || s.jc < 1 || s.xq > kMaxWeekday || s.jc > kMaxPeriod)
    throw UsageError(option + QStringLiteral(" needs WEEKDAY,PERIOD (for example 1,3), not ") + text);
  return s;
}

// Takes the value of option args[i] into the field it names; false when args[i] is no option.
bool takeOption(TempArgs& a, const QStringList& args, int& i) {
  const QString& name = args[i];
  if (!name.startsWith(QStringLiteral("--"))) return false;
  if (i + 1 >= args.size()) throw UsageError(name + QStringLiteral(" needs a value"));
  const QString value = args[++i];
  if (name == u"--class")
    a.className = value;
  else if (name == u"--lesson")
    a.lesson = slotArgument(value, name);
  else if (name == u"--with")
    a.partner = slotArgument(value, name);
  else if (name == u"--start")
    a.start = dateArgument(value, name);
  else if (name == u"--end")
    a.end = dateArgument(value, name);
  else if (name == u"--today")
    a.today = dateArgument(value, name);
  else if (name == u"--notices")
    a.notices = value;
  else if (name == u"--copies")
    a.copies = value;
  else
    throw UsageError(QStringLiteral("unknown option ") + name);
  return true;
}

void checkSwapArgs(TempArgs& a) {
  if (a.className.isEmpty() || a.lesson.xq == 0 || a.partner.xq == 0 || !a.start.isValid())
    throw UsageError(QStringLiteral("temp swap needs --class, --lesson, --with and --start"));
  if (!a.end.isValid()) a.end = a.start;
  if (a.end < a.start) throw UsageError(QStringLiteral("--end may not come before --start"));
}

TempArgs parseArgs(const QStringList& args) {
  TempArgs a;
  for (int i = 0; i < args.size(); ++i) {
    if (takeOption(a, args, i)) continue;
    bool number = false;
    const int n = args[i].toInt(&number);
    if (a.folder.isEmpty())
      a.folder = args[i];
    else if (a.action.isEmpty())
      a.action = args[i];
    else if (a.action == u"remove" && number && n >= 1)
      a.numbers.append(n);
    else
      throw UsageError(QStringLiteral("unexpected argument ") + args[i]);
  }
  const QFileInfo info(a.folder);
  if (a.folder.isEmpty() || !info.isDir()) throw UsageError(QStringLiteral("temp needs a data folder"));
  a.folder = QDir::cleanPath(info.absoluteFilePath()) + u'/';
  if (a.action == u"swap")
    checkSwapArgs(a);
  else if (a.action == u"remove" && a.numbers.isEmpty())
    throw UsageError(QStringLiteral("temp remove needs record numbers"));
  else if (a.action != u"list" && a.action != u"remove")
    throw UsageError(QStringLiteral("temp needs swap, list or remove"));
  return a;
}

void writeNotices(const QString& path, const QString& text) {
  QSaveFile file(path);
  const QByteArray bytes = text.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw FileError(QStringLiteral("无法写入文件：") + path);
}

// Shows class `name` (a code such as 0701 or a class name) in the class list; false when it is
// not a scheduled class.
bool showClass(Ctx& c, MainWindowModel& vm, const QString& name) {
  int nj = 0, bj = 0;
  const bool code = name.size() == 4 && name.toInt() > 0;
  if (code) {
    nj = ValMid(name, 0, 2);
    bj = ValMid(name, 2, 2);
  } else {
    Cbjm(c.s, name, nj, bj);
  }
  if (!c.s.isClass(nj, bj) || c.s.Ypbz(nj, bj) <= 0) return false;
  c.st.OptYp = true;
  c.st.Cshwc = true;
  vm.refillClassList();
  const int item = findClassItem(c.st, nj, bj);
  if (item < 0) return false;
  vm.selectClass(item);
  return true;
}

// The answers to the questions of the partner click: the single-day question, the orange
// question, the notices question and the number of copies.
QStringList swapAnswers(const Ctx& c, const TempArgs& a) {
  QStringList answers;
  if (a.start == a.end) answers << QStringLiteral("y");
  if (bpyyGrade(c.st.Bpyy(a.partner.xq, a.partner.jc)) == kGradeOrange && c.st.Csz3 == 1)
    answers << QStringLiteral("y");
  answers << (a.notices.isEmpty() ? QStringLiteral("n") : QStringLiteral("y"));
  if (!a.notices.isEmpty()) answers << a.copies;
  return answers;
}

int runSwap(CliContext& context, const TempArgs& a) {
  Ctx c = context.ctx();
  c.s.Wjj = a.folder;
  if (a.today.isValid()) c.st.fixedToday = a.today;
  MainWindowModel vm(c);
  RunScheduling host(vm);
  CmdXx_Click(c, host);
  if (!host.started) return kExitStopped;
  if (!showClass(c, vm, a.className)) {
    context.err << "tavro-cli: " << a.className << " is no scheduled class\n";
    return kExitStopped;
  }
  vm.OptCqls_Click(1);
  vm.CmdDk_Click();
  DTPicker1_Change(c, a.start);
  DTPicker2_Change(c, a.end);
  vm.clickCell(a.lesson.xq, a.lesson.jc);
  if (c.st.Xq1 != a.lesson.xq || c.st.Jc1 != a.lesson.jc) return kExitStopped;
  const int before = static_cast<int>(readChangeFile(changeFilePath(c.s)).records.size());
  context.ui.setAnswers(swapAnswers(c, a));
  vm.clickCell(a.partner.xq, a.partner.jc);
  const int after = static_cast<int>(readChangeFile(changeFilePath(c.s)).records.size());
  if (after == before) return kExitStopped;
  if (!a.notices.isEmpty()) writeNotices(a.notices, vm.controls().RichTextBoxZb);
  context.out << c.st.TxtSm << '\n' << "record " << after << " written to " << changeFilePath(c.s) << '\n';
  return kExitDone;
}

int runList(CliContext& context, const TempArgs& a) {
  const QDate today = a.today.isValid() ? a.today : QDate::currentDate();
  const ChangeFile file = readChangeFile(a.folder + kChangeFileName);
  for (const ChangeRecord& r : file.records)
    context.out << changeRecordSummary(r)
                << (r.inForce(Rqwb(today)) ? QStringLiteral("　（今日有效）") : QString()) << '\n';
  if (file.broken > 0)
    context.out << QStringLiteral("　　第") << file.broken << QStringLiteral("个临时调课记录格式错误！")
                << '\n';
  return kExitDone;
}

int runRemove(CliContext& context, const TempArgs& a) {
  Ctx c = context.ctx();
  c.s.Wjj = a.folder;
  const ChangeFile file = readChangeFile(changeFilePath(c.s));
  for (int n : a.numbers) {
    if (n > file.records.size()) {
      context.err << "tavro-cli: there is no record " << n << '\n';
      return kExitStopped;
    }
  }
  const int removed = removeChangeRecords(c, a.numbers);
  context.out << "removed " << removed << " record(s) from " << changeFilePath(c.s) << '\n';
  return kExitDone;
}

int runTemp(CliContext& context, const QStringList& args) {
  const TempArgs a = parseArgs(args);
  if (a.action == u"swap") return runSwap(context, a);
  if (a.action == u"list") return runList(context, a);
  return runRemove(context, a);
}

const char* const kSummary =
    "temporary changes in DATA/调课.txt\n"
    "      swap: imports and schedules DATA, then swaps two lessons of a class in the temporary\n"
    "      timetable for a date range, as two clicks on the grid do, and appends the record\n"
    "        --class CODE|NAME          the class (0701 or its name; required)\n"
    "        --lesson WEEKDAY,PERIOD    the lesson to move (required)\n"
    "        --with WEEKDAY,PERIOD      the lesson to exchange it with (required)\n"
    "        --start YYYY-MM-DD         first day of the change (required)\n"
    "        --end YYYY-MM-DD           last day (default: the start day)\n"
    "        --notices FILE             write the change notices to FILE (UTF-8)\n"
    "        --copies N                 copies of the class notice (default 3)\n"
    "      list: every record with its number; those in force today are marked （今日有效）\n"
    "      remove N...: removes the records with these numbers, the others stay as they are\n"
    "        --today YYYY-MM-DD         the date taken as today (swap and list)";

}  // namespace

void registerTemporaryCommands(CommandRegistry& registry) {
  registry.add({QStringLiteral("temp"), QStringLiteral("temp DATA swap|list|remove [N...] [OPTIONS]"),
                QString::fromUtf8(kSummary), runTemp});
}

}  // namespace tavro::cli
