// The preparation steps of the scheduling run.

#include "core/cells.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/vbtext.h"
#include "engine/placement.h"
#include "engine/run.h"

namespace tavro {

namespace {

QString rightTrimmed(QString text) {
  while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
  return text;
}

// Setting character of a value: 0..9 as the digit, 10..20 as "a".."k".
QChar settingChar(int v) {
  if (v <= 0) return u'0';
  if (v <= 9) return QChar(u'0' + v);
  return QChar(u'a' + ((v > 20 ? 20 : v) - 10));
}

// The grade codes, course codes and cell text of one blocked-period record.
struct BlockedEvent {
  QString grades;   // 2-digit grade codes
  QString courses;  // 3-digit course codes
  QString code;     // "2", "6" or "7"
  bool wholeSchool = false;
};

BlockedEvent readBlockedEvent(const School& s, int w) {
  BlockedEvent e;
  const QString who = s.Hyjy(4, w);
  const int courseMark = who.indexOf(u'课');
  e.wholeSchool = who.mid(2, 2) == QStringLiteral("全校");
  if (e.wholeSchool) {
    for (int g = s.Snj; g <= s.Mnj; ++g) e.grades += Lbq(2, g);
  } else {
    e.grades = courseMark > 2 ? who.mid(2, courseMark - 2) : QString();
  }
  e.courses = courseMark >= 0 ? who.mid(courseMark + 2) : QString();
  if (e.courses == QStringLiteral("全部")) {
    e.courses.clear();
    for (int k = 1; k <= s.Kcs; ++k) e.courses += Lbq(3, k);
  }
  const QString reason = s.Hyjy(2, w);
  e.code = reason.endsWith(QStringLiteral("会议"))       ? QStringLiteral("6")
           : reason.endsWith(QStringLiteral("教研活动")) ? QStringLiteral("7")
                                                         : QStringLiteral("2");
  return e;
}

// True when teacher t teaches course k in grade g (or school-wide, grade part 18); in any grade
// when the record is for the whole school.
bool teachesIn(const School& s, int t, int k, int g, bool wholeSchool) {
  const QString& codes = s.Jsrk(t);
  for (int i = 0; i + 5 <= codes.size(); i += 5) {
    if (ValMid(codes, i, 3) != k) continue;
    const int part = ValMid(codes, i + 3, 2);
    if (wholeSchool || part == g || part == 18) return true;
  }
  return false;
}

// Records the time of a research activity per school section.
void recordResearchTime(School& s, const QString& grades, int k, int xq, int jc, int times) {
  int h = 0;
  if (s.Xxlx == 2 && grades == QStringLiteral("070809")) h = 1;
  if (s.Xxlx == 2 && grades == QStringLiteral("101112")) h = 2;
  if (!s.Jysj.has(h, 2, k) || !s.Jysjs.has(h, k)) return;
  s.Jysj(h, 1, k) = xq;
  s.Jysj(h, 2, k) = jc;
  s.Jysjs(h, k) = times;
}

void markOneEvent(School& s, int w) {
  const BlockedEvent e = readBlockedEvent(s, w);
  const QString& times = s.Hyjy(1, w);
  for (int gi = 0; gi + 2 <= e.grades.size(); gi += 2) {
    const int g = ValMid(e.grades, gi, 2);
    for (int ci = 0; ci + 3 <= e.courses.size(); ci += 3) {
      const int k = ValMid(e.courses, ci, 3);
      const QString text = e.code == QStringLiteral("7") ? e.code + Lbq(3, k) : e.code;
      for (int ti = 0; ti + 4 <= times.size(); ti += 4) {
        const int xq = ValMid(times, ti, 2), jc = ValMid(times, ti + 2, 2);
        if (xq < 1 || xq > kMaxWeekday || jc < 1 || jc > kMaxPeriod) continue;
        bool written = false;
        for (int t = 1; t <= s.Jss && s.Jskb.has(kLongTerm, xq, jc, t); ++t) {
          if (!s.Jskb(kLongTerm, xq, jc, t).isEmpty() || !teachesIn(s, t, k, g, e.wholeSchool)) continue;
          s.Jskb(kLongTerm, xq, jc, t) = text;
          s.Jskb(kTemporary, xq, jc, t) = text;
          written = true;
        }
        if (written && e.code == QStringLiteral("7"))
          recordResearchTime(s, e.grades, k, xq, jc, times.size() / 4);
      }
    }
  }
}

// Teachers of one combined lesson in class (nj, bj): the head teacher for "班主任", none for "000".
QString combinedTeachers(const School& s, const QString& field5, int nj, int bj) {
  if (field5 == QStringLiteral("班主任")) return s.Bzr(nj, bj) > 0 ? Lbq(3, s.Bzr(nj, bj)) : QString();
  if (field5 == QStringLiteral("000")) return QString();
  return field5;
}

// Counts a teacher's blocked long-term periods.
int blockedPeriods(const School& s, int t) {
  int n = 0;
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j)
      if (isBlocked(s.Jskb(kLongTerm, x, j, t))) ++n;
  return n;
}

}  // namespace

void buildCourseSettings(School& s) {
  for (int k = 0; k < s.Kcs && s.Kcszbz.has(k); ++k) s.Kcszbz(k) = QStringLiteral("00000000");
  for (int p = 1; p <= 8; ++p) {
    const int entries = s.Szlmc.has(p, 0) ? ValInt(s.Szlmc(p, 0)) : 0;
    for (int i = 1; i <= entries && s.Szlmc.has(p, i) && s.Szlz.has(p, i); ++i) {
      const QString name = rightTrimmed(s.Szlmc(p, i));
      for (int k = 0; k < s.Kcs && s.Kcszbz.has(k); ++k)
        if (rightTrimmed(s.Kcmc(k)) == name) s.Kcszbz(k)[p - 1] = settingChar(s.Szlz(p, i));
    }
  }
}

void markBlockedEvents(School& s) {
  for (int w = 1; w <= s.Hyjys; ++w)
    if (s.Hyjy.has(4, w) && s.Hyjy(4, w).startsWith(u'年')) markOneEvent(s, w);
}

void placeCombinedLessons(Ctx& c) {
  School& s = c.s;
  for (int n = 1; n <= s.Hbks; ++n) {
    const QString times = s.Hbk(3, n), classes = s.Hbk(2, n);
    for (int ti = 0; ti + 4 <= times.size(); ti += 4) {
      const int xq = ValMid(times, ti, 2), jc = ValMid(times, ti + 2, 2);
      if (xq < 1 || xq > s.Mzts || jc < 1 || jc > s.Mtjs) continue;
      auto place = [&](int nj, int bj) {
        Cltyk(c, n, nj, bj, xq, jc, ValInt(s.Hbk(4, n)), combinedTeachers(s, s.Hbk(5, n), nj, bj));
      };
      for (int ci = 0; ci + 4 <= classes.size(); ci += 4) {
        const int nj = ValMid(classes, ci, 2), bj = ValMid(classes, ci + 2, 2);
        if (nj == 0 && bj == 0) {
          for (int g = s.Snj; g <= s.Mnj; ++g)
            for (int b = 1; s.Njbjs.has(g) && b <= s.Njbjs(g); ++b) place(g, b);
        } else if (s.isClass(nj, bj)) {
          place(nj, bj);
        }
      }
    }
  }
}

void reportTeacherLoad(Ctx& c) {
  const School& s = c.s;
  QString impossible, tight;
  for (int t = 1; t <= s.Jss && s.Jsmc.has(t); ++t) {
    const int available = s.Mzts * s.Mtjs - blockedPeriods(s, t), needed = s.Jszjs(t);
    const QString head =
        Lbq(3, t) + s.Jsmc(t) + QStringLiteral("：") + QStringLiteral("可排节数为") + Szc(available);
    if (available < needed)
      impossible += head + QStringLiteral("，小于需排节数") + Szc(needed) + QStringLiteral("；\r\n");
    if (needed < available && available - needed < c.st.Csz8)
      tight += head + QStringLiteral("，需排节数为") + Szc(needed) + QStringLiteral("；\r\n");
  }
  if (!impossible.isEmpty()) Tsxx(c.ui, impossible + QStringLiteral("这些教师的课表无法排！"));
  if (!tight.isEmpty())
    Tsxx(c.ui, QStringLiteral("　　以下教师每周的空课节数较少：\r\n") + tight +
                   QStringLiteral("　　这些教师的课表可能难排。"));
}

void recountFinishedClasses(Ctx& c) {
  School& s = c.s;
  s.Ypbjs = 0;
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj) {
      bool full = true;
      for (int x = 1; x <= s.Mzts && full; ++x)
        for (int j = 1; j <= s.Mtjs && full; ++j) full = !s.Kb(kLongTerm, x, j, nj, bj).isEmpty();
      if (!full) continue;
      s.Ypbz(nj, bj) = 1;
      ++s.Ypbjs;
    }
  }
  if (s.Ypbjs == s.Bjzs) c.st.OptYp = true;
}

void sortPlansByCourse(School& s) {
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj) {
      int rows = 0;
      for (int k = 1; k <= s.Bjkcs(nj, bj) && s.Bjkcjs.has(nj, bj, k) && s.Bjkcb.has(k, 2, nj, bj);
           ++k, ++rows) {
        s.Bjkcjs(nj, bj, k) = s.Bjkcb(k, 1, nj, bj);
        s.Bjkcjsh(nj, bj, k) = s.Bjkcb(k, 2, nj, bj);
      }
      for (int k = 1; k <= rows; ++k) {
        for (int m = k + 1; m <= rows; ++m) {
          if (s.Bjkcjs(nj, bj, m) >= s.Bjkcjs(nj, bj, k)) continue;
          Jh(s.Bjkcjs(nj, bj, m), s.Bjkcjs(nj, bj, k));
          Jh(s.Bjkcjsh(nj, bj, m), s.Bjkcjsh(nj, bj, k));
        }
      }
    }
  }
}

void reduceResearchCells(School& s) {
  for (int t = 1; t <= s.Jss; ++t) {
    for (int x = 1; x <= s.Mzts; ++x) {
      for (int j = 1; j <= s.Mtjs && s.Jskb.has(kLongTerm, x, j, t); ++j) {
        QString& cell = s.Jskb(kLongTerm, x, j, t);
        if (cell.size() != 4 || !cell.startsWith(u'7')) continue;
        cell = QStringLiteral("7");
        s.Jskb(kTemporary, x, j, t) = cell;
      }
    }
  }
}

}  // namespace tavro
