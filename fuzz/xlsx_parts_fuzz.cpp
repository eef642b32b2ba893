// Fuzz target of the .xlsx reader below the zip layer: the input is the XML of the parts of a workbook
// (fuzz::partsWorkbook), stored into a fresh zip so that every mutation reaches the XML reading
// (mutated zip bytes mostly stop at the zip's checksums).
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "sheets/xlsx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavro;
  const ReadResult read = readXlsx(fuzz::partsWorkbook(data, size));
  fuzz::require(read.ok() != !read.error.isEmpty(), "a read is neither a workbook nor an error");
  return 0;
}
