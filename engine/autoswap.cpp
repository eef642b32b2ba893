#include "engine/autoswap.h"

#include <QStringList>

#include "adjust/swap.h"
#include "adjust/swaptest.h"
#include "core/errors.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/vbtext.h"
#include "engine/completion.h"
#include "engine/host.h"

namespace tavro {

namespace {

constexpr int kMaxAutomaticSwaps = 24;

// The lesson to move: class, slot, course and teacher.
struct MoveAsk {
  int nj, bj, k1;
};

bool isMainSubject(const School& s, int k) {
  return s.Kczf.has(k) && s.Kczf(k) == 1;
}

bool holdsCourseAt(const School& s, int nj, int bj, int xq, int jc, int k) {
  return jc >= 1 && jc <= s.Mtjs && cellHoldsCourse(s.Kb(kLongTerm, xq, jc, nj, bj), k);
}

// The skips of the candidate sweep; the relaxed pass keeps only skips 2, 4 and 5.
bool skipCandidate(Ctx& c, const MoveAsk& m, int k2, bool strict) {
  const School& s = c.s;
  const RunState& st = c.st;
  const int nj = m.nj, k1 = m.k1;
  // 1. The candidate is half of a main-subject double in a grade that allows doubles.
  if (strict && isMainSubject(s, k2) && s.Jlblp(nj) == 0 && nj <= st.Csz11[0] &&
      (holdsCourseAt(s, nj, m.bj, st.Xq2, st.Jc2 - 1, k2) ||
       holdsCourseAt(s, nj, m.bj, st.Xq2, st.Jc2 + 1, k2)))
    return true;
  // 2. The same lesson.
  if (k1 == k2 && st.Jsh1 == st.Jsh2) return true;
  // 3. A main subject would move into the last two periods.
  if (strict && ((isMainSubject(s, k2) && nj != 12 && st.Jc1 > s.Mtjs - 2) ||
                 (isMainSubject(s, k1) && nj != 12 && st.Jc2 > s.Mtjs - 2)))
    return true;
  // 4. A banned period on either side.
  if (!periodAllowed(s, k2, st.Jc1) || !periodAllowed(s, k1, st.Jc2)) return true;
  // 5. A combined lesson at the candidate slot.
  return Chbk(s, nj, m.bj, st.Xq2, st.Jc2) >= 1;
}

// Tests the candidate (xq, jc): reads it, and runs the swap test (after the skips when asked).
bool tryCandidate(Ctx& c, const MoveAsk& m, int xq, int jc, bool strict, bool withSkips) {
  RunState& st = c.st;
  st.Xq2 = xq;
  st.Jc2 = jc;
  int k2 = 0;
  Bbsrb(c.s, st.Dqcqls, m.nj, m.bj, xq, jc, k2, st.Jsh2, st.Kcxz);
  if (withSkips && skipCandidate(c, m, k2, strict)) return false;
  return Jcnfdk(c, m.k1, k2, m.nj, m.bj);
}

// The two extra candidates of a weekday that shift a double one period earlier.
bool tryDoubleShift(Ctx& c, const MoveAsk& m, int xq, bool strict) {
  const School& s = c.s;
  const int jc1 = c.st.Jc1;
  auto same = [&](int a, int b) {
    return a >= 1 && b <= s.Mtjs && s.Kb(kLongTerm, xq, a, m.nj, m.bj) == s.Kb(kLongTerm, xq, b, m.nj, m.bj);
  };
  if (jc1 == 2 && same(3, 4) && tryCandidate(c, m, xq, s.Mtjs < 4 ? s.Mtjs : 4, strict, false)) return true;
  return jc1 == s.Swjs + 1 && same(s.Swjs + 2, s.Swjs + 3) &&
         tryCandidate(c, m, xq, s.Swjs + 3, strict, false);
}

// One pass over the week, starting at the lesson's weekday, periods from the last down.
bool sweep(Ctx& c, const MoveAsk& m, bool strict) {
  const School& s = c.s;
  const int xq1 = c.st.Xq1, jc1 = c.st.Jc1;
  for (int d = 0; d < s.Mzts; ++d) {
    const int xq = (xq1 - 1 + d) % s.Mzts + 1;
    for (int jc = s.Mtjs; jc >= (jc1 == 1 ? 2 : 1); --jc)
      if (jc != jc1 && tryCandidate(c, m, xq, jc, strict, true)) return true;
    if (tryDoubleShift(c, m, xq, strict)) return true;
  }
  return false;
}

// The class is given up after too many automatic swaps.
[[noreturn]] void tooManySwaps(Ctx& c, int nj, int bj) {
  Qkbsz(c, nj, bj, c.s.Mzts, 1, c.s.Mtjs);
  --c.s.Ypbjs;
  const QString message = QStringLiteral(
      "本班课程冲突或调课太多，无法排课，请退出，从本班起重排或检查排课设置有没有不合理的地方。");
  Cwxx(c.ui, message);
  throw ProgramEnd(message);
}

// Hands the remaining lessons to the user: swap mode with the first one selected.
void enterSwapMode(Ctx& c, EngineHost& host, const QString& zdbdk, QString changed) {
  RunState& st = c.st;
  st.Zt = QStringLiteral("调课");
  st.Dkzt = 2;
  const int xq = ValMid(zdbdk, 0, 2), jc = ValMid(zdbdk, 2, 2);
  st.MSFG.curXq = xq;
  st.MSFG.curJc = jc;
  st.Xq1 = st.Jc1 = 0;
  if (!changed.isEmpty()) {
    Qcdm(changed, 4);
    QStringList names;
    for (int i = 0; i + 4 <= changed.size(); i += 4)
      names << c.s.Bjmc(ValMid(changed, i, 2), ValMid(changed, i + 2, 2));
    Tsxx(c.ui,
         names.join(QStringLiteral("、")) +
             QStringLiteral("的课表已被自动调课，请检查这些班级的课表，如果不合适就用“调课”功能调一调。"));
  }
  host.clickGridCell(xq, jc);
}

}  // namespace

void Zddk(Ctx& c, EngineHost& host, QString& zdbdk, int nj, int bj, int& zddkcs) {
  RunState& st = c.st;
  int failed = 0;
  QString changed;
  st.LessonsForced += static_cast<int>(zdbdk.size() / 4);
  while (true) {
    if (zdbdk.isEmpty()) {
      st.Zt = QStringLiteral("排课");
      st.Xq1 = st.Jc1 = 0;
      return;
    }
    if (zddkcs > kMaxAutomaticSwaps) tooManySwaps(c, nj, bj);
    st.Xq1 = ValMid(zdbdk, 0, 2);
    st.Jc1 = ValMid(zdbdk, 2, 2);
    MoveAsk m{nj, bj, 0};
    Bbsrb(c.s, st.Dqcqls, nj, bj, st.Xq1, st.Jc1, m.k1, st.Jsh1, st.Kcxz);
    bool found = sweep(c, m, true);
    if (!found && sweep(c, m, false)) {
      found = true;
      changed += Lbq(2, nj) + Lbq(2, bj);
    }
    if (found) {
      st.Dkzt = 1;
      Dk(c, nj, bj, st.Xq1, st.Jc1, st.Xq2, st.Jc2);
      ++zddkcs;
      ++st.AutomaticSwaps;
      zdbdk.remove(0, 4);
      continue;
    }
    zdbdk = zdbdk.mid(4) + zdbdk.left(4);
    ++failed;
    if (zdbdk.size() / 2 > failed) continue;
    enterSwapMode(c, host, zdbdk, changed);
    return;
  }
}

}  // namespace tavro
