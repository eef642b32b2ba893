#pragma once
// The teacher list LstJs of the main window as plain data: its first item
// "000无" stands for no teacher, so a teacher's number is also its row.

#include "core/listbox.h"
#include "core/school.h"

namespace tavro {

// Fills the teacher list: "000无", then Lbq(3, t) + Jsmc(t) for t = 1..Jss. Clears the selection.
void fillTeacherList(const School& s, ListBox& list);

}  // namespace tavro
