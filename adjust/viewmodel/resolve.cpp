#include "adjust/viewmodel/resolve.h"

#include <array>

#include "adjust/swaptest.h"
#include "core/cells.h"
#include "core/errors.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/timetable_file.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

inline constexpr int kMaxRestarts = 5;
// Guard against a click sequence that never empties the must-move list.
inline constexpr int kMaxClicks = 100000;

// Order of a grade in the policy: green, yellow, orange.
int gradeRank(int grade) {
  return grade == kGradeGreen ? 0 : grade == kGradeYellow ? 1 : 2;
}

// True when the swap test passes for the candidate at (xq, jc); Bpyy and Hbkh are left unchanged.
bool swapTestPasses(Ctx& c, int nj, int bj, int xq, int jc) {
  RunState& st = c.st;
  const QString entry = st.Bpyy(xq, jc);
  const int hbkh = st.Hbkh;
  st.Xq2 = xq;
  st.Jc2 = jc;
  int k2 = 0;
  QString kind;
  Bbsrb(c.s, st.Dqcqls, nj, bj, xq, jc, k2, st.Jsh2, kind);
  const bool ok = Jcnfdk(c, st.Kch1, k2, nj, bj);
  st.Bpyy(xq, jc) = entry;
  st.Hbkh = hbkh;
  return ok;
}

// Restores the orange question setting when the click is over, however it ends.
struct QuestionOff {
  RunState& st;
  int saved;
  explicit QuestionOff(RunState& s) : st(s), saved(s.Csz3) { st.Csz3 = 0; }
  ~QuestionOff() { st.Csz3 = saved; }
};

}  // namespace

std::optional<ResolveMode> parseResolveMode(const QString& text) {
  if (text == QStringLiteral("stop")) return ResolveMode::Stop;
  if (text == QStringLiteral("auto")) return ResolveMode::Auto;
  return std::nullopt;
}

void unsaveClass(Ctx& c, int nj, int bj) {
  School& s = c.s;
  if (!s.isClass(nj, bj)) return;
  for (int xq = 1; xq <= s.Mzts; ++xq)
    for (int jc = 1; jc <= s.Mtjs; ++jc)
      for (int layer : {kLongTerm, kTemporary})
        if (!isCombinedCell(s.Kb(layer, xq, jc, nj, bj))) s.Kb(layer, xq, jc, nj, bj).clear();
  s.Ypbz(nj, bj) = 0;
  Bckb(c);
  waitForTimetableSaves(c.st);
}

bool bestPartner(Ctx& c, int nj, int bj, int& xq, int& jc) {
  const School& s = c.s;
  RunState& st = c.st;
  std::array<int, 3> best{};
  bool found = false;
  for (int x = 1; x <= s.Mzts; ++x) {
    for (int j = 1; j <= s.Mtjs; ++j) {
      if (x == st.Xq1 && j == st.Jc1) continue;
      const int grade = bpyyGrade(st.Bpyy(x, j));
      if (grade == kGradeRed || Chbk(s, nj, bj, x, j) >= 1) continue;
      if (!swapTestPasses(c, nj, bj, x, j)) continue;
      const std::array<int, 3> key{gradeRank(grade), x, j};
      if (!found || key < best) best = key;
      found = true;
    }
  }
  xq = best[1];
  jc = best[2];
  return found;
}

int resolveForcedSwaps(MainWindowModel& m) {
  Ctx& c = m.ctx();
  RunState& st = c.st;
  int clicks = 0;
  for (int guard = 0; !st.Bxdck.isEmpty() && guard < kMaxClicks; ++guard) {
    if (st.Zt != QStringLiteral("调课")) st.Zt = QStringLiteral("调课");
    if (st.Xq1 == 0 && st.Jc1 == 0) {
      m.clickCell(ValMid(st.Bxdck, 0, 2), ValMid(st.Bxdck, 2, 2));
      continue;
    }
    int nj = 0, bj = 0, xq = 0, jc = 0;
    if (!m.labelClass(nj, bj) || !bestPartner(c, nj, bj, xq, jc)) break;
    QuestionOff quiet(st);
    m.clickCell(xq, jc);
    ++clicks;
  }
  return clicks;
}

ResolveReport runResolved(MainWindowModel& m, ResolveMode mode, const std::function<void()>& start) {
  Ctx& c = m.ctx();
  const School school = c.s;
  const RunState state = c.st;
  ResolveReport report;
  const auto startAgain = [&] {
    ++report.restarts;
    c.s = school;
    c.st = state;
  };
  while (true) {
    try {
      start();
      if (mode == ResolveMode::Auto) {
        report.swapsResolved += resolveForcedSwaps(m);
        // A lesson that no partner can take leaves the class in swap mode for good: as a user would,
        // start again from the saved timetable, where the class is scheduled afresh.
        if (!c.st.Bxdck.isEmpty() && report.restarts < kMaxRestarts) {
          unsaveClass(c, c.st.DqNj, c.st.DqBj);
          startAgain();
          continue;
        }
      }
      return report;
    } catch (const ProgramEnd& end) {
      if (mode != ResolveMode::Auto || report.restarts >= kMaxRestarts) {
        report.ended = true;
        report.endMessage = end.message();
        return report;
      }
      // The run saved the class before its swap mode ended the program (no cell can take a lesson).
      if (!c.st.Bxdck.isEmpty()) unsaveClass(c, c.st.DqNj, c.st.DqBj);
      startAgain();
    }
  }
}

}  // namespace tavro
