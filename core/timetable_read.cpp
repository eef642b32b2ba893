// Reading "课表.txt" back (Dkkbwj). The file is read block by block: a block
// starts at a class line ("07年级01班,初一1班") and runs to the next one. What
// cannot be read is damage of its own place only: an unreadable cell is left
// empty and its class is scheduled again, a weekday whose lines are missing or
// extra is left empty, a block of a class the school does not have is skipped,
// and the blocks after any of these are read as usual. A file that could not be
// read cleanly is copied aside before anything can rewrite it.

#include <QDateTime>
#include <QDir>
#include <algorithm>

#include "core/field_reader.h"
#include "core/file_backup.h"
#include "core/procedures.h"
#include "core/table.h"
#include "core/textfile.h"
#include "core/texts.h"
#include "core/timetable_checks.h"
#include "core/timetable_file.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

// At most this many unreadable places are named in the message; the rest are counted.
constexpr int kPlacesNamed = 10;
// Unreadable text is quoted up to this many characters.
constexpr int kQuotedCharacters = 20;

bool isDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

// True for the first line of a class block: two digits, two other characters, two digits
// ("07年级01班"). Cells are all digits and weekday lines start with "星期", so neither looks like one.
bool isClassLine(const QString& line) {
  return line.size() >= 6 && isDigit(line[0]) && isDigit(line[1]) && !isDigit(line[2]) && !isDigit(line[3]) &&
         isDigit(line[4]) && isDigit(line[5]);
}

// The weekday of a weekday line ("星期 3 " -> 3); 0 for any other line.
int weekdayOfLine(const QString& line) {
  const QString text = line.trimmed();
  if (!text.startsWith(QStringLiteral("星期"))) return 0;
  bool ok = false;
  const int weekday = text.mid(2).trimmed().toInt(&ok);
  return ok && weekday >= 1 && weekday <= kMostDaysPerWeek ? weekday : 0;
}

QString quoted(const QString& text) {
  const QString shown = text.size() > kQuotedCharacters ? text.left(kQuotedCharacters) + u'…' : text;
  return u'“' + shown + u'”';
}

// A class block of the file: lines [first, end), the class line at first.
struct Block {
  int first = 0;
  int end = 0;
  int nj = 0;
  int bj = 0;
};

class TimetableReader {
 public:
  TimetableReader(Ctx& ctx, QStringList lines) : ctx_(ctx), lines_(std::move(lines)), checker_(ctx) {}

  void read();
  bool endedEarly() const { return endedEarly_; }
  const QStringList& places() const { return places_; }
  int placeCount() const { return placeCount_; }
  bool repaired() const { return checker_.changedCells(); }

 private:
  void readHeader();
  bool nextBlock(Block& block);
  void readBlock(const Block& block);
  bool readFlag(const Block& block);
  void readWeekday(const Block& block, int xq, int first);
  void clearWeekday(const Block& block, int xq);
  int sectionStart(const Block& block, int xq) const;
  int sectionEnd(const Block& block, int start) const;
  void damaged(const QString& place);
  void weekdayRead() { ctx_.ui.progress(std::min(100, ++weekdaysRead_ * 100 / total_)); }
  QString className(const Block& block) const { return ctx_.s.Bjmc(block.nj, block.bj).trimmed(); }

  Ctx& ctx_;
  QStringList lines_;
  TimetableCellChecker checker_;
  int total_ = 1;  // weekday blocks to read, for the progress bar
  int weekdaysRead_ = 0;
  int next_ = 6;  // the line the next block is looked for from
  bool endedEarly_ = false;
  QStringList places_;
  int placeCount_ = 0;
};

// Lines 1 to 6: the file's days and periods replace the school's.
void TimetableReader::readHeader() {
  FieldReader in(lines_.mid(0, 6));
  in.skipLine();
  in.skipLine();
  const int days = in.number();
  in.skipLine();
  const int periods = in.number();
  in.skipLine();
  if (days < 1 || days > kMostDaysPerWeek || periods < 1 || periods > kMostPeriodsPerDay)
    throw FileContentError("days or periods out of range");
  ctx_.s.Mzts = days;
  ctx_.s.Mtjs = periods;
}

// The next block of a class of the school, from line next_ on. Lines before it that are not a class
// block, and blocks of classes the school does not have, are skipped as damage. False at the end.
bool TimetableReader::nextBlock(Block& block) {
  const int count = static_cast<int>(lines_.size());
  while (next_ < count) {
    const int first = next_;
    while (next_ < count && !isClassLine(lines_[next_])) ++next_;
    if (next_ > first && !lines_.mid(first, next_ - first).join(QString()).trimmed().isEmpty())
      damaged(QStringLiteral("第") + QString::number(first + 1) + QStringLiteral("行起的") +
              QString::number(next_ - first) + QStringLiteral("行"));
    if (next_ == count) return false;
    block.first = next_++;
    while (next_ < count && !isClassLine(lines_[next_])) ++next_;
    block.end = next_;
    // Blank lines after a whole block (a line end an editor added) belong to no weekday.
    const int whole = block.first + 2 + ctx_.s.Mzts * (1 + ctx_.s.Mtjs);
    while (block.end > whole && lines_[block.end - 1].trimmed().isEmpty()) --block.end;
    const QString& code = lines_[block.first];
    block.nj = ValMid(code, 0, 2);
    block.bj = ValMid(code, 4, 2);
    if (ctx_.s.isClass(block.nj, block.bj)) return true;
    damaged(QStringLiteral("本校没有的班级") + quoted(code.section(u',', 0, 0)));
  }
  return false;
}

void TimetableReader::read() {
  readHeader();
  const School& s = ctx_.s;
  total_ = std::max(1, s.Bjzs * s.Mzts);
  for (int k = s.Snj; k <= s.Mnj; ++k) {
    if (!s.Njbjs.has(k) || s.Njbjs(k) <= 0) continue;
    int n = s.Njbjs(k);
    for (int l = 1; l <= n; ++l) {
      Block block;
      if (!nextBlock(block)) {
        endedEarly_ = true;
        return;
      }
      // A file with fewer classes in a grade: the walk goes on from the file's class.
      if (block.nj >= k && block.bj < l) {
        k = block.nj;
        n = s.Njbjs(k);
        l = block.bj;
      }
      readBlock(block);
    }
  }
}

// The scheduled flag (the line after the class line); an unreadable one is damage and reads as 0.
bool TimetableReader::readFlag(const Block& block) {
  const QString text = block.first + 1 < block.end ? lines_[block.first + 1].trimmed() : QString();
  if (text == u"0" || text == u"1") return text == u"1";
  damaged(className(block) + QStringLiteral("的已排标记") + quoted(text));
  return false;
}

// The line of weekday xq's header in the block, -1 when it cannot be told. In a block with exactly
// the lines of its week the headers stand at their places whatever they say.
int TimetableReader::sectionStart(const Block& block, int xq) const {
  const School& s = ctx_.s;
  const int body = block.first + 2;
  if (block.end - body == s.Mzts * (1 + s.Mtjs)) return body + (xq - 1) * (1 + s.Mtjs);
  for (int i = block.first + 1; i < block.end; ++i)
    if (weekdayOfLine(lines_[i]) == xq) return i;
  return -1;
}

int TimetableReader::sectionEnd(const Block& block, int start) const {
  const School& s = ctx_.s;
  if (block.end - (block.first + 2) == s.Mzts * (1 + s.Mtjs)) return start + 1 + s.Mtjs;
  int end = start + 1;
  while (end < block.end && weekdayOfLine(lines_[end]) == 0) ++end;
  return end;
}

void TimetableReader::readBlock(const Block& block) {
  School& s = ctx_.s;
  const int before = placeCount_;
  const bool flag = readFlag(block);
  for (int xq = 1; xq <= s.Mzts; ++xq) {
    const int start = sectionStart(block, xq);
    if (start >= 0 && sectionEnd(block, start) - start == 1 + s.Mtjs) {
      readWeekday(block, xq, start + 1);
    } else {
      clearWeekday(block, xq);
      damaged(className(block) + QStringLiteral("星期") + Xqm(xq) + QStringLiteral("的课"));
    }
    weekdayRead();
  }
  // A class with damage is scheduled again: its readable lessons stay, the empty cells are filled.
  const bool whole = flag && placeCount_ == before;
  s.Ypbz(block.nj, block.bj) = whole ? 1 : 0;
  if (whole) ++s.Ypbjs;
}

// The cells of weekday xq from line first on; an unreadable cell is left empty.
void TimetableReader::readWeekday(const Block& block, int xq, int first) {
  School& s = ctx_.s;
  for (int jc = 1; jc <= s.Mtjs; ++jc) {
    const QString text = lines_[first + jc - 1].trimmed();
    QString cell;
    try {
      cell = checker_.check(text, CellPlace{block.nj, block.bj, xq, jc});
    } catch (const FileContentError&) {
      damaged(className(block) + QStringLiteral("星期") + Xqm(xq) + u'第' + QString::number(jc) + u'节' +
              quoted(text));
    }
    s.Kb(kLongTerm, xq, jc, block.nj, block.bj) = cell;
    s.Kb(kTemporary, xq, jc, block.nj, block.bj) = cell;
  }
}

void TimetableReader::clearWeekday(const Block& block, int xq) {
  for (int jc = 1; jc <= ctx_.s.Mtjs; ++jc) {
    ctx_.s.Kb(kLongTerm, xq, jc, block.nj, block.bj).clear();
    ctx_.s.Kb(kTemporary, xq, jc, block.nj, block.bj).clear();
  }
}

void TimetableReader::damaged(const QString& place) {
  if (++placeCount_ <= kPlacesNamed) places_ << place;
}

// The message of a read that was not clean: what was wrong, then where the file was kept.
QString damageMessage(const TimetableReader& reader, bool structural, const QString& copy) {
  QStringList parts;
  if (structural) parts << kTimetableDamagedMessage;
  if (reader.placeCount() > 0) {
    QString places = reader.places().join(QStringLiteral("；"));
    if (reader.placeCount() > kPlacesNamed)
      places += QStringLiteral("等") + QString::number(reader.placeCount()) + QStringLiteral("处");
    parts << QStringLiteral("　　课表文件中有读不懂的内容：") + places +
                 QStringLiteral("。读不懂的课已空出，这些班级将重新排课。");
  }
  parts << QStringLiteral("　　读入前的课表文件已另存为“") + QDir::toNativeSeparators(copy) +
               QStringLiteral("”。");
  return parts.join(QStringLiteral("\r\n"));
}

}  // namespace

TimetableRead Dkkbwj(Ctx& ctx, const QString& Dkkbwjm) {
  waitForTimetableSaves(ctx.st);
  ctx.ui.progress(0);
  const std::optional<QByteArray> bytes = readFileBytes(Dkkbwjm);
  if (!bytes) return {};
  TimetableReader reader(ctx, splitLines(decodeText(*bytes)));
  ctx.s.Ypbjs = 0;
  bool structural = false;
  try {
    reader.read();
    structural = reader.endedEarly();
  } catch (const FileContentError&) {
    structural = true;
  } catch (const IndexError&) {
    structural = true;
  }
  TimetableRead result;
  result.repaired = reader.repaired();
  if (!structural && reader.placeCount() == 0) {
    ctx.ui.progress(100);
    return result;
  }
  result.damagedCopy = keepDamagedCopy(Dkkbwjm, *bytes);
  Cwxx(ctx.ui, damageMessage(reader, structural, result.damagedCopy));
  return result;
}

}  // namespace tavro
