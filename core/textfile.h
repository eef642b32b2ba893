#pragma once
// Text files of the data folder ("课表.txt", "调课.txt", the print-format file).
// Reading accepts UTF-8 with or without a byte-order mark and falls back to
// GB18030 when the bytes are not valid UTF-8 (files written on Chinese
// Windows). Writing produces UTF-8 without a mark and CR LF line ends; whole
// files are replaced atomically, so a crash or a full disk never leaves a
// half-written file.

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace tavro {

// Thrown when a text file cannot be written (or appended to) completely. The message names the
// file and the cause in the user's words (saveFailureMessage).
class FileError : public std::runtime_error {
 public:
  explicit FileError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& message() const { return message_; }

 private:
  QString message_;
};

// "无法保存文件“path”：cause。" for a write of path that failed with error (errorString is the
// system's own text, used only when no plainer cause is known): the folder is missing or is no
// folder, a folder stands where the file should be, the disk is full, the file or its folder is
// read-only.
QString saveFailureMessage(const QString& path, QFileDevice::FileError error, const QString& errorString);

// The encodings text files of the data folder come in.
enum class TextEncoding { Utf8, Gb18030 };

// The encoding of file bytes as decodeText reads them: Gb18030 when they are not valid UTF-8
// (a character cut short at the very end does not count), else Utf8.
TextEncoding encodingOf(const QByteArray& bytes);

// The text of file bytes: UTF-8 (a leading byte-order mark dropped) when the
// bytes are valid UTF-8 (a character cut short at the very end, left by a crash
// during an append, is dropped), otherwise the bytes decoded as GB18030.
QString decodeText(const QByteArray& bytes);

// Splits text into lines at CR LF and at LF. A line end after the last line
// does not start an extra empty line; a CR not followed by LF stays in the text.
QStringList splitLines(const QString& text);

// A number as a formatted-print statement writes it: a blank in place of the sign
// (a "-" for negative numbers), the digits, one trailing blank. 5 -> " 5 ".
QString printNumber(int n);

// The lines of a text file (see decodeText and splitLines); nullopt when the
// file cannot be opened or read.
std::optional<QStringList> readTextLines(const QString& path);

// The lines of the bytes of a file that grows by appends (see decodeText and splitLines) without a
// last line that has no line end: a line cut short by a crash during an append is left out.
QStringList appendedTextLines(const QByteArray& bytes);

// appendedTextLines of the file at path; nullopt when it cannot be opened or read.
std::optional<QStringList> readAppendedTextLines(const QString& path);

// The bytes written for lines: UTF-8 without a mark (or GB18030), every line ended by CR LF.
QByteArray encodeLines(const QStringList& lines, TextEncoding encoding = TextEncoding::Utf8);

// Replaces the file at path with bytes atomically: the old file stays whole until
// the new one is complete on disk (synced). Throws FileError on failure.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// Replaces the file at path with lines (encodeLines) atomically: the old file
// stays whole until the new one is complete on disk. Throws FileError on failure.
void writeTextLines(const QString& path, const QStringList& lines);

// Appends bytes to the file at path, creating it when missing, then flushes and syncs it to disk.
// Throws FileError on failure.
void appendFileBytes(const QString& path, const QByteArray& bytes);

// Appends lines (encodeLines) to the file at path, creating it when missing,
// then flushes and syncs it to disk. Throws FileError on failure.
void appendTextLines(const QString& path, const QStringList& lines);

// The bytes of the file at path; nullopt when it cannot be opened or read.
std::optional<QByteArray> readFileBytes(const QString& path);

}  // namespace tavro
