// The improvement pass on demo schools scheduled as "tavro-cli schedule --resolve auto" schedules
// them: the medium school with seeds 1 to 5, the largest school with seed 1. The sheets are written,
// imported and scheduled once per school (not timed); every iteration improves a copy of the
// scheduled timetable with the default budget (until no exchange lowers the score), the one save of
// "课表.txt" included. BM_ScheduleAndImprove times the whole job, scheduling and improving.
//
// Counters: the figures before and after, and the shares the targets are set in, each checked (a
// target missed is reported as an error):
//   repeats_kept    same-day repeats after / before                  (medium: at most 0.40)
//   main_afternoon  main-subject lessons in the afternoon after / all (medium: at most 0.30)
//   idle_change     teacher idle periods, after - before              (at most 0)
//   above_change    teacher days above the daily maximum G12, after - before (at most 0)
// Time targets: at most 100 ms a pass on the medium school, 5 s on the largest.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "adjust/viewmodel/resolve.h"
#include "core/ctx.h"
#include "core/timetable_file.h"
#include "core/ui.h"
#include "engine/run.h"
#include "quality/improve.h"
#include "sheets/demo_school.h"
#include "sheets/school_sheet.h"
#include "sheets/sheets_host.h"

namespace {

// A demo school written, imported and (when asked) scheduled, kept for the iterations.
struct DemoSchool {
  std::unique_ptr<QTemporaryDir> dir;
  tavro::Session imported, scheduled;
  double scheduleSeconds = 0;
  bool ok = false;
};

QString benchFolder() {
  const QString base = qEnvironmentVariable("TAVRO_BENCH_DIR");
  return (base.isEmpty() ? QDir::tempPath() : base) + QStringLiteral("/tavro-quality-XXXXXX");
}

// Schedules a copy of the imported school as tavro-cli schedule --resolve auto does.
bool schedule(const tavro::Session& imported, tavro::Session& session, std::uint64_t seed, double& seconds) {
  tavro::SilentUi ui;
  session = tavro::Session{imported.school, imported.state, tavro::Rng(seed)};
  QFile::remove(tavro::timetableFilePath(session.school));
  tavro::Ctx c = session.ctx(ui);
  tavro::MainWindowModel window(c);
  window.ctx().st.Cshwc = true;
  QElapsedTimer clock;
  clock.start();
  const tavro::ResolveReport report =
      tavro::runResolved(window, tavro::ResolveMode::Auto, [&] { tavro::CmdKb_Click(c, window); });
  seconds = clock.nsecsElapsed() / 1e9;
  return !report.ended && session.state.Bxdck.isEmpty() && session.school.Ypbjs == session.school.Bjzs;
}

const DemoSchool& demoSchool(const QString& preset, std::uint64_t seed) {
  static std::map<std::pair<QString, std::uint64_t>, DemoSchool> schools;
  DemoSchool& d = schools[{preset, seed}];
  if (d.dir) return d;
  d.dir = std::make_unique<QTemporaryDir>(benchFolder());
  const QString folder = d.dir->path() + u'/';
  if (!tavro::writeDemoSchool(folder, *tavro::demoPreset(preset), seed).isEmpty()) return d;
  tavro::SilentUi ui;
  tavro::Ctx c = d.imported.ctx(ui);
  c.s.Wjj = folder;
  tavro::NoSchedulingYet noRun;
  tavro::CmdXx_Click(c, noRun);
  d.ok = d.imported.school.Bjydr == 1 && schedule(d.imported, d.scheduled, seed, d.scheduleSeconds);
  return d;
}

// Improves a copy of the scheduled school, timed; the report of the last iteration.
tavro::ImproveReport improveCopy(benchmark::State& state, const DemoSchool& d, std::uint64_t seed) {
  tavro::ImproveReport report;
  tavro::SilentUi ui;
  for (auto _ : state) {
    state.PauseTiming();
    tavro::Session session{d.scheduled.school, d.scheduled.state, tavro::Rng(seed)};
    tavro::Ctx c = session.ctx(ui);
    tavro::ImproveOptions options;
    options.seed = seed;
    state.ResumeTiming();
    report = tavro::improveTimetable(c, options);
  }
  return report;
}

// The counters of a pass, and the targets it must meet.
void reportFigures(benchmark::State& state, const tavro::ImproveReport& r, bool mediumTargets) {
  const tavro::SoftFaults& b = r.before.soft;
  const tavro::SoftFaults& a = r.after.soft;
  const double repeatsKept = b.sameDayRepeats > 0 ? double(a.sameDayRepeats) / b.sameDayRepeats : 0;
  const double afternoon = a.mainLessons > 0 ? double(a.mainAfternoon) / a.mainLessons : 0;
  state.counters["repeats_before"] = b.sameDayRepeats;
  state.counters["repeats_after"] = a.sameDayRepeats;
  state.counters["repeats_kept"] = repeatsKept;
  state.counters["main_afternoon_before"] = b.mainLessons > 0 ? double(b.mainAfternoon) / b.mainLessons : 0;
  state.counters["main_afternoon"] = afternoon;
  state.counters["main_last_two_before"] = b.mainLastTwo;
  state.counters["main_last_two_after"] = a.mainLastTwo;
  state.counters["edge_before"] = b.edgePeriodOveruse;
  state.counters["edge_after"] = a.edgePeriodOveruse;
  state.counters["idle_before"] = b.teacherIdle;
  state.counters["idle_change"] = a.teacherIdle - b.teacherIdle;
  state.counters["above_before"] = b.teacherDaysAboveMost;
  state.counters["above_change"] = a.teacherDaysAboveMost - b.teacherDaysAboveMost;
  state.counters["score_before"] = double(b.score());
  state.counters["score_after"] = double(a.score());
  state.counters["exchanges"] = r.exchanges;
  if (!r.ready || r.after.hard.total() != 0) return state.SkipWithError("no sound timetable to improve");
  if (a.teacherIdle > b.teacherIdle || a.teacherDaysAboveMost > b.teacherDaysAboveMost)
    return state.SkipWithError("teacher idle periods or days above the daily maximum grew");
  if (mediumTargets && (repeatsKept > 0.40 || afternoon > 0.30))
    state.SkipWithError("same-day repeats above 40% or main subjects in the afternoon above 30%");
}

void BM_ImproveMedium(benchmark::State& state) {
  const auto seed = static_cast<std::uint64_t>(state.range(0));
  const DemoSchool& d = demoSchool(QStringLiteral("medium"), seed);
  if (!d.ok) return state.SkipWithError("the medium school was not scheduled");
  reportFigures(state, improveCopy(state, d, seed), true);
}
BENCHMARK(BM_ImproveMedium)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

void BM_ImproveLargest(benchmark::State& state) {
  const DemoSchool& d = demoSchool(QStringLiteral("largest"), 1);
  if (!d.ok) return state.SkipWithError("the largest school was not scheduled");
  reportFigures(state, improveCopy(state, d, 1), false);
}
BENCHMARK(BM_ImproveLargest)->Unit(benchmark::kMillisecond)->Iterations(2);

// The whole job on the medium school: scheduling from the imported sheets, then improving.
void BM_ScheduleAndImproveMedium(benchmark::State& state) {
  const auto seed = static_cast<std::uint64_t>(state.range(0));
  const DemoSchool& d = demoSchool(QStringLiteral("medium"), seed);
  if (!d.ok) return state.SkipWithError("the medium school was not scheduled");
  tavro::SilentUi ui;
  double scheduleSeconds = 0;
  for (auto _ : state) {
    tavro::Session session;
    if (!schedule(d.imported, session, seed, scheduleSeconds)) return state.SkipWithError("not scheduled");
    tavro::Ctx c = session.ctx(ui);
    tavro::ImproveOptions options;
    options.seed = seed;
    benchmark::DoNotOptimize(tavro::improveTimetable(c, options).exchanges);
  }
  state.counters["schedule_ms"] = scheduleSeconds * 1000;
}
BENCHMARK(BM_ScheduleAndImproveMedium)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
