#pragma once
// The day and period sets of an export, rebuilt from the weekday and period
// controls before every export.

#include "export/context.h"

namespace tavro {

// Bxxq: Dcxqjh and Dcxqs from "全周" or the selected rows of LstXq.
void Bxxq(ExportCtx& c);

// Bxjc: Dcjcjh (morning then afternoon 2-digit period codes), Dcjcs, DcSwjs, DcXwjs, DcMtjs,
// Swsj/Swmj/Xwsj/Xwmj, Dcmj and Swxwjs from the selected rows of LstJc, else from "全天",
// "上午" and "下午".
void Bxjc(ExportCtx& c);

}  // namespace tavro
