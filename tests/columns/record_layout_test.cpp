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

TEST(RecordLayoutTest, SpanRowsRecordPlansAndTheFieldIndex) {
  EXPECT_THROW(SpanRow(5, 0), std::domain_error);
  EXPECT_THROW(SpanHeaderRow(5, -2), std::domain_error);
  EXPECT_NO_THROW(SpanRow(INT32_MIN, 3));
  // Nothing set: 20 spare records after the data (the other plans: multi_row_test).
  const auto p = PlanRecords(-1, -1, 0, 0, false, 3);
  EXPECT_EQ(std::to_string(p.spare_records) + " " + std::to_string(p.first_row) + " " + std::to_string(p.max_rows),
            "20 1 60");
  EXPECT_THROW(PlanRecords(1, -1, 6, 0, true, 0), std::domain_error);
  // The field index table keeps its entries across a second AddCellSpan_Start.
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
