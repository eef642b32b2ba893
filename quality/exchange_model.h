#pragma once
// ExchangeModel: an integer picture of the long-term timetable that the
// improvement pass reads to price an exchange of two lessons of one class in a
// few steps, without touching the texts of Kb and Jskb: per class its cells
// (course, teacher, movable) and the day counts of its courses, per teacher the
// lesson and block bits of each day. It follows every exchange the pass makes.

#include <cstdint>
#include <vector>

#include "core/runstate.h"
#include "core/school.h"
#include "quality/week_rules.h"

namespace tavro {

class ExchangeModel {
 public:
  // Reads the long-term layer of school s. A cell is movable when it holds an ordinary lesson (kind
  // below 5) of a course that is not a class or school meeting, its teacher is 0..Jss and its
  // temporary cell equals it: combined, fixed and whole-school lessons never move.
  explicit ExchangeModel(const School& s);

  int classCount() const { return static_cast<int>(classes_.size()); }
  int grade(int i) const { return classes_[i].nj; }
  int classNumber(int i) const { return classes_[i].bj; }
  // Cells are numbered (weekday - 1) * Mtjs + period - 1.
  int weekday(int cell) const { return cell / periods_ + 1; }
  int period(int cell) const { return cell % periods_ + 1; }
  // The movable cells of class i, in cell order.
  const std::vector<int>& movableCells(int i) const { return classes_[i].movable; }
  int course(int i, int cell) const { return classes_[i].cells[cell].course; }
  int teacher(int i, int cell) const { return classes_[i].cells[cell].teacher; }
  // The classes taught by teacher t, and those holding course k (each class once).
  const std::vector<int>& classesOfTeacher(int t) const { return byTeacher_[t]; }
  const std::vector<int>& classesOfCourse(int k) const { return byCourse_[k]; }

  // The price of exchanging cells a and b of class i: possible is false when the exchange cannot be
  // green or yellow for a reason the model sees (a teacher busy or blocked at the other slot, a
  // banned period, a teacher at the daily maximum, the same lesson, two empty periods); delta is
  // the change of the weighted soft-fault score.
  struct Price {
    bool possible = false;
    long long delta = 0;
  };
  Price price(int i, int a, int b) const;
  // Records that cells a and b of class i were exchanged.
  void exchange(int i, int a, int b);

 private:
  struct Cell {
    int course = -1;  // -1 for an empty cell
    int local = -1;   // the course's index among the class's courses
    int teacher = 0;
    bool movable = false;
  };
  struct ClassWeek {
    int nj = 0, bj = 0;
    std::vector<Cell> cells;
    std::vector<int> movable;
    std::vector<CourseTraits> traits;       // per local course
    std::vector<std::uint8_t> perDay;       // per local course and weekday (0-based): lessons
    std::vector<std::uint8_t> first, last;  // per local course: days holding period 1 / the last
  };

  void readClass(const School& s, int nj, int bj);
  long long teacherDelta(int t, int fromDay, int fromPeriod, int toDay, int toPeriod) const;
  long long courseDelta(const ClassWeek& w, const Cell& moved, int from, int to) const;
  bool teacherBusy(int t, int day, int period) const;
  int dayCost(TeacherDay d) const;
  TeacherDay& dayOf(int t, int day) { return teachers_[static_cast<std::size_t>(t) * days_ + day - 1]; }
  const TeacherDay& dayOf(int t, int day) const {
    return teachers_[static_cast<std::size_t>(t) * days_ + day - 1];
  }

  int days_ = 0, periods_ = 0, morning_ = 0, dailyMost_ = 0;
  std::vector<ClassWeek> classes_;
  std::vector<TeacherDay> teachers_;         // per teacher 0..Jss and weekday
  std::vector<std::uint32_t> allowed_;       // per course: bit p - 1 set when period p is allowed
  std::vector<std::vector<int>> byTeacher_;  // per teacher 0..Jss
  std::vector<std::vector<int>> byCourse_;   // per course 0..Kcs
};

}  // namespace tavro
