// The copy, cut and paste commands (the menu's "복사", "잘라내기", "붙여넣기" and Ctrl+C /
// Ctrl+X) and the switches that lock them.
#include <algorithm>

#include "sheet/info_record.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// Whether a command means the characters selected in the cell editor rather than cells.
// With EditModePermanent the editor stays open on the active cell while the user selects
// blocks, so a selected block says the user means cells.
bool EditingCharacters(const Grid& grid) { return grid.EditMode() && !grid.IsBlockSelected(); }

}  // namespace

void ZelSheet::mnuCopy_Click() {
  if (impl_->editing.edit_mode_lock) return;
  ClipboardCopy();
}

void ZelSheet::ClipboardCopy() {
  // The screen's rights may forbid taking data out of it.
  if (internal::RightsForbidCopy(impl_->identity.rights)) return;
  impl_->editing.whole_rows_copied = false;
  Grid& grid = impl_->grid;
  if (EditingCharacters(grid)) {
    // Inside the cell editor only the characters the user selected are copied.
    Clipboard& clip = impl_->platform.Clip();
    clip.Clear();
    clip.SetText(grid.SelText());
    return;
  }
  if (grid.IsBlockSelected() && grid.SelBlockCol() == -1 && grid.SelBlockCol2() == -1) {
    impl_->editing.whole_rows_copied = true;
  }
  grid.Action(kActionClipboardCopy);
}

void ZelSheet::ClipboardPaste() {}

void ZelSheet::mnuCut_Click() {
  if (impl_->editing.edit_mode_lock) return;
  Grid& grid = impl_->grid;
  if (EditingCharacters(grid)) {
    Clipboard& clip = impl_->platform.Clip();
    clip.Clear();
    clip.SetText(grid.SelText());
    grid.SelText("");
    return;
  }
  const int32_t row = grid.Row();
  if (grid.IsBlockSelected() && grid.SelBlockCol() == -1) {
    // Whole rows: their texts go to the clipboard first and the rows then leave the grid,
    // so that the clipboard holds what was cut and the rows that move up stay untouched.
    grid.Action(kActionClipboardCopy);
    const bool all = grid.SelBlockRow() == -1;  // the corner: every row with data
    const int32_t first = all ? 1 : std::max(grid.SelBlockRow(), 1);
    const int32_t last = all ? grid.DataRowCnt() : std::min(grid.SelBlockRow2(), grid.MaxRows());
    for (int32_t r = last; r >= first; --r) {
      grid.Row(r);
      grid.Action(kActionDeleteRow);
    }
    grid.Action(kActionDeselectBlock);
    grid.Row(std::min(row, grid.MaxRows()));
  } else {
    grid.Row(row);
    grid.Action(kActionClipboardCut);
  }
  impl_->Events().SheetCut(grid.ActiveRow());
}

void ZelSheet::mnuPaste_Click() {
  if (impl_->editing.edit_mode_lock || impl_->editing.copy_paste_lock) return;
  ClipboardPaste();
}

bool ZelSheet::IsEditModeLock() const { return impl_->editing.edit_mode_lock; }
void ZelSheet::IsEditModeLock(bool on) { impl_->editing.edit_mode_lock = on; }
bool ZelSheet::IsCopyPasteLock() const { return impl_->editing.copy_paste_lock; }
void ZelSheet::IsCopyPasteLock(bool on) { impl_->editing.copy_paste_lock = on; }

}  // namespace zel
