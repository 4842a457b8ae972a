#include "columns/internal/record_layout.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "sheet/column_model.h"
#include "zelsheet/types.h"

namespace zel::internal {
namespace {

TEST(RecordLayoutTest, SpanRowsAndRecordPlans) {
  std::string rows;
  for (int32_t r = 1; r <= 7; ++r) rows += std::to_string(SpanRow(r, 3)) + std::to_string(SpanHeaderRow(r, 3)) + " ";
  EXPECT_EQ(rows, "01 11 21 04 14 24 07 ");
  EXPECT_EQ(SpanRow(5, 1), 0);
  EXPECT_THROW(SpanRow(5, 0), std::domain_error);
  EXPECT_THROW(SpanHeaderRow(5, -2), std::domain_error);
  EXPECT_NO_THROW(SpanRow(INT32_MIN, 3));
  struct Case {
    int32_t count, own, max_rows, data_rows;
    bool below;
    const char* plan;  // spare records, first row, MaxRows
  } const cases[] = {
      {-1, -1, 0, 0, false, "20 1 60"},  // nothing set: 20 spare records after the data
      {-1, 2, 60, 6, false, "2 7 12"},   // the sheet's own count when none is given
      {4, -1, 60, 7, false, "4 10 21"},  // a record with data only in its first row is in use
      {1, -1, 6, 0, true, "1 7 9"},      // below all rows
  };
  for (const Case& c : cases) {
    const auto p = PlanRecords(c.count, c.own, c.max_rows, c.data_rows, c.below, 3);
    EXPECT_EQ(std::to_string(p.spare_records) + " " + std::to_string(p.first_row) + " " + std::to_string(p.max_rows),
              c.plan);
  }
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
