#pragma once
// User actions and the history of the data files. Every save of "课表.txt" and
// "调课.txt" goes through keepBeforeSave (or saveDataFile, which calls it): the
// first save of a data file in a user action keeps the version it replaces and
// makes the action an undo step; later saves of the same action (a scheduling
// run saves after every class) keep nothing more. A save made outside any
// action is an action of its own ("保存").

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/history.h"

namespace tavro {

struct RunState;

// What a user action is, for the names of its versions and its undo step.
struct HistoryAction {
  QString action;     // the action word: 调课, 临时调课, 删除, 删临, 排课, 清除, 恢复
  QString className;  // the class it concerns, "" for the whole school
  QString caption;  // what it does, as "撤销：" names it ("初一1班 星期二第3节↔星期四第1节")
};

// While one lives, the saves of the data files belong to its action. Scopes nest: an inner scope
// inside an open action adds nothing (the outer action takes its saves).
class HistoryActionScope {
 public:
  HistoryActionScope(RunState& st, HistoryAction action);
  // Ends the action. When every data file it saved holds again what it held before (an action
  // that changed nothing), its step and versions are dropped. Never throws.
  ~HistoryActionScope();
  HistoryActionScope(const HistoryActionScope&) = delete;
  HistoryActionScope& operator=(const HistoryActionScope&) = delete;

  // Keeps the version of the data file at path that the next write replaces, once per action.
  void keep(const QString& path, bool inPlace);

 private:
  friend void keepBeforeSave(RunState& st, const QString& path, bool inPlace);

  RunState& st_;
  bool open_ = false;  // this scope opened the action (it is not nested)
  HistoryAction action_;
  QString folder_;              // the data folder of the step made, "" while none was made
  QStringList kept_;            // data files kept so far
  QStringList keptVersions_;    // the versions this action kept
  HistoryIndex before_, made_;  // the index before the action and as the action left it
  bool checkAtEnd_ = true;      // whether the end drops a step that changed nothing
};

// Keeps, before data file `path` ("课表.txt" or "调课.txt" of a data folder) is written, the
// version the write replaces: once per action (with none open, the save is an action "保存" of
// its own). `inPlace`: the file is about to be changed in place (appended to), so the version is
// a copy. Does nothing while the history is off (RunState::History.enabled) or when the data
// folder does not exist. Throws FileError.
void keepBeforeSave(RunState& st, const QString& path, bool inPlace = false);

// Replaces data file `path` with `bytes` atomically, keeping the version replaced first.
// Throws FileError.
void saveDataFile(RunState& st, const QString& path, const QByteArray& bytes);

// Removes data file `path` (after keeping it as keepBeforeSave does). Throws FileError.
void removeDataFile(RunState& st, const QString& path);

// The words of a version as the history list shows them: "2026-12-09 14:03:22 调课 初一1班 课表.txt".
QString versionDescription(const HistoryVersion& v);

// Restore: data file v.file of the data folder gets the bytes of version v, as an action "恢复"
// of its own (so it can be undone). Throws FileError.
void restoreHistoryVersion(RunState& st, const QString& dataFolder, const HistoryVersion& v);

}  // namespace tavro
