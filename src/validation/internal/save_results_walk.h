// The row walks behind MessageCheckSaveSheet: they settle the pending rows (records) of
// the sheet bottom-up from a save results string.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zelsheet/zel_sheet.h"

namespace zel::internal {

// One key write-back of MessageCheckSaveSheet: result field `key_index` goes to the
// columns (definition numbers) new_key_col, then old_key_col; 0 or less = no column.
struct KeyWriteBack {
  int32_t key_index = 0;
  int32_t old_key_col = 0;
  int32_t new_key_col = 0;
};

// The walk of the multi-row layout (src/validation/save_results_multi.cpp): returns the
// number of records that failed; a failing step is passed over.
int32_t SetSaveResultsSheetArrayMulti(ZelSheet::Impl& s, const std::string& strResults,
                                      const std::vector<KeyWriteBack>& keys);

}  // namespace zel::internal
