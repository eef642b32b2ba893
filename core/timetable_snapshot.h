#pragma once
// The bytes of the timetable file "课表.txt", kept up to date class by class.
//
// The scheduling run saves the file after every class, but between two saves
// only a few classes change. TimetableFileCache keeps every class block of the
// file already encoded, together with a copy of the cells it was built from;
// taking a snapshot compares each cell with its copy (the same shared
// characters, so a cell written since never matches even with equal text) and
// encodes again only the blocks of classes that changed. A snapshot shares the
// encoded blocks, so handing it to the background writer copies no text.

#include <QByteArray>
#include <QString>
#include <vector>

#include "core/school.h"

namespace tavro {

// The timetable file at one moment: the six header lines, then per class its block (code line,
// scheduled flag, and per weekday the weekday line and the long-term cells), all encoded.
struct TimetableSnapshot {
  QByteArray header;
  std::vector<QByteArray> blocks;

  // The whole file.
  QByteArray bytes() const;
};

class TimetableFileCache {
 public:
  // The file as the school stands now: classes of grades Snj..Mnj, classes 1..Njbjs.
  TimetableSnapshot take(const School& s);

 private:
  // What a class block was built from.
  struct ClassBlock {
    int nj = 0;
    int bj = 0;
    QString name;       // Bjmc
    int scheduled = 0;  // Ypbz
    QByteArray bytes;   // the encoded block
  };
  bool fits(const School& s) const;
  void restart(const School& s);
  void markChangedClasses(const School& s, std::vector<char>& changed);

  Table<QString, 5>::Bounds bounds_{};  // Kb's bounds when the cache was built
  QString version_;
  int days_ = 0, periods_ = 0;
  QByteArray header_;
  std::vector<ClassBlock> classes_;
  std::vector<QString> cells_;  // the cells the blocks were built from: weekday, period, class
};

}  // namespace tavro
