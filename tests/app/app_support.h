#pragma once
// Driving the desktop program in tests: a demo school on disk, the main window
// with a scripted Ui (tips also go to the real wizard window) and a settings
// store in a file, and clicks on lists and grid cells found by objectName.

#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "app/gridview.h"
#include "app/mainwindow.h"
#include "core/scripted_ui.h"

namespace tavro::testing {

// A scripted Ui whose tips are also shown in the window's wizard.
class WindowUi : public ScriptedUi {
 public:
  app::FrmTavroKcapxt* window = nullptr;
  void tip(int number, const QString& text) override;
};

struct AppDesk {
  // Writes the small demo school (seed 7) into a temporary data folder and opens the window on it.
  explicit AppDesk(bool withDemoSchool = true);
  QTemporaryDir dir;
  std::unique_ptr<QSettings> store;
  WindowUi ui;
  std::unique_ptr<app::FrmTavroKcapxt> window;

  QString dataFolder() const { return dir.filePath(QStringLiteral("data")); }
  QString timetableFile() const { return dataFolder() + QStringLiteral("/课表.txt"); }
  RunState& st() { return window->session().state; }
  School& s() { return window->session().school; }

  template <typename W>
  W* find(const QString& name) {
    return window->findChild<W*>(name);
  }
  // Clicks the push button with that objectName (it must exist).
  void clickButton(const QString& name);
  // Clicks row of the list widget with that objectName.
  void clickListRow(const QString& name, int row);
  // Clicks the cell (weekday, period) of the class grid.
  void clickCell(int xq, int jc);
  // The background the class grid paints for cell (weekday, period), read from its pixels.
  QColor shownBackground(int xq, int jc);
  // The text the class grid shows in cell (weekday, period) (headers at weekday or period 0).
  QString cellText(int xq, int jc);
  // Clicks row of the list widget with that objectName, then right-clicks it.
  void rightClickListRow(const QString& name, int row);
  // Imports and schedules the demo school with "1、学校", then resolves any forced swap mode by
  // clicking the best partner the grid offers, until every class is scheduled.
  void importAndSchedule();
  // Partner clicks importAndSchedule made to resolve forced swap mode.
  int forcedClicks = 0;
};

}  // namespace tavro::testing
