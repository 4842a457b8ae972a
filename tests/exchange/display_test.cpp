// Display, DisplayRow and GetStringToArray on a loaded sheet, the round trip of a sheet
// through its own data-only text, and the row members Display leans on (AddRowsToSheet,
// AddRowCnt, SetRowColor, SetFillCol).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/sheet_fixture.h"

namespace zel {
namespace {

using testing::RenderRange;
using testing::RenderSheet;
using testing::SheetFixture;

std::string Text(const ZelSheet& sheet, int32_t col, int32_t row) {
  std::string out;
  sheet.GetSheet().GetText(col, row, out);
  return out;
}

// Row statuses of rows from..to, "." for none: "..AAA".
std::string Statuses(const ZelSheet& sheet, int32_t from, int32_t to) {
  std::string out;
  for (int32_t r = from; r <= to; ++r) out += Text(sheet, 0, r).empty() ? "." : Text(sheet, 0, r);
  return out;
}

Color RowBackColor(ZelSheet& sheet, int32_t row) {
  Grid& grid = sheet.GetSheet();
  grid.Col(-1);
  grid.Row(row);
  return grid.BackColor();
}

// A loaded sheet with two text columns.
struct TwoColumns : SheetFixture {
  TwoColumns() {
    sheet.AddItem("C1", "One", EnText);
    sheet.AddItem("C2", "Two", EnText);
  }
};

// Replace, append, one row, rows that are no data rows, IsDataAdd and a blank text; after
// each step the rows shown, then the row statuses down to MaxRows: 20 spare "A" rows follow
// the data.
TEST(Display, TheModesAndTheSpareRowsAfterThem) {
  TwoColumns f;
  Grid& g = f.sheet.GetSheet();
  const auto shape = [&] { return RenderSheet(f.sheet) + " " + Statuses(f.sheet, 1, f.sheet.MaxRows()); };
  const std::string spare(20, 'A');
  EXPECT_TRUE(f.sheet.Display("old~,old~,~I~old~,old~,~I~old~,old~,~I~"));
  EXPECT_TRUE(f.sheet.Display("a~,b~,~I~c~,d~,~I~"));
  EXPECT_EQ(shape(), ".|a|b\n.|c|d .." + spare);
  EXPECT_EQ(f.sheet.AddRowCnt(), 20);
  EXPECT_TRUE(f.sheet.Display("a~,b~,~I~c~,d~,"));  // without the final "~I~" the last row is lost
  EXPECT_EQ(shape(), ".|a|b ." + spare);
  g.SetText(0, 1, "U");
  EXPECT_TRUE(f.sheet.Display("c~,d~,~I~e~,f~,~I~", true));  // below the data, its statuses kept
  EXPECT_EQ(shape(), "U|a|b\n.|c|d\n.|e|f U.." + spare);
  // One row: the text's first row goes to that row (bulAddData does not matter then), clears
  // its status and leaves the columns without a field; rows that are no data rows are not
  // written.
  g.SetText(0, 2, "U");
  EXPECT_TRUE(f.sheet.Display("x~I~z~,w~,~I~", true, false, 2));  // a short row: column 2 kept
  EXPECT_EQ(shape(), "U|a|b\n.|x|d\n.|e|f U.." + spare);
  for (int32_t row : {24, 1000, -5, -1, -1000, INT32_MAX, INT32_MIN}) {
    EXPECT_TRUE(f.sheet.DisplayRow("p~,q~,~I~", row)) << row;
    EXPECT_EQ(shape() + Text(f.sheet, 1, 0) + Text(f.sheet, 2, 0), "U|a|b\n.|x|d\n.|e|f U.." + spare + "OneTwo");
  }
  // IsDataAdd makes every call append, and says so to the caller.
  f.sheet.IsDataAdd(true);
  bool add = false;
  f.sheet.Display("g~,h~,~I~", add);
  EXPECT_TRUE(add);
  f.sheet.IsDataAdd(false);
  EXPECT_FALSE(f.sheet.Display("", true));  // appending nothing keeps what is there
  EXPECT_EQ(shape(), "U|a|b\n.|x|d\n.|e|f\n.|g|h U..." + spare);
  // More rows than the spare ones: the spare rows and the new rows alike show no status.
  std::string more;
  for (int i = 0; i < 30; ++i) more += "i~,j~,~I~";
  EXPECT_TRUE(f.sheet.Display(more, true));
  EXPECT_EQ(Statuses(f.sheet, 1, f.sheet.MaxRows()), "U" + std::string(33, '.') + spare);
  // A blank text empties the sheet to its spare rows, and leaves redraw alone.
  g.ReDraw(false);
  EXPECT_FALSE(f.sheet.Display("    "));
  EXPECT_EQ(shape() + (g.ReDraw() ? " redraw on" : ""), " " + spare);
}

TEST(Display, ConvertsEachFieldByTheCellTypeOfItsColumn) {
  SheetFixture f;
  f.sheet.AddItem("T", "Text", EnText);
  f.sheet.AddItem("F", "Float", EnFloat, 0, 0, 2);
  f.sheet.AddItem("D", "Date", EnDate);
  f.sheet.AddItem("YM", "Month", EnDateYearMonth);
  f.sheet.AddItem("K", "Check", EnCheck);
  f.sheet.AddItem("TM", "Time", EnTime);
  f.sheet.AddItem("M", "Mask", EnMask, 0, 0, 0, "", "", "###-##");
  f.sheet.AddItem("CP", "Caption", EnCaption);
  f.sheet.AddItem("B", "Button", EnButton);
  struct Case {
    const char* row;
    const char* shown;
  };
  const Case cases[] = {
      {"  ab  ~,1234.5~,20240131~,202401~,1  ~, 12:00 ~,12345~,cap  ~,go ~,",
       ".|  ab|1,234.50|31-01-2024|01-2024|1| 12:00 |123-45|cap|go"},
      {"x~,1,234~,2024-01-31~,2024-01~,0~,~,1~,~,~,", ".|x|1.00|31-01-2024|01-2024|0||1-||"},
      {"x~,~,~,~,~,~,~,~,~,", ".|x|0.00|||||||"},
      {"x~,abc~,20241350~,202413~,~,~,   ~,~,~,", ".|x|0.00|50-13-2024|13-2024|||||"},
      {"x~,-3e2x~,2024~,2~,~,~,~,~,~,", ".|x|-300.00|--2024|-2|||||"},
      {"x~,12.50~,~,~,~,~,~,~,~,", ".|x|12.50|||||||"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(f.sheet.Display(std::string(c.row) + "~I~"));
    EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 1, 9}), c.shown) << c.row;
  }
  // In one-row mode an empty date leaves the date there.
  f.sheet.Display("x~,1~,20240131~,~I~");
  f.sheet.DisplayRow("y~,~,~,~I~", 1);
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 1, 3}), ".|y|0.00|31-01-2024");
}

// Display selects combo items with the column's list indexed once; the cells must come out as
// SetItemToComboBox, cell by cell, leaves them: duplicate codes, an empty first item, codes
// with blanks or Korean, fields with blanks, prefixes, unknown codes and empty fields.
TEST(Display, CombosComeOutAsSetItemToComboBoxLeavesThem) {
  const std::vector<std::string> codes = {"1", "01", "001", "A", " 2", "가", "가나", "x y", ""};
  const std::vector<std::string> pads = {"", " ", "  "}, prefixes = {"", "", "zz", "9"};
  std::mt19937 rng(20261205);
  auto pick = [&](const std::vector<std::string>& v) { return v[rng() % v.size()]; };
  constexpr int32_t kRows = 12;
  for (int round = 0; round < 20; ++round) {
    SheetFixture fast, slow;
    for (int32_t k = 1; k <= 3; ++k) {
      std::string items;
      for (int i = 0, count = 1 + static_cast<int>(rng() % 6); i < count; ++i) items += "Item" + std::to_string(i) + "~," + pick(codes) + "\t";
      const auto withEmpty = static_cast<int16_t>(rng() % 2);
      for (SheetFixture* f : {&fast, &slow}) {
        f->sheet.AddItem("C" + std::to_string(k), "Col", EnCombo, 0, static_cast<int16_t>(k));
        f->sheet.InitCombo(items, withEmpty, true, k, -1, true);
      }
    }
    std::string data;
    slow.sheet.MaxRows(kRows);
    for (int32_t r = 1; r <= kRows; ++r) {
      for (int32_t k = 1; k <= 3; ++k) {
        const std::string field = pick(pads) + pick(prefixes) + (rng() % 8 == 0 ? "none" : pick(codes)) + pick(pads);
        data += field + "~,";
        slow.sheet.SetItemToComboBox(k, r, field, static_cast<int16_t>(k), false);
      }
      data += "~I~";
    }
    ASSERT_TRUE(fast.sheet.Display(data));
    // Cells only: Display also adds spare rows, which carry a row status.
    const auto cells = [&](const ZelSheet& sheet) {
      std::string out;
      for (int32_t r = 1; r <= kRows; ++r) out += Text(sheet, 1, r) + "|" + Text(sheet, 2, r) + "|" + Text(sheet, 3, r) + "\n";
      return out;
    };
    ASSERT_EQ(cells(fast.sheet), cells(slow.sheet)) << "data: " << data;
  }
}

// Row colours by code, through SetRowColor (which puts the current cell back) and through
// Display's colour field after the last column.
TEST(Display, RowColoursBySetRowColorAndByTheColourField) {
  TwoColumns f;
  f.sheet.MaxCols(2);
  EXPECT_TRUE(f.sheet.Display("a~,b~,1~,~I~a~,b~,0~,~I~a~,b~,65537~,~I~a~,b~,~I~", false, true));
  const Color plain = RowBackColor(f.sheet, 2);
  // Beyond 16 bits the code is skipped, the row still shown; an empty code reads as 0.
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{3, 3, 2}), ".|a|b");
  EXPECT_EQ(std::vector<Color>({RowBackColor(f.sheet, 1), RowBackColor(f.sheet, 3), RowBackColor(f.sheet, 4)}),
            std::vector<Color>({0xF81C1C, plain, plain}));
  Grid& grid = f.sheet.GetSheet();
  const std::pair<int16_t, Color> cases[] = {{1, 0xF81C1C}, {2, 0xF86C64}, {3, 0xF8B2B2}, {7, 0xF8B2B2},
                                             {0, 0xF8B2B2}, {-1, 0xFFFFFF}, {4, 0xFFFFFF}};
  for (const auto& [code, expected] : cases) {
    grid.Col(2);
    grid.Row(3);
    f.sheet.SetRowColor(5, code);
    EXPECT_EQ(grid.Col() * 100 + grid.Row(), 203);
    EXPECT_EQ(RowBackColor(f.sheet, 5), expected) << code;
  }
  EXPECT_EQ(RowBackColor(f.sheet, 6), plain);
  grid.Col(1);
  grid.Row(1);
  EXPECT_THROW(f.sheet.SetRowColor(500, 1), GridError);
  EXPECT_EQ(grid.Col() * 100 + grid.Row(), 101);
}

TEST(Display, LeavesTheFirstVisibleCellActiveAndRedrawOn) {
  testing::ScriptedPlatform platform;
  platform.MemorySettings().SaveSetting("Praxium.Net", "PGM1\\ZelSheet", "RowsFrozen", "2");
  ZelSheet sheet(platform);
  sheet.ReadProperties(SheetFixture::Bag({{"PgmID", "PGM1"}}));
  sheet.AddItem("A", "A", EnText, 0, 0, 0, "HID");
  sheet.AddItem("B", "B", EnText);
  sheet.Display("old~,old~,~I~");
  sheet.GetSheet().RowsFrozen(0);
  sheet.GetSheet().SetActiveCell(2, 5);
  EXPECT_TRUE(sheet.Display("a~,b~,~I~c~,d~,~I~e~,f~,~I~"));
  EXPECT_EQ(std::to_string(sheet.ActiveCol()) + std::to_string(sheet.ActiveRow()) + std::to_string(sheet.DblClickRow()), "211");
  EXPECT_TRUE(sheet.GetSheet().ReDraw());
  EXPECT_EQ(sheet.MousePointer(), 0);
  EXPECT_EQ(sheet.RowsFrozen(), 2);
}

// Fields pair with columns in definition order (a hidden column takes its field, a field
// with no declared column is written as text where that column stands, a short row leaves
// the columns without a field empty), and bad input finishes without breaking anything.
TEST(Display, FieldsPairWithColumnsAndBadInputBreaksNothing) {
  const std::string mib(1 << 20, 'x');
  struct Case {
    std::string name;
    std::string data;
    bool result;
    std::string shown;  // rows 1..DataRowCnt, columns 1..4
  };
  using namespace std::string_literals;
  const std::vector<Case> cases = {
      {"short rows, a field without a column", "a~,7~,c~, d ~,~I~b~,~I~x~I~", true, ".|a|7|c| d\n.|b|0||\n.|x|||"},
      {"ragged rows", "a~,~I~b~,1~,c~,d~,e~,f~,~I~c", true, ".|a|0||\n.|b|1|c|d"},
      {"only separators", "~,~,~,~I~~I~~,~I~", true, ".||0||\n.||||\n.||0||"},
      {"only field separators", "~,~,~,", true, ""},
      {"NUL and line breaks", "a\0b~,\r\n~,c\nd~,~I~"s, true, ".|a\0b|0|c\nd|"s},
      {"invalid UTF-8", "\xFF\xFE~,\xC3~,\xE0\x80~,~I~", true, ".|\xFF\xFE|0|\xE0\x80|"},
      {"non-numeric float", "a~,NaN~,c~,~I~", true, ".|a|0|c|"},
      {"float out of range", "a~,1e999~,c~,~I~", true, ".|a||c|"},
      {"stray tildes", "~a~~,~~I~I~,~I~", true, ".|~a~|0||\n.|I|0||"},
  };
  for (const Case& c : cases) {
    SheetFixture f;
    f.sheet.AddItem("A", "A", EnText);
    f.sheet.AddItem("B", "B", EnFloat, 0, 0, 0, "HID");
    f.sheet.AddItem("C", "C", EnText);
    EXPECT_EQ(f.sheet.Display(c.data), c.result) << c.name;
    EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, -1, 4}), c.shown) << c.name;
    EXPECT_TRUE(f.sheet.GetSheet().ReDraw()) << c.name;
    EXPECT_EQ(f.sheet.MaxRows(), f.sheet.GetSheet().DataRowCnt() + 20) << c.name;
  }

  SheetFixture f;
  f.sheet.AddItem("A", "A", EnText);
  f.sheet.AddItem("D", "D", EnDate);
  EXPECT_TRUE(f.sheet.Display(mib + "~,2024\xFF" "0131~,~I~"));
  EXPECT_EQ(Text(f.sheet, 1, 1).size(), mib.size());
  EXPECT_EQ(Text(f.sheet, 2, 1), "13-\xFF" "0-2024");
}

// Columns of the round trip: every conversion Display and CellText make.
void DeclareRoundTripColumns(ZelSheet& s) {
  s.MaxCols(7);
  s.AddItem("NAME", "이름", EnText, 0, 30);
  s.AddItem("AMOUNT", "Amount", EnFloat, 0, 12, 3);
  s.AddItem("DAY", "Day", EnDate, 0, 10);
  s.AddItem("MONTH", "Month", EnDateYearMonth, 0, 7);
  s.AddItem("OK", "OK", EnCheck);
  s.AddItem("CITY", "City", EnCombo, 0, 2);
  s.AddItem("TEL", "Tel", EnMask, 0, 0, 0, "", "", "###-####");
  s.InitCombo("서울~,01\t부산~,02\t대구~,03\t", 0, true, 6, -1, true);
}

// The sheet given by `data`, displayed on a fresh sheet and read back data-only, twice:
// the second sheet must show what the first showed, and give the same text. (An empty check
// box reads "0" and would come back as "0": the data here always gives check boxes a value.)
void ExpectRoundTrip(const std::string& data) {
  SheetFixture first;
  DeclareRoundTripColumns(first.sheet);
  first.sheet.Display(data);
  const std::string text = first.sheet.GetDataAll(true);

  SheetFixture second;
  DeclareRoundTripColumns(second.sheet);
  second.sheet.Display(text);
  EXPECT_EQ(RenderSheet(second.sheet), RenderSheet(first.sheet));
  EXPECT_EQ(second.sheet.GetDataAll(true), text);
  EXPECT_EQ(second.sheet.GetSheet().MaxRows(), first.sheet.GetSheet().MaxRows());
}

// A fixed sheet of edge values, then random ones (tildes, but never a separator: a value
// cannot hold "~," or "~I~").
TEST(Scenario, DataOnlyTextDisplaysBackTheSameSheet) {
  ExpectRoundTrip(
      "김철수~,1234.5~,20240131~,202401~,1~,01~,0212345~,~I~"
      "이영희 (서울)~,-0.125~,2024-02-29~,202412~,0~,03~,1234~,~I~"
      "~,~,~,~,0~,~,~,~I~"
      "Ünïcode ~,1,234~,~,~,Y~,99~,12345678~,~I~"
      "tab\there~,1e3~,19991231~,199912~,1~,02~,~,~I~");
  std::mt19937 rng(7);
  const char* words[] = {"가", "나다", "abc", "x y", "0", "-", "~~", "i", "서울시", "!"};
  for (int trial = 0; trial < 5; ++trial) {
    std::string data;
    const auto word = [&] { return std::string(words[rng() % 10]); };
    for (int row = 0; row < 60; ++row) {
      data += word() + word() + "~," + std::to_string(static_cast<int>(rng() % 200000) - 100000) + "." +
              std::to_string(rng() % 1000) + "~,";
      data += "2024" + std::string(rng() % 2 ? "0" : "1") + std::to_string(rng() % 3) + std::to_string(10 + rng() % 18) + "~,";
      data += "20230" + std::to_string(1 + rng() % 9) + "~," + std::to_string(rng() % 2) + "~,";
      data += "0" + std::to_string(rng() % 4) + "~," + std::to_string(rng() % 100000000) + "~,~I~";
    }
    ExpectRoundTrip(data);
  }
}

TEST(GetStringToArray, FillsColumnsByRows) {
  SheetFixture f;
  std::vector<std::vector<std::string>> cells;
  int32_t cols = -7, rows = -7;
  EXPECT_FALSE(f.sheet.GetStringToArray("   ", cells, cols, rows));
  EXPECT_TRUE(cols == -7 && rows == -7 && cells.empty());
  EXPECT_TRUE(f.sheet.GetStringToArray("x~,y~,~I~z~,w~,extra~,~I~", cells, cols, rows));
  EXPECT_EQ(cols * 10 + rows, 22);
  EXPECT_EQ(cells, (std::vector<std::vector<std::string>>{{"", "", ""}, {"", "x", "z"}, {"", "y", "w"}}));
}

TEST(AddRowsToSheet, KeepsTheSpareRowCountOnceGiven) {
  TwoColumns f;
  std::string data;
  for (int i = 1; i <= 12; ++i) data += "r~,x~,~I~";
  f.sheet.Display(data);
  f.sheet.GetSheet().SetText(0, 12, "U");
  f.sheet.AddRowsToSheet(5);
  EXPECT_EQ(Statuses(f.sheet, 11, f.sheet.MaxRows()) + std::to_string(f.sheet.AddRowCnt()), ".UAAAAA5");
  f.sheet.AddRowsToSheet();
  f.sheet.Display(data);  // Display keeps it too
  EXPECT_EQ(f.sheet.MaxRows(), 17);
  f.sheet.AddRowsToSheet(0);
  EXPECT_EQ(f.sheet.MaxRows(), 12);
  EXPECT_THROW(f.sheet.AddRowsToSheet(INT32_MAX), GridError);
}

TEST(SetFillCol, FillsTheRangeOrOnlyTheTickedRows) {
  SheetFixture f;
  f.sheet.AddItem("OK", "Ok", EnCheck);
  f.sheet.AddItem("D", "Day", EnDate);
  f.sheet.Display("1~,~,~I~0~,~,~I~1~,~,~I~~,~,~I~");
  f.sheet.SetFillCol(2, 1, 4, "20240315");
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 4, 2}),
            ".|1|15-03-2024\n.|0|15-03-2024\n.|1|15-03-2024\nA||15-03-2024");
  f.sheet.SetFillCol(2, 1, 4, "", 1);
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 4, 2}),
            ".|1|\n.|0|15-03-2024\n.|1|\nA||15-03-2024");
  // Rows the grid does not have are passed over.
  f.sheet.SetFillCol(2, 20, 30, "20240101");
  EXPECT_EQ(Text(f.sheet, 2, 21), "01-01-2024");
  f.sheet.SetFillCol(2, 5, 3, "20240101");  // an empty range does nothing
  EXPECT_EQ(Text(f.sheet, 2, 3), "");
  // A range out to the ends of the row numbers fills the grid's rows in a moment.
  f.sheet.SetFillCol(2, INT32_MIN, INT32_MAX, "20241231", 1);
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 4, 2}),
            ".|1|31-12-2024\n.|0|15-03-2024\n.|1|31-12-2024\nA||15-03-2024");
}

}  // namespace
}  // namespace zel
