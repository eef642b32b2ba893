#pragma once
// Writing class timetable cells into the grid model: cell texts by the cell
// style digit, text colours by lesson kind, colour-only repaints.

#include <QString>

#include "core/ctx.h"
#include "core/gridmodel.h"

namespace tavro {

// Text of a class cell for style digit n (1, 2, 4 or 6): "" -> n "　"; course "000" -> "╳" and
// n - 1 "　"; otherwise Kcjc when n = 1 (or n <= 2 with Kcjccd = 2 and Kcmcd > 2), else Kcmc.
QString classCellText(const School& s, const QString& cell, int n);
// HBbqjs: text colour of a class cell from the kind of its long-term cell: above "4" dark green,
// "1" dark red, otherwise 0 (black).
int HBbqjs(const School& s, int nj, int bj, int xq, int jc);
// Xsbbk: writes one class cell into the grid: background back, text colour HBbqjs, text.
void Xsbbk(const School& s, GridModel& g, int nj, int bj, int xq, int jc, int back, const QString& text);
// Gsxs: recolours one cell keeping its text; a header cell (xq 0) keeps its background and gets
// text colour 0. Makes (xq, jc) the current cell.
void Gsxs(GridModel& g, int xq, int jc, int back, int fore);
// Style digit of the grid's cell style text (its last character; empty = 1).
int gridStyleDigit(const QString& style);

}  // namespace tavro
