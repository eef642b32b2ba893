#pragma once
// The temporary-change tests' school: grades 7 and 8 with two classes each,
// 5 days of 8 periods, teachers 1..4 (张　三, 李四光, 王　五, 赵六一), courses
// 空课, 语文, 数学, 英语; classes 0701 and 0702 scheduled with a few lessons;
// a data folder for "调课.txt", a scripted Ui and a fixed today.

#include <QDate>

#include "core/ctx.h"
#include "core/scripted_ui.h"
#include "tests/fixtures/text_files.h"

namespace tavro::testing {

struct TempBench {
  TempBench();
  fixtures::DataFolder folder;
  School s;
  RunState st;
  ScriptedUi ui;
  Rng rng{1};
  Ctx ctx() { return Ctx{s, st, ui, rng}; }

  // Writes an ordinary lesson into the class cube and its teacher's cell, both layers.
  void lesson(int nj, int bj, int xq, int jc, int kch, int jsh);
  // Sets the swap context of a swap of class (nj, bj): (xq1, jc1) with (xq2, jc2) for the dates.
  void swapContext(int nj, int bj, int xq1, int jc1, int xq2, int jc2, const QString& start,
                   const QString& end);
  // Appends the record of that swap with BcLsgk (swap mode).
  void record(int nj, int bj, int xq1, int jc1, int xq2, int jc2, const QString& start, const QString& end);
  // The change file's path.
  QString file() const { return folder.file(QStringLiteral("调课.txt")); }
};

// The class cell text of an ordinary lesson.
QString classCell(int kch, int jsh);
// The teacher cell text of an ordinary lesson of class (nj, bj).
QString teacherCell(int kch, int nj, int bj);

}  // namespace tavro::testing
