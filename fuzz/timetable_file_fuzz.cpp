// Fuzz target of the timetable file reader Dkkbwj (and the text-file reading under it): any bytes as
// "课表.txt", read into a copy of the demo school with the input boxes answered from a short list.
// Whatever the file holds, the read ends without a crash and every cell kept is free or 10 digits;
// and what was read, written again by Bckb, reads back unchanged.
#include <QFile>
#include <cstddef>
#include <cstdint>

#include "core/ctx.h"
#include "core/errors.h"
#include "core/scripted_ui.h"
#include "core/textfile.h"
#include "core/timetable_file.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace tavro;

// The invariants of a finished read: the week fits the tables and every cell read is a cell.
void checkTimetable(const School& s) {
  fuzz::require(s.Mzts >= 1 && s.Mzts <= 7, "days per week out of range");
  fuzz::require(s.Mtjs >= 1 && s.Mtjs <= 13, "periods per day out of range");
  fuzz::require(s.Ypbjs >= 0 && s.Ypbjs <= s.Bjzs, "scheduled classes out of range");
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj)
      for (int xq = 1; xq <= s.Mzts; ++xq)
        for (int jc = 1; jc <= s.Mtjs; ++jc) {
          const QString& cell = s.Kb(kLongTerm, xq, jc, nj, bj);
          fuzz::require(cell.isEmpty() || cell.size() == 10, "a stored cell is not a cell");
        }
}

// The long-term cells and scheduled flags of every class, in order.
QStringList timetableOf(const School& s) {
  QStringList cells;
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj) {
      cells << QString::number(s.Ypbz(nj, bj));
      for (int xq = 1; xq <= s.Mzts; ++xq)
        for (int jc = 1; jc <= s.Mtjs; ++jc) cells << s.Kb(kLongTerm, xq, jc, nj, bj);
    }
  return cells;
}

// Writes what the read kept and reads it back: the same cells and flags, read cleanly; teacher
// disagreements kept by the first read are kept again (answer 4).
void checkRoundTrip(Ctx& ctx, const QString& path) {
  const QStringList kept = timetableOf(ctx.s);
  Bckb(ctx);
  ScriptedUi ui({QStringLiteral("4")});
  ui.setStopOnRepeatedInput(true);
  Ctx again{ctx.s, ctx.st, ui, ctx.rng};
  const TimetableRead read = Dkkbwj(again, path);
  fuzz::require(read.damagedCopy.isEmpty(), "a file the program wrote could not be read cleanly");
  fuzz::require(timetableOf(ctx.s) == kept, "what was written did not read back unchanged");
}

}  // namespace

// Imports the demo school before the first input, so its time does not count against an input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  tavro::fuzz::demoSchool();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  School& school = fuzz::timetableReaderSchool();
  RunState state;
  Rng rng;
  ScriptedUi ui(fuzz::inputAnswers());
  ui.setStopOnRepeatedInput(true);
  Ctx ctx{school, state, ui, rng};
  school.Wjj = fuzz::scratchFolder();
  const QString path = fuzz::inputFile(data, size, kTimetableFileName);
  try {
    const TimetableRead read = Dkkbwj(ctx, path);
    if (!read.damagedCopy.isEmpty()) QFile::remove(read.damagedCopy);
    checkTimetable(school);
    checkRoundTrip(ctx, path);
  } catch (const OperationStopped&) {
    return 0;  // an input box left without an answer stops the read, as a cancel does
  } catch (const ProgramEnd&) {
    return 0;  // the answer 5 to the teacher question ends the program
  } catch (const FileError&) {
    return 0;  // the scratch folder could not be written: nothing to check
  }
  return 0;
}
