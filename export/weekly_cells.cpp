// Geometry of the weekly tables and the texts of their cells.

#include <algorithm>
#include <cmath>

#include "core/cells.h"
#include "core/procedures.h"
#include "core/vbtext.h"
#include "export/names.h"
#include "export/selection.h"
#include "export/weekly.h"

namespace tavro {

namespace {

// Most lines of teacher list per timetable.
constexpr int kMaxListLines = 30;

// The largest number of combined lessons one class takes part in.
int mostCombinedLessons(const School& s) {
  int most = 0;
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj) {
      const QString code = Lbq(2, nj) + Lbq(2, bj);
      int count = 0;
      for (int n = 1; n <= s.Hbks; ++n)
        if (s.Hbk(2, n) == QStringLiteral("0000") || hasCode(s.Hbk(2, n), code)) ++count;
      most = std::max(most, count);
    }
  }
  return most;
}

// Entries per line, gap and lines of the teacher list.
void listGeometry(const ExportCtx& c, WeeklyLayout& lay) {
  const int entry = c.st.Kcmkd + c.st.Jsmkd;
  lay.e = std::max(1, (lay.W + 1) / std::max(1, entry + 2));
  lay.g = lay.e >= 2 ? std::max(0, (lay.W - lay.e * (entry + 1)) / (lay.e - 1)) : 0;
  const int entries = c.s.Zdkcs + mostCombinedLessons(c.s);
  lay.L = std::min(kMaxListLines, (entries + lay.e - 1) / lay.e);
}

}  // namespace

WeeklyLayout weeklyLayout(const ExportCtx& c, const QString& items, bool classes) {
  WeeklyLayout lay;
  const ExportForm& f = c.f;
  lay.classes = classes;
  lay.items = items;
  lay.n = codeCount(items, classes ? 4 : 3);
  lay.layer = HCqls(c.st);
  lay.w = std::max(1, HKbgkd(c));
  const bool periodRows = c.s.Hsdm == 1;
  lay.cols = periodRows ? f.Dcxqs : f.Dcjcs;
  lay.W = static_cast<int>(std::nearbyint((lay.w + 0.2) * lay.cols + 3));
  lay.m = std::max(1, std::min(perBand(f), std::max(1, lay.n)));
  lay.bands = (lay.n + lay.m - 1) / lay.m;
  lay.block = periodRows ? f.Dcxqs + 3 : f.Dcjcs + 2;
  lay.list = classes && f.ChkBwfjs;
  if (lay.list) listGeometry(c, lay);
  lay.height = (periodRows ? 3 + f.Dcjcs : 4 + f.Dcxqs) + lay.L + 2;
  return lay;
}

ClassCell Bjbkcjsjshi(const ExportCtx& c, const WeeklyLayout& lay, int nj, int bj, int xq, int jc,
                      QStringList* entries) {
  const School& s = c.s;
  ClassCell cell;
  const bool inTable = nj > 0 && bj > 0 && xq <= s.Mzts && s.Kb.has(lay.layer, xq, jc, nj, bj);
  const QString slot = inTable ? s.Kb(lay.layer, xq, jc, nj, bj) : QString();
  if (slot.isEmpty() || slot.startsWith(QStringLiteral("000"))) {
    cell.course = fullBlanks(c.st.Kcmkd);
    cell.teacher = fullBlanks(c.st.Jsmkd);
  } else {
    const int course = cellCourse(slot);
    cell.course = padFull(trimRight(HKcmc(c, course)), c.st.Kcmkd);
    const bool hasTeacher = cellTeacher(slot) > 0;
    cell.teacher = hasTeacher ? HRkjsm(c, lay.layer, nj, bj, xq, jc) : fullBlanks(lay.w);
    const QString entry = Lbq(3, course) + cell.teacher;
    if (entries && hasTeacher && !trimRight(cell.teacher).isEmpty() && !entries->contains(entry))
      entries->append(entry);
  }
  cell.value =
      c.f.ChkBnfjs ? padFull(cell.course, lay.w) + padFull(cell.teacher, lay.w) : trimRight(cell.course);
  return cell;
}

QStringList teacherCellParts(const ExportCtx& c, int layer, int w, int xq, int jc, int t, bool masterTable) {
  if (xq > c.s.Mzts || !c.s.Jskb.has(layer, xq, jc, t)) return {};
  const QString slot = c.s.Jskb(layer, xq, jc, t);
  if (slot.isEmpty()) return {};
  QString course, klass;
  if (isTeacherLesson(slot)) {
    course = HKcmc(c, cellCourse(slot));
    klass = HRkbjm(c, layer, xq, jc, t, w);
  } else {
    const int code = ValInt(slot);
    if (code == 6) {
      course = QStringLiteral("会议");
    } else if (code == 7) {
      course = QStringLiteral("教研");
    } else if (code == 8) {
      course = QStringLiteral("备课");
    } else if (masterTable && code >= 2 && code <= 4) {
      course = QStringLiteral("不排");
    } else {
      course = fullBlanks(2);
    }
    klass = fullBlanks(w);
  }
  return {padFull(course, w), padFull(klass, w)};
}

QString Jsjshibkcbjjshijs(const ExportCtx& c, int layer, int w, int xq, int jc, int t, bool masterTable) {
  return teacherCellParts(c, layer, w, xq, jc, t, masterTable).join(QString());
}

QString Xsq5lE(const ExportForm& f, int p) {
  const QString code = Lbq(2, p);
  const QString morning = f.Dcjcjh.left(f.DcSwjs * 2);
  const QString afternoon = f.Dcjcjh.mid(f.DcSwjs * 2);
  const bool inMorning = hasCode(morning, code);
  const QString& part = inMorning ? morning : afternoon;
  const int count = codeCount(part, 2);
  int index = 0;
  while (index < count && codeAt(part, 2, index) != code) ++index;
  const QString first = inMorning ? QStringLiteral("上") : QStringLiteral("下");
  if (count == 1 || index == 0) return first;
  return index == 1 ? QStringLiteral("午") : QStringLiteral("　");
}

QStringList teacherListLines(const ExportCtx& c, const WeeklyLayout& lay, QStringList entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const QString& a, const QString& b) { return ValMid(a, 0, 3) < ValMid(b, 0, 3); });
  const int width = c.st.Kcmkd + c.st.Jsmkd + 1;
  QStringList lines;
  QString line;
  for (int i = 0; i < entries.size(); ++i) {
    const QString& entry = entries.at(i);
    line += padFull(trimRight(HKcmc(c, ValMid(entry, 0, 3))) + QStringLiteral("—") + entry.mid(3), width);
    if ((i + 1) % lay.e == 0 || i + 1 == entries.size()) {
      lines << line;
      line.clear();
    } else {
      line += fullBlanks(lay.g);
    }
  }
  return lines;
}

}  // namespace tavro
