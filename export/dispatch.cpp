#include "export/dispatch.h"

#include <QCryptographicHash>
#include <QDir>
#include <exception>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "export/assignment.h"
#include "export/handlers.h"
#include "export/master.h"
#include "export/periods.h"
#include "export/selection.h"
#include "export/settings_file.h"
#include "export/teacher_tables.h"
#include "export/title.h"
#include "export/weekly.h"
#include "sheets/file_writing.h"
#include "sheets/sheetops.h"
#include "sheets/xlsx.h"

namespace tavro {

namespace {

// Longest export file name before ".xlsx", in UTF-8 bytes (50 Chinese characters).
constexpr int kMaxExportNameBytes = 150;

const QString kNoClass = QStringLiteral("请选择“全校”或在班级框里选择班级！");

// The teacher set with the two messages of an empty choice; nullopt when the export stops.
std::optional<QString> teacherSet(ExportCtx& c) {
  const auto set = HBxjsjh(c);
  if (!set) return std::nullopt;
  if (!set->isEmpty()) return set;
  Tsxx(c.ui, c.f.OptXzjsfs == 0
                 ? QStringLiteral("因为按代码或姓名选择教师。所以需要选择“全部教师”或在教师框里选择教师！")
                 : QStringLiteral("因为按班级和课程选择教师，所以需要选择班级和课程！"));
  return std::nullopt;
}

// A new workbook whose sheet the producer fills.
Workbook newBook(ExportCtx& c) {
  Workbook book = Xjgzb();
  c.f.progress = 2;
  c.ui.progress(2);
  return book;
}

// The weekly tables of the items.
Workbook weeklyBook(ExportCtx& c, const QString& items, bool classes) {
  Workbook book = newBook(c);
  writeWeeklyTables(c, book.first(), weeklyLayout(c, items, classes));
  return book;
}

// A workbook filled by a hook; nullopt (nothing is written) when the hook is not set.
template <typename Hook, typename... Args>
std::optional<Workbook> hookBook(ExportCtx& c, const Hook& hook, Args&&... args) {
  if (!hook) return std::nullopt;
  Workbook book = newBook(c);
  hook(c, book.first(), std::forward<Args>(args)...);
  return book;
}

// A master table: the hook when one is set, else the built-in producer.
std::optional<Workbook> masterBook(ExportCtx& c, const ExportHooks& hooks, const QString& teachers = {}) {
  if (hooks.masterTable) return hookBook(c, hooks.masterTable);
  Workbook book = newBook(c);
  writeMasterTable(c, book.first(), teachers);
  return book;
}

// The teacher assignment table of the teacher set; nothing when no teacher is chosen.
std::optional<Workbook> assignmentBook(ExportCtx& c, const ExportHooks& hooks, const QString& teachers) {
  if (hooks.Ckjsrk) return hookBook(c, hooks.Ckjsrk, teachers);
  const auto table = collectAssignments(c, teachers);
  if (!table) return std::nullopt;
  Workbook book = newBook(c);
  Ckjsrk(c, book.first(), *table);
  return book;
}

// The subject-teacher or grade-teacher table; nothing when no column has a teacher.
std::optional<Workbook> teacherColumnsBook(ExportCtx& c, const ExportHooks& hooks, bool byGrade) {
  const auto& hook = byGrade ? hooks.Cknjjs : hooks.Ckxkjs;
  Xsbtnr(c);
  if (hook) return hookBook(c, hook);
  const auto table = collectTeacherColumns(c, byGrade);
  if (!table) return std::nullopt;
  Workbook book = newBook(c);
  if (byGrade) {
    Cknjjs(c, book.first(), *table);
  } else {
    Ckxkjs(c, book.first(), *table);
  }
  return book;
}

// The subject master table: its checks and its own title.
std::optional<Workbook> subjectMaster(ExportCtx& c, const ExportHooks& hooks) {
  ExportForm& f = c.f;
  if (HBxkcjh(c).isEmpty() && !f.ChkQbkc)
    return Tsxx(c.ui, QStringLiteral("请在课程框选择课程！")), std::nullopt;
  if (f.ChkQbkc) {
    Tsxx(c.ui, QStringLiteral("导出学科总表只能选择一个或数个课程，不能选择“全部课程”！"));
    return std::nullopt;
  }
  if (!f.ChkQx) return Tsxx(c.ui, QStringLiteral("导出学科总表必需选择“全校”！")), std::nullopt;
  Xsbt(c);
  f.Btnr += QStringLiteral("课表");
  if (HCqls(c.st) == kTemporary) f.Btnr += QStringLiteral("（临时）");
  f.Dcbt = c.s.Xxmc + f.Btnr;
  return masterBook(c, hooks);
}

// Step 4 of Ck: the timetables, by kind.
std::optional<Workbook> timetables(ExportCtx& c, const ExportHooks& hooks) {
  ExportForm& f = c.f;
  if (f.Dcjcs == 0 && !f.ChkQt && !f.ChkWb[0] && !f.ChkWb[1]) {
    Tsxx(c.ui, QStringLiteral("请在节次框选择节次！"));
    return std::nullopt;
  }
  Xsbtnr(c);
  switch (f.Kbzl) {
    case 1: {
      const auto teachers = teacherSet(c);
      if (!teachers) return std::nullopt;
      return weeklyBook(c, *teachers, false);
    }
    case 2:
      return subjectMaster(c, hooks);
    case 3: {
      const auto teachers = teacherSet(c);
      if (!teachers) return std::nullopt;
      return masterBook(c, hooks, *teachers);
    }
    default: {
      const QString classes = HBxbjjh(c);
      if (classes.isEmpty()) return Tsxx(c.ui, kNoClass), std::nullopt;
      if (f.Kbzl == 4) return masterBook(c, hooks);
      return weeklyBook(c, classes, true);
    }
  }
}

// The date of a "2009- 9- 1" text; invalid when it is not one.
QDate parseTermStart(const QString& text) {
  const QStringList parts = text.split(u'-');
  if (parts.size() != 3) return QDate();
  return QDate(ValInt(parts[0]), ValInt(parts[1]), ValInt(parts[2]));
}

// The folder of path, made when missing; "" when it is there, else why it could not be made.
QString makeFolderOf(const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  if (QDir().mkpath(folder)) return QString();
  QString blocker = folder;  // the nearest part of the path that is there and is no folder, or its parent
  while (!QFileInfo::exists(blocker) && QFileInfo(blocker).absolutePath() != blocker)
    blocker = QFileInfo(blocker).absolutePath();
  QString why =
      QFileInfo(blocker).isDir() ? folderWriteProblem(blocker) : QStringLiteral("已有一个同名的文件");
  if (why.isEmpty()) why = QStringLiteral("系统拒绝建立");
  return QStringLiteral("无法建立文件夹“%1”：%2。").arg(QDir::toNativeSeparators(folder), why);
}

// Writes the workbook; a failure is shown as a warning with its reason.
ExportResult saveBook(ExportCtx& c, const Workbook& book, const ExportPaths& paths) {
  const QString path = paths.outFile.isEmpty() ? exportFolder(c.s) + exportFileName(c.f.Dcbt) : paths.outFile;
  QString error = makeFolderOf(path);
  if (error.isEmpty()) error = saveXlsx(book, path).error;
  if (!error.isEmpty()) {
    c.f.progress = 0;
    c.ui.progress(0);
    Cwxx(c.ui, QStringLiteral("导出表格失败：") + error);
    return {};
  }
  return {true, path};
}

}  // namespace

QString exportFolder(const School& s) {
  return s.Wjj + QStringLiteral("导出/");
}

QString exportFileName(const QString& title) {
  QString name = title;
  for (QChar& ch : name)
    if (QStringLiteral("/\\:*?\"<>|").contains(ch) || ch < QChar(32)) ch = u'_';
  if (name.isEmpty()) name = QStringLiteral("课表");
  if (name.toUtf8().size() <= kMaxExportNameBytes) return name + QStringLiteral(".xlsx");
  // A long title keeps its start and gets a mark of the whole title, so that two long titles with
  // the same start do not write the same file.
  const QString mark =
      u'…' +
      QString::fromLatin1(QCryptographicHash::hash(title.toUtf8(), QCryptographicHash::Md5).toHex().left(6));
  while (!name.isEmpty() && (name + mark).toUtf8().size() > kMaxExportNameBytes) {
    name.chop(1);
    if (!name.isEmpty() && name.back().isHighSurrogate()) name.chop(1);
  }
  return name + mark + QStringLiteral(".xlsx");
}

QDate effectiveDate(const QString& Kxrq, const QDate& today) {
  const QDate start = parseTermStart(Kxrq);
  return start.isValid() && start < today ? start : today;
}

std::optional<Workbook> Ck(ExportCtx& c, const ExportHooks& hooks) {
  c.f.Btnr.clear();
  c.f.progress = 0;
  c.ui.progress(0);
  setNameWidths(c);
  switch (c.f.Xiangmu) {
    case 1: {
      const auto teachers = teacherSet(c);
      if (!teachers) return std::nullopt;
      Xsbt(c);
      c.f.Dcbt = c.f.Btnr + QStringLiteral("教师任课情况表");
      return assignmentBook(c, hooks, *teachers);
    }
    case 2:
      return teacherColumnsBook(c, hooks, false);
    case 3:
      return teacherColumnsBook(c, hooks, true);
    default:
      return timetables(c, hooks);
  }
}

ExportResult CmdDc_Click(ExportCtx& c, const ExportPaths& paths, const ExportHooks& hooks,
                         const QDate& today) {
  ExportForm& f = c.f;
  if (f.CmdDcCaption != kExportCaption) {
    if (hooks.printNotices) hooks.printNotices(c);
    return {};
  }
  f.RichTextBox.visible = false;
  Wbxs(c);
  const bool noBand = f.Xiangmu == 2 || f.Xiangmu == 3 || (f.Xiangmu == 0 && f.Kbzl >= 3 && c.s.Hsdm == 1);
  if (!noBand) f.LblMpzs.visible = f.CmbMpzsCtl.visible = true;
  Bxxq(c);
  Bxjc(c);
  f.Qyrq = effectiveDate(c.s.Kxrq, today);
  ExportResult result;
  try {
    if (auto book = Ck(c, hooks)) {
      PageSetup& page = book->first().pageSetup();
      page.printGridlines = f.Xiangmu != 0 || f.Kbzl > 1;
      page.centreHorizontally = true;
      result = saveBook(c, *book, paths);
      if (result.written) Fcts(c.ui, c.st);
    }
  } catch (const std::exception& e) {
    f.progress = 0;
    c.ui.progress(0);
    Cwxx(c.ui, QStringLiteral("导出表格失败，没有保存文件：程序内部错误（%1）。")
                   .arg(QString::fromLocal8Bit(e.what())));
  }
  Bcdysz(f, c.s, paths.settingsFile);
  return result;
}

}  // namespace tavro
