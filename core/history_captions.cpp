#include "core/history_captions.h"

#include "core/texts.h"

namespace tavro {

namespace {

QString lessonPlace(int xq, int jc) {
  return QStringLiteral("星期") + Xqm(xq) + QStringLiteral("第") + QString::number(jc) + QStringLiteral("节");
}

}  // namespace

QString historyClassName(const School& s, int nj, int bj) {
  if (!s.Bjmc.has(nj, bj)) return QString();
  const QString name = s.Bjmc(nj, bj).trimmed();
  if (name.isEmpty() || name.endsWith(u'班')) return name;
  return name + u'班';
}

QString swapCaption(const School& s, int nj, int bj, int xq1, int jc1, int xq2, int jc2, bool temporary) {
  return historyClassName(s, nj, bj) + (temporary ? QStringLiteral(" 临时 ") : QStringLiteral(" ")) +
         lessonPlace(xq1, jc1) + u'↔' + lessonPlace(xq2, jc2);
}

}  // namespace tavro
