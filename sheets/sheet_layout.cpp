// Border drawing, auto-fit and copy-and-paste of the sheet model.
#include <cmath>

#include "core/table.h"
#include "sheets/sheet.h"

namespace tavro {

namespace {

// Display width of a text in character units: wide (CJK, full-width) characters count 2.
double textUnits(const QString& text) {
  double units = 0;
  for (QChar ch : text) {
    const char16_t u = ch.unicode();
    const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
                      (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
                      (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
                      (u >= 0xFFE0 && u <= 0xFFE6) || ch.isSurrogate();
    units += wide ? 2 : 1;
  }
  return units;
}

double sizeFactor(const CellFormat& f) {
  return (f.fontSize > 0 ? f.fontSize : 11.0) / 11.0;
}

// Widest line of a text in character units at its font size.
double textWidth(const QString& text, const CellFormat& f) {
  double widest = 0;
  for (const QString& line : text.split('\n')) widest = std::max(widest, textUnits(line));
  return widest * sizeFactor(f);
}

// Height of one text line in points, rounded to the 0.75-point steps of a screen pixel.
double lineHeight(const CellFormat& f) {
  const double points = (f.fontSize > 0 ? f.fontSize : 11.0) * 1.36;
  return std::round(points / 0.75) * 0.75;
}

bool inMultiCellMerge(const std::vector<CellRange>& merges, int row, int col, bool acrossRows) {
  for (const CellRange& m : merges)
    if (m.contains(row, col) && (acrossRows ? m.rows() > 1 : m.cols() > 1)) return true;
  return false;
}

}  // namespace

void Sheet::setBorder(const CellRange& area, Edge edge, Line line) {
  const auto sideOf = [&](Side side) { return [side, line](CellFormat& f) { f.setLine(side, line); }; };
  switch (edge) {
    case Edge::Left:
      return formatRange(area, sideOf(Side::Left));
    case Edge::Right:
      return formatRange(area, sideOf(Side::Right));
    case Edge::Top:
      return formatRange(area, sideOf(Side::Top));
    case Edge::Bottom:
      return formatRange(area, sideOf(Side::Bottom));
    case Edge::OutlineLeft:
      return formatRange({area.r1, area.c1, area.r2, area.c1}, sideOf(Side::Left));
    case Edge::OutlineRight:
      return formatRange({area.r1, area.c2, area.r2, area.c2}, sideOf(Side::Right));
    case Edge::OutlineTop:
      return formatRange({area.r1, area.c1, area.r1, area.c2}, sideOf(Side::Top));
    case Edge::OutlineBottom:
      return formatRange({area.r2, area.c1, area.r2, area.c2}, sideOf(Side::Bottom));
    case Edge::InsideVertical:
      if (area.c2 > area.c1) formatRange({area.r1, area.c1, area.r2, area.c2 - 1}, sideOf(Side::Right));
      return;
    case Edge::InsideHorizontal:
      if (area.r2 > area.r1) formatRange({area.r1, area.c1, area.r2 - 1, area.c2}, sideOf(Side::Bottom));
      return;
  }
}

void Sheet::autoFitColumns(int c1, int c2) {
  std::map<int, double> widest;
  for (const auto& [k, c] : cells_) {
    const int col = keyCol(k);
    if (col < c1 || col > c2 || c.kind == CellKind::Empty) continue;
    if (inMultiCellMerge(merges_, keyRow(k), col, false)) continue;
    widest[col] = std::max(widest[col], textWidth(text(keyRow(k), col), c.format));
  }
  for (const auto& [col, units] : widest) setColumnWidth(col, units + 0.75);
}

void Sheet::autoFitRows(int r1, int r2) {
  std::map<int, double> tallest;
  for (auto it = cells_.lower_bound(key(r1, 1)); it != cells_.end() && keyRow(it->first) <= r2; ++it) {
    const int row = keyRow(it->first), col = keyCol(it->first);
    const Cell& c = it->second;
    if (c.kind == CellKind::Empty || inMultiCellMerge(merges_, row, col, true)) continue;
    int lines = 1;
    if (c.format.wrap) {
      lines = 0;
      const double room = std::max(1.0, columnWidth(col) - 0.75);
      for (const QString& line : text(row, col).split('\n'))
        lines += std::max(1, int(std::ceil(textUnits(line) * sizeFactor(c.format) / room - 1e-9)));
    }
    tallest[row] = std::max(tallest[row], lines * lineHeight(c.format));
  }
  for (auto it = rows_.lower_bound(r1); it != rows_.end() && it->first <= r2; ++it)
    if (!tallest.count(it->first)) it->second.size = -1;  // a row without values gets the default height
  for (const auto& [row, height] : tallest) setRowHeight(row, height);
}

void Sheet::paste(const CellRange& src, const CellRange& dest, Paste what, bool transpose,
                  const Sheet* from) {
  const Sheet& source = from ? *from : *this;
  if (!src.valid() || !dest.valid()) throw IndexError("paste range outside the sheet");
  if (qint64(src.rows()) * src.cols() > kMaxFormattedCells) throw IndexError("paste range too large");
  // Snapshot first: source and destination may overlap or be the same sheet.
  std::vector<std::pair<CellPos, Cell>> cells;
  cells.reserve(std::size_t(src.rows()) * std::size_t(src.cols()));
  for (int r = src.r1; r <= src.r2; ++r)
    for (int c = src.c1; c <= src.c2; ++c) {
      const Cell* found = source.find(r, c);
      Cell copy = found ? *found : Cell{};
      if (!found) copy.format = source.format(r, c);
      cells.emplace_back(CellPos{r - src.r1, c - src.c1}, std::move(copy));
    }
  std::vector<CellRange> merges;
  for (const CellRange& m : source.merges_)
    if (src.contains(m.r1, m.c1) && src.contains(m.r2, m.c2)) merges.push_back(m);
  const int h = transpose ? src.cols() : src.rows(), w = transpose ? src.rows() : src.cols();
  const bool tiled = (dest.rows() > 1 || dest.cols() > 1) && dest.rows() % h == 0 && dest.cols() % w == 0;
  const int tilesDown = tiled ? dest.rows() / h : 1, tilesAcross = tiled ? dest.cols() / w : 1;
  for (int ty = 0; ty < tilesDown; ++ty)
    for (int tx = 0; tx < tilesAcross; ++tx) {
      const int top = dest.r1 + ty * h, left = dest.c1 + tx * w;
      if (what != Paste::Values)
        unmerge({top, left, std::min(kMaxRows, top + h - 1), std::min(kMaxColumns, left + w - 1)});
      for (const auto& [pos, copy] : cells) {
        Cell& target = cell(top + (transpose ? pos.col : pos.row), left + (transpose ? pos.row : pos.col));
        if (what != Paste::Formats) {
          CellFormat keep = target.format;
          target = copy;
          if (what == Paste::Values) target.format = keep;
        } else {
          target.format = copy.format;
        }
      }
      if (what == Paste::Values) continue;
      for (const CellRange& m : merges) {
        const int dr1 = transpose ? m.c1 - src.c1 : m.r1 - src.r1,
                  dc1 = transpose ? m.r1 - src.r1 : m.c1 - src.c1;
        const int dr2 = transpose ? m.c2 - src.c1 : m.r2 - src.r1,
                  dc2 = transpose ? m.r2 - src.r1 : m.c2 - src.c1;
        merges_.push_back({top + dr1, left + dc1, top + dr2, left + dc2});
      }
    }
}

}  // namespace tavro
