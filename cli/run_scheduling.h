#pragma once
// RunScheduling: the sheet host of the commands that import a data folder and
// then need its timetable. The class import ends by starting the scheduling
// run, here without a window.

#include "engine/host.h"
#include "engine/run.h"
#include "sheets/sheets_host.h"

namespace tavro::cli {

// Starts the scheduling run with a host that shows nothing, and notes that it started.
class RunScheduling : public SheetsHost {
 public:
  void startSchedulingRun(Ctx& c) override {
    started = true;
    NullHost engineHost;
    CmdKb_Click(c, engineHost);
  }
  bool started = false;
};

}  // namespace tavro::cli
