#pragma once
// GridModel: the plain data behind a timetable grid of the main window. Cells
// are addressed by (weekday, period) whatever the layout code Hsdm says; the
// desktop window maps them to rows and columns. Weekday 0 and period 0 are the
// header cells. Colours are colour values as the grid control takes them (red
// in the low byte); 0 means the grid's default colour.

#include <QString>

#include "core/table.h"

namespace tavro {

// Colour values used by the grids.
inline constexpr int kColourDefault = 0;
inline constexpr int kColour3DLight = static_cast<int>(0x80000016u);  // system three-dimensional light
inline constexpr int kColourWhite = 16777215;
inline constexpr int kColourTemporary = 16777152;  // RGB 192, 255, 255: temporary change
inline constexpr int kColourCandidate = 16744576;  // RGB 128, 128, 255: swap candidate background
inline constexpr int kColourGreen = 65280;         // preferred swap (优先可调)
inline constexpr int kColourYellow = 65535;        // swappable (可调)
inline constexpr int kColourOrange = 8438015;      // swappable but better not (可调但尽量不调)
inline constexpr int kColourRed = 16576;           // not swappable (不可调)
inline constexpr int kColourDarkGreen = 32768;     // combined lesson text
inline constexpr int kColourDarkRed = 192;         // lesson of kind "1"

// One grid cell: text, text colour and background colour.
struct GridCell {
  QString text;
  int fore = kColourDefault;
  int back = kColourDefault;
  bool operator==(const GridCell&) const = default;
};

struct GridModel {
  // Cells (weekday 0..13, period 0..20); index 0 holds the headers.
  Table<GridCell, 2> cells{{Range{0, 13}, Range{0, 20}}};
  QString label;  // Lbl: caption above the grid (class name and head teacher)
  QString style;  // Gsdm: cell style, "Dz"/"Xz" + characters per cell (1, 2, 4, 6); "" counts as 1
  int curXq = 0;  // weekday of the current cell
  int curJc = 0;  // period of the current cell
  bool enabled = true;
  bool visible = true;

  // Writes text, text colour and background of one cell (weekday, period in range).
  void set(int xq, int jc, const QString& text, int fore, int back) {
    cells(xq, jc) = GridCell{text, fore, back};
  }
  // Sets only the colours of one cell, keeping its text.
  void colour(int xq, int jc, int fore, int back) {
    cells(xq, jc).fore = fore;
    cells(xq, jc).back = back;
  }
  // Empties every cell (headers included).
  void clear() { cells.fill(GridCell{}); }
};

}  // namespace tavro
