// The date input check on leaving a date cell: the sheet's side of the repair in
// editing/date_input.h (which cell, which day is today, writing the result back).
#include <exception>

#include "editing/date_input.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

std::string ZelSheet::TodayForDateInput() {
  if (!editing_.server_date.empty()) return editing_.server_date;
  return platform_.Time().TodayText();
}

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
  if (col != editing_.edit_col) return true;
  try {
    std::string shown;
    grid_.GetText(col, row, shown);
    const internal::DateRepair repair = internal::RepairDateInput(shown, mode, TodayForDateInput());
    switch (repair.outcome) {
      case internal::DateRepair::kUnchanged:
        return true;
      case internal::DateRepair::kRefused:
        return false;
      case internal::DateRepair::kRepaired:
        grid_.SetText(col, row, repair.text);
        editing_.edit_col = 0;
        return true;
    }
  } catch (const std::exception&) {
    // A cell that cannot be read or written cannot hold a checked date.
  }
  return false;
}

}  // namespace zel
