// Layout: column widths, row heights, hidden and frozen rows and columns, merges, item data,
// scrolling, unit conversions and the geometry of the painted area.
#include <algorithm>
#include <cmath>

#include "grid/internal/grid_ops.h"
#include "text/strings.h"

namespace zel {
using namespace internal;

namespace {

void CheckSize(const char* who, double v) {
  if (!std::isfinite(v) || v < 0) Fail(who, "size " + std::to_string(v) + " is not a non-negative number");
}

// Display width of a text in character cells: East Asian wide characters take two.
int32_t TextCells(std::string_view line) {
  int32_t cells = 0;
  size_t i = 0;
  while (i < line.size()) {
    const size_t n = text::CharSizeAt(line, i);
    uint32_t cp = static_cast<unsigned char>(line[i]);
    if (n == 3) {
      cp = ((cp & 0x0F) << 12) | ((static_cast<unsigned char>(line[i + 1]) & 0x3F) << 6) |
           (static_cast<unsigned char>(line[i + 2]) & 0x3F);
    }
    const bool wide = n == 3 && ((cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
                                 (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
                                 (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
                                 (cp >= 0xFFE0 && cp <= 0xFFE6));
    cells += wide ? 2 : 1;
    i += n == 0 ? 1 : n;
  }
  return cells;
}

// Width (column units) and height (points) a text needs in a font of `size` points.
void TextExtent(std::string_view text, double size, double& width, double& height) {
  int32_t widest = 0;
  int32_t lines = 0;
  for (std::string_view line : text::SplitView(text, "\n")) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    widest = std::max(widest, TextCells(line));
    ++lines;
  }
  width = widest * size / 9.0;
  height = lines * size * 4.0 / 3.0;
}

double ColWidthOf(const GridState& s, const Column& c) { return c.width < 0 ? s.default_col_width : c.width; }

double RowHeightOf(const GridState& s, uint32_t slot) {
  auto it = s.row_heights.find(slot);
  return it == s.row_heights.end() ? s.default_row_height : it->second;
}

bool SameText(const GridState& s, int32_t c1, int32_t r1, int32_t c2, int32_t r2) {
  return ShownText(s, s.ColumnAt("merge", c1), s.SlotOf("merge", r1)) ==
         ShownText(s, s.ColumnAt("merge", c2), s.SlotOf("merge", r2));
}

int16_t RowMergeOf(const GridState& s, int32_t row) {
  auto it = s.row_merge.find(s.SlotOf("RowMerge", row));
  return it == s.row_merge.end() ? int16_t{kMergeNone} : it->second;
}

// Whether rows `upper` and `lower` of column `col` (merged in `mode`) show one run: equal
// texts there and, for a restricted merge, in every merged column before it.
bool ColumnRowsJoin(const GridState& s, int32_t col, int16_t mode, int32_t upper, int32_t lower) {
  if (!SameText(s, col, upper, col, lower)) return false;
  if (mode != kMergeRestricted) return true;
  for (int32_t c = 1; c < col; ++c) {
    if (s.cols[static_cast<size_t>(c)]->merge != kMergeNone && !SameText(s, c, upper, c, lower)) return false;
  }
  return true;
}

// The same across: columns `left` and `right` of row `row`, merged in `mode`.
bool RowColsJoin(const GridState& s, int32_t row, int16_t mode, int32_t left, int32_t right) {
  if (!SameText(s, left, row, right, row)) return false;
  if (mode != kMergeRestricted) return true;
  for (int32_t r = 1; r < row; ++r) {
    if (RowMergeOf(s, r) != kMergeNone && !SameText(s, left, r, right, r)) return false;
  }
  return true;
}

}  // namespace

namespace internal {

int32_t ColTwips(const GridState& s, int32_t col) {
  const Column& c = s.ColumnAt("layout", col);
  if (c.hidden) return 0;
  return static_cast<int32_t>(std::lround(std::min(ColWidthOf(s, c) * Grid::kTwipsPerColUnit, 2e9)));
}

int32_t RowTwips(const GridState& s, int32_t row) {
  const uint32_t slot = s.SlotOf("layout", row);
  if (!s.hidden_rows.empty() && s.hidden_rows.count(slot)) return 0;
  return static_cast<int32_t>(std::lround(std::min(RowHeightOf(s, slot) * Grid::kTwipsPerRowUnit, 2e9)));
}

void ComputeLayout(const GridState& s, const GridViewport& vp, VisibleLayout& out) {
  out.cols.clear();
  out.rows.clear();
  out.width = std::max(vp.width, 0);
  out.height = std::max(vp.height, 0);
  // Lines are laid out while they start inside the viewport; positions stay below it.
  auto lay = [](std::vector<LayoutLine>& lines, int32_t limit) {
    int64_t at = 0;
    return [&lines, limit, at](int32_t index, LayoutLine::Area area, int32_t size) mutable {
      if (size > 0) {
        lines.push_back(LayoutLine{index, static_cast<int32_t>(at), size, area});
        at += size;
      }
      return at < limit;
    };
  };
  if (out.width > 0) {
    auto add = lay(out.cols, out.width);
    WalkCols(s, vp.left_col, [&](int32_t col, LayoutLine::Area area) { return add(col, area, ColTwips(s, col)); });
  }
  if (out.height > 0) {
    auto add = lay(out.rows, out.height);
    WalkRows(s, vp.top_row, [&](int32_t row, LayoutLine::Area area) { return add(row, area, RowTwips(s, row)); });
  }
  auto used = [](const std::vector<LayoutLine>& lines, int32_t limit) {
    if (lines.empty()) return 0;
    return static_cast<int32_t>(std::min<int64_t>(int64_t{lines.back().pos} + lines.back().size, limit));
  };
  out.used_width = used(out.cols, out.width);
  out.used_height = used(out.rows, out.height);
}

const LayoutLine* LineAt(const std::vector<LayoutLine>& lines, int32_t pos) {
  auto it = std::upper_bound(lines.begin(), lines.end(), pos,
                             [](int32_t p, const LayoutLine& l) { return p < l.pos; });
  if (it == lines.begin()) return nullptr;
  --it;
  return pos - it->pos < it->size ? &*it : nullptr;
}

bool JoinsAbove(const GridState& s, int32_t col, int32_t row) {
  if (col < 1 || row < 2 || col > s.max_cols || row > s.max_rows) return false;
  const Column& c = *s.cols[static_cast<size_t>(col)];
  if (c.merge == kMergeNone || c.Empty(s.SlotOf("merge", row))) return false;
  return ColumnRowsJoin(s, col, c.merge, row - 1, row);
}

bool JoinsLeft(const GridState& s, int32_t col, int32_t row) {
  if (col < 2 || row < 1 || col > s.max_cols || row > s.max_rows || s.row_merge.empty()) return false;
  const int16_t mode = RowMergeOf(s, row);
  if (mode == kMergeNone || s.cols[static_cast<size_t>(col)]->Empty(s.SlotOf("merge", row))) return false;
  return RowColsJoin(s, row, mode, col - 1, col);
}

}  // namespace internal

// ---- Widths and heights ----------------------------------------------------------------
double Grid::ColWidth(int32_t col) const {
  const GridState& s = *state_;
  if (col == -1) return s.default_col_width;
  return ColWidthOf(s, s.ColumnAt("ColWidth", col));
}

void Grid::ColWidth(int32_t col, double width) {
  GridState& s = *state_;
  CheckSize("ColWidth", width);
  const ChangeScope change(s, col, -1, col, -1, true);
  if (col == -1) {
    s.default_col_width = width;
    s.ForEachColumn([](Column& c) { c.width = -1; });
    return;
  }
  s.ColumnAt("ColWidth", col).width = width;
}

double Grid::RowHeight(int32_t row) const {
  const GridState& s = *state_;
  if (row == -1) return s.default_row_height;
  return RowHeightOf(s, s.SlotOf("RowHeight", row));
}

void Grid::RowHeight(int32_t row, double height) {
  GridState& s = *state_;
  CheckSize("RowHeight", height);
  const ChangeScope change(s, -1, row, -1, row, true);
  if (row != -1) {
    s.row_heights[s.SlotOf("RowHeight", row)] = height;
    return;
  }
  // All data rows: header rows keep the height they show now.
  for (uint32_t h : s.head_slots) s.row_heights.emplace(h, s.default_row_height);
  for (auto it = s.row_heights.begin(); it != s.row_heights.end();) {
    it = s.IsHeadSlot(it->first) ? std::next(it) : s.row_heights.erase(it);
  }
  s.default_row_height = height;
}

bool Grid::ColHidden() const {
  const GridState& s = *state_;
  if (s.col == -1) {
    for (int32_t c = 1; c <= s.max_cols; ++c) {
      if (!s.cols[static_cast<size_t>(c)]->hidden) return false;
    }
    return s.max_cols > 0;
  }
  return s.ColumnAt("ColHidden", s.col).hidden;
}

void Grid::ColHidden(bool hidden) {
  GridState& s = *state_;
  const ChangeScope change(s);
  if (s.col == -1) {
    for (int32_t c = 1; c <= s.max_cols; ++c) s.cols[static_cast<size_t>(c)]->hidden = hidden;
    return;
  }
  if (s.block_mode && s.col2 != -1) {
    (void)s.ColumnAt("ColHidden", s.col2);
    const int32_t lo = std::min(LinCol(s, s.col), LinCol(s, s.col2));
    const int32_t hi = std::max(LinCol(s, s.col), LinCol(s, s.col2));
    for (int32_t lc = lo; lc <= hi; ++lc) s.ColumnAt("ColHidden", ColAddr(s, lc)).hidden = hidden;
    return;
  }
  s.ColumnAt("ColHidden", s.col).hidden = hidden;
}

bool Grid::RowHidden() const {
  const GridState& s = *state_;
  if (s.row == -1) {
    for (int32_t r = 1; r <= s.max_rows; ++r) {
      if (!s.hidden_rows.count(s.row_map[static_cast<size_t>(r - 1)])) return false;
    }
    return s.max_rows > 0;
  }
  return s.hidden_rows.count(s.SlotOf("RowHidden", s.row)) > 0;
}

void Grid::RowHidden(bool hidden) {
  GridState& s = *state_;
  const ChangeScope change(s);
  auto apply = [&](uint32_t slot) {
    if (hidden) {
      s.hidden_rows.insert(slot);
    } else {
      s.hidden_rows.erase(slot);
    }
  };
  if (s.row == -1) {
    for (int32_t r = 1; r <= s.max_rows; ++r) apply(s.row_map[static_cast<size_t>(r - 1)]);
    return;
  }
  if (s.block_mode && s.row2 != -1) {
    (void)s.SlotOf("RowHidden", s.row2);
    const int32_t lo = std::min(LinRow(s, s.row), LinRow(s, s.row2));
    const int32_t hi = std::max(LinRow(s, s.row), LinRow(s, s.row2));
    for (int32_t lr = lo; lr <= hi; ++lr) apply(s.SlotOf("RowHidden", RowAddr(s, lr)));
    return;
  }
  apply(s.SlotOf("RowHidden", s.row));
}

int32_t Grid::ColsFrozen() const { return state_->cols_frozen; }
// A frozen count is at most the grid's size, as MaxRows and MaxCols keep it: more frozen
// rows than rows freezes them all, and a saved and loaded grid reads back the same count.
void Grid::ColsFrozen(int32_t cols) {
  if (cols < 0) Fail("ColsFrozen", "count " + AddrText(cols) + " is below 0");
  state_->cols_frozen = std::min(cols, state_->max_cols);
  NoteAllChanged(*state_);
}
int32_t Grid::RowsFrozen() const { return state_->rows_frozen; }
void Grid::RowsFrozen(int32_t rows) {
  if (rows < 0) Fail("RowsFrozen", "count " + AddrText(rows) + " is below 0");
  state_->rows_frozen = std::min(rows, state_->max_rows);
  NoteAllChanged(*state_);
}

// ---- Merges ----------------------------------------------------------------------------
int16_t Grid::ColMerge() const {
  const GridState& s = *state_;
  if (s.col == -1) return s.max_cols > 0 ? s.cols[1]->merge : int16_t{kMergeNone};
  return s.ColumnAt("ColMerge", s.col).merge;
}

void Grid::ColMerge(int16_t mode) {
  GridState& s = *state_;
  if (mode < kMergeNone || mode > kMergeRestricted) Fail("ColMerge", "merge mode " + AddrText(mode) + " is outside 0..2");
  const ChangeScope change(s, false);
  if (s.col == -1) {
    for (int32_t c = 1; c <= s.max_cols; ++c) s.cols[static_cast<size_t>(c)]->merge = mode;
    return;
  }
  if (s.block_mode && s.col2 != -1) {
    (void)s.ColumnAt("ColMerge", s.col2);
    for (int32_t c = std::min(s.col, s.col2); c <= std::max(s.col, s.col2); ++c) {
      s.ColumnAt("ColMerge", c).merge = mode;
    }
    return;
  }
  s.ColumnAt("ColMerge", s.col).merge = mode;
}

int16_t Grid::RowMerge() const {
  const GridState& s = *state_;
  if (s.row == -1) return s.max_rows > 0 ? RowMergeOf(s, 1) : int16_t{kMergeNone};
  return RowMergeOf(s, s.row);
}

void Grid::RowMerge(int16_t mode) {
  GridState& s = *state_;
  if (mode < kMergeNone || mode > kMergeRestricted) Fail("RowMerge", "merge mode " + AddrText(mode) + " is outside 0..2");
  const ChangeScope change(s, false);
  auto apply = [&](uint32_t slot) {
    if (mode == kMergeNone) {
      s.row_merge.erase(slot);
    } else {
      s.row_merge[slot] = mode;
    }
  };
  if (s.row == -1) {
    for (int32_t r = 1; r <= s.max_rows; ++r) apply(s.row_map[static_cast<size_t>(r - 1)]);
    return;
  }
  apply(s.SlotOf("RowMerge", s.row));
}

bool Grid::GetMergedRange(int32_t col, int32_t row, int32_t& col1, int32_t& row1, int32_t& col2,
                          int32_t& row2) const {
  const GridState& s = *state_;
  (void)s.ColumnAt("GetMergedRange", col);
  (void)s.SlotOf("GetMergedRange", row);
  col1 = col2 = col;
  row1 = row2 = row;
  if (col < 1 || row < 1) return false;
  // A column's merge comes first; a cell merged down its column is not merged across.
  while (JoinsAbove(s, col, row1)) --row1;
  while (row2 < s.max_rows && JoinsAbove(s, col, row2 + 1)) ++row2;
  if (row2 > row1) return true;
  while (JoinsLeft(s, col1, row)) --col1;
  while (col2 < s.max_cols && JoinsLeft(s, col2 + 1, row)) ++col2;
  return col2 > col1;
}

// ---- Item data and ids -----------------------------------------------------------------
int32_t Grid::GetColItemData(int32_t col) const { return state_->ColumnAt("GetColItemData", col).item_data; }
void Grid::SetColItemData(int32_t col, int32_t data) { state_->ColumnAt("SetColItemData", col).item_data = data; }
std::string Grid::ColID() const { return state_->ColumnAt("ColID", state_->col).id; }
void Grid::ColID(std::string_view id) { state_->ColumnAt("ColID", state_->col).id = std::string(id); }

// ---- Scrolling and painting ------------------------------------------------------------
int32_t Grid::TopRow() const { return state_->top_row; }
void Grid::TopRow(int32_t row) {
  GridState& s = *state_;
  if (row < 1 || row > std::max(1, s.max_rows)) {
    Fail("TopRow", "row " + AddrText(row) + " is outside 1.." + AddrText(std::max(1, s.max_rows)));
  }
  s.top_row = row;
  NoteAllChanged(s);
}
int32_t Grid::LeftCol() const { return state_->left_col; }
void Grid::LeftCol(int32_t col) {
  GridState& s = *state_;
  if (col < 1 || col > std::max(1, s.max_cols)) {
    Fail("LeftCol", "column " + AddrText(col) + " is outside 1.." + AddrText(std::max(1, s.max_cols)));
  }
  s.left_col = col;
  NoteAllChanged(s);
}
bool Grid::ReDraw() const { return state_->redraw; }
void Grid::ReDraw(bool on) {
  state_->redraw = on;
  if (on) FlushChanges(*state_);
}

void Grid::SetViewport(int32_t widthTwips, int32_t heightTwips) {
  if (widthTwips < 0 || heightTwips < 0) Fail("SetViewport", "the painted area cannot be negative");
  state_->viewport_w = widthTwips;
  state_->viewport_h = heightTwips;
  NoteAllChanged(*state_);
}

double Grid::TwipsToColWidth(int32_t twips) const { return twips / kTwipsPerColUnit; }
int32_t Grid::ColWidthToTwips(double width) const {
  CheckSize("ColWidthToTwips", width);
  return static_cast<int32_t>(std::lround(std::min(width * kTwipsPerColUnit, 2e9)));
}
double Grid::TwipsToRowHeight(int32_t twips) const { return twips / kTwipsPerRowUnit; }
int32_t Grid::RowHeightToTwips(double height) const {
  CheckSize("RowHeightToTwips", height);
  return static_cast<int32_t>(std::lround(std::min(height * kTwipsPerRowUnit, 2e9)));
}

void Grid::GetCellFromScreenCoord(int32_t& col, int32_t& row, int32_t x, int32_t y) const {
  const GridState& s = *state_;
  // The painted area; without one (the host never set it) everything as far as the point.
  auto reach = [](int32_t viewport, int32_t at) {
    if (viewport > 0) return viewport;
    return at < 0 ? 0 : (at < INT32_MAX ? at + 1 : at);
  };
  VisibleLayout layout;
  ComputeLayout(s, GridViewport{reach(s.viewport_w, x), reach(s.viewport_h, y), s.top_row, s.left_col}, layout);
  const LayoutLine* c = x >= 0 ? LineAt(layout.cols, x) : nullptr;
  const LayoutLine* r = y >= 0 ? LineAt(layout.rows, y) : nullptr;
  col = c ? c->index : -1;
  row = r ? r->index : -1;
}

bool Grid::GetCellPos(int32_t col, int32_t row, int32_t& x, int32_t& y, int32_t& width,
                      int32_t& height) const {
  const GridState& s = *state_;
  (void)s.ColumnAt("GetCellPos", col);
  (void)s.SlotOf("GetCellPos", row);
  x = y = width = height = 0;
  bool found_col = false;
  bool found_row = false;
  int64_t left = 0;
  WalkCols(s, s.left_col, [&](int32_t c, LayoutLine::Area) {
    if (c == col) {
      found_col = true;
      return false;
    }
    left += ColTwips(s, c);
    return s.viewport_w == 0 || left < s.viewport_w;
  });
  int64_t top = 0;
  WalkRows(s, s.top_row, [&](int32_t r, LayoutLine::Area) {
    if (r == row) {
      found_row = true;
      return false;
    }
    top += RowTwips(s, r);
    return s.viewport_h == 0 || top < s.viewport_h;
  });
  if (!found_col || !found_row) return false;
  width = ColTwips(s, col);
  height = RowTwips(s, row);
  if (width == 0 || height == 0) return false;
  x = static_cast<int32_t>(std::min<int64_t>(left, INT32_MAX));
  y = static_cast<int32_t>(std::min<int64_t>(top, INT32_MAX));
  return true;
}

bool Grid::IsVisible(int32_t col, int32_t row, bool partial) const {
  const GridState& s = *state_;
  int32_t x, y, w, h;
  if (!GetCellPos(col, row, x, y, w, h)) return false;
  const bool fits_w = s.viewport_w == 0 || (partial ? x < s.viewport_w : x + w <= s.viewport_w);
  const bool fits_h = s.viewport_h == 0 || (partial ? y < s.viewport_h : y + h <= s.viewport_h);
  return fits_w && fits_h;
}

// ---- Text extents ----------------------------------------------------------------------
double Grid::MaxTextColWidth(int32_t col) const {
  const GridState& s = *state_;
  const Column& c = s.ColumnAt("MaxTextColWidth", col);
  double widest = 0;
  std::string text;
  auto measure = [&](int32_t row) {
    const uint32_t slot = s.SlotOf("MaxTextColWidth", row);
    ShownText(s, c, slot, text);
    if (text.empty()) return;
    double w, h;
    TextExtent(text, AsDouble(s.Resolve(Prop::kFontSize, c, slot)), w, h);
    widest = std::max(widest, w);
  };
  for (int32_t lr = 1 - s.head_rows(); lr <= 0; ++lr) measure(RowAddr(s, lr));
  for (int32_t r = 1; r <= s.data_row_cnt; ++r) measure(r);
  return widest;
}

double Grid::MaxTextRowHeight(int32_t row) const {
  const GridState& s = *state_;
  const uint32_t slot = s.SlotOf("MaxTextRowHeight", row);
  double tallest = 0;
  std::string text;
  for (int32_t lc = 1 - s.head_cols(); lc <= s.max_cols; ++lc) {
    const Column& c = s.ColumnAt("MaxTextRowHeight", ColAddr(s, lc));
    ShownText(s, c, slot, text);
    if (text.empty()) continue;
    double w, h;
    TextExtent(text, AsDouble(s.Resolve(Prop::kFontSize, c, slot)), w, h);
    tallest = std::max(tallest, h);
  }
  return tallest;
}

double Grid::MaxTextCellWidth() const {
  const GridState& s = *state_;
  const Column& c = s.ColumnAt("MaxTextCellWidth", s.col);
  const uint32_t slot = s.SlotOf("MaxTextCellWidth", s.row);
  double w, h;
  TextExtent(ShownText(s, c, slot), AsDouble(s.Resolve(Prop::kFontSize, c, slot)), w, h);
  return w;
}

double Grid::MaxTextCellHeight() const {
  const GridState& s = *state_;
  const Column& c = s.ColumnAt("MaxTextCellHeight", s.col);
  const uint32_t slot = s.SlotOf("MaxTextCellHeight", s.row);
  double w, h;
  TextExtent(ShownText(s, c, slot), AsDouble(s.Resolve(Prop::kFontSize, c, slot)), w, h);
  return h;
}

}  // namespace zel
