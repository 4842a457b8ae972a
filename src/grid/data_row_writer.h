// Cell writes for callers that fill many data rows of the same columns in one go (the sheet's
// Display): the same outcome as Grid::SetText, cell for cell, with what SetText looks up for
// every cell (the column, its cell kind, decimal places and fixed combo list) resolved once
// per column and reused while no format of the grid changes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zelsheet/grid.h"

namespace zel::internal {

struct Column;
struct WriteFormat;

// Writes cells of one grid. Between its writes the caller may write cells and formats
// through the grid (format writes are noticed through the grid's format stamps) and add or
// remove rows, but not change the columns (MaxCols, inserting, deleting, moving or copying
// them) nor load a layout, an image or a file: those replace formats without a stamp.
// Create a new writer after them.
class DataRowWriter {
 public:
  explicit DataRowWriter(Grid& grid);
  ~DataRowWriter();
  DataRowWriter(const DataRowWriter&) = delete;
  DataRowWriter& operator=(const DataRowWriter&) = delete;

  // Exactly grid.SetText(col, row, text), errors included.
  void SetText(int32_t col, int32_t row, std::string_view text);

  // Exactly grid.SetText(col, row, text::NumberToText(value)): in a float, number or
  // integer cell a finite number is stored without the text round trip.
  void SetNumber(int32_t col, int32_t row, double value);

  // Exactly grid.SetText(col, row, text), where `value` is text::Val(text) as the caller
  // has read it already: in a float, number or integer cell a plain number text (none of
  // the grid's separator or currency texts in it) is stored as `value` without being read
  // a second time; any other cell keeps the text.
  void SetNumberText(int32_t col, int32_t row, std::string_view text, double value);

 private:
  // A column's data-row format as resolved (data_row_writer.cpp).
  struct ColumnFormat;
  const ColumnFormat& FormatOf(int32_t col, const Column& c);
  const ColumnFormat& Resolve(int32_t col, const Column& c);
  // The format a write to (col, slot) reads when it is known without resolving the cell:
  // the column's when uniform, else the one of the cell's shared patch. Null otherwise.
  const WriteFormat* FormatAt(int32_t col, const Column& c, uint32_t slot);
  const WriteFormat* ResolveShared(ColumnFormat& e, const Column& c, uint32_t slot, uint16_t number);
  // Stores `value` as the number of a number cell; false (nothing done) for other cells and
  // for values whose text would not read back as the same number.
  bool StoreNumber(int32_t col, int32_t row, double value);

  Grid& grid_;
  std::vector<ColumnFormat> formats_;  // by column
};

}  // namespace zel::internal
