#pragma once
// Xskc: the scheduling course list of a class, hardest course first, and the
// remembered positions Yxwz that the slot search tries first.

#include <array>

#include "core/ctx.h"

namespace tavro {

// Xskc: fills LstKc with class (nj, bj)'s plan rows, highest priority first (equal priorities by
// course number); each item is Lbq(3, course) + name padded with "　" to 6 characters + Ydq(2, n),
// n = lessons still to place (characters 10-11). Writes Yxwz(0..3). With OptWp selected (OptYp
// false) every long-term ordinary lesson already in the class lowers its course's count. When nj or
// bj is not above 0: warning "未选班级，不能显示班表！" and nothing else.
void Xskc(Ctx& c, int nj, int bj);

// The priority of every plan row (index 0..50) as Xskc computes it, before the list is built.
// Exposed for tests and for the benchmark report.
std::array<float, 51> courseListPriorities(Ctx& c, int nj, int bj);

}  // namespace tavro
