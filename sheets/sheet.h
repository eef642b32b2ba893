#pragma once
// The in-memory sheet model: a Sheet holds cells addressed by (row, column)
// from 1, each with a value (text, number, boolean, or a formula with its
// cached result) and a format, plus merges, row heights, column widths,
// frozen panes, the selection and the page setup. A Workbook is a list of
// sheets. Every address outside the sheet throws IndexError.

#include <QDate>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "sheets/address.h"
#include "sheets/format.h"

namespace tavro {

class SheetRange;

// What a cell holds.
enum class CellKind : std::uint8_t { Empty, Text, Number, Bool, Formula };

// One cell. For a formula, resultKind says what its cached result is (Number, Text, Bool or
// Empty) and the result itself sits in text or number.
struct Cell {
  CellKind kind = CellKind::Empty;
  QString text;                            // Text value, or a formula's text result
  double number = 0;                       // Number value, Bool 1/0, or a formula's number result
  QString formula;                         // Formula with its leading "=" ("=sum(H6:AI6)")
  CellKind resultKind = CellKind::Number;  // kind of a formula's cached result
  CellFormat format;
};

// Size and default format of one row or column; height/width < 0 = the sheet's default.
struct LineInfo {
  double size = -1;                  // row height in points, column width in character units
  std::optional<CellFormat> format;  // format of the whole row/column, for cells without their own
  bool hidden = false;
};

// Print settings of a sheet.
struct PageSetup {
  bool printGridlines = false;
  bool centreHorizontally = false;
  bool centreVertically = false;
  bool landscape = false;
  double marginLeft = 0.7, marginRight = 0.7, marginTop = 0.75, marginBottom = 0.75;  // inches
  double marginHeader = 0.3, marginFooter = 0.3;
  int fitWidth = 0, fitHeight = 0;            // fit to pages wide/tall; 0/0 = no fitting (0 tall = automatic)
  int scale = 100;                            // print scale percent when not fitting
  int paperSize = 9;                          // 9 = A4
  int repeatRowFirst = 0, repeatRowLast = 0;  // rows printed on every page; 0 = none
  int repeatColumnFirst = 0, repeatColumnLast = 0;  // columns printed on every page; 0 = none
  QString header, footer;                           // header/footer codes ("&P" page number ...)
  std::vector<int> rowBreaks;                       // rows that end a printed page (ignored while fitting)
  std::vector<int> columnBreaks;  // columns that end a printed page across (ignored while fitting)
};

// What a paste takes from the copied range.
enum class Paste : std::uint8_t { All, Formats, Values };

// Default column width and row height of a new sheet (character units, points).
inline constexpr double kDefaultColumnWidth = 8.43;
inline constexpr double kDefaultRowHeight = 15.0;
// Most cells one formatting call may touch (a guard against ranges of whole sheets).
inline constexpr qint64 kMaxFormattedCells = 4000000;

class Sheet {
 public:
  explicit Sheet(QString name = QStringLiteral("Sheet1")) : name_(std::move(name)) {}
  const QString& name() const { return name_; }
  void setName(const QString& name) { name_ = name; }

  // ---- Values ----
  // Display text of a cell: "" when empty; numbers as typed ("5", "2.5"), dates "2009-9-1",
  // booleans "TRUE"/"FALSE", formulas their cached result.
  QString text(int row, int col) const;
  QString text(const QString& a1) const;
  // Number of a cell: a number (or a formula's number), the leading number of a text (Val), 0 when empty.
  double number(int row, int col) const;
  // Date of a cell: a date serial number, or a text "2009-9-1"/"2009/9/1"/"2009年9月1日"; nullopt otherwise.
  std::optional<QDate> date(int row, int col) const;
  // True when the cell holds no value (it may still have a format).
  bool isEmpty(int row, int col) const;
  // The stored cell, or nullptr when the cell was never written or formatted.
  const Cell* find(int row, int col) const;
  // The stored cell, created (with the row's or column's format) when missing.
  Cell& cell(int row, int col);

  // Writes a value as typed: "=..." is a formula; in a cell formatted "@" any other text stays text;
  // otherwise a plain number becomes a number, "2009-9-1" a date, anything else text; "" clears.
  void setValue(int row, int col, const QString& value);
  void setValue(const QString& a1, const QString& value);
  // Writes a text that stays text whatever it looks like.
  void setText(int row, int col, const QString& text);
  void setNumber(int row, int col, double value);
  void setBool(int row, int col, bool value);
  // Writes a formula ("=..." or without "=") with a cached number result.
  void setFormula(int row, int col, const QString& formula, double cached = 0);
  // Removes the value, keeping the format.
  void clearValue(int row, int col);
  // Recomputes the cached result of every formula (sums, + - * /, cell references of this sheet).
  void recalculate();
  // Computes the result of every formula stored without one (files written by scripts often store
  // none); a formula the evaluator cannot compute keeps none. Results stored in the file stay.
  void computeMissingResults();
  // The first formula cell (by row, then column) that has no result, if any.
  std::optional<CellPos> formulaWithoutResult() const;

  // ---- Formats ----
  // A handle on the cells of "A1:G1", "B7", "A:B" or "3:4" (throws IndexError when malformed).
  SheetRange range(const QString& address);
  SheetRange range(const CellRange& area);
  SheetRange range(int r1, int c1, int r2, int c2);
  // A handle on one cell.
  SheetRange range(int row, int col);
  // The effective format of a cell: its own, else its row's, else its column's, else the default.
  CellFormat format(int row, int col) const;
  // Changes the format of every cell of the range (whole rows/columns also change their default).
  void formatRange(const CellRange& area, const std::function<void(CellFormat&)>& change);
  // Draws a border: Left..Bottom on every cell of the range, Outline* on its outer edge,
  // Inside* between its cells.
  void setBorder(const CellRange& area, Edge edge, Line line);

  // ---- Merges ----
  // Merges the range into one cell; merges overlapping it are dissolved first. A 1x1 range is ignored.
  void merge(const CellRange& area);
  // Dissolves every merge that overlaps the range.
  void unmerge(const CellRange& area);
  const std::vector<CellRange>& merges() const { return merges_; }
  // The merge containing a cell, if any.
  std::optional<CellRange> mergeAt(int row, int col) const;

  // ---- Sizes ----
  void setRowHeight(int row, double points);
  void setColumnWidth(int col, double width);
  // Row height in points (kDefaultRowHeight when never set).
  double rowHeight(int row) const;
  // Column width in character units (kDefaultColumnWidth when never set).
  double columnWidth(int col) const;
  // Widths from the longest text of each column (CJK characters count double); merged cells skipped.
  void autoFitColumns(int c1, int c2);
  // Heights from the number of text lines of each row (wrapped text in its column width).
  void autoFitRows(int r1, int r2);
  const std::map<int, LineInfo>& rowInfo() const { return rows_; }
  const std::map<int, LineInfo>& columnInfo() const { return cols_; }
  // Sets the default format of whole rows/columns without touching their cells (used by readers).
  LineInfo& rowLine(int row);
  LineInfo& columnLine(int col);

  // ---- Copy and paste ----
  // Copies src of sheet `from` (nullptr = this sheet) onto dest: its top-left cell, or, when dest is a
  // whole multiple of src, every tile of it. Formats include the merges inside src; transpose swaps
  // rows and columns. Overlapping src and dest are safe.
  void paste(const CellRange& src, const CellRange& dest, Paste what = Paste::All, bool transpose = false,
             const Sheet* from = nullptr);

  // ---- View and print ----
  // Freezes the rows above and the columns left of a cell ({1,1} or no call = nothing frozen).
  void freezePanes(int row, int col) { freeze_ = CellPos{row, col}; }
  CellPos frozenAt() const { return freeze_; }
  // Selects a range; its top-left cell becomes the active cell.
  void select(const CellRange& area) { selection_ = area; }
  const CellRange& selection() const { return selection_; }
  PageSetup& pageSetup() { return page_; }
  const PageSetup& pageSetup() const { return page_; }

  // ---- Iteration ----
  // Cells by key (row << 16 | column), ordered by row then column.
  const std::map<std::uint64_t, Cell>& cells() const { return cells_; }
  static std::uint64_t key(int row, int col) { return (std::uint64_t(row) << 16) | std::uint64_t(col); }
  static int keyRow(std::uint64_t k) { return int(k >> 16); }
  static int keyCol(std::uint64_t k) { return int(k & 0xFFFF); }
  // Last row / column holding a value (0 when the sheet has no values).
  int lastRow() const;
  int lastColumn() const;

 private:
  CellFormat inheritedFormat(int row, int col) const;
  QString name_;
  std::map<std::uint64_t, Cell> cells_;
  std::vector<CellRange> merges_;
  std::map<int, LineInfo> rows_, cols_;
  CellPos freeze_{1, 1};
  CellRange selection_{1, 1, 1, 1};
  PageSetup page_;
};

// A list of sheets plus the default font.
class Workbook {
 public:
  // A workbook with no sheets; see Xjgzb for a new workbook with one sheet.
  Workbook() = default;
  // Appends a sheet and returns it (references stay valid while the workbook lives).
  Sheet& addSheet(const QString& name);
  int sheetCount() const { return static_cast<int>(sheets_.size()); }
  // Sheet by position from 0 (throws IndexError outside 0..sheetCount()-1).
  Sheet& sheet(int index);
  const Sheet& sheet(int index) const;
  // The first sheet (throws IndexError when there is none).
  Sheet& first() { return sheet(0); }
  const Sheet& first() const { return sheet(0); }
  // Sheet by name, nullptr when none.
  Sheet* sheetNamed(const QString& name);
  // Recomputes the formulas of every sheet.
  void recalculate();

  QString defaultFontName = QStringLiteral("宋体");  // font of cells whose format names none
  double defaultFontSize = 11;

 private:
  std::deque<Sheet> sheets_;
};

// Excel day serial number (1900 system) of a date, and back (nullopt when out of 1900..9999).
double dateSerial(const QDate& date);
std::optional<QDate> serialDate(double serial);

}  // namespace tavro
