#include "core/textfile.h"

#include <errno.h>
#include <iconv.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

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
qsizetype lengthWithoutCutCharacter(QByteArrayView bytes) {
  for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
    const auto byte = static_cast<unsigned char>(bytes.at(bytes.size() - back));
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? bytes.size() - back : bytes.size();
  }
  return bytes.size();
}

// The text of bytes as UTF-8 (a character cut short at the very end dropped); nullopt when they
// are not valid UTF-8.
std::optional<QString> decodeUtf8(QByteArrayView body) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(body);
  if (!utf8.hasError()) return text;
  const qsizetype whole = lengthWithoutCutCharacter(body);
  if (whole == body.size()) return std::nullopt;
  QStringDecoder again(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  text = again.decode(body.first(whole));
  if (again.hasError()) return std::nullopt;
  return text;
}

QByteArrayView withoutMark(const QByteArray& bytes) {
  QByteArrayView body(bytes);
  return body.startsWith("\xEF\xBB\xBF") ? body.sliced(3) : body;
}

}  // namespace

QString decodeText(const QByteArray& bytes) {
  const QByteArrayView body = withoutMark(bytes);
  if (std::optional<QString> text = decodeUtf8(body)) return *text;
  return decodeGb18030(body.toByteArray());
}

TextEncoding encodingOf(const QByteArray& bytes) {
  return decodeUtf8(withoutMark(bytes)) ? TextEncoding::Utf8 : TextEncoding::Gb18030;
}

QString saveFailureMessage(const QString& path, QFileDevice::FileError error, const QString& errorString) {
  const QFileInfo file(path);
  const QFileInfo folder(file.absolutePath());
  const QString shownFolder = QDir::toNativeSeparators(folder.absoluteFilePath());
  QString cause;
  if (!folder.exists()) {
    cause = QStringLiteral("文件夹“") + shownFolder + QStringLiteral("”不存在");
  } else if (!folder.isDir()) {
    cause = QStringLiteral("“") + shownFolder + QStringLiteral("”不是文件夹");
  } else if (file.isDir()) {
    cause = QStringLiteral("同一位置有一个同名的文件夹");
  } else if (error == QFileDevice::ResourceError) {
    cause = QStringLiteral("磁盘已满");
  } else if (!folder.isWritable() || (file.exists() && !file.isWritable())) {
    cause = QStringLiteral("文件或文件夹是只读的，没有写入权限");
  } else {
    cause = QStringLiteral("系统报告“") + errorString + QStringLiteral("”");
  }
  return QStringLiteral("无法保存文件“") + QDir::toNativeSeparators(file.absoluteFilePath()) +
         QStringLiteral("”：") + cause + QStringLiteral("。");
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

std::optional<QByteArray> readFileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

std::optional<QStringList> readTextLines(const QString& path) {
  const std::optional<QByteArray> bytes = readFileBytes(path);
  if (!bytes) return std::nullopt;
  return splitLines(decodeText(*bytes));
}

QStringList appendedTextLines(const QByteArray& bytes) {
  QStringList lines = splitLines(decodeText(bytes));
  if (!bytes.isEmpty() && !bytes.endsWith('\n') && !lines.isEmpty()) lines.removeLast();
  return lines;
}

std::optional<QStringList> readAppendedTextLines(const QString& path) {
  const std::optional<QByteArray> bytes = readFileBytes(path);
  if (!bytes) return std::nullopt;
  return appendedTextLines(*bytes);
}

QByteArray encodeLines(const QStringList& lines, TextEncoding encoding) {
  QString text;
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  if (encoding == TextEncoding::Gb18030) {
    QStringEncoder gb18030("GB18030");
    if (gb18030.isValid()) return gb18030.encode(text);
  }
  return text.toUtf8();
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  // The explicit flush matters: QSaveFile's commit does not notice a buffered write that fails
  // (a full disk) and would put an empty or partial file in place of the old one.
  const bool saved =
      file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit();
  if (!saved) {
    const QFileDevice::FileError error = file.error();
    const QString errorString = file.errorString();
    file.cancelWriting();
    throw FileError(saveFailureMessage(path, error, errorString));
  }
}

void writeTextLines(const QString& path, const QStringList& lines) {
  writeFileAtomically(path, encodeLines(lines));
}

void appendFileBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  const bool written = file.open(QIODevice::WriteOnly | QIODevice::Append) &&
                       file.write(bytes) == bytes.size() && file.flush();
  if (!written) throw FileError(saveFailureMessage(path, file.error(), file.errorString()));
  if (::fsync(file.handle()) != 0)
    throw FileError(saveFailureMessage(path,
                                       errno == ENOSPC ? QFileDevice::ResourceError : QFileDevice::WriteError,
                                       QString::fromLocal8Bit(std::strerror(errno))));
}

void appendTextLines(const QString& path, const QStringList& lines) {
  appendFileBytes(path, encodeLines(lines));
}

}  // namespace tavro
