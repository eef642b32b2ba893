// The main window's widgets and layouts: the step buttons with their status
// labels on the left, the class, course and teacher lists in the middle, the
// layer options, date range, class grid, hint box and export frame on the right.

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gridview.h"
#include "app/mainwindow.h"

namespace tavro::app {

namespace {

template <typename W>
W* named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A step button; the numbered ones take Alt and their number as shortcut.
QPushButton* stepButton(const QString& caption, const char* name, int number) {
  auto* button = named(new QPushButton(caption), name);
  button->setMinimumHeight(30);
  if (number >= 1 && number <= 9) {
    button->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + number)));
    button->setToolTip(QStringLiteral("Alt+%1").arg(number));
  }
  return button;
}

QLabel* importedLabel(int i) {
  auto* label = new QLabel(QStringLiteral("导入成功"));
  label->setObjectName(QStringLiteral("LblTs%1").arg(i));
  label->setStyleSheet(QStringLiteral("color: #008000;"));
  return label;
}

QListWidget* list(const char* name, QAbstractItemView::SelectionMode mode) {
  auto* widget = named(new QListWidget, name);
  widget->setSelectionMode(mode);
  widget->setFont(QFont(QStringLiteral("monospace")));
  return widget;
}

QDateEdit* datePicker(const char* name) {
  auto* picker = named(new QDateEdit(QDate::currentDate()), name);
  picker->setCalendarPopup(true);
  picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  return picker;
}

}  // namespace

QWidget* FrmTavroKcapxt::buildStepColumn() {
  auto* column = new QWidget;
  auto* grid = new QGridLayout(column);
  grid->setContentsMargins(0, 0, 0, 0);
  CmdXx_ = stepButton(QStringLiteral("1、学校"), "CmdXx", 1);
  CmdJs_ = stepButton(QStringLiteral("2、教师"), "CmdJs", 2);
  CmdKc_ = stepButton(QStringLiteral("3、课程"), "CmdKc", 3);
  CmdHb_ = stepButton(QStringLiteral("4、合班"), "CmdHb", 4);
  CmdBj_ = stepButton(QStringLiteral("5、班级"), "CmdBj", 5);
  CmdKb_ = stepButton(QStringLiteral("6、课表"), "CmdKb", 6);
  CmdDk_ = stepButton(QStringLiteral("7、调课"), "CmdDk", 7);
  CmdSc_ = stepButton(QStringLiteral("8、删除"), "CmdSc", 8);
  CmdDc_ = stepButton(QStringLiteral("9、导出"), "CmdDc", 9);
  CmdTc_ = stepButton(QStringLiteral("12、退出"), "CmdTc", 0);
  CmdTc_->setShortcut(QKeySequence::Quit);
  const std::array<QPushButton*, 10> buttons{CmdXx_, CmdJs_, CmdKc_, CmdHb_, CmdBj_,
                                             CmdKb_, CmdDk_, CmdSc_, CmdDc_, CmdTc_};
  for (int i = 0; i < 5; ++i) LblTs_[i] = importedLabel(i + 1);
  LblTs_[5] = named(new QLabel, "LblTs6");
  LblTs_[5]->setStyleSheet(QStringLiteral("color: #008000;"));
  for (int i = 0; i < 10; ++i) {
    grid->addWidget(buttons[i], i, 0);
    if (i < 6) grid->addWidget(LblTs_[i], i, 1);
    if (i > 0) setTabOrder(buttons[i - 1], buttons[i]);
  }
  CmdYh_ = stepButton(QStringLiteral("优化课表"), "CmdYh", 0);
  CmdYh_->setToolTip(
      QStringLiteral("全部班级排好后，交换同班两节课，减少同一天重复的课、下午的主科课和教师空堂"));
  grid->addWidget(CmdYh_, 10, 0);
  setTabOrder(CmdTc_, CmdYh_);
  grid->setRowStretch(11, 1);
  Prb_ = named(new QProgressBar, "PrbJd");
  Prb_->setRange(0, 100);
  Prb_->setValue(0);
  LblJd_ = named(new QLabel, "LblJd");
  LblJd_->setWordWrap(true);
  LblJd_->setMinimumHeight(3 * LblJd_->fontMetrics().lineSpacing());
  LblJd_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  grid->addWidget(Prb_, 12, 0, 1, 2);
  grid->addWidget(LblJd_, 13, 0, 1, 2);
  column->setFixedWidth(180);
  return column;
}

QGroupBox* FrmTavroKcapxt::buildClassFrame() {
  auto* frame = named(new QGroupBox(QStringLiteral("班级")), "FraBj");
  OptYp_ = named(new QRadioButton(QStringLiteral("已排")), "OptYp");
  OptYp_->setToolTip(QStringLiteral("已完成排课的班级"));
  OptWp_ = named(new QRadioButton(QStringLiteral("未排")), "OptWp");
  OptWp_->setToolTip(QStringLiteral("未完成排课的班级"));
  LstBj_ = list("LstBj", QAbstractItemView::ExtendedSelection);
  LstBj_->setToolTip(QStringLiteral("左击某班级查看班级课表及其任课教师课表，再右击调课"));
  auto* options = new QHBoxLayout;
  options->addWidget(OptYp_);
  options->addWidget(OptWp_);
  auto* layout = new QVBoxLayout(frame);
  layout->addLayout(options);
  layout->addWidget(LstBj_);
  return frame;
}

QGroupBox* FrmTavroKcapxt::buildCourseFrame() {
  FraKc_ = named(new QGroupBox(QStringLiteral("课程及每周节数")), "FraKc");
  LstKc_ = list("LstKc", QAbstractItemView::SingleSelection);
  ChkQbkc_ = named(new QCheckBox(QStringLiteral("全部课程")), "ChkQbkc");
  auto* layout = new QVBoxLayout(FraKc_);
  layout->addWidget(ChkQbkc_);
  layout->addWidget(LstKc_);
  return FraKc_;
}

QGroupBox* FrmTavroKcapxt::buildTeacherFrame() {
  auto* frame = named(new QGroupBox(QStringLiteral("教师")), "FraJs");
  LstJs_ = list("LstJs", QAbstractItemView::ExtendedSelection);
  LstJs_->setToolTip(QStringLiteral("左击某教师再右击显示详细的教师课表"));
  LstJs_->setContextMenuPolicy(Qt::CustomContextMenu);
  ChkQbjs_ = named(new QCheckBox(QStringLiteral("全部教师")), "ChkQbjs");
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(ChkQbjs_);
  layout->addWidget(LstJs_);
  return frame;
}

QWidget* FrmTavroKcapxt::buildListColumn() {
  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(buildClassFrame(), 3);
  layout->addWidget(buildCourseFrame(), 2);
  layout->addWidget(buildTeacherFrame(), 3);
  column->setFixedWidth(210);
  return column;
}

QWidget* FrmTavroKcapxt::buildOptionRow() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* layer = named(new QGroupBox(QStringLiteral("期限")), "FraQx");
  OptCqls_[0] = named(new QRadioButton(QStringLiteral("长期")), "OptCqls0");
  OptCqls_[1] = named(new QRadioButton(QStringLiteral("临时")), "OptCqls1");
  auto* layerLayout = new QHBoxLayout(layer);
  layerLayout->addWidget(OptCqls_[0]);
  layerLayout->addWidget(OptCqls_[1]);
  FraRqfw_ = named(new QGroupBox(QStringLiteral("日期范围")), "FraRqfw");
  DTPicker1_ = datePicker("DTPicker1");
  DTPicker2_ = datePicker("DTPicker2");
  auto* range = new QHBoxLayout(FraRqfw_);
  range->addWidget(new QLabel(QStringLiteral("开始日期")));
  range->addWidget(DTPicker1_);
  range->addWidget(new QLabel(QStringLiteral("结束日期")));
  range->addWidget(DTPicker2_);
  layout->addWidget(layer);
  layout->addWidget(FraRqfw_);
  layout->addStretch();
  layout->addWidget(buildHistoryButtons());
  return row;
}

QWidget* FrmTavroKcapxt::buildGridColumn() {
  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  QWidget* options = buildOptionRow();
  options->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  layout->addWidget(options);
  Lbl0_ = named(new QLabel, "Lbl0");
  Lbl0_->setFrameShape(QFrame::Panel);
  Lbl0_->setFrameShadow(QFrame::Sunken);
  QFont labelFont = Lbl0_->font();
  labelFont.setPointSizeF(12);
  Lbl0_->setFont(labelFont);
  Lbl0_->setCursor(Qt::PointingHandCursor);
  MSFG0_ = named(new GridView, "MSFG0");
  layout->addWidget(Lbl0_);
  layout->addWidget(MSFG0_, 3);
  auto* hint = named(new QGroupBox(QStringLiteral("说明")), "FraSm");
  TxtSm_ = named(new QTextEdit, "TxtSm");
  TxtSm_->setReadOnly(true);
  // Three lines of hint, however much room the grid leaves.
  TxtSm_->setFixedHeight(3 * TxtSm_->fontMetrics().lineSpacing() + 2 * TxtSm_->frameWidth() + 8);
  hint->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* hintLayout = new QVBoxLayout(hint);
  hintLayout->setContentsMargins(6, 2, 6, 4);
  hintLayout->addWidget(TxtSm_);
  layout->addWidget(hint);
  FraDc_ = named(new QGroupBox(QStringLiteral("导出表格的选项")), "FraDc");
  layout->addWidget(FraDc_);
  // Before a class is shown (the grid hidden) the free room stays below the hint.
  gridPlaceholder_ = new QWidget;
  gridPlaceholder_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
  layout->addWidget(gridPlaceholder_, 3);
  return column;
}

void FrmTavroKcapxt::buildWidgets() {
  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(buildStepColumn());
  layout->addWidget(buildListColumn());
  layout->addWidget(buildGridColumn(), 1);
  setCentralWidget(central);
  buildEditMenu();
  // The size of a maximized window on the common school office screen (1366×768 less its task bar
  // and title bar), or the whole screen when it is smaller.
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  resize(std::min(1366, screen.width()), std::min(698, screen.height() - 30));
}

}  // namespace tavro::app
