#include "app/colours.h"

namespace tavro::app {

namespace {

// The classic desktop's system colours the grids use, by system colour index.
QColor systemColour(unsigned index) {
  switch (index) {
    case 0x16:  // three-dimensional light
      return QColor(0xE3, 0xE3, 0xE3);
    case 0x0D:  // highlight
      return QColor(0x00, 0x78, 0xD7);
    case 0x12:  // button text
      return QColor(Qt::black);
    default:
      return QColor(0xF0, 0xF0, 0xF0);
  }
}

}  // namespace

QColor gridColour(int value) {
  if (value == 0) return QColor();
  const auto bits = static_cast<unsigned>(value);
  if (bits & 0x80000000u) return systemColour(bits & 0xFFu);
  return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                static_cast<int>((bits >> 16) & 0xFFu));
}

}  // namespace tavro::app
