#include "tui/input_event.h"

#include <array>
#include <charconv>

#include "tui/text_width.h"

namespace zel::tui {

namespace {

struct NamedKey {
  std::string_view name;
  int16_t key;
  int16_t shift;
};

constexpr std::array<NamedKey, 28> kCursesKeys = {{
    {"KEY_UP", kVkUp, 0},        {"KEY_DOWN", kVkDown, 0},      {"KEY_LEFT", kVkLeft, 0},
    {"KEY_RIGHT", kVkRight, 0},  {"KEY_HOME", kVkHome, 0},      {"KEY_END", kVkEnd, 0},
    {"KEY_PPAGE", kVkPrior, 0},  {"KEY_NPAGE", kVkNext, 0},     {"KEY_DC", kVkDelete, 0},
    {"KEY_IC", kVkInsert, 0},    {"KEY_BACKSPACE", kVkBack, 0}, {"KEY_ENTER", kVkReturn, 0},
    {"KEY_BTAB", kVkTab, kShift}, {"KEY_SR", kVkUp, kShift},    {"KEY_SF", kVkDown, kShift},
    {"KEY_SLEFT", kVkLeft, kShift}, {"KEY_SRIGHT", kVkRight, kShift},
    {"KEY_SHOME", kVkHome, kShift}, {"KEY_SEND", kVkEnd, kShift},
    {"KEY_SPREVIOUS", kVkPrior, kShift}, {"KEY_SNEXT", kVkNext, kShift},
    {"KEY_SDC", kVkDelete, kShift}, {"KEY_SIC", kVkInsert, kShift},
    {"KEY_A1", kVkHome, 0},      {"KEY_A3", kVkPrior, 0},       {"KEY_C1", kVkEnd, 0},
    {"KEY_C3", kVkNext, 0},      {"KEY_B2", 12, 0},
}};

// The extended names of terminfo: "kUP5" is Ctrl+Up.
constexpr std::array<NamedKey, 10> kExtendedKeys = {{
    {"kUP", kVkUp, 0},     {"kDN", kVkDown, 0},   {"kLFT", kVkLeft, 0}, {"kRIT", kVkRight, 0},
    {"kHOM", kVkHome, 0},  {"kEND", kVkEnd, 0},   {"kPRV", kVkPrior, 0}, {"kNXT", kVkNext, 0},
    {"kDC", kVkDelete, 0}, {"kIC", kVkInsert, 0},
}};

// xterm's modifier parameter (2..8) as a shift state.
int16_t ShiftOfModifier(int m) {
  const int bits = m - 1;
  int16_t s = 0;
  if (bits & 1) s |= kShift;
  if (bits & 2) s |= kAlt;
  if (bits & 4) s |= kCtrl;
  return s;
}

}  // namespace

InputEvent KeyFromName(std::string_view name) {
  for (const NamedKey& k : kCursesKeys) {
    if (k.name == name) return InputEvent::KeyEvent(k.key, k.shift);
  }
  if (name.starts_with("KEY_F(") && name.ends_with(")")) {
    int n = 0;
    const std::string_view digits = name.substr(6, name.size() - 7);
    if (std::from_chars(digits.data(), digits.data() + digits.size(), n).ec != std::errc{}) return {};
    if (n >= 1 && n <= 12) return InputEvent::KeyEvent(VkF(n));
    if (n >= 13 && n <= 24) return InputEvent::KeyEvent(VkF(n - 12), kShift);
    if (n >= 25 && n <= 36) return InputEvent::KeyEvent(VkF(n - 24), kCtrl);
    return {};
  }
  for (const NamedKey& k : kExtendedKeys) {
    if (name.size() == k.name.size() + 1 && name.starts_with(k.name)) {
      const char d = name.back();
      if (d < '2' || d > '8') return {};
      return InputEvent::KeyEvent(k.key, ShiftOfModifier(d - '0'));
    }
  }
  return {};
}

InputEvent KeyFromChar(char32_t ch) {
  switch (ch) {
    case U'\r':
    case U'\n': return InputEvent::KeyEvent(kVkReturn);
    case U'\t': return InputEvent::KeyEvent(kVkTab);
    case 27: return InputEvent::KeyEvent(kVkEscape);
    case 8:
    case 127: return InputEvent::KeyEvent(kVkBack);
    case 0: return InputEvent::KeyEvent(kVkSpace, kCtrl);
    default: break;
  }
  if (ch >= 1 && ch <= 26) return InputEvent::KeyEvent(VkLetter(static_cast<char>('A' + ch - 1)), kCtrl);
  if (IsUnprintable(ch)) return {};
  std::string text;
  AppendUtf8(text, ch);
  return InputEvent::TextEvent(std::move(text));
}

}  // namespace zel::tui
