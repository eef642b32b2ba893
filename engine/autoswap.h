#pragma once
// Zddk: the automatic swap that repairs the lessons the scheduler forced into
// periods where their teacher was busy, by exchanging each with another lesson
// of the same class.

#include <QString>

#include "core/ctx.h"

namespace tavro {

class EngineHost;

// Zddk: repairs the must-move lessons of zdbdk (the scheduler's Bxdck, 4-digit weekday+period
// groups) of class (nj, bj) with Jcnfdk and Dk (Dkzt = 1), counting swaps in zddkcs. Returns with
// zdbdk empty (Zt = "排课", Xq1 = Jc1 = 0), or in swap mode: Zt = "调课", Dkzt = 2, grid MSFG's
// current cell on the first group, the classes changed by the relaxed pass reported, and the
// host's grid click run once. More than 24 swaps: clears the class, lowers Ypbjs, shows the warning
// "本班课程冲突或调课太多，无法排课，请退出，从本班起重排或检查排课设置有没有不合理的地方。" and
// throws ProgramEnd (the timetable file keeps what the classes before saved).
void Zddk(Ctx& c, EngineHost& host, QString& zdbdk, int nj, int bj, int& zddkcs);

}  // namespace tavro
