// A cell read for the save texts and the parameter buffer, which never fail on one cell.
#pragma once

#include <cstdint>
#include <string>

#include "zelsheet/zel_sheet.h"

namespace zel::internal {

// CellText of (defCol, row), "" when it cannot be read (src/exchange/save_params.cpp).
std::string SafeCellText(ZelSheet::Impl& s, int32_t defCol, int32_t row) noexcept;

}  // namespace zel::internal
