// The grading of every candidate cell against the lesson to move.

#include "adjust/gridmodel.h"
#include "adjust/lookups.h"
#include "adjust/swaptest.h"
#include "adjust/swaptest_internal.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/texts.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

// One graded candidate: the grade and, for orange and red, the Bpyy text.
struct Verdict {
  int grade = kGradeYellow;
  QString text;
};

// True when the course name begins with "自习" or "自修".
bool selfStudy(const School& s, int k) {
  const QString name = courseName(s, k);
  return name.startsWith(QStringLiteral("自习")) || name.startsWith(QStringLiteral("自修"));
}

// Orange text for a teacher at or above the daily maximum.
QString dailyMaximumText(const School& s, int k, int t, int xq, int n, int zdjs) {
  return QStringLiteral("3　　") + courseName(s, k) + QStringLiteral("教师") + Lbq(3, t) + teacherName(s, t) +
         QStringLiteral("星期") + Xqm(xq) + QStringLiteral("已有") + Szc(n) +
         QStringLiteral("节课，已经大于或等于在“全校排课设置”第4页设定的每天排课节数最大值") + Szc(zdjs);
}

// Score of one lesson of the exchange for the double-lesson rule.
int doubleScore(Ctx& c, int nj, int bj, int k, int t, int fromX, int fromJ, int toX, int toJ) {
  const School& s = c.s;
  const int before = HDqlp(s, nj, bj, fromX, fromJ);
  const int after = HDhlp(s, c.st, toX, toJ);
  if (before == after || k == 0 || selfStudy(s, k)) return 0;
  return after == HXylp(s, nj, bj, fromX, k, t) ? 1 : -1;
}

// Fills the trial timetable Dqkb with the class's long-term cells and makes the exchange there.
void trialExchange(Ctx& c, int nj, int bj) {
  const School& s = c.s;
  RunState& st = c.st;
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j) st.Dqkb(x, j) = s.Kb(kLongTerm, x, j, nj, bj);
  Jh(st.Dqkb(st.Xq1, st.Jc1), st.Dqkb(st.Xq2, st.Jc2));
}

// Grade of a candidate that passed the swap test.
Verdict gradeAccepted(Ctx& c, int nj, int bj, int k1, int k2) {
  const School& s = c.s;
  const RunState& st = c.st;
  const int zdjs = s.Jsmtzdjs + (st.Xq1 == st.Xq2 ? 1 : 0);
  const int sameDay = courseCountOnDay(s, nj, bj, st.Xq1, k1) - 1;
  if (st.Xq1 == st.Xq2 && sameDay > 1)
    return {kGradeOrange, QStringLiteral("3") + courseName(s, k1) + QStringLiteral("在班级课表的星期") +
                              Xqm(st.Xq1) + QStringLiteral("已有") + Szc(sameDay) +
                              QStringLiteral("节，不宜再放在星期") + Xqm(st.Xq1)};
  const int n1 = st.Jsh1 > 0 ? HDtrbykjs(s, st.Xq2, st.Jsh1) : 0;
  if (st.Jsh1 > 0 && n1 >= zdjs) return {kGradeOrange, dailyMaximumText(s, k1, st.Jsh1, st.Xq2, n1, zdjs)};
  const int n2 = st.Jsh2 > 0 ? HDtrbykjs(s, st.Xq1, st.Jsh2) : 0;
  if (st.Jsh2 > 0 && n2 >= zdjs) return {kGradeOrange, dailyMaximumText(s, k2, st.Jsh2, st.Xq1, n2, zdjs)};
  if (HXylp(s, nj, bj, st.Xq1, k1, st.Jsh1) == 0 && courseCountOnDay(s, nj, bj, st.Xq2, k1) == 0 &&
      st.Xq1 != st.Xq2 && HXylp(s, nj, bj, st.Xq2, k2, st.Jsh2) == 0 &&
      courseCountOnDay(s, nj, bj, st.Xq1, k2) == 0)
    return {kGradeGreen, QString()};
  trialExchange(c, nj, bj);
  const int sum = doubleScore(c, nj, bj, k1, st.Jsh1, st.Xq1, st.Jc1, st.Xq2, st.Jc2) +
                  doubleScore(c, nj, bj, k2, st.Jsh2, st.Xq2, st.Jc2, st.Xq1, st.Jc1);
  if (sum >= 1) return {kGradeGreen, QString()};
  if (sum == 0) return {kGradeYellow, QString()};
  return {kGradeOrange, QStringLiteral("3破坏已有的需要的连排或产生不需要的连排")};
}

// True when a teacher cell is a block (not empty, value at most 9).
bool isBlockEntry(const QString& entry) {
  return !entry.isEmpty() && Val(entry) <= 9;
}

// The entry of teacher t at (xq, jc) of the layer being edited; "" for a row outside the cube.
QString teacherEntry(const Ctx& c, int xq, int jc, int t) {
  const int l = c.st.Dqcqls;
  return c.s.Jskb.has(l, xq, jc, t) ? c.s.Jskb(l, xq, jc, t) : QString();
}

// Orange text of a teacher who only has a block at the slot concerned.
QString blockText(const Ctx& c, int k, int t, int xq, int jc) {
  return QStringLiteral("3") + courseName(c.s, k) + QStringLiteral("教师") + Lbq(3, t) + teacherName(c.s, t) +
         slotText(xq, jc) + HBpyy(teacherEntry(c, xq, jc, t));
}

// Grade of a refused candidate: red, softened to orange when the refusing teacher only has a block
// there. The rest of the swap test must still pass (a teacher blocked there is the only
// obstacle), so an orange swap never puts a teacher in two places.
Verdict gradeRefused(Ctx& c, int nj, int bj, int k1, int k2, SwapRefusal why, const QString& reason) {
  const RunState& st = c.st;
  const bool block1 = st.Jsh1 > 0 && isBlockEntry(teacherEntry(c, st.Xq2, st.Jc2, st.Jsh1));
  const bool block2 = st.Jsh2 > 0 && isBlockEntry(teacherEntry(c, st.Xq1, st.Jc1, st.Jsh2));
  QString rest;
  if (why == SwapRefusal::Teacher1Busy && block1) {
    SwapRefusal after = swapRefusal(c, k1, k2, nj, bj, kSkipTeacher1, rest);
    if (after == SwapRefusal::Teacher2Busy && block2)
      after = swapRefusal(c, k1, k2, nj, bj, kSkipTeacher1 | kSkipTeacher2, rest);
    if (after == SwapRefusal::None) return {kGradeOrange, blockText(c, k1, st.Jsh1, st.Xq2, st.Jc2)};
    return {kGradeRed, rest};
  }
  if (why == SwapRefusal::Teacher2Busy && block2) {
    if (swapRefusal(c, k1, k2, nj, bj, kSkipTeacher2, rest) == SwapRefusal::None)
      return {kGradeOrange, blockText(c, k2, st.Jsh2, st.Xq1, st.Jc1)};
    return {kGradeRed, rest};
  }
  return {kGradeRed, reason};
}

// Grade of the candidate at (Xq2, Jc2); true in passed when it passed the swap test.
Verdict gradeOne(Ctx& c, int nj, int bj, int k1, int k2, bool& passed) {
  QString reason;
  const SwapRefusal why = swapRefusal(c, k1, k2, nj, bj, 0, reason);
  passed = why == SwapRefusal::None;
  return passed ? gradeAccepted(c, nj, bj, k1, k2) : gradeRefused(c, nj, bj, k1, k2, why, reason);
}

int gradeColour(int grade) {
  switch (grade) {
    case kGradeGreen:
      return kColourGreen;
    case kGradeOrange:
      return kColourOrange;
    case kGradeRed:
      return kColourRed;
    default:
      return kColourYellow;
  }
}

}  // namespace

int gradeCandidate(Ctx& c, int nj, int bj, int k1, int k2) {
  bool passed = false;
  return gradeOne(c, nj, bj, k1, k2, passed).grade;
}

bool gradeCandidates(Ctx& c, int nj, int bj, int k1) {
  School& s = c.s;
  RunState& st = c.st;
  bool any = false;
  for (int x = 1; x <= s.Mzts; ++x) {
    for (int j = 1; j <= s.Mtjs; ++j) {
      if (x == st.Xq1 && j == st.Jc1) continue;
      st.Xq2 = x;
      st.Jc2 = j;
      QString kind;
      int k2 = 0;
      Bbsrb(s, st.Dqcqls, nj, bj, x, j, k2, st.Jsh2, kind);
      bool passed = false;
      const Verdict v = gradeOne(c, nj, bj, k1, k2, passed);
      any = any || passed;
      st.Bpyy(x, j) = v.grade == kGradeGreen    ? QStringLiteral("2")
                      : v.grade == kGradeYellow ? QStringLiteral("1")
                                                : v.text;
      Gsxs(st.MSFG, x, j, kColourCandidate, gradeColour(v.grade));
    }
  }
  return any;
}

}  // namespace tavro
