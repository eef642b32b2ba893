#include "engine/search.h"

#include "core/procedures.h"
#include "core/slots.h"
#include "engine/placement.h"
#include "engine/scheduler.h"
#include "engine/search_steps.h"

namespace tavro {

namespace {
// A search never needs more steps than this; beyond it the lesson is forced (guards against loops).
constexpr int kMaxSteps = 20000;

// True when some of the plan's teachers (other than `except`) is free at (xq, jc) in layer 1.
bool planTeacherFree(const School& s, const std::vector<int>& teachers, int xq, int jc, int except) {
  for (int t : teachers)
    if (t != except && teacherFree(s, t, xq, jc)) return true;
  return false;
}
}  // namespace

LessonSearch::LessonSearch(Ctx& c, CourseSearch& cs, bool doubleMode)
    : c_(c),
      s_(c.s),
      j_(c.st.Sched),
      cs_(cs),
      nj_(c.st.DqNj),
      bj_(c.st.DqBj),
      course_(c.st.Sched.Pkkch),
      teacher_(c.st.Sched.Pkjsh),
      doubleMode_(doubleMode) {
  freeDays_ = freeDayCount(s_, nj_, bj_, teacher_, course_);
  for (int k = 1; k <= s_.Bjkcs(nj_, bj_); ++k)
    if (s_.Bjkcb(k, 2, nj_, bj_) >= 1) planTeachers_.push_back(s_.Bjkcb(k, 2, nj_, bj_));
}

void LessonSearch::run() {
  Phase phase = start();
  for (int step = 0; phase != Phase::Done; ++step) {
    if (step > kMaxSteps) phase = Phase::Force;
    switch (phase) {
      case Phase::DayCheck:
        phase = dayCheck();
        break;
      case Phase::StartPeriod:
        chooseStartPeriod();
        phase = Phase::TestSingle;
        break;
      case Phase::TestSingle:
        phase = testSingle();
        break;
      case Phase::BlockStart:
        chooseBlockStart();
        phase = Phase::TestDouble;
        break;
      case Phase::TestDouble:
        phase = testDouble();
        break;
      case Phase::NextDay:
        phase = nextDay();
        break;
      case Phase::Force:
        forcePlace(c_, cs_);
        phase = Phase::Done;
        break;
      case Phase::Done:
        break;
    }
  }
}

LessonAsk LessonSearch::ask() const {
  LessonAsk a;
  a.nj = nj_;
  a.bj = bj_;
  a.course = course_;
  a.teacher = teacher_;
  a.remaining = j_.Sykjs;
  a.weekly = cs_.weekly;
  a.freeDays = freeDays_;
  a.lastTwoItems = cs_.itemIndex >= cs_.itemCount - 2;
  return a;
}

// Openings: remembered positions (first lesson only), teacher-less cells, then single or double mode.
Phase LessonSearch::start() {
  if (j_.Ypkjs == 0) {
    bool applied = false;
    const Phase next = tryRemembered(applied);
    if (applied) return next;
  }
  if (teacher_ == 0 && tryTeacherless()) return Phase::Done;
  if (doubleMode_) {
    chooseBlockDay();
    return Phase::BlockStart;
  }
  if (findCriticalCell()) return Phase::TestSingle;
  chooseStartDay();
  return Phase::DayCheck;
}

Phase LessonSearch::tryRemembered(bool& applied) {
  for (int k = 0; k < 4; ++k) {
    const QString& pos = c_.st.Yxwz[k];
    if (pos.isEmpty() || cellDigits(pos, 0, 3) != course_ || cellDigits(pos, 3, 3) != teacher_) continue;
    const int d = cellDigits(pos, 6, 2), p = cellDigits(pos, 8, 2);
    if (d < 1 || d > s_.Mzts || p < 1 || p > s_.Mtjs) continue;
    day_ = startDay_ = d;
    period_ = cs_.prevPeriod = p;
    applied = true;
    if (doubleMode_) return Phase::TestDouble;
    if (k > 0) return Phase::TestSingle;
    // Position 0 is taken without the acceptance test, but never against a hard rule.
    if (s_.Kb(kLongTerm, d, p, nj_, bj_).isEmpty() && !Hlqlknfp(s_, c_.st, d, p, course_) &&
        periodAllowed(s_, course_, p)) {
      placeSingle();
      return Phase::Done;
    }
    applied = false;
  }
  return Phase::Done;
}

bool LessonSearch::tryTeacherless() {
  for (int d = 1; d <= s_.Mzts; ++d) {
    for (int p = 1; p <= s_.Mtjs; ++p) {
      if (!s_.Kb(kLongTerm, d, p, nj_, bj_).isEmpty() || planTeacherFree(s_, planTeachers_, d, p, 0))
        continue;
      if (Hlqlknfp(s_, c_.st, d, p, course_) || !periodAllowed(s_, course_, p)) continue;
      day_ = startDay_ = d;
      period_ = p;
      placeSingle();
      return true;
    }
  }
  return false;
}

bool LessonSearch::findCriticalCell() {
  for (int d = 1; d <= s_.Mzts; ++d) {
    for (int p = 1; p <= s_.Mtjs; ++p) {
      if (!s_.Kb(kLongTerm, d, p, nj_, bj_).isEmpty() || planTeacherFree(s_, planTeachers_, d, p, teacher_))
        continue;
      day_ = startDay_ = d;
      period_ = p;
      return true;
    }
  }
  return false;
}

Phase LessonSearch::testSingle() {
  if (period_ < 1) period_ = 1;
  if (period_ > s_.Mtjs) period_ -= s_.Mtjs;
  if (!singleAccepted(s_, c_.st, ask(), day_, period_)) return refuseSingle();
  placeSingle();
  return Phase::Done;
}

// Refusal handling: the period before first, then a scan inside the half-day, then the next weekday.
Phase LessonSearch::refuseSingle() {
  if (!firstRefusalDone_) {
    firstRefusalDone_ = true;
    bool someAllowed = false;
    for (int p = 1; p < s_.Mtjs && !someAllowed; ++p) someAllowed = periodAllowed(s_, course_, p);
    if (someAllowed) {
      period_ = period_ == 1 ? s_.Mtjs : period_ - 1;
      return Phase::TestSingle;
    }
  }
  ++halfTries_;
  if (period_ > s_.Swjs) {
    period_ = period_ >= s_.Mtjs ? s_.Swjs + 1 : period_ + 1;
    if (halfTries_ < s_.Xwjs) return Phase::TestSingle;
    if (morningExhausted_ || s_.Swjs < 1) return Phase::NextDay;
    period_ = s_.Swjs;
    halfTries_ = 0;
    return Phase::TestSingle;
  }
  if (halfTries_ >= s_.Swjs) {
    morningExhausted_ = true;
    return Phase::NextDay;
  }
  if (--period_ < 1) {
    if (!mainOutside12() || j_.Fkbz != 0) {
      period_ = s_.Swjs;
    } else {
      period_ = j_.Ypkjs == 0 ? 3 : cs_.prevPeriod + 1;
      if (period_ > s_.Swjs) period_ -= s_.Swjs;
    }
  }
  return Phase::TestSingle;
}

Phase LessonSearch::testDouble() {
  if (doubleAccepted(s_, c_.st, ask(), day_, period_)) {
    const int p = period_ < 1 ? period_ + s_.Mtjs : period_;
    placeOne(day_, p);
    placeOne(day_, p + 1);
    cs_.prevDoubleDay = cs_.day = day_;
    cs_.prevPeriod = cs_.prevDoubleStart = p;
    cs_.lastDoublePlaced = true;
    ++cs_.doublesPlaced;
    return Phase::Done;
  }
  cs_.lastDoublePlaced = false;
  if (++blockTries_ >= s_.Mtjs) return Phase::NextDay;
  if (mainOutside12()) {
    period_ -= 2;
    if (period_ < 1) period_ = s_.Mtjs - 1;
  } else {
    period_ = period_ >= s_.Mtjs - 1 ? 1 : period_ + 1;
  }
  return Phase::TestDouble;
}

// The next weekday; when the week is exhausted a relaxed round, single mode, or forced placement.
Phase LessonSearch::nextDay() {
  day_ = day_ >= s_.Mzts ? 1 : day_ + 1;
  ++cs_.weekdayMoves;
  halfTries_ = blockTries_ = 0;
  morningExhausted_ = false;
  const Phase goOn = doubleMode_ ? Phase::BlockStart : Phase::DayCheck;
  if (day_ != startDay_ && cs_.weekdayMoves < s_.Mzts) return goOn;
  if (mainOutside12() && j_.Fkbz == 0) {
    j_.Fkbz = 1;
    return goOn;
  }
  if (doubleMode_) {
    doubleMode_ = false;
    return Phase::DayCheck;
  }
  return Phase::Force;
}

void LessonSearch::placeOne(int day, int period) {
  const bool wasEmpty = s_.Kb(kLongTerm, day, period, nj_, bj_).isEmpty();
  Clbbrb(s_, c_.st, nj_, bj_, day, period, course_, teacher_, cs_.ypts, kLongTerm);
  if (wasEmpty) ++j_.Rypjs(day);
}

void LessonSearch::placeSingle() {
  placeOne(day_, period_);
  cs_.day = day_;
  cs_.prevPeriod = period_;
  if (j_.Sykjs > 0) j_.Fkbz = 0;
}

void placeNextLesson(Ctx& c, CourseSearch& cs, bool doubleMode) {
  LessonSearch search(c, cs, doubleMode);
  search.run();
}

}  // namespace tavro
