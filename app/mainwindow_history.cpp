// The main window's undo, redo and history: the menu "编辑" ("撤销" Ctrl+Z, "重做" Ctrl+Y,
// "历史…", "清除全校课表") and the buttons "撤销", "重做", "历史" beside the date range. The
// captions say what an undo or redo would take back; the view-model does the work (and refuses
// it, with a hint, while a class is left in swap mode).

#include <QAction>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>

#include "app/historydialog.h"
#include "app/mainwindow.h"

namespace tavro::app {

namespace {

QAction* menuAction(QMenu* menu, const QString& text, const char* name, const QKeySequence& keys = {}) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  if (!keys.isEmpty()) action->setShortcut(keys);
  return action;
}

QPushButton* historyButton(const QString& text, const char* name) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  button->setMinimumHeight(30);
  button->setFocusPolicy(Qt::NoFocus);  // Ctrl+Z and Ctrl+Y stay with the grid and the lists
  return button;
}

}  // namespace

void FrmTavroKcapxt::buildEditMenu() {
  QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
  edit->setObjectName(QStringLiteral("MnuBj"));
  ActUndo_ = menuAction(edit, QStringLiteral("撤销"), "ActUndo", QKeySequence(Qt::CTRL | Qt::Key_Z));
  ActRedo_ = menuAction(edit, QStringLiteral("重做"), "ActRedo", QKeySequence(Qt::CTRL | Qt::Key_Y));
  edit->addSeparator();
  ActHistory_ = menuAction(edit, QStringLiteral("历史…"), "ActHistory", QKeySequence(Qt::CTRL | Qt::Key_H));
  edit->addSeparator();
  ActClear_ = menuAction(edit, QStringLiteral("清除全校课表"), "ActClear");
  connect(ActUndo_, &QAction::triggered, this, [this] { dispatch([this] { vm_->undo(); }); });
  connect(ActRedo_, &QAction::triggered, this, [this] { dispatch([this] { vm_->redo(); }); });
  connect(ActHistory_, &QAction::triggered, this, [this] { openHistory(); });
  connect(ActClear_, &QAction::triggered, this,
          [this] { dispatch([this] { vm_->clearSchoolTimetable(); }); });
}

QWidget* FrmTavroKcapxt::buildHistoryButtons() {
  auto* box = new QWidget;
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 8, 0, 0);
  CmdUndo_ = historyButton(QStringLiteral("撤销"), "CmdUndo");
  CmdRedo_ = historyButton(QStringLiteral("重做"), "CmdRedo");
  CmdHistory_ = historyButton(QStringLiteral("历史"), "CmdHistory");
  for (QPushButton* button : {CmdUndo_, CmdRedo_, CmdHistory_}) layout->addWidget(button);
  connect(CmdUndo_, &QPushButton::clicked, this, [this] { ActUndo_->trigger(); });
  connect(CmdRedo_, &QPushButton::clicked, this, [this] { ActRedo_->trigger(); });
  connect(CmdHistory_, &QPushButton::clicked, this, [this] { ActHistory_->trigger(); });
  return box;
}

void FrmTavroKcapxt::refreshHistoryControls() {
  const bool folder = !session_.school.Wjj.isEmpty();
  const QString undo = vm_->undoCaption(), redo = vm_->redoCaption();
  // While a class is left in swap mode the commands stay on, so that they can say why they refuse.
  const bool swapMode = !session_.state.Bxdck.isEmpty();
  ActUndo_->setText(undo);
  ActUndo_->setEnabled(swapMode || vm_->canUndo());
  ActRedo_->setText(redo);
  ActRedo_->setEnabled(swapMode || vm_->canRedo());
  ActHistory_->setEnabled(folder);
  ActClear_->setEnabled(folder);
  CmdUndo_->setEnabled(ActUndo_->isEnabled());
  CmdUndo_->setToolTip(undo + QStringLiteral("（Ctrl+Z）"));
  CmdRedo_->setEnabled(ActRedo_->isEnabled());
  CmdRedo_->setToolTip(redo + QStringLiteral("（Ctrl+Y）"));
  CmdHistory_->setEnabled(folder);
  CmdHistory_->setToolTip(QStringLiteral("列出保存的课表版本，恢复其中一个（Ctrl+H）"));
}

void FrmTavroKcapxt::openHistory() {
  if (ended_ || running_) return;
  HistoryDialog dialog(vm_->historyFolder().versions(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (const std::optional<HistoryVersion> version = dialog.chosen())
    dispatch([this, v = *version] { vm_->restoreVersion(v); });
}

}  // namespace tavro::app
