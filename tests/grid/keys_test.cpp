// The user's keys moving the active cell and the view past hidden and frozen lines.
#include <gtest/gtest.h>

#include <string>

#include "grid_check.h"

namespace zel {
namespace {

using testing_grid::At;

enum : int16_t { kBack = 8, kPgDn = 34, kEnd = 35, kHome = 36, kLeft = 37, kRight = 39, kDown = 40, kDel = 46, kF2 = 113, kCtrl = 2 };

// Where the cursor and the view are, as "col,row top,left".
std::string Where(const Grid& g) {
  return std::to_string(g.ActiveCol()) + "," + std::to_string(g.ActiveRow()) + " " + std::to_string(g.TopRow()) +
         "," + std::to_string(g.LeftCol());
}

// A sheet whose last data columns and last data row are hidden, one column frozen, and a
// viewport of the row headers, four columns and ten rows under the header.
TEST(GridKeys, HiddenLastLinesNeverTakeTheCursorOrBlankTheView) {
  Grid g;
  g.MaxCols(8);
  g.MaxRows(300);
  for (int32_t r = 1; r <= 300; ++r) {
    for (int32_t c = 1; c <= 8; ++c) g.SetText(c, r, "x");
  }
  g.ColWidth(-1, 10);
  g.ColWidth(0, 4);
  g.ColsFrozen(1);
  At(g, 7, -1).ColHidden(true);
  At(g, 8, -1).ColHidden(true);
  At(g, 1, 300).RowHidden(true);
  g.SetViewport(g.ColWidthToTwips(44), g.RowHeightToTwips(g.RowHeight(1)) * 11);
  struct Step {
    int16_t key, shift;
    const char* where;
  } steps[] = {
      {kEnd, kCtrl, "6,299 290,4"},  // the last shown data cell, the view filled up to it
      {kLeft, 0, "5,299 290,4"},
      {kHome, 0, "1,299 290,2"},     // the columns scroll back to the start
      {kEnd, 0, "6,299 290,4"},
      {kHome, kCtrl, "1,1 1,2"},
      {kPgDn, 0, "1,10 10,2"},
      {kPgDn, 0, "1,19 19,2"},
      {kRight, 0, "2,19 19,2"},
  };
  for (const Step& s : steps) {
    g.InputKeyDown(s.key, s.shift);
    EXPECT_EQ(Where(g), s.where) << "key " << s.key << " shift " << s.shift;
    EXPECT_TRUE(g.IsVisible(g.ActiveCol(), g.ActiveRow(), false)) << Where(g);
  }
  g.LeftCol(8);  // scrolled past every shown column: the next move fills the view again
  g.InputKeyDown(kLeft, 0);
  EXPECT_EQ(Where(g), "1,19 19,4");
}

// With the editor always open, a row header press chooses the row for the row commands:
// the editor closes, and typing or deleting leaves the cells alone until the user moves on.
TEST(GridKeys, RowHeaderPressTakesTheRowNotTheKeys) {
  Grid g;
  g.MaxCols(2);
  g.MaxRows(4);
  testing_grid::Fill(g, {{"a", "b"}, {"c", "d"}, {"e", "f"}});
  g.SetViewport(g.ColWidthToTwips(40), g.RowHeightToTwips(g.RowHeight(1)) * 6);
  At(g, -1, -1).LockCells(false);
  g.EditModePermanent(true);
  g.InputKeyDown(kRight, 0);
  ASSERT_TRUE(g.EditMode());
  int32_t x, y, w, h;
  ASSERT_TRUE(g.GetCellPos(0, 2, x, y, w, h));
  g.InputMouseDown(1, 0, static_cast<float>(x + w / 2), static_cast<float>(y + h / 2), 1000);
  g.InputMouseUp(1, 0, static_cast<float>(x + w / 2), static_cast<float>(y + h / 2));
  EXPECT_FALSE(g.EditMode());
  EXPECT_EQ(g.SelBlockRow(), 2);
  g.InputText("x ");
  for (int16_t key : {kDel, kBack, kF2}) g.InputKeyDown(key, 0);
  EXPECT_EQ(testing_grid::Picture(g, 3), "||\n|a|b\n|c|d\n|e|f\n");
  g.InputKeyDown(kDown, 0);
  EXPECT_TRUE(g.EditMode()) << "moving on ends the row choice";
  EXPECT_FALSE(g.IsBlockSelected());
  g.InputText("y\r");
  EXPECT_EQ(testing_grid::Picture(g, 3), "||\n|a|b\n|c|d\n|e|fy\n");
}

}  // namespace
}  // namespace zel
