// A person at a sheet, for scenario tests: keys, typing and the mouse go in through the
// grid's input members, as a host feeds them, and the keys the sheet sends itself (Enter
// moving on) come back as input after each step, as a host's message loop does.
//
//   UserInput user(f.sheet, f.platform);
//   user.Type("kim");
//   user.Key(kTab);
//   user.Click(CellX(2), RowY(3));
#pragma once

#include <cstdint>
#include <string>

#include "zelsheet/platform.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {

enum TestKey : int16_t {
  kBack = 8, kTab = 9, kEnter = 13, kEsc = 27, kPgDn = 34, kEnd = 35, kHome = 36,
  kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kDel = 46, kKeyC = 67, kKeyF = 70,
  kKeyV = 86, kF2 = 113, kF3 = 114, kF4 = 115, kF9 = 120,
};
inline constexpr int16_t kShiftKey = 1, kCtrlKey = 2;

class UserInput {
 public:
  UserInput(ZelSheet& sheet, Platform& platform) : grid_(sheet.GetSheet()), keys_(platform.Keys()) {}

  // A key pressed and let go.
  void Key(int16_t key, int16_t shift = 0) {
    grid_.InputKeyDown(key, shift);
    grid_.InputKeyUp(key, shift);
    Drain();
  }
  void Type(const std::string& text) {
    grid_.InputText(text);
    Drain();
  }
  // Presses and releases the left (or `button`) button at the middle of grid cell (col,
  // row) as the view lays it out now; `timeMs` tells double clicks apart.
  void Click(int32_t col, int32_t row, int16_t button = 1, int16_t shift = 0) {
    const Point p = Middle(col, row);
    grid_.InputMouseDown(button, shift, p.x, p.y, NextTime(600));
    grid_.InputMouseUp(button, shift, p.x, p.y);
    Drain();
  }
  void DoubleClick(int32_t col, int32_t row) {
    const Point p = Middle(col, row);
    grid_.InputMouseDown(1, 0, p.x, p.y, NextTime(600));
    grid_.InputMouseUp(1, 0, p.x, p.y);
    grid_.InputMouseDown(1, 0, p.x, p.y, NextTime(100));
    grid_.InputMouseUp(1, 0, p.x, p.y);
    Drain();
  }
  // Presses at cell (col, row), moves to cell (col2, row2) and lets go there.
  void Drag(int32_t col, int32_t row, int32_t col2, int32_t row2) {
    const Point a = Middle(col, row), b = Middle(col2, row2);
    grid_.InputMouseDown(1, 0, a.x, a.y, NextTime(600));
    grid_.InputMouseMove(1, 0, b.x, b.y);
    grid_.InputMouseUp(1, 0, b.x, b.y);
    Drain();
  }

  struct Point {
    float x = 0, y = 0;
  };
  // The middle of (col, row) as the grid lays it out in its viewport.
  Point Middle(int32_t col, int32_t row) const {
    int32_t x = 0, y = 0, w = 0, h = 0;
    if (!grid_.GetCellPos(col, row, x, y, w, h)) return Point{-1, -1};
    return Point{static_cast<float>(x + w / 2), static_cast<float>(y + h / 2)};
  }

 private:
  // The sent keys, fed back as the host's message loop would.
  void Drain() {
    for (int round = 0; round < 100 && !keys_.PendingKeys().empty(); ++round) Feed();
  }
  void Feed() {
    for (const std::string& text : keys_.TakeSentKeys()) {
      for (const KeyStroke& k : ParseSendKeys(text).value_or(std::vector<KeyStroke>{})) {
        if (k.is_char) {
          grid_.InputText(std::string(1, static_cast<char>(k.code)));
        } else {
          grid_.InputKeyDown(static_cast<int16_t>(k.code), 0);
          grid_.InputKeyUp(static_cast<int16_t>(k.code), 0);
        }
      }
    }
  }
  int64_t NextTime(int64_t after) { return now_ += after; }

  Grid& grid_;
  KeyQueue& keys_;
  int64_t now_ = 0;
};

}  // namespace zel::testing
