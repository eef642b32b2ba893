// The columns of the subject-teacher and grade-teacher tables and their
// markers.

#include "export/teacher_tables.h"

#include <algorithm>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "export/names.h"
#include "export/selection.h"

namespace tavro {

namespace {

const QString kEarlier = QStringLiteral("○");
const QString kLater = QStringLiteral("●");

// Number of decimal digits of n.
int digitCount(int n) {
  return int(Szc(std::max(n, 0)).size());
}

// Adds the plan teachers of course in every class of grade nj to set (3-digit numbers).
void gradeCourseTeachers(const School& s, int nj, int course, QString& set) {
  for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj) {
    if (!s.isClass(nj, bj)) continue;
    for (int row = 1; row <= s.Bjkcs(nj, bj) && row <= s.planRows(); ++row)
      if (s.Bjkcb(row, 1, nj, bj) == course && s.Bjkcb(row, 2, nj, bj) > 0)
        set += Lbq(3, s.Bjkcb(row, 2, nj, bj));
  }
}

// The teacher numbers of a set of 3-digit codes.
QList<int> numbers(const QString& set) {
  QList<int> list;
  for (int i = 0; i < codeCount(set, 3); ++i) list << ValInt(codeAt(set, 3, i));
  return list;
}

// The subject-teacher columns: one per chosen course, its teachers in every grade.
QList<TeacherColumn> courseColumns(const ExportCtx& c) {
  QList<TeacherColumn> columns;
  const QString courses = Csbxkcjh(c);
  for (int i = 0; i < codeCount(courses, 3); ++i) {
    const int course = ValInt(codeAt(courses, 3, i));
    QString set;
    for (int nj = c.s.Snj; nj <= c.s.Mnj; ++nj) gradeCourseTeachers(c.s, nj, course, set);
    Qcdm(set, 3);
    columns << TeacherColumn{HKcmc(c, course), numbers(set), {}};
  }
  return columns;
}

// The grade header: Njm, or for primary schools (Xxlx 7) the short grade name and "年级".
QString gradeHeader(const School& s, int nj) {
  return s.Xxlx == 7 ? Njjc(s, nj) + QStringLiteral("年级") : s.Njm(nj);
}

// The grade-teacher columns: one per grade of the grade set with at least one teacher.
QList<TeacherColumn> gradeColumns(const ExportCtx& c) {
  QList<TeacherColumn> columns;
  QString grades = HBxnjjh(c);
  if (grades.isEmpty())
    for (int nj = c.s.Snj; nj <= c.s.Mnj; ++nj)
      if (c.s.Njbjs.has(nj) && c.s.Njbjs(nj) > 0) grades += Lbq(2, nj);
  for (int i = 0; i < codeCount(grades, 2); ++i) {
    const int nj = ValInt(codeAt(grades, 2, i));
    const QList<int> teachers = numbers(Csxknjjsjh(c, nj));
    if (!teachers.isEmpty()) columns << TeacherColumn{gradeHeader(c.s, nj), teachers, {}};
  }
  return columns;
}

// True when teacher t stands in one of the columns from..to (inclusive).
bool standsIn(const QList<TeacherColumn>& columns, int t, int from, int to) {
  for (int j = std::max(0, from); j <= to && j < columns.size(); ++j)
    if (columns.at(j).teachers.contains(t)) return true;
  return false;
}

// The markers: the first pass gives "○" to a teacher also standing in an earlier column (subject table)
// or a later one (grade table); the second gives "●" for the other direction to entries not yet marked.
void markEntries(const ExportCtx& c, TeacherColumns& table) {
  QList<TeacherColumn>& cols = table.columns;
  const int k = int(cols.size());
  QList<QStringList> marks;
  for (const TeacherColumn& col : cols) marks << QStringList(col.teachers.size(), QString());
  for (int j = 0; j < k; ++j)
    for (int e = 0; e < cols.at(j).teachers.size(); ++e) {
      const int t = cols.at(j).teachers.at(e);
      if (table.byGrade ? standsIn(cols, t, j + 1, k - 1) : standsIn(cols, t, 0, j - 1))
        marks[j][e] = kEarlier;
    }
  for (int j = k - 1; j >= 0; --j)
    for (int e = 0; e < cols.at(j).teachers.size(); ++e) {
      const int t = cols.at(j).teachers.at(e);
      if (!marks[j][e].isEmpty()) continue;
      if (table.byGrade ? standsIn(cols, t, 0, j - 1) : standsIn(cols, t, j + 1, k - 1)) marks[j][e] = kLater;
    }
  for (int j = 0; j < k; ++j)
    for (int e = 0; e < cols.at(j).teachers.size(); ++e)
      cols[j].entries << teacherEntry(c, cols.at(j).teachers.at(e)) + marks[j][e];
}

}  // namespace

int TeacherColumns::mostEntries() const {
  int most = 0;
  for (const TeacherColumn& col : columns) most = std::max(most, int(col.entries.size()));
  return most;
}

QString Csbxkcjh(const ExportCtx& c) {
  return HBxkcjh(c);
}

QString Csxknjjsjh(const ExportCtx& c, int nj) {
  QString set;
  const QString courses = Csbxkcjh(c);
  for (int i = 0; i < codeCount(courses, 3); ++i)
    gradeCourseTeachers(c.s, nj, ValInt(codeAt(courses, 3, i)), set);
  Qcdm(set, 3);
  return set;
}

QString teacherEntry(const ExportCtx& c, int t) {
  const QString code = c.f.ChkBwfjs ? Lbq(digitCount(c.s.Jss), t) : QString();
  return code + padFull(HJsm(c, t), c.st.Jsmkd + 1);
}

std::optional<TeacherColumns> collectTeacherColumns(ExportCtx& c, bool byGrade) {
  TeacherColumns table;
  table.byGrade = byGrade;
  table.columns = byGrade ? gradeColumns(c) : courseColumns(c);
  const int codeWidth = c.f.ChkBwfjs ? (digitCount(c.s.Jss) + 1) / 2 : 0;
  table.width = c.st.Jsmkd + 1 + codeWidth;
  table.note = byGrade ? QStringLiteral("●更低年级还有，○已在更高年级")
                       : QStringLiteral("●后面学科还有，○已在前面学科");
  markEntries(c, table);
  if (table.mostEntries() == 0) {
    Tsxx(c.ui, QStringLiteral("没有符合要求的教师！"));
    return std::nullopt;
  }
  return table;
}

}  // namespace tavro
