#pragma once
// CliContext: what a tavro-cli command works on: one Session (school model,
// run state, random generator), the ScriptedUi that answers from --answers and
// passes every message to Messages (standard error and the --log file), and
// the stream for results (standard output).

#include <QJsonObject>
#include <QTextStream>

#include "cli/command_line.h"
#include "cli/messages.h"
#include "core/ctx.h"
#include "core/scripted_ui.h"

namespace tavro::cli {

struct CliContext {
  // Seeds the run and sets up the Ui from the shared options.
  CliContext(const SharedOptions& options, QTextStream& out, Messages& messages);
  CliContext(const CliContext&) = delete;
  CliContext& operator=(const CliContext&) = delete;

  // The procedures' view of this context.
  Ctx ctx() { return session.ctx(ui); }
  // Says what was done ("record 1 written to …"), on standard error and in the log.
  void note(const QString& text) { messages.note(Note::Info, text); }

  Session session;
  ScriptedUi ui;
  QTextStream& out;
  Messages& messages;
};

// Writes a JSON report to path ("-": standard output); the reason it failed, "" when written.
QString writeReport(CliContext& context, const QString& path, const QJsonObject& report);

}  // namespace tavro::cli
