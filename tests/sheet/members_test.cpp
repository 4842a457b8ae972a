// The sheet object's small members and the pass-throughs that add behaviour to the grid.
#include <gtest/gtest.h>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"

namespace zel {
namespace {

using testing::SheetFixture;
using testing::SheetProbe;

// A cell's style, "kind/max length/multi-line/locked" (kind 1 edit, 5 static).
std::string Style(Grid& g, int32_t col, int32_t row) {
  g.Col(col);
  g.Row(row);
  return std::to_string(g.CellType()) + "/" + std::to_string(g.TypeMaxEditLen()) + "/" +
         std::to_string(g.TypeEditMultiLine()) + "/" + std::to_string(g.LockCells());
}

TEST(SheetMembersTest, MaxRowsKeepsTheRowsTheSheetHoldsFrozen) {
  testing::ScriptedPlatform platform;
  platform.Settings().SaveSetting("Praxium.Net", "P\\S", "RowsFrozen", "2");
  ZelSheet sheet(platform);
  sheet.ReadProperties(SheetFixture::Bag({{"Info", "D~,P~,X~,INIT~,0~,R~,S~,U"}}));
  // Loading emptied the grid, and the grid forgot the frozen rows it no longer had; the
  // sheet's MaxRows gives them back, the grid's own member does not.
  std::string frozen = std::to_string(sheet.GetSheet().RowsFrozen());
  for (const int32_t rows : {10, 1, 5}) {
    sheet.MaxRows(rows);
    frozen += std::to_string(sheet.RowsFrozen());
  }
  sheet.GetSheet().MaxRows(0);
  sheet.GetSheet().MaxRows(5);
  EXPECT_EQ(frozen + std::to_string(sheet.RowsFrozen()), "02120");
}

TEST(SheetMembersTest, PassThroughsThatAddBehaviourOrLetGridErrorsThrough) {
  SheetFixture f;
  ZelSheet& sheet = f.sheet;
  sheet.BorderStyle(0);
  EXPECT_EQ(sheet.BorderStyle(), 1);
  sheet.MaxRows(5);
  sheet.SetText(1, 2, "x");
  SheetProbe::Editing(sheet).row_pending = true;  // the user types into a spare row
  EXPECT_EQ(sheet.DataRowCnt() * 10 + sheet.GetSheet().DataRowCnt(), 32);
  sheet.RowHeadersAutoText(2);
  EXPECT_EQ(sheet.RowHeaderDisplay(), 2);
  sheet.MaxRows(3);
  EXPECT_THROW(sheet.SetText(51, 1, "x"), GridError);
  EXPECT_THROW(sheet.SetText(1, 4, "x"), GridError);
  EXPECT_THROW(sheet.ColWidth(99, 3.0), GridError);
  EXPECT_THROW(sheet.ActiveCell(1, 99), GridError);
  EXPECT_THROW(sheet.MaxRows(-1), GridError);
  EXPECT_THROW(sheet.Action(999), GridError);
  std::string text;
  EXPECT_THROW(sheet.GetText(-7, 1, text), GridError);
}

class FocusListener : public GridListener {
 public:
  int focus = 0;
  void GotFocus() override { ++focus; }
};

TEST(SheetMembersTest, SetFocusIsReportedByTheGridOnce) {
  SheetFixture f;
  FocusListener listener;
  f.sheet.GetSheet().SetListener(&listener);
  f.sheet.SetFocus();
  f.sheet.SetFocus();
  EXPECT_TRUE(f.sheet.HasFocus());
  EXPECT_EQ(listener.focus, 1);
  f.sheet.GetSheet().SetListener(nullptr);
}

TEST(SheetMembersTest, ColStartAndColEndSkipHiddenColumnsAndKeepCol) {
  SheetFixture f;
  ZelSheet& sheet = f.sheet;
  for (int32_t c : {1, 2, 50, 49}) {
    sheet.Col(c);
    sheet.ColHidden(true);
  }
  sheet.Col(7);
  const auto ends = [&] {
    const std::string start = std::to_string(sheet.ColStart()) + "-";
    const std::string end = std::to_string(sheet.ColEnd()) + "@";
    return start + end + std::to_string(sheet.Col());
  };
  EXPECT_EQ(ends(), "3-48@7");
  sheet.Col(-1);
  sheet.ColHidden(true);
  sheet.Col(5);
  EXPECT_EQ(ends(), "0-0@5");
}

TEST(SheetMembersTest, SCutCutsByBytesWithoutSplittingACharacter) {
  struct Case {
    const char* text;
    int32_t length;
    const char* expected;  // result|rest|length afterwards
  } const cases[] = {
      {"가나다12", 4, "가나|다12|4"},
      {"가나다12", 3, "가|나다12|3"},  // the cut falls inside 나: it stays in the rest
      {"a가b", 2, "a|가b|2"},
      {"abc", 10, "abc||3"},  // lowered to the text's length
      {"가나", 9, "가나||4"},  {"abc", 0, "|abc|0"},
      {"   ", 2, "|   |2"},  // blank: nothing changes
      {"", 5, "||5"},         {" a ", 2, " a| |2"},
  };
  SheetFixture f;
  for (const Case& c : cases) {
    std::string text = c.text;
    int32_t length = c.length;
    const std::string result = f.sheet.SCut(text, length);
    EXPECT_EQ(result + "|" + text + "|" + std::to_string(length), c.expected) << c.text;
  }
  std::string text = "abc";
  int32_t negative = -1;
  EXPECT_THROW(f.sheet.SCut(text, negative), std::invalid_argument);
  EXPECT_EQ(text, "abc");
}

TEST(SheetMembersTest, IsSheetLockLocksEverythingAndUnlockRestoresTheLockColours) {
  SheetFixture f(SheetFixture::Bag({{"COLOR_BACKCOLOR", "111"},
                                    {"COLOR_FORECOLOR", "222"},
                                    {"COLOR_HeaderRowBgColor", "333"},
                                    {"COLOR_HeaderColFgColor", "444"}}));
  ZelSheet& sheet = f.sheet;
  Grid& grid = sheet.GetSheet();
  sheet.MaxRows(2);
  sheet.IsSheetLock(true);
  EXPECT_TRUE(sheet.IsSheetLock());
  grid.Col(0);
  grid.Row(1);
  EXPECT_EQ(grid.BackColor(), 333);
  grid.Col(2);
  grid.Row(0);
  EXPECT_EQ(grid.ForeColor(), 444);
  grid.Col(4);
  grid.Row(2);
  EXPECT_TRUE(grid.LockCells());
  EXPECT_EQ(grid.LockBackColor(), static_cast<Color>(0x8000000Bu));
  // Unlocking works on the current cell or block only.
  sheet.IsSheetLock(false);
  EXPECT_FALSE(sheet.IsSheetLock());
  EXPECT_EQ(std::to_string(grid.LockCells()) + "/" + std::to_string(grid.LockBackColor()) + "/" +
                std::to_string(grid.LockForeColor()),
            "0/111/222");
  grid.Col(3);
  EXPECT_TRUE(grid.LockCells());
}

TEST(SheetMembersTest, MousePointerActiveImageButtonAndTextMeasure) {
  SheetFixture f;
  ZelSheet& sheet = f.sheet;
  sheet.MousePointer(vbHourglass);
  EXPECT_EQ(f.platform.Mouse().ScreenPointer(), vbHourglass);
  f.platform.Mouse().ControlPointer(vbArrow);
  EXPECT_EQ(sheet.MousePointer(), vbArrow);

  // The image button column is found by the definition number the column carries.
  sheet.MaxRows(2);
  SheetProbe::Columns(sheet).Def(4).cell_type = EnImageButton;
  std::string found;
  sheet.ActiveCell(4, 1);
  found += std::to_string(sheet.IsActiveColimageButton());
  sheet.SetColItemData(4, 5);
  found += std::to_string(sheet.IsActiveColimageButton());
  sheet.ActiveCell(2, 1);
  sheet.SetColItemData(2, 4);
  found += std::to_string(sheet.IsActiveColimageButton());
  sheet.SetColItemData(2, 0);  // not a definition number
  EXPECT_EQ(found + std::to_string(sheet.IsActiveColimageButton()), "1010");

  std::string measures;
  for (const char* t : {"", "abc", "가나", "ab\r\nabcd\nx"}) measures += std::to_string(static_cast<int>(sheet.TextWidth(t))) + " ";
  for (const char* t : {"x", "x\ny"}) measures += std::to_string(static_cast<int>(sheet.TextHeight(t))) + " ";
  EXPECT_EQ(measures, "0 360 480 480 216 432 ");
}

TEST(SheetMembersTest, ScriptingSafetyAnswers) {
  SheetFixture f;
  ZelSheet& sheet = f.sheet;
  sheet.Size(1.0f, 2.0f);  // accepted and ignored
  int32_t supported = 0;
  int32_t enabled = 0;
  EXPECT_EQ(sheet.GetInterfaceSafetyOptions(std::string(kIidPersistPropertyBag), supported, enabled), kSafetyOk);
  EXPECT_EQ(enabled, kSafeForInitialization);
  EXPECT_EQ(sheet.SetInterfaceSafetyOptions(std::string(kIidDispatch), 1, 1), kSafetyOk);
  EXPECT_EQ(sheet.SetInterfaceSafetyOptions("{nothing}", 1, 1), kSafetyNoInterface);
  int repaints = 0;
  sheet.Refresh();  // no handler yet: nothing happens
  sheet.SetRepaintHandler([&] { ++repaints; });
  sheet.Refresh();
  EXPECT_EQ(repaints, 1);
}

TEST(SheetMembersTest, HeaderStyleOfTheMultiRowLayout) {
  SheetFixture f(SheetFixture::Bag({{"COLOR_HeaderRowBgColor", "777"}}));
  ZelSheet& sheet = f.sheet;
  Grid& grid = sheet.GetSheet();
  sheet.MaxRows(2);
  sheet.ColHeaderRows(3);
  for (int32_t row : {-1000, -998}) {
    grid.Col(-1);
    grid.Row(row);
    grid.TypeMaxEditLen(10);
    grid.CellType(kCellStatic);
  }
  sheet.SetHeaderColorMult();
  // Header rows 1 and 2 get the header cell style; the first row keeps its own; the single
  // row-header column the style without line wrap, and its colours.
  ASSERT_EQ(kCellEdit * 10 + kCellStatic, 15);
  EXPECT_EQ(Style(grid, 4, -999) + " " + Style(grid, 4, -998) + " " + Style(grid, 4, 0) + " " + Style(grid, 0, 1),
            "1/255/1/0 1/255/1/0 5/10/1/0 1/255/0/0");
  grid.Col(0);
  grid.Row(1);
  EXPECT_EQ(grid.BackColor(), 777);
}

TEST(SheetMembersTest, InfoWritesTheRecordButReadsTheGridState) {
  SheetFixture f;
  ZelSheet& sheet = f.sheet;
  sheet.Info("DATE:20240101~,P1~,X~,INIT~,0~,R~,S~,U");
  sheet.MaxCols(3);
  sheet.MaxRows(5);
  sheet.ActiveCell(2, 4);
  sheet.GetSheet().Col(3);
  sheet.GetSheet().Row(1);
  EXPECT_EQ(sheet.Info(), "2|4|3|1|0|5|3|");
}

}  // namespace
}  // namespace zel
