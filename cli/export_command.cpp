// tavro-cli export DATA --table KIND | --item ITEM [options]: imports the
// sheets of DATA, checks the options against the school, schedules it (as
// tavro-cli schedule does), then presses
// "9、导出" with the options given, reading and writing the same print-format
// file as the desktop program.

#include <QDir>
#include <QFileInfo>

#include "adjust/viewmodel/mainwindow.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "cli/school_import.h"
#include "core/errors.h"
#include "core/history_action.h"
#include "core/procedures.h"
#include "core/vbtext.h"
#include "engine/host.h"
#include "engine/run.h"
#include "export/dispatch.h"
#include "export/handlers.h"
#include "export/settings_file.h"
#include "sheets/school_sheet.h"
#include "sheets/sheets_host.h"

namespace tavro::cli {

namespace {

// The table kinds and items of the export frame, in list order.
const QStringList kKinds{QStringLiteral("班级周表"), QStringLiteral("教师周表"), QStringLiteral("学科总表"),
                         QStringLiteral("教师总表"), QStringLiteral("学校总表")};
const QStringList kItems{QStringLiteral("课表"), QStringLiteral("教师任课情况表"),
                         QStringLiteral("学科教师表"), QStringLiteral("年级教师表")};

// A yes/no option (the value is checked by the option table); nullopt keeps the stored value.
std::optional<bool> flag(const CommandArgs& args, const QString& name) {
  if (!args.has(name)) return std::nullopt;
  return args.value(name) == u"yes";
}

// A short/full option as the option button index (0 short, 1 full); nullopt keeps the stored one.
std::optional<int> nameForm(const CommandArgs& args, const QString& name) {
  if (!args.has(name)) return std::nullopt;
  return args.value(name) == u"full" ? 1 : 0;
}

// The numbers of a comma list ("1,3,5"); each must lie in lo..hi.
QList<int> numberList(const QString& value, int lo, int hi, const QString& name) {
  QList<int> numbers;
  for (const QString& part : value.split(u',', Qt::SkipEmptyParts)) {
    bool ok = false;
    const int n = part.trimmed().toInt(&ok);
    if (!ok || n < lo || n > hi)
      throw UsageError(
          QStringLiteral("%1: %2 is not a number from %3 to %4").arg(name, part).arg(lo).arg(hi));
    numbers << n;
  }
  if (numbers.isEmpty()) throw UsageError(name + QStringLiteral(" needs at least one number"));
  return numbers;
}

// Selects the rows of list whose first `width` characters are one of the codes (class codes "0701"
// or names, teacher numbers or names); throws for a code no row has.
void selectRows(ListBox& list, const QString& value, int width, const QString& name) {
  for (const QString& part : value.split(u',', Qt::SkipEmptyParts)) {
    const QString wanted = part.trimmed();
    const QString code = width == 3 && wanted.toInt() > 0 ? Lbq(3, wanted.toInt()) : wanted;
    bool found = false;
    for (int i = 0; i < list.count(); ++i) {
      const QString item = list.item(i);
      if (item.left(width) == code || QString(item.mid(width)).remove(QChar(0x3000)) == wanted) {
        list.setSelected(i, true);
        found = true;
      }
    }
    if (!found) throw UsageError(name + QStringLiteral(": no ") + wanted);
  }
}

// A font "NAME:SIZE" for font dialog k.
void applyFont(ExportCtx& c, int k, const QString& value, const QString& name) {
  if (value.isEmpty()) return;
  const QString fontName = value.section(u':', 0, 0);
  const double size = value.section(u':', 1).toDouble();
  if (size <= 0 || size > 42)
    throw UsageError(name + QStringLiteral(" must be NAME:SIZE with a size of 1 to 42"));
  CmdZt_Click(c, k, FontChoice{fontName, size, false, false});
}

// The weekday choice: "all" or weekday numbers.
void applyWeekdays(ExportCtx& c, const QString& value) {
  ExportForm& f = c.f;
  f.ChkQz = value == u"all";
  ChkQz_Click(c);
  if (f.ChkQz) return;
  f.LstXq.setSelected(0, false);
  for (int d : numberList(value, 1, c.s.Mzts, QStringLiteral("--weekdays"))) f.LstXq.setSelected(d - 1, true);
  LstXq_Click(c);
}

// The period choice: "all", "上午", "下午" or period numbers.
void applyPeriods(ExportCtx& c, const QString& value) {
  ExportForm& f = c.f;
  f.ChkQt = value == u"all";
  ChkQt_Click(c);
  if (f.ChkQt) return;
  if (value == QStringLiteral("上午") || value == QStringLiteral("下午")) {
    const int k = value == QStringLiteral("上午") ? 0 : 1;
    f.ChkWb[k] = true;
    ChkWb_Click(c, k);
    return;
  }
  for (int p : numberList(value, 1, c.s.Mtjs, QStringLiteral("--periods"))) f.LstJc.setSelected(p - 1, true);
  LstJc_Click(c);
}

// The class choice: "all" or class codes and names.
void applyClasses(ExportCtx& c, const QString& value) {
  c.f.ChkQx = value == u"all";
  ChkQx_Click(c);
  if (!c.f.ChkQx) selectRows(c.st.LstBj, value, 4, QStringLiteral("--classes"));
}

// The course choice: "" keeps what the table kind chose, "all" or course numbers and names.
void applyCourses(ExportCtx& c, const QString& value) {
  if (value.isEmpty()) return;
  c.f.ChkQbkc = value == u"all";
  ChkQbkc_Click(c);
  if (c.f.ChkQbkc) return;
  for (int i = 0; i < c.st.LstKc.count(); ++i) c.st.LstKc.setSelected(i, false);
  selectRows(c.st.LstKc, value, 3, QStringLiteral("--courses"));
}

// The teacher choice: "all" or teacher numbers and names.
void applyTeachers(ExportCtx& c, const QString& value) {
  c.f.ChkQbjs = value == u"all";
  ChkQbjs_Click(c);
  if (!c.f.ChkQbjs) selectRows(c.st.LstJs, value, 3, QStringLiteral("--teachers"));
}

// Which of the selection options a table takes: --teachers, --classes, --courses, --teacher-choice.
QStringList selectionOptions(const QString& table, const QString& item, const QString& teacherChoice) {
  const bool teacherTable =
      item == kItems[1] || (item == kItems[0] && (table == kKinds[1] || table == kKinds[3]));
  if (teacherTable) {
    return teacherChoice == u"classes"
               ? QStringList{QStringLiteral("teacher-choice"), QStringLiteral("classes"),
                             QStringLiteral("courses")}
               : QStringList{QStringLiteral("teacher-choice"), QStringLiteral("teachers")};
  }
  if (item == kItems[0] && table != kKinds[2]) return {QStringLiteral("classes")};
  return {QStringLiteral("courses")};
}

// Refuses options that contradict each other or that the chosen table does not use.
void checkCombination(const CommandArgs& args) {
  if (args.positional.size() > 1) throw UsageError(QStringLiteral("export takes one data folder"));
  const QString item = args.value(QStringLiteral("item"), kItems.first());
  const QString table = args.value(QStringLiteral("table"));
  if (item != kItems.first() && !table.isEmpty())
    throw UsageError(
        QStringLiteral("--table is for --item %1; --item %2 takes no --table").arg(kItems.first(), item));
  if (item == kItems.first() && table.isEmpty())
    throw UsageError(QStringLiteral("export needs --table or --item"));
  const QString codes = args.value(QStringLiteral("with-teacher-codes"));
  const QString beside = args.value(QStringLiteral("teacher-beside"));
  if (!codes.isEmpty() && !beside.isEmpty() && codes != beside)
    throw UsageError(
        QStringLiteral("--with-teacher-codes %1 contradicts --teacher-beside %2 (both set 附教师代码)")
            .arg(codes, beside));
  const QStringList allowed = selectionOptions(table, item, args.value(QStringLiteral("teacher-choice")));
  for (const QString& name : {QStringLiteral("teacher-choice"), QStringLiteral("teachers"),
                              QStringLiteral("classes"), QStringLiteral("courses")}) {
    if (args.has(name) && !allowed.contains(name))
      throw UsageError(QStringLiteral("--%1 does not apply to %2 (it takes --%3)")
                           .arg(name, table.isEmpty() ? item : table, allowed.join(QStringLiteral(", --"))));
  }
}

// The class, course or teacher choice of the table kind or item.
void applyItems(ExportCtx& c, const CommandArgs& a) {
  const ExportForm& f = c.f;
  const bool teacherTable = f.Xiangmu == 1 || (f.Xiangmu == 0 && (f.Kbzl == 1 || f.Kbzl == 3));
  const QString all = QStringLiteral("all");
  if (teacherTable) {
    const bool byClasses = a.value(QStringLiteral("teacher-choice")) == u"classes";
    OptXzjsfs_Click(c, byClasses ? 1 : 0);
    if (!byClasses) return applyTeachers(c, a.value(QStringLiteral("teachers"), all));
    applyClasses(c, a.value(QStringLiteral("classes"), all));
    return applyCourses(c, a.value(QStringLiteral("courses")));
  }
  if (f.Xiangmu == 0 && f.Kbzl != 2) return applyClasses(c, a.value(QStringLiteral("classes"), all));
  applyCourses(c, a.value(QStringLiteral("courses")));
}

// Applies the yes/no and name-form options through their handlers.
void applyFlags(ExportCtx& c, const CommandArgs& a) {
  ExportForm& f = c.f;
  if (const auto v = flag(a, QStringLiteral("teacher-inside"))) (f.ChkBnfjs = *v, ChkBnfjs_Click(c));
  if (const auto v = flag(a, QStringLiteral("teacher-beside"))) (f.ChkBwfjs = *v, ChkBwfjs_Click(c));
  if (const auto v = flag(a, QStringLiteral("with-teacher-codes"))) (f.ChkBwfjs = *v, ChkBwfjs_Click(c));
  if (const auto v = nameForm(a, QStringLiteral("teacher-names"))) OptJsm_Click(c, *v);
  if (const auto v = nameForm(a, QStringLiteral("class-names"))) OptBjm_Click(c, *v);
  if (const auto v = nameForm(a, QStringLiteral("course-names"))) OptKcm_Click(c, *v);
}

// Applies every option given, through the frame's handlers (so they are stored in the settings).
void applyOptions(ExportCtx& c, const CommandArgs& a) {
  const int item = int(kItems.indexOf(a.value(QStringLiteral("item"), kItems.first())));
  if (item > 0) {
    CmbXiangmu_Click(c, item);
  } else {
    CmbKbzl_Click(c, int(kKinds.indexOf(a.value(QStringLiteral("table")))));
  }
  if (a.has(QStringLiteral("layer")))
    c.st.OptCqls = a.value(QStringLiteral("layer")) == QStringLiteral("临时") ? 1 : 0;
  applyItems(c, a);
  applyWeekdays(c, a.value(QStringLiteral("weekdays"), QStringLiteral("all")));
  applyPeriods(c, a.value(QStringLiteral("periods"), QStringLiteral("all")));
  if (a.has(QStringLiteral("per-band")))
    CmbMpzs_Click(
        c, numberList(a.value(QStringLiteral("per-band")), 1, 10, QStringLiteral("--per-band")).first() - 1);
  applyFlags(c, a);
  applyFont(c, 0, a.value(QStringLiteral("title-font")), QStringLiteral("--title-font"));
  applyFont(c, 1, a.value(QStringLiteral("body-font")), QStringLiteral("--body-font"));
  if (a.has(QStringLiteral("form"))) c.s.Hsdm = a.value(QStringLiteral("form")) == u"down" ? 1 : 0;
}

// Opens the export frame on c with the print-format file and applies the options.
void openFrame(Ctx& c, ExportForm& form, const CommandArgs& args, const QString& settings) {
  ExportCtx ec = exportCtx(c, form);
  fillClassAndTeacherLists(ec);
  startExportForm(ec, settings);
  c.st.Cshwc = true;
  applyOptions(ec, args);
}

// Applies the options to a copy of the imported school before anything is scheduled or saved, so that
// a class, teacher, course, weekday or period the school does not have is refused first.
void checkAgainstSchool(const Ctx& c, const CommandArgs& args, const QString& settings) {
  School school = c.s;
  RunState state = c.st;
  SilentUi silent;
  Rng rng;
  Ctx copy{school, state, silent, rng};
  ExportForm form;
  openFrame(copy, form, args, settings);
}

int runExport(CliContext& context, const CommandArgs& args) {
  checkCombination(args);
  Ctx c = context.ctx();
  c.s.Wjj = dataFolderArgument(args.positional, QStringLiteral("export"));
  const QString settings = printFormatPath(args.value(QStringLiteral("settings")));
  MainWindowModel window(c);
  importSheets(c);
  checkAgainstSchool(c, args, settings);
  {
    HistoryActionScope action(c.st,
                              HistoryAction{QStringLiteral("排课"), QString(), QStringLiteral("编排课表")});
    CmdKb_Click(c, window);
    requireFinishedSchool(c, QStringLiteral("nothing was exported"));
  }
  ExportForm form;
  openFrame(c, form, args, settings);
  ExportCtx ec = exportCtx(c, form);
  const ExportResult result = CmdDc_Click(ec, ExportPaths{settings, args.value(QStringLiteral("out"))});
  if (!result.written) throw OperationStopped(QStringLiteral("nothing was exported (see the message above)"));
  context.out << "exported " << form.Dcbt << " to " << QDir::toNativeSeparators(result.path) << '\n';
  return kExitDone;
}

// The options of tavro-cli export, in help order.
std::vector<OptionSpec> exportOptions() {
  const QStringList yesNo{QStringLiteral("yes"), QStringLiteral("no")};
  const QStringList shortFull{QStringLiteral("short"), QStringLiteral("full")};
  return {
      {"table", "KIND", "班级周表, 教师周表, 学科总表, 教师总表 or 学校总表", kKinds},
      {"item", "ITEM", "课表 (default), 教师任课情况表, 学科教师表 or 年级教师表", kItems},
      {"layer",
       "长期|临时",
       "the long-term (default) or the temporary timetable",
       {QStringLiteral("长期"), QStringLiteral("临时")}},
      {"classes", "all|0701,...", "classes by code or name (default all)"},
      {"teachers", "all|1,5,...", "teachers by number or name (default all)"},
      {"teacher-choice",
       "names|classes",
       "teachers by --teachers, or as those of --classes and --courses",
       {QStringLiteral("names"), QStringLiteral("classes")}},
      {"courses", "all|1,3,...", "courses by number or name"},
      {"weekdays", "all|1,3,...", "weekdays (default all)"},
      {"periods", "all|上午|下午|1,2,...", "periods (default all)"},
      {"per-band", "N", "timetables side by side, 1 to 10"},
      {"teacher-inside", "yes|no", "the teacher inside each lesson cell", yesNo},
      {"teacher-beside", "yes|no", "班级周表: teacher list beside; 教师周表: numbers in the header", yesNo},
      {"with-teacher-codes", "yes|no", "附教师代码: teacher numbers in the teacher tables", yesNo},
      {"form",
       "across|down",
       "slots across the columns or down the rows",
       {QStringLiteral("across"), QStringLiteral("down")}},
      {"teacher-names", "short|full", "teacher names short or full", shortFull},
      {"class-names", "short|full", "class names short or full", shortFull},
      {"course-names", "short|full", "course names short or full", shortFull},
      {"title-font", "NAME:SIZE", "the title font, size 1 to 42"},
      {"body-font", "NAME:SIZE", "the body font, size 1 to 42"},
      {"settings",
       "DIR",
       "existing folder for the print-format file (else ~/.config/Tavro)",
       {},
       ValueCheck::Folder},
      {"out", "FILE", "the workbook (default DATA/导出/<title>.xlsx)", {}, ValueCheck::NewFile},
  };
}

}  // namespace

void registerExportCommands(CommandRegistry& registry) {
  registry.add(
      {.name = QStringLiteral("export"),
       .arguments = QStringLiteral("DATA"),
       .summary = QStringLiteral("schedules DATA and exports a timetable or teacher table"),
       .options = exportOptions(),
       .details = {QStringLiteral("Options not given keep the values of the print-format file, which the "
                                  "export updates.")},
       .examples = {QStringLiteral("export school --table 班级周表 --classes 0701,0702 --per-band 2"),
                    QStringLiteral("export school --item 学科教师表 --courses 1,2 --out 学科教师.xlsx")},
       .run = runExport});
}

}  // namespace tavro::cli
