// Changing a few cells of an existing .xlsx in place. Only the worksheet part
// (and the workbook's recalculation flag) is rewritten; every other part of the
// zip is copied unchanged, so the user's formats, other sheets and pictures
// survive. The result is written to a copy, which then replaces the original
// in one step.
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <tuple>

#include "sheets/file_writing.h"
#include "sheets/ooxml.h"
#include "sheets/xlsx.h"

namespace tavro {

using namespace ooxml;

namespace {

// The element name for a new child, with the namespace prefix its parent uses.
std::string prefixed(const pugi::xml_node& parent, const char* local) {
  const std::string name = parent.name();
  const auto colon = name.rfind(':');
  return (colon == std::string::npos ? std::string() : name.substr(0, colon + 1)) + local;
}

// The child numbered n among the children with local name `local`, numbered by attribute r (or by
// position when r is missing); created in order when missing.
pugi::xml_node findOrInsert(pugi::xml_node parent, const char* local, int n,
                            const std::function<int(const pugi::xml_node&)>& numberOf) {
  int previous = 0;
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
    if (!is(c, local)) continue;
    const int number = numberOf(c) > 0 ? numberOf(c) : previous + 1;
    if (number == n) return c;
    if (number > n) return parent.insert_child_before(prefixed(parent, local).c_str(), c);
    previous = number;
  }
  return parent.append_child(prefixed(parent, local).c_str());
}

// The style index a new cell takes: its row's when the row has its own format, else its column's.
QString newCellStyle(const pugi::xml_node& root, const pugi::xml_node& row, int col) {
  if (attr(row, "customFormat") == QLatin1String("1")) return attr(row, "s");
  for (pugi::xml_node c : child(root, "cols").children())
    if (is(c, "col") && attr(c, "min").toInt() <= col && col <= attr(c, "max").toInt())
      return attr(c, "style");
  return QString();
}

// Writes one edit into the worksheet document; true when it replaced a formula.
bool applyEdit(const pugi::xml_node& root, pugi::xml_node sheetData, const CellEdit& e) {
  pugi::xml_node row =
      findOrInsert(sheetData, "row", e.row, [](const pugi::xml_node& r) { return attr(r, "r").toInt(); });
  if (attr(row, "r").isEmpty()) row.append_attribute("r") = e.row;
  pugi::xml_node cell = findOrInsert(row, "c", e.col, [](const pugi::xml_node& c) {
    const auto pos = parseCell(attr(c, "r"));
    return pos ? pos->col : 0;
  });
  const QString name = cellName(e.row, e.col);
  if (attr(cell, "r").isEmpty()) {
    cell.append_attribute("r") = name.toUtf8().constData();
    const QString style = newCellStyle(root, row, e.col);
    if (!style.isEmpty()) cell.append_attribute("s") = style.toUtf8().constData();
  }
  const bool hadFormula = bool(child(cell, "f"));
  while (pugi::xml_node old = child(cell, "f")) cell.remove_child(old);
  while (pugi::xml_node old = child(cell, "v")) cell.remove_child(old);
  while (pugi::xml_node old = child(cell, "is")) cell.remove_child(old);
  cell.remove_attribute("t");
  if (e.isNumber) {
    cell.append_child(prefixed(cell, "v").c_str()).text() =
        QString::number(e.number, 'g', 17).toUtf8().constData();
  } else if (!e.text.isEmpty()) {
    cell.append_attribute("t") = "inlineStr";
    pugi::xml_node t =
        cell.append_child(prefixed(cell, "is").c_str()).append_child(prefixed(cell, "t").c_str());
    if (e.text.trimmed() != e.text) t.append_attribute("xml:space") = "preserve";
    QString clean = e.text;
    clean.removeIf([](QChar ch) { return ch.unicode() < 0x20 && ch != '\t' && ch != '\n' && ch != '\r'; });
    t.text() = clean.left(32767).toUtf8().constData();
  }
  return hadFormula;
}

QByteArray serialize(const pugi::xml_document& doc) {
  struct Writer : pugi::xml_writer {
    QByteArray bytes;
    void write(const void* data, size_t size) override {
      bytes.append(static_cast<const char*>(data), qsizetype(size));
    }
  } writer;
  doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
  return writer.bytes;
}

// Sets fullCalcOnLoad so formulas depending on the changed cells are recomputed when opened.
void markForRecalculation(pugi::xml_node workbook) {
  pugi::xml_node calc = child(workbook, "calcPr");
  if (!calc) {
    pugi::xml_node after;
    for (const char* name : {"sheets", "functionGroups", "externalReferences", "definedNames"})
      if (pugi::xml_node n = child(workbook, name)) after = n;
    if (!after) return;
    calc = workbook.insert_child_after(prefixed(workbook, "calcPr").c_str(), after);
  }
  if (!calc.attribute("fullCalcOnLoad")) calc.append_attribute("fullCalcOnLoad");
  calc.attribute("fullCalcOnLoad") = "1";
}

// The parts to replace (path -> new bytes); an empty byte array removes the part.
using Replacements = std::map<QString, QByteArray>;

bool buildReplacements(ZipArchive& zip, int sheetIndex, const std::vector<CellEdit>& edits, Replacements& out,
                       QString& why);

// The cause of libzip's last failure on za.
QString zipFailure(zip_t* za) {
  const zip_error_t* error = zip_get_error(za);
  return zipErrorCause(zip_error_code_zip(error), zip_error_code_system(error));
}

// Copies path to tmp with the parts replaced; "" when done, else the cause.
QString writeCopy(const QString& path, const QString& tmp, const Replacements& parts) {
  QFile::remove(tmp);
  errno = 0;
  if (!QFile::copy(path, tmp)) {
    const QString cause = systemErrorCause(errno);
    return cause.isEmpty() ? QStringLiteral("无法在文件夹里建立副本") : cause;
  }
  int code = 0;
  zip_t* za = zip_open(QFile::encodeName(tmp).constData(), 0, &code);
  if (!za) return zipErrorCause(code, 0);
  for (const auto& [name, bytes] : parts) {
    const zip_int64_t index = zip_name_locate(za, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (bytes.isEmpty()) {
      if (index >= 0) zip_delete(za, zip_uint64_t(index));
      continue;
    }
    zip_source_t* src = zip_source_buffer(za, bytes.constData(), zip_uint64_t(bytes.size()), 0);
    const bool ok = src && (index >= 0 ? zip_file_replace(za, zip_uint64_t(index), src, 0) == 0
                                       : zip_file_add(za, name.toUtf8().constData(), src, 0) >= 0);
    if (!ok) {
      if (src) zip_source_free(src);
      const QString cause = zipFailure(za);
      zip_discard(za);
      return cause;
    }
  }
  if (zip_close(za) != 0) {
    const QString cause = zipFailure(za);
    zip_discard(za);
    return cause;
  }
  return QString();
}

// Writes the patched copy beside the file the path leads to (through symbolic links) and replaces
// that file with it; "" when done, else the cause.
QString writePatched(const QString& path, qint64 size, const Replacements& parts) {
  const QString target = writeTargetOf(path);
  const QString folder = QFileInfo(target).absolutePath();
  if (const QString why = folderWriteProblem(folder); !why.isEmpty()) return why;
  if (!folderHasRoomFor(folder, 2 * size + 256 * 1024)) return QStringLiteral("磁盘空间不足");
  removeStaleTemporaryFiles(folder);
  const QString tmp = temporaryPathBeside(target);
  QString why = writeCopy(path, tmp, parts);
  if (why.isEmpty()) why = replaceFileWith(target, tmp);
  QFile::remove(tmp);
  return why;
}

}  // namespace

IoStatus patchXlsx(const QString& path, int sheetIndex, const std::vector<CellEdit>& edits) {
  const QString shown = QDir::toNativeSeparators(path);
  const QFileInfo fi(path);
  if (!fi.isFile()) return {QStringLiteral("文件“%1”不存在。").arg(shown)};
  if (fi.size() > kMaxSheetFileBytes) return {QStringLiteral("文件“%1”太大，无法修改。").arg(shown)};
  for (const CellEdit& e : edits)
    if (e.row < 1 || e.row > kMaxRows || e.col < 1 || e.col > kMaxColumns)
      return {QStringLiteral("无法修改“%1”：单元格超出范围。").arg(shown)};
  ZipArchive zip;
  Replacements parts;
  QString why;
  if (!zip.open(path))
    why = zip.error();
  else if (!buildReplacements(zip, sheetIndex, edits, parts, why) && why.isEmpty())
    why = zip.error();
  if (!why.isEmpty()) return {QStringLiteral("无法修改“%1”：%2。").arg(shown, why)};
  why = writePatched(path, fi.size(), parts);
  if (!why.isEmpty()) return {QStringLiteral("无法保存“%1”：%2。").arg(shown, why)};
  return {};
}

namespace {

// Removes the calculation chain (the order in which formulas were last computed), which would name a
// formula cell that is no longer one; the spreadsheet rebuilds it when the file is opened.
void dropCalculationChain(ZipArchive& zip, const QString& bookPart,
                          const std::map<QString, Relationship>& rels, Replacements& out) {
  QString chain;
  for (const auto& [id, rel] : rels)
    if (rel.type.endsWith(QLatin1String("/calcChain"))) chain = rel.target;
  if (chain.isEmpty()) return;
  const int slash = bookPart.lastIndexOf('/');
  const QString relsPart =
      bookPart.left(slash + 1) + QStringLiteral("_rels/") + bookPart.mid(slash + 1) + QStringLiteral(".rels");
  for (const auto& [part, element, attribute] :
       {std::tuple{relsPart, "Relationship", "Type"},
        std::tuple{QStringLiteral("[Content_Types].xml"), "Override", "PartName"}}) {
    const auto bytes = zip.read(part, kMaxXmlPartBytes);
    pugi::xml_document doc;
    QString ignored;
    if (!bytes || !parse(doc, *bytes, ignored)) return;  // leave the file as consistent as it was
    pugi::xml_node root = doc.first_child();
    for (pugi::xml_node n = root.first_child(); n;) {
      const pugi::xml_node next = n.next_sibling();
      const QString value = attr(n, attribute);
      if (is(n, element) && (value.endsWith(QLatin1String("/calcChain")) || value == '/' + chain))
        root.remove_child(n);
      n = next;
    }
    out[part] = serialize(doc);
  }
  out[chain] = QByteArray();
}

bool buildReplacements(ZipArchive& zip, int sheetIndex, const std::vector<CellEdit>& edits, Replacements& out,
                       QString& why) {
  QString bookPart = QStringLiteral("xl/workbook.xml");
  for (const auto& [id, rel] : relationships(zip, QString()))
    if (rel.type.endsWith(QLatin1String("/officeDocument"))) bookPart = rel.target;
  const auto bookBytes = zip.read(bookPart, kMaxXmlPartBytes);
  pugi::xml_document book;
  if (!bookBytes || !parse(book, *bookBytes, why)) return false;
  const auto rels = relationships(zip, bookPart);
  QString sheetPart;
  int n = 0;
  for (pugi::xml_node s : child(book.first_child(), "sheets").children()) {
    const auto rel = rels.find(attr(s, "id"));
    if (!is(s, "sheet") || rel == rels.end() || !rel->second.type.endsWith(QLatin1String("/worksheet")))
      continue;
    if (n++ == sheetIndex) sheetPart = rel->second.target;
  }
  if (sheetPart.isEmpty()) return why = QStringLiteral("没有第%1张工作表").arg(sheetIndex + 1), false;
  const auto sheetBytes = zip.read(sheetPart, kMaxXmlPartBytes);
  pugi::xml_document sheet;
  if (!sheetBytes || !parse(sheet, *sheetBytes, why)) return false;
  const pugi::xml_node root = sheet.first_child();
  const pugi::xml_node sheetData = child(root, "sheetData");
  if (!is(root, "worksheet") || !sheetData) return why = QStringLiteral("工作表内容错误"), false;
  bool formulaRemoved = false;
  for (const CellEdit& e : edits) formulaRemoved |= applyEdit(root, sheetData, e);
  if (formulaRemoved) dropCalculationChain(zip, bookPart, rels, out);
  markForRecalculation(book.first_child());
  out[sheetPart] = serialize(sheet);
  out[bookPart] = serialize(book);
  return true;
}

}  // namespace

IoStatus patchSheetFile(const QString& basePath, int sheetIndex, const std::vector<CellEdit>& edits) {
  const QString xlsx = basePath + QStringLiteral(".xlsx");
  if (QFileInfo(xlsx).isFile()) return patchXlsx(xlsx, sheetIndex, edits);
  ReadResult read = readXls(basePath + QStringLiteral(".xls"));
  if (!read.ok()) return {read.error};
  Sheet& sheet = read.book->sheet(std::min(sheetIndex, read.book->sheetCount() - 1));
  for (const CellEdit& e : edits) {
    if (e.isNumber)
      sheet.setNumber(e.row, e.col, e.number);
    else
      sheet.setText(e.row, e.col, e.text);
  }
  return saveXlsx(*read.book, xlsx);
}

}  // namespace tavro
