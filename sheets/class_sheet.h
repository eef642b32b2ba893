#pragma once
// The class sheet "班级数据表": one row per class with its name, head teacher
// and, per course, the weekly lesson count and the teacher. Its import fills
// the course plans and the teachers' loads and then starts the scheduling run.

#include <QString>

#include "core/ctx.h"
#include "sheets/sheet.h"
#include "sheets/sheet_operation.h"
#include "sheets/sheets_host.h"

namespace tavro {

// Columns of the class sheet: course k (1..Kcs-1) has its count in 2k + 7 and its teacher in
// 2k + 8; column H (8) is the count of course 0 "空课".
inline int classCountColumn(int course) {
  return course == 0 ? 8 : 2 * course + 7;
}
inline int classTeacherColumn(int course) {
  return 2 * course + 8;
}

// CmdBj_Click: the button "5、班级". Imports the class sheet when it holds a lesson count, then
// starts the scheduling run through host; otherwise generates the template and says so in one
// message.
SheetOutcome CmdBj_Click(Ctx& c, SheetsHost& host);
// The same operation inside the import chain, which tells about the templates it wrote at its end.
SheetOutcome classSheetOperation(Ctx& c, SheetsHost& host);

// Writes the class template (course blocks in course order, one row per class) into an empty sheet.
void writeClassTemplate(Sheet& sh, const School& s);

// True when some class row holds a number in some count cell (course 0 included).
bool classSheetFilled(const School& s, const Sheet& sh);

// Imports the class rows: names, head teachers, course plans, the teachers' loads Jszjs and Jsrk
// (counted afresh on every attempt), the list LstBj; sets Bjydr and enables "6、课表". False when a
// check stopped it (its message shown).
bool importClassSheet(Ctx& c, const Sheet& sh);

// HJsmJsh: the teacher number of a teacher name as Lbq(3, number), "" when no teacher has it.
// Every " " is first removed from name (the caller sees the cleaned name); a 2-character name then
// gets "　" between its characters, the form in which such names are stored.
QString HJsmJsh(const School& s, QString& name);

}  // namespace tavro
