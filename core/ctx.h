#pragma once
// Ctx: what every procedure works on, passed explicitly: the school model, the
// per-run state, the Ui port and the run's random generator.

#include "core/rng.h"
#include "core/runstate.h"
#include "core/school.h"
#include "core/ui.h"

namespace tavro {

struct Ctx {
  School& s;
  RunState& st;
  Ui& ui;
  Rng& rng;
};

// Owns one of each, for the command line, benchmarks and tests.
struct Session {
  School school;
  RunState state;
  Rng rng;
  Ctx ctx(Ui& ui) { return Ctx{school, state, ui, rng}; }
};

}  // namespace tavro
