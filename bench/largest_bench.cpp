// The largest school the model holds: 12 grades of 50 classes, 998 teachers, 7 days of 13 periods
// (the demo preset "largest"). The sheets are written and imported once; every iteration then
// schedules the whole school from an empty timetable file as "tavro-cli schedule --resolve auto"
// does: one press of "6、课表" with the main window's view-model as the engine's host, forced swap
// mode resolved by the best partners, the per-class saves of "课表.txt" included.
//
// Counters: classes scheduled, lessons forced, swaps resolved, and peak_rss_MB, the peak resident
// memory of the whole process (getrusage ru_maxrss: the import and the sheets included).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QFile>
#include <QTemporaryDir>

#include "adjust/viewmodel/resolve.h"
#include "core/ctx.h"
#include "core/timetable_file.h"
#include "core/ui.h"
#include "engine/run.h"
#include "sheets/demo_school.h"
#include "sheets/school_sheet.h"
#include "sheets/sheets_host.h"

namespace {

// The peak resident memory of the process so far, in megabytes.
double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ScheduleLargest(benchmark::State& state) {
  const QString base = qEnvironmentVariable("TAVRO_BENCH_DIR");
  QTemporaryDir dir(base.isEmpty() ? QDir::tempPath() + QStringLiteral("/tavro-largest-XXXXXX")
                                   : base + QStringLiteral("/tavro-largest-XXXXXX"));
  const QString folder = dir.path() + u'/';
  if (!tavro::writeDemoSchool(folder, *tavro::demoPreset(QStringLiteral("largest")), 1).isEmpty()) {
    state.SkipWithError("the demo school could not be written");
    return;
  }
  tavro::Session imported;
  tavro::SilentUi ui;
  tavro::Ctx importCtx = imported.ctx(ui);
  importCtx.s.Wjj = folder;
  tavro::NoSchedulingYet noRun;
  tavro::CmdXx_Click(importCtx, noRun);
  if (imported.school.Bjydr != 1) {
    state.SkipWithError("the largest school did not import");
    return;
  }
  double scheduled = 0, forced = 0, swaps = 0;
  std::uint64_t seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(tavro::timetableFilePath(imported.school));
    tavro::Session session{imported.school, imported.state, tavro::Rng(seed++)};
    tavro::Ctx c = session.ctx(ui);
    tavro::MainWindowModel window(c);
    window.ctx().st.Cshwc = true;
    state.ResumeTiming();
    const tavro::ResolveReport report =
        tavro::runResolved(window, tavro::ResolveMode::Auto, [&] { tavro::CmdKb_Click(c, window); });
    state.PauseTiming();
    if (report.ended) state.SkipWithError("the run ended the program");
    scheduled += session.school.Ypbjs;
    forced += session.state.LessonsForced;
    swaps += report.swapsResolved;
    state.ResumeTiming();
  }
  state.counters["classes"] = imported.school.Bjzs;
  state.counters["scheduled"] = benchmark::Counter(scheduled, benchmark::Counter::kAvgIterations);
  state.counters["forced"] = benchmark::Counter(forced, benchmark::Counter::kAvgIterations);
  state.counters["swaps"] = benchmark::Counter(swaps, benchmark::Counter::kAvgIterations);
  state.counters["peak_rss_MB"] = peakMegabytes();
}
BENCHMARK(BM_ScheduleLargest)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
