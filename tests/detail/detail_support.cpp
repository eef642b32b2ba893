#include "tests/detail/detail_support.h"

#include "core/procedures.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {

School detailSchool() {
  School s = fixtures::twoGradeSchool();
  s.Bzr(7, 1) = 1;
  return s;
}

QString classCell(int k, int t, QChar kind) {
  return Lbq(3, k) + Lbq(3, t) + QStringLiteral("000") + kind;
}

QString teacherCell(int k, int nj, int bj) {
  return Lbq(3, k) + Lbq(2, nj) + Lbq(2, bj) + QStringLiteral("000");
}

void putLesson(School& s, int nj, int bj, int xq, int jc, int k, int t, QChar kind) {
  for (int layer : {kLongTerm, kTemporary}) {
    s.Kb(layer, xq, jc, nj, bj) = classCell(k, t, kind);
    if (t > 0) s.Jskb(layer, xq, jc, t) = teacherCell(k, nj, bj);
  }
}

}  // namespace tavro::testing
