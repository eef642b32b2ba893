#pragma once
// RunScheduling: the sheet host of the commands that import a data folder and
// then need its timetable. The class import ends by starting the scheduling
// run, here without a window: the engine's host is the main window's
// view-model, so that the run replays the temporary changes of "调课.txt" in
// force today, as the window does.

#include "adjust/viewmodel/mainwindow.h"
#include "engine/run.h"
#include "sheets/sheets_host.h"

namespace tavro::cli {

// Starts the scheduling run with the view-model as its host, and notes that it started.
class RunScheduling : public SheetsHost {
 public:
  explicit RunScheduling(MainWindowModel& window) : window_(window) {}
  void startSchedulingRun(Ctx& c) override {
    started = true;
    CmdKb_Click(c, window_);
  }
  bool started = false;

 private:
  MainWindowModel& window_;
};

}  // namespace tavro::cli
