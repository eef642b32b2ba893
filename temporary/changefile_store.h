#pragma once
// The two writers of "调课.txt": every change of the file goes through one of
// them. A record is appended only after the file ends with a whole record, in
// the encoding the file already has; a removal rewrites the file atomically.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tavro {

// The refusal when the change file at path holds a stopping record (number n): the records from it
// on never apply, and neither would a new one; the user is told to remove record n first.
QString stoppingRecordMessage(const QString& path, int n);

// Appends the record `lines` to the change file at path (created when missing), synced to disk:
// - a file whose reading stops at a broken or unreadable record is left alone and FileError
//   (stoppingRecordMessage) is thrown;
// - the record is encoded as the file is (GB18030 when its bytes are not UTF-8; new files UTF-8);
// - a file that ends in a record cut short (a crash or a full disk during an earlier append) is
//   first kept whole as a copy (keepDamagedCopy, unless the cut part is only blank lines), then
//   replaced atomically by its whole records followed by the new one.
// Returns the path of that copy, "" when none was made. Throws FileError when nothing was written.
QString appendChangeRecord(const QString& path, const QStringList& lines);

// Replaces the change file at path by bytes atomically. Throws FileError on failure.
void rewriteChangeFile(const QString& path, const QByteArray& bytes);

}  // namespace tavro
