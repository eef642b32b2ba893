#pragma once
// The combined-class sheet "合班数据表": lessons that several classes, whole
// grades or the whole school take together at fixed weekly times.

#include "core/ctx.h"
#include "sheets/sheet.h"
#include "sheets/sheet_operation.h"

namespace tavro {

// CmdHb_Click: the button "4、合班". Imports the sheet when it is filled in (B9 not empty),
// otherwise generates the template with its four examples and says so in one message.
SheetOutcome CmdHb_Click(Ctx& c);
// The same operation inside the import chain, which tells about the templates it wrote at its end.
SheetOutcome combinedSheetOperation(Ctx& c);

// Writes the combined-class template (headings, examples, 50 numbered lesson rows) into an empty sheet.
void writeCombinedTemplate(Sheet& sh);

// Imports the lesson rows from row 9 down to the first empty B cell into Hbk, Hbbj and Hbks.
// Class codes, grade names, times, course and teacher numbers the school does not have are
// refused with a message naming the row; a sheet whose B9 is "无" holds one lesson that reaches
// no class. Sets Hbydr and enables the class button. False when a check stopped it.
bool importCombinedSheet(Ctx& c, const Sheet& sh);

}  // namespace tavro
