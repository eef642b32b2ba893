// The widgets of the export frame, in columns: table kind, item and teacher
// choice; weekdays; periods; the teacher and per-band options; the name forms;
// the two font buttons under them. The whole-school box "全校" joins the main window's
// class frame, beside the class list it governs.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/exportframe.h"
#include "app/mainwindow.h"

namespace tavro::app {

namespace {

template <typename W>
W* named(W* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

QGroupBox* group(const QString& caption, const char* name) {
  return named(new QGroupBox(caption), QString::fromLatin1(name));
}

QComboBox* combo(const QStringList& items, const char* name) {
  auto* box = named(new QComboBox, QString::fromLatin1(name));
  box->addItems(items);
  return box;
}

// A weekday or period list: narrow, seven rows high (longer lists scroll).
QListWidget* multiList(const char* name) {
  auto* list = named(new QListWidget, QString::fromLatin1(name));
  list->setSelectionMode(QAbstractItemView::MultiSelection);
  list->setFixedWidth(list->fontMetrics().horizontalAdvance(QStringLiteral("日日")) + 34);
  list->setFixedHeight(7 * (list->fontMetrics().lineSpacing() + 2) + 2 * list->frameWidth() + 4);
  return list;
}

// A compact frame: its caption on the left of its controls, in one row.
QWidget* captioned(const QString& caption, const char* name) {
  auto* frame = named(new QWidget, QString::fromLatin1(name));
  auto* layout = new QHBoxLayout(frame);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(caption);
  label->setFixedWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("课程名")) + 8);
  layout->addWidget(label);
  return frame;
}

// Two option buttons in frame (after its caption, if any); their objectNames are prefix + "0" and
// prefix + "1". Option buttons with the same parent exclude each other.
std::array<QRadioButton*, 2> optionPair(QWidget* frame, const QString& prefix, const QString& first,
                                        const QString& second) {
  std::array<QRadioButton*, 2> buttons{named(new QRadioButton(first), prefix + u'0'),
                                       named(new QRadioButton(second), prefix + u'1')};
  auto* layout = frame->layout() ? static_cast<QBoxLayout*>(frame->layout()) : new QVBoxLayout(frame);
  for (QRadioButton* b : buttons) layout->addWidget(b);
  return buttons;
}

QWidget* column() {
  auto* widget = new QWidget;
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  return widget;
}

}  // namespace

void ExportFrame::buildWidgets() {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(buildKindColumn());
  layout->addWidget(buildDayColumn());
  layout->addWidget(buildPeriodColumn());
  layout->addWidget(buildOptionColumn());
  layout->addWidget(buildNameColumn());
  layout->addStretch(1);
  placeWholeSchoolBox();
  // Every option shows whole: the frame never gets less room than its controls need.
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QWidget* ExportFrame::buildKindColumn() {
  QWidget* widget = column();
  FraKb_ = captioned(QStringLiteral("课表"), "FraKb");
  CmbKbzl_ = combo({QStringLiteral("班级周表"), QStringLiteral("教师周表"), QStringLiteral("学科总表"),
                    QStringLiteral("教师总表"), QStringLiteral("学校总表")},
                   "CmbKbzl");
  FraKb_->layout()->addWidget(CmbKbzl_);
  FraXiangmu_ = captioned(QStringLiteral("项目"), "FraXiangmu");
  CmbXiangmu_ = combo({QStringLiteral("课表"), QStringLiteral("教师任课情况表"), QStringLiteral("学科教师表"),
                       QStringLiteral("年级教师表")},
                      "CmbXiangmu");
  FraXiangmu_->layout()->addWidget(CmbXiangmu_);
  // The two lists line up under each other.
  for (QComboBox* box : {CmbKbzl_, CmbXiangmu_})
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  FraXzjsfs_ = group(QStringLiteral("选择教师方式"), "FraXzjsfs");
  OptXzjsfs_ = optionPair(FraXzjsfs_, QStringLiteral("OptXzjsfs"), QStringLiteral("按代码或姓名"),
                          QStringLiteral("按班级和课程"));
  FraXzjsfs_->layout()->setContentsMargins(6, 0, 6, 0);
  auto* layout = static_cast<QVBoxLayout*>(widget->layout());
  layout->addWidget(FraXiangmu_);
  layout->addWidget(FraKb_);
  layout->addWidget(FraXzjsfs_);
  layout->addStretch();
  return widget;
}

QWidget* ExportFrame::buildDayColumn() {
  FraXq_ = group(QStringLiteral("星期"), "FraXq");
  ChkQz_ = named(new QCheckBox(QStringLiteral("全周")), QStringLiteral("ChkQz"));
  LstXq_ = multiList("LstXq");
  auto* layout = new QHBoxLayout(FraXq_);
  layout->addWidget(ChkQz_, 0, Qt::AlignTop);
  layout->addWidget(LstXq_);
  return FraXq_;
}

QWidget* ExportFrame::buildPeriodColumn() {
  FraJc_ = group(QStringLiteral("节次"), "FraJc");
  ChkQt_ = named(new QCheckBox(QStringLiteral("全天")), QStringLiteral("ChkQt"));
  ChkWb_[0] = named(new QCheckBox(QStringLiteral("上午")), QStringLiteral("ChkWb0"));
  ChkWb_[1] = named(new QCheckBox(QStringLiteral("下午")), QStringLiteral("ChkWb1"));
  LstJc_ = multiList("LstJc");
  auto* boxes = new QVBoxLayout;
  boxes->addWidget(ChkQt_);
  boxes->addWidget(ChkWb_[0]);
  boxes->addWidget(ChkWb_[1]);
  boxes->addStretch();
  auto* layout = new QHBoxLayout(FraJc_);
  layout->addLayout(boxes);
  layout->addWidget(LstJc_);
  return FraJc_;
}

QWidget* ExportFrame::buildOptionColumn() {
  QWidget* widget = column();
  ChkBnfjs_ = named(new QCheckBox(QStringLiteral("课表内附教师")), QStringLiteral("ChkBnfjs"));
  ChkBwfjs_ = named(new QCheckBox(QStringLiteral("课表外附教师")), QStringLiteral("ChkBwfjs"));
  LblMpzs_ = named(new QLabel(QStringLiteral("每排课表张数")), QStringLiteral("LblMpzs"));
  QStringList counts;
  for (int row = 0; row < 10; ++row) counts << mpzsText(row);
  CmbMpzs_ = combo(counts, "CmbMpzs");
  auto* perBand = new QHBoxLayout;
  perBand->addWidget(LblMpzs_);
  perBand->addWidget(CmbMpzs_);
  auto* layout = static_cast<QVBoxLayout*>(widget->layout());
  layout->addSpacing(8);
  layout->addWidget(ChkBnfjs_);
  layout->addWidget(ChkBwfjs_);
  layout->addLayout(perBand);
  layout->addStretch();
  return widget;
}

QWidget* ExportFrame::buildNameColumn() {
  QWidget* widget = column();
  FraJsm_ = captioned(QStringLiteral("教师名"), "FraJsm");
  OptJsm_ = optionPair(FraJsm_, QStringLiteral("OptJsm"), QStringLiteral("简称"), QStringLiteral("姓名"));
  FraBjm_ = captioned(QStringLiteral("班级名"), "FraBjm");
  OptBjm_ = optionPair(FraBjm_, QStringLiteral("OptBjm"), QStringLiteral("简称"), QStringLiteral("名称"));
  FraKcm_ = captioned(QStringLiteral("课程名"), "FraKcm");
  OptKcm_ = optionPair(FraKcm_, QStringLiteral("OptKcm"), QStringLiteral("简称"), QStringLiteral("名称"));
  auto* layout = static_cast<QVBoxLayout*>(widget->layout());
  layout->addWidget(FraJsm_);
  layout->addWidget(FraBjm_);
  layout->addWidget(FraKcm_);
  for (int k = 0; k < 2; ++k) {
    CmdZt_[k] = named(new QPushButton, QStringLiteral("CmdZt%1").arg(k));
    CmdZt_[k]->setMinimumHeight(28);
    layout->addWidget(CmdZt_[k]);
  }
  layout->addStretch();
  return widget;
}

void ExportFrame::placeWholeSchoolBox() {
  ChkQx_ = named(new QCheckBox(QStringLiteral("全校")), QStringLiteral("ChkQx"));
  ChkQx_->setVisible(false);
  auto* classes = window_.findChild<QGroupBox*>(QStringLiteral("FraBj"));
  auto* layout = classes ? qobject_cast<QVBoxLayout*>(classes->layout()) : nullptr;
  if (layout) {
    layout->insertWidget(1, ChkQx_);
  } else {
    static_cast<QBoxLayout*>(this->layout())->insertWidget(0, ChkQx_);
  }
}

}  // namespace tavro::app
