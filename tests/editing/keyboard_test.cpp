// A person at the keyboard of a loaded, displayed sheet: what the host hears, in order, and
// what the sheet becomes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "support/user_input.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

PropertyBag Screen(const std::string& rights = "11111111") {
  return SheetFixture::Bag({{"Info", "20240101~,PGM001~,~,INIT~,1~," + rights + "~,S1~,kim"}});
}

// Five columns: Name (text), Month, Date, Note ("DIS EDT": editable, yet never tracked),
// Ok (check box); two data rows and the spare rows; 80 x 24 characters; the grid focused.
struct KeyboardSheet : SheetFixture {
  explicit KeyboardSheet(const std::string& rights = "11111111")
      : SheetFixture(Screen(rights)), user(sheet, platform) {
    sheet.MaxCols(5);
    sheet.AddItem("NAME", "Name", EnText, 0, 10);
    sheet.AddItem("MON", "Month", EnDateMonth, 0, 2);
    sheet.AddItem("DAY", "Date", EnDate, 0, 10);
    sheet.AddItem("NOTE", "Note", EnText, 0, 20, 0, "DIS EDT");
    sheet.AddItem("OK", "Ok", EnCheck, 0, 1);
    sheet.Display("kim~,03~,20240105~,a~,1~,~I~lee~,04~,~,b~,0~,~I~");
    sheet.Resize(9630, 5790);
    sheet.GetSheet().InputFocus(true);
    events.Clear();
  }
  std::string Text(int32_t col, int32_t row) {
    std::string t;
    sheet.GetSheet().GetText(col, row, t);
    return t;
  }
  std::string Cursor() {
    return std::to_string(sheet.ActiveCol()) + "," + std::to_string(sheet.ActiveRow());
  }
  UserInput user;
};

TEST(KeyboardTest, TypingIntoAnUnchangedRowMarksItOnceThenChangeAndShowDic) {
  KeyboardSheet f;
  f.user.Type("p");
  f.user.Key(kTab);
  EXPECT_EQ(f.events.Joined(),
            "KeyPress(112) EditMode(1,1,1,False) EditChange(1,1) KeyDown(9,0) "
            "EditMode(1,1,0,True) Change(1,1) ShowDic(1,1,1,1,False,False) "
            "LeaveCell(1,1,2,1,False) KeyUp(9,0)");
  EXPECT_EQ(f.Text(1, 1), "p");
  EXPECT_EQ(f.Text(0, 1), "U");
  f.user.Type("05");
  f.user.Key(kTab);
  EXPECT_EQ(f.Text(0, 1), "U");
  EXPECT_EQ(f.sheet.GetChangeCount(), 1);
}

TEST(KeyboardTest, DisColumnsAndCancelledCodeHelpHoldBackEvents) {
  struct Case {
    int32_t col;
    bool cancel_code_help;
    const char* heard;  // Change and ShowDic events
  };
  // Typing marks the row in every case; the change itself is told as the column allows.
  const Case cases[] = {
      {4, false, ""},
      {1, true, "Change(1,2)"},
      {1, false, "Change(1,2) ShowDic(1,2,1,2,False,False)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.col);
    KeyboardSheet f;
    f.sheet.IsCancelCodeHelp(c.cancel_code_help);
    f.sheet.ActiveCell(c.col, 2);
    f.sheet.DrawMode(13);  // the host records the cell as entered
    f.user.Type("x");
    f.user.Key(kEnter);
    std::vector<std::string> heard = f.events.Named("Change");
    for (const std::string& d : f.events.Named("ShowDic")) heard.push_back(d);
    std::string joined;
    for (const std::string& h : heard) joined += (joined.empty() ? "" : " ") + h;
    EXPECT_EQ(joined, c.heard);
    EXPECT_EQ(f.Text(c.col, 2), "x");
    EXPECT_EQ(f.Text(0, 2), "U");
  }
}

TEST(KeyboardTest, TextCellLosesATrailingLineBreakOnly) {
  struct Case {
    const char* typed;
    bool line_break;
    const char* stored;
  };
  const Case cases[] = {{"ab", true, "ab"}, {"ab", false, "ab"}, {"", true, "\r\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    KeyboardSheet f;
    Grid& g = f.sheet.GetSheet();
    g.Col(1);
    g.Row(-1);
    g.TypeEditMultiLine(true);
    f.sheet.ActiveCell(1, 3);
    f.user.Type(c.typed);
    if (c.line_break) f.user.Key(kEnter, kCtrlKey);
    f.user.Key(kTab);
    EXPECT_EQ(f.Text(1, 3), c.stored);
  }
}

TEST(KeyboardTest, F2EditsSilentlyAndF9AsksCodeHelpEvenWhenCancelled) {
  KeyboardSheet f;
  f.user.Key(kF2);
  EXPECT_EQ(f.events.Joined(), "EditMode(1,1,1,False) KeyUp(113,0)");
  f.user.Type("x");
  EXPECT_EQ(f.sheet.GetSheet().EditText(), "kimx");
  f.user.Key(kEsc);
  EXPECT_EQ(f.Text(1, 1), "kim");

  f.events.Clear();
  f.sheet.IsCancelCodeHelp(true);
  f.user.Key(kF9);
  EXPECT_EQ(f.events.Joined(), "KeyDown(120,0) ShowDic(1,1,1,1,False,True) KeyUp(120,0)");
}

TEST(KeyboardTest, EnterMovesRightAndFromTheLastShownColumnToTheNextRowStart) {
  KeyboardSheet f;
  Grid& g = f.sheet.GetSheet();
  g.Col(5);
  g.ColHidden(true);
  f.user.Key(kEnter);
  EXPECT_EQ(f.Cursor(), "2,1");
  f.sheet.ActiveCell(4, 1);
  f.user.Key(kEnter);
  EXPECT_EQ(f.Cursor(), "1,2");
  EXPECT_TRUE(f.events.Named("KeyPress").empty());
}

TEST(KeyboardTest, LeavingABadMonthPutsTheCursorBackAndStillTellsTheHost) {
  KeyboardSheet f;
  f.sheet.ActiveCell(2, 1);
  f.user.Type("13");
  f.user.Key(kTab);
  EXPECT_EQ(f.Cursor(), "2,1");
  EXPECT_EQ(f.events.Named("LeaveCell"), std::vector<std::string>{"LeaveCell(2,1,3,1,False)"});
  // A date typed short is repaired on leaving.
  f.sheet.ActiveCell(3, 2);
  f.user.Type("240105");
  f.user.Key(kTab);
  EXPECT_EQ(f.Text(3, 2), "05-01-2024");
  EXPECT_EQ(f.Cursor(), "4,2");
}

TEST(KeyboardTest, CtrlCCopiesOnlyWhenTheRightsAllow) {
  for (const char* rights : {"11111111", "11111110"}) {
    SCOPED_TRACE(rights);
    KeyboardSheet f(rights);
    f.platform.Clip().SetText("before");
    f.user.Key(kKeyC, kCtrlKey);
    EXPECT_EQ(f.platform.Clip().GetText(), std::string(rights) == "11111111" ? "kim" : "before");
  }
}

TEST(KeyboardTest, CtrlFFindsAndF3GoesToTheNextMatch) {
  KeyboardSheet f;
  std::string rows;
  for (int r = 1; r <= 80; ++r) {
    rows += (r == 30 || r == 70 ? "Lee" : "kim") + std::string("~,~,~,~,~,~I~");
  }
  f.sheet.Display(rows);
  f.events.Clear();
  f.platform.ConfirmDialog(SearchDialog{"lE"});
  f.user.Key(kKeyF, kCtrlKey);
  EXPECT_EQ(f.sheet.TopRow(), 30);
  f.user.Key(kF3);
  EXPECT_EQ(f.sheet.TopRow(), 70);
  f.user.Key(kF3);
  EXPECT_EQ(f.sheet.TopRow(), 30);
  Grid& g = f.sheet.GetSheet();
  g.Col(1);
  g.Row(70);
  EXPECT_TRUE(g.FontBold());
  g.Row(49);
  EXPECT_FALSE(g.FontBold());
  // Neither key reaches the host as KeyUp.
  EXPECT_EQ(f.events.Joined(), "KeyDown(70,2) KeyDown(114,0) KeyDown(114,0)");
}

}  // namespace
}  // namespace zel::testing
