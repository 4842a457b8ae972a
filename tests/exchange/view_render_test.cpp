// A displayed sheet painted through the grid's read-only view alone: the picture equals the
// one the sheet tests compare, and painting leaves the sheet's cursor where it was.
#include <gtest/gtest.h>

#include <string>

#include "support/sheet_fixture.h"
#include "zelsheet/grid_view.h"

namespace zel {
namespace {

// RenderSheet's picture of the rows a viewport shows up to column `lastCol`, read through
// GridView only.
std::string Paint(const Grid& grid, const GridViewport& viewport, int32_t lastCol) {
  const GridView view(grid);
  VisibleLayout layout;
  view.Layout(viewport, layout);
  CellLook look;
  std::string out;
  for (const LayoutLine& row : layout.rows) {
    if (row.index < 1) continue;
    if (!out.empty()) out += '\n';
    for (const LayoutLine& col : layout.cols) {
      if (col.index < 0 || col.index > lastCol) continue;
      view.Cell(col.index, row.index, look);
      if (col.index == 0) {
        out += look.text == std::to_string(row.index) ? "." : look.text;  // an automatic label
      } else {
        out += '|' + look.text;
      }
    }
  }
  return out;
}

struct Cursor {
  int32_t col, row, col2, row2, active_col, active_row, top_row;
  bool block_mode;
  bool operator==(const Cursor&) const = default;
};

Cursor CursorOf(const Grid& g) {
  return {g.Col(), g.Row(), g.Col2(), g.Row2(), g.ActiveCol(), g.ActiveRow(), g.TopRow(), g.BlockMode()};
}

TEST(ViewRender, ASheetPaintedThroughTheViewAloneLeavesItsCursor) {
  testing::SheetFixture f;
  f.sheet.AddItem("NAME", "이름", EnText);
  f.sheet.AddItem("AMOUNT", "금액", EnFloat);
  f.sheet.AddItem("DAY", "일자", EnDate);
  f.sheet.AddItem("OK", "확인", EnCheck);
  ASSERT_TRUE(f.sheet.Display("김민준~,1234.5~,20240131~,1~,~I~lee~,7~,20231201~,0~,~I~park~,0~,~,~,~I~"));
  Grid& grid = f.sheet.GetSheet();
  grid.SetText(0, 2, "U");
  grid.Col(3);
  grid.Row(2);
  grid.Col2(4);
  grid.Row2(3);
  grid.BlockMode(true);
  grid.SetActiveCell(2, 3);
  const Cursor before = CursorOf(grid);

  const std::string expected = testing::RenderSheet(f.sheet);
  EXPECT_EQ(Paint(grid, GridViewport{200 * kTwipsPerCharCell, 4 * kTwipsPerTextLine, 1, 1}, 4), expected);
  EXPECT_EQ(CursorOf(grid), before);
  EXPECT_NE(expected.find("31-01-2024"), std::string::npos) << "the grid's own date form";
}

}  // namespace
}  // namespace zel
