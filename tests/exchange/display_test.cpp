// Display, DisplayRow and GetStringToArray on a loaded sheet, and the row members they lean
// on (AddRowsToSheet, AddRowCnt, SetRowColor, SetFillCol).
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
  for (int32_t r = from; r <= to; ++r) {
    const std::string s = Text(sheet, 0, r);
    out += s.empty() ? "." : s;
  }
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

// ---- Display: the three modes --------------------------------------------------------------

TEST(Display, ReplaceShowsTheRowsThenTheSpareRows) {
  TwoColumns f;
  EXPECT_TRUE(f.sheet.Display("old~,old~,~I~old~,old~,~I~old~,old~,~I~"));
  EXPECT_TRUE(f.sheet.Display("a~,b~,~I~c~,d~,~I~"));
  EXPECT_EQ(RenderSheet(f.sheet), ".|a|b\n.|c|d");
  EXPECT_EQ(f.sheet.MaxRows(), 22);
  EXPECT_EQ(Statuses(f.sheet, 1, 22), "..AAAAAAAAAAAAAAAAAAAA");
  EXPECT_EQ(f.sheet.AddRowCnt(), 20);

  // Without the final "~I~" the last row is lost.
  EXPECT_TRUE(f.sheet.Display("a~,b~,~I~c~,d~,"));
  EXPECT_EQ(RenderSheet(f.sheet), ".|a|b");
  EXPECT_EQ(f.sheet.MaxRows(), 21);
}

TEST(Display, BlankTextEmptiesTheSheetToItsSpareRows) {
  for (const char* blank : {"", "    "}) {
    TwoColumns f;
    f.sheet.Display("a~,b~,~I~c~,d~,~I~");
    f.sheet.GetSheet().ReDraw(false);  // a blank text does not touch redraw
    EXPECT_FALSE(f.sheet.Display(blank)) << '"' << blank << '"';
    EXPECT_EQ(f.sheet.GetSheet().DataRowCnt(), 0);
    EXPECT_EQ(f.sheet.MaxRows(), 20);
    EXPECT_EQ(Statuses(f.sheet, 1, 20), std::string(20, 'A'));
    EXPECT_FALSE(f.sheet.GetSheet().ReDraw());
  }
  // Appending nothing keeps what is there.
  TwoColumns f;
  f.sheet.Display("a~,b~,~I~");
  EXPECT_FALSE(f.sheet.Display("", true));
  EXPECT_EQ(RenderSheet(f.sheet), ".|a|b");
}

TEST(Display, AppendGoesBelowTheData) {
  TwoColumns f;
  EXPECT_TRUE(f.sheet.Display("a~,b~,~I~", true));
  f.sheet.GetSheet().SetText(0, 1, "U");
  EXPECT_TRUE(f.sheet.Display("c~,d~,~I~e~,f~,~I~", true));
  EXPECT_EQ(RenderSheet(f.sheet), "U|a|b\n.|c|d\n.|e|f");
  EXPECT_EQ(f.sheet.MaxRows(), 23);

  // IsDataAdd makes every call append, and says so to the caller.
  TwoColumns g;
  g.sheet.IsDataAdd(true);
  bool add = false;
  g.sheet.Display("a~,b~,~I~", add);
  EXPECT_TRUE(add);
  g.sheet.Display("c~,d~,~I~");
  EXPECT_EQ(RenderSheet(g.sheet), ".|a|b\n.|c|d");
}

TEST(Display, OneRowRewritesOnlyThatRow) {
  SheetFixture f;
  f.sheet.AddItem("NAME", "Name", EnText);
  f.sheet.AddItem("DAY", "Day", EnDate);
  f.sheet.Display(
      "r1~,20240101~,~I~r2~,20240102~,~I~r3~,20240103~,~I~r4~,20240104~,~I~"
      "r5~,20240105~,~I~r6~,20240106~,~I~");
  f.sheet.GetSheet().SetText(0, 5, "U");
  f.sheet.GetSheet().SetText(0, 4, "U");
  const int32_t maxRows = f.sheet.MaxRows();

  EXPECT_TRUE(f.sheet.DisplayRow("new~,~,~I~other~,20991231~,~I~", 5));
  EXPECT_EQ(RenderSheet(f.sheet),
            ".|r1|01-01-2024\n.|r2|02-01-2024\n.|r3|03-01-2024\nU|r4|04-01-2024\n"
            ".|new|05-01-2024\n.|r6|06-01-2024");  // the empty date kept row 5's date
  EXPECT_EQ(f.sheet.MaxRows(), maxRows);

  // bulAddData does not matter once a row is given.
  EXPECT_TRUE(f.sheet.Display("again~,20240707~,~I~", true, false, 2));
  EXPECT_EQ(Text(f.sheet, 1, 2), "again");
  EXPECT_EQ(Text(f.sheet, 2, 2), "07-07-2024");
  EXPECT_EQ(f.sheet.MaxRows(), maxRows);
}

// ---- Display: conversion by cell type ------------------------------------------------------

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
}

TEST(Display, HiddenColumnsTakeTheirFieldAndUndeclaredColumnsTakeText) {
  SheetFixture f;
  f.sheet.AddItem("A", "A", EnText);
  f.sheet.AddItem("B", "B", EnFloat, 0, 0, 0, "HID");
  f.sheet.AddItem("C", "C", EnText);
  f.sheet.GetSheet().Col(2);
  ASSERT_TRUE(f.sheet.GetSheet().ColHidden());
  // Field 4 has no declared column: it is written as text where column 4 stands.
  EXPECT_TRUE(f.sheet.Display("a~,7~,c~, d ~,~I~"));
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 1, 4}), ".|a|7|c| d");
}

TEST(Display, ShortRowsLeaveTheColumnsWithoutAFieldAlone) {
  SheetFixture f;
  f.sheet.AddItem("A", "A", EnText);
  f.sheet.AddItem("B", "B", EnFloat);
  f.sheet.AddItem("C", "C", EnText);
  f.sheet.Display("a~,1~,c~,~I~b~,~I~x~I~");
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 3, 3}), ".|a|1|c\n.|b|0|\n.|x||");
  // One-row mode keeps what the missing columns showed.
  f.sheet.DisplayRow("z~I~", 1);
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 1, 3}), ".|z|1|c");
}

TEST(Display, CombosSelectTheItemWithTheFieldAsCode) {
  SheetFixture f;
  f.sheet.AddItem("CITY", "City", EnCombo, 0, 2);
  f.sheet.InitCombo("Seoul~,01\tBusan~,02\t", 0, true, 1, -1, true);
  EXPECT_TRUE(f.sheet.Display("02~,~I~99~,~I~01 ~,~I~~,~I~"));
  EXPECT_EQ(f.sheet.CellText(1, 1), "02");
  EXPECT_EQ(f.sheet.CellComboCaption(1, 1), "Busan");
  EXPECT_EQ(f.sheet.CellText(1, 2), "");  // unknown code: nothing selected
  EXPECT_EQ(f.sheet.CellText(1, 3), "01");
  EXPECT_EQ(f.sheet.CellText(1, 4), "");
}

// Display selects combo items with the column's list indexed once; the cells must come out as
// SetItemToComboBox, cell by cell, leaves them: duplicate codes, an empty first item, codes
// with blanks or Korean, fields with blanks, prefixes, unknown codes and empty fields.
TEST(Display, CombosComeOutAsSetItemToComboBoxLeavesThem) {
  const std::vector<std::string> codes = {"1", "01", "001", "A", " 2", "가", "가나", "x y", ""};
  std::mt19937 rng(20261205);
  auto pick = [&](const std::vector<std::string>& v) { return v[rng() % v.size()]; };
  for (int round = 0; round < 20; ++round) {
    SheetFixture fast;
    SheetFixture slow;
    const int16_t lengths[] = {1, 2, 3};
    for (int32_t k = 1; k <= 3; ++k) {
      std::string items;
      const int count = 1 + static_cast<int>(rng() % 6);
      for (int i = 0; i < count; ++i) items += "Item" + std::to_string(i) + "~," + pick(codes) + "\t";
      const auto withEmpty = static_cast<int16_t>(rng() % 2);
      for (SheetFixture* f : {&fast, &slow}) {
        f->sheet.AddItem("C" + std::to_string(k), "Col", EnCombo, 0, lengths[k - 1]);
        f->sheet.InitCombo(items, withEmpty, true, k, -1, true);
      }
    }
    constexpr int32_t kRows = 12;
    std::vector<std::vector<std::string>> fields(kRows, std::vector<std::string>(3));
    std::string data;
    for (auto& row : fields) {
      for (auto& field : row) {
        const std::string pads[] = {"", " ", "  "};
        const std::string prefixes[] = {"", "", "zz", "9"};
        field = rng() % 8 == 0 ? "none" : pick(codes);
        field = pick(std::vector<std::string>(std::begin(pads), std::end(pads))) +
                pick(std::vector<std::string>(std::begin(prefixes), std::end(prefixes))) + field +
                pick(std::vector<std::string>(std::begin(pads), std::end(pads)));
        data += field + "~,";
      }
      data += "~I~";
    }
    ASSERT_TRUE(fast.sheet.Display(data));
    slow.sheet.MaxRows(kRows);
    for (int32_t r = 1; r <= kRows; ++r) {
      for (int32_t k = 1; k <= 3; ++k) {
        slow.sheet.SetItemToComboBox(k, r, fields[static_cast<size_t>(r - 1)][static_cast<size_t>(k - 1)],
                                     lengths[k - 1], false);
      }
    }
    // Cells only: Display also adds spare rows, which carry a row status.
    auto cells = [&](const ZelSheet& sheet) {
      std::string out;
      for (int32_t r = 1; r <= kRows; ++r) {
        for (int32_t k = 1; k <= 3; ++k) out += Text(sheet, k, r) + "|";
        out += "\n";
      }
      return out;
    };
    ASSERT_EQ(cells(fast.sheet), cells(slow.sheet)) << "data: " << data;
  }
}

TEST(Display, ColourFieldFollowsTheLastColumn) {
  SheetFixture f;
  f.sheet.AddItem("A", "A", EnText);
  f.sheet.AddItem("B", "B", EnText);
  f.sheet.MaxCols(2);
  // The codes themselves are SetRowColor's (below).
  EXPECT_TRUE(f.sheet.Display("a~,b~,1~,~I~a~,b~,0~,~I~a~,b~,65537~,~I~a~,b~,~I~", false, true));
  EXPECT_EQ(RowBackColor(f.sheet, 1), 0xF81C1C);
  const Color plain = RowBackColor(f.sheet, 2);
  EXPECT_EQ(RowBackColor(f.sheet, 3), plain);  // beyond 16 bits: skipped, row still shown
  EXPECT_EQ(Text(f.sheet, 1, 3), "a");
  EXPECT_EQ(RowBackColor(f.sheet, 4), plain);  // an empty code reads as 0

  // Without colour setting the field is ignored.
  SheetFixture g;
  g.sheet.AddItem("A", "A", EnText);
  g.sheet.MaxCols(1);
  g.sheet.Display("a~,1~,~I~");
  EXPECT_EQ(RowBackColor(g.sheet, 1), RowBackColor(g.sheet, 2));
  EXPECT_EQ(RenderSheet(g.sheet), ".|a");
}

// ---- Display: the sheet it leaves ----------------------------------------------------------

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
  EXPECT_EQ(sheet.ActiveCol(), 2);
  EXPECT_EQ(sheet.ActiveRow(), 1);
  EXPECT_EQ(sheet.DblClickRow(), 1);
  EXPECT_TRUE(sheet.GetSheet().ReDraw());
  EXPECT_EQ(sheet.MousePointer(), 0);
  EXPECT_EQ(sheet.RowsFrozen(), 2);
}

// ---- Display: bad input ------------------------------------------------------------------

TEST(Display, BadInputFinishesAndNothingBreaks) {
  const std::string mib(1 << 20, 'x');
  struct Case {
    std::string name;
    std::string data;
    bool result;
    std::string shown;  // rows 1..DataRowCnt, columns 1..3
  };
  using namespace std::string_literals;
  const std::vector<Case> cases = {
      {"ragged rows", "a~,~I~b~,1~,c~,d~,e~,f~,~I~c", true, ".|a|0|\n.|b|1|c"},
      {"only separators", "~,~,~,~I~~I~~,~I~", true, ".||0|\n.|||\n.||0|"},
      {"only field separators", "~,~,~,", true, ""},
      {"NUL and line breaks", "a\0b~,\r\n~,c\nd~,~I~"s, true, ".|a\0b|0|c\nd"s},
      {"invalid UTF-8", "\xFF\xFE~,\xC3~,\xE0\x80~,~I~", true, ".|\xFF\xFE|0|\xE0\x80"},
      {"non-numeric float", "a~,NaN~,c~,~I~", true, ".|a|0|c"},
      {"float out of range", "a~,1e999~,c~,~I~", true, ".|a||c"},
      {"stray tildes", "~a~~,~~I~I~,~I~", true, ".|~a~|0|\n.|I|0|"},
  };
  for (const Case& c : cases) {
    SheetFixture f;
    f.sheet.AddItem("A", "A", EnText);
    f.sheet.AddItem("B", "B", EnFloat);
    f.sheet.AddItem("C", "C", EnText);
    EXPECT_EQ(f.sheet.Display(c.data), c.result) << c.name;
    EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, -1, 3}), c.shown) << c.name;
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

// Rows below 1 are the header rows (0, -1000 + n) or "all rows" (-1): not data rows.
TEST(Display, OneRowWritesOnlyDataRows) {
  TwoColumns f;
  f.sheet.Display("a~,b~,~I~");
  const std::string before = RenderSheet(f.sheet, RenderRange{1, 21, 2});
  for (int32_t row : {22, 1000, -5, -1, -1000, INT32_MAX, INT32_MIN}) {
    EXPECT_TRUE(f.sheet.DisplayRow("x~,y~,~I~", row)) << row;
    EXPECT_EQ(f.sheet.MaxRows(), 21) << row;
    EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 21, 2}), before) << row;
    EXPECT_EQ(Text(f.sheet, 1, 0) + Text(f.sheet, 2, 0), "OneTwo") << row;
    EXPECT_TRUE(f.sheet.GetSheet().ReDraw());
  }
}

// ---- GetStringToArray ----------------------------------------------------------------------

TEST(GetStringToArray, FillsColumnsByRows) {
  SheetFixture f;
  std::vector<std::vector<std::string>> cells;
  int32_t cols = -7, rows = -7;
  EXPECT_FALSE(f.sheet.GetStringToArray("   ", cells, cols, rows));
  EXPECT_EQ(cols, -7);
  EXPECT_EQ(rows, -7);
  EXPECT_TRUE(cells.empty());

  EXPECT_TRUE(f.sheet.GetStringToArray("x~,y~,~I~z~,w~,extra~,~I~", cells, cols, rows));
  EXPECT_EQ(cols, 2);
  EXPECT_EQ(rows, 2);
  const std::vector<std::vector<std::string>> expected = {
      {"", "", ""}, {"", "x", "z"}, {"", "y", "w"}};
  EXPECT_EQ(cells, expected);
}

// ---- Rows ----------------------------------------------------------------------------------

TEST(AddRowsToSheet, KeepsTheSpareRowCountOnceGiven) {
  TwoColumns f;
  EXPECT_EQ(f.sheet.AddRowCnt(), -1);
  std::string data;
  for (int i = 1; i <= 12; ++i) data += "r~,x~,~I~";
  f.sheet.Display(data);
  f.sheet.GetSheet().SetText(0, 12, "U");
  f.sheet.AddRowsToSheet(5);
  EXPECT_EQ(f.sheet.MaxRows(), 17);
  EXPECT_EQ(Statuses(f.sheet, 11, 17), ".UAAAAA");
  EXPECT_EQ(f.sheet.AddRowCnt(), 5);
  f.sheet.AddRowsToSheet();
  EXPECT_EQ(f.sheet.MaxRows(), 17);
  f.sheet.Display(data);  // Display keeps it too
  EXPECT_EQ(f.sheet.MaxRows(), 17);

  f.sheet.AddRowsToSheet(0);
  EXPECT_EQ(f.sheet.MaxRows(), 12);
  EXPECT_THROW(f.sheet.AddRowsToSheet(INT32_MAX), GridError);
}

TEST(AddRowsToSheet, CountsRecordsInTheMultiRowLayout) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(2);
  s.ColHeaderRows(2);
  s.AddCellSpan_Start(3);
  int32_t n = 0;
  s.AddItem_Multi(1, 0, 1, 1, n, "CODE", "Code", EnText, "", 10, 0);
  s.AddItem_Multi(2, 0, 1, 2, n, "NAME", "Name", EnText, "", 20, 0);
  s.AddItem_Multi(1, 1, 1, 1, n, "QTY", "Qty", EnFloat, "", 5, 2);
  s.AddCellSpan_End();
  s.GetSheet().MaxRows(2);
  s.GetSheet().SetText(1, 1, "K1");  // one record of data: rows 1 and 2

  s.AddRowsToSheet(3);  // three spare records of two rows each
  EXPECT_EQ(s.MaxRows(), 8);
  EXPECT_EQ(s.AddRowCnt(), 3);
  EXPECT_EQ(Statuses(s, 3, 8), "A.A.A.");
}

TEST(SetRowColor, ColoursWholeRowsAndPutsTheCurrentCellBack) {
  TwoColumns f;
  f.sheet.Display("a~,b~,~I~");
  Grid& grid = f.sheet.GetSheet();
  const Color plain = RowBackColor(f.sheet, 5);
  struct Case {
    int16_t code;
    Color expected;
  };
  const Case cases[] = {{1, 0xF81C1C}, {2, 0xF86C64}, {3, 0xF8B2B2}, {7, 0xF8B2B2},
                        {0, 0xF8B2B2}, {-1, 0xFFFFFF}, {4, 0xFFFFFF}};
  for (const Case& c : cases) {
    grid.Col(2);
    grid.Row(3);
    f.sheet.SetRowColor(5, c.code);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(RowBackColor(f.sheet, 5), c.expected) << c.code;
  }
  EXPECT_EQ(RowBackColor(f.sheet, 6), plain);

  grid.Col(1);
  grid.Row(1);
  EXPECT_THROW(f.sheet.SetRowColor(500, 1), GridError);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_EQ(grid.Col(), 1);
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
