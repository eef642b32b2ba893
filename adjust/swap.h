#pragma once
// Dk: exchanges two lessons of one class in the layer being edited and keeps
// the teachers' timetables, the simultaneity counters, the temporary layer and
// the class grid in step. Dk never writes a file. Cells are read with Bbsrb
// (core/slots.h).

#include <functional>

#include "core/ctx.h"

namespace tavro {

// Fzjslskb: when jsh > 0, copies teacher jsh's long-term cells (weekdays 1..Mzts, periods 1..Mtjs)
// into the temporary layer. Teachers outside the cube are ignored.
void Fzjslskb(School& s, int jsh);

// Reapplies the recorded temporary changes in force today on top of the temporary layer
// (provided by the temporary-change module; may be empty).
using TemporaryReplay = std::function<void(Ctx&)>;

// Dk: exchanges the lessons of class (bnj, bbj) at (i1, j1) (the lesson to move) and (i2, j2) in
// layer Dqcqls. Teacher cells follow by swap mode Dkzt (0 normal; 1 automatic swap, restoring the
// lesson parked in teacher row Jss+1; 2 forced swap by the user). In the long-term layer it moves
// the simultaneity counters and copies the class's and both teachers' long-term cells into the
// temporary layer; in the temporary layer it calls replay (keeping Lsksrq and Lsjsrq). Redraws the
// class in grid MSFG when i1 > 0 and i2 > 0. Performs no feasibility checks.
void Dk(Ctx& c, int bnj, int bbj, int i1, int j1, int i2, int j2, const TemporaryReplay& replay = {});

}  // namespace tavro
