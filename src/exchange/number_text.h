// Writing numbers into save texts quickly.
//
// A float cell leaves the sheet as the shortest decimal text that reads back as the same
// double (text::NumberToText). The general shortest-digits search costs tens of
// nanoseconds per number, which dominates assembling the save text of a large sheet; the
// values a sheet holds are nearly always amounts with a few decimals, for which the same
// text can be found and proven exact with a handful of multiplications.
#pragma once

#include <cstddef>

namespace zel::internal {

// Room WriteNumberText may use; the longest text NumberToText produces is 25 bytes.
inline constexpr size_t kNumberTextMax = 32;

// Writes the bytes of text::NumberToText(v) at `out` (which must have kNumberTextMax bytes
// of room) and returns the end of that text. Bytes of the room past the returned end may be
// overwritten with scratch.
char* WriteNumberText(char* out, double v);

}  // namespace zel::internal
