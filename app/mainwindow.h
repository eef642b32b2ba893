#pragma once
// FrmTavroKcapxt: the main window "Tavro中小学排课系统2.0版". It owns one run's
// school model and state and the main window's view-model; its widgets mirror
// that state and forward every event to the view-model or the sheet and
// scheduling procedures, then mirror the state again. A path that ends the
// program shows its message and closes the window.

#include <QMainWindow>
#include <QSettings>
#include <array>
#include <functional>
#include <memory>

#include "adjust/viewmodel/mainwindow.h"
#include "app/desktopui.h"
#include "core/ctx.h"
#include "sheets/sheets_host.h"

class QAction;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTextEdit;

namespace tavro::app {

class ExportFrame;
class FrmTs;
class TemporaryBar;
class GridView;

// How the window is started.
struct WindowOptions {
  QString dataFolder;          // --data DIR: the data folder, so no file dialog is needed
  Ui* ui = nullptr;            // the Ui port to use (tests script it); null = dialogs
  QSettings* store = nullptr;  // the settings store (tests give a file); null = the user's store
};

class FrmTavroKcapxt : public QMainWindow {
 public:
  explicit FrmTavroKcapxt(const WindowOptions& options = {}, QWidget* parent = nullptr);
  ~FrmTavroKcapxt() override;

  // Form_Load: the start-up steps; shows the window.
  void startUp();
  // Mirrors the run state into every widget.
  void refresh();
  // Mirrors the run state into the main window's own widgets only (used while a command runs).
  void mirrorRunState();
  // True while a forwarded event runs.
  bool running() const { return running_; }
  // Runs one forwarded event: a program end shows its message and closes the window; another
  // failure is shown as a warning and abandons the command. Refreshes afterwards.
  void dispatch(const std::function<void()>& event);

  Session& session() { return session_; }
  MainWindowModel& model() { return *vm_; }
  Ctx ctx() { return session_.ctx(port_); }
  // True once a path ended the program.
  bool ended() const { return ended_; }
  // Shows tip number in the modeless wizard window FrmTs (created at the first tip).
  void showTip(int number, const QString& text);
  // The wizard window (created at the first tip), or null.
  FrmTs* wizard() const { return wizard_; }
  // The date pickers, "删临" and the notice box of the temporary changes.
  TemporaryBar* temporaryBar() const { return temporaryBar_; }
  // The export frame "导出表格的选项" (its options model, producers and services).
  ExportFrame* exportFrame() const { return exportFrame_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The class import's start of the scheduling run, with the view-model as the engine's host.
  class SchedulingHost : public SheetsHost {
   public:
    explicit SchedulingHost(MainWindowModel& vm) : vm_(vm) {}
    void startSchedulingRun(Ctx& c) override;

   private:
    MainWindowModel& vm_;
  };

  void buildWidgets();
  QWidget* buildStepColumn();
  QWidget* buildListColumn();
  QWidget* buildGridColumn();
  QGroupBox* buildClassFrame();
  QGroupBox* buildCourseFrame();
  QGroupBox* buildTeacherFrame();
  QWidget* buildOptionRow();
  void connectEvents();
  void connectRunHooks();
  void connectListEvents();
  void connectDesktopUi(DesktopUi& ui);
  void connectPort();
  void endProgram(const QString& message, bool shown);
  void refreshButtons();
  void refreshLists();
  void refreshOptions();
  // Undo, redo, the history dialog and "清除全校课表" (app/mainwindow_history.cpp).
  void buildEditMenu();
  QWidget* buildHistoryButtons();
  void refreshHistoryControls();
  void openHistory();
  void classListClicked(int row);
  void teacherSelectionChanged();
  void connectImprove();
  void improveClicked();

  std::unique_ptr<DesktopUi> ownUi_;
  Ui* ui_;               // the messages and dialogs (the desktop's, or a test's script)
  WindowStatusUi port_;  // the window's Ui port: ui_ plus the progress bar and status text
  std::unique_ptr<QSettings> ownStore_;
  QSettings* store_;
  Session session_;
  std::unique_ptr<MainWindowModel> vm_;
  SchedulingHost schedulingHost_;
  bool ended_ = false;
  bool running_ = false;
  bool mirroring_ = false;

  QPushButton *CmdXx_, *CmdJs_, *CmdKc_, *CmdHb_, *CmdBj_, *CmdKb_, *CmdDk_, *CmdSc_, *CmdDc_, *CmdTc_;
  QPushButton* CmdYh_;  // "优化课表"; "停止优化" while the pass runs
  bool improving_ = false, stopImproving_ = false;
  std::array<QLabel*, 6> LblTs_{};  // 1..5: "导入成功" beside the sheet buttons; 6: status label 6
  QProgressBar* Prb_;
  QLabel* LblJd_;
  QListWidget *LstBj_, *LstKc_, *LstJs_;
  QGroupBox* FraKc_;
  QCheckBox *ChkQbkc_, *ChkQbjs_;
  QRadioButton *OptYp_, *OptWp_;
  std::array<QRadioButton*, 2> OptCqls_{};
  QGroupBox* FraRqfw_;
  QDateEdit *DTPicker1_, *DTPicker2_;
  QTextEdit* TxtSm_;
  QLabel* Lbl0_;
  GridView* MSFG0_;
  QWidget* gridPlaceholder_;  // takes the grid's room while no class is shown
  QGroupBox* FraDc_;
  QAction *ActUndo_, *ActRedo_, *ActHistory_, *ActClear_;  // the menu "编辑"
  QPushButton *CmdUndo_, *CmdRedo_, *CmdHistory_;          // beside the date range
  ExportFrame* exportFrame_ = nullptr;
  TemporaryBar* temporaryBar_ = nullptr;
  FrmTs* wizard_ = nullptr;
};

}  // namespace tavro::app
