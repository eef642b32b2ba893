#pragma once
// The subject-teacher table "学科教师表" (one column per chosen course) and
// the grade-teacher table "年级教师表" (one column per grade that has a
// teacher of the chosen courses), each column listing its teachers once.
// A teacher standing in several columns is marked so that head counts can be
// read off: ○ and ● with the note under the table. With Hsdm = 1 the columns
// run down; with Hsdm = 0 the table is transposed (one row per column).

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "export/context.h"
#include "sheets/range.h"

namespace tavro {

// One column of the table.
struct TeacherColumn {
  QString header;       // course name, or grade name
  QList<int> teachers;  // teacher numbers, once each, in the order found
  QStringList entries;  // entry texts, marker included
};

// The whole table.
struct TeacherColumns {
  bool byGrade = false;  // grade-teacher table (else subject-teacher table)
  QList<TeacherColumn> columns;
  int width = 1;  // entry width in characters (column width)
  QString note;   // the explanation of the markers
  // The largest number of entries of one column.
  int mostEntries() const;
};

// Csbxkcjh: the chosen course set (3-digit numbers, list order; every course with "全部课程").
QString Csbxkcjh(const ExportCtx& c);
// Csxknjjsjh: the teachers (3-digit numbers, once each) who teach one of the chosen courses in grade nj,
// course by course in set order, class by class.
QString Csxknjjsjh(const ExportCtx& c, int nj);

// The columns of the subject-teacher table (byGrade false) or the grade-teacher table (true), with
// entries and markers. No column with an entry: "没有符合要求的教师！" and nullopt.
std::optional<TeacherColumns> collectTeacherColumns(ExportCtx& c, bool byGrade);

// The entry text of teacher t: the number (zero-padded to the digits of Jss, with "附教师代码") and
// the name padded with "　" to Jsmkd + 1, so that a marker appended stands apart from the name.
QString teacherEntry(const ExportCtx& c, int t);

// Ckxkjs, Cknjjs: write the subject-teacher and grade-teacher tables (form by Hsdm).
void Ckxkjs(ExportCtx& c, Sheet& sh, const TeacherColumns& table);
void Cknjjs(ExportCtx& c, Sheet& sh, const TeacherColumns& table);

}  // namespace tavro
