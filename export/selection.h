#pragma once
// Selection sets of an export: the chosen classes, courses, teachers and
// grades as texts of fixed-width codes in list order, and the layer.

#include <QString>
#include <optional>

#include "export/context.h"

namespace tavro {

// HBxbjjh: class set, 4-digit codes: every row of LstBj with "全校", else the selected rows.
QString HBxbjjh(const ExportCtx& c);
// HBxkcjh: course set, 3-digit numbers: every row of LstKc with "全部课程", else the selected rows.
QString HBxkcjh(const ExportCtx& c);
// HBxjsjh: teacher set, 3-digit numbers. "按代码或姓名": the selected rows of LstJs (every row with
// "全部教师") whose teacher has lessons (Jszjs > 0); "按班级和课程": Csbjxkjsjh, nullopt when it
// stopped with a message.
std::optional<QString> HBxjsjh(ExportCtx& c);
// HBxnjjh: grade set, 2-digit codes of the grades with classes when "全校" is checked, else "".
QString HBxnjjh(const ExportCtx& c);
// HCqls: the layer of OptCqls: 1 long-term, 2 temporary.
int HCqls(const RunState& st);

// Csbjxkjsjh: the teachers (3-digit numbers, ascending, once each) who teach a chosen course in a
// chosen class, plus the teachers of the combined lessons of those classes and courses when classes
// are scheduled. No class chosen or no course chosen: the message of each, and nullopt.
std::optional<QString> Csbjxkjsjh(ExportCtx& c);

}  // namespace tavro
