// The read-only view: looks after every format level, the visible layout, hit-testing and
// the change signal.
#include <gtest/gtest.h>

#include "grid_check.h"

#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "file_test_support.h"
#include "zelsheet/grid_view.h"

namespace zel {
namespace {

using testing_grid::At;

constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kBlue = Rgb(0, 0, 255);
constexpr Color kGreen = Rgb(0, 255, 0);

CellLook LookOf(const Grid& g, int32_t col, int32_t row) {
  CellLook look;
  GridView(g).Cell(col, row, look);
  return look;
}

void Back(Grid& g, int32_t col, int32_t row, Color c) { At(g, col, row).BackColor(c); }
void Fore(Grid& g, int32_t col, int32_t row, Color c) { At(g, col, row).ForeColor(c); }

TEST(GridView, ColoursFollowTheLevelsInTheirOrder) {
  const Color white = 0xFFFFFF, head_back = Grid().HeaderBackColor(), head_fore = Grid().HeaderForeColor();
  const std::tuple<const char*, std::function<void(Grid&)>, int32_t, int32_t, Color, Color> cases[] = {
      {"sheet default", [](Grid&) {}, 2, 2, white, 0},
      {"column colour", [](Grid& g) { Back(g, 2, -1, kRed); }, 2, 2, kRed, 0},
      {"newer row colour over the column's", [](Grid& g) { Back(g, 2, -1, kRed), Back(g, -1, 2, kBlue); }, 2, 2, kBlue, 0},
      {"newer column colour over a cell's", [](Grid& g) { Fore(g, 2, 2, kBlue), Fore(g, 2, -1, kGreen); }, 2, 2, white, kGreen},
      {"alternate rows, even", [](Grid& g) { g.SetOddEvenRowColor(kRed, kBlue, kGreen, kRed); }, 2, 2, kGreen, kRed},
      {"alternate rows where no level set one",
       [](Grid& g) { g.SetOddEvenRowColor(kRed, kBlue, kGreen, kRed), Back(g, 2, 3, 0xFFFFFF); }, 2, 3, white, kBlue},
      {"locked cells under protect", [](Grid& g) { g.LockBackColor(kGreen); }, 2, 2, kGreen, 0},
      {"not without protect", [](Grid& g) { g.LockBackColor(kGreen), g.Protect(false); }, 2, 2, white, 0},
      {"selection first", [](Grid& g) { Back(g, 2, 2, kRed), g.SetSelection(1, 1, 3, 3); }, 2, 2,
       Grid().SelBackColor(), Grid().SelForeColor()},
      {"a header keeps the header colours under a column colour",
       [](Grid& g) { Back(g, 2, -1, kRed), Fore(g, -1, -1, kRed); }, 2, 0, head_back, head_fore},
      {"a header row's own colour", [](Grid& g) { Back(g, -1, 0, kBlue); }, 2, 0, kBlue, head_fore},
      {"the row-header column's own colour", [](Grid& g) { Fore(g, 0, -1, kGreen); }, 0, 2, head_back, kGreen},
      {"a failed row's colour reaches its row header", [](Grid& g) { Fore(g, -1, 2, kRed); }, 0, 2, head_back, kRed},
  };
  for (const auto& [what, setup, col, row, back, fore] : cases) {
    Grid g;
    g.MaxCols(3);
    g.MaxRows(4);
    setup(g);
    const CellLook look = LookOf(g, col, row);
    Color engine_back, engine_fore;  // the engine's own member agrees
    g.GetEffectiveColors(col, row, engine_back, engine_fore);
    EXPECT_EQ(std::vector<Color>({look.back, look.fore, engine_back}), std::vector<Color>({back, fore, back})) << what;
  }
}

// What a painter reads of a cell besides its colours, as one line.
std::string Shown(const Grid& g, int32_t col, int32_t row) {
  const CellLook l = LookOf(g, col, row);
  std::ostringstream o;
  o << "'" << l.text << "' kind " << l.kind << " al " << l.h_align << " '" << l.caption << "' " << l.checked
    << l.check_center << " btn " << l.button_color << " font " << l.font.name << (l.font.bold ? " bold" : "")
    << " span " << l.span_col << "," << l.span_row << " " << l.span_cols << "x" << l.span_rows
    << (l.merged_up ? " merged" : "") << (l.hidden ? " hidden" : "") << (l.active ? " active" : "");
  return o.str();
}

TEST(GridView, CellShowsItsKindAndPlace) {
  Grid g;
  g.MaxCols(4);
  g.MaxRows(6);
  At(g, 1, -1).CellType(kCellCheckBox);
  g.TypeCheckText("ok");
  g.TypeCheckCenter(true);
  At(g, 2, -1).CellType(kCellButton);
  g.TypeButtonText("Go");
  g.TypeButtonColor(kRed);
  At(g, 3, 2).TypeEditPassword(true);
  g.TypeHAlign(2);
  g.FontBold(true);
  g.FontName("Gulim");
  g.SetText(1, 1, "1");
  g.SetText(1, 0, "Title");
  g.SetText(3, 2, "가나x");
  g.SetText(4, 3, "same");
  g.SetText(4, 4, "same");
  g.Col(4);
  g.ColMerge(kMergeAlways);
  g.Row(5);
  g.RowHidden(true);
  ASSERT_TRUE(g.AddCellSpan(2, 5, 2, 2));
  g.SetActiveCell(3, 2);
  const std::string red = std::to_string(kRed);
  // Kinds: 1 edit, 5 static, 7 button, 10 check box.
  const std::vector<std::pair<std::pair<int32_t, int32_t>, std::string>> cells = {
      {{1, 1}, "'1' kind 10 al 0 'ok' 11 btn 0 font Arial span 1,1 1x1"},
      // A whole-column kind does not reach the title; an empty title shows its column's letter.
      {{1, 0}, "'Title' kind 5 al 0 '' 00 btn 0 font Arial span 1,0 1x1"},
      {{2, 0}, "'B' kind 5 al 0 '' 00 btn 0 font Arial span 2,0 1x1"},
      {{2, 3}, "'' kind 7 al 0 'Go' 00 btn " + red + " font Arial span 2,3 1x1"},
      {{3, 2}, "'***' kind 1 al 2 '' 00 btn 0 font Gulim bold span 3,2 1x1 active"},  // one mark a character
      {{3, 3}, "'' kind 1 al 0 '' 00 btn 0 font Arial span 3,3 1x1"},
      {{4, 3}, "'same' kind 1 al 0 '' 00 btn 0 font Arial span 4,3 1x1"},
      {{4, 4}, "'same' kind 1 al 0 '' 00 btn 0 font Arial span 4,4 1x1 merged"},
      {{3, 6}, "'' kind 1 al 0 '' 00 btn 0 font Arial span 2,5 2x2"},
      {{1, 5}, "'' kind 10 al 0 'ok' 01 btn 0 font Arial span 1,5 1x1 hidden"},
  };
  for (const auto& [at, shown] : cells) EXPECT_EQ(Shown(g, at.first, at.second), shown) << at.first << "," << at.second;
  EXPECT_THROW(LookOf(g, 5, 1), GridError);
  EXPECT_THROW(LookOf(g, 1, -1), GridError);
}

TEST(GridView, ComboItemsAreTheListThatAppliesToTheCell) {
  Grid g;
  g.MaxCols(2);
  g.MaxRows(3);
  At(g, 1, -1).CellType(kCellComboBox);
  g.TypeComboBoxList("매출처\t매입처\t\t겸용\t");
  At(g, 1, 2).TypeComboBoxList("A\tB\t");
  At(g, 2, 3);
  const GridView view(g);
  std::vector<std::string> items{"stale"}, cell_list, none{"stale"};
  view.ComboItems(1, 1, items);
  view.ComboItems(1, 2, cell_list);
  view.ComboItems(2, 1, none);
  EXPECT_EQ(items, (std::vector<std::string>{"매출처", "매입처", "", "겸용"}));
  EXPECT_EQ(cell_list, (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(g.Col(), 2) << "reading moved the grid's current cell";
  EXPECT_THROW(view.ComboItems(3, 1, items), GridError);
}

TEST(GridView, OneViewFollowsEveryChangeOfTheGrid) {
  // A view keeps what it resolved per column; each kind of change must make it look again.
  Grid g;
  g.MaxCols(3);
  g.MaxRows(3);
  const GridView view(g);
  CellLook look;
  auto back = [&](int32_t col, int32_t row) {
    view.Cell(col, row, look);
    return look.back;
  };
  Back(g, 2, -1, kRed);
  EXPECT_EQ(back(2, 1), kRed);
  Back(g, 2, -1, kBlue);
  EXPECT_EQ(back(2, 1), kBlue) << "a newer column format";
  g.Col(2);
  g.Action(kActionInsertCol);  // a new column takes the place, the formatted one moves right
  EXPECT_EQ(std::vector<Color>({back(2, 1), back(3, 1)}), std::vector<Color>({0xFFFFFF, kBlue}));
  g.Col(3);
  g.Action(kActionDeleteCol);
  EXPECT_EQ(back(3, 1), 0xFFFFFF);
  testing_files::TempDir dir;
  Grid saved;
  saved.MaxCols(3);
  saved.MaxRows(3);
  Back(saved, 3, -1, kGreen);
  ASSERT_TRUE(saved.SaveToFile(dir.File("v.sts"), false));
  ASSERT_TRUE(g.LoadFromFile(dir.File("v.sts")));
  EXPECT_EQ(back(3, 1), kGreen) << "a loaded image";
}

// The viewport of `cols` x `lines` character cells.
GridViewport Chars(int32_t cols, int32_t lines, int32_t top = 1, int32_t left = 1) {
  return GridViewport{cols * kTwipsPerCharCell, lines * kTwipsPerTextLine, top, left};
}

std::string Indexes(const std::vector<LayoutLine>& lines) {
  std::string out;
  for (const LayoutLine& l : lines) {
    if (!out.empty()) out += ' ';
    out += std::to_string(l.index) + "@" + std::to_string(l.pos / kTwipsPerCharCell);
  }
  return out;
}

TEST(GridView, LayoutShowsFrozenLinesFirstAndLeavesHiddenOnesOut) {
  Grid g;
  g.MaxCols(20);
  g.MaxRows(1'000'000);
  g.ColWidth(-1, 10);
  g.ColWidth(0, 4);
  g.ColsFrozen(1);
  g.RowsFrozen(2);
  g.Col(12);
  g.ColHidden(true);
  g.Row(999'991);
  g.RowHidden(true);
  const GridView view(g);
  VisibleLayout layout;
  view.Layout(Chars(40, 6, 999'990, 11), layout);
  EXPECT_EQ(Indexes(layout.cols), "0@0 1@4 11@14 13@24 14@34") << "cut at the edge";
  std::string rows;  // index and area of each line
  for (const LayoutLine& l : layout.rows) rows += std::to_string(l.index) + ":" + std::to_string(int{l.area}) + " ";
  EXPECT_EQ(rows, "0:" + std::to_string(int{LayoutLine::kHeader}) + " 1:" + std::to_string(int{LayoutLine::kFrozen}) +
                      " 2:" + std::to_string(int{LayoutLine::kFrozen}) + " 999990:" +
                      std::to_string(int{LayoutLine::kScrolled}) + " 999992:" +
                      std::to_string(int{LayoutLine::kScrolled}) + " 999993:" +
                      std::to_string(int{LayoutLine::kScrolled}) + " ");
  EXPECT_EQ(layout.used_width, 40 * kTwipsPerCharCell);

  g.DisplayRowHeaders(false);
  view.Layout(Chars(40, 3, 2'000'000, 30), layout);
  EXPECT_EQ(Indexes(layout.cols), "1@0") << "scrolled beyond the grid: the frozen column only";
  EXPECT_EQ(layout.rows.size(), 3u);
  view.Layout(Chars(0, 3), layout);
  EXPECT_TRUE(layout.cols.empty());
  EXPECT_EQ(view.SessionViewport().top_row, g.TopRow());
}

TEST(GridView, HitTestNamesWhatLiesUnderAPoint) {
  Grid g;
  g.MaxCols(3);
  g.MaxRows(3);
  g.ColWidth(-1, 5);
  g.ColWidth(0, 2);
  VisibleLayout layout;
  GridView(g).Layout(Chars(30, 10), layout);
  const int32_t slack = kTwipsPerCharCell / 2;
  auto at = [&](int32_t charCol, int32_t line) {
    return HitTest(layout, charCol * kTwipsPerCharCell + slack, line * kTwipsPerTextLine + kTwipsPerTextLine / 2, slack);
  };
  const std::tuple<int32_t, int32_t, GridHit::Part, int32_t, int32_t> cases[] = {
      {0, 0, GridHit::kCorner, 0, 0},     {3, 0, GridHit::kColHeader, 1, 0},
      {1, 2, GridHit::kRowHeader, 0, 2},  {8, 3, GridHit::kCell, 2, 3},
      {6, 0, GridHit::kColBorder, 1, 0},  {16, 0, GridHit::kColBorder, 3, 0},
      {20, 2, GridHit::kEmpty, -1, 2},    {4, 6, GridHit::kEmpty, 1, -1},
      {30, 2, GridHit::kOutside, -1, -1}, {-1, 2, GridHit::kOutside, -1, -1},
  };
  for (const auto& [x, y, part, col, row] : cases) {
    const GridHit hit = at(x, y);
    EXPECT_EQ(std::vector<int32_t>({int{hit.part}, hit.col, hit.row}), std::vector<int32_t>({int{part}, col, row}))
        << x << "," << y;
  }
  // A row border lies in the row-header column.
  const GridHit border = HitTest(layout, 10, 2 * kTwipsPerTextLine - 5, 20);
  EXPECT_EQ(std::vector<int32_t>({int{border.part}, border.row}), std::vector<int32_t>({int{GridHit::kRowBorder}, 1}));
}

struct Recorder : GridChangeListener {
  std::vector<GridChange> seen;
  void GridChanged(const GridChange& change) override { seen.push_back(change); }
  std::string Joined() const {
    std::string out;
    for (const GridChange& c : seen) {
      if (!out.empty()) out += ' ';
      out += std::to_string(c.col1) + "," + std::to_string(c.row1) + ".." + std::to_string(c.col2) + "," +
             std::to_string(c.row2) + (c.layout ? "L" : "");
    }
    return out;
  }
};

TEST(GridView, ChangesAreToldWithTheirRowsAndColumns) {
  const std::tuple<const char*, std::function<void(Grid&)>, const char*> cases[] = {
      {"a cell", [](Grid& g) { g.SetText(2, 3, "x"); }, "2,3..2,3"},
      {"a block's format", [](Grid& g) { g.Col(1), g.Col2(2), g.Row(4), g.Row2(3), g.BlockMode(true), g.BackColor(kRed); },
       "1,4..2,3"},
      {"a row's height", [](Grid& g) { g.RowHeight(2, 30); }, "-1,2..-1,2L"},
      {"the active cell", [](Grid& g) { g.SetActiveCell(2, 2); }, "1,1..1,1 2,2..2,2"},
      {"rows inserted", [](Grid& g) { g.Action(kActionInsertRow); }, "-1,-1..-1,-1L"},
      {"the cursor alone", [](Grid& g) { g.Col(3), g.Row(4), g.BlockMode(true); }, ""},
      {"gathered while painting is off",
       [](Grid& g) {
         g.ReDraw(false);
         g.SetText(1, 2, "a");
         g.SetText(3, 4, "b");
         g.Row(2);
         g.RowHidden(true);
         g.SetText(2, 3, "c");
         g.ReDraw(true);
       },
       "-1,-1..-1,-1L"},
      {"gathered into one block", [](Grid& g) { g.ReDraw(false), g.SetText(1, 2, "a"), g.SetText(3, 4, "b"), g.ReDraw(true); },
       "1,2..3,4"},
  };
  for (const auto& [what, change, told] : cases) {
    Grid g;
    g.MaxCols(3);
    g.MaxRows(4);
    Recorder recorder;
    g.SetChangeListener(&recorder);
    const uint64_t before = g.ChangeCount();
    change(g);
    EXPECT_EQ(recorder.Joined(), told) << what;
    EXPECT_EQ(g.ChangeCount() != before, *told != '\0') << what;
    if (!recorder.seen.empty()) { EXPECT_EQ(recorder.seen.back().count, g.ChangeCount()) << what; }
  }
}

}  // namespace
}  // namespace zel
