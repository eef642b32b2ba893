#include "quality/figures.h"

#include <algorithm>
#include <map>

#include "core/cells.h"
#include "core/slots.h"
#include "quality/week_rules.h"

namespace tavro {

namespace {

template <typename F>
void forEachClass(const School& s, F&& f) {
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj) f(nj, bj);
}

// The course of a class cell, -1 for an empty cell.
int courseOf(const QString& cell) {
  return cell.isEmpty() ? -1 : cellDigits(cell, 0, 3);
}

// Per course of one class: lessons on each weekday, and the days holding it in period 1 and last.
struct CourseWeek {
  int perDay[kMaxWeekday + 1] = {};
  int firstPeriodDays = 0, lastPeriodDays = 0;
};

void measureClass(const School& s, int nj, int bj, SoftFaults& f) {
  std::map<int, CourseWeek> courses;
  for (int xq = 1; xq <= s.Mzts; ++xq) {
    for (int jc = 1; jc <= s.Mtjs; ++jc) {
      const int k = courseOf(s.Kb(kLongTerm, xq, jc, nj, bj));
      if (k < 1) continue;
      CourseWeek& w = courses[k];
      ++w.perDay[xq];
      if (jc == 1) ++w.firstPeriodDays;
      if (jc == s.Mtjs) ++w.lastPeriodDays;
      if (!isMainOutsideTop(s, k, nj)) continue;
      ++f.mainLessons;
      if (jc > s.Swjs) ++f.mainAfternoon;
      if (jc > s.Mtjs - 2) ++f.mainLastTwo;
    }
  }
  for (const auto& [k, w] : courses) {
    int lessons = 0, days = 0;
    for (int xq = 1; xq <= s.Mzts; ++xq) lessons += w.perDay[xq], days += w.perDay[xq] > 0 ? 1 : 0;
    f.sameDayRepeats += lessons - days - std::max(0, lessons - s.Mzts);
    const CourseTraits traits = courseTraits(s, k, nj);
    f.edgePeriodOveruse += firstPeriodOveruse(traits, w.firstPeriodDays);
    f.edgePeriodOveruse += lastPeriodOveruse(traits, w.lastPeriodDays);
  }
}

void measureTeacher(const School& s, int t, SoftFaults& f) {
  for (int xq = 1; xq <= s.Mzts; ++xq) {
    const TeacherDay day = teacherDay(s, t, xq);
    f.teacherIdle += idlePeriods(day);
    const int above = lessonsAboveMost(s, day);
    f.teacherLessonsAboveMost += above;
    if (above > 0) ++f.teacherDaysAboveMost;
  }
}

// Lessons of every teacher at every slot (ordinary lessons from Kb); one fault per lesson beyond the
// first of a teacher at a slot, and per lesson whose teacher's cell holds something else (a combined
// lesson of that teacher).
int countClashes(const School& s) {
  int clashes = 0;
  for (int xq = 1; xq <= s.Mzts; ++xq) {
    for (int jc = 1; jc <= s.Mtjs; ++jc) {
      std::map<int, int> uses;
      forEachClass(s, [&](int nj, int bj) {
        const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
        if (cell.isEmpty() || isCombinedCell(cell) || cellTeacher(cell) < 1 || cellTeacher(cell) > s.Jss)
          return;
        const int t = cellTeacher(cell);
        if (++uses[t] > 1 || isTeacherCombinedCell(s.Jskb(kLongTerm, xq, jc, t))) ++clashes;
      });
    }
  }
  return clashes;
}

int countCapsExceeded(const School& s) {
  int exceeded = 0;
  for (int i = 1; i <= capEntryCount(s); ++i) {
    const QString name = s.Szlmc(6, i).trimmed();
    for (int xq = 1; xq <= s.Mzts; ++xq) {
      for (int jc = 1; jc <= s.Mtjs; ++jc) {
        int count = 0;
        forEachClass(s, [&](int nj, int bj) {
          const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
          if (!cell.isEmpty() && !isCombinedCell(cell) && s.Kcmc.has(cellCourse(cell)) &&
              s.Kcmc(cellCourse(cell)).trimmed() == name)
            ++count;
        });
        if (count > s.Szlz(6, i)) ++exceeded;
      }
    }
  }
  return exceeded;
}

// True when the ordinary lessons of the class are exactly its plan (course, teacher, count).
bool matchesPlan(const School& s, int nj, int bj) {
  std::map<std::pair<int, int>, int> want, have;
  for (int k = 1; k <= s.Bjkcs(nj, bj); ++k)
    want[{s.Bjkcb(k, 1, nj, bj), s.Bjkcb(k, 2, nj, bj)}] += s.Bjkcb(k, 3, nj, bj);
  for (int xq = 1; xq <= s.Mzts; ++xq)
    for (int jc = 1; jc <= s.Mtjs; ++jc) {
      const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
      if (!cell.isEmpty() && !isCombinedCell(cell)) ++have[{cellCourse(cell), cellTeacher(cell)}];
    }
  std::erase_if(want, [](const auto& entry) { return entry.second == 0; });
  return want == have;
}

}  // namespace

long long SoftFaults::score() const {
  return static_cast<long long>(kRepeatWeight) * sameDayRepeats + kMainAfternoonWeight * mainAfternoon +
         kMainLastTwoWeight * mainLastTwo + kEdgePeriodWeight * edgePeriodOveruse +
         kIdleWeight * teacherIdle + kAboveDailyMostWeight * teacherLessonsAboveMost;
}

int HardFaults::total() const {
  return bannedLessons + teacherClashes + blockedLessons + capsExceeded + planDifferences;
}

SoftFaults measureSoftFaults(const School& s) {
  SoftFaults f;
  forEachClass(s, [&](int nj, int bj) { measureClass(s, nj, bj, f); });
  for (int t = 1; t <= s.Jss; ++t) measureTeacher(s, t, f);
  return f;
}

HardFaults measureHardFaults(const School& s, const QStringList& blocked) {
  HardFaults h;
  forEachClass(s, [&](int nj, int bj) {
    if (!matchesPlan(s, nj, bj)) ++h.planDifferences;
    for (int xq = 1; xq <= s.Mzts; ++xq) {
      for (int jc = 1; jc <= s.Mtjs; ++jc) {
        const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
        if (cell.isEmpty() || isCombinedCell(cell)) continue;
        if (!periodAllowed(s, cellCourse(cell), jc)) ++h.bannedLessons;
        const int t = cellTeacher(cell);
        const qsizetype at = static_cast<qsizetype>(xq - 1) * s.Mtjs + jc - 1;
        if (t >= 1 && t < blocked.size() && at < blocked[t].size() && blocked[t][at] == u'1')
          ++h.blockedLessons;
      }
    }
  });
  h.teacherClashes = countClashes(s);
  h.capsExceeded = countCapsExceeded(s);
  return h;
}

QualityFigures measureQuality(const School& s, const QStringList& blocked) {
  QualityFigures q;
  q.soft = measureSoftFaults(s);
  q.hard = measureHardFaults(s, blocked);
  forEachClass(s, [&](int nj, int bj) {
    for (int xq = 1; xq <= s.Mzts; ++xq)
      for (int jc = 1; jc <= s.Mtjs; ++jc)
        if (s.Kb(kLongTerm, xq, jc, nj, bj).isEmpty()) ++q.emptyCells;
  });
  return q;
}

QStringList blockedCells(const School& s) {
  QStringList rows;
  for (int t = 0; t <= s.Jss; ++t) {
    QString row;
    for (int xq = 1; xq <= s.Mzts; ++xq)
      for (int jc = 1; jc <= s.Mtjs; ++jc)
        row += s.Jskb.has(kLongTerm, xq, jc, t) && isBlocked(s.Jskb(kLongTerm, xq, jc, t)) ? u'1' : u'0';
    rows << row;
  }
  return rows;
}

}  // namespace tavro
