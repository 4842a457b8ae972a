#include "grid/internal/span_table.h"

#include <algorithm>
#include <climits>

namespace zel::internal {
namespace {

// Moves an extent [a, a + n) on one axis for an insert (delta > 0) or delete (delta < 0) at
// `at`. Returns false when the extent disappears.
bool ShiftExtent(int32_t& a, int32_t& n, int32_t at, int32_t delta) {
  if (delta > 0) {
    if (a >= at) {
      a += delta;
    } else if (a + n - 1 >= at) {
      n += delta;
    }
    return true;
  }
  const int32_t k = -delta;
  const int32_t last = a + n - 1;
  if (last < at) return true;
  if (a > at + k - 1) {
    a -= k;
    return true;
  }
  const int32_t overlap = std::min(last, at + k - 1) - std::max(a, at) + 1;
  n -= overlap;
  a = std::min(a, at);
  return n > 0;
}

// The first data-row key anchored at or below `row` (head-row keys sort after every data-row one).
SpanKey DataRowBound(int64_t row) {
  if (row > INT_MAX) return SpanKey{true, INT_MIN, false, INT_MIN};
  return SpanKey{false, static_cast<int32_t>(std::max<int64_t>(row, INT_MIN)), false, INT_MIN};
}

}  // namespace

std::map<SpanKey, Span> SpanTable::All() const {
  std::map<SpanKey, Span> all = singles_;
  for (const Run& run : runs_) {
    for (int64_t b = 0; b < run.count; ++b) {
      const int64_t top = run.first + b * run.rows;
      for (const auto& [rel, span] : run.block) {
        all.emplace(SpanKey{false, static_cast<int32_t>(top + rel.row), rel.head_col, rel.col}, span);
      }
    }
  }
  return all;
}

void SpanTable::Grow(const Span& span) {
  max_rows_ = std::max(max_rows_, span.num_rows);
  max_cols_ = std::max(max_cols_, span.num_cols);
}

void SpanTable::RebuildLimits() {
  max_rows_ = 1;
  max_cols_ = 1;
  for (const auto& [key, span] : singles_) Grow(span);
  for (const Run& run : runs_) {
    for (const auto& [rel, span] : run.block) Grow(span);
  }
}

void SpanTable::Set(const SpanKey& key, const Span& span) {
  if (!key.head_row) Detach(key.row, int64_t{key.row} + span.num_rows - 1);
  singles_[key] = span;
  Grow(span);
}

void SpanTable::Erase(const SpanKey& key) {
  if (!key.head_row) Detach(key.row, key.row);
  singles_.erase(key);
}

void SpanTable::Assign(std::map<SpanKey, Span> spans) {
  singles_ = std::move(spans);
  runs_.clear();
  RebuildLimits();
}

void SpanTable::Detach(int64_t lo, int64_t hi) {
  if (lo > hi) return;
  auto it = std::partition_point(runs_.begin(), runs_.end(), [lo](const Run& r) { return r.end() <= lo; });
  while (it != runs_.end() && it->first <= hi) {
    const int64_t from = lo <= it->first ? 0 : (lo - it->first) / it->rows;
    const int64_t to = std::min<int64_t>(it->count - 1, (hi - it->first) / it->rows);
    for (int64_t b = from; b <= to; ++b) {
      const int64_t top = it->first + b * it->rows;
      for (const auto& [rel, span] : it->block) {
        singles_.emplace(SpanKey{false, static_cast<int32_t>(top + rel.row), rel.head_col, rel.col}, span);
      }
    }
    // The blocks above the detached ones stay this run; those below form a run of their own.
    Run below{static_cast<int32_t>(it->first + (to + 1) * it->rows), it->rows,
              static_cast<int32_t>(it->count - 1 - to), {}};
    if (below.count > 0) below.block = it->block;
    it->count = static_cast<int32_t>(from);
    if (it->count == 0) {
      it = runs_.erase(it);
    } else {
      ++it;
    }
    if (below.count > 0) it = std::next(runs_.insert(it, std::move(below)));
  }
}

void SpanTable::ClipRuns(int32_t max_rows) {
  while (!runs_.empty() && runs_.back().end() - 1 > max_rows) {
    Run& last = runs_.back();
    // The blocks that end inside the grid stay; the one the grid's end cuts, if any, becomes
    // single entries cut to the grid.
    const int64_t whole = std::max<int64_t>(0, (int64_t{max_rows} - last.first + 1) / last.rows);
    const int64_t top = last.first + whole * last.rows;
    if (top <= max_rows) {
      for (const auto& [rel, span] : last.block) {
        const int64_t row = top + rel.row;
        if (row > max_rows) continue;
        singles_.emplace(SpanKey{false, static_cast<int32_t>(row), rel.head_col, rel.col},
                         Span{span.num_cols, static_cast<int32_t>(std::min<int64_t>(span.num_rows, max_rows - row + 1))});
      }
    }
    last.count = static_cast<int32_t>(whole);
    if (last.count > 0) return;
    runs_.pop_back();
  }
}

template <class F>
void SpanTable::EditAll(F&& edit) {
  std::vector<Entry> moved;
  for (auto it = singles_.begin(); it != singles_.end();) {
    SpanKey key = it->first;
    Span span = it->second;
    if (!edit(key, span)) {
      it = singles_.erase(it);
    } else if (key == it->first) {
      it->second = span;
      ++it;
    } else {
      moved.emplace_back(key, span);
      it = singles_.erase(it);
    }
  }
  for (const auto& [key, span] : moved) singles_.emplace(key, span);
  for (auto it = runs_.begin(); it != runs_.end();) {
    const int64_t last_top = it->first + int64_t{it->rows} * (it->count - 1);
    std::vector<Entry> kept;
    for (auto [rel, span] : it->block) {
      SpanKey key{false, static_cast<int32_t>(last_top + rel.row), rel.head_col, rel.col};
      if (!edit(key, span)) continue;
      kept.emplace_back(SpanKey{false, rel.row, key.head_col, key.col}, span);
    }
    it->block = std::move(kept);
    it = it->block.empty() ? runs_.erase(it) : std::next(it);
  }
  RebuildLimits();
}

void SpanTable::RepeatBlock(int32_t first, int32_t rows, int32_t copies) {
  if (rows < 1 || copies < 1) return;
  const int64_t to = int64_t{first} + rows;
  const int64_t end = to + int64_t{rows} * copies;
  // What the target blocks had goes.
  Detach(to, end - 1);
  singles_.erase(singles_.lower_bound(DataRowBound(to)), singles_.lower_bound(DataRowBound(end)));

  std::vector<Entry> block;
  ForRows(false, first, static_cast<int32_t>(to - 1), [&](const SpanKey& key, const Span& span) {
    if (key.row + int64_t{span.num_rows} <= to) block.emplace_back(SpanKey{false, key.row - first, key.head_col, key.col}, span);
    return true;
  });
  if (block.empty()) return;
  std::sort(block.begin(), block.end(), [](const Entry& a, const Entry& b) { return a.first < b.first; });
  auto at = std::partition_point(runs_.begin(), runs_.end(), [to](const Run& r) { return r.first < to; });
  // The source block is the last block of the run above: that run goes on.
  if (at != runs_.begin()) {
    Run& above = *std::prev(at);
    const bool same = above.block.size() == block.size() &&
                      std::equal(block.begin(), block.end(), above.block.begin(), [](const Entry& a, const Entry& b) {
                        return a.first == b.first && a.second.num_cols == b.second.num_cols &&
                               a.second.num_rows == b.second.num_rows;
                      });
    if (above.end() == to && above.rows == rows && same && int64_t{above.count} + copies <= INT32_MAX) {
      above.count += copies;
      return;
    }
  }
  for (const auto& [rel, span] : block) Grow(span);
  runs_.insert(at, Run{static_cast<int32_t>(to), rows, copies, std::move(block)});
}

void SpanTable::ShiftRows(int32_t at, int32_t delta, int32_t limit) {
  if (empty()) return;
  const int64_t k = delta > 0 ? 0 : -int64_t{delta};
  if (delta > 0) {
    // An insert inside a block splits it: that block becomes single entries. An insert at a
    // block's first row splits its run in two without that.
    auto it = std::partition_point(runs_.begin(), runs_.end(), [at](const Run& r) { return r.end() <= at; });
    if (it != runs_.end() && it->first < at) {
      if ((at - it->first) % it->rows != 0) {
        Detach(at, at);
      } else {
        Run below = *it;
        below.first = at;
        below.count = static_cast<int32_t>(it->count - (at - it->first) / it->rows);
        it->count -= below.count;
        runs_.insert(std::next(it), std::move(below));
      }
    }
  } else {
    Detach(at, at + k - 1);
  }
  std::map<SpanKey, Span> moved;
  for (const auto& [key, span] : singles_) {
    SpanKey kk = key;
    Span sp = span;
    if (!kk.head_row) {
      if (!ShiftExtent(kk.row, sp.num_rows, at, delta)) continue;
      if (kk.row > limit) continue;
      sp.num_rows = std::min(sp.num_rows, limit - kk.row + 1);
    }
    moved.emplace(kk, sp);
  }
  singles_.swap(moved);
  // Whole blocks from `at` down move; those pushed past the end go.
  for (auto it = runs_.begin(); it != runs_.end();) {
    if (it->first < at) {
      ++it;
      continue;
    }
    const int64_t first = int64_t{it->first} + delta;
    if (first > limit) {
      it = runs_.erase(it);
      continue;
    }
    it->first = static_cast<int32_t>(first);
    ++it;
  }
  ClipRuns(limit);
  RebuildLimits();
}

void SpanTable::ShiftCols(int32_t at, int32_t delta, int32_t limit) {
  if (empty()) return;
  EditAll([&](SpanKey& key, Span& span) {
    if (key.head_col) return true;
    if (!ShiftExtent(key.col, span.num_cols, at, delta) || key.col > limit) return false;
    span.num_cols = std::min(span.num_cols, limit - key.col + 1);
    return true;
  });
}

void SpanTable::Clip(int32_t head_rows, int32_t head_cols, int32_t max_rows, int32_t max_cols) {
  if (empty()) return;
  ClipRuns(max_rows);
  EditAll([&](SpanKey& key, Span& span) {
    const int32_t row_limit = key.head_row ? head_rows - 1 : max_rows;
    const int32_t col_limit = key.head_col ? head_cols - 1 : max_cols;
    if (key.row > row_limit || key.col > col_limit) return false;
    span.num_rows = std::min(span.num_rows, row_limit - key.row + 1);
    span.num_cols = std::min(span.num_cols, col_limit - key.col + 1);
    return true;
  });
}

}  // namespace zel::internal
