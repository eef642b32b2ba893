#include "cli/messages.h"

#include <QFileInfo>
#include <QRegularExpression>

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

QString jsonLine(const QString& kind, const QString& text, const QString& answer) {
  return QStringLiteral("{\"kind\":") + jsonString(kind) + QStringLiteral(",\"text\":") + jsonString(text) +
         QStringLiteral(",\"answer\":") + jsonString(answer) + u'}';
}

QString noteKind(Note kind) {
  switch (kind) {
    case Note::Info:
      return QStringLiteral("note");
    case Note::Usage:
      return QStringLiteral("usage");
    case Note::Stopped:
      return QStringLiteral("stopped");
    case Note::ProgramEnd:
      return QStringLiteral("programEnd");
    case Note::SwapMode:
      return QStringLiteral("swapMode");
    case Note::Templates:
      return QStringLiteral("templates");
    case Note::Internal:
      return QStringLiteral("internal");
  }
  return QString();
}

bool hasAnswer(const QString& kind) {
  return kind == u"question" || kind == u"input" || kind == u"file";
}

}  // namespace

QString eventLabel(const UiEvent& e) {
  if (e.kind == u"info") return QStringLiteral("提示");
  if (e.kind == u"warning") return QStringLiteral("错误");
  if (e.kind == u"question") return QStringLiteral("请回答");
  if (e.kind == u"input") return QStringLiteral("输入");
  if (e.kind == u"file") return QStringLiteral("选择文件");
  if (e.kind == u"tip") return QStringLiteral("向导");
  return QString();
}

QString eventText(const UiEvent& e) {
  return hasAnswer(e.kind) ? e.text + QStringLiteral(" -> ") + e.answer : e.text;
}

QString eventJson(const UiEvent& e) {
  if (eventLabel(e).isEmpty()) return QString();
  return jsonLine(e.kind, e.text, e.answer);
}

QString messageLines(const QString& label, const QString& text) {
  static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
  const QStringList lines = text.split(lineEnd);
  QString out = label + QStringLiteral(": ") + lines.first() + u'\n';
  for (qsizetype i = 1; i < lines.size(); ++i) out += QStringLiteral("  | ") + lines[i] + u'\n';
  return out;
}

QString Messages::openLog(const QString& path) {
  if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
    return QStringLiteral("--log %1: the folder %2 does not exist").arg(path, QFileInfo(path).path());
  log_ = std::make_unique<QFile>(path);
  if (log_->open(QIODevice::WriteOnly | QIODevice::Truncate)) return QString();
  const QString why = log_->errorString();
  log_.reset();
  return QStringLiteral("--log %1: cannot write it (%2)").arg(path, why);
}

void Messages::uiEvent(const UiEvent& e) {
  const QString label = eventLabel(e);
  if (label.isEmpty()) return;
  print(label, eventText(e), !quiet_ || e.kind == u"warning");
  log(e.kind, e.text, e.answer);
}

void Messages::note(Note kind, const QString& text) {
  print(QStringLiteral("tavro-cli"), text, !quiet_ || kind != Note::Info);
  log(noteKind(kind), text, QString());
}

void Messages::print(const QString& label, const QString& text, bool shown) {
  if (!shown) return;
  err_ << messageLines(label, text);
  err_.flush();
}

void Messages::log(const QString& kind, const QString& text, const QString& answer) {
  if (!log_) return;
  log_->write((jsonLine(kind, text, answer) + u'\n').toUtf8());
  log_->flush();
}

}  // namespace tavro::cli
