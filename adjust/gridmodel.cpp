#include "adjust/gridmodel.h"

#include "core/cells.h"
#include "core/vbtext.h"

namespace tavro {

QString classCellText(const School& s, const QString& cell, int n) {
  const QString blank = QStringLiteral("　");
  if (cell.isEmpty()) return blank.repeated(n);
  if (cell.left(3) == QStringLiteral("000")) return QStringLiteral("╳") + blank.repeated(n > 1 ? n - 1 : 0);
  const int k = cellCourse(cell);
  if (!s.Kcmc.has(k)) return blank.repeated(n);
  if (n == 1 || (n <= 2 && s.Kcjccd == 2 && s.Kcmcd > 2)) return s.Kcjc(k);
  return s.Kcmc(k);
}

int HBbqjs(const School& s, int nj, int bj, int xq, int jc) {
  const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
  if (cell.isEmpty()) return 0;
  const QChar kind = cell.back();
  if (kind > u'4') return kColourDarkGreen;
  if (kind == u'1') return kColourDarkRed;
  return 0;
}

void Xsbbk(const School& s, GridModel& g, int nj, int bj, int xq, int jc, int back, const QString& text) {
  g.curXq = xq;
  g.curJc = jc;
  g.set(xq, jc, text, HBbqjs(s, nj, bj, xq, jc), back);
}

void Gsxs(GridModel& g, int xq, int jc, int back, int fore) {
  if (xq < 0) xq = 0;
  g.curXq = xq;
  g.curJc = jc;
  GridCell& cell = g.cells(xq, jc);
  if (xq > 0) cell.back = back;
  cell.fore = xq > 0 ? fore : 0;
}

int gridStyleDigit(const QString& style) {
  if (style.isEmpty()) return 1;
  const int n = ValMid(style, style.size() - 1, 1);
  return n > 0 ? n : 1;
}

}  // namespace tavro
