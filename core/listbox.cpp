#include "core/listbox.h"

#include <algorithm>

namespace tavro {

int ListBox::addItem(const QString& text) {
  int at = count();
  if (sorted_) {
    // Case-insensitive text order, as a sorted list control keeps it; equal texts go after.
    auto it = std::upper_bound(items_.begin(), items_.end(), text, [](const QString& a, const QString& b) {
      return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    at = static_cast<int>(it - items_.begin());
  }
  items_.insert(at, text);
  selected_.insert(selected_.begin() + at, false);
  if (listIndex_ >= at) ++listIndex_;
  return at;
}

void ListBox::removeItem(int i) {
  if (i < 0 || i >= count()) return;
  items_.removeAt(i);
  selected_.erase(selected_.begin() + i);
  if (listIndex_ == i) {
    listIndex_ = -1;
  } else if (listIndex_ > i) {
    --listIndex_;
  }
}

void ListBox::clear() {
  items_.clear();
  selected_.clear();
  listIndex_ = -1;
}

int ListBox::selectedCount() const {
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

}  // namespace tavro
