#pragma once
// The quality figures of a timetable: the soft faults a school notices at once
// (the same course twice on a day, main subjects in the afternoon, period 1 and
// the last period used too often, teachers' idle periods and overfull days),
// their weighted score, and the hard faults no timetable may have (lessons in
// banned or blocked periods, a teacher in two places, caps exceeded, lessons
// missing from the plan). They are read from the long-term layer of Kb and
// Jskb only, so they can be measured for any timetable, whoever made it.

#include <QString>
#include <QStringList>

#include "core/runstate.h"
#include "core/school.h"

namespace tavro {

// Weights of the soft faults in the score. A same-day repeat is the fault schools complain of most, and
// it outweighs the idle periods and afternoon lessons that removing it may cost (at 6 the pass kept
// more than half of the repeats of the medium demo schools). A main subject in the last two periods
// counts both weights.
inline constexpr int kRepeatWeight = 20;        // per lesson of a course beyond one a day, not forced
inline constexpr int kMainAfternoonWeight = 2;  // per main-subject lesson in the afternoon
inline constexpr int kMainLastTwoWeight = 3;    // per main-subject lesson in the last two periods
inline constexpr int kEdgePeriodWeight = 4;  // per day a course holds period 1 or the last beyond the rules
inline constexpr int kIdleWeight = 1;        // per idle teacher period between two lessons of a day
inline constexpr int kAboveDailyMostWeight = 4;  // per teacher lesson above the preferred daily maximum (G12)

// Soft faults, counted over every class and teacher.
struct SoftFaults {
  // Lessons of a course beyond the first on a day, less what its weekly count forces (lessons beyond
  // one a day when it has more lessons than days): sum over class and course of
  // (lessons - days holding it) - max(0, lessons - days of the week).
  int sameDayRepeats = 0;
  int mainLessons = 0;    // lessons of main subjects (Kczf = 1) outside grade 12
  int mainAfternoon = 0;  // of them, in the afternoon (after period Swjs)
  int mainLastTwo = 0;    // of them, in the last two periods of the day
  // Days beyond two on which a course holds period 1 (where the placement rules allow two: Swjs is
  // not 1 and the course is not a main subject of grades 1 to 6), and days beyond one (two when the
  // first afternoon period is banned for it or its kind is 3) on which it holds the last period.
  int edgePeriodOveruse = 0;
  int teacherIdle = 0;              // free teacher periods between the first and last lesson of a day
  int teacherDaysAboveMost = 0;     // teacher days with more lessons than Jsmtzdjs (G12)
  int teacherLessonsAboveMost = 0;  // lessons beyond Jsmtzdjs, summed over those days
  // The weighted score: the sum of each count above times its weight.
  long long score() const;
};

// Hard faults: a timetable keeping every hard rule has none.
struct HardFaults {
  int bannedLessons = 0;    // ordinary lessons in a period their course bans (Mtjp)
  int teacherClashes = 0;   // lessons whose teacher has another lesson at that time
  int blockedLessons = 0;   // lessons in a period their teacher is blocked (given by blockedCells)
  int capsExceeded = 0;     // slots where a capped course has more classes than its cap
  int planDifferences = 0;  // classes whose ordinary lessons differ from their course plan
  int total() const;
};

struct QualityFigures {
  SoftFaults soft;
  HardFaults hard;
  int emptyCells = 0;  // class cells with nothing in them (an unscheduled or cleared class)
};

// Measures the soft faults of the long-term layer. Teachers' days are read from Jskb (lessons valued
// above 9, blocks below 10); class days from Kb, combined lessons included.
SoftFaults measureSoftFaults(const School& s);

// Measures the hard faults. blocked lists the teacher blocks as the school gave them (one text per
// teacher row 0..Jss, Mzts * Mtjs characters, "1" for a blocked period), since lessons placed over a
// block replace it in Jskb; an empty list counts no blocked lessons.
HardFaults measureHardFaults(const School& s, const QStringList& blocked);

// Both, and the empty cells.
QualityFigures measureQuality(const School& s, const QStringList& blocked);

// The blocked periods of Jskb as blockedCells keeps them: call it before the timetable is loaded
// (after the sheets are imported and the blocked events marked).
QStringList blockedCells(const School& s);

}  // namespace tavro
