#include "core/timetable_file.h"

#include <algorithm>

#include "core/field_reader.h"
#include "core/procedures.h"
#include "core/textfile.h"
#include "core/timetable_checks.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

// The largest days per week and periods per day the file may give.
constexpr int kMaxDays = 7;
constexpr int kMaxPeriods = 13;

// The class name as the class line carries it: a line break in the name (possible in a sheet
// cell) would split the block, so it becomes a blank; the name is never read back.
QString classLineName(const QString& name) {
  QString text = name;
  text.replace(u'\r', u' ').replace(u'\n', u' ');
  return text;
}

// True when grade nj is in the school and has classes.
bool gradeHasClasses(const School& s, int nj) {
  return s.Njbjs.has(nj) && s.Njbjs(nj) > 0;
}

// Hands the lines of the timetable file one by one to line(const QString&): the six header lines,
// then per class its code line, scheduled flag, and per weekday the weekday line and layer-1 cells.
template <typename Line>
void forEachTimetableFileLine(const School& s, Line&& line) {
  line(QStringLiteral("'Tavro课程安排系统") + s.Bbh +
       QStringLiteral("版课表文件（用户不能随便修改本文件，否则可能运行出错！）"));
  line(QStringLiteral("'每周天数："));
  line(printNumber(s.Mzts));
  line(QStringLiteral("'每天节数："));
  line(printNumber(s.Mtjs));
  line(QStringLiteral("'各年级名称下面的“1”表示该班级课表已排，“0”表示该班级课表未排。"));
  QStringList weekdayLines;
  for (int xq = 1; xq <= s.Mzts; ++xq) weekdayLines << QStringLiteral("星期") + printNumber(xq);
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    if (!gradeHasClasses(s, nj)) continue;
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj) {
      line(Lbq(2, nj) + QStringLiteral("年级") + Lbq(2, bj) + QStringLiteral("班,") +
           classLineName(s.Bjmc(nj, bj)));
      line(printNumber(s.Ypbz(nj, bj)));
      for (int xq = 1; xq <= s.Mzts; ++xq) {
        line(weekdayLines.at(xq - 1));
        for (int jc = 1; jc <= s.Mtjs; ++jc) line(s.Kb(kLongTerm, xq, jc, nj, bj));
      }
    }
  }
}

// Appends line and CR LF to out as UTF-8; lines of plain ASCII (the cells) are copied directly.
void appendEncodedLine(QByteArray& out, const QString& line) {
  const QChar* chars = line.constData();
  const qsizetype n = line.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (chars[i].unicode() >= 0x80) {
      out += line.toUtf8();
      out += "\r\n";
      return;
    }
  }
  const qsizetype at = out.size();
  out.resize(at + n + 2);
  char* d = out.data() + at;
  for (qsizetype i = 0; i < n; ++i) d[i] = static_cast<char>(chars[i].unicode());
  d[n] = '\r';
  d[n + 1] = '\n';
}

// Reads the six header lines; the file's days and periods replace the school's.
void readHeader(School& s, FieldReader& in) {
  in.skipLine();
  in.skipLine();
  const int days = in.number();
  in.skipLine();
  const int periods = in.number();
  in.skipLine();
  if (days < 1 || days > kMaxDays || periods < 1 || periods > kMaxPeriods) {
    throw FileContentError("days or periods out of range");
  }
  s.Mzts = days;
  s.Mtjs = periods;
}

// A class as the file names it in a class block.
struct FileClass {
  int nj = 0;
  int bj = 0;
};

// Reads a class code field ("07年级01班"): grade from characters 1-2, class from 5-6.
FileClass readClassCode(const School& s, FieldReader& in) {
  const QString code = in.field();
  const FileClass c{ValMid(code, 0, 2), ValMid(code, 4, 2)};
  if (!s.isClass(c.nj, c.bj)) throw FileContentError("not a class of the school: " + code.toStdString());
  return c;
}

// Progress of the read: weekday blocks read so far against all of them.
class ReadProgress {
 public:
  ReadProgress(Ui& ui, const School& s) : ui_(ui), total_(std::max(1, s.Bjzs * s.Mzts)) {}
  void weekdayRead() { ui_.progress(std::min(100, ++read_ * 100 / total_)); }

 private:
  Ui& ui_;
  int total_;
  int read_ = 0;
};

// Reads the rest of one class block (after its code) into Ypbz, Ypbjs and both layers of Kb.
void readClassBlock(Ctx& ctx, FieldReader& in, TimetableCellChecker& checker, const FileClass& c,
                    ReadProgress& progress) {
  School& s = ctx.s;
  in.restOfLine();  // the class name: names come from the class sheet
  const int flag = in.number();
  if (flag != 0 && flag != 1) throw FileContentError("scheduled flag is neither 0 nor 1");
  s.Ypbz(c.nj, c.bj) = flag;
  if (flag == 1) ++s.Ypbjs;
  for (int xq = 1; xq <= s.Mzts; ++xq) {
    in.skipLine();  // "星期 1 "
    for (int jc = 1; jc <= s.Mtjs; ++jc) {
      const QString cell = checker.check(in.field(), CellPlace{c.nj, c.bj, xq, jc});
      s.Kb(kLongTerm, xq, jc, c.nj, c.bj) = cell;
      s.Kb(kTemporary, xq, jc, c.nj, c.bj) = cell;
    }
    progress.weekdayRead();
  }
}

// Walks the classes of the school in order, reading one block per class. When the file names
// a class of the same or a later grade with a smaller class number than the walk expects (the
// file has fewer classes in a grade), the walk goes on from the file's class.
void readClassBlocks(Ctx& ctx, FieldReader& in) {
  const School& s = ctx.s;
  TimetableCellChecker checker(ctx);
  ReadProgress progress(ctx.ui, s);
  for (int k = s.Snj; k <= s.Mnj; ++k) {
    if (!gradeHasClasses(s, k)) continue;
    int n = s.Njbjs(k);
    for (int l = 1; l <= n; ++l) {
      const FileClass c = readClassCode(s, in);
      if (c.nj >= k && c.bj < l) {
        k = c.nj;
        n = s.Njbjs(k);
        l = c.bj;
      }
      readClassBlock(ctx, in, checker, c, progress);
    }
  }
}

}  // namespace

QString timetableFilePath(const School& s) {
  return s.Wjj + kTimetableFileName;
}

QStringList timetableFileLines(const School& s) {
  QStringList lines;
  forEachTimetableFileLine(s, [&](const QString& line) { lines << line; });
  return lines;
}

QByteArray timetableFileBytes(const School& s) {
  QByteArray bytes;
  bytes.reserve(1024 + qsizetype(s.Bjzs) * (64 + s.Mzts * (16 + s.Mtjs * 12)));
  forEachTimetableFileLine(s, [&](const QString& line) { appendEncodedLine(bytes, line); });
  return bytes;
}

void Bckb(Ctx& ctx) {
  ctx.st.Kbwjm = timetableFilePath(ctx.s);
  QByteArray bytes = timetableFileBytes(ctx.s);
  if (ctx.st.TimetableSaver != nullptr)
    ctx.st.TimetableSaver->save(ctx.st.Kbwjm, std::move(bytes));
  else
    writeFileAtomically(ctx.st.Kbwjm, bytes);
}

BackgroundTimetableSaves::BackgroundTimetableSaves(RunState& st) : st_(st) {
  if (st_.TimetableSaver != nullptr) return;
  owned_ = std::make_unique<BackgroundSaver>();
  st_.TimetableSaver = owned_.get();
}

BackgroundTimetableSaves::~BackgroundTimetableSaves() {
  if (owned_ && st_.TimetableSaver == owned_.get()) st_.TimetableSaver = nullptr;
}

void BackgroundTimetableSaves::finish() {
  if (owned_) owned_->flush();
}

void waitForTimetableSaves(RunState& st) {
  if (st.TimetableSaver != nullptr) st.TimetableSaver->flush();
}

void Dkkbwj(Ctx& ctx, const QString& Dkkbwjm) {
  waitForTimetableSaves(ctx.st);
  ctx.ui.progress(0);
  const std::optional<QStringList> lines = readTextLines(Dkkbwjm);
  if (!lines) return;
  FieldReader in(*lines);
  ctx.s.Ypbjs = 0;
  try {
    readHeader(ctx.s, in);
    readClassBlocks(ctx, in);
    ctx.ui.progress(100);
  } catch (const FileContentError&) {
    Cwxx(ctx.ui, kTimetableDamagedMessage);
  } catch (const IndexError&) {
    Cwxx(ctx.ui, kTimetableDamagedMessage);
  }
}

}  // namespace tavro
