// Test helpers for the grid: an invariant checker to run after every step of a scenario, and a
// compact text picture of the grid's contents.
#pragma once

#include <gtest/gtest.h>

#include <map>
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
// - no two spans overlap and every span lies inside the grid;
// - formats: every patch is sorted by property, its stamps are older than the next stamp, the
//   sheet level holds every property with a value of the property's type, row and cell
//   patches sit in slots in use and only hold properties their level's filter lets through;
// - text arena: a text in the arena is longer than a cell holds inline, two different texts
//   never share bytes, their bytes fit in the arena, and cells past `written` are empty.
inline ::testing::AssertionResult FormatInvariants(const internal::GridState& s, const std::set<uint32_t>& used) {
  using internal::Patch;
  using internal::PropBit;
  std::set<uint32_t> heads(s.head_slots.begin(), s.head_slots.end());
  auto check = [&](const Patch& p, const char* where, uint32_t slot, internal::PropBits allowed) -> std::string {
    const auto& e = p.entries();
    for (size_t i = 0; i < e.size(); ++i) {
      const char* bad = nullptr;
      if (i > 0 && !(e[i - 1].prop < e[i].prop)) bad = "is not sorted";
      else if (e[i].stamp >= s.next_stamp) bad = "has a stamp from the future";
      else if (e[i].value.index() != internal::DefaultProp(e[i].prop).index()) bad = "holds a value of the wrong type";
      else if (!(allowed & PropBit(e[i].prop))) bad = "holds a property its filter does not name";
      if (bad) return std::string(where) + " patch of slot " + std::to_string(slot) + " " + bad;
    }
    return "";
  };
  std::string err = check(s.sheet_style, "sheet", 0, internal::kAllProps);
  if (err.empty() && s.sheet_style.entries().size() != internal::kPropCount) err = "the sheet level lacks a property";
  for (const auto& [slot, patch] : s.row_styles) {
    if (!err.empty()) break;
    if (!used.count(slot)) err = "row format kept for unused slot " + std::to_string(slot);
    else err = check(patch, "row", slot, heads.count(slot) ? s.head_row_props : s.row_props);
  }
  auto column = [&](const internal::Column& c, int32_t col) {
    const std::string at = " in column " + std::to_string(col);
    if (!err.empty()) return;
    err = check(c.style, "column", 0, internal::kAllProps);
    c.cell_styles.ForEach([&](uint32_t slot, const Patch& patch) {
      if (!err.empty()) return;
      if (!used.count(slot)) err = "cell format kept for unused slot " + std::to_string(slot);
      else err = check(patch, "cell", slot, heads.count(slot) ? c.head_cell_props : c.cell_props);
    });
    std::map<uint64_t, uint32_t> texts;  // locator -> size
    for (uint32_t slot = 0; slot < c.cells.size() && err.empty(); ++slot) {
      const internal::Cell& cell = c.cells[slot];
      if (slot >= c.written && !cell.empty()) err = "cell past `written` not empty, slot " + std::to_string(slot);
      if (cell.rep() != internal::Cell::kArena) continue;
      if (cell.arena_size() <= internal::Cell::kInlineMax) err = "short text in the arena, slot " + std::to_string(slot);
      auto [it, fresh] = texts.emplace(cell.arena_offset(), cell.arena_size());
      if (!fresh && it->second != cell.arena_size()) err = "one locator, two sizes, slot " + std::to_string(slot);
    }
    size_t live = 0;
    for (auto a = texts.begin(); a != texts.end() && err.empty(); ++a) {
      live += a->second;
      auto b = std::next(a);
      if (b != texts.end() && (b->first >> 32) == (a->first >> 32) && b->first < a->first + a->second) {
        err = "two texts share arena bytes";
      }
    }
    if (err.empty() && live > c.arena.size()) err = "live texts exceed the arena";
    if (!err.empty()) err += at;
  };
  for (size_t i = 0; i < s.cols.size(); ++i) column(*s.cols[i], static_cast<int32_t>(i));
  for (size_t i = 0; i < s.extra_head_cols.size(); ++i) column(*s.extra_head_cols[i], -1000 + static_cast<int32_t>(i) + 1);
  if (!err.empty()) return ::testing::AssertionFailure() << err;
  return ::testing::AssertionSuccess();
}

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
  if (auto f = FormatInvariants(s, seen); !f) return f;
  const auto spans = s.spans.All();
  for (auto a = spans.begin(); a != spans.end(); ++a) {
    const auto& [ka, sa] = *a;
    const int32_t row_limit = ka.head_row ? g.ColHeaderRows() - 1 : g.MaxRows();
    const int32_t col_limit = ka.head_col ? g.RowHeaderCols() - 1 : g.MaxCols();
    if (ka.row + sa.num_rows - 1 > row_limit || ka.col + sa.num_cols - 1 > col_limit) {
      return ::testing::AssertionFailure() << "span at col " << ka.col << ", row " << ka.row << " leaves the grid";
    }
    for (auto b = std::next(a); b != spans.end(); ++b) {
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

// Points the property cursor at (col, row) and gives the grid back, so that a format write
// reads as one line: `At(g, 2, -1).CellType(kCellFloat);`.
inline Grid& At(Grid& g, int32_t col, int32_t row) {
  g.Col(col);
  g.Row(row);
  return g;
}

// Points the property cursor at the block (col, row)..(col2, row2).
inline Grid& Block(Grid& g, int32_t col, int32_t row, int32_t col2, int32_t row2) {
  g.Col(col);
  g.Row(row);
  g.Col2(col2);
  g.Row2(row2);
  return g;
}

}  // namespace zel::testing_grid
