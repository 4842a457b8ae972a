// Row operations the data exchange relies on: the spare rows kept below the data, the
// single-row colour marks, and filling one column over a range of rows.
#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;
namespace {

constexpr int32_t kDefaultSpareRows = 20;

// Restores the grid's current cell when a member that moved it ends, however it ends.
class CurrentCellKeeper {
 public:
  explicit CurrentCellKeeper(Grid& grid) : grid_(grid), col_(grid.Col()), row_(grid.Row()) {}
  ~CurrentCellKeeper() {
    grid_.Row(row_);
    grid_.Col(col_);
  }
  CurrentCellKeeper(const CurrentCellKeeper&) = delete;
  CurrentCellKeeper& operator=(const CurrentCellKeeper&) = delete;

 private:
  Grid& grid_;
  int32_t col_, row_;
};

}  // namespace

void ZelSheet::AddRowsToSheet(int32_t lngNewCnt) {
  if (impl_->flags.is_multi_sheet) {
    // Spare records, not rows: below the data, not below all rows.
    AddRecordsToSheet(lngNewCnt, false);
    return;
  }
  if (lngNewCnt != -1) {
    impl_->editing.spare_rows = lngNewCnt;
  } else if (impl_->editing.spare_rows == -1) {
    impl_->editing.spare_rows = kDefaultSpareRows;
  }
  const int32_t dataRows = impl_->grid.DataRowCnt();
  const int64_t rows = int64_t{dataRows} + impl_->editing.spare_rows;
  if (rows > INT32_MAX || rows < 0) {
    throw GridError("AddRowsToSheet: " + std::to_string(rows) + " rows is not a row count");
  }
  MaxRows(static_cast<int32_t>(rows));
  for (int32_t r = dataRows + 1, last = impl_->grid.MaxRows(); r <= last; ++r) {
    impl_->grid.SetText(0, r, "A");
  }
}

void ZelSheet::SetRowColor(int32_t lngRow, int16_t intColorType) {
  if (intColorType == 0) return;
  CurrentCellKeeper keep(impl_->grid);
  impl_->grid.Row(lngRow);
  impl_->grid.Col(-1);
  switch (intColorType) {
    case -1:
      impl_->grid.BackColor(0xFFFFFF);
      break;
    case 1:
      impl_->grid.BackColor(0xF81C1C);
      break;
    case 2:
      impl_->grid.BackColor(0xF86C64);
      break;
    case 3:
      impl_->grid.BackColor(0xF8B2B2);
      break;
    default: break;  // an unknown code leaves the row's colour as it is
  }
}

void ZelSheet::SetFillCol(int32_t lngCol, int32_t lngRow1, int32_t lngRow2,
                          const std::string& strValue, int32_t lngColCheck) {
  // Only the rows the grid has can take a write: the header rows (0, and -1000 + n for the
  // further ones) and the data rows 1..MaxRows. The rest of the range would fail row by row,
  // which for a range such as 1..INT32_MAX takes hours, so it is not visited.
  auto fill = [&](int64_t first, int64_t last) {
    for (int64_t r = std::max<int64_t>(first, lngRow1); r <= std::min<int64_t>(last, lngRow2); ++r) {
      const auto row = static_cast<int32_t>(r);
      // A row whose read or write fails is skipped; the next row is filled.
      SkipStep([&] {
        if (lngColCheck != -1 && CellText(lngColCheck, row) != "1") return;
        CellText(lngCol, row, strValue);
      });
    }
  };
  fill(-1000, -1000 + int64_t{impl_->grid.ColHeaderRows()} - 1);
  fill(0, impl_->grid.MaxRows());
}

}  // namespace zel
