// The copy command (the menu's "복사" and Ctrl+C / Ctrl+X) and the switches that lock the
// clipboard commands.
#include "sheet/info_record.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

void ZelSheet::mnuCopy_Click() {
  if (impl_->editing.edit_mode_lock) return;
  ClipboardCopy();
}

void ZelSheet::ClipboardCopy() {
  // The screen's rights may forbid taking data out of it.
  if (internal::RightsForbidCopy(impl_->identity.rights)) return;
  impl_->editing.whole_rows_copied = false;
  Grid& grid = impl_->grid;
  if (grid.EditMode()) {
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

bool ZelSheet::IsEditModeLock() const { return impl_->editing.edit_mode_lock; }
void ZelSheet::IsEditModeLock(bool on) { impl_->editing.edit_mode_lock = on; }
bool ZelSheet::IsCopyPasteLock() const { return impl_->editing.copy_paste_lock; }
void ZelSheet::IsCopyPasteLock(bool on) { impl_->editing.copy_paste_lock = on; }

}  // namespace zel
