// Row status and change tracking.
//
// Every data row carries a one-letter status in its row header cell (column 0) that says
// what saving must do with it:
//
//   ""  unchanged (as displayed or saved)       "U"  updated: save as an update
//   "A" added: save as an insert                 "X"  marked for deletion: save as a delete
//
// The row header is the only place the status lives: what the user sees there is what the
// save parameters, the save check and the save results select rows by. Any other text (a
// record number, a letter a host wrote) counts as unchanged. Rows are looked at only up to
// the last row holding data, so the spare "A" rows below the data never count.

#include "columns/row_status_text.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;

namespace {

// Rows 1..last whose status is "A", "U" or "X" (after trimming when `trimmed`); a row whose
// status cannot be read counts as unchanged.
int32_t CountChangedRows(const Grid& grid, int32_t last, bool trimmed) {
  int32_t count = 0;
  std::string status;
  for (int32_t r = 1; r <= last; ++r) {
    if (!SkipStep([&] { grid.GetText(0, r, status); })) continue;
    if (internal::IsPendingStatus(trimmed ? text::TrimView(status) : status)) ++count;
  }
  return count;
}

}  // namespace

std::string ZelSheet::GetWorkingTag(int32_t row) const {
  std::string status;
  impl_->grid.GetText(0, row, status);
  const std::string_view trimmed = text::TrimView(status);
  if (trimmed == "A") return "A";
  if (trimmed == "U") return "U";
  if (trimmed == "X") return "D";
  return {};
}

int32_t ZelSheet::GetChangeCount() const {
  // The sheet's own DataRowCnt: a spare row the user is typing into counts.
  return CountChangedRows(impl_->grid, DataRowCnt(), false);
}

int32_t ZelSheet::ChangedCount(int32_t /*lngNewRow*/) const {
  return CountChangedRows(impl_->grid, impl_->grid.DataRowCnt(), true);
}

bool ZelSheet::IsChangedSave() {
  if (ChangedCount(20) <= 0) return false;
  const MsgBoxResult answer =
      impl_->platform.MsgBox("데이터가 변경되었습니다.\n저장하겠습니까?", vbYesNo, "Message");
  return answer == vbYes;
}

void ZelSheet::SetSaveAs() {
  if (impl_->flags.is_data_display) return;
  const int32_t last = impl_->grid.DataRowCnt();
  for (int32_t r = 1; r <= last; ++r) impl_->grid.SetText(0, r, "A");
}

void ZelSheet::IsDataAdd(bool on) {
  impl_->editing.is_data_add = on;
  // The menu's check mark shows the mode, so that the next toggle flips what the user sees.
  impl_->tools.data_add_checked = on;
}

void ZelSheet::ActiveCellTop() { ActiveCell(ColStart(), 1); }

bool ZelSheet::TrackRowEdit(int32_t statusRow) {
  if (impl_->flags.is_no_row_header_change) return false;
  return internal::ReadOr(
      [&] {
        std::string status;
        impl_->grid.GetText(0, statusRow, status);
        // A new row stays new and a delete-marked row stays marked; an updated row needs
        // nothing.
        if (internal::IsPendingStatus(status)) return false;
        impl_->grid.SetText(0, statusRow, "U");
        return true;
      },
      false);
}

void ZelSheet::TrackCellChange(int32_t col, int32_t row, int32_t statusRow) {
  impl_->editing.edit_col = col;
  impl_->editing.edit_row = row;
  impl_->editing.row_pending = false;
  TrackRowEdit(statusRow);
}

void ZelSheet::TrackTypedEdit(int32_t col, int32_t row, int32_t statusRow) {
  std::string status;
  if (!SkipStep([&] { impl_->grid.GetText(0, statusRow, status); })) return;
  if (status == "A" && impl_->editing.edit_row > impl_->grid.DataRowCnt()) {
    // Typing into a spare row below the data: the row becomes data only when the edit is
    // committed; until then DataRowCnt counts it so that the row is not overlooked.
    impl_->editing.row_pending = true;
    return;
  }
  if (TrackRowEdit(statusRow)) {
    impl_->editing.edit_col = col;
    impl_->editing.edit_row = row;
  }
}

int32_t ZelSheet::AddRowCnt() const { return impl_->editing.spare_rows; }
bool ZelSheet::IsDataAdd() const { return impl_->editing.is_data_add; }
bool ZelSheet::IsFileLoad() const { return impl_->settings.is_file_load; }
void ZelSheet::IsFileLoad(bool on) { impl_->settings.is_file_load = on; }

}  // namespace zel
