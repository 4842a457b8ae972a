#include "columns/internal/record_layout.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "sheet/column_model.h"
#include "zelsheet/types.h"

namespace zel::internal {
namespace {

TEST(RecordLayoutTest, SpanRowAndHeaderRowWithThreeRowRecords) {
  const int32_t rows[] = {1, 2, 3, 4, 5, 6, 7};
  const int32_t offsets[] = {0, 1, 2, 0, 1, 2, 0};
  const int32_t firsts[] = {1, 1, 1, 4, 4, 4, 7};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(SpanRow(rows[i], 3), offsets[i]) << rows[i];
    EXPECT_EQ(SpanHeaderRow(rows[i], 3), firsts[i]) << rows[i];
  }
  EXPECT_EQ(SpanRow(5, 1), 0);
  EXPECT_THROW(SpanRow(5, 0), std::domain_error);
  EXPECT_THROW(SpanHeaderRow(5, -2), std::domain_error);
  EXPECT_NO_THROW(SpanRow(INT32_MIN, 3));
}

TEST(RecordLayoutTest, PlanRecords) {
  // Nothing set: 20 spare records after the data.
  auto p = PlanRecords(-1, -1, 0, 0, false, 3);
  EXPECT_EQ(p.spare_records, 20);
  EXPECT_EQ(p.first_row, 1);
  EXPECT_EQ(p.max_rows, 60);
  // The sheet's own count is used when none is given.
  p = PlanRecords(-1, 2, 60, 6, false, 3);
  EXPECT_EQ(p.spare_records, 2);
  EXPECT_EQ(p.first_row, 7);
  EXPECT_EQ(p.max_rows, 12);
  // A record that holds data only in its first row is still in use.
  p = PlanRecords(4, -1, 60, 7, false, 3);
  EXPECT_EQ(p.spare_records, 4);
  EXPECT_EQ(p.first_row, 10);
  EXPECT_EQ(p.max_rows, 21);
  // Below all rows.
  p = PlanRecords(1, -1, 6, 0, true, 3);
  EXPECT_EQ(p.first_row, 7);
  EXPECT_EQ(p.max_rows, 9);
  EXPECT_THROW(PlanRecords(1, -1, 6, 0, true, 0), std::domain_error);
}

TEST(ColumnModelTest, ResizeKeepsEntriesAndMapsNewColumnsToThemselves) {
  ColumnModel m;
  EXPECT_THROW(m.Def(1), SubscriptError);  // never sized
  EXPECT_EQ(m.MappedCol(7), 7);
  EXPECT_EQ(m.Resize(3), 1);
  m.Def(2).field_name = "B";
  m.display_map = {3, 1, 2};
  m.counter = 3;
  EXPECT_EQ(m.Resize(5), 4);  // the declared columns keep their places
  EXPECT_EQ(m.Def(2).field_name, "B");
  EXPECT_EQ(m.MappedCol(1), 3);
  EXPECT_EQ(m.MappedCol(4), 4);
  EXPECT_EQ(m.MappedCol(0), 0);
  EXPECT_EQ(m.MappedCol(6), 6);
  EXPECT_EQ(m.header_sort_flags.size(), 5u);
  EXPECT_EQ(m.Resize(2), 4);  // shrinking: nothing left to map
  EXPECT_EQ(m.Size(), 2);
  EXPECT_THROW(m.Def(3), SubscriptError);
  EXPECT_THROW(m.Def(0), SubscriptError);
  EXPECT_EQ(m.Resize(0), 1);  // zero leaves the arrays as they are
  EXPECT_EQ(m.Size(), 2);
}

TEST(ColumnModelTest, FieldsAndIndexTable) {
  ColumnModel m;
  EXPECT_THROW(m.Field(1), SubscriptError);
  m.ResizeFields(2);
  m.Field(2).col = 5;
  m.ResizeFields(-4);
  EXPECT_FALSE(m.HasField(1));

  FieldIndexTable t;
  EXPECT_THROW(t.At(0, 0), SubscriptError);
  t.Resize(3, 4);
  t.Set(2, 3, 9);
  t.Resize(4, 6);
  EXPECT_EQ(t.At(2, 3), 9);  // kept across growth in both directions
  EXPECT_EQ(t.At(3, 5), 0);
  t.Resize(3, 3);
  EXPECT_THROW(t.At(2, 3), SubscriptError);
  EXPECT_THROW(t.Set(-1, 0, 1), SubscriptError);
  t.Resize(-1, 5);
  EXPECT_EQ(t.Rows(), 0);
}

}  // namespace
}  // namespace zel::internal
