#pragma once
// The teacher assignment table "教师任课情况表": per chosen teacher the class
// the teacher is head teacher of, the weekly lesson total and, per course, the
// classes taught with their weekly lesson counts. It is built from the class
// course plans and the combined lessons, so it can be printed before
// scheduling.

#include <QList>
#include <QString>
#include <optional>

#include "export/context.h"
#include "sheets/range.h"

namespace tavro {

// One entry of a teacher's course: a class, or a whole-school combined lesson, with its weekly counts
// (two or more when the same class comes with different counts, e.g. from its plan and a combined lesson).
struct AssignmentEntry {
  int course = 0;
  QString code;       // 4-digit class code, or "9" + the 3-digit combined lesson number (whole school)
  QList<int> counts;  // weekly lesson counts, ascending
};

// The assignment lists of one teacher (Jsrksj).
struct TeacherAssignment {
  int teacher = 0;                 // teacher number
  int total = 0;                   // weekly lesson total (a combined lesson counted once)
  QList<int> courses;              // course numbers, ascending, once each
  QList<AssignmentEntry> entries;  // sorted by course, then class code
};

// The whole table: the teachers in number order and the head count of the summary line.
struct AssignmentTable {
  QList<TeacherAssignment> teachers;
  int N = 0;
};

// Jsrksj: the lists of teacher q from the class plans (with "按班级和课程" only the chosen courses) and
// the combined lessons that name q (not those of "班主任").
TeacherAssignment Jsrksj(const ExportCtx& c, int q);

// The chosen teachers ("按代码或姓名": the rows of LstJs, every row with "全部教师"; "按班级和课程": the
// teacher set) with their lists. No teacher: "没有符合要求的教师！" and nullopt.
std::optional<AssignmentTable> collectAssignments(ExportCtx& c, const QString& teacherSet);

// Bjmjh: the text of one entry: the class name without "　" (or the combined lesson's name), a blank
// and the count ("初一1班 5"); several counts each two digits wide ("初一1班 0402").
QString Bjmjh(const ExportCtx& c, const AssignmentEntry& e);

// The summary line of A2: "共有N人[，不含教师是班主任的合班课]　全周共M节".
QString assignmentSummary(const ExportCtx& c, int N);

// Ckjsrk: writes the table (title, summary, headers, one block of rows per teacher, merges, format).
void Ckjsrk(ExportCtx& c, Sheet& sh, const AssignmentTable& table);

}  // namespace tavro
