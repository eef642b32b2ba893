#pragma once
// The swap test with the number of the test that refused, for the grading.

#include <QString>

#include "core/ctx.h"

namespace tavro {

// Numbers of the swap-test steps that can refuse.
enum class SwapRefusal {
  None = 0,
  MultiTeacher = 1,
  BothEmpty = 3,
  Combined = 4,
  MustMove = 5,
  SameLesson = 6,
  Temporary = 7,
  Teacher1Busy = 8,
  Teacher2Busy = 9,
  Cap1Full = 10,
  Cap2Full = 11,
  Banned1 = 12,
  Banned2 = 13,
};

// Runs the swap test on the run state's Xq1/Jc1/Xq2/Jc2/Jsh1/Jsh2; returns the first refusal and
// its Bpyy text (grade "0" + reason), or None. skip leaves out the teacher tests named by
// kSkipTeacher1 / kSkipTeacher2.
// Sets Hbkh when combined lessons exist; writes nothing else.
inline constexpr int kSkipTeacher1 = 1;
inline constexpr int kSkipTeacher2 = 2;
SwapRefusal swapRefusal(Ctx& c, int k1, int k2, int nj, int bj, int skip, QString& reason);

// The busy threshold of the layer being edited: 0 long-term (blocks count), 9 temporary.
int busyThreshold(const RunState& st);

}  // namespace tavro
