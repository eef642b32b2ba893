#pragma once
// ListBox: the plain data behind a list control (class, course, teacher lists).
// A sorted list keeps its items ordered by text, as the scheduler relies on
// for the course list. The widgets only mirror this state.

#include <QStringList>
#include <vector>

namespace tavro {

class ListBox {
 public:
  explicit ListBox(bool sorted = false) : sorted_(sorted) {}

  // Adds an item (at its sorted place when the list is sorted); returns its index.
  int addItem(const QString& text);
  // Removes item i; the selection follows the remaining items.
  void removeItem(int i);
  void clear();
  int count() const { return static_cast<int>(items_.size()); }
  const QString& item(int i) const { return items_.at(i); }
  void setItem(int i, const QString& text) { items_[i] = text; }
  const QStringList& items() const { return items_; }
  bool sorted() const { return sorted_; }

  // ListIndex: the current item, -1 when none.
  int listIndex() const { return listIndex_; }
  void setListIndex(int i) { listIndex_ = (i >= 0 && i < count()) ? i : -1; }
  // The current item's text, "" when none.
  QString currentText() const { return listIndex_ >= 0 ? items_.at(listIndex_) : QString(); }
  // Multi-selection flags (for lists that allow several selected items).
  bool selected(int i) const { return selected_.at(i); }
  void setSelected(int i, bool on) { selected_.at(i) = on; }
  int selectedCount() const;

 private:
  bool sorted_;
  QStringList items_;
  std::vector<bool> selected_;
  int listIndex_ = -1;
};

}  // namespace tavro
