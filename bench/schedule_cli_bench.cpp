// The whole "tavro-cli schedule DATA --resolve auto" run of the demo school "county"
// (408 classes, 998 teachers): the import of the five sheets, the scheduling run
// with its per-class saves of "课表.txt", and the automatic resolution of forced
// swap mode. The school is written once; each run starts without a timetable file.
//
// The data folder is a fresh temporary folder; set TAVRO_BENCH_DIR to put it on
// another file system.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "cli/cli.h"
#include "sheets/demo_school.h"

namespace {

void BM_ScheduleCliCounty(benchmark::State& state) {
  const QString base = qEnvironmentVariable("TAVRO_BENCH_DIR");
  QTemporaryDir dir(base.isEmpty() ? QDir::tempPath() + QStringLiteral("/tavro-cli-bench-XXXXXX")
                                   : base + QStringLiteral("/tavro-cli-bench-XXXXXX"));
  const QString folder = dir.path() + QStringLiteral("/county");
  const QString error = tavro::writeDemoSchool(folder, *tavro::demoPreset(QStringLiteral("county")), 1);
  if (!error.isEmpty()) {
    state.SkipWithError(error.toStdString().c_str());
    return;
  }
  int seed = 1, failures = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(folder + QStringLiteral("/课表.txt"));
    QFile::remove(folder + QStringLiteral("/调课.txt"));
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const QStringList args{QStringLiteral("schedule"),  folder,
                           QStringLiteral("--resolve"), QStringLiteral("auto"),
                           QStringLiteral("--seed"),    QString::number(seed++)};
    state.ResumeTiming();
    const int code = tavro::cli::run(args, outStream, errStream);
    state.PauseTiming();
    if (code != 0) ++failures;
    state.ResumeTiming();
  }
  state.counters["classes"] = 408;
  state.counters["not_done"] = benchmark::Counter(failures, benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_ScheduleCliCounty)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
