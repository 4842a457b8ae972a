// Find: the menu's "Find" entry (and Ctrl+F) asks for a text, and F3 goes on to the next
// cell that holds it. Every shown cell whose text holds the search text, in any letter case,
// is marked bold in purple; the first such cell after the last match (by row, then column,
// starting again from the top after the last one) is scrolled into view. Clearing takes the
// marks off the cells the find marked (the sheet has no other bold data cells of its own;
// looking at every cell of a big sheet for bold ones would take seconds).
#include <algorithm>
#include <string>

#include "grid/redraw_off.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::RedrawOff;

namespace {

// RGB(112, 48, 160) as the grid's 0x00BBGGRR.
constexpr Color kFindMarkColor = 0xA03070;
constexpr Color kBlack = 0;

// Scrolls so that (col, row) is in view, moving only along the axis where it is not.
void ShowCell(Grid& grid, int32_t col, int32_t row) {
  if (grid.IsVisible(col, row, false)) return;
  if (row > grid.RowsFrozen() && !grid.IsVisible(grid.LeftCol(), row, false)) grid.TopRow(row);
  if (col > grid.ColsFrozen() && !grid.IsVisible(col, grid.TopRow(), false)) grid.LeftCol(col);
}

}  // namespace

void ZelSheet::SheetSearch() {
  ZelSheet::Impl::ToolState& tools = impl_->tools;
  if (tools.search_text.empty()) return;
  Grid& grid = impl_->grid;
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  const bool savedBlock = grid.BlockMode();
  grid.BlockMode(false);
  RedrawOff redraw(grid);

  // The next match after the last one, and the first match for starting over.
  int32_t nextRow = 0, nextCol = 0, firstRow = 0, firstCol = 0;
  auto before = [](int32_t r1, int32_t c1, int32_t r2, int32_t c2) {
    return r1 < r2 || (r1 == r2 && c1 < c2);
  };
  grid.FindText(tools.search_text, [&](int32_t c, int32_t r) {
    grid.Col(c);
    grid.Row(r);
    grid.FontBold(true);
    grid.ForeColor(kFindMarkColor);
    tools.search_marks.emplace_back(c, r);
    if (firstRow == 0 || before(r, c, firstRow, firstCol)) {
      firstRow = r;
      firstCol = c;
    }
    if (before(tools.search_row, tools.search_col, r, c) &&
        (nextRow == 0 || before(r, c, nextRow, nextCol))) {
      nextRow = r;
      nextCol = c;
    }
  });
  std::sort(tools.search_marks.begin(), tools.search_marks.end());
  tools.search_marks.erase(std::unique(tools.search_marks.begin(), tools.search_marks.end()),
                           tools.search_marks.end());
  if (nextRow == 0) {
    nextRow = firstRow;
    nextCol = firstCol;
  }
  if (nextRow != 0) {
    ShowCell(grid, nextCol, nextRow);
    tools.search_row = nextRow;
    tools.search_col = nextCol;
  }
  grid.Col(savedCol);
  grid.Row(savedRow);
  grid.BlockMode(savedBlock);
}

void ZelSheet::SheetSearchClear() {
  ZelSheet::Impl::ToolState& tools = impl_->tools;
  Grid& grid = impl_->grid;
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  const bool savedBlock = grid.BlockMode();
  grid.BlockMode(false);
  RedrawOff redraw(grid);
  for (const auto& [c, r] : tools.search_marks) {
    if (c > grid.MaxCols() || r > grid.MaxRows()) continue;
    grid.Col(c);
    grid.Row(r);
    if (!grid.FontBold()) continue;
    grid.FontBold(false);
    grid.ForeColor(kBlack);
  }
  tools.search_marks.clear();
  grid.Col(savedCol);
  grid.Row(savedRow);
  grid.BlockMode(savedBlock);
}

void ZelSheet::mnuSheetFind_Click() {
  ZelSheet::Impl::ToolState& tools = impl_->tools;
  SearchDialog dialog;
  dialog.txtSearch = tools.search_text;
  try {
    if (!impl_->platform.Tools().GetSearch(dialog)) return;
  } catch (const CompanionToolsError&) {
    return;  // no find dialog on this machine
  }
  if (dialog.txtSearch.empty() || dialog.txtSearch != tools.search_text) {
    // Another text starts from the top; an empty one ends the search and its marks.
    tools.search_row = 0;
    tools.search_col = 0;
    SheetSearchClear();
  }
  tools.search_text = dialog.txtSearch;
  if (!tools.search_text.empty()) SheetSearch();
}

}  // namespace zel
