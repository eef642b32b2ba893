#include "tests/adjust/adjust_support.h"

#include "core/procedures.h"
#include "core/slots.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {

QString lessonCell(int kch, int jsh) {
  return Lbq(3, kch) + Lbq(3, jsh) + QStringLiteral("0000");
}

QString teacherLesson(int kch, int nj, int bj) {
  return Lbq(3, kch) + Lbq(2, nj) + Lbq(2, bj) + QStringLiteral("000");
}

SwapBench::SwapBench() : s(fixtures::twoGradeSchool()) {
  s.Jsmtzdjs = 6;
  for (int k = 0; k < s.Kcs; ++k) s.Kcszbz(k) = QStringLiteral("00000000");
  st.Dqcqls = 1;
}

void SwapBench::lesson(int nj, int bj, int xq, int jc, int kch, int jsh) {
  for (int layer : {1, 2}) {
    s.Kb(layer, xq, jc, nj, bj) = lessonCell(kch, jsh);
    if (jsh > 0) s.Jskb(layer, xq, jc, jsh) = teacherLesson(kch, nj, bj);
  }
}

void SwapBench::block(int jsh, int xq, int jc, const QString& code) {
  s.Jskb(1, xq, jc, jsh) = code;
  s.Jskb(2, xq, jc, jsh) = code;
}

std::pair<int, int> SwapBench::context(int nj, int bj, int xq1, int jc1, int xq2, int jc2) {
  st.Xq1 = xq1, st.Jc1 = jc1, st.Xq2 = xq2, st.Jc2 = jc2;
  int k1 = 0, k2 = 0;
  QString kind;
  Bbsrb(s, st.Dqcqls, nj, bj, xq1, jc1, k1, st.Jsh1, kind);
  Bbsrb(s, st.Dqcqls, nj, bj, xq2, jc2, k2, st.Jsh2, kind);
  return {k1, k2};
}

void SwapBench::cap(int kch, int limit) {
  s.Szlmc(6, 0) = QStringLiteral("1");
  s.Szlmc(6, 1) = s.Kcmc(kch) + QStringLiteral("　　　　");
  s.Szlz(6, 1) = limit;
  s.Kcszbz(kch)[5] = QChar(u'0' + limit);
  resetCtszc(s, st);
}

}  // namespace tavro::testing
