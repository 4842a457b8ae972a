// Numbers read from and written to text, with no dependence on the process locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::text {

// The leading numeric part of `s` after leading blanks: optional sign, digits, optional "."
// and digits, optional exponent ("e"/"E", optional sign, digits). Anything after it is
// ignored: "12.50" -> 12.5, "1,234" -> 1, "" -> 0, "abc" -> 0, "-3e2x" -> -300.
// Never throws; an out-of-range magnitude gives +-infinity.
double Val(std::string_view s) noexcept;

// True when the whole of `s` (blanks around it allowed) is one number as Val reads it, with
// at least one digit. "1,234" is not numeric; "12.5", " -3 ", "1e3" are.
bool IsNumeric(std::string_view s) noexcept;

// Round halves to even, then convert. Throws std::overflow_error when the rounded value is
// outside the target range or `v` is NaN: CInt(32767.4) -> 32767, CInt(32767.5) throws.
int16_t CInt(double v);
int32_t CLng(double v);

// Round halves to even at `decimals` places (decimals >= 0), using the decimal text of `v`
// so that 2.675 with 2 places is handled as the user sees it (2.68).
double RoundHalfEven(double v, int decimals);

// Shortest text that reads back as the same double, never in exponent form for magnitudes
// from 1e-6 to 1e21: 12.5 -> "12.5", -3 -> "-3", 0 and -0 -> "0". NaN -> "NaN",
// infinities -> "Infinity"/"-Infinity".
std::string NumberToText(double v);

// Number formatting with a numeric format text: "0", "0.00", "#,##0", "#,##0.00", "#,##0.",
// "#.000", "0%", "#,##0;(#,##0);-" (sections positive;negative;zero). Digits after "." are
// rounded half to even on the decimal text; a trailing "." with no digit places prints no
// point. Other characters in the format are copied as literals (quoted "..." and \x too).
std::string FormatNumber(double v, std::string_view fmt);

// The general formatter behind GetFormat:
// - empty `fmt`: `value` unchanged;
// - `fmt` with date codes (yyyy yy mm m dd d hh h nn ss with any literal characters) and
//   `value` a date text ("yyyymmdd", "yyyy-mm-dd", "yyyy/mm/dd", "yyyymmddhhnnss",
//   "yyyy-mm-dd hh:nn:ss", "yyyymm", "hhnnss" with ":"): the date laid out by the codes;
// - `fmt` with numeric codes and `value` numeric (IsNumeric): FormatNumber(Val(value), fmt);
// - anything else: `value` unchanged.
// In a date format, "mm" right after "h"/"hh" (or right before "ss") means minutes.
std::string Format(std::string_view value, std::string_view fmt);

}  // namespace zel::text
