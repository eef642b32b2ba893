#pragma once
// SheetRange: a handle on a rectangle of one sheet, with chainable operations in
// the manner of the spreadsheet's own ranges:
//   sh.range("A1:G1").merge().hAlign(HAlign::Centre).fontSize(16);
//   sh.range("C5:E16").fillIndex(36);
// The handle refers to its sheet; it must not outlive it.

#include <QString>

#include "sheets/sheet.h"

namespace tavro {

class SheetRange {
 public:
  SheetRange(Sheet& sheet, const CellRange& area) : sheet_(&sheet), area_(area) {}
  Sheet& sheet() const { return *sheet_; }
  const CellRange& area() const { return area_; }
  // "A1:G1" text of the range.
  QString address() const { return rangeName(area_); }

  // Display text of the top-left cell.
  QString text() const { return sheet_->text(area_.r1, area_.c1); }
  // Writes the value (as typed, see Sheet::setValue) into every cell of the range.
  SheetRange& setValue(const QString& value);
  // Writes a text that stays text into every cell of the range.
  SheetRange& setText(const QString& text);
  // Removes the values of every cell, keeping formats.
  SheetRange& clearValues();

  // Merges the range (true) or dissolves the merges overlapping it (false).
  SheetRange& merge(bool on = true);
  SheetRange& hAlign(HAlign align);
  // Horizontal alignment by layout code: 1 general, 2 left, 3 centre, 4 right (others ignored).
  SheetRange& hAlign(int code);
  SheetRange& vAlign(VAlign align);
  SheetRange& wrap(bool on = true);
  SheetRange& shrink(bool on = true);
  SheetRange& rotation(int degrees);
  SheetRange& fontName(const QString& name);
  SheetRange& fontSize(double points);
  SheetRange& bold(bool on = true);
  SheetRange& italic(bool on = true);
  SheetRange& underline(bool on = true);
  SheetRange& fontColour(Rgb rgb);
  // Solid interior by palette index (36 light yellow, 2 white); an index outside 1..56 removes the fill.
  SheetRange& fillIndex(int colourIndex);
  // Solid interior by RGB.
  SheetRange& fill(Rgb rgb);
  SheetRange& noFill();
  // Number format code: "@" text, "0", "0.00", "yyyy-m-d", "" general.
  SheetRange& numberFormat(const QString& code);
  SheetRange& border(Edge edge, Line line);
  // Border by layout codes: edge 1 left, 2 right, 3 top, 4 bottom, 7..12 outline and inside lines;
  // style 1 thin, 2 medium, 3 thick, other codes as lineFromCode.
  SheetRange& border(int edgeCode, int styleCode);
  // Thin lines on every side of every cell of the range.
  SheetRange& grid(Line line = Line::Thin);

  // Height of every row of the range, in points.
  SheetRange& rowHeight(double points);
  // Width of every column of the range, in character units.
  SheetRange& columnWidth(double width);
  SheetRange& autoFitColumns();
  SheetRange& autoFitRows();

  // Copies this range onto dest (see Sheet::paste); dest may be on another sheet.
  SheetRange& copyTo(const SheetRange& dest, Paste what = Paste::All, bool transpose = false);
  // Selects the range (top-left cell active).
  SheetRange& select();
  // Freezes the panes at the range's top-left cell.
  SheetRange& freezePanes();

 private:
  SheetRange& change(const std::function<void(CellFormat&)>& f);
  Sheet* sheet_;
  CellRange area_;
};

}  // namespace tavro
