#pragma once
// FrmJdkb: the detailed timetable window, a modeless second window that shows
// one class's or one teacher's week with two full texts in every cell. Its
// widgets mirror a DetailWindowModel and forward the list, layer-list, grid
// and close-button events to it. The main window opens it through its
// view-model's openDetail hook (detailOpener).

#include <QWidget>
#include <functional>

#include "adjust/viewmodel/mainwindow.h"
#include "core/ctx.h"
#include "detail/detailwindow.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace tavro::app {

class FrmTavroKcapxt;

class FrmJdkb : public QWidget {
 public:
  // A window on the run of ctx; parent is the main window (the window closes with it).
  FrmJdkb(Ctx ctx, QWidget* parent);

  // Opens the window for a request of the main window and shows it.
  void open(const DetailRequest& request);
  DetailWindowModel& model() { return model_; }
  // Mirrors the model into the widgets.
  void refresh();
  // (row, column) of the body cell (xq, jc) in the school's layout.
  std::pair<int, int> position(int xq, int jc) const;

 private:
  void build();
  QWidget* buildTopRow();
  void connectEvents();
  void dispatch(const std::function<void()>& event);
  void refreshList();
  void refreshGrid();
  void sizeGrid();
  void placeOnScreen();

  Ctx c_;
  DetailWindowModel model_;
  QGroupBox *Frame1_, *FraJdkb_;
  QListWidget *List1_, *LstCqls_;
  QPushButton* CmdGb_;
  QTableWidget* MSFG_;
  QLabel* LblSm_;
  bool placed_ = false;
};

// The hook the main window's view-model calls to open the detailed window: creates the window
// (a child of main named "FrmJdkb") at the first request, or reuses the one still open.
std::function<void(const DetailRequest&)> detailOpener(FrmTavroKcapxt& main);

}  // namespace tavro::app
