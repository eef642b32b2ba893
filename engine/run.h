#pragma once
// The scheduling run: what one press of "6、课表" does (and what the class
// sheet import starts): read "课表.txt", rebuild the teacher timetables, mark
// blocked periods, place the combined lessons, report overloaded teachers,
// check consistency, replay temporary changes, then schedule the classes.

#include <QString>

#include "core/ctx.h"

namespace tavro {

class EngineHost;

// CmdKb_Click: one press of "6、课表". Leaves Zt = "排课", Dqcqls = 1 and either the all-scheduled
// state or the chain of class scheduling run as far as it goes (see scheduleChain).
void CmdKb_Click(Ctx& c, EngineHost& host);

// The run's preparation without scheduling, for reading a timetable as it is (the quality figures):
// reads "课表.txt", rebuilds the teacher timetables, marks the blocked periods, places the combined
// lessons, recounts the finished classes, sorts the plans and reduces research cells. Shows no lists
// and no teacher-load report.
void loadTimetable(Ctx& c);

// Reads "课表.txt" and "调课.txt" again after they were changed outside the run (undo, redo, a
// restore, clearing the timetable): clears the timetables as the class import leaves them, then
// takes the run's steps up to the lists and the grid headers, without the teacher-load reports
// and without scheduling. Leaves the all-scheduled state when every class is scheduled, else
// Zt = "查班" with the unscheduled classes listed.
void reloadTimetable(Ctx& c, EngineHost& host);

// Steps of the run, exposed for tests.
// Builds Kcszbz from the setting columns (characters 1..8; values 10..20 as "a".."k").
void buildCourseSettings(School& s);
// Marks the blocked periods of the blocked-period records whose field 4 starts with "年".
void markBlockedEvents(School& s);
// Places every combined lesson at every time and class with Cltyk.
void placeCombinedLessons(Ctx& c);
// The two teacher-load reports (only shown when lines were made).
void reportTeacherLoad(Ctx& c);
// Recounts the finished classes (no empty long-term cell): Ypbz, Ypbjs; OptYp when all are.
void recountFinishedClasses(Ctx& c);
// Copies each class's plan into Bjkcjs/Bjkcjsh sorted by course number.
void sortPlansByCourse(School& s);
// Reduces research-activity teacher cells "7" + course to "7" in both layers.
void reduceResearchCells(School& s);

}  // namespace tavro
