#pragma once
// The steps of the slot search for one lesson, shared by the search files of
// this folder (not used outside the engine). LessonSearch runs the search as a
// loop over named phases: remembered positions, teacher-less cells, critical
// cells, the start weekday, the day check, the start period, the single and
// double tests with their refusal handling, the weekday moves and, at the end,
// forced placement.

#include <vector>

#include "core/ctx.h"
#include "engine/rules.h"
#include "engine/search.h"

namespace tavro {

// Where the search goes next.
enum class Phase { DayCheck, StartPeriod, TestSingle, BlockStart, TestDouble, NextDay, Force, Done };

class LessonSearch {
 public:
  LessonSearch(Ctx& c, CourseSearch& cs, bool doubleMode);
  // Runs the search until the lesson (or block) is placed.
  void run();

 private:
  // ---- Openings (search.cpp) ----
  Phase start();
  Phase tryRemembered(bool& applied);
  bool tryTeacherless();
  bool findCriticalCell();
  // ---- Tests, refusals and placement (search.cpp) ----
  Phase testSingle();
  Phase refuseSingle();
  Phase testDouble();
  Phase nextDay();
  void placeSingle();
  void placeOne(int day, int period);
  // ---- Choices of weekday and period (search_start.cpp, search_period.cpp) ----
  void chooseStartDay();
  void chooseFirstLessonDay();
  Phase dayCheck();
  bool dayCheckSkips();
  int teacherFullDays() const;
  int fullestDayWithoutCourse() const;
  bool halfDayIsAfternoon();
  int afternoonStartPeriod();
  int morningStartPeriod();
  void chooseStartPeriod();
  void chooseBlockDay();
  void chooseBlockStart();
  int firstBlockStart();
  int pairStartOnDay() const;

  // ---- Small reads ----
  bool mainOutside12() const;
  int courseKind() const;
  bool nameStarts(const char16_t* prefix) const;
  int randomDay();
  int wrapDay(int day) const;
  LessonAsk ask() const;

  Ctx& c_;
  School& s_;
  SchedState& j_;
  CourseSearch& cs_;
  int nj_, bj_, course_, teacher_;
  bool doubleMode_;
  int freeDays_ = 0;
  std::vector<int> planTeachers_;  // teachers (number >= 1) of the class plan's rows
  int day_ = 0, period_ = 0, startDay_ = 0;
  int halfTries_ = 0, blockTries_ = 0;
  bool firstRefusalDone_ = false, morningExhausted_ = false;
};

}  // namespace tavro
