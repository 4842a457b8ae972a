// The name rule every settings and values store follows (the in-memory ones here and the
// SQLite store): application, section, key and value names match without regard to ASCII
// letter case, as registry names do. Bytes outside ASCII compare exactly, so Hangul names
// match only when written the same way.
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

}  // namespace zel::internal
