#include "columns/internal/cell_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "zelsheet/types.h"

namespace zel::internal {
namespace {

TEST(MaskTest, ModelMaskPatternAndFloatMask) {
  EXPECT_EQ(ModelMask("###-####"), "###-####");
  EXPECT_EQ(ModelMask("999-99"), "000-00");
  EXPECT_EQ(ModelMask("가9나"), "가0나");
  EXPECT_EQ(PatternFromMask("###-####"), "XXX-XXXX");
  EXPECT_EQ(PatternFromMask("99#"), "99X");  // the pattern keeps the declared 9s
  EXPECT_EQ(PatternFromMask(""), "");
  EXPECT_EQ(FloatModelMask(2), "#.00");
  EXPECT_EQ(FloatModelMask(0), "#.");
  EXPECT_THROW(FloatModelMask(-1), std::invalid_argument);
}

TEST(MaskTest, PowerOfTen) {
  EXPECT_EQ(PowerOfTen(5), 100000.0);
  EXPECT_EQ(PowerOfTen(0), 1.0);
  EXPECT_DOUBLE_EQ(PowerOfTen(-1), 0.1);
  EXPECT_TRUE(std::isinf(PowerOfTen(400)));
}

TEST(ColumnFormatTest, EachTypeHasItsKindAndLock) {
  struct Case {
    int32_t type;
    std::optional<int32_t> kind;
    std::optional<bool> lock;
  };
  const Case cases[] = {
      {EnText, kCellEdit, true},          {EnFloat, kCellFloat, true},
      {EnCombo, kCellComboBox, true},     {EnCheck, kCellCheckBox, false},
      {EnButton, kCellButton, false},     {EnImageButton, kCellButton, false},
      {EnMask, kCellPattern, true},       {EnPicture, kCellPicture, false},
      {EnTime, kCellEdit, true},          {EnDate, std::nullopt, true},
      {EnDateMonth, std::nullopt, true},         {EnDateyear, std::nullopt, true},
      {EnDateYearMonth, std::nullopt, true},     {EnDateDay, std::nullopt, true},
      {EnCaption, kCellStatic, true}, {EnTextMulti, kCellEdit, true},
  };
  ColumnFormatArgs args;
  args.max_length = 10;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    auto f = ColumnFormat(c.type, args);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->kind, c.kind);
    EXPECT_EQ(f->lock, c.lock);
  }
  EXPECT_FALSE(ColumnFormat(0, args).has_value());
  EXPECT_FALSE(ColumnFormat(17, args).has_value());
  EXPECT_FALSE(ColumnFormat(-3, args).has_value());
}

TEST(ColumnFormatTest, SettingsThatDependOnTheDeclaration) {
  ColumnFormatArgs a;
  a.max_length = 5;
  a.dec_length = 2;
  a.mask_or_list = "###-####";
  a.font_name = "Tahoma";

  auto flt = *ColumnFormat(EnFloat, a);
  EXPECT_EQ(flt.float_max, 100000.0);
  EXPECT_EQ(flt.float_min, -100000.0);
  EXPECT_EQ(flt.decimal_places, 2);
  EXPECT_EQ(flt.float_option, true);
  EXPECT_EQ(flt.h_align, kAlignRight);

  auto mask = *ColumnFormat(EnMask, a);
  EXPECT_EQ(mask.pattern, "XXX-XXXX");
  EXPECT_EQ(mask.font_charset, 0);

  auto text = *ColumnFormat(EnText, a);
  EXPECT_EQ(text.max_length, 5);
  EXPECT_EQ(text.font_name, "Tahoma");
  EXPECT_EQ(text.char_case, 1);
  EXPECT_EQ(text.char_filter, kFilterAny);
  EXPECT_FALSE(text.multi_line.has_value());  // only built-in screens get multi-line text
  a.built_in_screen = true;
  EXPECT_EQ(ColumnFormat(EnText, a)->multi_line, true);
  EXPECT_EQ(ColumnFormat(EnTextMulti, a)->multi_line, true);

  // The date parts have fixed lengths and digit filters, whatever the declaration says.
  EXPECT_EQ(ColumnFormat(EnDate, a)->max_length, 5);
  EXPECT_EQ(ColumnFormat(EnDateMonth, a)->max_length, 2);
  EXPECT_EQ(ColumnFormat(EnDateMonth, a)->char_filter, kFilterDigits);
  EXPECT_EQ(ColumnFormat(EnDateyear, a)->max_length, 4);
  EXPECT_EQ(ColumnFormat(EnDateYearMonth, a)->max_length, 7);
  EXPECT_EQ(ColumnFormat(EnDateYearMonth, a)->char_filter, kFilterAny);
  EXPECT_EQ(ColumnFormat(EnDateDay, a)->char_filter, kFilterDigits);

  a.mask_or_list = "Yes";
  EXPECT_EQ(ColumnFormat(EnCheck, a)->check_text, "Yes");
  EXPECT_EQ(ColumnFormat(EnButton, a)->button_text, "Yes");
  EXPECT_EQ(ColumnFormat(EnCombo, a)->combo_list, "Yes");
  EXPECT_EQ(ColumnFormat(EnCombo, a)->combo_editable, false);

  a.max_length = 400;  // 10^400 does not fit: kept as infinity, refused when written
  EXPECT_TRUE(std::isinf(*ColumnFormat(EnFloat, a)->float_max));
}

TEST(FieldCellFormatTest, RecordCellsUseTheFieldsOwnSettings) {
  auto time = *FieldCellFormat(EnTime, 0, 0, "", "");
  EXPECT_EQ(time.kind, kCellTime);
  EXPECT_EQ(time.value, "000000");
  EXPECT_EQ(time.time_option, true);

  auto mask = *FieldCellFormat(EnMask, 0, 0, "999-##", "000-##");
  EXPECT_EQ(mask.pattern, "000-XX");  // from the model mask, not the list

  auto combo = *FieldCellFormat(EnCombo, 0, 0, "A;B", "A;B");
  EXPECT_EQ(combo.combo_list, "A;B");

  auto flt = *FieldCellFormat(EnFloat, 3, 1, "", "");
  EXPECT_EQ(flt.float_max, 1000.0);
  EXPECT_EQ(flt.decimal_places, 1);

  // Alignment and lock come from the field record and its access code, not the type.
  for (int32_t t = EnText; t <= EnTextMulti; ++t) {
    auto f = FieldCellFormat(t, 4, 0, "", "");
    ASSERT_TRUE(f.has_value()) << t;
    EXPECT_FALSE(f->h_align.has_value()) << t;
    EXPECT_FALSE(f->lock.has_value()) << t;
  }
  EXPECT_FALSE(FieldCellFormat(EnImageButton, 0, 0, "", "").has_value());
}

}  // namespace
}  // namespace zel::internal
