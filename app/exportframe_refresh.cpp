// Mirroring the export options model into the frame's widgets and into the
// main window's controls the frame shares (the lists, "全校", "全部课程",
// "全部教师", the layer frame and the export button).

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "app/exportframe.h"
#include "app/mainwindow.h"

namespace tavro::app {

namespace {

void mirrorShown(QWidget* widget, const Shown& shown) {
  widget->setVisible(shown.visible);
  widget->setEnabled(shown.enabled);
}

void check(QAbstractButton* button, bool on) {
  const QSignalBlocker block(button);
  button->setChecked(on);
}

void choose(QComboBox* box, int index) {
  const QSignalBlocker block(box);
  box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

void optionPair(const std::array<QRadioButton*, 2>& buttons, int index) {
  check(buttons[index == 0 ? 0 : 1], true);
}

// Makes the widget's items and selection those of the list.
void mirrorList(QListWidget* widget, const ListBox& list) {
  const QSignalBlocker block(widget);
  bool same = widget->count() == list.count();
  for (int i = 0; same && i < list.count(); ++i) same = widget->item(i)->text() == list.item(i);
  if (!same) {
    widget->clear();
    widget->addItems(list.items());
  }
  for (int i = 0; i < list.count() && i < widget->count(); ++i)
    widget->item(i)->setSelected(list.selected(i));
}

template <typename W>
W* shared(FrmTavroKcapxt& window, const char* name) {
  return window.findChild<W*>(QString::fromLatin1(name));
}

}  // namespace

void ExportFrame::refresh() {
  const RunState& st = window_.session().state;
  if (st.ExportMode && !started_) {
    window_.dispatch([this] { start(); });  // refreshes the window, and this frame with it
    return;
  }
  frame_->setVisible(st.ExportMode);
  if (!started_) return;
  mirroring_ = true;
  mirrorKinds();
  mirrorDaysAndPeriods();
  mirrorOptions();
  if (st.ExportMode) mirrorSharedControls();
  mirroring_ = false;
}

void ExportFrame::mirrorKinds() {
  const ExportForm& f = form_;
  mirrorShown(FraKb_, f.FraKb);
  choose(CmbKbzl_, f.Kbzl);
  mirrorShown(FraXiangmu_, f.FraXiangmu);
  choose(CmbXiangmu_, f.Xiangmu);
  mirrorShown(FraXzjsfs_, f.FraXzjsfs);
  optionPair(OptXzjsfs_, f.OptXzjsfs);
}

void ExportFrame::mirrorDaysAndPeriods() {
  const ExportForm& f = form_;
  mirrorShown(FraXq_, f.FraXq);
  mirrorShown(ChkQz_, f.ChkQzCtl);
  check(ChkQz_, f.ChkQz);
  mirrorList(LstXq_, f.LstXq);
  mirrorShown(LstXq_, f.LstXqCtl);
  mirrorShown(FraJc_, f.FraJc);
  mirrorShown(ChkQt_, f.ChkQtCtl);
  check(ChkQt_, f.ChkQt);
  for (int k = 0; k < 2; ++k) {
    mirrorShown(ChkWb_[k], f.ChkWbCtl[k]);
    check(ChkWb_[k], f.ChkWb[k]);
  }
  mirrorList(LstJc_, f.LstJc);
  mirrorShown(LstJc_, f.LstJcCtl);
}

void ExportFrame::mirrorOptions() {
  const ExportForm& f = form_;
  mirrorShown(ChkBnfjs_, f.ChkBnfjsCtl);
  check(ChkBnfjs_, f.ChkBnfjs);
  mirrorShown(ChkBwfjs_, f.ChkBwfjsCtl);
  ChkBwfjs_->setText(f.ChkBwfjsCaption);
  check(ChkBwfjs_, f.ChkBwfjs);
  mirrorShown(LblMpzs_, f.LblMpzs);
  mirrorShown(CmbMpzs_, f.CmbMpzsCtl);
  choose(CmbMpzs_, f.CmbMpzs);
  mirrorShown(FraJsm_, f.FraJsm);
  optionPair(OptJsm_, f.OptJsm);
  mirrorShown(FraBjm_, f.FraBjm);
  optionPair(OptBjm_, f.OptBjm);
  mirrorShown(FraKcm_, f.FraKcm);
  optionPair(OptKcm_, f.OptKcm);
  for (int k = 0; k < 2; ++k) CmdZt_[k]->setText(f.CmdZtCaption[k]);
}

void ExportFrame::mirrorSharedControls() {
  const ExportForm& f = form_;
  const RunState& st = window_.session().state;
  ChkQx_->setVisible(true);
  check(ChkQx_, f.ChkQx);
  if (auto* box = shared<QCheckBox>(window_, "ChkQbkc")) {
    check(box, f.ChkQbkc);
    box->setEnabled(f.ChkQbkcCtl.enabled);
  }
  if (auto* box = shared<QCheckBox>(window_, "ChkQbjs")) check(box, f.ChkQbjs);
  if (auto* list = shared<QListWidget>(window_, "LstBj"))
    list->setEnabled(st.LstBjEnabled && f.LstBjCtl.enabled);
  if (auto* list = shared<QListWidget>(window_, "LstJs")) list->setEnabled(f.LstJsCtl.enabled);
  if (auto* list = shared<QListWidget>(window_, "LstKc")) {
    // Several courses can be chosen for an export; the selection shown is the list's own.
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEnabled(f.LstKcCtl.enabled);
    const QSignalBlocker block(list);
    for (int i = 0; i < st.LstKc.count() && i < list->count(); ++i)
      list->item(i)->setSelected(st.LstKc.selected(i));
  }
  if (auto* layer = shared<QGroupBox>(window_, "FraQx")) layer->setEnabled(f.FraQx.enabled);
  if (auto* button = shared<QPushButton>(window_, "CmdDc")) {
    button->setText(f.CmdDcCaption);
    button->setEnabled(f.CmdDc.enabled);
  }
}

}  // namespace tavro::app
