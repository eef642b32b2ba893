#include "adjust/courselist.h"

#include <cmath>

#include "core/procedures.h"
#include "core/slots.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

constexpr int kPriorityRows = 50;  // the priority table holds plan rows 0..50

// One plan row of the class: course, teacher, weekly lessons, field 4.
struct PlanRow {
  int course = 0, teacher = 0, lessons = 0, field4 = 0;
};

PlanRow planRow(const School& s, int r, int nj, int bj) {
  if (!s.Bjkcb.has(r, 4, nj, bj)) return {};
  return {s.Bjkcb(r, 1, nj, bj), s.Bjkcb(r, 2, nj, bj), s.Bjkcb(r, 3, nj, bj), s.Bjkcb(r, 4, nj, bj)};
}

// Number of plan rows of the class, kept inside the priority table.
int planRowCount(const School& s, int nj, int bj) {
  const int n = s.Bjkcs(nj, bj);
  return n < 0 ? 0 : (n > kPriorityRows ? kPriorityRows : n);
}

// Slot pass: per slot, the row whose teacher alone (or as one of two) is free there gets a high
// priority, and the remembered positions Yxwz(0..3) are left by the last slot that set them.
void slotPass(Ctx& c, int nj, int bj, int rows, std::array<float, 51>& p) {
  const School& s = c.s;
  int i0 = rows + 1;
  for (int r = 1; r <= rows; ++r) {
    if (planRow(s, r, nj, bj).teacher == 0) {
      i0 = r;
      break;
    }
  }
  for (int x = 1; x <= s.Mzts; ++x) {
    for (int j = 1; j <= s.Mtjs; ++j) {
      int k = 0, row = 0, t = 0;
      for (int r = 1; r <= rows; ++r) {
        const int tr = planRow(s, r, nj, bj).teacher;
        if (tr > 0 && teacherFree(s, tr, x, j)) ++k, row = r, t = tr;
      }
      if (s.Kb(kLongTerm, x, j, nj, bj).isEmpty() && k == 0) {
        row = i0, t = 0;
        if (row <= kPriorityRows) p[row] = 99;
      } else if (row <= kPriorityRows) {
        p[row] = k == 1 ? 90 : (k == 2 ? 85 : 0);
      }
      if (k <= 3 && row > 0)
        c.st.Yxwz[k] = Lbq(3, planRow(s, row, nj, bj).course) + Lbq(3, t) + Lbq(2, x) + Lbq(2, j);
    }
  }
}

// True when an entry of setting column 6 naming course k is at its limit at (x, j).
bool capReachedForList(const Ctx& c, int k, int x, int j) {
  if (!isCapped(c.s, k)) return false;
  bool full = false;
  forEachCapEntry(c.s, k, [&](int e) {
    if (c.st.Ctszc.has(e, x, j) && c.st.Ctszc(e, x, j) >= HLxkcNz(c.s, k, 6)) full = true;
  });
  return full;
}

// Row pass: the priority of one row from its blocked slots and its lesson count.
void rowPriority(const Ctx& c, int nj, int bj, const PlanRow& row, float& p) {
  const School& s = c.s;
  if (row.course == 0) {
    p = row.lessons <= s.Mzts ? 95 : 0;
    return;
  }
  if (row.lessons == 1 && row.teacher == 0) {
    p = 0;
    return;
  }
  double used = 0;
  for (int x = 1; x <= s.Mzts; ++x) {
    for (int j = 1; j <= s.Mtjs; ++j) {
      if (!periodAllowed(s, row.course, j)) {
        used += row.teacher > 0 ? 1 : 0.5;
        p += 1;
      } else if (!teacherFree(s, row.teacher, x, j) || !s.Kb(kLongTerm, x, j, nj, bj).isEmpty()) {
        used += 1;
        p += 1;
      } else if (capReachedForList(c, row.course, x, j)) {
        p += 1;
      }
    }
  }
  const int need = row.lessons - row.field4;
  p += need;
  if (HLxkcNz(s, row.course, 2) > 0) p += 2;
  const double week = s.Mzts * s.Mtjs;
  const double left = std::nearbyint(week - used - need);  // rounds half to even
  if (left == 1) {
    p = 99;
  } else if (left == 2) {
    p = 95;
  } else if (week - used > 4 && row.lessons == 1) {
    p = p / 2;
  }
}

// List item: Lbq(3, course) + name padded with "　" to 6 characters + Ydq(2, n).
QString listItem(const School& s, int course, int n) {
  const QString name = s.Kcmc.has(course) ? s.Kcmc(course) : QString();
  const int pad = name.size() <= 5 ? 6 - static_cast<int>(name.size()) : 0;
  return Lbq(3, course) + name + QStringLiteral("　").repeated(pad) + Ydq(2, n);
}

// With the unscheduled classes shown, lessons already in the timetable lower the counts.
void subtractPlaced(Ctx& c, int nj, int bj) {
  const School& s = c.s;
  ListBox& list = c.st.LstKc;
  for (int x = 1; x <= s.Mzts; ++x) {
    for (int j = 1; j <= s.Mtjs; ++j) {
      const QString& cell = s.Kb(kLongTerm, x, j, nj, bj);
      if (cell.isEmpty() || ValMid(cell, cell.size() - 1, 1) >= 5) continue;
      for (int i = 0; i < list.count(); ++i) {
        const QString& item = list.item(i);
        if (item.left(3) != cell.left(3)) continue;
        const int n = ValMid(item, 9, 2);
        if (n - 1 >= 0) list.setItem(i, item.left(9) + Ydq(2, n - 1) + item.mid(11));
      }
    }
  }
}

}  // namespace

std::array<float, 51> courseListPriorities(Ctx& c, int nj, int bj) {
  std::array<float, 51> p{};
  const int rows = planRowCount(c.s, nj, bj);
  slotPass(c, nj, bj, rows, p);
  for (int r = 1; r <= rows; ++r)
    if (p[r] != 99) rowPriority(c, nj, bj, planRow(c.s, r, nj, bj), p[r]);
  return p;
}

void Xskc(Ctx& c, int nj, int bj) {
  if (nj <= 0 || bj <= 0 || !c.s.isClass(nj, bj)) {
    Cwxx(c.ui, QStringLiteral("未选班级，不能显示班表！"));
    return;
  }
  const std::array<float, 51> p = courseListPriorities(c, nj, bj);
  ListBox& list = c.st.LstKc;
  list.clear();
  const int rows = planRowCount(c.s, nj, bj);
  for (int r = 1; r <= rows; ++r) {
    const PlanRow row = planRow(c.s, r, nj, bj);
    const int h = static_cast<int>(std::floor(p[r] + 0.5));
    list.addItem(Lbq(3, 900 - h) + listItem(c.s, row.course, row.lessons));
  }
  for (int i = 0; i < list.count(); ++i) list.setItem(i, list.item(i).mid(3));
  if (!c.st.OptYp) subtractPlaced(c, nj, bj);
}

}  // namespace tavro
