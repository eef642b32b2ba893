// tavro-cli export DATA --table KIND | --item ITEM [options]: imports the
// sheets of DATA, schedules them (as tavro-cli schedule does), then presses
// "9、导出" with the options given, reading and writing the same print-format
// file as the desktop program.

#include <QDir>
#include <QFileInfo>

#include "cli/commands.h"
#include "cli/context.h"
#include "cli/run_scheduling.h"
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

// The options of the command as given.
struct ExportArgs {
  QString folder, table, item, teacherChoice, courses, codes, form, layer;
  QString classes = QStringLiteral("all"), teachers = QStringLiteral("all");
  QString weekdays = QStringLiteral("all"), periods = QStringLiteral("all"), perBand;
  QString inside, beside, teacherNames, classNames, courseNames, titleFont, bodyFont, settings, out;
};

// The value pointer of option name, nullptr for an unknown option.
QString* optionSlot(ExportArgs& a, const QString& name) {
  const std::pair<const char*, QString*> table[] = {{"--table", &a.table},
                                                    {"--item", &a.item},
                                                    {"--teacher-choice", &a.teacherChoice},
                                                    {"--courses", &a.courses},
                                                    {"--with-teacher-codes", &a.codes},
                                                    {"--form", &a.form},
                                                    {"--layer", &a.layer},
                                                    {"--classes", &a.classes},
                                                    {"--teachers", &a.teachers},
                                                    {"--weekdays", &a.weekdays},
                                                    {"--periods", &a.periods},
                                                    {"--per-band", &a.perBand},
                                                    {"--teacher-inside", &a.inside},
                                                    {"--teacher-beside", &a.beside},
                                                    {"--teacher-names", &a.teacherNames},
                                                    {"--class-names", &a.classNames},
                                                    {"--course-names", &a.courseNames},
                                                    {"--title-font", &a.titleFont},
                                                    {"--body-font", &a.bodyFont},
                                                    {"--settings", &a.settings},
                                                    {"--out", &a.out}};
  for (const auto& [key, slot] : table)
    if (name == QLatin1String(key)) return slot;
  return nullptr;
}

ExportArgs parseArgs(const QStringList& args) {
  ExportArgs a;
  for (int i = 0; i < args.size(); ++i) {
    const QString word = args[i];
    if (!word.startsWith(u'-')) {
      if (!a.folder.isEmpty()) throw UsageError(QStringLiteral("unexpected argument ") + word);
      a.folder = word;
      continue;
    }
    const QString name = word.section(u'=', 0, 0);
    QString* slot = optionSlot(a, name);
    if (!slot) throw UsageError(QStringLiteral("unknown option ") + word);
    if (word.contains(u'=')) {
      *slot = word.section(u'=', 1);
    } else if (i + 1 < args.size()) {
      *slot = args[++i];
    } else {
      throw UsageError(name + QStringLiteral(" needs a value"));
    }
  }
  const QFileInfo info(a.folder);
  if (a.folder.isEmpty() || !info.isDir()) throw UsageError(QStringLiteral("export needs a data folder"));
  a.folder = QDir::cleanPath(info.absoluteFilePath()) + u'/';
  if (a.item.isEmpty()) a.item = kItems.first();
  if (!kItems.contains(a.item)) throw UsageError(QStringLiteral("--item must be ") + kItems.join(u'|'));
  if (a.item == kItems.first() && !kKinds.contains(a.table))
    throw UsageError(QStringLiteral("--table must be ") + kKinds.join(u'|'));
  if (!a.teacherChoice.isEmpty() && a.teacherChoice != u"names" && a.teacherChoice != u"classes")
    throw UsageError(QStringLiteral("--teacher-choice must be names or classes"));
  if (!a.form.isEmpty() && a.form != u"across" && a.form != u"down")
    throw UsageError(QStringLiteral("--form must be across or down"));
  return a;
}

// A yes/no option: "" keeps the stored value.
std::optional<bool> flag(const QString& value, const QString& name) {
  if (value.isEmpty()) return std::nullopt;
  if (value == u"yes" || value == u"on") return true;
  if (value == u"no" || value == u"off") return false;
  throw UsageError(name + QStringLiteral(" must be yes or no"));
}

// A short/full option as the option button index (0 short, 1 full); nullopt keeps the stored one.
std::optional<int> nameForm(const QString& value, const QString& name) {
  if (value.isEmpty()) return std::nullopt;
  if (value == u"short") return 0;
  if (value == u"full") return 1;
  throw UsageError(name + QStringLiteral(" must be short or full"));
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

// The class, course or teacher choice of the table kind or item.
void applyItems(ExportCtx& c, const ExportArgs& a) {
  const ExportForm& f = c.f;
  const bool teacherTable = f.Xiangmu == 1 || (f.Xiangmu == 0 && (f.Kbzl == 1 || f.Kbzl == 3));
  if (teacherTable) {
    const bool byClasses = a.teacherChoice == u"classes";
    OptXzjsfs_Click(c, byClasses ? 1 : 0);
    if (!byClasses) return applyTeachers(c, a.teachers);
    applyClasses(c, a.classes);
    return applyCourses(c, a.courses);
  }
  if (f.Xiangmu == 0 && f.Kbzl != 2) return applyClasses(c, a.classes);
  applyCourses(c, a.courses);
}

// Applies every option given, through the frame's handlers (so they are stored in the settings).
void applyOptions(ExportCtx& c, const ExportArgs& a) {
  ExportForm& f = c.f;
  const int item = int(kItems.indexOf(a.item));
  if (item > 0) {
    CmbXiangmu_Click(c, item);
  } else {
    CmbKbzl_Click(c, int(kKinds.indexOf(a.table)));
  }
  if (!a.layer.isEmpty()) {
    if (a.layer != QStringLiteral("长期") && a.layer != QStringLiteral("临时"))
      throw UsageError(QStringLiteral("--layer must be 长期 or 临时"));
    c.st.OptCqls = a.layer == QStringLiteral("临时") ? 1 : 0;
  }
  applyItems(c, a);
  applyWeekdays(c, a.weekdays);
  applyPeriods(c, a.periods);
  if (!a.perBand.isEmpty())
    CmbMpzs_Click(c, numberList(a.perBand, 1, 10, QStringLiteral("--per-band")).first() - 1);
  if (const auto v = flag(a.inside, QStringLiteral("--teacher-inside"))) (f.ChkBnfjs = *v, ChkBnfjs_Click(c));
  if (const auto v = flag(a.beside, QStringLiteral("--teacher-beside"))) (f.ChkBwfjs = *v, ChkBwfjs_Click(c));
  if (const auto v = flag(a.codes, QStringLiteral("--with-teacher-codes")))
    (f.ChkBwfjs = *v, ChkBwfjs_Click(c));
  if (const auto v = nameForm(a.teacherNames, QStringLiteral("--teacher-names"))) OptJsm_Click(c, *v);
  if (const auto v = nameForm(a.classNames, QStringLiteral("--class-names"))) OptBjm_Click(c, *v);
  if (const auto v = nameForm(a.courseNames, QStringLiteral("--course-names"))) OptKcm_Click(c, *v);
  applyFont(c, 0, a.titleFont, QStringLiteral("--title-font"));
  applyFont(c, 1, a.bodyFont, QStringLiteral("--body-font"));
  if (!a.form.isEmpty()) c.s.Hsdm = a.form == u"down" ? 1 : 0;
}

int runExport(CliContext& context, const QStringList& args) {
  const ExportArgs a = parseArgs(args);
  Ctx c = context.ctx();
  c.s.Wjj = a.folder;
  MainWindowModel window(c);
  RunScheduling host(window);
  CmdXx_Click(c, host);
  if (!host.started) return kExitStopped;
  ExportForm form;
  ExportCtx ec = exportCtx(c, form);
  const QString settings = printFormatPath(a.settings);
  fillClassAndTeacherLists(ec);
  startExportForm(ec, settings);
  c.st.Cshwc = true;
  applyOptions(ec, a);
  const ExportResult result = CmdDc_Click(ec, ExportPaths{settings, a.out});
  if (!result.written) return kExitStopped;
  context.out << "exported " << form.Dcbt << " to " << result.path << '\n';
  return kExitDone;
}

const char* const kSummary =
    "imports and schedules DATA, then exports a timetable or a teacher table as .xlsx\n"
    "      --table 班级周表|教师周表|学科总表|教师总表|学校总表   timetable kind (item 课表)\n"
    "      --item 课表|教师任课情况表|学科教师表|年级教师表   what to export (default 课表)\n"
    "      --layer 长期|临时          long-term or temporary timetable (default: 长期)\n"
    "      --classes all|0701,...     classes by code or name (班级周表; default all)\n"
    "      --teachers all|1,5,...     teachers by number or name (default all with lessons)\n"
    "      --teacher-choice names|classes   teachers chosen by --teachers (按代码或姓名, default) or\n"
    "                                 as the teachers of --classes and --courses (按班级和课程)\n"
    "      --courses all|1,3,...      courses by number or name (学科总表, teacher tables)\n"
    "      --weekdays all|1,3,...     weekdays (default all)\n"
    "      --periods all|上午|下午|1,2,...  periods (default all)\n"
    "      --per-band N               timetables side by side, 1 to 10\n"
    "      --teacher-inside yes|no    the teacher inside each lesson cell\n"
    "      --teacher-beside yes|no    班级周表: the teacher list beside each timetable;\n"
    "                                 教师周表: teacher numbers in the header line\n"
    "      --with-teacher-codes yes|no   附教师代码: teacher numbers in teacher tables\n"
    "      --form across|down         slots across the columns or down the rows (master tables);\n"
    "                                 teacher tables: one row per column (across) or columns (down)\n"
    "      --teacher-names, --class-names, --course-names short|full   name forms\n"
    "      --title-font NAME:SIZE, --body-font NAME:SIZE   fonts (size 1 to 42)\n"
    "      --settings DIR             folder of the print-format file (default ~/.config/Tavro)\n"
    "      --out FILE                 the workbook (default DATA/导出/<title>.xlsx)\n"
    "      Options not given keep the values of the print-format file, which the export updates.";

}  // namespace

void registerExportCommands(CommandRegistry& registry) {
  registry.add({QStringLiteral("export"), QStringLiteral("export DATA --table KIND | --item ITEM [OPTIONS]"),
                QString::fromUtf8(kSummary), runExport});
}

}  // namespace tavro::cli
