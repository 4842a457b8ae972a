// A person with a mouse at a loaded, displayed sheet: clicks, double clicks, right clicks,
// header drags and border drags, and what the host hears and the sheet becomes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "support/user_input.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

// Columns A to E: four text columns and a check box; rows "kim" and "lee"; 80 x 24
// characters.
struct MouseSheet : SheetFixture {
  MouseSheet()
      : SheetFixture(Bag({{"Info", "20240101~,PGM001~,~,INIT~,1~,11111111~,S1~,kim"}})),
        user(sheet, platform) {
    sheet.MaxCols(5);
    for (const char* title : {"A", "B", "C", "D"}) sheet.AddItem(title, title, EnText, 0, 10);
    sheet.AddItem("E", "E", EnCheck, 0, 1);
    sheet.Display("kim~,b1~,c1~,d1~,0~,~I~lee~,b2~,c2~,d2~,0~,~I~");
    sheet.Resize(9630, 5790);
    events.Clear();
  }
  Grid& G() { return sheet.GetSheet(); }
  std::string Titles() {
    std::string out, t;
    for (int32_t c = 1; c <= 5; ++c) {
      G().GetText(c, 0, t);
      out += t;
    }
    return out;
  }
  Color Back(int32_t col, int32_t row) {
    G().Col(col);
    G().Row(row);
    return G().BackColor();
  }
  UserInput user;
};

TEST(MouseTest, OnlyAMouseTickMarksTheRow) {
  MouseSheet f;
  f.sheet.CellCheck(5, 2, "1");  // the host's own tick
  EXPECT_EQ(RenderSheet(f.sheet, {1, 2, 0}), ".\n.");
  f.sheet.ActiveCell(5, 2);
  f.user.Type(" ");  // Space toggles it back from the keyboard
  EXPECT_EQ(f.sheet.CellCheck(5, 2), "0");
  EXPECT_EQ(RenderSheet(f.sheet, {1, 2, 0}), ".\n.");
  f.events.Clear();
  f.user.Click(5, 1);
  EXPECT_EQ(f.sheet.CellCheck(5, 1), "1");
  EXPECT_EQ(RenderSheet(f.sheet, {1, 2, 0}), "U\n.");
  std::vector<std::string> names;
  for (const std::string& call : f.events.calls) names.push_back(call.substr(0, call.find('(')));
  EXPECT_EQ(names, (std::vector<std::string>{"MouseDown", "LeaveCell", "LeaveRow", "EnterRow",
                                             "Click", "ButtonClicked", "ClickRow", "MouseUp"}));
  EXPECT_EQ(f.events.Named("ClickRow"), std::vector<std::string>{"ClickRow(0,0,5,1)"});
}

TEST(MouseTest, HeaderDoubleClickFitsTheColumnAndCellDoubleClicksMoveTheHighlight) {
  MouseSheet f;
  f.G().SetText(1, 2, "abcdefghij");  // 10 characters: 1,200 twips
  f.user.DoubleClick(1, 0);
  EXPECT_DOUBLE_EQ(f.G().ColWidth(1), 10 + 1.1);
  EXPECT_EQ(f.events.Named("DblClick"), std::vector<std::string>{"DblClick(1,0)"});

  f.sheet.IsDblClickColor(true);
  const Color before = f.Back(2, 3);
  f.user.DoubleClick(2, 3);
  EXPECT_EQ(f.Back(4, 3), 0x8AEADE);
  f.user.DoubleClick(2, 7);
  EXPECT_EQ(f.Back(2, 3), before);
  EXPECT_EQ(f.Back(4, 3), before);
  EXPECT_EQ(f.Back(4, 7), 0x8AEADE);
  EXPECT_EQ(f.sheet.DblClickRow(), 7);
}

TEST(MouseTest, RightClicksSortByTheHeaderOrOpenTheMenuOfTheArea) {
  MouseSheet f;
  f.user.Click(1, 0, 2);
  EXPECT_EQ(RenderSheet(f.sheet, {1, 2, 1}), ".|kim\n.|lee");
  f.user.Click(1, 0, 2);
  EXPECT_EQ(RenderSheet(f.sheet, {1, 2, 1}), ".|lee\n.|kim");

  f.user.Click(0, 1, 2);  // a row header with no block selected: nothing
  f.user.Click(0, 0, 2);
  f.user.Click(3, 2, 2);
  f.user.Click(0, 2);  // selects row 2
  f.user.Click(0, 2, 2);
  std::vector<std::string> shown;
  for (const MenuRecord& m : f.platform.MenusShown()) shown.push_back(m.menu_name);
  EXPECT_EQ(shown, (std::vector<std::string>{"mnuSheet", "mnuFunction", "mnuEdit"}));
  EXPECT_TRUE(f.events.Named("RightClick").empty());
}

TEST(MouseTest, DraggingAHeaderMovesTheColumnAndColXFollows) {
  MouseSheet f;
  f.G().ColWidth(1, 12.6);
  f.G().ColWidth(2, 2.5);
  f.G().ColWidth(3, 0.2);
  f.user.Drag(2, 0, 4, 1);  // dropped on a data cell: nothing moves
  EXPECT_EQ(f.Titles(), "ABCDE");
  f.user.Drag(2, 0, 4, 0);
  EXPECT_EQ(f.Titles(), "ACDBE");
  EXPECT_EQ(RenderSheet(f.sheet, {1, 1, 5}), ".|kim|c1|d1|b1|0");
  const int32_t expectedX[] = {1, 4, 2, 3, 5};
  for (int32_t def = 1; def <= 5; ++def) EXPECT_EQ(f.sheet.ColX(def), expectedX[def - 1]);
  EXPECT_DOUBLE_EQ(f.G().ColWidth(1), 13);  // every width whole, halves to even
  EXPECT_DOUBLE_EQ(f.G().ColWidth(4), 2);
  EXPECT_DOUBLE_EQ(f.G().ColWidth(2), 0);
  // The pointer shape of the drag is back to the default.
  EXPECT_EQ(f.platform.Mouse().ControlPointer(), vbDefault);
}

TEST(MouseTest, ABorderDraggedPastZeroLeavesTheColumnNarrowButThere) {
  MouseSheet f;
  int32_t x = 0, y = 0, w = 0, h = 0;
  ASSERT_TRUE(f.G().GetCellPos(2, 0, x, y, w, h));
  const float edge = static_cast<float>(x + w - 1), middle = static_cast<float>(y + h / 2);
  f.G().InputMouseDown(1, 0, edge, middle, 0);
  f.G().InputMouseMove(1, 0, edge - 5000, middle);
  f.G().InputMouseUp(1, 0, edge - 5000, middle);
  EXPECT_DOUBLE_EQ(f.G().ColWidth(2), 0.2);
  EXPECT_EQ(f.events.Named("ColWidthChange"), std::vector<std::string>{"ColWidthChange(2,2)"});
  EXPECT_EQ(f.Titles(), "ABCDE");  // the press on the header row moved no column
}

}  // namespace
}  // namespace zel::testing
