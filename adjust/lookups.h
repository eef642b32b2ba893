#pragma once
// Names and code-list tests used in the swap texts.

#include <QString>

#include "core/school.h"

namespace tavro {

// Right-trimmed course name Kcmc(kch); "" for a course outside the table.
QString courseName(const School& s, int kch);
// Teacher name Jsmc(jsh); "" for a teacher outside the table.
QString teacherName(const School& s, int jsh);
// True when (xq, jc) is one of the 4-digit weekday+period groups of list (group weekday = value of
// its first 2 characters, period = value of its last 2).
bool codeListHasSlot(const QString& list, int xq, int jc);

}  // namespace tavro
