#pragma once
// Cell formats of the sheet model: alignment, wrapping, font, fill colour,
// number format and the four border lines of a cell. Codes follow the
// spreadsheet's automation numbers that the sheet layouts are written in
// (alignment 2 left, 3 centre, 4 right; border sides 1 left .. 4 bottom;
// colour index 36 light yellow, 2 white).

#include <QString>
#include <array>
#include <cstdint>
#include <string>

namespace tavro {

// Horizontal alignment; the numbers are the layouts' codes (2 left, 3 centre, 4 right).
enum class HAlign : std::uint8_t {
  General = 1,
  Left = 2,
  Centre = 3,
  Right = 4,
  Fill = 5,
  Justify = 6,
  CentreAcross = 7,
  Distributed = 8
};

// Vertical alignment; Bottom is the spreadsheet's default.
enum class VAlign : std::uint8_t { Bottom = 0, Top = 1, Centre = 2, Justify = 3, Distributed = 4 };

// Border line kinds, in the order the xlsx writer numbers them (None .. SlantDashDot).
enum class Line : std::uint8_t {
  None,
  Thin,
  Medium,
  Dashed,
  Dotted,
  Thick,
  Double,
  Hair,
  MediumDashed,
  DashDot,
  MediumDashDot,
  DashDotDot,
  MediumDashDotDot,
  SlantDashDot
};

// Border sides of a cell; the numbers are the layouts' side codes.
enum class Side : std::uint8_t { Left = 1, Right = 2, Top = 3, Bottom = 4 };

// Edge codes for borders of a whole range: 1..4 every cell's side, 7..10 the
// outline of the range, 11/12 the lines between columns/rows inside it.
enum class Edge : std::uint8_t {
  Left = 1,
  Right = 2,
  Top = 3,
  Bottom = 4,
  OutlineLeft = 7,
  OutlineTop = 8,
  OutlineBottom = 9,
  OutlineRight = 10,
  InsideVertical = 11,
  InsideHorizontal = 12
};

// The line of a layout line-style code: 1 thin, 2 medium, 3 thick, 4 dash-dot, 5 dash-dot-dot,
// 9 double, 13 slant dash-dot, -4115 dashed, -4118 dotted, -4119 double, 0 or -4142 none;
// any other code gives a thin line.
Line lineFromCode(int code);

// The xlsx name of a line ("thin", "medium", "double" ...); "" for None.
const char* lineName(Line line);

// The line of an xlsx border style name; None for an unknown name.
Line lineFromName(const QString& name);

// An RGB colour 0xRRGGBB.
using Rgb = std::uint32_t;

// "No colour" marker for fills and font colours.
inline constexpr std::int64_t kNoColour = -1;

// The RGB of a colour index of the standard 56-colour palette (36 -> 0xFFFF99, 2 -> 0xFFFFFF);
// kNoColour for an index outside 1..56.
std::int64_t colourIndexRgb(int index);

// Everything a cell shows besides its value. Default-constructed = the sheet's default look.
struct CellFormat {
  HAlign hAlign = HAlign::General;
  VAlign vAlign = VAlign::Bottom;
  bool wrap = false;
  bool shrink = false;  // shrink text to fit the cell
  int rotation = 0;     // text angle -90..90, or 255 for stacked (vertical) text
  QString fontName;     // "" = the workbook's default font
  double fontSize = 0;  // points; 0 = the workbook's default size
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::int64_t fontColour = kNoColour;  // Rgb or kNoColour (automatic)
  std::int64_t fill = kNoColour;        // solid interior Rgb or kNoColour (none)
  QString numberFormat;                 // "" = General, "@" = text, "0.00", "yyyy-m-d" ...
  std::array<Line, 4> border{};         // lines of sides Left, Right, Top, Bottom (index side - 1)

  // The line of one side.
  Line line(Side side) const { return border[static_cast<int>(side) - 1]; }
  // Sets the line of one side.
  void setLine(Side side, Line l) { border[static_cast<int>(side) - 1] = l; }
  // True when the number format makes typed values stay text ("@").
  bool isText() const { return numberFormat == QStringLiteral("@"); }
  // A byte key equal for equal formats (used to share formats when writing).
  std::string key() const;
  bool operator==(const CellFormat& o) const { return key() == o.key(); }
};

// True when an xlsx number format code shows a date or time (yyyy-m-d, m/d/yy, h:mm ...).
bool isDateFormat(const QString& code);

// The format code of a built-in xlsx number format id (0 "General" -> "", 49 "@", 14 "yyyy-m-d" ...);
// "" for ids without a fixed code.
QString builtinNumberFormat(int id);

}  // namespace tavro
