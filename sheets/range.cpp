#include "sheets/range.h"

#include "core/table.h"

namespace tavro {

namespace {

// The cells a value is written to: whole rows/columns are cut to the used part of the sheet.
CellRange valueArea(const Sheet& sheet, const CellRange& area) {
  CellRange a = area;
  if (a.wholeColumns()) a.r2 = std::max(a.r1, sheet.lastRow());
  if (a.wholeRows()) a.c2 = std::max(a.c1, sheet.lastColumn());
  if (qint64(a.rows()) * a.cols() > kMaxFormattedCells) throw IndexError("range too large to fill");
  return a;
}

}  // namespace

SheetRange& SheetRange::setValue(const QString& value) {
  const CellRange a = valueArea(*sheet_, area_);
  for (int r = a.r1; r <= a.r2; ++r)
    for (int c = a.c1; c <= a.c2; ++c) sheet_->setValue(r, c, value);
  return *this;
}

SheetRange& SheetRange::setText(const QString& text) {
  const CellRange a = valueArea(*sheet_, area_);
  for (int r = a.r1; r <= a.r2; ++r)
    for (int c = a.c1; c <= a.c2; ++c) sheet_->setText(r, c, text);
  return *this;
}

SheetRange& SheetRange::clearValues() {
  const CellRange a = valueArea(*sheet_, area_);
  for (int r = a.r1; r <= a.r2; ++r)
    for (int c = a.c1; c <= a.c2; ++c) sheet_->clearValue(r, c);
  return *this;
}

SheetRange& SheetRange::change(const std::function<void(CellFormat&)>& f) {
  sheet_->formatRange(area_, f);
  return *this;
}

SheetRange& SheetRange::merge(bool on) {
  if (on)
    sheet_->merge(area_);
  else
    sheet_->unmerge(area_);
  return *this;
}

SheetRange& SheetRange::hAlign(HAlign align) {
  return change([align](CellFormat& f) { f.hAlign = align; });
}

SheetRange& SheetRange::hAlign(int code) {
  if (code < 1 || code > 8) return *this;
  return hAlign(static_cast<HAlign>(code));
}

SheetRange& SheetRange::vAlign(VAlign align) {
  return change([align](CellFormat& f) { f.vAlign = align; });
}

SheetRange& SheetRange::wrap(bool on) {
  return change([on](CellFormat& f) { f.wrap = on; });
}

SheetRange& SheetRange::shrink(bool on) {
  return change([on](CellFormat& f) { f.shrink = on; });
}

SheetRange& SheetRange::rotation(int degrees) {
  return change(
      [degrees](CellFormat& f) { f.rotation = degrees == 255 ? 255 : std::clamp(degrees, -90, 90); });
}

SheetRange& SheetRange::fontName(const QString& name) {
  return change([&name](CellFormat& f) { f.fontName = name; });
}

SheetRange& SheetRange::fontSize(double points) {
  return change([points](CellFormat& f) { f.fontSize = std::clamp(points, 1.0, 409.0); });
}

SheetRange& SheetRange::bold(bool on) {
  return change([on](CellFormat& f) { f.bold = on; });
}

SheetRange& SheetRange::italic(bool on) {
  return change([on](CellFormat& f) { f.italic = on; });
}

SheetRange& SheetRange::underline(bool on) {
  return change([on](CellFormat& f) { f.underline = on; });
}

SheetRange& SheetRange::fontColour(Rgb rgb) {
  return change([rgb](CellFormat& f) { f.fontColour = rgb & 0xFFFFFF; });
}

SheetRange& SheetRange::fillIndex(int colourIndex) {
  const std::int64_t rgb = colourIndexRgb(colourIndex);
  return change([rgb](CellFormat& f) { f.fill = rgb; });
}

SheetRange& SheetRange::fill(Rgb rgb) {
  return change([rgb](CellFormat& f) { f.fill = rgb & 0xFFFFFF; });
}

SheetRange& SheetRange::noFill() {
  return change([](CellFormat& f) { f.fill = kNoColour; });
}

SheetRange& SheetRange::numberFormat(const QString& code) {
  return change([&code](CellFormat& f) { f.numberFormat = code; });
}

SheetRange& SheetRange::border(Edge edge, Line line) {
  sheet_->setBorder(area_, edge, line);
  return *this;
}

SheetRange& SheetRange::border(int edgeCode, int styleCode) {
  const bool known = (edgeCode >= 1 && edgeCode <= 4) || (edgeCode >= 7 && edgeCode <= 12);
  if (!known) return *this;
  return border(static_cast<Edge>(edgeCode), lineFromCode(styleCode));
}

SheetRange& SheetRange::grid(Line line) {
  return change([line](CellFormat& f) { f.border = {line, line, line, line}; });
}

SheetRange& SheetRange::rowHeight(double points) {
  for (int r = area_.r1; r <= area_.r2; ++r) sheet_->setRowHeight(r, points);
  return *this;
}

SheetRange& SheetRange::columnWidth(double width) {
  for (int c = area_.c1; c <= area_.c2; ++c) sheet_->setColumnWidth(c, width);
  return *this;
}

SheetRange& SheetRange::autoFitColumns() {
  sheet_->autoFitColumns(area_.c1, area_.c2);
  return *this;
}

SheetRange& SheetRange::autoFitRows() {
  sheet_->autoFitRows(area_.r1, area_.r2);
  return *this;
}

SheetRange& SheetRange::copyTo(const SheetRange& dest, Paste what, bool transpose) {
  dest.sheet().paste(area_, dest.area(), what, transpose, sheet_);
  return *this;
}

SheetRange& SheetRange::select() {
  sheet_->select(area_);
  return *this;
}

SheetRange& SheetRange::freezePanes() {
  sheet_->freezePanes(area_.r1, area_.c1);
  return *this;
}

}  // namespace tavro
