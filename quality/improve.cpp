#include "quality/improve.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cassert>
#include <random>
#include <vector>

#include "adjust/swap.h"
#include "adjust/swaptest.h"
#include "core/slots.h"
#include "core/timetable_file.h"
#include "quality/exchange_model.h"

namespace tavro {

namespace {

// Exchanges made at random before each new climb of a search with a time budget.
constexpr int kShakeExchanges = 4;
// Draws tried to find those exchanges.
constexpr int kShakeDraws = 200;
// Shortest time between two progress reports, in milliseconds.
constexpr qint64 kProgressEvery = 50;

// Fisher-Yates with a plain draw, so the same seed gives the same order on every platform.
void shuffle(std::vector<int>& items, std::mt19937_64& rng) {
  for (std::size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[rng() % i]);
}

class Improver {
 public:
  Improver(Ctx& c, const ImproveOptions& options, long long score)
      : c_(c), options_(options), model_(c.s), rng_(options.seed), score_(score) {
    order_.resize(model_.classCount());
    for (int i = 0; i < model_.classCount(); ++i) order_[i] = i;
    shuffle(order_, rng_);
    dirty_.assign(order_.size(), 1);
    dirtyCount_ = static_cast<int>(order_.size());
    clock_.start();
  }

  // Climbs to a timetable no exchange improves; with a time budget, shakes and climbs again until
  // the time is up, and ends on the best timetable found.
  void run() {
    climb();
    if (options_.seconds <= 0) return;
    long long best = score_;
    while (keepGoing()) {
      log_.clear();
      shake();
      climb();
      if (score_ > best) undo();
      best = score_;
    }
    if (score_ > best) undo();
  }

  long long score() const { return score_; }
  int kept() const { return made_ - undone_; }
  bool stopped() const { return stopped_; }
  double seconds() const { return clock_.nsecsElapsed() / 1e9; }

 private:
  struct Exchange {
    int classIndex, a, b;
    long long delta;
  };

  void climb() {
    while (dirtyCount_ > 0) {
      for (int i : order_) {
        if (!dirty_[i]) continue;
        dirty_[i] = 0;
        --dirtyCount_;
        improveClass(i);
        if (!keepGoing()) return;
      }
    }
  }

  // Tries every movable lesson of class i against every other, taking for each the exchange that
  // lowers the score most among those the swap test grades green or yellow.
  void improveClass(int i) {
    std::vector<int> cells = model_.movableCells(i);
    shuffle(cells, rng_);
    std::vector<std::pair<long long, int>> candidates;
    for (int a : cells) {
      candidates.clear();
      for (int b : cells) {
        const ExchangeModel::Price price = model_.price(i, a, b);
        if (price.possible && price.delta < 0) candidates.emplace_back(price.delta, b);
      }
      std::sort(candidates.begin(), candidates.end());
      for (const auto& [delta, b] : candidates) {
        if (!allowed(i, a, b)) continue;
        apply({i, a, b, delta});
        break;
      }
    }
  }

  // A few random exchanges the swap test allows, whatever they do to the score.
  void shake() {
    for (int made = 0, draws = 0; made < kShakeExchanges && draws < kShakeDraws; ++draws) {
      const int i = static_cast<int>(rng_() % order_.size());
      const std::vector<int>& cells = model_.movableCells(i);
      if (cells.size() < 2) continue;
      const int a = cells[rng_() % cells.size()], b = cells[rng_() % cells.size()];
      const ExchangeModel::Price price = model_.price(i, a, b);
      if (!price.possible || !allowed(i, a, b)) continue;
      apply({i, a, b, price.delta});
      ++made;
    }
  }

  // The swap test and its grading, exactly as the grid shows them: green or yellow only.
  bool allowed(int i, int a, int b) {
    RunState& st = c_.st;
    const int nj = model_.grade(i), bj = model_.classNumber(i);
    st.Xq1 = model_.weekday(a), st.Jc1 = model_.period(a);
    st.Xq2 = model_.weekday(b), st.Jc2 = model_.period(b);
    int k1 = 0, k2 = 0;
    QString kind;
    Bbsrb(c_.s, kLongTerm, nj, bj, st.Xq1, st.Jc1, k1, st.Jsh1, kind);
    Bbsrb(c_.s, kLongTerm, nj, bj, st.Xq2, st.Jc2, k2, st.Jsh2, kind);
    const int grade = gradeCandidate(c_, nj, bj, k1, k2);
    return grade == kGradeGreen || grade == kGradeYellow;
  }

  // Makes the exchange with the swap executor and marks the classes whose best exchange may change.
  void apply(const Exchange& e) {
    exchange(e);
    ++made_;
    log_.push_back(e);
    markDirty(e.classIndex);
    for (int cell : {e.a, e.b}) {
      for (int other : model_.classesOfTeacher(model_.teacher(e.classIndex, cell))) markDirty(other);
      const int k = model_.course(e.classIndex, cell);
      if (isCapped(c_.s, k))
        for (int other : model_.classesOfCourse(k)) markDirty(other);
    }
  }

  void exchange(const Exchange& e) {
    c_.st.Dkzt = 0;
    Dk(c_, model_.grade(e.classIndex), model_.classNumber(e.classIndex), model_.weekday(e.a),
       model_.period(e.a), model_.weekday(e.b), model_.period(e.b));
    model_.exchange(e.classIndex, e.a, e.b);
    score_ += e.delta;
  }

  // Takes back the exchanges made since the last best timetable, last first.
  void undo() {
    for (auto it = log_.rbegin(); it != log_.rend(); ++it) {
      exchange({it->classIndex, it->a, it->b, -it->delta});
      ++undone_;
    }
    log_.clear();
  }

  void markDirty(int i) {
    if (dirty_[i]) return;
    dirty_[i] = 1;
    ++dirtyCount_;
  }

  // False when the time budget is spent or the progress callback asks to stop.
  bool keepGoing() {
    const qint64 ms = clock_.elapsed();
    if (options_.seconds > 0 && ms >= options_.seconds * 1000) return false;
    if (!options_.progress || ms - lastProgress_ < kProgressEvery) return true;
    lastProgress_ = ms;
    const int classes = static_cast<int>(order_.size());
    const int percent = options_.seconds > 0 ? static_cast<int>(ms / (options_.seconds * 10))
                                             : (classes - dirtyCount_) * 100 / std::max(classes, 1);
    if (!options_.progress(std::min(percent, 99))) stopped_ = true;
    return !stopped_;
  }

  Ctx& c_;
  const ImproveOptions& options_;
  ExchangeModel model_;
  std::mt19937_64 rng_;
  long long score_;
  std::vector<int> order_;
  std::vector<char> dirty_;
  int dirtyCount_ = 0;
  std::vector<Exchange> log_;
  int made_ = 0, undone_ = 0;
  bool stopped_ = false;
  QElapsedTimer clock_;
  qint64 lastProgress_ = -kProgressEvery;
};

}  // namespace

ImproveReport improveTimetable(Ctx& c, const ImproveOptions& options, const QStringList& blocked) {
  ImproveReport report;
  if (c.s.Bjzs == 0 || c.s.Ypbjs < c.s.Bjzs || !c.st.Bxdck.isEmpty()) return report;
  report.ready = true;
  report.before = measureQuality(c.s, blocked);
  RunState& st = c.st;
  const int layer = st.Dqcqls;
  st.Dqcqls = kLongTerm;
  Improver improver(c, options, report.before.soft.score());
  improver.run();
  st.Dqcqls = layer;
  st.Xq1 = st.Jc1 = st.Xq2 = st.Jc2 = 0;
  report.after = measureQuality(c.s, blocked);
  assert(report.after.soft.score() == improver.score());
  report.exchanges = improver.kept();
  report.stopped = improver.stopped();
  if (options.progress && !report.stopped) options.progress(100);
  if (report.exchanges > 0) {
    Bckb(c);
    waitForTimetableSaves(st);
    report.saved = true;
  }
  report.seconds = improver.seconds();
  return report;
}

}  // namespace tavro
