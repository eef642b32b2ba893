#pragma once
// The two weekly tables: "班级周表" (one timetable per chosen class) and
// "教师周表" (one per chosen teacher). Timetables stand side by side in
// bands of the chosen count; bands follow each other downwards. Band 1 is
// formatted (Zbdcjgs) and its format copied to every further band (Fzzbge).

#include <QString>
#include <QStringList>

#include "export/context.h"
#include "sheets/range.h"

namespace tavro {

// The geometry of one weekly export.
struct WeeklyLayout {
  bool classes = true;  // class timetables (else teacher timetables)
  QString items;        // 4-digit class codes or 3-digit teacher numbers, in set order
  int n = 0;            // number of timetables
  int layer = kLongTerm;
  int w = 1;                // cell width in characters (HKbgkd)
  int cols = 0;             // lesson columns per timetable
  int W = 0;                // band width in characters
  int m = 1;                // timetables per band
  int bands = 0;            // number of bands
  int block = 0;            // sheet columns per timetable
  bool list = false;        // class tables with the teacher list beside the timetable
  int e = 1, g = 0, L = 0;  // teacher list: entries per line, gap between entries, lines
  int height = 0;           // rows per band, the two gap rows included
  // First column of block j (1..m).
  int blockStart(int j) const { return (j - 1) * block + 1; }
  // The last sheet column the bands use.
  int lastColumn() const { return m * block - 1; }
};

// The texts of one class lesson cell.
struct ClassCell {
  QString course;   // course text padded to Kcmkd
  QString teacher;  // teacher text
  QString value;    // what the cell shows
};

// The geometry for the items (class codes when classes, else teacher numbers) and the current options.
WeeklyLayout weeklyLayout(const ExportCtx& c, const QString& items, bool classes);

// Writes every band of the weekly tables into sh from row 1, with the progress bar, then formats
// band 1 and copies its format to the other bands.
void writeWeeklyTables(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay);

// Xsbjzb / Xsjsjshizb: writes band `band` (1..bands) from row r; r ends after its last written row.
void Xsbjzb(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int band, int& r);
void Xsjsjshizb(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int band, int& r);
// Xsbsfnr: the header line (row r) of every filled timetable of the band.
void Xsbsfnr(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int band, int r);

// Bjbkcjsjshi: the texts of class (nj, bj)'s lesson at weekday xq, period jc of the layer; a teacher
// text is added to entries (3-digit course + teacher text) once.
ClassCell Bjbkcjsjshi(const ExportCtx& c, const WeeklyLayout& lay, int nj, int bj, int xq, int jc,
                      QStringList* entries);
// Jsjshibkcbjjshijs: the text of teacher t's cell at weekday xq, period jc of the layer; duty codes
// 6 "会议", 7 "教研", 8 "备课", 2..4 "不排" when masterTable, other codes two "　".
QString Jsjshibkcbjjshijs(const ExportCtx& c, int layer, int w, int xq, int jc, int t,
                          bool masterTable = false);
// The two parts of that cell, each padded to w: the course (or duty) text and the class text; empty
// when the cell is empty.
QStringList teacherCellParts(const ExportCtx& c, int layer, int w, int xq, int jc, int t,
                             bool masterTable = false);

// Xsq5lE: the half-day label of period p in the period-row layout ("上", "午", "下", "　").
QString Xsq5lE(const ExportForm& f, int p);
// The teacher-list lines of one timetable from its entries (course + teacher text).
QStringList teacherListLines(const ExportCtx& c, const WeeklyLayout& lay, QStringList entries);

// Zbdcjgs: formats band 1 (rows from r0): heights, fonts, widths, alignment, merges, fill, borders.
void Zbdcjgs(const ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int r0);
// Fzzbge: copies band 1's formats (and row heights) to bands 2..bands.
void Fzzbge(Sheet& sh, const WeeklyLayout& lay);
// The printed pages: every band (a row of timetables with their headers and teacher lists) whole
// on one page, as many bands a page as fit.
void weeklyPages(Sheet& sh, const WeeklyLayout& lay);

}  // namespace tavro
