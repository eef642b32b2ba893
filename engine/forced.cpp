// Forced placement: a lesson that no acceptable slot takes goes to the first
// empty period of the class, over its teacher's other lesson when need be; the
// displaced lesson is parked in teacher row Jss + 1 and the slot is noted in
// the must-move list for the automatic swap.

#include "core/errors.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/timetable_file.h"
#include "engine/placement.h"
#include "engine/search.h"

namespace tavro {

namespace {

const QString kNoRoom = QStringLiteral(
    "　　需要排的节数大于课表中的空格数，本班无法继续排课，前几个已排班级的课表已经保存。按“确定”按钮后退出本"
    "系"
    "统，再进入后重新编排本班级课表。");

// True when the lesson may be placed normally at the slot forced placement found. A period the
// course bans never takes it normally, not even for course 0.
bool placeNormally(const Ctx& c, int day, int period, int u, int q) {
  const School& s = c.s;
  const int course = c.st.Sched.Pkkch, teacher = c.st.Sched.Pkjsh;
  if (!periodAllowed(s, course, period)) return false;
  if (course == 0) return true;
  const QString name = s.Kcmc.has(course) ? s.Kcmc(course).trimmed() : QString();
  if (period == 1 && (name == u"美术" || name == u"音乐" || name == u"体育")) return false;
  if (period <= 2 && (name == u"空课" || name == u"自修" || name == u"自习")) return false;
  if (Hlqlknfp(s, c.st, day, period, course)) return false;
  if (teacher != 0 && !teacherFree(s, teacher, day, period)) return false;
  return u <= q;
}

// The first empty period of weekday w that the course allows (any empty period when allowedOnly is
// false); 0 when none.
int firstEmptyPeriod(const School& s, int nj, int bj, int w, int course, bool allowedOnly) {
  for (int p = 1; p <= s.Mtjs; ++p)
    if (s.Kb(kLongTerm, w, p, nj, bj).isEmpty() && (!allowedOnly || periodAllowed(s, course, p))) return p;
  return 0;
}

}  // namespace

void endForNoRoom(Ctx& c, int nj, int bj) {
  Tsxx(c.ui, kNoRoom);
  for (int xq = 1; xq <= c.s.Mzts; ++xq)
    for (int jc = 1; jc <= c.s.Mtjs; ++jc) c.s.Kb(kLongTerm, xq, jc, nj, bj).clear();
  Bckb(c);
  waitForTimetableSaves(c.st);
  throw ProgramEnd(kNoRoom);
}

void forcePlace(Ctx& c, CourseSearch& cs) {
  School& s = c.s;
  SchedState& j = c.st.Sched;
  const int nj = c.st.DqNj, bj = c.st.DqBj, course = j.Pkkch, teacher = j.Pkjsh;
  const int q = (cs.listRemaining + s.Mzts - 1) / s.Mzts;
  // The first empty period the course allows; only when every empty period is banned for it, the
  // first empty period, where the lesson must move (it never stays in a banned period).
  int day = 0, period = 0;
  for (int pass = 0; pass < 2 && day == 0; ++pass) {
    for (int w = 1; w <= s.Mzts && day == 0; ++w) {
      j.Rypjs(w) = s.Mtjs - HDtbbkkjs(s, nj, bj, w);
      if (j.Rypjs(w) >= s.Mtjs) continue;
      period = firstEmptyPeriod(s, nj, bj, w, course, pass == 0);
      if (period > 0) day = w;
    }
  }
  if (day == 0) endForNoRoom(c, nj, bj);
  const int u = courseCountOnDay(s, nj, bj, day, course) + (cs.lastDoublePlaced ? 2 : 1);
  cs.day = day;
  cs.prevPeriod = period;
  ++j.Rypjs(day);
  if (placeNormally(c, day, period, u, q)) {
    Clbbrb(s, c.st, nj, bj, day, period, course, teacher, cs.ypts, kLongTerm);
    return;
  }
  const int parking = s.Jss + 1;
  s.Jskb(kLongTerm, day, period, parking) = s.Jskb(kLongTerm, day, period, teacher);
  s.Jskb(kTemporary, day, period, parking) = Lbq(3, teacher);
  Clbbyjk(s, c.st, nj, bj, day, period, course, teacher, cs.ypts, kLongTerm);
  Sjjrbjshib(s, c.st, teacher, day, period, course, nj, bj, kLongTerm);
  c.st.Bxdck += Lbq(2, day) + Lbq(2, period);
}

}  // namespace tavro
