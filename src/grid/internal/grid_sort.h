// Sorting a block of the grid (Action 25).
#pragma once

#include "grid/internal/grid_store.h"

namespace zel::internal {

// Sorts the block Col..Col2 x Row..Row2 (always the block, with or without BlockMode) by
// SortBy, SortKey(n), SortKeyOrder(n). Stable. Number cells compare as numbers and come before
// texts in ascending order; date cells compare by their dates, as numbers do; empty key cells
// (and unfilled dates) stay last in either order. With Col -1 (rows) or Row -1 (columns) whole
// rows or columns move with everything in them; otherwise only the cells of the block move.
void SortBlock(GridState& s);

}  // namespace zel::internal
