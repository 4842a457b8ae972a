// The user's arrangement across screens: saved at close, found back at the next open on the
// same stores, and thrown away when the screen's definition or the user says so.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::ScriptedPlatform;

constexpr const char* kInfo = "~,PGM001~,~,INIT~,0~,~,S1~,kim";

// One opening of the screen PGM001 / S1 with five text columns; column 5 is a system column
// ("SHID").
struct Screen {
  Screen(ScriptedPlatform& p, const std::string& regDate, const char* info = kInfo) : sheet(p) {
    sheet.ReadProperties(testing::SheetFixture::Bag({{"Info", info}}));
    restored = sheet.SheetInit(5, regDate);
    if (!restored) sheet.MaxCols(5);
    for (int i = 1; i <= 5; ++i) {
      sheet.AddItem("F" + std::to_string(i), "T" + std::to_string(i), EnText, 0, 10, 0, i == 5 ? "SHID" : "");
    }
    sheet.MaxRows(3);
  }
  Grid& grid() { return sheet.GetSheet(); }
  // The columns' arrangement: ColX of each definition, the hidden grid columns, column 1's
  // width and title.
  std::string Columns() {
    Grid& g = grid();
    std::ostringstream out("cols ", std::ios::ate);
    for (int32_t def = 1; def <= 5; ++def) out << sheet.ColX(def) << (def == 5 ? " " : "");
    for (int32_t c = 1; c <= 5; ++c) out << (g.Col(c), g.ColHidden() ? 'H' : '.');
    std::string title;
    g.GetText(1, 0, title);
    out << " w" << g.ColWidth(1) << ' ' << title;
    return out.str();
  }
  // The whole arrangement as one line: restored from the file or not, the columns, frozen
  // columns/rows, cell (1,1)'s font and the odd rows' back colour.
  std::string Picture() {
    Grid& g = grid();
    Color oddBack, oddFore, evenBack, evenFore;
    g.GetOddEvenRowColor(oddBack, oddFore, evenBack, evenFore);
    std::ostringstream out;
    out << (sheet.IsFileLoad() ? "file " : "new ") << Columns();
    g.Col(1);
    g.Row(1);
    out << " frozen " << g.ColsFrozen() << '/' << g.RowsFrozen() << " font " << g.FontSize()
        << (g.FontBold() ? "B" : "") << " odd " << std::hex << oddBack;
    return out.str();
  }
  ZelSheet sheet;
  bool restored = false;
};

constexpr const char* kDefaultColumns = "cols 12345 ....H w8 T1";
constexpr const char* kDefault = "new cols 12345 ....H w8 T1 frozen 1/0 font 9 odd ffffff";

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
  {
    Screen first(p, "20240101");
    Arrange(first);
    first.grid().RowHeight(1, 10.2);
    first.sheet.ActiveCell(4, 2);
    first.sheet.SaveTitleInfo();
    // A 10.2 row is stored as 10; the system column 5 never counts as hidden by the user;
    // hidden columns keep their defined width.
    std::string stored;
    for (const char* key : {"RowHeight", "Hidden", "Width"}) stored += p.Settings().GetSetting("Praxium.Net", "PGM001\\S1", key) + " ";
    EXPECT_EQ(stored, "10 0,0,1,0,0 21.5,8,10,8,10 ");
  }
  {
    Screen again(p, "20240101");
    EXPECT_EQ(again.Picture(), "file cols 14325 ..H.H w21.5 T1 frozen 2/1 font 12B odd c0ffff");
    EXPECT_DOUBLE_EQ(again.grid().RowHeight(1), 10.2);
    // The cursor comes back, or goes to the top when the screen asks so.
    again.sheet.sbSetSheetInfo();
    EXPECT_EQ(again.grid().ActiveCol() * 10 + again.grid().ActiveRow(), 42);
    again.sheet.IsActiveCellTop(true);
    again.sheet.sbSetSheetInfo();
    EXPECT_EQ(again.grid().ActiveCol() * 10 + again.grid().ActiveRow(), 11);
    again.sheet.SaveTitleInfo();
  }
  {
    // A new definition date: the stored columns no longer fit.
    Screen changed(p, "20240202");
    EXPECT_EQ(changed.Columns(), kDefaultColumns);
    Arrange(changed);
    changed.sheet.SaveTitleInfo();
  }
  {
    Screen reset(p, "20240202");
    reset.sheet.mnuSheetInit_Click();
    EXPECT_EQ(p.Boxes().back().icon, vbExclamation);
    reset.sheet.SaveTitleInfo();  // discarded settings stay discarded
  }
  Screen fresh(p, "20240202");
  EXPECT_FALSE(fresh.restored);
  EXPECT_EQ(fresh.Picture(), kDefault);
  EXPECT_EQ(p.Settings().GetSetting("Praxium.Net", "PGM001\\S1", "Serial", "<none>"), "<none>");
}

// Damaged or hostile stored values, a damaged layout file ("file": its bytes replaced) and
// one of another language ("1033": the screen opens in English) fall back to what the
// screen defines, titles included.
TEST(Arrangement, DamagedStoresFallBackToTheDefinition) {
  const std::pair<std::string, std::string> cases[] = {
      {"Width", "abc,30"},  {"Serial", "1,2,9,4,5"},  // a column that does not exist
      {"Serial", "1,1,3,4,5"}, {"Serial", "2,1"},     // a column twice, too few
      {"Width", std::string(200000, ',')},            // 100,000 items
      {"Columns", "abc"},   {"Point", "x|99999999999|-3"}, {"RowHeight", "1e400"},
      {"file", "ZELGRID"},  {"file", std::string(5000, '\x1A')}, {"file", ""}, {"1033", ""},
  };
  for (const auto& [key, value] : cases) {
    SCOPED_TRACE(key + "=" + value.substr(0, 20));
    ScriptedPlatform p;
    { Screen s(p, "d"); s.grid().Col(-1); s.grid().Row(-1); s.grid().FontSize(20); s.sheet.SaveTitleInfo(); }
    if (key == "file") {
      std::ofstream(p.Folders().WindowDir() + "/Praxium.Net/PGM001.S1title.sts", std::ios::binary | std::ios::trunc) << value;
    } else if (key != "1033") {
      p.Settings().SaveSetting("Praxium.Net", "PGM001\\S1", key, value);
    }
    Screen s(p, "d", key == "1033" ? "~,PGM001~,~,INIT~,1033~,~,S1~,kim" : kInfo);
    EXPECT_EQ(key == "file" ? s.Picture() : s.Columns(), key == "file" ? kDefault : kDefaultColumns);
    EXPECT_EQ(s.grid().MaxCols(), 5);
  }
}

// The fonts the configuration dialog stored, as the sheet applies them after the dialog
// ran: all cells and rows tall enough for them; the header row, a blank name and a size of
// 0 standing for the client's usual header font. The header colour only for the standard
// appearance.
TEST(Colors, DialogFontsReachTheCellsAndTheHeaderRowAndTheHeaderColor) {
  ScriptedPlatform p;
  Screen s(p, "d");
  for (const auto& [key, value] : {std::pair{"InsideFont", "Gulim"}, {"InsideSize", "14"}, {"InsideBold", "1"},
                                   {"HeaderFont", " "}, {"HeaderSize", "0"}, {"HeaderBold", "0"}}) {
    p.Settings().SaveSetting("Praxium.Net", "PGM001\\S1", key, value);
  }
  s.grid().RowHeight(-1, 10);
  p.ConfirmDialog(SheetSettingDialog{});
  s.sheet.fnSheetSetting();
  Grid& g = s.grid();
  g.Col(-1);
  g.Row(0);
  g.BackColor(0x123456);
  auto look = [&](int32_t row) {
    g.Col(2);
    g.Row(row);
    std::ostringstream out;
    out << g.FontName() << ' ' << g.FontSize() << (g.FontBold() ? "B " : " ") << std::hex << g.BackColor() << " / ";
    return out.str();
  };
  std::string seen = look(3) + look(0);
  for (int16_t appearance : {1, 0}) {
    s.sheet.Appearance(appearance);
    s.sheet.SetHeaderColor();
    seen += look(0);
  }
  EXPECT_EQ(seen, "Gulim 14B ffffff / 굴림체 9 123456 / 굴림체 9 123456 / 굴림체 9 cdd4cf / ");
  EXPECT_DOUBLE_EQ(g.RowHeight(3), 15);
}

}  // namespace
}  // namespace zel
