// Action codes: moving the active cell, inserting and deleting rows and columns, clearing,
// copying blocks, the clipboard and sorting.
#include <algorithm>

#include "grid/internal/grid_input.h"
#include "grid/internal/grid_ops.h"
#include "grid/internal/grid_sort.h"

namespace zel {
using namespace internal;

namespace {

void SetClipboardText(GridState& s, const std::string& text) {
  if (s.clipboard) {
    s.clipboard->Clear();
    s.clipboard->SetText(text);
  } else {
    s.own_clipboard = text;
  }
}

std::string ClipboardText(const GridState& s) {
  return s.clipboard ? s.clipboard->GetText() : s.own_clipboard;
}

// The range a clipboard operation covers: the chosen selection block, else the active cell.
// Whole rows start with the row header column; whole columns stop at the last data row.
CellRange SelectionRange(const GridState& s, bool& whole_rows) {
  whole_rows = false;
  if (s.blocks.empty()) {
    if (!s.ValidCol(s.active_col) || !s.ValidRow(s.active_row) || s.active_col < 1 || s.active_row < 1) {
      return CellRange{1, 0, 1, 0};
    }
    return MakeRange(s, "Clipboard", s.active_col, s.active_row, s.active_col, s.active_row);
  }
  const int32_t idx = s.multi_sel_index >= 0 && s.multi_sel_index < static_cast<int32_t>(s.blocks.size())
                          ? s.multi_sel_index
                          : static_cast<int32_t>(s.blocks.size()) - 1;
  const Block& b = s.blocks[static_cast<size_t>(idx)];
  CellRange r = MakeRange(s, "Clipboard", b.col, b.row, b.col2, b.row2);
  if (b.col == -1) {
    whole_rows = true;
    r.col_lo = LinCol(s, 0);
  }
  if (b.row == -1) {
    r.row_lo = 1;
    r.row_hi = s.data_row_cnt;
  }
  return r;
}

void ClearTexts(GridState& s, const CellRange& r) {
  for (int32_t lr = r.row_lo; lr <= r.row_hi; ++lr) {
    const int32_t row = RowAddr(s, lr);
    const uint32_t slot = s.SlotOf("Action", row);
    for (int32_t lc = r.col_lo; lc <= r.col_hi; ++lc) {
      const int32_t col = ColAddr(s, lc);
      Column& c = s.ColumnAt("Action", col);
      if (!c.Empty(slot)) EraseValue(s, c, col >= 1, row >= 1 ? row : 0, slot);
    }
  }
}

void ClearCells(GridState& s, const CellRange& r) {
  ClearTexts(s, r);
  for (int32_t lr = r.row_lo; lr <= r.row_hi; ++lr) {
    const uint32_t slot = s.SlotOf("Action", RowAddr(s, lr));
    for (int32_t lc = r.col_lo; lc <= r.col_hi; ++lc) {
      Column& c = s.ColumnAt("Action", ColAddr(s, lc));
      c.cell_styles.erase(slot);
      c.tags.erase(slot);
      c.notes.erase(slot);
    }
  }
}

// Replaces column `dst` by a copy of column `src` (contents, formats, tags, item data).
void CopyWholeColumn(GridState& s, const Column& src, Column& dst) {
  ResetColumn(s, dst, true);
  dst.cells = src.cells;
  dst.written = src.written;
  dst.arena = src.arena;
  dst.arena_garbage = src.arena_garbage;
  dst.style = src.style;
  dst.cell_styles = src.cell_styles;
  dst.cell_props = src.cell_props;
  dst.head_cell_props = src.head_cell_props;
  dst.tags = src.tags;
  dst.notes = src.notes;
  dst.item_data = src.item_data;
  dst.data_cells = 0;
  for (uint32_t slot = 0; slot < dst.cells.size() && slot < dst.written; ++slot) {
    if (!dst.cells[slot].empty() && !s.IsHeadSlot(slot)) {
      ++s.row_cells[slot];
      ++dst.data_cells;
    }
  }
}

void CheckDest(const char* what, int64_t first, int64_t count, int64_t limit) {
  if (first < 1 || first + count - 1 > limit) {
    Fail("Action", std::string("copy destination ") + what + " " + std::to_string(first) + " with " +
                       std::to_string(count) + " to copy goes beyond " + std::to_string(limit));
  }
}

void CopyBlock(GridState& s) {
  const bool all_cols = s.col == -1 || s.col2 == -1;
  const bool all_rows = s.row == -1 || s.row2 == -1;
  const CellRange src = MakeRange(s, "Action", s.col, s.row, s.col2, s.row2);
  if (all_cols && all_rows) return;  // the whole grid onto itself
  if (all_rows) {
    const int32_t n = src.col_hi - src.col_lo + 1;
    if (src.col_lo < 1) Fail("Action", "a whole-column copy takes data columns only");
    CheckDest("column", s.dest_col, n, s.max_cols);
    std::vector<Column> copies;
    copies.reserve(static_cast<size_t>(n));
    for (int32_t c = src.col_lo; c <= src.col_hi; ++c) copies.push_back(*s.cols[static_cast<size_t>(c)]);
    for (int32_t i = 0; i < n; ++i) {
      CopyWholeColumn(s, copies[static_cast<size_t>(i)], *s.cols[static_cast<size_t>(s.dest_col + i)]);
    }
    s.RecountRows(1, s.max_rows);
    return;
  }
  if (all_cols) {
    const int32_t n = src.row_hi - src.row_lo + 1;
    if (src.row_lo < 1) Fail("Action", "a whole-row copy takes data rows only");
    CheckDest("row", s.dest_row, n, s.max_rows);
    // Walk so that a source row is read before an overlapping destination overwrites it.
    const bool down = s.dest_row > src.row_lo;
    for (int32_t k = 0; k < n; ++k) {
      const int32_t i = down ? n - 1 - k : k;
      const int32_t from_row = src.row_lo + i;
      const int32_t to_row = s.dest_row + i;
      if (from_row == to_row) continue;
      const uint32_t from = s.row_map[static_cast<size_t>(from_row - 1)];
      const uint32_t to = s.row_map[static_cast<size_t>(to_row - 1)];
      s.ClearSlot(to, to_row);
      if (auto it = s.row_styles.find(from); it != s.row_styles.end()) s.row_styles[to] = it->second;
      for (int32_t lc = 1 - s.head_cols(); lc <= s.max_cols; ++lc) {
        const int32_t col = ColAddr(s, lc);
        Column& c = s.ColumnAt("Action", col);
        CopyValue(s, c, col >= 1, to_row, to, c, from);
        c.cell_styles.Copy(from, to);
        if (auto it = c.tags.find(from); it != c.tags.end()) c.tags[to] = it->second;
        if (auto it = c.notes.find(from); it != c.notes.end()) c.notes[to] = it->second;
      }
    }
    return;
  }
  // A block of single cells: each destination cell gets the source cell's value, its full
  // resolved format (as its own) and its tag and note.
  const int32_t ncols = src.col_hi - src.col_lo + 1;
  const int32_t nrows = src.row_hi - src.row_lo + 1;
  (void)s.ColumnAt("DestCol", s.dest_col);
  (void)s.SlotOf("DestRow", s.dest_row);
  const int32_t dc = LinCol(s, s.dest_col);
  const int32_t dr = LinRow(s, s.dest_row);
  if (dc + ncols - 1 > s.max_cols || dr + nrows - 1 > s.max_rows) {
    Fail("Action", "copy destination column " + AddrText(s.dest_col) + ", row " + AddrText(s.dest_row) +
                       " cannot hold " + AddrText(ncols) + " x " + AddrText(nrows) + " cells");
  }
  struct Saved {
    Column holder;
    std::vector<Patch> formats;
    std::vector<std::string> tags, notes;
  };
  std::vector<Saved> saved(static_cast<size_t>(ncols));
  for (int32_t i = 0; i < ncols; ++i) {
    const Column& c = s.ColumnAt("Action", ColAddr(s, src.col_lo + i));
    Saved& sv = saved[static_cast<size_t>(i)];
    for (int32_t j = 0; j < nrows; ++j) {
      const uint32_t slot = s.SlotOf("Action", RowAddr(s, src.row_lo + j));
      sv.holder.StoreCopy(static_cast<uint32_t>(j), c, slot);
      Patch p;
      for (size_t k = 0; k < kPropCount; ++k) {
        p.Set(static_cast<Prop>(k), 0, s.Resolve(static_cast<Prop>(k), c, slot));
      }
      sv.formats.push_back(std::move(p));
      auto t = c.tags.find(slot);
      sv.tags.push_back(t == c.tags.end() ? std::string() : t->second);
      auto n = c.notes.find(slot);
      sv.notes.push_back(n == c.notes.end() ? std::string() : n->second);
    }
  }
  const uint64_t stamp = s.Stamp();
  for (int32_t i = 0; i < ncols; ++i) {
    const int32_t col = ColAddr(s, dc + i);
    Column& c = s.ColumnAt("Action", col);
    Saved& sv = saved[static_cast<size_t>(i)];
    for (int32_t j = 0; j < nrows; ++j) {
      const int32_t row = RowAddr(s, dr + j);
      const uint32_t slot = s.SlotOf("Action", row);
      CopyValue(s, c, col >= 1, row >= 1 ? row : 0, slot, sv.holder, static_cast<uint32_t>(j));
      Patch& p = sv.formats[static_cast<size_t>(j)];
      for (PatchEntry& e : p.entries()) e.stamp = stamp;
      c.cell_styles[slot] = std::move(p);
      c.cell_props = c.head_cell_props = kAllProps;
      if (sv.tags[static_cast<size_t>(j)].empty()) {
        c.tags.erase(slot);
      } else {
        c.tags[slot] = sv.tags[static_cast<size_t>(j)];
      }
      if (sv.notes[static_cast<size_t>(j)].empty()) {
        c.notes.erase(slot);
      } else {
        c.notes[slot] = sv.notes[static_cast<size_t>(j)];
      }
    }
  }
}

void ClipboardCopy(GridState& s) {
  bool whole_rows = false;
  const CellRange r = SelectionRange(s, whole_rows);
  const std::string text = RangeText(s, r, false);
  SetClipboardText(s, text);
  s.last_row_copy = whole_rows ? text : std::string();
}

void ClipboardCut(GridState& s) {
  ClipboardCopy(s);
  bool whole_rows = false;
  CellRange r = SelectionRange(s, whole_rows);
  if (whole_rows) r.col_lo = 1;  // row headers (row status) stay
  ClearTexts(s, r);
}

void ClipboardPaste(GridState& s) {
  const std::string text = ClipboardText(s);
  if (text.empty() || s.max_rows < 1 || s.max_cols < 1) return;
  int32_t col = s.active_col;
  int32_t row = s.active_row;
  if (!s.blocks.empty()) {
    const Block& b = s.blocks.back();
    col = b.col == -1 ? (text == s.last_row_copy ? 0 : 1) : b.col;
    row = b.row == -1 ? 1 : b.row;
  }
  if (!s.ValidCol(col) || !s.ValidRow(row)) return;
  PasteRows(s, ParseTabText(text), col, row, s.max_cols, s.max_rows, false);
}

// Rows or columns named by an insert/delete action: Row (or Row..Row2 with BlockMode).
void ActionSpan(const GridState& s, bool rows, int32_t& first, int32_t& count) {
  const int32_t a = rows ? s.row : s.col;
  const int32_t b = s.block_mode ? (rows ? s.row2 : s.col2) : a;
  const int32_t limit = rows ? s.max_rows : s.max_cols;
  const char* what = rows ? "row" : "column";
  for (int32_t v : {a, b}) {
    if (v < 1 || v > limit) {
      Fail("Action", std::string(what) + " " + AddrText(v) + " is not a data " + what + " of 1.." + AddrText(limit));
    }
  }
  first = std::min(a, b);
  count = std::max(a, b) - first + 1;
}

}  // namespace

void Grid::Action(int32_t code) {
  GridState& s = *state_;
  const ChangeScope change(s);
  int32_t first = 0, count = 0;
  switch (code) {
    case kActionActiveCell:
      // The cell made active is brought into view, as a move by the keyboard would.
      SetActiveCell(s.col, s.row);
      internal::ScrollIntoView(*this, s.active_col, s.active_row);
      return;
    case kActionGotoCell:
      SetActiveCell(s.col, s.row);
      if (s.active_row > s.rows_frozen) s.top_row = s.active_row;
      if (s.active_col > s.cols_frozen) s.left_col = s.active_col;
      return;
    case kActionSelectBlock:
      SetSelection(s.col, s.row, s.col2, s.row2);
      return;
    case kActionClear:
      ClearCells(s, CurrentRange(s, "Action"));
      return;
    case kActionDeleteCol:
      ActionSpan(s, false, first, count);
      DeleteCols(s, first, count);
      return;
    case kActionDeleteRow:
      ActionSpan(s, true, first, count);
      DeleteRows(s, first, count);
      return;
    case kActionInsertCol:
      ActionSpan(s, false, first, count);
      InsertCols(s, first, count);
      return;
    case kActionInsertRow:
      ActionSpan(s, true, first, count);
      InsertRows(s, first, count);
      return;
    case kActionClearText:
      ClearTexts(s, CurrentRange(s, "Action"));
      return;
    case kActionDeselectBlock:
      ClearSelection();
      return;
    case kActionSetBorder:
      if (s.block_mode) {
        SetCellBorder(s.col, s.row, s.col2, s.row2, s.border_type, s.border_color, s.border_style);
      } else {
        SetCellBorder(s.col, s.row, s.col, s.row, s.border_type, s.border_color, s.border_style);
      }
      return;
    case kActionCopyBlock:
      CopyBlock(s);
      return;
    case kActionClipboardPaste:
      ClipboardPaste(s);
      return;
    case kActionClipboardCut:
      ClipboardCut(s);
      return;
    case kActionClipboardCopy:
      ClipboardCopy(s);
      return;
    case kActionSort:
      SortBlock(s);
      return;
    case kActionComboClear:
      WriteProp(s, "Action", Prop::kComboList, std::string());
      return;
    default:
      Fail("Action", "action code " + AddrText(code) + " is not an action of this grid");
  }
}

}  // namespace zel

namespace zel {
using namespace internal;

int16_t Grid::SortBy() const { return state_->sort_by; }
void Grid::SortBy(int16_t by) {
  if (by != kSortByRow && by != kSortByCol) Fail("SortBy", "sort direction " + AddrText(by) + " is neither 0 nor 1");
  state_->sort_by = by;
}

int32_t Grid::SortKey(int32_t n) const {
  if (n < 1) Fail("SortKey", "key number " + AddrText(n) + " is below 1");
  const auto& keys = state_->sort_keys;
  return static_cast<size_t>(n) <= keys.size() ? keys[static_cast<size_t>(n - 1)] : 0;
}

void Grid::SortKey(int32_t n, int32_t key) {
  if (n < 1 || n > kMaxHeaders) Fail("SortKey", "key number " + AddrText(n) + " is outside 1.." + AddrText(kMaxHeaders));
  if (key < 0) Fail("SortKey", "key " + AddrText(key) + " is negative");
  auto& keys = state_->sort_keys;
  if (keys.size() < static_cast<size_t>(n)) keys.resize(static_cast<size_t>(n), 0);
  keys[static_cast<size_t>(n - 1)] = key;
}

int16_t Grid::SortKeyOrder(int32_t n) const {
  if (n < 1) Fail("SortKeyOrder", "key number " + AddrText(n) + " is below 1");
  const auto& orders = state_->sort_orders;
  return static_cast<size_t>(n) <= orders.size() ? orders[static_cast<size_t>(n - 1)] : int16_t{kSortNone};
}

void Grid::SortKeyOrder(int32_t n, int16_t order) {
  if (n < 1 || n > kMaxHeaders) Fail("SortKeyOrder", "key number " + AddrText(n) + " is outside 1.." + AddrText(kMaxHeaders));
  if (order < kSortNone || order > kSortDescending) Fail("SortKeyOrder", "order " + AddrText(order) + " is outside 0..2");
  auto& orders = state_->sort_orders;
  if (orders.size() < static_cast<size_t>(n)) orders.resize(static_cast<size_t>(n), kSortNone);
  orders[static_cast<size_t>(n - 1)] = order;
}

}  // namespace zel
