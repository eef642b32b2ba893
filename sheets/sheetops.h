#pragma once
// The sheet procedures the sheet layouts and exports share: a new workbook,
// border helpers, the sheet finish with its beeps, auto-fit of all columns,
// and finding a sheet in the data folder `Wjj`.

#include <QString>

#include "core/runstate.h"
#include "core/ui.h"
#include "sheets/range.h"
#include "sheets/sheet.h"
#include "sheets/xlsx.h"

namespace tavro {

// Xjgzb: a new workbook with one empty sheet "Sheet1" (the current sheet is its first).
Workbook Xjgzb();

// Hbkx: on row, columns c1..c2, draws side (1 left, 2 right, 3 top, 4 bottom) with style
// (1 thin, 2 medium, 3 thick, other codes as lineFromCode) on every cell.
void Hbkx(Sheet& sh, int row, int c1, int c2, int side, int style);

// Hbkx2: on column col, rows r1..r2, draws the right side of every cell with style.
void Hbkx2(Sheet& sh, int r1, int r2, int col, int style);

// Hwg: on rows r1..r2, columns 1..lastCol, draws the bottom side of every cell with style.
void Hwg(Sheet& sh, int r1, int r2, int lastCol, int style);

// Fcts: three beeps through the Ui port, then Mlz = 0 (the sheet operation is over).
void Fcts(Ui& ui, RunState& st);

// Dcbgjw: finishes a sheet: row 1 centred, A1 selected, the page centred both ways, then Fcts.
void Dcbgjw(Sheet& sh, Ui& ui, RunState& st);

// Zdlk: auto-fits every column that holds a value.
void Zdlk(Sheet& sh);

// File filter of the data-folder dialog.
inline const QString kSheetFileFilter = QStringLiteral("Excel文件(*.xlsx *.xls);;课表文件(课表.txt)");

// The path Wjj + name of a sheet in the data folder. When Wjj is empty the user picks a file
// (Ui::chooseFile, title "打开", filter kSheetFileFilter) and Wjj becomes that file's folder with a
// trailing "/". nullopt (Wjj unchanged) when the user cancels.
std::optional<QString> sheetPath(Ui& ui, QString& Wjj, const QString& name);

// Result of DrPksj: the opened workbook, or a new one when the sheet could not be read.
struct OpenedSheet {
  Workbook book;            // the file's workbook (first sheet current) or Xjgzb() when not opened
  bool opened = false;      // the sheet file was read
  bool cancelled = false;   // the user cancelled the data-folder dialog (nothing else was done)
  QString basePath;         // Wjj + name, without extension
  QString filePath;         // the file read (".xlsx" or ".xls"), "" when none
  QString error;            // why a file that exists could not be read; "" when missing or read
  bool fileAtFault = true;  // the error lies in the file, not in this installation
};

// DrPksj: opens sheet `name` ("学校数据表") of the data folder: sheetPath, then readSheetFile.
OpenedSheet DrPksj(Ui& ui, QString& Wjj, const QString& name);

}  // namespace tavro
