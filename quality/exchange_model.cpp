#include "quality/exchange_model.h"

#include <algorithm>
#include <bit>
#include <map>

#include "core/cells.h"
#include "core/slots.h"
#include "engine/placement.h"
#include "quality/figures.h"

namespace tavro {

namespace {

std::uint32_t bit(int period) {
  return 1u << (period - 1);
}

}  // namespace

ExchangeModel::ExchangeModel(const School& s)
    : days_(s.Mzts), periods_(s.Mtjs), morning_(s.Swjs), dailyMost_(s.Jsmtzdjs) {
  teachers_.resize(static_cast<std::size_t>(s.Jss + 1) * days_);
  for (int t = 0; t <= s.Jss; ++t)
    for (int xq = 1; xq <= days_; ++xq) dayOf(t, xq) = teacherDay(s, t, xq);
  allowed_.assign(std::max(s.Kcs, 1000), ~0u);
  for (int k = 0; k < s.Kcs; ++k)
    for (int jc = 1; jc <= periods_; ++jc)
      if (!periodAllowed(s, k, jc)) allowed_[k] &= ~bit(jc);
  byTeacher_.resize(s.Jss + 1);
  byCourse_.resize(allowed_.size());
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj) readClass(s, nj, bj);
}

void ExchangeModel::readClass(const School& s, int nj, int bj) {
  const int index = classCount();
  ClassWeek& w = classes_.emplace_back();
  w.nj = nj;
  w.bj = bj;
  w.cells.resize(static_cast<std::size_t>(days_) * periods_);
  std::map<int, int> locals;
  for (int cell = 0; cell < static_cast<int>(w.cells.size()); ++cell) {
    const QString& text = s.Kb(kLongTerm, weekday(cell), period(cell), nj, bj);
    if (text.isEmpty()) continue;
    Cell& c = w.cells[cell];
    c.course = cellDigits(text, 0, 3);
    const bool combined = isCombinedCell(text);
    c.teacher = combined ? 0 : cellDigits(text, 3, 3);
    c.movable = !combined && c.teacher <= s.Jss && !isMeetingCourse(s, c.course) &&
                s.Kb(kTemporary, weekday(cell), period(cell), nj, bj) == text;
    if (!locals.contains(c.course)) {
      locals[c.course] = static_cast<int>(w.traits.size());
      w.traits.push_back(courseTraits(s, c.course, nj));
    }
    c.local = locals[c.course];
    if (c.movable) w.movable.push_back(cell);
  }
  const std::size_t courses = w.traits.size();
  w.perDay.assign(courses * days_, 0);
  w.first.assign(courses, 0);
  w.last.assign(courses, 0);
  for (int cell = 0; cell < static_cast<int>(w.cells.size()); ++cell) {
    const Cell& c = w.cells[cell];
    if (c.course < 0) continue;
    ++w.perDay[static_cast<std::size_t>(c.local) * days_ + weekday(cell) - 1];
    if (period(cell) == 1) ++w.first[c.local];
    if (period(cell) == periods_) ++w.last[c.local];
    if (c.course < static_cast<int>(byCourse_.size()) &&
        (byCourse_[c.course].empty() || byCourse_[c.course].back() != index))
      byCourse_[c.course].push_back(index);
    if (c.teacher >= 1 && c.teacher <= s.Jss &&
        (byTeacher_[c.teacher].empty() || byTeacher_[c.teacher].back() != index))
      byTeacher_[c.teacher].push_back(index);
  }
}

bool ExchangeModel::teacherBusy(int t, int day, int period) const {
  const TeacherDay& d = dayOf(t, day);
  return ((d.lessons | d.blocks) & bit(period)) != 0;
}

int ExchangeModel::dayCost(TeacherDay d) const {
  const int lessons = std::popcount(d.lessons);
  return kIdleWeight * idlePeriods(d) +
         kAboveDailyMostWeight * (lessons > dailyMost_ ? lessons - dailyMost_ : 0);
}

long long ExchangeModel::teacherDelta(int t, int fromDay, int fromPeriod, int toDay, int toPeriod) const {
  if (t < 1) return 0;
  TeacherDay from = dayOf(t, fromDay);
  if (fromDay == toDay) {
    TeacherDay after = from;
    after.lessons = (after.lessons & ~bit(fromPeriod)) | bit(toPeriod);
    return dayCost(after) - dayCost(from);
  }
  TeacherDay to = dayOf(t, toDay);
  const int before = dayCost(from) + dayCost(to);
  from.lessons &= ~bit(fromPeriod);
  to.lessons |= bit(toPeriod);
  return dayCost(from) + dayCost(to) - before;
}

long long ExchangeModel::courseDelta(const ClassWeek& w, const Cell& moved, int from, int to) const {
  if (moved.course < 1) return 0;
  const int fd = weekday(from), fp = period(from), td = weekday(to), tp = period(to);
  const CourseTraits& traits = w.traits[moved.local];
  long long delta = 0;
  if (fd != td) {
    const std::uint8_t* perDay = &w.perDay[static_cast<std::size_t>(moved.local) * days_];
    delta += kRepeatWeight * ((perDay[td - 1] > 0 ? 1 : 0) - (perDay[fd - 1] > 1 ? 1 : 0));
  }
  if (traits.main) {
    auto cost = [&](int p) {
      return (p > morning_ ? kMainAfternoonWeight : 0) + (p > periods_ - 2 ? kMainLastTwoWeight : 0);
    };
    delta += cost(tp) - cost(fp);
  }
  if (fp == 1 || tp == 1) {
    const int before = w.first[moved.local], after = before - (fp == 1) + (tp == 1);
    delta += kEdgePeriodWeight * (firstPeriodOveruse(traits, after) - firstPeriodOveruse(traits, before));
  }
  if (fp == periods_ || tp == periods_) {
    const int before = w.last[moved.local], after = before - (fp == periods_) + (tp == periods_);
    delta += kEdgePeriodWeight * (lastPeriodOveruse(traits, after) - lastPeriodOveruse(traits, before));
  }
  return delta;
}

ExchangeModel::Price ExchangeModel::price(int i, int a, int b) const {
  const ClassWeek& w = classes_[i];
  const Cell& first = w.cells[a];
  const Cell& second = w.cells[b];
  Price result;
  if (a == b || !first.movable || !second.movable) return result;
  if (first.course == second.course && first.teacher == second.teacher) return result;
  if (first.course == 0 && second.course == 0) return result;
  const int d1 = weekday(a), p1 = period(a), d2 = weekday(b), p2 = period(b);
  if ((allowed_[first.course] & bit(p2)) == 0 || (allowed_[second.course] & bit(p1)) == 0) return result;
  const int t1 = first.teacher, t2 = second.teacher;
  if (t1 != t2 && ((t1 >= 1 && teacherBusy(t1, d2, p2)) || (t2 >= 1 && teacherBusy(t2, d1, p1))))
    return result;
  // The grading's orange rules: a third lesson of the course that day, a teacher at the daily maximum.
  const int most = dailyMost_ + (d1 == d2 ? 1 : 0);
  if (d1 == d2 && w.perDay[static_cast<std::size_t>(first.local) * days_ + d1 - 1] - 1 > 1) return result;
  if (t1 >= 1 && std::popcount(dayOf(t1, d2).lessons) >= most) return result;
  if (t2 >= 1 && std::popcount(dayOf(t2, d1).lessons) >= most) return result;
  result.possible = true;
  if (first.course != second.course)
    result.delta += courseDelta(w, first, a, b) + courseDelta(w, second, b, a);
  if (t1 != t2) result.delta += teacherDelta(t1, d1, p1, d2, p2) + teacherDelta(t2, d2, p2, d1, p1);
  return result;
}

void ExchangeModel::exchange(int i, int a, int b) {
  ClassWeek& w = classes_[i];
  const int d1 = weekday(a), p1 = period(a), d2 = weekday(b), p2 = period(b);
  auto move = [&](const Cell& c, int fd, int fp, int td, int tp) {
    if (c.course >= 0) {
      --w.perDay[static_cast<std::size_t>(c.local) * days_ + fd - 1];
      ++w.perDay[static_cast<std::size_t>(c.local) * days_ + td - 1];
      w.first[c.local] += (tp == 1) - (fp == 1);
      w.last[c.local] += (tp == periods_) - (fp == periods_);
    }
    if (c.teacher >= 1 && w.cells[a].teacher != w.cells[b].teacher) {
      dayOf(c.teacher, fd).lessons &= ~bit(fp);
      dayOf(c.teacher, td).lessons |= bit(tp);
    }
  };
  move(w.cells[a], d1, p1, d2, p2);
  move(w.cells[b], d2, p2, d1, p1);
  std::swap(w.cells[a], w.cells[b]);
}

}  // namespace tavro
