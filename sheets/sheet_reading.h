#pragma once
// Readings the sheet imports share, beyond Sheet::text/number/date: numbers
// typed as numbers or as digit texts, and codes whose leading zeros a number
// cell dropped ("0701" typed into a number cell reads back as 701).

#include <QString>

#include "sheets/sheet.h"

namespace tavro {

// True when the cell holds a value or a formula (a formula fills its cell whatever its result;
// an empty text is no value). The marker cells that tell a filled sheet from a template use it.
bool cellFilled(const Sheet& sh, int row, int col);

// True when the cell holds a number (a formula's number result included) or a text of digits.
bool cellHoldsNumber(const Sheet& sh, int row, int col);

// The cell as a code text: a whole, non-negative number cell is zero-padded on the left to the
// next multiple of width (701 at width 4 gives "0701"); any other cell gives its text.
QString cellCode(const Sheet& sh, int row, int col, int width);

// A cell text as messages quote it: whole up to 30 characters, else its first 30 and "……" (a
// message never echoes a page of text pasted into a cell).
QString shownValue(const QString& text);

// True when number is a whole number from lo to hi.
bool wholeIn(double number, double lo, double hi);

}  // namespace tavro
