#include "core/history.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/textfile.h"

namespace tavro {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH-mm-ss");

// "time action [class] [(counter)] file": the class may hold blanks, the other parts do not.
const QRegularExpression kVersionName(QStringLiteral(
    R"(^(\d{4}-\d\d-\d\d \d\d-\d\d-\d\d) (\S+)(?: (.+?))??(?: \((\d+)\))? (课表\.txt|调课\.txt)$)"));

// A class name as a part of a file name: characters that Windows refuses in file names, and
// control characters, become "_"; blanks at the ends go.
QString fileNamePart(const QString& text) {
  QString out = text.trimmed();
  for (QChar& ch : out)
    if (ch.unicode() < 32 || QStringLiteral("\\/:*?\"<>|").contains(ch)) ch = u'_';
  return out;
}

std::filesystem::path fsPath(const QString& path) {
  const QByteArray utf8 = path.toUtf8();
  return std::filesystem::path(
      std::u8string(reinterpret_cast<const char8_t*>(utf8.constData()), static_cast<size_t>(utf8.size())));
}

std::optional<QByteArray> readBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

// Newest first: by time, then by the counter within the second.
bool newerThan(const HistoryVersion& a, const HistoryVersion& b) {
  if (a.time != b.time) return a.time > b.time;
  if (a.counter != b.counter) return a.counter > b.counter;
  return a.name > b.name;
}

}  // namespace

QString historyTimeNow(const QDateTime& fixed) {
  return (fixed.isValid() ? fixed : QDateTime::currentDateTime()).toString(kTimeFormat);
}

QString versionFileName(const QString& time, const QString& action, const QString& className,
                        const QString& file, int counter) {
  QStringList parts{time, action};
  const QString cls = fileNamePart(className);
  if (!cls.isEmpty()) parts << cls;
  if (counter > 1) parts << QStringLiteral("(%1)").arg(counter);
  parts << file;
  return parts.join(u' ');
}

std::optional<HistoryVersion> parseVersionFileName(const QString& name) {
  const QRegularExpressionMatch m = kVersionName.match(name);
  if (!m.hasMatch()) return std::nullopt;
  HistoryVersion v;
  v.name = name;
  v.time = m.captured(1);
  v.action = m.captured(2);
  v.className = m.captured(3);
  v.counter = m.captured(4).isEmpty() ? 1 : m.captured(4).toInt();
  v.file = m.captured(5);
  return v;
}

HistoryFolder::HistoryFolder(const QString& dataFolder, HistoryLimits limits)
    : data_(dataFolder.isEmpty() || dataFolder.endsWith(u'/') ? dataFolder : dataFolder + u'/'),
      limits_(limits) {}

QString HistoryFolder::path() const {
  return data_ + kHistoryFolderName + u'/';
}

QString HistoryFolder::dataFilePath(const QString& file) const {
  return data_ + file;
}

QString HistoryFolder::versionPath(const QString& name) const {
  return path() + name;
}

QVector<HistoryVersion> HistoryFolder::versions() const {
  QVector<HistoryVersion> out;
  const QFileInfoList entries = QDir(path()).entryInfoList(QDir::Files);
  for (const QFileInfo& entry : entries) {
    std::optional<HistoryVersion> v = parseVersionFileName(entry.fileName());
    if (!v) continue;
    v->size = entry.size();
    out.append(*v);
  }
  std::sort(out.begin(), out.end(), newerThan);
  return out;
}

HistoryIndex HistoryFolder::readIndex() const {
  const std::optional<QByteArray> bytes = readBytes(path() + kHistoryIndexName);
  return bytes ? parseHistoryIndex(*bytes) : HistoryIndex{};
}

void HistoryFolder::writeIndex(const HistoryIndex& index) const {
  QDir(data_).mkdir(kHistoryFolderName);
  writeFileAtomically(path() + kHistoryIndexName, historyIndexBytes(index));
}

QString HistoryFolder::keep(const QString& file, const QString& time, const QString& action,
                            const QString& className, bool link) const {
  const QString source = dataFilePath(file);
  // Only a file has a version to keep; a folder in its place makes the save fail on its own.
  if (!QFileInfo(source).isFile()) return kNoVersion;
  if (!QDir(data_).mkdir(kHistoryFolderName) && !QFileInfo(path()).isDir())
    throw FileError(QStringLiteral("无法建立历史文件夹：") + path());
  int counter = 1;
  for (const QString& sameSecond : QDir(path()).entryList({time + u'*'}, QDir::Files))
    if (const std::optional<HistoryVersion> v = parseVersionFileName(sameSecond); v && v->time == time)
      counter = std::max(counter, v->counter + 1);
  const QString name = versionFileName(time, action, className, file, counter);
  const QString target = versionPath(name);
  if (link) {
    std::error_code error;
    std::filesystem::create_hard_link(fsPath(source), fsPath(target), error);
    if (!error) return name;
  }
  const std::optional<QByteArray> bytes = readBytes(source);
  if (!bytes) throw FileError(QStringLiteral("无法读取文件：") + source);
  writeFileAtomically(target, *bytes);
  return name;
}

void HistoryFolder::put(const QString& file, const QString& version) const {
  const QString target = dataFilePath(file);
  if (version == kNoVersion) {
    if (QFileInfo::exists(target) && !QFile::remove(target))
      throw FileError(QStringLiteral("无法删除文件：") + target);
    return;
  }
  const std::optional<QByteArray> bytes = readBytes(versionPath(version));
  if (!bytes) throw FileError(QStringLiteral("历史文件夹中没有版本“") + version + QStringLiteral("”。"));
  writeFileAtomically(target, *bytes);
}

bool HistoryFolder::holds(const QString& file, const QString& version) const {
  const QString current = dataFilePath(file);
  if (version == kNoVersion) return !QFileInfo::exists(current);
  const QFileInfo kept(versionPath(version)), now(current);
  if (!kept.exists() || !now.exists() || kept.size() != now.size()) return false;
  return readBytes(current) == readBytes(versionPath(version));
}

bool HistoryFolder::exists(const QString& version) const {
  return version == kNoVersion || QFileInfo::exists(versionPath(version));
}

void HistoryFolder::trim(HistoryIndex& index) const {
  QVector<HistoryVersion> kept = versions();
  qint64 bytes = 0;
  for (const HistoryVersion& v : kept) bytes += v.size;
  while (kept.size() > 1 && (kept.size() > limits_.versions || bytes > limits_.bytes)) {
    QFile::remove(versionPath(kept.back().name));
    bytes -= kept.back().size;
    kept.removeLast();
  }
  const HistoryIndex before = index;
  QSet<QString> names{kNoVersion};
  for (const HistoryVersion& v : kept) names.insert(v.name);
  const auto allKept = [&names](const HistoryStep& step, QString HistoryFileChange::*field) {
    return std::all_of(step.files.begin(), step.files.end(), [&](const HistoryFileChange& c) {
      return !(c.*field).isEmpty() && names.contains(c.*field);
    });
  };
  // Undo goes back step by step: a step whose earlier versions are gone ends it, with every step
  // before it.
  for (int i = index.position - 1; i >= 0; --i) {
    if (allKept(index.steps[i], &HistoryFileChange::before)) continue;
    index.steps.remove(0, i + 1);
    index.position -= i + 1;
    break;
  }
  // Redo goes forward: a step whose later versions are gone ends it, with every step after it.
  for (int i = index.position; i < index.steps.size(); ++i) {
    if (allKept(index.steps[i], &HistoryFileChange::after)) continue;
    index.steps.resize(i);
    break;
  }
  if (!(index == before)) writeIndex(index);
}

namespace {

// Before an undo of step `at` writes back the file of change c, the file as the step left it must
// be kept. Nothing new is kept when the file is already as it was before the step (an undo cut
// short, or a step that left the file as it was), when the version kept at an earlier undo still
// holds it, or when the next step of that file kept it as its own earlier version (undoing several
// steps in a row keeps one version, not one per step).
void keepWhatUndoReplaces(const HistoryFolder& folder, const HistoryIndex& index, int at,
                          HistoryFileChange& c, const QString& time) {
  if (!c.after.isEmpty() && folder.holds(c.file, c.after)) return;
  if (folder.holds(c.file, c.before)) {
    if (c.after.isEmpty()) c.after = c.before;
    return;
  }
  for (int i = at + 1; i < index.steps.size(); ++i) {
    const HistoryFileChange* next = index.steps[i].change(c.file);
    if (next == nullptr) continue;
    if (folder.holds(c.file, next->before)) {
      c.after = next->before;
      return;
    }
    break;
  }
  c.after = folder.keep(c.file, time, QStringLiteral("撤销"), index.steps[at].className, true);
}

void requireKept(const HistoryFolder& folder, const QString& version) {
  if (version.isEmpty() || !folder.exists(version))
    throw FileError(QStringLiteral("历史文件夹中没有版本“") + version + QStringLiteral("”。"));
}

}  // namespace

void HistoryFolder::settle(HistoryIndex& index) const {
  if (index.pending < 0) return;
  const bool undo = index.pending < index.position;
  const HistoryStep& step = index.steps[undo ? index.pending : index.position];
  for (const HistoryFileChange& c : step.files) {
    const QString& version = undo ? c.before : c.after;
    if (!holds(c.file, version)) put(c.file, version);
  }
  index.position = index.pending;
  index.pending = -1;
  writeIndex(index);
}

std::optional<HistoryStep> undoHistoryStep(const HistoryFolder& folder, const QString& time) {
  HistoryIndex index = folder.readIndex();
  folder.settle(index);
  if (index.position == 0) return std::nullopt;
  const int at = index.position - 1;
  for (const HistoryFileChange& c : index.steps[at].files) requireKept(folder, c.before);
  for (HistoryFileChange& c : index.steps[at].files) keepWhatUndoReplaces(folder, index, at, c, time);
  const HistoryStep undone = index.steps[at];
  index.pending = at;
  folder.writeIndex(index);
  folder.settle(index);
  folder.trim(index);
  return undone;
}

std::optional<HistoryStep> redoHistoryStep(const HistoryFolder& folder, const QString& time) {
  HistoryIndex index = folder.readIndex();
  folder.settle(index);
  if (index.position >= index.steps.size()) return std::nullopt;
  const HistoryStep step = index.steps[index.position];
  for (const HistoryFileChange& c : step.files) requireKept(folder, c.after);
  for (const HistoryFileChange& c : step.files) {
    if (folder.holds(c.file, c.before) || folder.holds(c.file, c.after)) continue;
    folder.keep(c.file, time, QStringLiteral("重做"), step.className, true);  // changed since the undo
  }
  index.pending = index.position + 1;
  folder.writeIndex(index);
  folder.settle(index);
  folder.trim(index);
  return step;
}

}  // namespace tavro
