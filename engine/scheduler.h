#pragma once
// Jp: the per-class scheduler. Places every lesson of a class's course plan
// that is not yet in the long-term timetable, hardest course first; lessons
// with no acceptable slot are forced and handed to the automatic swap. The
// chain from class to class is a loop in the run driver (engine/run.h), never
// a recursion: Jp schedules one class and says whether it finished.

#include "core/ctx.h"
#include "engine/host.h"

namespace tavro {

// How a call of Jp ended.
enum class JpOutcome {
  Refused,   // an entry check (or the unplaceable-period check) showed its message; nothing scheduled
  SwapMode,  // lessons are still in Bxdck: the class stays in swap mode (Pkdkbz = 1, LstBj disabled)
  Finished,  // Bxdck is empty: the caller runs Pkwc and goes on with the next class
};

// Jp: schedules the long-term timetable of the class selected in LstBj (grade nj, class bj as the
// caller read them). Runs the entry checks, fills the course list with Xskc, places each lesson
// (engine/search.h), runs Zddk when lessons were forced, shows tip 13 on entering swap mode, and
// redraws the class with Cbxskc before returning. Throws ProgramEnd on the "no room left" path and
// whatever Zddk throws.
JpOutcome Jp(Ctx& c, EngineHost& host, int nj, int bj);

// Jgts for a course of `weekly` lessons: f = weekdays having an empty class cell, q = f / weekly;
// q when f is a multiple of weekly, else Sjs(q, q + 1); 0 becomes 1.
int daySpacing(Ctx& c, int nj, int bj, int weekly);

// True when the next lesson of the current course goes in double mode (a two-period block).
bool doubleModeFor(const Ctx& c, int nj, int bj, int weekly);

// r: weekdays on which some period is free for class and teacher (layer 1) and course kch does not yet
// occur in periods 1..Swjs + Xwjs of that day.
int freeDayCount(const School& s, int nj, int bj, int jsh, int kch);

}  // namespace tavro
