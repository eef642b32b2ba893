#pragma once
// The swap-logic tests' school: grades 7 and 8 with two classes each, 5 days of
// 8 periods (4 in the morning), teachers 1..4 (张　三, 李四光, 王　五, 赵六一),
// courses 空课, 语文, 数学, 英语; with its run state, a scripted Ui and a
// seeded generator.

#include "core/ctx.h"
#include "core/scripted_ui.h"

namespace tavro::testing {

struct SwapBench {
  SwapBench();
  School s;
  RunState st;
  ScriptedUi ui;
  Rng rng{1};
  Ctx ctx() { return Ctx{s, st, ui, rng}; }

  // Writes an ordinary lesson into the class cube and its teacher's cell, both layers.
  void lesson(int nj, int bj, int xq, int jc, int kch, int jsh);
  // Writes a teacher block code (e.g. "2", "6") into both layers.
  void block(int jsh, int xq, int jc, const QString& code);
  // Sets the swap context: lesson to move at (xq1, jc1), candidate at (xq2, jc2), teachers read from
  // class (nj, bj)'s cells; returns the two courses.
  std::pair<int, int> context(int nj, int bj, int xq1, int jc1, int xq2, int jc2);
  // Makes course kch capped (setting column 6 entry 1 with limit) and sizes Ctszc.
  void cap(int kch, int limit);
};

// The class cell text of an ordinary lesson.
QString lessonCell(int kch, int jsh);
// The teacher cell text of an ordinary lesson.
QString teacherLesson(int kch, int nj, int bj);

}  // namespace tavro::testing
