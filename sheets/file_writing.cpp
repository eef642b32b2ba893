#include "sheets/file_writing.h"

#include <zip.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>
#include <cerrno>

namespace tavro {

namespace {

// Longest file name written, in UTF-8 bytes: file systems take 255, and the temporary name beside
// a file adds about 30.
constexpr int kMaxFileNameBytes = 200;
// A temporary file untouched for this long belongs to no write in progress.
constexpr qint64 kStaleAfterSeconds = 60;

qint64 ownProcessId() {
  return QCoreApplication::applicationPid();
}

const QRegularExpression& temporaryName() {
  static const QRegularExpression re(QStringLiteral(R"(^\.~.+\.xlsx\.(\d+)(\.\d+)?\.tmp$)"));
  return re;
}

}  // namespace

QString systemErrorCause(int e) {
  switch (e) {
    case 0:
      return QString();
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return QStringLiteral("磁盘空间不足");
    case EACCES:
    case EPERM:
      return QStringLiteral("没有写入权限");
    case EROFS:
      return QStringLiteral("磁盘是只读的");
    case ENAMETOOLONG:
      return QStringLiteral("文件名太长");
    case ENOENT:
    case ENOTDIR:
      return QStringLiteral("文件夹不存在");
    case EIO:
      return QStringLiteral("磁盘读写出错");
    case ENOMEM:
      return QStringLiteral("内存不足");
    case EMFILE:
    case ENFILE:
      return QStringLiteral("打开的文件太多");
    case EBUSY:
    case ETXTBSY:
      return QStringLiteral("文件正被其他程序使用");
    case EISDIR:
      return QStringLiteral("这个名字是一个文件夹");
    default:
      return QStringLiteral("系统错误（代码%1）").arg(e);
  }
}

QString zipErrorCause(int zipError, int systemError) {
  const QString system = systemErrorCause(systemError);
  const auto withSystem = [&](const QString& what) { return system.isEmpty() ? what : what + "：" + system; };
  switch (zipError) {
    case ZIP_ER_NOZIP:
      return QStringLiteral("文件内容不是Excel（.xlsx）格式");
    case ZIP_ER_INCONS:
    case ZIP_ER_MULTIDISK:
      return QStringLiteral("文件内部结构不一致，可能已损坏");
    case ZIP_ER_EOF:
      return QStringLiteral("文件不完整");
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
      return QStringLiteral("文件已损坏");
    case ZIP_ER_COMPNOTSUPP:
      return QStringLiteral("文件的压缩方式不受支持");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
      return QStringLiteral("文件有密码保护");
    case ZIP_ER_MEMORY:
      return QStringLiteral("内存不足");
    case ZIP_ER_NOENT:
      return QStringLiteral("文件不存在");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
      return withSystem(QStringLiteral("无法读取文件"));
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_RENAME:
    case ZIP_ER_REMOVE:
      return withSystem(QStringLiteral("无法写入文件"));
    default:
      return QStringLiteral("压缩文件出错（代码%1）").arg(zipError);
  }
}

QString folderWriteProblem(const QString& folder) {
  const QFileInfo info(folder);
  if (!info.isDir()) return QStringLiteral("文件夹不存在");
  if (QStorageInfo(folder).isReadOnly()) return QStringLiteral("磁盘是只读的");
  if (!info.isWritable()) return QStringLiteral("没有写入这个文件夹的权限");
  return QString();
}

QString fileNameProblem(const QString& path) {
  return QFileInfo(path).fileName().toUtf8().size() > kMaxFileNameBytes ? QStringLiteral("文件名太长")
                                                                        : QString();
}

bool folderHasRoomFor(const QString& folder, qint64 bytes) {
  const QStorageInfo disk(folder);
  return !disk.isValid() || disk.bytesAvailable() < 0 || disk.bytesAvailable() >= bytes;
}

QString writeTargetOf(const QString& path) {
  QFileInfo info(path);
  for (int depth = 0; depth < 40 && info.isSymLink(); ++depth) info.setFile(info.symLinkTarget());
  return info.isSymLink() ? path : info.filePath();
}

QString replaceFileWith(const QString& target, const QString& file) {
  QFile written(file);
  if (!written.open(QIODevice::ReadOnly)) return QStringLiteral("无法读回刚写好的文件");
  const QByteArray bytes = written.readAll();
  QSaveFile out(target);
  errno = 0;
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
    const QString cause = systemErrorCause(errno);
    return cause.isEmpty() ? QStringLiteral("无法替换原文件（它可能正被Excel等程序打开）") : cause;
  }
  return QString();
}

QString temporaryPathBeside(const QString& path) {
  static int counter = 0;
  const QFileInfo info(path);
  return info.absolutePath() + QStringLiteral("/.~") + info.fileName() + u'.' +
         QString::number(ownProcessId()) + u'.' + QString::number(++counter) + QStringLiteral(".tmp");
}

void removeStaleTemporaryFiles(const QString& folder) {
  const QDir dir(folder);
  const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-kStaleAfterSeconds);
  const QFileInfoList files = dir.entryInfoList({QStringLiteral(".~*.tmp")}, QDir::Files | QDir::Hidden);
  for (const QFileInfo& file : files) {
    const auto match = temporaryName().match(file.fileName());
    if (!match.hasMatch() || match.captured(1).toLongLong() == ownProcessId()) continue;
    if (file.lastModified().toUTC() < before) QFile::remove(file.filePath());
  }
}

}  // namespace tavro
