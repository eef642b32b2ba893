#pragma once
// The frame every sheet operation shares: its error handler, opening its
// sheet in the data folder, and saving a generated template.

#include <QString>
#include <functional>

#include "core/ctx.h"
#include "sheets/range.h"
#include "sheets/sheetops.h"

namespace tavro {

// Base names of the five input sheets in the data folder (the file adds ".xlsx" or ".xls").
inline const QString kSchoolSheet = QStringLiteral("学校数据表");
inline const QString kTeacherSheet = QStringLiteral("教师数据表");
inline const QString kCourseSheet = QStringLiteral("课程数据表");
inline const QString kCombinedSheet = QStringLiteral("合班数据表");
inline const QString kClassSheet = QStringLiteral("班级数据表");

// What a sheet operation did.
enum class SheetOutcome {
  Imported,         // the sheet was imported (or had been already)
  TemplateWritten,  // the sheet was missing or not filled in, and its template was written
  Stopped,          // a check refused the sheet, a file could not be read or written, or the user
                    // cancelled; the message was shown and nothing after it may run
};

// Runs one sheet operation with its error handler: Mlz is 1 while it runs; an error that is not a
// validation (a bad index from a sheet value, a file that cannot be read or written) shows its text
// in an information box and ends the operation (Stopped). A program end and a stopped script pass
// through.
SheetOutcome runSheetOperation(Ctx& c, const std::function<SheetOutcome()>& body);

// Opens sheet name of the data folder (asking for the folder the first time). Returns false when
// the operation must stop, after one message saying why: the dialog was cancelled, the file exists
// but cannot be read, it holds a formula whose value neither the file nor this program has, or a
// legacy ".xls" of the sheet is newer than the ".xlsx" that would be read. Nothing on disk changes.
bool openSheetOrStop(Ctx& c, const QString& name, OpenedSheet& opened);

// Saves a generated template as Wjj + name + ".xlsx"; false after a message when it cannot be written.
bool saveTemplate(Ctx& c, const Workbook& book, const QString& name);

// Writes the cells a successful import changed back into the sheet's file; false after a message
// when the file cannot be written. An ".xlsx" is changed in place. A legacy ".xls" cannot be: the
// sheet is then saved as a complete ".xlsx" (writeTemplate lays out its formats, the .xls's values
// and the edits go on top), and the user is told that the sheet now lives in the ".xlsx".
bool saveImportEdits(Ctx& c, const OpenedSheet& opened, const std::vector<CellEdit>& edits,
                     const std::function<void(Sheet&)>& writeTemplate);

// The one message after templates were written (sheet names in chain order): which ones, where,
// and from which button on the sheets are imported once they are filled in.
void tellTemplatesWritten(Ctx& c, const QStringList& names);

// Merges rows r1..r2, columns c1..c2 and writes text into the top-left cell only; returns the
// merged range for further formatting.
SheetRange putMerged(Sheet& sh, int r1, int c1, int r2, int c2, const QString& text);
SheetRange putMerged(Sheet& sh, const QString& range, const QString& text);

// Prints the sheet one page wide (landscape when wide), as the templates are printed.
void fitToPageWidth(Sheet& sh, bool landscape);

}  // namespace tavro
