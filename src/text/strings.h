// Character-counted text helpers over UTF-8.
//
// Every position and length here counts characters, not bytes: a Hangul syllable is one
// character. Positions are 1-based like the rest of the sheet's text handling. Invalid UTF-8
// is never rejected: each byte that does not start a complete, well-formed sequence counts as
// one character of its own, so counting and cutting stay in bounds on any input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zel::text {

// Length in bytes of the character that starts at byte `offset` of `s` (1 for an invalid or
// truncated sequence, 0 when offset is at or past the end).
size_t CharSizeAt(std::string_view s, size_t offset) noexcept;

// The code point of the character at byte `pos` of `s`, advancing `pos` past it. A byte that
// does not start a well-formed sequence decodes as itself (its value 0x80..0xFF) and
// advances one byte, so any text decodes. Requires pos < s.size().
char32_t DecodeAt(std::string_view s, size_t& pos) noexcept;

// Number of characters in `s`. Fast path for ASCII runs; safe on any bytes.
size_t CharCount(std::string_view s) noexcept;

// Byte offset where character `index` (0-based) starts; s.size() when index >= CharCount(s).
size_t ByteOffset(std::string_view s, size_t index) noexcept;

// Number of characters, as the sheet's 32-bit counts expect (saturates at INT32_MAX).
int32_t Len(std::string_view s) noexcept;

// Sub-view of `length` characters starting at 1-based character `start`; `length` < 0 means
// to the end. Past the end gives what is there (possibly empty).
// Throws std::invalid_argument when start < 1.
std::string_view MidView(std::string_view s, int32_t start, int32_t length = -1);
std::string Mid(std::string_view s, int32_t start, int32_t length = -1);

// The first / last `n` characters (the whole text when n >= Len).
// Throws std::invalid_argument when n < 0.
std::string_view LeftView(std::string_view s, int32_t n);
std::string_view RightView(std::string_view s, int32_t n);
std::string Left(std::string_view s, int32_t n);
std::string Right(std::string_view s, int32_t n);

// 1-based character position of the first `find` at or after character `start`; 0 when absent
// or when start > Len(s). An empty `find` returns `start` when start <= Len(s) + 1, else 0.
// Throws std::invalid_argument when start < 1. Case-sensitive (byte comparison).
int32_t InStr(std::string_view s, std::string_view find, int32_t start = 1);

// 1-based character position of the last `find` lying wholly within the first `start`
// characters of `s`; start = -1 means the whole text. 0 when absent or when start > Len(s).
// An empty `find` returns start (Len(s) for -1). Throws std::invalid_argument when start is
// 0 or below -1. Case-sensitive.
int32_t InStrRev(std::string_view s, std::string_view find, int32_t start = -1);

// `s` with every non-overlapping `find` (left to right) replaced by `with`. An empty `find`
// returns `s` unchanged.
std::string Replace(std::string_view s, std::string_view find, std::string_view with);

// Pieces of `s` between occurrences of `sep`. The result always has (number of separators
// + 1) elements, so callers that count separators use size() - 1:
//   Split("a,b,", ",") -> {"a","b",""};  Split("abc", ",") -> {"abc"};
//   Split("", ",")     -> {""}  (one empty element: an empty text holds no separator).
// An empty `sep` returns {s}.
std::vector<std::string> Split(std::string_view s, std::string_view sep);
std::vector<std::string_view> SplitView(std::string_view s, std::string_view sep);

// Blank (' ' only) trimming; tabs and line breaks are kept.
std::string_view TrimView(std::string_view s) noexcept;
std::string_view LTrimView(std::string_view s) noexcept;
std::string_view RTrimView(std::string_view s) noexcept;
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);

// ASCII letters changed; every other byte (Hangul included) kept as is.
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);

// Comparisons that ignore the case of ASCII letters only; other bytes (Hangul included)
// compare exactly. The one copy every folder uses for names, keys and format words.
inline char AsciiLower(char c) noexcept {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool EqualsNoCase(std::string_view a, std::string_view b) noexcept;
bool StartsWithNoCase(std::string_view s, std::string_view prefix) noexcept;
bool LessNoCase(std::string_view a, std::string_view b) noexcept;

// `n` blanks; empty when n <= 0.
std::string Space(int32_t n);

}  // namespace zel::text
