// Fuzz target of the legacy .xls reader: any bytes as an .xls file, read by the reader program
// (FreeXL) and handed back to readXls. The read ends in a workbook or in an error text, never in a
// crash; a file that reads is then patched the way imports patch an .xls sheet (its values and the
// edits saved as .xlsx), and that .xlsx reads back.
#include <QFile>
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "sheets/xlsx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavro;
  const QString path = fuzz::inputFile(data, size, QStringLiteral("book.xls"));
  const ReadResult read = readXls(path);
  fuzz::require(read.ok() != !read.error.isEmpty(), "a read is neither a workbook nor an error");
  if (!read.ok()) return 0;
  const QString base = fuzz::scratchFolder() + QStringLiteral("book");
  QFile::remove(base + QStringLiteral(".xlsx"));
  const IoStatus patched = patchSheetFile(base, 0, {CellEdit::textAt(1, 1, QStringLiteral("张三"))});
  if (patched.ok())
    fuzz::require(readXlsx(base + QStringLiteral(".xlsx")).ok(), "a patched sheet does not read");
  return 0;
}
