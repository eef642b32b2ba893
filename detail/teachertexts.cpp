// Caption, combined-lesson lines and temporary-change notice of the teacher view.

#include "detail/teachertexts.h"

#include "core/cells.h"
#include "core/procedures.h"
#include "core/vbtext.h"
#include "detail/celltexts.h"
#include "detail/tabletext.h"

namespace tavro {

using detail::entry;

namespace {

// Lbq(3, t) + Jsmc(t): the teacher as the notices name him or her.
QString teacherLabel(const School& s, int t) {
  return Lbq(3, t) + entry(s.Jsmc, t);
}

}  // namespace

QString teacherCaption(const School& s, int t) {
  QString subjects = Jsrkmc(s, t);
  Clrkqk(s, subjects, true);
  const int columns = s.Hsdm != 0 ? s.Mzts : s.Mtjs;
  if (subjects.size() > (HGkd(s) + 0.5) * columns - 2) {
    subjects = Jsrkmc(s, t);
    Clrkqk(s, subjects, false);
  }
  subjects.remove(QChar(0x3000));
  subjects.remove(u' ');
  return teacherLabel(s, t) + u' ' + subjects;
}

QStringList combinedLessonLines(const School& s, int t) {
  QString lessons;
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j) {
      const QString cell = entry(s.Jskb, kLongTerm, x, j, t);
      if (isTeacherCombinedCell(cell)) lessons += cell.mid(4, 3);
    }
  Qcdm(lessons, 3);
  QStringList lines;
  for (int i = 0; i < codeCount(lessons, 3); ++i) {
    const int n = ValInt(codeAt(lessons, 3, i));
    if (entry(s.Hbk, 5, n) == QStringLiteral("班主任") || entry(s.Hbk, 2, n) == QStringLiteral("0000"))
      continue;
    lines << Xqjcwb(entry(s.Hbk, 3, n)) + QChar(0x3000) + Hbbjmc(s, n);
  }
  return lines;
}

QString temporaryChangeNotice(const School& s, int xq, int jc, int t) {
  const QString longTerm = entry(s.Jskb, kLongTerm, xq, jc, t);
  const QString temporary = entry(s.Jskb, kTemporary, xq, jc, t);
  if (longTerm == temporary) return QString();
  const QString changedTo = QStringLiteral("该节已临时改为") + teacherLabel(s, t) + QStringLiteral("老师的") +
                            entry(s.Kcmc, cellCourse(temporary)) + QStringLiteral("！");
  if (longTerm.isEmpty()) return changedTo;
  for (int h = 1; h <= s.Jss; ++h) {
    const QString other = entry(s.Jskb, kTemporary, xq, jc, h);
    if (Val(other) <= 9) continue;
    if (other == longTerm)
      return QStringLiteral("该节已和") + teacherLabel(s, h) + QStringLiteral("老师临时代课！");
    if (other.mid(3) == longTerm.mid(3))
      return QStringLiteral("该节已和") + teacherLabel(s, h) + QStringLiteral("老师的") +
             entry(s.Kcmc, cellCourse(other)) + QStringLiteral("临时调课！");
    if (Val(longTerm) < 10) return changedTo;
  }
  return QString();
}

}  // namespace tavro
