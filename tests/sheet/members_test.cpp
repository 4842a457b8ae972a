// The sheet object's small members and the pass-throughs that add behaviour to the grid.
#include <gtest/gtest.h>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"

namespace zel {
namespace {

using testing::SheetFixture;
using testing::SheetProbe;

// A cell's style, "kind/max length/multi-line/locked" (kind 1 edit, 5 static).
std::string Style(SheetFixture& f, int32_t col, int32_t row) {
  const Grid& g = f.At(col, row);
  return std::to_string(g.CellType()) + "/" + std::to_string(g.TypeMaxEditLen()) + "/" +
         std::to_string(g.TypeEditMultiLine()) + "/" + std::to_string(g.LockCells());
}

class FocusListener : public GridListener {
 public:
  int focus = 0;
  void GotFocus() override { ++focus; }
};

// One default sheet walked through the members that add behaviour to the grid's own.
TEST(SheetMembersTest, PassThroughsThatAddBehaviourOrLetGridErrorsThrough) {
  SheetFixture f;
  ZelSheet& sheet = f.sheet;
  sheet.BorderStyle(0);  // writing is ignored
  EXPECT_EQ(sheet.BorderStyle(), 1);
  sheet.MaxRows(5);
  sheet.SetText(1, 2, "x");
  SheetProbe::Editing(sheet).row_pending = true;  // the user types into a spare row
  EXPECT_EQ(sheet.DataRowCnt() * 10 + sheet.GetSheet().DataRowCnt(), 32);
  // Grid errors reach the caller.
  EXPECT_THROW(sheet.SetText(51, 1, "x"), GridError);
  EXPECT_THROW(sheet.Action(999), GridError);
  // The grid reports focus once however often the host sets it.
  FocusListener listener;
  sheet.GetSheet().SetListener(&listener);
  sheet.SetFocus();
  sheet.SetFocus();
  EXPECT_EQ(sheet.HasFocus() * 10 + listener.focus, 11);
  sheet.GetSheet().SetListener(nullptr);
  // Text is measured in twips, line by line.
  std::string measures;
  for (const char* t : {"", "abc", "가나", "ab\r\nabcd\nx"}) measures += std::to_string(static_cast<int>(sheet.TextWidth(t))) + " ";
  for (const char* t : {"x", "x\ny"}) measures += std::to_string(static_cast<int>(sheet.TextHeight(t))) + " ";
  EXPECT_EQ(measures, "0 360 480 480 216 432 ");
  // The image button column is found by the definition number the active column carries.
  sheet.AddItem("A", "A");
  sheet.AddItem("I", "Image", EnImageButton);
  std::string found;
  for (const auto& [col, def] : {std::pair{2, 2}, {2, 1}, {1, 2}, {1, 0}}) {
    sheet.ActiveCell(col, 1);
    sheet.SetColItemData(col, def);
    found += std::to_string(sheet.IsActiveColimageButton());
  }
  EXPECT_EQ(found, "1010");
  // ColStart and ColEnd skip hidden columns and keep Col.
  for (int32_t c : {1, 2, 50, 49}) {
    sheet.Col(c);
    sheet.ColHidden(true);
  }
  const auto ends = [&](int32_t col) {
    sheet.Col(col);
    return std::to_string(sheet.ColStart()) + "-" + std::to_string(sheet.ColEnd()) + "@" + std::to_string(sheet.Col());
  };
  EXPECT_EQ(ends(7), "3-48@7");
  sheet.Col(-1);
  sheet.ColHidden(true);
  EXPECT_EQ(ends(5), "0-0@5");
  // Info is written as a record but read as the grid's state.
  sheet.Info("DATE:20240101~,P1~,X~,INIT~,0~,R~,S~,U");
  sheet.MaxCols(3);
  sheet.ActiveCell(2, 4);
  f.At(3, 1);
  EXPECT_EQ(sheet.Info(), "2|4|3|1|2|5|3|");
}

TEST(SheetMembersTest, SCutCutsByBytesWithoutSplittingACharacter) {
  const std::tuple<const char*, int32_t, const char*> cases[] = {  // result|rest|length afterwards
      {"가나다12", 3, "가|나다12|3"},  // the cut falls inside 나: it stays in the rest
      {"abc", 10, "abc||3"},  {"가나", 9, "가나||4"},  // lowered to the text's length
      {"   ", 2, "|   |2"},  {"", 5, "||5"},  // blank: nothing changes
      {" a ", 2, " a| |2"},
  };
  SheetFixture f;
  for (auto [text, length, expected] : cases) {
    std::string rest = text;
    const std::string result = f.sheet.SCut(rest, length);
    EXPECT_EQ(result + "|" + rest + "|" + std::to_string(length), expected) << text;
  }
  std::string text = "abc";
  int32_t negative = -1;
  EXPECT_THROW(f.sheet.SCut(text, negative), std::invalid_argument);
}

TEST(SheetMembersTest, IsSheetLockLocksEverythingAndUnlockRestoresTheLockColours) {
  SheetFixture f(SheetFixture::Bag({{"COLOR_BACKCOLOR", "111"}, {"COLOR_FORECOLOR", "222"},
                                    {"COLOR_HeaderRowBgColor", "333"}, {"COLOR_HeaderColFgColor", "444"}}));
  Grid& grid = f.grid();
  f.sheet.MaxRows(2);
  f.sheet.IsSheetLock(true);
  EXPECT_EQ(f.At(0, 1).BackColor(), 333);
  EXPECT_EQ(f.At(2, 0).ForeColor(), 444);
  EXPECT_TRUE(f.At(4, 2).LockCells());
  EXPECT_EQ(grid.LockBackColor(), static_cast<Color>(0x8000000Bu));
  // Unlocking works on the current cell or block only.
  f.sheet.IsSheetLock(false);
  EXPECT_EQ(std::to_string(grid.LockCells()) + "/" + std::to_string(grid.LockBackColor()) + "/" +
                std::to_string(grid.LockForeColor()),
            "0/111/222");
  EXPECT_TRUE(f.At(3, 2).LockCells());
}

TEST(SheetMembersTest, HeaderStyleOfTheMultiRowLayout) {
  SheetFixture f(SheetFixture::Bag({{"COLOR_HeaderRowBgColor", "777"}}));
  f.sheet.MaxRows(2);
  f.sheet.ColHeaderRows(3);
  for (int32_t row : {-1000, -998}) {
    f.At(-1, row).TypeMaxEditLen(10);
    f.grid().CellType(kCellStatic);
  }
  f.sheet.SetHeaderColorMult();
  // Header rows 1 and 2 get the header cell style; the first row keeps its own; the single
  // row-header column the style without line wrap, and its colours.
  EXPECT_EQ(Style(f, 4, -999) + " " + Style(f, 4, -998) + " " + Style(f, 4, 0) + " " + Style(f, 0, 1),
            "1/255/1/0 1/255/1/0 5/10/1/0 1/255/0/0");
  EXPECT_EQ(f.At(0, 1).BackColor(), 777);
}

}  // namespace
}  // namespace zel
