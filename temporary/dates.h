#pragma once
// The temporary date range of the main window: the pickers DTPicker1
// ("开始日期") and DTPicker2 ("结束日期") in the frame "日期范围", kept valid as
// they change, and the day count Rqts the notices use.

#include <QDate>

#include "core/ctx.h"

namespace tavro {

// Rqts: days from start to end inclusive; 0 when the end is before the start or a date is invalid.
int Rqts(const QDate& start, const QDate& end);

// Puts today (Jtrq) into both pickers when they hold no date yet, and computes Rqts.
void initDateRange(RunState& st);

// DTPicker1_Change: the start date became `date`; the end date follows it and Rqts is recomputed.
void DTPicker1_Change(Ctx& c, const QDate& date);

// DTPicker2_Change: the end date became `date`; an end before the start gives the warning
// "结束日期不可在开始日期之前！" and becomes the start date. Rqts is recomputed.
void DTPicker2_Change(Ctx& c, const QDate& date);

}  // namespace tavro
