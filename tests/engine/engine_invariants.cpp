// The invariants a finished timetable keeps, as a list of faults (empty when
// all hold): class and teacher cells agree, no teacher is in two places, each
// class holds exactly its plan, combined lessons sit at their fixed times, and
// the school-wide caps hold; and no lesson sits in a period its course bans.

#include <map>

#include "core/cells.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "engine/placement.h"
#include "engine/rules.h"
#include "tests/engine/engine_support.h"

namespace tavro::testing {

namespace {

QString where(int nj, int bj, int xq, int jc) {
  return QStringLiteral("%1%2 %3/%4").arg(Lbq(2, nj), Lbq(2, bj)).arg(xq).arg(jc);
}

template <typename F>
void forEachClass(const School& s, F&& f) {
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj) f(nj, bj);
}

void checkCellsAndTeachers(const School& s, QStringList& faults) {
  for (int xq = 1; xq <= s.Mzts; ++xq) {
    for (int jc = 1; jc <= s.Mtjs; ++jc) {
      std::map<int, int> uses;
      forEachClass(s, [&](int nj, int bj) {
        const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
        if (cell.isEmpty()) return faults << where(nj, bj, xq, jc) + QStringLiteral(" empty"), void();
        if (isCombinedCell(cell)) return;
        const int t = cellTeacher(cell);
        if (t == 0) return;
        ++uses[t];
        if (s.Jskb(kLongTerm, xq, jc, t) != teacherCell(cellCourse(cell), nj, bj))
          faults << where(nj, bj, xq, jc) + QStringLiteral(" teacher cell ") + s.Jskb(kLongTerm, xq, jc, t);
      });
      for (const auto& [t, n] : uses)
        if (n > 1) faults << QStringLiteral("teacher %1 in %2 places at %3/%4").arg(t).arg(n).arg(xq).arg(jc);
    }
  }
}

void checkPlans(const School& s, QStringList& faults) {
  forEachClass(s, [&](int nj, int bj) {
    std::map<std::pair<int, int>, int> want, have;
    for (int k = 1; k <= s.Bjkcs(nj, bj); ++k)
      want[{s.Bjkcb(k, 1, nj, bj), s.Bjkcb(k, 2, nj, bj)}] += s.Bjkcb(k, 3, nj, bj);
    for (int xq = 1; xq <= s.Mzts; ++xq)
      for (int jc = 1; jc <= s.Mtjs; ++jc) {
        const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
        if (!cell.isEmpty() && !isCombinedCell(cell)) ++have[{cellCourse(cell), cellTeacher(cell)}];
      }
    if (want != have) faults << where(nj, bj, 0, 0) + QStringLiteral(" lessons differ from the plan");
  });
}

void checkCombined(const School& s, QStringList& faults) {
  for (int n = 1; n <= s.Hbks; ++n) {
    const QString expected = Lbq(3, ValInt(s.Hbk(4, n))) + Lbq(3, n) + s.Hbk(6, n) + s.Hbk(1, n);
    const QString& classes = s.Hbk(2, n);
    const QString& times = s.Hbk(3, n);
    forEachClass(s, [&](int nj, int bj) {
      if (classes != QStringLiteral("0000") && !classes.contains(Lbq(2, nj) + Lbq(2, bj))) return;
      for (int i = 0; i + 4 <= times.size(); i += 4) {
        const int xq = cellDigits(times, i, 2), jc = cellDigits(times, i + 2, 2);
        if (s.Kb(kLongTerm, xq, jc, nj, bj) != expected)
          faults << where(nj, bj, xq, jc) + QStringLiteral(" combined");
      }
    });
  }
}

void checkCaps(const School& s, const RunState& st, QStringList& faults) {
  for (int i = 1; i <= capEntryCount(s); ++i) {
    const QString name = s.Szlmc(6, i).trimmed();
    for (int xq = 1; xq <= s.Mzts; ++xq) {
      for (int jc = 1; jc <= s.Mtjs; ++jc) {
        int count = 0;
        forEachClass(s, [&](int nj, int bj) {
          const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
          if (!cell.isEmpty() && !isCombinedCell(cell) && s.Kcmc(cellCourse(cell)).trimmed() == name) ++count;
        });
        if (count > s.Szlz(6, i)) faults << QStringLiteral("cap %1 exceeded at %2/%3").arg(i).arg(xq).arg(jc);
        if (count != st.Ctszc(i, xq, jc))
          faults << QStringLiteral("Ctszc %1 wrong at %2/%3").arg(i).arg(xq).arg(jc);
      }
    }
  }
}

}  // namespace

QStringList bannedPeriodFaults(const School& s) {
  QStringList faults;
  forEachClass(s, [&](int nj, int bj) {
    for (int xq = 1; xq <= s.Mzts; ++xq)
      for (int jc = 1; jc <= s.Mtjs; ++jc) {
        const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
        if (cell.isEmpty() || isCombinedCell(cell) || periodAllowed(s, cellCourse(cell), jc)) continue;
        faults << where(nj, bj, xq, jc) + QStringLiteral(" banned period of course ") +
                      s.Kcmc(cellCourse(cell));
      }
  });
  return faults;
}

QStringList timetableFaults(const School& s, const RunState& st) {
  QStringList faults;
  checkCellsAndTeachers(s, faults);
  checkPlans(s, faults);
  checkCombined(s, faults);
  checkCaps(s, st, faults);
  return faults;
}

}  // namespace tavro::testing
