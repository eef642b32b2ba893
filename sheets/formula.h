#pragma once
// A small formula evaluator for the formulas the sheet layouts write:
// numbers, cell references and ranges of the same sheet, + - * / ^ and &,
// parentheses, and SUM, MIN, MAX, COUNT, AVERAGE, ABS, INT, ROUND. Anything
// else evaluates to an error (#VALUE!, #REF!, #NAME?).

#include <QString>
#include <map>

#include "sheets/sheet.h"

namespace tavro {

// The result of a formula: a number, a text, a boolean, or an error text such as "#VALUE!".
struct FormulaValue {
  CellKind kind = CellKind::Number;  // Number, Text or Bool
  double number = 0;
  QString text;
  QString error;  // "" when no error
};

// Evaluates formulas of one sheet, remembering each formula cell's result; circular references give
// "#REF!". The sheet must not change while the evaluator is in use.
class FormulaEvaluator {
 public:
  explicit FormulaEvaluator(const Sheet& sheet) : sheet_(sheet) {}
  // The value of the formula cell at (row, col), or of its plain value when it is no formula.
  FormulaValue cellValue(int row, int col);
  // The value of a formula text (with or without its leading "=") in this sheet.
  FormulaValue evaluate(const QString& formula);

 private:
  friend class FormulaParser;
  const Sheet& sheet_;
  std::map<std::uint64_t, FormulaValue> done_;
  std::map<std::uint64_t, bool> busy_;
  static constexpr int kMaxDepth = 100;  // nesting levels and references followed, together
  int depth_ = 0;
};

}  // namespace tavro
