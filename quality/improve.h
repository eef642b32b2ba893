#pragma once
// The improvement pass: after every class is scheduled, exchanges two lessons
// of one class at a time, each an exchange the swap test grades green or yellow
// (so every hard rule holds: teachers in one place, blocked and research
// periods, banned periods, caps per period), and keeps it when it lowers the
// weighted score of soft faults (quality/figures.h). Combined, fixed and
// whole-school lessons never move. The scheduler does not call it; the window
// and the command line do.

#include <QString>
#include <cstdint>
#include <functional>

#include "core/ctx.h"
#include "quality/figures.h"

namespace tavro {

struct ImproveOptions {
  std::uint64_t seed = 1;  // the order the classes and cells are tried in; the same seed, the same result
  // 0: stop at the first timetable that no exchange improves. Above 0: go on until that many seconds
  // have passed, shaking the timetable with a few random exchanges and climbing again, and keep the
  // best timetable found (how far the search gets depends on the machine).
  double seconds = 0;
  // Called now and then with the progress in percent (0..100); returning false stops the pass, which
  // keeps the best timetable found so far.
  std::function<bool(int percent)> progress;
};

struct ImproveReport {
  bool ready = false;  // every class was scheduled and none is in swap mode, so the pass ran
  QualityFigures before, after;
  int exchanges = 0;     // exchanges kept in the final timetable's history (made, less undone)
  bool stopped = false;  // the progress callback stopped the pass
  bool saved = false;    // the timetable file was written
  double seconds = 0;
};

// Improves the long-term timetable of c (every class scheduled, the must-move list empty; otherwise
// returns a report with ready false and changes nothing). Works in the long-term layer with the
// swap executor Dk, so teacher timetables, caps counters and the temporary layer follow; saves
// "课表.txt" once at the end (Bckb) when some exchange was kept. blocked is passed through to the
// hard-fault figures (see blockedCells).
ImproveReport improveTimetable(Ctx& c, const ImproveOptions& options, const QStringList& blocked = {});

}  // namespace tavro
