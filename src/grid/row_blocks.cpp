#include "grid/row_blocks.h"

#include <vector>

#include "grid/internal/grid_ops.h"

namespace zel::internal {

void RepeatRowBlock(Grid& grid, int32_t first, int32_t rows, int32_t copies) {
  GridState& s = StateOf(grid);
  const int64_t last = static_cast<int64_t>(first) + static_cast<int64_t>(rows) * (int64_t{copies} + 1) - 1;
  if (rows < 1 || copies < 0 || first < 1 || last > s.max_rows) {
    Fail("RepeatRowBlock", "blocks of " + AddrText(rows) + " rows from row " + AddrText(first) + ", " +
                               AddrText(copies) + " copies, do not fit in " + AddrText(s.max_rows) + " rows");
  }
  if (copies == 0) return;
  const int32_t to = first + rows;
  const ChangeScope change(s, -1, to, -1, static_cast<int32_t>(last));
  auto slotOf = [&s](int64_t row) { return s.row_map[static_cast<size_t>(row - 1)]; };

  // Values and formats, column by column; each block row's format is shared by its copies.
  // The copies' slots in row order: row to + i copies block row i % rows.
  std::vector<uint32_t> sources(static_cast<size_t>(rows));
  for (int32_t o = 0; o < rows; ++o) sources[static_cast<size_t>(o)] = slotOf(first + o);
  // Rows that came in order have their slots in a row (the usual case after MaxRows): the
  // list is not needed then.
  const auto count = static_cast<size_t>(last - to + 1);
  std::vector<uint32_t> list;
  SlotRun slots{nullptr, slotOf(to), count};
  for (int64_t r = to + 1; r <= last; ++r) {
    if (slotOf(r) != slots.first + static_cast<uint32_t>(r - to)) {
      list.reserve(count);
      for (int64_t q = to; q <= last; ++q) list.push_back(slotOf(q));
      slots.list = &list;
      break;
    }
  }
  auto repeatColumn = [&](Column& c, bool dataCol) {
    bool formatted = false;
    for (int32_t o = 0; o < rows; ++o) {
      const uint32_t from = sources[static_cast<size_t>(o)];
      formatted = formatted || c.cell_styles.Find(from) != nullptr;
      if (c.Empty(from)) continue;
      for (auto i = static_cast<size_t>(o); i < slots.size(); i += static_cast<size_t>(rows)) {
        CopyValue(s, c, dataCol, static_cast<int32_t>(to + static_cast<int64_t>(i)), slots[i], c, from);
      }
    }
    if (formatted && !c.cell_styles.ShareBlock(sources, slots)) {
      for (size_t i = 0; i < slots.size(); ++i) c.cell_styles.Copy(sources[i % sources.size()], slots[i]);
    }
  };
  for (size_t i = 0; i < s.cols.size(); ++i) repeatColumn(*s.cols[i], i >= 1);
  for (auto& c : s.extra_head_cols) repeatColumn(*c, false);

  if (!s.row_styles.empty()) {
    for (int32_t o = 0; o < rows; ++o) {
      const auto it = s.row_styles.find(slotOf(first + o));
      if (it == s.row_styles.end()) continue;
      for (int64_t r = to + o; r <= last; r += rows) s.row_styles[slotOf(r)] = it->second;
    }
  }

  s.spans.RepeatBlock(first, rows, copies);
}

}  // namespace zel::internal
