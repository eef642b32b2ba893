#pragma once
// The texts around a teacher's detailed timetable: the caption naming what the
// teacher teaches, the lines of the combined lessons the teacher takes part in,
// and the notice that explains a temporary change of a clicked period.

#include <QString>
#include <QStringList>

#include "core/school.h"

namespace tavro {

// Caption of the teacher view of teacher t: Lbq(3, t) + Jsmc(t) + " " + the subject list, with
// full course names when they fit in the grid's width, else short names; no blanks inside.
QString teacherCaption(const School& s, int t);

// One line per combined lesson of teacher t found in the long-term layer (weekday by weekday,
// period by period, each lesson once): its times (Xqjcwb) + "　" + Hbbjmc. Lessons given by
// every class's head teacher and whole-school lessons are left out.
QStringList combinedLessonLines(const School& s, int t);

// The notice for a click on (xq, jc) of teacher t while the long-term layer is shown: who took
// over the lesson ("该节已和…老师临时代课！"), with which course ("…临时调课！"), or what the
// period became ("该节已临时改为…！"). "" when the two layers agree or no teacher qualifies.
QString temporaryChangeNotice(const School& s, int xq, int jc, int t);

}  // namespace tavro
