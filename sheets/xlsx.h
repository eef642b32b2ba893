#pragma once
// Workbook files: writing .xlsx (atomically: a temporary file in the same
// folder, then a rename), reading .xlsx and legacy .xls, and patching a few
// cells of an existing .xlsx in place. Readers never crash on a damaged or
// foreign file: they return an error text and change nothing on disk.

#include <QString>
#include <optional>
#include <vector>

#include "sheets/sheet.h"

namespace tavro {

// Outcome of a write: ok, or the reason it failed (a text for the user).
struct IoStatus {
  QString error;
  bool ok() const { return error.isEmpty(); }
};

// Outcome of a read: the workbook, or the reason it could not be read.
struct ReadResult {
  std::optional<Workbook> book;
  QString error;            // "" when read
  QString path;             // the file that was (or would have been) read
  bool fileAtFault = true;  // the error lies in the file (false: in this installation)
  bool ok() const { return book.has_value(); }
};

// Size limits of the readers, against damaged files and zip bombs.
inline constexpr qint64 kMaxSheetFileBytes = 64LL << 20;  // the file itself
inline constexpr qint64 kMaxXmlPartBytes = 64LL << 20;    // one unpacked part of an .xlsx
inline constexpr qint64 kMaxCellsRead = 1000000;          // cells kept per workbook

// The checks every reader makes before opening a file: it exists and is not too large.
// Returns "" when the file may be read, otherwise the message naming the file.
QString checkReadableSheetFile(const QString& path);

// Writes the workbook as .xlsx: every sheet with values, formulas (with their results recomputed
// and stored), formats, merges, sizes, frozen panes, selection and page setup. The file appears
// complete or not at all; an existing file is replaced only on success.
IoStatus saveXlsx(const Workbook& book, const QString& path);

// Reads an .xlsx: sheets in workbook order, values (shared, inline and rich-text strings, numbers,
// booleans, formulas with their cached results), merges, widths, heights, frozen panes and the
// cell formats (fill, font, alignment, wrap, borders, number format).
ReadResult readXlsx(const QString& path);

// Reads a legacy .xls: the values of its first sheet (dates as date serials formatted "yyyy-m-d").
ReadResult readXls(const QString& path);

// Reads .xlsx or .xls, chosen by the file's first bytes (zip or compound document).
ReadResult readWorkbook(const QString& path);

// Reads basePath + ".xlsx" when it exists, else basePath + ".xls"; the error "文件不存在" style text
// names the .xlsx when neither exists (ReadResult::path is then "").
ReadResult readSheetFile(const QString& basePath);

// True when basePath + ".xlsx" or basePath + ".xls" exists.
bool sheetFileExists(const QString& basePath);

// One cell to change in place: a text cell, or a number cell when isNumber.
struct CellEdit {
  int row = 1;
  int col = 1;
  QString text;
  bool isNumber = false;
  double number = 0;
  static CellEdit textAt(int row, int col, const QString& text) { return {row, col, text, false, 0}; }
  static CellEdit numberAt(int row, int col, double value) { return {row, col, QString(), true, value}; }
};

// Changes cells of sheet sheetIndex (from 0) of an .xlsx in place and saves it atomically: each cell
// keeps its style, every other cell and every other part of the file stays as it was (the workbook
// is marked for recalculation on open). An empty text removes the cell's value.
IoStatus patchXlsx(const QString& path, int sheetIndex, const std::vector<CellEdit>& edits);

// Patches sheet sheetIndex of the file read by readSheetFile(basePath): an .xlsx in place; an .xls,
// which cannot be patched, is written with its values and the edits as basePath + ".xlsx", which
// later reads prefer.
IoStatus patchSheetFile(const QString& basePath, int sheetIndex, const std::vector<CellEdit>& edits);

}  // namespace tavro
