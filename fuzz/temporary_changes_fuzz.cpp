// Fuzz target of the temporary-change file reader: any bytes as "调课.txt" in the data folder of the
// demo school with every class scheduled, replayed into the temporary layer (Dklsgkwj and the replay
// after a swap) on a fixed day, each record summarised for the list, and the first record removed
// again. Whatever the file holds, the temporary layer keeps only cells the timetable can hold.
#include <cstddef>
#include <cstdint>

#include "core/ctx.h"
#include "core/errors.h"
#include "core/scripted_ui.h"
#include "core/textfile.h"
#include "fuzz/fuzz_support.h"
#include "temporary/changefile.h"

namespace {

using namespace tavro;

// The demo school with every class scheduled and the scratch folder as its data folder.
School scheduledDemoSchool() {
  School s = fuzz::demoSchool();
  s.Wjj = fuzz::scratchFolder();
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj) s.Ypbz(nj, bj) = 1;
  s.Ypbjs = s.Bjzs;
  return s;
}

// Every class cell of the temporary layer is free or 10 characters.
void checkTemporaryLayer(const School& s) {
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj)
      for (int xq = 1; xq <= s.Mzts; ++xq)
        for (int jc = 1; jc <= s.Mtjs; ++jc) {
          const QString& cell = s.Kb(kTemporary, xq, jc, nj, bj);
          fuzz::require(cell.isEmpty() || cell.size() == 10, "a temporary cell is not a cell");
        }
}

}  // namespace

// Imports the demo school before the first input, so its time does not count against an input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  tavro::fuzz::demoSchool();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static School school = scheduledDemoSchool();
  RunState state;
  state.fixedToday = QDate(2026, 3, 4);
  Rng rng;
  ScriptedUi ui;
  Ctx ctx{school, state, ui, rng};
  const QString path = fuzz::inputFile(data, size, kChangeFileName);
  fuzz::require(path == changeFilePath(school), "the input is not the data folder's change file");
  replayKeepingLastChange(ctx);
  checkTemporaryLayer(school);
  const ChangeFile file = readChangeFile(path);
  for (const ChangeRecord& r : file.records) changeRecordSummary(r);
  if (!file.records.isEmpty()) {
    try {
      removeChangeRecords(ctx, {1});
    } catch (const FileError&) {
      return 0;  // the scratch folder could not be written: nothing to check
    }
    checkTemporaryLayer(school);
  }
  return 0;
}
