// Declaring columns on a loaded sheet and checking what reached the grid.
#include <gtest/gtest.h>

#include <string>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::SheetFixture;
using testing::SheetProbe;

// What the grid shows for one cell (or a whole column with row -1).
struct CellLook {
  bool locked;
  Color back;
  Color fore;
};

CellLook Look(Grid& g, int32_t col, int32_t row) {
  g.Col(col);
  g.Row(row);
  return {g.LockCells(), g.BackColor(), g.ForeColor()};
}

bool Hidden(Grid& g, int32_t col) {
  g.Col(col);
  return g.ColHidden();
}

class ColumnDefinitionTest : public ::testing::Test {
 protected:
  void SetUp() override { grid().MaxRows(5); }
  Grid& grid() { return f_.sheet.GetSheet(); }
  ZelSheet& sheet() { return f_.sheet; }
  const TypeSheetColor& colors() { return SheetProbe::Settings(f_.sheet).colors; }

  SheetFixture f_;
};

TEST_F(ColumnDefinitionTest, PlainDeclarationsNumberColumnsInOrder) {
  int32_t col = 77;
  EXPECT_EQ(sheet().AddItem("A", "Alpha", EnText, col), 1);
  EXPECT_EQ(col, 1);
  col = -5;
  sheet().AddItem("B", "Beta", EnText, col);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(sheet().AddItem("C", "Gamma"), 3);
  EXPECT_EQ(sheet().GetMaxCols(), 3);

  std::string header;
  grid().GetText(2, 0, header);
  EXPECT_EQ(header, "Beta");
  EXPECT_EQ(sheet().FieldName(3), "C");
  EXPECT_EQ(sheet().ReadClass(1), 9);
  EXPECT_EQ(sheet().WriteClass(1), 9);

  // The counter belongs to the host too.
  sheet().SetMaxCols(10);
  EXPECT_EQ(sheet().AddItem("K", "Kappa"), 11);
  EXPECT_EQ(sheet().GroupMaxCols(), 11);
}

TEST_F(ColumnDefinitionTest, TitlesAndFieldNamesAreTrimmedAndLoseTabs) {
  sheet().AddItem("  CU\tST  ", "  Cust\tomer  ");
  std::string header;
  grid().GetText(1, 0, header);
  EXPECT_EQ(header, "Customer");
  EXPECT_EQ(sheet().FieldName(1), "CUST");
}

// The access code combinations a screen uses, checked on the grid: lock, cell colours,
// header colours and visibility.
TEST_F(ColumnDefinitionTest, AccessCodeCombinationsOnTheGrid) {
  const TypeSheetColor& c = colors();
  // Screen classes: columns below read class 5 are hidden, below write class 9 locked.
  sheet().FormReadClass(5);
  sheet().FormWriteClass(9);
  sheet().AddItem("K", "Key", EnText, 0, 10, 0, "KEY", "", "", 3, 9);     // 1
  sheet().AddItem("W", "Write8", EnText, 0, 10, 0, "", "", "", 9, 8);     // 2
  sheet().AddItem("N", "NonDic", EnText, 0, 10, 0, "NON;DIC");            // 3
  sheet().AddItem("E", "DisEdt", EnText, 0, 10, 0, "DIS;EDT");            // 4
  sheet().AddItem("P", "Plain", EnText, 0, 10, 0, "");                    // 5
  sheet().AddItem("H", "Hid", EnText, 0, 10, 0, "HID");                   // 6

  EXPECT_EQ(sheet().AccessKey(1), "KEYSHID;");
  EXPECT_EQ(sheet().AccessKey(2), "SDIS;");
  EXPECT_EQ(sheet().ControlKey(5), "");

  EXPECT_TRUE(Hidden(grid(), 1));
  EXPECT_EQ(Look(grid(), 1, 0).fore, c.header_col_must_input_fg_color);

  EXPECT_TRUE(Look(grid(), 2, 3).locked);
  EXPECT_FALSE(Look(grid(), 2, 0).locked);  // the header cell stays editable
  EXPECT_EQ(Look(grid(), 2, 0).back, c.header_col_bg_color);

  const CellLook non_dic = Look(grid(), 3, 2);
  EXPECT_FALSE(non_dic.locked);
  EXPECT_EQ(non_dic.back, c.code_help);
  EXPECT_EQ(Look(grid(), 3, 0).fore, c.header_col_must_input_fg_color);

  EXPECT_FALSE(Look(grid(), 4, 1).locked);

  const CellLook plain = Look(grid(), 5, 4);
  EXPECT_FALSE(plain.locked);
  EXPECT_EQ(plain.back, c.back_color);
  EXPECT_EQ(Look(grid(), 5, 0).fore, c.header_col_fg_color);
  EXPECT_FALSE(Hidden(grid(), 5));
  EXPECT_TRUE(Hidden(grid(), 6));

  // Once the user's arrangement is in place "HID" no longer hides, "SHID" still does, and
  // no code ever shows a hidden column.
  SheetProbe::Columns(sheet()).layout_restored = true;
  grid().Col(6);
  grid().ColHidden(false);
  sheet().AccessKey(6, "HID");
  EXPECT_FALSE(Hidden(grid(), 6));
  sheet().ControlKey(6, "HID");  // the control key honours "HID" whatever the user chose
  EXPECT_TRUE(Hidden(grid(), 6));
  sheet().SetItem("K", "Key", EnText, 1, 10, 0, "KEY", "", "", 3, 9);
  EXPECT_EQ(sheet().AccessKey(1), "KEYSHID;");
  EXPECT_TRUE(Hidden(grid(), 1));
  sheet().AccessKey(6, "");
  EXPECT_TRUE(Hidden(grid(), 6));

  // SetAccessKey keeps the grid's Row.
  grid().Row(3);
  sheet().SetAccessKey(5, "DIS");
  EXPECT_EQ(grid().Row(), 3);
  EXPECT_TRUE(Look(grid(), 5, 2).locked);
}

TEST_F(ColumnDefinitionTest, FormattingFollowsTheSheetAndSetItem) {
  // A loaded sheet without a stored layout formats on definition.
  sheet().AddItem("A", "A", EnFloat, 0, 5, 2);
  grid().Col(1);
  grid().Row(1);
  EXPECT_EQ(grid().CellType(), kCellFloat);

  // Without it a plain AddItem leaves the format, SetItem (even asked not to) formats.
  SheetProbe::Settings(sheet()).format_on_define = false;
  sheet().AddItem("B", "B", EnCheck);
  grid().Col(2);
  EXPECT_EQ(grid().CellType(), kCellEdit);
  sheet().SetItem("B", "B", EnCheck, 2, 0, 0, "", "", "", 9, 9, 0, false);
  EXPECT_EQ(grid().CellType(), kCellCheckBox);

  // A combo is formatted only by its first plain declaration on a fresh sheet.
  SheetProbe::Settings(sheet()).format_on_define = true;
  sheet().AddItem("C", "C", EnCombo, 0, 0, 0, "", "", "a\tb\t");
  grid().Col(3);
  EXPECT_EQ(grid().CellType(), kCellComboBox);
  grid().CellType(kCellEdit);
  sheet().SetItem("C", "C", EnCombo, 3, 0, 0, "", "", "a\tb\t");
  EXPECT_EQ(grid().CellType(), kCellEdit);

  // While the sheet is initialised from stored settings a declaration is only a number.
  sheet().IsSheetInit(true);
  int32_t n = 0;
  sheet().AddItem("D", "Delta", EnText, n);
  EXPECT_EQ(n, 4);
  EXPECT_EQ(sheet().FieldName(4), "");
  std::string header;
  EXPECT_FALSE(grid().GetText(4, 0, header));
}

TEST_F(ColumnDefinitionTest, DisplayMapFollowsMovedColumns) {
  sheet().AddItem("A", "A");
  sheet().AddItem("B", "B");
  // The user's arrangement put definition 2 first.
  auto& model = SheetProbe::Columns(sheet());
  model.display_map[0] = 2;
  model.display_map[1] = 1;
  grid().SetColItemData(1, 2);
  grid().SetColItemData(2, 1);
  EXPECT_EQ(sheet().ColX(1), 2);
  EXPECT_EQ(sheet().ColX(2), 1);
  EXPECT_EQ(sheet().ColX(0), 0);    // outside the map: the number itself
  EXPECT_EQ(sheet().ColX(999), 999);
  grid().SetActiveCell(1, 1);
  EXPECT_EQ(sheet().ActiveColX(), 2);

  // Re-declaring definition 1 writes at its current place.
  sheet().SetItem("A", "Alpha", EnText, 1);
  std::string header;
  grid().GetText(2, 0, header);
  EXPECT_EQ(header, "Alpha");
  sheet().fnSetHeaderText(2, "Bee");
  grid().GetText(1, 0, header);
  EXPECT_EQ(header, "Bee");

  // In the multi-row layout ColX answers from the field records.
  sheet().IsMultiSheet(true);
  EXPECT_EQ(sheet().ColX(0), 0);
  EXPECT_THROW(sheet().ColX(1), SubscriptError);
}

TEST_F(ColumnDefinitionTest, MaxColsSizesTheModel) {
  sheet().AddItem("A", "A");
  sheet().AddItem("B", "B");
  SheetProbe::Columns(sheet()).display_map[0] = 7;
  sheet().MaxCols(60);
  EXPECT_EQ(grid().MaxCols(), 60);
  EXPECT_EQ(sheet().ColX(1), 7);   // declared columns keep their place
  EXPECT_EQ(sheet().ColX(60), 60);
  EXPECT_EQ(grid().GetColItemData(55), 55);
  EXPECT_EQ(sheet().FieldName(2), "B");

  sheet().MaxCols(0);  // the grid loses its columns, the model stays
  EXPECT_EQ(grid().MaxCols(), 0);
  EXPECT_EQ(sheet().FieldName(2), "B");
  EXPECT_THROW(sheet().MaxCols(-1), GridError);
}

TEST_F(ColumnDefinitionTest, ValuesAsText) {
  sheet().AddItem("Q", "Qty", EnFloat, 0, 5, 2);
  sheet().SetValue(1, 2, "12.5");
  std::string v;
  sheet().GetValue(1, 2, v);
  EXPECT_EQ(v, "12.5");
  sheet().SetValue(1, 2, std::nullopt);  // a null value writes 0
  sheet().GetValue(1, 2, v);
  EXPECT_EQ(v, "0");
  EXPECT_THROW(sheet().GetValue(1, 99, v), GridError);
}

// Failure style "subscript error to the caller": the accessors outside the model.
TEST_F(ColumnDefinitionTest, AccessorsOutsideTheModel) {
  sheet().AddItem("A", "A");
  EXPECT_THROW(sheet().AccessKey(51), SubscriptError);
  EXPECT_THROW(sheet().ControlKey(0), SubscriptError);
  EXPECT_THROW(sheet().FieldName(-1), SubscriptError);
  EXPECT_THROW(sheet().ReadClass(51), SubscriptError);
  EXPECT_THROW(sheet().WriteClass(51), SubscriptError);
  EXPECT_THROW(sheet().AccessKey(51, "DIS"), SubscriptError);
  EXPECT_THROW(sheet().ControlKey(51, "DIS"), SubscriptError);
  EXPECT_THROW(sheet().WriteClass(51, 1), SubscriptError);
  EXPECT_NO_THROW(sheet().FieldName(51, "X"));   // these writes are ignored
  EXPECT_NO_THROW(sheet().ReadClass(51, 1));
  EXPECT_TRUE(f_.platform.Boxes().empty());
}

// Failure style "message box and go on": a declaration beyond the model.
TEST_F(ColumnDefinitionTest, DeclarationBeyondTheModelShowsABoxPerWrite) {
  sheet().SetMaxCols(50);  // the next number, 51, lies beyond the model of 50
  grid().MaxCols(51);      // ... but its grid column exists
  int32_t n = 0;
  sheet().AddItem("X", "Extra", EnFloat, n, 5, 2, "DIS");
  EXPECT_EQ(n, 51);

  std::string header;
  grid().GetText(51, 0, header);
  EXPECT_EQ(header, "Extra");  // the header is still written
  // Field name, title, type, two lengths, access code, default, both classes and (since
  // the column is formatted) the float mask: ten model writes, ten boxes.
  const auto& boxes = f_.platform.Boxes();
  ASSERT_EQ(boxes.size(), 10u);
  for (const auto& box : boxes) {
    EXPECT_EQ(box.icon, vbCritical);
    EXPECT_EQ(box.title, "[AddItem]");
    EXPECT_NE(box.text.find("Column 51"), std::string::npos) << box.text;
  }
  EXPECT_NE(boxes.front().text.find("field name"), std::string::npos);
  // Format and access code still reached grid column 51.
  grid().Col(51);
  grid().Row(1);
  EXPECT_EQ(grid().CellType(), kCellFloat);
  EXPECT_TRUE(grid().LockCells());

  // A column whose grid column does not exist either: every write fails, nothing throws.
  const size_t before = boxes.size();
  EXPECT_NO_THROW(sheet().AddItem("Y", "Why", EnText, n));
  EXPECT_GT(boxes.size(), before + 10);

  // A float length too large for a number: that write fails alone.
  SheetFixture g;
  g.sheet.AddItem("Z", "Zed", EnFloat, 0, 400, 2);
  ASSERT_EQ(g.platform.Boxes().size(), 2u);  // the maximum and the minimum
  EXPECT_NE(g.platform.Boxes()[0].text.find("TypeFloatMax"), std::string::npos);
  g.sheet.GetSheet().Col(1);
  EXPECT_EQ(g.sheet.GetSheet().TypeFloatDecimalPlaces(), 2);
}

}  // namespace
}  // namespace zel
