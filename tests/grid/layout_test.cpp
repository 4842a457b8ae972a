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
  EXPECT_EQ(g.ColWidthToTwips(g.TwipsToColWidth(1200)) * 1000 + g.RowHeightToTwips(12), 1200240);
  EXPECT_DOUBLE_EQ(g.TwipsToRowHeight(240), 12);

  g.ColWidth(0, 4);          // row header: 480 twips
  g.ColWidth(1, 10);         // 1200
  g.ColWidth(2, 5);          // 600
  g.Col(3);
  g.ColHidden(true);
  g.RowHeight(0, 15);        // header: 300 twips; data rows 240
  // Hidden column 3 takes no room.
  EXPECT_EQ(Under(g, 10, 10) + " " + Under(g, 480 + 1200 + 599, 300 + 240 * 2 + 5) + " " +
                Under(g, 480 + 1200 + 600, 0) + " " + Under(g, -5, 100000000),
            "0,0 2,3 4,0 -1,-1");
  EXPECT_EQ(Pos(g, 2, 3) + " " + Pos(g, 3, 3), "1680,780 600x240 none");

  // Frozen rows stay; scrolling moves the rest.
  g.RowsFrozen(2);
  g.TopRow(10);
  EXPECT_EQ(Pos(g, 1, 10) + " " + Pos(g, 1, 5), "480,780 1200x240 none");  // row 5 scrolled away
  g.SetViewport(3000, 300 + 240 * 4);
  // Column 4 spans 2280-3240: partly beyond the 3000 shown.
  EXPECT_EQ(std::to_string(g.IsVisible(1, 11, false)) + std::to_string(g.IsVisible(1, 12, false)) +
                std::to_string(g.IsVisible(4, 11, false)) + std::to_string(g.IsVisible(4, 11, true)) +
                std::to_string(g.IsVisible(5, 11, true)),
            "10010");

  g.RowHeight(-1, 20);  // header rows keep their height
  g.ColWidth(-1, 7);
  EXPECT_EQ(std::to_string(g.RowHeight(7)) + " " + std::to_string(g.RowHeight(0)) + " " + std::to_string(g.ColWidth(1)),
            "20.000000 15.000000 7.000000");
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
  EXPECT_EQ(std::vector<bool>({At(g, 1, 4).RowHidden(), At(g, 1, 3).RowHidden()}), std::vector<bool>({true, false}));
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
  EXPECT_EQ(g.DisplayText(1, 0) + " " + g.DisplayText(27, 0) + " " + g.DisplayText(0, 3), "A AA 3");
  g.SetText(0, 3, "U");
  g.ColHeaderDisplay(1);
  g.RowHeaderDisplay(0);
  EXPECT_EQ(g.DisplayText(0, 3) + " " + g.DisplayText(27, 0) + " " + g.DisplayText(0, 2) + "|", "U 27 |");
}

TEST(GridLayout, ActiveCellAndScrolling) {
  Grid g;
  g.MaxCols(5);
  g.MaxRows(40);
  At(g, 3, 30).Action(kActionActiveCell);
  EXPECT_EQ(std::to_string(g.ActiveCol()) + "," + std::to_string(g.ActiveRow()) + " top " + std::to_string(g.TopRow()),
            "3,30 top 1");
  g.Action(kActionGotoCell);
  EXPECT_EQ(g.TopRow(), 30);
  EXPECT_THROW(g.SetActiveCell(6, 1), GridError);
  g.MaxRows(10);
  EXPECT_EQ(g.ActiveRow() * 100 + g.TopRow(), 1010) << "the active cell stays inside the grid";
  g.MaxRows(0);
  g.SetActiveCell(1, 1);  // allowed: where the cursor waits for rows
}

TEST(GridLayout, FrozenCountsFollowTheSize) {
  Grid g;
  g.MaxRows(10);
  g.RowsFrozen(3);
  g.MaxRows(2);  // no more frozen rows than rows, also when the rows come back
  g.MaxRows(10);
  EXPECT_EQ(g.RowsFrozen(), 2);
  g.RowsFrozen(11);  // a count beyond the grid freezes all, as a load reads it
  g.ColsFrozen(INT32_MAX);
  EXPECT_EQ(g.RowsFrozen() * 1000 + g.ColsFrozen(), 10000 + g.MaxCols());
  EXPECT_THROW(g.RowsFrozen(-1), GridError);
  g.RowsFrozen(3);
  g.TopRow(6);  // frozen row 3 is shown whatever TopRow; row 4 scrolled away
  EXPECT_EQ(std::to_string(Pos(g, 1, 3) != "none") + std::to_string(Pos(g, 1, 4) != "none") +
                std::to_string(Pos(g, 1, 6) != "none"),
            "101");
}

}  // namespace
}  // namespace zel
