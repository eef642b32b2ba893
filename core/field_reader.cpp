#include "core/field_reader.h"

namespace tavro {

namespace {

bool isBlank(QChar c) {
  return c == u' ' || c == u'\t';
}

QString trimBlanks(const QString& text) {
  qsizetype start = 0;
  qsizetype end = text.size();
  while (start < end && isBlank(text[start])) ++start;
  while (end > start && isBlank(text[end - 1])) --end;
  return text.mid(start, end - start);
}

bool isWholeNumber(const QString& text) {
  qsizetype i = (text.startsWith(u'-') || text.startsWith(u'+')) ? 1 : 0;
  if (i >= text.size() || text.size() - i > 9) return false;
  for (; i < text.size(); ++i)
    if (text[i] < u'0' || text[i] > u'9') return false;
  return true;
}

}  // namespace

void FieldReader::requireLine() const {
  if (line_ >= lines_.size()) throw FileContentError("the file ends at line " + std::to_string(line_ + 1));
}

QString FieldReader::field() {
  requireLine();
  const QString& line = lines_[line_];
  const qsizetype comma = line.indexOf(u',', pos_);
  if (comma >= 0) {
    const QString text = trimBlanks(line.mid(pos_, comma - pos_));
    pos_ = static_cast<int>(comma) + 1;
    midLine_ = true;
    return text;
  }
  const QString text = trimBlanks(line.mid(pos_));
  ++line_;
  pos_ = 0;
  midLine_ = false;
  return text;
}

int FieldReader::number() {
  const int line = lineNumber();
  const QString text = field();
  if (!isWholeNumber(text)) throw FileContentError("no whole number at line " + std::to_string(line));
  return text.toInt();
}

QString FieldReader::restOfLine() {
  if (!midLine_) return QString();
  const QString text = trimBlanks(lines_[line_].mid(pos_));
  ++line_;
  pos_ = 0;
  midLine_ = false;
  return text;
}

void FieldReader::skipLine() {
  requireLine();
  ++line_;
  pos_ = 0;
  midLine_ = false;
}

}  // namespace tavro
