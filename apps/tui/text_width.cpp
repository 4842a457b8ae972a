#include "tui/text_width.h"

#include <clocale>
#include <cstring>
#include <cwchar>

namespace zel::tui {

bool EnsureUtf8Locale() {
  auto is_utf8 = [](const char* name) {
    if (name == nullptr) return false;
    std::string n(name);
    for (char& c : n) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return n.find("UTF-8") != std::string::npos || n.find("UTF8") != std::string::npos;
  };
  if (is_utf8(std::setlocale(LC_CTYPE, ""))) return true;
  return is_utf8(std::setlocale(LC_CTYPE, "C.UTF-8"));
}

Utf8Char DecodeUtf8(std::string_view text, size_t pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) return {lead, 1};
  int extra = 0;
  char32_t code = 0;
  char32_t min = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, code = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, code = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, code = lead & 0x07, min = 0x10000;
  } else {
    return {0xFFFD, 1};
  }
  if (pos + static_cast<size_t>(extra) >= text.size()) return {0xFFFD, 1};
  for (int i = 1; i <= extra; ++i) {
    const unsigned char b = byte(pos + static_cast<size_t>(i));
    if ((b & 0xC0) != 0x80) return {0xFFFD, 1};
    code = (code << 6) | (b & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {0xFFFD, 1};
  return {code, extra + 1};
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsUnprintable(char32_t code) {
  if (code < 0x20 || (code >= 0x7F && code < 0xA0)) return true;
  if (code < 0x7F || (code >= 0xAC00 && code <= 0xD7A3)) return false;
  return ::wcwidth(static_cast<wchar_t>(code)) < 0;
}

int CharWidth(char32_t code) {
  if (code < 0x7F) return 1;  // ASCII (controls are drawn as one replacement mark)
  // The most common characters of a Korean screen, without asking the C library.
  if (code >= 0xAC00 && code <= 0xD7A3) return 2;  // Hangul syllables
  if (code >= 0x2500 && code <= 0x257F) return 1;  // box drawing (grid lines, frames)
  const int w = ::wcwidth(static_cast<wchar_t>(code));
  return w < 0 ? 1 : w;
}

int TextWidth(std::string_view text) {
  int width = 0;
  for (size_t pos = 0; pos < text.size();) {
    const Utf8Char c = DecodeUtf8(text, pos);
    width += CharWidth(c.code);
    pos += static_cast<size_t>(c.bytes);
  }
  return width;
}

size_t FitWidth(std::string_view text, int width, int& used) {
  used = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    const Utf8Char c = DecodeUtf8(text, pos);
    const int w = CharWidth(c.code);
    if (used + w > width) break;
    used += w;
    pos += static_cast<size_t>(c.bytes);
  }
  return pos;
}

std::string_view FitWithCutMark(std::string_view text, int width, bool more, std::string& buffer) {
  if (!more && TextWidth(text) <= width) return text;
  // Blanks at the end cut off hide nothing.
  const size_t end = text.find_last_not_of(' ');
  const std::string_view kept = text.substr(0, end == std::string_view::npos ? 0 : end + 1);
  if (!more && TextWidth(kept) <= width) return kept;
  if (width <= 0) return {};
  int used = 0;
  buffer.assign(text.substr(0, FitWidth(text, width - 1, used)));
  buffer += "\u2026";
  return buffer;
}

}  // namespace zel::tui
