#include "core/textfile.h"

#include <errno.h>
#include <iconv.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace tavro {

namespace {

// Decodes bytes with the C library's converter; undecodable bytes become U+FFFD.
QString decodeGb18030(const QByteArray& bytes) {
  iconv_t cd = iconv_open("UTF-8", "GB18030");
  if (cd == reinterpret_cast<iconv_t>(-1)) return QString::fromLatin1(bytes);
  QByteArray out;
  out.reserve(bytes.size() * 2 + 4);
  char buffer[4096];
  char* in = const_cast<char*>(bytes.constData());
  size_t inLeft = static_cast<size_t>(bytes.size());
  while (inLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<qsizetype>(dst - buffer));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      out.append("\xEF\xBF\xBD");  // a byte that starts no GB18030 character
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return QString::fromUtf8(out);
}

// The length of bytes without a UTF-8 character cut short at their very end (the last write of a
// program that crashed while appending): the last lead byte with fewer continuation bytes after
// it than it announces, and those bytes, are left out.
qsizetype lengthWithoutCutCharacter(const QByteArray& bytes) {
  for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
    const auto byte = static_cast<unsigned char>(bytes.at(bytes.size() - back));
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? bytes.size() - back : bytes.size();
  }
  return bytes.size();
}

}  // namespace

QString decodeText(const QByteArray& bytes) {
  QByteArray body = bytes;
  if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(body);
  if (!utf8.hasError()) return text;
  const qsizetype whole = lengthWithoutCutCharacter(body);
  if (whole < body.size()) {
    QStringDecoder again(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = again.decode(QByteArrayView(body).first(whole));
    if (!again.hasError()) return text;
  }
  return decodeGb18030(body);
}

QStringList splitLines(const QString& text) {
  QStringList lines = text.split(u'\n');
  if (text.endsWith(u'\n') || text.isEmpty()) lines.removeLast();
  for (QString& line : lines)
    if (line.endsWith(u'\r')) line.chop(1);
  return lines;
}

QString printNumber(int n) {
  return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n) + u' ';
}

namespace {

std::optional<QByteArray> readFileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<QStringList> readTextLines(const QString& path) {
  const std::optional<QByteArray> bytes = readFileBytes(path);
  if (!bytes) return std::nullopt;
  return splitLines(decodeText(*bytes));
}

std::optional<QStringList> readAppendedTextLines(const QString& path) {
  const std::optional<QByteArray> bytes = readFileBytes(path);
  if (!bytes) return std::nullopt;
  QStringList lines = splitLines(decodeText(*bytes));
  if (!bytes->isEmpty() && !bytes->endsWith('\n') && !lines.isEmpty()) lines.removeLast();
  return lines;
}

QByteArray encodeLines(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) {
    bytes += line.toUtf8();
    bytes += "\r\n";
  }
  return bytes;
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw FileError(QStringLiteral("无法写入文件：") + path);
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    file.cancelWriting();
    throw FileError(QStringLiteral("无法写入文件：") + path);
  }
}

void writeTextLines(const QString& path, const QStringList& lines) {
  writeFileAtomically(path, encodeLines(lines));
}

void appendTextLines(const QString& path, const QStringList& lines) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
    throw FileError(QStringLiteral("无法写入文件：") + path);
  }
  const QByteArray bytes = encodeLines(lines);
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  if (!written || ::fsync(file.handle()) != 0) throw FileError(QStringLiteral("无法写入文件：") + path);
}

}  // namespace tavro
