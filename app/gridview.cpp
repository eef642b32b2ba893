#include "app/gridview.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "app/colours.h"

namespace tavro::app {

namespace {

// Header cells: the grid's fixed cells, a shade darker than the lesson cells.
const QColor kHeaderBack(0xC8, 0xC8, 0xC8);

// Paints a cell with exactly its own colours (no selection, focus or hover tint); the current
// cell gets a dark frame inside its border.
class ExactColourDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem plain(option);
    plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver);
    const QVariant back = index.data(Qt::BackgroundRole);
    if (back.canConvert<QBrush>()) painter->fillRect(option.rect, back.value<QBrush>());
    QStyledItemDelegate::paint(painter, plain, index);
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (view && view->currentIndex() == index && index.row() > 0 && index.column() > 0) {
      painter->save();
      painter->setPen(QPen(QColor(Qt::black), 2, Qt::DotLine));
      painter->drawRect(option.rect.adjusted(2, 2, -3, -3));
      painter->restore();
    }
  }
};

}  // namespace

GridView::GridView(QWidget* parent) : QTableWidget(parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::StrongFocus);
  setItemDelegate(new ExactColourDelegate(this));
  setStyleSheet(QStringLiteral("QTableWidget { gridline-color: #808080; }"));
  connect(this, &QTableWidget::cellClicked, this, [this](int row, int col) { reportCell(row, col); });
}

void GridView::reportCell(int row, int col) {
  if (row <= 0 || col <= 0 || !onCellClicked) return;
  onCellClicked(hsdm_ == 0 ? row : col, hsdm_ == 0 ? col : row);
}

void GridView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      reportCell(currentRow(), currentColumn());
      return;
    case Qt::Key_Escape:
      if (onEscape) onEscape();
      return;
    default:
      QTableWidget::keyPressEvent(event);
  }
}

std::pair<int, int> GridView::position(int xq, int jc) const {
  return hsdm_ == 0 ? std::pair{xq, jc} : std::pair{jc, xq};
}

QColor GridView::shownBackground(int row, int col) const {
  const QTableWidgetItem* it = item(row, col);
  return it ? it->background().color() : QColor();
}

void GridView::showCell(int row, int col, const GridCell& cell) {
  QTableWidgetItem* it = item(row, col);
  if (!it) {
    it = new QTableWidgetItem;
    it->setTextAlignment(Qt::AlignCenter);
    setItem(row, col, it);
  }
  it->setText(cell.text);
  const QColor fore = gridColour(cell.fore);
  const QColor back = gridColour(cell.back);
  it->setForeground(fore.isValid() ? QBrush(fore) : QBrush(QColor(Qt::black)));
  const bool header = row == 0 || col == 0;
  if (back.isValid()) {
    it->setBackground(back);
  } else {
    it->setBackground(header ? kHeaderBack : gridColour(kColour3DLight));
  }
}

void GridView::applyStyle(const QString& style) {
  QFont f = font();
  const bool large = style.startsWith(QStringLiteral("Dz"));
  f.setPointSizeF(large ? 15.0 : 11.0);
  f.setBold(large);
  if (f != font()) setFont(f);
  // The header column fits its texts; the lesson columns and all rows share the space.
  horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  if (columnCount() > 0) horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

void GridView::show(const GridModel& grid, int hsdm, int days, int periods) {
  hsdm_ = hsdm;
  days = std::clamp(days, 0, 13);
  periods = std::clamp(periods, 0, 20);
  const int rows = (hsdm == 0 ? days : periods) + 1;
  const int cols = (hsdm == 0 ? periods : days) + 1;
  if (rowCount() != rows) setRowCount(rows);
  if (columnCount() != cols) setColumnCount(cols);
  for (int xq = 0; xq <= days; ++xq) {
    for (int jc = 0; jc <= periods; ++jc) {
      const auto [row, col] = position(xq, jc);
      showCell(row, col, grid.cells(xq, jc));
    }
  }
  applyStyle(grid.style);
  const auto [row, col] = position(grid.curXq, grid.curJc);
  if (row > 0 && col > 0 && row < rows && col < cols) {
    setCurrentCell(row, col, QItemSelectionModel::NoUpdate);
  }
  setEnabled(grid.enabled);
}

}  // namespace tavro::app
