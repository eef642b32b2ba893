#pragma once
// Completion of a class, the chain that schedules one class after another, the
// all-scheduled state, and clearing class timetables.

#include "core/ctx.h"

namespace tavro {

class EngineHost;

// A class of the school: grade code and class number.
struct ClassRef {
  int Nj = 0;
  int Bj = 0;
  bool valid() const { return Nj > 0 && Bj > 0; }
};

// Qrbjshibyjk: removes the lesson of course kch of class (nj, bj) at (xq, jc) from teacher jsh's
// timetable (both layers, unless it is a combined-lesson teacher cell) and, in layer 1, lowers the
// simultaneity counters of the course by one.
void Qrbjshibyjk(Ctx& c, int jsh, int xq, int jc, int kch, int nj, int bj, int cqls);

// Qkbsz: clears class (nj, bj) for weekdays 1..xq2, periods jc1..jc2, both layers: ordinary
// lessons (kind "0") always, combined lessons only when the user answers "n" to
// "保留" + Bjmc + "班的的合班课吗?"; kinds "1".."4" stay. Teacher cells follow. When combined
// lessons were deleted it sets Ypbz(nj, bj) = 0, saves "课表.txt", shows
// "删除班级课表中的合班课后需要退出本软件，再重新运行。" and throws ProgramEnd.
void Qkbsz(Ctx& c, int nj, int bj, int xq2, int jc1, int jc2);

// Pkqbwc: the all-scheduled state: export frame shown, data entry disabled, Zt = "查班".
void Pkqbwc(Ctx& c, EngineHost& host);

// Pkwc: completes class (nj, bj): Dkzt = 0, its scheduled flag, the class list refreshed,
// Ypbjs recounted, the hint text, "课表.txt" saved, Phjckcct. When every class is scheduled it
// enters the all-scheduled state (with the completion message when tips are on) and returns an
// invalid ClassRef; otherwise it returns the first class of the (unscheduled) class list, which
// the caller schedules next. Does not call Jp itself: the chain is a loop (scheduleChain).
ClassRef Pkwc(Ctx& c, EngineHost& host, int nj, int bj);

// scheduleChain: schedules class (nj, bj) with Jp and then, while Jp leaves no must-move lesson,
// completes it with Pkwc and goes on with the class Pkwc names. Stops when every class is
// scheduled (then Pkqbwc runs, LstBj is enabled) or when a class stays in swap mode (Bxdck not
// empty): then Zt stays "调课", LstBj stays disabled and nothing of the all-scheduled state runs.
// The per-class saves go to a background writer; the timetable file is on disk when it returns.
void scheduleChain(Ctx& c, EngineHost& host, int nj, int bj);

// continueChain: what the grid click runs after the last must-move lesson of a class was resolved
// and the class is full: Pkwc(nj, bj) and then the chain from the class it names.
void continueChain(Ctx& c, EngineHost& host, int nj, int bj);

// True when no long-term cell of class (nj, bj) (weekdays 1..Mzts, periods 1..Mtjs) is empty.
bool classIsFull(const School& s, int nj, int bj);

}  // namespace tavro
