#include "columns/internal/color_text.h"

#include "text/number.h"
#include "text/strings.h"

namespace zel::internal {

Color ColorFromText(std::string_view color_text) {
  const auto items = text::SplitView(color_text, ",");
  if (items.size() < 3) {
    throw SubscriptError("colour text \"" + std::string(color_text) +
                         "\" does not hold red, green and blue");
  }
  const double value =
      text::Val(items[0]) + 256.0 * text::Val(items[1]) + 65536.0 * text::Val(items[2]);
  return text::CLng(value);
}

std::string ColorTextOrDefault(std::string_view text, std::string_view blank_default) {
  return std::string(text::TrimView(text).empty() ? blank_default : text);
}

}  // namespace zel::internal
