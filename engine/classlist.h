#pragma once
// The class list LstBj as plain data: which classes it lists and how its
// items read, so that the engine can take the next unscheduled class without
// any window.

#include "core/ctx.h"

namespace tavro {

// Class list item: Lbq(2, nj) + Lbq(2, bj) + Bjmc, followed by "未" when the class has no plan.
QString classListItem(const School& s, int nj, int bj);

// Xgypwp: refills LstBj with the classes whose Ypbz is 1 when OptYp is set, 0 otherwise (grades
// Snj..Mnj, classes 1..Njbjs), keeping the position of the selected item when it still exists.
void Xgypwp(const School& s, RunState& st);

// Selects exactly item i of LstBj (current item and selection flag); nothing for a missing item.
void selectClassItem(RunState& st, int i);

// Index of the LstBj item whose first four characters are the class code of (nj, bj); -1 if none.
int findClassItem(const RunState& st, int nj, int bj);

}  // namespace tavro
