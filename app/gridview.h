#pragma once
// GridView: the class timetable grid MSFG(0). Shows a GridModel: row 0 and
// column 0 are its header cells, the other cells its lesson texts with their
// text and background colours; weekdays are rows when the layout code Hsdm is 0,
// else columns. A click on a lesson cell is reported as (weekday, period).

#include <QTableWidget>
#include <functional>

#include "core/gridmodel.h"

namespace tavro::app {

class GridView : public QTableWidget {
 public:
  explicit GridView(QWidget* parent = nullptr);

  // Shows weekdays 1..days and periods 1..periods of grid in layout hsdm.
  void show(const GridModel& grid, int hsdm, int days, int periods);
  // (row, column) of cell (xq, jc) in the layout shown last.
  std::pair<int, int> position(int xq, int jc) const;
  // Called for a click on a lesson cell (not a header), with its weekday and period.
  std::function<void(int xq, int jc)> onCellClicked;

 private:
  void showCell(int row, int col, const GridCell& cell);
  void applyStyle(const QString& style);
  int hsdm_ = 0;
};

}  // namespace tavro::app
