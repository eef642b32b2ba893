#pragma once
// Timetable cell texts. A class cell (Kb) is "" or 10 characters:
//   1-3 course, 4-6 teacher (or combined lesson number), 7-9 "000" (or the
//   combined lesson's field 6), 10 kind digit ("0" ordinary, "5".."8" combined).
// A teacher cell (Jskb) is "", a blocked code below 10 ("2", "6", "7", "8"),
// or a lesson text: course(3) + grade(2) + class(2) + "000", or
// course(3) + "9" + combined lesson number(3) + "000".

#include <QString>

#include "core/vbtext.h"

namespace tavro {

// Course number of a class or teacher lesson cell (characters 1-3); 0 for "".
inline int cellCourse(const QString& cell) {
  return ValMid(cell, 0, 3);
}
// Teacher number (or combined lesson number when the kind is 5..8) of a class cell.
inline int cellTeacher(const QString& cell) {
  return ValMid(cell, 3, 3);
}
// Characters 7-9 of a class cell.
inline QString cellField7(const QString& cell) {
  return cell.mid(6, 3);
}
// Kind digit of a class cell (character 10); 0 for "".
inline int cellKind(const QString& cell) {
  return cell.size() >= 10 ? ValMid(cell, 9, 1) : 0;
}
// True when the class cell holds a combined-class lesson (kind 5 and above).
inline bool isCombinedCell(const QString& cell) {
  return cellKind(cell) >= 5;
}
// The numeric value of a teacher cell: below 10 blocked, 10 and above a lesson.
inline double teacherCellValue(const QString& cell) {
  return Val(cell);
}
// True when a teacher cell is a blocked period (non-empty, value below 10).
inline bool isBlocked(const QString& cell) {
  return !cell.isEmpty() && Val(cell) < 10;
}
// True when a teacher cell holds a lesson (value 10 or more).
inline bool isTeacherLesson(const QString& cell) {
  return Val(cell) >= 10;
}
// Grade (characters 4-5) of a teacher cell of an ordinary lesson.
inline int teacherCellGrade(const QString& cell) {
  return ValMid(cell, 3, 2);
}
// Class (characters 6-7) of a teacher cell of an ordinary lesson.
inline int teacherCellClass(const QString& cell) {
  return ValMid(cell, 5, 2);
}
// True when a teacher cell is a combined lesson (character 4 is "9").
inline bool isTeacherCombinedCell(const QString& cell) {
  return cell.size() >= 4 && cell[3] == u'9';
}
// Combined lesson number of a teacher combined-lesson cell (characters 5-7).
inline int teacherCellCombined(const QString& cell) {
  return ValMid(cell, 4, 3);
}

}  // namespace tavro
