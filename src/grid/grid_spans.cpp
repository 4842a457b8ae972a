// Cell spans: one cell shown over a rectangle of cells. Spans never overlap; each axis of a
// span lies wholly in the header area or wholly in the data area.
#include <algorithm>
#include <optional>
#include <utility>

#include "grid/internal/grid_ops.h"

namespace zel {
using namespace internal;

namespace {

// An address on one axis: header index n (row 0 / -1000 + n) or data position.
struct AxisPos {
  bool head;
  int32_t index;
};

AxisPos RowPos(int32_t row) {
  if (row >= 1) return {false, row};
  if (row == 0) return {true, 0};
  return {true, row + 1000};
}

AxisPos ColPos(int32_t col) { return RowPos(col); }

int32_t Addr(bool head, int32_t index) {
  if (!head) return index;
  return index == 0 ? 0 : -1000 + index;
}

bool Overlaps(int32_t a, int32_t an, int32_t b, int32_t bn) { return a < b + bn && b < a + an; }

// The span covering the cell, if any.
std::optional<std::pair<SpanKey, Span>> FindCovering(const GridState& s, AxisPos r, AxisPos c) {
  std::optional<std::pair<SpanKey, Span>> found;
  s.spans.ForRows(r.head, r.index - s.spans.max_rows() + 1, r.index, [&](const SpanKey& k, const Span& sp) {
    if (k.head_col == c.head && Overlaps(k.row, sp.num_rows, r.index, 1) && Overlaps(k.col, sp.num_cols, c.index, 1)) {
      found.emplace(k, sp);
      return false;
    }
    return true;
  });
  return found;
}

}  // namespace

bool Grid::AddCellSpan(int32_t col, int32_t row, int32_t numCols, int32_t numRows) {
  GridState& s = *state_;
  const ChangeScope change(s, false);
  (void)s.ColumnAt("AddCellSpan", col);
  (void)s.SlotOf("AddCellSpan", row);
  if (numCols < 1 || numRows < 1) {
    Fail("AddCellSpan", "span of " + AddrText(numCols) + " x " + AddrText(numRows) +
                            " cells at column " + AddrText(col) + ", row " + AddrText(row) +
                            " is not at least 1 x 1");
  }
  const AxisPos r = RowPos(row);
  const AxisPos c = ColPos(col);
  const SpanKey key{r.head, r.index, c.head, c.index};
  // The span must stay inside its area (header or data) of the grid.
  const int64_t row_limit = r.head ? s.head_rows() - 1 : s.max_rows;
  const int64_t col_limit = c.head ? s.head_cols() - 1 : s.max_cols;
  if (static_cast<int64_t>(r.index) + numRows - 1 > row_limit ||
      static_cast<int64_t>(c.index) + numCols - 1 > col_limit) {
    return false;
  }
  if (numCols == 1 && numRows == 1) {
    s.spans.Erase(key);  // the limits stay upper bounds; no need to shrink them
    return true;
  }
  bool clash = false;
  s.spans.ForRows(r.head, r.index - s.spans.max_rows() + 1, r.index + numRows - 1,
                 [&](const SpanKey& k, const Span& sp) {
                   if (k == key || k.head_col != c.head) return true;
                   if (Overlaps(k.row, sp.num_rows, r.index, numRows) &&
                       Overlaps(k.col, sp.num_cols, c.index, numCols)) {
                     clash = true;
                     return false;
                   }
                   return true;
                 });
  if (clash) return false;
  s.spans.Set(key, Span{numCols, numRows});
  return true;
}

bool Grid::GetCellSpan(int32_t col, int32_t row, int32_t& anchorCol, int32_t& anchorRow,
                       int32_t& numCols, int32_t& numRows) const {
  const GridState& s = *state_;
  (void)s.ColumnAt("GetCellSpan", col);
  (void)s.SlotOf("GetCellSpan", row);
  anchorCol = col;
  anchorRow = row;
  numCols = 1;
  numRows = 1;
  const auto found = FindCovering(s, RowPos(row), ColPos(col));
  if (!found) return false;
  anchorCol = Addr(found->first.head_col, found->first.col);
  anchorRow = Addr(found->first.head_row, found->first.row);
  numCols = found->second.num_cols;
  numRows = found->second.num_rows;
  return true;
}

void Grid::RemoveCellSpan(int32_t col, int32_t row) {
  GridState& s = *state_;
  (void)s.ColumnAt("RemoveCellSpan", col);
  (void)s.SlotOf("RemoveCellSpan", row);
  const AxisPos r = RowPos(row);
  const AxisPos c = ColPos(col);
  s.spans.Erase(SpanKey{r.head, r.index, c.head, c.index});
  NoteAllChanged(s, false);
}

}  // namespace zel
