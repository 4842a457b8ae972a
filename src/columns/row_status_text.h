// The row status: the text of a row's header cell (column 0), which editing writes and the
// save members read. "A" added, "U" updated, "X" marked for deletion, "" unchanged; in the
// multi-row layout an unchanged record's first row holds its record number instead.
#pragma once

#include <string_view>

namespace zel::internal {

// True for the statuses a save sends: "A", "U" and "X" exactly (no trimming; any other text,
// a record number included, is an unchanged row).
inline bool IsPendingStatus(std::string_view status) {
  return status == "A" || status == "U" || status == "X";
}

}  // namespace zel::internal
