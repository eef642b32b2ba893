#include "sheets/sheet.h"

#include <QRegularExpression>
#include <cmath>

#include "core/table.h"
#include "core/vbtext.h"
#include "sheets/formula.h"
#include "sheets/range.h"

namespace tavro {

namespace {

void checkCell(int row, int col) {
  if (row < 1 || row > kMaxRows || col < 1 || col > kMaxColumns)
    throw IndexError("cell (" + std::to_string(row) + ", " + std::to_string(col) + ") outside the sheet");
}

// A number as a cell shows it in the General format: integers without decimals, else up to 15 digits.
QString numberText(double v) {
  if (std::isfinite(v) && std::fabs(v) < 1e15 && v == std::floor(v)) return QString::number(qint64(v));
  return QString::number(v, 'g', 15).replace(QStringLiteral("e+"), QStringLiteral("E+"));
}

const QRegularExpression& numberPattern() {
  static const QRegularExpression re(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
  return re;
}

const QRegularExpression& datePattern() {
  static const QRegularExpression re(
      QStringLiteral(R"(^\s*(\d{4})\s*[-/年]\s*(\d{1,2})\s*[-/月]\s*(\d{1,2})\s*日?\s*$)"));
  return re;
}

std::optional<QDate> parseDateText(const QString& text) {
  const auto m = datePattern().match(text);
  if (!m.hasMatch()) return std::nullopt;
  const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
  if (!d.isValid()) return std::nullopt;
  return d;
}

}  // namespace

double dateSerial(const QDate& date) {
  // Serial 1 is 1900-01-01; serial 60 is the non-existent 1900-02-29 kept for compatibility.
  const qint64 days = QDate(1899, 12, 30).daysTo(date);
  return double(days < 61 ? days - 1 : days);
}

std::optional<QDate> serialDate(double serial) {
  if (!std::isfinite(serial) || serial < 1 || serial >= 2958466) return std::nullopt;
  qint64 days = qint64(std::floor(serial));
  if (days < 61) ++days;
  return QDate(1899, 12, 30).addDays(days);
}

// ---- Values ----

const Cell* Sheet::find(int row, int col) const {
  checkCell(row, col);
  const auto it = cells_.find(key(row, col));
  return it == cells_.end() ? nullptr : &it->second;
}

CellFormat Sheet::inheritedFormat(int row, int col) const {
  if (const auto r = rows_.find(row); r != rows_.end() && r->second.format) return *r->second.format;
  if (const auto c = cols_.find(col); c != cols_.end() && c->second.format) return *c->second.format;
  return CellFormat{};
}

Cell& Sheet::cell(int row, int col) {
  checkCell(row, col);
  const auto [it, added] = cells_.try_emplace(key(row, col));
  if (added) it->second.format = inheritedFormat(row, col);
  return it->second;
}

QString Sheet::text(int row, int col) const {
  const Cell* c = find(row, col);
  if (!c) return QString();
  CellKind kind = c->kind == CellKind::Formula ? c->resultKind : c->kind;
  switch (kind) {
    case CellKind::Empty:
      return QString();
    case CellKind::Text:
      return c->text;
    case CellKind::Bool:
      return c->number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    default:
      break;
  }
  if (isDateFormat(c->format.numberFormat)) {
    if (const auto d = serialDate(c->number)) return d->toString(QStringLiteral("yyyy-M-d"));
  }
  return numberText(c->number);
}

QString Sheet::text(const QString& a1) const {
  const auto pos = parseCell(a1);
  if (!pos) throw IndexError("bad cell address " + a1.toStdString());
  return text(pos->row, pos->col);
}

double Sheet::number(int row, int col) const {
  const Cell* c = find(row, col);
  if (!c) return 0;
  const CellKind kind = c->kind == CellKind::Formula ? c->resultKind : c->kind;
  if (kind == CellKind::Number || kind == CellKind::Bool) return c->number;
  if (kind == CellKind::Text) return Val(c->text);
  return 0;
}

std::optional<QDate> Sheet::date(int row, int col) const {
  const Cell* c = find(row, col);
  if (!c) return std::nullopt;
  const CellKind kind = c->kind == CellKind::Formula ? c->resultKind : c->kind;
  if (kind == CellKind::Number) return serialDate(c->number);
  if (kind == CellKind::Text) return parseDateText(c->text);
  return std::nullopt;
}

bool Sheet::isEmpty(int row, int col) const {
  const Cell* c = find(row, col);
  return !c || c->kind == CellKind::Empty;
}

void Sheet::setValue(int row, int col, const QString& value) {
  if (value.isEmpty()) return clearValue(row, col);
  if (value.startsWith('=')) return setFormula(row, col, value);
  Cell& c = cell(row, col);
  if (c.format.isText()) return setText(row, col, value);
  if (numberPattern().match(value).hasMatch()) return setNumber(row, col, value.trimmed().toDouble());
  if (const auto d = parseDateText(value)) {
    setNumber(row, col, dateSerial(*d));
    if (c.format.numberFormat.isEmpty()) c.format.numberFormat = QStringLiteral("yyyy-m-d");
    return;
  }
  setText(row, col, value);
}

void Sheet::setValue(const QString& a1, const QString& value) {
  const auto pos = parseCell(a1);
  if (!pos) throw IndexError("bad cell address " + a1.toStdString());
  setValue(pos->row, pos->col, value);
}

void Sheet::setText(int row, int col, const QString& text) {
  Cell& c = cell(row, col);
  c.kind = text.isEmpty() ? CellKind::Empty : CellKind::Text;
  c.text = text;
  c.number = 0;
  c.formula.clear();
}

void Sheet::setNumber(int row, int col, double value) {
  Cell& c = cell(row, col);
  c.kind = CellKind::Number;
  c.number = std::isfinite(value) ? value : 0;
  c.text.clear();
  c.formula.clear();
}

void Sheet::setBool(int row, int col, bool value) {
  setNumber(row, col, value ? 1 : 0);
  cell(row, col).kind = CellKind::Bool;
}

void Sheet::setFormula(int row, int col, const QString& formula, double cached) {
  Cell& c = cell(row, col);
  c.kind = CellKind::Formula;
  c.formula = formula.startsWith('=') ? formula : '=' + formula;
  c.resultKind = CellKind::Number;
  c.number = cached;
  c.text.clear();
}

void Sheet::clearValue(int row, int col) {
  checkCell(row, col);
  const auto it = cells_.find(key(row, col));
  if (it == cells_.end()) return;
  it->second.kind = CellKind::Empty;
  it->second.text.clear();
  it->second.formula.clear();
  it->second.number = 0;
}

void Sheet::recalculate() {
  FormulaEvaluator eval(*this);
  std::vector<std::pair<std::uint64_t, FormulaValue>> results;
  for (const auto& [k, c] : cells_)
    if (c.kind == CellKind::Formula) results.emplace_back(k, eval.cellValue(keyRow(k), keyCol(k)));
  for (const auto& [k, v] : results) {
    Cell& c = cells_[k];
    c.resultKind = v.error.isEmpty() ? v.kind : CellKind::Text;
    c.number = v.error.isEmpty() ? v.number : 0;
    c.text = v.error.isEmpty() ? v.text : v.error;
  }
}

void Sheet::computeMissingResults() {
  FormulaEvaluator eval(*this);
  std::vector<std::pair<std::uint64_t, FormulaValue>> results;
  for (const auto& [k, c] : cells_)
    if (c.kind == CellKind::Formula && c.resultKind == CellKind::Empty)
      results.emplace_back(k, eval.cellValue(keyRow(k), keyCol(k)));
  for (const auto& [k, v] : results) {
    if (!v.error.isEmpty()) continue;
    Cell& c = cells_[k];
    c.resultKind = v.kind;
    c.number = v.number;
    c.text = v.text;
  }
}

std::optional<CellPos> Sheet::formulaWithoutResult() const {
  for (const auto& [k, c] : cells_)
    if (c.kind == CellKind::Formula && c.resultKind == CellKind::Empty) return CellPos{keyRow(k), keyCol(k)};
  return std::nullopt;
}

int Sheet::lastRow() const {
  for (auto it = cells_.rbegin(); it != cells_.rend(); ++it)
    if (it->second.kind != CellKind::Empty) return keyRow(it->first);
  return 0;
}

int Sheet::lastColumn() const {
  int last = 0;
  for (const auto& [k, c] : cells_)
    if (c.kind != CellKind::Empty) last = std::max(last, keyCol(k));
  return last;
}

// ---- Ranges and formats ----

SheetRange Sheet::range(const QString& address) {
  const auto area = parseRange(address);
  if (!area) throw IndexError("bad range address " + address.toStdString());
  return SheetRange(*this, *area);
}

SheetRange Sheet::range(const CellRange& area) {
  if (!area.valid()) throw IndexError("range outside the sheet: " + rangeName(area).toStdString());
  return SheetRange(*this, area);
}

SheetRange Sheet::range(int r1, int c1, int r2, int c2) {
  return range(CellRange{std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)});
}

SheetRange Sheet::range(int row, int col) {
  return range(row, col, row, col);
}

CellFormat Sheet::format(int row, int col) const {
  const Cell* c = find(row, col);
  return c ? c->format : inheritedFormat(row, col);
}

void Sheet::formatRange(const CellRange& area, const std::function<void(CellFormat&)>& change) {
  if (!area.valid()) throw IndexError("range outside the sheet: " + rangeName(area).toStdString());
  const bool columns = area.wholeColumns(), rows = area.wholeRows();
  if (columns || rows) {
    const auto changeLine = [&change](LineInfo& line) {
      if (!line.format) line.format = CellFormat{};
      change(*line.format);
    };
    if (columns && !rows)
      for (int c = area.c1; c <= area.c2; ++c) changeLine(columnLine(c));
    if (rows && !columns)
      for (int r = area.r1; r <= area.r2; ++r) changeLine(rowLine(r));
    for (auto& [k, c] : cells_)
      if (area.contains(keyRow(k), keyCol(k))) change(c.format);
    return;
  }
  if (qint64(area.rows()) * area.cols() > kMaxFormattedCells)
    throw IndexError("range too large to format: " + rangeName(area).toStdString());
  for (int r = area.r1; r <= area.r2; ++r)
    for (int c = area.c1; c <= area.c2; ++c) change(cell(r, c).format);
}

LineInfo& Sheet::rowLine(int row) {
  checkCell(row, 1);
  return rows_[row];
}

LineInfo& Sheet::columnLine(int col) {
  checkCell(1, col);
  return cols_[col];
}

// ---- Merges ----

void Sheet::merge(const CellRange& area) {
  if (!area.valid()) throw IndexError("range outside the sheet: " + rangeName(area).toStdString());
  unmerge(area);
  if (area.rows() * qint64(area.cols()) > 1) merges_.push_back(area);
}

void Sheet::unmerge(const CellRange& area) {
  std::erase_if(merges_, [&](const CellRange& m) { return m.intersects(area); });
}

std::optional<CellRange> Sheet::mergeAt(int row, int col) const {
  for (const CellRange& m : merges_)
    if (m.contains(row, col)) return m;
  return std::nullopt;
}

// ---- Sizes ----

void Sheet::setRowHeight(int row, double points) {
  rowLine(row).size = std::clamp(points, 0.0, 409.0);
}

void Sheet::setColumnWidth(int col, double width) {
  columnLine(col).size = std::clamp(width, 0.0, 255.0);
}

double Sheet::rowHeight(int row) const {
  const auto it = rows_.find(row);
  return it != rows_.end() && it->second.size >= 0 ? it->second.size : kDefaultRowHeight;
}

double Sheet::columnWidth(int col) const {
  const auto it = cols_.find(col);
  return it != cols_.end() && it->second.size >= 0 ? it->second.size : kDefaultColumnWidth;
}

// ---- Workbook ----

Sheet& Workbook::addSheet(const QString& name) {
  return sheets_.emplace_back(name);
}

Sheet& Workbook::sheet(int index) {
  if (index < 0 || index >= sheetCount()) throw IndexError("no sheet " + std::to_string(index));
  return sheets_[std::size_t(index)];
}

const Sheet& Workbook::sheet(int index) const {
  if (index < 0 || index >= sheetCount()) throw IndexError("no sheet " + std::to_string(index));
  return sheets_[std::size_t(index)];
}

Sheet* Workbook::sheetNamed(const QString& name) {
  for (Sheet& s : sheets_)
    if (s.name() == name) return &s;
  return nullptr;
}

void Workbook::recalculate() {
  for (Sheet& s : sheets_) s.recalculate();
}

}  // namespace tavro
