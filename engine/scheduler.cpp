#include "engine/scheduler.h"

#include "adjust/courselist.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/texts.h"
#include "engine/autoswap.h"
#include "engine/placement.h"
#include "engine/search.h"

namespace tavro {

namespace {

const QString kSwapModeWarning = QStringLiteral(
    "　　本班课表的编排还没有完成，不能排下一班课！现在处于自动调课状态，应该选可调的课（绿色或黄色）进行调课"
    "。");

// The entry checks, in order; true when one of them stopped the call (its message shown).
bool entryRefused(Ctx& c) {
  const RunState& st = c.st;
  if (st.OptYp) return Tsxx(c.ui, QStringLiteral("请按未排按钮，然后选择一个班级！")), true;
  if (st.OptCqls == 1) return Tsxx(c.ui, QStringLiteral("只能编排长期课表！")), true;
  if (st.LstBj.count() == 0) return Cwxx(c.ui, QStringLiteral("没有未排班级，不能排课！")), true;
  if (st.LstBj.currentText().endsWith(u'未'))
    return Cwxx(c.ui, QStringLiteral("该班级还没有进行排课设置，不能排课！")), true;
  if (st.LstBj.selectedCount() == 0) return Cwxx(c.ui, QStringLiteral("请在班级框中选择一个班级！")), true;
  if (st.LstBj.selectedCount() >= 2) return Cwxx(c.ui, QStringLiteral("只能选一个班级！重选！")), true;
  if (!st.Bxdck.isEmpty()) return Cwxx(c.ui, kSwapModeWarning), true;
  return false;
}

// True when some teacher (number >= 1) of the class plan is free at (xq, jc) in layer 1.
bool anyPlanTeacherFree(const School& s, int nj, int bj, int xq, int jc) {
  for (int k = 1; k <= s.Bjkcs(nj, bj); ++k) {
    const int t = s.Bjkcb(k, 2, nj, bj);
    if (t >= 1 && teacherFree(s, t, xq, jc)) return true;
  }
  return false;
}

// The unplaceable-period check: empty class cells where no plan teacher is free, against the
// lessons that need no teacher. True (message shown) when the class cannot be scheduled.
bool unplaceablePeriods(Ctx& c, int nj, int bj) {
  const School& s = c.s;
  QStringList cells;
  for (int xq = 1; xq <= s.Mzts; ++xq)
    for (int jc = 1; jc <= s.Mtjs; ++jc)
      if (s.Kb(kLongTerm, xq, jc, nj, bj).isEmpty() && !anyPlanTeacherFree(s, nj, bj, xq, jc))
        cells << QStringLiteral("星期") + Xqm(xq) + QStringLiteral("第") + Szc(jc) + QStringLiteral("节");
  int teacherless = 0;
  for (int k = 1; k <= s.Bjkcs(nj, bj); ++k)
    if (s.Bjkcb(k, 2, nj, bj) == 0) teacherless += s.Bjkcb(k, 3, nj, bj);
  const int m = static_cast<int>(cells.size());
  if (teacherless >= m) return false;
  Tsxx(c.ui,
       QStringLiteral("    ") + cells.join(QStringLiteral("、")) + QStringLiteral("班级课表空，但是这") +
           Szc(m) + QStringLiteral("节该班的所有任课教师课表都不空，而且该班没有") + Szc(m) +
           QStringLiteral(
               "节不需要教师的课程，所以无法排课，必须先把某任课教师的原有课调走或修改该班的排课设置。"));
  return true;
}

void prepare(Ctx& c, EngineHost& host, int& nj, int& bj) {
  SchedState& j = c.st.Sched;
  j.Yclh.clear();
  j.Bxdjs = 0;
  c.st.Bxdck.clear();
  c.st.Zddkcs = 0;
  for (QString& pos : c.st.Yxwz) pos.clear();
  host.Xsbb(nj, bj);
  c.st.LstKc.clear();
  nj = HNj(c.st);
  bj = HBj(c.st);
  Xskc(c, nj, bj);
  j.Rypjs.fill(0);
  j.TYdjs.fill(0);
  if (!c.s.isClass(nj, bj)) return;
  for (int d = 1; d <= c.s.Mzts; ++d) j.Rypjs(d) = c.s.Mtjs - HDtbbkkjs(c.s, nj, bj, d);
}

// Takes the first plan row of the item's course not yet in Yclh; 0 when none is left.
int takePlanRow(Ctx& c, int nj, int bj, int course) {
  SchedState& j = c.st.Sched;
  for (int k = 1; k <= c.s.Bjkcs(nj, bj); ++k) {
    if (c.s.Bjkcb(k, 1, nj, bj) != course) continue;
    const QString code = Lbq(3, k);
    bool taken = false;
    for (int i = 0; i + 3 <= j.Yclh.size() && !taken; i += 3) taken = QStringView(j.Yclh).mid(i, 3) == code;
    if (taken) continue;
    j.Yclh += code;
    return k;
  }
  return 0;
}

// Places every lesson of the course of list item `index`.
void scheduleCourse(Ctx& c, int nj, int bj, int index) {
  SchedState& j = c.st.Sched;
  const QString item = c.st.LstKc.item(index);
  j.Ypkjs = 0;
  const int k = takePlanRow(c, nj, bj, cellDigits(item, 0, 3));
  if (k == 0) return;
  j.Pkkch = c.s.Bjkcb(k, 1, nj, bj);
  j.Pkjsh = c.s.Bjkcb(k, 2, nj, bj);
  j.Sykjs = cellDigits(item, 9, 2);
  if (j.Sykjs == 0) return;
  const int weekly = c.s.Bjkcb(k, 3, nj, bj);
  j.Jgts = daySpacing(c, nj, bj, weekly);
  CourseSearch cs;
  cs.itemIndex = index;
  cs.itemCount = c.st.LstKc.count();
  cs.listRemaining = j.Sykjs;
  cs.weekly = weekly;
  while (j.Sykjs > 0) placeNextLesson(c, cs, doubleModeFor(c, nj, bj, weekly));
}

QString swapModeTip(int n) {
  return QStringLiteral("    由于班级课表的最后") + Szc(n) + QStringLiteral("个空格不能排最后") + Szc(n) +
         QStringLiteral(
             "节，现在自动进入调课状态，需调的课黑；优先可调的课绿；可调的课黄；可调但尽量不要调的课橙；"
             "不可调的课红。请您选择哪节课和需调的课对调。");
}

// End of the call: the automatic swap for forced lessons; tip 13 when the class stays in swap mode.
JpOutcome finish(Ctx& c, EngineHost& host, int nj, int bj) {
  SchedState& j = c.st.Sched;
  if (!c.st.Bxdck.isEmpty()) {
    c.st.Pkdkbz = 1;
    Zddk(c, host, c.st.Bxdck, nj, bj, c.st.Zddkcs);
  }
  if (c.st.Bxdck.isEmpty()) return JpOutcome::Finished;
  j.Bxdjs += (static_cast<int>(c.st.Bxdck.size()) + 2) / 4;
  const bool tipOn = c.st.Xsts == 1 || (c.st.Tsbz.size() >= 13 && c.st.Tsbz[12] == u'1');
  if (tipOn && j.Tsyxs == 0) {
    c.ui.tip(13, swapModeTip(j.Bxdjs));
    j.Tsyxs = 1;
  }
  c.st.LstBjEnabled = false;
  return JpOutcome::SwapMode;
}

}  // namespace

int daySpacing(Ctx& c, int nj, int bj, int weekly) {
  int f = 0;
  for (int d = 1; d <= c.s.Mzts; ++d)
    if (HDtbbkkjs(c.s, nj, bj, d) > 0) ++f;
  if (weekly < 1) return 1;
  const int q = f / weekly;
  const int spacing = f % weekly != 0 ? Sjs(c.rng, q, q + 1) : q;
  return spacing == 0 ? 1 : spacing;
}

int freeDayCount(const School& s, int nj, int bj, int jsh, int kch) {
  int r = 0;
  for (int d = 1; d <= s.Mzts; ++d) {
    bool sharedFree = false, hasCourse = false;
    for (int p = 1; p <= s.Mtjs; ++p) {
      const QString& cell = s.Kb(kLongTerm, d, p, nj, bj);
      sharedFree = sharedFree || (cell.isEmpty() && s.Jskb(kLongTerm, d, p, jsh).isEmpty());
      hasCourse = hasCourse || (p <= s.Swjs + s.Xwjs && cellHoldsCourse(cell, kch));
    }
    if (sharedFree && !hasCourse) ++r;
  }
  return r;
}

bool doubleModeFor(const Ctx& c, int nj, int bj, int weekly) {
  const SchedState& j = c.st.Sched;
  if (j.Sykjs == 1) return false;
  if (weekly < 2 * c.s.Mzts && (j.Pkkch == 0 || isSelfStudy(c.s, j.Pkkch))) return false;
  const int r = freeDayCount(c.s, nj, bj, j.Pkjsh, j.Pkkch);
  return c.s.Jlblp(nj) == 0 && j.Sykjs > r;
}

JpOutcome Jp(Ctx& c, EngineHost& host, int nj, int bj) {
  if (entryRefused(c)) return JpOutcome::Refused;
  prepare(c, host, nj, bj);
  if (!c.s.isClass(nj, bj) || unplaceablePeriods(c, nj, bj)) return JpOutcome::Refused;
  c.st.DqNj = nj;
  c.st.DqBj = bj;
  for (int i = 0; i < c.st.LstKc.count(); ++i) scheduleCourse(c, nj, bj, i);
  // The grid shows every lesson placed (the automatic swap and the swap mode work on it).
  host.Xsbb(nj, bj);
  const JpOutcome outcome = finish(c, host, nj, bj);
  host.Cbxskc(nj, bj);
  return outcome;
}

}  // namespace tavro
