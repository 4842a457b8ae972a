#include "exchange/data_string.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "text/number.h"
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

bool IsAscii(std::string_view s) noexcept {
  for (const char ch : s) {
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  }
  return true;
}

// Mid(s, start, length) with 1-based character positions; a byte slice when s is ASCII,
// which every well-formed date is.
std::string_view MidChars(std::string_view s, bool ascii, int32_t start, int32_t length) {
  if (!ascii) return text::MidView(s, start, length);
  const size_t from = std::min(s.size(), static_cast<size_t>(start - 1));
  return s.substr(from, static_cast<size_t>(length));
}

bool IsDigit(char ch) noexcept { return ch >= '0' && ch <= '9'; }

// The leading numeric part of `s` (leading blanks already gone) when it is written exactly
// as NumberToText writes its value: optional "-" (not before zero), no leading zeros, a
// fraction without trailing zeros, no exponent, at most 15 significant digits (so the
// shortest text of the value is these digits) and no magnitude below 1e-6 (written in
// exponent form). Empty when it is not.
std::string_view CanonicalNumber(std::string_view s) noexcept {
  size_t i = 0;
  const bool negative = i < s.size() && s[i] == '-';
  if (negative) ++i;
  const size_t intBegin = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  const size_t intLen = i - intBegin;
  if (intLen == 0 || (intLen > 1 && s[intBegin] == '0')) return {};
  size_t significant = s[intBegin] == '0' ? 0 : intLen;
  if (i < s.size() && s[i] == '.') {
    const size_t fracBegin = ++i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    if (i == fracBegin || s[i - 1] == '0') return {};
    if (significant == 0) {
      size_t zeros = 0;
      while (s[fracBegin + zeros] == '0') ++zeros;
      if (zeros > 5) return {};
      significant = i - fracBegin - zeros;
    } else {
      significant += i - fracBegin;
    }
  } else if (significant == 0 && negative) {
    return {};  // "-0" is written "0"
  }
  if (significant > 15) return {};
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) return {};
  return s.substr(0, i);
}

}  // namespace

std::string_view FloatFieldText(std::string_view field, std::string& buffer) {
  const std::string_view canonical = CanonicalNumber(text::LTrimView(field));
  if (!canonical.empty()) return canonical;
  const double value = text::Val(field);
  if (!std::isfinite(value)) throw std::overflow_error("a float field beyond a double's range");
  buffer = text::NumberToText(value);
  return buffer;
}

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
  const bool ascii = IsAscii(s);
  out.append(MidChars(s, ascii, 7, 2));
  out.push_back('-');
  out.append(MidChars(s, ascii, 5, 2));
  out.push_back('-');
  out.append(MidChars(s, ascii, 1, 4));
}

void YearMonthFieldToGrid(std::string_view field, std::string& out) {
  std::string scratch;
  const std::string_view s = DateDigits(field, scratch);
  out.clear();
  if (s.empty()) return;
  const bool ascii = IsAscii(s);
  out.append(MidChars(s, ascii, 5, 2));
  out.push_back('-');
  out.append(MidChars(s, ascii, 1, 4));
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
