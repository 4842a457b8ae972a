// The sheet's handling of what happens to a cell: a committed change, leaving a cell, a
// button or check box click, single and double clicks.
#include <algorithm>
#include <cmath>
#include <string>

#include "columns/access_code.h"
#include "editing/internal/grid_handlers.h"
#include "platform/failure.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// The colour a double click gives the row it hit (IsDblClickColor).
constexpr Color kDblClickRowColor = 0x8AEADE;
// Margins the auto-fit adds to the widest text, in column units; a combo also leaves room
// for its button.
constexpr double kFitMargin = 1.1;
constexpr double kFitComboMargin = 1.8;
// Passes of the message loop after a double click: a second click or a key the user gave
// meanwhile is handled before the double click is recorded.
constexpr int kDblClickLoopPasses = 5;

// What the sheet declared about the column a cell belongs to: its cell type, access code and
// maximum length, from the column model (through the grid column's item data) or, in the
// multi-row layout, from the field record of the cell. Nothing declared: all empty.
struct DeclaredCell {
  int32_t cell_type = 0;
  std::string access_key;
  int16_t max_length = 0;
  int32_t field = 0;
};

DeclaredCell Declared(const ZelSheet::Impl& s, int32_t col, int32_t row) {
  DeclaredCell d;
  if (s.flags.is_multi_sheet) {
    d.field = s.sheet.GetColIndex(col, row);
    if (s.columns.HasField(d.field)) {
      const FieldRecord& f = s.columns.Field(d.field);
      d.cell_type = f.cell_type;
      d.access_key = f.access_key;
      d.max_length = f.max_length;
    }
    return d;
  }
  const int32_t def = s.grid.GetColItemData(col);
  if (s.columns.HasDef(def)) {
    const ColumnDef& c = s.columns.Def(def);
    d.cell_type = c.cell_type;
    d.access_key = c.access_key;
    d.max_length = c.max_length;
  }
  return d;
}

// Cell types whose text loses a final CR-LF the editor may leave behind; a multi-line text
// keeps its line breaks.
bool DropsTrailingLineBreak(int32_t cellType) {
  switch (cellType) {
    case EnText:
    case EnMask:
    case EnDate:
    case EnDateMonth:
    case EnDateyear:
    case EnDateYearMonth:
    case EnDateDay:
      return true;
    default:
      return false;
  }
}

// `t` with every CR-LF of its last two characters removed; a text of two characters or
// fewer is kept (so a cell holding only CR-LF stays as it is).
std::string WithoutTrailingLineBreak(const std::string& t) {
  const int32_t n = text::Len(t);
  if (n <= 2) return t;
  return std::string(text::LeftView(t, n - 2)) + text::Replace(text::RightView(t, 2), "\r\n", "");
}

bool IsCellLocked(Grid& grid, int32_t col, int32_t row) {
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  grid.Col(col);
  grid.Row(row);
  const bool locked = grid.LockCells();
  grid.Col(savedCol);
  grid.Row(savedRow);
  return locked;
}

// A month (1..12) or day (1..31) cell holds a number in range, or nothing.
bool InRangeOrEmpty(const Grid& grid, int32_t col, int32_t row, double low, double high) {
  std::string t;
  grid.GetText(col, row, t);
  if (t.empty()) return true;
  const double v = text::Val(t);
  return v >= low && v <= high;
}

// Width a column needs for its texts: the widest text of rows 1 to DataRowCnt in the
// control's own text measure, in twips. A combo cell is measured by its caption (the item
// text without the code the sheet keeps after it).
double WidestText(ZelSheet::Impl& s, int32_t col, bool combo, int16_t codeLength) {
  double widest = 0;
  std::string t;
  const int32_t last = s.grid.DataRowCnt();
  for (int32_t r = 1; r <= last; ++r) {
    s.grid.GetText(col, r, t);
    if (t.empty()) continue;
    double w = 0;
    if (combo) {
      const std::string_view trimmed = text::RTrimView(t);
      const int32_t keep = std::max(text::Len(trimmed) - codeLength - 1, 0);
      w = s.sheet.TextWidth(std::string(text::TrimView(text::LeftView(trimmed, keep))));
    } else {
      w = s.sheet.TextWidth(t);
    }
    widest = std::max(widest, w);
  }
  return widest;
}

void AutoFitColumn(ZelSheet::Impl& s, int32_t col, int16_t codeLength) {
  Grid& grid = s.grid;
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  grid.Col(col);
  grid.Row(-1);
  const bool combo = grid.CellType() == kCellComboBox;
  grid.Col(savedCol);
  grid.Row(savedRow);
  const double widest = WidestText(s, col, combo, codeLength);
  const auto twips = static_cast<int32_t>(std::lround(widest));
  grid.ColWidth(col, grid.TwipsToColWidth(twips) + (combo ? kFitComboMargin : kFitMargin));
}

// Colours `row` for a double click and gives the row coloured before its colours back.
void HighlightRow(ZelSheet::Impl& s, int32_t row) {
  Grid& grid = s.grid;
  ZelSheet::Impl::GridEventState& ev = s.event_flags;
  const int32_t cols = grid.MaxCols();
  if (ev.highlighted_row > 0) {
    const int32_t n = std::min<int32_t>(cols, static_cast<int32_t>(ev.saved_colors.size()) - 1);
    for (int32_t i = 1; i <= n; ++i) {
      grid.Col(s.sheet.ColX(i));
      grid.Row(ev.highlighted_row);
      grid.BackColor(ev.saved_colors[static_cast<size_t>(i)]);
    }
  }
  ev.saved_colors.assign(static_cast<size_t>(cols) + 1, 0);
  for (int32_t i = 1; i <= cols; ++i) {
    grid.Col(s.sheet.ColX(i));
    grid.Row(row);
    ev.saved_colors[static_cast<size_t>(i)] = grid.BackColor();
    grid.BackColor(kDblClickRowColor);
  }
  ev.highlighted_row = row;
}

void AskCodeHelp(ZelSheet::Impl& s, int32_t col, int32_t row, bool cancel, bool isDblClick) {
  s.Events().ShowDic(col, row, col, row, cancel, isDblClick);
}

}  // namespace

namespace internal {

void LastEnteredCell(const ZelSheet::Impl& s, int32_t& col, int32_t& row) {
  col = s.editing.last_entered_col == -1 ? s.grid.ActiveCol() : s.editing.last_entered_col;
  row = s.editing.last_entered_row == -1 ? s.grid.ActiveRow() : s.editing.last_entered_row;
}

int32_t StatusRowOf(const ZelSheet::Impl& s, int32_t row) {
  return s.flags.is_multi_sheet ? s.sheet.GetSpanHeaderRow(row) : row;
}

void OnChange(ZelSheet::Impl& s, int32_t col, int32_t row) {
  DeclaredCell d;
  SkipStep([&] { d = Declared(s, col, row); });
  SkipStep([&] {
    if (!DropsTrailingLineBreak(d.cell_type)) return;
    std::string t;
    s.grid.GetText(col, row, t);
    if (t.empty()) return;
    std::string kept = WithoutTrailingLineBreak(t);
    if (kept != t) s.grid.SetText(col, row, kept);
  });
  if (HasCode(d.access_key, kCodeDisplayOnly) || s.flags.is_no_row_header_change) return;
  SkipStep([&] {
    // In the multi-row layout the edit is the record's: its first row carries the status.
    const int32_t statusRow = StatusRowOf(s, row);
    if (s.flags.is_multi_sheet) {
      s.columns.current_field = d.field;
      s.sheet.TrackCellChange(col, statusRow, statusRow);
    } else {
      s.sheet.TrackCellChange(col, row, row);
    }
  });
  SkipStep([&] { s.Events().Change(col, row); });
  if (s.event_flags.cancel_code_help) return;
  SkipStep([&] {
    int32_t c = 0, r = 0;
    LastEnteredCell(s, c, r);
    AskCodeHelp(s, c, r, false, false);
  });
}

void OnLeaveCell(ZelSheet::Impl& s, int32_t col, int32_t row, int32_t newCol, int32_t newRow,
                 bool& cancel) {
  if (!s.event_flags.sheet_ready) return;
  SkipStep([&] {
    // A bad date does not stop the move and shows nothing: the cursor goes back into it.
    bool bad = false;
    switch (Declared(s, col, row).cell_type) {
      case EnDate:
        bad = !s.sheet.CheckDateInput(col, row, EnDate);
        break;
      case EnDateYearMonth:
        bad = !s.sheet.CheckDateInput(col, row, EnDateYearMonth);
        break;
      case EnDateMonth:
        bad = !InRangeOrEmpty(s.grid, col, row, 1, 12);
        break;
      case EnDateDay:
        bad = !InRangeOrEmpty(s.grid, col, row, 1, 31);
        break;
      default:
        break;
    }
    if (bad) s.sheet.ActiveCell(col, row);
    s.editing.last_entered_col = newCol;
    s.editing.last_entered_row = newRow;
    if (!cancel) s.Events().LeaveCell(col, row, newCol, newRow, cancel);
  });
}

void OnButtonClicked(ZelSheet::Impl& s, int32_t col, int32_t row, int16_t buttonDown) {
  ZelSheet::Impl::GridEventState& ev = s.event_flags;
  if (s.flags.is_multi_sheet) {
    if (ev.mouse_pressed) SkipStep([&] { s.sheet.TrackRowEdit(s.sheet.GetSpanHeaderRow(row)); });
  } else {
    if (s.editing.query_display) return;
    // Only a click of the user's marks the row: a box ticked from the keyboard or by the
    // sheet's own CellCheck is not an edit of the row.
    if (!s.flags.is_data_display && ev.mouse_pressed && !s.flags.is_no_button_click) {
      SkipStep([&] { s.sheet.TrackRowEdit(row); });
    }
  }
  ev.mouse_pressed = false;
  SkipStep([&] { s.Events().ButtonClicked(col, row, buttonDown); });
}

void OnClick(ZelSheet::Impl& s, int32_t col, int32_t row) {
  if (s.flags.is_multi_sheet) {
    s.editing.last_entered_col = col;
    s.editing.last_entered_row = row;
  } else {
    s.event_flags.click_col = col;
    s.event_flags.click_row = row;
  }
  SkipStep([&] { s.Events().Click(col, row); });
}

void OnDblClick(ZelSheet::Impl& s, int32_t col, int32_t row) {
  const bool multi = s.flags.is_multi_sheet;
  if (row == 0 && col >= 1) {
    SkipStep([&] {
      int16_t codeLength = 0;
      if (multi) {
        const int32_t field = s.sheet.GetColIndex(col, 1);
        if (s.columns.HasField(field)) codeLength = s.columns.Field(field).max_length;
      } else {
        const int32_t def = s.grid.GetColItemData(col);
        if (s.columns.HasDef(def)) codeLength = s.columns.Def(def).max_length;
      }
      AutoFitColumn(s, col, codeLength);
    });
  }
  auto codeHelp = [&] {
    SkipStep([&] {
      if (!s.event_flags.cancel_code_help && col >= 1 && row >= 1 &&
          !IsCellLocked(s.grid, col, row)) {
        AskCodeHelp(s, col, row, true, true);
      }
    });
  };
  if (multi) {
    // Column 0 is the record's row-edit command, which does nothing.
    SkipStep([&] { s.Events().DblClick(col, row); });
    s.event_flags.dbl_click_col = col;
    s.editing.dbl_click_row = row;
    codeHelp();
    return;
  }
  codeHelp();
  if (s.flags.is_dbl_click_color && row >= 1) SkipStep([&] { HighlightRow(s, row); });
  SkipStep([&] { s.Events().DblClick(col, row); });
  for (int i = 0; i < kDblClickLoopPasses; ++i) SkipStep([&] { s.platform.Keys().DoEvents(); });
  s.event_flags.dbl_click_col = col;
  s.editing.dbl_click_row = row;
}

}  // namespace internal

void ZelSheet::Grid1_Change(int32_t Col, int32_t Row) { internal::OnChange(*impl_, Col, Row); }

void ZelSheet::Grid1_DblClick(int32_t Col, int32_t Row) {
  internal::OnDblClick(*impl_, Col, Row);
}

void ZelSheet::Grid1_LeaveCell(int32_t Col, int32_t Row, int32_t NewCol, int32_t NewRow,
                               bool& Cancel) {
  internal::OnLeaveCell(*impl_, Col, Row, NewCol, NewRow, Cancel);
}

bool ZelSheet::IsCancelCodeHelp() const { return impl_->event_flags.cancel_code_help; }
void ZelSheet::IsCancelCodeHelp(bool on) { impl_->event_flags.cancel_code_help = on; }

}  // namespace zel
