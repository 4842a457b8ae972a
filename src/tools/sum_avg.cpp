// Figures over cells: the sum-and-average tool of the data cell menu, and the cell tags
// screens hang on single cells.
#include <algorithm>
#include <cstdint>
#include <string>

#include "grid/column_reader.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/number.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// A cell's text as an amount: thousands separators dropped, anything that is not a number
// (an empty cell included) counts 0.
double Amount(std::string& text) {
  std::erase(text, ',');
  return text::IsNumeric(text) ? text::Val(text) : 0.0;
}

// "#,##0", with as many decimals as the active cell shows when it is a number cell.
std::string FigureFormat(Grid& grid) {
  std::string format = "#,##0";
  const int32_t col = grid.ActiveCol(), row = grid.ActiveRow();
  if (col < 1 || row < 1) return format;
  grid.Col(col);
  grid.Row(row);
  const int16_t kind = grid.CellType();
  if (kind != kCellFloat && kind != kCellNumber) return format;
  const int16_t places = std::clamp<int16_t>(grid.TypeFloatDecimalPlaces(), 0, 15);
  if (places > 0) format += "." + std::string(static_cast<size_t>(places), '0');
  return format;
}

}  // namespace

void ZelSheet::fnSumAvg() {
  Grid& grid = impl_->grid;
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  try {
    const int32_t c1 = grid.SelBlockCol(), c2 = grid.SelBlockCol2();
    const int32_t r1 = grid.SelBlockRow(), r2 = grid.SelBlockRow2();
    // A whole-row or whole-column block reaches as far as the data does.
    const int32_t colFrom = c1 == -1 ? 1 : std::max(c1, 1);
    const int32_t colTo = c1 == -1 ? grid.DataColCnt() : std::min(c2, grid.MaxCols());
    const int32_t rowFrom = r1 == -1 ? 1 : std::max(r1, 1);
    const int32_t rowTo = r1 == -1 ? grid.DataRowCnt() : std::min(r2, grid.MaxRows());
    double total = 0, max = 0, min = 0;
    int64_t count = 0;
    auto add = [&](double v) {
      max = count == 0 ? v : std::max(max, v);
      min = count == 0 ? v : std::min(min, v);
      total += v;
      ++count;
    };
    std::string text;
    if (grid.MultiSelCount() <= 1) {
      // One block: every cell of it is selected, and its cells are read in place.
      const internal::GridCells cells(grid);
      for (int32_t c = colFrom; c <= colTo; ++c) {
        const internal::ColumnCells column = cells.Column(c);
        for (int32_t r = rowFrom; r <= rowTo; ++r) {
          const internal::StoredCell cell = column.At(cells.Slot(r));
          if (cell.kind() == internal::StoredCell::kNumber) {
            add(cell.number());
          } else {
            text.assign(column.Text(cell));
            add(Amount(text));
          }
        }
      }
    } else {
      for (int32_t c = colFrom; c <= colTo; ++c) {
        for (int32_t r = rowFrom; r <= rowTo; ++r) {
          if (!grid.IsCellSelected(c, r)) continue;
          text.clear();
          grid.GetText(c, r, text);
          add(Amount(text));
        }
      }
    }
    const double average = count > 0 ? total / static_cast<double>(count) : 0.0;
    const std::string format = FigureFormat(grid);
    CalOnSheetDialog dialog;
    dialog.dfTotal = text::FormatNumber(total, format);
    dialog.dfAverage = text::FormatNumber(average, format);
    dialog.dfMax = text::FormatNumber(max, format);
    dialog.dfMin = text::FormatNumber(min, format);
    dialog.dfRecordCnt = std::to_string(count);
    grid.Col(savedCol);
    grid.Row(savedRow);
    impl_->platform.Tools().GetCalOnSheet(dialog);
  } catch (...) {
    const std::string why = internal::CurrentFailureText();
    internal::SkipStep([&] {
      grid.Col(savedCol);
      grid.Row(savedRow);
    });
    internal::ShowBox(impl_->platform, why, vbOKOnly, "");
  }
}

void ZelSheet::SetCellTag(int32_t lngCol, int32_t lngRow, const std::string& strCellTag) {
  Grid& grid = impl_->grid;
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  grid.Col(ColX(lngCol));
  grid.Row(lngRow);
  grid.CellTag(strCellTag);
  grid.Col(savedCol);
  grid.Row(savedRow);
}

std::string ZelSheet::GetCellTag(int32_t lngCol, int32_t lngRow) {
  Grid& grid = impl_->grid;
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  grid.Col(ColX(lngCol));
  grid.Row(lngRow);
  std::string tag = grid.CellTag();
  grid.Col(savedCol);
  grid.Row(savedRow);
  return tag;
}

}  // namespace zel
