// Data add mode: DataAddSort's keys, GetRowJoin, and DataAddRemoveRow, whose one-pass result
// must equal the row-by-row deletion it is defined by.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::RenderRange;
using testing::RenderSheet;
using testing::SheetFixture;

// Fills rows 1.. of grid columns 1.. from `rows` (one vector of cell texts per row).
void Fill(ZelSheet& s, const std::vector<std::vector<std::string>>& rows) {
  Grid& g = s.GetSheet();
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      g.SetText(static_cast<int32_t>(c + 1), static_cast<int32_t>(r + 1), rows[r][c]);
    }
  }
}

// The whole sheet as text: every row to MaxRows with its status, cells and row colour.
std::string Picture(ZelSheet& s) {
  Grid& g = s.GetSheet();
  std::string out = RenderSheet(s, RenderRange{1, g.MaxRows(), g.MaxCols()});
  out += "\ncolours:";
  for (int32_t r = 1; r <= g.MaxRows(); ++r) {
    g.Col(-1);
    g.Row(r);
    out += " " + std::to_string(g.BackColor());
  }
  out += "\nMaxRows " + std::to_string(g.MaxRows());
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
  const int32_t first = g.RowsFrozen() + 1;
  const int32_t last = g.DataRowCnt();
  const int32_t maxCols = g.MaxCols();
  for (int32_t i = last; i >= first; --i) {
    for (int32_t k = 0; k < maxCols; ++k) {
      if (s.GetRowJoin(i, "|") == s.GetRowJoin(i - 1, "|")) {
        g.Row(i);
        g.Action(kActionDeleteRow);
      }
    }
  }
  s.MaxRows(g.DataRowCnt());
}

TEST(GetRowJoin, EveryColumnFollowedBySeparator) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(3);
  s.MaxRows(2);
  Fill(s, {{"a", "", "c"}});
  EXPECT_EQ(s.GetRowJoin(1, "|"), "a||c|");
  EXPECT_EQ(s.GetRowJoin(2, "~,"), "~,~,~,");
  EXPECT_THROW(s.GetRowJoin(9, "|"), GridError);
}

TEST(DataAddRemoveRow, RemovesAdjacentDuplicatesAndClearsStatus) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(2);
  s.MaxRows(23);
  Fill(s, {{"a", "b"}, {"a", "b"}, {"a", "c"}});
  Grid& g = s.GetSheet();
  g.SetText(0, 1, "U");
  g.SetText(0, 3, "X");
  for (int32_t r = 4; r <= 23; ++r) g.SetText(0, r, "A");
  s.DataAddRemoveRow();
  EXPECT_EQ(RenderSheet(s, RenderRange{1, g.MaxRows(), 2}), ".|a|b\n.|a|c");
  EXPECT_EQ(g.MaxRows(), 2);
}

TEST(DataAddRemoveRow, FrozenRowsStayAndFirstRowMeetsTheRowAbove) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(1);
  s.MaxRows(6);
  Fill(s, {{"x"}, {"x"}, {"x"}, {"y"}, {"y"}});
  s.GetSheet().RowsFrozen(2);
  s.DataAddRemoveRow();
  // Rows 1 and 2 are frozen and stay; row 3 equals frozen row 2 and goes.
  EXPECT_EQ(RenderSheet(s, RenderRange{1, s.GetSheet().MaxRows(), 1}), ".|x\n.|x\n.|y");

  // Row 1 below the header equals the header's titles.
  SheetFixture h;
  ZelSheet& t = h.sheet;
  t.MaxCols(1);
  t.AddItem("K", "Key", EnText, 0, 10);
  t.MaxRows(3);
  Fill(t, {{"Key"}, {"k"}});
  t.DataAddRemoveRow();
  EXPECT_EQ(RenderSheet(t, RenderRange{1, t.GetSheet().MaxRows(), 1}), ".|k");
}

TEST(DataAddRemoveRow, EqualsRowByRowDeletionOnRandomSheets) {
  std::mt19937 rng(7);
  // Texts chosen so that different rows can join to the same text ("a|" + "" against
  // "a" + "|"), and empty rows occur in the middle.
  const std::vector<std::string> texts = {"a", "b", "", "a|", "|", "가"};
  for (int trial = 0; trial < 60; ++trial) {
    const int32_t cols = 1 + static_cast<int32_t>(rng() % 3);
    const int32_t rows = 1 + static_cast<int32_t>(rng() % 25);
    const int32_t spare = static_cast<int32_t>(rng() % 4);
    std::vector<std::vector<std::string>> data;
    for (int32_t r = 0; r < rows; ++r) {
      if (!data.empty() && rng() % 2 == 0) {
        data.push_back(data.back());  // an adjacent copy
        continue;
      }
      std::vector<std::string> row;
      for (int32_t c = 0; c < cols; ++c) row.push_back(texts[rng() % texts.size()]);
      data.push_back(row);
    }
    const int32_t frozen = static_cast<int32_t>(rng() % 3);
    SheetFixture a, b;
    for (SheetFixture* f : {&a, &b}) {
      ZelSheet& s = f->sheet;
      s.MaxCols(cols);
      s.MaxRows(rows + spare);
      Fill(s, data);
      Grid& g = s.GetSheet();
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

TEST(DataAddRemoveRow, KeepsTheGridsSortSettingsAndColumns) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(2);
  s.MaxRows(4);
  Fill(s, {{"a", "1"}, {"a", "1"}, {"b", "2"}, {"b", "2"}});
  Grid& g = s.GetSheet();
  g.SortKey(1, 2);
  g.SortKeyOrder(1, kSortDescending);
  g.SortBy(kSortByRow);
  s.DataAddRemoveRow();
  EXPECT_EQ(RenderSheet(s), ".|a|1\n.|b|2");
  EXPECT_EQ(g.MaxCols(), 2);
  EXPECT_EQ(g.SortKey(1), 2);
  EXPECT_EQ(g.SortKeyOrder(1), kSortDescending);
}

TEST(DataAddSort, SortsByTextColumnsInDisplayOrderBelowFrozenRows) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(3);
  s.AddItem("N", "Num", EnFloat, 0, 5);
  s.AddItem("A", "A", EnText, 0, 5);
  s.AddItem("B", "B", EnText, 0, 5);
  s.MaxRows(6);
  Grid& g = s.GetSheet();
  Fill(s, {{"9", "top", "z"}, {"1", "b", "y"}, {"2", "a", "z"}, {"3", "b", "x"}, {"4", "a", "y"}});
  g.RowsFrozen(1);
  s.DataAddSort(0);
  // Keys: column 2, then column 3; the float column is no key. Row 1 is frozen.
  EXPECT_EQ(RenderSheet(s, RenderRange{1, 5, 3}),
            ".|9|top|z\n.|4|a|y\n.|2|a|z\n.|3|b|x\n.|1|b|y");
}

TEST(DataAddSort, WithoutTextColumnsNothingMoves) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(1);
  s.AddItem("N", "Num", EnCheck);
  s.MaxRows(3);
  Fill(s, {{"1"}, {"0"}, {"1"}});
  s.GetSheet().SortKey(1, 1);
  s.GetSheet().SortKeyOrder(1, kSortAscending);
  s.DataAddSort(0);
  EXPECT_EQ(RenderSheet(s), ".|1\n.|0\n.|1");
}

}  // namespace
}  // namespace zel
