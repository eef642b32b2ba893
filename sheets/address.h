#pragma once
// Cell addresses: (row, column) pairs counted from 1, rectangular ranges, and
// their "A1" texts. Column letters follow the spreadsheet convention
// (1 "A", 26 "Z", 27 "AA", 52 "AZ", 16384 "XFD").

#include <QString>
#include <optional>

namespace tavro {

// Largest row and column number of a sheet.
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// One cell: row 1..kMaxRows, column 1..kMaxColumns.
struct CellPos {
  int row = 1;
  int col = 1;
  bool operator==(const CellPos&) const = default;
};

// A rectangle of cells, corners included: rows r1..r2, columns c1..c2 (r1 <= r2, c1 <= c2).
// Whole columns ("A:B") span rows 1..kMaxRows, whole rows ("3:4") columns 1..kMaxColumns.
struct CellRange {
  int r1 = 1, c1 = 1, r2 = 1, c2 = 1;
  bool operator==(const CellRange&) const = default;
  int rows() const { return r2 - r1 + 1; }
  int cols() const { return c2 - c1 + 1; }
  CellPos topLeft() const { return {r1, c1}; }
  bool contains(int row, int col) const { return row >= r1 && row <= r2 && col >= c1 && col <= c2; }
  bool intersects(const CellRange& o) const { return r1 <= o.r2 && o.r1 <= r2 && c1 <= o.c2 && o.c1 <= c2; }
  // True when the range covers whole columns (every row of the sheet).
  bool wholeColumns() const { return r1 == 1 && r2 == kMaxRows; }
  // True when the range covers whole rows (every column of the sheet).
  bool wholeRows() const { return c1 == 1 && c2 == kMaxColumns; }
  // True when both corners lie inside the sheet and the corners are ordered.
  bool valid() const {
    return r1 >= 1 && c1 >= 1 && r1 <= r2 && c1 <= c2 && r2 <= kMaxRows && c2 <= kMaxColumns;
  }
};

// Lzm: the letters of column number col (1 "A", 26 "Z", 27 "AA", 52 "AZ"); "" when col < 1.
QString Lzm(int col);

// The column number of letters ("A" 1, "AZ" 52, case ignored); 0 when not letters or beyond kMaxColumns.
int columnNumber(const QString& letters);

// "A1" text of a cell: cellName(7, 2) = "B7".
QString cellName(int row, int col);

// "A1:G1" text of a range; a single cell gives "A1", whole columns "A:B", whole rows "3:4".
QString rangeName(const CellRange& range);

// Parses "B7" (also "$B$7", case ignored) into a cell; nullopt when malformed or outside the sheet.
std::optional<CellPos> parseCell(const QString& text);

// Parses "A1", "A1:G1", "A:B" or "3:4" into a range with ordered corners; nullopt when malformed.
std::optional<CellRange> parseRange(const QString& text);

// The range of a single cell.
inline CellRange cellRange(int row, int col) {
  return {row, col, row, col};
}

}  // namespace tavro
