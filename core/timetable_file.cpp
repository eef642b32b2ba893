#include "core/timetable_file.h"

#include <algorithm>

#include "core/field_reader.h"
#include "core/history_action.h"
#include "core/procedures.h"
#include "core/textfile.h"
#include "core/timetable_checks.h"
#include "core/timetable_snapshot.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

// The largest days per week and periods per day the file may give.
constexpr int kMaxDays = 7;
constexpr int kMaxPeriods = 13;

// True when grade nj is in the school and has classes.
bool gradeHasClasses(const School& s, int nj) {
  return s.Njbjs.has(nj) && s.Njbjs(nj) > 0;
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
  return splitLines(decodeText(timetableFileBytes(s)));
}

QByteArray timetableFileBytes(const School& s) {
  return TimetableFileCache().take(s).bytes();
}

void Bckb(Ctx& ctx) {
  ctx.st.Kbwjm = timetableFilePath(ctx.s);
  if (!ctx.st.TimetableCache) ctx.st.TimetableCache = std::make_shared<TimetableFileCache>();
  TimetableSnapshot snapshot = ctx.st.TimetableCache->take(ctx.s);
  keepBeforeSave(ctx.st, ctx.st.Kbwjm);
  if (ctx.st.TimetableSaver != nullptr) {
    // The snapshot shares the encoded blocks; the writer joins them on its own thread.
    ctx.st.TimetableSaver->saveBuilt(ctx.st.Kbwjm,
                                     [snapshot = std::move(snapshot)] { return snapshot.bytes(); });
  } else {
    writeFileAtomically(ctx.st.Kbwjm, snapshot.bytes());
  }
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
