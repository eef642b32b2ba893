#pragma once
// The temporary-change file "调课.txt" in the data folder: one record per
// temporary swap, appended and synced to disk. A record is the header line,
// the class name, the date it was written, the start and end dates, the number
// of changed lessons and two lines per changed lesson. BcLsgk appends the
// record of the current swap; Dklsgkwj replays the records in force on the day
// the temporary layer shows (the start of the date range, today by default)
// into the temporary layer of the timetable cubes.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include "core/ctx.h"

namespace tavro {

// Name of the temporary-change file in the data folder Wjj.
inline const QString kChangeFileName = QStringLiteral("调课.txt");
// First line of every record.
inline const QString kChangeHeader = QStringLiteral("'Tavro课程安排系统临时调课记录");

// One changed lesson of a record: slot, the teacher and course before (T, K) and after (T', K').
struct LessonChange {
  int xq = 0, jc = 0;                 // weekday and period
  int teacher = 0, course = 0;        // T, K
  int newTeacher = 0, newCourse = 0;  // T', K'
};

// One record of the change file.
struct ChangeRecord {
  int number = 0;                 // position in the file, counted from 1
  QString className;              // Lsbjm: the class-name line ("　" put back before a leading numeral)
  QString written;                // date the record was written, YYYY-MM-DD
  QString start, end;             // Lsksrq, Lsjsrq: first and last day the change holds
  QVector<LessonChange> lessons;  // the changed lessons (two for a swap)
  QStringList lessonLines;        // the changed-lesson lines as written, two per lesson
  int firstLine = 0;              // first line of the file the record spans (0-based)
  int lineCount = 0;              // number of lines it spans (a blank line before it included)

  // True when the day `today` (YYYY-MM-DD) lies from start to end inclusive.
  bool inForce(const QString& today) const { return !(today < start) && !(today > end); }
};

// What a reading of the change file found: the complete records before the first broken or
// unreadable one.
struct ChangeFile {
  QVector<ChangeRecord> records;
  int broken = 0;      // number of the record whose class-name line starts with "'" (0: none)
  int unreadable = 0;  // number of the record whose lesson count cannot be read (0: none)
  int wholeLines = 0;  // lines spanned by the complete records; what follows is a stopping record,
                       // a record cut short at the end of the file, or nothing

  // The record in the middle of the file that stops the reading: broken or unreadable (0: none).
  // The records after it are never replayed, and neither would a record appended after them.
  int stoppingRecord() const { return broken > 0 ? broken : unreadable; }
};

// The full path of "调课.txt" in the data folder of s.
QString changeFilePath(const School& s);

// Jtrq: today's date: RunState::fixedToday when set, else the system clock.
QDate Jtrq(const RunState& st);

// Width that teacher names are padded to in records: the longest name as stored (a two-character
// name is stored with "　" in the middle), and at least Jsmcd.
int storedNameWidth(const School& s);

// The records of the lines of a change file. Reading stops silently at the end of the lines, at an
// incomplete record (left out) and at an unreadable lesson count; it stops at a class-name line
// starting with "'" and notes that record's number in `broken`.
ChangeFile parseChangeLines(const QStringList& lines);

// The records of the bytes of a change file; a last line without its line end (cut short by a
// crash during an append) is left out, so a record cut short is never read.
ChangeFile parseChangeBytes(const QByteArray& bytes);

// The records of the change file at path; no records when it is missing or unreadable.
ChangeFile readChangeFile(const QString& path);

// The bytes of a file cut into lines, each with its own line end (the last one may have none).
QList<QByteArray> rawLines(const QByteArray& bytes);

// The line after the stopping record of file (read from lines): the next line starting with "'"
// (a record's header), without a blank line before it, or the end of the lines.
int stoppingRecordEnd(const QStringList& lines, const ChangeFile& file);

// The lines BcLsgk appends for the swap context of the run state (Xq1, Jc1, Jsh1, Kch1 and the
// second lesson, Lsksrq, Lsjsrq) in class (nj, bj): two changed lessons in swap mode (Zt "调课"),
// else one.
QStringList changeRecordLines(const Ctx& c, int nj, int bj);

// BcLsgk: appends the record of the current swap in class (nj, bj) to "调课.txt" with
// appendChangeRecord; when that cut off a record cut short, tells the user where the old file was
// kept. Throws FileError when the record is not written (a stopping record, a failed write).
void BcLsgk(Ctx& c, int nj, int bj);

// Resets the temporary layer of every class (Kb) and of teachers 0..Jss (Jskb) to the long-term
// layer over the school's week. The parking rows Jss+1 and Jss+2 are left alone.
void resetTemporaryLayer(School& s);

// Writes the changes of one record into the temporary layer, whatever its dates: the class cell
// becomes K' + T' + "0000", the cell of T is cleared and the cell of T' becomes the lesson entry.
// Returns false (and writes nothing) when the class is not a scheduled class of the school or a
// lesson lies outside the week or the teacher table.
bool applyChangeRecord(School& s, const ChangeRecord& record);

// Dklsgkwj: resets the temporary layer to the long-term layer, then replays every record of
// "调课.txt" in force on the day the layer shows (the start date DTPicker1 of the date range, today
// (Jtrq) while it holds no date) in file order, so a later record wins. A record of a class that
// no longer exists or is unscheduled is skipped. A broken record shows the warning
// "　　第{n}个临时调课记录格式错误！"; the records before it stay applied. A missing or unreadable
// file leaves the long-term timetable in the temporary layer without a message.
void Dklsgkwj(Ctx& c);

// The replay after a temporary swap: Dklsgkwj, then the last record of the file is applied again
// whatever its dates, so the swap just made shows in the temporary layer even when its range does
// not include today.
void replayKeepingLastChange(Ctx& c);

// Removes the records with the given numbers from "调课.txt" (the stopping record too, when its
// number is given): the file is rewritten atomically with every other line byte for byte as it
// was; then the temporary layer is replayed (Dklsgkwj). Returns the number of records removed.
// Throws FileError when the file cannot be rewritten.
int removeChangeRecords(Ctx& c, const QList<int>& numbers);

// One line describing record r for the list of records: number, class, dates and changed lessons.
QString changeRecordSummary(const ChangeRecord& r);

// The line of the list of records for the stopping record n, so that it can be chosen for removal.
QString stoppingRecordSummary(int n);

}  // namespace tavro
