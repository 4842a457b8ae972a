// The row marks of the row header menu, and the data-add switch of the same menu.
//
// A mark writes its status over whatever the selected rows had: the user's explicit choice
// wins over the tracked one ("A" over "U", "" over "X"). The rows are those from 1 to the
// last row holding data whose row header lies in the selection.
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// Writes `status` into the row header of every selected row 1..DataRowCnt.
void MarkSelectedRows(ZelSheet::Impl& s, const std::string& status, bool skipFailingRows) {
  s.grid.ReDraw(false);
  try {
    const int32_t last = s.grid.DataRowCnt();
    for (int32_t r = 1; r <= last; ++r) {
      auto mark = [&] {
        if (s.grid.IsCellSelected(0, r)) s.grid.SetText(0, r, status);
      };
      if (skipFailingRows) {
        internal::SkipStep(mark);
      } else {
        mark();
      }
    }
  } catch (...) {
    s.grid.ReDraw(true);
    throw;
  }
  s.grid.ChangeMade(true);
  s.grid.ReDraw(true);
}

}  // namespace

void ZelSheet::mnuNew_Click() { MarkSelectedRows(*impl_, "A", true); }
void ZelSheet::mnuUpdate_Click() { MarkSelectedRows(*impl_, "U", false); }
void ZelSheet::mnuDelete_Click() { MarkSelectedRows(*impl_, "X", true); }
void ZelSheet::mnuCancel_Click() { MarkSelectedRows(*impl_, "", true); }

void ZelSheet::mnuDataAdd_Click() {
  impl_->tools.data_add_checked = !impl_->tools.data_add_checked;
  impl_->editing.is_data_add = impl_->tools.data_add_checked;
}

}  // namespace zel
