#include "cli/context.h"

namespace tavro::cli {

CliContext::CliContext(const SharedOptions& options, QTextStream& outStream, Messages& messageSink)
    : out(outStream), messages(messageSink) {
  if (options.seed) session.rng.seed(*options.seed);
  ui.setAnswers(options.answers);
  ui.setStopOnRepeatedInput(true);
  ui.setObserver([this](const UiEvent& e) { messages.uiEvent(e); });
}

}  // namespace tavro::cli
