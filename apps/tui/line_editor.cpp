#include "tui/line_editor.h"

#include "tui/text_width.h"

namespace zel::tui {

LineEditor::LineEditor(std::string text, size_t max_chars) : max_chars_(max_chars) {
  SetText(std::move(text));
}

void LineEditor::SetText(std::string text) {
  text_ = std::move(text);
  caret_ = CharCount();
}

size_t LineEditor::CharCount() const {
  size_t n = 0;
  for (size_t pos = 0; pos < text_.size(); ++n) pos += static_cast<size_t>(DecodeUtf8(text_, pos).bytes);
  return n;
}

size_t LineEditor::ByteOf(size_t chars) const {
  size_t pos = 0;
  for (size_t i = 0; i < chars && pos < text_.size(); ++i) {
    pos += static_cast<size_t>(DecodeUtf8(text_, pos).bytes);
  }
  return pos;
}

bool LineEditor::Handle(const InputEvent& e, bool digits_only) {
  if (e.kind == InputEvent::Kind::Text) {
    std::string typed;
    for (size_t pos = 0; pos < e.text.size();) {
      const Utf8Char c = DecodeUtf8(e.text, pos);
      pos += static_cast<size_t>(c.bytes);
      if (digits_only && (c.code < U'0' || c.code > U'9')) continue;
      if (CharCount() + 1 > max_chars_ || IsUnprintable(c.code)) continue;
      std::string ch;
      AppendUtf8(ch, c.code);
      text_.insert(ByteOf(caret_), ch);
      ++caret_;
    }
    return true;
  }
  if (e.kind != InputEvent::Kind::Key || (e.shift & (kCtrl | kAlt)) != 0) return false;
  switch (e.key) {
    case kVkBack:
      if (caret_ > 0) {
        const size_t from = ByteOf(caret_ - 1);
        text_.erase(from, ByteOf(caret_) - from);
        --caret_;
      }
      return true;
    case kVkDelete:
      if (caret_ < CharCount()) {
        const size_t from = ByteOf(caret_);
        text_.erase(from, ByteOf(caret_ + 1) - from);
      }
      return true;
    case kVkLeft:
      if (caret_ > 0) --caret_;
      return true;
    case kVkRight:
      if (caret_ < CharCount()) ++caret_;
      return true;
    case kVkHome:
      caret_ = 0;
      return true;
    case kVkEnd:
      caret_ = CharCount();
      return true;
    default:
      return false;
  }
}

void LineEditor::Draw(ScreenBuffer& screen, int y, int x, int width, const Style& style,
                      bool focused) const {
  if (width <= 0) return;
  screen.Fill({y, x, 1, width}, style);
  // Skip characters from the start until the caret fits, with the cursor's cell to spare.
  const size_t caret_byte = ByteOf(caret_);
  int caret_col = TextWidth(std::string_view(text_).substr(0, caret_byte));
  size_t start = 0;
  while (caret_col >= width && start < caret_byte) {
    const Utf8Char c = DecodeUtf8(text_, start);
    caret_col -= CharWidth(c.code);
    start += static_cast<size_t>(c.bytes);
  }
  screen.Put(y, x, std::string_view(text_).substr(start), style, width);
  if (focused) screen.SetCursor(y, x + caret_col);
}

}  // namespace zel::tui
