#pragma once
// ZipArchive: read access to the parts of an .xlsx (a zip file) with size
// limits, so a damaged file or a zip bomb gives an error instead of a crash
// or an exhausted memory.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct zip;

namespace tavro {

class ZipArchive {
 public:
  ZipArchive() = default;
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // Opens a zip file for reading; false (and error() says why) when it is no readable zip.
  bool open(const QString& path);
  // True when the archive holds a part of that name (case ignored, as part names are).
  bool has(const QString& name) const;
  // The unpacked bytes of a part; nullopt (error() says why) when missing, damaged or above maxBytes.
  std::optional<QByteArray> read(const QString& name, qint64 maxBytes);
  // Names of all parts, in archive order.
  QStringList names() const;
  const QString& error() const { return error_; }

 private:
  zip* za_ = nullptr;
  QString error_;
};

// The path of a relationship target: relative targets resolve against the folder of the part
// that holds the relationship ("xl/workbook.xml" + "worksheets/sheet1.xml" -> "xl/worksheets/sheet1.xml");
// "/xl/..." is taken from the root; "." and ".." are folded.
QString resolvePartPath(const QString& sourcePart, const QString& target);

}  // namespace tavro
