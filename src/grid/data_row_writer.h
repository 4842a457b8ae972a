// Cell writes for callers that fill many data rows of the same columns in one go (the sheet's
// Display): the same outcome as Grid::SetText, cell for cell, with what SetText looks up for
// every cell (the column, its cell kind, decimal places and fixed combo list) resolved once
// per column and reused while no format of the grid changes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "grid/grid_store.h"
#include "zelsheet/grid.h"

namespace zel::internal {

// What a write reads of a cell's formats besides the cell itself: its kind and, for the kinds
// whose stored value depends on them, the settings that decide it.
struct WriteFormat {
  int16_t kind = kCellEdit;
  int decimals = 0;                         // float and number kinds: places kept, 0..15
  bool combo_fixed = false;                 // combo kind: only items of the list are taken
  const std::string* combo_list = nullptr;  // combo kind with combo_fixed: the list
};

// Stores `v` into (c, slot) as SetText does for a cell whose format is `f`.
void StoreWithFormat(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                     const std::string_view& v, const WriteFormat& f);

// Stores the finite number `v` into (c, slot) of kind float, number or integer, as SetText
// stores the text NumberToText writes for it when that text reads back unchanged (see
// NumberTextReadsBack).
void StoreNumberAs(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                   double v, const WriteFormat& f);

// Whether a number cell reads NumberToText's text of a finite number as it is: none of the
// grid's separator, currency and decimal texts can occur in it.
bool NumberTextReadsBack(const GridState& s);

// Writes cells of one grid. Between its writes the caller may write cells and formats
// through the grid (format writes are noticed through the grid's format stamps) and add or
// remove rows, but not change the columns (MaxCols, inserting, deleting, moving or copying
// them) nor load a layout, an image or a file: those replace formats without a stamp.
// Create a new writer after them.
class DataRowWriter {
 public:
  explicit DataRowWriter(Grid& grid) : grid_(grid) {}

  // Exactly grid.SetText(col, row, text), errors included.
  void SetText(int32_t col, int32_t row, std::string_view text);

  // Exactly grid.SetText(col, row, text::NumberToText(value)): in a float, number or
  // integer cell a finite number is stored without the text round trip.
  void SetNumber(int32_t col, int32_t row, double value);

 private:
  // A column's data-row format, valid while the grid's stamp counter and the column object
  // are those it was resolved with.
  struct ColumnFormat {
    const Column* column = nullptr;
    uint64_t stamp = 0;
    bool uniform = false;  // every data row of the column resolves to `format`
    WriteFormat format;    // its combo_list points to `combo_list` below
    std::string combo_list;
  };
  // The entry of column `col` (0..MaxCols) for column object `c`, resolved again when stale.
  const ColumnFormat& FormatOf(int32_t col, const Column& c) {
    const auto index = static_cast<size_t>(col);
    if (index < formats_.size()) {
      const ColumnFormat& e = formats_[index];
      if (e.column == &c && e.stamp == grid_.State().next_stamp) return e;
    }
    return Resolve(col, c);
  }
  const ColumnFormat& Resolve(int32_t col, const Column& c);

  Grid& grid_;
  std::vector<ColumnFormat> formats_;  // by column
};

}  // namespace zel::internal
