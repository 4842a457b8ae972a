// The formats behind AddItem and the record cells, for what the grid-level tests in
// cell_types_test and multi_row_test do not reach: the masks, the built-in screens'
// multi-line text, the fixed date lengths and the field cells' own settings.
#include "columns/internal/cell_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "zelsheet/types.h"

namespace zel::internal {
namespace {

TEST(CellFormatTest, MasksAndPowersOfTen) {
  EXPECT_EQ(ModelMask("999-99") + " " + ModelMask("가9나"), "000-00 가0나");
  EXPECT_EQ(FloatModelMask(2) + " " + FloatModelMask(0), "#.00 #.");
  EXPECT_THROW(FloatModelMask(-1), std::invalid_argument);
  EXPECT_DOUBLE_EQ(PowerOfTen(-1), 0.1);
  EXPECT_TRUE(std::isinf(PowerOfTen(400)));
}

TEST(CellFormatTest, SettingsThatDependOnTheDeclaration) {
  ColumnFormatArgs a;
  a.max_length = 5;
  EXPECT_FALSE(ColumnFormat(EnText, a)->multi_line.has_value());  // only built-in screens
  a.built_in_screen = true;
  EXPECT_EQ(ColumnFormat(EnText, a)->multi_line, true);
  EXPECT_EQ(ColumnFormat(EnDate, a)->max_length, 5);
  EXPECT_EQ(ColumnFormat(EnDateYearMonth, a)->char_filter, kFilterAny);
  a.mask_or_list = "Yes";
  EXPECT_EQ(ColumnFormat(EnCombo, a)->combo_list, "Yes");
  EXPECT_EQ(ColumnFormat(EnCombo, a)->combo_editable, false);
  for (const int32_t type : {0, 17, -3}) EXPECT_FALSE(ColumnFormat(type, a).has_value()) << type;
  a.max_length = 400;  // 10^400 does not fit: kept as infinity, refused when written
  EXPECT_TRUE(std::isinf(*ColumnFormat(EnFloat, a)->float_max));
}

TEST(CellFormatTest, RecordCellsUseTheFieldsOwnSettings) {
  const auto time = *FieldCellFormat(EnTime, 0, 0, "", "");
  EXPECT_EQ(time.kind, kCellTime);
  EXPECT_EQ(time.value, "000000");
  EXPECT_EQ(time.time_option, true);
  EXPECT_EQ(FieldCellFormat(EnMask, 0, 0, "999-##", "000-##")->pattern, "000-XX");  // the model mask
  EXPECT_EQ(FieldCellFormat(EnFloat, 3, 1, "", "")->float_max, 1000.0);
  // Alignment and lock come from the field record and its access code, not the type.
  for (int32_t t = EnText; t <= EnTextMulti; ++t) {
    const auto f = FieldCellFormat(t, 4, 0, "", "");
    ASSERT_TRUE(f.has_value()) << t;
    EXPECT_FALSE(f->h_align.has_value() || f->lock.has_value()) << t;
  }
  EXPECT_FALSE(FieldCellFormat(EnImageButton, 0, 0, "", "").has_value());
}

}  // namespace
}  // namespace zel::internal
