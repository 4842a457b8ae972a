#include "text/data_string.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace zel::internal {
namespace {

// What starts at `q` (a '~'): ',' for "~,", 'I' for "~I~", '\0' for neither.
char SeparatorAt(std::string_view data, size_t q) noexcept {
  if (q + 1 >= data.size()) return '\0';
  const char next = data[q + 1];
  if (next == ',') return ',';
  if (next == 'I' && q + 2 < data.size() && data[q + 2] == '~') return 'I';
  return '\0';
}

// Position of the next '~' at or after `from`; data.size() when none.
size_t NextTilde(std::string_view data, size_t from) noexcept {
  if (from >= data.size()) return data.size();
  const void* hit = std::memchr(data.data() + from, '~', data.size() - from);
  return hit == nullptr ? data.size()
                        : static_cast<size_t>(static_cast<const char*>(hit) - data.data());
}

}  // namespace

size_t CountDataRows(std::string_view data) noexcept {
  // Looks for the 'I' of each "~I~" rather than for every '~': field text rarely holds an
  // 'I', while every field ends in a '~'. A "~," never overlaps a "~I~" (its second byte
  // would have to be 'I'), so only overlapping "~I~" need care: counted left to right, the
  // second of "~I~I~" is not a separator, hence the jump past a counted one.
  size_t rows = 0;
  const char* base = data.data();
  for (size_t p = 1; p + 1 < data.size();) {
    const void* hit = std::memchr(base + p, 'I', data.size() - 1 - p);
    if (hit == nullptr) break;
    p = static_cast<size_t>(static_cast<const char*>(hit) - base);
    if (base[p - 1] == '~' && base[p + 1] == '~') {
      ++rows;
      p += 3;  // the 'I' of the next separator lies at least three bytes on
    } else {
      ++p;
    }
  }
  return rows;
}

bool DataStringReader::NextRow() {
  in_row_ = false;
  field_ends_.clear();
  element_ = 0;
  // Rows are split before fields, but a "~," can never overlap the start of a "~I~" (its
  // second byte would have to be 'I'), so one left-to-right walk over every '~' finds both
  // kinds exactly where the two splits would. Takes the '~' at q; true when it ends the row.
  auto take = [this](size_t q) {
    switch (SeparatorAt(data_, q)) {
      case ',':
        field_ends_.push_back(q);
        return false;
      case 'I':
        row_begin_ = next_row_;
        row_end_ = q;
        next_row_ = q + 3;
        in_row_ = true;
        return true;
      default:
        return false;
    }
  };
  const size_t size = data_.size();
  size_t i = next_row_;
  if constexpr (std::endian::native == std::endian::little) {
    // Fields are short (a separator every ten bytes or so): rather than a library search per
    // '~', eight bytes are read as a word and every '~' among them is taken from a mask.
    constexpr uint64_t kTildes = 0x7E7E7E7E7E7E7E7Eull;
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    for (; i + 8 <= size; i += 8) {
      uint64_t word;
      std::memcpy(&word, data_.data() + i, 8);
      const uint64_t x = word ^ kTildes;  // a zero byte where a '~' is
      // The high bit of each zero byte, exactly: no carry crosses a byte.
      uint64_t tildes = ~(((x & kLow7) + kLow7) | x | kLow7);
      while (tildes != 0) {
        const size_t q = i + static_cast<size_t>(std::countr_zero(tildes) >> 3);
        tildes &= tildes - 1;
        if (take(q)) return true;
      }
    }
  }
  for (size_t q = NextTilde(data_, i); q < size; q = NextTilde(data_, q + 1)) {
    if (take(q)) return true;
  }
  next_row_ = size;
  field_ends_.clear();
  return false;
}

std::vector<std::string_view> SplitElements(std::string_view piece) {
  std::vector<std::string_view> out;
  size_t begin = 0;
  for (size_t q = piece.find(kFieldSeparator); q != std::string_view::npos;
       q = piece.find(kFieldSeparator, begin)) {
    out.push_back(piece.substr(begin, q - begin));
    begin = q + kFieldSeparator.size();
  }
  out.push_back(piece.substr(begin));
  return out;
}

StringTable SplitToTable(std::string_view data) {
  StringTable table;
  const size_t rows = CountDataRows(data);
  // The first row is the first piece, terminated or not: a text without any "~I~" still
  // gives its column count (and then no rows to fill).
  const size_t first_end = data.find(kRowSeparator);
  const size_t cols = SplitElements(data.substr(0, first_end)).size() - 1;
  table.max_rows = static_cast<int32_t>(std::min<size_t>(rows, INT32_MAX));
  table.max_cols = static_cast<int32_t>(std::min<size_t>(cols, INT32_MAX));

  // The table is as wide as the first row and as long as the text, however ragged the rows
  // in between: a hostile text of a few megabytes could ask for a trillion cells. Beyond
  // what memory can reasonably hold the allocation is refused, as running out of memory
  // would refuse it, and the table stays without cells.
  const size_t cell_limit = std::max<size_t>(size_t{1} << 26, data.size());
  const size_t width = cols + 1, height = rows + 1;
  if (width > cell_limit / height) return table;

  table.cells.assign(width, std::vector<std::string>(height));
  DataStringReader reader(data);
  for (size_t r = 1; r <= rows && reader.NextRow(); ++r) {
    std::string_view element;
    // Only "~,"-terminated fields count: the element after the last separator is skipped.
    const size_t fields = std::min(reader.ElementCount() - 1, cols);
    for (size_t c = 1; c <= fields && reader.NextElement(element); ++c) {
      table.cells[c][r].assign(element);
    }
  }
  return table;
}

}  // namespace zel::internal
