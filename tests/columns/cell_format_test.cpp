// The formats behind AddItem and the record cells, for what the grid-level tests in
// cell_types_test and multi_row_test do not reach: the model masks, negative and huge
// lengths, the built-in screens' multi-line text and the record cells of times and masks.
#include "columns/internal/cell_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "zelsheet/types.h"

namespace zel::internal {
namespace {

TEST(CellFormatTest, WhatTheGridLevelTestsDoNotReach) {
  EXPECT_EQ(ModelMask("999-99") + " " + ModelMask("가9나") + " " + FloatModelMask(2) + " " + FloatModelMask(0),
            "000-00 가0나 #.00 #.");
  EXPECT_THROW(FloatModelMask(-1), std::invalid_argument);
  EXPECT_DOUBLE_EQ(PowerOfTen(-1), 0.1);
  EXPECT_TRUE(std::isinf(PowerOfTen(400)));
  ColumnFormatArgs a;
  a.built_in_screen = true;
  EXPECT_EQ(ColumnFormat(EnText, a)->multi_line, true);
  const auto time = *FieldCellFormat(EnTime, 0, 0, "", "");
  EXPECT_EQ(std::to_string(*time.kind) + " " + *time.value + " " + std::to_string(*time.time_option),
            std::to_string(kCellTime) + " 000000 1");
  EXPECT_EQ(FieldCellFormat(EnMask, 0, 0, "999-##", "000-##")->pattern, "000-XX");  // the model mask
  EXPECT_FALSE(FieldCellFormat(EnImageButton, 0, 0, "", "").has_value());
}

}  // namespace
}  // namespace zel::internal
