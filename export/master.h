#pragma once
// The three master tables: "学校总表" (one line per class), "教师总表" (one
// line per teacher) and "学科总表" (the lessons of the chosen courses, slot by
// slot). In the across form (Hsdm = 0) the weekday and period slots run across
// the columns in day groups of the per-band count; in the down form
// (Hsdm = 1) they run down the rows. Every cell holding more than one text
// puts each text on its own line of the cell.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "export/context.h"
#include "sheets/range.h"

namespace tavro {

// Line styles of the rules: 1 thin, 2 medium, 3 thick, 9 outline (drawn as a double line).
inline constexpr int kRuleThin = 1, kRuleMedium = 2, kRuleThick = 3, kRuleOutline = 9;

// The geometry of a master table in the across form.
struct MasterLayout {
  int layer = 1;    // timetable layer of the export
  int w = 1;        // cell width in characters (HKbgkd)
  int m = 1;        // days per group
  int G = 1;        // number of groups
  QList<int> days;  // the chosen weekdays, padded with the following day numbers to G * m
  int c1 = 2;       // first lesson column
  int lines = 0;    // class or teacher lines per group
  int periods = 0;  // chosen periods per day (Dcjcs)
  // First heading row of group g (1..G).
  int groupTop(int g) const { return 3 + (g - 1) * (lines + 3); }
  // The last column of the table.
  int lastColumn() const { return c1 - 1 + m * periods; }
  // Weekday of group g, day i (1..m).
  int day(int g, int i) const { return days.value((g - 1) * m + i - 1); }
};

// Day groups and columns: m = the per-band count (all chosen days when no count is chosen; for the
// school master table at most Dcxqs), G = ceil(Dcxqs / m), days padded to G * m.
MasterLayout masterLayout(const ExportCtx& c, int lines, int c1, bool schoolMaster);

// The master table of the chosen kind (2 学科总表, 3 教师总表, 4 学校总表) below A1, with the title in
// A1 and the effective date in A2; the form follows Hsdm. teachers: the teacher set (3-digit numbers)
// of the teacher master table.
void writeMasterTable(ExportCtx& c, Sheet& sh, const QString& teachers);

// Xsxxzb: the school master table (Dcxtxxzb across, the down form with Hsdm = 1).
void Xsxxzb(ExportCtx& c, Sheet& sh);
// The teacher master table (lines of Xsjsjshirbzb across, one column per teacher down).
void teacherMasterTable(ExportCtx& c, Sheet& sh, const QString& teachers);
// The subject master table (research lines, then the slots of the chosen courses).
void subjectMasterTable(ExportCtx& c, Sheet& sh);

// Jsxxzbhp27h: the three heading rows of group g at row r ("星期", "午别", "节次" in column 1; the
// weekday headings, half-day labels and period numbers over the lesson columns).
void Jsxxzbhp27h(const ExportCtx& c, Sheet& sh, const MasterLayout& lay, int g, int r);
// Hpwbjc: the half-day label (row labelRow, only into an empty cell) and the number (row numberRow)
// of the q-th chosen period (0-based) in column col.
void Hpwbjc(const ExportCtx& c, Sheet& sh, int labelRow, int numberRow, int col, int q, int w);
// Rules, wrapping, alignment and merges of group g (across form); gradeEnds are the rows whose
// bottom gets a medium rule (last class of each grade).
void groupFormat(const ExportCtx& c, Sheet& sh, const MasterLayout& lay, int g, const QList<int>& gradeEnds);
// The rules over the whole table: right side of the last name column thick, of each day's last
// period column medium, rows 3 .. the last row.
void tableRules(const ExportCtx& c, Sheet& sh, const MasterLayout& lay, int lastRow);
// The first two rows: fonts, A1 and A2 merged across columns 1..lastCol.
void masterTitleRows(const ExportCtx& c, Sheet& sh, int lastCol);

// Down form: the slot rows from row 4 (column A the weekday, B the half-day label, C the period
// number); cell(row, d, p) fills the item columns. Returns the last row.
int downSlotRows(const ExportCtx& c, Sheet& sh, const std::function<void(int, int, int)>& cell);
// Down form: headings "星期", "午别", "节次" in row 3, rules, widths and merges; itemEnds are the
// item columns whose right side gets a medium rule.
void downFormat(const ExportCtx& c, Sheet& sh, int lastCol, int lastRow, int w, const QList<int>& itemEnds);

// Heights of rows r1..r2 from the lines their cells need in their column widths at the body size
// (a text of full-width characters wraps after as many characters as the column holds; ASCII
// characters count half); merged cells are left out.
void fitRowHeights(const ExportCtx& c, Sheet& sh, int r1, int r2, int lastCol);
// The printed pages of the across form: each day group whole on a page when it fits at a readable
// scale, else broken between its lines (never right after its heading rows); the heading rows
// repeat on every page when there is one group. Row heights and widths must be final.
void acrossPages(const ExportCtx& c, Sheet& sh, const MasterLayout& lay);
// The printed pages of the down form: the slot rows of each weekday kept together, row 3 (the
// item headings) repeated on every page.
void downPages(const ExportCtx& c, Sheet& sh, int lastCol, int lastRow);
// Lines of one cell: the parts without trailing blanks, empty trailing parts left out, one per line.
QString cellLines(const QStringList& parts);
// Progress bar to value.
void setProgress(ExportCtx& c, int value);
// The body font size for widths and heights (10 when none is set).
double bodyPoints(const ExportForm& f);
// Weekday heading of day d ("" for a padded day beyond the weekday table).
QString dayHeading(const ExportCtx& c, int d, int w);

}  // namespace tavro
