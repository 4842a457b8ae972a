// The grid painter: what a small grid looks like on a screen of characters, and the promise
// hit-testing rests on: a point on the screen maps to a twip position that the grid finds
// in the very cell painted there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tui/grid_painter.h"
#include "tui/text_width.h"
#include "zelsheet/grid.h"

namespace zel::tui {
namespace {

std::vector<std::string> Lines(const ScreenBuffer& s) {
  std::vector<std::string> out;
  for (int y = 0; y < s.Height(); ++y) out.push_back(s.LineText(y));
  return out;
}

// Four columns: a key, a Hangul name, a right-aligned amount, a check box; two header rows
// with a title spanning the first two columns; the first column frozen.
void Build(Grid& g) {
  g.MaxCols(4);
  g.MaxRows(40);
  g.ColHeaderRows(2);
  g.ColHeaderDisplay(0);
  g.RowHeaderDisplay(1);
  g.ColWidth(0, 3);
  g.ColWidth(1, 5);
  g.ColWidth(2, 7);
  g.ColWidth(3, 6);
  g.ColWidth(4, 5);
  g.ColsFrozen(1);
  g.AddCellSpan(1, -1000, 2, 1);
  g.SetText(1, -1000, "거래처");
  g.SetText(1, -999, "코드");
  g.SetText(2, -999, "이름");
  g.SetText(3, -999, "금액");
  g.Col(3), g.Row(-1), g.TypeHAlign(1);
  g.Col(4), g.Row(-1), g.CellType(kCellCheckBox);
  g.Col(4), g.Row(-999), g.CellType(kCellStatic);  // the title stays a title
  g.SetText(4, -999, "사용");
  for (int32_t r = 1; r <= 40; ++r) {
    g.SetText(1, r, "K" + std::to_string(r));
    g.SetText(2, r, r == 2 ? "주식회사 한빛상사" : "한빛");
    g.SetText(3, r, std::to_string(r * 1000));
    g.SetText(4, r, r % 2 ? "1" : "0");
  }
}

TEST(GridPainter, PaintsTheVisiblePartCutToWidth) {
  ASSERT_TRUE(EnsureUtf8Locale());
  Grid g;
  Build(g);
  ScreenBuffer s;
  s.Reset(6, 26);
  GridPainter painter(g);
  const Rect area{1, 1, 5, 24};
  int32_t w = 0, h = 0;
  GridPainter::AreaTwips(area, w, h);
  g.SetViewport(w, h);
  painter.Paint(s, area);
  // The row header, the frozen key column (double line), the name cut to its six cells, the
  // amount right-aligned, the check box column cut by the area's right edge (no line).
  const std::vector<std::string> want = {
      "                          ",
      "   │거래처     │     │    ",
      "   │코드║이름  │ 금액│사  ",
      " 1 │K1  ║한빛  │ 1000│[x] ",
      " 2 │K2  ║주식회│ 2000│[ ] ",
      " 3 │K3  ║한빛  │ 3000│[x] ",
  };
  EXPECT_EQ(Lines(s), want);
  EXPECT_TRUE(s.StyleAt(3, 4).attrs & kAttrReverse);  // the active cell (1, 1)
  EXPECT_FALSE(s.StyleAt(3, 9).attrs & kAttrReverse);

  // Scrolled: the frozen column stays, the scrolled rows and columns move on.
  g.TopRow(30);
  g.LeftCol(3);
  painter.Paint(s, area);
  EXPECT_EQ(s.LineText(3), " 30│K30 ║30000│[ ] │      ");
  EXPECT_EQ(s.LineText(0), std::string(26, ' '));  // nothing outside the area
}

TEST(GridPainter, ScreenPointsHitThePaintedCell) {
  Grid g;
  Build(g);
  // Widths that are not whole characters.
  g.ColWidth(1, 4.4);
  g.ColWidth(2, 6.6);
  g.ColWidth(3, 5.5);
  ScreenBuffer s;
  s.Reset(12, 30);
  GridPainter painter(g);
  const Rect area{2, 3, 9, 25};
  int32_t w = 0, h = 0;
  GridPainter::AreaTwips(area, w, h);
  g.SetViewport(w, h);
  g.TopRow(5);
  painter.Paint(s, area);
  int checked = 0;
  for (int y = area.top; y < area.bottom(); ++y) {
    for (int x = area.left; x < area.right(); ++x) {
      float tx = 0, ty = 0;
      ASSERT_TRUE(painter.PointToTwips(y, x, tx, ty));
      int32_t col = -2, row = -2;
      g.GetCellFromScreenCoord(col, row, static_cast<int32_t>(tx), static_cast<int32_t>(ty));
      if (col < 0 || row == -1) continue;  // beyond the last column: no cell
      // Spanned header cells answer with any cell of the span; compare the anchors.
      int32_t ac = 0, ar = 0, nc = 0, nr = 0;
      g.GetCellSpan(col, row, ac, ar, nc, nr);
      Rect r;
      ASSERT_TRUE(painter.CellRect(ac, ar, r) || painter.CellRect(col, row, r)) << col << "," << row;
      if (nc == 1 && nr == 1) {
        EXPECT_TRUE(r.Contains(y, x)) << "screen " << y << "," << x << " hit " << col << "," << row;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 150);
  float tx = 0, ty = 0;
  EXPECT_FALSE(painter.PointToTwips(area.top - 1, area.left, tx, ty));
}

// Heights in points become whole lines: the usual 10.2-point rows one line each (none left
// out between its neighbours), a 26-point header row two.
TEST(GridPainter, RowsFittedToLinesAreAllPainted) {
  Grid g;
  g.MaxCols(1);
  g.RowHeight(0, 26);
  g.RowHeight(-1, 10.2);
  g.MaxRows(12);
  for (int32_t r = 1; r <= 12; ++r) g.SetText(1, r, "R" + std::to_string(r));
  GridPainter::FitRowHeightsToLines(g);
  ScreenBuffer s;
  s.Reset(12, 10);
  GridPainter painter(g);
  const Rect area{0, 0, 12, 10};
  int32_t w = 0, h = 0;
  GridPainter::AreaTwips(area, w, h);
  g.SetViewport(w, h);
  painter.Paint(s, area);
  for (int32_t r = 1; r <= 9; ++r) EXPECT_EQ(s.LineText(r + 1), std::to_string(r) + "      │R" + std::to_string(r));
}

}  // namespace
}  // namespace zel::tui
