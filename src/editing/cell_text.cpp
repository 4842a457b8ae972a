#include "editing/cell_text.h"

#include <algorithm>

#include "text/strings.h"

namespace zel::internal {

std::string DateFromGrid(std::string_view shown) {
  std::string out;
  out.reserve(8);
  out += text::MidView(shown, 7, 4);
  out += text::MidView(shown, 4, 2);
  out += text::MidView(shown, 1, 2);
  return out;
}

std::string YearMonthFromGrid(std::string_view shown) {
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
  if (code_length > 0) return text::RightView(item, code_length);
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
