// The lists of the teacher assignment table: which teachers, and what each
// teaches, from the class course plans and the combined lessons.

#include "export/assignment.h"

#include <algorithm>
#include <tuple>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "export/names.h"
#include "export/selection.h"

namespace tavro {

namespace {

// One raw entry before sorting and merging.
struct RawEntry {
  int course = 0;
  QString code;
  int count = 0;
  bool operator<(const RawEntry& o) const {
    return std::tie(course, code, count) < std::tie(o.course, o.code, o.count);
  }
  bool operator==(const RawEntry& o) const = default;
};

// The plan rows of teacher q (only the chosen courses with "按班级和课程").
void planEntries(const ExportCtx& c, int q, QList<RawEntry>& raw, int& total) {
  const School& s = c.s;
  const bool byCourse = c.f.OptXzjsfs == 1;
  const QString courses = HBxkcjh(c);
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj) {
      if (!s.isClass(nj, bj)) continue;
      for (int row = 1; row <= s.Bjkcs(nj, bj) && row <= s.planRows(); ++row) {
        if (s.Bjkcb(row, 2, nj, bj) != q) continue;
        const int course = s.Bjkcb(row, 1, nj, bj), count = s.Bjkcb(row, 3, nj, bj);
        if (byCourse && !hasCode(courses, Lbq(3, course))) continue;
        raw << RawEntry{course, Lbq(2, nj) + Lbq(2, bj), count};
        total += count;
      }
    }
  }
}

// The combined lessons whose teacher field names q: one entry per class, or one for the whole school.
void combinedEntries(const ExportCtx& c, int q, QList<RawEntry>& raw, int& total) {
  const School& s = c.s;
  for (int n = 1; n <= s.Hbks; ++n) {
    const QString teachers = s.Hbk(5, n);
    if (teachers == QStringLiteral("班主任") || !hasCode(teachers, Lbq(3, q))) continue;
    const int course = ValInt(s.Hbk(4, n)), count = codeCount(s.Hbk(3, n), 4);
    const QString classes = s.Hbk(2, n);
    if (classes == QStringLiteral("0000")) {
      raw << RawEntry{course, QStringLiteral("9") + Lbq(3, n), count};
    } else {
      for (int i = 0; i < codeCount(classes, 4); ++i) raw << RawEntry{course, codeAt(classes, 4, i), count};
    }
    total += count;
  }
}

// Sorted entries without repeats; entries of the same course and class share one entry.
QList<AssignmentEntry> mergeEntries(QList<RawEntry> raw) {
  std::sort(raw.begin(), raw.end());
  raw.erase(std::unique(raw.begin(), raw.end()), raw.end());
  QList<AssignmentEntry> entries;
  for (const RawEntry& e : raw) {
    if (!entries.isEmpty() && entries.last().course == e.course && entries.last().code == e.code) {
      entries.last().counts << e.count;
    } else {
      entries << AssignmentEntry{e.course, e.code, {e.count}};
    }
  }
  return entries;
}

// The chosen teacher numbers in number order.
QList<int> chosenTeachers(const ExportCtx& c, const QString& teacherSet) {
  QList<int> chosen;
  if (c.f.OptXzjsfs == 1) {
    for (int i = 0; i < codeCount(teacherSet, 3); ++i) chosen << ValInt(codeAt(teacherSet, 3, i));
  } else {
    const ListBox& list = c.st.LstJs;
    for (int i = 0; i < list.count(); ++i)
      if (c.f.ChkQbjs || list.selected(i)) chosen << ValInt(list.item(i).left(3));
  }
  chosen.removeIf([&](int t) { return t < 1 || t > c.s.Jss; });
  std::sort(chosen.begin(), chosen.end());
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  return chosen;
}

}  // namespace

TeacherAssignment Jsrksj(const ExportCtx& c, int q) {
  TeacherAssignment a;
  a.teacher = q;
  QList<RawEntry> raw;
  planEntries(c, q, raw, a.total);
  combinedEntries(c, q, raw, a.total);
  a.entries = mergeEntries(raw);
  for (const AssignmentEntry& e : a.entries)
    if (!a.courses.contains(e.course)) a.courses << e.course;
  return a;
}

std::optional<AssignmentTable> collectAssignments(ExportCtx& c, const QString& teacherSet) {
  AssignmentTable table;
  const QList<int> chosen = chosenTeachers(c, teacherSet);
  if (c.f.OptXzjsfs == 1) {
    table.N = int(chosen.size());
  } else {
    table.N = c.f.ChkQbjs ? c.s.Jss : c.st.LstJs.selectedCount();
  }
  if (table.N == 0 || chosen.isEmpty()) {
    Tsxx(c.ui, QStringLiteral("没有符合要求的教师！"));
    return std::nullopt;
  }
  for (int t : chosen) table.teachers << Jsrksj(c, t);
  return table;
}

QString Bjmjh(const ExportCtx& c, const AssignmentEntry& e) {
  QString name;
  if (e.code.startsWith(u'9')) {
    name = Hbbjmc(c.s, ValMid(e.code, 1, 3));
  } else {
    name = HBjmc(c, ValMid(e.code, 0, 2), ValMid(e.code, 2, 2));
  }
  name.remove(QChar(0x3000));
  QString counts;
  for (int n : e.counts) counts += Lbq(e.counts.size() == 1 ? 1 : 2, n);
  return name + u' ' + counts;
}

QString assignmentSummary(const ExportCtx& c, int N) {
  const ExportForm& f = c.f;
  const bool byCourse = f.OptXzjsfs == 1;
  const bool note = (f.ChkQbkc && f.ChkQx && byCourse) || (f.ChkQbjs && !byCourse);
  QString text = QStringLiteral("共有") + Szc(N) + QStringLiteral("人");
  if (note) text += QStringLiteral("，不含教师是班主任的合班课");
  return text + QStringLiteral("　全周共") + Szc(c.s.Mtjs * c.s.Mzts) + QStringLiteral("节");
}

}  // namespace tavro
