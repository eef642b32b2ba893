#pragma once
// A safe read of a text table for the detailed window: entries outside the
// table's bounds read as "" instead of failing.

#include <QString>

namespace tavro::detail {

// Entry (i...) of a text table, "" when the indexes lie outside its bounds.
template <typename T, typename... I>
QString entry(const T& table, I... i) {
  return table.has(i...) ? table(i...) : QString();
}

}  // namespace tavro::detail
