// Sizing and bounds of the column model and the multi-row field index.
#include <algorithm>
#include <string>

#include "sheet/column_model.h"

namespace zel {
namespace {

[[noreturn]] void ThrowSubscript(const char* what, int32_t index, int32_t size) {
  throw SubscriptError(std::string(what) + " " + std::to_string(index) +
                       " is outside 1.." + std::to_string(size));
}

}  // namespace

int32_t FieldIndexTable::At(int32_t row, int32_t col) const {
  if (!Contains(row, col)) {
    throw SubscriptError("field index (" + std::to_string(row) + ", " + std::to_string(col) +
                         ") is outside the table");
  }
  return cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) +
                static_cast<size_t>(col)];
}

void FieldIndexTable::Set(int32_t row, int32_t col, int32_t field) {
  if (!Contains(row, col)) {
    throw SubscriptError("field index (" + std::to_string(row) + ", " + std::to_string(col) +
                         ") is outside the table");
  }
  cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)] =
      field;
}

void FieldIndexTable::Resize(int32_t rows, int32_t cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  if (rows == 0 || cols == 0) rows = cols = 0;
  std::vector<int32_t> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols), 0);
  const int32_t keep_rows = std::min(rows, rows_);
  const int32_t keep_cols = std::min(cols, cols_);
  for (int32_t r = 0; r < keep_rows; ++r) {
    for (int32_t c = 0; c < keep_cols; ++c) {
      cells[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)] =
          cells_[static_cast<size_t>(r) * static_cast<size_t>(cols_) + static_cast<size_t>(c)];
    }
  }
  cells_ = std::move(cells);
  rows_ = rows;
  cols_ = cols;
}

ColumnDef& ColumnModel::Def(int32_t def_col) {
  if (!HasDef(def_col)) ThrowSubscript("definition number", def_col, Size());
  return defs[static_cast<size_t>(def_col - 1)];
}

const ColumnDef& ColumnModel::Def(int32_t def_col) const {
  if (!HasDef(def_col)) ThrowSubscript("definition number", def_col, Size());
  return defs[static_cast<size_t>(def_col - 1)];
}

int32_t ColumnModel::MappedCol(int32_t def_col) const {
  if (def_col >= 1 && def_col <= static_cast<int32_t>(display_map.size())) {
    return display_map[static_cast<size_t>(def_col - 1)];
  }
  return def_col;
}

int32_t ColumnModel::Resize(int32_t n) {
  if (n <= 0) return 1;
  const auto size = static_cast<size_t>(n);
  display_map.resize(size, 0);
  header_sort_flags.resize(size, false);
  const int32_t first = std::max(counter, 0) + 1;
  for (int32_t c = first; c <= n; ++c) display_map[static_cast<size_t>(c - 1)] = c;
  defs.resize(size);
  highlight_back_colors.resize(size, 0);
  return first;
}

FieldRecord& ColumnModel::Field(int32_t field) {
  if (!HasField(field)) ThrowSubscript("field number", field, static_cast<int32_t>(fields.size()));
  return fields[static_cast<size_t>(field - 1)];
}

const FieldRecord& ColumnModel::Field(int32_t field) const {
  if (!HasField(field)) ThrowSubscript("field number", field, static_cast<int32_t>(fields.size()));
  return fields[static_cast<size_t>(field - 1)];
}

void ColumnModel::ResizeFields(int32_t n) {
  fields.resize(static_cast<size_t>(std::max(n, 0)));
}

}  // namespace zel
