#include "temporary/changefile_store.h"

#include <QDir>

#include "core/file_backup.h"
#include "core/textfile.h"
#include "temporary/changefile.h"

namespace tavro {

namespace {

// The number of bytes the first `count` lines of bytes take, line ends included.
qsizetype bytesOfLines(const QByteArray& bytes, int count) {
  qsizetype size = 0;
  const QList<QByteArray> lines = rawLines(bytes);
  for (int i = 0; i < count && i < lines.size(); ++i) size += lines[i].size();
  return size;
}

}  // namespace

QString stoppingRecordMessage(const QString& path, int n) {
  const QString number = QString::number(n);
  return QStringLiteral("　　“") + QDir::toNativeSeparators(path) + QStringLiteral("”中第") + number +
         QStringLiteral(
             "个临时调课记录格式错误，从它起的记录都不起作用，现在再记录的临时调课也不会起作用。请先删除第") +
         number +
         QStringLiteral("个记录（按“删临”－“删除临时调课记录”，或用命令 tavro-cli temp 数据文件夹 remove ") +
         number + QStringLiteral("），然后重新临时调课。");
}

QString appendChangeRecord(const QString& path, const QStringList& lines) {
  const std::optional<QByteArray> bytes = readFileBytes(path);
  if (!bytes || bytes->isEmpty()) {
    appendFileBytes(path, encodeLines(lines));
    return QString();
  }
  const ChangeFile file = parseChangeBytes(*bytes);
  if (file.stoppingRecord() > 0) throw FileError(stoppingRecordMessage(path, file.stoppingRecord()));
  const QByteArray record = encodeLines(lines, encodingOf(*bytes));
  const qsizetype whole = bytesOfLines(*bytes, file.wholeLines);
  if (whole == bytes->size()) {
    appendFileBytes(path, record);
    return QString();
  }
  // The file ends in a record cut short: appending would join the new record onto it.
  const QString copy = bytes->mid(whole).trimmed().isEmpty() ? QString() : keepDamagedCopy(path, *bytes);
  rewriteChangeFile(path, bytes->left(whole) + record);
  return copy;
}

void rewriteChangeFile(const QString& path, const QByteArray& bytes) {
  writeFileAtomically(path, bytes);
}

}  // namespace tavro
