// Selection blocks and the clipboard actions (copy, cut, paste).
#include <gtest/gtest.h>

#include "grid_check.h"
#include "zelsheet/platform.h"

namespace zel {
namespace {

using testing_grid::Block;
using testing_grid::Fill;
using testing_grid::Invariants;
using testing_grid::Picture;

class RecordingClipboard : public Clipboard {
 public:
  std::string GetText() const override { return text; }
  void SetText(const std::string& t) override {
    text = t;
    ++sets;
  }
  void Clear() override {
    text.clear();
    ++clears;
  }
  std::string text;
  int sets = 0, clears = 0;
};

Grid Sample() {
  Grid g;
  g.MaxCols(3);
  g.MaxRows(6);
  Fill(g, {{"a1", "b1", "c1"}, {"a2", "b2", "c2"}, {"a3", "b3", "c3"}, {"a4", "b4", "c4"}});
  g.SetText(0, 2, "U");
  g.SetText(0, 3, "A");
  return g;
}

TEST(GridSelection, BlocksRowsAndTheRowWalk) {
  Grid g = Sample();
  // The current block as "col,row..col2,row2".
  const auto block = [&g] {
    return std::to_string(g.SelBlockCol()) + "," + std::to_string(g.SelBlockRow()) + ".." +
           std::to_string(g.SelBlockCol2()) + "," + std::to_string(g.SelBlockRow2());
  };
  EXPECT_FALSE(g.IsBlockSelected());
  EXPECT_EQ(g.SelBlockCol() * 10 + g.GetMultiSelItem(0), -1);
  g.SetSelection(-1, 4, 3, 2);  // whole rows 2-4 (given bottom first)
  EXPECT_EQ(block(), "-1,2..-1,4");
  // The row header of a selected row is selected.
  EXPECT_EQ(std::to_string(g.IsCellSelected(0, 3)) + std::to_string(g.IsCellSelected(0, 1)), "10");
  g.AddSelection(2, 6, 3, 6);   // a cell block
  g.AddSelection(-1, 6, -1, 6); // and row 6
  EXPECT_EQ(std::to_string(g.MultiSelCount()) + " " + block(), "3 -1,6..-1,6");
  g.MultiSelIndex(1);
  EXPECT_EQ(block(), "2,6..3,6");
  EXPECT_THROW(g.MultiSelIndex(3), GridError);
  EXPECT_EQ(std::to_string(g.IsCellSelected(1, 5)) + std::to_string(g.IsCellSelected(3, 6)), "01");

  std::vector<int32_t> walk;
  for (int32_t r = g.GetMultiSelItem(0); r != -1; r = g.GetMultiSelItem(r)) walk.push_back(r);
  EXPECT_EQ(walk, (std::vector<int32_t>{2, 3, 4, 6}));

  g.SelModeIndex(3);
  EXPECT_TRUE(g.SelModeSelected());
  g.SelModeSelected(false);  // splits the block 2-4
  std::string counts = std::to_string(g.SelModeSelCount());
  g.SelModeIndex(5);
  g.SelModeSelected(true);
  EXPECT_EQ(counts + std::to_string(g.SelModeSelCount()), "34");
  g.Action(kActionDeselectBlock);
  EXPECT_EQ(g.MultiSelCount(), 0);
  Block(g, 1, 1, 2, 2);
  g.Action(kActionSelectBlock);
  EXPECT_TRUE(g.IsCellSelected(2, 2));
  EXPECT_THROW(g.SetSelection(1, 1, 4, 1), GridError);
}

TEST(GridClipboard, WholeRowCopyPutsTheRowHeaderFirst) {
  Grid g = Sample();
  RecordingClipboard clip;
  g.AttachClipboard(&clip);
  g.SetSelection(-1, 2, -1, 3);
  g.Action(kActionClipboardCopy);
  EXPECT_EQ(clip.text + std::to_string(clip.clears), "U\ta2\tb2\tc2\r\nA\ta3\tb3\tc3\r\n1");
  g.SetSelection(2, 1, 3, 2);
  g.Action(kActionClipboardCopy);
  EXPECT_EQ(clip.text, "b1\tc1\r\nb2\tc2\r\n");
  g.ClearSelection();
  g.SetActiveCell(3, 4);
  g.Action(kActionClipboardCopy);
  EXPECT_EQ(clip.text, "c4\r\n") << "no selection: the active cell";
}

TEST(GridClipboard, CutAndPasteRoundTrip) {
  Grid g = Sample();
  // Without an attached clipboard the grid keeps its own text.
  g.SetSelection(-1, 2, -1, 3);
  g.Action(kActionClipboardCut);
  EXPECT_EQ(Picture(g, 4), "|||\n|a1|b1|c1\nU|||\nA|||\n|a4|b4|c4\n") << "row headers stay on a cut";
  EXPECT_EQ(g.DataRowCnt(), 4);
  g.SetSelection(-1, 5, -1, 5);
  g.Action(kActionClipboardPaste);  // whole rows back in, with their headers
  EXPECT_EQ(Picture(g), "|||\n|a1|b1|c1\nU|||\nA|||\n|a4|b4|c4\nU|a2|b2|c2\nA|a3|b3|c3\n");
  EXPECT_TRUE(Invariants(g));

  RecordingClipboard clip;
  g.AttachClipboard(&clip);
  clip.text = "x\ty\r\nz\n";
  g.ClearSelection();
  g.SetActiveCell(3, 5);
  g.Action(kActionClipboardPaste);  // clipped at the last column
  EXPECT_EQ(Picture(g, 6).substr(Picture(g, 4).size()), "U|a2|b2|x\nA|a3|b3|z\n");
  EXPECT_TRUE(Invariants(g));
}

}  // namespace
}  // namespace zel
