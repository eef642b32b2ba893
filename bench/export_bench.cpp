// Export speed: the class weekly tables of a 48-class school (grades 7 to 12,
// eight classes each, two timetables per band, teachers inside the cells),
// and the school and teacher master tables of a 144-class school (grades 7 to
// 12, 24 classes each), written and saved as .xlsx. The goal is well under
// one second each.

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

// Fills the teacher timetables from the class timetables and counts each teacher's lessons.
void fillTeacherTimetables(School& s) {
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj)
      for (int xq = 1; xq <= s.Mzts; ++xq)
        for (int jc = 1; jc <= s.Mtjs; ++jc) {
          const QString cell = s.Kb(1, xq, jc, nj, bj);
          const int t = cell.isEmpty() ? 0 : cell.mid(3, 3).toInt();
          if (t <= 0 || t > s.Jss) continue;
          for (int layer = 1; layer <= 2; ++layer)
            s.Jskb(layer, xq, jc, t) = cell.left(3) + Lbq(2, nj) + Lbq(2, bj) + "000";
          ++s.Jszjs(t);
        }
}

// A 144-class school with both timetable layers filled.
School largeSchool() {
  School school = fixtures::generatedSchool(7, {6, 24, 5, 8});
  fillTimetables(school);
  fillTeacherTimetables(school);
  return school;
}

// Exports master table kind (3 教师总表, 4 学校总表) of the whole school with the whole week in one group.
void exportMaster(benchmark::State& state, int kind) {
  School school = largeSchool();
  QTemporaryDir dir;
  SilentUi ui;
  for (auto _ : state) {
    RunState run;
    ExportForm form;
    ExportCtx c{school, run, form, ui};
    fillClassAndTeacherLists(c);
    startExportForm(c, dir.filePath(QStringLiteral("settings.txt")));
    run.Cshwc = true;
    CmbKbzl_Click(c, kind);
    if (kind == 3) OptXzjsfs_Click(c, 0);
    CmbMpzs_Click(c, 4);
    const ExportResult r = CmdDc_Click(c, ExportPaths{dir.filePath(QStringLiteral("settings.txt")),
                                                      dir.filePath(QStringLiteral("master.xlsx"))});
    if (!r.written) state.SkipWithError("the export wrote no file");
  }
  state.counters["classes"] = school.Bjzs;
  state.counters["teachers"] = school.Jss;
}

void BM_SchoolMasterTable144(benchmark::State& state) {
  exportMaster(state, 4);
}
BENCHMARK(BM_SchoolMasterTable144)->Unit(benchmark::kMillisecond);

void BM_TeacherMasterTable144(benchmark::State& state) {
  exportMaster(state, 3);
}
BENCHMARK(BM_TeacherMasterTable144)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavro

BENCHMARK_MAIN();
