// The cell editor and what the user may type into each kind of cell; check boxes, buttons
// and combo box lists; the clipboard keys. See grid_input.h for the editor's life.
#include <algorithm>
#include <cstdlib>

#include "grid/internal/grid_input.h"
#include "grid/internal/grid_ops.h"
#include "text/number.h"
#include "text/strings.h"

namespace zel::internal {

namespace {

// Character filters of edit cells (TypeEditCharSet) and cases (TypeEditCharCase).
constexpr int64_t kFilterLetters = 1;
constexpr int64_t kFilterLettersDigits = 2;
constexpr int64_t kFilterDigits = 3;
constexpr int64_t kCaseLower = 0;
constexpr int64_t kCaseUpper = 2;
// The mask character that takes a typed character in a pattern cell; others are literals.
constexpr char kMaskPlaceholder = 'X';
constexpr size_t kDateTextMax = 10;
constexpr size_t kTimeTextMax = 8;

int64_t IntAt(const GridState& s, Prop p, int32_t c, int32_t r) {
  return AsInt(ReadPropAt(s, "Input", p, c, r));
}
double DoubleAt(const GridState& s, Prop p, int32_t c, int32_t r) {
  return AsDouble(ReadPropAt(s, "Input", p, c, r));
}
const std::string& StringAt(const GridState& s, Prop p, int32_t c, int32_t r) {
  return AsString(ReadPropAt(s, "Input", p, c, r));
}

bool IsDataCell(const GridState& s, int32_t c, int32_t r) {
  return c >= 1 && c <= s.max_cols && r >= 1 && r <= s.max_rows;
}

bool IsNumberKind(int64_t kind) {
  return kind == kCellFloat || kind == kCellNumber || kind == kCellInteger;
}

bool IsLocked(const GridState& s, int32_t c, int32_t r) {
  return s.protect && IntAt(s, Prop::kLock, c, r) != 0;
}

std::string Utf8(char32_t ch) {
  std::string out;
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
  return out;
}

bool IsAsciiLetter(char32_t ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool IsDigit(char32_t ch) { return ch >= '0' && ch <= '9'; }

// The editor's selection as byte offsets into its text.
void SelectionBytes(const GridState& s, const InputState& in, size_t& from, size_t& to) {
  const size_t n = text::CharCount(in.edit_text);
  const size_t start = std::min<size_t>(static_cast<size_t>(s.sel_start), n);
  const size_t end = std::min<size_t>(start + static_cast<size_t>(s.sel_length), n);
  from = text::ByteOffset(in.edit_text, start);
  to = text::ByteOffset(in.edit_text, end);
}

void SetCaret(GridState& s, size_t chars) {
  s.sel_start = static_cast<int32_t>(std::min<size_t>(chars, INT32_MAX));
  s.sel_length = 0;
}

// The editor's text after `insert` replaces its selection, caret after it.
std::string Replaced(const GridState& s, const InputState& in, std::string_view insert,
                     size_t& caret) {
  size_t from = 0, to = 0;
  SelectionBytes(s, in, from, to);
  std::string out = in.edit_text.substr(0, from);
  out += insert;
  caret = text::CharCount(out);
  out += in.edit_text.substr(to);
  return out;
}

// Whether a number cell may hold `t` while it is typed: an optional leading "-", digits,
// and (float and number cells with decimal places) one decimal point followed by at most
// that many digits.
bool IsNumberInProgress(std::string_view t, int64_t kind, int64_t places, char point) {
  size_t i = 0;
  if (i < t.size() && t[i] == '-') ++i;
  bool seenPoint = false;
  int64_t decimals = 0;
  for (; i < t.size(); ++i) {
    const char ch = t[i];
    if (ch == point && kind != kCellInteger && places > 0 && !seenPoint) {
      seenPoint = true;
    } else if (ch >= '0' && ch <= '9') {
      if (seenPoint && ++decimals > places) return false;
    } else {
      return false;
    }
  }
  return true;
}

// The pattern text with `ch` typed after what is filled: the mask's literals up to the next
// placeholder come with it. Empty when the mask is full.
std::string PatternTyped(std::string_view filled, std::string_view mask, char32_t ch) {
  std::string out(filled);
  size_t n = text::CharCount(out);
  const size_t maskLen = text::CharCount(mask);
  while (n < maskLen && text::MidView(mask, static_cast<int32_t>(n) + 1, 1)[0] != kMaskPlaceholder) {
    out += text::MidView(mask, static_cast<int32_t>(n) + 1, 1);
    ++n;
  }
  if (n >= maskLen) return {};
  return out + Utf8(ch);
}

// The number limits of a number cell accept `t` (an empty text always does).
bool WithinLimits(const GridState& s, int32_t c, int32_t r, const std::string& t) {
  const int64_t kind = IntAt(s, Prop::kKind, c, r);
  if (!IsNumberKind(kind) || text::TrimView(t).empty()) return true;
  const double v = text::Val(t);
  if (kind == kCellInteger) {
    return v >= static_cast<double>(IntAt(s, Prop::kIntMin, c, r)) &&
           v <= static_cast<double>(IntAt(s, Prop::kIntMax, c, r));
  }
  return v >= DoubleAt(s, Prop::kFloatMin, c, r) && v <= DoubleAt(s, Prop::kFloatMax, c, r);
}

void SetClipboard(GridState& s, const std::string& t) {
  if (s.clipboard) {
    s.clipboard->Clear();
    s.clipboard->SetText(t);
  } else {
    s.own_clipboard = t;
  }
}

std::string ClipboardText(const GridState& s) {
  return s.clipboard ? s.clipboard->GetText() : s.own_clipboard;
}

// Writes `value` into a cell the user changed (not in the editor) and tells the listener.
void UserWrite(Grid& grid, int32_t c, int32_t r, std::string_view value) {
  GridState& s = StateOf(grid);
  std::string before;
  grid.GetText(c, r, before);
  grid.SetText(c, r, value);
  std::string after;
  grid.GetText(c, r, after);
  if (after == before) return;
  s.change_made = true;
  Input(s).row_changed = true;
  Listen(s).Change(c, r);
}

// The cells a grid-wide clipboard key works on: the selected block, else the active cell.
CellRange UserRange(const Grid& grid) {
  const GridState& s = StateOf(grid);
  if (grid.IsBlockSelected()) {
    int32_t c1 = grid.SelBlockCol(), c2 = grid.SelBlockCol2();
    int32_t r1 = grid.SelBlockRow(), r2 = grid.SelBlockRow2();
    if (c1 == -1) c1 = 1, c2 = s.max_cols;
    if (r1 == -1) r1 = 1, r2 = s.data_row_cnt;
    return CellRange{std::min(c1, c2), std::max(c1, c2), std::min(r1, r2), std::max(r1, r2)};
  }
  return CellRange{s.active_col, s.active_col, s.active_row, s.active_row};
}

}  // namespace

InputState& Input(GridState& s) {
  if (!s.input) s.input = std::make_shared<InputState>();
  return *s.input;
}

GridListener& Listen(GridState& s) {
  return s.listener != nullptr ? *s.listener : Input(s).quiet;
}

bool IsUserEditable(Grid& grid, int32_t col, int32_t row) {
  const GridState& s = StateOf(grid);
  if (!IsDataCell(s, col, row) || IsLocked(s, col, row)) return false;
  switch (IntAt(s, Prop::kKind, col, row)) {
    case kCellDate:
    case kCellEdit:
    case kCellFloat:
    case kCellInteger:
    case kCellPattern:
    case kCellTime:
    case kCellNumber:
      return true;
    case kCellComboBox:
      return IntAt(s, Prop::kComboEditable, col, row) != 0;
    default:
      return false;
  }
}

void BeginEdit(Grid& grid, bool byUser, bool replace) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  const int32_t c = s.active_col, r = s.active_row;
  if (s.edit_mode && in.edit_col == c && in.edit_row == r) {
    if (!byUser || in.edit_by_user) return;
    // The program's edit, untouched, becomes the user's: it starts again from what the cell
    // holds now (the program may have written the cell since it opened the editor).
    s.edit_mode = false;
  }
  if (s.edit_mode) CommitEdit(grid);
  if (byUser && !IsUserEditable(grid, c, r)) return;
  std::string original;
  if (IsDataCell(s, c, r)) {
    const Column& column = s.ColumnAt("EditMode", c);
    const uint32_t slot = s.SlotOf("EditMode", r);
    original = IsNumberKind(IntAt(s, Prop::kKind, c, r)) ? PlainValue(s, column, slot)
                                                          : ShownText(s, column, slot);
  }
  in.edit_col = c;
  in.edit_row = r;
  in.edit_original = original;
  in.edit_text = replace ? std::string() : original;
  in.edit_by_user = byUser;
  in.caret_mode = byUser && !replace;
  s.edit_mode = true;
  NoteChange(s, c, r, c, r);
  const size_t n = text::CharCount(in.edit_text);
  if (!replace && s.edit_mode_replace && !byUser) {
    s.sel_start = 0;
    s.sel_length = static_cast<int32_t>(std::min<size_t>(n, INT32_MAX));
  } else {
    SetCaret(s, n);
  }
  if (byUser) Listen(s).EditMode(c, r, 1, false);
}

void CommitEdit(Grid& grid) {
  GridState& s = StateOf(grid);
  if (!s.edit_mode) return;
  InputState& in = Input(s);
  const int32_t c = in.edit_col, r = in.edit_row;
  const bool byUser = in.edit_by_user;
  const std::string typed = std::move(in.edit_text);
  s.edit_mode = false;
  in.edit_by_user = false;
  in.caret_mode = false;
  in.edit_text.clear();
  SetCaret(s, 0);
  if (IsDataCell(s, c, r)) NoteChange(s, c, r, c, r);
  bool changed = typed != in.edit_original && IsDataCell(s, c, r) && WithinLimits(s, c, r, typed);
  if (changed) {
    grid.SetText(c, r, typed);
    s.change_made = true;
    in.row_changed = true;
  }
  if (byUser || changed) Listen(s).EditMode(c, r, 0, changed);
  if (changed) Listen(s).Change(c, r);
}

void CancelEdit(Grid& grid) {
  GridState& s = StateOf(grid);
  if (!s.edit_mode) return;
  InputState& in = Input(s);
  const bool byUser = in.edit_by_user;
  s.edit_mode = false;
  in.edit_by_user = false;
  in.caret_mode = false;
  in.edit_text.clear();
  SetCaret(s, 0);
  if (IsDataCell(s, in.edit_col, in.edit_row)) NoteChange(s, in.edit_col, in.edit_row, in.edit_col, in.edit_row);
  if (byUser) Listen(s).EditMode(in.edit_col, in.edit_row, 0, false);
}

void TypeChar(Grid& grid, char32_t ch) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  const int32_t c = s.active_col, r = s.active_row;
  if (!IsDataCell(s, c, r)) return;
  const int64_t kind = IntAt(s, Prop::kKind, c, r);
  if (kind == kCellCheckBox || kind == kCellButton) {
    if (ch == ' ') PressCell(grid, c, r);
    return;
  }
  if (!IsUserEditable(grid, c, r)) return;
  if (!s.edit_mode || in.edit_col != c || in.edit_row != r) {
    BeginEdit(grid, true, true);  // typing over the cell
  } else if (!in.edit_by_user) {
    // Into the editor the program opened: over its text when EditModeReplace selects it.
    BeginEdit(grid, true, s.edit_mode_replace);
  }
  if (!s.edit_mode) return;

  std::string insert;
  std::string candidate;
  size_t caret = 0;
  switch (kind) {
    case kCellFloat:
    case kCellNumber:
    case kCellInteger: {
      const std::string point = s.float_decimal.empty() ? "." : s.float_decimal;
      if (ch >= 0x80) return;
      insert = Utf8(ch);
      candidate = Replaced(s, in, insert, caret);
      if (!IsNumberInProgress(candidate, kind, IntAt(s, Prop::kFloatDec, c, r), point[0])) return;
      break;
    }
    case kCellPattern: {
      candidate = PatternTyped(in.edit_text, StringAt(s, Prop::kPicMask, c, r), ch);
      if (candidate.empty()) return;
      caret = text::CharCount(candidate);
      break;
    }
    case kCellDate:
    case kCellTime: {
      const bool date = kind == kCellDate;
      const bool separator = date ? (ch == '-' || ch == '.' || ch == '/') : ch == ':';
      if (!IsDigit(ch) && !separator) return;
      candidate = Replaced(s, in, Utf8(ch), caret);
      if (candidate.size() > (date ? kDateTextMax : kTimeTextMax)) return;
      break;
    }
    default: {
      if (ch == '\n') {
        // A line break, in a multi-line cell only.
        if (IntAt(s, Prop::kMultiLine, c, r) == 0) return;
        candidate = Replaced(s, in, "\r\n", caret);
        break;
      }
      const int64_t filter = IntAt(s, Prop::kCharSet, c, r);
      // Letters are the ASCII ones and every character beyond ASCII (Hangul included).
      const bool letter = IsAsciiLetter(ch) || ch >= 0x80;
      if ((filter == kFilterLetters && !letter) ||
          (filter == kFilterLettersDigits && !letter && !IsDigit(ch)) ||
          (filter == kFilterDigits && !IsDigit(ch))) {
        return;
      }
      const int64_t charCase = IntAt(s, Prop::kCharCase, c, r);
      if (charCase == kCaseLower && ch >= 'A' && ch <= 'Z') ch = ch - 'A' + 'a';
      if (charCase == kCaseUpper && ch >= 'a' && ch <= 'z') ch = ch - 'a' + 'A';
      candidate = Replaced(s, in, Utf8(ch), caret);
      const int64_t maxLen = IntAt(s, Prop::kMaxLen, c, r);
      if (maxLen > 0 && static_cast<int64_t>(text::CharCount(candidate)) > maxLen) return;
      break;
    }
  }
  if (candidate == in.edit_text) return;
  in.edit_text = std::move(candidate);
  SetCaret(s, caret);
  NoteChange(s, c, r, c, r);
  Listen(s).EditChange(c, r);
}

bool EditorKey(Grid& grid, int16_t keyCode, int16_t /*shift*/) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  if (!s.edit_mode || in.edit_col != s.active_col || in.edit_row != s.active_row) return false;
  const size_t n = text::CharCount(in.edit_text);
  const size_t start = std::min<size_t>(static_cast<size_t>(s.sel_start), n);
  auto erase = [&](bool before) {
    if (s.sel_length == 0) {
      if (before ? start == 0 : start >= n) return;
      s.sel_start = static_cast<int32_t>(before ? start - 1 : start);
      s.sel_length = 1;
    }
    size_t caret = 0;
    std::string next = Replaced(s, in, "", caret);
    if (!in.edit_by_user) BeginEdit(grid, true, false);
    in.edit_text = std::move(next);
    SetCaret(s, caret);
    NoteChange(s, in.edit_col, in.edit_row, in.edit_col, in.edit_row);
    Listen(s).EditChange(in.edit_col, in.edit_row);
  };
  switch (keyCode) {
    case 8:  // Backspace
      erase(true);
      return true;
    case 46:  // Delete
      erase(false);
      return true;
    case 37:  // Left
      if (!in.caret_mode) return false;
      if (s.sel_length > 0) {
        SetCaret(s, start);
      } else if (start > 0) {
        SetCaret(s, start - 1);
      } else {
        return false;
      }
      return true;
    case 39:  // Right
      if (!in.caret_mode) return false;
      if (s.sel_length > 0) {
        SetCaret(s, std::min(n, start + static_cast<size_t>(s.sel_length)));
      } else if (start < n) {
        SetCaret(s, start + 1);
      } else {
        return false;
      }
      return true;
    case 36:  // Home
      if (!in.caret_mode) return false;
      SetCaret(s, 0);
      return true;
    case 35:  // End
      if (!in.caret_mode) return false;
      SetCaret(s, n);
      return true;
    default:
      return false;
  }
}

bool IsPressable(const GridState& s, int32_t col, int32_t row) {
  if (!IsDataCell(s, col, row)) return false;
  const int64_t kind = IntAt(s, Prop::kKind, col, row);
  return kind == kCellCheckBox || kind == kCellButton;
}

bool PressCell(Grid& grid, int32_t col, int32_t row) {
  GridState& s = StateOf(grid);
  if (!IsDataCell(s, col, row) || IsLocked(s, col, row)) return false;
  const int64_t kind = IntAt(s, Prop::kKind, col, row);
  if (kind == kCellCheckBox) {
    std::string now;
    grid.GetText(col, row, now);
    const bool ticked = now != "1";
    grid.SetText(col, row, ticked ? "1" : "0");
    s.change_made = true;
    Input(s).row_changed = true;
    Listen(s).ButtonClicked(col, row, ticked ? 1 : 0);
    return true;
  }
  if (kind == kCellButton) {
    Listen(s).ButtonClicked(col, row, 0);
    return true;
  }
  return false;
}

namespace {
int32_t ComboCurSel(const Grid& grid, int32_t c, int32_t r) {
  const GridState& s = StateOf(grid);
  std::string shown;
  grid.GetText(c, r, shown);
  const std::vector<std::string_view> items = ComboItems(StringAt(s, Prop::kComboList, c, r));
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == shown) return static_cast<int32_t>(i);
  }
  return -1;
}
}  // namespace

void OpenCombo(Grid& grid) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  const int32_t c = s.active_col, r = s.active_row;
  if (in.combo_open || !IsDataCell(s, c, r) || IsLocked(s, c, r)) return;
  if (IntAt(s, Prop::kKind, c, r) != kCellComboBox) return;
  in.combo_open = true;
  in.combo_col = c;
  in.combo_row = r;
  in.combo_sel_at_open = ComboCurSel(grid, c, r);
  Listen(s).ComboDropDown(c, r);
}

void StepCombo(Grid& grid, int32_t step) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  if (!in.combo_open) return;
  const int32_t c = in.combo_col, r = in.combo_row;
  const std::vector<std::string_view> items = ComboItems(StringAt(s, Prop::kComboList, c, r));
  if (items.empty()) return;
  const int32_t now = ComboCurSel(grid, c, r);
  const int32_t next =
      std::clamp(now < 0 ? (step > 0 ? 0 : static_cast<int32_t>(items.size()) - 1) : now + step,
                 0, static_cast<int32_t>(items.size()) - 1);
  if (next == now) return;
  grid.SetText(c, r, items[static_cast<size_t>(next)]);
  Listen(s).ComboSelChange(c, r);
}

void CloseCombo(Grid& grid) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  if (!in.combo_open) return;
  in.combo_open = false;
  const int32_t c = in.combo_col, r = in.combo_row;
  const bool changed = ComboCurSel(grid, c, r) != in.combo_sel_at_open;
  if (changed) {
    s.change_made = true;
    in.row_changed = true;
  }
  Listen(s).ComboCloseUp(c, r, changed ? 1 : 0);
  if (changed) Listen(s).Change(c, r);
}

void RefreshProgramEdit(Grid& grid) {
  GridState& s = StateOf(grid);
  if (!s.edit_mode || !s.input || s.input->edit_by_user) return;
  // An editor the program opened and nobody typed into shows what its cell holds now.
  s.edit_mode = false;
  const int32_t savedStart = s.sel_start, savedLength = s.sel_length;
  BeginEdit(grid, false, false);
  if (!s.edit_mode_replace) {
    s.sel_start = savedStart;
    s.sel_length = savedLength;
  }
}

std::string_view EditorSelection(const GridState& s) {
  size_t from = 0, to = 0;
  SelectionBytes(s, *s.input, from, to);
  return std::string_view(s.input->edit_text).substr(from, to - from);
}

void ReplaceEditorSelection(Grid& grid, std::string_view insert) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  size_t caret = 0;
  in.edit_text = Replaced(s, in, insert, caret);
  SetCaret(s, caret);
  if (IsDataCell(s, in.edit_col, in.edit_row)) NoteChange(s, in.edit_col, in.edit_row, in.edit_col, in.edit_row);
}

void CopyKey(Grid& grid, bool cut) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  if (s.edit_mode) {
    size_t from = 0, to = 0;
    SelectionBytes(s, in, from, to);
    SetClipboard(s, in.edit_text.substr(from, to - from));
    if (cut && to > from) EditorKey(grid, 46, 0);
    return;
  }
  const CellRange range = UserRange(grid);
  const int32_t savedCol = s.col, savedRow = s.row;
  grid.Action(kActionClipboardCopy);
  s.col = savedCol;
  s.row = savedRow;
  if (!cut) return;
  for (int32_t r = range.row_lo; r <= range.row_hi; ++r) {
    for (int32_t c = range.col_lo; c <= range.col_hi; ++c) {
      if (IsDataCell(s, c, r) && !IsLocked(s, c, r)) UserWrite(grid, c, r, "");
    }
  }
}

void PasteKey(Grid& grid) {
  GridState& s = StateOf(grid);
  const std::string clip = ClipboardText(s);
  if (s.edit_mode) {
    // Into the editor: the first line, character by character under the cell's rules.
    const std::string_view line = std::string_view(clip).substr(0, clip.find_first_of("\r\n"));
    for (size_t pos = 0; pos < line.size();) {
      const char32_t ch = text::DecodeAt(line, pos);
      if (ch >= 0x20) TypeChar(grid, ch);
    }
    return;
  }
  const CellRange range = UserRange(grid);
  const std::vector<std::vector<std::string>> rows = ParseTabText(clip);
  for (size_t i = 0; i < rows.size(); ++i) {
    for (size_t j = 0; j < rows[i].size(); ++j) {
      const int32_t r = range.row_lo + static_cast<int32_t>(i);
      const int32_t c = range.col_lo + static_cast<int32_t>(j);
      if (IsDataCell(s, c, r) && !IsLocked(s, c, r)) UserWrite(grid, c, r, rows[i][j]);
    }
  }
}

}  // namespace zel::internal
