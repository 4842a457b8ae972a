// DisplayMatrix: a cross tab whose columns come from the result itself (grammar and worked
// example of the matrix text in text/data_shapes.h): key columns from section 0, value
// columns from section 2, the rows from section 1, and with bTotFlag a row-total column
// after the key columns and a total row 1 (the caption in the first text column, the sum of
// the row totals, each value column's total from its definition line).
//
// The columns are built and typed before the rows are written, so that every value lands in
// a column that already has its type: a float column keeps the number of its field. A row's
// field k goes to column k; with bTotFlag the row-total column takes the row's total (field
// 0) over whatever field stands at its place.
//
// Failure style: every step is skipped when it fails (a colour that is not "r,g,b", a type
// setting the grid refuses, a row beyond the sheet) and the next one runs; the call always
// switches redraw back on and returns true.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "columns/cell_conversions.h"
#include "grid/data_row_writer.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/data_shapes.h"
#include "text/data_string.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;

namespace {

constexpr int16_t kPointerDefault = 0;
constexpr int16_t kPointerHourglass = 11;
// The range of a matrix's float columns.
constexpr double kMatrixLimit = 999999999999999.0;

// The lines of a section, each as its elements.
std::vector<std::vector<std::string_view>> Lines(std::string_view section) {
  std::vector<std::vector<std::string_view>> lines;
  internal::DataStringReader reader(section);
  while (reader.NextRow()) {
    std::vector<std::string_view>& line = lines.emplace_back();
    for (std::string_view e; reader.NextElement(e);) line.push_back(e);
  }
  return lines;
}

int16_t SmallNumber(std::string_view field) { return text::CInt(text::Val(text::TrimView(field))); }

}  // namespace

bool ZelSheet::DisplayMatrix(const std::string& strString, bool bTotFlag, int16_t intMatrixRight,
                             const std::string& strTotalCaption) {
  Impl& s = *impl_;
  SkipStep([&] { MousePointer(kPointerHourglass); });
  const internal::MatrixText matrix = internal::ReadMatrixText(strString);
  SkipStep([&] { s.grid.ReDraw(false); });
  SkipStep([&] { MaxRows(0); });
  const int16_t places = std::max<int16_t>(intMatrixRight, 0);
  std::string numberFormat = "#,##0";
  if (places > 0) numberFormat += "." + std::string(static_cast<size_t>(places), '0');

  const auto keys = Lines(matrix.keys);
  const auto values = Lines(matrix.values);
  const auto keyCols = static_cast<int64_t>(keys.size());
  const int32_t totalCol = bTotFlag ? static_cast<int32_t>(keyCols + 1) : 0;
  const int64_t firstValueCol = keyCols + (bTotFlag ? 1 : 0) + 1;
  const int64_t cols = firstValueCol - 1 + static_cast<int64_t>(values.size());

  // The columns: keys, the row total, the values. The fields of a float column (number[col])
  // go to the grid with the value read here, so that it does not read the text again.
  bool sized = false;
  std::vector<bool> number;
  SkipStep([&] {
    if (cols > INT32_MAX) throw GridError("DisplayMatrix: too many columns");
    MaxCols(static_cast<int32_t>(cols));
    number.assign(static_cast<size_t>(cols) + 1, false);
    sized = true;
  });
  auto typeColumn = [&](int32_t col, std::string_view type, std::string_view length,
                        std::string_view decimals, std::string_view back, std::string_view fore) {
    number[static_cast<size_t>(col)] = type == "F";
    SkipStep([&] {
      if (type == "F") {
        SetTypeTextFloat(SmallNumber(decimals), -kMatrixLimit, kMatrixLimit, col, -1,
                         std::string(back), std::string(fore));
      } else {
        fnSSSetTypeEdit(SmallNumber(length), col, -1, std::string(back), std::string(fore));
      }
    });
  };
  for (int32_t i = 0; sized && i < keyCols; ++i) {
    const auto& line = keys[static_cast<size_t>(i)];
    const int32_t col = i + 1;
    SkipStep([&] { s.grid.SetText(col, 0, internal::FieldAt(line, 0)); });
    typeColumn(col, internal::FieldAt(line, 1), internal::FieldAt(line, 2),
               internal::FieldAt(line, 3), internal::FieldAt(line, 4), internal::FieldAt(line, 5));
  }
  if (sized && bTotFlag) {
    SkipStep([&] {
      SetTypeTextFloat(places, -kMatrixLimit, kMatrixLimit, totalCol, -1);
      s.grid.SetText(totalCol, 0, strTotalCaption);
    });
  }
  for (size_t j = 0; sized && j < values.size(); ++j) {
    const auto& line = values[j];
    const auto col = static_cast<int32_t>(firstValueCol + static_cast<int64_t>(j));
    if (line.size() == 8) {
      typeColumn(col, internal::FieldAt(line, 2), internal::FieldAt(line, 3),
                 internal::FieldAt(line, 4), internal::FieldAt(line, 5), internal::FieldAt(line, 6));
    } else {
      number[static_cast<size_t>(col)] = true;
      SkipStep([&] { SetTypeTextFloat(places, -kMatrixLimit, kMatrixLimit, col, -1); });
    }
    SkipStep([&] { s.grid.SetText(col, 0, internal::FieldAt(line, 1)); });
  }

  // The rows, after the total row.
  double grandTotal = 0;
  const size_t rows = internal::CountDataRows(matrix.rows);
  if (rows > 0) {
    const int64_t first = bTotFlag ? 2 : 1;
    SkipStep([&] {
      const int64_t maxRows = static_cast<int64_t>(rows) + first - 1;
      if (maxRows > INT32_MAX) throw GridError("DisplayMatrix: too many rows");
      MaxRows(static_cast<int32_t>(maxRows));
    });
    const int64_t last = std::min<int64_t>(s.grid.MaxRows(), static_cast<int64_t>(rows) + first - 1);
    const int32_t maxCols = s.grid.MaxCols();
    internal::DataRowWriter writer(s.grid);
    internal::DataStringReader reader(matrix.rows);
    for (int64_t r = first; r <= last && reader.NextRow(); ++r) {
      const auto row = static_cast<int32_t>(r);
      std::string_view total;
      std::string_view element;
      reader.NextElement(total);
      for (int32_t k = 1; k <= maxCols && reader.NextElement(element); ++k) {
        if (k == totalCol) continue;
        SkipStep([&] {
          if (static_cast<size_t>(k) < number.size() && number[static_cast<size_t>(k)]) {
            writer.SetNumberText(k, row, element, internal::FloatFieldValue(element));
          } else {
            writer.SetText(k, row, element);
          }
        });
      }
      if (bTotFlag) {
        SkipStep([&] {
          const double value = internal::FloatFieldValue(total);
          writer.SetNumber(totalCol, row, value);
          grandTotal += value;
        });
      }
    }
  }

  if (bTotFlag) {
    // The total row: the caption in the first text column, the grand total, each value
    // column's total formatted.
    SkipStep([&] {
      if (s.grid.MaxRows() < 1) MaxRows(1);
    });
    SkipStep([&] {
      for (int32_t c = 1; c <= s.grid.MaxCols(); ++c) {
        s.grid.Col(c);
        s.grid.Row(1);
        if (s.grid.CellType() == kCellEdit) {
          s.grid.SetText(c, 1, strTotalCaption);
          break;
        }
      }
    });
    SkipStep([&] { s.grid.SetText(totalCol, 1, text::NumberToText(grandTotal)); });
    for (size_t j = 0; j < values.size(); ++j) {
      const auto col = static_cast<int32_t>(firstValueCol + static_cast<int64_t>(j));
      SkipStep([&] {
        const std::string_view total = text::TrimView(internal::FieldAt(values[j], 0));
        s.grid.SetText(col, 1, text::FormatNumber(internal::FloatFieldValue(total), numberFormat));
      });
    }
  }

  SkipStep([&] { s.grid.ReDraw(true); });
  SkipStep([&] { MousePointer(kPointerDefault); });
  return true;
}

}  // namespace zel
