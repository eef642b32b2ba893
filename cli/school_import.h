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

// Notes that the class import asked for the scheduling run, without starting it.
class HoldScheduling : public SheetsHost {
 public:
  void startSchedulingRun(Ctx&) override { requested = true; }
  bool requested = false;
};

// Imports the five sheets of the data folder c.s.Wjj. Throws TemplatesWritten when the import wrote
// templates, OperationStopped when it stopped before the scheduling run (after its message).
void importSheets(Ctx& c);

// The data folder argument of command (the first positional word) as Wjj: an absolute path with a
// trailing "/"; throws UsageError when it is missing or no folder.
QString dataFolderArgument(const QStringList& positional, const QString& command);

}  // namespace tavro::cli
