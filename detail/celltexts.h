#pragma once
// The texts of the detailed timetable window: every cell holds two text blocks
// of Gkd characters each, padded with "　" (course and teacher(s) for a class,
// course or blocked period and class for a teacher), and the teacher view's
// caption condenses what the teacher teaches.

#include <QString>

#include "core/school.h"

namespace tavro {

// The two blocks of one cell, each already padded to Gkd (a longer block stays whole).
struct CellBlocks {
  QString first;   // course block (or blocked-period mark)
  QString second;  // teacher block (class view) or class block (teacher view)
  // The cell's text: both blocks written back to back.
  QString text() const { return first + second; }
};

// HGkd: characters per text block, the larger of Jsmcd and Kcmcd.
int HGkd(const School& s);

// Cell texts of one layer. The school is read, never changed.
class CellTexts {
 public:
  // Texts of layer (1 long-term, 2 temporary); zt is the mode word ("查班" adds "人" to counts).
  CellTexts(const School& s, int layer, const QString& zt);

  int gkd() const { return gkd_; }
  // HBbyjknr: blocks of class cell (xq, jc) of class (nj, bj); an empty or "空课" cell is
  // five "　" in the first block.
  CellBlocks HBbyjknr(int xq, int jc, int nj, int bj) const;
  // HRkjsm: teacher block of class cell (xq, jc) of class (nj, bj), unpadded.
  QString HRkjsm(int nj, int bj, int xq, int jc) const;
  // HJsmjh: names of the teachers of a combined lesson from 3-digit teacher codes, fitted to Gkd.
  QString HJsmjh(const QString& codes) const;
  // HSbyjknr: blocks of the cell (xq, jc) of teacher ssh; both empty when ssh is not above 0.
  CellBlocks HSbyjknr(int xq, int jc, int ssh) const;

 private:
  QString courseBlock(int k) const;
  QString teacherCourseText(int k) const;
  QString blockedMark(int value) const;
  QString combinedClassBlock(int n, int ssh) const;
  QString ordinaryCourseBlock(const QString& course) const;
  QString countText(int n) const;
  QString pad(const QString& block) const;

  const School& s_;
  int layer_;
  QString zt_;
  int gkd_;
};

// The class name without a leading "　" (or a leading "小" in a primary school, Xxlx 7);
// "" for a class outside the tables.
QString shortClassName(const School& s, int nj, int bj);

// Clrkqk: condenses a teacher's subject list (from Jsrkmc, items of a short course name and a
// grade label): items sorted, full course names when fullNames (short names otherwise), each
// course named only at its first item, blanks (and "小" in a primary school) removed.
// 语文初一语文初二 becomes 语文初一初二. Items are 3 characters wide when every short name has
// one character (Kcjccd 1), else 4.
void Clrkqk(const School& s, QString& list, bool fullNames);

}  // namespace tavro
