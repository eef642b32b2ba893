#pragma once
// Copies of data files kept before the program replaces what it could not read
// cleanly: a damaged "课表.txt" before a run rewrites it, the torn end of
// "调课.txt" before the next record is appended. The copy sits beside the file
// under the file's name followed by ".损坏-" and the date and time, so the user
// finds it next to the original and can tell the copies apart.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace tavro {

// The name of the copy of the file at path made at `when`: path + ".损坏-YYYYMMDD-HHMMSS".
QString damagedCopyPath(const QString& path, const QDateTime& when);

// Writes bytes (the file as it was read) to damagedCopyPath(path, now), or, when a file of that
// name exists, to the same name followed by "-2", "-3" ...; returns the path written. Throws
// FileError when the copy cannot be written.
QString keepDamagedCopy(const QString& path, const QByteArray& bytes,
                        const QDateTime& now = QDateTime::currentDateTime());

}  // namespace tavro
