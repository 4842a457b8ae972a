// Texts of stored properties and settings, to and from the values they hold. Numbers are
// decimal text, Booleans "True"/"False"; a text that does not hold a value of the wanted
// type gives nothing, and the step that read it is skipped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel::internal {

// "True"/"False" in any letter case, or a number (non-zero is True).
std::optional<bool> ParseBoolText(std::string_view s);
std::string BoolText(bool v);

// A whole text that is a number (blanks around it allowed), rounded half to even to the
// target width; nothing when it is not a number or does not fit.
std::optional<int32_t> ParseInt32Text(std::string_view s);
std::optional<int16_t> ParseInt16Text(std::string_view s);

}  // namespace zel::internal
