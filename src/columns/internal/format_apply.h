// Turning a CellFormat into writes on the grid's current cell or block.
#pragma once

#include <functional>
#include <string_view>

#include "columns/internal/cell_format.h"
#include "zelsheet/grid.h"

namespace zel::internal {

// Runs one write. `what` names the setting ("TypeFloatMax") so that a guard can say which
// write failed. The plain runner just calls `write`.
using WriteRunner = std::function<void(std::string_view what, const std::function<void()>& write)>;

// Writes every present setting of `format` to the grid's current cell or block (Col, Row,
// BlockMode as the caller set them), kind first and lock last, each through `run`.
// A float limit that overflowed (infinite) is refused with std::overflow_error.
void ApplyCellFormat(Grid& grid, const CellFormat& format, const WriteRunner& run);

// The same with every failure reaching the caller at once.
void ApplyCellFormat(Grid& grid, const CellFormat& format);

}  // namespace zel::internal
