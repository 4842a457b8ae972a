// The user's pointer: presses that move the active cell, double clicks, right clicks, block
// drags, check box and button clicks, resizing by a header border, and resting tips. What
// lies under the pointer is found by the read-only view's HitTest on the grid's own
// viewport, the same function a renderer uses, so what the user sees is what gets hit.
#include <algorithm>
#include <cmath>

#include "grid/internal/grid_input.h"
#include "grid/internal/grid_ops.h"
#include "zelsheet/grid_view.h"

namespace zel {
using namespace internal;

namespace {

constexpr int16_t kLeftButton = 1;
constexpr int16_t kRightButton = 2;
// Bits of SelectBlockOptions: what a header press may select.
constexpr int16_t kSelectCols = 1;
constexpr int16_t kSelectRows = 2;
constexpr int16_t kSelectAll = 8;

int32_t Twips(float v) {
  if (!std::isfinite(v)) return -1;
  return static_cast<int32_t>(std::clamp<double>(std::lround(v), INT32_MIN, INT32_MAX));
}

GridHit HitAt(const Grid& grid, float x, float y) {
  GridView view(grid);
  VisibleLayout layout;
  view.Layout(view.SessionViewport(), layout);
  return HitTest(layout, Twips(x), Twips(y));
}

bool IsCellOrHeader(const GridHit& hit) {
  return hit.part == GridHit::kCell || hit.part == GridHit::kColHeader ||
         hit.part == GridHit::kRowHeader || hit.part == GridHit::kCorner;
}

// Selects the block from the active cell to (col, row) and says so.
void SelectTo(Grid& grid, int32_t col, int32_t row) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  in.sel_end_col = col;
  in.sel_end_row = row;
  const int32_t c1 = std::min(s.active_col, col), c2 = std::max(s.active_col, col);
  const int32_t r1 = std::min(s.active_row, row), r2 = std::max(s.active_row, row);
  grid.SetSelection(c1, r1, c2, r2);
  Listen(s).SelChange(c1, r1, c2, r2, s.active_col, s.active_row);
}

void PressOnCell(Grid& grid, int16_t shift, int32_t col, int32_t row) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  GridListener& listener = Listen(s);
  if (in.combo_open && (in.combo_col != col || in.combo_row != row)) CloseCombo(grid);
  if (in.double_click) {
    listener.DblClick(col, row);
    // A double click edits the text in place.
    if (s.active_col == col && s.active_row == row && IsUserEditable(grid, col, row)) {
      BeginEdit(grid, true, false);
      in.caret_mode = s.edit_mode;
    }
    return;
  }
  if ((shift & 1) != 0 && !s.blocks.empty()) {
    SelectTo(grid, col, row);
    in.drag = InputState::Drag::kSelect;
    listener.Click(col, row);
    return;
  }
  in.sel_end_col = 0;
  if (!s.blocks.empty()) grid.ClearSelection();
  MoveActiveCell(grid, col, row);
  if (s.active_col != col || s.active_row != row) return;  // the move was refused
  in.drag = InputState::Drag::kSelect;
  listener.Click(col, row);
  if (in.combo_open) {
    CloseCombo(grid);
  } else {
    OpenCombo(grid);
  }
}

void PressOnHeader(Grid& grid, const GridHit& hit) {
  GridState& s = StateOf(grid);
  InputState& in = Input(s);
  GridListener& listener = Listen(s);
  CloseCombo(grid);
  if (in.double_click) {
    listener.DblClick(hit.part == GridHit::kRowHeader || hit.part == GridHit::kCorner ? 0 : hit.col,
                      hit.part == GridHit::kColHeader || hit.part == GridHit::kCorner ? 0 : hit.row);
    return;
  }
  const int16_t options = s.select_block_options;
  switch (hit.part) {
    case GridHit::kColHeader:
      if ((options & kSelectCols) != 0) {
        grid.SetSelection(hit.col, -1, hit.col, -1);
        listener.SelChange(hit.col, -1, hit.col, -1, s.active_col, s.active_row);
      }
      in.drag = InputState::Drag::kHeader;
      listener.Click(hit.col, 0);
      return;
    case GridHit::kRowHeader:
      MoveActiveCell(grid, s.active_col, hit.row);
      if (s.active_row != hit.row) return;
      if ((options & kSelectRows) != 0) {
        // The row is chosen for the row commands, not for typing: the editor that
        // EditModePermanent opened on the move closes, and the keys leave the cell alone
        // until the user moves on.
        CommitEdit(grid);
        grid.SetSelection(-1, hit.row, -1, hit.row);
        listener.SelChange(-1, hit.row, -1, hit.row, s.active_col, s.active_row);
      }
      listener.Click(0, hit.row);
      return;
    case GridHit::kCorner:
      if ((options & kSelectAll) != 0) {
        CommitEdit(grid);
        grid.SetSelection(-1, -1, -1, -1);
        listener.SelChange(-1, -1, -1, -1, s.active_col, s.active_row);
      }
      listener.Click(0, 0);
      return;
    default:
      return;
  }
}

}  // namespace

void Grid::InputMouseDown(int16_t button, int16_t shift, float x, float y, int64_t timeMs) {
  GridState& s = *state_;
  InputState& in = Input(s);
  {
    int16_t b = button, sh = shift;
    float px = x, py = y;
    Listen(s).MouseDown(b, sh, px, py);
  }
  const GridHit hit = HitAt(*this, x, y);
  const bool again = button == in.last_press_button && hit.col == in.last_press_col &&
                     hit.row == in.last_press_row && timeMs >= in.last_press_time &&
                     timeMs - in.last_press_time <= in.double_click_ms;
  in.double_click = again && IsCellOrHeader(hit);
  // A third press starts counting again.
  in.last_press_button = in.double_click ? 0 : button;
  in.last_press_col = hit.col;
  in.last_press_row = hit.row;
  in.last_press_time = timeMs;
  in.press_button = button;
  in.press_col = hit.col;
  in.press_row = hit.row;
  in.drag = InputState::Drag::kNone;

  if (button == kRightButton) {
    CloseCombo(*this);
    Listen(s).RightClick(in.double_click ? 1 : 0, hit.col, hit.row, Twips(x), Twips(y));
    return;
  }
  if (button != kLeftButton) return;
  switch (hit.part) {
    case GridHit::kColBorder:
      CommitEdit(*this);
      in.drag = InputState::Drag::kColSize;
      in.size_index = hit.col;
      in.size_from = Twips(x);
      in.size_start = ColWidth(hit.col);
      return;
    case GridHit::kRowBorder:
      CommitEdit(*this);
      in.drag = InputState::Drag::kRowSize;
      in.size_index = hit.row;
      in.size_from = Twips(y);
      in.size_start = RowHeight(hit.row);
      return;
    case GridHit::kCell:
      PressOnCell(*this, shift, hit.col, hit.row);
      return;
    case GridHit::kColHeader:
    case GridHit::kRowHeader:
    case GridHit::kCorner:
      PressOnHeader(*this, hit);
      return;
    default:
      CloseCombo(*this);
      return;  // beyond the cells: nothing
  }
}

void Grid::InputMouseMove(int16_t button, int16_t shift, float x, float y) {
  GridState& s = *state_;
  InputState& in = Input(s);
  {
    int16_t b = button, sh = shift;
    float px = x, py = y;
    Listen(s).MouseMove(b, sh, px, py);
  }
  if ((button & kLeftButton) == 0) {
    if (in.drag != InputState::Drag::kNone && in.drag != InputState::Drag::kHeader) {
      in.drag = InputState::Drag::kNone;
    }
    return;
  }
  switch (in.drag) {
    case InputState::Drag::kColSize:
      ColWidth(in.size_index,
               std::max(0.0, in.size_start + (Twips(x) - in.size_from) / kTwipsPerColUnit));
      return;
    case InputState::Drag::kRowSize:
      RowHeight(in.size_index,
                std::max(0.0, in.size_start + (Twips(y) - in.size_from) / kTwipsPerRowUnit));
      return;
    case InputState::Drag::kSelect: {
      const GridHit hit = HitAt(*this, x, y);
      if (hit.part != GridHit::kCell) return;
      const int32_t endCol = in.sel_end_col == 0 ? s.active_col : in.sel_end_col;
      const int32_t endRow = in.sel_end_col == 0 ? s.active_row : in.sel_end_row;
      if (hit.col != endCol || hit.row != endRow) {
        CommitEdit(*this);
        SelectTo(*this, hit.col, hit.row);
      }
      return;
    }
    default:
      return;
  }
}

void Grid::InputMouseUp(int16_t button, int16_t shift, float x, float y) {
  GridState& s = *state_;
  InputState& in = Input(s);
  const InputState::Drag drag = in.drag;
  in.drag = InputState::Drag::kNone;
  if (button == kLeftButton) {
    switch (drag) {
      case InputState::Drag::kColSize:
        Listen(s).ColWidthChange(in.size_index, in.size_index);
        break;
      case InputState::Drag::kRowSize:
        Listen(s).RowHeightChange(in.size_index, in.size_index);
        break;
      case InputState::Drag::kSelect: {
        const GridHit hit = HitAt(*this, x, y);
        if (in.sel_end_col != 0 && (in.sel_end_col != s.active_col || in.sel_end_row != s.active_row)) {
          Listen(s).BlockSelected(SelBlockCol(), SelBlockRow(), SelBlockCol2(), SelBlockRow2());
        } else if (hit.part == GridHit::kCell && hit.col == in.press_col &&
                   hit.row == in.press_row && !in.double_click) {
          PressCell(*this, hit.col, hit.row);  // a check box ticks, a button is pressed
        }
        break;
      }
      default:
        break;
    }
  }
  int16_t b = button, sh = shift;
  float px = x, py = y;
  Listen(s).MouseUp(b, sh, px, py);
}

bool Grid::InputHover(float x, float y, Tip& tip) {
  GridState& s = *state_;
  if (s.text_tip == 0) return false;
  const GridHit hit = HitAt(*this, x, y);
  if (hit.part != GridHit::kCell) return false;
  tip = Tip{};
  GetText(hit.col, hit.row, tip.text);
  bool show = false;
  Listen(s).TextTipFetch(hit.col, hit.row, tip.multi_line, tip.width, tip.text, show);
  return show;
}

}  // namespace zel
