#pragma once
// FieldReader: reads the lines of a text file field by field, the way the
// school's data files were always read: a field ends at a comma or at the end
// of its line, blanks around it are skipped, and a line's end moves on to the
// next line. Running past the last line, or a field that should be a whole
// number and is not, throws FileContentError.

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <string>
#include <utility>

namespace tavro {

// Thrown when a file's content is not what its reader expects (it ends early,
// a number is unreadable, a value lies outside what the model can hold).
class FileContentError : public std::runtime_error {
 public:
  explicit FileContentError(const std::string& what) : std::runtime_error(what) {}
};

class FieldReader {
 public:
  explicit FieldReader(QStringList lines) : lines_(std::move(lines)) {}

  // The next field with surrounding blanks removed. Throws FileContentError at the end of the file.
  QString field();
  // The next field as a whole number (optional sign, digits only). Throws FileContentError otherwise.
  int number();
  // When the last field ended at a comma: the rest of that line (commas included, surrounding
  // blanks removed), and reading goes on at the next line. Otherwise "" and nothing is read.
  QString restOfLine();
  // Skips the rest of the current line, or the next whole line when the last field ended the
  // line. Throws FileContentError at the end of the file.
  void skipLine();
  // Number of the line the next read starts on (1-based).
  int lineNumber() const { return line_ + 1; }

 private:
  void requireLine() const;
  QStringList lines_;
  int line_ = 0;          // index of the current line
  int pos_ = 0;           // position in the current line
  bool midLine_ = false;  // the last field ended at a comma of the current line
};

}  // namespace tavro
