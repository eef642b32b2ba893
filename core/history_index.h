#pragma once
// The index of the history folder ("历史/索引.txt"): the undo steps, oldest
// first, and how many of them are in force. A step names, for each data file it
// changed ("课表.txt", "调课.txt"), the kept version that holds the file as it
// was before the step and, once the step has been undone, the version that
// holds it as the step left it. Undo and redo move the position between the
// steps; a new step after an undo drops the steps that could be redone.
//
// The index is a text file of its own (UTF-8, CR LF): a header line, the
// position, then one line per step and one line per file of that step, fields
// separated by tabs. It is always replaced whole and atomically. An undo or redo first writes the
// index with the position it moves to as pending, then the data files, then the index with the
// new position, so a crash between the two leaves the index naming what to finish.

#include <QByteArray>
#include <QString>
#include <QVector>

namespace tavro {

// Marks a file that did not exist (before a step) or that a step removed (after it).
inline const QString kNoVersion = QStringLiteral("无");

// One data file changed by a step.
struct HistoryFileChange {
  QString file;    // bare name of the data file: "课表.txt" or "调课.txt"
  QString before;  // version holding the file before the step, or kNoVersion when it did not exist
  QString after;   // version holding it as the step left it: "" until the step is undone
                   // (kNoVersion when the step removed the file)
  friend bool operator==(const HistoryFileChange&, const HistoryFileChange&) = default;
};

// One undo step: one user action.
struct HistoryStep {
  QString time;    // when the action was made, "yyyy-MM-dd HH-mm-ss"
  QString action;  // the action word (调课, 临时调课, 删除, 删临, 排课, 清除, 恢复, 保存)
  QString className;  // the class of the action, "" for the whole school
  QString caption;    // what the action did, as "撤销：" and "重做：" name it
  QVector<HistoryFileChange> files;
  friend bool operator==(const HistoryStep&, const HistoryStep&) = default;

  // The change of data file `file`, or null when the step did not change it.
  HistoryFileChange* change(const QString& file);
  const HistoryFileChange* change(const QString& file) const;
};

struct HistoryIndex {
  QVector<HistoryStep> steps;  // oldest first
  int position = 0;            // steps 1..position are in force; the ones after it can be redone
  // While an undo or a redo writes the data files: the position it moves to (-1: none). An undo or
  // redo cut short by a crash is finished from it before anything else is done.
  int pending = -1;
  friend bool operator==(const HistoryIndex&, const HistoryIndex&) = default;

  // The position once a pending undo or redo is finished.
  int current() const { return pending >= 0 ? pending : position; }

  // Adds a step after the position, dropping the steps that could be redone, and moves past it.
  void push(const HistoryStep& step);
};

// The bytes of the index file.
QByteArray historyIndexBytes(const HistoryIndex& index);

// The index read from the bytes of an index file. Lines that cannot be read are left out (a
// file line before any step, a step without files); the position is kept within 0..steps.
// Bytes that are no index give an empty index.
HistoryIndex parseHistoryIndex(const QByteArray& bytes);

}  // namespace tavro
