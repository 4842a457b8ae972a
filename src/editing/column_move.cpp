// Moving a column by dragging its header onto another column's header.
//
// The dragged column lands exactly at the drop column's place and the columns between move
// one place towards where it came from: with A B C D E, dragging B onto D gives A C D B E,
// and D onto B gives A D B C E. The column travels whole (texts, kind and settings, colours,
// tags, item data, width, hidden state), through the grid's own insert, whole-column copy
// and delete. A move leaves every column as the sheet's users know it after one: its width
// in whole units (halves to the even number), its lock that of its first data cell for the
// whole column, a number column a float column with the same limits. Afterwards the display
// map is built again from the columns' item data (each definition number finds its column
// through ColX) and every header sort starts ascending again.
#include <algorithm>
#include <cmath>

#include "editing/internal/grid_handlers.h"
#include "grid/redraw_off.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::RedrawOff;

namespace {

// Carries grid column `from` to position `to` (1 <= from, to <= n, from != to): an empty
// column is made at the target, the source is copied into it whole and then deleted.
void CarryColumn(Grid& grid, int32_t from, int32_t to) {
  const int32_t n = grid.MaxCols();
  const bool hidden = [&] {
    grid.Col(from);
    return grid.ColHidden();
  }();
  const double width = grid.ColWidth(from);
  // Moving right, the empty column goes after the drop column, so that it ends at `to` once
  // the source has gone.
  const int32_t at = to < from ? to : to + 1;
  const int32_t source = to < from ? from + 1 : from;
  grid.MaxCols(n + 1);
  grid.BlockMode(false);
  grid.Col(at);
  grid.Action(kActionInsertCol);
  grid.Col(source);
  grid.Col2(source);
  grid.Row(-1);
  grid.Row2(-1);
  grid.DestCol(at);
  grid.DestRow(-1);
  grid.Action(kActionCopyBlock);
  grid.ColWidth(at, width);
  grid.Col(at);
  grid.ColHidden(hidden);
  grid.Col(source);
  grid.Action(kActionDeleteCol);
  grid.MaxCols(n);
}

// What every column looks like after a move (see the top of this file).
void SettleColumn(Grid& grid, int32_t c) {
  grid.ColWidth(c, std::nearbyint(grid.ColWidth(c)));
  grid.Col(c);
  grid.Row(grid.MaxRows() >= 1 ? 1 : -1);
  const bool locked = grid.LockCells();
  grid.Row(-1);
  if (grid.CellType() == kCellNumber) grid.CellType(kCellFloat);
  grid.LockCells(locked);
}

}  // namespace

namespace internal {

void MoveDraggedColumn(ZelSheet::Impl& s, int32_t dropCol, int32_t dropRow) {
  Grid& grid = s.grid;
  const int32_t source = s.event_flags.drag_col;
  const int32_t n = grid.MaxCols();
  if (dropCol == source) return;
  if (source > n || source < 1 || dropCol < 1 || dropRow != 0) return;
  const int32_t target = std::min(dropCol, n);
  if (target == source) return;
  {
    RedrawOff redraw(grid);
    CarryColumn(grid, source, target);
    for (int32_t c = 1; c <= n; ++c) SettleColumn(grid, c);
  }
  ColumnModel& model = s.columns;
  model.display_map.assign(static_cast<size_t>(n), 0);
  model.header_sort_flags.assign(static_cast<size_t>(n), false);
  for (int32_t c = 1; c <= n; ++c) {
    const int32_t def = grid.GetColItemData(c);
    if (def >= 1 && def <= n) model.display_map[static_cast<size_t>(def - 1)] = c;
  }
}

}  // namespace internal

}  // namespace zel
