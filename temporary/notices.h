#pragma once
// Change notices after a temporary swap: one notice for each of the two
// teachers and copies of a notice for the class, composed into one text for
// the notice box and printed through the export button in print mode.

#include <QDate>
#include <QString>
#include <array>

#include "core/ctx.h"

namespace tavro {

// Title of the printed document.
inline const QString kNoticeTitle = QStringLiteral("临时调课通知");
// Caption of the export button while it prints the notices.
inline const QString kPrintCaption = QStringLiteral("9、打印");
// Hh: the line break of the notice text.
inline const QString kNoticeBreak = QStringLiteral("\r\n");

// Tzwb: the notice lines: 0 teacher title, 1 and 2 the first teacher's address and sentence, 3 and 4
// the second teacher's, 5 class title, 6 the class and its head teacher, 7 the class's sentence.
using NoticeLines = std::array<QString, 8>;

// Notice date text: year + "年" + month + "月" + day + "日" without leading zeros.
QString noticeDate(const QDate& d);

// Lsdktzjsz: the notice lines for teachers n1 and n2 from the swap context (Xq1, Jc1, Kch1, Xq2, Jc2,
// Kch2, class DqNj/DqBj, Lsksrq, Lsjsrq, Rqts). weekParity is the export setting Dszbz ("1" = the
// first week of a fortnightly timetable is odd), read only when Mzts is above 7.
NoticeLines Lsdktzjsz(const Ctx& c, int n1, int n2, const QString& weekParity = QStringLiteral("1"));

// Gktzjs: appends the closing lines of one notice to tzzw: "特此通知", the signature "教务处" and
// today indented by a = 40 (x > 60), x - 12 (12 < x <= 60) or 10 full-width spaces, three breaks.
void Gktzjs(QString& tzzw, int x, const QDate& today);

// The notice text for the swap context: both teachers' notices, then the class notice as many times
// as the answer to "班级临时调课通知一式几份？" (input box "请回答", default "3"; empty or not a
// number: none).
QString composeNotices(Ctx& c, const QString& weekParity = QStringLiteral("1"));

}  // namespace tavro
