#pragma once
// ExportCtx: what the export procedures work on: the school, the run state
// (lists, layer option, name widths), the export frame and the Ui port.

#include "core/ctx.h"
#include "export/options.h"

namespace tavro {

struct ExportCtx {
  School& s;
  RunState& st;
  ExportForm& f;
  Ui& ui;
};

// The export view of a procedure context.
inline ExportCtx exportCtx(Ctx& ctx, ExportForm& f) {
  return ExportCtx{ctx.s, ctx.st, f, ctx.ui};
}

}  // namespace tavro
