#pragma once
// Temporary changes over a date range: a temporary swap holds for every day of
// its range, so it must not clash with a recorded change that is in force on
// any of those days, even when that change is not in force on the day the
// temporary layer shows.

#include <QString>
#include <QVector>

#include "core/school.h"
#include "temporary/changefile.h"

namespace tavro {

// The two lessons of a temporary swap of class (nj, bj): the lesson to move at (xq1, jc1) taught
// by teacher1 (course course1) and its partner at (xq2, jc2) taught by teacher2 (course course2).
struct TemporarySwapLessons {
  int nj = 0, bj = 0;
  int xq1 = 0, jc1 = 0, teacher1 = 0, course1 = 0;
  int xq2 = 0, jc2 = 0, teacher2 = 0, course2 = 0;
};

// Why the swap would clash on some day from start to end (YYYY-MM-DD) with the records, each
// applied on the days it is in force (later records win, as the replay does); "" when no day
// clashes. Worded as the swap test's verdicts, with the first day of the clash:
// - a lesson of the class changed by a record: "该节课{day}起已临时调课，为避免混乱";
// - teacher1 busy with a lesson at (xq2, jc2), or teacher2 at (xq1, jc1), when the two teachers
//   differ: "{course}教师{name}{slot}不空（{day}起有临时调课）".
// With (xq2, jc2) = (xq1, jc1) only the first case is checked, for that one lesson.
QString temporarySwapClash(const School& s, const QVector<ChangeRecord>& records,
                           const TemporarySwapLessons& swap, const QString& start, const QString& end);

}  // namespace tavro
