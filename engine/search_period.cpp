// The start period of a single lesson (half-day, then the first rule that
// applies) and the weekday and first period of a double block.

#include "core/procedures.h"
#include "core/slots.h"
#include "engine/placement.h"
#include "engine/search_steps.h"

namespace tavro {

// C.4: true for the afternoon, false for the morning.
bool LessonSearch::halfDayIsAfternoon() {
  bool afternoonBanned = true, morningBanned = true;
  for (int p = s_.Swjs + 1; p <= s_.Mtjs; ++p)
    afternoonBanned = afternoonBanned && !periodAllowed(s_, course_, p);
  for (int p = 1; p <= s_.Swjs; ++p) morningBanned = morningBanned && !periodAllowed(s_, course_, p);
  if (afternoonBanned) return false;
  if (morningBanned || s_.Swjs == 0) return true;
  if (nj_ <= c_.st.Csz11[0] && (nameStarts(u"语文") || nameStarts(u"数学"))) {
    for (int p = 1; p <= s_.Swjs; ++p)
      if (cellHoldsCourse(s_.Kb(kLongTerm, day_, p, nj_, bj_), course_)) return true;
  }
  if (mainOutside12()) return false;
  int morning = 0, afternoon = 0;
  for (int p = 1; p <= s_.Mtjs; ++p) {
    if (!s_.Kb(kLongTerm, day_, p, nj_, bj_).isEmpty() || !s_.Jskb(kLongTerm, day_, p, teacher_).isEmpty())
      continue;
    ++(p <= s_.Swjs ? morning : afternoon);
  }
  if (morning != afternoon) return afternoon > morning;
  return courseKind() < 2;
}

// C.5.3: the first afternoon period, or a random one when three weekdays already have a lesson there.
int LessonSearch::afternoonStartPeriod() {
  const int first = s_.Swjs + 1;
  if (periodAllowed(s_, course_, first)) {
    int days = 0;
    for (int d = 1; d <= s_.Mzts; ++d)
      if (cellDigits(s_.Kb(kLongTerm, d, first, nj_, bj_), 0, 6) > 0) ++days;
    return days >= 3 ? s_.Swjs + Sjs(c_.rng, 1, s_.Xwjs) : first;
  }
  // The first afternoon period is banned: start at the first allowed one; the scan covers the rest.
  for (int p = first + 1; p <= s_.Mtjs; ++p)
    if (periodAllowed(s_, course_, p)) return p;
  return first;
}

// C.5.4: the morning rules, the first that applies.
int LessonSearch::morningStartPeriod() {
  const bool e1 = s_.Kb(kLongTerm, day_, 1, nj_, bj_).isEmpty();
  const bool e2 = s_.Mtjs >= 2 && s_.Kb(kLongTerm, day_, 2, nj_, bj_).isEmpty();
  int l = 0;
  for (int d = 1; d <= s_.Mzts; ++d)
    if (cellHoldsCourse(s_.Kb(kLongTerm, d, 1, nj_, bj_), course_)) ++l;
  const int k = courseKind();
  const QString& allowed = s_.Mtjp.has(course_) ? s_.Mtjp(course_) : QString();
  const bool firstAllowed = allowed.startsWith(u'1');
  if (cs_.itemIndex >= 2 && (k == 1 || k == 2) && e1) return 1;
  if (l == 2 && (k <= 1 || j_.Fkbz == 1)) return s_.Swjs + 1 > s_.Mtjs ? 1 : s_.Swjs + 1;
  if (l == 2 && s_.Swjs != 1 && s_.Xwjs > 0) return s_.Swjs + 1;
  if (mainOutside12()) return 1;
  if (firstAllowed && allowed.endsWith(QStringLiteral("00"))) return 1;
  if (e1 && k >= 2) return 1;
  if (firstAllowed && e1) return 1;
  if (e2 && k == 2) return 2;
  // Main subjects outside grade 12 never get here (the fourth rule took them), so the range is Swjs.
  return s_.Swjs < 1 ? 1 : Sjs(c_.rng, 1, s_.Swjs);
}

// C.5: the start period of a single lesson on day_.
void LessonSearch::chooseStartPeriod() {
  const bool afternoon = halfDayIsAfternoon();
  int p;
  if (courseKind() == 3) {
    p = s_.Mtjs == 1 ? 1 : s_.Mtjs - Sjs(c_.rng, 0, 1);
  } else if (nameStarts(u"空课")) {
    p = afternoon ? s_.Mtjs : s_.Swjs;
  } else {
    p = afternoon ? afternoonStartPeriod() : morningStartPeriod();
  }
  if (p == cs_.prevPeriod && cs_.prevPeriod >= 1 && s_.Xwjs > 0) {
    if (Sjs(c_.rng, 1, 2) == 1) {
      p = p - 1 < 1 ? s_.Mtjs : p - 1;
    } else {
      p = p + 1 > s_.Mtjs ? 1 : p + 1;
    }
  }
  if (p < 1) p = 1;
  if (p > s_.Mtjs) p -= s_.Mtjs;
  period_ = p;
}

// D.1: the weekday of a double block.
void LessonSearch::chooseBlockDay() {
  const int M = s_.Mzts;
  if (M == 1) {
    day_ = 1;
  } else if (cs_.doublesPlaced == 0) {
    int want = 0;
    if (s_.Xxlx >= 2) {
      if (nameStarts(u"语文"))
        want = M < 3 ? 3 - M : 3;
      else if (nameStarts(u"数学"))
        want = M < 4 ? 4 - M : 4;
      else if (nameStarts(u"外语") || nameStarts(u"英语"))
        want = M;
    }
    if (want >= 1 && want <= M && courseCountOnDay(s_, nj_, bj_, want, course_) == 0) {
      day_ = want;
    } else {
      day_ = 1;
      Jskkzd(s_, 1, M, nj_, bj_, day_);
    }
  } else {
    int d = cs_.prevDoubleDay + j_.Jgts;
    if (cs_.weekly > M && s_.Xxlx >= 2) d += M / 2 - 1;
    day_ = wrapDay(d);
  }
  startDay_ = day_;
}

// D.2: the first period of the block on day_.
void LessonSearch::chooseBlockStart() {
  blockTries_ = 0;
  if (cs_.doublesPlaced > 0) {
    if (mainOutside12() && cs_.prevDoubleStart > 2) {
      period_ = cs_.prevDoubleStart - 2;
    } else {
      period_ = cs_.prevDoubleStart + 2;
      if (period_ > s_.Mtjs - 1) period_ = 1;
    }
  } else if (mainOutside12()) {
    period_ = Sjs(c_.rng, 1, 2) == 1 ? s_.Swjs - 1 : (s_.Xwjs > 0 ? s_.Swjs + 1 : 1);
  } else {
    period_ = firstBlockStart();
  }
}

// The first double of any other course, by the teacher's lessons in each half of day_.
int LessonSearch::firstBlockStart() {
  const int morning = teacherLessons(s_, teacher_, day_, 1, s_.Swjs);
  const int afternoon = teacherLessons(s_, teacher_, day_, s_.Swjs + 1, s_.Mtjs);
  if (morning == 0 && afternoon == 0) {
    if (s_.Xwjs == 0) return 1;
    const int pick = Sjs(c_.rng, 1, 3);
    return pick == 1 ? 1 : (pick == 2 ? s_.Swjs - 1 : s_.Swjs + 1);
  }
  if (afternoon > 0 && morning == 0 && s_.Swjs > 0) return nj_ <= c_.st.Csz11[0] ? 2 : s_.Swjs - 1;
  if ((morning > 0 || s_.Swjs == 0) && afternoon == 0 && s_.Xwjs > 0) return s_.Swjs + 1;
  return pairStartOnDay();
}

// The teacher has lessons in both halves: the first two neighbouring periods of one half-day on day_
// where class and teacher are both free (morning first), else the last two morning periods.
int LessonSearch::pairStartOnDay() const {
  auto free = [&](int p) {
    return s_.Kb(kLongTerm, day_, p, nj_, bj_).isEmpty() &&
           (teacher_ < 1 || s_.Jskb(kLongTerm, day_, p, teacher_).isEmpty());
  };
  for (int p = 1; p + 1 <= s_.Mtjs; ++p) {
    if (p == s_.Swjs) continue;  // the block would cross the noon break
    if (free(p) && free(p + 1)) return p;
  }
  return s_.Swjs - 1;
}

}  // namespace tavro
