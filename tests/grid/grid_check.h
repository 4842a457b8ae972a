// Test helpers for the grid: an invariant checker to run after every step of a scenario, and a
// compact text picture of the grid's contents.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "grid/internal/grid_store.h"
#include "zelsheet/grid.h"

namespace zel::testing_grid {

// Re-checks what the engine keeps incrementally against a full scan:
// - DataRowCnt is the last data row holding a non-empty cell in a data column;
// - DataColCnt is the last data column holding a non-empty cell in a data row;
// - the row map is a permutation of distinct slots, disjoint from the header and free slots;
// - the per-slot cell counts match the cells;
// - no two spans overlap and every span lies inside the grid.
inline ::testing::AssertionResult Invariants(const Grid& g) {
  const internal::GridState& s = internal::StateOf(g);
  int32_t last_row = 0, last_col = 0;
  std::string text;
  for (int32_t r = 1; r <= g.MaxRows(); ++r) {
    for (int32_t c = 1; c <= g.MaxCols(); ++c) {
      if (g.GetText(c, r, text)) {
        last_row = std::max(last_row, r);
        last_col = std::max(last_col, c);
      }
    }
  }
  if (g.DataRowCnt() != last_row) {
    return ::testing::AssertionFailure() << "DataRowCnt " << g.DataRowCnt() << " but the last data row is " << last_row;
  }
  if (g.DataColCnt() != last_col) {
    return ::testing::AssertionFailure() << "DataColCnt " << g.DataColCnt() << " but the last data column is " << last_col;
  }
  std::set<uint32_t> seen(s.head_slots.begin(), s.head_slots.end());
  if (seen.size() != s.head_slots.size()) return ::testing::AssertionFailure() << "header slots repeat";
  for (uint32_t slot : s.row_map) {
    if (!seen.insert(slot).second) return ::testing::AssertionFailure() << "slot " << slot << " used twice";
  }
  for (uint32_t slot : s.free_slots) {
    if (seen.count(slot)) return ::testing::AssertionFailure() << "slot " << slot << " is free and in use";
  }
  for (int32_t r = 1; r <= g.MaxRows(); ++r) {
    const uint32_t slot = s.row_map[static_cast<size_t>(r - 1)];
    uint32_t count = 0;
    for (int32_t c = 1; c <= g.MaxCols(); ++c) count += s.cols[static_cast<size_t>(c)]->Empty(slot) ? 0 : 1;
    if (count != s.row_cells[slot]) {
      return ::testing::AssertionFailure() << "row " << r << " counts " << s.row_cells[slot] << " cells, holds " << count;
    }
  }
  for (auto a = s.spans.begin(); a != s.spans.end(); ++a) {
    const auto& [ka, sa] = *a;
    const int32_t row_limit = ka.head_row ? g.ColHeaderRows() - 1 : g.MaxRows();
    const int32_t col_limit = ka.head_col ? g.RowHeaderCols() - 1 : g.MaxCols();
    if (ka.row + sa.num_rows - 1 > row_limit || ka.col + sa.num_cols - 1 > col_limit) {
      return ::testing::AssertionFailure() << "span at col " << ka.col << ", row " << ka.row << " leaves the grid";
    }
    for (auto b = std::next(a); b != s.spans.end(); ++b) {
      const auto& [kb, sb] = *b;
      if (ka.head_row != kb.head_row || ka.head_col != kb.head_col) continue;
      const bool rows = ka.row < kb.row + sb.num_rows && kb.row < ka.row + sa.num_rows;
      const bool cols = ka.col < kb.col + sb.num_cols && kb.col < ka.col + sa.num_cols;
      if (rows && cols) {
        return ::testing::AssertionFailure() << "spans at (" << ka.col << "," << ka.row << ") and (" << kb.col << ","
                                             << kb.row << ") overlap";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// The grid as text: one line per row from the header row to `rows` (MaxRows when -1), the row
// header first, cells joined by "|".
inline std::string Picture(const Grid& g, int32_t rows = -1) {
  std::ostringstream out;
  std::string text;
  const int32_t last = rows < 0 ? g.MaxRows() : rows;
  for (int32_t r = 0; r <= last; ++r) {
    for (int32_t c = 0; c <= g.MaxCols(); ++c) {
      g.GetText(c, r, text);
      if (c > 0) out << '|';
      out << text;
    }
    out << '\n';
  }
  return out.str();
}

// Fills rows 1.. from a picture-like list of rows of cells (column 1 onward).
inline void Fill(Grid& g, const std::vector<std::vector<std::string>>& rows) {
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      g.SetText(static_cast<int32_t>(c + 1), static_cast<int32_t>(r + 1), rows[r][c]);
    }
  }
}

}  // namespace zel::testing_grid
