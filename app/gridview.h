#pragma once
// GridView: the class timetable grid MSFG(0). Shows a GridModel: row 0 and
// column 0 are its header cells, the other cells its lesson texts with their
// text and background colours; weekdays are rows when the layout code Hsdm is 0,
// else columns. Colours that carry meaning show exactly: the current cell is
// marked by a frame drawn around it, never by tinting its background, and a
// cell without a background of its own shows the grid's default, the system's
// three-dimensional light colour. A click on a lesson cell, or Space or Return
// on the current cell, is reported as (weekday, period); Esc is reported too.

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
  // The background a cell of the grid shows (its own colour, or the grid's default).
  QColor shownBackground(int row, int col) const;
  // Called for a click on a lesson cell (not a header), or Space/Return on the current lesson
  // cell, with its weekday and period.
  std::function<void(int xq, int jc)> onCellClicked;
  // Called for Esc.
  std::function<void()> onEscape;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void showCell(int row, int col, const GridCell& cell);
  void applyStyle(const QString& style);
  void reportCell(int row, int col);
  int hsdm_ = 0;
};

}  // namespace tavro::app
