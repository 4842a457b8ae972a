// Inserting and deleting rows and columns, and keeping positions inside the grid after the
// grid shrinks.
#include <algorithm>

#include "grid/internal/grid_ops.h"

namespace zel::internal {

void InsertRows(GridState& s, int32_t at, int32_t count) {
  if (at < 1 || at > s.max_rows || count < 1) return;
  const int32_t k = std::min(count, s.max_rows - at + 1);
  // The last k rows fall off the end; their cleared slots become the new empty rows.
  for (int32_t r = s.max_rows; r > s.max_rows - k; --r) s.ClearSlot(s.row_map[static_cast<size_t>(r - 1)], r);
  std::rotate(s.row_map.begin() + (at - 1), s.row_map.end() - k, s.row_map.end());
  if (k <= 64) {
    for (int32_t i = 0; i < k; ++i) s.data_rows.InsertAt(at);
    s.RefreshDataRowCnt();
  } else {
    s.RecountRows(at, s.max_rows);
  }
  s.spans.ShiftRows(at, k, s.max_rows);
}

void DeleteRows(GridState& s, int32_t at, int32_t count) {
  if (at < 1 || at > s.max_rows || count < 1) return;
  const int32_t k = std::min(count, s.max_rows - at + 1);
  for (int32_t r = at; r < at + k; ++r) s.ClearSlot(s.row_map[static_cast<size_t>(r - 1)], r);
  std::rotate(s.row_map.begin() + (at - 1), s.row_map.begin() + (at - 1 + k), s.row_map.end());
  if (k <= 64) {
    for (int32_t i = 0; i < k; ++i) s.data_rows.EraseAt(at);
    s.RefreshDataRowCnt();
  } else {
    s.RecountRows(at, s.max_rows);
  }
  s.spans.ShiftRows(at, -k, s.max_rows);
}

void ResetColumn(GridState& s, Column& c, bool data_col) {
  if (data_col && c.data_cells > 0) {
    for (uint32_t slot = 0; slot < c.cells.size() && slot < c.written; ++slot) {
      if (!c.cells[slot].empty() && !s.IsHeadSlot(slot)) --s.row_cells[slot];
    }
  }
  c.ClearAll();
  c.item_data = 0;
  c.id.clear();
  c.width = -1;
  c.hidden = false;
  c.merge = kMergeNone;
}

namespace {

bool AnyData(const GridState& s, int32_t from, int32_t to) {
  for (int32_t c = from; c <= to; ++c) {
    if (s.cols[static_cast<size_t>(c)]->data_cells > 0) return true;
  }
  return false;
}

}  // namespace

void InsertCols(GridState& s, int32_t at, int32_t count) {
  if (at < 1 || at > s.max_cols || count < 1) return;
  const int32_t k = std::min(count, s.max_cols - at + 1);
  const bool recount = AnyData(s, s.max_cols - k + 1, s.max_cols);
  for (int32_t c = s.max_cols - k + 1; c <= s.max_cols; ++c) ResetColumn(s, *s.cols[static_cast<size_t>(c)], true);
  std::rotate(s.cols.begin() + at, s.cols.end() - k, s.cols.end());
  if (recount) s.RecountRows(1, s.max_rows);
  s.spans.ShiftCols(at, k, s.max_cols);
}

void DeleteCols(GridState& s, int32_t at, int32_t count) {
  if (at < 1 || at > s.max_cols || count < 1) return;
  const int32_t k = std::min(count, s.max_cols - at + 1);
  const bool recount = AnyData(s, at, at + k - 1);
  for (int32_t c = at; c < at + k; ++c) ResetColumn(s, *s.cols[static_cast<size_t>(c)], true);
  std::rotate(s.cols.begin() + at, s.cols.begin() + at + k, s.cols.end());
  if (recount) s.RecountRows(1, s.max_rows);
  s.spans.ShiftCols(at, -k, s.max_cols);
}

void ClipToSize(GridState& s) {
  s.rows_frozen = std::min(s.rows_frozen, s.max_rows);
  s.cols_frozen = std::min(s.cols_frozen, s.max_cols);
  s.active_row = std::clamp(s.active_row, 1, std::max(1, s.max_rows));
  s.active_col = std::clamp(s.active_col, 1, std::max(1, s.max_cols));
  s.top_row = std::clamp(s.top_row, 1, std::max(1, s.max_rows));
  s.left_col = std::clamp(s.left_col, 1, std::max(1, s.max_cols));
  // Spans that leave the grid are cut to it; those wholly outside go.
  s.spans.Clip(s.head_rows(), s.head_cols(), s.max_rows, s.max_cols);
  // Selected blocks are cut the same way.
  std::vector<Block> kept;
  for (Block b : s.blocks) {
    if (b.row != -1) {
      if (std::min(b.row, b.row2) > s.max_rows) continue;
      b.row = std::min(b.row, s.max_rows);
      b.row2 = std::min(b.row2, s.max_rows);
    }
    if (b.col != -1) {
      if (std::min(b.col, b.col2) > s.max_cols) continue;
      b.col = std::min(b.col, s.max_cols);
      b.col2 = std::min(b.col2, s.max_cols);
    }
    kept.push_back(b);
  }
  s.blocks.swap(kept);
  if (s.multi_sel_index >= static_cast<int32_t>(s.blocks.size())) s.multi_sel_index = -1;
}

}  // namespace zel::internal
