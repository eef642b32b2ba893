// tavro-xls-reader FILE: reads the first sheet of a legacy .xls with FreeXL and
// writes its values to the standard output (see sheets/xls_values.h). Tavro
// starts it for every .xls it reads: FreeXL has faults that damaged files trip
// (reads past its buffers), and in this program they end only this program.
#include <freexl.h>

#include <QFile>
#include <cstdio>

#include "sheets/address.h"
#include "sheets/xls_values.h"

// FreeXL keeps a small buffer when it refuses a damaged .xls; the leak checker of sanitizer builds is
// told to overlook it (the function is only read by that checker).
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfreexl.so";
}

namespace tavro {
namespace {

// Most cells the reader walks through (empty ones included), against damaged sheet sizes.
constexpr qint64 kMaxCellsWalked = 4000000;

// Closes a FreeXL handle when leaving scope (also after a failed open, as FreeXL asks).
struct FreeXlHandle {
  const void* handle = nullptr;
  ~FreeXlHandle() {
    if (handle) freexl_close(handle);
  }
};

// One FreeXL value as a cell to hand over; false for an empty or unknown cell.
bool toCell(const FreeXL_CellValue& v, XlsCell& cell) {
  switch (v.type) {
    case FREEXL_CELL_INT:
      cell.kind = XlsValueKind::Integer, cell.integer = v.value.int_value;
      return true;
    case FREEXL_CELL_DOUBLE:
      cell.kind = XlsValueKind::Double, cell.real = v.value.double_value;
      return true;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
      cell.kind = XlsValueKind::Text;
      break;
    case FREEXL_CELL_DATE:
      cell.kind = XlsValueKind::Date;
      break;
    case FREEXL_CELL_DATETIME:
      cell.kind = XlsValueKind::DateTime;
      break;
    case FREEXL_CELL_TIME:
      cell.kind = XlsValueKind::Time;
      break;
    default:
      return false;
  }
  if (v.value.text_value) cell.text = QByteArray(v.value.text_value);
  return true;
}

// The cell values of FreeXL's current sheet; false (why says so) when it is damaged or too large.
bool readCellValues(const void* xls, XlsContent& out) {
  unsigned int rows = 0;
  unsigned short cols = 0;
  if (freexl_worksheet_dimensions(xls, &rows, &cols) != FREEXL_OK)
    return out.why = QStringLiteral("工作表已损坏"), false;
  if (qint64(rows) * cols > kMaxCellsWalked || rows > unsigned(kMaxRows) || cols > kMaxColumns)
    return out.why = QStringLiteral("工作表太大"), false;
  for (unsigned int r = 0; r < rows; ++r)
    for (unsigned short c = 0; c < cols; ++c) {
      FreeXL_CellValue v;
      if (freexl_get_cell_value(xls, r, c, &v) != FREEXL_OK)
        return out.why = QStringLiteral("单元格已损坏"), false;
      XlsCell cell;
      cell.row = qint32(r) + 1, cell.col = qint32(c) + 1;
      if (toCell(v, cell)) out.cells.push_back(std::move(cell));
    }
  return true;
}

// Reads the first sheet of the .xls at path.
XlsContent readFirstSheet(const QByteArray& path) {
  XlsContent out;
  FreeXlHandle xls;
  if (freexl_open(path.constData(), &xls.handle) != FREEXL_OK)
    return out.why = QStringLiteral("无法解析"), out;
  if (freexl_select_active_worksheet(xls.handle, 0) != FREEXL_OK)
    return out.why = QStringLiteral("没有工作表"), out;
  const char* name = nullptr;
  freexl_get_worksheet_name(xls.handle, 0, &name);
  out.sheetName = name ? QByteArray(name) : QByteArray("Sheet1");
  if (!readCellValues(xls.handle, out)) out.cells.clear();
  return out;
}

}  // namespace
}  // namespace tavro

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: tavro-xls-reader FILE.xls\n", stderr);
    return 2;
  }
  const QByteArray text = tavro::encodeXlsContent(tavro::readFirstSheet(QByteArray(argv[1])));
  QFile out;
  if (!out.open(stdout, QIODevice::WriteOnly)) return 1;
  return out.write(text) == text.size() && out.flush() ? 0 : 1;
}
