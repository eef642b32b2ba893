// Demo schools of every preset and several seeds, as written by "tavro-cli
// demo", imported and scheduled with the automatic resolution, as is and with
// tight teacher availability (a few free periods a week beyond each teacher's
// load). After scheduling and again after improving: no lesson in a banned
// period, no teacher in two places, blocked periods and caps kept, every lesson
// of every plan present; and improving never raises the score.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "adjust/viewmodel/resolve.h"
#include "engine/run.h"
#include "quality/improve.h"
#include "sheets/demo_school.h"
#include "sheets/school_sheet.h"
#include "sheets/sheets_host.h"
#include "tests/engine/engine_support.h"
#include "tests/fixtures/text_files.h"

namespace tavro::testing {
namespace {

// Free periods a week a teacher keeps beyond their lessons when availability is tight (of the 40
// periods of the small, medium and large schools' week).
constexpr int kTightSlack = 14;
// Teachers of a class that stay free at every period when availability is tightened.
constexpr int kFreeTeachersKept = 3;

// The classes (index into a list of all classes) each teacher teaches, and the plan teachers of each.
struct Teaching {
  std::vector<std::vector<int>> classesOf;   // per teacher 0..Jss
  std::vector<std::vector<int>> teachersOf;  // per class
};

Teaching teaching(const School& s) {
  Teaching t;
  t.classesOf.resize(s.Jss + 1);
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj) {
      std::vector<int>& teachers = t.teachersOf.emplace_back();
      for (int k = 1; k <= s.Bjkcs(nj, bj); ++k) {
        const int teacher = s.Bjkcb(k, 2, nj, bj);
        if (teacher < 1 || teacher > s.Jss ||
            std::find(teachers.begin(), teachers.end(), teacher) != teachers.end())
          continue;
        teachers.push_back(teacher);
        t.classesOf[teacher].push_back(static_cast<int>(t.teachersOf.size()) - 1);
      }
    }
  }
  return t;
}

// Blocks ("2", teacher's request) random free periods of every teacher until each has only
// kTightSlack free periods beyond their weekly lessons, keeping kFreeTeachersKept teachers of every
// class free at every period (so that every period can still take some lesson).
void tighten(School& s, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  const Teaching plan = teaching(s);
  auto freeTeachers = [&](int klass, int xq, int jc) {
    int n = 0;
    for (int teacher : plan.teachersOf[klass]) n += s.Jskb(kLongTerm, xq, jc, teacher).isEmpty() ? 1 : 0;
    return n;
  };
  for (int t = 1; t <= s.Jss; ++t) {
    std::vector<std::pair<int, int>> free;
    for (int xq = 1; xq <= s.Mzts; ++xq)
      for (int jc = 1; jc <= s.Mtjs; ++jc)
        if (s.Jskb(kLongTerm, xq, jc, t).isEmpty()) free.emplace_back(xq, jc);
    int surplus = static_cast<int>(free.size()) - s.Jszjs(t) - kTightSlack;
    while (surplus > 0 && !free.empty()) {
      const std::size_t i = rng() % free.size();
      const auto [xq, jc] = free[i];
      free.erase(free.begin() + static_cast<std::ptrdiff_t>(i));
      bool keeps = true;
      for (int klass : plan.classesOf[t]) keeps = keeps && freeTeachers(klass, xq, jc) > kFreeTeachersKept;
      if (!keeps) continue;
      s.Jskb(kLongTerm, xq, jc, t) = s.Jskb(kTemporary, xq, jc, t) = QStringLiteral("2");
      --surplus;
    }
  }
}

// The class import's scheduling run, with the view-model as host; tightens availability first when
// asked and keeps the blocked periods as the school gave them.
class DemoRun : public SheetsHost {
 public:
  DemoRun(MainWindowModel& window, bool tight, std::uint64_t seed)
      : window_(window), tight_(tight), seed_(seed) {}
  void startSchedulingRun(Ctx& c) override {
    if (tight_) tighten(c.s, seed_);
    School marked = c.s;
    markBlockedEvents(marked);
    blocked = blockedCells(marked);
    CmdKb_Click(c, window_);
  }
  QStringList blocked;

 private:
  MainWindowModel& window_;
  bool tight_;
  std::uint64_t seed_;
};

struct Totals {
  int runs = 0, completed = 0;
};

// Checks every hard rule of the long-term timetable; where names the run.
void expectSound(const School& s, const RunState& st, const QStringList& blocked, const std::string& where) {
  const QStringList faults = timetableFaults(s, st) + bannedPeriodFaults(s);
  EXPECT_TRUE(faults.isEmpty()) << where << ": " << faults.mid(0, 5).join(QStringLiteral("; ")).toStdString();
  const HardFaults hard = measureHardFaults(s, blocked);
  EXPECT_EQ(hard.total(), 0) << where << ": banned " << hard.bannedLessons << ", clashes "
                             << hard.teacherClashes << ", blocked " << hard.blockedLessons << ", caps "
                             << hard.capsExceeded << ", plans " << hard.planDifferences;
}

void scheduleAndImprove(const QString& preset, std::uint64_t seed, bool tight, Totals& totals) {
  fixtures::DataFolder folder;
  ASSERT_EQ(writeDemoSchool(folder.path(), *demoPreset(preset), seed), QString());
  Session session;
  session.rng.seed(seed);
  session.state.Xsts = 0;
  session.state.Tsbz = QString(19, u'0');
  SilentUi ui;
  Ctx c = session.ctx(ui);
  c.s.Wjj = folder.path();
  MainWindowModel window(c);
  window.ctx().st.Cshwc = true;
  DemoRun run(window, tight, seed);
  const ResolveReport report = runResolved(window, ResolveMode::Auto, [&] { CmdXx_Click(c, run); });
  const std::string where = preset.toStdString() + " seed " + std::to_string(seed) + (tight ? " tight" : "");
  ++totals.runs;
  std::printf("%s: ended %d, swap mode %d, scheduled %d of %d, restarts %d\n", where.c_str(), report.ended,
              !c.st.Bxdck.isEmpty(), c.s.Ypbjs, c.s.Bjzs, report.restarts);
  if (report.ended || !c.st.Bxdck.isEmpty() || c.s.Ypbjs != c.s.Bjzs) return;
  ++totals.completed;
  expectSound(c.s, c.st, run.blocked, where + " scheduled");
  ImproveOptions options;
  options.seed = seed;
  const ImproveReport improved = improveTimetable(c, options, run.blocked);
  ASSERT_TRUE(improved.ready) << where;
  EXPECT_LE(improved.after.soft.score(), improved.before.soft.score()) << where;
  expectSound(c.s, c.st, run.blocked, where + " improved");
}

void runPreset(const QString& preset, int seeds, int mostMissed) {
  Totals totals;
  for (int seed = 1; seed <= seeds; ++seed)
    for (bool tight : {false, true})
      scheduleAndImprove(preset, static_cast<std::uint64_t>(seed), tight, totals);
  std::printf("%s: completed %d of %d\n", qPrintable(preset), totals.completed, totals.runs);
  EXPECT_GE(totals.completed, totals.runs - mostMissed) << preset.toStdString();
}

// The two biggest presets take minutes under the sanitizers; the release build runs them.
bool sanitized() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#else
  return false;
#endif
}

TEST(DemoSchoolProperties, Small) {
  runPreset(QStringLiteral("small"), 3, 1);
}

TEST(DemoSchoolProperties, Medium) {
  runPreset(QStringLiteral("medium"), 2, 1);
}

TEST(DemoSchoolProperties, Large) {
  runPreset(QStringLiteral("large"), 1, 1);
}

TEST(DemoSchoolProperties, CountyAndLargest) {
  if (sanitized()) GTEST_SKIP() << "minutes under the sanitizers; run in the release build";
  runPreset(QStringLiteral("county"), 1, 1);
  runPreset(QStringLiteral("largest"), 1, 1);
}

}  // namespace
}  // namespace tavro::testing
