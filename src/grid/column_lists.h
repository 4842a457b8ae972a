// Column-wide reads for callers that write a whole column of data rows at a time (the sheet's
// Display): what every data row of a column shows, resolved once instead of once per cell.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "zelsheet/grid.h"

namespace zel::internal {

// The combo list that every data row of grid column `col` resolves to, when no row or cell
// format of a data row can set a list of its own (the column's or the sheet's list then
// holds for all of them). Returns nullopt when some data row may differ or `col` is not a
// column of the grid; the caller then reads the list per cell.
std::optional<std::string> DataRowsComboList(const Grid& grid, int32_t col);

}  // namespace zel::internal
