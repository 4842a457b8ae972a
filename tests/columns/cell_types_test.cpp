// Cell type formats as AddItem applies them, the public setters and the colour setters,
// all checked on the grid.
#include <gtest/gtest.h>

#include <string>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::SheetFixture;
using testing::SheetProbe;

class CellTypesTest : public ::testing::Test {
 protected:
  void SetUp() override { grid().MaxRows(6); }
  Grid& grid() { return f_.sheet.GetSheet(); }
  ZelSheet& sheet() { return f_.sheet; }
  // Points the grid at a cell so that its properties can be read.
  Grid& At(int32_t col, int32_t row) {
    grid().Col(col);
    grid().Row(row);
    return grid();
  }
  std::string Shown(int32_t col, int32_t row) {
    std::string out;
    grid().GetText(col, row, out);
    return out;
  }

  SheetFixture f_;
};

TEST_F(CellTypesTest, EveryTypeFormatsItsColumn) {
  SheetProbe::Identity(sheet()).font_name = "Gulim";
  struct Case {
    int16_t type;
    int16_t kind;  // kCellEdit also for the date types, which keep theirs
    const char* edit;  // max length, char set, case; "" for the kinds without them
  } const cases[] = {
      {EnText, kCellEdit, "12/0/1"},     {EnTime, kCellEdit, "12/0/1"},
      {EnDate, kCellEdit, "12/0/1"},     {EnDateMonth, kCellEdit, "2/3/1"},
      {EnDateyear, kCellEdit, "4/3/1"},  {EnDateYearMonth, kCellEdit, "7/0/1"},
      {EnDateDay, kCellEdit, "2/3/1"},   {EnTextMulti, kCellEdit, "12/0/1"},
      {EnCheck, kCellCheckBox, ""},      {EnButton, kCellButton, ""},
      {EnImageButton, kCellButton, ""},  {EnPicture, kCellPicture, ""},
      {EnCaption, kCellStatic, ""},      {EnCombo, kCellComboBox, ""},
  };
  for (const Case& c : cases) {
    int32_t col = 0;
    sheet().AddItem("F", "T", c.type, col, 12, 0, "", "", "Yes");
    SCOPED_TRACE(c.type);
    Grid& g = At(col, 4);
    EXPECT_EQ(g.CellType(), c.kind);
    EXPECT_FALSE(g.LockCells());  // no "DIS": every column stays editable
    if (*c.edit) {
      EXPECT_EQ(std::to_string(g.TypeMaxEditLen()) + "/" + std::to_string(g.TypeEditCharSet()) + "/" +
                    std::to_string(g.TypeEditCharCase()),
                c.edit);
    }
  }
  EXPECT_EQ(At(1, 1).FontName(), "Gulim");  // text
  EXPECT_EQ(At(2, 1).FontName(), "Gulim");  // and time
  EXPECT_TRUE(At(8, 1).TypeEditMultiLine());
  EXPECT_EQ(At(9, 1).TypeCheckText(), "Yes");
  EXPECT_EQ(At(10, 1).TypeButtonText(), "Yes");
  EXPECT_TRUE(At(9, 1).TypeCheckCenter());
  // A float takes its range with two decimals, a mask its pattern.
  sheet().AddItem("AMT", "Amount", EnFloat, 0, 5, 2);
  sheet().AddItem("TEL", "Phone", EnMask, 0, 8, 0, "", "", "###-####");
  sheet().AddItem("ZIP", "Zip", EnMask, 0, 6, 0, "", "", "999-99#");
  Grid& g = At(15, 3);
  EXPECT_EQ(g.CellType(), kCellFloat);
  EXPECT_EQ(g.TypeFloatMax(), 100000.0);
  EXPECT_EQ(g.TypeFloatMin(), -100000.0);
  EXPECT_TRUE(g.TypeFloatSeparator());
  EXPECT_EQ(g.TypeHAlign(), 1);
  g.SetText(15, 3, "1234.567");
  EXPECT_EQ(g.Value(), "1234.57");
  EXPECT_EQ(At(16, 2).CellType(), kCellPattern);
  EXPECT_EQ(At(16, 2).TypePicMask(), "XXX-XXXX");
  EXPECT_EQ(At(17, 2).TypePicMask(), "999-99X");
  EXPECT_EQ(At(16, 2).FontCharSet(), 0);
  // A locked code locks every kind alike.
  sheet().AddItem("D", "D", EnCheck, 0, 0, 0, "DIS");
  EXPECT_TRUE(At(sheet().GetMaxCols(), 1).LockCells());
  // An unknown type leaves the column as it was.
  At(20, -1).CellType(kCellInteger);
  sheet().SetMaxCols(19);
  sheet().AddItem("U", "Unknown", 42);
  EXPECT_EQ(At(20, 1).CellType(), kCellInteger);
  EXPECT_TRUE(f_.platform.Boxes().empty());
}

TEST_F(CellTypesTest, HeaderResetAfterWholeColumnFormats) {
  Grid& g = grid();
  // A single cell: the header stays what it was.
  At(3, 0).CellType(kCellStatic);
  sheet().fnSSSetTypeEdit(5, 3, 5);
  EXPECT_EQ(At(3, 0).CellType(), kCellStatic);
  EXPECT_EQ(At(3, 5).CellType(), kCellEdit);
  EXPECT_EQ(g.Col(), 3);  // the setter leaves the grid on its cells
  // A whole column with Appearance 1: the header is not reset, so it shows the kind the
  // whole-column format gave it.
  sheet().Appearance(1);
  sheet().fnSSSetTypeButton("Go", 3, -1);
  EXPECT_EQ(At(3, 0).CellType(), kCellButton);
  // A whole column with Appearance 0: a centred edit cell again.
  sheet().Appearance(0);
  sheet().fnSSSetTypeButton("Go", 3, -1);
  EXPECT_EQ(At(3, 0).CellType(), kCellEdit);
  EXPECT_EQ(At(3, 0).TypeHAlign(), 2);
  EXPECT_EQ(At(3, 0).TypeVAlign(), 2);
  EXPECT_EQ(At(3, 2).CellType(), kCellButton);
  // The combo setter also clears the header's length.
  At(4, 0).TypeMaxEditLen(30);
  EXPECT_FALSE(sheet().fnSSSetTypeComboBox(true, "a\tb\t", 4, -1));
  EXPECT_EQ(At(4, 0).TypeMaxEditLen(), 0);
  EXPECT_TRUE(At(4, 1).TypeComboBoxEditable());
}

TEST_F(CellTypesTest, PublicSetters) {
  // The argument order of the float setter (places, min, max) is easy to get wrong.
  EXPECT_FALSE(sheet().fnSSSetTypeFloat(3, -5, 5, 2, 2));
  EXPECT_EQ(At(2, 2).TypeFloatDecimalPlaces(), 3);
  EXPECT_EQ(At(2, 2).TypeFloatMin(), -5.0);
  EXPECT_EQ(At(2, 2).TypeFloatMax(), 5.0);

  // The date setter records the type of the definition its display map entry names.
  sheet().AddItem("D", "Date", EnText);
  EXPECT_FALSE(sheet().fnSSSetTypeDate(true, 1, -1));
  EXPECT_EQ(At(1, 3).CellType(), kCellDate);
  sheet().CellText(1, 3, "20240131");  // the definition now converts as a date
  EXPECT_EQ(Shown(1, 3), "31-01-2024");
  EXPECT_THROW(sheet().fnSSSetTypeDate(true, -1, -1), SubscriptError);
  EXPECT_THROW(sheet().fnSSSetTypeDate(true, 51, 1), GridError);  // the grid refuses first

  // Refused values reach the caller with the earlier settings kept.
  EXPECT_THROW(sheet().fnSSSetTypeFloat(99, 0, 1, 2, 3), GridError);
  EXPECT_EQ(At(2, 3).CellType(), kCellFloat);
}

TEST_F(CellTypesTest, TextFloatAddressesADefinitionAndPaintsLocked) {
  sheet().AddItem("A", "A");
  sheet().AddItem("B", "B");
  auto& model = SheetProbe::Columns(sheet());
  model.display_map[1] = 5;  // definition 2 stands in grid column 5
  EXPECT_FALSE(sheet().SetTypeTextFloat(1, 0, 999, 2, -1, "255,0,0", ""));
  Grid& g = At(5, 3);
  EXPECT_EQ(g.CellType(), kCellNumber);
  EXPECT_EQ(g.TypeFloatDecimalPlaces(), 1);
  EXPECT_EQ(g.BackColor(), 255);
  EXPECT_EQ(g.ForeColor(), 0);
  EXPECT_EQ(g.LockBackColor(), 255);
  EXPECT_EQ(At(2, 3).CellType(), kCellEdit);
  EXPECT_EQ(At(5, 0).CellType(), kCellEdit);
}

TEST_F(CellTypesTest, ColourSetters) {
  Grid& g = At(2, 2);
  sheet().SetColColor("", "");
  EXPECT_EQ(g.BackColor(), 0xFFFFFF);
  EXPECT_EQ(g.ForeColor(), 0);
  sheet().SetColColor("255,0,0", "0,0,255");
  EXPECT_EQ(g.BackColor(), 255);
  EXPECT_EQ(g.ForeColor(), 16711680);

  std::string back = "  ";
  std::string fore = "1,2,3";
  sheet().SetColColorLock(back, fore);
  EXPECT_EQ(back, "255,255,255");  // the caller learns what the blank stood for
  EXPECT_EQ(fore, "1,2,3");
  EXPECT_EQ(g.LockBackColor(), 0xFFFFFF);
  EXPECT_EQ(g.LockForeColor(), 0x030201);
  EXPECT_EQ(g.ForeColor(), 0x030201);

  // A colour text without three items reaches the caller; nothing was painted.
  EXPECT_THROW(sheet().SetColColor("255,0", ""), SubscriptError);
  EXPECT_THROW(sheet().SetColColorLock("0,0,0", "9"), SubscriptError);
  EXPECT_EQ(g.BackColor(), 0xFFFFFF);
  EXPECT_EQ(g.LockForeColor(), 0x030201);
  sheet().fnSSSetTypeEdit(4, 2, 2, "0,255,0", "");
  EXPECT_EQ(g.BackColor(), 0x00FF00);
}

}  // namespace
}  // namespace zel
