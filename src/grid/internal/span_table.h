// The grid's cell spans. A span shows one cell over a rectangle of cells; it is keyed by its
// anchor (top-left cell), and each axis of it lies wholly in the header area or wholly in the
// data area. Spans are kept in logical coordinates: row and column inserts and deletes shift
// or resize them.
//
// Most spans are single entries. A run holds the spans of one block of data rows repeated in
// each of many blocks of the same height below it: the records of a multi-row sheet, where
// hundreds of thousands of records are spanned alike, cost one entry per span of a record
// instead of one per span of every record. A change that touches a run's rows (a span set or
// removed there, a row inserted inside a block) turns the blocks it touches back into single
// entries, so every caller sees one set of spans whichever way they are held.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace zel::internal {

// One axis position: header area (index n of the header rows/columns) or data area.
struct SpanKey {
  bool head_row;
  int32_t row;
  bool head_col;
  int32_t col;
  auto operator<=>(const SpanKey&) const = default;
};
struct Span {
  int32_t num_cols;
  int32_t num_rows;
};

class SpanTable {
 public:
  bool empty() const { return singles_.empty() && runs_.empty(); }
  // Upper bounds of the rows and columns any span covers (a search by anchor looks this far
  // above and to the left of a cell).
  int32_t max_rows() const { return max_rows_; }
  int32_t max_cols() const { return max_cols_; }

  // Calls f(key, span) for each span of the row area `head_row` whose anchor row lies in
  // lo..hi, in no particular order, until f returns false.
  template <class F>
  void ForRows(bool head_row, int32_t lo, int32_t hi, F&& f) const;
  // Every span, in key order.
  std::map<SpanKey, Span> All() const;

  // Sets the span anchored at `key` (replacing one there) or removes it. The caller has
  // checked that it stays inside the grid and overlaps no other span.
  void Set(const SpanKey& key, const Span& span);
  void Erase(const SpanKey& key);
  void Assign(std::map<SpanKey, Span> spans);
  void Clear() { *this = SpanTable(); }

  // Gives each of the `copies` blocks of `rows` data rows below rows first..first+rows-1 the
  // spans anchored in that block which end inside it; spans anchored in those blocks go
  // first. Rows must be at least 1 and copies at least 0.
  void RepeatBlock(int32_t first, int32_t rows, int32_t copies);

  // Row inserts (delta > 0) and deletes (delta < 0) of data rows at `at`, and column ones of
  // data columns; spans left beyond `limit` (the new MaxRows or MaxCols) go or are cut.
  void ShiftRows(int32_t at, int32_t delta, int32_t limit);
  void ShiftCols(int32_t at, int32_t delta, int32_t limit);
  // Cuts the spans to a grid of this size: those wholly outside go, the others end inside.
  void Clip(int32_t head_rows, int32_t head_cols, int32_t max_rows, int32_t max_cols);

 private:
  using Entry = std::pair<SpanKey, Span>;
  struct Run {
    int32_t first;  // the first row of the first block
    int32_t rows;   // rows per block
    int32_t count;  // blocks
    std::vector<Entry> block;  // key rows relative to a block's first row
    int64_t end() const { return first + int64_t{rows} * count; }  // one past the last row
  };
  // The blocks of runs that meet data rows lo..hi become single entries.
  void Detach(int64_t lo, int64_t hi);
  // Runs keep only their blocks in rows 1..max_rows; a block cut by max_rows becomes single
  // entries, cut to it.
  void ClipRuns(int32_t max_rows);
  // Applies edit(key, span) -> keep to every single entry and, with the key's row that of
  // the run's last block, to every entry of a run's block; a run's edit may change columns
  // only. Recomputes the limits.
  template <class F>
  void EditAll(F&& edit);
  void RebuildLimits();
  void Grow(const Span& span);

  std::map<SpanKey, Span> singles_;
  std::vector<Run> runs_;  // by first row; disjoint; data rows only
  int32_t max_rows_ = 1;
  int32_t max_cols_ = 1;
};

template <class F>
void SpanTable::ForRows(bool head_row, int32_t lo, int32_t hi, F&& f) const {
  if (lo > hi) return;
  for (auto it = singles_.lower_bound(SpanKey{head_row, lo, false, INT32_MIN});
       it != singles_.end() && it->first.head_row == head_row && it->first.row <= hi; ++it) {
    if (!f(it->first, it->second)) return;
  }
  if (head_row) return;
  // Runs are disjoint and in order: the first that may hold row lo is the first ending after it.
  const auto begin = std::partition_point(runs_.begin(), runs_.end(), [lo](const Run& r) { return r.end() <= lo; });
  for (auto run_it = begin; run_it != runs_.end() && run_it->first <= hi; ++run_it) {
    const Run& run = *run_it;
    const int64_t from = lo <= run.first ? 0 : (int64_t{lo} - run.first) / run.rows;
    const int64_t to = std::min<int64_t>(run.count - 1, (int64_t{hi} - run.first) / run.rows);
    for (int64_t b = from; b <= to; ++b) {
      const int64_t top = run.first + b * run.rows;
      for (const auto& [rel, span] : run.block) {
        const int64_t row = top + rel.row;
        if (row < lo || row > hi) continue;
        if (!f(SpanKey{false, static_cast<int32_t>(row), rel.head_col, rel.col}, span)) return;
      }
    }
  }
}

}  // namespace zel::internal
