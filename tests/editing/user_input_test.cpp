// A person at the keyboard and the mouse of a loaded, displayed sheet: what the host hears,
// in order, and what the sheet becomes.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/sheet_fixture.h"
#include "support/user_input.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

// Five columns: Name (text), Month, Date, Note ("DIS EDT": editable, yet never tracked),
// Ok (check box); two data rows and the spare rows; 80 x 24 characters; the grid focused.
struct UserSheet : SheetFixture {
  explicit UserSheet(const std::string& rights = "11111111")
      : SheetFixture(Bag({{"Info", "20240101~,PGM001~,~,INIT~,1~," + rights + "~,S1~,kim"}})), user(sheet, platform) {
    sheet.MaxCols(5);
    sheet.AddItem("NAME", "Name", EnText, 0, 10);
    sheet.AddItem("MON", "Month", EnDateMonth, 0, 2);
    sheet.AddItem("DAY", "Date", EnDate, 0, 10);
    sheet.AddItem("NOTE", "Note", EnText, 0, 20, 0, "DIS EDT");
    sheet.AddItem("OK", "Ok", EnCheck, 0, 1);
    sheet.Display("kim~,03~,20240105~,a~,0~,~I~lee~,04~,~,b~,0~,~I~");
    sheet.Resize(9630, 5790);
    sheet.GetSheet().InputFocus(true);
    events.Clear();
  }
  Grid& G() { return sheet.GetSheet(); }
  std::string Text(int32_t col, int32_t row) {
    std::string t;
    G().GetText(col, row, t);
    return t;
  }
  std::string Cursor() { return "@" + std::to_string(sheet.ActiveCol()) + "," + std::to_string(sheet.ActiveRow()); }
  // The titles, then each grid column's width.
  std::string Columns() {
    std::string out;
    for (int32_t c = 1; c <= 5; ++c) out += Text(c, 0);
    for (int32_t c = 1; c <= 5; ++c) out += " " + std::to_string(G().ColWidth(c)).substr(0, 4);
    return out;
  }
  Color Back(int32_t col, int32_t row) { return (G().Col(col), G().Row(row), G().BackColor()); }
  UserInput user;
};

TEST(KeyboardTest, TypingEditingAndMovingAsTheHostHearsIt) {
  UserSheet f;
  // F2 edits silently and Esc throws the edit away; F9 asks for code help even when it is
  // cancelled for typing.
  f.user.Key(kF2);
  f.user.Type("x");
  EXPECT_EQ(f.sheet.GetSheet().EditText(), "kimx");
  f.user.Key(kEsc);
  EXPECT_EQ(f.Text(1, 1) + " " + f.events.calls.at(0), "kim EditMode(1,1,1,False)");
  f.sheet.IsCancelCodeHelp(true);
  f.events.Clear();
  f.user.Key(kF9);
  EXPECT_EQ(f.events.Joined() + " " + f.Cursor(), "KeyDown(120,0) ShowDic(1,1,1,1,False,True) KeyUp(120,0) @1,1");
  f.sheet.IsCancelCodeHelp(false);
  f.events.Clear();

  // Typing into an unchanged row marks it once, then Change and ShowDic as the cell is left.
  f.user.Type("p");
  f.user.Key(kTab);
  EXPECT_EQ(f.events.Joined() + " " + f.Cursor(), "KeyPress(112) EditMode(1,1,1,False) EditChange(1,1) KeyDown(9,0) EditMode(1,1,0,True) Change(1,1) "
                       "ShowDic(1,1,1,1,False,False) LeaveCell(1,1,2,1,False) KeyUp(9,0) @2,1");
  f.user.Type("05");
  f.user.Key(kTab);
  EXPECT_EQ(f.Text(1, 1) + f.Text(0, 1) + std::to_string(f.sheet.GetChangeCount()), "pU1");
  // Leaving a bad month puts the cursor back, and still tells the host.
  f.sheet.ActiveCell(2, 1);
  f.events.Clear();
  f.user.Type("13");
  f.user.Key(kTab);
  EXPECT_EQ(f.events.Named("LeaveCell")[0] + f.Cursor(), "LeaveCell(2,1,3,1,False)@2,1");
  f.user.Key(kEsc);
  // A date typed short is repaired on leaving.
  f.sheet.ActiveCell(3, 2);
  f.user.Type("240105");
  f.user.Key(kTab);
  EXPECT_EQ(f.Text(3, 2) + f.Cursor(), "05-01-2024@4,2");

  // Enter moves right, and from the last shown column to the start of the next row.
  Grid& g = f.sheet.GetSheet();
  g.Col(5);
  g.ColHidden(true);
  f.sheet.ActiveCell(1, 1);
  f.user.Key(kEnter);
  std::string cursors = f.Cursor();
  f.sheet.ActiveCell(4, 1);
  f.user.Key(kEnter);
  cursors += f.Cursor();
  // ActiveCellTop: the first visible column of row 1.
  g.Col(1);
  g.ColHidden(true);
  f.sheet.ActiveCellTop();
  EXPECT_EQ(cursors + f.Cursor(), "@2,1@1,2@2,1");
}

TEST(KeyboardTest, WhatTypingTellsTheHostAndStores) {
  // Typing marks the row in every case; the change itself is told as the column allows: a
  // "DIS" column tells nothing, cancelled code help only the change.
  const std::tuple<int32_t, bool, const char*> told[] = {
      {4, false, ""}, {1, true, "Change(1,2)"}, {1, false, "Change(1,2) ShowDic(1,2,1,2,False,False)"}};
  for (const auto& [col, cancelCodeHelp, heard] : told) {
    UserSheet f;
    f.sheet.IsCancelCodeHelp(cancelCodeHelp);
    f.sheet.ActiveCell(col, 2);
    f.sheet.DrawMode(13);  // the host records the cell as entered
    f.user.Type("x");
    f.user.Key(kEnter);
    std::string joined;
    for (const std::string& e : f.events.calls) joined += e.rfind("Change(", 0) == 0 || e.rfind("ShowDic(", 0) == 0 ? " " + e : "";
    EXPECT_EQ(f.Text(col, 2) + f.Text(0, 2) + joined, std::string("xU") + (*heard ? " " : "") + heard) << col;
  }
  // A multi-line text cell loses a trailing line break only.
  for (const auto& [typed, lineBreak, stored] : {std::tuple{"ab", true, "ab"}, {"ab", false, "ab"}, {"", true, "\r\n"}}) {
    UserSheet f;
    f.G().Col(1);
    f.G().Row(-1);
    f.G().TypeEditMultiLine(true);
    f.sheet.ActiveCell(1, 3);
    f.user.Type(typed);
    if (lineBreak) f.user.Key(kEnter, kCtrlKey);
    f.user.Key(kTab);
    EXPECT_EQ(f.Text(1, 3), stored) << typed << lineBreak;
  }
  // Ctrl+C copies only when the rights allow.
  for (const char* rights : {"11111111", "11111110"}) {
    UserSheet f(rights);
    f.platform.Clip().SetText("before");
    f.user.Key(kKeyC, kCtrlKey);
    EXPECT_EQ(f.platform.Clip().GetText(), std::string(rights) == "11111111" ? "kim" : "before");
  }
}

TEST(KeyboardTest, CtrlFFindsAndF3GoesToTheNextMatch) {
  UserSheet f;
  std::string rows;
  for (int r = 1; r <= 80; ++r) rows += (r == 30 || r == 70 ? "Lee" : "kim") + std::string("~,~,~,~,~,~I~");
  f.sheet.Display(rows);
  f.events.Clear();
  f.platform.ConfirmDialog(SearchDialog{"lE"});
  std::string tops;
  for (const int16_t key : {kKeyF, kF3, kF3}) tops += (f.user.Key(key, key == kKeyF ? kCtrlKey : 0), std::to_string(f.sheet.TopRow())) + " ";
  EXPECT_EQ(tops, "30 70 30 ");
  // The found cells are bold; neither key reaches the host as KeyUp.
  f.G().Col(1);
  f.G().Row(70);
  EXPECT_TRUE(f.G().FontBold());
  f.G().Row(49);
  EXPECT_FALSE(f.G().FontBold());
  EXPECT_EQ(f.events.Joined(), "KeyDown(70,2) KeyDown(114,0) KeyDown(114,0)");
}

TEST(MouseTest, OnlyAMouseTickMarksTheRowAndDoubleClicksFitOrHighlight) {
  UserSheet f;
  f.sheet.CellCheck(5, 2, "1");  // the host's own tick
  f.sheet.ActiveCell(5, 2);
  f.user.Type(" ");  // Space toggles it back from the keyboard
  EXPECT_EQ(f.sheet.CellCheck(5, 2) + RenderSheet(f.sheet, {1, 2, 0}), "0.\n.");
  f.events.Clear();
  f.user.Click(5, 1);
  EXPECT_EQ(f.sheet.CellCheck(5, 1) + RenderSheet(f.sheet, {1, 2, 0}), "1U\n.");
  std::string names;
  for (const std::string& call : f.events.calls) names += call.substr(0, call.find('(')) + " ";
  EXPECT_EQ(names, "MouseDown LeaveCell LeaveRow EnterRow Click ButtonClicked ClickRow MouseUp ");
  EXPECT_EQ(f.events.Named("ClickRow"), std::vector<std::string>{"ClickRow(0,0,5,1)"});

  // A double click on a header fits the column; on cells it moves the highlight.
  f.G().SetText(1, 2, "abcdefghij");  // 10 characters
  f.user.DoubleClick(1, 0);
  EXPECT_DOUBLE_EQ(f.G().ColWidth(1), 10 + 1.1);
  EXPECT_EQ(f.events.Named("DblClick"), std::vector<std::string>{"DblClick(1,0)"});
  f.sheet.IsDblClickColor(true);
  const Color before = f.Back(2, 3);
  f.user.DoubleClick(2, 3);
  EXPECT_EQ(f.Back(4, 3), 0x8AEADE);
  f.user.DoubleClick(2, 7);
  EXPECT_EQ(std::vector<Color>({f.Back(2, 3), f.Back(4, 3), f.Back(4, 7)}), std::vector<Color>({before, before, 0x8AEADE}));
  EXPECT_EQ(f.sheet.DblClickRow(), 7);
}

TEST(MouseTest, RightClicksSortOrOpenMenusAndDragsMoveOrResizeColumns) {
  UserSheet f;
  f.user.Click(1, 0, 2);
  EXPECT_EQ(RenderSheet(f.sheet, {1, 2, 1}), ".|kim\n.|lee");
  f.user.Click(1, 0, 2);
  EXPECT_EQ(RenderSheet(f.sheet, {1, 2, 1}), ".|lee\n.|kim");
  f.user.Click(0, 1, 2);  // a row header with no block selected: nothing
  f.user.Click(0, 0, 2);
  f.user.Click(3, 2, 2);
  f.user.Click(0, 2);  // selects row 2
  f.user.Click(0, 2, 2);
  std::string shown;
  for (const MenuRecord& m : f.platform.MenusShown()) shown += m.menu_name + " ";
  EXPECT_EQ(shown + std::to_string(f.events.Named("RightClick").size()), "mnuSheet mnuFunction mnuEdit 0");

  // Dragging a header moves the column; dragging a border resizes it.
  f.G().ColWidth(1, 12.6);
  f.G().ColWidth(2, 2.5);
  f.G().ColWidth(3, 0.2);
  f.user.Drag(2, 0, 4, 1);  // dropped on a data cell: nothing moves
  EXPECT_EQ(f.Columns(), "NameMonthDateNoteOk 12.6 2.50 0.20 8.00 8.00");
  // ColX follows; every width becomes whole, halves to even; the pointer shape goes back.
  f.user.Drag(2, 0, 4, 0);
  EXPECT_EQ(f.Columns() + " " + RenderSheet(f.sheet, {1, 1, 5}), "NameDateNoteMonthOk 13.0 0.00 8.00 2.00 8.00 .|lee||b|04|0");
  EXPECT_EQ(f.sheet.ColX(1) * 10000 + f.sheet.ColX(2) * 1000 + f.sheet.ColX(3) * 100 + f.sheet.ColX(4) * 10 + f.sheet.ColX(5), 14235);
  EXPECT_EQ(f.platform.Mouse().ControlPointer(), vbDefault);

  // A border dragged past zero leaves the column narrow but there; a press on the header
  // row there moves no column.
  int32_t x = 0, y = 0, w = 0, h = 0;
  ASSERT_TRUE(f.G().GetCellPos(4, 0, x, y, w, h));
  const float edge = static_cast<float>(x + w - 1), middle = static_cast<float>(y + h / 2);
  f.events.Clear();
  f.G().InputMouseDown(1, 0, edge, middle, 0);
  f.G().InputMouseMove(1, 0, edge - 5000, middle);
  f.G().InputMouseUp(1, 0, edge - 5000, middle);
  EXPECT_EQ(f.Columns(), "NameDateNoteMonthOk 13.0 0.00 8.00 0.20 8.00");
  EXPECT_EQ(f.events.Named("ColWidthChange"), std::vector<std::string>{"ColWidthChange(4,4)"});
}

}  // namespace
}  // namespace zel::testing
