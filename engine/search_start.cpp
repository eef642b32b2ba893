// Where the search of a lesson starts: the start weekday, the day check, the
// half-day and start period of a single lesson, and the weekday and first
// period of a double block.

#include "core/cells.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "engine/placement.h"
#include "engine/search_steps.h"

namespace tavro {

bool LessonSearch::mainOutside12() const {
  const int grade12 = c_.st.Csz11[0] + c_.st.Csz11[1] + c_.st.Csz11[2];
  return courseKind() == 1 && nj_ != grade12;
}

int LessonSearch::courseKind() const {
  return s_.Kczf.has(course_) ? s_.Kczf(course_) : 0;
}

bool LessonSearch::nameStarts(const char16_t* prefix) const {
  return s_.Kcmc.has(course_) && s_.Kcmc(course_).startsWith(QString::fromUtf16(prefix));
}

int LessonSearch::randomDay() {
  return Sjs(c_.rng, 1, s_.Mzts);
}

int LessonSearch::wrapDay(int day) const {
  while (day > s_.Mzts) day -= s_.Mzts;
  return day < 1 ? 1 : day;
}

// C.2: the weekday of the first lesson by the table of lessons left, or the previous one moved on.
void LessonSearch::chooseStartDay() {
  if (j_.Ypkjs == 0) {
    chooseFirstLessonDay();
  } else if (courseKind() == 1 && mainOutside12() && cs_.prevDoubleDay == 3) {
    const int d1 = wrapDay(cs_.day + 1), d2 = wrapDay(cs_.day + 2);
    day_ = HDtbbkkjs(s_, nj_, bj_, d1) > HDtbbkkjs(s_, nj_, bj_, d2) ? d1 : d2;
  } else {
    day_ = wrapDay(cs_.day + j_.Jgts);
  }
  startDay_ = day_;
}

void LessonSearch::chooseFirstLessonDay() {
  const int S = j_.Sykjs;
  const std::vector<int> s = HKpxqjh(s_, nj_, bj_, teacher_);
  const int n = static_cast<int>(s.size());
  auto at = [&](int i) { return i <= n ? s[i - 1] : 0; };
  const int sL = n > 0 ? s.back() : 0;
  const bool run4 = n == 4 && at(3) == at(2) + 1 && sL == at(3) + 1;
  auto mostFree = [&]() {
    int d = 0;
    Jskkzd(s_, 1, s_.Mzts, nj_, bj_, d);
    return d > 0 ? d : randomDay();
  };
  if (S == 1 || (S >= 5 && s_.Mzts == 6)) {
    day_ = mostFree();
  } else if (S == 2 && n == 3 && sL == at(2) + 1) {
    cs_.x1 = at(2), day_ = at(1);
  } else if (S == 2 && run4) {
    cs_.x1 = at(2), cs_.x2 = at(3), day_ = at(1);
  } else if (S == 2) {
    int best = 0;
    day_ = 0;
    for (int d = 1; d <= s_.Mzts; ++d) {
      if (s_.Mzts == 5 && d == 3) continue;
      const int count = freeClassPeriods(s_, nj_, bj_, d);
      if (count > best) best = count, day_ = d;
    }
    if (day_ == 0) day_ = randomDay();
  } else if (S == 3 && run4) {
    cs_.x1 = HDtbbkkjs(s_, nj_, bj_, at(2)) < HDtbbkkjs(s_, nj_, bj_, at(3)) ? at(2) : at(3);
    day_ = at(1);
  } else if (S == 3 && s_.Mzts == 6) {
    day_ = mostFree();
    const int first = day_;
    auto full = [&](int d) { return j_.Rypjs(wrapDay(d)) >= s_.Mtjs; };
    while (full(day_) || full(day_ + 2) || full(day_ + 4)) {
      day_ = wrapDay(day_ + 1);
      if (day_ == first) break;
    }
  } else if (S == 4 && n == 5 && at(3) == at(2) + 1 && at(4) == at(3) + 1 && sL == at(4) + 1) {
    cs_.x1 = at(3), day_ = at(1);
  } else if (S == 4 && s_.Mzts == 6) {
    int ked = 0;
    Jsykzd(s_, 1, 3, nj_, bj_, ked);
    cs_.x1 = ked > 0 ? ked : Sjs(c_.rng, 1, 3);
    cs_.x2 = wrapDay(cs_.x1 + 3);
    do day_ = randomDay();
    while (day_ == cs_.x1 || day_ == cs_.x2);
  } else if (S == 4 && s_.Mzts == 5) {
    int ked = 0;
    Jsykzd(s_, 1, s_.Mzts, nj_, bj_, ked);
    cs_.x1 = ked > 0 ? ked : randomDay();
    day_ = mostFree();
  } else {
    day_ = randomDay();
  }
}

}  // namespace tavro

namespace tavro {

// C.3: the day check; a skipped weekday moves the search on.
Phase LessonSearch::dayCheck() {
  if (dayCheckSkips()) return Phase::NextDay;
  if (course_ == 0 || isSelfStudy(s_, course_)) {
    period_ = s_.Mtjs;
    return Phase::TestSingle;
  }
  return Phase::StartPeriod;
}

bool LessonSearch::dayCheckSkips() {
  const int L = cs_.weekly, M = s_.Mzts;
  if ((L == M - 1 || L == M - 2 || L == M - 3) && (day_ == cs_.x1 || day_ == cs_.x2)) return true;
  if (j_.Rypjs(day_) >= s_.Mtjs) return true;
  if (teacher_ >= 1 && s_.Jlblp(nj_) == 0) {
    int n = 0;
    for (int p = 1; p <= s_.Mtjs; ++p) {
      const QString& cell = s_.Kb(kLongTerm, day_, p, nj_, bj_);
      if (cellHoldsCourse(cell, course_) && !isCombinedCell(cell)) ++n;
    }
    if (n >= 1 && n >= static_cast<double>(L) / M) return true;
  }
  if (cs_.x1 == 0 && M - j_.Sykjs - teacherFullDays() == 1 && day_ == fullestDayWithoutCourse()) return true;
  return teacher_ >= 1 && teacherLessons(s_, teacher_, day_, 1, s_.Mtjs) >= 4;
}

// Weekdays on which the teacher has no empty cell.
int LessonSearch::teacherFullDays() const {
  int b = 0;
  for (int d = 1; d <= s_.Mzts; ++d) {
    bool someEmpty = false;
    for (int p = 1; p <= s_.Mtjs && !someEmpty; ++p) someEmpty = s_.Jskb(kLongTerm, d, p, teacher_).isEmpty();
    if (!someEmpty) ++b;
  }
  return b;
}

// Among the weekdays without the course, the one with the most non-empty class cells (0 when none).
int LessonSearch::fullestDayWithoutCourse() const {
  int best = 0, bestDay = 0;
  for (int d = 1; d <= s_.Mzts; ++d) {
    if (courseCountOnDay(s_, nj_, bj_, d, course_) > 0) continue;
    const int filled = s_.Mtjs - HDtbbkkjs(s_, nj_, bj_, d);
    if (filled > best) best = filled, bestDay = d;
  }
  return bestDay;
}

}  // namespace tavro
