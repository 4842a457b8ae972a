#include "sheet/stored_values.h"

#include "platform/failure.h"
#include "text/number.h"
#include "text/strings.h"

namespace zel::internal {

std::optional<bool> ParseBoolText(std::string_view s) {
  const std::string word = text::LCase(text::TrimView(s));
  if (word == "true") return true;
  if (word == "false") return false;
  if (text::IsNumeric(s)) return text::Val(s) != 0.0;
  return std::nullopt;
}

std::string BoolText(bool v) { return v ? "True" : "False"; }

std::optional<int32_t> ParseInt32Text(std::string_view s) {
  if (!text::IsNumeric(s)) return std::nullopt;
  return ReadOr([&] { return std::optional<int32_t>(text::CLng(text::Val(s))); },
                std::optional<int32_t>());
}

std::optional<int16_t> ParseInt16Text(std::string_view s) {
  if (!text::IsNumeric(s)) return std::nullopt;
  return ReadOr([&] { return std::optional<int16_t>(text::CInt(text::Val(s))); },
                std::optional<int16_t>());
}

}  // namespace zel::internal
