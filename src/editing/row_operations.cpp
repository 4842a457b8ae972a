// The row operations of the menus and of the host: cut, paste and line insert, marking
// selected rows for deletion, clearing the sheet for a new entry, the grid's plain row and
// column insert and delete, and the row-selection switch.
//
// Two ways of removing rows live side by side on purpose: the menu's cut removes whole
// rows outright (the user is editing rows that were never saved, or wants them gone from
// the screen only), while CutHeaderSetting keeps a saved row and marks it "X" so that the
// next save sends its deletion to the server.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

constexpr int16_t kExtendedRowSelection = 5;
constexpr Color kRowSelectionColor = Rgb(60, 60, 233);

// Switches the grid's redraw off for the life of the object, and on again however the
// operation ends.
class RedrawPause {
 public:
  explicit RedrawPause(Grid& grid) : grid_(grid) { grid_.ReDraw(false); }
  ~RedrawPause() { grid_.ReDraw(true); }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;

 private:
  Grid& grid_;
};

// Deletes an unsaved row, marks a saved one "X". Returns true when it marked.
bool CutRow(ZelSheet::Impl& s, int32_t row) {
  Grid& grid = s.grid;
  std::string status;
  grid.GetText(0, row, status);
  if (status == "A") {
    grid.Row(row);
    grid.Action(kActionDeleteRow);
    return false;
  }
  grid.SetText(0, row, "X");
  grid.ChangeMade(true);
  return true;
}

}  // namespace

void ZelSheet::mnuInsert_Click() {
  Grid& grid = impl_->grid;
  RedrawPause redraw(grid);
  int32_t first = 0, count = 0;
  for (int32_t r = 1, last = grid.MaxRows(); r <= last; ++r) {
    if (!grid.IsCellSelected(0, r)) continue;
    if (first == 0) first = r;
    ++count;
  }
  // Each new row is a step of its own: one that fails is passed over.
  for (int32_t k = 0; k < count; ++k) {
    internal::SkipStep([&] {
      grid.MaxRows(grid.MaxRows() + 1);
      grid.Row(first);
      grid.Action(kActionInsertRow);
      grid.SetText(0, first, "A");
    });
  }
}

int32_t ZelSheet::CutHeaderSetting(int32_t /*lngNewRow*/) {
  Grid& grid = impl_->grid;
  int32_t marked = 0;
  for (int32_t r = grid.DataRowCnt(); r >= 1; --r) {
    if (grid.IsCellSelected(0, r) && CutRow(*impl_, r)) ++marked;
  }
  grid.Action(kActionDeselectBlock);
  AddRowsToSheet(-1);
  return marked;
}

int32_t ZelSheet::CutHeaderSettingBlock(bool IsHeaderLock) {
  Grid& grid = impl_->grid;
  // The rows are walked top-down and acted on bottom-up, so that deleting one does not
  // move the next.
  std::vector<int32_t> rows;
  for (int32_t r = grid.GetMultiSelItem(0); r > 0; r = grid.GetMultiSelItem(r)) {
    rows.push_back(r);
  }
  if (IsHeaderLock) return static_cast<int32_t>(rows.size());
  int32_t marked = 0;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    if (*it <= grid.MaxRows() && CutRow(*impl_, *it)) ++marked;
  }
  grid.Action(kActionDeselectBlock);
  AddRowsToSheet(-1);
  return marked;
}

void ZelSheet::ScreenClear(int32_t /*lngCol*/, int32_t lngRow) {
  Grid& grid = impl_->grid;
  RedrawPause redraw(grid);
  const int32_t spare = impl_->editing.spare_rows;
  if (grid.MaxRows() != spare) MaxRows(spare);
  const int32_t rows = grid.MaxRows();
  for (int32_t r = 1; r <= rows; ++r) grid.SetText(0, r, "A");
  if (rows >= 1) {
    grid.Col(1);
    grid.Col2(grid.MaxCols());
    grid.Row(1);
    grid.Row2(lngRow != 0 ? lngRow : rows);
    grid.BlockMode(true);
    grid.Action(kActionClearText);
    grid.BlockMode(false);
  }
  impl_->editing.edit_col = 0;
  impl_->editing.edit_row = 0;
  grid.ChangeMade(false);
}

void ZelSheet::sbInsertRow(int32_t lngRow) {
  impl_->grid.Row(lngRow);
  impl_->grid.Action(kActionInsertRow);
}

void ZelSheet::sbDeleteRow(int32_t lngRow) {
  impl_->grid.Row(lngRow);
  impl_->grid.Action(kActionDeleteRow);
}

void ZelSheet::sbInsertCol(int32_t lngCol) {
  impl_->grid.Col(lngCol);
  impl_->grid.Action(kActionInsertCol);
}

void ZelSheet::sbDeleteCol(int32_t lngCol) {
  impl_->grid.Col(lngCol);
  impl_->grid.Action(kActionDeleteCol);
}

int32_t ZelSheet::IsActiveRowColorCng() const {
  return impl_->editing.active_row_color ? -1 : 0;
}

void ZelSheet::IsActiveRowColorCng(int32_t value) {
  impl_->editing.active_row_color = value != 0;
  if (value == -1) {
    impl_->grid.OperationMode(kExtendedRowSelection);
    impl_->grid.SelBackColor(kRowSelectionColor);
  }
}

}  // namespace zel
