// The grid object: construction, services, size and addressing, stored switches.
#include <algorithm>
#include <numeric>

#include "grid/internal/grid_input.h"
#include "grid/internal/grid_ops.h"

namespace zel {
using namespace internal;

Grid::Grid() : state_(std::make_unique<GridState>()) {
  MaxCols(500);
  MaxRows(500);
}

Grid::~Grid() = default;
Grid::Grid(Grid&&) noexcept = default;
Grid& Grid::operator=(Grid&&) noexcept = default;

void Grid::AttachClipboard(Clipboard* clipboard) { state_->clipboard = clipboard; }
void Grid::SetListener(GridListener* listener) { state_->listener = listener; }
GridListener* Grid::Listener() const { return state_->listener; }

// ---- Size ------------------------------------------------------------------------------
int32_t Grid::MaxRows() const { return state_->max_rows; }

void Grid::MaxRows(int32_t rows) {
  GridState& s = *state_;
  if (rows < 0 || rows > kMaxDims) {
    Fail("MaxRows", "row count " + AddrText(rows) + " is outside 0.." + AddrText(kMaxDims));
  }
  if (rows == s.max_rows) return;
  const ChangeScope change(s);
  if (rows > s.max_rows) {
    // A little room beyond the rows asked for: a screen adds its spare rows right after
    // sizing for the data, and the row arrays should not move for them. Growing rows grow
    // the arrays by half at least: a long answer displayed part by part would otherwise
    // copy the arrays at every part. Room never written costs address space only.
    const size_t room = std::max(static_cast<size_t>(rows) + static_cast<size_t>(rows) / 64 + 64,
                                 s.row_map.capacity() + s.row_map.capacity() / 2);
    if (s.row_map.capacity() < static_cast<size_t>(rows)) s.row_map.reserve(room);
    while (!s.free_slots.empty() && s.row_map.size() < static_cast<size_t>(rows)) {
      s.row_map.push_back(s.free_slots.back());
      s.free_slots.pop_back();
    }
    const size_t fresh = static_cast<size_t>(rows) - s.row_map.size();
    if (fresh > 0) {
      if (static_cast<uint64_t>(s.slot_count) + fresh > UINT32_MAX) Fail("MaxRows", "out of row slots");
      const uint32_t first = s.slot_count;
      s.row_map.resize(s.row_map.size() + fresh);
      std::iota(s.row_map.end() - static_cast<ptrdiff_t>(fresh), s.row_map.end(), first);
      s.slot_count += static_cast<uint32_t>(fresh);
      if (s.row_cells.capacity() < s.slot_count) {
        s.row_cells.reserve(std::max<size_t>(s.slot_count, room + s.head_slots.size()));
      }
      s.row_cells.resize(s.slot_count, 0);
    }
    s.max_rows = rows;
    s.data_rows.Resize(rows);
  } else if (rows < s.max_rows) {
    if (rows == 0) {
      s.ReleaseAllDataRows();
    } else {
      for (int32_t r = s.max_rows; r > rows; --r) {
        s.ReleaseSlot(s.row_map[static_cast<size_t>(r - 1)], r);
      }
    }
    s.row_map.resize(static_cast<size_t>(rows));
    s.max_rows = rows;
    s.data_rows.Resize(rows);
    s.RefreshDataRowCnt();
    if (s.free_slots.size() > 4096 && s.free_slots.size() * 2 > s.slot_count) s.Compact();
    ClipToSize(s);
  }
}

int32_t Grid::MaxCols() const { return state_->max_cols; }

void Grid::MaxCols(int32_t cols) {
  GridState& s = *state_;
  if (cols < 0 || cols > kMaxColCount) {
    Fail("MaxCols", "column count " + AddrText(cols) + " is outside 0.." + AddrText(kMaxColCount));
  }
  const ChangeScope change(s);
  if (cols > s.max_cols) {
    s.cols.reserve(static_cast<size_t>(cols) + 1);
    while (static_cast<int32_t>(s.cols.size()) <= cols) s.cols.push_back(std::make_unique<Column>());
  } else if (cols < s.max_cols) {
    bool had_data = false;
    for (int32_t c = s.max_cols; c > cols; --c) {
      Column& column = *s.cols[static_cast<size_t>(c)];
      if (column.data_cells > 0) {
        for (uint32_t slot = 0; slot < column.cells.size() && slot < column.written; ++slot) {
          if (!column.cells[slot].empty() && !s.IsHeadSlot(slot)) --s.row_cells[slot];
        }
        had_data = true;
      }
    }
    s.cols.resize(static_cast<size_t>(cols) + 1);
    if (had_data) s.RecountRows(1, s.max_rows);
  }
  s.max_cols = cols;
  ClipToSize(s);
}

int32_t Grid::ColHeaderRows() const { return state_->head_rows(); }

void Grid::ColHeaderRows(int32_t rows) {
  GridState& s = *state_;
  if (rows < 1 || rows > kMaxHeaders) {
    Fail("ColHeaderRows", "header row count " + AddrText(rows) + " is outside 1.." + AddrText(kMaxHeaders));
  }
  const ChangeScope change(s);
  while (s.head_rows() < rows) s.head_slots.push_back(s.NewSlot());
  while (s.head_rows() > rows) {
    s.ReleaseSlot(s.head_slots.back(), 0);
    s.head_slots.pop_back();
  }
  ClipToSize(s);
}

int32_t Grid::RowHeaderCols() const { return state_->head_cols(); }

void Grid::RowHeaderCols(int32_t cols) {
  GridState& s = *state_;
  if (cols < 1 || cols > kMaxHeaders) {
    Fail("RowHeaderCols", "row-header column count " + AddrText(cols) + " is outside 1.." + AddrText(kMaxHeaders));
  }
  const ChangeScope change(s);
  while (s.head_cols() < cols) s.extra_head_cols.push_back(std::make_unique<Column>());
  while (s.head_cols() > cols) s.extra_head_cols.pop_back();
  ClipToSize(s);
}

// ---- Addressing ------------------------------------------------------------------------
int32_t Grid::Col() const { return state_->col; }
void Grid::Col(int32_t col) { state_->col = col; }
int32_t Grid::Row() const { return state_->row; }
void Grid::Row(int32_t row) { state_->row = row; }
int32_t Grid::Col2() const { return state_->col2; }
void Grid::Col2(int32_t col) { state_->col2 = col; }
int32_t Grid::Row2() const { return state_->row2; }
void Grid::Row2(int32_t row) { state_->row2 = row; }
bool Grid::BlockMode() const { return state_->block_mode; }
void Grid::BlockMode(bool on) { state_->block_mode = on; }
int32_t Grid::DestCol() const { return state_->dest_col; }
void Grid::DestCol(int32_t col) { state_->dest_col = col; }
int32_t Grid::DestRow() const { return state_->dest_row; }
void Grid::DestRow(int32_t row) { state_->dest_row = row; }

// ---- Flags -----------------------------------------------------------------------------
bool Grid::ChangeMade() const { return state_->change_made; }
void Grid::ChangeMade(bool changed) { state_->change_made = changed; }

// ---- Cursor and editing state ----------------------------------------------------------
int32_t Grid::ActiveCol() const { return state_->active_col; }
int32_t Grid::ActiveRow() const { return state_->active_row; }

void Grid::SetActiveCell(int32_t col, int32_t row) {
  GridState& s = *state_;
  // (1, 1) stays allowed on an empty grid: it is where the cursor waits for rows.
  if (col < 1 || col > std::max(s.max_cols, 1)) {
    Fail("SetActiveCell", "column " + AddrText(col) + " is not a data column of 1.." + AddrText(s.max_cols));
  }
  if (row < 1 || row > std::max(s.max_rows, 1)) {
    Fail("SetActiveCell", "row " + AddrText(row) + " is not a data row of 1.." + AddrText(s.max_rows));
  }
  ++Input(s).placements;
  if (col == s.active_col && row == s.active_row) return;
  // Leaving the cell ends its edit, whoever moves the cursor.
  if (s.edit_mode) CommitEdit(*this);
  const int32_t old_col = s.active_col, old_row = s.active_row;
  s.active_col = col;
  s.active_row = row;
  NoteChange(s, old_col, old_row, old_col, old_row);
  NoteChange(s, col, row, col, row);
}

bool Grid::EditMode() const { return state_->edit_mode; }
void Grid::EditMode(bool on) {
  if (on) {
    BeginEdit(*this, false, false);
  } else {
    CommitEdit(*this);
  }
}
bool Grid::EditModePermanent() const { return state_->edit_mode_permanent; }
void Grid::EditModePermanent(bool on) { state_->edit_mode_permanent = on; }
bool Grid::EditModeReplace() const { return state_->edit_mode_replace; }
void Grid::EditModeReplace(bool on) { state_->edit_mode_replace = on; }
int32_t Grid::SelStart() const { return state_->sel_start; }
void Grid::SelStart(int32_t start) {
  if (start < 0) Fail("SelStart", "start " + AddrText(start) + " is negative");
  state_->sel_start = start;
}
int32_t Grid::SelLength() const { return state_->sel_length; }
void Grid::SelLength(int32_t length) {
  if (length < 0) Fail("SelLength", "length " + AddrText(length) + " is negative");
  state_->sel_length = length;
}
std::string Grid::SelText() const {
  const GridState& s = *state_;
  if (!s.edit_mode) return s.sel_text;
  RefreshProgramEdit(const_cast<Grid&>(*this));
  return std::string(EditorSelection(s));
}
void Grid::SelText(std::string_view text) {
  GridState& s = *state_;
  if (s.edit_mode) {
    RefreshProgramEdit(*this);
    ReplaceEditorSelection(*this, text);
  } else {
    s.sel_text = std::string(text);
  }
}

// ---- Stored pass-through settings ------------------------------------------------------
bool Grid::AllowCellOverflow() const { return state_->allow_cell_overflow; }
void Grid::AllowCellOverflow(bool allow) { state_->allow_cell_overflow = allow; }
bool Grid::AllowDragDrop() const { return state_->allow_drag_drop; }
void Grid::AllowDragDrop(bool allow) { state_->allow_drag_drop = allow; }
int16_t Grid::ButtonDrawMode() const { return state_->button_draw_mode; }
void Grid::ButtonDrawMode(int16_t mode) { state_->button_draw_mode = mode; }
int16_t Grid::ClipboardOptions() const { return state_->clipboard_options; }
void Grid::ClipboardOptions(int16_t options) { state_->clipboard_options = options; }

namespace {
void CheckDisplay(const char* who, int16_t v) {
  if (v < 0 || v > 2) Fail(who, "display mode " + AddrText(v) + " is outside 0..2");
}
}  // namespace

int16_t Grid::ColHeaderDisplay() const { return state_->col_header_display; }
void Grid::ColHeaderDisplay(int16_t display) {
  CheckDisplay("ColHeaderDisplay", display);
  state_->col_header_display = display;
  NoteAllChanged(*state_, false);
}
int16_t Grid::RowHeaderDisplay() const { return state_->row_header_display; }
void Grid::RowHeaderDisplay(int16_t display) {
  CheckDisplay("RowHeaderDisplay", display);
  state_->row_header_display = display;
  NoteAllChanged(*state_, false);
}
int16_t Grid::RowHeadersAutoText() const { return state_->row_header_display; }
void Grid::RowHeadersAutoText(int16_t display) {
  CheckDisplay("RowHeadersAutoText", display);
  state_->row_header_display = display;
  NoteAllChanged(*state_, false);
}
std::string Grid::CursorIcon() const { return state_->cursor_icon; }
void Grid::CursorIcon(std::string_view icon) { state_->cursor_icon = std::string(icon); }
int16_t Grid::CursorStyle() const { return state_->cursor_style; }
void Grid::CursorStyle(int16_t style) { state_->cursor_style = style; }
int16_t Grid::CursorType() const { return state_->cursor_type; }
void Grid::CursorType(int16_t type) { state_->cursor_type = type; }
bool Grid::DisplayColHeaders() const { return state_->display_col_headers; }
void Grid::DisplayColHeaders(bool show) {
  state_->display_col_headers = show;
  NoteAllChanged(*state_);
}
bool Grid::DisplayRowHeaders() const { return state_->display_row_headers; }
void Grid::DisplayRowHeaders(bool show) {
  state_->display_row_headers = show;
  NoteAllChanged(*state_);
}
std::string Grid::FloatDefCurrencyChar() const { return state_->float_currency; }
void Grid::FloatDefCurrencyChar(std::string_view c) {
  state_->float_currency = std::string(c);
  NoteAllChanged(*state_, false);
}
std::string Grid::FloatDefDecimalChar() const { return state_->float_decimal; }
void Grid::FloatDefDecimalChar(std::string_view c) {
  if (c.empty()) Fail("FloatDefDecimalChar", "the decimal character may not be empty");
  state_->float_decimal = std::string(c);
  NoteAllChanged(*state_, false);
}
std::string Grid::FloatDefSepChar() const { return state_->float_sep; }
void Grid::FloatDefSepChar(std::string_view c) {
  state_->float_sep = std::string(c);
  NoteAllChanged(*state_, false);
}
bool Grid::NoBeep() const { return state_->no_beep; }
void Grid::NoBeep(bool on) { state_->no_beep = on; }
bool Grid::NoBorder() const { return state_->no_border; }
void Grid::NoBorder(bool on) { state_->no_border = on; }
int16_t Grid::BorderStyle() const { return state_->border_style_grid; }
void Grid::BorderStyle(int16_t style) { state_->border_style_grid = style; }
bool Grid::ProcessTab() const { return state_->process_tab; }
void Grid::ProcessTab(bool on) { state_->process_tab = on; }
int16_t Grid::RestrictCols() const { return state_->restrict_cols; }
void Grid::RestrictCols(int16_t restrict) { state_->restrict_cols = restrict; }
int16_t Grid::RestrictRows() const { return state_->restrict_rows; }
void Grid::RestrictRows(int16_t restrict) { state_->restrict_rows = restrict; }
int16_t Grid::TextTip() const { return state_->text_tip; }
void Grid::TextTip(int16_t mode) {
  if (mode < 0 || mode > 4) Fail("TextTip", "mode " + AddrText(mode) + " is outside 0..4");
  state_->text_tip = mode;
}
int32_t Grid::TextTipDelay() const { return state_->text_tip_delay; }
void Grid::TextTipDelay(int32_t delay) {
  if (delay < 0) Fail("TextTipDelay", "delay " + AddrText(delay) + " is negative");
  state_->text_tip_delay = delay;
}

void Grid::GetTextTipAppearance(std::string& fontName, float& fontSize, bool& bold, bool& italic,
                                Color& backColor, Color& foreColor) const {
  const GridState& s = *state_;
  fontName = s.tip_font;
  fontSize = s.tip_size;
  bold = s.tip_bold;
  italic = s.tip_italic;
  backColor = s.tip_back;
  foreColor = s.tip_fore;
}

void Grid::SetTextTipAppearance(const std::string& fontName, float fontSize, bool bold, bool italic,
                                Color backColor, Color foreColor) {
  if (!(fontSize > 0)) Fail("SetTextTipAppearance", "font size must be positive");
  GridState& s = *state_;
  s.tip_font = fontName;
  s.tip_size = fontSize;
  s.tip_bold = bold;
  s.tip_italic = italic;
  s.tip_back = backColor;
  s.tip_fore = foreColor;
}

int16_t Grid::CellNoteIndicator() const { return state_->note_indicator; }
void Grid::CellNoteIndicator(int16_t indicator) { state_->note_indicator = indicator; }
bool Grid::IsFetchCellNote() const { return state_->fetch_cell_note; }
void Grid::IsFetchCellNote(bool fetch) { state_->fetch_cell_note = fetch; }

intptr_t Grid::hwnd() const { return state_->hwnd; }
void Grid::SetHwnd(intptr_t handle) { state_->hwnd = handle; }

void Grid::OLEDrag() {
  GridState& s = *state_;
  if (!s.listener) return;
  std::string text;
  if (!s.blocks.empty()) {
    const Block& b = s.blocks.back();
    text = RangeText(s, MakeRange(s, "OLEDrag", b.col, b.row, b.col2, b.row2), false);
  } else if (s.ValidCol(s.active_col) && s.ValidRow(s.active_row)) {
    text = ShownText(s, s.ColumnAt("OLEDrag", s.active_col), s.SlotOf("OLEDrag", s.active_row));
  }
  s.listener->OleDragStart(text);
}

}  // namespace zel
