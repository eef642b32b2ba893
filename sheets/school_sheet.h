#pragma once
// The school sheet "学校数据表": grades with names and class counts, and the
// school-wide settings. Its import sizes the whole model and then runs the
// other four sheet operations.

#include "core/ctx.h"
#include "sheets/sheet.h"
#include "sheets/sheet_operation.h"
#include "sheets/sheets_host.h"

namespace tavro {

// CmdXx_Click: the button "1、学校". Imports the school sheet when it is filled in (G5 holds the
// school name) and then runs the teacher, course, combined-class and class operations in turn;
// otherwise generates the template and tells the user to fill it in. The chain stops at the first
// sheet that is refused (nothing after it is imported, so nothing is scheduled). At the first sheet
// that is missing or not filled in, its template is written, and so are the templates of the
// sheets after it that are missing too (a new school gets all four); the sheets after it are not
// imported, and one message names the templates written. Returns Imported when all five sheets
// were imported (the class import started the scheduling run).
SheetOutcome CmdXx_Click(Ctx& c, SheetsHost& host);

// Writes the school template (cells, merges, colours, widths, borders) into an empty sheet.
void writeSchoolTemplate(Sheet& sh);

// Imports the cells of a filled-in school sheet into the model: grades, classes per grade and the
// settings; sizes every table. Sets Xxydr and enables the four sheet buttons. False when a check
// stopped it (its message shown); the model is then partly filled and Xxydr stays 0. A start date
// that is no date throws std::runtime_error with its message, for the operation's error handler.
bool importSchoolSheet(Ctx& c, const Sheet& sh);

}  // namespace tavro
