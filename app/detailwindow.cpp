// The detailed timetable window's widgets: the list of classes or teachers with
// the layer list and the close button on top, the grid in its frame, and the
// teacher's combined lessons below. Each cell shows its two text blocks on two
// lines.

#include "app/detailwindow.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/colours.h"
#include "app/mainwindow.h"
#include "core/procedures.h"

namespace tavro::app {

namespace {

const QChar kFull = QChar(0x3000);
const QColor kHeaderBack(0xE3, 0xE3, 0xE3);

template <typename W>
W* named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// The text without the full-width spaces that pad it at the end (they would push a centred
// text aside).
QString unpadded(const QString& text) {
  int n = static_cast<int>(text.size());
  while (n > 0 && text[n - 1] == kFull) --n;
  return text.left(n);
}

// A body cell's display: the first block over the second.
QString twoLines(const DetailCell& cell) {
  return unpadded(cell.text.left(cell.split)) + u'\n' + unpadded(cell.text.mid(cell.split));
}

}  // namespace

FrmJdkb::FrmJdkb(Ctx ctx, QWidget* parent) : QWidget(parent, Qt::Window), c_(ctx), model_(ctx) {
  setObjectName(QStringLiteral("FrmJdkb"));
  build();
  connectEvents();
}

QWidget* FrmJdkb::buildTopRow() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  Frame1_ = named(new QGroupBox, "Frame1");
  List1_ = named(new QListWidget, "List1");
  List1_->setFlow(QListView::TopToBottom);
  List1_->setWrapping(true);
  List1_->setResizeMode(QListView::Adjust);
  List1_->setSpacing(1);
  List1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  List1_->setFixedHeight(List1_->fontMetrics().lineSpacing() * 4 +
                         List1_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16);
  (new QVBoxLayout(Frame1_))->addWidget(List1_);
  LstCqls_ = named(new QListWidget, "LstCqls");
  LstCqls_->addItems({QStringLiteral("长期"), QStringLiteral("临时")});
  LstCqls_->setToolTip(QStringLiteral("长期课表还是临时课表"));
  LstCqls_->setFixedSize(LstCqls_->fontMetrics().horizontalAdvance(QStringLiteral("长期")) + 28,
                         2 * LstCqls_->sizeHintForRow(0) + 2 * LstCqls_->frameWidth());
  CmdGb_ = named(new QPushButton(QStringLiteral("关 闭")), "CmdGb");
  auto* side = new QVBoxLayout;
  side->addWidget(LstCqls_);
  side->addWidget(CmdGb_);
  side->addStretch();
  layout->addWidget(Frame1_, 1);
  layout->addLayout(side);
  return row;
}

void FrmJdkb::build() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildTopRow());
  FraJdkb_ = named(new QGroupBox, "FraJdkb");
  MSFG_ = named(new QTableWidget, "MSFG");
  MSFG_->horizontalHeader()->hide();
  MSFG_->verticalHeader()->hide();
  MSFG_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  MSFG_->setSelectionMode(QAbstractItemView::NoSelection);
  MSFG_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MSFG_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MSFG_->setStyleSheet(QStringLiteral("QTableWidget { gridline-color: #808080; }"));
  (new QVBoxLayout(FraJdkb_))->addWidget(MSFG_, 0, Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(FraJdkb_);
  LblSm_ = named(new QLabel, "LblSm");
  LblSm_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(LblSm_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FrmJdkb::connectEvents() {
  connect(List1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = List1_->row(item);
    dispatch([this, row] { model_.List1_Click(row); });
  });
  connect(LstCqls_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = LstCqls_->row(item);
    dispatch([this, row] { model_.LstCqls_Click(row); });
  });
  connect(MSFG_, &QTableWidget::cellClicked, this, [this](int row, int col) {
    if (row == 0 || col == 0) return;
    const bool across = c_.s.Hsdm == 0;
    dispatch([this, row, col, across] { model_.MSFG_Click(across ? row : col, across ? col : row); });
  });
  connect(CmdGb_, &QPushButton::clicked, this, &QWidget::close);
}

void FrmJdkb::dispatch(const std::function<void()>& event) {
  try {
    event();
  } catch (const std::exception& failure) {
    Cwxx(c_.ui, QStringLiteral("操作未能完成：") + QString::fromStdString(failure.what()));
  }
  refresh();
}

void FrmJdkb::open(const DetailRequest& request) {
  dispatch([this, &request] { model_.open(request); });
  show();
  placeOnScreen();
  raise();
  activateWindow();
}

// The window lies wholly on the screen that holds the main window: at its right edge and top the
// first time, and pulled back onto the screen whenever its size changed.
void FrmJdkb::placeOnScreen() {
  adjustSize();
  const QWidget* main = parentWidget();
  QScreen* screen = main && main->screen() ? main->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen->availableGeometry();
  const QRect frame = frameGeometry();
  QPoint at = placed_ ? frame.topLeft() : QPoint(area.right() + 1 - frame.width(), area.top());
  at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())));
  at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
  move(at);
  placed_ = true;
}

std::pair<int, int> FrmJdkb::position(int xq, int jc) const {
  return c_.s.Hsdm == 0 ? std::pair{xq, jc} : std::pair{jc, xq};
}

void FrmJdkb::refresh() {
  setWindowTitle(model_.caption());
  Frame1_->setTitle(model_.Frame1Caption());
  FraJdkb_->setTitle(model_.FraJdkbCaption());
  refreshList();
  refreshGrid();
  QString lines = model_.LblSm();
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  LblSm_->setText(lines.trimmed());
  LblSm_->setVisible(!lines.isEmpty());
}

void FrmJdkb::refreshList() {
  const QSignalBlocker block1(List1_), block2(LstCqls_);
  const ListBox& list = model_.List1();
  QStringList shown;
  for (int i = 0; i < List1_->count(); ++i) shown << List1_->item(i)->text();
  if (shown != list.items()) {
    List1_->clear();
    List1_->addItems(list.items());
    // Every item gets the width of the longest, so no name is cut.
    int widest = 0;
    for (const QString& text : list.items())
      widest = std::max(widest, List1_->fontMetrics().horizontalAdvance(text));
    List1_->setGridSize(QSize(widest + 16, List1_->fontMetrics().lineSpacing() + 4));
  }
  List1_->setCurrentRow(list.listIndex());
  LstCqls_->setCurrentRow(model_.LstCqls());
}

void FrmJdkb::refreshGrid() {
  const School& s = c_.s;
  const int days = std::clamp(s.Mzts, 0, kMaxWeekday), periods = std::clamp(s.Mtjs, 0, kMaxPeriod);
  MSFG_->setRowCount(model_.rows() + 1);
  MSFG_->setColumnCount(model_.columns() + 1);
  for (int x = 0; x <= days; ++x)
    for (int j = 0; j <= periods; ++j) {
      const auto [row, col] = position(x, j);
      const DetailCell& cell = model_.cell(x, j);
      const bool header = x == 0 || j == 0;
      auto* item = new QTableWidgetItem(header ? cell.text.trimmed() : twoLines(cell));
      item->setTextAlignment(Qt::AlignCenter);
      const QColor fore = gridColour(cell.fore), back = gridColour(cell.back);
      if (fore.isValid()) item->setForeground(fore);
      item->setBackground(back.isValid() ? back : (header ? kHeaderBack : QColor(Qt::white)));
      MSFG_->setItem(row, col, item);
    }
  sizeGrid();
}

// Body columns hold Gkd characters, body rows two lines; the grid shows every cell without
// scrolling.
void FrmJdkb::sizeGrid() {
  const QFontMetrics metrics(MSFG_->font());
  const int body = metrics.horizontalAdvance(QString(std::max(model_.Gkd(), 2), kFull)) + 16;
  int first = metrics.horizontalAdvance(QStringLiteral("星期一")) + 12;
  for (int row = 0; row < MSFG_->rowCount(); ++row)
    if (auto* item = MSFG_->item(row, 0))
      first = std::max(first, metrics.horizontalAdvance(item->text()) + 12);
  int width = first, height = metrics.lineSpacing() + 12;
  MSFG_->setColumnWidth(0, first);
  for (int col = 1; col < MSFG_->columnCount(); ++col) {
    MSFG_->setColumnWidth(col, body);
    width += body;
  }
  MSFG_->setRowHeight(0, height);
  for (int row = 1; row < MSFG_->rowCount(); ++row) {
    MSFG_->setRowHeight(row, metrics.lineSpacing() * 2 + 12);
    height += metrics.lineSpacing() * 2 + 12;
  }
  const int frame = 2 * MSFG_->frameWidth();
  MSFG_->setFixedSize(width + frame, height + frame);
}

std::function<void(const DetailRequest&)> detailOpener(FrmTavroKcapxt& main) {
  return [&main, window = QPointer<FrmJdkb>()](const DetailRequest& request) mutable {
    if (window && !window->isVisible()) {
      window->setObjectName(QString());
      window->deleteLater();  // closed: the next opening loads a new window
      window = nullptr;
    }
    if (!window) window = new FrmJdkb(main.ctx(), &main);
    window->open(request);
  };
}

}  // namespace tavro::app
