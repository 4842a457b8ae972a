// The date input check on leaving a date cell: the sheet's side of the repair in
// editing/date_input.h (which cell, which day is today, writing the result back).

#include "editing/date_input.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// Today as "yyyymmdd": ServerDate when the host gave one, else the platform's date.
std::string TodayForDateInput(ZelSheet::Impl& s) {
  if (!s.editing.server_date.empty()) return s.editing.server_date;
  return s.platform.Time().TodayText();
}

}  // namespace

bool ZelSheet::CheckDateInput(int32_t col, int32_t row, int16_t cellType) {
  internal::DateInputMode mode;
  if (cellType == EnDate) {
    mode = internal::DateInputMode::kDate;
  } else if (cellType == EnDateYearMonth) {
    mode = internal::DateInputMode::kYearMonth;
  } else {
    return true;
  }
  // Only the cell edited since the last check is looked at; the others were checked when
  // they were edited, or hold what Display or the host wrote.
  if (col != impl_->editing.edit_col) return true;
  // A cell that cannot be read or written cannot hold a checked date.
  return internal::ReadOr(
      [&] {
        std::string shown;
        impl_->grid.GetText(col, row, shown);
        const internal::DateRepair repair =
            internal::RepairDateInput(shown, mode, TodayForDateInput(*impl_));
        switch (repair.outcome) {
          case internal::DateRepair::kUnchanged:
            return true;
          case internal::DateRepair::kRefused:
            return false;
          case internal::DateRepair::kRepaired:
            impl_->grid.SetText(col, row, repair.text);
            impl_->editing.edit_col = 0;
            return true;
        }
        return false;
      },
      false);
}

}  // namespace zel
