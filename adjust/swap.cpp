#include "adjust/swap.h"

#include "adjust/gridmodel.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

// The two lessons of one exchange: slots, courses and teachers.
struct SwapPair {
  int nj, bj, i1, j1, i2, j2;
  int k1 = 0, k2 = 0, t1 = 0, t2 = 0;
};

// True when teacher row t exists in the teacher cube.
bool hasRow(const School& s, int t) {
  return s.Jskb.has(kLongTerm, 1, 1, t);
}

// Exchanges teacher t's cells of layer l at the two slots (nothing for a row outside the cube).
void swapTeacher(School& s, int l, int t, const SwapPair& p) {
  if (!hasRow(s, t)) return;
  Jh(s.Jskb(l, p.i1, p.j1, t), s.Jskb(l, p.i2, p.j2, t));
}

// Moves teacher t's cell of layer l from slot (fx, fy) to slot (tx, ty), unless the teacher also
// teaches at the target: then the two cells are exchanged.
void moveTeacher(School& s, int l, int t, int fx, int fy, int tx, int ty) {
  if (!hasRow(s, t)) return;
  QString& from = s.Jskb(l, fx, fy, t);
  QString& to = s.Jskb(l, tx, ty, t);
  if (Val(to) > 9) {
    Jh(from, to);
  } else {
    to = from;
    from.clear();
  }
}

// Copies teacher t's cell of layer l at (i1, j1) to (i2, j2).
void copyTeacher(School& s, int l, int t, const SwapPair& p) {
  if (!hasRow(s, t)) return;
  s.Jskb(l, p.i2, p.j2, t) = s.Jskb(l, p.i1, p.j1, t);
}

// Puts teacher 1's cell at the lesson's old slot back from the parking row Jss+1 and clears the
// four parking cells (rows Jss+1 and Jss+2, both layers).
void restoreParked(School& s, int l, const SwapPair& p) {
  const int park = s.Jss + 1;
  if (hasRow(s, p.t1)) {
    s.Jskb(l, p.i1, p.j1, p.t1) =
        (l == kLongTerm) ? s.Jskb(kLongTerm, p.i1, p.j1, park) : s.Jskb(kLongTerm, p.i1, p.j1, p.t1);
  }
  for (int row : {park, park + 1})
    if (hasRow(s, row))
      for (int layer : {kLongTerm, kTemporary}) s.Jskb(layer, p.i1, p.j1, row).clear();
}

// True when the slot of the lesson to move has a parked lesson (layer 2 of row Jss+1 is set).
bool hasParked(const School& s, const SwapPair& p) {
  const int park = s.Jss + 1;
  return hasRow(s, park) && !s.Jskb(kTemporary, p.i1, p.j1, park).isEmpty();
}

void teachersNormal(School& s, int l, const SwapPair& p) {
  moveTeacher(s, l, p.t1, p.i1, p.j1, p.i2, p.j2);
  if (p.t2 != p.t1) moveTeacher(s, l, p.t2, p.i2, p.j2, p.i1, p.j1);
}

void teachersAutomatic(School& s, int l, const SwapPair& p) {
  if (hasParked(s, p)) {
    copyTeacher(s, l, p.t1, p);
    restoreParked(s, l, p);
  } else {
    swapTeacher(s, l, p.t1, p);
  }
  swapTeacher(s, l, p.t2, p);
}

// Forced swap by the user. A slot without a parked lesson (nothing was forced there) is swapped as
// a normal exchange, so teacher 1's lesson is never lost.
void teachersForced(School& s, int l, const SwapPair& p) {
  if (!hasParked(s, p)) {
    teachersNormal(s, l, p);
    return;
  }
  const int park = s.Jss + 1;
  const int first = ValInt(s.Jskb(kTemporary, p.i1, p.j1, park));
  const int second = hasRow(s, park + 1) ? ValInt(s.Jskb(kTemporary, p.i1, p.j1, park + 1)) : 0;
  copyTeacher(s, l, first, p);
  copyTeacher(s, l, second, p);
  swapTeacher(s, l, p.t2, p);
  restoreParked(s, l, p);
}

// Long-term swap: moves the simultaneity counters and drops the temporary changes of the class and
// of both teachers from memory.
void afterLongTermSwap(Ctx& c, const SwapPair& p) {
  School& s = c.s;
  forEachCapEntry(s, p.k1, [&](int i) {
    if (!c.st.Ctszc.has(i, p.i1, p.j1)) return;
    --c.st.Ctszc(i, p.i1, p.j1);
    ++c.st.Ctszc(i, p.i2, p.j2);
  });
  forEachCapEntry(s, p.k2, [&](int i) {
    if (!c.st.Ctszc.has(i, p.i1, p.j1)) return;
    --c.st.Ctszc(i, p.i2, p.j2);
    ++c.st.Ctszc(i, p.i1, p.j1);
  });
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j) s.Kb(kTemporary, x, j, p.nj, p.bj) = s.Kb(kLongTerm, x, j, p.nj, p.bj);
  Fzjslskb(s, p.t1);
  Fzjslskb(s, p.t2);
}

// Text of a cell in the redraw after a swap: "" for an empty cell, "╳" or "╳　" for course "000".
QString redrawText(const School& s, const QString& cell, int n) {
  if (cell.isEmpty()) return QString();
  if (cell.left(3) == QStringLiteral("000")) return n == 1 ? QStringLiteral("╳") : QStringLiteral("╳　");
  return classCellText(s, cell, n);
}

void redrawClass(Ctx& c, int l, const SwapPair& p) {
  School& s = c.s;
  GridModel& g = c.st.MSFG;
  const int n = gridStyleDigit(g.style);
  for (int x = 1; x <= s.Mzts; ++x) {
    for (int j = 1; j <= s.Mtjs; ++j) {
      Xsbbk(s, g, p.nj, p.bj, x, j, kColourDefault, redrawText(s, s.Kb(l, x, j, p.nj, p.bj), n));
      if (c.st.Djbh == 0 && s.Kb(kTemporary, x, j, p.nj, p.bj) != s.Kb(kLongTerm, x, j, p.nj, p.bj))
        g.colour(x, j, 0, kColourTemporary);
    }
  }
  if (c.st.OptCqls == 1) g.colour(p.i1, p.j1, 0, kColourTemporary);
}

}  // namespace

void Fzjslskb(School& s, int jsh) {
  if (jsh <= 0 || !hasRow(s, jsh)) return;
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j) s.Jskb(kTemporary, x, j, jsh) = s.Jskb(kLongTerm, x, j, jsh);
}

void Dk(Ctx& c, int bnj, int bbj, int i1, int j1, int i2, int j2, const TemporaryReplay& replay) {
  School& s = c.s;
  RunState& st = c.st;
  const int l = st.Dqcqls;
  SwapPair p{bnj, bbj, i1, j1, i2, j2};
  QString kind;
  Bbsrb(s, l, bnj, bbj, i2, j2, p.k2, p.t2, kind);
  Bbsrb(s, l, bnj, bbj, i1, j1, p.k1, p.t1, st.Kcxz);
  Jh(s.Kb(l, i1, j1, bnj, bbj), s.Kb(l, i2, j2, bnj, bbj));
  if (st.Dkzt == 1) {
    teachersAutomatic(s, l, p);
  } else if (st.Dkzt == 2) {
    teachersForced(s, l, p);
  } else {
    teachersNormal(s, l, p);
  }
  if (l == kLongTerm) {
    afterLongTermSwap(c, p);
  } else if (replay) {
    const QString start = st.Lsksrq, end = st.Lsjsrq;
    replay(c);
    st.Lsksrq = start;
    st.Lsjsrq = end;
  }
  if (i1 > 0 && i2 > 0) redrawClass(c, l, p);
}

}  // namespace tavro
