#include "core/timetable_file.h"

#include <QList>

#include "core/history_action.h"
#include "core/textfile.h"
#include "core/timetable_snapshot.h"

namespace tavro {

namespace {

// While one lives, the lessons of a class left in swap mode that must still move (the must-move
// list Bxdck of class DqNj, DqBj) are out of the long-term layer. A forced lesson may share its
// teacher with another class's lesson; saved as it stands, the next run would read a full class
// and take it as finished. Saved without them, the class reads back unfinished and is scheduled
// again, and the file holds no clash.
class MustMoveLessonsLeftOut {
 public:
  explicit MustMoveLessonsLeftOut(Ctx& ctx) : s_(ctx.s) {
    const RunState& st = ctx.st;
    nj_ = st.DqNj;
    bj_ = st.DqBj;
    if (st.Bxdck.isEmpty() || !s_.isClass(nj_, bj_) || s_.Ypbz(nj_, bj_) != 0) return;
    for (int i = 0; i + 4 <= st.Bxdck.size(); i += 4) {
      const int xq = st.Bxdck.mid(i, 2).toInt(), jc = st.Bxdck.mid(i + 2, 2).toInt();
      if (xq < 1 || xq > s_.Mzts || jc < 1 || jc > s_.Mtjs) continue;
      QString& cell = s_.Kb(kLongTerm, xq, jc, nj_, bj_);
      kept_.append({xq, jc, cell});
      cell = QString();
    }
  }
  ~MustMoveLessonsLeftOut() {
    for (const Kept& k : kept_) s_.Kb(kLongTerm, k.xq, k.jc, nj_, bj_) = k.cell;
  }
  MustMoveLessonsLeftOut(const MustMoveLessonsLeftOut&) = delete;
  MustMoveLessonsLeftOut& operator=(const MustMoveLessonsLeftOut&) = delete;

 private:
  struct Kept {
    int xq, jc;
    QString cell;
  };
  School& s_;
  int nj_ = 0, bj_ = 0;
  QList<Kept> kept_;
};

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
  TimetableSnapshot snapshot = [&] {
    MustMoveLessonsLeftOut leftOut(ctx);
    return ctx.st.TimetableCache->take(ctx.s);
  }();
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

}  // namespace tavro
