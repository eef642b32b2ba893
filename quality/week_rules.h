#pragma once
// The soft rules of a class's and a teacher's week, shared by the quality
// figures and the improvement pass so that both count a fault the same way.

#include <cstdint>

#include "core/school.h"

namespace tavro {

// What the soft rules need to know of one course in one grade.
struct CourseTraits {
  bool main = false;       // a main subject (Kczf = 1) outside grade 12
  bool firstRule = false;  // the placement rules allow it period 1 on two days only
  int lastLimit = 0;       // days it may hold the last period (0: no limit)
};

// The traits of course k (1 or more) in grade nj: firstRule when Swjs is not 1 and the course is of
// kind 2 or more or the grade above 6; lastLimit 2 when the first afternoon period is banned for it
// or its kind is 3, else 1, and 0 for self-study and for a course allowed in the last period only.
CourseTraits courseTraits(const School& s, int k, int nj);
// True when course k is a main subject (Kczf = 1) and grade nj is not grade 12.
bool isMainOutsideTop(const School& s, int k, int nj);
// Days beyond what the rules allow on which the course holds period 1 / the last period.
int firstPeriodOveruse(const CourseTraits& t, int days);
int lastPeriodOveruse(const CourseTraits& t, int days);

// One day of a teacher: bit p - 1 set for a lesson (or a block) in period p.
struct TeacherDay {
  std::uint32_t lessons = 0, blocks = 0;
};
// Teacher t's long-term day xq read from Jskb.
TeacherDay teacherDay(const School& s, int t, int xq);
// Periods between the first and the last lesson of the day holding neither a lesson nor a block.
int idlePeriods(TeacherDay d);
// Lessons of the day beyond the preferred daily maximum Jsmtzdjs.
int lessonsAboveMost(const School& s, TeacherDay d);

}  // namespace tavro
