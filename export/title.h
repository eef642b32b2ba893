#pragma once
// The sheet title: school year, scope, courses, table words, chosen
// weekdays and periods; never an ASCII blank.

#include "export/context.h"

namespace tavro {

// Xsbt: composes Btnr from the choices (school year, scope word, course words, weekday and period
// words), every " " removed.
void Xsbt(ExportCtx& c);
// Xsbtnr: Xsbt plus the item word ("课表", "总课表", "教师任课情况表", "教师表"); Dcbt = Xxmc + Btnr
// when Kbzl > 1, else Btnr.
void Xsbtnr(ExportCtx& c);
// The course words of the title: "各科", or the chosen course names in list order ("体活" is written
// "体育活动" ...); allWord is the text for "every course".
QString courseWords(const ExportCtx& c, const QString& allWord);

}  // namespace tavro
