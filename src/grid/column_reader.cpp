#include "grid/column_reader.h"

#include "grid/internal/grid_store.h"

namespace zel::internal {

GridCells::GridCells(const Grid& grid)
    : grid_(grid),
      row_map_(StateOf(grid).row_map.data()),
      max_rows_(StateOf(grid).max_rows),
      max_cols_(StateOf(grid).max_cols) {}

ColumnCells GridCells::Column(int32_t col) const {
  const internal::Column& c = StateOf(grid_).ColumnAt("GridCells::Column", col);
  ColumnCells cells;
  cells.cells_ = c.cells.begin();
  cells.count_ = c.cells.size();
  cells.arena_ = &c.arena;
  return cells;
}

}  // namespace zel::internal
