#include "sheets/zip_archive.h"

#include <zip.h>

#include <QFile>
#include <cerrno>

#include "sheets/file_writing.h"

namespace tavro {

ZipArchive::~ZipArchive() {
  if (za_) zip_discard(za_);
}

bool ZipArchive::open(const QString& path) {
  int code = 0;
  errno = 0;
  za_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
  if (za_) return true;
  error_ = zipErrorCause(code, errno);
  return false;
}

bool ZipArchive::has(const QString& name) const {
  return za_ && zip_name_locate(za_, name.toUtf8().constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS) >= 0;
}

std::optional<QByteArray> ZipArchive::read(const QString& name, qint64 maxBytes) {
  const zip_int64_t index = za_ ? zip_name_locate(za_, name.toUtf8().constData(), ZIP_FL_NOCASE) : -1;
  if (index < 0) {
    error_ = QStringLiteral("缺少“%1”部分").arg(name);
    return std::nullopt;
  }
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(za_, zip_uint64_t(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
    error_ = QStringLiteral("“%1”部分已损坏").arg(name);
    return std::nullopt;
  }
  if (st.size > zip_uint64_t(maxBytes)) {
    error_ = QStringLiteral("“%1”部分太大").arg(name);
    return std::nullopt;
  }
  zip_file_t* file = zip_fopen_index(za_, zip_uint64_t(index), 0);
  if (!file) {
    const zip_error_t* error = zip_get_error(za_);
    error_ = QStringLiteral("“%1”部分无法读取：%2")
                 .arg(name, zipErrorCause(zip_error_code_zip(error), zip_error_code_system(error)));
    return std::nullopt;
  }
  QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
  qint64 got = 0;
  while (got < qint64(st.size)) {
    const zip_int64_t n = zip_fread(file, bytes.data() + got, zip_uint64_t(qint64(st.size) - got));
    if (n <= 0) break;
    got += n;
  }
  const bool closedCleanly = zip_fclose(file) == 0;  // always closed, also after a short read
  const bool damaged = got != qint64(st.size) || !closedCleanly;
  if (damaged) {
    error_ = QStringLiteral("“%1”部分已损坏").arg(name);
    return std::nullopt;
  }
  return bytes;
}

QStringList ZipArchive::names() const {
  QStringList list;
  const zip_int64_t n = za_ ? zip_get_num_entries(za_, 0) : 0;
  for (zip_int64_t i = 0; i < n; ++i)
    if (const char* name = zip_get_name(za_, zip_uint64_t(i), ZIP_FL_ENC_GUESS))
      list << QString::fromUtf8(name);
  return list;
}

QString resolvePartPath(const QString& sourcePart, const QString& target) {
  QString joined;
  if (target.startsWith('/')) {
    joined = target.mid(1);
  } else {
    const int slash = sourcePart.lastIndexOf('/');
    joined = (slash >= 0 ? sourcePart.left(slash + 1) : QString()) + target;
  }
  QStringList parts;
  for (const QString& piece : joined.split('/', Qt::SkipEmptyParts)) {
    if (piece == QLatin1String(".")) continue;
    if (piece == QLatin1String("..")) {
      if (!parts.isEmpty()) parts.removeLast();
      continue;
    }
    parts << piece;
  }
  return parts.join('/');
}

}  // namespace tavro
