#pragma once
// Table<T, N>: an N-dimensional array whose every dimension has its own lower and
// upper bound (many school tables start at 0 or at a grade code, not at 1).
// Every access is bounds-checked and throws IndexError, so a bad number read
// from a file or a sheet becomes a clear error instead of a memory fault.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavro {

// Thrown when an index lies outside a table's bounds.
class IndexError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// One dimension's inclusive index range; hi < lo means an empty dimension.
struct Range {
  int lo = 0;
  int hi = -1;
  int size() const { return hi >= lo ? hi - lo + 1 : 0; }
  bool contains(int i) const { return i >= lo && i <= hi; }
  bool operator==(const Range&) const = default;
};

template <typename T, std::size_t N = 1>
class Table {
 public:
  using Bounds = std::array<Range, N>;

  Table() = default;
  explicit Table(const Bounds& bounds) { resize(bounds); }

  // Resizes to new bounds. With preserve, every cell whose indexes lie in both
  // the old and the new bounds keeps its value; all other cells are default.
  void resize(const Bounds& bounds, bool preserve = false) {
    if (!preserve) {
      bounds_ = bounds;
      data_.assign(count(bounds), T{});
      return;
    }
    Table old = std::move(*this);
    bounds_ = bounds;
    data_.assign(count(bounds), T{});
    old.forEachIndex([&](const std::array<int, N>& idx) {
      if (contains(idx)) data_[offset(idx)] = std::move(old.data_[old.offset(idx)]);
    });
  }

  template <typename... I>
  T& operator()(I... i) {
    static_assert(sizeof...(I) == N, "wrong number of indexes");
    return data_[checkedOffset({static_cast<int>(i)...})];
  }
  template <typename... I>
  const T& operator()(I... i) const {
    static_assert(sizeof...(I) == N, "wrong number of indexes");
    return data_[checkedOffset({static_cast<int>(i)...})];
  }
  template <typename... I>
  T& at(I... i) {
    return (*this)(i...);
  }
  template <typename... I>
  const T& at(I... i) const {
    return (*this)(i...);
  }

  // True when the indexes lie inside the bounds.
  template <typename... I>
  bool has(I... i) const {
    static_assert(sizeof...(I) == N, "wrong number of indexes");
    return contains({static_cast<int>(i)...});
  }

  const Bounds& bounds() const { return bounds_; }
  int lo(std::size_t dim = 0) const { return bounds_[dim].lo; }
  int hi(std::size_t dim = 0) const { return bounds_[dim].hi; }
  bool empty() const { return data_.empty(); }
  void fill(const T& value) { std::fill(data_.begin(), data_.end(), value); }
  // Every value in memory order, for passes over the whole table.
  std::vector<T>& values() { return data_; }
  const std::vector<T>& values() const { return data_; }
  void clear() {
    bounds_ = Bounds{};
    data_.clear();
  }
  bool operator==(const Table&) const = default;

 private:
  static std::size_t count(const Bounds& b) {
    std::size_t n = 1;
    for (const Range& r : b) n *= static_cast<std::size_t>(r.size());
    return n;
  }
  bool contains(const std::array<int, N>& idx) const {
    for (std::size_t d = 0; d < N; ++d)
      if (!bounds_[d].contains(idx[d])) return false;
    return true;
  }
  std::size_t offset(const std::array<int, N>& idx) const {
    std::size_t off = 0;
    for (std::size_t d = 0; d < N; ++d)
      off = off * static_cast<std::size_t>(bounds_[d].size()) +
            static_cast<std::size_t>(idx[d] - bounds_[d].lo);
    return off;
  }
  // The check and the offset in one pass; the error text is built out of line so that
  // this stays small enough to be inlined into every access.
  std::size_t checkedOffset(const std::array<int, N>& idx) const {
    std::size_t off = 0;
    for (std::size_t d = 0; d < N; ++d) {
      const Range& r = bounds_[d];
      if (idx[d] < r.lo || idx[d] > r.hi) [[unlikely]]
        outOfRange(idx[d], d, r);
      off = off * static_cast<std::size_t>(r.hi - r.lo + 1) + static_cast<std::size_t>(idx[d] - r.lo);
    }
    return off;
  }
  [[noreturn, gnu::noinline, gnu::cold]] static void outOfRange(int index, std::size_t d, const Range& r) {
    throw IndexError("index " + std::to_string(index) + " of dimension " + std::to_string(d + 1) +
                     " outside " + std::to_string(r.lo) + ".." + std::to_string(r.hi));
  }
  template <typename F>
  void forEachIndex(F&& f) const {
    if (data_.empty()) return;
    std::array<int, N> idx{};
    for (std::size_t d = 0; d < N; ++d) idx[d] = bounds_[d].lo;
    while (true) {
      f(idx);
      std::size_t d = N;
      while (d > 0) {
        --d;
        if (++idx[d] <= bounds_[d].hi) break;
        idx[d] = bounds_[d].lo;
        if (d == 0) return;
      }
    }
  }

  Bounds bounds_{};
  std::vector<T> data_;
};

}  // namespace tavro
