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
  // The slots of block row o's copies are the same in every column: they are listed once.
  std::vector<std::vector<uint32_t>> targets(static_cast<size_t>(rows));
  auto targetsOf = [&](int32_t o) -> const std::vector<uint32_t>& {
    std::vector<uint32_t>& t = targets[static_cast<size_t>(o)];
    if (t.empty()) {
      t.reserve(static_cast<size_t>(copies));
      for (int64_t r = to + o; r <= last; r += rows) t.push_back(slotOf(r));
    }
    return t;
  };
  auto repeatColumn = [&](Column& c, bool dataCol) {
    for (int32_t o = 0; o < rows; ++o) {
      const uint32_t from = slotOf(first + o);
      const bool hasValue = !c.Empty(from);
      const bool hasFormat = c.cell_styles.Find(from) != nullptr;
      if (!hasValue && !hasFormat) continue;
      const std::vector<uint32_t>& slots = targetsOf(o);
      if (hasValue) {
        int64_t r = to + o;
        for (const uint32_t slot : slots) {
          CopyValue(s, c, dataCol, static_cast<int32_t>(r), slot, c, from);
          r += rows;
        }
      }
      if (hasFormat && !c.cell_styles.ShareWith(from, slots)) {
        for (const uint32_t slot : slots) c.cell_styles.Copy(from, slot);
      }
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
