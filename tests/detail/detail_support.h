#pragma once
// A small school for the detailed window's tests: the two-grade school of the
// fixtures with head teachers and helpers that write lessons into both layers.

#include <QString>

#include "core/school.h"

namespace tavro::testing {

// The two-grade school (teachers 张　三, 李四光, 王　五, 赵六一; courses 空课, 语文, 数学, 英语),
// Gkd 3; 张　三 heads class 0701.
School detailSchool();
// Lesson (course k, teacher t, kind) of class (nj, bj) at (xq, jc) in both layers of Kb and Jskb.
void putLesson(School& s, int nj, int bj, int xq, int jc, int k, int t, QChar kind = u'0');
// Cell text of a class lesson: Lbq(3, k) + Lbq(3, t) + "000" + kind.
QString classCell(int k, int t, QChar kind = u'0');
// Teacher entry of an ordinary lesson: Lbq(3, k) + grade + class + "000".
QString teacherCell(int k, int nj, int bj);

}  // namespace tavro::testing
