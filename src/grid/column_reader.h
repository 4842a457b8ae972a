// Reading many cells of a grid at a time, for code outside the engine that turns whole
// columns into text (the sheet's save text): the data rows' cells as they are stored, a
// column at a time, decoded inline and without copying texts. Only the engine knows how a
// cell is stored; a reader hands out StoredCell values and text views instead.
//
// A reader, and every view it hands out, must not outlive a change of the grid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "grid/internal/cells.h"
#include "zelsheet/grid.h"

namespace zel::internal {

// One cell as stored, read in place: valid as long as the reader is.
class StoredCell {
 public:
  enum Kind : uint8_t { kEmpty = 0, kShortText = 1, kLongText = 2, kNumber = 3 };
  // Texts of at most this many bytes are short: they are held in the cell itself.
  static constexpr size_t kShortMax = Cell::kInlineMax;
  // From short_data() this many bytes may be read (the text's and then scratch), so that a
  // writer can move a short text as one block and keep only short_size() of it.
  static constexpr size_t kShortReadable = sizeof(Cell);

  Kind kind() const { return static_cast<Kind>(cell_->rep()); }
  bool empty() const { return cell_->empty(); }
  const char* short_data() const { return cell_->inline_data(); }
  size_t short_size() const { return cell_->inline_size(); }
  double number() const { return cell_->number(); }

 private:
  friend class ColumnCells;
  explicit StoredCell(const Cell* cell) : cell_(cell) {}
  const Cell* cell_;
};

// The cells of one column by storage slot (GridCells::Slot).
class ColumnCells {
 public:
  ColumnCells() = default;
  // The cell in `slot`: an empty one beyond the cells the column has.
  StoredCell At(uint32_t slot) const { return StoredCell(slot < count_ ? cells_ + slot : &kNoCell); }
  // The text of a short or long text cell of this column, as stored; empty for other cells.
  std::string_view Text(const StoredCell& c) const {
    switch (c.kind()) {
      case StoredCell::kShortText: return {c.short_data(), c.short_size()};
      case StoredCell::kLongText: return arena_->View(c.cell_->arena_offset(), c.cell_->arena_size());
      default: return {};
    }
  }
  // Where the cell in `slot` lies, to ask for it ahead of use; null beyond the column's cells.
  const void* Address(uint32_t slot) const { return slot < count_ ? cells_ + slot : nullptr; }
  // Slots below this hold cells; every later slot is empty.
  size_t size() const { return count_; }

 private:
  friend class GridCells;
  inline static const Cell kNoCell{};
  const Cell* cells_ = nullptr;
  size_t count_ = 0;
  const TextArena* arena_ = nullptr;
};

// The data rows of a grid for reading.
class GridCells {
 public:
  explicit GridCells(const Grid& grid);
  int32_t MaxRows() const { return max_rows_; }
  int32_t MaxCols() const { return max_cols_; }
  // The storage slot of data row `row` (1..MaxRows): where its cells lie in every column.
  // Rows keep their slot until rows are inserted, deleted or sorted.
  uint32_t Slot(int32_t row) const { return row_map_[static_cast<size_t>(row - 1)]; }
  // Column `col` (0, the row header column, to MaxCols).
  ColumnCells Column(int32_t col) const;

 private:
  const Grid& grid_;
  const uint32_t* row_map_;
  int32_t max_rows_;
  int32_t max_cols_;
};

}  // namespace zel::internal
