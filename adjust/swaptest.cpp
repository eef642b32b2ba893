#include "adjust/swaptest.h"

#include "adjust/lookups.h"
#include "adjust/swaptest_internal.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/texts.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

// Value of teacher t's cell of layer l at (xq, jc); 0 for a row outside the cube.
double teacherValue(const School& s, int l, int xq, int jc, int t) {
  return s.Jskb.has(l, xq, jc, t) ? Val(s.Jskb(l, xq, jc, t)) : 0.0;
}

// True when (a, b) are the last morning period and the first afternoon period, in either order.
bool acrossNoon(const School& s, int a, int b) {
  return (a == s.Swjs && b == s.Swjs + 1) || (b == s.Swjs && a == s.Swjs + 1);
}

// The cap test of one course: the reason when an entry naming course k is full at (xq, jc).
QString capFull(Ctx& c, int k, int xq, int jc, const QString& slot) {
  const int i = fullCapEntry(c.s, c.st, xq, jc, k);
  if (i == 0) return QString();
  return QStringLiteral("0全校") + courseName(c.s, k) + QStringLiteral("在") + slot +
         QStringLiteral("的上课班数已满") + Szc(c.s.Szlz(6, i)) + QStringLiteral("个班");
}

// The banned-period test of one course: the reason when course k may not be in period jc.
QString periodBanned(const School& s, int k, int jc) {
  if (periodAllowed(s, k, jc)) return QString();
  return QStringLiteral("0") + courseName(s, k) + QStringLiteral("每天禁排第") + Szc(jc) +
         QStringLiteral("节");
}

// The lesson steps of the swap test (no teacher, no cap): steps 1 to 7.
SwapRefusal lessonRefusal(Ctx& c, int k1, int k2, int nj, int bj, QString& reason) {
  const School& s = c.s;
  RunState& st = c.st;
  const QString s1 = slotText(st.Xq1, st.Jc1), s2 = slotText(st.Xq2, st.Jc2);
  if (st.Jsh1 > 998 || st.Jsh2 > 998) {
    reason = QStringLiteral("0") + s1 + QStringLiteral("或") + s2 + QStringLiteral("的教师是合班课的多师");
    return SwapRefusal::MultiTeacher;
  }
  if (k1 == 0 && k2 == 0) {
    reason = QStringLiteral("0") + s1 + QStringLiteral("和") + s2 + QStringLiteral("都是空课，调课无意义");
    return SwapRefusal::BothEmpty;
  }
  if (s.Hbks >= 1) {
    st.Hbkh = Chbk(s, nj, bj, st.Xq2, st.Jc2);
    if (st.Hbkh >= 1) {
      reason = QStringLiteral("0") + s2 + QStringLiteral("是合班课");
      return SwapRefusal::Combined;
    }
  }
  if (!st.Bxdck.isEmpty() && codeListHasSlot(st.Bxdck, st.Xq2, st.Jc2)) {
    reason = QStringLiteral("0本节课是暂且放此的必需调出的课");
    return SwapRefusal::MustMove;
  }
  if (st.Jsh1 == st.Jsh2 && k1 == k2) {
    reason = QStringLiteral("0同课程同教师，调课无意义");
    return SwapRefusal::SameLesson;
  }
  if (s.Kb(kTemporary, st.Xq2, st.Jc2, nj, bj) != s.Kb(kLongTerm, st.Xq2, st.Jc2, nj, bj)) {
    reason = QStringLiteral("0该节课已临时调课，为避免混乱");
    return SwapRefusal::Temporary;
  }
  return SwapRefusal::None;
}

}  // namespace

int busyThreshold(const RunState& st) {
  return st.Dqcqls == kLongTerm ? 0 : 9;
}

SwapRefusal swapRefusal(Ctx& c, int k1, int k2, int nj, int bj, int skip, QString& reason) {
  const SwapRefusal lesson = lessonRefusal(c, k1, k2, nj, bj, reason);
  if (lesson != SwapRefusal::None) return lesson;
  const School& s = c.s;
  const RunState& st = c.st;
  const int l = st.Dqcqls, limit = busyThreshold(st);
  const bool forced = !st.Bxdck.isEmpty();
  const QString s1 = slotText(st.Xq1, st.Jc1), s2 = slotText(st.Xq2, st.Jc2);
  const double v = teacherValue(s, l, st.Xq2, st.Jc2, st.Jsh1);
  const bool busy1 = v > limit && st.Jsh1 > 0 && st.Jsh1 != st.Jsh2;
  const bool noon = v == 3 && acrossNoon(s, st.Jc1, st.Jc2);
  if (!(skip & kSkipTeacher1) && ((busy1 && !noon) || (forced && v > limit && st.Jsh1 >= 1))) {
    reason = QStringLiteral("0") + courseName(s, k1) + QStringLiteral("教师") + teacherName(s, st.Jsh1) + s2 +
             QStringLiteral("不空");
    return SwapRefusal::Teacher1Busy;
  }
  const double w = teacherValue(s, l, st.Xq1, st.Jc1, st.Jsh2);
  if (!(skip & kSkipTeacher2) &&
      ((w > limit && st.Jsh2 > 0 && st.Jsh2 != st.Jsh1) || (forced && w > limit && st.Jsh2 > 0))) {
    reason = QStringLiteral("0") + courseName(s, k2) + QStringLiteral("教师") + teacherName(s, st.Jsh2) + s1 +
             QStringLiteral("不空");
    return SwapRefusal::Teacher2Busy;
  }
  reason = capFull(c, k1, st.Xq2, st.Jc2, s2);
  if (!reason.isEmpty()) return SwapRefusal::Cap1Full;
  reason = capFull(c, k2, st.Xq1, st.Jc1, s1);
  if (!reason.isEmpty()) return SwapRefusal::Cap2Full;
  reason = periodBanned(s, k1, st.Jc2);
  if (!reason.isEmpty()) return SwapRefusal::Banned1;
  reason = periodBanned(s, k2, st.Jc1);
  if (!reason.isEmpty()) return SwapRefusal::Banned2;
  return SwapRefusal::None;
}

bool Jcnfdk(Ctx& c, int k1, int k2, int nj, int bj) {
  QString reason;
  if (swapRefusal(c, k1, k2, nj, bj, 0, reason) == SwapRefusal::None) return true;
  c.st.Bpyy(c.st.Xq2, c.st.Jc2) = reason;
  return false;
}

void Bpyyql(RunState& st) {
  st.Bpyy.fill(QString());
}

QString HBpyy(const QString& entry) {
  if (entry == QStringLiteral("2")) return QStringLiteral("要求不排");
  if (entry == QStringLiteral("6")) return QStringLiteral("有会议");
  if (entry == QStringLiteral("7")) return QStringLiteral("有教研活动");
  return QString();
}

QString slotText(int xq, int jc) {
  return QStringLiteral("星期") + Xqm(xq) + QStringLiteral("第") + Szc(jc) + QStringLiteral("节");
}

int bpyyGrade(const QString& entry) {
  return entry.isEmpty() ? kGradeYellow : ValMid(entry, 0, 1);
}

namespace {
// The double-lesson test on one weekday of a timetable given as a cell reader.
template <typename Cell>
int formsDouble(const School& s, int jc, Cell cell) {
  const QString& here = cell(jc);
  if (jc > 1 && jc != s.Swjs + 1 && here == cell(jc - 1)) return 1;
  if (jc < s.Mtjs && jc != s.Swjs && here == cell(jc + 1)) return 1;
  return 0;
}
}  // namespace

int HDqlp(const School& s, int nj, int bj, int xq, int jc) {
  return formsDouble(s, jc, [&](int p) -> const QString& { return s.Kb(kLongTerm, xq, p, nj, bj); });
}

int HDhlp(const School& s, const RunState& st, int xq, int jc) {
  return formsDouble(s, jc, [&](int p) -> const QString& { return st.Dqkb(xq, p); });
}

namespace {
// Lessons of course kch in the week, their doubles and the lessons beyond the first of each day.
struct WeekCount {
  int lessons = 0, doubles = 0, extra = 0;
};

WeekCount countWeek(const School& s, int nj, int bj, int kch) {
  WeekCount w;
  for (int x = 1; x <= s.Mzts; ++x) {
    int runStart = -1, onDay = 0;
    bool previous = false;
    for (int j = 1; j <= s.Mtjs; ++j) {
      const bool holds = cellHoldsCourse(s.Kb(kLongTerm, x, j, nj, bj), kch);
      if (holds) {
        ++w.lessons;
        if (++onDay > 1) ++w.extra;
        if (!previous)
          runStart = j;
        else if (j == runStart + 1)
          ++w.doubles;
      }
      previous = holds;
    }
  }
  return w;
}

// Weekdays on which teacher jsh has at least one empty long-term cell.
int daysWithFreePeriod(const School& s, int jsh) {
  if (!s.Jskb.has(kLongTerm, 1, 1, jsh)) return 0;
  int f = 0;
  for (int x = 1; x <= s.Mzts; ++x) {
    for (int j = 1; j <= s.Mtjs; ++j) {
      if (s.Jskb(kLongTerm, x, j, jsh).isEmpty()) {
        ++f;
        break;
      }
    }
  }
  return f;
}
}  // namespace

int HXylp(const School& s, int nj, int bj, int xq, int kch, int jsh) {
  if (s.Jlblp(nj) != 0) return 0;
  if (nj != 12 && s.Kczf.has(kch) && s.Kczf(kch) == 1) {
    if (s.Mtjs == 1) return 0;
    for (int j = 1; j <= s.Mtjs; ++j)
      if (cellHoldsCourse(s.Kb(kLongTerm, xq, j, nj, bj), kch)) return 1;
    return 0;
  }
  const WeekCount w = countWeek(s, nj, bj, kch);
  const int f = daysWithFreePeriod(s, jsh);
  return (f < w.lessons && w.lessons - f >= w.doubles && w.lessons - f >= w.extra) ? 1 : 0;
}

}  // namespace tavro
