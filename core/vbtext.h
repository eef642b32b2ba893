#pragma once
// Number reading the way the school's files and cells were always read: Val
// takes the longest numeric prefix of a text (blanks skipped), so "005" is 5,
// "7012" is 7012, "" and "abc" are 0.

#include <QString>

namespace tavro {

// The numeric value of the leading number in text: leading blanks and blanks
// between digits are skipped, an optional sign and one decimal point are taken;
// reading stops at the first other character. 0 when no digit comes first.
double Val(const QString& text);

// Val rounded toward zero and clamped to the int range.
int ValInt(const QString& text);

// The value of characters [pos, pos + len) (0-based), 0 when the text is shorter.
int ValMid(const QString& text, int pos, int len);

}  // namespace tavro
