// Reading legacy .xls files with FreeXL (values of the first sheet, read in a
// child process), and the reader entries that pick the file kind and the
// ".xlsx"/".xls" file of a sheet.
#include <freexl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <vector>

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

// One cell value as FreeXL gives it, copied so it can leave the process that read it.
struct XlsCell {
  qint32 row = 0, col = 0, type = 0;
  qint64 intValue = 0;
  double doubleValue = 0;
  QByteArray text;
};

// What reading the first sheet with FreeXL gave: its name and cells, or why it failed.
struct XlsContent {
  QString why;
  QByteArray sheetName;
  std::vector<XlsCell> cells;
};

QDataStream& operator<<(QDataStream& out, const XlsContent& c) {
  out << c.why << c.sheetName << quint64(c.cells.size());
  for (const XlsCell& cell : c.cells)
    out << cell.row << cell.col << cell.type << cell.intValue << cell.doubleValue << cell.text;
  return out;
}

QDataStream& operator>>(QDataStream& in, XlsContent& c) {
  quint64 n = 0;
  in >> c.why >> c.sheetName >> n;
  for (quint64 i = 0; i < n && in.status() == QDataStream::Ok; ++i) {
    XlsCell cell;
    in >> cell.row >> cell.col >> cell.type >> cell.intValue >> cell.doubleValue >> cell.text;
    c.cells.push_back(std::move(cell));
  }
  return in;
}

// Stores one cell value; dates become date serials shown as "yyyy-m-d".
void storeValue(Sheet& sheet, const XlsCell& v) {
  const int row = v.row, col = v.col;
  const QString text = QString::fromUtf8(v.text);
  switch (v.type) {
    case FREEXL_CELL_INT:
      return sheet.setNumber(row, col, double(v.intValue));
    case FREEXL_CELL_DOUBLE:
      return sheet.setNumber(row, col, v.doubleValue);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME:
      return sheet.setText(row, col, text);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: {
      const QDate d = QDate::fromString(text.left(10), Qt::ISODate);
      if (!d.isValid()) return sheet.setText(row, col, text);
      sheet.setNumber(row, col, dateSerial(d));
      sheet.cell(row, col).format.numberFormat = QStringLiteral("yyyy-m-d");
      return;
    }
    default:
      return;
  }
}

// The cell values of FreeXL's current sheet; false (why says so) when it is damaged or too large.
bool readCellValues(const void* xls, XlsContent& out) {
  unsigned int rows = 0;
  unsigned short cols = 0;
  if (freexl_worksheet_dimensions(xls, &rows, &cols) != FREEXL_OK)
    return out.why = QStringLiteral("工作表已损坏"), false;
  if (qint64(rows) * cols > kMaxCellsRead * 4 || rows > unsigned(kMaxRows) || cols > kMaxColumns)
    return out.why = QStringLiteral("工作表太大"), false;
  for (unsigned int r = 0; r < rows; ++r)
    for (unsigned short c = 0; c < cols; ++c) {
      FreeXL_CellValue v;
      if (freexl_get_cell_value(xls, r, c, &v) != FREEXL_OK)
        return out.why = QStringLiteral("单元格已损坏"), false;
      if (v.type == FREEXL_CELL_NULL) continue;
      XlsCell cell{qint32(r) + 1, qint32(c) + 1, v.type, 0, 0, QByteArray()};
      if (v.type == FREEXL_CELL_INT) cell.intValue = v.value.int_value;
      if (v.type == FREEXL_CELL_DOUBLE) cell.doubleValue = v.value.double_value;
      if (v.type != FREEXL_CELL_INT && v.type != FREEXL_CELL_DOUBLE && v.value.text_value)
        cell.text = QByteArray(v.value.text_value);
      out.cells.push_back(std::move(cell));
    }
  return true;
}

// Reads the first sheet of the .xls at path with FreeXL.
XlsContent readWithFreeXl(const QByteArray& path) {
  XlsContent out;
  FreeXlHandle xls;
  if (freexl_open(path.constData(), &xls.handle) != FREEXL_OK)
    return out.why = QStringLiteral("无法解析"), out;
  if (freexl_select_active_worksheet(xls.handle, 0) != FREEXL_OK)
    return out.why = QStringLiteral("没有工作表"), out;
  const char* name = nullptr;
  freexl_get_worksheet_name(xls.handle, 0, &name);
  out.sheetName = name ? QByteArray(name) : QByteArray("Sheet1");
  readCellValues(xls.handle, out);
  return out;
}

// Writes all bytes to a file descriptor; false when the pipe broke.
bool writeAll(int fd, const QByteArray& bytes) {
  for (qsizetype done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += n;
  }
  return true;
}

// Reads a file descriptor to its end.
QByteArray readAll(int fd) {
  QByteArray bytes;
  char buffer[65536];
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return bytes;
    bytes.append(buffer, n);
  }
}

// Runs readWithFreeXl in a child process: FreeXL has faults that damaged files trip (reads past
// its buffers), and in a child they end only the child. A child that fails gives "无法解析".
XlsContent readIsolated(const QByteArray& path) {
  XlsContent failed;
  failed.why = QStringLiteral("无法解析");
  int fds[2];
  if (::pipe(fds) != 0) return failed;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]), ::close(fds[1]);
    return failed;
  }
  if (child == 0) {
    ::close(fds[0]);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << readWithFreeXl(path);
    ::_exit(writeAll(fds[1], bytes) ? 0 : 1);
  }
  ::close(fds[1]);
  const QByteArray bytes = readAll(fds[0]);
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return failed;
  XlsContent content;
  QDataStream in(bytes);
  in >> content;
  return in.status() == QDataStream::Ok ? content : failed;
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
  const XlsContent content = readIsolated(QFile::encodeName(path));
  if (!content.why.isEmpty())
    return result.error = QStringLiteral("文件“%1”不是有效的Excel文件：%2。").arg(shown, content.why), result;
  Workbook book;
  Sheet& sheet = book.addSheet(QString::fromUtf8(content.sheetName));
  for (const XlsCell& cell : content.cells) storeValue(sheet, cell);
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
