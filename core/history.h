#pragma once
// The history of the data files "课表.txt" and "调课.txt". Before an action
// replaces either file, the version being replaced is kept whole in the data
// folder's "历史/" under a name a person can read
// ("2026-12-09 14-03-22 调课 初一1班 课表.txt"), and the action becomes an undo
// step of the folder's index (core/history_index.h). Undo and redo write the
// data files back from kept versions, keeping what they replace, so nothing is
// ever lost by them. The folder is bounded: the newest 500 versions or 100 MB,
// whichever is reached first; the oldest go first, and the undo steps that
// needed them go with them.
//
// Every write here is atomic: a version is a hard link to the file being
// replaced (it is replaced by a new file, so the link keeps the old one) or,
// where links are not possible or the file is changed in place, a copy written
// atomically; data files and the index are replaced atomically.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "core/history_index.h"

namespace tavro {

// The history folder in the data folder, and its index file.
inline const QString kHistoryFolderName = QStringLiteral("历史");
inline const QString kHistoryIndexName = QStringLiteral("索引.txt");

// One kept version of a data file.
struct HistoryVersion {
  QString name;       // its file name in the history folder
  QString time;       // when it was kept, "yyyy-MM-dd HH-mm-ss"
  int counter = 1;    // 1 + the versions kept before it in the same second
  QString action;     // the action that replaced it (调课, 删除, 排课, 撤销 ...)
  QString className;  // the class of that action, "" for the whole school
  QString file;       // the data file it is a version of: "课表.txt" or "调课.txt"
  qint64 size = 0;    // bytes
};

// How much the history folder keeps.
struct HistoryLimits {
  int versions = 500;
  qint64 bytes = 100LL * 1024 * 1024;
};

// The file name of a version: time, action, class (characters a file name cannot hold become
// "_"; left out when empty), " (counter)" from the second version of a second on, and the data
// file's name, separated by blanks: "2026-12-09 14-03-22 调课 初一1班 课表.txt".
QString versionFileName(const QString& time, const QString& action, const QString& className,
                        const QString& file, int counter = 1);

// The parts of a version file name; nullopt when the name is not one (size is left 0).
std::optional<HistoryVersion> parseVersionFileName(const QString& name);

// The history folder of one data folder. Reads the folder and the index afresh on every call, so
// the desktop program and tavro-cli can share it.
class HistoryFolder {
 public:
  // dataFolder: the data folder Wjj (with or without a trailing "/").
  explicit HistoryFolder(const QString& dataFolder, HistoryLimits limits = {});

  // The history folder: the data folder + "历史/".
  QString path() const;
  // The full path of data file `file` ("课表.txt") and of version `name`.
  QString dataFilePath(const QString& file) const;
  QString versionPath(const QString& name) const;

  // The kept versions, newest first.
  QVector<HistoryVersion> versions() const;
  // The index; an empty one when it is missing or unreadable.
  HistoryIndex readIndex() const;
  // Replaces the index atomically (creating the folder). Throws FileError.
  void writeIndex(const HistoryIndex& index) const;

  // Keeps data file `file` as it is now as a version named for the action at time `time`; returns
  // the version's name, or kNoVersion when the file does not exist. `link`: the file is about to
  // be replaced by a new file, so the version may be a hard link to it; otherwise (the file is
  // about to be changed in place) it is a copy. Throws FileError.
  QString keep(const QString& file, const QString& time, const QString& action, const QString& className,
               bool link) const;
  // Makes data file `file` hold version `version`, replacing it atomically; kNoVersion removes it.
  // Throws FileError (the message names the version) when the version is missing or the file
  // cannot be written.
  void put(const QString& file, const QString& version) const;
  // True when data file `file` holds exactly the bytes of version `version` (kNoVersion: when the
  // file does not exist); false when the version is missing.
  bool holds(const QString& file, const QString& version) const;
  // True when version `version` is kept (kNoVersion always is).
  bool exists(const QString& version) const;

  // Finishes an undo or redo that a crash cut short (index.pending): the data files of its step get
  // the versions it was writing, and the index its new position. Throws FileError.
  void settle(HistoryIndex& index) const;
  // Bounds the folder: removes the oldest versions while more than the limits are kept (the newest
  // always stays), then drops the undo steps whose earlier versions are gone and the redo steps
  // whose later versions are gone, and writes the index when that changed it.
  void trim(HistoryIndex& index) const;

 private:
  QString data_;  // the data folder, with a trailing "/"
  HistoryLimits limits_;
};

// "yyyy-MM-dd HH-mm-ss" of the current local time, or of `fixed` when it is valid.
QString historyTimeNow(const QDateTime& fixed);

// Undoes the step before the index position: each data file it changed is kept as it is now (as a
// version named for "撤销", unless the step was undone before and that version still holds it),
// then gets back the version from before the step; the position moves back one step. An undo cut
// short by a crash is finished by the next one. Returns the step, or nullopt when there is none.
// Throws FileError when a version is missing or a file cannot be written.
std::optional<HistoryStep> undoHistoryStep(const HistoryFolder& folder, const QString& time);

// Redoes the step at the index position: each data file it changed gets back the version the step
// left (a file changed since the undo is kept first, as a version named for "重做"); the position
// moves on one step. Returns the step, or nullopt when there is none. Throws FileError.
std::optional<HistoryStep> redoHistoryStep(const HistoryFolder& folder, const QString& time);

class HistoryActionScope;

// The history settings of one run (RunState::History).
struct HistorySettings {
  bool enabled = true;  // false: the data files are saved without keeping versions (benchmarks)
  QDateTime fixedNow;   // the clock of the version names; invalid = the system clock (tests fix it)
  HistoryLimits limits;
  HistoryActionScope* action = nullptr;  // the user action in progress, if any
};

}  // namespace tavro
