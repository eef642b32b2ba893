// Fuzz target of the temporary-change file reader: any bytes as "调课.txt" in the data folder of the
// demo school with every class scheduled, replayed into the temporary layer (Dklsgkwj and the replay
// after a swap) on a fixed day, each record summarised for the list, the first record removed
// again, and a new record appended. Whatever the file holds, the temporary layer keeps only cells
// the timetable can hold, and an appended record is either refused (a broken record before it) or
// read back as the last record, unchanged.
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// Appends the record of a swap in the first class and reads it back as the file's last record.
void checkAppend(Ctx& ctx, const QString& path) {
  RunState& st = ctx.st;
  st.Zt = QStringLiteral("调课");
  st.Xq1 = st.Jc1 = 1;
  st.Xq2 = 2;
  st.Jc2 = 3;
  st.Jsh1 = st.Kch1 = 1;
  st.Jsh2 = st.Kch2 = 2;
  st.Lsksrq = st.Lsjsrq = QStringLiteral("2026-03-04");
  const int nj = ctx.s.Snj;
  try {
    BcLsgk(ctx, nj, 1);
  } catch (const FileError&) {
    fuzz::require(readChangeFile(path).stoppingRecord() > 0 || !QFileInfo(path).isWritable(),
                  "an append was refused without a broken record");
    return;
  }
  const ChangeFile file = readChangeFile(path);
  fuzz::require(!file.records.isEmpty(), "the appended record was not read back");
  const ChangeRecord& last = file.records.last();
  fuzz::require(last.className == ctx.s.Bjmc(nj, 1) && last.start == st.Lsksrq && last.lessons.size() == 2 &&
                    last.lessons[1].xq == 2 && last.lessons[1].jc == 3 && last.lessons[1].newTeacher == 1,
                "the appended record did not read back unchanged");
  for (const QString& name :
       QDir(fuzz::scratchFolder()).entryList({kChangeFileName + QStringLiteral(".损坏-*")}))
    QFile::remove(fuzz::scratchFolder() + name);
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
  checkAppend(ctx, path);
  return 0;
}
