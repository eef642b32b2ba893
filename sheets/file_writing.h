#pragma once
// Writing workbook files safely: the causes of failures in the user's words
// (system error numbers, libzip's error codes), the checks made before
// writing into a folder, writing through symbolic links, replacing a file in
// one step, and removing the temporary files that a killed write left behind.

#include <QString>

namespace tavro {

// The cause of a failed system call from its error number (errno), e.g. "磁盘空间不足"; a number
// without a text of its own gives "系统错误（代码N）", and 0 gives "".
QString systemErrorCause(int errorNumber);

// The cause of a libzip error code; systemError is the error number of the call that failed
// (0 when none).
QString zipErrorCause(int zipError, int systemError);

// Why no file can be written into folder ("文件夹不存在", "磁盘是只读的", "没有写入权限"), or "".
QString folderWriteProblem(const QString& folder);

// Why a file of this name cannot be created ("文件名太长"), or "". Names are limited so that
// every file system in use (and the temporary name beside it) accepts them.
QString fileNameProblem(const QString& path);

// True when the disk of folder has room for bytes more.
bool folderHasRoomFor(const QString& folder, qint64 bytes);

// The path a write of path goes to: the target of a symbolic link (followed to its end), else path.
QString writeTargetOf(const QString& path);

// Replaces target with the bytes of file in one step (the old target stays whole until the new one
// is complete). "" when done, else the cause.
QString replaceFileWith(const QString& target, const QString& file);

// A temporary name beside path for a file being written (".~" + name + "." + process id + "." + n
// + ".tmp"); removeStaleTemporaryFiles knows these names.
QString temporaryPathBeside(const QString& path);

// Removes the temporary files of .xlsx writes in folder that another process left behind (it was
// killed, or the machine stopped) and that no write has touched for a minute.
void removeStaleTemporaryFiles(const QString& folder);

}  // namespace tavro
