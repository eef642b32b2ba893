#pragma once
// The course sheet "课程数据表": course names, short names, kinds, the most
// classes that may have a course in one period, banned periods of the day and
// weekly teaching-research periods. Its import also turns every blocked-period
// record into blocked cells of the teacher timetable.

#include <QString>

#include "core/ctx.h"
#include "sheets/sheet.h"
#include "sheets/sheet_operation.h"

namespace tavro {

// Columns of the course sheet: period flag p at p + 5, research weekday at Mtjs + 6, research
// flag p at Mtjs + 6 + p; the last column is 2 * Mtjs + 6.
int courseFlagColumn(int period);
int researchDayColumn(const School& s);
int researchFlagColumn(const School& s, int period);

// The default course list item k (0..31), e.g. "语文(语)1"; "" beyond it.
QString defaultCourseItem(int k);

// Zkczfqmrz: default kind and allowed-period flags of a course named name: sets kind to 1
// (main subjects), 3 (class meetings, sports, arts, self-study, activities) or 2, and returns 20
// flag characters, "1" allowed, "0" never scheduled ("00" then "1"s for kind 3 courses).
QString Zkczfqmrz(const School& s, const QString& name, int& kind);

// CmdKc_Click: the button "3、课程". Imports the course sheet whenever its file opens; otherwise
// generates the template, pre-filled with the default course list, and says so in one message.
SheetOutcome CmdKc_Click(Ctx& c);
// The same operation inside the import chain, which tells about the templates it wrote at its end.
SheetOutcome courseSheetOperation(Ctx& c);

// Writes the course template for Kcs courses into an empty sheet and notes the default names,
// kinds and flags in the model (so that the class template can name the courses).
void writeCourseTemplate(Sheet& sh, School& s);

// Imports the cells of the course sheet: courses, limits, banned periods, research periods and
// records, the teachers' blocked cells in Jskb, the list LstKc; sets Kcydr and enables the
// combined-class and class buttons. False when a check stopped it (its message shown).
bool importCourseSheet(Ctx& c, const Sheet& sh);

}  // namespace tavro
