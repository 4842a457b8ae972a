// Finding the data cells whose shown text holds a text, for the sheet's find: the cells are
// read where they lie, a column at a time, without copying their texts; a number cell is
// formatted only when the text could be part of a number's shown form.
#include <algorithm>

#include "grid/internal/grid_ops.h"

namespace zel {
using namespace internal;

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether `hay` holds `needle` (already upper-cased), ASCII letters of `hay` taken upper.
bool HoldsUpper(std::string_view hay, std::string_view needle) {
  if (needle.size() > hay.size()) return false;
  const size_t last = hay.size() - needle.size();
  for (size_t i = 0; i <= last; ++i) {
    size_t k = 0;
    while (k < needle.size() && AsciiUpper(hay[i + k]) == needle[k]) ++k;
    if (k == needle.size()) return true;
  }
  return false;
}

// A shown number holds digits, signs, separators, blanks and a currency sign; a text with
// an ASCII letter (the currency signs are not ASCII) can be in none.
bool MayBeInANumber(std::string_view needle) {
  return std::none_of(needle.begin(), needle.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

}  // namespace

void Grid::FindText(std::string_view text,
                    const std::function<void(int32_t col, int32_t row)>& found) const {
  const GridState& s = *state_;
  std::string needle(text);
  for (char& c : needle) c = AsciiUpper(c);
  const bool numbers = MayBeInANumber(needle);
  const bool anyHidden = !s.hidden_rows.empty();
  std::string shown;
  for (int32_t col = 1; col <= s.max_cols; ++col) {
    const Column& column = *s.cols[static_cast<size_t>(col)];
    if (column.hidden || column.data_cells == 0) continue;
    for (int32_t row = 1; row <= s.data_row_cnt; ++row) {
      const uint32_t slot = s.row_map[static_cast<size_t>(row - 1)];
      if (column.Empty(slot) || (anyHidden && s.hidden_rows.count(slot) != 0)) continue;
      std::string_view view;
      if (column.cells[slot].rep() == Cell::kNumber) {
        if (!numbers) continue;
        ShownText(s, column, slot, shown);
        view = shown;
      } else {
        view = column.TextView(slot);
      }
      if (HoldsUpper(view, needle)) found(col, row);
    }
  }
}

}  // namespace zel
