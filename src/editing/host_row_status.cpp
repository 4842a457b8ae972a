// The host helpers' row status: the row header text as an enum, read through the sheet's
// public members only.
#include <string>

#include "zelsheet/host_helpers.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

RowStatus GetRowStatus(const ZelSheet& sheet, int32_t row) {
  // In the multi-row layout the status sits on the first grid row of the record.
  const int32_t statusRow = sheet.IsMultiSheet() ? sheet.GetSpanHeaderRow(row) : row;
  std::string status;
  sheet.GetText(0, statusRow, status);
  if (status == "A") return RowStatus::Added;
  if (status == "U") return RowStatus::Updated;
  if (status == "X") return RowStatus::MarkedForDeletion;
  return RowStatus::Unchanged;
}

}  // namespace zel
