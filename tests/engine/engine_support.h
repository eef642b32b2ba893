#pragma once
// What the engine tests share: a one-class school for rule tests, a test bench
// holding a school with its run state, a scripted Ui and a seeded generator,
// and the steps a scheduling run does before the first class (simultaneity
// counters, combined lessons, the class list).

#include <QStringList>

#include "core/ctx.h"
#include "core/scripted_ui.h"
#include "engine/host.h"
#include "engine/scheduler.h"
#include "tests/fixtures/text_files.h"

namespace tavro::testing {

// One class (grade nj, class 1), 5 days of 8 periods (4 in the morning), teachers 1..3, courses
// 空课, 语文, 数学, 英语 (kind 2, every period allowed), Jsmtzdjs 6, empty timetables.
School oneClassSchool(int nj = 7);

// A school with its run state, a scripted Ui, a seeded generator and a temporary data folder.
struct Bench {
  explicit Bench(School school, std::uint64_t seed = 1);
  School s;
  RunState st;
  ScriptedUi ui;
  Rng rng;
  NullHost host;
  fixtures::DataFolder folder;
  Ctx ctx() { return Ctx{s, st, ui, rng}; }
};

// The two-grade school (fixtures::twoGradeSchool) with no course settings and, in classes 0701 and
// 0702, a plan of four 语文 lessons by teacher 1; Ctszc sized, timetables empty.
Bench twoGradesWithChinesePlans();

// Before the first class: sizes Ctszc, places every combined lesson with Cltyk (head teachers for
// "班主任"), selects the long-term layer and the unscheduled-class option.
void prepareRun(Bench& b);
// Makes LstBj hold class (nj, bj) alone, selected.
void selectClass(RunState& st, const School& s, int nj, int bj);
// Schedules every class in grade and class order with Jp; returns the number of classes left in swap
// mode (each such class's Bxdck is cleared so the next one can start).
int scheduleEveryClass(Bench& b);
// Places an ordinary lesson in both cubes, layer 1 and 2 (the way the scheduler writes it).
void putLesson(School& s, RunState& st, int nj, int bj, int xq, int jc, int kch, int jsh);

// Faults of the finished timetable; empty when every invariant holds.
QStringList timetableFaults(const School& s, const RunState& st);

// Lessons in a period their course bans (Mtjp); combined lessons, fixed by the school, are exempt.
QStringList bannedPeriodFaults(const School& s);

}  // namespace tavro::testing
