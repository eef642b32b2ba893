#include "core/file_backup.h"

#include <QFileInfo>

#include "core/textfile.h"

namespace tavro {

QString damagedCopyPath(const QString& path, const QDateTime& when) {
  return path + QStringLiteral(".损坏-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

QString keepDamagedCopy(const QString& path, const QByteArray& bytes, const QDateTime& now) {
  const QString first = damagedCopyPath(path, now);
  QString copy = first;
  for (int n = 2; QFileInfo::exists(copy); ++n) copy = first + u'-' + QString::number(n);
  writeFileAtomically(copy, bytes);
  return copy;
}

}  // namespace tavro
