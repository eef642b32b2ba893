#include "core/history_index.h"

#include <algorithm>
#include <cstdlib>

#include "core/textfile.h"

namespace tavro {

namespace {

const QString kHeader = QStringLiteral("'Tavro历史索引");
const QString kPositionTag = QStringLiteral("位置");
const QString kPendingTag = QStringLiteral("进行");
const QString kStepTag = QStringLiteral("步骤");
const QString kFileTag = QStringLiteral("文件");
const QChar kTab = u'\t';

// A field as written: tabs and line ends would split the line, so they become blanks.
QString field(QString text) {
  for (QChar& ch : text)
    if (ch == u'\t' || ch == u'\r' || ch == u'\n') ch = u' ';
  return text;
}

QString joinFields(const QStringList& fields) {
  QStringList out;
  for (const QString& f : fields) out << field(f);
  return out.join(kTab);
}

}  // namespace

HistoryFileChange* HistoryStep::change(const QString& file) {
  for (HistoryFileChange& c : files)
    if (c.file == file) return &c;
  return nullptr;
}

const HistoryFileChange* HistoryStep::change(const QString& file) const {
  return const_cast<HistoryStep*>(this)->change(file);
}

void HistoryIndex::push(const HistoryStep& step) {
  position = std::clamp(current(), 0, static_cast<int>(steps.size()));
  pending = -1;
  steps.resize(position);
  steps.append(step);
  position = static_cast<int>(steps.size());
}

QByteArray historyIndexBytes(const HistoryIndex& index) {
  QStringList lines{kHeader, joinFields({kPositionTag, QString::number(index.position)})};
  if (index.pending >= 0) lines << joinFields({kPendingTag, QString::number(index.pending)});
  for (const HistoryStep& step : index.steps) {
    lines << joinFields({kStepTag, step.time, step.action, step.className, step.caption});
    for (const HistoryFileChange& c : step.files) lines << joinFields({kFileTag, c.file, c.before, c.after});
  }
  return encodeLines(lines);
}

HistoryIndex parseHistoryIndex(const QByteArray& bytes) {
  HistoryIndex index;
  const QStringList lines = splitLines(decodeText(bytes));
  if (lines.isEmpty() || lines.front() != kHeader) return index;
  int position = 0, pending = -1;
  for (const QString& line : lines) {
    const QStringList f = line.split(kTab);
    if (f.size() == 2 && f[0] == kPositionTag) {
      position = f[1].toInt();
    } else if (f.size() == 2 && f[0] == kPendingTag) {
      pending = f[1].toInt();
    } else if (f.size() == 5 && f[0] == kStepTag) {
      index.steps.append(HistoryStep{f[1], f[2], f[3], f[4], {}});
    } else if (f.size() == 4 && f[0] == kFileTag && !index.steps.isEmpty() && !f[2].isEmpty()) {
      index.steps.back().files.append(HistoryFileChange{f[1], f[2], f[3]});
    }
  }
  // A step that names no file cannot be undone or redone.
  for (int i = static_cast<int>(index.steps.size()) - 1; i >= 0; --i) {
    if (!index.steps[i].files.isEmpty()) continue;
    index.steps.removeAt(i);
    if (i < position) --position;
    if (i < pending) --pending;
  }
  index.position = std::clamp(position, 0, static_cast<int>(index.steps.size()));
  // Only a move of one step can be pending.
  if (pending >= 0 && std::abs(pending - index.position) == 1 && pending <= index.steps.size())
    index.pending = pending;
  return index;
}

}  // namespace tavro
