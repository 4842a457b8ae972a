// Formats: levels (sheet, column, row, cell) where the latest write covering a cell wins.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "grid_check.h"

namespace zel {
namespace {

using testing_grid::At;
using testing_grid::Block;

TEST(GridStyle, LatestWriteCoveringACellWins) {
  Grid g;
  g.MaxCols(3);
  g.MaxRows(200000);
  // The kinds of the given cells by name, joined by blanks.
  auto kinds = [&g](std::initializer_list<std::pair<int32_t, int32_t>> cells) {
    const char* const names[] = {"date", "edit", "float", "integer", "pattern", "static", "time", "button"};
    std::string out;
    for (const auto& [col, row] : cells) out += std::string(out.empty() ? "" : " ") + names[At(g, col, row).CellType()];
    return out;
  };
  At(g, 2, 150000).CellType(kCellCheckBox);  // one cell
  g.Row(-1);
  g.CellType(kCellFloat);  // then the whole column, header included: one write, covers the cell too
  EXPECT_EQ(kinds({{2, 150000}, {2, 199999}, {2, 0}, {1, 7}}), "float float float edit");
  At(g, -1, 7).CellType(kCellStatic);  // a whole row after the column
  EXPECT_EQ(kinds({{2, 7}, {2, 8}}), "static float");
  At(g, 2, 7).CellType(kCellButton);  // a cell after the row
  // Reading a whole column or row reports that level's own setting.
  EXPECT_EQ(kinds({{2, 7}, {3, 7}, {2, -1}, {-1, 7}, {-1, -1}}), "button static float static edit");
  At(g, -1, -1).CellType(kCellInteger);  // every cell
  EXPECT_EQ(kinds({{2, 7}, {0, 0}}), "integer integer");
}

TEST(GridStyle, BlocksAndHeaderRows) {
  Grid g;
  g.MaxCols(4);
  g.MaxRows(4);
  g.ColHeaderRows(2);
  Block(g, 2, 1, 3, 2);
  g.BlockMode(true);
  g.ForeColor(Rgb(0, 0, 255));
  g.BlockMode(false);
  for (int32_t c = 1; c <= 4; ++c) {
    for (int32_t r = 1; r <= 3; ++r) {
      At(g, c, r);
      const bool inside = c >= 2 && c <= 3 && r <= 2;
      EXPECT_EQ(g.ForeColor(), inside ? Rgb(0, 0, 255) : 0) << c << "," << r;
    }
  }
  At(g, -1, -999).BackColor(Rgb(1, 1, 1));
  EXPECT_EQ(At(g, 4, -999).BackColor(), Rgb(1, 1, 1));
  EXPECT_EQ(At(g, 4, 0).BackColor(), 0xFFFFFF);
}

TEST(GridStyle, RefusedValuesChangeNothing) {
  Grid g;
  At(g, 1, 1);
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"CellType 11", [&] { g.CellType(11); }},
      {"TypeHAlign 3", [&] { g.TypeHAlign(3); }},
      {"TypeEditCharSet 4", [&] { g.TypeEditCharSet(4); }},
      {"TypeFloatDecimalPlaces 16", [&] { g.TypeFloatDecimalPlaces(16); }},
      {"TypeFloatMax inf", [&] { g.TypeFloatMax(1.0 / 0.0); }},
      {"FontSize 0", [&] { g.FontSize(0); }},
      {"Font size -1", [&] { g.Font(GridFont{"X", -1}); }},
      {"ColWidth -1", [&] { g.ColWidth(1, -1); }},
      {"RowHeight NaN", [&] { g.RowHeight(1, std::nan("")); }},
      {"ColMerge 3", [&] { g.ColMerge(3); }},
      {"SortKeyOrder 3", [&] { g.SortKeyOrder(1, 3); }},
      {"SortKey 0", [&] { g.SortKey(0, 1); }},
      {"OperationMode 6", [&] { g.OperationMode(6); }},
      {"TopRow 0", [&] { g.TopRow(0); }},
  };
  for (const auto& [what, write] : cases) EXPECT_THROW(write(), GridError) << what;
  EXPECT_EQ(g.CellType(), kCellEdit);
  EXPECT_EQ(g.Font(), GridFont{});
  EXPECT_EQ(g.ColWidth(1), Grid::kDefaultColWidth);
}

// A column's settings reach its cells; a partial font write keeps the rest of the font.
TEST(GridStyle, ColumnFontAndLockReachTheCells) {
  Grid g;
  At(g, 3, -1);
  const GridFont f{"굴림체", 11.5f, true, true, false, true, 129};
  g.Font(f);
  g.TypeMaxEditLen(550);
  g.Row(9);
  EXPECT_EQ(g.Font(), f);
  EXPECT_EQ(g.TypeMaxEditLen(), 550);
  g.FontBold(false);
  EXPECT_EQ(std::to_string(g.FontBold()) + g.FontName(), "0굴림체");
  g.LockCells(false);
  g.Row(8);
  EXPECT_TRUE(g.LockCells()) << "cells start locked";
  EXPECT_TRUE(g.FontBold()) << "the cell's own bold is not the column's";
}

// A side of a cell's border as "style:colour".
std::string Border(const Grid& g, int32_t col, int32_t row, int16_t side) {
  Color c;
  int16_t style;
  g.GetCellBorder(col, row, side, c, style);
  return std::to_string(style) + ":" + std::to_string(c);
}

TEST(GridStyle, BordersOutlineABlockOrSetOneSide) {
  Grid g;
  g.MaxCols(5);
  g.MaxRows(5);
  g.SetCellBorder(2, 2, 3, 4, kBorderOutline, Rgb(255, 0, 0), 1);
  const std::string red = std::to_string(Rgb(255, 0, 0));
  // Inner cells have no outline.
  EXPECT_EQ(Border(g, 2, 3, kBorderLeft) + " " + Border(g, 3, 3, kBorderLeft).substr(0, 2) + " " +
                Border(g, 3, 4, kBorderBottom) + " " + Border(g, 3, 3, kBorderRight),
            "1:" + red + " 0: 1:" + red + " 1:" + red);
  EXPECT_THROW(Border(g, 3, 4, kBorderOutline), GridError);

  g.CellBorderType(kBorderBottom);
  g.CellBorderStyle(2);
  g.CellBorderColor(Rgb(0, 255, 0));
  At(g, 1, 5).Action(kActionSetBorder);
  EXPECT_EQ(Border(g, 1, 5, kBorderBottom), "2:" + std::to_string(Rgb(0, 255, 0)));
}

}  // namespace
}  // namespace zel
