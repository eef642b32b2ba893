#include "engine/placement.h"

#include "core/cells.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/texts.h"

namespace tavro {

namespace {

QString rightTrimmed(const QString& text) {
  int n = static_cast<int>(text.size());
  while (n > 0 && text[n - 1].isSpace()) --n;
  return text.left(n);
}

QString clashWarning(const School& s, int n, int nj, int bj, int xq, int jc, const QString& existing) {
  return QStringLiteral("　　") + Lbq(2, nj) + Lbq(2, bj) + rightTrimmed(s.Bjmc(nj, bj)) +
         QStringLiteral("班星期") + Xqm(xq) + QStringLiteral("第") + Szc(jc) +
         QStringLiteral("节已排序号为") + existing.mid(3, 3) + QStringLiteral("的合班课，不能再排序号为") +
         Lbq(3, n) + QStringLiteral("的合班课，必需在“全校排课设置”窗体的“合班课”页修改有关的合班课！");
}

// Raises (by +1) or lowers the simultaneity counters of every entry matching course kch at (xq, jc).
void countCapped(const School& s, RunState& st, int kch, int xq, int jc) {
  if (!isCapped(s, kch)) return;
  forEachCapEntry(s, kch, [&](int i) {
    if (st.Ctszc.has(i, xq, jc)) ++st.Ctszc(i, xq, jc);
  });
}

}  // namespace

QString ordinaryCell(int kch, int jsh) {
  return Lbq(3, kch) + Lbq(3, jsh) + QStringLiteral("0000");
}

QString teacherCell(int kch, int nj, int bj) {
  return Lbq(3, kch) + Lbq(2, nj) + Lbq(2, bj) + QStringLiteral("000");
}

bool Cltyk(Ctx& c, int n, int nj, int bj, int xq, int jc, int kch, const QString& teachers) {
  School& s = c.s;
  if (s.Hbk(6, n).isEmpty()) s.Hbk(6, n) = QStringLiteral("000");
  const QString expected = Lbq(3, kch) + Lbq(3, n) + s.Hbk(6, n) + s.Hbk(1, n);
  QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
  if (!cell.isEmpty() && cell != expected) {
    Cwxx(c.ui, clashWarning(s, n, nj, bj, xq, jc, cell));
    return false;
  }
  if (cell.isEmpty()) cell = expected;
  s.Kb(kTemporary, xq, jc, nj, bj) = cell;
  const QString teacherText = Lbq(3, kch) + QStringLiteral("9") + Lbq(3, n) + QStringLiteral("000");
  for (int i = 0; i + 3 <= teachers.size(); i += 3) {
    const int t = cellDigits(teachers, i, 3);
    if (t < 1 || !s.Jskb.has(kLongTerm, xq, jc, t)) continue;
    s.Jskb(kLongTerm, xq, jc, t) = teacherText;
    s.Jskb(kTemporary, xq, jc, t) = teacherText;
  }
  return true;
}

void Clbbyjk(School& s, RunState& st, int nj, int bj, int xq, int jc, int kch, int jsh, int& ypts, int cqls) {
  bool dayHasCourse = false;
  for (int p = 1; p <= s.Mtjs && !dayHasCourse; ++p) {
    const QString& other = s.Kb(cqls, xq, p, nj, bj);
    dayHasCourse = cellHoldsCourse(other, kch) && other.size() >= 10 && other[9] == u'0';
  }
  if (!dayHasCourse) ++ypts;
  st.Kcxz = QStringLiteral("0");
  QString& cell = s.Kb(cqls, xq, jc, nj, bj);
  cell = ordinaryCell(kch, jsh);
  if (cqls != kLongTerm) return;
  s.Kb(kTemporary, xq, jc, nj, bj) = cell;
  if (!isMeetingCourse(s, kch)) ++st.Sched.TYdjs(xq);
  ++st.Sched.Ypkjs;
  --st.Sched.Sykjs;
}

void Sjjrbjshib(School& s, RunState& st, int jsh, int xq, int jc, int kch, int nj, int bj, int cqls) {
  if (jsh > 0) {
    s.Jskb(cqls, xq, jc, jsh) = teacherCell(kch, nj, bj);
    if (cqls == kLongTerm) s.Jskb(kTemporary, xq, jc, jsh) = s.Jskb(kLongTerm, xq, jc, jsh);
  }
  if (cqls == kLongTerm) countCapped(s, st, kch, xq, jc);
}

void Clbbrb(School& s, RunState& st, int nj, int bj, int xq, int jc, int kch, int jsh, int& ypts, int cqls) {
  Clbbyjk(s, st, nj, bj, xq, jc, kch, jsh, ypts, cqls);
  Sjjrbjshib(s, st, jsh, xq, jc, kch, nj, bj, cqls);
}

void Bjsjjjskb(School& s, RunState& st, int nj, int bj) {
  for (int xq = 1; xq <= s.Mzts; ++xq) {
    for (int jc = 1; jc <= s.Mtjs; ++jc) {
      const QString& cell = s.Kb(st.Dqcqls, xq, jc, nj, bj);
      if (cell.isEmpty() || isCombinedCell(cell)) continue;
      const int kch = cellDigits(cell, 0, 3);
      const int t = cellDigits(cell, 3, 3);
      if (t > 0 && t <= s.Jss) {
        s.Jskb(kLongTerm, xq, jc, t) = teacherCell(kch, nj, bj);
        s.Jskb(kTemporary, xq, jc, t) = s.Jskb(kLongTerm, xq, jc, t);
      }
      countCapped(s, st, kch, xq, jc);
    }
  }
}

bool isSelfStudy(const School& s, int kch) {
  if (!s.Kcmc.has(kch)) return false;
  const QString& name = s.Kcmc(kch);
  return name.startsWith(QStringLiteral("自习")) || name.startsWith(QStringLiteral("自修"));
}

bool isMeetingCourse(const School& s, int kch) {
  if (!s.Kcmc.has(kch)) return false;
  const QString& name = s.Kcmc(kch);
  return name.startsWith(QStringLiteral("班会")) || name.startsWith(QStringLiteral("校会")) ||
         name.startsWith(QStringLiteral("校班会"));
}

}  // namespace tavro
