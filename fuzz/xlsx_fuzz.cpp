// Fuzz target of the .xlsx reader: any bytes as a workbook file. The read ends in a workbook or in an
// error text, never in a crash; a file that reads is then patched in place (as imports patch the
// teacher sheet), which ends in the patched file or an error text.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "sheets/xlsx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavro;
  const QString path = fuzz::inputFile(data, size, QStringLiteral("book.xlsx"));
  const ReadResult read = readXlsx(path);
  fuzz::require(read.ok() != !read.error.isEmpty(), "a read is neither a workbook nor an error");
  if (!read.ok()) return 0;
  const IoStatus patched =
      patchXlsx(path, 0, {CellEdit::textAt(1, 1, QStringLiteral("张三")), CellEdit::numberAt(3, 2, 5)});
  if (patched.ok()) fuzz::require(readXlsx(path).ok(), "a patched workbook does not read");
  return 0;
}
