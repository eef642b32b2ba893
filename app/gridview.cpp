#include "app/gridview.h"

#include <QHeaderView>
#include <algorithm>

#include "app/colours.h"

namespace tavro::app {

namespace {

// Header cells without a colour of their own look like the grid's fixed cells.
const QColor kHeaderBack(0xE3, 0xE3, 0xE3);

}  // namespace

GridView::GridView(QWidget* parent) : QTableWidget(parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::StrongFocus);
  setStyleSheet(QStringLiteral("QTableWidget { gridline-color: #808080; }"));
  connect(this, &QTableWidget::cellClicked, this, [this](int row, int col) {
    if (row == 0 || col == 0 || !onCellClicked) return;
    onCellClicked(hsdm_ == 0 ? row : col, hsdm_ == 0 ? col : row);
  });
}

std::pair<int, int> GridView::position(int xq, int jc) const {
  return hsdm_ == 0 ? std::pair{xq, jc} : std::pair{jc, xq};
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
  it->setForeground(fore.isValid() ? QBrush(fore) : QBrush());
  if (back.isValid()) {
    it->setBackground(back);
  } else {
    it->setBackground((row == 0 || col == 0) ? QBrush(kHeaderBack) : QBrush());
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
