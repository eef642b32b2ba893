#include "export/selection.h"

#include "core/procedures.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

// The first `width` characters of every row of list (all rows, or the selected ones).
QString rowCodes(const ListBox& list, bool all, int width) {
  QString codes;
  for (int i = 0; i < list.count(); ++i)
    if (all || list.selected(i)) codes += list.item(i).left(width);
  return codes;
}

// True when combined lesson n takes class code `code` (whole-school lessons take every class).
bool lessonTakes(const School& s, int n, const QString& code) {
  const QString classes = s.Hbk(2, n);
  return classes == QStringLiteral("0000") || hasCode(classes, code);
}

// Adds the teachers of combined lesson n for the chosen classes it takes.
void addCombinedTeachers(const School& s, int n, const QString& classes, QString& set) {
  const QString teachers = s.Hbk(5, n);
  for (int i = 0; i < codeCount(classes, 4); ++i) {
    const QString code = codeAt(classes, 4, i);
    if (!lessonTakes(s, n, code)) continue;
    if (teachers == QStringLiteral("班主任")) {
      const int nj = ValMid(code, 0, 2), bj = ValMid(code, 2, 2);
      if (s.Bzr.has(nj, bj) && s.Bzr(nj, bj) > 0) set += Lbq(3, s.Bzr(nj, bj));
      continue;
    }
    for (int k = 0; k < codeCount(teachers, 3); ++k)
      if (ValInt(codeAt(teachers, 3, k)) > 0) set += codeAt(teachers, 3, k);
  }
}

// The plan teachers of the chosen courses in one class.
void addPlanTeachers(const School& s, int nj, int bj, const QString& courses, QString& set) {
  if (!s.isClass(nj, bj)) return;
  for (int row = 1; row <= s.Bjkcs(nj, bj) && row <= s.planRows(); ++row) {
    const int course = s.Bjkcb(row, 1, nj, bj), teacher = s.Bjkcb(row, 2, nj, bj);
    if (teacher > 0 && hasCode(courses, Lbq(3, course))) set += Lbq(3, teacher);
  }
}

}  // namespace

QString HBxbjjh(const ExportCtx& c) {
  return rowCodes(c.st.LstBj, c.f.ChkQx, 4);
}

QString HBxkcjh(const ExportCtx& c) {
  return rowCodes(c.st.LstKc, c.f.ChkQbkc, 3);
}

std::optional<QString> HBxjsjh(ExportCtx& c) {
  if (c.f.OptXzjsfs == 1) return Csbjxkjsjh(c);
  QString set;
  const QString rows = rowCodes(c.st.LstJs, c.f.ChkQbjs, 3);
  for (int i = 0; i < codeCount(rows, 3); ++i) {
    const int t = ValInt(codeAt(rows, 3, i));
    if (t >= 1 && c.s.Jszjs.has(t) && c.s.Jszjs(t) > 0) set += Lbq(3, t);
  }
  return set;
}

QString HBxnjjh(const ExportCtx& c) {
  QString set;
  if (!c.f.ChkQx) return set;
  for (int nj = c.s.Snj; nj <= c.s.Mnj; ++nj)
    if (c.s.Njbjs.has(nj) && c.s.Njbjs(nj) > 0) set += Lbq(2, nj);
  return set;
}

int HCqls(const RunState& st) {
  return st.OptCqls == 1 ? kTemporary : kLongTerm;
}

std::optional<QString> Csbjxkjsjh(ExportCtx& c) {
  const QString classes = HBxbjjh(c);
  if (classes.isEmpty()) {
    Tsxx(c.ui, QStringLiteral("因为“选择教师方式”是“按班级和课程”，所以必需选择班级！"));
    return std::nullopt;
  }
  const QString courses = HBxkcjh(c);
  if (courses.isEmpty()) {
    Tsxx(c.ui, QStringLiteral("因为“选择教师方式”是“按班级和课程”，所以必需选择课程！"));
    return std::nullopt;
  }
  QString set;
  for (int i = 0; i < codeCount(classes, 4); ++i) {
    const QString code = codeAt(classes, 4, i);
    addPlanTeachers(c.s, ValMid(code, 0, 2), ValMid(code, 2, 2), courses, set);
  }
  if (c.s.Ypbjs > 0) {
    for (int n = 1; n <= c.s.Hbks; ++n)
      if (hasCode(courses, Lbq(3, Val(c.s.Hbk(4, n))))) addCombinedTeachers(c.s, n, classes, set);
  }
  Pxdm(set, 3);
  Qcdm(set, 3);
  return set;
}

}  // namespace tavro
