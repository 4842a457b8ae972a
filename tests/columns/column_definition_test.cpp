// Declaring columns on a loaded sheet and checking what reached the grid.
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

class ColumnDefinitionTest : public ::testing::Test, protected SheetFixture {
 protected:
  void SetUp() override { grid().MaxRows(5); }
  // The kinds of cells (col, 1) for each column from 1 to `cols`, joined by blanks.
  std::string Kinds(int32_t cols) {
    std::string out;
    for (int32_t c = 1; c <= cols; ++c) {
      const std::string format = testing::FormatAt(grid(), c, 1);
      out += (c > 1 ? " " : "") + format.substr(0, format.find(' '));
    }
    return out;
  }
  // "H" for each hidden column from 1 to `cols`, "." for a shown one.
  std::string Hidden(int32_t cols) {
    std::string out;
    for (int32_t c = 1; c <= cols; ++c) out += At(c, -1).ColHidden() ? 'H' : '.';
    return out;
  }
};

TEST_F(ColumnDefinitionTest, DeclarationsNumberColumnsInOrderWithTrimmedTexts) {
  int32_t col = 77;
  EXPECT_EQ(sheet.AddItem("A", "Alpha", EnFloat, col, 5, 2) * 10 + col, 11);
  col = -5;
  sheet.AddItem("  B\tX  ", "  Be\tta  ", EnText, col);  // trimmed, tabs dropped
  EXPECT_EQ(sheet.AddItem("C", "Gamma") * 10 + col, 32);
  EXPECT_EQ(Text(2, 0) + sheet.FieldName(2), "BetaBX");
  sheet.SetMaxCols(10);  // the counter belongs to the host too
  EXPECT_EQ(sheet.AddItem("K", "Kappa") * 100 + sheet.GroupMaxCols(), 1111);
  // Values as text; a null value writes 0.
  std::string v, w;
  sheet.SetValue(1, 2, "12.5");
  sheet.GetValue(1, 2, v);
  sheet.SetValue(1, 2, std::nullopt);
  sheet.GetValue(1, 2, w);
  EXPECT_EQ(v + " " + w, "12.5 0");
  EXPECT_THROW(sheet.GetValue(1, 99, v), GridError);
  // Outside the model: a subscript error to the caller; the writes of a name and a read
  // class are ignored.
  EXPECT_THROW(sheet.AccessKey(51), SubscriptError);
  EXPECT_THROW(sheet.ControlKey(0), SubscriptError);
  EXPECT_THROW(sheet.WriteClass(51, 1), SubscriptError);
  EXPECT_NO_THROW(sheet.FieldName(51, "X"));
  EXPECT_NO_THROW(sheet.ReadClass(51, 1));
  EXPECT_TRUE(platform.Boxes().empty());
}

// The access codes a screen uses, on the grid: lock, cell colours, header colours and
// visibility (which code gives what: access_code_test).
TEST_F(ColumnDefinitionTest, AccessCodesOnTheGrid) {
  const TypeSheetColor& c = SheetProbe::Settings(sheet).colors;
  sheet.FormReadClass(5);   // columns below read class 5 are hidden,
  sheet.FormWriteClass(9);  // below write class 9 locked
  sheet.AddItem("K", "Key", EnText, 0, 10, 0, "KEY", "", "", 3, 9);
  sheet.AddItem("W", "Write8", EnText, 0, 10, 0, "", "", "", 9, 8);
  sheet.AddItem("N", "NonDic", EnText, 0, 10, 0, "NON;DIC");
  sheet.AddItem("P", "Plain", EnText, 0, 10, 0, "");
  sheet.AddItem("H", "Hid", EnText, 0, 10, 0, "HID");
  EXPECT_EQ(sheet.AccessKey(1) + "|" + sheet.AccessKey(2) + "|" + sheet.ControlKey(4), "KEYSHID;|SDIS;|");
  EXPECT_EQ(Hidden(5), "H...H");
  // Locks: the header cell stays editable.
  EXPECT_EQ(std::vector<bool>({At(2, 3).LockCells(), At(2, 0).LockCells(), At(3, 2).LockCells()}),
            std::vector<bool>({true, false, false}));
  EXPECT_EQ(std::vector<Color>({At(2, 0).BackColor(), At(3, 2).BackColor(), At(4, 4).BackColor()}),
            std::vector<Color>({c.header_col_bg_color, c.code_help, c.back_color}));
  EXPECT_EQ(std::vector<Color>({At(3, 0).ForeColor(), At(4, 0).ForeColor()}),
            std::vector<Color>({c.header_col_must_input_fg_color, c.header_col_fg_color}));
  // Once the user's arrangement is in place "HID" no longer hides, "SHID" still does, the
  // control key honours "HID" whatever the user chose, and no code shows a hidden column.
  SheetProbe::Columns(sheet).layout_restored = true;
  At(5, -1).ColHidden(false);
  sheet.AccessKey(5, "HID");
  sheet.SetItem("K", "Key", EnText, 1, 10, 0, "KEY", "", "", 3, 9);
  EXPECT_EQ(Hidden(5), "H....");
  sheet.ControlKey(5, "HID");
  sheet.AccessKey(5, "");
  EXPECT_EQ(Hidden(5), "H...H");
  grid().Row(3);
  sheet.SetAccessKey(4, "DIS");
  EXPECT_EQ(grid().Row(), 3);  // SetAccessKey keeps the grid's Row
  EXPECT_TRUE(At(4, 2).LockCells());
}

TEST_F(ColumnDefinitionTest, FormattingFollowsTheSheetAndSetItem) {
  sheet.AddItem("A", "A", EnFloat, 0, 5, 2);  // a loaded sheet without a stored layout formats
  // Without it a plain AddItem leaves the format, SetItem (even asked not to) formats.
  SheetProbe::Settings(sheet).format_on_define = false;
  sheet.AddItem("B", "B", EnCheck);
  EXPECT_EQ(Kinds(2), "float edit");
  sheet.SetItem("B", "B", EnCheck, 2, 0, 0, "", "", "", 9, 9, 0, false);
  // A combo is formatted only by its first plain declaration on a fresh sheet.
  SheetProbe::Settings(sheet).format_on_define = true;
  sheet.AddItem("C", "C", EnCombo, 0, 0, 0, "", "", "a\tb\t");
  EXPECT_EQ(Kinds(3), "float check combo");
  grid().CellType(kCellEdit);
  sheet.SetItem("C", "C", EnCombo, 3, 0, 0, "", "", "a\tb\t");
  EXPECT_EQ(Kinds(3), "float check edit");
  // While the sheet is initialised from stored settings a declaration is only a number.
  sheet.IsSheetInit(true);
  std::string header;
  EXPECT_EQ(sheet.AddItem("D", "Delta", EnText), 4);
  EXPECT_EQ(sheet.FieldName(4), "");
  EXPECT_FALSE(grid().GetText(4, 0, header));
}

TEST_F(ColumnDefinitionTest, DisplayMapFollowsMovedColumnsAndMaxColsKeepsIt) {
  sheet.AddItem("A", "A");
  sheet.AddItem("B", "B");
  // The user's arrangement put definition 2 first.
  auto& model = SheetProbe::Columns(sheet);
  model.display_map[0] = 2;
  model.display_map[1] = 1;
  grid().SetColItemData(1, 2);
  grid().SetColItemData(2, 1);
  grid().SetActiveCell(1, 1);
  const auto colX = [&](int32_t def) { return std::to_string(sheet.ColX(def)); };
  EXPECT_EQ(colX(1) + colX(2) + colX(0) + "," + colX(999) + std::to_string(sheet.ActiveColX()), "210,9992");
  sheet.SetItem("A", "Alpha", EnText, 1);  // re-declared at its current place
  sheet.fnSetHeaderText(2, "Bee");
  EXPECT_EQ(Text(1, 0) + Text(2, 0), "BeeAlpha");
  // New columns map to themselves; without grid columns the model stays.
  sheet.MaxCols(60);
  EXPECT_EQ(std::to_string(grid().MaxCols()) + " " + colX(1) + colX(60) + std::to_string(grid().GetColItemData(55)),
            "60 26055");
  sheet.MaxCols(0);
  EXPECT_EQ(std::to_string(grid().MaxCols()) + sheet.FieldName(2), "0B");
  EXPECT_THROW(sheet.MaxCols(-1), GridError);
}

// A declaration beyond the model: a message box per model write, and the declaration goes on.
TEST_F(ColumnDefinitionTest, DeclarationBeyondTheModelShowsABoxPerWrite) {
  sheet.SetMaxCols(50);  // the next number, 51, lies beyond the model of 50
  grid().MaxCols(51);      // ... but its grid column exists
  int32_t n = 0;
  sheet.AddItem("X", "Extra", EnFloat, n, 5, 2, "DIS");
  EXPECT_EQ(std::to_string(n) + Text(51, 0), "51Extra");
  // Field name, title, type, two lengths, access code, default, both classes and the float
  // mask: ten model writes, ten boxes; format and access code still reach the grid.
  const auto& boxes = platform.Boxes();
  ASSERT_EQ(boxes.size(), 10u);
  for (const auto& box : boxes) {
    EXPECT_EQ(box.title + std::to_string(box.icon) + box.text.substr(0, 9), "[AddItem]16Column 51") << box.text;
  }
  EXPECT_NE(boxes.front().text.find("field name"), std::string::npos);
  EXPECT_EQ(testing::FormatAt(grid(), 51, 1), "float -100000..100000.2 sep align1 locked");
  // A column whose grid column does not exist either: every write fails, nothing throws.
  EXPECT_NO_THROW(sheet.AddItem("Y", "Why", EnText, n));
  EXPECT_GT(boxes.size(), 20u);
  // A float length too large for a number: those two writes fail alone.
  SheetFixture g;
  g.sheet.AddItem("Z", "Zed", EnFloat, 0, 400, 2);
  ASSERT_EQ(g.platform.Boxes().size(), 2u);  // the maximum and the minimum
  EXPECT_NE(g.platform.Boxes()[0].text.find("TypeFloatMax"), std::string::npos);
  g.sheet.GetSheet().Col(1);
  EXPECT_EQ(g.sheet.GetSheet().TypeFloatDecimalPlaces(), 2);
}

}  // namespace
}  // namespace zel
