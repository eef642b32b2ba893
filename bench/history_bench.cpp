// The cost of the history on the largest school the model holds (the demo preset "largest": 600
// classes, 7 days of 13 periods). The school is imported and scheduled once; every iteration then
// makes one long-term swap as the user's click on the partner does (the swap, the save of the whole
// "课表.txt", and with the history on the version kept, the index written and the folder trimmed).
// The lesson to move is chosen outside the timing. Arguments: 0 = history off, 1 = history on.
//
// Counters (history on): versions and MB kept in 历史/ after the run, and within_bound, 1 when the
// folder holds at most 500 versions and 100 MB.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "adjust/swaptest.h"
#include "adjust/viewmodel/resolve.h"
#include "core/cells.h"
#include "core/ctx.h"
#include "core/history.h"
#include "core/timetable_file.h"
#include "core/ui.h"
#include "core/vbtext.h"
#include "engine/classlist.h"
#include "engine/run.h"
#include "sheets/demo_school.h"
#include "sheets/school_sheet.h"
#include "sheets/sheets_host.h"

namespace {

// The largest school, imported and scheduled once for every benchmark of the program.
struct ScheduledSchool {
  QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/tavro-history-XXXXXX")};
  tavro::Session session;
  QString error;
  ScheduledSchool() {
    const QString folder = dir.path() + u'/';
    if (!tavro::writeDemoSchool(folder, *tavro::demoPreset(QStringLiteral("largest")), 1).isEmpty()) {
      error = QStringLiteral("the demo school could not be written");
      return;
    }
    tavro::SilentUi ui;
    tavro::Ctx c = session.ctx(ui);
    c.s.Wjj = folder;
    c.st.History.enabled = false;
    tavro::NoSchedulingYet noRun;
    tavro::CmdXx_Click(c, noRun);
    tavro::MainWindowModel window(c);
    c.st.Cshwc = true;
    const tavro::ResolveReport report =
        tavro::runResolved(window, tavro::ResolveMode::Auto, [&] { tavro::CmdKb_Click(c, window); });
    if (report.ended || c.s.Ypbjs != c.s.Bjzs) error = QStringLiteral("the largest school was not scheduled");
  }
};

ScheduledSchool& school() {
  static ScheduledSchool scheduled;
  return scheduled;
}

// Chooses in swap mode a lesson of the shown class (nj, bj) that has a partner; false when none.
bool chooseLesson(tavro::MainWindowModel& vm, int nj, int bj, int& xq2, int& jc2) {
  tavro::Ctx& c = vm.ctx();
  vm.CmdDk_Click();
  for (int xq = 1; xq <= c.s.Mzts; ++xq)
    for (int jc = 1; jc <= c.s.Mtjs; ++jc) {
      if (tavro::cellKind(c.s.Kb(tavro::kLongTerm, xq, jc, nj, bj)) != 0) continue;
      vm.clickCell(xq, jc);
      if (c.st.Xq1 != xq || c.st.Jc1 != jc) continue;
      if (tavro::bestPartner(c, nj, bj, xq2, jc2) &&
          tavro::bpyyGrade(c.st.Bpyy(xq2, jc2)) != tavro::kGradeOrange)
        return true;
      vm.clickCell(xq, jc);
    }
  return false;
}

void BM_SwapLargest(benchmark::State& state) {
  ScheduledSchool& scheduled = school();
  if (!scheduled.error.isEmpty()) {
    state.SkipWithError(scheduled.error.toStdString().c_str());
    return;
  }
  const bool history = state.range(0) == 1;
  QDir(scheduled.dir.path() + u'/' + tavro::kHistoryFolderName).removeRecursively();
  tavro::SilentUi ui;
  tavro::Session session{scheduled.session.school, scheduled.session.state, tavro::Rng(1)};
  tavro::Ctx c = session.ctx(ui);
  c.st.History.enabled = history;
  tavro::MainWindowModel vm(c);
  c.st.OptYp = true;
  vm.refillClassList();
  int swaps = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // Class after class, so that every save is a different file.
    const QString item = c.st.LstBj.item(swaps % c.st.LstBj.count());
    const int nj = tavro::ValMid(item, 0, 2), bj = tavro::ValMid(item, 2, 2);
    vm.selectClass(tavro::findClassItem(c.st, nj, bj));
    int xq2 = 0, jc2 = 0;
    const bool found = chooseLesson(vm, nj, bj, xq2, jc2);
    state.ResumeTiming();
    if (found) vm.clickCell(xq2, jc2);
    ++swaps;
  }
  if (!history) return;
  const tavro::HistoryFolder folder(c.s.Wjj);
  qint64 bytes = 0;
  const QVector<tavro::HistoryVersion> versions = folder.versions();
  for (const tavro::HistoryVersion& v : versions) bytes += v.size;
  const tavro::HistoryLimits limits;
  state.counters["versions"] = static_cast<double>(versions.size());
  state.counters["MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
  state.counters["within_bound"] = versions.size() <= limits.versions && bytes <= limits.bytes ? 1 : 0;
}
BENCHMARK(BM_SwapLargest)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
