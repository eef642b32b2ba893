#include "engine/classlist.h"

#include "core/procedures.h"

namespace tavro {

QString classListItem(const School& s, int nj, int bj) {
  QString item = Lbq(2, nj) + Lbq(2, bj) + s.Bjmc(nj, bj);
  if (s.Bjkcs(nj, bj) == 0) item += QStringLiteral("未");
  return item;
}

void Xgypwp(const School& s, RunState& st) {
  const int position = st.LstBj.listIndex();
  st.LstBj.clear();
  const int wanted = st.OptYp ? 1 : 0;
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    if (!s.Njbjs.has(nj)) continue;
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj)
      if (s.Ypbz(nj, bj) == wanted) st.LstBj.addItem(classListItem(s, nj, bj));
  }
  if (position >= 0 && position < st.LstBj.count()) selectClassItem(st, position);
}

void selectClassItem(RunState& st, int i) {
  if (i < 0 || i >= st.LstBj.count()) return;
  for (int k = 0; k < st.LstBj.count(); ++k) st.LstBj.setSelected(k, k == i);
  st.LstBj.setListIndex(i);
}

int findClassItem(const RunState& st, int nj, int bj) {
  const QString code = Lbq(2, nj) + Lbq(2, bj);
  for (int i = 0; i < st.LstBj.count(); ++i)
    if (st.LstBj.item(i).left(4) == code) return i;
  return -1;
}

}  // namespace tavro
