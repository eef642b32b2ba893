#pragma once
// EngineHost: the few things the engine asks of the windows above it (showing a
// class and its course list, refreshing the class list, running the grid click
// handler once, replaying temporary changes); wizard tips go through the Ui port. The main
// window's view-model implements it; NullHost serves tests and the command line.

#include <QString>

namespace tavro {

class EngineHost {
 public:
  virtual ~EngineHost() = default;
  // Xsbb: shows the class grid of class (nj, bj) in the layer in use.
  virtual void Xsbb(int nj, int bj) = 0;
  // Cbxskc: redraws the grid and the course list LstKc of class (nj, bj).
  virtual void Cbxskc(int nj, int bj) = 0;
  // Shows the class list LstBj again from the scheduled flags and the option OptYp.
  virtual void refreshClassList() = 0;
  // Makes (xq, jc) the grid's current cell (row/column by Hsdm) and runs the grid click handler once.
  virtual void clickGridCell(int xq, int jc) = 0;
  // Reads "调课.txt" and replays the temporary changes into layer 2.
  virtual void replayTemporaryChanges() = 0;
  // Re-checks the temporary changes of class (nj, bj) after it was scheduled.
  virtual void recheckTemporaryChanges(int nj, int bj) = 0;
  // Chooses the grid's cell style and writes its weekday and period headers (the run's step 16).
  virtual void showGridHeaders() {}
  // A scheduling chain is about to schedule class (nj, bj): the window shows the run's progress
  // (through the Ui port) and may repaint and take events before the class is scheduled.
  virtual void schedulingClass(int nj, int bj) {
    (void)nj;
    (void)bj;
  }
  // The scheduling chain stopped (every class scheduled, or a class left in swap mode).
  virtual void schedulingStopped() {}
};

// NullHost: does nothing; for tests, benchmarks and the command line.
class NullHost : public EngineHost {
 public:
  void Xsbb(int, int) override {}
  void Cbxskc(int, int) override {}
  void refreshClassList() override {}
  void clickGridCell(int, int) override {}
  void replayTemporaryChanges() override {}
  void recheckTemporaryChanges(int, int) override {}
};

}  // namespace tavro
