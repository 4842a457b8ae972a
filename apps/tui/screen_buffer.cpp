#include "tui/screen_buffer.h"

#include <algorithm>

#include "tui/text_width.h"

namespace zel::tui {

namespace {
constexpr char32_t kReplacement = U'\uFFFD';
constexpr size_t kMaxStyles = 0xFFFF;
}  // namespace

void ScreenBuffer::Reset(int height, int width, const Style& style) {
  height_ = std::max(height, 0);
  width_ = std::max(width, 0);
  styles_.clear();
  styles_.push_back(style);
  last_style_ = 0;
  cells_.assign(static_cast<size_t>(height_) * width_, Cell{});
  clip_ = Bounds();
  cursor_y_ = -1;
}

void ScreenBuffer::SetClip(const Rect& clip) {
  const int top = std::max(clip.top, 0), left = std::max(clip.left, 0);
  const int bottom = std::min(clip.bottom(), height_), right = std::min(clip.right(), width_);
  clip_ = {top, left, std::max(bottom - top, 0), std::max(right - left, 0)};
}

uint16_t ScreenBuffer::StyleId(const Style& style) {
  if (styles_[last_style_] == style) return last_style_;
  for (size_t i = 0; i < styles_.size(); ++i) {
    if (styles_[i] == style) return last_style_ = static_cast<uint16_t>(i);
  }
  if (styles_.size() >= kMaxStyles) return 0;  // a frame never has this many; keep drawing
  styles_.push_back(style);
  return last_style_ = static_cast<uint16_t>(styles_.size() - 1);
}

void ScreenBuffer::Set(int y, int x, char32_t code, uint16_t style) {
  if (!clip_.Contains(y, x)) return;
  Cell& cell = cells_[Index(y, x)];
  // Overwriting one half of a wide character leaves a blank in its other half.
  if (code != 0 && cell.code == 0 && x > 0) cells_[Index(y, x - 1)].code = U' ';
  if (cell.code != 0 && x + 1 < width_ && cells_[Index(y, x + 1)].code == 0 &&
      CharWidth(cell.code) == 2) {
    cells_[Index(y, x + 1)].code = U' ';
  }
  cell = {code, style};
}

void ScreenBuffer::Fill(const Rect& area, const Style& style) {
  const uint16_t id = StyleId(style);
  const int top = std::max(area.top, clip_.top), bottom = std::min(area.bottom(), clip_.bottom());
  const int left = std::max(area.left, clip_.left), right = std::min(area.right(), clip_.right());
  if (left >= right) return;
  for (int y = top; y < bottom; ++y) {
    // Only the edges can cut a wide character; the cells between are simply replaced.
    Set(y, left, U' ', id);
    if (right - 1 > left) Set(y, right - 1, U' ', id);
    Cell* row = &cells_[Index(y, 0)];
    for (int x = left + 1; x < right - 1; ++x) row[x] = {U' ', id};
  }
}

int ScreenBuffer::Put(int y, int x, std::string_view text, const Style& style, int max_width) {
  if (y < clip_.top || y >= clip_.bottom() || max_width <= 0) return 0;
  const uint16_t id = StyleId(style);
  const int limit = std::min(x + max_width, clip_.right());
  int col = x;
  for (size_t pos = 0; pos < text.size() && col < limit;) {
    const Utf8Char c = DecodeUtf8(text, pos);
    pos += static_cast<size_t>(c.bytes);
    const char32_t code = IsUnprintable(c.code) ? kReplacement : c.code;
    const int w = CharWidth(code);
    if (w == 0) continue;  // combining marks are not drawn on their own cell
    if (col + w > limit || col < clip_.left) {
      // Cut by the edge, or starting left of the clip: blanks where it would have stood.
      for (int i = 0; i < w && col < limit; ++i, ++col) Set(y, col, U' ', id);
      continue;
    }
    Set(y, col, code, id);
    if (w == 2) Set(y, col + 1, 0, id);
    col += w;
  }
  return col - x;
}

void ScreenBuffer::PutField(int y, int x, int width, std::string_view text, const Style& style,
                            Align align) {
  if (width <= 0) return;
  Fill({y, x, 1, width}, style);
  PutAligned(y, x, width, text, style, align);
}

void ScreenBuffer::PutAligned(int y, int x, int width, std::string_view text, const Style& style,
                              Align align) {
  if (width <= 0 || text.empty()) return;
  int used = 0;
  const size_t bytes = FitWidth(text, width, used);
  int start = x;
  if (align == Align::Right) start = x + width - used;
  if (align == Align::Centre) start = x + (width - used) / 2;
  Put(y, start, text.substr(0, bytes), style, used);
}

void ScreenBuffer::Repeat(int y, int x, int count, char32_t code, const Style& style) {
  const uint16_t id = StyleId(style);
  for (int i = 0; i < count; ++i) Set(y, x + i, code, id);
}

void ScreenBuffer::Restyle(const Rect& area, const Style& style) {
  const uint16_t id = StyleId(style);
  const int top = std::max(area.top, clip_.top), bottom = std::min(area.bottom(), clip_.bottom());
  const int left = std::max(area.left, clip_.left), right = std::min(area.right(), clip_.right());
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) cells_[Index(y, x)].style = id;
  }
}

std::string ScreenBuffer::LineText(int y) const {
  std::string out;
  if (y < 0 || y >= height_) return out;
  for (int x = 0; x < width_; ++x) {
    const char32_t code = At(y, x).code;
    if (code != 0) AppendUtf8(out, code);
  }
  return out;
}

}  // namespace zel::tui
