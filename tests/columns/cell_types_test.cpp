// Cell type formats as AddItem applies them, the public setters and the colour setters,
// all checked on the grid.
#include <gtest/gtest.h>

#include <string>

#include "support/cell_picture.h"
#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::SheetFixture;
using testing::SheetProbe;

class CellTypesTest : public ::testing::Test, protected SheetFixture {
 protected:
  void SetUp() override { grid().MaxRows(6); }
  std::string Format(int32_t col, int32_t row) { return testing::FormatAt(grid(), col, row); }
};

TEST_F(CellTypesTest, EveryTypeFormatsItsColumn) {
  SheetProbe::Identity(sheet).font_name = "Gulim";
  // Columns 1..17 in declaration order; the date types keep an edit cell.
  const std::tuple<int16_t, int32_t, int32_t, const char*, std::string> cases[] = {
      {EnText, 12, 0, "", "edit 12/0/1 Gulim"},
      {EnTime, 12, 0, "", "edit 12/0/1 Gulim"},
      {EnDate, 12, 0, "", "edit 12/0/1 Tahoma"},
      {EnDateMonth, 12, 0, "", "edit 2/3/1 Tahoma"},
      {EnDateyear, 12, 0, "", "edit 4/3/1 Tahoma"},
      {EnDateYearMonth, 12, 0, "", "edit 7/0/1 Tahoma"},
      {EnDateDay, 12, 0, "", "edit 2/3/1 Tahoma"},
      {EnTextMulti, 12, 0, "", "edit 12/0/1 multi Tahoma"},
      {EnCheck, 12, 0, "Yes", "check Yes centred"},
      {EnButton, 12, 0, "Yes", "button Yes"},
      {EnImageButton, 12, 0, "Yes", "button Yes"},
      {EnPicture, 12, 0, "", "kind " + std::to_string(kCellPicture)},
      {EnCombo, 12, 0, "Yes", "combo"},
      {EnCaption, 12, 0, "", "static"},
      {EnFloat, 5, 2, "", "float -100000..100000.2 sep align1"},  // a range from the length
      {EnMask, 8, 0, "###-####", "pattern XXX-XXXX"},
      {EnMask, 6, 0, "999-99#", "pattern 999-99X"},
  };
  for (const auto& [type, length, places, list, expected] : cases) {
    const int32_t col = sheet.AddItem("F", "T", type, 0, length, places, "", "", list);
    EXPECT_EQ(Format(col, 4), expected) << type;  // no "DIS": every column stays editable
  }
  EXPECT_EQ(At(16, 2).FontCharSet(), 0);
  grid().SetText(15, 3, "1234.567");
  EXPECT_EQ(At(15, 3).Value(), "1234.57");
  // A locked code locks every kind alike.
  sheet.AddItem("D", "D", EnCheck, 0, 0, 0, "DIS");
  EXPECT_EQ(Format(18, 1), "check  centred locked");
  // An unknown type leaves the column as it was.
  At(20, -1).CellType(kCellInteger);
  sheet.SetMaxCols(19);
  sheet.AddItem("U", "Unknown", 42);
  EXPECT_EQ(At(20, 1).CellType(), kCellInteger);
  EXPECT_TRUE(platform.Boxes().empty());
}

TEST_F(CellTypesTest, SettersFormatTheCellsAndResetTheHeader) {
  // A single cell: the header stays what it was.
  At(3, 0).CellType(kCellStatic);
  sheet.fnSSSetTypeEdit(5, 3, 5);
  EXPECT_EQ(grid().Col() * 10 + grid().Row(), 35);  // the setter leaves the grid on its cells
  EXPECT_EQ(Format(3, 0) + "|" + Format(3, 5), "static|edit 5/0/1 Tahoma locked");
  // A whole column with Appearance 1: the header is not reset, so it shows the kind the
  // whole-column format gave it; with Appearance 0 it is a centred edit cell again.
  sheet.Appearance(1);
  sheet.fnSSSetTypeButton("Go", 3, -1);
  EXPECT_EQ(Format(3, 0), "button Go");
  sheet.Appearance(0);
  sheet.fnSSSetTypeButton("Go", 3, -1);
  EXPECT_EQ(Format(3, 2), "button Go locked");
  const Grid& header = At(3, 0);
  EXPECT_EQ(std::to_string(header.CellType()) + std::to_string(header.TypeHAlign()) + std::to_string(header.TypeVAlign()),
            std::to_string(kCellEdit) + "22");
  // The combo setter also clears the header's length.
  At(4, 0).TypeMaxEditLen(30);
  EXPECT_FALSE(sheet.fnSSSetTypeComboBox(true, "a\tb\t", 4, -1));
  EXPECT_EQ(At(4, 0).TypeMaxEditLen(), 0);
  EXPECT_EQ(Format(4, 1), "combo editable locked");
  // The argument order of the float setter (places, min, max) is easy to get wrong.
  EXPECT_FALSE(sheet.fnSSSetTypeFloat(3, -5, 5, 2, 2));
  EXPECT_EQ(Format(2, 2), "float -5..5.3 sep align1 locked");
  // Refused values reach the caller with the earlier settings kept.
  EXPECT_THROW(sheet.fnSSSetTypeFloat(99, 0, 1, 2, 3), GridError);
  EXPECT_EQ(At(2, 3).CellType(), kCellFloat);
  // The date setter records the type of the definition its display map entry names.
  sheet.AddItem("D", "Date", EnText);
  EXPECT_FALSE(sheet.fnSSSetTypeDate(true, 1, -1));
  EXPECT_EQ(Format(1, 3), "date");
  sheet.CellText(1, 3, "20240131");  // the definition now converts as a date
  EXPECT_EQ(Text(1, 3), "31-01-2024");
  EXPECT_THROW(sheet.fnSSSetTypeDate(true, -1, -1), SubscriptError);
  EXPECT_THROW(sheet.fnSSSetTypeDate(true, 51, 1), GridError);  // the grid refuses first
}

TEST_F(CellTypesTest, TextFloatAddressesADefinitionAndPaintsLocked) {
  sheet.AddItem("A", "A");
  sheet.AddItem("B", "B");
  SheetProbe::Columns(sheet).display_map[1] = 5;  // definition 2 stands in grid column 5
  EXPECT_FALSE(sheet.SetTypeTextFloat(1, 0, 999, 2, -1, "255,0,0", ""));
  const Grid& g = At(5, 3);
  EXPECT_EQ(std::to_string(g.BackColor()) + "/" + std::to_string(g.ForeColor()) + "/" + std::to_string(g.LockBackColor()),
            "255/0/255");
  EXPECT_EQ(Format(5, 3), "number 0..999.1 sep align1 locked");
  EXPECT_EQ(Format(2, 3) + "|" + Format(5, 0), "edit 0/0/1 Tahoma|edit 255/0/1 multi Tahoma");
}

// Colour texts are "r,g,b": items trimmed, a non-number counts 0, nothing clamped, extra
// items ignored, a blank text the default colour.
TEST_F(CellTypesTest, ColourSetters) {
  const Grid& g = At(2, 2);
  const auto colours = [&] {
    return std::to_string(g.BackColor()) + "/" + std::to_string(g.ForeColor()) + " lock " +
           std::to_string(g.LockBackColor()) + "/" + std::to_string(g.LockForeColor());
  };
  sheet.SetColColor("", "");
  EXPECT_EQ(colours(), "16777215/0 lock 16777215/0");
  sheet.SetColColor(" 1, 2 ,3,9", "red,0,300");
  EXPECT_EQ(colours(), std::to_string(1 + 2 * 256 + 3 * 65536) + "/" + std::to_string(300 * 65536) + " lock 16777215/0");
  std::string back = "  ";
  std::string fore = "1,2,3";
  sheet.SetColColorLock(back, fore);
  EXPECT_EQ(back + " " + fore, "255,255,255 1,2,3");  // the caller learns what the blank stood for
  EXPECT_EQ(colours(), "16777215/197121 lock 16777215/197121");
  // A colour text without three items or with a number out of range reaches the caller;
  // nothing was painted.
  EXPECT_THROW(sheet.SetColColor("255,0", ""), SubscriptError);
  EXPECT_THROW(sheet.SetColColor("0,0,1e9", ""), std::overflow_error);
  fore = "9";
  EXPECT_THROW(sheet.SetColColorLock(back, fore), SubscriptError);
  EXPECT_EQ(colours(), "16777215/197121 lock 16777215/197121");
  sheet.fnSSSetTypeEdit(4, 2, 2, "0,255,0", "");
  EXPECT_EQ(g.BackColor(), 0x00FF00);
}

}  // namespace
}  // namespace zel
