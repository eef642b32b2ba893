// "优化课表" in the main window: the pass runs on the window's thread, which
// shows its progress and takes events between its steps; Esc or the button
// (then "停止优化") stops it, keeping the best timetable found so far.

#include <QApplication>
#include <QPushButton>
#include <QShortcut>

#include "app/mainwindow.h"

namespace tavro::app {

void FrmTavroKcapxt::connectImprove() {
  connect(CmdYh_, &QPushButton::clicked, this, [this] { improveClicked(); });
  // Only while the pass runs, so that Esc keeps its meaning in the grid otherwise; in any window of
  // the program (the wizard may have the focus).
  auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  stop->setContext(Qt::ApplicationShortcut);
  stop->setObjectName(QStringLiteral("StopImproving"));
  stop->setEnabled(false);
  connect(stop, &QShortcut::activated, this, [this] { stopImproving_ = true; });
}

void FrmTavroKcapxt::improveClicked() {
  if (improving_) {
    stopImproving_ = true;
    return;
  }
  auto* stop = findChild<QShortcut*>(QStringLiteral("StopImproving"));
  dispatch([this, stop] {
    improving_ = true;
    stopImproving_ = false;
    stop->setEnabled(true);
    mirrorRunState();  // the button says "停止优化" before anything else is shown
    struct Done {
      FrmTavroKcapxt* window;
      QShortcut* stop;
      ~Done() {
        window->improving_ = false;
        stop->setEnabled(false);
      }
    } done{this, stop};
    vm_->improve([this] {
      mirrorRunState();
      QCoreApplication::processEvents();
      return !stopImproving_;
    });
  });
}

}  // namespace tavro::app
