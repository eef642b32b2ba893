#pragma once
// TemporaryBar: the main window's widgets of the temporary changes: the date
// pickers of "日期范围" bound to the run state, the button "删临" that lists
// the records of "调课.txt" and removes the chosen ones, and the notice box
// RichTextBoxZb whose text the export button prints while it reads "9、打印".

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

class QDateEdit;
class QPrinter;
class QPushButton;
class QTextEdit;

namespace tavro::app {

class FrmTavroKcapxt;

class TemporaryBar : public QObject {
 public:
  // Binds the window's date pickers, adds "删临" to the frame "日期范围" and the notice box above
  // the export frame; puts today into the date range.
  explicit TemporaryBar(FrmTavroKcapxt& window);

  // Lets the export button print the notices: in print mode it reads "9、打印" and its click (or the
  // export frame's print hook) prints. The first refresh calls it, once the export frame exists.
  void connectExport();
  // Mirrors the date range and the notice box from the run state and the view-model.
  void refresh();
  // The export button in print mode: asks for the printer, prints the notices, closes the notice
  // box (the caller refreshes the window). Returns true when printed.
  bool printNotices();
  // "删临": lists the records, removes the chosen ones from "调课.txt" and replays the rest.
  void removeRecords();

  // Services tests replace: the printer dialog; the choice of records (numbers) from their
  // summaries, nullopt when cancelled.
  std::function<bool(QPrinter&)> choosePrinter;
  std::function<std::optional<QList<int>>(const QStringList& summaries)> chooseRecords;

 private:
  void connectPickers();

  FrmTavroKcapxt& window_;
  QDateEdit *DTPicker1_, *DTPicker2_;
  QPushButton* CmdSclsgk_;
  QTextEdit* RichTextBoxZb_;
  bool exportConnected_ = false;
};

}  // namespace tavro::app
