#pragma once
// Slot search and forced placement: for the lesson (single mode) or the
// two-period block (double mode) the scheduler is about to place, which
// weekday and period are tried first, in which order the others follow after a
// refusal, and what happens when nothing is acceptable (the lesson is forced
// into a free period and noted in the must-move list Bxdck).

#include "core/ctx.h"

namespace tavro {

// What the search keeps for the current course between its lessons (all 0 when the course's turn
// begins). The current lesson itself is Sched.Pkkch, Sched.Pkjsh, Sched.Sykjs, Sched.Ypkjs.
struct CourseSearch {
  int itemIndex = 0;              // position of the course in LstKc (0-based)
  int itemCount = 0;              // number of items in LstKc
  int listRemaining = 0;          // lessons still to place as shown in the list item (characters 10-11)
  int weekly = 0;                 // L: lessons per week of the plan row
  int weekdayMoves = 0;           // weekday moves made by the refusal handling
  int x1 = 0, x2 = 0;             // excluded weekdays (0 = none)
  int prevDoubleDay = 0;          // weekday of the course's previous double block in this call (0 = none)
  int prevPeriod = 0;             // period of the previous lesson (first period for a double)
  int day = 0;                    // weekday of the previous lesson
  bool lastDoublePlaced = false;  // the course's last double-block test ended in a placement
  int doublesPlaced = 0;          // double blocks placed for the course in this call
  int prevDoubleStart = 0;        // first period of the course's previous double block in this call
  int ypts = 0;                   // Ypts: weekdays on which the course gained a lesson (counted by Clbbyjk)
};

// Places the next lesson of the current course: a two-period block in double mode (falling back to
// single mode when the double search is exhausted), a single lesson otherwise; forced placement
// when nothing is acceptable. Every placement goes through Clbbrb (Clbbyjk + Sjjrbjshib when forced).
// Throws ProgramEnd after clearing the class and saving the timetable file when no empty period is left.
void placeNextLesson(Ctx& c, CourseSearch& cs, bool doubleMode);

// Forced placement: places the current lesson at the first empty period of the class that its course
// allows (the first empty period when the course bans them all), normally when allowed, otherwise
// over its teacher's lesson, parking that lesson in row Jss + 1 and appending the slot to Bxdck: a
// lesson in a banned period is always a must-move lesson. Throws ProgramEnd as above when the class
// has no empty period.
void forcePlace(Ctx& c, CourseSearch& cs);

// Clears every long-term cell of class (nj, bj), saves the timetable file and throws ProgramEnd after
// showing the "no room left" information.
[[noreturn]] void endForNoRoom(Ctx& c, int nj, int bj);

}  // namespace tavro
