#pragma once
// The swap test Jcnfdk (can the lesson to move and a candidate of the same
// class be exchanged) and the grading of every candidate cell into green,
// yellow, orange and red with the reason shown to the user.

#include <QString>

#include "core/ctx.h"

namespace tavro {

// Grade digits of Bpyy entries.
inline constexpr int kGradeRed = 0;     // not swappable (不可调)
inline constexpr int kGradeYellow = 1;  // swappable (可调)
inline constexpr int kGradeGreen = 2;   // preferred (优先可调)
inline constexpr int kGradeOrange = 3;  // swappable but better not (可调但尽量不调)

// Bpyyql: empties every Bpyy entry (weekday 1..13, period 1..20).
void Bpyyql(RunState& st);
// HBpyy: reason of a teacher block code: "2" 要求不排, "6" 有会议, "7" 有教研活动, else "".
QString HBpyy(const QString& entry);
// Slot text "星期" + Xqm(xq) + "第" + Szc(jc) + "节", e.g. 星期二第3节.
QString slotText(int xq, int jc);
// Grade of a Bpyy entry: its first character as a digit, 1 when the entry is empty.
int bpyyGrade(const QString& entry);

// HDqlp: 1 when the long-term lesson at (xq, jc) of the class equals its neighbour before
// (jc > 1, jc != Swjs + 1) or after (jc < Mtjs, jc != Swjs); else 0. Never across the noon break.
int HDqlp(const School& s, int nj, int bj, int xq, int jc);
// HDhlp: the same test on the trial timetable Dqkb.
int HDhlp(const School& s, const RunState& st, int xq, int jc);
// HXylp: 1 when course kch of the class needs a double lesson on weekday xq (teacher jsh), else 0.
int HXylp(const School& s, int nj, int bj, int xq, int kch, int jsh);

// Jcnfdk: feasibility of exchanging the lesson at (Xq1, Jc1) (course k1, teacher Jsh1) with the
// candidate at (Xq2, Jc2) (course k2, teacher Jsh2) of class (nj, bj); the caller sets those six
// fields of the run state first. Returns true (Ndk = 1) when allowed. On false it writes
// Bpyy(Xq2, Jc2) = "0" + reason; it overwrites Hbkh when combined lessons exist; nothing else.
// Teachers count as busy above 0 in the long-term layer, above 9 in the temporary one (Dqcqls).
// Last, neither lesson may move into a period its course bans ("0美术每天禁排第1节").
bool Jcnfdk(Ctx& c, int k1, int k2, int nj, int bj);

// Grades every other cell of class (nj, bj) against the lesson to move at (Xq1, Jc1) (course k1,
// teacher Jsh1, already set): writes Bpyy ("2" green, "1" yellow, "3"+reason orange, "0"+reason
// red) and paints each candidate of grid MSFG with the candidate background and the grade's text
// colour. Leaves Xq2, Jc2, Jsh2 at the last cell tested. Returns true when some candidate passed
// Jcnfdk.
bool gradeCandidates(Ctx& c, int nj, int bj, int k1);

// The grade gradeCandidates gives the candidate at (Xq2, Jc2) (course k2, teacher Jsh2) against the
// lesson to move at (Xq1, Jc1) (course k1, teacher Jsh1), with the six fields set as for Jcnfdk:
// kGradeGreen, kGradeYellow, kGradeOrange or kGradeRed. Neither paints nor writes Bpyy; uses Dqkb as
// scratch and overwrites Hbkh.
int gradeCandidate(Ctx& c, int nj, int bj, int k1, int k2);

}  // namespace tavro
