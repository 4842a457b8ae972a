// Find: the menu's "Find" entry (and Ctrl+F) asks for a text, and F3 goes on to the next
// cell that holds it. Every shown cell whose text holds the search text, in any letter case,
// is marked bold in purple; the first such cell after the last match (by row, then column,
// starting again from the top after the last one) is scrolled into view.
#include <algorithm>
#include <string>
#include <vector>

#include "sheet/sheet_state.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// RGB(112, 48, 160) as the grid's 0x00BBGGRR.
constexpr Color kFindMarkColor = 0xA03070;
constexpr Color kBlack = 0;

class RedrawOff {
 public:
  explicit RedrawOff(Grid& grid) : grid_(grid) { grid_.ReDraw(false); }
  ~RedrawOff() { grid_.ReDraw(true); }
  RedrawOff(const RedrawOff&) = delete;
  RedrawOff& operator=(const RedrawOff&) = delete;

 private:
  Grid& grid_;
};

bool IsAsciiLower(char c) { return c >= 'a' && c <= 'z'; }

// Whether `hay`, upper-cased, holds `needle` (already upper-cased). Only ASCII letters have
// a case here, as in the rest of the sheet's text handling.
bool ContainsUpper(std::string_view hay, std::string_view needle, std::string& buffer) {
  if (needle.size() > hay.size()) return false;
  if (std::none_of(hay.begin(), hay.end(), IsAsciiLower)) return hay.find(needle) != hay.npos;
  buffer.assign(hay);
  for (char& c : buffer) {
    if (IsAsciiLower(c)) c = static_cast<char>(c - 'a' + 'A');
  }
  return buffer.find(needle) != std::string::npos;
}

// The grid columns 1..MaxCols and data rows that are not hidden.
std::vector<int32_t> ShownCols(Grid& grid) {
  std::vector<int32_t> cols;
  for (int32_t c = 1; c <= grid.MaxCols(); ++c) {
    grid.Col(c);
    if (!grid.ColHidden()) cols.push_back(c);
  }
  return cols;
}

std::vector<int32_t> ShownRows(Grid& grid, int32_t last) {
  std::vector<int32_t> rows;
  rows.reserve(static_cast<size_t>(last));
  for (int32_t r = 1; r <= last; ++r) {
    grid.Row(r);
    if (!grid.RowHidden()) rows.push_back(r);
  }
  return rows;
}

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
  const std::string needle = text::UCase(tools.search_text);
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  RedrawOff redraw(grid);

  const std::vector<int32_t> cols = ShownCols(grid);
  const std::vector<int32_t> rows = ShownRows(grid, grid.DataRowCnt());
  // The next match after the last one, and the first match for starting over.
  int32_t nextRow = 0, nextCol = 0, firstRow = 0, firstCol = 0;
  auto before = [](int32_t r1, int32_t c1, int32_t r2, int32_t c2) {
    return r1 < r2 || (r1 == r2 && c1 < c2);
  };
  std::string cell, upper;
  // Column by column: the cells of a column lie together in the grid.
  for (int32_t c : cols) {
    for (int32_t r : rows) {
      if (!grid.GetText(c, r, cell) || !ContainsUpper(cell, needle, upper)) continue;
      grid.Col(c);
      grid.Row(r);
      grid.FontBold(true);
      grid.ForeColor(kFindMarkColor);
      if (firstRow == 0 || before(r, c, firstRow, firstCol)) {
        firstRow = r;
        firstCol = c;
      }
      if (before(tools.search_row, tools.search_col, r, c) &&
          (nextRow == 0 || before(r, c, nextRow, nextCol))) {
        nextRow = r;
        nextCol = c;
      }
    }
  }
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
}

void ZelSheet::SheetSearchClear() {
  Grid& grid = impl_->grid;
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  RedrawOff redraw(grid);
  const int32_t last = grid.DataRowCnt();
  for (int32_t c = 1; c <= grid.MaxCols(); ++c) {
    grid.Col(c);
    for (int32_t r = 1; r <= last; ++r) {
      grid.Row(r);
      if (!grid.FontBold()) continue;
      grid.FontBold(false);
      grid.ForeColor(kBlack);
    }
  }
  grid.Col(savedCol);
  grid.Row(savedRow);
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
