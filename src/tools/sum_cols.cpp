// GetSumCols: the sum of a column's values over a range of rows, for the total row of a query
// sheet and for hosts. The cells are read in place (a number cell's number, a text cell's
// leading numeric part, an empty cell 0), so the total of a column of a million rows takes a
// few milliseconds.
#include <algorithm>
#include <cstdint>
#include <string>

#include "grid/column_reader.h"
#include "sheet/sheet_state.h"
#include "text/number.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

double ZelSheet::GetSumCols(int32_t lngActiveCol, int32_t lngRow1, int32_t lngRow2) {
  const Grid& grid = impl_->grid;
  const int32_t last = lngRow2 == -1 ? DataRowCnt() : lngRow2;
  if (lngActiveCol < 0 || lngActiveCol > grid.MaxCols()) {
    throw GridError("GetSumCols: column " + std::to_string(lngActiveCol) + " is outside the grid");
  }
  const internal::GridCells cells(grid);
  const internal::ColumnCells column = cells.Column(lngActiveCol);
  // Rows beyond the grid hold nothing and add nothing.
  const int32_t from = std::max(lngRow1, 1);
  const int32_t to = std::min(last, cells.MaxRows());
  double sum = 0;
  for (int32_t row = from; row <= to; ++row) {
    const internal::StoredCell c = column.At(cells.Slot(row));
    switch (c.kind()) {
      case internal::StoredCell::kNumber:
        sum += c.number();
        break;
      case internal::StoredCell::kShortText:
      case internal::StoredCell::kLongText:
        sum += text::Val(column.Text(c));
        break;
      default:
        break;
    }
  }
  return sum;
}

}  // namespace zel
