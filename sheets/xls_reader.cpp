// Reading legacy .xls files with FreeXL (values of the first sheet), and the
// reader entries that pick the file kind and the ".xlsx"/".xls" file of a sheet.
#include <freexl.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "sheets/xlsx.h"

namespace tavro {

namespace {

// Closes a FreeXL handle when leaving scope (also after a failed open, as FreeXL asks).
struct FreeXlHandle {
  const void* handle = nullptr;
  ~FreeXlHandle() {
    if (handle) freexl_close(handle);
  }
};

// Stores one FreeXL cell value; dates become date serials shown as "yyyy-m-d".
void storeValue(Sheet& sheet, int row, int col, const FreeXL_CellValue& v) {
  switch (v.type) {
    case FREEXL_CELL_INT:
      return sheet.setNumber(row, col, v.value.int_value);
    case FREEXL_CELL_DOUBLE:
      return sheet.setNumber(row, col, v.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
      return sheet.setText(row, col, QString::fromUtf8(v.value.text_value ? v.value.text_value : ""));
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: {
      const QString text = QString::fromUtf8(v.value.text_value ? v.value.text_value : "");
      const QDate d = QDate::fromString(text.left(10), Qt::ISODate);
      if (!d.isValid()) return sheet.setText(row, col, text);
      sheet.setNumber(row, col, dateSerial(d));
      sheet.cell(row, col).format.numberFormat = QStringLiteral("yyyy-m-d");
      return;
    }
    case FREEXL_CELL_TIME:
      return sheet.setText(row, col, QString::fromUtf8(v.value.text_value ? v.value.text_value : ""));
    default:
      return;
  }
}

bool readFirstSheet(const void* xls, Workbook& book, QString& why) {
  const char* name = nullptr;
  if (freexl_select_active_worksheet(xls, 0) != FREEXL_OK) return why = QStringLiteral("没有工作表"), false;
  freexl_get_worksheet_name(xls, 0, &name);
  Sheet& sheet = book.addSheet(name ? QString::fromUtf8(name) : QStringLiteral("Sheet1"));
  unsigned int rows = 0;
  unsigned short cols = 0;
  if (freexl_worksheet_dimensions(xls, &rows, &cols) != FREEXL_OK)
    return why = QStringLiteral("工作表已损坏"), false;
  if (qint64(rows) * cols > kMaxCellsRead * 4 || rows > unsigned(kMaxRows) || cols > kMaxColumns)
    return why = QStringLiteral("工作表太大"), false;
  for (unsigned int r = 0; r < rows; ++r)
    for (unsigned short c = 0; c < cols; ++c) {
      FreeXL_CellValue v;
      if (freexl_get_cell_value(xls, r, c, &v) != FREEXL_OK)
        return why = QStringLiteral("单元格已损坏"), false;
      storeValue(sheet, int(r) + 1, int(c) + 1, v);
    }
  return true;
}

// The first bytes of a file: zip ("PK") or OLE compound document (.xls).
QByteArray signature(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.read(8) : QByteArray();
}

}  // namespace

ReadResult readXls(const QString& path) {
  ReadResult result;
  result.path = path;
  const QString shown = QDir::toNativeSeparators(path);
  if (const QString why = checkReadableSheetFile(path); !why.isEmpty()) return result.error = why, result;
  if (!signature(path).startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")))
    return result.error = QStringLiteral("文件“%1”不是有效的Excel文件。").arg(shown), result;
  FreeXlHandle xls;
  QString why;
  Workbook book;
  if (freexl_open(QFile::encodeName(path).constData(), &xls.handle) != FREEXL_OK)
    why = QStringLiteral("无法解析");
  else
    readFirstSheet(xls.handle, book, why);
  if (!why.isEmpty())
    return result.error = QStringLiteral("文件“%1”不是有效的Excel文件：%2。").arg(shown, why), result;
  result.book = std::move(book);
  return result;
}

ReadResult readWorkbook(const QString& path) {
  if (signature(path).startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1"))) return readXls(path);
  return readXlsx(path);
}

ReadResult readSheetFile(const QString& basePath) {
  const QString xlsx = basePath + QStringLiteral(".xlsx"), xls = basePath + QStringLiteral(".xls");
  if (QFileInfo(xlsx).isFile()) return readWorkbook(xlsx);
  if (QFileInfo(xls).isFile()) return readWorkbook(xls);
  ReadResult none;
  none.error = QStringLiteral("文件“%1”不存在。").arg(QDir::toNativeSeparators(xlsx));
  return none;
}

bool sheetFileExists(const QString& basePath) {
  return QFileInfo(basePath + QStringLiteral(".xlsx")).isFile() ||
         QFileInfo(basePath + QStringLiteral(".xls")).isFile();
}

}  // namespace tavro
