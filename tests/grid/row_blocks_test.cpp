// Repeating a formatted block of rows (the records of a multi-row sheet) against formatting
// every block through the property cursor: both grids must show the same texts and spans and
// read every property of every cell alike, right after the repeat and after each later
// edit that reaches the shared formats (a copied cell's or a column's format, row inserts and
// deletes, sorting a block's cells, copied rows, a copied and a cleared block, renumbered row
// slots, a saved and reloaded image, emptying and refilling the rows).
#include "grid/row_blocks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "file_test_support.h"
#include "grid_check.h"

namespace zel {
namespace {

using testing_grid::At;
using testing_grid::Block;
using testing_grid::Invariants;
using testing_files::DumpGrid;

constexpr int32_t kCols = 4;
constexpr int32_t kRowsPerBlock = 3;
constexpr int32_t kBlocks = 12;
constexpr int32_t kRows = kRowsPerBlock * kBlocks;

// One record: a row-header span and text, a float, a coloured text, a check box, a span, a
// combo, a locked cell and a line under the block.
void FormatBlock(Grid& g, int32_t first) {
  g.AddCellSpan(0, first, 1, kRowsPerBlock);
  g.SetText(0, first, "A");
  At(g, 1, first).CellType(kCellFloat);
  g.TypeFloatDecimalPlaces(2);
  At(g, 2, first).CellType(kCellEdit);
  g.BackColor(Rgb(1, 2, 3));
  At(g, 1, first + 1).CellType(kCellCheckBox);
  g.AddCellSpan(2, first + 1, 2, 1);
  At(g, 3, first + 2).CellType(kCellComboBox);
  g.TypeComboBoxList("a\tb\t");
  At(g, 4, first + 2).LockCells(true);
  g.SetCellBorder(1, first + 2, kCols, first + 2, kBorderBottom, Rgb(9, 9, 9), 1);
}

// `each` formats every block on its own; `repeated` formats the first and repeats it.
struct Pair {
  Grid each, repeated;
  void Both(const std::function<void(Grid&)>& step) {
    step(each);
    step(repeated);
  }
  void Fill() {
    for (int32_t b = 0; b < kBlocks; ++b) FormatBlock(each, 1 + b * kRowsPerBlock);
    FormatBlock(repeated, 1);
    internal::RepeatRowBlock(repeated, 1, kRowsPerBlock, kBlocks - 1);
  }
};

TEST(RepeatRowBlock, AlikeToFormattingEveryBlockThroughEveryEdit) {
  Pair p;
  p.Both([](Grid& g) {
    g.MaxCols(kCols);
    g.MaxRows(kRows);
  });
  p.Fill();
  auto same = [&p](const char* after) {
    SCOPED_TRACE(after);
    EXPECT_EQ(DumpGrid(p.repeated), DumpGrid(p.each));
    EXPECT_TRUE(Invariants(p.repeated));
  };
  same("the repeat");
  const std::pair<const char*, std::function<void(Grid&)>> edits[] = {
      {"a copied cell's colour", [](Grid& g) { At(g, 2, 5).BackColor(Rgb(7, 7, 7)); }},
      {"a column's decimal places", [](Grid& g) { At(g, 1, -1).TypeFloatDecimalPlaces(0); }},
      {"a row inserted and one deleted", [](Grid& g) {
         At(g, 1, 4).Action(kActionInsertRow);
         At(g, 1, 9).Action(kActionDeleteRow);
       }},
      // Inside a block and at its first row, a span set, cut and taken away, columns
      // inserted and deleted under the spans, the rows cut inside a block.
      {"spans edited", [](Grid& g) {
         At(g, 1, 22).Action(kActionInsertRow);
         At(g, 1, 28).Action(kActionInsertRow);
         g.AddCellSpan(1, 31, 1, 2);
         g.RemoveCellSpan(2, 20);
         g.RemoveCellSpan(0, 13);
         At(g, 2, 1).Action(kActionInsertCol);
         At(g, 1, 1).Action(kActionDeleteCol);
         g.MaxRows(kRows - 2);
         g.MaxRows(kRows);
       }},
      {"two columns' cells sorted", [](Grid& g) {
         for (int32_t r = 1; r <= 20; ++r) g.SetText(2, r, std::to_string(r * 7 % 10));
         Block(g, 1, 1, 2, 20);
         g.SortKey(1, 2);
         g.SortKeyOrder(1, kSortDescending);
         g.Action(kActionSort);
       }},
      {"copied rows, a copied and a cleared block", [](Grid& g) {
         Block(g, -1, 5, -1, 7);
         g.DestRow(16);
         g.Action(kActionCopyBlock);
         Block(g, 1, 1, 2, 3);
         g.DestCol(3);
         g.DestRow(10);
         g.Action(kActionCopyBlock);
         Block(g, 1, 13, kCols, 14);
         g.Action(kActionClear);
       }},
      // Thousands of rows added and taken away again: the grid renumbers its row slots.
      {"slots renumbered", [](Grid& g) {
         g.MaxRows(kRows + 5000);
         g.MaxRows(kRows);
       }},
  };
  for (const auto& [name, edit] : edits) {
    p.Both(edit);
    same(name);
  }
  testing_files::TempDir dir;
  ASSERT_TRUE(p.repeated.SaveToFile(dir.File("repeated.sts"), false));
  Grid back;
  ASSERT_TRUE(back.LoadFromFile(dir.File("repeated.sts")));
  EXPECT_EQ(DumpGrid(back), DumpGrid(p.each));
  p.Both([](Grid& g) {
    At(g, 1, 2).Action(kActionDeleteRow);  // the refilled rows' slots then come out of order
    g.MaxRows(0);
    g.MaxRows(kRows);
  });
  same("emptied");
  p.Fill();
  same("filled again");
}

TEST(RepeatRowBlock, RefusesBlocksBeyondTheRows) {
  Grid g;
  g.MaxCols(2);
  g.MaxRows(7);
  EXPECT_THROW(internal::RepeatRowBlock(g, 1, 3, 2), GridError);
  EXPECT_THROW(internal::RepeatRowBlock(g, 1, 0, 2), GridError);
  EXPECT_NO_THROW(internal::RepeatRowBlock(g, 2, 3, 1));
}

}  // namespace
}  // namespace zel
