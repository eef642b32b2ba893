#pragma once
// SchedState: the working state of the per-class scheduler Jp that lives in the
// main window between lessons, courses and classes. The must-move list Bxdck,
// the class being scheduled (DqNj, DqBj), the remembered positions Yxwz, the
// swap counters and the simultaneity counters are in RunState beside it.

#include <QString>

#include "core/school.h"
#include "core/table.h"

namespace tavro {

struct SchedState {
  int Pkkch = 0;  // Pkkch: course number of the lesson being placed
  int Pkjsh = 0;  // Pkjsh: its teacher number; 0 = a course without teacher
  int Sykjs = 0;  // Sykjs: lessons of that course still to place; Clbbyjk decreases it
  int Ypkjs = 0;  // Ypkjs: lessons of that course placed in this call; Clbbyjk increases it
  int Jgts = 1;   // Jgts: day spacing between two lessons of the course
  // Rypjs: filled periods of the class per weekday (0..13)
  Table<int> Rypjs{{Range{0, kMaxWeekday}}};
  // TYdjs: lessons placed per weekday (0..13) in the current call, 班会 lessons not counted
  Table<int> TYdjs{{Range{0, kMaxWeekday}}};
  QString Yclh;   // Yclh: 3-digit numbers of the plan rows already taken in this call
  int Fkbz = 0;   // Fkbz: the relaxed second round for a main subject has started; kept between calls
  int Bxdjs = 0;  // Bxdjs: number of must-move lessons reported to the user
  int Tsyxs = 0;  // Tsyxs: the swap-mode wizard tip was shown in this program run
};

}  // namespace tavro
