#pragma once
// Slot queries: small read-only questions over the long-term layer of the
// timetable cubes that the scheduler, the automatic swap, the swap test and the
// grid clicks ask about a class, a teacher, a weekday or a slot. They live in
// core because both the engine and the swap logic below it use them. None of
// them changes anything or allocates per cell.

#include <QString>
#include <vector>

#include "core/runstate.h"
#include "core/school.h"

namespace tavro {

// ---- Cell reading without allocation (Val of the fixed-width fields) ----
// Value of characters [pos, pos + len) read like Val (blanks skipped, stops at the first non-digit).
int cellDigits(const QString& cell, int pos, int len);
// True when a teacher cell holds a lesson (its value is above 9); same answer as isTeacherLesson.
bool teacherHasLesson(const QString& cell);
// True when the class cell holds course kch in characters 1-3 (an empty cell holds nothing).
bool cellHoldsCourse(const QString& cell, int kch);

// ---- Simultaneity caps (setting column 6) ----
// Number of entries of setting column 6 (the value of Szlmc(6, 0)); 0 when the column is missing.
int capEntryCount(const School& s);
// True when course kch is capped: character 6 of Kcszbz(kch) is above "0".
bool isCapped(const School& s, int kch);
// Calls f(i) for every entry i of setting column 6 whose right-trimmed name equals the right-trimmed
// Kcmc(kch).
template <typename F>
void forEachCapEntry(const School& s, int kch, F&& f) {
  const int n = capEntryCount(s);
  if (n <= 0 || !s.Kcmc.has(kch)) return;
  const QString name = s.Kcmc(kch).trimmed();
  for (int i = 1; i <= n && s.Szlmc.has(6, i); ++i)
    if (s.Szlmc(6, i).trimmed() == name) f(i);
}
// Sizes the simultaneity counters Ctszc (entries 1..n, weekday 0..13, period 0..20), all zero.
void resetCtszc(const School& s, RunState& st);

// ---- Hard rules ----
// Every path that places or moves a lesson (placement, forced placement, the automatic swap, the swap
// test and its grading, the automatic resolution, the improvement pass) asks these, so a rule cannot
// hold on one path and not on another.
// periodAllowed: a lesson never goes into a period its course bans. True unless character `period` of
// Mtjp(kch) is "0"; a period beyond the string, below 1, or a course without a string bans nothing.
bool periodAllowed(const School& s, int kch, int period);
// True when the first Mtjs - 1 characters of Mtjp(kch) are all "0" and character Mtjs is "1".
bool onlyLastPeriodAllowed(const School& s, int kch);
// teacherFree: a teacher takes a lesson only where their long-term cell is empty (no lesson, no blocked
// period). False for a teacher row outside the cube.
bool teacherFree(const School& s, int t, int xq, int jc);
// fullCapEntry: a capped course stays under its school-wide cap. The first entry i of setting column 6
// naming course kch whose count Ctszc(i, xq, jc) has reached Szlz(6, i); 0 when none is full.
int fullCapEntry(const School& s, const RunState& st, int xq, int jc, int kch);

// ---- Queries ----
// HNj: grade code of the first selected item of LstBj (its first two characters); 0 when none is selected.
int HNj(const RunState& st);
// HBj: class number of that item (characters 3-4); 0 when none is selected.
int HBj(const RunState& st);
// HDtbbkkjs: number of periods 1..Mtjs of class (nj, bj) on weekday xq whose long-term cell is empty.
int HDtbbkkjs(const School& s, int nj, int bj, int xq);
// HDtrbykjs: number of periods 1..Mtjs of weekday xq at which teacher jsh's long-term cell holds a lesson.
int HDtrbykjs(const School& s, int xq, int jsh);
// HXqxyykjs: the 2-digit numbers of the periods of weekday xq whose long-term class cell holds course kch,
// in period order ("" when none); "0207" for periods 2 and 7.
QString HXqxyykjs(const School& s, int nj, int bj, int xq, int kch);
// Number of periods of weekday xq whose class cell holds course kch: the length of HXqxyykjs divided by 2.
int courseCountOnDay(const School& s, int nj, int bj, int xq, int kch);
// HKpxqjh: ascending weekdays 1..Mzts having a period at which the class (nj, bj) and teacher jsh are
// both free in layer 1 (the scheduler passes DqNj, DqBj and Pkjsh). Teacher 0 uses row 0.
std::vector<int> HKpxqjh(const School& s, int nj, int bj, int jsh);
// Bbsrb: reads the class cell of layer dqcqls: kch = characters 1-3, jsh = characters 4-6, kcxz = last
// character ("" for an empty cell).
void Bbsrb(const School& s, int dqcqls, int nj, int bj, int xq, int jc, int& kch, int& jsh, QString& kcxz);
// HLxkcNz: the value of character lx of Kcszbz(kch): "0".."9" give 0..9, "a".."k" 10..20; 0 otherwise.
int HLxkcNz(const School& s, int kch, int lx);
// Hlqlknfp: true when course kch is capped and the school-wide count Ctszc of a matching entry has
// reached its cap Szlz(6, i) at (xq, jc) (fullCapEntry is not 0).
bool Hlqlknfp(const School& s, const RunState& st, int xq, int jc, int kch);
// Free periods of class (nj, bj) on weekday xq: cells that are empty or hold course "000" with a kind
// below 5 (an empty-lesson filler that may move).
int freeClassPeriods(const School& s, int nj, int bj, int xq);
// Jskkzd: kkd = the weekday a..b of class (nj, bj) with the most free periods (empty cells, or course
// "000" with a kind below 5); ties keep the earlier weekday; kkd unchanged when every count is 0.
void Jskkzd(const School& s, int a, int b, int nj, int bj, int& kkd);
// Jsykzd: ked = the weekday a..b with the most cells that are not empty and not course "000";
// ties keep the earlier weekday; ked unchanged when every count is 0.
void Jsykzd(const School& s, int a, int b, int nj, int bj, int& ked);

}  // namespace tavro
