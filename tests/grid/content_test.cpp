// Addressing, content by cell kind, and the data extent (DataRowCnt / DataColCnt).
#include <gtest/gtest.h>

#include <tuple>

#include "file_test_support.h"
#include "grid_check.h"

namespace zel {
namespace {

using testing_grid::At;
using testing_grid::Block;
using testing_grid::Invariants;

Grid Small(int32_t cols, int32_t rows) {
  Grid g;
  g.MaxCols(cols);
  g.MaxRows(rows);
  return g;
}

std::string Text(const Grid& g, int32_t col, int32_t row) {
  std::string out;
  g.GetText(col, row, out);
  return out;
}

TEST(GridAddressing, HeaderRowsColumnsAndAll) {
  Grid g = Small(4, 5);
  g.SetText(2, 0, "title");
  EXPECT_EQ(Text(g, 2, -1000), "title") << "row 0 and header row -1000 are one row";
  g.ColHeaderRows(3);
  g.SetText(2, -998, "third");
  EXPECT_EQ(Text(g, 2, -998), "third");
  EXPECT_EQ(Text(g, 2, 0), "title");
  g.RowHeaderCols(2);
  g.SetText(-999, 3, "rh1");
  g.SetText(0, 3, "A");
  EXPECT_EQ(Text(g, -999, 3) + Text(g, 0, 3) + std::to_string(g.DataRowCnt()), "rh1A0") << "headers hold no data";
  // -1 writes through Text with BlockMode reach every data row of the column, not the headers.
  At(g, 3, -1).BlockMode(true);
  g.Text("x");
  g.BlockMode(false);
  std::string column;
  for (int32_t r = 0; r <= 5; ++r) column += Text(g, 3, r) + "|";
  EXPECT_EQ(column + std::to_string(g.DataRowCnt()), "|x|x|x|x|x|5");
  EXPECT_TRUE(Invariants(g));

  // Lowering the header count drops the extra header rows with their texts.
  g.ColHeaderRows(1);
  EXPECT_THROW(g.SetText(2, -998, "x"), GridError);
  g.ColHeaderRows(3);
  EXPECT_EQ(Text(g, 2, -998), "");
}

TEST(GridAddressing, BadIndexesThrowWithWhatAndWhere) {
  Grid g = Small(10, 5);
  const std::tuple<int32_t, int32_t, const char*> cases[] = {
      {11, 1, "column 11 is beyond MaxCols 10"},
      {1, 6, "row 6 is beyond MaxRows 5"},
      {-1, 1, "column -1"},
      {1, -1, "row -1"},
      {1, -999, "header row 1 is beyond ColHeaderRows 1"},
      {-999, 1, "row-header column 1"},
  };
  for (const auto& [col, row, needle] : cases) {
    try {
      g.SetText(col, row, "x");
      ADD_FAILURE() << "no error for " << col << "," << row;
    } catch (const GridError& e) {
      EXPECT_NE(std::string(e.what()).find("SetText"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(needle), std::string::npos) << e.what();
    }
    std::string out;
    EXPECT_THROW(g.GetText(col, row, out), GridError);
  }
  EXPECT_THROW(g.MaxRows(-1), GridError);
  EXPECT_THROW(g.MaxCols(Grid::kMaxColCount + 1), GridError);
  EXPECT_THROW(g.ColHeaderRows(0), GridError);
  EXPECT_THROW(g.Action(99), GridError);
  EXPECT_THROW(At(g, 12, 1).Text(), GridError);
  EXPECT_THROW(g.CellType(kCellFloat), GridError);
  EXPECT_TRUE(Invariants(g));
}

TEST(GridContent, KindsDecideWhatIsStoredAndShown) {
  const std::tuple<int16_t, int16_t, bool, const char*, const char*, const char*> cases[] = {
      // kind, decimal places, separator, input -> shown text, value
      {kCellFloat, 2, false, "12.5", "12.50", "12.5"},
      {kCellFloat, 2, false, "", "", ""},
      {kCellFloat, 2, false, "abc", "0.00", "0"},
      {kCellFloat, 2, true, "1234567.891", "1,234,567.89", "1234567.89"},
      {kCellFloat, 2, true, "1,234.50", "1,234.50", "1234.5"},  // its own shown text reads back
      {kCellFloat, 0, false, "-7.5", "-8", "-8"},
      {kCellNumber, 0, false, "2.5", "2", "2"},  // halves to even
      {kCellNumber, 1, false, "3.25", "3.2", "3.2"},
      {kCellInteger, 0, false, "12.7", "13", "13"},
      // Values that already fit the places keep their exact double; near misses still round.
      {kCellFloat, 2, false, "-0.1", "-0.10", "-0.1"},
      {kCellFloat, 2, false, "0.125", "0.12", "0.12"},
      {kCellFloat, 2, false, "0.135", "0.14", "0.14"},
      {kCellFloat, 2, false, "12345678.000000002", "12345678.00", "12345678"},
      {kCellFloat, 2, false, "0.30000000000000004", "0.30", "0.3"},
      {kCellFloat, 2, false, "-0", "0.00", "0"},
      {kCellNumber, 15, false, "0.1", "0.100000000000000", "0.1"},
      {kCellNumber, 3, false, "123456789012.3456", "123456789012.346", "123456789012.346"},
      {kCellCheckBox, 0, false, "1", "1", "1"},
      {kCellCheckBox, 0, false, "Y", "0", "0"},
      {kCellCheckBox, 0, false, "", "", ""},
      {kCellEdit, 0, false, "  spaced  ", "  spaced  ", "  spaced  "},
      {kCellDate, 0, false, "31-01-2024", "31-01-2024", "31-01-2024"},
  };
  for (const auto& [kind, decimals, separator, input, shown, value] : cases) {
    Grid g = Small(2, 2);
    At(g, 1, -1).CellType(kind);
    g.TypeFloatDecimalPlaces(decimals);
    g.TypeFloatSeparator(separator);
    g.SetText(1, 1, input);
    g.Row(1);
    EXPECT_EQ(g.Text() + "|" + g.Value() + "|" + std::to_string(g.DataRowCnt()),
              std::string(shown) + "|" + value + "|" + (*shown ? "1" : "0"))
        << "kind " << kind << " input '" << input << "'";
    EXPECT_TRUE(Invariants(g));
  }
}

// A whole-column kind formats the column's data, not its titles: header rows keep the text
// written to them whether the title came before or after the kind, in every header row.
TEST(GridContent, HeaderTitlesIgnoreTheColumnKind) {
  for (const bool titleFirst : {true, false}) {
    Grid g = Small(3, 2);
    g.ColHeaderRows(2);
    auto titles = [&g] {
      g.SetText(1, 0, "금액");
      g.SetText(1, -999, "Amount");
      g.SetText(2, 0, "Y");
    };
    if (titleFirst) titles();
    At(g, 1, -1).CellType(kCellFloat);
    g.TypeFloatDecimalPlaces(2);
    g.Col(2);
    g.CellType(kCellCheckBox);
    if (!titleFirst) titles();
    g.SetText(1, 1, "12.5");
    g.SetText(2, 1, "Y");
    SCOPED_TRACE(titleFirst ? "title first" : "kind first");
    // A kind set on a header cell itself does count there, and only there; a data cell's own
    // kind still counts next to it. The data rows still follow the column kinds.
    At(g, 3, 0).CellType(kCellCheckBox);
    g.Row(2);
    g.CellType(kCellFloat);
    g.SetText(3, 0, "Y");
    g.SetText(3, 1, "x");
    g.SetText(3, 2, "1.5");
    EXPECT_EQ(testing_grid::Picture(g), "|금액|Y|0\n|12.50|0|x\n|||1.50\n");
    EXPECT_EQ(Text(g, 1, -999), "Amount");
    EXPECT_TRUE(Invariants(g));
  }
}

TEST(GridContent, FloatShowsMoneyAndGridCharacters) {
  Grid g = Small(1, 1);
  At(g, 1, 1).CellType(kCellFloat);
  g.TypeFloatDecimalPlaces(1);
  g.TypeFloatSeparator(true);
  g.TypeFloatMoney(true);
  g.FloatDefCurrencyChar("$");
  g.SetFloat(1, 1, -1234.5);
  EXPECT_EQ(g.Text(), "-$1,234.5");
  g.FloatDefDecimalChar(",");
  g.FloatDefSepChar(".");
  EXPECT_EQ(g.Text() + " " + g.Value(), "-$1.234,5 -1234.5");
  g.Text("$2.000,25");  // a shown text in the grid's characters reads back as a number
  EXPECT_EQ(g.Value(), "2000.2");
}

TEST(GridContent, ComboSelectsByItem) {
  const std::string pad(50, ' ');
  const std::string seoul = "Seoul" + pad + "01";
  const std::string busan = "Busan" + pad + "02";
  Grid g = Small(2, 3);
  At(g, 1, -1).CellType(kCellComboBox);
  g.TypeComboBoxList(seoul + "\t" + busan + "\t");
  g.Row(2);
  g.TypeComboBoxIndex(1);
  EXPECT_EQ(std::to_string(g.TypeComboBoxCount()) + " " + g.TypeComboBoxString(), "2 " + busan);
  g.TypeComboBoxIndex(2);  // an index past the list reads nothing
  EXPECT_EQ(g.TypeComboBoxString() + std::to_string(g.TypeComboBoxCurSel()), "-1");
  g.TypeComboBoxCurSel(1);
  EXPECT_EQ(g.Text(), busan);
  g.SetText(1, 2, seoul);
  EXPECT_EQ(g.TypeComboBoxCurSel(), 0);
  g.SetText(1, 2, "Daegu");  // not an item of a non-editable combo: ignored
  EXPECT_EQ(g.Text(), seoul);
  EXPECT_THROW(g.TypeComboBoxCurSel(2), GridError);
  g.TypeComboBoxCurSel(-1);
  EXPECT_EQ(g.Text() + std::to_string(g.DataRowCnt()), "0");
  g.TypeComboBoxEditable(true);
  g.SetText(1, 2, "Daegu");
  EXPECT_EQ(g.Text() + std::to_string(g.TypeComboBoxCurSel()), "Daegu-1");

  // Action 26 clears the lists of the whole column; the texts stay.
  g.Row(-1);
  g.Action(kActionComboClear);
  g.Row(3);
  EXPECT_EQ(std::to_string(g.TypeComboBoxCount()) + Text(g, 1, 2), "0Daegu");
}

// A fixed combo takes only whole items: parts of an item, texts spanning two items and an
// item with its TAB are refused; the last item counts without a TAB after it.
TEST(GridContent, FixedComboTakesWholeItemsOnly) {
  const std::pair<const char*, bool> cases[] = {
      {"Seoul", true},  {"Busan", true},  {"Dae gu", true}, {"last", true},
      {"Seo", false},   {"oul", false},   {"gu", false},    {"las", false},
      {"Seoul\tBusan", false}, {"Busan\t", false}, {"\tBusan", false}, {"Seoul ", false},
  };
  for (const auto& [input, taken] : cases) {
    Grid g = Small(1, 1);
    At(g, 1, -1).CellType(kCellComboBox);
    g.TypeComboBoxList("Seoul\tBusan\tDae gu\tlast");
    g.SetText(1, 1, input);
    EXPECT_EQ(Text(g, 1, 1), taken ? input : "") << "input '" << input << "'";
  }
}

TEST(GridContent, ArraysAndClip) {
  Grid g = Small(3, 3);
  EXPECT_TRUE(g.SetArray(2, 2, {{"a", "b", "dropped"}, {"c", "d"}, {"gone"}}));
  std::vector<std::vector<std::string>> out(3, std::vector<std::string>(3, "stale"));
  EXPECT_TRUE(g.GetArray(1, 1, out));
  const std::vector<std::vector<std::string>> expect{{"", "", ""}, {"", "a", "b"}, {"", "c", "d"}};
  EXPECT_EQ(out, expect);
  std::vector<std::vector<std::string>> outside(1, std::vector<std::string>(1));
  EXPECT_FALSE(g.GetArray(4, 4, outside));

  Block(g, 2, 2, 3, 3);
  g.BlockMode(true);
  EXPECT_EQ(g.Clip(), "a\tb\r\nc\td\r\n");
  g.Clip("1\t2\t3\r\n4\t5\r\n6\r\n");  // kept within the block
  g.BlockMode(false);
  EXPECT_EQ(testing_grid::Picture(g), "|||\n|||\n||1|2\n||4|5\n");
  EXPECT_TRUE(Invariants(g));
}

TEST(GridDataExtent, DataRowCntFollowsEveryChange) {
  Grid g = Small(4, 30);
  auto step = [&g](const char* what, int32_t expect) {
    EXPECT_EQ(g.DataRowCnt(), expect) << what;
    EXPECT_TRUE(Invariants(g)) << what;
  };
  step("empty", 0);
  g.SetText(2, 10, "a");
  step("write row 10", 10);
  g.SetText(0, 25, "A");
  g.SetText(3, 0, "title");
  step("row header and column header do not count", 10);
  g.SetText(4, 20, "b");
  g.SetText(1, 9, "c");
  step("write rows 20 and 9", 20);
  g.SetText(4, 20, "");
  step("clear row 20", 10);
  g.SetText(2, 10, "");
  step("clear row 10 next to row 9", 9);
  g.SetText(3, 12, "d");
  g.Row(5);
  g.Action(kActionInsertRow);
  step("insert above row 5", 13);
  g.Row(1);
  g.Action(kActionDeleteRow);
  step("delete row 1", 12);
  g.SetText(1, 30, "last");
  g.Row(3);
  g.Action(kActionInsertRow);
  step("insert drops the last row", 13);
  EXPECT_EQ(Text(g, 1, 3), "") << "the inserted row is empty, not the dropped one";
  Block(g, 1, 1, 4, 12);
  g.BlockMode(true);
  g.Action(kActionClearText);
  g.BlockMode(false);
  step("clear the block of rows 1-12", 13);
  g.SetText(2, 28, "z");
  g.MaxRows(20);
  step("MaxRows below the data", 13);
  g.Col(1);
  g.Action(kActionDeleteCol);
  step("delete column 1 keeps row 13 (column 2 moved to 1)", 13);
  g.MaxCols(1);
  step("MaxCols 1 drops the other columns", 0);
  g.MaxCols(4);
  g.SetText(4, 7, "q");
  g.MaxRows(0);
  step("MaxRows 0", 0);
  g.MaxRows(30);
  step("rows come back empty", 0);
  EXPECT_EQ(Text(g, 4, 7), "");
}

TEST(GridDataExtent, DataColCntAndLastValidCell) {
  Grid g = Small(6, 6);
  int32_t col = -1, row = -1;
  EXPECT_FALSE(g.GetLastValidCell(col, row));
  EXPECT_EQ(col, 0);
  g.SetText(5, 2, "x");
  g.SetText(0, 6, "A");
  g.SetText(6, 0, "header");
  EXPECT_TRUE(g.GetLastValidCell(col, row));
  EXPECT_EQ(col * 10 + row, 52);
  g.Col(2);
  g.Action(kActionInsertCol);
  EXPECT_EQ(g.DataColCnt(), 6);
  EXPECT_TRUE(Invariants(g));
}

// Emptying the sheet (MaxRows 0, what every Display does first) takes every trace of the data
// rows with it -- cells of every representation, cell and row formats, tags, notes, heights,
// hidden flags, merge modes, row-header texts -- and leaves the header rows as they were: the
// emptied and regrown grid reads exactly like one that only ever had its header.
TEST(GridDataExtent, EmptyingTheSheetLeavesNothingOfTheDataRowsAndKeepsTheHeader) {
  auto header = [](Grid& g) {
    g.MaxCols(3);
    g.MaxRows(6);
    g.ColHeaderRows(2);
    g.SetText(1, 0, "title");
    g.SetText(2, -999, "second title");
    g.SetText(0, 0, "corner");
    At(g, 1, 0).BackColor(Rgb(1, 2, 3));
    g.CellTag("head tag");
  };
  Grid g, only_header;
  header(g);
  header(only_header);
  for (int32_t r = 1; r <= 6; ++r) {
    g.SetText(1, r, "short");
    g.SetText(2, r, "a text too long to sit inside a cell");
    g.SetText(0, r, "U");
    At(g, 3, r).CellType(kCellFloat);
    g.SetText(3, r, "1.5");
    g.BackColor(Rgb(9, 9, 9));
    g.CellTag("tag");
    g.CellNote("note");
    g.Col(-1);
    g.RowHidden(r % 2 == 0);
    g.RowMerge(kMergeAlways);
    g.RowHeight(r, 30);
  }
  g.MaxRows(0);
  EXPECT_EQ(g.DataColCnt(), 0);
  g.MaxRows(6);
  EXPECT_EQ(testing_files::DumpGrid(g), testing_files::DumpGrid(only_header));
  EXPECT_TRUE(Invariants(g));
}

}  // namespace
}  // namespace zel
