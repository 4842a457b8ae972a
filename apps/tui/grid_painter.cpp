#include "tui/grid_painter.h"

#include <algorithm>

#include "tui/text_width.h"

namespace zel::tui {

namespace {

constexpr int32_t kCell = kTwipsPerCharCell;
constexpr int32_t kLine = kTwipsPerTextLine;

// The first character cell whose centre lies at or after `twips`.
int FirstCell(int32_t twips, int32_t unit) { return (twips + unit / 2 - 1) / unit; }

bool IsHeader(int32_t col, int32_t row) { return col <= 0 || row <= 0; }

// The text of a line of a (possibly multi-line) cell text; lines end at LF (a CR before it
// is dropped).
std::string_view LineOf(std::string_view text, int line) {
  size_t start = 0;
  for (int i = 0; i < line; ++i) {
    const size_t lf = text.find('\n', start);
    if (lf == std::string_view::npos) return {};
    start = lf + 1;
  }
  size_t end = text.find('\n', start);
  if (end == std::string_view::npos) end = text.size();
  if (end > start && text[end - 1] == '\r') --end;
  return text.substr(start, end - start);
}

int LineCount(std::string_view text) {
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

bool IsNumberKind(int16_t kind) {
  return kind == kCellFloat || kind == kCellInteger || kind == kCellNumber;
}

Align AlignOf(int16_t h_align) {
  return h_align == 1 ? Align::Right : h_align == 2 ? Align::Centre : Align::Left;
}

}  // namespace

GridPainter::GridPainter(const Grid& grid) : grid_(grid), view_(grid) {}

void GridPainter::AreaTwips(const Rect& area, int32_t& width, int32_t& height) {
  width = std::max(area.width, 0) * kCell;
  height = std::max(area.height, 0) * kLine;
}

void GridPainter::FitRowHeightsToLines(Grid& grid) {
  const auto fit = [&](int32_t row) {
    const int32_t lines = std::max((grid.RowHeightToTwips(grid.RowHeight(row)) + kLine / 2) / kLine, 1);
    grid.RowHeight(row, grid.TwipsToRowHeight(lines * kLine));
  };
  fit(-1);
  // Header row n is row -1000 + n (row 0 the first).
  for (int32_t n = 0; n < grid.ColHeaderRows(); ++n) fit(n == 0 ? 0 : -1000 + n);
}

void GridPainter::Paint(ScreenBuffer& screen, const Rect& area, const PaintState& state) {
  area_ = area;
  GridViewport viewport = view_.SessionViewport();
  AreaTwips(area, viewport.width, viewport.height);
  view_.Layout(viewport, layout_);

  const Rect saved_clip = screen.Clip();
  screen.SetClip(area);

  cols_.clear();
  for (const LayoutLine& c : layout_.cols) {
    const int first = std::min(FirstCell(c.pos, kCell), area.width);
    const int end = std::min(FirstCell(c.pos + c.size, kCell), area.width);
    const bool cut = FirstCell(c.pos + c.size, kCell) > area.width;
    if (end > first) cols_.push_back({c.index, area.left + first, area.left + end, cut});
  }
  rows_.clear();
  for (const LayoutLine& r : layout_.rows) {
    const int first = std::min(FirstCell(r.pos, kLine), area.height);
    const int end = std::min(FirstCell(r.pos + r.size, kLine), area.height);
    if (end > first) rows_.push_back({r.index, area.top + first, area.top + end});
  }
  // The area beyond the last column and row.
  const Style gray{0, grid_.GrayAreaBackColor(), 0};
  const int used_right = cols_.empty() ? area.left : cols_.back().end;
  const int used_bottom = rows_.empty() ? area.top : rows_.back().end;
  screen.Fill({area.top, used_right, area.height, area.right() - used_right}, gray);
  screen.Fill({used_bottom, area.left, area.bottom() - used_bottom, used_right - area.left}, gray);
  // The grid line after the last frozen column is drawn double.
  const int32_t frozen_cols = grid_.ColsFrozen();

  painted_spans_.clear();
  for (const Span& r : rows_) {
    for (const Span& c : cols_) {
      view_.Cell(c.index, r.index, look_);
      Rect rect{r.first, c.first, r.end - r.first, c.end - c.first};
      int32_t col = c.index, row = r.index;
      if (look_.span_cols > 1 || look_.span_rows > 1) {
        const std::pair<int32_t, int32_t> anchor{look_.span_col, look_.span_row};
        if (std::find(painted_spans_.begin(), painted_spans_.end(), anchor) != painted_spans_.end()) {
          continue;
        }
        painted_spans_.push_back(anchor);
        SpanRect(look_.span_col, look_.span_row, look_.span_cols, look_.span_rows, rect);
        col = look_.span_col, row = look_.span_row;
        if (col != c.index || row != r.index) view_.Cell(col, row, look_);
      }
      const int32_t last_col = col + std::max(look_.span_cols, 1) - 1;
      const bool cut = rect.right() == cols_.back().end && cols_.back().cut;
      const int line = cut ? 0 : (frozen_cols > 0 && last_col == frozen_cols) ? 2 : 1;
      PaintCell(screen, rect, col, row, line, state);
    }
  }
  if (state.focused && grid_.ComboDroppedDown()) PaintComboList(screen, area);
  screen.SetClip(saved_clip);
}

void GridPainter::PaintEditor(ScreenBuffer& screen, const Rect& rect, int text_width,
                              const Style& style) {
  // The editor's text from its start, or shifted so that the caret stays inside the cell.
  const std::string text = grid_.EditText();
  const int32_t caret = grid_.SelStart() + grid_.SelLength();
  size_t caret_byte = 0;
  int caret_cols = 0;
  for (int32_t i = 0; i < caret && caret_byte < text.size(); ++i) {
    const Utf8Char c = DecodeUtf8(text, caret_byte);
    caret_cols += CharWidth(c.code);
    caret_byte += static_cast<size_t>(c.bytes);
  }
  size_t start = 0;
  int shift = 0;
  while (caret_cols - shift >= text_width && start < text.size()) {
    const Utf8Char c = DecodeUtf8(text, start);
    shift += CharWidth(c.code);
    start += static_cast<size_t>(c.bytes);
  }
  Style edit = style;
  edit.attrs = static_cast<uint8_t>((edit.attrs & ~kAttrReverse) | kAttrUnderline);
  screen.Fill({rect.top, rect.left, 1, text_width}, edit);
  screen.Put(rect.top, rect.left, LineOf(std::string_view(text).substr(start), 0), edit, text_width);
  screen.SetCursor(rect.top, rect.left + std::clamp(caret_cols - shift, 0, std::max(text_width - 1, 0)));
}

void GridPainter::PaintComboList(ScreenBuffer& screen, const Rect& area) {
  const int32_t col = grid_.ActiveCol(), row = grid_.ActiveRow();
  Rect cell;
  if (!CellRect(col, row, cell)) return;
  view_.ComboItems(col, row, combo_items_);
  if (combo_items_.empty()) return;
  view_.Cell(col, row, look_);
  // A framed list under the cell (over it when there is more room there), as wide as the
  // cell or its longest caption; an item's code, far to the right of its caption, is cut.
  const int n = static_cast<int>(combo_items_.size());
  const int below = area.bottom() - cell.bottom() - 2, above = cell.top - area.top - 2;
  const bool down = below >= n || below >= above;
  const int shown = std::min(n, down ? below : above);
  if (shown <= 0) return;
  int inner = std::max(cell.width - 2, 4);
  for (const std::string& item : combo_items_) {
    const size_t end = item.find("  ");
    inner = std::max(inner, TextWidth(item.substr(0, end)) + 1);
  }
  inner = std::min(inner, std::max(area.width - 2, 1));
  const int left = std::clamp(cell.left, area.left, std::max(area.right() - inner - 2, area.left));
  const int top = down ? cell.bottom() : cell.top - shown - 2;
  int selected = -1;
  for (int i = 0; i < n; ++i) {
    if (combo_items_[static_cast<size_t>(i)] == look_.text) selected = i;
  }
  const int first = std::clamp(selected - shown + 1, 0, std::max(n - shown, 0));
  const Style frame{Rgb(0, 90, 170), 0xFFFFFF, 0};
  const Style normal{0x000000, 0xFFFFFF, 0};
  const Style chosen{0xFFFFFF, Rgb(0, 90, 170), 0};
  screen.Repeat(top, left, 1, U'┌', frame);
  screen.Repeat(top, left + 1, inner, U'─', frame);
  screen.Repeat(top, left + inner + 1, 1, U'┐', frame);
  for (int i = 0; i < shown; ++i) {
    const int item = first + i;
    const int y = top + 1 + i;
    screen.Repeat(y, left, 1, U'│', frame);
    screen.PutField(y, left + 1, inner, combo_items_[static_cast<size_t>(item)],
                    item == selected ? chosen : normal, Align::Left);
    const bool more_up = i == 0 && first > 0, more_down = i == shown - 1 && item < n - 1;
    screen.Repeat(y, left + inner + 1, 1, more_up ? U'▲' : more_down ? U'▼' : U'│', frame);
  }
  screen.Repeat(top + shown + 1, left, 1, U'└', frame);
  screen.Repeat(top + shown + 1, left + 1, inner, U'─', frame);
  screen.Repeat(top + shown + 1, left + inner + 1, 1, U'┘', frame);
}

void GridPainter::SpanRect(int32_t anchor_col, int32_t anchor_row, int32_t cols, int32_t rows,
                           Rect& rect) const {
  int left = rect.left, right = rect.right(), top = rect.top, bottom = rect.bottom();
  for (const Span& c : cols_) {
    if (c.index >= anchor_col && c.index < anchor_col + cols) {
      left = std::min(left, c.first);
      right = std::max(right, c.end);
    }
  }
  for (const Span& r : rows_) {
    if (r.index >= anchor_row && r.index < anchor_row + rows) {
      top = std::min(top, r.first);
      bottom = std::max(bottom, r.end);
    }
  }
  rect = {top, left, bottom - top, right - left};
}

void GridPainter::PaintCell(ScreenBuffer& screen, const Rect& rect, int32_t col, int32_t row,
                            int line, const PaintState& state) {
  const bool header = IsHeader(col, row);
  Style style{look_.fore, look_.back, 0};
  if (look_.font.bold || (header && row <= 0)) style.attrs |= kAttrBold;
  if (look_.font.underline) style.attrs |= kAttrUnderline;
  const bool active = look_.active && state.focused && !header;
  if (active) style.attrs |= kAttrReverse;
  screen.Fill(rect, style);

  // The grid line: the last character cell of the column.
  int text_width = rect.width;
  if (rect.width >= 2 && line > 0) {
    text_width = rect.width - 1;
    const Style line_style{grid_.GridColor(), look_.back, 0};
    for (int y = rect.top; y < rect.bottom(); ++y) {
      screen.Repeat(y, rect.right() - 1, 1, line == 2 ? U'║' : U'│', line_style);
    }
  }

  if (active && grid_.EditMode()) {
    PaintEditor(screen, rect, text_width, style);
    return;
  }

  if (look_.merged_up || look_.merged_left) return;  // a merged run shows its text once

  Align align = AlignOf(look_.h_align);
  text_.clear();
  switch (look_.kind) {
    case kCellCheckBox:
      text_ = look_.checked ? "[x]" : "[ ]";
      if (!look_.caption.empty()) text_ += " " + look_.caption;
      align = look_.check_center ? Align::Centre : Align::Left;
      break;
    case kCellButton: {
      text_ = "[" + (look_.caption.empty() ? look_.text : look_.caption) + "]";
      align = Align::Centre;
      const Style button{look_.button_text_color, look_.button_color, style.attrs};
      screen.Fill({rect.top, rect.left, rect.height, text_width}, button);
      screen.PutAligned(rect.top + (rect.height - 1) / 2, rect.left, text_width, text_, button, align);
      return;
    }
    case kCellPicture:
      return;
    case kCellFloat:
    case kCellInteger:
    case kCellNumber:
      // A number cut to its cell reads as another number ("123,456," for 123,456,789):
      // one too wide shows as marks, as a spreadsheet does, until the column is widened.
      text_ = look_.text;
      if (!header && TextWidth(text_) > text_width) text_.assign(static_cast<size_t>(text_width), '#');
      break;
    case kCellComboBox:
      // An item is its caption, blanks and its code far to the right, out of sight: the
      // caption alone is what may be cut.
      text_ = look_.text.substr(0, look_.text.find("  "));
      break;
    default:
      text_ = look_.text;
      break;
  }
  if (text_.empty()) return;

  const int all_lines = LineCount(text_);
  const int lines = (look_.wrap || rect.height > 1) ? std::min(all_lines, rect.height) : 1;
  int top = rect.top;
  if (look_.v_align == 1) top = rect.bottom() - lines;
  if (look_.v_align == 2 || header) top = rect.top + (rect.height - lines) / 2;
  // A text cut by its cell ends in a mark (numbers have theirs already); one cut by the
  // area's edge goes on beyond it and is left as it is.
  const bool mark_cut = line > 0 && (header || !IsNumberKind(look_.kind));
  for (int i = 0; i < lines; ++i) {
    std::string_view shown = LineOf(text_, i);
    if (mark_cut) shown = FitWithCutMark(shown, text_width, i == lines - 1 && lines < all_lines, cut_);
    screen.PutAligned(top + i, rect.left, text_width, shown, style, align);
  }
}

bool GridPainter::PointToTwips(int y, int x, float& tx, float& ty) const {
  if (!area_.Contains(y, x)) return false;
  // The centre of the character cell: inside the line that owns it (see FirstCell).
  tx = static_cast<float>((x - area_.left) * kCell + kCell / 2);
  ty = static_cast<float>((y - area_.top) * kLine + kLine / 2);
  const Span* col = nullptr;
  for (const Span& c : cols_) {
    if (x >= c.first && x < c.end) col = &c;
  }
  bool header_row = false;
  for (const Span& r : rows_) {
    if (y >= r.first && y < r.end) header_row = r.index <= 0;
  }
  // On a column's grid line within the header rows: the column's edge itself.
  if (col != nullptr && header_row && x == col->end - 1 && col->end - col->first >= 2) {
    for (const LayoutLine& c : layout_.cols) {
      if (c.index == col->index) tx = static_cast<float>(c.pos + c.size - 1);
    }
  }
  return true;
}

bool GridPainter::CellRect(int32_t col, int32_t row, Rect& out) const {
  for (const Span& r : rows_) {
    if (r.index != row) continue;
    for (const Span& c : cols_) {
      if (c.index == col) {
        out = {r.first, c.first, r.end - r.first, c.end - c.first};
        return true;
      }
    }
  }
  return false;
}

}  // namespace zel::tui
