// Scheduling whole generated schools of about 8, 48 and 144 classes with fixed
// seeds: one press of "6、课表" (the import excluded, the per-class saves of
// "课表.txt" included). Reports lessons forced and classes left in swap mode.
//
// The data folder is a fresh temporary folder; set TAVRO_BENCH_DIR to put it
// on another file system (each save ends with an fsync, which costs as much as
// the disk makes it).

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/ctx.h"
#include "core/timetable_file.h"
#include "engine/host.h"
#include "engine/run.h"
#include "tests/fixtures/generated_school.h"

namespace {

using tavro::fixtures::GeneratedSchoolSize;

void scheduleSchool(benchmark::State& state, GeneratedSchoolSize size) {
  const QString base = qEnvironmentVariable("TAVRO_BENCH_DIR");
  QTemporaryDir dir(base.isEmpty() ? QDir::tempPath() + QStringLiteral("/tavro-bench-XXXXXX")
                                   : base + QStringLiteral("/tavro-bench-XXXXXX"));
  tavro::School school = tavro::fixtures::generatedSchool(11, size);
  school.Wjj = dir.path() + u'/';
  const QString file = tavro::timetableFilePath(school);
  double forced = 0, swapMode = 0, scheduled = 0;
  std::uint64_t seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(file);
    tavro::School s = school;
    tavro::RunState st;
    st.Xsts = 0;
    st.Tsbz = QString(19, u'0');
    tavro::SilentUi ui;
    tavro::Rng rng(seed++);
    tavro::NullHost host;
    tavro::Ctx c{s, st, ui, rng};
    state.ResumeTiming();
    tavro::CmdKb_Click(c, host);
    state.PauseTiming();
    forced += st.LessonsForced;
    swapMode += st.Bxdck.isEmpty() ? 0 : 1;
    scheduled += s.Ypbjs;
    state.ResumeTiming();
  }
  state.counters["classes"] = school.Bjzs;
  state.counters["scheduled"] = benchmark::Counter(scheduled, benchmark::Counter::kAvgIterations);
  state.counters["forced"] = benchmark::Counter(forced, benchmark::Counter::kAvgIterations);
  state.counters["swap_mode"] = benchmark::Counter(swapMode, benchmark::Counter::kAvgIterations);
}

void BM_Schedule8(benchmark::State& state) {
  scheduleSchool(state, {2, 4, 5, 8});
}
void BM_Schedule48(benchmark::State& state) {
  scheduleSchool(state, {6, 8, 5, 8});
}
void BM_Schedule144(benchmark::State& state) {
  scheduleSchool(state, {6, 24, 5, 8});
}

BENCHMARK(BM_Schedule8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Schedule48)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Schedule144)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
