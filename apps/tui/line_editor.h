// One line of text being typed (a dialog's field, the screen's query line): the caret
// moves by characters, never into the middle of one, and the shown part follows the caret.
#pragma once

#include <string>

#include "tui/input_event.h"
#include "tui/screen_buffer.h"

namespace zel::tui {

class LineEditor {
 public:
  explicit LineEditor(std::string text = "", size_t max_chars = 200);

  const std::string& Text() const { return text_; }
  void SetText(std::string text);  // the caret goes to the end
  size_t Caret() const { return caret_; }  // in characters

  // Typing, Backspace, Delete, Left, Right, Home, End. Returns false for any other input.
  // With `digits_only` only the digits 0-9 are typed.
  bool Handle(const InputEvent& e, bool digits_only = false);

  // Draws the line into `width` cells at (y, x) and, when `focused`, puts the cursor at the
  // caret.
  void Draw(ScreenBuffer& screen, int y, int x, int width, const Style& style, bool focused) const;

 private:
  size_t ByteOf(size_t chars) const;
  size_t CharCount() const;

  std::string text_;
  size_t caret_ = 0;
  size_t max_chars_;
};

}  // namespace zel::tui
