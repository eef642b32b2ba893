#pragma once
// Colour values of the grids (red in the low byte, system colours as
// 0x80000000 + index, 0 = the grid's default) turned into QColor.

#include <QColor>

namespace tavro::app {

// The QColor of a colour value; an invalid QColor for 0 (the widget keeps its default colour).
QColor gridColour(int value);

}  // namespace tavro::app
