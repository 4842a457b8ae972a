// What the user did at the terminal, in the grid's terms: keys as Windows virtual-key codes
// with the modifier state (1 Shift, 2 Ctrl, 4 Alt), typed characters as UTF-8 text, and the
// pointer in screen character cells.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::tui {

// Virtual-key codes a screen handles by name.
enum VirtualKey : int16_t {
  kVkBack = 8, kVkTab = 9, kVkReturn = 13, kVkEscape = 27, kVkSpace = 32,
  kVkPrior = 33, kVkNext = 34, kVkEnd = 35, kVkHome = 36,
  kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40,
  kVkInsert = 45, kVkDelete = 46, kVkF1 = 112,
};
inline constexpr int16_t VkF(int n) { return static_cast<int16_t>(kVkF1 + n - 1); }
inline constexpr int16_t VkLetter(char upper) { return static_cast<int16_t>(upper); }

enum ShiftState : int16_t { kShift = 1, kCtrl = 2, kAlt = 4 };

struct InputEvent {
  enum class Kind : uint8_t {
    None,       // nothing within the wait
    Key,        // key, shift
    Text,       // text: characters typed
    Mouse,      // mouse
    Resize,     // the terminal changed size
    Interrupt,  // a signal asks the program to end (SIGTERM, SIGINT, SIGHUP)
  };
  enum class Mouse : uint8_t { Press, Release, Move, WheelUp, WheelDown };

  Kind kind = Kind::None;
  int16_t key = 0;
  int16_t shift = 0;
  std::string text;
  Mouse mouse = Mouse::Press;
  int16_t button = 0;  // 1 left, 2 right, 4 middle
  int y = 0, x = 0;    // screen cell

  static InputEvent KeyEvent(int16_t key, int16_t shift = 0) {
    InputEvent e;
    e.kind = Kind::Key, e.key = key, e.shift = shift;
    return e;
  }
  static InputEvent TextEvent(std::string text) {
    InputEvent e;
    e.kind = Kind::Text, e.text = std::move(text);
    return e;
  }
  bool Is(int16_t k, int16_t s = 0) const { return kind == Kind::Key && key == k && shift == s; }
};

// A key curses names ("KEY_UP", "KEY_F(5)", "KEY_SLEFT", "kDN5", "KEY_BTAB", ...) as a
// key event; Kind::None for a name it does not know. Function keys 13 to 24 are Shift+F1
// to F12, as xterm sends them; the digit of an extended name is the xterm modifier (2
// Shift, 3 Alt, 5 Ctrl, and their sums plus one).
InputEvent KeyFromName(std::string_view name);
// A character read from the terminal: Enter, Tab, Escape, Backspace and Ctrl+letter as
// keys, anything printable as text.
InputEvent KeyFromChar(char32_t ch);

}  // namespace zel::tui
