#include "columns/cell_conversions.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "text/number.h"
#include "text/strings.h"

namespace zel::internal {
namespace {

bool IsPlaceholder(std::string_view ch) noexcept {
  return ch.size() == 1 && (ch[0] == '#' || ch[0] == '0' || ch[0] == 'A');
}

// s of the date conversions: the field trimmed, every "-" removed (with drop_dashes). `scratch` holds it when a
// dash had to go; otherwise the view points into the field.
std::string_view DateDigits(std::string_view field, std::string& scratch, bool drop_dashes) {
  const std::string_view trimmed = text::TrimView(field);
  if (!drop_dashes || trimmed.find('-') == std::string_view::npos) return trimmed;
  scratch.clear();
  for (char ch : trimmed) {
    if (ch != '-') scratch.push_back(ch);
  }
  return scratch;
}

bool IsAscii(std::string_view s) noexcept { return internal::IsAscii(s.data(), s.size()); }

// Mid(s, start, length) with 1-based character positions; a byte slice when s is ASCII,
// which every well-formed date is.
std::string_view MidChars(std::string_view s, bool ascii, int32_t start, int32_t length) {
  if (!ascii) return text::MidView(s, start, length);
  const size_t from = std::min(s.size(), static_cast<size_t>(start - 1));
  return s.substr(from, static_cast<size_t>(length));
}

bool IsDigit(char ch) noexcept { return ch >= '0' && ch <= '9'; }

}  // namespace

std::string_view LastCharsCounted(std::string_view s, int32_t n) { return text::RightView(s, n); }

double FloatFieldValue(std::string_view field) {
  // A plain decimal ("-"? digits ("." digits)?, nothing else) of m's digits with k of them
  // after the point is m / 10^k. With m below 2^53 and k at most 22 both are exact doubles,
  // and one correctly rounded division gives the double nearest to the decimal: what
  // from_chars, and so Val, gives for it.
  static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  size_t i = 0;
  const bool negative = !field.empty() && field[0] == '-';
  if (negative) ++i;
  uint64_t m = 0;
  size_t digits = 0, fraction = 0;
  for (; i < field.size() && IsDigit(field[i]); ++i, ++digits) m = m * 10 + static_cast<uint64_t>(field[i] - '0');
  if (digits > 0 && i < field.size() && field[i] == '.') {
    for (++i; i < field.size() && IsDigit(field[i]); ++i, ++digits, ++fraction) {
      m = m * 10 + static_cast<uint64_t>(field[i] - '0');
    }
  }
  if (digits > 0 && i == field.size() && digits <= 15 && fraction <= 22) {
    const double v = static_cast<double>(m) / kPow10[fraction];
    return negative ? -v : v;
  }
  const double value = text::Val(field);
  if (!std::isfinite(value)) throw std::overflow_error("a float field beyond a double's range");
  return value;
}

void FormatMask(std::string_view value, std::string_view mask, std::string& out) {
  out.clear();
  if (text::TrimView(value).empty()) return;
  if (IsAscii(mask) && IsAscii(value)) {
    // The usual phone or registration number, one byte per character: a column of a
    // million of them is displayed without measuring each character.
    size_t next = 0;
    for (const char ch : mask) {
      if (ch != '#' && ch != '0' && ch != 'A') {
        out.push_back(ch);
      } else if (next < value.size()) {
        out.push_back(value[next++]);
      }
    }
    return;
  }
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

namespace {

// Whether `s` holds only the digits 0-9.
bool AllDigits(std::string_view s) noexcept {
  for (const char ch : s) {
    if (!IsDigit(ch)) return false;
  }
  return true;
}

}  // namespace

void DateFieldToGrid(std::string_view field, std::string& out, bool drop_dashes) {
  // The two forms servers send, "yyyymmdd" and "yyyy-mm-dd", are rearranged in place.
  if ((field.size() == 8 && AllDigits(field)) ||
      (drop_dashes && field.size() == 10 && field[4] == '-' && field[7] == '-' && AllDigits(field.substr(0, 4)) &&
       AllDigits(field.substr(5, 2)) && AllDigits(field.substr(8, 2)))) {
    const size_t month = field.size() == 8 ? 4 : 5;
    const size_t day = field.size() == 8 ? 6 : 8;
    const char shown[10] = {field[day], field[day + 1], '-', field[month], field[month + 1], '-',
                            field[0], field[1], field[2], field[3]};
    out.assign(shown, sizeof shown);
    return;
  }
  std::string scratch;
  const std::string_view s = DateDigits(field, scratch, drop_dashes);
  out.clear();
  if (s.empty()) return;
  const bool ascii = IsAscii(s);
  out.append(MidChars(s, ascii, 7, 2));
  out.push_back('-');
  out.append(MidChars(s, ascii, 5, 2));
  out.push_back('-');
  out.append(MidChars(s, ascii, 1, 4));
}

void YearMonthFieldToGrid(std::string_view field, std::string& out, bool drop_dashes) {
  std::string scratch;
  const std::string_view s = DateDigits(field, scratch, drop_dashes);
  out.clear();
  if (s.empty()) return;
  const bool ascii = IsAscii(s);
  out.append(MidChars(s, ascii, 5, 2));
  out.push_back('-');
  out.append(MidChars(s, ascii, 1, 4));
}

std::string DateFromGrid(std::string_view shown) {
  if (shown.size() == 10 && IsAscii(shown.data(), 10)) {
    char quick[8];
    AsciiDateFromGrid(shown.data(), quick);
    return std::string(quick, 8);
  }
  std::string out;
  out.reserve(8);
  out += text::MidView(shown, 7, 4);
  out += text::MidView(shown, 4, 2);
  out += text::MidView(shown, 1, 2);
  return out;
}

std::string YearMonthFromGrid(std::string_view shown) {
  if (shown.size() == 7 && IsAscii(shown.data(), 7)) {
    char quick[6];
    AsciiYearMonthFromGrid(shown.data(), quick);
    return std::string(quick, 6);
  }
  std::string out;
  out.reserve(6);
  out += text::MidView(shown, 4, 4);
  out += text::MidView(shown, 1, 2);
  return out;
}

std::string UnmaskText(std::string_view shown, std::string_view mask) {
  std::string out;
  out.reserve(shown.size());
  // Walk both texts one character at a time; a mask position beyond the shown text gives
  // nothing.
  size_t m = 0;
  size_t s = 0;
  while (m < mask.size()) {
    const size_t mask_len = text::CharSizeAt(mask, m);
    const size_t shown_len = text::CharSizeAt(shown, s);
    const char placeholder = mask_len == 1 ? mask[m] : '\0';
    if (placeholder == ' ' || placeholder == 'A' || placeholder == '0' || placeholder == '#') {
      out.append(shown.substr(s, shown_len));
    }
    m += mask_len;
    s += shown_len;
  }
  if (s < shown.size()) out.append(shown.substr(s));
  return out;
}

std::string_view ComboItemCode(std::string_view item, int32_t code_length) {
  if (code_length > 0) return LastChars(item, code_length);
  const size_t blank = item.rfind(' ');
  return blank == std::string_view::npos ? item : item.substr(blank + 1);
}

std::string_view ComboItemCaption(std::string_view item, int32_t code_length) {
  if (code_length > 0) {
    const int32_t keep = std::max<int32_t>(0, text::Len(item) - code_length);
    return text::LeftView(item, keep);
  }
  const size_t blank = item.rfind(' ');
  return blank == std::string_view::npos ? item : item.substr(0, blank);
}

}  // namespace zel::internal
