#pragma once
// Constant text tables filled at start-up: weekday names, Chinese numerals by
// digit and full-width digit glyphs.

#include <QString>

namespace tavro {

// Xqm: weekday names; 0 "０", 1..6 "一".."六", 7 "日"; "" beyond 7 (the table runs to 13).
QString Xqm(int weekday);
// Hzsz: Chinese numeral of a digit; 0 "日", 1..9 "一".."九"; "" outside 0..9.
QString Hzsz(int digit);
// Qjsz: full-width glyph of a hexadecimal digit; 0..9 "０".."９", 10..15 "Ａ".."Ｆ"; "" outside.
QString Qjsz(int digit);

// Bbh: version text used in file headers.
inline const QString kBbh = QStringLiteral("2.0");
// The program's window title.
inline const QString kProgramTitle = QStringLiteral("Tavro中小学排课系统2.0版");

}  // namespace tavro
