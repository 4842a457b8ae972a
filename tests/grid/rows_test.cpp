// Row and column insert, delete, resize and block copy: what travels with a row or column.
#include <gtest/gtest.h>

#include <vector>

#include "file_test_support.h"
#include "grid_check.h"

namespace zel {
namespace {

using testing_grid::At;
using testing_grid::Fill;
using testing_grid::Invariants;
using testing_grid::Picture;

Grid Lettered() {
  Grid g;
  g.MaxCols(2);
  g.MaxRows(5);
  Fill(g, {{"a1", "b1"}, {"a2", "b2"}, {"a3", "b3"}, {"a4", "b4"}});
  const char* status[] = {"", "U", "", "A"};
  for (int32_t r = 1; r <= 4; ++r) g.SetText(0, r, status[r - 1]);
  g.SetText(1, 0, "A");
  g.SetText(2, 0, "B");
  return g;
}

TEST(GridRows, InsertAndDeleteMoveRowHeadersFormatsAndHeights) {
  Grid g = Lettered();
  At(g, -1, 2).BackColor(Rgb(255, 0, 0));
  g.RowHeight(2, 30);
  At(g, 1, 2).CellTag("t");
  g.ForeColor(Rgb(0, 0, 255));

  g.Row(2);
  g.Action(kActionInsertRow);
  EXPECT_EQ(Picture(g), "|A|B\n|a1|b1\n||\nU|a2|b2\n|a3|b3\nA|a4|b4\n");
  EXPECT_EQ(g.MaxRows(), 5) << "insert keeps MaxRows; the last (empty) row fell off";
  // Height, row format and cell tag moved down with row 2; the new row is plain.
  EXPECT_EQ(std::vector<double>({g.RowHeight(3), g.RowHeight(2)}), std::vector<double>({30, Grid::kDefaultRowHeight}));
  EXPECT_EQ(std::vector<Color>({At(g, 2, 3).BackColor(), At(g, 2, 2).BackColor()}),
            std::vector<Color>({Rgb(255, 0, 0), 0xFFFFFF}));
  EXPECT_EQ(At(g, 1, 3).CellTag(), "t");
  EXPECT_TRUE(Invariants(g));

  g.Row(1);
  g.Action(kActionDeleteRow);
  EXPECT_EQ(Picture(g), "|A|B\n||\nU|a2|b2\n|a3|b3\nA|a4|b4\n||\n");
  g.Row(2);
  g.Row2(4);
  g.BlockMode(true);
  g.Action(kActionDeleteRow);
  g.BlockMode(false);
  Grid titles_only;
  titles_only.MaxCols(2);
  titles_only.MaxRows(5);
  titles_only.SetText(1, 0, "A");
  titles_only.SetText(2, 0, "B");
  EXPECT_EQ(testing_files::DumpGrid(g), testing_files::DumpGrid(titles_only)) << "deleted rows leave nothing behind";
  EXPECT_TRUE(Invariants(g));

  g.Row(6);
  EXPECT_THROW(g.Action(kActionInsertRow), GridError);
  g.Row(0);
  EXPECT_THROW(g.Action(kActionDeleteRow), GridError);
}

// The rows holding data are kept as bits in 64-bit words: a row inserted or deleted at or
// next to a word's edge moves the bit across words.
TEST(GridRows, InsertAndDeleteAtWordEdgesKeepTheLastDataRow) {
  for (const int32_t at : {1, 63, 64, 65, 128, 129, 192}) {
    Grid g;
    g.MaxCols(1);
    g.MaxRows(200);
    g.SetText(1, at, "x");
    g.Row(at);
    g.Action(kActionInsertRow);
    EXPECT_EQ(g.DataRowCnt(), at + 1) << "insert at " << at;
    g.Row(at);
    g.Action(kActionDeleteRow);
    EXPECT_EQ(g.DataRowCnt(), at) << "delete at " << at;
    EXPECT_TRUE(Invariants(g)) << "at " << at;
  }
}

TEST(GridColumns, InsertDeleteMoveItemDataWidthsAndFormats) {
  Grid g = Lettered();
  g.MaxCols(3);
  for (int32_t c = 1; c <= 3; ++c) g.SetColItemData(c, c * 10);
  g.ColWidth(2, 15);
  At(g, 2, -1).CellType(kCellFloat);
  g.Col(1);
  g.Action(kActionInsertCol);
  const auto items = [&g] {
    return std::to_string(g.GetColItemData(1)) + " " + std::to_string(g.GetColItemData(2)) + " " +
           std::to_string(g.GetColItemData(3));
  };
  EXPECT_EQ(items(), "0 10 20");
  EXPECT_EQ(g.ColWidth(3), 15);
  EXPECT_EQ(At(g, 3, 1).CellType() * 10 + g.MaxCols(), kCellFloat * 10 + 3);
  EXPECT_EQ(Picture(g, 1), "||A|B\n||a1|b1\n");
  EXPECT_TRUE(Invariants(g));

  g.Col(1);
  g.Col2(2);
  g.BlockMode(true);
  g.Action(kActionDeleteCol);
  g.BlockMode(false);
  EXPECT_EQ(items(), "20 0 0");
  EXPECT_EQ(Picture(g, 2), "|B||\n|b1||\nU|b2||\n");
  EXPECT_TRUE(Invariants(g));
}

TEST(GridRows, ShrinkingAndRegrowingLeavesNothingBehind) {
  Grid g;
  g.MaxCols(3);
  g.MaxRows(10000);
  for (int32_t r = 1; r <= 10000; r += 7) g.SetText(1 + r % 3, r, "row" + std::to_string(r) + std::string(20, 'x'));
  At(g, 2, 9000).CellNote("n");
  g.RowHeight(9000, 40);
  g.MaxRows(100);  // frees most slots: the store compacts itself
  EXPECT_TRUE(Invariants(g));
  std::string t;
  g.GetText(1 + 99 % 3, 99, t);
  EXPECT_EQ(std::to_string(g.DataRowCnt()) + " " + t, "99 row99" + std::string(20, 'x'));
  g.MaxRows(10000);
  EXPECT_FALSE(g.GetText(1 + 9002 % 3, 9002, t));
  EXPECT_EQ(At(g, 2, 9000).CellNote() + std::to_string(g.RowHeight(9000) == Grid::kDefaultRowHeight), "1");
  EXPECT_TRUE(Invariants(g));
}

TEST(GridCopy, WholeColumnCarriesTextsKindsColoursAndItemData) {
  Grid g = Lettered();
  g.MaxCols(4);
  g.SetColItemData(1, 7);
  At(g, 1, -1).CellType(kCellCheckBox);
  g.TypeCheckText("done");
  g.BackColor(Rgb(1, 2, 3));
  g.Row(2);
  g.ForeColor(Rgb(9, 9, 9));
  g.CellTag("tag");
  g.Col(1);
  g.Col2(1);
  g.Row(-1);
  g.DestCol(3);
  g.DestRow(-1);
  g.Action(kActionCopyBlock);
  EXPECT_EQ(g.GetColItemData(3), 7);
  EXPECT_EQ(Picture(g, 2), "|A|B|A|\n|a1|b1|a1|\nU|a2|b2|a2|\n");
  const Grid& column = At(g, 3, -1);
  EXPECT_EQ(std::to_string(column.CellType()) + column.TypeCheckText() + std::to_string(column.BackColor()),
            std::to_string(kCellCheckBox) + "done" + std::to_string(Rgb(1, 2, 3)));
  const Grid& cell = At(g, 3, 2);
  EXPECT_EQ(std::to_string(cell.ForeColor()) + cell.CellTag(), std::to_string(Rgb(9, 9, 9)) + "tag");
  EXPECT_TRUE(Invariants(g));

  g.DestCol(4);
  g.Col(3);
  g.Col2(4);
  EXPECT_THROW(g.Action(kActionCopyBlock), GridError) << "two columns do not fit from column 4";
}

TEST(GridCopy, CellBlocksAndOverlappingRows) {
  Grid g = Lettered();
  At(g, 1, 1).TypeHAlign(2);
  g.Col2(2);
  g.Row2(2);
  g.DestCol(1);
  g.DestRow(2);
  g.Action(kActionCopyBlock);  // overlaps its source: reads all before writing
  EXPECT_EQ(Picture(g, 3), "|A|B\n|a1|b1\nU|a1|b1\n|a2|b2\n");
  EXPECT_EQ(At(g, 1, 2).TypeHAlign(), 2);
  g.Row(3);
  EXPECT_EQ(g.TypeHAlign(), 0);

  At(g, -1, 1);
  g.Row2(2);
  g.DestRow(2);
  g.Action(kActionCopyBlock);  // whole rows, downwards over themselves
  EXPECT_EQ(Picture(g, 4), "|A|B\n|a1|b1\n|a1|b1\nU|a1|b1\nA|a4|b4\n");
  EXPECT_TRUE(Invariants(g));
}

}  // namespace
}  // namespace zel
