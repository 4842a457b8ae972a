// Outside text forms of plain-sheet cells straight from the engine's storage: the parts of
// SaveTextReader that are not on the common path (see save_text.h).
#include "exchange/save_text.h"

#include <cmath>

#include "editing/cell_text.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/grid.h"

namespace zel::internal {

SaveTextReader::SaveTextReader(const Grid& grid, const std::vector<SaveColumn>& columns,
                               Fallback fallback)
    : state_(grid.State()), fallback_(std::move(fallback)) {
  columns_.reserve(columns.size());
  for (const SaveColumn& c : columns) {
    Reading r;
    r.column = c;
    if (c.grid_col >= 1 && c.grid_col <= state_.max_cols &&
        static_cast<size_t>(c.grid_col) < state_.cols.size()) {
      r.cells = state_.cols[static_cast<size_t>(c.grid_col)].get();
    }
    columns_.push_back(r);
  }
}

std::string_view SaveTextReader::ThroughCellText(const Reading& r) {
  scratch_ = fallback_(r.column.def_col, row_);
  return scratch_;
}

std::string_view SaveTextReader::Converted(const Reading& r, std::string_view t) {
  switch (r.column.cell_type) {
    case EnFloat: {
      // A text in a float cell: its leading numeric part, as CellText reads the plain value.
      const double v = text::Val(t);
      if (!std::isfinite(v)) return ThroughCellText(r);
      return {small_, static_cast<size_t>(WriteNumberText(small_, v) - small_)};
    }
    case EnDate:
      scratch_ = DateFromGrid(t);
      break;
    case EnDateYearMonth:
      scratch_ = YearMonthFromGrid(t);
      break;
    case EnCombo:
      return text::TrimView(ComboItemCode(t, r.column.code_length));
    case EnMask:
      scratch_ = UnmaskText(t, r.column.mask);
      break;
    default:
      return text::TrimView(t);
  }
  return text::TrimView(scratch_);
}

}  // namespace zel::internal
