#include "core/slots.h"

#include <algorithm>

#include "core/vbtext.h"

namespace tavro {

namespace {
bool isBlankChar(QChar c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// The long-term class cell, or an empty text outside the cube.
const QString& classCell(const School& s, int xq, int jc, int nj, int bj) {
  return s.Kb(kLongTerm, xq, jc, nj, bj);
}
}  // namespace

int cellDigits(const QString& cell, int pos, int len) {
  const int end = std::min(static_cast<int>(cell.size()), pos + len);
  int value = 0;
  for (int i = pos; i < end; ++i) {
    const QChar ch = cell[i];
    if (isBlankChar(ch)) continue;
    if (ch < u'0' || ch > u'9') break;
    value = value * 10 + (ch.unicode() - u'0');
  }
  return value;
}

bool teacherHasLesson(const QString& cell) {
  if (cell.isEmpty()) return false;
  // A first digit other than 0 followed by a second digit already makes a value of 10 or more.
  if (cell.size() >= 2 && cell[0] > u'0' && cell[0] <= u'9' && cell[1] >= u'0' && cell[1] <= u'9')
    return true;
  return Val(cell) >= 10;
}

bool cellHoldsCourse(const QString& cell, int kch) {
  return !cell.isEmpty() && cellDigits(cell, 0, 3) == kch;
}

int capEntryCount(const School& s) {
  return s.Szlmc.has(6, 0) ? ValInt(s.Szlmc(6, 0)) : 0;
}

bool isCapped(const School& s, int kch) {
  if (!s.Kcszbz.has(kch)) return false;
  const QString& flags = s.Kcszbz(kch);
  return flags.size() >= 6 && flags[5] > u'0';
}

void resetCtszc(const School& s, RunState& st) {
  st.Ctszc.resize({Range{1, capEntryCount(s)}, Range{0, kMaxWeekday}, Range{0, kMaxPeriod}});
}

int HNj(const RunState& st) {
  for (int i = 0; i < st.LstBj.count(); ++i)
    if (st.LstBj.selected(i)) return cellDigits(st.LstBj.item(i), 0, 2);
  return 0;
}

int HBj(const RunState& st) {
  for (int i = 0; i < st.LstBj.count(); ++i)
    if (st.LstBj.selected(i)) return cellDigits(st.LstBj.item(i), 2, 2);
  return 0;
}

int HDtbbkkjs(const School& s, int nj, int bj, int xq) {
  int n = 0;
  for (int jc = 1; jc <= s.Mtjs; ++jc)
    if (classCell(s, xq, jc, nj, bj).isEmpty()) ++n;
  return n;
}

int HDtrbykjs(const School& s, int xq, int jsh) {
  int n = 0;
  for (int jc = 1; jc <= s.Mtjs; ++jc)
    if (teacherHasLesson(s.Jskb(kLongTerm, xq, jc, jsh))) ++n;
  return n;
}

QString HXqxyykjs(const School& s, int nj, int bj, int xq, int kch) {
  QString periods;
  for (int jc = 1; jc <= s.Mtjs; ++jc) {
    if (!cellHoldsCourse(classCell(s, xq, jc, nj, bj), kch)) continue;
    periods += QChar(u'0' + jc / 10);
    periods += QChar(u'0' + jc % 10);
  }
  return periods;
}

int courseCountOnDay(const School& s, int nj, int bj, int xq, int kch) {
  int n = 0;
  for (int jc = 1; jc <= s.Mtjs; ++jc)
    if (cellHoldsCourse(classCell(s, xq, jc, nj, bj), kch)) ++n;
  return n;
}

std::vector<int> HKpxqjh(const School& s, int nj, int bj, int jsh) {
  std::vector<int> days;
  for (int xq = 1; xq <= s.Mzts; ++xq) {
    for (int jc = 1; jc <= s.Mtjs; ++jc) {
      if (classCell(s, xq, jc, nj, bj).isEmpty() && s.Jskb(kLongTerm, xq, jc, jsh).isEmpty()) {
        days.push_back(xq);
        break;
      }
    }
  }
  return days;
}

void Bbsrb(const School& s, int dqcqls, int nj, int bj, int xq, int jc, int& kch, int& jsh, QString& kcxz) {
  const QString& cell = s.Kb(dqcqls, xq, jc, nj, bj);
  kch = cellDigits(cell, 0, 3);
  jsh = cellDigits(cell, 3, 3);
  kcxz = cell.isEmpty() ? QString() : cell.right(1);
}

int HLxkcNz(const School& s, int kch, int lx) {
  if (!s.Kcszbz.has(kch) || lx < 1 || lx > s.Kcszbz(kch).size()) return 0;
  const QChar ch = s.Kcszbz(kch)[lx - 1];
  if (ch >= u'0' && ch <= u'9') return ch.unicode() - u'0';
  if (ch >= u'a' && ch <= u'k') return ch.unicode() - u'a' + 10;
  return 0;
}

bool Hlqlknfp(const School& s, const RunState& st, int xq, int jc, int kch) {
  return fullCapEntry(s, st, xq, jc, kch) != 0;
}

bool periodAllowed(const School& s, int kch, int period) {
  if (!s.Mtjp.has(kch) || period < 1) return true;
  const QString& allowed = s.Mtjp(kch);
  return period > allowed.size() || allowed[period - 1] != u'0';
}

bool onlyLastPeriodAllowed(const School& s, int kch) {
  if (!s.Mtjp.has(kch) || s.Mtjs > s.Mtjp(kch).size()) return false;
  const QString& allowed = s.Mtjp(kch);
  for (int p = 1; p < s.Mtjs; ++p)
    if (allowed[p - 1] != u'0') return false;
  return allowed[s.Mtjs - 1] == u'1';
}

bool teacherFree(const School& s, int t, int xq, int jc) {
  return s.Jskb.has(kLongTerm, xq, jc, t) && s.Jskb(kLongTerm, xq, jc, t).isEmpty();
}

int fullCapEntry(const School& s, const RunState& st, int xq, int jc, int kch) {
  if (!isCapped(s, kch)) return 0;
  int full = 0;
  forEachCapEntry(s, kch, [&](int i) {
    if (full == 0 && st.Ctszc.has(i, xq, jc) && s.Szlz.has(6, i) && st.Ctszc(i, xq, jc) >= s.Szlz(6, i))
      full = i;
  });
  return full;
}

int freeClassPeriods(const School& s, int nj, int bj, int xq) {
  int count = 0;
  for (int jc = 1; jc <= s.Mtjs; ++jc) {
    const QString& cell = classCell(s, xq, jc, nj, bj);
    if (cell.isEmpty() || (cellDigits(cell, 0, 3) == 0 && cell.back() < u'5')) ++count;
  }
  return count;
}

void Jskkzd(const School& s, int a, int b, int nj, int bj, int& kkd) {
  int best = 0;
  for (int i = a; i <= b; ++i) {
    const int count = freeClassPeriods(s, nj, bj, i);
    if (count > best) {
      kkd = i;
      best = count;
    }
  }
}

void Jsykzd(const School& s, int a, int b, int nj, int bj, int& ked) {
  int best = 0;
  for (int i = a; i <= b; ++i) {
    int count = 0;
    for (int jc = 1; jc <= s.Mtjs; ++jc) {
      const QString& cell = classCell(s, i, jc, nj, bj);
      if (!cell.isEmpty() && cellDigits(cell, 0, 3) != 0) ++count;
    }
    if (count > best) {
      ked = i;
      best = count;
    }
  }
}

}  // namespace tavro
