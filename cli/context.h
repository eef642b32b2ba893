#pragma once
// CliContext: what a tavro-cli command works on: one Session (school model,
// run state, random generator), the ScriptedUi that answers from --answers and
// echoes every message to stdout and the --log file, and the output streams.

#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/ctx.h"
#include "core/scripted_ui.h"

namespace tavro::cli {

// The options every command shares.
struct SharedOptions {
  QStringList answers;                // --answers a,b,...: answers to questions and input boxes, in order
  QString logFile;                    // --log FILE: one JSON line per message box, question and input box
  std::optional<std::uint64_t> seed;  // --seed N (else TAVRO_SEED, else the clock)
};

struct CliContext {
  // Sets up the Ui from the options; throws UsageError when the log file cannot be opened.
  CliContext(const SharedOptions& options, QTextStream& out, QTextStream& err);
  CliContext(const CliContext&) = delete;
  CliContext& operator=(const CliContext&) = delete;

  // The procedures' view of this context.
  Ctx ctx() { return session.ctx(ui); }

  Session session;
  ScriptedUi ui;
  QTextStream& out;
  QTextStream& err;

 private:
  // Prints one Ui event to out and appends it to the log.
  void echo(const UiEvent& event);
  std::unique_ptr<QFile> log_;
};

// The human-readable line of a Ui event ("提示: text", "请回答: text -> y"); "" for events not shown.
QString eventLine(const UiEvent& event);
// The JSON log line of a message box, question or input box (no line end); "" for other events.
QString eventJson(const UiEvent& event);

}  // namespace tavro::cli
