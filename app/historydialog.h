#pragma once
// The dialog "历史": the versions of "课表.txt" and "调课.txt" kept in the data
// folder's history, newest first, each as the time it was kept, the action that
// replaced it, its class and its file. The user chooses one and presses "恢复";
// the window restores it (an action of its own, so it can be undone).

#include <QDialog>
#include <QVector>
#include <optional>

#include "core/history.h"

class QPushButton;
class QTableWidget;

namespace tavro::app {

class HistoryDialog : public QDialog {
 public:
  HistoryDialog(const QVector<HistoryVersion>& versions, QWidget* parent = nullptr);

  // The version chosen when the dialog was accepted with "恢复".
  std::optional<HistoryVersion> chosen() const;

 private:
  QVector<HistoryVersion> versions_;
  QTableWidget* table_;
  QPushButton* restore_;
};

// The words the dialog shows of a version: its time "2026-12-09 14:03:22", its action, its class
// ("全校" for the whole school) and its file.
QStringList historyRowTexts(const HistoryVersion& version);

}  // namespace tavro::app
