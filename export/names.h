#pragma once
// Sheet layout helpers: the displayed forms of course, class, teacher and
// weekday names, the cell width of a timetable and column widths from
// character counts, and the title and body fonts of master tables.

#include <QString>

#include "export/context.h"
#include "sheets/range.h"

namespace tavro {

// HKcmc: course name: the short name (right-trimmed, a 1-character name followed by "　" when the
// longest short name has two) with Kcmxs 1, else the full name; "" outside the course table.
QString HKcmc(const ExportCtx& c, int k);
// HBjjc: short class name: the name without "　" and without a trailing "班".
QString HBjjc(const School& s, int nj, int bj);
// HBjmc: class name: HBjjc with Bjmxs 1, else Bjmc as stored; "" for a class outside the tables.
QString HBjmc(const ExportCtx& c, int nj, int bj);
// HJsm: teacher name for 0 < t <= Jss: Jsmc with "姓名" chosen, else the short name Jsjc (the first
// two characters of the name without "　" when no short name is known); "" otherwise.
QString HJsm(const ExportCtx& c, int t);
// HRkjsm: teacher text of the class lesson at (layer, xq, jc) of class (nj, bj): its teacher's name,
// or for a combined lesson the names of its teachers ("班主任" = the class's head teacher).
QString HRkjsm(const ExportCtx& c, int layer, int nj, int bj, int xq, int jc);
// HRkbjm: class text of teacher t's lesson at (layer, xq, jc) for cell width w: the class name, or for a
// combined lesson "全校合班课　", "多级合班课　", its class names, or "多班　　　　" when they exceed w;
// the three words are cut to fit w ("全校合班" for 4, "全校" for 2 and 3), so that a lesson cell of
// course and class takes two lines.
QString HRkbjm(const ExportCtx& c, int layer, int xq, int jc, int t, int w);
// HXqmc: weekday label of day d for cell width w (see the fortnightly rules); schoolMaster marks
// the school master table.
QString HXqmc(const ExportCtx& c, int d, int w, bool schoolMaster = false);
// HXm: the school name without trailing "　".
QString schoolName(const School& s);

// HKbgkd: the cell width w in characters of the current table kind.
int HKbgkd(const ExportCtx& c);
// HXzlk: column width for x characters at body size zwzh.
double HXzlk(double zwzh, int x);
// Hxqrqjclk: width of the row-label column of weekly tables.
double Hxqrqjclk(const ExportCtx& c);

// Every cell of columns 1..lastCol, written or not, takes the text number format "@", so that
// codes such as "01" keep their leading zeros, also when typed in later.
void textCells(Sheet& sh, int lastCol);
// A1ztzhyhzd: cell A1 in the title font.
void A1ztzhyhzd(const ExportCtx& c, Sheet& sh);
// A2Xztzhyhzd: A2 to (last row, lastCol) in the body font.
void A2Xztzhyhzd(const ExportCtx& c, Sheet& sh, int lastCol);
// Erbzbbt: rows 1 and 2 of a master table: no wrap, centred, white; A1 in the title font,
// row 1 height 30.75; rows 2 to the last row in the body font.
void Erbzbbt(const ExportCtx& c, Sheet& sh, int lastCol);

// Text padded on the right with "　" to n characters (never cut).
QString padFull(const QString& text, int n);
// Text without trailing blanks (" " and "　").
QString trimRight(QString text);
// n full-width spaces.
QString fullBlanks(int n);

}  // namespace tavro
