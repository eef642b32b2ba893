// Replaying the records of "调课.txt" into the temporary layer.

#include "core/procedures.h"
#include "core/textfile.h"
#include "temporary/changefile.h"

namespace tavro {

namespace {

// True when every lesson of the record can be written for class (nj, bj).
bool lessonsFit(const School& s, const ChangeRecord& r, int nj, int bj) {
  for (const LessonChange& l : r.lessons) {
    if (l.xq < 1 || l.xq > s.Mzts || l.jc < 1 || l.jc > s.Mtjs) return false;
    if (!s.Kb.has(kTemporary, l.xq, l.jc, nj, bj)) return false;
    if (!s.Jskb.has(kTemporary, l.xq, l.jc, l.teacher) || !s.Jskb.has(kTemporary, l.xq, l.jc, l.newTeacher))
      return false;
  }
  return true;
}

// The day the temporary layer shows: the start date of the date range (DTPicker1), so that a change
// dated ahead shows while its range is being looked at; today (Jtrq) while the range has no date.
QDate temporaryLayerDay(const RunState& st) {
  return st.DTPicker1.isValid() ? st.DTPicker1 : Jtrq(st);
}

}  // namespace

void resetTemporaryLayer(School& s) {
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    const int classes = s.Njbjs.has(nj) ? s.Njbjs(nj) : 0;
    for (int bj = 1; bj <= classes; ++bj)
      for (int x = 1; x <= s.Mzts; ++x)
        for (int j = 1; j <= s.Mtjs; ++j)
          if (s.Kb.has(kLongTerm, x, j, nj, bj))
            s.Kb(kTemporary, x, j, nj, bj) = s.Kb(kLongTerm, x, j, nj, bj);
  }
  for (int t = 0; t <= s.Jss; ++t)
    for (int x = 1; x <= s.Mzts; ++x)
      for (int j = 1; j <= s.Mtjs; ++j)
        if (s.Jskb.has(kLongTerm, x, j, t)) s.Jskb(kTemporary, x, j, t) = s.Jskb(kLongTerm, x, j, t);
}

bool applyChangeRecord(School& s, const ChangeRecord& record) {
  int nj = 0, bj = 0;
  Cbjm(s, record.className, nj, bj);
  if (!s.isClass(nj, bj) || !s.Ypbz.has(nj, bj) || s.Ypbz(nj, bj) <= 0) return false;
  if (!lessonsFit(s, record, nj, bj)) return false;
  for (const LessonChange& l : record.lessons) {
    s.Kb(kTemporary, l.xq, l.jc, nj, bj) =
        Lbq(3, l.newCourse) + Lbq(3, l.newTeacher) + QStringLiteral("000") + QStringLiteral("0");
    s.Jskb(kTemporary, l.xq, l.jc, l.teacher).clear();
    s.Jskb(kTemporary, l.xq, l.jc, l.newTeacher) =
        Lbq(3, l.newCourse) + Lbq(2, nj) + Lbq(2, bj) + QStringLiteral("000");
  }
  return true;
}

void Dklsgkwj(Ctx& c) {
  resetTemporaryLayer(c.s);
  const ChangeFile file = readChangeFile(changeFilePath(c.s));
  const QString day = Rqwb(temporaryLayerDay(c.st));
  for (const ChangeRecord& r : file.records) {
    c.st.Lsksrq = r.start;
    c.st.Lsjsrq = r.end;
    if (r.inForce(day)) applyChangeRecord(c.s, r);
  }
  if (file.broken > 0)
    Cwxx(c.ui, QStringLiteral("　　第") + QString::number(file.broken) +
                   QStringLiteral("个临时调课记录格式错误！"));
}

void replayKeepingLastChange(Ctx& c) {
  Dklsgkwj(c);
  const ChangeFile file = readChangeFile(changeFilePath(c.s));
  if (!file.records.isEmpty() && file.stoppingRecord() == 0) applyChangeRecord(c.s, file.records.last());
}

}  // namespace tavro
