#pragma once
// The option --resolve stop|auto of tavro-cli schedule: the scheduling run with
// the main window's view-model as the engine's host, so that a class left in
// forced swap mode is either reported (stop) or resolved the way a user in
// swap mode would (auto), starting again after a program end.

#include <QJsonObject>
#include <QString>
#include <functional>

#include "adjust/viewmodel/resolve.h"
#include "core/ctx.h"
#include "engine/host.h"

namespace tavro::cli {

// The value of --resolve; throws UsageError for anything but "stop" or "auto".
ResolveMode resolveModeArgument(const QString& value);

// Runs importAndSchedule (the sheet import ending in the scheduling run, with the engine host it is
// given) with a main window view-model as that host, and resolves forced swap mode by mode. In auto
// mode a program end starts it again from the school as it was before (at most 5 times).
ResolveReport scheduleWithResolve(Ctx& c, ResolveMode mode,
                                  const std::function<void(EngineHost&)>& importAndSchedule);

// Adds "swapsResolved", "restarts" and, after a final program end, "programEnd" to a run report.
void addResolveReport(QJsonObject& report, const ResolveReport& resolved);

}  // namespace tavro::cli
