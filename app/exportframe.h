#pragma once
// ExportFrame: the widgets of the frame "导出表格的选项" (FraDc) bound to the
// export options model. Every control forwards its change to the model's
// handler and the whole frame mirrors the model again, so every interplay of
// the options shows in the widgets. The frame also serves "9、导出": the
// workbook is written into the data folder's export folder, the desktop opens
// it with its default application (when it cannot, the window names the file and
// offers to open its folder), and the window beeps when it is done. The
// frame appears once every class is scheduled; the main window's class, course
// and teacher lists and their "全部" boxes are the frame's lists.

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "export/dispatch.h"
#include "export/options.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tavro::app {

class FrmTavroKcapxt;

// Desktop services of the frame; tests replace them.
struct ExportServices {
  // Opens font dialog k (0 title, 1 body) on the current font; nullopt when cancelled.
  std::function<std::optional<FontChoice>(int k, const FontChoice& current)> chooseFont;
  // Opens a written workbook with the desktop's default application; false when it was not opened.
  std::function<bool(const QString& path)> openFile;
  // Opens a folder in the desktop's file manager.
  std::function<void(const QString& folder)> openFolder;
};

// The services of a desktop session: QFontDialog, and QDesktopServices::openUrl unless the
// environment variable TAVRO_NO_OPEN is set (then nothing is opened).
ExportServices desktopExportServices(QWidget* parent);

class ExportFrame : public QWidget {
 public:
  // Fills frame (the main window's FraDc) with the option controls; the window owns both.
  ExportFrame(FrmTavroKcapxt& window, QGroupBox* frame);

  // The options model, the producers of the tables other parts supply, and the services.
  ExportForm& form() { return form_; }
  ExportHooks& hooks() { return hooks_; }
  ExportServices& services() { return services_; }
  // The print-format file (default: the per-user configuration folder); set before the frame starts.
  void setSettingsPath(const QString& path) { settingsPath_ = path; }
  const QString& settingsPath() const { return settingsPath_; }
  // What the last "9、导出" did.
  const ExportResult& lastResult() const { return lastResult_; }
  // True once the frame has started (the first time every class was scheduled).
  bool started() const { return started_; }

  // Mirrors the model into the frame and the shared controls; starts the frame the first time the
  // window is in the all-scheduled state. Called at the end of the main window's refresh.
  void refresh();
  // "9、导出": the export (or, while the button prints notices, the notice printout of the hooks).
  void exportNow();

 private:
  void buildWidgets();
  QWidget* buildKindColumn();
  QWidget* buildDayColumn();
  QWidget* buildPeriodColumn();
  QWidget* buildOptionColumn();
  QWidget* buildNameColumn();
  void placeWholeSchoolBox();
  void connectControls();
  void connectDaysAndPeriods();
  void connectSharedControls();
  void connectNameForms();
  void start();
  void classShown();
  void syncMainWindow();
  // Runs a change of the frame through the window (errors shown, window and frame refreshed).
  void run(const std::function<void(ExportCtx&)>& change);
  void chooseFont(int k);
  void reportWritten(Ui& ui, const QString& path);
  void mirrorKinds();
  void mirrorDaysAndPeriods();
  void mirrorOptions();
  void mirrorSharedControls();

  FrmTavroKcapxt& window_;
  QGroupBox* frame_;
  ExportForm form_;
  ExportHooks hooks_;
  ExportServices services_;
  QString settingsPath_;
  ExportResult lastResult_;
  bool started_ = false;
  bool mirroring_ = false;

  QWidget *FraKb_, *FraXiangmu_, *FraJsm_, *FraBjm_, *FraKcm_;
  QGroupBox *FraXzjsfs_, *FraXq_, *FraJc_;
  QComboBox *CmbKbzl_, *CmbXiangmu_, *CmbMpzs_;
  std::array<QRadioButton*, 2> OptXzjsfs_{}, OptJsm_{}, OptBjm_{}, OptKcm_{};
  QCheckBox *ChkQz_, *ChkQt_, *ChkBnfjs_, *ChkBwfjs_, *ChkQx_;
  std::array<QCheckBox*, 2> ChkWb_{};
  QListWidget *LstXq_, *LstJc_;
  QLabel* LblMpzs_;
  std::array<QPushButton*, 2> CmdZt_{};
};

}  // namespace tavro::app
