#include "text/strings.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace zel::text {
namespace {

bool IsCont(unsigned char c) noexcept { return (c & 0xC0) == 0x80; }

// Byte offset `count` characters after byte `from` (the end when the text runs out first).
size_t AdvanceChars(std::string_view s, size_t from, size_t count) noexcept {
  size_t pos = from;
  while (count > 0 && pos < s.size()) {
    if (count >= 8 && s.size() - pos >= 8) {  // eight ASCII bytes at a time, as in CharCount
      uint64_t word;
      std::memcpy(&word, s.data() + pos, 8);
      if ((word & 0x8080808080808080ULL) == 0) {
        pos += 8;
        count -= 8;
        continue;
      }
    }
    pos += CharSizeAt(s, pos);
    --count;
  }
  return pos;
}

void RequirePositive(int32_t start, const char* what) {
  if (start < 1) throw std::invalid_argument(what);
}

// Byte offset of the first occurrence of `find` at or after byte `from` that starts and ends
// on character boundaries; npos when none. `from` must be a boundary. Only invalid UTF-8 can
// produce a byte match inside a character; those matches are skipped so that callers never
// cut a character in two.
size_t FindAligned(std::string_view s, std::string_view find, size_t from) noexcept {
  size_t cursor = from;
  size_t pos = s.find(find, from);
  while (pos != std::string_view::npos) {
    while (cursor < pos) cursor += CharSizeAt(s, cursor);
    if (cursor == pos) {
      size_t end = pos;
      while (end < pos + find.size()) end += CharSizeAt(s, end);
      if (end == pos + find.size()) return pos;
    }
    pos = s.find(find, pos + 1);
  }
  return std::string_view::npos;
}

}  // namespace

char32_t DecodeAt(std::string_view s, size_t& pos) noexcept {
  const size_t len = CharSizeAt(s, pos);
  const auto* p = reinterpret_cast<const unsigned char*>(s.data()) + pos;
  pos += len;
  if (len <= 1) return p[0];
  char32_t cp = p[0] & (0x7F >> len);
  for (size_t i = 1; i < len; ++i) cp = (cp << 6) | (p[i] & 0x3F);
  return cp;
}

size_t CharSizeAt(std::string_view s, size_t offset) noexcept {
  if (offset >= s.size()) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(s.data()) + offset;
  const size_t avail = s.size() - offset;
  const unsigned char c = p[0];
  if (c < 0x80) return 1;
  // Well-formed sequences only (no overlongs, no surrogates, nothing above U+10FFFF).
  if (c >= 0xC2 && c <= 0xDF) return (avail >= 2 && IsCont(p[1])) ? 2 : 1;
  if (c >= 0xE0 && c <= 0xEF) {
    if (avail < 3) return 1;
    const unsigned char lo = c == 0xE0 ? 0xA0 : 0x80;
    const unsigned char hi = c == 0xED ? 0x9F : 0xBF;
    return (p[1] >= lo && p[1] <= hi && IsCont(p[2])) ? 3 : 1;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if (avail < 4) return 1;
    const unsigned char lo = c == 0xF0 ? 0x90 : 0x80;
    const unsigned char hi = c == 0xF4 ? 0x8F : 0xBF;
    return (p[1] >= lo && p[1] <= hi && IsCont(p[2]) && IsCont(p[3])) ? 4 : 1;
  }
  return 1;
}

size_t CharCount(std::string_view s) noexcept {
  size_t count = 0;
  size_t pos = 0;
  const size_t n = s.size();
  while (pos < n) {
    // Eight ASCII bytes at a time: the common case for codes, numbers and field names.
    if (n - pos >= 8) {
      uint64_t word;
      std::memcpy(&word, s.data() + pos, 8);
      if ((word & 0x8080808080808080ULL) == 0) {
        pos += 8;
        count += 8;
        continue;
      }
    }
    pos += CharSizeAt(s, pos);
    ++count;
  }
  return count;
}

size_t ByteOffset(std::string_view s, size_t index) noexcept { return AdvanceChars(s, 0, index); }

int32_t Len(std::string_view s) noexcept {
  const size_t n = CharCount(s);
  return n > static_cast<size_t>(std::numeric_limits<int32_t>::max())
             ? std::numeric_limits<int32_t>::max()
             : static_cast<int32_t>(n);
}

std::string_view MidView(std::string_view s, int32_t start, int32_t length) {
  RequirePositive(start, "Mid: start must be 1 or more");
  const size_t begin = AdvanceChars(s, 0, static_cast<size_t>(start) - 1);
  const size_t end =
      length < 0 ? s.size() : AdvanceChars(s, begin, static_cast<size_t>(length));
  return s.substr(begin, end - begin);
}

std::string Mid(std::string_view s, int32_t start, int32_t length) {
  return std::string(MidView(s, start, length));
}

std::string_view LeftView(std::string_view s, int32_t n) {
  if (n < 0) throw std::invalid_argument("Left: length must not be negative");
  return s.substr(0, AdvanceChars(s, 0, static_cast<size_t>(n)));
}

std::string_view RightView(std::string_view s, int32_t n) {
  if (n < 0) throw std::invalid_argument("Right: length must not be negative");
  const size_t total = CharCount(s);
  if (static_cast<size_t>(n) >= total) return s;
  return s.substr(AdvanceChars(s, 0, total - static_cast<size_t>(n)));
}

std::string Left(std::string_view s, int32_t n) { return std::string(LeftView(s, n)); }
std::string Right(std::string_view s, int32_t n) { return std::string(RightView(s, n)); }

int32_t InStr(std::string_view s, std::string_view find, int32_t start) {
  RequirePositive(start, "InStr: start must be 1 or more");
  const size_t from = AdvanceChars(s, 0, static_cast<size_t>(start) - 1);
  const size_t total_before = static_cast<size_t>(start) - 1;
  // `from` reached the end before `start - 1` characters: start lies beyond Len + 1.
  if (from == s.size() && CharCount(s) < total_before) return 0;
  if (find.empty()) return start;
  const size_t pos = FindAligned(s, find, from);
  if (pos == std::string_view::npos) return 0;
  return static_cast<int32_t>(total_before + CharCount(s.substr(from, pos - from)) + 1);
}

int32_t InStrRev(std::string_view s, std::string_view find, int32_t start) {
  if (start == 0 || start < -1) throw std::invalid_argument("InStrRev: start must be -1 or 1 or more");
  const int32_t len = Len(s);
  if (start == -1) start = len;
  if (start > len) return 0;
  if (find.empty()) return start;
  const std::string_view window = s.substr(0, AdvanceChars(s, 0, static_cast<size_t>(start)));
  // Walk the aligned matches left to right and keep the last: a backward byte search cannot
  // tell character boundaries apart in invalid UTF-8.
  size_t last = std::string_view::npos;
  size_t pos = FindAligned(window, find, 0);
  while (pos != std::string_view::npos) {
    last = pos;
    pos = FindAligned(window, find, pos + CharSizeAt(window, pos));
  }
  if (last == std::string_view::npos) return 0;
  return static_cast<int32_t>(CharCount(window.substr(0, last)) + 1);
}

std::string Replace(std::string_view s, std::string_view find, std::string_view with) {
  if (find.empty()) return std::string(s);
  std::string out;
  out.reserve(s.size());
  size_t from = 0;
  for (size_t pos = FindAligned(s, find, 0); pos != std::string_view::npos;
       pos = FindAligned(s, find, from)) {
    out.append(s.substr(from, pos - from));
    out.append(with);
    from = pos + find.size();
  }
  out.append(s.substr(from));
  return out;
}

std::vector<std::string_view> SplitView(std::string_view s, std::string_view sep) {
  std::vector<std::string_view> parts;
  if (sep.empty()) {
    parts.push_back(s);
    return parts;
  }
  size_t from = 0;
  for (size_t pos = FindAligned(s, sep, 0); pos != std::string_view::npos;
       pos = FindAligned(s, sep, from)) {
    parts.push_back(s.substr(from, pos - from));
    from = pos + sep.size();
  }
  parts.push_back(s.substr(from));
  return parts;
}

std::vector<std::string> Split(std::string_view s, std::string_view sep) {
  std::vector<std::string> parts;
  for (std::string_view p : SplitView(s, sep)) parts.emplace_back(p);
  return parts;
}

std::string_view LTrimView(std::string_view s) noexcept {
  const size_t first = s.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

std::string_view RTrimView(std::string_view s) noexcept {
  const size_t last = s.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

std::string_view TrimView(std::string_view s) noexcept { return RTrimView(LTrimView(s)); }

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }
std::string LTrim(std::string_view s) { return std::string(LTrimView(s)); }
std::string RTrim(std::string_view s) { return std::string(RTrimView(s)); }

std::string UCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string LCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string Space(int32_t n) { return n <= 0 ? std::string() : std::string(static_cast<size_t>(n), ' '); }

bool EqualsNoCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) noexcept {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

bool LessNoCase(std::string_view a, std::string_view b) noexcept {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return AsciiLower(x) < AsciiLower(y);
  });
}

}  // namespace zel::text
