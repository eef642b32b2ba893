#pragma once
// The export button "9、导出": CmdDc_Click checks the choices (Ck), composes
// the title, writes the chosen table into a new workbook, saves it as an
// .xlsx file in the export folder, beeps three times when done and writes
// the print-format file. The change-notice printout is supplied through
// ExportHooks, which may also replace the built-in producers of the master
// tables and the teacher tables.

#include <QDate>
#include <functional>
#include <optional>

#include "export/context.h"
#include "sheets/range.h"

namespace tavro {

// Producers supplied by other parts of the program; an unset producer hook leaves the built-in one.
struct ExportHooks {
  // Master tables (kinds 2, 3, 4) into the new workbook's sheet; the sets are already checked.
  std::function<void(ExportCtx&, Sheet&)> masterTable;
  // Ckjsrk: the teacher assignment table for the teacher set (3-digit numbers).
  std::function<void(ExportCtx&, Sheet&, const QString& teachers)> Ckjsrk;
  // Ckxkjs, Cknjjs: the subject-teacher and grade-teacher tables.
  std::function<void(ExportCtx&, Sheet&)> Ckxkjs, Cknjjs;
  // The export button while its caption is not "9、导出": prints the change notices.
  std::function<void(ExportCtx&)> printNotices;
};

// Where an export writes.
struct ExportPaths {
  QString settingsFile;  // the print-format file
  QString outFile;       // the workbook file; "" = exportFolder(Wjj) + title + ".xlsx"
};

// What an export did.
struct ExportResult {
  bool written = false;  // a workbook file was written
  QString path;          // that file
};

// The export folder: Wjj + "导出/" (the current folder's "导出/" when Wjj is empty).
QString exportFolder(const School& s);
// A file name from a title: characters that file systems refuse replaced by "_", then ".xlsx". A title
// too long for a file name keeps its first 50 or so characters and gets "…" and a mark of the whole
// title (the sheet itself keeps the whole title).
QString exportFileName(const QString& title);
// Qyrq: the term start date Kxrq ("2009- 9- 1") when it lies before today, else today.
QDate effectiveDate(const QString& Kxrq, const QDate& today);

// Ck: checks the choices (every problem shown in an information box, nullopt), composes the title and
// writes the chosen table into a new workbook.
std::optional<Workbook> Ck(ExportCtx& c, const ExportHooks& hooks);

// CmdDc_Click: the export button. A failure while writing shows a warning with the reason, leaves no
// file and does not beep; a finished export beeps three times. The settings file is written after
// every export.
ExportResult CmdDc_Click(ExportCtx& c, const ExportPaths& paths, const ExportHooks& hooks = {},
                         const QDate& today = QDate::currentDate());

}  // namespace tavro
