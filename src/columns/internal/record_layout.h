// Arithmetic of the multi-row layout, where every data record takes H grid rows (H = the
// grid's ColHeaderRows) and header row n is addressed as grid row -1000 + n.
#pragma once

#include <cstdint>

namespace zel::internal {

// Grid row of header row n (0-based) of a multi-row header.
constexpr int32_t HeaderRow(int32_t n) { return -1000 + n; }

// Row offset of grid row `row` inside its record: (row - 1) mod H, with the sign of row - 1
// as integer division gives it. Throws std::domain_error when H < 1.
int32_t SpanRow(int32_t row, int32_t header_rows);

// First grid row of the record that holds `row`. Throws std::domain_error when H < 1.
int32_t SpanHeaderRow(int32_t row, int32_t header_rows);

// Horizontal alignment of a field's data cells when the declaration leaves it at -1:
// right for numbers, centred for check boxes, left for the rest.
int32_t DefaultFieldHAlign(int32_t cell_type) noexcept;

// Where the record formatter puts new records.
struct RecordPlan {
  int32_t spare_records = 0;  // the sheet's spare-row count after the call
  int32_t first_row = 1;      // first grid row of the first new record
  int32_t max_rows = 0;       // the grid's MaxRows after the call
};

// `given` is the caller's record count (-1 = the sheet's own spare count, 20 when never
// set); `sheet_spare` the sheet's spare-row count; `below_all_rows` adds after MaxRows
// instead of after the data. A record of which any row holds data counts as used, so the
// new records never start inside a record with data. Throws std::domain_error when H < 1.
RecordPlan PlanRecords(int32_t given, int32_t sheet_spare, int32_t max_rows,
                       int32_t data_row_cnt, bool below_all_rows, int32_t header_rows);

// The record formatter's bottom border under each record but the last.
inline constexpr int32_t kRecordBorderIndex = 8;
inline constexpr int32_t kRecordBorderColor = 0xFF4646;
inline constexpr int32_t kRecordBorderStyle = 1;

// Default spare records when the sheet has none set.
inline constexpr int32_t kDefaultSpareRows = 20;

}  // namespace zel::internal
