#include "editing/duplicate_rows.h"

#include <algorithm>

namespace zel::internal {

std::vector<int32_t> RowsLeftAfterDuplicateRemoval(
    int32_t first, int32_t last, int32_t repetitions,
    const std::function<bool(int32_t, int32_t)>& same) {
  std::vector<int32_t> below;  // back() is the row right below row i
  if (first < 1 || last < first) return below;
  below.reserve(static_cast<size_t>(last - first + 1));
  const int32_t emptyRow = last + 1;
  for (int32_t i = last; i >= first; --i) {
    below.push_back(i);
    for (int32_t k = 0; k < repetitions; ++k) {
      const int32_t top = below.empty() ? emptyRow : below.back();
      if (!same(top, i - 1)) break;  // the remaining tests would compare the same two rows
      if (below.empty()) break;      // only empty rows are left below: deleting changes nothing
      below.pop_back();
    }
  }
  std::reverse(below.begin(), below.end());
  return below;
}

}  // namespace zel::internal
