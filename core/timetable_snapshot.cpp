#include "core/timetable_snapshot.h"

#include "core/procedures.h"
#include "core/textfile.h"

namespace tavro {

namespace {

// Appends line and CR LF to out as UTF-8; lines of plain ASCII (the cells) are copied directly.
void appendEncodedLine(QByteArray& out, const QString& line) {
  const QChar* chars = line.constData();
  const qsizetype n = line.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (chars[i].unicode() >= 0x80) {
      out += line.toUtf8();
      out += "\r\n";
      return;
    }
  }
  const qsizetype at = out.size();
  out.resize(at + n + 2);
  char* d = out.data() + at;
  for (qsizetype i = 0; i < n; ++i) d[i] = static_cast<char>(chars[i].unicode());
  d[n] = '\r';
  d[n + 1] = '\n';
}

// The class name as the class line carries it: a line break in the name (possible in a sheet
// cell) would split the block, so it becomes a blank; the name is never read back.
QString classLineName(const QString& name) {
  QString text = name;
  text.replace(u'\r', u' ').replace(u'\n', u' ');
  return text;
}

QByteArray headerBytes(const School& s) {
  QByteArray out;
  for (const QString& line :
       {QStringLiteral("'Tavro课程安排系统") + s.Bbh +
            QStringLiteral("版课表文件（用户不能随便修改本文件，否则可能运行出错！）"),
        QStringLiteral("'每周天数："), printNumber(s.Mzts), QStringLiteral("'每天节数："),
        printNumber(s.Mtjs),
        QStringLiteral("'各年级名称下面的“1”表示该班级课表已排，“0”表示该班级课表未排。")})
    appendEncodedLine(out, line);
  return out;
}

QByteArray classBlockBytes(const School& s, int nj, int bj) {
  QByteArray out;
  out.reserve(64 + s.Mzts * (16 + s.Mtjs * 12));
  appendEncodedLine(out, Lbq(2, nj) + QStringLiteral("年级") + Lbq(2, bj) + QStringLiteral("班,") +
                             classLineName(s.Bjmc(nj, bj)));
  appendEncodedLine(out, printNumber(s.Ypbz(nj, bj)));
  for (int xq = 1; xq <= s.Mzts; ++xq) {
    appendEncodedLine(out, QStringLiteral("星期") + printNumber(xq));
    for (int jc = 1; jc <= s.Mtjs; ++jc) appendEncodedLine(out, s.Kb(kLongTerm, xq, jc, nj, bj));
  }
  return out;
}

// True when a cell is the very text kept: both empty, or the same shared characters. The cache
// holds a copy of every kept cell, so shared characters cannot have been changed in place.
bool sameCell(const QString& now, const QString& kept) {
  return now.size() == kept.size() && (now.isEmpty() || now.constData() == kept.constData());
}

}  // namespace

QByteArray TimetableSnapshot::bytes() const {
  qsizetype size = header.size();
  for (const QByteArray& block : blocks) size += block.size();
  QByteArray out;
  out.reserve(size);
  out += header;
  for (const QByteArray& block : blocks) out += block;
  return out;
}

bool TimetableFileCache::fits(const School& s) const {
  if (bounds_ != s.Kb.bounds() || version_ != s.Bbh || days_ != s.Mzts || periods_ != s.Mtjs) return false;
  std::size_t i = 0;
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj, ++i)
      if (i >= classes_.size() || classes_[i].nj != nj || classes_[i].bj != bj) return false;
  return i == classes_.size();
}

void TimetableFileCache::restart(const School& s) {
  bounds_ = s.Kb.bounds();
  version_ = s.Bbh;
  days_ = s.Mzts;
  periods_ = s.Mtjs;
  header_ = headerBytes(s);
  classes_.clear();
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj) {
      if (!s.Kb.has(kLongTerm, 1, 1, nj, bj)) throw IndexError("class outside the timetable");
      classes_.push_back({nj, bj, QString(), -1, QByteArray()});
    }
  cells_.assign(classes_.size() * std::size_t(std::max(0, days_ * periods_)), QString());
}

// Marks the classes whose name, flag or any cell differs from what their block was built from,
// and keeps the new cells. The cells are compared weekday by weekday and period by period over
// all classes, the order in which Kb lies in memory, so that the pass stays quick for a school of
// hundreds of classes.
void TimetableFileCache::markChangedClasses(const School& s, std::vector<char>& changed) {
  changed.assign(classes_.size(), 0);
  for (std::size_t i = 0; i < classes_.size(); ++i) {
    const ClassBlock& c = classes_[i];
    if (c.scheduled != s.Ypbz(c.nj, c.bj) || !sameCell(s.Bjmc(c.nj, c.bj), c.name) || c.bytes.isEmpty())
      changed[i] = 1;
  }
  auto kept = cells_.begin();
  for (int xq = 1; xq <= days_; ++xq)
    for (int jc = 1; jc <= periods_; ++jc)
      for (std::size_t i = 0; i < classes_.size();) {
        // The classes of one grade lie side by side.
        const int nj = classes_[i].nj;
        const QString* row = &s.Kb(kLongTerm, xq, jc, nj, 1);
        for (; i < classes_.size() && classes_[i].nj == nj; ++i, ++kept) {
          const QString& cell = row[classes_[i].bj - 1];
          if (sameCell(cell, *kept)) continue;
          *kept = cell;
          changed[i] = 1;
        }
      }
}

TimetableSnapshot TimetableFileCache::take(const School& s) {
  if (!fits(s)) restart(s);
  std::vector<char> changed;
  markChangedClasses(s, changed);
  TimetableSnapshot snapshot{header_, {}};
  snapshot.blocks.reserve(classes_.size());
  for (std::size_t i = 0; i < classes_.size(); ++i) {
    ClassBlock& c = classes_[i];
    if (changed[i]) {
      c.name = s.Bjmc(c.nj, c.bj);
      c.scheduled = s.Ypbz(c.nj, c.bj);
      c.bytes = classBlockBytes(s, c.nj, c.bj);
    }
    snapshot.blocks.push_back(c.bytes);
  }
  return snapshot;
}

}  // namespace tavro
