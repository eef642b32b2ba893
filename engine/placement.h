#pragma once
// Placement: the procedures that write lessons into the timetable cubes. A
// combined lesson (Cltyk) is fixed at its time before any class is scheduled;
// an ordinary lesson (Clbbrb = Clbbyjk + Sjjrbjshib) is written into the class
// cell and the teacher cell; Bjsjjjskb rebuilds the teacher cells of a class.

#include <QString>

#include "core/ctx.h"

namespace tavro {

// Cltyk: writes combined lesson n (course kch, kind = Hbk(1, n)) into class (nj, bj) at (xq, jc), both
// layers, and into the teacher cells of the 3-digit numbers in teachers ("" = none). Sets Hbk(6, n) to
// "000" when empty. When the long-term cell already holds a different text, shows the clash warning,
// writes nothing and returns false. Ctszc is not changed.
bool Cltyk(Ctx& c, int n, int nj, int bj, int xq, int jc, int kch, const QString& teachers);

// Clbbyjk: writes the ordinary lesson (kch, jsh) into class cell (cqls, xq, jc, nj, bj); ypts grows by 1
// when no period of weekday xq held kch with kind "0" before; in layer 1 the cell is copied into layer 2,
// Sched.TYdjs(xq) grows (not for 班会/校会/校班会 courses), Sched.Ypkjs grows, Sched.Sykjs shrinks.
// Sets Kcxz to "0". Never touches Jskb.
void Clbbyjk(School& s, RunState& st, int nj, int bj, int xq, int jc, int kch, int jsh, int& ypts, int cqls);

// Sjjrbjshib: writes teacher jsh's cell (cqls, xq, jc) for course kch of class (nj, bj) when jsh > 0
// (copied into layer 2 in layer 1); in layer 1 a capped course raises Ctszc of each matching entry.
void Sjjrbjshib(School& s, RunState& st, int jsh, int xq, int jc, int kch, int nj, int bj, int cqls);

// Clbbrb: Clbbyjk then Sjjrbjshib with the same lesson.
void Clbbrb(School& s, RunState& st, int nj, int bj, int xq, int jc, int kch, int jsh, int& ypts, int cqls);

// Bjsjjjskb: for every non-empty, non-combined cell of class (nj, bj) in layer Dqcqls writes the teacher
// cell (both layers, teachers 1..Jss only) and raises Ctszc for capped courses. Ctszc must be sized.
void Bjsjjjskb(School& s, RunState& st, int nj, int bj);

// True when the course name begins with "自习" or "自修" (self-study).
bool isSelfStudy(const School& s, int kch);
// True when the course name begins with "班会", "校会" or "校班会" (class or school meeting).
bool isMeetingCourse(const School& s, int kch);

// The class cell text of an ordinary lesson: Lbq(3, kch) & Lbq(3, jsh) & "000" & "0".
QString ordinaryCell(int kch, int jsh);
// The teacher cell text of an ordinary lesson: Lbq(3, kch) & Lbq(2, nj) & Lbq(2, bj) & "000".
QString teacherCell(int kch, int nj, int bj);

}  // namespace tavro
