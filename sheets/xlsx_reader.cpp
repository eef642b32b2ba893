// Reading .xlsx files: the zip container, the workbook and its relationships,
// shared strings, styles and each worksheet's cells, merges, sizes and view.
// Every size and index from the file is checked, so damaged or foreign files
// end in an error text.
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cmath>

#include "sheets/ooxml.h"
#include "sheets/xlsx.h"

namespace tavro {

using namespace ooxml;

namespace {

// Most merged areas read per sheet (each new merge is checked against all earlier ones).
constexpr int kMaxMerges = 20000;

// A boolean attribute: "1" or "true".
bool isTrue(const QString& value) {
  return value == QLatin1String("1") || value == QLatin1String("true");
}

// What one worksheet's cells refer to.
struct BookParts {
  QStringList strings;
  std::vector<CellFormat> formats;
  bool date1904 = false;
  qint64 cellsLeft = kMaxCellsRead;
};

QStringList sharedStrings(const pugi::xml_document& doc) {
  QStringList list;
  for (pugi::xml_node si : doc.first_child().children()) {
    if (!is(si, "si")) continue;
    QString s;
    for (pugi::xml_node part : si.children()) {
      if (is(part, "t"))
        s += text(part);
      else if (is(part, "r"))
        s += text(child(part, "t"));  // rich-text run; phonetic runs <rPh> are skipped
    }
    list << s;
  }
  return list;
}

// Stores the value of one <c> element into the sheet's cell.
void readValue(const pugi::xml_node& c, Cell& cell, const BookParts& parts) {
  const QString type = attr(c, "t");
  const pugi::xml_node v = child(c, "v");
  const QString raw = QString::fromUtf8(v.text().get());
  CellKind kind = CellKind::Number;
  QString textValue;
  double number = 0;
  if (type == QLatin1String("s")) {
    bool ok = false;
    const int i = raw.toInt(&ok);
    kind = CellKind::Text;
    if (ok && i >= 0 && i < parts.strings.size()) textValue = parts.strings[i];
  } else if (type == QLatin1String("inlineStr")) {
    kind = CellKind::Text;
    for (pugi::xml_node part : child(c, "is").children())
      textValue += is(part, "t") ? text(part) : is(part, "r") ? text(child(part, "t")) : QString();
  } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
    kind = CellKind::Text;
    textValue = text(v);
  } else if (type == QLatin1String("b")) {
    kind = CellKind::Bool;
    number = raw.trimmed() == QLatin1String("1") ? 1 : 0;
  } else if (type == QLatin1String("d")) {
    const QDate d = QDate::fromString(raw.left(10), Qt::ISODate);
    number = d.isValid() ? dateSerial(d) : 0;
  } else if (!v || raw.trimmed().isEmpty()) {
    kind = CellKind::Empty;  // no value, or a formula stored without its result
  } else {
    bool ok = false;
    number = raw.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
      kind = CellKind::Text, textValue = raw, number = 0;
    else if (parts.date1904 && isDateFormat(cell.format.numberFormat))
      number += 1462;
  }
  const QString formula = text(child(c, "f"));
  cell.text = textValue;
  cell.number = number;
  if (!formula.isEmpty()) {
    cell.kind = CellKind::Formula;
    cell.formula = '=' + formula;
    // A formula without a stored value has no result yet, whatever type it claims.
    cell.resultKind = !v && type != QLatin1String("inlineStr") ? CellKind::Empty : kind;
  } else {
    cell.kind = kind;
  }
}

bool readCells(const pugi::xml_node& sheetData, Sheet& sheet, BookParts& parts, QString& error) {
  int row = 0;
  for (pugi::xml_node r : sheetData.children()) {
    if (!is(r, "row")) continue;
    const int number = attr(r, "r").toInt();
    row = number > 0 ? number : row + 1;
    if (row > kMaxRows) return error = QStringLiteral("行号超出范围"), false;
    const double height = attr(r, "ht").toDouble();
    if (height > 0 && isTrue(attr(r, "customHeight"))) sheet.setRowHeight(row, height);
    if (isTrue(attr(r, "hidden"))) sheet.rowLine(row).hidden = true;
    int col = 0;
    for (pugi::xml_node c : r.children()) {
      if (!is(c, "c")) continue;
      const QString ref = attr(c, "r");
      const auto pos = ref.isEmpty() ? std::nullopt : parseCell(ref);
      if (!ref.isEmpty() && !pos)
        return error = QStringLiteral("单元格地址“%1”错误").arg(ref.left(20)), false;
      col = pos ? pos->col : col + 1;
      const int cellRow = pos ? pos->row : row;
      if (col > kMaxColumns) return error = QStringLiteral("列号超出范围"), false;
      if (--parts.cellsLeft < 0) return error = QStringLiteral("单元格太多"), false;
      Cell& cell = sheet.cell(cellRow, col);
      bool ok = false;
      const int style = attr(c, "s").toInt(&ok);
      if (ok && style >= 0 && style < int(parts.formats.size()))
        cell.format = parts.formats[std::size_t(style)];
      readValue(c, cell, parts);
    }
  }
  return true;
}

// A column width in characters from the file's width, which includes the cell padding of 5 pixels
// of the default font's 7-pixel digits.
double characterWidth(double fileWidth) {
  if (fileWidth <= 0) return 0;
  const double pixels = std::round(fileWidth * 7);
  const double chars = pixels >= 12 ? (pixels - 5) / 7 : pixels / 12;
  return std::round(chars * 100) / 100;
}

void readColumns(const pugi::xml_node& cols, Sheet& sheet, const BookParts& parts) {
  int budget = kMaxColumns;
  for (pugi::xml_node c : cols.children()) {
    if (!is(c, "col")) continue;
    const int lo = std::max(1, attr(c, "min").toInt()), hi = std::min(kMaxColumns, attr(c, "max").toInt());
    const double width = characterWidth(attr(c, "width").toDouble());
    bool ok = false;
    const int style = attr(c, "style").toInt(&ok);
    const bool styled = ok && style > 0 && style < int(parts.formats.size());
    for (int col = lo; col <= hi && budget-- > 0; ++col) {
      if (width > 0) sheet.setColumnWidth(col, width);
      if (styled) sheet.columnLine(col).format = parts.formats[std::size_t(style)];
      if (isTrue(attr(c, "hidden"))) sheet.columnLine(col).hidden = true;
    }
  }
}

void readView(const pugi::xml_node& root, Sheet& sheet) {
  const pugi::xml_node view = child(child(root, "sheetViews"), "sheetView");
  const pugi::xml_node pane = child(view, "pane");
  const QString state = attr(pane, "state");
  if (pane && state.startsWith(QLatin1String("frozen"))) {
    const int x = attr(pane, "xSplit").toInt(), y = attr(pane, "ySplit").toInt();
    if (x >= 0 && y >= 0 && x < kMaxColumns && y < kMaxRows) sheet.freezePanes(y + 1, x + 1);
  }
  for (pugi::xml_node sel : view.children()) {
    if (!is(sel, "selection")) continue;
    const auto area = parseRange(attr(sel, "sqref").section(' ', 0, 0));
    if (area) sheet.select(*area);
  }
}

bool readSheet(ZipArchive& zip, const QString& part, Sheet& sheet, BookParts& parts, QString& error) {
  const auto bytes = zip.read(part, kMaxXmlPartBytes);
  if (!bytes) return error = zip.error(), false;
  pugi::xml_document doc;
  if (!parse(doc, *bytes, error)) return false;
  const pugi::xml_node root = doc.first_child();
  if (!is(root, "worksheet")) return error = QStringLiteral("工作表内容错误"), false;
  readColumns(child(root, "cols"), sheet, parts);
  if (!readCells(child(root, "sheetData"), sheet, parts, error)) return false;
  int mergesLeft = kMaxMerges;
  for (pugi::xml_node m : child(root, "mergeCells").children()) {
    const auto area = parseRange(attr(m, "ref"));
    if (!area || !is(m, "mergeCell")) continue;
    if (--mergesLeft < 0) return error = QStringLiteral("合并单元格太多"), false;
    sheet.merge(*area);
  }
  readView(root, sheet);
  return true;
}

// Loads the optional shared-strings and styles parts named by the workbook's relationships.
bool readBookParts(ZipArchive& zip, const std::map<QString, Relationship>& rels, BookParts& parts,
                   QString& error) {
  for (const auto& [id, rel] : rels) {
    const bool strings = rel.type.endsWith(QLatin1String("/sharedStrings"));
    const bool styles = rel.type.endsWith(QLatin1String("/styles"));
    if ((!strings && !styles) || !zip.has(rel.target)) continue;
    const auto bytes = zip.read(rel.target, kMaxXmlPartBytes);
    if (!bytes) return error = zip.error(), false;
    pugi::xml_document doc;
    if (!parse(doc, *bytes, error)) return false;
    if (strings)
      parts.strings = sharedStrings(doc);
    else
      parts.formats = cellFormats(doc);
  }
  return true;
}

QString workbookPart(ZipArchive& zip) {
  for (const auto& [id, rel] : relationships(zip, QString()))
    if (rel.type.endsWith(QLatin1String("/officeDocument"))) return rel.target;
  return QStringLiteral("xl/workbook.xml");
}

bool readBook(ZipArchive& zip, Workbook& book, QString& error) {
  const QString part = workbookPart(zip);
  const auto bytes = zip.read(part, kMaxXmlPartBytes);
  if (!bytes) return error = zip.error(), false;
  pugi::xml_document doc;
  if (!parse(doc, *bytes, error)) return false;
  const auto rels = relationships(zip, part);
  BookParts parts;
  if (!readBookParts(zip, rels, parts, error)) return false;
  const pugi::xml_node pr = child(doc.first_child(), "workbookPr");
  parts.date1904 = isTrue(attr(pr, "date1904"));
  for (pugi::xml_node s : child(doc.first_child(), "sheets").children()) {
    const auto rel = rels.find(attr(s, "id"));
    if (!is(s, "sheet") || rel == rels.end() || !rel->second.type.endsWith(QLatin1String("/worksheet")))
      continue;
    Sheet& sheet = book.addSheet(attr(s, "name"));
    if (!readSheet(zip, rel->second.target, sheet, parts, error)) return false;
    sheet.computeMissingResults();
  }
  if (book.sheetCount() == 0) return error = QStringLiteral("没有工作表"), false;
  return true;
}

}  // namespace

QString checkReadableSheetFile(const QString& path) {
  const QString shown = QDir::toNativeSeparators(path);
  const QFileInfo fi(path);
  if (!fi.isFile()) return QStringLiteral("文件“%1”不存在。").arg(shown);
  if (fi.size() > kMaxSheetFileBytes) return QStringLiteral("文件“%1”太大，无法读取。").arg(shown);
  return QString();
}

ReadResult readXlsx(const QString& path) {
  ReadResult result;
  result.path = path;
  const QString shown = QDir::toNativeSeparators(path);
  if (const QString why = checkReadableSheetFile(path); !why.isEmpty()) return result.error = why, result;
  ZipArchive zip;
  QString why;
  Workbook book;
  if (!zip.open(path))
    why = zip.error();
  else if (!readBook(zip, book, why))
    why = why.isEmpty() ? zip.error() : why;
  if (!why.isEmpty())
    return result.error = QStringLiteral("文件“%1”不是有效的Excel文件：%2。").arg(shown, why), result;
  result.book = std::move(book);
  return result;
}

}  // namespace tavro
