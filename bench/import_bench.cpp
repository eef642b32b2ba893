// Importing the medium demo school (48 classes, the five sheets) from its files,
// as one press of "1、学校" does, up to where the scheduling run would start.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "core/ctx.h"
#include "core/ui.h"
#include "sheets/demo_school.h"
#include "sheets/school_sheet.h"
#include "sheets/sheets_host.h"

namespace {

void BM_ImportMediumDemo(benchmark::State& state) {
  QTemporaryDir dir;
  const QString folder = dir.path() + "/";
  if (!tavro::writeDemoSchool(folder, *tavro::demoPreset("medium"), 1).isEmpty()) {
    state.SkipWithError("the demo school could not be written");
    return;
  }
  for (auto _ : state) {
    tavro::Session session;
    tavro::SilentUi ui;
    tavro::Ctx c = session.ctx(ui);
    c.s.Wjj = folder;
    tavro::NoSchedulingYet host;
    tavro::CmdXx_Click(c, host);
    if (c.s.Bjydr != 1) state.SkipWithError("the demo school did not import");
    benchmark::DoNotOptimize(c.s.Jszjs);
  }
}
BENCHMARK(BM_ImportMediumDemo)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
