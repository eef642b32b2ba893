#include "quality/week_rules.h"

#include <bit>

#include "core/cells.h"
#include "core/slots.h"
#include "engine/placement.h"

namespace tavro {

namespace {
// The grade whose main subjects may take any period (the last senior grade).
constexpr int kTopGrade = 12;

int kindOf(const School& s, int k) {
  return s.Kczf.has(k) ? s.Kczf(k) : 0;
}
}  // namespace

bool isMainOutsideTop(const School& s, int k, int nj) {
  return kindOf(s, k) == 1 && nj != kTopGrade;
}

CourseTraits courseTraits(const School& s, int k, int nj) {
  CourseTraits t;
  const int kind = kindOf(s, k);
  t.main = kind == 1 && nj != kTopGrade;
  t.firstRule = s.Swjs != 1 && (kind > 1 || nj > 6);
  if (k >= 1 && !isSelfStudy(s, k) && !onlyLastPeriodAllowed(s, k))
    t.lastLimit = (!periodAllowed(s, k, s.Swjs + 1) || kind == 3) ? 2 : 1;
  return t;
}

int firstPeriodOveruse(const CourseTraits& t, int days) {
  return t.firstRule && days > 2 ? days - 2 : 0;
}

int lastPeriodOveruse(const CourseTraits& t, int days) {
  return t.lastLimit > 0 && days > t.lastLimit ? days - t.lastLimit : 0;
}

TeacherDay teacherDay(const School& s, int t, int xq) {
  TeacherDay d;
  for (int jc = 1; jc <= s.Mtjs; ++jc) {
    const QString& cell = s.Jskb(kLongTerm, xq, jc, t);
    if (teacherHasLesson(cell))
      d.lessons |= 1u << (jc - 1);
    else if (!cell.isEmpty())
      d.blocks |= 1u << (jc - 1);
  }
  return d;
}

int idlePeriods(TeacherDay d) {
  if (d.lessons == 0) return 0;
  const int first = std::countr_zero(d.lessons), last = 31 - std::countl_zero(d.lessons);
  const std::uint32_t span = ((last == 31 ? 0u : (1u << (last + 1))) - 1u) & ~((1u << first) - 1u);
  return std::popcount(span & ~d.lessons & ~d.blocks);
}

int lessonsAboveMost(const School& s, TeacherDay d) {
  const int n = std::popcount(d.lessons);
  return n > s.Jsmtzdjs ? n - s.Jsmtzdjs : 0;
}

}  // namespace tavro
