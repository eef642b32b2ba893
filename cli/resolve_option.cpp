#include "cli/resolve_option.h"

#include "adjust/viewmodel/mainwindow.h"
#include "cli/commands.h"

namespace tavro::cli {

ResolveMode resolveModeArgument(const QString& value) {
  const std::optional<ResolveMode> mode = parseResolveMode(value);
  if (!mode) throw UsageError(QStringLiteral("--resolve takes stop or auto, not ") + value);
  return *mode;
}

ResolveReport scheduleWithResolve(Ctx& c, ResolveMode mode,
                                  const std::function<void(EngineHost&)>& importAndSchedule) {
  MainWindowModel window(c);
  window.ctx().st.Cshwc = true;
  return runResolved(window, mode, [&] { importAndSchedule(window); });
}

void addResolveReport(QJsonObject& report, const ResolveReport& resolved) {
  report.insert(QStringLiteral("swapsResolved"), resolved.swapsResolved);
  report.insert(QStringLiteral("restarts"), resolved.restarts);
  if (resolved.ended) report.insert(QStringLiteral("programEnd"), resolved.endMessage);
}

}  // namespace tavro::cli
