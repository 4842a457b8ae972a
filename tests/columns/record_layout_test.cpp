// Record arithmetic of the multi-row layout where the sheet-level tests in multi_row_test do
// not reach: header counts below one, extreme rows, the plans for unset counts, and the
// field index table kept across a second AddCellSpan_Start.
#include "columns/internal/record_layout.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "sheet/column_model.h"

namespace zel::internal {
namespace {

TEST(RecordLayoutTest, SpanRowsAndRecordPlans) {
  EXPECT_EQ(SpanRow(5, 1), 0);
  EXPECT_THROW(SpanRow(5, 0), std::domain_error);
  EXPECT_THROW(SpanHeaderRow(5, -2), std::domain_error);
  EXPECT_NO_THROW(SpanRow(INT32_MIN, 3));
  const std::tuple<int32_t, int32_t, int32_t, int32_t, bool, const char*> cases[] = {
      // count, own count, MaxRows, DataRowCnt, below all rows -> spare records, first row, MaxRows
      {-1, -1, 0, 0, false, "20 1 60"},  // nothing set: 20 spare records after the data
      {-1, 2, 60, 6, false, "2 7 12"},   // the sheet's own count when none is given
      {4, -1, 60, 7, false, "4 10 21"},  // a record with data only in its first row is in use
      {1, -1, 6, 0, true, "1 7 9"},      // below all rows
  };
  for (const auto& [count, own, max_rows, data_rows, below, plan] : cases) {
    const auto p = PlanRecords(count, own, max_rows, data_rows, below, 3);
    EXPECT_EQ(std::to_string(p.spare_records) + " " + std::to_string(p.first_row) + " " + std::to_string(p.max_rows),
              plan);
  }
  EXPECT_THROW(PlanRecords(1, -1, 6, 0, true, 0), std::domain_error);
}

TEST(RecordLayoutTest, FieldIndexTableKeepsEntriesAcrossResizes) {
  FieldIndexTable t;
  EXPECT_THROW(t.At(0, 0), SubscriptError);
  t.Resize(3, 4);
  t.Set(2, 3, 9);
  t.Resize(4, 6);
  EXPECT_EQ(t.At(2, 3) * 10 + t.At(3, 5), 90);  // kept across growth in both directions
  t.Resize(3, 3);
  EXPECT_THROW(t.At(2, 3), SubscriptError);
  EXPECT_THROW(t.Set(-1, 0, 1), SubscriptError);
  t.Resize(-1, 5);
  EXPECT_EQ(t.Rows(), 0);
}

}  // namespace
}  // namespace zel::internal
