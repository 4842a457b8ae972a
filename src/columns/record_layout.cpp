#include "columns/internal/record_layout.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "zelsheet/types.h"

namespace zel::internal {
namespace {

void RequireHeaderRows(int32_t header_rows) {
  if (header_rows < 1) {
    throw std::domain_error("the multi-row layout needs at least one header row (ColHeaderRows " +
                            std::to_string(header_rows) + ")");
  }
}

}  // namespace

int32_t SpanRow(int32_t row, int32_t header_rows) {
  RequireHeaderRows(header_rows);
  return static_cast<int32_t>((static_cast<int64_t>(row) - 1) % header_rows);
}

int32_t SpanHeaderRow(int32_t row, int32_t header_rows) {
  const int64_t first = static_cast<int64_t>(row) - SpanRow(row, header_rows);
  return static_cast<int32_t>(first);
}

int32_t DefaultFieldHAlign(int32_t cell_type) noexcept {
  if (cell_type == EnFloat) return 1;
  if (cell_type == EnCheck) return 2;
  return 0;
}

RecordPlan PlanRecords(int32_t given, int32_t sheet_spare, int32_t max_rows,
                       int32_t data_row_cnt, bool below_all_rows, int32_t header_rows) {
  RequireHeaderRows(header_rows);
  RecordPlan plan;
  if (given != -1) {
    plan.spare_records = given;
  } else {
    plan.spare_records = sheet_spare == -1 ? kDefaultSpareRows : sheet_spare;
  }
  const int64_t used_rows = std::max<int64_t>(below_all_rows ? max_rows : data_row_cnt, 0);
  const int64_t used_records = (used_rows + header_rows - 1) / header_rows;
  const int64_t first = used_records * header_rows + 1;
  const int64_t total =
      used_records * header_rows + static_cast<int64_t>(header_rows) * plan.spare_records;
  plan.first_row = static_cast<int32_t>(std::clamp<int64_t>(first, INT32_MIN, INT32_MAX));
  plan.max_rows = static_cast<int32_t>(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
  return plan;
}

}  // namespace zel::internal
