// Conversions between the text a cell shows on the grid and the text the server and the host
// exchange, for the cell types whose two forms differ. Every reader and writer of cells uses
// these one copies: CellText, CellValue and the combo selection (editing), Display and the
// save text (exchange).
//
//   type             on the grid                       outside
//   EnDate           31-01-2024 (dd-mm-yyyy)           20240131
//   EnDateYearMonth  01-2024 (mm-yyyy)                 202401
//   EnCombo          Seoul + 50 blanks + 01            01 (the code)
//   EnMask           123-45 (mask ###-##)              12345
//   EnFloat          1,234.5 (as the grid shows it)    1234.5
//
// Positions count characters, not bytes. Malformed texts never fail: a text too short for a
// position contributes nothing from there on. The quick forms for ASCII texts (dates and
// codes as servers send them) are inline, for the writers of whole sheets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zel::internal {

// Whether the n bytes at p are all ASCII: words of them (overlapping at the end) ORed, as the
// texts checked (dates, codes) are short.
inline bool IsAscii(const char* p, size_t n) {
  auto load = [p](size_t at, auto word) {
    std::memcpy(&word, p + at, sizeof word);
    return static_cast<uint64_t>(word);
  };
  uint64_t any = 0;
  if (n >= 8) {
    for (size_t i = 0; i + 8 <= n; i += 8) any |= load(i, uint64_t{});
    any |= load(n - 8, uint64_t{});
  } else if (n >= 4) {
    any = load(0, uint32_t{}) | load(n - 4, uint32_t{});
  } else if (n >= 2) {
    any = load(0, uint16_t{}) | load(n - 2, uint16_t{});
  } else if (n == 1) {
    any = static_cast<unsigned char>(p[0]);
  }
  return (any & 0x8080808080808080ULL) == 0;
}
// LastChars for texts whose last bytes are not all ASCII.
std::string_view LastCharsCounted(std::string_view s, int32_t n);

// ---- Outside text to the grid's -------------------------------------------------------------
// The number a float field stands for: exactly text::Val(field), the leading numeric part
// ("12.50" gives 12.5, "1,234" gives 1, "abc" gives 0), read without a library call when the
// field is a plain decimal of at most 15 digits, as servers send them. Throws
// std::overflow_error when the magnitude is beyond a double.
double FloatFieldValue(std::string_view field);

// Mask formatting: "" when `value` is blank (spaces only or empty). Otherwise `mask` is
// walked character by character: each placeholder "#", "0" or "A" takes the next character
// of `value` (nothing once the value is used up) and every other mask character is copied.
// "1234567890" with "###-##-#####" gives "123-45-67890". Characters, not bytes: a Hangul
// syllable fills one placeholder. The result goes to `out` (reused by the caller).
void FormatMask(std::string_view value, std::string_view mask, std::string& out);

// The grid's text for a date field: with s = the field trimmed and every "-" removed, ""
// when s is empty, else characters 7-8, "-", 5-6, "-", 1-4 of s (day first):
// "20240131" and "2024-01-31" give "31-01-2024". The result goes to `out`. With
// drop_dashes false the dashes stay in s (the multi-row display takes "yyyymmdd" only).
void DateFieldToGrid(std::string_view field, std::string& out, bool drop_dashes = true);
// The same for a year-month field: characters 5-6, "-", 1-4 ("202401" gives "01-2024").
void YearMonthFieldToGrid(std::string_view field, std::string& out, bool drop_dashes = true);

// ---- The grid's text to the outside -----------------------------------------------------------
// "dd-mm-yyyy" -> "yyyymmdd": characters 7-10, then 4-5, then 1-2.
std::string DateFromGrid(std::string_view shown);
// "mm-yyyy" -> "yyyymm": characters 4-7, then 1-2.
std::string YearMonthFromGrid(std::string_view shown);

// The value inside a masked text: for each mask position holding a blank, "A", "0" or "#"
// the character at the same position of `shown`; then whatever `shown` has beyond the
// mask's length. "123-45" with "###-##" gives "12345".
std::string UnmaskText(std::string_view shown, std::string_view mask);

// The code of a combo item text: its last `code_length` characters; with code_length 0 the
// part after its last blank (the whole text when it has none). Not trimmed.
std::string_view ComboItemCode(std::string_view item, int32_t code_length);
// The last `n` characters of `s` (all of it when it is shorter). Codes are nearly always
// ASCII, and when the last n bytes are ASCII they are the last n characters whatever comes
// before them: only other texts are counted from the start.
inline std::string_view LastChars(std::string_view s, int32_t n) {
  const size_t bytes = n > 0 ? static_cast<size_t>(n) : 0;
  if (bytes <= s.size() && IsAscii(s.data() + s.size() - bytes, bytes)) return s.substr(s.size() - bytes);
  return LastCharsCounted(s, n);
}
// The caption of a combo item text: all but its last `code_length` characters; with
// code_length 0 the part before its last blank (the whole text when it has none). Not
// trimmed.
std::string_view ComboItemCaption(std::string_view item, int32_t code_length);

// The quick forms of DateFromGrid and YearMonthFromGrid for a text of 10 (7) ASCII bytes:
// the same bytes, written at `out` (8 and 6 bytes).
inline void AsciiDateFromGrid(const char* shown, char* out) {
  std::memcpy(out, shown + 6, 4);
  std::memcpy(out + 4, shown + 3, 2);
  std::memcpy(out + 6, shown, 2);
}
inline void AsciiYearMonthFromGrid(const char* shown, char* out) {
  std::memcpy(out, shown + 3, 4);
  std::memcpy(out + 4, shown, 2);
}

}  // namespace zel::internal
