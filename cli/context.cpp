#include "cli/context.h"

#include <QJsonDocument>
#include <QSaveFile>

namespace tavro::cli {

CliContext::CliContext(const SharedOptions& options, QTextStream& outStream, Messages& messageSink)
    : out(outStream), messages(messageSink) {
  if (options.seed) session.rng.seed(*options.seed);
  ui.setAnswers(options.answers);
  ui.setStopOnRepeatedInput(true);
  ui.setObserver([this](const UiEvent& e) {
    messages.uiEvent(e);
    // A box that advises the window's menu command: here it is a command of its own.
    if (e.text.contains(QStringLiteral("“清除全校课表”")))
      messages.note(Note::Info,
                    QStringLiteral("on the command line \"编辑\"－\"清除全校课表\" is tavro-cli clear "
                                   "DATA (or schedule DATA --fresh); the old file stays in DATA/历史"));
  });
}

QString writeReport(CliContext& context, const QString& path, const QJsonObject& report) {
  const QByteArray json = QJsonDocument(report).toJson();
  if (path == u"-") {
    context.out << QString::fromUtf8(json);
    return QString();
  }
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(json) == json.size() && file.commit()) return QString();
  return file.errorString();
}

}  // namespace tavro::cli
