#include "grid/column_lists.h"

#include "grid/internal/grid_store.h"

namespace zel::internal {

std::optional<std::string> DataRowsComboList(const Grid& grid, int32_t col) {
  const GridState& s = StateOf(grid);
  if (col < 0 || col > s.max_cols) return std::nullopt;
  const Column& c = s.ColumnAt("DataRowsComboList", col);
  const PropBits bit = PropBit(Prop::kComboList);
  // Header rows keep their patches apart (head_row_props, head_cell_props), so only the
  // data-row marks say whether a data row can override the column.
  if ((s.row_props & bit) && !s.row_styles.empty()) return std::nullopt;
  if ((c.cell_props & bit) && !c.cell_styles.empty()) return std::nullopt;
  return AsString(s.ResolveColumn(Prop::kComboList, c));
}

}  // namespace zel::internal
