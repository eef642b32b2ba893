// Mirroring the run state into the main window's widgets after each event.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextEdit>

#include "app/exportframe.h"
#include "app/gridview.h"
#include "app/mainwindow.h"
#include "app/temporarybar.h"

namespace tavro::app {

namespace {

// Makes the widget's items the list's items and selection, keeping the scroll position when the
// items did not change.
void mirrorList(QListWidget* widget, const ListBox& list, bool multi) {
  const QSignalBlocker block(widget);
  bool same = widget->count() == list.count();
  for (int i = 0; same && i < list.count(); ++i) same = widget->item(i)->text() == list.item(i);
  if (!same) {
    widget->clear();
    widget->addItems(list.items());
  }
  widget->clearSelection();
  for (int i = 0; i < list.count(); ++i) {
    const bool on = multi ? list.selected(i) : i == list.listIndex();
    widget->item(i)->setSelected(on);
  }
  if (list.listIndex() >= 0) {
    widget->setCurrentRow(list.listIndex(), QItemSelectionModel::NoUpdate);
    widget->scrollToItem(widget->item(list.listIndex()));
  }
}

void setButton(QPushButton* button, const QString& caption, bool enabled) {
  button->setText(caption);
  button->setEnabled(enabled);
}

}  // namespace

void FrmTavroKcapxt::refresh() {
  mirrorRunState();
  refreshHistoryControls();
  if (temporaryBar_) temporaryBar_->refresh();
  if (exportFrame_) exportFrame_->refresh();
}

void FrmTavroKcapxt::mirrorRunState() {
  mirroring_ = true;
  refreshButtons();
  refreshLists();
  refreshOptions();
  const RunState& st = session_.state;
  const School& s = session_.school;
  if (TxtSm_->toPlainText() != st.TxtSm) TxtSm_->setPlainText(st.TxtSm);
  Lbl0_->setText(st.MSFG.label);
  Lbl0_->setToolTip(vm_->controls().LblToolTip);
  // Before any class is shown there is nothing to draw: the grid and its label stay hidden.
  const bool gridShown = st.MSFG.visible && !st.MSFG.label.isEmpty();
  Lbl0_->setVisible(gridShown);
  MSFG0_->setVisible(gridShown);
  gridPlaceholder_->setVisible(!gridShown);
  MSFG0_->show(st.MSFG, s.Hsdm, s.Mzts, s.Mtjs);
  mirroring_ = false;
}

void FrmTavroKcapxt::refreshButtons() {
  const RunState& st = session_.state;
  const MainWindowControls& w = vm_->controls();
  const bool sheets = !st.ExportMode;
  setButton(CmdXx_, st.CmdXxCaption, sheets);
  setButton(CmdJs_, st.CmdJsCaption, sheets && st.CmdJsEnabled);
  setButton(CmdKc_, st.CmdKcCaption, sheets && st.CmdKcEnabled);
  setButton(CmdHb_, st.CmdHbCaption, sheets && st.CmdHbEnabled);
  setButton(CmdBj_, st.CmdBjCaption, sheets && st.CmdBjEnabled);
  setButton(CmdKb_, w.CmdKbCaption, sheets && st.CmdKbEnabled);
  CmdDk_->setEnabled(w.CmdDkEnabled);
  CmdSc_->setEnabled(w.CmdScEnabled);
  CmdDc_->setEnabled(w.CmdDcEnabled || st.ExportMode);
  CmdYh_->setText(improving_ ? QStringLiteral("停止优化") : QStringLiteral("优化课表"));
  CmdYh_->setEnabled(improving_ || vm_->canImprove());
  for (int i = 0; i < 5; ++i) LblTs_[i]->setVisible(st.Drcg[i]);
  LblTs_[5]->setText(st.Lbl6);
}

void FrmTavroKcapxt::refreshLists() {
  const RunState& st = session_.state;
  mirrorList(LstBj_, st.LstBj, true);
  LstBj_->setEnabled(st.LstBjEnabled);
  mirrorList(LstKc_, st.LstKc, false);
  mirrorList(LstJs_, st.LstJs, true);
}

void FrmTavroKcapxt::refreshOptions() {
  const RunState& st = session_.state;
  const MainWindowControls& w = vm_->controls();
  const QSignalBlocker b1(OptYp_), b2(OptWp_), b3(OptCqls_[0]), b4(OptCqls_[1]), b5(ChkQbkc_), b6(ChkQbjs_);
  OptYp_->setChecked(st.OptYp);
  OptWp_->setChecked(!st.OptYp);
  if (!w.OptYpCaption.isEmpty()) OptYp_->setText(w.OptYpCaption);
  if (!w.OptWpCaption.isEmpty()) OptWp_->setText(w.OptWpCaption);
  OptCqls_[0]->setChecked(st.OptCqls == 0);
  OptCqls_[1]->setChecked(st.OptCqls != 0);
  ChkQbkc_->setChecked(w.ChkQbkc);
  ChkQbjs_->setChecked(w.ChkQbjs);
  FraKc_->setTitle(w.FraKcCaption);
  FraRqfw_->setVisible(w.FraRqfwVisible);
}

}  // namespace tavro::app
