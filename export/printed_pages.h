#pragma once
// The printed pages of an exported table: A4 with narrow margins, the
// orientation that needs fewer pages, a print scale that makes the table one
// page wide and keeps its tallest band on one page, and page breaks between
// whole bands. The scale is written as a number rather than as "fit to pages",
// because spreadsheet programs ignore page breaks on sheets fitted to pages.

#include <utility>
#include <vector>

#include "sheets/sheet.h"

namespace tavro {

// Rows that print on one page: a timetable with its header and teacher list, a day group of a
// master table, a teacher's rows of the assignment table. A band too tall for a page even on its
// own (a master table of very many lines) breaks only after one of its breakable rows.
struct PrintBand {
  int first = 1, last = 1;     // rows of the band
  std::vector<int> breakable;  // rows after which a band taller than a page may break, ascending
};

// What the printed pages are planned from. Rows outside every band may end or start a page
// anywhere.
struct PrintPlan {
  int lastColumn = 1;            // columns 1..lastColumn are printed, one page wide
  int lastRow = 1;               // rows 1..lastRow are printed
  std::vector<PrintBand> bands;  // in row order, not overlapping
  double minScale = 10;          // the smallest scale (percent) taken to keep a band whole
  int repeatFirst = 0;           // rows repeatFirst..repeatLast print at the top of every
  int repeatLast = 0;            // page (0 = none)
  // A table too wide for one page even at the smallest scale prints over several pages across,
  // each ending after one of these columns (ascending): the end of a timetable, of a day, of an
  // item. Columns repeatColumns.first..second (0 = none) print at the left of every page.
  std::vector<int> columnCuts;
  std::pair<int, int> repeatColumns{0, 0};
};

// The page settings of the exported tables.
inline constexpr double kPageMarginSide = 0.4, kPageMarginTopBottom = 0.5;  // inches
inline constexpr int kPaperA4 = 9;

// The smallest scale at which text of body size `points` prints at least 5 points high (at least
// 10): bands of the master and teacher tables are not shrunk below it.
double readableScale(double points);

// Writes the page setup of sh: A4, margins, orientation, scale, repeated rows and columns, the page
// breaks between bands and, for a table too wide at the smallest scale, between column blocks. Row
// heights and column widths must be final. Leaves the cells unchanged.
void setPrintedPages(Sheet& sh, const PrintPlan& plan);

// A band of rows first..last that may break after any of its rows from breakFrom to last - 1.
PrintBand breakableBand(int first, int last, int breakFrom);

}  // namespace tavro
