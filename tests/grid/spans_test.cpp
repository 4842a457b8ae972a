// Cell spans: refusal on overlap, lookup from any covered cell, movement with rows and columns.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "grid_check.h"

namespace zel {
namespace {

using testing_grid::Invariants;

// The spans covering the given cells, each as "col,row colsxrows", joined by blanks.
std::string Covering(const Grid& g, std::initializer_list<std::pair<int32_t, int32_t>> cells) {
  std::string out;
  for (const auto& [col, row] : cells) {
    int32_t c = 0, r = 0, cols = 0, rows = 0;
    g.GetCellSpan(col, row, c, r, cols, rows);
    out += (out.empty() ? "" : " ") + std::to_string(c) + "," + std::to_string(r) + " " + std::to_string(cols) + "x" +
           std::to_string(rows);
  }
  return out;
}

TEST(GridSpans, OverlapsAreRefused) {
  Grid g;
  g.MaxCols(10);
  g.MaxRows(10);
  ASSERT_TRUE(g.AddCellSpan(3, 3, 3, 2));  // columns 3-5, rows 3-4
  const std::tuple<int32_t, int32_t, int32_t, int32_t, bool> cases[] = {
      {5, 4, 2, 2, false},   // shares the corner cell (5, 4)
      {1, 1, 3, 3, false},   // reaches (3, 3)
      {1, 3, 2, 5, true},    // just left of it
      {3, 5, 3, 1, true},    // just below it
      {6, 1, 1, 4, true},    // just right of it
      {2, 2, 4, 1, true},    // just above it
      {4, 2, 1, 2, false},   // rows 2-3 of column 4 reach into it from above
      {10, 10, 2, 1, false}, // leaves the grid
      {3, 3, 2, 2, true},    // same anchor: replaces the span with a smaller one
  };
  for (const auto& [col, row, cols, rows, accepted] : cases) {
    EXPECT_EQ(g.AddCellSpan(col, row, cols, rows), accepted) << col << "," << row << " " << cols << "x" << rows;
    EXPECT_TRUE(Invariants(g));
  }
  EXPECT_EQ(Covering(g, {{4, 4}, {5, 4}}), "3,3 2x2 5,4 1x1") << "(5, 4) freed by the smaller replacement";
  int32_t ac, ar, nc, nr;
  EXPECT_FALSE(g.GetCellSpan(5, 4, ac, ar, nc, nr));
  EXPECT_TRUE(g.GetCellSpan(4, 3, ac, ar, nc, nr));
  EXPECT_THROW(g.AddCellSpan(1, 1, 0, 2), GridError);
  EXPECT_THROW(g.AddCellSpan(11, 1, 1, 1), GridError);
  g.RemoveCellSpan(3, 3);
  EXPECT_EQ(Covering(g, {{4, 4}}), "4,4 1x1");
  g.RemoveCellSpan(3, 3);  // nothing there any more: no effect
}

TEST(GridSpans, HeaderAndRowHeaderAreas) {
  Grid g;
  g.MaxCols(6);
  g.MaxRows(9);
  g.ColHeaderRows(3);
  ASSERT_TRUE(g.AddCellSpan(0, 0, 1, 3));        // the corner over the three header rows
  ASSERT_TRUE(g.AddCellSpan(2, -999, 2, 2));     // header rows 1-2, columns 2-3
  EXPECT_FALSE(g.AddCellSpan(3, -998, 1, 1 + 1)) << "leaves the header area";
  EXPECT_FALSE(g.AddCellSpan(3, -998, 2, 1)) << "overlaps (3, -998)";
  ASSERT_TRUE(g.AddCellSpan(0, 4, 1, 3));        // a record's row header over rows 4-6
  EXPECT_EQ(Covering(g, {{0, -998}, {3, -998}, {0, 6}, {1, 5}}), "0,0 1x3 2,-999 2x2 0,4 1x3 1,5 1x1");
  g.ColHeaderRows(2);
  EXPECT_EQ(Covering(g, {{3, -999}}), "2,-999 2x1") << "cut to the remaining header rows";
  EXPECT_TRUE(Invariants(g));
}

TEST(GridSpans, RowsAndColumnsMoveAndResizeSpans) {
  Grid g;
  g.MaxCols(8);
  g.MaxRows(20);
  ASSERT_TRUE(g.AddCellSpan(2, 5, 2, 3));   // rows 5-7
  ASSERT_TRUE(g.AddCellSpan(5, 10, 1, 2));  // rows 10-11
  g.Row(3);
  g.Action(kActionInsertRow);               // above both: both move down
  EXPECT_EQ(Covering(g, {{2, 6}, {5, 11}}), "2,6 2x3 5,11 1x2");
  g.Row(7);
  g.Action(kActionInsertRow);               // inside the first: it grows
  EXPECT_EQ(Covering(g, {{2, 9}}), "2,6 2x4");
  g.Row(6);
  g.Row2(7);
  g.BlockMode(true);
  g.Action(kActionDeleteRow);               // its first two rows go: it shrinks in place
  g.BlockMode(false);
  EXPECT_EQ(Covering(g, {{2, 6}, {5, 10}}), "2,6 2x2 5,10 1x2");
  g.Row(10);
  g.Row2(11);
  g.BlockMode(true);
  g.Action(kActionDeleteRow);               // all of the second: it disappears
  g.BlockMode(false);
  EXPECT_EQ(Covering(g, {{5, 10}}), "5,10 1x1");
  g.Col(1);
  g.Action(kActionInsertCol);
  EXPECT_EQ(Covering(g, {{4, 7}}), "3,6 2x2");
  g.Col(4);
  g.Action(kActionDeleteCol);
  EXPECT_EQ(Covering(g, {{3, 7}}), "3,6 1x2");
  g.MaxRows(6);
  EXPECT_EQ(Covering(g, {{3, 6}}), "3,6 1x1") << "cut to one row by MaxRows";
  EXPECT_TRUE(Invariants(g));
}

}  // namespace
}  // namespace zel
