// Layout: sizes, hidden and frozen parts, geometry, merges, text extents, stored switches.
#include <gtest/gtest.h>

#include "grid_check.h"

namespace zel {
namespace {

using testing_grid::At;
using testing_grid::Fill;

// The cell under a point, as "col,row".
std::string Under(Grid& g, int32_t x, int32_t y) {
  int32_t col, row;
  g.GetCellFromScreenCoord(col, row, x, y);
  return std::to_string(col) + "," + std::to_string(row);
}

// A cell's place on the screen, as "x,y wxh", or "none" when it is not shown.
std::string Pos(const Grid& g, int32_t col, int32_t row) {
  int32_t x, y, w, h;
  if (!g.GetCellPos(col, row, x, y, w, h)) return "none";
  return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x" + std::to_string(h);
}

TEST(GridLayout, SizesUnitsAndGeometry) {
  Grid g;
  g.MaxCols(5);
  g.MaxRows(50);
  EXPECT_EQ(g.ColWidthToTwips(g.TwipsToColWidth(1200)), 1200);
  EXPECT_EQ(g.RowHeightToTwips(12), 240);
  EXPECT_DOUBLE_EQ(g.TwipsToRowHeight(240), 12);

  g.ColWidth(0, 4);          // row header: 480 twips
  g.ColWidth(1, 10);         // 1200
  g.ColWidth(2, 5);          // 600
  g.Col(3);
  g.ColHidden(true);
  g.RowHeight(0, 15);        // header: 300 twips; data rows 240
  EXPECT_EQ(Under(g, 10, 10), "0,0");
  EXPECT_EQ(Under(g, 480 + 1200 + 599, 300 + 240 * 2 + 5), "2,3");
  EXPECT_EQ(Under(g, 480 + 1200 + 600, 0), "4,0") << "hidden column 3 takes no room";
  EXPECT_EQ(Under(g, -5, 100000000), "-1,-1");
  EXPECT_EQ(Pos(g, 2, 3), "1680,780 600x240");
  EXPECT_EQ(Pos(g, 3, 3), "none") << "hidden";

  // Frozen rows stay; scrolling moves the rest.
  g.RowsFrozen(2);
  g.TopRow(10);
  EXPECT_EQ(Pos(g, 1, 10), "480,780 1200x240");
  EXPECT_EQ(Pos(g, 1, 5), "none") << "scrolled away";
  g.SetViewport(3000, 300 + 240 * 4);
  EXPECT_TRUE(g.IsVisible(1, 11, false));
  EXPECT_FALSE(g.IsVisible(1, 12, false));
  EXPECT_FALSE(g.IsVisible(4, 11, false)) << "column 4 spans 2280-3240, beyond the 3000 shown";
  EXPECT_TRUE(g.IsVisible(4, 11, true));
  EXPECT_FALSE(g.IsVisible(5, 11, true));

  g.RowHeight(-1, 20);
  EXPECT_EQ(g.RowHeight(7), 20);
  EXPECT_EQ(g.RowHeight(0), 15) << "header rows keep their height";
  g.ColWidth(-1, 7);
  EXPECT_EQ(g.ColWidth(1), 7);
  EXPECT_THROW(g.ColWidth(6, 3), GridError);
}

TEST(GridLayout, HiddenRowsAndColumnsFollowTheirCells) {
  Grid g;
  g.MaxCols(3);
  g.MaxRows(5);
  g.Row(3);
  g.RowHidden(true);
  g.Row(1);
  g.Action(kActionInsertRow);
  g.Row(4);
  EXPECT_TRUE(g.RowHidden());
  g.Row(3);
  EXPECT_FALSE(g.RowHidden());
  // The whole-sheet setting reads back as hidden only while every column is.
  g.Col(-1);
  g.ColHidden(true);
  EXPECT_TRUE(g.ColHidden());
  g.Col(2);
  g.ColHidden(false);
  g.Col(-1);
  EXPECT_FALSE(g.ColHidden());
}

// The merged run a cell belongs to, as "col,row..col2,row2", or "none".
std::string MergedRun(const Grid& g, int32_t col, int32_t row) {
  int32_t c1, r1, c2, r2;
  if (!g.GetMergedRange(col, row, c1, r1, c2, r2)) return "none";
  return std::to_string(c1) + "," + std::to_string(r1) + ".." + std::to_string(c2) + "," + std::to_string(r2);
}

TEST(GridLayout, MergedRunsFreeAndWithinGroups) {
  Grid g;
  g.MaxCols(2);
  g.MaxRows(6);
  Fill(g, {{"x", "1"}, {"x", "1"}, {"y", "1"}, {"y", "1"}, {"y", "2"}, {"", ""}});
  EXPECT_EQ(MergedRun(g, 2, 2), "none") << "no merge set";
  g.Col(1);
  g.ColMerge(kMergeAlways);
  g.Col(2);
  g.ColMerge(kMergeAlways);
  EXPECT_EQ(MergedRun(g, 2, 3), "2,1..2,4") << "free merging crosses the groups of column 1";
  g.ColMerge(kMergeRestricted);
  EXPECT_EQ(MergedRun(g, 2, 3), "2,3..2,4") << "restricted merging stays within column 1's group";
  EXPECT_EQ(MergedRun(g, 2, 5), "none");
  EXPECT_EQ(MergedRun(g, 1, 6), "none") << "empty cells do not merge";
  g.Row(1);
  g.RowMerge(kMergeAlways);
  EXPECT_EQ(MergedRun(g, 1, 3), "1,3..1,5") << "the column merge wins first";
  g.Col(-1);
  g.ColMerge(kMergeNone);
  Fill(g, {{"s", "s"}});
  EXPECT_EQ(MergedRun(g, 1, 1), "1,1..2,1");
}

TEST(GridLayout, TextExtentsCountWideCharactersTwice) {
  Grid g;
  g.MaxCols(2);
  g.MaxRows(3);
  g.SetText(1, 1, "abcd");
  g.SetText(1, 2, "한글");  // two wide characters: four cells
  g.SetText(1, 3, "ab\nabcdef");
  EXPECT_DOUBLE_EQ(g.MaxTextColWidth(1), 6.0);
  EXPECT_DOUBLE_EQ(g.MaxTextRowHeight(3), 2 * 9.0 * 4 / 3);
  EXPECT_DOUBLE_EQ(At(g, 1, 2).MaxTextCellWidth(), 4.0);
  g.FontSize(18);
  EXPECT_DOUBLE_EQ(g.MaxTextCellWidth(), 8.0);
}

TEST(GridLayout, DisplayTextLabelsEmptyHeaders) {
  Grid g;
  g.MaxCols(28);
  g.MaxRows(3);
  EXPECT_EQ(g.DisplayText(1, 0), "A");
  EXPECT_EQ(g.DisplayText(27, 0), "AA");
  EXPECT_EQ(g.DisplayText(0, 3), "3");
  g.SetText(0, 3, "U");
  EXPECT_EQ(g.DisplayText(0, 3), "U");
  g.ColHeaderDisplay(1);
  EXPECT_EQ(g.DisplayText(27, 0), "27");
  g.RowHeaderDisplay(0);
  EXPECT_EQ(g.DisplayText(0, 2), "");
}

TEST(GridLayout, ActiveCellAndScrolling) {
  Grid g;
  g.MaxCols(5);
  g.MaxRows(40);
  At(g, 3, 30).Action(kActionActiveCell);
  EXPECT_EQ(g.ActiveCol(), 3);
  EXPECT_EQ(g.ActiveRow(), 30);
  EXPECT_EQ(g.TopRow(), 1);
  g.Action(kActionGotoCell);
  EXPECT_EQ(g.TopRow(), 30);
  EXPECT_THROW(g.SetActiveCell(6, 1), GridError);
  g.MaxRows(10);
  EXPECT_EQ(g.ActiveRow(), 10) << "the active cell stays inside the grid";
  EXPECT_EQ(g.TopRow(), 10);
  g.MaxRows(0);
  g.SetActiveCell(1, 1);  // allowed: where the cursor waits for rows
}

TEST(GridLayout, FrozenCountsFollowTheSize) {
  Grid g;
  g.MaxRows(10);
  g.RowsFrozen(3);
  g.MaxRows(2);
  EXPECT_EQ(g.RowsFrozen(), 2) << "no more frozen rows than rows";
  g.MaxRows(10);
  EXPECT_EQ(g.RowsFrozen(), 2);
  g.RowsFrozen(11);
  g.ColsFrozen(INT32_MAX);
  EXPECT_EQ(g.RowsFrozen(), 10) << "a count beyond the grid freezes all, as a load reads it";
  EXPECT_EQ(g.ColsFrozen(), g.MaxCols());
  EXPECT_THROW(g.RowsFrozen(-1), GridError);
  g.RowsFrozen(3);
  g.TopRow(6);
  EXPECT_NE(Pos(g, 1, 3), "none") << "row 3 is frozen, so shown whatever TopRow";
  EXPECT_EQ(Pos(g, 1, 4), "none") << "scrolled away";
  EXPECT_NE(Pos(g, 1, 6), "none");
}

}  // namespace
}  // namespace zel
