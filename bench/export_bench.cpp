// Export speed: the class weekly tables of a 48-class school (grades 7 to 12,
// eight classes each, two timetables per band, teachers inside the cells),
// written and saved as .xlsx. The goal is well under one second.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "core/procedures.h"
#include "core/ui.h"
#include "export/dispatch.h"
#include "export/handlers.h"
#include "tests/fixtures/generated_school.h"

namespace tavro {
namespace {

// Fills the long-term and temporary class timetables from the plans, lesson after lesson.
void fillTimetables(School& s) {
  for (int nj = s.Snj; nj <= s.Mnj; ++nj) {
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj) {
      int slot = 0;
      for (int row = 1; row <= s.Bjkcs(nj, bj); ++row) {
        for (int k = 0; k < s.Bjkcb(row, 3, nj, bj) && slot < s.Mzts * s.Mtjs; ++k, ++slot) {
          const QString cell = Lbq(3, s.Bjkcb(row, 1, nj, bj)) + Lbq(3, s.Bjkcb(row, 2, nj, bj)) + "0000";
          for (int layer = 1; layer <= 2; ++layer)
            s.Kb(layer, slot / s.Mtjs + 1, slot % s.Mtjs + 1, nj, bj) = cell;
        }
      }
    }
  }
  s.Kxrq = s.Xnqsrq = QStringLiteral("2009- 9- 1");
  s.Bjmcd = 4;
}

void BM_ClassWeeklyTables48(benchmark::State& state) {
  School school = fixtures::generatedSchool(7, {6, 8, 5, 8});
  fillTimetables(school);
  QTemporaryDir dir;
  SilentUi ui;
  for (auto _ : state) {
    RunState run;
    ExportForm form;
    ExportCtx c{school, run, form, ui};
    fillClassAndTeacherLists(c);
    startExportForm(c, dir.filePath(QStringLiteral("settings.txt")));
    CmbMpzs_Click(c, 1);
    form.ChkBnfjs = true;
    ChkBnfjs_Click(c);
    const ExportResult r = CmdDc_Click(c, ExportPaths{dir.filePath(QStringLiteral("settings.txt")),
                                                      dir.filePath(QStringLiteral("classes.xlsx"))});
    if (!r.written) state.SkipWithError("the export wrote no file");
  }
  state.counters["classes"] = school.Bjzs;
}
BENCHMARK(BM_ClassWeeklyTables48)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavro

BENCHMARK_MAIN();
