#pragma once
// A small school for driving the main window's view-model: grade 7 with two
// classes, a 2-day week of 3 periods, teachers 1..4 and courses 空课, 语文,
// 数学, 英语. Lessons are written into both cubes so that class and teacher
// timetables agree.

#include <QString>

#include "adjust/viewmodel/mainwindow.h"
#include "core/ctx.h"
#include "core/scripted_ui.h"
#include "tests/fixtures/text_files.h"

namespace tavro::testing {

// The school without lessons; the data folder is folder.
School weekSchool(const QString& folder);
// Puts lesson (course k, teacher t) of class (nj, bj) at (xq, jc) in both layers of Kb and Jskb.
void putLesson(School& s, int nj, int bj, int xq, int jc, int k, int t, QChar kind = u'0');
// Adds plan row (course k, teacher t, n lessons a week) to class (nj, bj).
void addPlanRow(School& s, int nj, int bj, int k, int t, int n);

// One session with a scripted Ui and the view-model on top of it.
struct Desk {
  fixtures::DataFolder folder;
  Session session;
  ScriptedUi ui;
  MainWindowModel vm{session.ctx(ui)};
  School& s() { return session.school; }
  RunState& st() { return session.state; }
  // The text of the cell (xq, jc) of the grid.
  const GridCell& cell(int xq, int jc) { return session.state.MSFG.cells(xq, jc); }
};

// Class 0701 scheduled and full (语文 t1 at 1-1, 2-1 and 2-2, 数学 t2 at 1-2 and 2-3, 英语 t3 at
// 1-3); class 0702 with plan 英语 t4 6 a week, scheduled and full when bothScheduled. The lists
// are shown ("000无" and the teachers) and class 0701 is selected in the 已排 list.
void browseScheduledClass(Desk& d, bool bothScheduled = true);

// Class 0701 left in forced swap mode by the scheduler: 语文 t1 forced into 1-1 where t1 teaches
// class 0702 (parked in teacher row Jss + 1), the other cells 数学 and 英语 of teacher 4. Class
// 0702 (scheduled) holds 语文 t1 at 1-1 and 2-3, or at every slot when nowhere. With nextClass,
// class 0801 (plan 英语 t5 6 a week) is still to be scheduled. The grid shows 0701 and the
// scheduler's click on the must-move lesson has not happened yet.
void forcedSwapMode(Desk& d, bool nowhere = false, bool nextClass = false);
// The same school and state in any session and view-model, with data folder folder.
void forcedSwapMode(Session& session, MainWindowModel& vm, const QString& folder, bool nowhere = false,
                    bool nextClass = false);

}  // namespace tavro::testing
