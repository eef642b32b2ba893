#include "engine/rules.h"

#include <array>

#include "core/slots.h"
#include "engine/placement.h"

namespace tavro {

namespace {

const QString& classAt(const RuleInput& in, int period) {
  return in.s.Kb(kLongTerm, in.day, period, in.lesson.nj, in.lesson.bj);
}
bool holdsCourse(const RuleInput& in, int day, int period) {
  return cellHoldsCourse(in.s.Kb(kLongTerm, day, period, in.lesson.nj, in.lesson.bj), in.lesson.course);
}
int kind(const RuleInput& in) {
  return in.s.Kczf.has(in.lesson.course) ? in.s.Kczf(in.lesson.course) : 0;
}

// Number of weekdays on which period p of the class holds the course.
int daysWithCourseAt(const RuleInput& in, int p) {
  int n = 0;
  for (int d = 1; d <= in.s.Mzts; ++d)
    if (holdsCourse(in, d, p)) ++n;
  return n;
}

// ---- Single-lesson rules, in the order they are applied ----

bool occupied(const RuleInput& in) {
  // A lesson needs a free class cell, a free teacher cell and room under the course's school-wide cap.
  return !classAt(in, in.period).isEmpty() ||
         (in.lesson.teacher >= 1 && !teacherFree(in.s, in.lesson.teacher, in.day, in.period)) ||
         Hlqlknfp(in.s, in.st, in.day, in.period, in.lesson.course);
}

bool firstPeriodFull(const RuleInput& in) {
  // A course may open the day on at most two weekdays, except a main subject in the primary grades.
  if (in.period != 1) return false;
  return daysWithCourseAt(in, 1) == 2 && in.s.Swjs != 1 && (kind(in) > 1 || in.lesson.nj > 6);
}

bool lastPeriodFull(const RuleInput& in) {
  // A course ends the day once a week (twice when it may not start the afternoon or is of kind 3).
  const School& s = in.s;
  const int c = in.lesson.course;
  if (in.period != s.Mtjs || c < 1 || isSelfStudy(s, c)) return false;
  const int limit = (!periodAllowed(s, c, s.Swjs + 1) || kind(in) == 3) ? 2 : 1;
  if (daysWithCourseAt(in, s.Mtjs) != limit) return false;
  return !onlyLastPeriodAllowed(s, c);
}

bool teacherlessDayFull(const RuleInput& in) {
  // A course without teacher spreads evenly: at most its weekly share plus one per day.
  if (in.lesson.teacher >= 1 || in.lesson.lastTwoItems) return false;
  return courseCountOnDay(in.s, in.lesson.nj, in.lesson.bj, in.day, in.lesson.course) >
         in.lesson.weekly / in.s.Mzts + 1;
}

bool teacherOverloaded(const RuleInput& in) {
  // A teacher keeps the last morning period, each half-day and the whole day within their limits.
  const School& s = in.s;
  const int t = in.lesson.teacher;
  if (t < 1) return false;
  const double half = s.Mzts / 2.0;
  if (in.period == s.Swjs) {
    int nT = 0;
    for (int d = 1; d <= s.Mzts; ++d)
      if (teacherHasLesson(s.Jskb(kLongTerm, d, in.period, t))) ++nT;
    if (nT > (kind(in) == 3 ? half + 2 : half)) return true;
  }
  if (in.period > s.Swjs) {
    if (teacherLessons(s, t, in.day, s.Swjs + 1, s.Mtjs) >= 3) return true;
  } else if (teacherLessons(s, t, in.day, 1, s.Swjs) > half) {
    return true;
  }
  return s.Mtjs >= s.Jsmtzdjs && teacherLessons(s, t, in.day, 1, s.Mtjs) == s.Jsmtzdjs;
}

bool periodBanned(const RuleInput& in) {
  // A course never goes into a period its allowed-periods string bans.
  return !periodAllowed(in.s, in.lesson.course, in.period);
}

bool adjacentSameCourse(const RuleInput& in) {
  // When the course must share a day (fewer free days than lessons left), its lessons are not adjacent.
  if (in.lesson.course == 0 || in.lesson.freeDays >= in.lesson.remaining) return false;
  return (in.period >= 2 && holdsCourse(in, in.day, in.period - 1)) ||
         (in.period < in.s.Mtjs && holdsCourse(in, in.day, in.period + 1));
}

constexpr std::array<SlotRule, 7> kSingleRules{{
    {"occupied", occupied},
    {"first period", firstPeriodFull},
    {"last period", lastPeriodFull},
    {"teacherless day", teacherlessDayFull},
    {"teacher load", teacherOverloaded},
    {"banned period", periodBanned},
    {"adjacent", adjacentSameCourse},
}};

// ---- Double-block rules (the block is period P and P + 1) ----

bool dayHasTwo(const RuleInput& in) {
  // A day holds at most two periods of a course.
  return in.lesson.course >= 1 &&
         courseCountOnDay(in.s, in.lesson.nj, in.lesson.bj, in.day, in.lesson.course) >= 2;
}

bool crossesHalfDay(const RuleInput& in) {
  // A block stays inside one half-day and inside the day.
  const School& s = in.s;
  return in.period == s.Swjs || in.period == s.Swjs + s.Xwjs || in.period + 1 > s.Mtjs;
}

bool blockOccupied(const RuleInput& in) {
  // Both class cells of the block are free.
  return !classAt(in, in.period).isEmpty() || !classAt(in, in.period + 1).isEmpty();
}

bool blockTeacherBusy(const RuleInput& in) {
  // The teacher is free at both periods of the block.
  const int t = in.lesson.teacher;
  return t >= 1 && (!teacherFree(in.s, t, in.day, in.period) || !teacherFree(in.s, t, in.day, in.period + 1));
}

bool blockCapReached(const RuleInput& in) {
  // A capped course stays under its school-wide cap at both periods.
  const int c = in.lesson.course;
  return isCapped(in.s, c) &&
         (Hlqlknfp(in.s, in.st, in.day, in.period, c) || Hlqlknfp(in.s, in.st, in.day, in.period + 1, c));
}

bool blockBanned(const RuleInput& in) {
  // Neither period of the block is banned for the course.
  return !periodAllowed(in.s, in.lesson.course, in.period) ||
         !periodAllowed(in.s, in.lesson.course, in.period + 1);
}

bool blockDayFull(const RuleInput& in) {
  // A block leaves the teacher's day (meetings not counted) within the daily maximum.
  const School& s = in.s;
  if (s.Mtjs < s.Jsmtzdjs) return false;
  int count = 0;
  for (int p = 1; p <= s.Mtjs; ++p) {
    const QString& cell = s.Jskb(kLongTerm, in.day, p, in.lesson.teacher);
    if (teacherHasLesson(cell) && !isMeetingCourse(s, cellDigits(cell, 0, 3))) ++count;
  }
  return count > s.Jsmtzdjs - 2;
}

constexpr std::array<SlotRule, 7> kDoubleRules{{
    {"two a day", dayHasTwo},
    {"half-day boundary", crossesHalfDay},
    {"block occupied", blockOccupied},
    {"block teacher busy", blockTeacherBusy},
    {"block cap", blockCapReached},
    {"block banned", blockBanned},
    {"block day full", blockDayFull},
}};

template <std::size_t N>
const char* firstRefusal(const std::array<SlotRule, N>& rules, const RuleInput& in) {
  for (const SlotRule& rule : rules)
    if (rule.refuses(in)) return rule.name;
  return nullptr;
}

}  // namespace

int teacherLessons(const School& s, int t, int d, int from, int to) {
  int n = 0;
  for (int p = from; p <= to; ++p)
    if (teacherHasLesson(s.Jskb(kLongTerm, d, p, t))) ++n;
  return n;
}

const char* singleRefusal(const School& s, const RunState& st, const LessonAsk& lesson, int day, int period) {
  if (period < 1) period = 1;
  if (period > s.Mtjs) period -= s.Mtjs;
  return firstRefusal(kSingleRules, RuleInput{s, st, lesson, day, period});
}

bool singleAccepted(const School& s, const RunState& st, const LessonAsk& lesson, int day, int period) {
  return singleRefusal(s, st, lesson, day, period) == nullptr;
}

const char* doubleRefusal(const School& s, const RunState& st, const LessonAsk& lesson, int day, int period) {
  if (period < 1) period += s.Mtjs;
  return firstRefusal(kDoubleRules, RuleInput{s, st, lesson, day, period});
}

bool doubleAccepted(const School& s, const RunState& st, const LessonAsk& lesson, int day, int period) {
  return doubleRefusal(s, st, lesson, day, period) == nullptr;
}

}  // namespace tavro
