#pragma once
// A memo of the classes that the class/teacher check (Phjckcct) found consistent, so that the check
// run after every scheduled class can pass over the classes that have not changed since. A class
// stays vouched for only while every cell of it, the teacher cell of each of its lessons and its
// course plan are the very ones the memo saw: the memo keeps its own copy of every cell it vouches
// for, so a cell written since (even with the same text) no longer shares the memo's copy.

#include <QString>
#include <utility>
#include <vector>

#include "core/school.h"

namespace tavro {

// The course plan of a class as (course, teacher) pairs, rows 1..Bjkcs.
using PlanPairs = std::vector<std::pair<int, int>>;

// The value of characters [pos, pos + len) of a lesson cell as the check reads them: a character
// that is not a digit counts as 0. The cell must hold pos + len characters.
int lessonDigits(const QChar* p, int pos, int len);

// The plan rows of class (nj, bj).
PlanPairs planPairs(const School& s, int nj, int bj);

// ConsistencyMemo: the classes last found consistent, with the cells they were found so with.
struct ConsistencyMemo {
  struct Cell {
    QString cell;         // the class cell Kb(1, x, j, nj, bj) as it was
    QString teacherCell;  // Jskb(1, x, j, teacher) as it was, when the cell is a lesson with a teacher
    int teacher = 0;      // that teacher, 0 for none
  };
  Table<QString, 5>::Bounds classBounds{};    // Kb's bounds when the memo was made
  Table<QString, 4>::Bounds teacherBounds{};  // Jskb's bounds
  int days = 0, periods = 0;
  std::vector<char> known;       // per class slot: found consistent
  std::vector<PlanPairs> plans;  // per class slot: its plan then
  std::vector<Cell> cells;       // per (weekday, period, class slot)
};

// Per class slot (grade Snj.., class 0..Zdbjs, as Kb orders them): 1 when the memo vouches for
// the class (found consistent, nothing changed since). Starts the memo afresh when the school's
// tables were sized differently.
std::vector<char> vouchedClasses(const School& s, ConsistencyMemo& memo);

// The slot of class (nj, bj) in vouchedClasses.
int classSlot(const School& s, int nj, int bj);

// Records class (nj, bj), just found consistent with plan, in the memo.
void rememberClass(const School& s, ConsistencyMemo& memo, int nj, int bj, const PlanPairs& plan);

}  // namespace tavro
