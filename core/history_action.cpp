#include "core/history_action.h"

#include <QFile>
#include <QFileInfo>

#include "core/background_saver.h"
#include "core/runstate.h"
#include "core/textfile.h"

namespace tavro {

namespace {

// The data folder (with a trailing "/") and the bare name of a data file's path.
struct DataFile {
  QString folder;
  QString name;
};

DataFile dataFileOf(const QString& path) {
  const QFileInfo info(path);
  return {info.absolutePath() + u'/', info.fileName()};
}

// Waits until the timetable saves handed to a background writer are on disk.
void waitForBackgroundSaves(RunState& st) {
  if (st.TimetableSaver != nullptr) st.TimetableSaver->flush();
}

}  // namespace

HistoryActionScope::HistoryActionScope(RunState& st, HistoryAction action)
    : st_(st), open_(st.History.action == nullptr), action_(std::move(action)) {
  if (open_) st_.History.action = this;
}

HistoryActionScope::~HistoryActionScope() {
  if (!open_) return;
  st_.History.action = nullptr;
  if (folder_.isEmpty() || !checkAtEnd_) return;
  try {
    waitForBackgroundSaves(st_);
    const HistoryFolder folder(folder_, st_.History.limits);
    if (!(folder.readIndex() == made_)) return;  // changed by someone else meanwhile
    for (const HistoryFileChange& c : made_.steps.back().files)
      if (!folder.holds(c.file, c.before)) return;
    // Nothing changed: the index and the folder go back to what they were.
    folder.writeIndex(before_);
    for (const QString& v : keptVersions_) QFile::remove(folder.versionPath(v));
  } catch (...) {
    // The action is over; a step that changed nothing can stay.
  }
}

void HistoryActionScope::keep(const QString& path, bool inPlace) {
  const DataFile data = dataFileOf(path);
  if (!folder_.isEmpty() && (data.folder != folder_ || kept_.contains(data.name))) return;
  if (kept_.isEmpty()) waitForBackgroundSaves(st_);  // the disk holds the files before the action
  const HistoryFolder folder(data.folder, st_.History.limits);
  HistoryIndex index = folder.readIndex();
  folder.settle(index);  // an undo cut short is finished before the file is kept
  const QString time = historyTimeNow(st_.History.fixedNow);
  const QString version = folder.keep(data.name, time, action_.action, action_.className, !inPlace);
  if (version != kNoVersion) keptVersions_ << version;
  const HistoryFileChange change{data.name, version, QString()};
  if (folder_.isEmpty()) {
    before_ = index;
    index.push(HistoryStep{time, action_.action, action_.className, action_.caption, {change}});
  } else {
    index.steps.back().files.append(change);
  }
  // The index is written once: by the trim when it drops steps whose versions it removed, else here.
  const HistoryIndex untrimmed = index;
  folder.trim(index);
  if (index == untrimmed) folder.writeIndex(index);
  folder_ = data.folder;
  kept_ << data.name;
  made_ = index;
}

void keepBeforeSave(RunState& st, const QString& path, bool inPlace) {
  // Without its data folder the save fails on its own, and the history must not create the folder.
  if (!st.History.enabled || !QFileInfo(dataFileOf(path).folder).isDir()) return;
  if (st.History.action != nullptr) {
    st.History.action->keep(path, inPlace);
    return;
  }
  const QString file = QFileInfo(path).fileName();
  HistoryActionScope own(st, HistoryAction{QStringLiteral("保存"), QString(), QStringLiteral("保存") + file});
  own.keep(path, inPlace);
  own.checkAtEnd_ = false;  // the save comes after this scope
}

void saveDataFile(RunState& st, const QString& path, const QByteArray& bytes) {
  keepBeforeSave(st, path);
  writeFileAtomically(path, bytes);
}

void removeDataFile(RunState& st, const QString& path) {
  if (!QFileInfo::exists(path)) return;
  keepBeforeSave(st, path);
  if (!QFile::remove(path)) throw FileError(QStringLiteral("无法删除文件：") + path);
}

QString versionDescription(const HistoryVersion& v) {
  QString time = v.time;
  time.replace(13, 1, u':').replace(16, 1, u':');  // "2026-12-09 14-03-22" -> "2026-12-09 14:03:22"
  QStringList words{time, v.action};
  if (!v.className.isEmpty()) words << v.className;
  words << v.file;
  return words.join(u' ');
}

void restoreHistoryVersion(RunState& st, const QString& dataFolder, const HistoryVersion& v) {
  const HistoryFolder folder(dataFolder, st.History.limits);
  QFile source(folder.versionPath(v.name));
  if (!source.open(QIODevice::ReadOnly))
    throw FileError(QStringLiteral("历史文件夹中没有版本“") + v.name + QStringLiteral("”。"));
  const QByteArray bytes = source.readAll();
  HistoryActionScope scope(st, HistoryAction{QStringLiteral("恢复"), v.className,
                                             QStringLiteral("恢复 ") + versionDescription(v)});
  saveDataFile(st, folder.dataFilePath(v.file), bytes);
}

}  // namespace tavro
