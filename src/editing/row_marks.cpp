// The row marks of the row header menu, and the data-add switch of the same menu.
//
// A mark writes its status over whatever the selected rows had: the user's explicit choice
// wins over the tracked one ("A" over "U", "" over "X"). The rows are those from 1 to the
// last row holding data whose row header lies in the selection.
#include <exception>

#include "zelsheet/zel_sheet.h"

namespace zel {

void ZelSheet::MarkSelectedRows(const std::string& status, bool skipFailingRows) {
  grid_.ReDraw(false);
  try {
    const int32_t last = grid_.DataRowCnt();
    for (int32_t r = 1; r <= last; ++r) {
      try {
        if (grid_.IsCellSelected(0, r)) grid_.SetText(0, r, status);
      } catch (const std::exception&) {
        if (!skipFailingRows) throw;
      }
    }
  } catch (...) {
    grid_.ReDraw(true);
    throw;
  }
  grid_.ChangeMade(true);
  grid_.ReDraw(true);
}

void ZelSheet::mnuNew_Click() { MarkSelectedRows("A", true); }
void ZelSheet::mnuUpdate_Click() { MarkSelectedRows("U", false); }
void ZelSheet::mnuDelete_Click() { MarkSelectedRows("X", true); }
void ZelSheet::mnuCancel_Click() { MarkSelectedRows("", true); }

void ZelSheet::mnuDataAdd_Click() {
  tools_.data_add_checked = !tools_.data_add_checked;
  editing_.is_data_add = tools_.data_add_checked;
}

}  // namespace zel
