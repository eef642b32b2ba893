#pragma once
// How the history names the actions of the window: the class of an action and
// the caption of a swap, as "撤销：" and the names of kept versions show them.

#include <QString>

#include "core/school.h"

namespace tavro {

// The class as the history names it: its name without blanks at the ends, followed by "班" unless
// it ends with it ("初一1" -> "初一1班"); "" when (nj, bj) is no class.
QString historyClassName(const School& s, int nj, int bj);

// The caption of a swap of two lessons of class (nj, bj): "初一1班 星期二第3节↔星期四第1节", with
// "临时" before the lessons for a temporary swap.
QString swapCaption(const School& s, int nj, int bj, int xq1, int jc1, int xq2, int jc2,
                    bool temporary = false);

}  // namespace tavro
