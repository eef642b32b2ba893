#pragma once
// Resolving forced swap mode without a person at the screen: the policy a
// careful user follows in swap mode (take the best partner the grid offers),
// and a run that starts again from the saved timetable when a path ends the
// program. tavro-cli's "schedule --resolve stop|auto" uses it.

#include <QString>
#include <functional>
#include <optional>

#include "adjust/viewmodel/mainwindow.h"

namespace tavro {

// What to do when scheduling leaves a class in forced swap mode.
enum class ResolveMode {
  Stop,  // leave the class in swap mode and report it
  Auto,  // click the best partners until every class is done
};

// "stop" or "auto"; nullopt for anything else.
std::optional<ResolveMode> parseResolveMode(const QString& text);

// The outcome of a resolved run.
struct ResolveReport {
  int swapsResolved = 0;  // partner clicks made by the automatic resolution
  int restarts = 0;       // times the run started again after a program end
  bool ended = false;     // a program end stopped the run for good
  QString endMessage;     // its message
};

// The partner for the lesson to move (Xq1, Jc1) of class (nj, bj) after its grading: among the
// cells whose grade is not red and whose swap test Jcnfdk passes, green before yellow before
// orange, then weekday, then period (the swap test refuses a partner that would move either lesson
// into a period its course bans). Leaves Bpyy as it was. False when none.
bool bestPartner(Ctx& c, int nj, int bj, int& xq, int& jc);

// Takes class (nj, bj) out of the timetable: its lessons cleared in both layers (combined lessons
// stay), marked unscheduled, the timetable file saved.
void unsaveClass(Ctx& c, int nj, int bj);

// Clicks through forced swap mode until the must-move list is empty (the chain of classes resumes
// through the grid click). Orange partners are taken without the question. Returns the partner
// clicks made; throws what the clicks throw (ProgramEnd when no cell can take a lesson).
int resolveForcedSwaps(MainWindowModel& m);

// Runs start() (import and scheduling run) and, in Auto mode, resolves forced swap mode. When a
// path ends the program, or a must-move lesson has no partner whose swap test passes, Auto starts
// again (school and run state back to what they were before the first start, the random stream
// continuing; a class left in swap mode is first taken out of the saved timetable file, so that it
// is scheduled afresh), at most 5 times; Stop reports the end.
ResolveReport runResolved(MainWindowModel& m, ResolveMode mode, const std::function<void()>& start);

}  // namespace tavro
