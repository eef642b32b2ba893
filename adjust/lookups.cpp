#include "adjust/lookups.h"

#include "core/vbtext.h"

namespace tavro {

namespace {
QString rightTrimmed(const QString& text) {
  int n = text.size();
  while (n > 0 && text.at(n - 1).isSpace()) --n;
  return text.left(n);
}
}  // namespace

QString courseName(const School& s, int kch) {
  return s.Kcmc.has(kch) ? rightTrimmed(s.Kcmc(kch)) : QString();
}

QString teacherName(const School& s, int jsh) {
  return s.Jsmc.has(jsh) ? s.Jsmc(jsh) : QString();
}

bool codeListHasSlot(const QString& list, int xq, int jc) {
  for (int i = 0; i + 4 <= list.size(); i += 4)
    if (ValMid(list, i, 2) == xq && ValMid(list, i + 2, 2) == jc) return true;
  return false;
}

}  // namespace tavro
