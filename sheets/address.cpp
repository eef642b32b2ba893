#include "sheets/address.h"

#include <QStringList>

namespace tavro {

QString Lzm(int col) {
  QString letters;
  while (col > 0) {
    const int rest = (col - 1) % 26;
    letters.prepend(QChar('A' + rest));
    col = (col - 1) / 26;
  }
  return letters;
}

int columnNumber(const QString& letters) {
  if (letters.isEmpty() || letters.size() > 3) return 0;
  int n = 0;
  for (QChar ch : letters) {
    const char16_t c = ch.toUpper().unicode();
    if (c < u'A' || c > u'Z') return 0;
    n = n * 26 + (c - u'A' + 1);
  }
  return n <= kMaxColumns ? n : 0;
}

QString cellName(int row, int col) {
  return Lzm(col) + QString::number(row);
}

QString rangeName(const CellRange& range) {
  if (range.wholeColumns() && !range.wholeRows()) return Lzm(range.c1) + ':' + Lzm(range.c2);
  if (range.wholeRows() && !range.wholeColumns())
    return QString::number(range.r1) + ':' + QString::number(range.r2);
  const QString first = cellName(range.r1, range.c1);
  if (range.r1 == range.r2 && range.c1 == range.c2) return first;
  return first + ':' + cellName(range.r2, range.c2);
}

namespace {

// Splits "$AB$12" into its letters and digits; false when it is neither letters, digits, nor both.
bool splitPart(QString text, QString& letters, QString& digits) {
  text.remove('$');
  int i = 0;
  while (i < text.size() && text[i].isLetter() && text[i].unicode() < 128) ++i;
  letters = text.left(i);
  digits = text.mid(i);
  for (QChar ch : digits)
    if (ch < '0' || ch > '9') return false;
  return !(letters.isEmpty() && digits.isEmpty());
}

int rowNumber(const QString& digits) {
  if (digits.isEmpty() || digits.size() > 7) return 0;
  const int n = digits.toInt();
  return n >= 1 && n <= kMaxRows ? n : 0;
}

}  // namespace

std::optional<CellPos> parseCell(const QString& text) {
  QString letters, digits;
  if (!splitPart(text.trimmed(), letters, digits)) return std::nullopt;
  const int col = columnNumber(letters);
  const int row = rowNumber(digits);
  if (col == 0 || row == 0) return std::nullopt;
  return CellPos{row, col};
}

std::optional<CellRange> parseRange(const QString& text) {
  const QStringList parts = text.trimmed().split(':');
  if (parts.size() == 1) {
    const auto cell = parseCell(parts[0]);
    if (!cell) return std::nullopt;
    return CellRange{cell->row, cell->col, cell->row, cell->col};
  }
  if (parts.size() != 2) return std::nullopt;
  QString l1, d1, l2, d2;
  if (!splitPart(parts[0].trimmed(), l1, d1) || !splitPart(parts[1].trimmed(), l2, d2)) return std::nullopt;
  CellRange r;
  if (d1.isEmpty() && d2.isEmpty()) {  // whole columns "A:B"
    r = {1, columnNumber(l1), kMaxRows, columnNumber(l2)};
  } else if (l1.isEmpty() && l2.isEmpty()) {  // whole rows "3:4"
    r = {rowNumber(d1), 1, rowNumber(d2), kMaxColumns};
  } else {
    r = {rowNumber(d1), columnNumber(l1), rowNumber(d2), columnNumber(l2)};
  }
  if (r.r1 == 0 || r.r2 == 0 || r.c1 == 0 || r.c2 == 0) return std::nullopt;
  if (r.r1 > r.r2) std::swap(r.r1, r.r2);
  if (r.c1 > r.c2) std::swap(r.c1, r.c2);
  return r;
}

}  // namespace tavro
