#pragma once
// The sheet import that every command on a data folder starts with ("1、学校":
// the five sheets). The scheduling run that the class import starts is held
// back, so that a command checks its arguments against the imported school
// before anything is scheduled or saved, and then starts the run itself.

#include <QStringList>
#include <stdexcept>

#include "core/ctx.h"
#include "sheets/sheets_host.h"

namespace tavro::cli {

// Thrown when the import wrote sheet templates to be filled in (exit code 6).
class TemplatesWritten : public std::runtime_error {
 public:
  TemplatesWritten(const QString& folder, const QStringList& files)
      : std::runtime_error("templates written"), folder(folder), files(files) {}
  QString folder;
  QStringList files;
};

// Thrown when a command that needs every class scheduled finds a class left in swap mode (exit
// code 5); the message says what was not done and how to finish the class.
class SwapModeLeft : public std::runtime_error {
 public:
  explicit SwapModeLeft(const QString& why) : std::runtime_error(why.toStdString()), why(why) {}
  QString why;
};

// Notes that the class import asked for the scheduling run, without starting it.
class HoldScheduling : public SheetsHost {
 public:
  void startSchedulingRun(Ctx&) override { requested = true; }
  bool requested = false;
};

// Imports the five sheets of the data folder c.s.Wjj. Throws TemplatesWritten when the import wrote
// templates, OperationStopped when it stopped before the scheduling run (after its message).
void importSheets(Ctx& c);

// After a scheduling run that left a class in swap mode: the class is taken out of the timetable
// file (its lessons cleared, marked unscheduled), where the run had saved it with its must-move
// lessons as if it were scheduled, so that the next run schedules it afresh. Returns its name, ""
// when no class is left in swap mode.
QString unsaveClassInSwapMode(Ctx& c);

// After the scheduling run of a command that needs the whole school scheduled (export, temp swap):
// a class left in swap mode is taken out of the file (unsaveClassInSwapMode) and SwapModeLeft
// thrown; a class still unscheduled throws OperationStopped. `refused` says what was not done
// ("nothing was exported").
void requireFinishedSchool(Ctx& c, const QString& refused);

// "清除全校课表": removes the timetable file of c.s.Wjj as an action "清除" of the history (inside an
// action already open, as part of it); false when there was none. Throws OperationStopped when it
// cannot be removed (cli/history_command.cpp).
bool clearTimetableFile(Ctx& c);

// The data folder argument of command (the first positional word) as Wjj: an absolute path with a
// trailing "/"; throws UsageError when it is missing or no folder.
QString dataFolderArgument(const QStringList& positional, const QString& command);

}  // namespace tavro::cli
