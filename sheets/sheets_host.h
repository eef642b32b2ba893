#pragma once
// SheetsHost: what the sheet operations need from the layers above them. The
// class sheet import ends by starting the scheduling run, which lives in the
// engine; the engine (or the program) implements this host.

#include "core/ctx.h"

namespace tavro {

class SheetsHost {
 public:
  virtual ~SheetsHost() = default;
  // Starts the scheduling run, as the button "6、课表" does; called at the end of the class import.
  virtual void startSchedulingRun(Ctx& c) = 0;
};

// A host without a scheduling engine: the class import stops where the run would start.
class NoSchedulingYet : public SheetsHost {
 public:
  void startSchedulingRun(Ctx&) override {}
};

}  // namespace tavro
