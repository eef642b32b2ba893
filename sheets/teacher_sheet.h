#pragma once
// The teacher sheet "教师数据表": every teacher's name and short name, and the
// periods of the week in which a teacher must not be scheduled ("n" asked not
// to teach, "h" meeting).

#include <vector>

#include "core/ctx.h"
#include "sheets/sheet.h"
#include "sheets/sheet_operation.h"
#include "sheets/xlsx.h"

namespace tavro {

// Column of weekday d (1..Mzts), period p (1..Mtjs) on the teacher sheet: Mtjs*(d-1) + 3 + p.
int teacherPeriodColumn(const School& s, int weekday, int period);

// CmdJs_Click: the button "2、教师". Imports the teacher sheet when it is filled in (B7 holds a
// name), writing generated short names back into the file; otherwise generates the template and
// says so in one message.
SheetOutcome CmdJs_Click(Ctx& c);
// The same operation inside the import chain, which tells about the templates it wrote at its end.
SheetOutcome teacherSheetOperation(Ctx& c);

// Writes the teacher template for Jsrs teachers and Mzts x Mtjs periods into an empty sheet.
void writeTeacherTemplate(Sheet& sh, const School& s);

// Imports the cells of a filled-in teacher sheet: names, short names, blocked-period records, the
// list LstJs; sets Jsydr and enables the course button. Cells to write back into the file (generated
// short names) are added to edits. False when a check stopped it (its message shown).
bool importTeacherSheet(Ctx& c, const Sheet& sh, std::vector<CellEdit>& edits);

// The short names generated from stored teacher names 1..Jss (index 0 unused), made unique where
// the names allow it.
std::vector<QString> generateShortNames(const School& s);

}  // namespace tavro
