#include "engine/checks_memo.h"

namespace tavro {

namespace {

// True when a cell is the very text the memo kept: both empty, or the same shared characters.
// The memo holds a copy of every kept cell, so shared characters cannot have been changed in place.
bool sameCell(const QString& now, const QString& kept) {
  return now.size() == kept.size() && (now.isEmpty() || now.constData() == kept.constData());
}

// The number of class slots per (weekday, period): grades times classes 0..Zdbjs, as Kb orders them.
int classSlotCount(const School& s) {
  const auto& b = s.Kb.bounds();
  return b[3].size() * b[4].size();
}

std::size_t cellIndex(const ConsistencyMemo& memo, int slotCount, int x, int j, int cls) {
  return (static_cast<std::size_t>(x - 1) * static_cast<std::size_t>(memo.periods) +
          static_cast<std::size_t>(j - 1)) *
             static_cast<std::size_t>(slotCount) +
         static_cast<std::size_t>(cls);
}

// Starts the memo afresh when the tables or the week changed size since it was made.
void fitMemo(const School& s, ConsistencyMemo& memo) {
  if (memo.classBounds == s.Kb.bounds() && memo.teacherBounds == s.Jskb.bounds() && memo.days == s.Mzts &&
      memo.periods == s.Mtjs)
    return;
  memo = ConsistencyMemo{};
  memo.classBounds = s.Kb.bounds();
  memo.teacherBounds = s.Jskb.bounds();
  memo.days = s.Mzts;
  memo.periods = s.Mtjs;
  const int slotCount = classSlotCount(s);
  memo.known.assign(static_cast<std::size_t>(slotCount), 0);
  memo.plans.assign(static_cast<std::size_t>(slotCount), {});
  memo.cells.resize(static_cast<std::size_t>(std::max(0, s.Mzts * s.Mtjs * slotCount)));
}

// True when the plan of class (nj, bj) is the one kept, compared row by row in place.
bool samePlan(const School& s, int nj, int bj, const PlanPairs& kept) {
  std::size_t i = 0;
  for (int r = 1; r <= s.Bjkcs(nj, bj) && s.Bjkcb.has(r, 3, nj, bj); ++r, ++i)
    if (i >= kept.size() || kept[i].first != s.Bjkcb(r, 1, nj, bj) || kept[i].second != s.Bjkcb(r, 2, nj, bj))
      return false;
  return i == kept.size();
}

// Clears the marks of classes whose plan differs from the one the memo saw.
void dropChangedPlans(const School& s, const ConsistencyMemo& memo, std::vector<char>& vouched) {
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj) {
      const int cls = classSlot(s, nj, bj);
      if (vouched[cls] && !samePlan(s, nj, bj, memo.plans[cls])) vouched[cls] = 0;
    }
}

// Clears the marks of classes with a cell, or the teacher cell of a lesson, that differs from the
// one the memo saw. The cells are compared weekday by weekday and period by period over all
// classes, the order in which Kb and Jskb lie in memory, so that the pass stays quick for a school
// of hundreds of classes.
void dropChangedCells(const School& s, const ConsistencyMemo& memo, std::vector<char>& vouched) {
  const int slotCount = classSlotCount(s);
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j) {
      const QString* teacherCells = &s.Jskb(kLongTerm, x, j, s.Jskb.bounds()[3].lo) - s.Jskb.bounds()[3].lo;
      const int teacherHi = s.Jskb.bounds()[3].hi;
      const ConsistencyMemo::Cell* keptCells = &memo.cells[cellIndex(memo, slotCount, x, j, 0)];
      for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
        const int classes = s.Njbjs.has(nj) ? s.Njbjs(nj) : 0;
        if (classes <= 0) continue;
        const int first = classSlot(s, nj, 1);
        const QString* cells = &s.Kb(kLongTerm, x, j, nj, 1);
        (void)s.Kb(kLongTerm, x, j, nj, classes);  // throws, as any access would, past the last class
        for (int bj = 0; bj < classes; ++bj) {
          const int cls = first + bj;
          if (!vouched[cls]) continue;
          const ConsistencyMemo::Cell& kept = keptCells[cls];
          if (!sameCell(cells[bj], kept.cell) ||
              (kept.teacher > 0 &&
               (kept.teacher > teacherHi || !sameCell(teacherCells[kept.teacher], kept.teacherCell))))
            vouched[cls] = 0;
        }
      }
    }
}

}  // namespace

int lessonDigits(const QChar* p, int pos, int len) {
  int v = 0;
  for (int i = pos; i < pos + len; ++i) {
    const char16_t ch = p[i].unicode();
    v = v * 10 + (ch >= u'0' && ch <= u'9' ? ch - u'0' : 0);
  }
  return v;
}

PlanPairs planPairs(const School& s, int nj, int bj) {
  PlanPairs rows;
  for (int r = 1; r <= s.Bjkcs(nj, bj) && s.Bjkcb.has(r, 3, nj, bj); ++r)
    rows.emplace_back(s.Bjkcb(r, 1, nj, bj), s.Bjkcb(r, 2, nj, bj));
  return rows;
}

int classSlot(const School& s, int nj, int bj) {
  const auto& b = s.Kb.bounds();
  return (nj - b[3].lo) * b[4].size() + (bj - b[4].lo);
}

std::vector<char> vouchedClasses(const School& s, ConsistencyMemo& memo) {
  fitMemo(s, memo);
  std::vector<char> vouched = memo.known;
  dropChangedPlans(s, memo, vouched);
  dropChangedCells(s, memo, vouched);
  return vouched;
}

void rememberClass(const School& s, ConsistencyMemo& memo, int nj, int bj, const PlanPairs& plan) {
  fitMemo(s, memo);
  const int slotCount = classSlotCount(s), cls = classSlot(s, nj, bj);
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j) {
      ConsistencyMemo::Cell& kept = memo.cells[cellIndex(memo, slotCount, x, j, cls)];
      kept.cell = s.Kb(kLongTerm, x, j, nj, bj);
      kept.teacher = 0;
      kept.teacherCell.clear();
      if (kept.cell.size() < 10 || kept.cell.at(9) >= u'5') continue;
      const int t = lessonDigits(kept.cell.constData(), 3, 3);
      if (t <= 0 || !s.Jskb.has(kLongTerm, x, j, t)) continue;
      kept.teacher = t;
      kept.teacherCell = s.Jskb(kLongTerm, x, j, t);
    }
  memo.plans[cls] = plan;
  memo.known[cls] = 1;
}

}  // namespace tavro
