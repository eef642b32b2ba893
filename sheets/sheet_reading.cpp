#include "sheets/sheet_reading.h"

#include <QRegularExpression>
#include <cmath>

namespace tavro {

namespace {
// The number a cell holds as a number (a formula's number result included), if any.
std::optional<double> numberOf(const Sheet& sh, int row, int col) {
  const Cell* cell = sh.find(row, col);
  if (cell == nullptr) return std::nullopt;
  if (cell->kind == CellKind::Number) return cell->number;
  if (cell->kind == CellKind::Formula && cell->resultKind == CellKind::Number) return cell->number;
  return std::nullopt;
}
}  // namespace

bool cellFilled(const Sheet& sh, int row, int col) {
  const Cell* cell = sh.find(row, col);
  if (cell == nullptr || cell->kind == CellKind::Empty) return false;
  return cell->kind != CellKind::Text || !cell->text.isEmpty();
}

bool cellHoldsNumber(const Sheet& sh, int row, int col) {
  if (numberOf(sh, row, col)) return true;
  static const QRegularExpression digits(QStringLiteral("^\\s*\\d+\\s*$"));
  return digits.match(sh.text(row, col)).hasMatch();
}

QString cellCode(const Sheet& sh, int row, int col, int width) {
  const std::optional<double> n = numberOf(sh, row, col);
  if (!n || !wholeIn(*n, 0, 1e15 - 1)) return sh.text(row, col);
  const QString text = QString::number(static_cast<qint64>(*n));
  const int padded = ((static_cast<int>(text.size()) + width - 1) / width) * width;
  return text.rightJustified(padded, u'0');
}

QString shownValue(const QString& text) {
  constexpr int kShown = 30;
  if (text.size() <= kShown) return text;
  QString start = text.left(kShown);
  if (start.back().isHighSurrogate()) start.chop(1);
  return start + QStringLiteral("……");
}

bool wholeIn(double number, double lo, double hi) {
  return std::isfinite(number) && std::trunc(number) == number && number >= lo && number <= hi;
}

}  // namespace tavro
