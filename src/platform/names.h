// Name comparison shared by the platform's stores: application, section, key and value
// names match without regard to ASCII letter case, as registry names do. Bytes outside
// ASCII compare exactly, so Hangul names match only when written the same way.
#pragma once

#include <string>
#include <string_view>

namespace zel::internal {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Orders names the way SameName matches them (for sorted listings).
inline bool NameLess(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(AsciiLower(a[i]));
    const unsigned char y = static_cast<unsigned char>(AsciiLower(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

}  // namespace zel::internal
