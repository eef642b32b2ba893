#pragma once
// The timetable file "课表.txt" in the data folder: the days per week, the
// periods per day and, per class, its scheduled flag and its long-term cells.
// Bckb writes it after every change of the long-term timetable; Dkkbwj reads
// it back at the start of a scheduling run, checking every cell against the
// school and repairing what the user allows.
//
// The class line is the class code, a comma and the class name. The name is
// never read back (names come from the class sheet), so the reader takes
// everything after the first comma as the name: a name that itself holds a
// comma keeps the file readable.

#include <QString>
#include <QStringList>
#include <memory>

#include "core/background_saver.h"
#include "core/ctx.h"

namespace tavro {

// The bare name of the timetable file.
inline const QString kTimetableFileName = QStringLiteral("课表.txt");

// The error box shown when the timetable file ends early or holds something unreadable.
inline const QString kTimetableDamagedMessage = QStringLiteral(
    "　　课表文件没有内容或内容有错！如果还没有排课，或者已排班级数很少，您可以单击菜单“编辑”－“清除全校课表”"
    "。");

// The full path of the timetable file: Wjj + "课表.txt".
QString timetableFilePath(const School& s);

// The lines of the timetable file for the school: the six header lines, then per class
// (grades Snj..Mnj with classes, classes 1..Njbjs) its block of long-term cells (layer 1).
QStringList timetableFileLines(const School& s);

// The bytes of the timetable file: the lines above, encoded as encodeLines does.
QByteArray timetableFileBytes(const School& s);

// Bckb: writes the timetable file (timetableFileBytes) to timetableFilePath, replacing the old
// file atomically, and keeps the path in Kbwjm. Throws FileError when it cannot be written.
// A class left in swap mode is written without the lessons that must still move (Bxdck), so that
// the next run reads it as unfinished and schedules those lessons again.
// The class blocks are kept encoded in RunState::TimetableCache and built again only for classes
// that changed. While BackgroundTimetableSaves is in force it hands the snapshot to the background
// writer instead, which joins the blocks and writes them, and returns at once (a failure is then
// thrown by a later save or by the wait at the end).
void Bckb(Ctx& ctx);

// While one lives, Bckb saves in the background: the scheduling chain saves after every class, and
// the disk's sync of each save would otherwise dominate the run. Scopes nest: an inner one leaves
// the outer one's writer in place. Every read of the timetable file waits for the writer first.
class BackgroundTimetableSaves {
 public:
  // Attaches a background writer to st, unless one is attached already.
  explicit BackgroundTimetableSaves(RunState& st);
  // Waits for the last save and detaches the writer (a failure is dropped: call finish first).
  ~BackgroundTimetableSaves();
  BackgroundTimetableSaves(const BackgroundTimetableSaves&) = delete;
  BackgroundTimetableSaves& operator=(const BackgroundTimetableSaves&) = delete;
  // Waits until every save handed over is on disk; throws FileError when one failed.
  void finish();

 private:
  RunState& st_;
  std::unique_ptr<BackgroundSaver> owned_;  // null when an outer scope owns the writer
};

// Waits until every timetable save handed to the background writer is on disk (nothing to wait
// for outside BackgroundTimetableSaves). Throws FileError when a save failed.
void waitForTimetableSaves(RunState& st);

// What one read of the timetable file found.
struct TimetableRead {
  bool repaired = false;  // the checks changed cells as the user answered: the file is to be saved
  QString damagedCopy;    // where the file was kept because it could not be read cleanly ("": it could)
};

// Dkkbwj: reads the timetable file at Dkkbwjm into Mzts, Mtjs, Ypbz, Ypbjs and both layers of Kb,
// checking every cell (TimetableCellChecker) and showing the progress bar. Returns silently,
// changing nothing, when the file cannot be opened. Days and periods outside 1..kMostDaysPerWeek
// and 1..kMostPeriodsPerDay stop the read; so does a file that ends before the school's last class.
// Anything else that cannot be read is damage of its own place: an unreadable cell is left empty,
// a weekday with missing or extra lines is left empty, an unreadable scheduled flag reads as 0 (a
// class with any of these is marked unscheduled, so the run schedules what it lacks), a block of a
// class the school does not have and stray lines are skipped; the blocks after them are read. A
// read that was not clean first keeps the file as it was (keepDamagedCopy), then shows one warning:
// kTimetableDamagedMessage when the read stopped, the damaged places, and where the copy is.
// Throws FileError when the copy cannot be written, ProgramEnd when the user answers 5 to the
// teacher question.
TimetableRead Dkkbwj(Ctx& ctx, const QString& Dkkbwjm);

}  // namespace tavro
