// The user's keys, typed characters, focus and scrolling: moving the active cell, selecting
// with Shift, and handing editing keys to the editor (grid_edit.cpp).
#include <algorithm>

#include "grid/internal/grid_input.h"
#include "grid/internal/grid_ops.h"
#include "text/strings.h"

namespace zel {
using namespace internal;

namespace {

constexpr int16_t kShift = 1;
constexpr int16_t kCtrl = 2;
constexpr int16_t kAlt = 4;
// Bits of ClipboardOptions: which clipboard keys the grid carries out itself.
constexpr int16_t kClipCopy = 1;
constexpr int16_t kClipCut = 2;
constexpr int16_t kClipPaste = 4;

enum Key : int16_t {
  kBackspace = 8,
  kTab = 9,
  kEnter = 13,
  kEscape = 27,
  kPageUp = 33,
  kPageDown = 34,
  kEnd = 35,
  kHome = 36,
  kLeft = 37,
  kUp = 38,
  kRight = 39,
  kDown = 40,
  kDelete = 46,
  kKeyC = 67,
  kKeyV = 86,
  kKeyX = 88,
  kF2 = 113,
  kF4 = 115,
};

bool ColShown(const GridState& s, int32_t c) { return !s.ColumnAt("Input", c).hidden; }
bool RowShown(const GridState& s, int32_t r) {
  return s.hidden_rows.count(s.SlotOf("Input", r)) == 0;
}

// The next shown column from `c` in direction `dir` (c itself when none).
int32_t StepCol(const GridState& s, int32_t c, int32_t dir) {
  for (int32_t x = c + dir; x >= 1 && x <= s.max_cols; x += dir) {
    if (ColShown(s, x)) return x;
  }
  return c;
}

int32_t StepRow(const GridState& s, int32_t r, int32_t dir) {
  for (int32_t x = r + dir; x >= 1 && x <= s.max_rows; x += dir) {
    if (RowShown(s, x)) return x;
  }
  return r;
}

// `count` shown rows from r in direction dir, stopping at the grid's edge.
int32_t StepRows(const GridState& s, int32_t r, int32_t dir, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const int32_t next = StepRow(s, r, dir);
    if (next == r) break;
    r = next;
  }
  return r;
}

// `c` when it is shown, else the nearest shown column before it, else after it (c itself
// when every column is hidden): where the cursor goes for a hidden target.
int32_t NearestShownCol(const GridState& s, int32_t c) {
  if (ColShown(s, c)) return c;
  const int32_t before = StepCol(s, c, -1);
  return before != c ? before : StepCol(s, c, 1);
}

int32_t NearestShownRow(const GridState& s, int32_t r) {
  if (RowShown(s, r)) return r;
  const int32_t before = StepRow(s, r, -1);
  return before != r ? before : StepRow(s, r, 1);
}

// Whether column `col` shows whole in the viewport at the current scroll position, whatever
// the rows (the frozen columns always show, if they fit).
bool ColFits(const GridState& s, int32_t col) {
  int64_t at = 0;
  bool found = false;
  WalkCols(s, s.left_col, [&](int32_t c, LayoutLine::Area) {
    if (c == col) {
      found = true;
      return false;
    }
    at += ColTwips(s, c);
    return at < s.viewport_w;
  });
  const int32_t w = ColTwips(s, col);
  return found && w > 0 && at + w <= s.viewport_w;
}

bool RowFits(const GridState& s, int32_t row) {
  int64_t at = 0;
  bool found = false;
  WalkRows(s, s.top_row, [&](int32_t r, LayoutLine::Area) {
    if (r == row) {
      found = true;
      return false;
    }
    at += RowTwips(s, r);
    return at < s.viewport_h;
  });
  const int32_t h = RowTwips(s, row);
  return found && h > 0 && at + h <= s.viewport_h;
}

// Brings scrolled-off columns back on the left while the last shown column still shows whole,
// so that the view leaves no blank room at its right edge that they could fill; a view
// scrolled past every shown column (they were hidden, or LeftCol was set there) comes back to
// the last one first.
void FillColumns(GridState& s) {
  const int32_t last = StepCol(s, s.max_cols + 1, -1);
  if (last > s.max_cols || last <= s.cols_frozen) return;  // no shown column scrolls
  if (s.left_col > last) s.left_col = last;
  while (s.left_col - 1 > s.cols_frozen && ColFits(s, last)) {
    --s.left_col;
    if (!ColFits(s, last)) {
      ++s.left_col;
      break;
    }
  }
}

int32_t FirstShownCol(const GridState& s) { return StepCol(s, 0, 1) == 0 ? 1 : StepCol(s, 0, 1); }
int32_t LastShownCol(const GridState& s) {
  const int32_t c = StepCol(s, s.max_cols + 1, -1);
  return c > s.max_cols ? s.max_cols : c;
}

// Shown rows a page moves: those the viewport shows whole below the frozen ones, less one; at
// least 1. Without a viewport every row from TopRow on counts as shown.
int32_t PageRows(const GridState& s) {
  if (s.viewport_h <= 0) return std::max(s.max_rows - s.top_row, 1);
  int32_t shown = 0;
  int64_t at = 0;
  WalkRows(s, s.top_row, [&](int32_t r, LayoutLine::Area area) {
    const int32_t h = RowTwips(s, r);
    if (at + h > s.viewport_h) return false;
    at += h;
    if (area == LayoutLine::kScrolled && h > 0) ++shown;
    return true;
  });
  return std::max(shown - 1, 1);
}

bool AllCellsHaveData(const Grid& grid, int32_t row) {
  std::string t;
  for (int32_t c = 1; c <= grid.MaxCols(); ++c) {
    if (!grid.GetText(c, row, t)) return false;
  }
  return true;
}

// Whole rows are selected (a row header press selects its row for the row commands) and no
// editor is open: keys that would edit the active cell leave it alone.
bool RowsChosen(const GridState& s) {
  if (s.edit_mode) return false;
  return std::any_of(s.blocks.begin(), s.blocks.end(), [](const Block& b) { return b.col == -1; });
}

int32_t IsLastRow(const GridState& s, int32_t row) { return row == s.data_row_cnt ? 1 : 0; }

// Shift and an arrow: the block from the active cell to a far corner that moves.
void ExtendSelection(Grid& grid, int32_t dCol, int32_t dRow, int32_t pageRows) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  if (in.sel_end_col == 0) {
    in.sel_end_col = s.active_col;
    in.sel_end_row = s.active_row;
  }
  if (dCol != 0) in.sel_end_col = StepCol(s, in.sel_end_col, dCol);
  if (dRow != 0) in.sel_end_row = StepRows(s, in.sel_end_row, dRow, pageRows);
  const int32_t c1 = std::min(s.active_col, in.sel_end_col), c2 = std::max(s.active_col, in.sel_end_col);
  const int32_t r1 = std::min(s.active_row, in.sel_end_row), r2 = std::max(s.active_row, in.sel_end_row);
  grid.SetSelection(c1, r1, c2, r2);
  ScrollIntoView(grid, in.sel_end_col, in.sel_end_row);
  Listen(s).SelChange(c1, r1, c2, r2, s.active_col, s.active_row);
  Listen(s).BlockSelected(c1, r1, c2, r2);
}

// A move that drops the selection the user had.
void MoveAndDeselect(Grid& grid, int32_t col, int32_t row) {
  GridState& s = StateOf(grid);
  Input(s).sel_end_col = 0;
  Input(s).sel_end_row = 0;
  if (!s.blocks.empty()) grid.ClearSelection();
  MoveActiveCell(grid, col, row);
}

// The grid's own action for a key the listener let through.
void KeyAction(Grid& grid, int16_t key, int16_t shift) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  const bool ctrl = (shift & kCtrl) != 0;
  const bool alt = (shift & kAlt) != 0;
  const bool extend = (shift & kShift) != 0 && !ctrl && !alt;

  if (in.combo_open) {
    switch (key) {
      case kUp:
        if (alt) {
          CloseCombo(grid);
        } else {
          StepCombo(grid, -1);
        }
        return;
      case kDown:
        StepCombo(grid, 1);
        return;
      case kEscape: {
        // Back to the item the list opened with.
        const int32_t c = in.combo_col, r = in.combo_row;
        const std::vector<std::string_view> items =
            ComboItems(AsString(ReadPropAt(s, "Input", Prop::kComboList, c, r)));
        if (in.combo_sel_at_open >= 0 && static_cast<size_t>(in.combo_sel_at_open) < items.size()) {
          grid.SetText(c, r, items[static_cast<size_t>(in.combo_sel_at_open)]);
        }
        CloseCombo(grid);
        return;
      }
      case kEnter:
      case kF4:
        CloseCombo(grid);
        return;
      default:
        CloseCombo(grid);
        break;
    }
  }
  // The clipboard keys, as ClipboardOptions allows them.
  if (ctrl && !alt && (key == kKeyC || key == kKeyX || key == kKeyV)) {
    const int16_t allowed = s.clipboard_options;
    if (key == kKeyC && (allowed & kClipCopy) != 0) CopyKey(grid, false);
    if (key == kKeyX && (allowed & kClipCut) != 0) CopyKey(grid, true);
    if (key == kKeyV && (allowed & kClipPaste) != 0) PasteKey(grid);
    return;
  }
  if (!extend && EditorKey(grid, key, shift)) return;

  const int32_t ac = s.active_col, ar = s.active_row;
  if (s.max_rows < 1 || s.max_cols < 1) return;
  if (RowsChosen(s) && (key == kF2 || key == kF4 || key == kDelete || key == kBackspace || (key == kDown && alt))) {
    return;
  }
  switch (key) {
    case kEnter:
      CommitEdit(grid);
      return;
    case kEscape:
      CancelEdit(grid);
      return;
    case kF2:
      BeginEdit(grid, true, false);
      Input(s).caret_mode = s.edit_mode && Input(s).edit_by_user;
      return;
    case kF4:
      OpenCombo(grid);
      return;
    case kDelete:
      // Outside the editor Delete empties the cell, as a spreadsheet does.
      if (IsUserEditable(grid, ac, ar)) {
        BeginEdit(grid, true, true);
        CommitEdit(grid);
      }
      return;
    case kBackspace:
      if (IsUserEditable(grid, ac, ar)) {
        BeginEdit(grid, true, true);
        if (s.edit_mode) Listen(s).EditChange(ac, ar);
      }
      return;
    case kTab: {
      const bool back = (shift & kShift) != 0;
      int32_t c = StepCol(s, ac, back ? -1 : 1);
      int32_t r = ar;
      if (c == ac) {
        // Past the row's end Tab goes on at the next row's start (and back the other way).
        const int32_t nr = StepRow(s, ar, back ? -1 : 1);
        if (nr != ar) {
          r = nr;
          c = back ? LastShownCol(s) : FirstShownCol(s);
        }
      }
      MoveAndDeselect(grid, c, r);
      return;
    }
    default:
      break;
  }

  const int32_t page = (key == kPageUp || key == kPageDown) ? PageRows(s) : 1;
  if (extend) {
    switch (key) {
      case kLeft: ExtendSelection(grid, -1, 0, 1); return;
      case kRight: ExtendSelection(grid, 1, 0, 1); return;
      case kUp: ExtendSelection(grid, 0, -1, 1); return;
      case kDown: ExtendSelection(grid, 0, 1, 1); return;
      case kPageUp: ExtendSelection(grid, 0, -1, page); return;
      case kPageDown: ExtendSelection(grid, 0, 1, page); return;
      default: break;
    }
  }
  switch (key) {
    case kLeft:
      MoveAndDeselect(grid, StepCol(s, ac, -1), ar);
      return;
    case kRight:
      MoveAndDeselect(grid, StepCol(s, ac, 1), ar);
      return;
    case kUp:
      MoveAndDeselect(grid, ac, StepRow(s, ar, -1));
      return;
    case kDown:
      if (alt) {
        OpenCombo(grid);
        return;
      }
      MoveAndDeselect(grid, ac, StepRow(s, ar, 1));
      return;
    case kPageUp:
    case kPageDown: {
      const int32_t dir = key == kPageDown ? 1 : -1;
      const int32_t r = StepRows(s, ar, dir, page);
      ScrollTo(grid, std::max(s.top_row + dir * page, s.rows_frozen + 1), s.left_col);
      MoveAndDeselect(grid, ac, r);
      return;
    }
    case kHome: {
      // The row's first shown cell (the sheet's with Ctrl), and the view back at its first
      // columns (and rows): scrolling to the cursor alone leaves the view where it is when
      // that cell is in a frozen column.
      const int32_t c = FirstShownCol(s), r = ctrl ? StepRow(s, 0, 1) : ar;
      MoveAndDeselect(grid, c, r);
      if (s.active_col == c && s.active_row == r) ScrollTo(grid, ctrl ? 1 : s.top_row, 1);
      return;
    }
    case kEnd:
      if (ctrl) {
        MoveAndDeselect(grid, std::max(grid.DataColCnt(), 1), std::max(s.data_row_cnt, 1));
      } else {
        MoveAndDeselect(grid, LastShownCol(s), ar);
      }
      return;
    default:
      return;  // a key the grid has no action for
  }
}

}  // namespace

namespace internal {

void MoveActiveCell(Grid& grid, int32_t col, int32_t row) {
  GridState& s = StateOf(grid);
  if (s.max_rows < 1 || s.max_cols < 1) return;
  // The cursor never rests on a hidden column or row: the user could not see it there.
  col = NearestShownCol(s, std::clamp(col, 1, s.max_cols));
  row = NearestShownRow(s, std::clamp(row, 1, s.max_rows));
  const int32_t ac = s.active_col, ar = s.active_row;
  InputState& in = Input(s);
  if (col == ac && row == ar) {
    ScrollIntoView(grid, col, row);
    return;
  }
  CommitEdit(grid);
  GridListener& listener = Listen(s);
  const uint64_t placed = in.placements;
  bool cancel = false;
  listener.LeaveCell(ac, ar, col, row, cancel);
  // A listener that cancels keeps the cell; one that placed the cursor itself (the cell
  // left included) keeps it there.
  if (cancel || in.placements != placed) return;
  if (row != ar) {
    bool rowCancel = false;
    listener.LeaveRow(ar, IsLastRow(s, ar) != 0, in.row_changed, AllCellsHaveData(grid, ar), row,
                      IsLastRow(s, row), rowCancel);
    if (rowCancel || in.placements != placed) return;
  }
  grid.SetActiveCell(col, row);
  if (row != ar) {
    in.row_changed = false;
    listener.EnterRow(row, IsLastRow(s, row));
  }
  if (s.edit_mode_permanent && IsUserEditable(grid, col, row)) BeginEdit(grid, false, false);
  ScrollIntoView(grid, s.active_col, s.active_row);
}

void ScrollTo(Grid& grid, int32_t topRow, int32_t leftCol) {
  GridState& s = StateOf(grid);
  const int32_t oldTop = s.top_row, oldLeft = s.left_col;
  const int32_t top = std::clamp(topRow, std::min(s.rows_frozen + 1, std::max(s.max_rows, 1)),
                                 std::max(s.max_rows, 1));
  const int32_t left = std::clamp(leftCol, std::min(s.cols_frozen + 1, std::max(s.max_cols, 1)),
                                  std::max(s.max_cols, 1));
  if (top == oldTop && left == oldLeft) return;
  s.top_row = top;
  s.left_col = left;
  NoteAllChanged(s);
  Listen(s).TopLeftChange(oldLeft, oldTop, left, top);
}

void ScrollIntoView(Grid& grid, int32_t col, int32_t row) {
  GridState& s = StateOf(grid);
  if (s.viewport_w <= 0 || s.viewport_h <= 0) return;  // nothing is shown: nothing to scroll
  const int32_t oldTop = s.top_row, oldLeft = s.left_col;
  // A hidden line has no place on the screen: its axis does not scroll for it.
  if (row > s.rows_frozen && row <= s.max_rows && RowShown(s, row) && !RowFits(s, row)) {
    if (row < s.top_row) {
      s.top_row = row;
    } else {
      // A step or two down is the common case; beyond that, put the row at the top and
      // bring as many rows above it back as still fit.
      int32_t steps = 0;
      while (steps < 3 && s.top_row < row && !RowFits(s, row)) {
        ++s.top_row;
        ++steps;
      }
      if (!RowFits(s, row)) {
        s.top_row = row;
        while (s.top_row - 1 > s.rows_frozen) {
          --s.top_row;
          if (!RowFits(s, row)) {
            ++s.top_row;
            break;
          }
        }
      }
    }
  }
  if (col > s.cols_frozen && col <= s.max_cols && ColShown(s, col) && !ColFits(s, col)) {
    s.left_col = col;
    if (col > oldLeft) {
      // Moving right: the column ends at the right edge.
      while (s.left_col - 1 > s.cols_frozen) {
        --s.left_col;
        if (!ColFits(s, col)) {
          ++s.left_col;
          break;
        }
      }
    }
  }
  FillColumns(s);
  if (s.top_row != oldTop || s.left_col != oldLeft) {
    NoteAllChanged(s);
    Listen(s).TopLeftChange(oldLeft, oldTop, s.left_col, s.top_row);
  }
}

}  // namespace internal

void Grid::InputKeyDown(int16_t keyCode, int16_t shift) {
  GridListener& listener = Listen(*state_);
  listener.KeyDown(keyCode, shift);
  if (keyCode == 0) return;
  if (keyCode == kEnter && (shift & kCtrl) != 0) {
    // Ctrl+Enter types a line feed: a line break in a multi-line cell.
    int16_t typed = '\n';
    listener.KeyPress(typed);
    if (typed != 0) TypeChar(*this, static_cast<char32_t>(static_cast<uint16_t>(typed)));
    return;
  }
  if (keyCode == kEnter || keyCode == kBackspace) {
    // The characters these keys type.
    int16_t typed = keyCode;
    listener.KeyPress(typed);
    if (typed == 0) return;
  }
  KeyAction(*this, keyCode, shift);
}

void Grid::InputKeyUp(int16_t keyCode, int16_t shift) { Listen(*state_).KeyUp(keyCode, shift); }

void Grid::InputText(std::string_view utf8) {
  size_t pos = 0;
  while (pos < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    if (lead >= 0x80 && text::CharSizeAt(utf8, pos) == 1) {
      ++pos;  // not UTF-8: dropped
      continue;
    }
    const char32_t ch = text::DecodeAt(utf8, pos);
    switch (ch) {
      case '\r':
        if (pos < utf8.size() && utf8[pos] == '\n') ++pos;
        InputKeyDown(kEnter, 0);
        continue;
      case '\n':
        InputKeyDown(kEnter, 0);
        continue;
      case '\t':
        InputKeyDown(kTab, 0);
        continue;
      case 8:
      case 127:
        InputKeyDown(kBackspace, 0);
        continue;
      case 27:
        InputKeyDown(kEscape, 0);
        continue;
      default:
        break;
    }
    if (ch < 0x20 || ch > 0xFFFF || RowsChosen(*state_)) continue;
    if (ch == ' ' && IsPressable(*state_, state_->active_col, state_->active_row)) {
      // Space on a check box or button presses it: a key of the cell, not a character.
      PressCell(*this, state_->active_col, state_->active_row);
      continue;
    }
    auto keyAscii = static_cast<int16_t>(static_cast<uint16_t>(ch));
    Listen(*state_).KeyPress(keyAscii);
    if (keyAscii == 0) continue;
    TypeChar(*this, static_cast<char32_t>(static_cast<uint16_t>(keyAscii)));
  }
}

bool Grid::InputFocus(bool gained) {
  GridState& s = *state_;
  InputState& in = Input(s);
  if (gained) {
    in.has_focus = true;
    Listen(s).GotFocus();
    return true;
  }
  bool cancel = false;
  Listen(s).Validate(s.active_col, s.active_row, cancel);
  if (cancel) return false;
  CloseCombo(*this);
  CommitEdit(*this);
  in.has_focus = false;
  Listen(s).LostFocus();
  return true;
}

void Grid::InputWheel(int32_t lines) {
  const int64_t top = static_cast<int64_t>(state_->top_row) + lines;
  ScrollTo(*this, static_cast<int32_t>(std::clamp<int64_t>(top, 1, kMaxDims)), state_->left_col);
}

void Grid::InputScroll(int32_t topRow, int32_t leftCol) { ScrollTo(*this, topRow, leftCol); }

int32_t Grid::DoubleClickTime() const {
  return state_->input ? state_->input->double_click_ms : kDefaultDoubleClickMs;
}

void Grid::DoubleClickTime(int32_t ms) {
  if (ms < 0) Fail("DoubleClickTime", "time " + AddrText(ms) + " is negative");
  Input(*state_).double_click_ms = ms;
}

std::string Grid::EditText() const {
  if (!state_->edit_mode) return {};
  RefreshProgramEdit(const_cast<Grid&>(*this));
  return state_->input->edit_text;
}

bool Grid::ComboDroppedDown() const { return state_->input && state_->input->combo_open; }

}  // namespace zel
