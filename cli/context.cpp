#include "cli/context.h"

#include "cli/commands.h"

namespace tavro::cli {

namespace {

// text as a JSON string literal; non-ASCII characters stay as they are (UTF-8 in the file).
QString jsonString(const QString& text) {
  QString out = QStringLiteral("\"");
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'"':
        out += QStringLiteral("\\\"");
        break;
      case u'\\':
        out += QStringLiteral("\\\\");
        break;
      case u'\n':
        out += QStringLiteral("\\n");
        break;
      case u'\r':
        out += QStringLiteral("\\r");
        break;
      case u'\t':
        out += QStringLiteral("\\t");
        break;
      default:
        if (c.unicode() < 0x20) {
          out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
        } else {
          out += c;
        }
    }
  }
  return out + u'"';
}

bool isLogged(const QString& kind) {
  return kind == u"info" || kind == u"warning" || kind == u"question" || kind == u"input";
}

}  // namespace

QString eventLine(const UiEvent& e) {
  if (e.kind == u"info") return QStringLiteral("提示: ") + e.text;
  if (e.kind == u"warning") return QStringLiteral("错误: ") + e.text;
  if (e.kind == u"question") return QStringLiteral("请回答: ") + e.text + QStringLiteral(" -> ") + e.answer;
  if (e.kind == u"input") return QStringLiteral("输入: ") + e.text + QStringLiteral(" -> ") + e.answer;
  if (e.kind == u"file") return QStringLiteral("选择文件: ") + e.text + QStringLiteral(" -> ") + e.answer;
  if (e.kind == u"tip") return QStringLiteral("向导: ") + e.text;
  return QString();
}

QString eventJson(const UiEvent& e) {
  if (!isLogged(e.kind)) return QString();
  return QStringLiteral("{\"kind\":") + jsonString(e.kind) + QStringLiteral(",\"text\":") +
         jsonString(e.text) + QStringLiteral(",\"answer\":") + jsonString(e.answer) + u'}';
}

CliContext::CliContext(const SharedOptions& options, QTextStream& outStream, QTextStream& errStream)
    : out(outStream), err(errStream) {
  if (options.seed) session.rng.seed(*options.seed);
  ui.setAnswers(options.answers);
  ui.setStopOnRepeatedInput(true);
  if (!options.logFile.isEmpty()) {
    log_ = std::make_unique<QFile>(options.logFile);
    if (!log_->open(QIODevice::WriteOnly | QIODevice::Truncate))
      throw UsageError(QStringLiteral("cannot write the log file ") + options.logFile);
  }
  ui.setObserver([this](const UiEvent& e) { echo(e); });
}

void CliContext::echo(const UiEvent& e) {
  const QString line = eventLine(e);
  if (!line.isEmpty()) {
    out << line << '\n';
    out.flush();
  }
  const QString json = eventJson(e);
  if (log_ && !json.isEmpty()) {
    log_->write((json + u'\n').toUtf8());
    log_->flush();
  }
}

}  // namespace tavro::cli
