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

}  // namespace

QString decodeText(const QByteArray& bytes) {
  QByteArray body = bytes;
  if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(body);
  if (!utf8.hasError()) return text;
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

std::optional<QStringList> readTextLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return splitLines(decodeText(bytes));
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
