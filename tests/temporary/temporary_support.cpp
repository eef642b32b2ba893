#include "tests/temporary/temporary_support.h"

#include "core/procedures.h"
#include "core/slots.h"
#include "temporary/changefile.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {

QString classCell(int kch, int jsh) {
  return Lbq(3, kch) + Lbq(3, jsh) + QStringLiteral("0000");
}

QString teacherCell(int kch, int nj, int bj) {
  return Lbq(3, kch) + Lbq(2, nj) + Lbq(2, bj) + QStringLiteral("000");
}

TempBench::TempBench() : s(fixtures::twoGradeSchool()) {
  s.Wjj = folder.path();
  st.fixedToday = QDate(2026, 3, 4);  // a Wednesday
  s.Ypbz(7, 1) = s.Ypbz(7, 2) = 1;
  s.Ypbjs = 2;
  lesson(7, 1, 1, 1, 1, 1);  // 语文 张　三
  lesson(7, 1, 1, 2, 2, 2);  // 数学 李四光
  lesson(7, 1, 2, 1, 3, 3);  // 英语 王　五
  lesson(7, 1, 2, 2, 2, 2);
  lesson(7, 2, 1, 1, 3, 4);  // 英语 赵六一
  lesson(7, 2, 1, 2, 1, 1);
}

void TempBench::lesson(int nj, int bj, int xq, int jc, int kch, int jsh) {
  for (int layer : {kLongTerm, kTemporary}) {
    s.Kb(layer, xq, jc, nj, bj) = classCell(kch, jsh);
    s.Jskb(layer, xq, jc, jsh) = teacherCell(kch, nj, bj);
  }
}

void TempBench::swapContext(int nj, int bj, int xq1, int jc1, int xq2, int jc2, const QString& start,
                            const QString& end) {
  st.Zt = QStringLiteral("调课");
  st.DqNj = nj;
  st.DqBj = bj;
  st.Xq1 = xq1;
  st.Jc1 = jc1;
  st.Xq2 = xq2;
  st.Jc2 = jc2;
  QString kind;
  Bbsrb(s, kLongTerm, nj, bj, xq1, jc1, st.Kch1, st.Jsh1, kind);
  Bbsrb(s, kLongTerm, nj, bj, xq2, jc2, st.Kch2, st.Jsh2, kind);
  st.Lsksrq = start;
  st.Lsjsrq = end;
}

void TempBench::record(int nj, int bj, int xq1, int jc1, int xq2, int jc2, const QString& start,
                       const QString& end) {
  swapContext(nj, bj, xq1, jc1, xq2, jc2, start, end);
  Ctx c = ctx();
  BcLsgk(c, nj, bj);
}

}  // namespace tavro::testing
