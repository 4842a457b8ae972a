// Selection: blocks of cells, whole rows and whole columns, several blocks at once.
#include <algorithm>

#include "grid/internal/grid_ops.h"

namespace zel {
using namespace internal;

namespace internal {

bool BlockContains(const GridState& s, const Block& b, int32_t col, int32_t row) {
  const bool in_cols = b.col == -1 || (LinCol(s, col) >= LinCol(s, b.col) && LinCol(s, col) <= LinCol(s, b.col2));
  const bool in_rows = b.row == -1 || (LinRow(s, row) >= LinRow(s, b.row) && LinRow(s, row) <= LinRow(s, b.row2));
  return in_cols && in_rows;
}

}  // namespace internal

namespace {

Block MakeBlock(const GridState& s, const char* who, int32_t col, int32_t row, int32_t col2, int32_t row2) {
  s.CheckColAll(who, col);
  s.CheckColAll(who, col2);
  s.CheckRowAll(who, row);
  s.CheckRowAll(who, row2);
  Block b{col, row, col2, row2};
  if (b.col == -1 || b.col2 == -1) {
    b.col = b.col2 = -1;
  } else if (LinCol(s, b.col) > LinCol(s, b.col2)) {
    std::swap(b.col, b.col2);
  }
  if (b.row == -1 || b.row2 == -1) {
    b.row = b.row2 = -1;
  } else if (LinRow(s, b.row) > LinRow(s, b.row2)) {
    std::swap(b.row, b.row2);
  }
  return b;
}

const Block* ChosenBlock(const GridState& s) {
  if (s.blocks.empty()) return nullptr;
  if (s.multi_sel_index >= 0 && s.multi_sel_index < static_cast<int32_t>(s.blocks.size())) {
    return &s.blocks[static_cast<size_t>(s.multi_sel_index)];
  }
  return &s.blocks.back();
}

// The data rows [lo, hi] of a whole-row block (all rows for an all-cells block).
bool WholeRowSpan(const GridState& s, const Block& b, int32_t& lo, int32_t& hi) {
  if (b.col != -1) return false;
  if (b.row == -1) {
    lo = 1;
    hi = s.max_rows;
  } else {
    lo = std::max(b.row, 1);
    hi = b.row2;
  }
  return lo <= hi;
}

}  // namespace

int16_t Grid::OperationMode() const { return state_->operation_mode; }
void Grid::OperationMode(int16_t mode) {
  if (mode < 0 || mode > 5) Fail("OperationMode", "mode " + AddrText(mode) + " is outside 0..5");
  state_->operation_mode = mode;
}
int16_t Grid::SelectBlockOptions() const { return state_->select_block_options; }
void Grid::SelectBlockOptions(int16_t options) {
  if (options < 0 || options > 15) Fail("SelectBlockOptions", "options " + AddrText(options) + " are outside 0..15");
  state_->select_block_options = options;
}
bool Grid::AllowMultiBlocks() const { return state_->allow_multi_blocks; }
void Grid::AllowMultiBlocks(bool allow) { state_->allow_multi_blocks = allow; }

void Grid::SetSelection(int32_t col, int32_t row, int32_t col2, int32_t row2) {
  GridState& s = *state_;
  const Block b = MakeBlock(s, "SetSelection", col, row, col2, row2);
  s.blocks.assign(1, b);
  s.multi_sel_index = -1;
  NoteAllChanged(s, false);
}

void Grid::AddSelection(int32_t col, int32_t row, int32_t col2, int32_t row2) {
  GridState& s = *state_;
  s.blocks.push_back(MakeBlock(s, "AddSelection", col, row, col2, row2));
  s.multi_sel_index = -1;
  NoteAllChanged(s, false);
}

void Grid::ClearSelection() {
  state_->blocks.clear();
  state_->multi_sel_index = -1;
  NoteAllChanged(*state_, false);
}

int32_t Grid::SelBlockCol() const {
  const Block* b = ChosenBlock(*state_);
  return b ? b->col : 0;
}
int32_t Grid::SelBlockCol2() const {
  const Block* b = ChosenBlock(*state_);
  return b ? b->col2 : 0;
}
int32_t Grid::SelBlockRow() const {
  const Block* b = ChosenBlock(*state_);
  return b ? b->row : 0;
}
int32_t Grid::SelBlockRow2() const {
  const Block* b = ChosenBlock(*state_);
  return b ? b->row2 : 0;
}

bool Grid::IsBlockSelected() const { return !state_->blocks.empty(); }

bool Grid::IsCellSelected(int32_t col, int32_t row) const {
  const GridState& s = *state_;
  (void)s.ColumnAt("IsCellSelected", col);
  (void)s.SlotOf("IsCellSelected", row);
  for (const Block& b : s.blocks) {
    if (BlockContains(s, b, col, row)) return true;
  }
  return false;
}

int32_t Grid::MultiSelCount() const { return static_cast<int32_t>(state_->blocks.size()); }
int32_t Grid::MultiSelIndex() const {
  const GridState& s = *state_;
  if (s.multi_sel_index >= 0) return s.multi_sel_index;
  return static_cast<int32_t>(s.blocks.size()) - 1;
}
void Grid::MultiSelIndex(int32_t index) {
  GridState& s = *state_;
  if (index < 0 || index >= static_cast<int32_t>(s.blocks.size())) {
    Fail("MultiSelIndex", "block " + AddrText(index) + " is outside the " +
                              std::to_string(s.blocks.size()) + " selected blocks");
  }
  s.multi_sel_index = index;
}

int32_t Grid::GetMultiSelItem(int32_t previousRow) const {
  const GridState& s = *state_;
  int64_t best = INT64_MAX;
  for (const Block& b : s.blocks) {
    int32_t lo, hi;
    if (!WholeRowSpan(s, b, lo, hi)) continue;
    const int64_t next = std::max<int64_t>(lo, static_cast<int64_t>(previousRow) + 1);
    if (next <= hi) best = std::min(best, next);
  }
  return best == INT64_MAX ? -1 : static_cast<int32_t>(best);
}

int32_t Grid::SelModeIndex() const { return state_->sel_mode_index; }
void Grid::SelModeIndex(int32_t row) {
  GridState& s = *state_;
  if (row < 0 || row > s.max_rows) Fail("SelModeIndex", "row " + AddrText(row) + " is outside 0.." + AddrText(s.max_rows));
  s.sel_mode_index = row;
}

bool Grid::SelModeSelected() const {
  const GridState& s = *state_;
  const int32_t row = s.sel_mode_index;
  for (const Block& b : s.blocks) {
    int32_t lo, hi;
    if (WholeRowSpan(s, b, lo, hi) && row >= lo && row <= hi) return true;
  }
  return false;
}

void Grid::SelModeSelected(bool selected) {
  GridState& s = *state_;
  const int32_t row = s.sel_mode_index;
  if (row < 1 || row > s.max_rows) Fail("SelModeSelected", "SelModeIndex " + AddrText(row) + " is not a data row");
  const ChangeScope change(s, -1, row, -1, row);
  if (selected) {
    if (!SelModeSelected()) s.blocks.push_back(Block{-1, row, -1, row});
    return;
  }
  std::vector<Block> kept;
  for (const Block& b : s.blocks) {
    int32_t lo, hi;
    if (!WholeRowSpan(s, b, lo, hi) || row < lo || row > hi) {
      kept.push_back(b);
      continue;
    }
    if (lo < row) kept.push_back(Block{-1, lo, -1, row - 1});
    if (row < hi) kept.push_back(Block{-1, row + 1, -1, hi});
  }
  s.blocks.swap(kept);
  s.multi_sel_index = -1;
}

int32_t Grid::SelModeSelCount() const {
  const GridState& s = *state_;
  std::vector<std::pair<int32_t, int32_t>> spans;
  for (const Block& b : s.blocks) {
    int32_t lo, hi;
    if (WholeRowSpan(s, b, lo, hi)) spans.emplace_back(lo, hi);
  }
  std::sort(spans.begin(), spans.end());
  int64_t count = 0;
  int64_t covered_to = 0;
  for (auto [lo, hi] : spans) {
    const int64_t from = std::max<int64_t>(lo, covered_to + 1);
    if (hi >= from) count += hi - from + 1;
    covered_to = std::max<int64_t>(covered_to, hi);
  }
  return static_cast<int32_t>(count);
}

}  // namespace zel
