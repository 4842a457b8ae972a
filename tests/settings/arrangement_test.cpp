// The user's arrangement across screens: saved at close, found back at the next open on the
// same stores, and thrown away when the screen's definition or the user says so.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "sheet/sheet_state.h"
#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::ScriptedPlatform;

constexpr const char* kInfo = "~,PGM001~,~,INIT~,0~,~,S1~,kim";

// One opening of the screen PGM001 / S1 with five text columns; column 5 is a system column
// ("SHID").
struct Screen {
  Screen(ScriptedPlatform& p, const std::string& regDate, const char* info = kInfo) : sheet(p) {
    PropertyBag bag;
    bag.WriteProperty("Info", info);
    sheet.ReadProperties(bag);
    restored = sheet.SheetInit(5, regDate);
    if (!restored) sheet.MaxCols(5);
    for (int i = 1; i <= 5; ++i) {
      sheet.AddItem("F" + std::to_string(i), "T" + std::to_string(i), EnText, 0, 10, 0,
                    i == 5 ? "SHID" : "");
    }
    sheet.MaxRows(3);
  }
  Grid& grid() { return sheet.GetSheet(); }
  bool Hidden(int32_t col) {
    grid().Col(col);
    return grid().ColHidden();
  }
  std::string Setting(ScriptedPlatform& p, const std::string& key) {
    return p.Settings().GetSetting("Praxium.Net", "PGM001\\S1", key, "<none>");
  }
  ZelSheet sheet;
  bool restored = false;
};

void Arrange(Screen& s) {
  Grid& g = s.grid();
  // Columns 2 and 4 trade places; column 3 is hidden, column 1 widened; 2 columns and 1
  // row frozen; a bigger bold font; line colours on.
  g.SetColItemData(2, 4);
  g.SetColItemData(4, 2);
  g.Col(3);
  g.ColHidden(true);
  g.ColWidth(1, 21.5);
  s.sheet.ColsFrozen(2);
  s.sheet.RowsFrozen(1);
  g.Col(-1);
  g.Row(-1);
  g.FontSize(12);
  g.FontBold(true);
  s.sheet.mnuSheetColor_Click();
}

TEST(Arrangement, ComesBackUntilTheDefinitionChangesOrTheUserResetsIt) {
  ScriptedPlatform p;
  { Screen first(p, "20240101"); Arrange(first); first.sheet.SaveTitleInfo(); }
  {
    Screen again(p, "20240101");
    EXPECT_TRUE(again.restored);
    EXPECT_TRUE(again.sheet.IsFileLoad());
    EXPECT_EQ(again.sheet.ColX(2), 4);
    EXPECT_EQ(again.sheet.ColX(4), 2);
    EXPECT_TRUE(again.Hidden(3));
    EXPECT_TRUE(again.Hidden(5));  // the system column, hidden by its definition
    EXPECT_FALSE(again.Hidden(2));
    EXPECT_DOUBLE_EQ(again.grid().ColWidth(1), 21.5);
    EXPECT_EQ(again.grid().ColsFrozen(), 2);
    EXPECT_EQ(again.grid().RowsFrozen(), 1);
    again.grid().Col(1);
    again.grid().Row(1);
    EXPECT_FLOAT_EQ(again.grid().FontSize(), 12);
    EXPECT_TRUE(again.grid().FontBold());
    Color oddBack, oddFore, evenBack, evenFore;
    again.grid().GetOddEvenRowColor(oddBack, oddFore, evenBack, evenFore);
    EXPECT_EQ(oddBack, 0xC0FFFF);
    again.sheet.SaveTitleInfo();
  }
  {
    // A new definition date: the stored columns no longer fit.
    Screen changed(p, "20240202");
    EXPECT_FALSE(changed.restored);
    EXPECT_EQ(changed.sheet.ColX(2), 2);
    EXPECT_FALSE(changed.Hidden(3));
    EXPECT_DOUBLE_EQ(changed.grid().ColWidth(1), Grid::kDefaultColWidth);
    Arrange(changed);
    changed.sheet.SaveTitleInfo();
  }
  {
    Screen reset(p, "20240202");
    EXPECT_TRUE(reset.restored);
    reset.sheet.mnuSheetInit_Click();
    EXPECT_EQ(p.Boxes().back().icon, vbExclamation);
    reset.sheet.SaveTitleInfo();  // discarded settings stay discarded
  }
  Screen fresh(p, "20240202");
  EXPECT_FALSE(fresh.restored);
  EXPECT_FALSE(fresh.sheet.IsFileLoad());
  EXPECT_EQ(fresh.sheet.ColX(2), 2);
  EXPECT_FALSE(fresh.Hidden(3));
  EXPECT_EQ(fresh.grid().ColsFrozen(), 1);
  EXPECT_EQ(fresh.grid().RowsFrozen(), 0);
  EXPECT_EQ(fresh.Setting(p, "Serial"), "<none>");
}

TEST(Arrangement, StoresWhatTheUserChoseAndNotWhatTheScreenDid) {
  ScriptedPlatform p;
  {
    Screen s(p, "d");
    s.grid().RowHeight(1, 10.2);
    s.grid().Col(1);
    s.grid().ColHidden(true);  // hidden by the user
    s.sheet.SaveTitleInfo();
    // A 10.2 row is stored as 10; the system column 5 never counts as hidden by the user.
    EXPECT_EQ(s.Setting(p, "RowHeight"), "10");
    EXPECT_EQ(s.Setting(p, "Hidden"), "1,0,0,0,0");
    EXPECT_EQ(s.Setting(p, "Width"), "8,8,8,8,10");
  }
  Screen s(p, "d");
  EXPECT_DOUBLE_EQ(s.grid().RowHeight(1), 10.2);
  EXPECT_TRUE(s.Hidden(1));
}

// Damaged or hostile stored values fall back to what the screen defines, column by column.
TEST(Arrangement, DamagedSettingsFallBackToTheDefinition) {
  struct Case {
    const char* key;
    std::string value;
  };
  const Case cases[] = {
      {"Width", "abc,30"},                     // unreadable item: that column keeps its width
      {"Serial", "1,2,9,4,5"},                 // a column that does not exist
      {"Serial", "1,1,3,4,5"},                 // a column twice
      {"Serial", "2,1"},                       // too few
      {"Width", std::string(200000, ',')},     // 100,000 items
      {"Columns", "abc"},
      {"Point", "x|99999999999|-3"},
      {"RowHeight", "1e400"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.value.substr(0, 20));
    ScriptedPlatform p;
    { Screen s(p, "d"); s.sheet.SaveTitleInfo(); }
    p.Settings().SaveSetting("Praxium.Net", "PGM001\\S1", c.key, c.value);
    Screen s(p, "d");
    for (int32_t def = 1; def <= 5; ++def) EXPECT_EQ(s.sheet.ColX(def), def);
    EXPECT_EQ(s.grid().MaxCols(), 5);
    EXPECT_FALSE(s.Hidden(1));
  }
}

TEST(Arrangement, DamagedOrForeignLayoutFileGivesTheDefaultAppearance) {
  for (const std::string& garbage : {std::string("ZELGRID"), std::string(5000, '\x1A'), std::string()}) {
    ScriptedPlatform p;
    std::string path;
    {
      Screen s(p, "d");
      s.grid().Col(-1);
      s.grid().Row(-1);
      s.grid().FontSize(20);
      s.sheet.SaveTitleInfo();
      path = s.sheet.WindowDir() + "/Praxium.Net/PGM001.S1title.sts";
      ASSERT_TRUE(std::filesystem::exists(path));
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << garbage;
    Screen s(p, "d");
    EXPECT_FALSE(s.sheet.IsFileLoad());
    s.grid().Col(1);
    s.grid().Row(1);
    EXPECT_FLOAT_EQ(s.grid().FontSize(), 9);
  }
}

TEST(Arrangement, LayoutOfAnotherLanguageLosesItsTitles) {
  ScriptedPlatform p;
  { Screen s(p, "d", "~,PGM001~,~,INIT~,1042~,~,S1~,kim"); s.sheet.SaveTitleInfo(); }
  // The screen opened in English: titles come from the definitions again.
  Screen s(p, "d", "~,PGM001~,~,INIT~,1033~,~,S1~,kim");
  EXPECT_FALSE(s.sheet.IsFileLoad());
  std::string title;
  s.grid().GetText(1, 0, title);
  EXPECT_EQ(title, "T1");
}

TEST(Arrangement, CursorComesBackOrGoesToTheTop) {
  ScriptedPlatform p;
  {
    Screen s(p, "d");
    s.sheet.MaxRows(30);
    s.sheet.ActiveCell(4, 20);
    s.sheet.SaveTitleInfo();
  }
  {
    Screen s(p, "d");
    s.sheet.MaxRows(30);
    s.sheet.sbSetSheetInfo();
    EXPECT_EQ(s.grid().ActiveCol(), 4);
    EXPECT_EQ(s.grid().ActiveRow(), 20);
    s.sheet.IsActiveCellTop(true);
    s.sheet.sbSetSheetInfo();
    EXPECT_EQ(s.grid().ActiveRow(), 1);
    EXPECT_EQ(s.grid().ActiveCol(), 1);
  }
}

// The fonts the configuration dialog stored, as the dialog and the filter apply them after
// they ran: all cells and rows tall enough for them; the header row, a blank name and a
// size of 0 standing for the client's usual header font.
TEST(Colors, DialogFontsReachTheCellsAndTheHeaderRow) {
  ScriptedPlatform p;
  Screen s(p, "d");
  for (const auto& [key, value] : {std::pair{"InsideFont", "Gulim"}, {"InsideSize", "14"},
                                   {"InsideBold", "1"}, {"HeaderFont", " "}, {"HeaderSize", "0"},
                                   {"HeaderBold", "0"}}) {
    p.Settings().SaveSetting("Praxium.Net", "PGM001\\S1", key, value);
  }
  s.grid().RowHeight(-1, 10);
  ZelSheet::Impl::Of(s.sheet).ApplyDialogFonts();
  Grid& g = s.grid();
  g.Col(2);
  g.Row(3);
  EXPECT_EQ(g.FontName(), "Gulim");
  EXPECT_FLOAT_EQ(g.FontSize(), 14);
  EXPECT_TRUE(g.FontBold());
  EXPECT_DOUBLE_EQ(g.RowHeight(3), 15);
  g.Row(0);
  EXPECT_EQ(g.FontName(), "굴림체");
  EXPECT_FLOAT_EQ(g.FontSize(), 9);
  EXPECT_FALSE(g.FontBold());
}

TEST(Colors, HeaderColorOnlyForTheStandardAppearance) {
  ScriptedPlatform p;
  ZelSheet sheet(p);
  sheet.ReadProperties(PropertyBag{});
  Grid& g = sheet.GetSheet();
  g.Col(-1);
  g.Row(0);
  g.BackColor(0x123456);
  sheet.Appearance(1);
  sheet.SetHeaderColor();
  g.Col(-1);
  g.Row(0);
  EXPECT_EQ(g.BackColor(), 0x123456);
  sheet.Appearance(0);
  sheet.SetHeaderColor();
  g.Col(-1);
  g.Row(0);
  EXPECT_EQ(g.BackColor(), 0xCDD4CF);
}

}  // namespace
}  // namespace zel
