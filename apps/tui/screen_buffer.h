// A screen's worth of character cells, each with its character and its style: what the
// painters and dialogs draw into and what the terminal then shows in one go (so a frame
// never flickers), or what a test reads back as text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zelsheet/types.h"

namespace zel::tui {

// Attribute bits of a style.
enum StyleAttr : uint8_t {
  kAttrBold = 1,
  kAttrUnderline = 2,
  kAttrReverse = 4,
  kAttrDim = 8,
};

// Colours are the grid's (0x00BBGGRR); the terminal maps them to what it can show.
struct Style {
  Color fore = 0;
  Color back = 0xFFFFFF;
  uint8_t attrs = 0;
  bool operator==(const Style&) const = default;
};

struct Rect {
  int top = 0, left = 0, height = 0, width = 0;
  int bottom() const { return top + height; }  // one past the last line
  int right() const { return left + width; }   // one past the last column
  bool Contains(int y, int x) const { return y >= top && y < bottom() && x >= left && x < right(); }
};

enum class Align : uint8_t { Left, Right, Centre };

class ScreenBuffer {
 public:
  // One cell. A wide character's second cell is a continuation (code 0) the terminal skips.
  struct Cell {
    char32_t code = U' ';
    uint16_t style = 0;
    bool operator==(const Cell&) const = default;
  };

  // Empties the screen to `size`, every cell a blank in `style`.
  void Reset(int height, int width, const Style& style = {});
  int Height() const { return height_; }
  int Width() const { return width_; }
  Rect Bounds() const { return {0, 0, height_, width_}; }

  // Drawing is limited to the clip rectangle (the whole screen after Reset).
  void SetClip(const Rect& clip);
  const Rect& Clip() const { return clip_; }

  // Blanks in `style` over `area`.
  void Fill(const Rect& area, const Style& style);
  // Writes `text` from (y, x) in at most `max_width` cells; returns the cells used. A wide
  // character that would be cut by the edge or the clip leaves a blank instead. Line feeds
  // and other controls show as a replacement mark.
  int Put(int y, int x, std::string_view text, const Style& style, int max_width = 1 << 30);
  // Blanks `width` cells from (y, x) in `style`, then `text` aligned within them (cut to fit).
  void PutField(int y, int x, int width, std::string_view text, const Style& style, Align align);
  // The same over cells already blanked in that style (no fill first).
  void PutAligned(int y, int x, int width, std::string_view text, const Style& style, Align align);
  // One character repeated (lines of boxes).
  void Repeat(int y, int x, int count, char32_t code, const Style& style);
  // Changes the style of cells without touching their characters.
  void Restyle(const Rect& area, const Style& style);

  // Where the terminal's cursor stands (a text being edited); hidden when y < 0.
  void SetCursor(int y, int x) { cursor_y_ = y, cursor_x_ = x; }
  int CursorY() const { return cursor_y_; }
  int CursorX() const { return cursor_x_; }

  const Cell& At(int y, int x) const { return cells_[Index(y, x)]; }
  const Style& StyleOf(uint16_t id) const { return styles_[id]; }
  const Style& StyleAt(int y, int x) const { return styles_[At(y, x).style]; }
  size_t StyleCount() const { return styles_.size(); }
  // Line y as text (continuations skipped, trailing blanks kept): for tests and captures.
  std::string LineText(int y) const;

 private:
  size_t Index(int y, int x) const { return static_cast<size_t>(y) * width_ + x; }
  uint16_t StyleId(const Style& style);
  void Set(int y, int x, char32_t code, uint16_t style);

  int height_ = 0, width_ = 0;
  Rect clip_;
  std::vector<Cell> cells_;
  std::vector<Style> styles_;  // few per frame: found by a short search from the last one
  uint16_t last_style_ = 0;
  int cursor_y_ = -1, cursor_x_ = 0;
};

}  // namespace zel::tui
