// Fuzz target of the print-format file reader: any bytes as the print-format file, read by a fresh
// export frame of the demo school (Dkdydcgs, then Xsdysz for every table kind). Stored values that
// are out of range are replaced, so the applied fonts always have sizes the controls can show.
#include <cstddef>
#include <cstdint>

#include "core/runstate.h"
#include "export/context.h"
#include "export/handlers.h"
#include "export/settings_file.h"
#include "fuzz/fuzz_support.h"

// Imports the demo school before the first input, so its time does not count against an input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  tavro::fuzz::demoSchool();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavro;
  static School school = fuzz::demoSchool();
  school.Hsdm = fuzz::demoSchool().Hsdm;  // the only school value applying the settings changes
  RunState state;
  ExportForm form;
  SilentUi ui;
  ExportCtx c{school, state, form, ui};
  startExportForm(c, fuzz::inputFile(data, size, kPrintFormatFileName));
  for (int kind = 0; kind <= 4; ++kind) {
    CmbKbzl_Click(c, kind);
    fuzz::require(form.Btzh >= 0 && form.Btzh <= 42 && form.Zwzh >= 0 && form.Zwzh <= 42,
                  "font size out of range");
  }
  return 0;
}
