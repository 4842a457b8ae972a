// Colours given as text: red, green and blue in decimal joined by "," ("255,255,255"), the
// form SetColColor and SetColColorLock take.
#pragma once

#include <string>
#include <string_view>

#include "zelsheet/types.h"

namespace zel::internal {

inline constexpr std::string_view kWhiteText = "255,255,255";
inline constexpr std::string_view kBlackText = "0,0,0";

// The colour value red + 256 * green + 65536 * blue of a colour text. Items are read as
// leading numbers (an item that is not a number counts 0) and are not clamped, so "300,0,0"
// gives 300. Items beyond the third are ignored.
// Throws SubscriptError when the text has fewer than three items, std::overflow_error when
// the value does not fit 32 bits.
Color ColorFromText(std::string_view color_text);

// The text a blank colour argument stands for: `text` itself unless it is blank after
// trimming, then `blank_default`.
std::string ColorTextOrDefault(std::string_view text, std::string_view blank_default);

}  // namespace zel::internal
