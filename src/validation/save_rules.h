// Small rules the save check and the result members share: which rows are pending, when a
// required cell counts as empty, how a record is numbered, and how their boxes are shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "columns/row_status_text.h"
#include "zelsheet/platform.h"
#include "zelsheet/types.h"

namespace zel::internal {

// Failed rows are painted in this text colour (red); saved rows go back to black.
inline constexpr Color kFailedRowColor = 255;


// True when a required cell holding `value` (as CellText reads it) counts as empty: blank
// after trimming, or "0" in an EnFloat column.
bool IsRequiredCellEmpty(std::string_view value, int32_t cellType);

// The record number of the multi-row layout for grid row `row` with records of
// `headerRows` rows: row / headerRows + 0.4, rounded half to even. Records start at rows
// 1, 1 + H, ..., so any row of a record gives its number. Requires headerRows >= 1.
int32_t RecordNumber(int32_t row, int32_t headerRows);

// The one summary box after a save walk: the error-summary entry of `messageTable` with its
// "@1" replaced by `errorCount`, information icon, titled `title`.
void ShowErrorSummary(Platform& platform, const std::vector<std::string>& messageTable,
                      int32_t errorCount, const std::string& title) noexcept;

}  // namespace zel::internal
