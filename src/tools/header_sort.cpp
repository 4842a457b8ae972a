// The header sort: a right click on a column header sorts the data rows by that column,
// ascending the first time and then alternately descending and ascending. Each grid column
// keeps its own direction (a column move starts them all ascending again).
#include "sheet/sheet_state.h"
#include "tools/sheet_tools.h"

namespace zel::internal {

void HeaderSort(ZelSheet::Impl& s, int32_t col) {
  if (col < 1 || s.flags.is_no_col_sort || s.tools.is_col_merge) return;
  Grid& grid = s.grid;
  std::vector<bool>& flags = s.columns.header_sort_flags;
  if (static_cast<size_t>(col) > flags.size()) flags.resize(static_cast<size_t>(col), false);


  // The columns right of the clicked one break ties; a key beyond the grid is no key.
  int32_t keys[3] = {col, 0, 0};
  if (s.flags.sort_key_no == 2) {
    keys[1] = col + 1;
  } else if (s.flags.sort_key_no == 3) {
    keys[1] = col + 1;
    keys[2] = col + 2;
  }
  const bool ascending = !flags[static_cast<size_t>(col - 1)];
  flags[static_cast<size_t>(col - 1)] = ascending;
  for (int32_t n = 1; n <= 3; ++n) {
    const int32_t key = keys[n - 1];
    grid.SortKey(n, key);
    grid.SortKeyOrder(n, key == 0 ? kSortNone : ascending ? kSortAscending : kSortDescending);
  }
  const int32_t first = grid.RowsFrozen() + 1;
  const int32_t last = grid.DataRowCnt();
  if (last < first) return;
  grid.Col(-1);
  grid.Col2(-1);
  grid.Row(first);
  grid.Row2(last);
  grid.SortBy(kSortByRow);
  grid.Action(kActionSort);
}

}  // namespace zel::internal
