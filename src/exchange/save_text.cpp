// Outside text forms of plain-sheet cells straight from the engine's storage: the parts of
// SaveTextReader that are not on the common path (see save_text.h).
#include "exchange/save_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "columns/cell_conversions.h"
#include "platform/failure.h"
#include "platform/large_block.h"
#include "text/number.h"
#include "text/strings.h"

namespace zel::internal {

void SaveTextSink::Expect(size_t n) {
  // Not enough memory for the estimate: the text grows as it is written.
  SkipStep([&] { Reserve(n > out_.max_size() - Size() ? out_.max_size() : Size() + n); });
}

void SaveTextSink::Widen(size_t n) {
  const size_t used = Size();
  const size_t want = used + std::max(n, kWindow);
  if (want > out_.capacity()) {
    // Doubling keeps a text that outgrows its estimate from being copied again and again;
    // when the double cannot be had, exactly what is needed.
    if (!SkipStep([&] { Reserve(std::max(want, out_.capacity() * 2)); })) Reserve(want);
  }
  out_.resize(want);
  p_ = out_.data() + used;
  end_ = out_.data() + out_.size();
}

void SaveTextSink::Reserve(size_t total) {
  if (total <= out_.capacity()) return;
  const size_t used = Size();
  // A large text gets whole huge pages: the capacity is rounded up so that the block, with
  // the few bytes an allocator adds in front, ends on a 2 MiB boundary (a block of whole
  // huge pages is also placed on one), and the part not yet written is marked for huge
  // pages before it is written. What was written moves with the text.
  if (total >= kHugePageBytes && total < out_.max_size() / 2) {
    total = (total + kAllocatorHeader + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes -
            kAllocatorHeader;
  }
  out_.reserve(total);
  char* const data = out_.data();
  AdviseHugePages(data + used, out_.capacity() - used);
  p_ = data + used;
  end_ = data + out_.size();
}

SaveTextReader::SaveTextReader(const Grid& grid, const std::vector<SaveColumn>& columns,
                               Fallback fallback)
    : grid_(grid), fallback_(std::move(fallback)) {
  status_ = grid_.Column(0);
  columns_.reserve(columns.size());
  for (const SaveColumn& c : columns) {
    Reading r;
    r.def = c;
    if (c.grid_col >= 1 && c.grid_col <= grid_.MaxCols()) {
      r.direct = true;
      r.cells = grid_.Column(c.grid_col);
      switch (c.cell_type) {
        case EnFloat: r.form = Form::kFloat; break;
        case EnDate: r.form = Form::kDate; break;
        case EnCheck: r.form = Form::kCheck; break;
        case EnCombo:
          if (c.code_length >= 1 && c.code_length <= 32) r.form = Form::kCombo;
          break;
        case EnDateYearMonth:
        case EnMask:
          break;
        default:
          r.form = Form::kText;
          break;
      }
    }
    columns_.push_back(r);
  }
  prefetch_limit_ = SIZE_MAX;
  auto prefetch = [this](const ColumnCells* cells) {
    if (cells->size() == 0) return;
    for (const ColumnCells* seen : prefetch_cells_) {
      if (seen->Address(0) == cells->Address(0)) return;
    }
    prefetch_cells_.push_back(cells);
    prefetch_limit_ = std::min(prefetch_limit_, cells->size());
  };
  prefetch(&status_);
  for (const Reading& r : columns_) prefetch(&r.cells);
  if (prefetch_cells_.empty()) prefetch_limit_ = 0;
  row_room_ = sizeof(LineLead::bytes) + 3 + kFieldRoom * columns_.size();
}

std::string_view SaveTextReader::ThroughCellText(const Reading& r) {
  scratch_ = fallback_(r.def.def_col, row_);
  return scratch_;
}

std::string_view SaveTextReader::Converted(const Reading& r, std::string_view t) {
  switch (r.def.cell_type) {
    case EnFloat: {
      // A text in a float cell: its leading numeric part, as CellText reads the plain value.
      const double v = text::Val(t);
      if (!std::isfinite(v)) return ThroughCellText(r);
      return {small_, static_cast<size_t>(text::WriteNumberText(small_, v) - small_)};
    }
    case EnDate:
      scratch_ = DateFromGrid(t);
      break;
    case EnDateYearMonth:
      scratch_ = YearMonthFromGrid(t);
      break;
    case EnCombo:
      return text::TrimView(ComboItemCode(t, r.def.code_length));
    case EnMask:
      scratch_ = UnmaskText(t, r.def.mask);
      break;
    default:
      return text::TrimView(t);
  }
  return text::TrimView(scratch_);
}

}  // namespace zel::internal
