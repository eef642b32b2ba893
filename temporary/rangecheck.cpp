// The clash test of a temporary swap over every day of its date range.

#include "temporary/rangecheck.h"

#include <QDate>
#include <algorithm>

#include "core/procedures.h"
#include "core/slots.h"
#include "core/texts.h"

namespace tavro {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

// The records of class or teacher changes that hold on some day from start to end, of scheduled
// classes only (the replay skips the others).
QVector<const ChangeRecord*> overlapping(const School& s, const QVector<ChangeRecord>& records,
                                         const QString& start, const QString& end) {
  QVector<const ChangeRecord*> found;
  for (const ChangeRecord& r : records) {
    if (r.start > end || r.end < start) continue;
    int nj = 0, bj = 0;
    Cbjm(s, r.className, nj, bj);
    if (s.isClass(nj, bj) && s.Ypbz.has(nj, bj) && s.Ypbz(nj, bj) > 0) found.append(&r);
  }
  return found;
}

// The days of start..end on which the set of records in force can change: the start, and every
// record's first day and the day after its last day that fall inside the range.
QStringList boundaryDays(const QVector<const ChangeRecord*>& records, const QString& start,
                         const QString& end) {
  QStringList days{start};
  for (const ChangeRecord* r : records) {
    const QString after = QDate::fromString(r->end, kDateFormat).addDays(1).toString(kDateFormat);
    for (const QString& day : {r->start, after})
      if (day > start && day <= end && !days.contains(day)) days << day;
  }
  std::sort(days.begin(), days.end());
  return days;
}

// True when a record in force on `day` changes the cell (xq, jc) of class (nj, bj).
bool classCellChanged(const School& s, const QVector<const ChangeRecord*>& records, const QString& day,
                      int nj, int bj, int xq, int jc) {
  for (const ChangeRecord* r : records) {
    if (!r->inForce(day)) continue;
    int rnj = 0, rbj = 0;
    Cbjm(s, r->className, rnj, rbj);
    if (rnj != nj || rbj != bj) continue;
    for (const LessonChange& l : r->lessons)
      if (l.xq == xq && l.jc == jc) return true;
  }
  return false;
}

// True when teacher t teaches a lesson at (xq, jc) on `day`: the long-term entry with the records
// in force that day applied in file order (T cleared, T' given the lesson).
bool teacherBusyOn(const School& s, const QVector<const ChangeRecord*>& records, const QString& day, int t,
                   int xq, int jc) {
  bool busy = s.Jskb.has(kLongTerm, xq, jc, t) && teacherHasLesson(s.Jskb(kLongTerm, xq, jc, t));
  for (const ChangeRecord* r : records) {
    if (!r->inForce(day)) continue;
    for (const LessonChange& l : r->lessons) {
      if (l.xq != xq || l.jc != jc) continue;
      if (l.teacher == t) busy = false;
      if (l.newTeacher == t) busy = true;
    }
  }
  return busy;
}

QString courseName(const School& s, int k) {
  return s.Kcmc.has(k) ? s.Kcmc(k).trimmed() : QString();
}

QString busyReason(const School& s, int course, int teacher, int xq, int jc, const QString& day) {
  return courseName(s, course) + QStringLiteral("教师") +
         (s.Jsmc.has(teacher) ? s.Jsmc(teacher) : QString()) + QStringLiteral("星期") + Xqm(xq) +
         QStringLiteral("第") + Szc(jc) + QStringLiteral("节不空（") + day + QStringLiteral("起有临时调课）");
}

// The clash of the swap on one day, "" when none.
QString clashOn(const School& s, const QVector<const ChangeRecord*>& records, const TemporarySwapLessons& w,
                const QString& day) {
  const bool single = w.xq1 == w.xq2 && w.jc1 == w.jc2;
  if (classCellChanged(s, records, day, w.nj, w.bj, w.xq1, w.jc1) ||
      (!single && classCellChanged(s, records, day, w.nj, w.bj, w.xq2, w.jc2)))
    return QStringLiteral("该节课") + day + QStringLiteral("起已临时调课，为避免混乱");
  if (single || w.teacher1 == w.teacher2) return QString();
  if (w.teacher1 > 0 && teacherBusyOn(s, records, day, w.teacher1, w.xq2, w.jc2))
    return busyReason(s, w.course1, w.teacher1, w.xq2, w.jc2, day);
  if (w.teacher2 > 0 && teacherBusyOn(s, records, day, w.teacher2, w.xq1, w.jc1))
    return busyReason(s, w.course2, w.teacher2, w.xq1, w.jc1, day);
  return QString();
}

}  // namespace

QString temporarySwapClash(const School& s, const QVector<ChangeRecord>& records,
                           const TemporarySwapLessons& swap, const QString& start, const QString& end) {
  if (start.isEmpty() || end < start) return QString();
  const QVector<const ChangeRecord*> found = overlapping(s, records, start, end);
  if (found.isEmpty()) return QString();
  for (const QString& day : boundaryDays(found, start, end)) {
    const QString reason = clashOn(s, found, swap, day);
    if (!reason.isEmpty()) return reason;
  }
  return QString();
}

}  // namespace tavro
