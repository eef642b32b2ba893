#include "sheets/formula.h"

#include <cmath>
#include <vector>

namespace tavro {

namespace {

const QString kValueError = QStringLiteral("#VALUE!");
const QString kRefError = QStringLiteral("#REF!");
const QString kNameError = QStringLiteral("#NAME?");
const QString kDivError = QStringLiteral("#DIV/0!");

FormulaValue number(double v) {
  return {CellKind::Number, v, {}, {}};
}
FormulaValue failure(const QString& e) {
  return {CellKind::Number, 0, {}, e};
}

}  // namespace

// Recursive-descent parser over one formula text; ranges are only taken as function arguments.
class FormulaParser {
 public:
  FormulaParser(FormulaEvaluator& eval, const QString& text) : eval_(eval), s_(text) {}

  FormulaValue run() {
    FormulaValue v = expression();
    skip();
    if (v.error.isEmpty() && pos_ < s_.size()) return failure(kNameError);
    return v;
  }

 private:
  void skip() {
    while (pos_ < s_.size() && s_[pos_].isSpace()) ++pos_;
  }
  bool take(QChar c) {
    skip();
    if (pos_ < s_.size() && s_[pos_] == c) return ++pos_, true;
    return false;
  }

  // A value as a number for arithmetic: empty 0, numeric text its number, other text an error.
  static FormulaValue asNumber(const FormulaValue& v) {
    if (!v.error.isEmpty() || v.kind != CellKind::Text) return v;
    if (v.text.isEmpty()) return number(0);
    bool ok = false;
    const double d = v.text.trimmed().toDouble(&ok);
    return ok ? number(d) : failure(kValueError);
  }

  FormulaValue expression() {
    FormulaValue left = term();
    while (true) {
      skip();
      if (pos_ >= s_.size()) return left;
      const QChar op = s_[pos_];
      if (op != '+' && op != '-' && op != '&') return left;
      ++pos_;
      const FormulaValue right = term();
      if (!left.error.isEmpty()) continue;
      if (!right.error.isEmpty()) {
        left = right;
      } else if (op == '&') {
        left = {CellKind::Text, 0, textOf(left) + textOf(right), {}};
      } else {
        const FormulaValue a = asNumber(left), b = asNumber(right);
        left = !a.error.isEmpty()   ? a
               : !b.error.isEmpty() ? b
                                    : number(op == '+' ? a.number + b.number : a.number - b.number);
      }
    }
  }

  FormulaValue term() {
    FormulaValue left = power();
    while (true) {
      skip();
      if (pos_ >= s_.size() || (s_[pos_] != '*' && s_[pos_] != '/')) return left;
      const QChar op = s_[pos_++];
      const FormulaValue a = asNumber(left), b = asNumber(power());
      if (!a.error.isEmpty() || !b.error.isEmpty()) {
        left = !a.error.isEmpty() ? a : b;
      } else if (op == '/' && b.number == 0) {
        left = failure(kDivError);
      } else {
        left = number(op == '*' ? a.number * b.number : a.number / b.number);
      }
    }
  }

  FormulaValue power() {
    FormulaValue base = unary();
    if (!take('^')) return base;
    const FormulaValue a = asNumber(base), b = asNumber(power());
    if (!a.error.isEmpty()) return a;
    if (!b.error.isEmpty()) return b;
    const double v = std::pow(a.number, b.number);
    return std::isfinite(v) ? number(v) : failure(kValueError);
  }

  FormulaValue unary() {
    // Nesting and reference chains share one depth budget, so no formula can exhaust the stack.
    if (++eval_.depth_ > FormulaEvaluator::kMaxDepth) {
      --eval_.depth_;
      return failure(kValueError);
    }
    FormulaValue v = signedValue();
    --eval_.depth_;
    return v;
  }

  FormulaValue signedValue() {
    if (take('-')) {
      const FormulaValue v = asNumber(unary());
      return v.error.isEmpty() ? number(-v.number) : v;
    }
    if (take('+')) return unary();
    return primary();
  }

  FormulaValue primary() {
    skip();
    if (pos_ >= s_.size()) return failure(kValueError);
    if (take('(')) {
      const FormulaValue v = expression();
      return take(')') ? v : failure(kNameError);
    }
    if (s_[pos_] == '"') return stringLiteral();
    if (s_[pos_].isDigit() || s_[pos_] == '.') return numberLiteral();
    const QString word = identifier();
    if (word.isEmpty()) return failure(kNameError);
    if (take('(')) return function(word.toUpper());
    const auto cell = parseCell(word);
    if (!cell)
      return failure(word.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ? kValueError
                                                                                   : kNameError);
    return eval_.cellValue(cell->row, cell->col);
  }

  FormulaValue stringLiteral() {
    QString text;
    ++pos_;
    while (pos_ < s_.size()) {
      if (s_[pos_] == '"') {
        if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '"') {
          text += '"', pos_ += 2;
          continue;
        }
        ++pos_;
        return {CellKind::Text, 0, text, {}};
      }
      text += s_[pos_++];
    }
    return failure(kNameError);
  }

  FormulaValue numberLiteral() {
    const int start = pos_;
    while (pos_ < s_.size() && (s_[pos_].isDigit() || s_[pos_] == '.')) ++pos_;
    if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
      ++pos_;
      if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) ++pos_;
      while (pos_ < s_.size() && s_[pos_].isDigit()) ++pos_;
    }
    bool ok = false;
    const double v = s_.mid(start, pos_ - start).toDouble(&ok);
    return ok ? number(v) : failure(kValueError);
  }

  QString identifier() {
    skip();
    const int start = pos_;
    while (pos_ < s_.size() &&
           (s_[pos_].isLetterOrNumber() || s_[pos_] == '$' || s_[pos_] == '_' || s_[pos_] == '.'))
      ++pos_;
    return s_.mid(start, pos_ - start);
  }

  // One function argument: a range "H6:AI6" gives all its values, anything else one value.
  bool argument(std::vector<FormulaValue>& values, bool& fromRange) {
    skip();
    const int start = pos_;
    const QString first = identifier();
    if (!first.isEmpty() && take(':')) {
      const auto area = parseRange(first + ':' + identifier());
      if (!area || qint64(area->rows()) * area->cols() > 1000000) return false;
      fromRange = true;
      for (const auto& [k, c] : eval_.sheet_.cells())
        if (area->contains(Sheet::keyRow(k), Sheet::keyCol(k)) && c.kind != CellKind::Empty)
          values.push_back(eval_.cellValue(Sheet::keyRow(k), Sheet::keyCol(k)));
      return true;
    }
    pos_ = start;
    fromRange = false;
    values.push_back(expression());
    return true;
  }

  FormulaValue function(const QString& name) {
    std::vector<double> nums;
    int count = 0;
    if (!take(')')) {
      do {
        std::vector<FormulaValue> values;
        bool fromRange = false;
        if (!argument(values, fromRange)) return failure(kRefError);
        for (const FormulaValue& v : values) {
          if (!v.error.isEmpty()) return v;
          FormulaValue n = fromRange ? v : asNumber(v);
          if (!n.error.isEmpty()) return n;
          if (n.kind == CellKind::Number || (!fromRange && n.kind == CellKind::Bool))
            nums.push_back(n.number), ++count;
        }
      } while (take(','));
      if (!take(')')) return failure(kNameError);
    }
    return apply(name, nums, count);
  }

  static FormulaValue apply(const QString& name, const std::vector<double>& nums, int count) {
    double sum = 0;
    for (double v : nums) sum += v;
    if (name == QLatin1String("SUM")) return number(sum);
    if (name == QLatin1String("COUNT")) return number(count);
    if (name == QLatin1String("AVERAGE")) return count ? number(sum / count) : failure(kDivError);
    if (name == QLatin1String("MIN") || name == QLatin1String("MAX")) {
      if (nums.empty()) return number(0);
      return number(name == QLatin1String("MIN") ? *std::min_element(nums.begin(), nums.end())
                                                 : *std::max_element(nums.begin(), nums.end()));
    }
    if (name == QLatin1String("ABS") && nums.size() == 1) return number(std::fabs(nums[0]));
    if (name == QLatin1String("INT") && nums.size() == 1) return number(std::floor(nums[0]));
    if (name == QLatin1String("ROUND") && nums.size() == 2) {
      const double f = std::pow(10.0, std::clamp(nums[1], -15.0, 15.0));
      return number(std::round(nums[0] * f) / f);
    }
    return failure(kNameError);
  }

  static QString textOf(const FormulaValue& v) {
    if (v.kind == CellKind::Text) return v.text;
    if (v.kind == CellKind::Bool) return v.number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    return QString::number(v.number, 'g', 15);
  }

  FormulaEvaluator& eval_;
  QString s_;
  int pos_ = 0;
};

FormulaValue FormulaEvaluator::cellValue(int row, int col) {
  const Cell* c = sheet_.find(row, col);
  if (!c) return {CellKind::Text, 0, {}, {}};
  switch (c->kind) {
    case CellKind::Empty:
      return {CellKind::Text, 0, {}, {}};
    case CellKind::Text:
      return {CellKind::Text, 0, c->text, {}};
    case CellKind::Number:
      return number(c->number);
    case CellKind::Bool:
      return {CellKind::Bool, c->number, {}, {}};
    case CellKind::Formula:
      break;
  }
  const std::uint64_t k = Sheet::key(row, col);
  if (const auto it = done_.find(k); it != done_.end()) return it->second;
  if (busy_[k]) return failure(kRefError);
  busy_[k] = true;
  FormulaValue v = evaluate(c->formula);
  busy_[k] = false;
  done_[k] = v;
  return v;
}

FormulaValue FormulaEvaluator::evaluate(const QString& formula) {
  if (++depth_ > kMaxDepth) {  // a chain of references too deep to follow safely
    --depth_;
    return failure(kRefError);
  }
  FormulaParser parser(*this, formula.startsWith('=') ? formula.mid(1) : formula);
  FormulaValue v = parser.run();
  --depth_;
  return v;
}

}  // namespace tavro
