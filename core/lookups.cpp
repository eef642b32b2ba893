// Look-ups over the school model: class by name, class of a head teacher,
// combined lessons of a class or a slot, what a teacher teaches, short grade
// names. Each walks the tables in index order and takes the first match.

#include "core/procedures.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

const QChar kFullBlank(0x3000);

// The class count of grade nj, 0 for a grade outside the grade tables.
int classesOf(const School& s, int nj) {
  return s.Njbjs.has(nj) ? s.Njbjs(nj) : 0;
}

// The 4-digit code of class (nj, bj), "0701".
QString classCode(int nj, int bj) {
  return Lbq(2, nj) + Lbq(2, bj);
}

// Text with every "　" taken out.
QString withoutFullBlanks(QString text) {
  return text.remove(kFullBlank);
}

// Field f of combined lesson n, "" when the lesson does not exist.
QString lessonField(const School& s, int f, int n) {
  return s.Hbk.has(f, n) ? s.Hbk(f, n) : QString();
}

// True when combined lesson n is a whole-school lesson (class field "0000").
bool isWholeSchool(const School& s, int n) {
  return lessonField(s, 2, n) == QStringLiteral("0000");
}

// Grade name label of grade nj as shown in lists: a 1-character name gets a leading "　".
QString gradeLabel(const School& s, int nj) {
  if (!s.Njm.has(nj)) return QString();
  const QString name = s.Njm(nj);
  return name.size() == 1 ? kFullBlank + name : name;
}

// Names of the grades of a list of "gg00" pieces, concatenated.
QString gradeNames(const School& s, const QString& pieces) {
  QString out;
  for (int i = 0; i < codeCount(pieces, 4); ++i) {
    const int nj = ValMid(codeAt(pieces, 4, i), 0, 2);
    if (s.Njm.has(nj)) out += s.Njm(nj);
  }
  return out;
}

// Names of the real classes of a list of 4-digit class codes, concatenated.
QString classNames(const School& s, const QString& codes) {
  QString out;
  for (int i = 0; i < codeCount(codes, 4); ++i) {
    const QString code = codeAt(codes, 4, i);
    const int nj = ValMid(code, 0, 2);
    const int bj = ValMid(code, 2, 2);
    if (s.isClass(nj, bj) && s.Bjmc.has(nj, bj)) out += s.Bjmc(nj, bj);
  }
  return out;
}

}  // namespace

void Cbjm(const School& s, const QString& name, int& nj, int& bj) {
  const QString wanted = withoutFullBlanks(name);
  for (nj = s.Snj; nj <= s.Mnj; ++nj) {
    for (bj = 1; bj <= classesOf(s, nj); ++bj)
      if (s.Bjmc.has(nj, bj) && withoutFullBlanks(s.Bjmc(nj, bj)) == wanted) return;
  }
  nj = s.Mnj + 1;
  bj = 0;
}

QString Bzrbj(const School& s, int jsh) {
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    for (int bj = 1; bj <= classesOf(s, nj); ++bj)
      if (s.Bzr.has(nj, bj) && s.Bzr(nj, bj) == jsh) return classCode(nj, bj);
  }
  return QString();
}

int Hbkjs(const School& s, int nj, int bj) {
  const QString code = classCode(nj, bj);
  int periods = 0;
  for (int n = 1; n <= s.Hbks; ++n) {
    if (isWholeSchool(s, n) || hasCode(lessonField(s, 2, n), code))
      periods += codeCount(lessonField(s, 3, n), 4);
  }
  return periods;
}

int Chbk(const School& s, int nj, int bj, int xq, int jc) {
  const QString slot = Lbq(2, xq) + Lbq(2, jc);
  const QString code = classCode(nj, bj);
  for (int n = 1; n <= s.Hbks; ++n) {
    if (!hasCode(lessonField(s, 3, n), slot)) continue;
    if (isWholeSchool(s, n) || hasCode(lessonField(s, 2, n), code)) return n;
  }
  return 0;
}

QString Hbbjmc(const School& s, int n) {
  QString list = s.Hbbj.has(n) ? s.Hbbj(n) : QString();
  if (list.isEmpty()) list = lessonField(s, 2, n);
  if (list == QStringLiteral("0000")) return QStringLiteral("全校");
  if (list.size() >= 4 && list.mid(2, 2) == QStringLiteral("00")) return gradeNames(s, list);
  return classNames(s, list);
}

QString Jsrkmc(const School& s, int jsh) {
  if (!s.Jsrk.has(jsh)) return QString();
  const QString codes = s.Jsrk(jsh);
  QString out;
  for (int i = 0; i < codeCount(codes, 5); ++i) {
    const QString code = codeAt(codes, 5, i);
    const int course = ValMid(code, 0, 3);
    const int grade = ValMid(code, 3, 2);
    if (s.Kcjc.has(course)) out += s.Kcjc(course);
    if (grade == 18) {
      out += QStringLiteral("全校");
    } else if (grade == 19) {
      out += QStringLiteral("多级");
    } else if (grade == 20) {
      out += QStringLiteral("合班");
    } else {
      out += gradeLabel(s, grade);
    }
  }
  return out;
}

QString Njjc(const School& s, int nj) {
  if (!s.Njm.has(nj)) return QString();
  const QString name = s.Njm(nj);
  if (name.isEmpty()) return name;
  if (name[0] == kFullBlank || (name[0] == u'小' && s.Xxlx == 7)) return name.mid(1);
  if (name.size() >= 2 && name[1] == kFullBlank) return name.left(1) + name.mid(2);
  return name;
}

}  // namespace tavro
