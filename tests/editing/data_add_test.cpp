// Data add mode: DataAddSort's keys, GetRowJoin, and DataAddRemoveRow, whose one-pass result
// must equal the row-by-row deletion it is defined by.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

// A sheet of `cols` columns and MaxRows `maxRows`, rows 1.. filled from `rows`.
void Fill(ZelSheet& s, int32_t cols, int32_t maxRows, const std::vector<std::vector<std::string>>& rows) {
  s.MaxCols(cols);
  s.MaxRows(maxRows);
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) s.GetSheet().SetText(static_cast<int32_t>(c + 1), static_cast<int32_t>(r + 1), rows[r][c]);
  }
}

// The whole sheet as text: every row to MaxRows with its status and cells, the row colours.
std::string Picture(ZelSheet& s) {
  Grid& g = s.GetSheet();
  std::string out = RenderSheet(s, RenderRange{1, g.MaxRows(), g.MaxCols()}) + "\ncolours:";
  for (int32_t r = 1; r <= g.MaxRows(); ++r) out += " " + std::to_string((g.Col(-1), g.Row(r), g.BackColor()));
  return out;
}

// DataAddRemoveRow as it is defined: statuses cleared, then for each row from the last data
// row up to the first below the frozen rows, MaxCols times, delete the row when its join
// equals the join of the row above; then MaxRows = DataRowCnt.
void RemoveRowByRow(ZelSheet& s) {
  Grid& g = s.GetSheet();
  g.Col(0);
  g.Row(-1);
  g.Text("");
  for (int32_t i = g.DataRowCnt(), maxCols = g.MaxCols(); i >= g.RowsFrozen() + 1; --i) {
    for (int32_t k = 0; k < maxCols; ++k) {
      if (s.GetRowJoin(i, "|") == s.GetRowJoin(i - 1, "|")) {
        g.Row(i);
        g.Action(kActionDeleteRow);
      }
    }
  }
  s.MaxRows(g.DataRowCnt());
}

TEST(DataAddRemoveRow, EqualsRowByRowDeletionOnRandomSheets) {
  std::mt19937 rng(7);
  // Texts chosen so that different rows can join to the same text ("a|" + "" against
  // "a" + "|"), and empty rows occur in the middle; runs of copies longer than MaxCols. The
  // titles equal row 1, which the first row below no frozen row meets.
  const std::vector<std::string> texts = {"a", "b", "", "a|", "|", "가"};
  for (int trial = 0; trial < 150; ++trial) {
    const int32_t cols = 1 + static_cast<int32_t>(rng() % 3), rows = 1 + static_cast<int32_t>(rng() % 25);
    const int32_t spare = static_cast<int32_t>(rng() % 4), frozen = static_cast<int32_t>(rng() % 3);
    std::vector<std::vector<std::string>> data;
    for (int32_t r = 0; r < rows; ++r) {
      std::vector<std::string> row;
      for (int32_t c = 0; c < cols; ++c) row.push_back(texts[rng() % texts.size()]);
      data.push_back(!data.empty() && rng() % 2 == 0 ? data.back() : row);  // often an adjacent copy
    }
    SheetFixture a, b;
    for (SheetFixture* f : {&a, &b}) {
      Fill(f->sheet, cols, rows + spare, data);
      Grid& g = f->sheet.GetSheet();
      for (int32_t c = 1; c <= cols; ++c) g.SetText(c, 0, data[0][static_cast<size_t>(c - 1)]);  // titles as row 1
      g.RowsFrozen(std::min(frozen, rows));
      for (int32_t r = 1; r <= rows + spare; ++r) {
        g.SetText(0, r, r > rows ? "A" : (r % 3 == 0 ? "U" : ""));
        g.Col(-1);
        g.Row(r);
        g.BackColor(static_cast<Color>(r));  // row colours travel with their rows
      }
    }
    RemoveRowByRow(a.sheet);
    b.sheet.DataAddRemoveRow();
    ASSERT_EQ(Picture(b.sheet), Picture(a.sheet)) << "trial " << trial;
  }
}

TEST(DataAddRemoveRow, KnownCasesKeepTheGridsSortSettings) {
  // Statuses cleared and spare rows dropped; the grid's columns and sort settings stay.
  SheetFixture f;
  Fill(f.sheet, 2, 6, {{"a", "b"}, {"a", "b"}, {"a", "c"}, {"x", "x"}, {"x", "x"}});
  Grid& g = f.sheet.GetSheet();
  g.SetText(0, 1, "U");
  g.SetText(0, 6, "A");
  g.SortKey(1, 2);
  g.SortKeyOrder(1, kSortDescending);
  g.SortBy(kSortByRow);
  f.sheet.DataAddRemoveRow();
  EXPECT_EQ(RenderSheet(f.sheet, {1, g.MaxRows(), 2}), ".|a|b\n.|a|c\n.|x|x");
  EXPECT_EQ(g.MaxCols() * 100 + g.SortKey(1) * 10 + g.SortKeyOrder(1), 200 + 20 + kSortDescending);

  // GetRowJoin: every column followed by the separator; a row outside the grid fails.
  EXPECT_EQ(f.sheet.GetRowJoin(1, "~,") + f.sheet.GetRowJoin(0, "|"), "a~,b~,||");
  EXPECT_THROW(f.sheet.GetRowJoin(9, "|"), GridError);
}

TEST(DataAddMode, TheMenuFlipsTheProperty) {
  SheetFixture f;
  f.sheet.IsDataAdd(true);
  f.sheet.mnuDataAdd_Click();  // the menu flips the property's value, not a copy of its own
  const bool first = f.sheet.IsDataAdd();
  f.sheet.mnuDataAdd_Click();
  EXPECT_EQ(std::to_string(first) + std::to_string(f.sheet.IsDataAdd()), "01");
}

TEST(DataAddSort, SortsByTextColumnsInDisplayOrderBelowFrozenRows) {
  SheetFixture f;
  f.sheet.AddItem("N", "Num", EnFloat, 0, 5);
  f.sheet.AddItem("A", "A", EnText, 0, 5);
  f.sheet.AddItem("B", "B", EnText, 0, 5);
  Fill(f.sheet, 3, 6, {{"9", "top", "z"}, {"1", "b", "y"}, {"2", "a", "z"}, {"3", "b", "x"}, {"4", "a", "y"}});
  f.sheet.GetSheet().RowsFrozen(1);
  f.sheet.DataAddSort(0);
  // Keys: column 2, then column 3; the float column is no key. Row 1 is frozen.
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 5, 3}), ".|9|top|z\n.|4|a|y\n.|2|a|z\n.|3|b|x\n.|1|b|y");

  // Without text columns nothing moves.
  SheetFixture c;
  c.sheet.AddItem("N", "Num", EnCheck);
  Fill(c.sheet, 1, 3, {{"1"}, {"0"}, {"1"}});
  c.sheet.GetSheet().SortKey(1, 1);
  c.sheet.GetSheet().SortKeyOrder(1, kSortAscending);
  c.sheet.DataAddSort(0);
  EXPECT_EQ(RenderSheet(c.sheet), ".|1\n.|0\n.|1");
}

}  // namespace
}  // namespace zel::testing
