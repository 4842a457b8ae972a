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
// The same text written at `out`, which must have kNumberTextMax bytes of room; returns the
// text's end. Bytes of the room past the end may be overwritten with scratch. Amounts with a
// few decimals (most numbers a sheet holds) take a fast exact path.
inline constexpr size_t kNumberTextMax = 32;
char* WriteNumberText(char* out, double v);

// Number formatting with a numeric format text, as the platform's expression formatter does
// it: "0", "0.00", "#,##0", "#,##0.00", "#.000", "0%", "0.00E+00", "000-00",
// "#,##0;(#,##0);-" (sections positive;negative;zero; an empty section uses the first).
//   "0"/"#" digit placeholders ("0" pads with zeros, "#" shows nothing for a missing digit);
//   "." the decimal point, kept even with no digit after it ("#,##0." gives "1,235.");
//   "," between integer placeholders groups thousands, right before the point (or the end
//   of the integer placeholders) divides by 1000; "%" multiplies by 100 and prints "%";
//   text in "double quotes", a character after "\" and any other character print as is.
// Digits are rounded half away from zero on the value's shortest decimal text, so 2.675
// with "0.00" gives "2.68". With one section a negative value gets a leading "-" unless it
// rounds to zero. NaN and infinities give NumberToText's text.
std::string FormatNumber(double v, std::string_view fmt);

// The general formatter behind GetFormat, after the platform's expression formatter:
// - empty `fmt`: `value` unchanged;
// - named formats: "General Number", "Currency", "Fixed", "Standard", "Percent",
//   "Scientific", "Yes/No", "True/False", "On/Off", "General Date", "Long Date",
//   "Medium Date", "Short Date", "Long Time", "Medium Time", "Short Time";
// - a numeric format (digit placeholders "0"/"#", see FormatNumber) and a numeric `value`
//   (IsNumeric, group commas allowed): FormatNumber(value, fmt);
// - a date format (codes yyyy yy y q mmmm mmm mm m dddd ddd dd d ww w hh h nn n ss s,
//   AM/PM am/pm A/P a/p, any other character literal; codes are case-insensitive) and a date
//   text `value` ("yyyymmdd", "yyyy-mm-dd", "yyyy/mm/dd", "yyyymmddhhnnss",
//   "yyyy-mm-dd hh:nn:ss", "yyyymm", "dd-mm-yyyy", "hh:nn:ss"; see ParseDateText) or a
//   numeric value taken as a day serial (0 = 1899-12-30, the fraction is the time of day):
//   the date laid out by the codes. "m"/"mm" right after "h"/"hh" or right before "s"/"ss"
//   mean minutes. Month and day names are English; named formats follow the Korean
//   locale ("Short Date" yyyy-mm-dd, "Currency" ₩#,##0);
// - a text format ("@" a character or blank, "&" a character or nothing, "<" lower case,
//   ">" upper case, "!" fill from the left): the value laid out by it;
// - anything else (a non-numeric value with a numeric format, a non-date value with a date
//   format): `value` unchanged.
// `firstDayOfWeek` (1 = Sunday .. 7 = Saturday, 0 = Sunday) drives "w" and "ww";
// `firstWeekOfYear` (1 = the week of 1 January, 2 = the first week with four days,
// 3 = the first full week, 0 = 1) drives "ww".
std::string Format(std::string_view value, std::string_view fmt, int firstDayOfWeek = 1,
                   int firstWeekOfYear = 1);

}  // namespace zel::text
