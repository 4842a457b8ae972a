#include "exchange/data_string.h"

#include <algorithm>
#include <cstring>

#include "text/strings.h"

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

bool IsPlaceholder(std::string_view ch) noexcept {
  return ch.size() == 1 && (ch[0] == '#' || ch[0] == '0' || ch[0] == 'A');
}

// s of the date conversions: the field trimmed, every "-" removed. `scratch` holds it when a
// dash had to go; otherwise the view points into the field.
std::string_view DateDigits(std::string_view field, std::string& scratch) {
  const std::string_view trimmed = text::TrimView(field);
  if (trimmed.find('-') == std::string_view::npos) return trimmed;
  scratch.clear();
  for (char ch : trimmed) {
    if (ch != '-') scratch.push_back(ch);
  }
  return scratch;
}

}  // namespace

size_t CountDataRows(std::string_view data) noexcept {
  size_t rows = 0;
  for (size_t q = NextTilde(data, 0); q < data.size(); q = NextTilde(data, q)) {
    switch (SeparatorAt(data, q)) {
      case ',': q += 2; break;
      case 'I': ++rows; q += 3; break;
      default: ++q; break;
    }
  }
  return rows;
}

bool DataStringReader::NextRow() {
  in_row_ = false;
  field_ends_.clear();
  element_ = 0;
  // Rows are split before fields, but a "~," can never overlap the start of a "~I~" (its
  // second byte would have to be 'I'), so one left-to-right walk finds both kinds exactly
  // where the two splits would.
  for (size_t q = NextTilde(data_, next_row_); q < data_.size(); q = NextTilde(data_, q)) {
    switch (SeparatorAt(data_, q)) {
      case ',':
        field_ends_.push_back(q);
        q += 2;
        break;
      case 'I':
        row_begin_ = next_row_;
        row_end_ = q;
        next_row_ = q + 3;
        in_row_ = true;
        return true;
      default:
        ++q;
        break;
    }
  }
  next_row_ = data_.size();
  field_ends_.clear();
  return false;
}

bool DataStringReader::NextElement(std::string_view& element) noexcept {
  if (!in_row_ || element_ > field_ends_.size()) return false;
  const size_t begin = element_ == 0 ? row_begin_ : field_ends_[element_ - 1] + 2;
  const size_t end = element_ < field_ends_.size() ? field_ends_[element_] : row_end_;
  element = data_.substr(begin, end - begin);
  ++element_;
  return true;
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

void FormatMask(std::string_view value, std::string_view mask, std::string& out) {
  out.clear();
  if (text::TrimView(value).empty()) return;
  size_t next = 0;  // byte offset of the value's next unused character
  for (size_t m = 0; m < mask.size();) {
    const size_t mask_len = std::max<size_t>(1, text::CharSizeAt(mask, m));
    const std::string_view ch = mask.substr(m, mask_len);
    m += mask_len;
    if (!IsPlaceholder(ch)) {
      out.append(ch);
    } else if (next < value.size()) {
      const size_t value_len = std::max<size_t>(1, text::CharSizeAt(value, next));
      out.append(value.substr(next, value_len));
      next += value_len;
    }
  }
}

void DateFieldToGrid(std::string_view field, std::string& out) {
  std::string scratch;
  const std::string_view s = DateDigits(field, scratch);
  out.clear();
  if (s.empty()) return;
  out.append(text::MidView(s, 7, 2));
  out.push_back('-');
  out.append(text::MidView(s, 5, 2));
  out.push_back('-');
  out.append(text::LeftView(s, 4));
}

void YearMonthFieldToGrid(std::string_view field, std::string& out) {
  std::string scratch;
  const std::string_view s = DateDigits(field, scratch);
  out.clear();
  if (s.empty()) return;
  out.append(text::MidView(s, 5, 2));
  out.push_back('-');
  out.append(text::LeftView(s, 4));
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
