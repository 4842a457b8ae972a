// The sheet's handling of the mouse: header drags that move a column, the click cells that
// ClickRow reports, right clicks that open the menus, and column and row resizing.
#include <cmath>

#include "editing/internal/grid_handlers.h"
#include "platform/failure.h"
#include "tools/sheet_tools.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

constexpr int16_t kLeftButton = 1;
// A single right click; other click types are the host's.
constexpr int16_t kRightClickSingle = 0;
// The narrowest a column may be dragged to: a column of width 0 could not be found again.
constexpr double kMinColWidth = 0.2;

// The cell under a pointer position (twips, rounded to whole units); -1 parts outside.
void CellUnder(const Grid& grid, float x, float y, int32_t& col, int32_t& row) {
  grid.GetCellFromScreenCoord(col, row, static_cast<int32_t>(std::lround(x)),
                              static_cast<int32_t>(std::lround(y)));
}

bool IsHeaderRow(int32_t row) { return row == 0 || row == -1000; }

void SetPointer(ZelSheet::Impl& s, int32_t shape) { s.platform.Mouse().ControlPointer(shape); }

}  // namespace

namespace internal {

void OnMouseDown(ZelSheet::Impl& s, int16_t& button, int16_t& shift, float& x, float& y) {
  ZelSheet::Impl::GridEventState& ev = s.event_flags;
  ev.mouse_pressed = true;
  ev.header_drag = false;
  ev.drag_col = 0;
  ev.drag_row = 0;
  if (button == kLeftButton && !s.flags.is_no_col_move) {
    SkipStep([&] {
      int32_t col = -1, row = -1;
      CellUnder(s.grid, x, y, col, row);
      if (IsHeaderRow(row)) {
        ev.header_drag = true;
        SetPointer(s, vbNoDrop);
        ev.drag_col = col;
        ev.drag_row = row;
        ev.header_pressed = true;
      }
    });
  }
  SkipStep([&] { s.Events().MouseDown(button, shift, x, y); });
}

void OnMouseMove(ZelSheet::Impl& s, int16_t& button, int16_t& shift, float& x, float& y) {
  ZelSheet::Impl::GridEventState& ev = s.event_flags;
  if (ev.header_drag && button == 0) {
    // The button was let go outside the grid: the drag is over.
    ev.header_drag = false;
    SetPointer(s, vbDefault);
  }
  if (!ev.header_drag && s.platform.Mouse().ControlPointer() == vbNoDrop) SetPointer(s, vbDefault);
  SkipStep([&] { s.Events().MouseMove(button, shift, x, y); });
}

void OnMouseUp(ZelSheet::Impl& s, int16_t& button, int16_t& shift, float& x, float& y) {
  ZelSheet::Impl::GridEventState& ev = s.event_flags;
  ev.mouse_pressed = false;
  if (ev.header_drag) {
    SkipStep([&] {
      int32_t col = -1, row = -1;
      CellUnder(s.grid, x, y, col, row);
      if (ev.header_pressed) MoveDraggedColumn(s, col, row);
    });
    ev.header_drag = false;
    SetPointer(s, vbDefault);
  }
  SkipStep([&] {
    s.Events().ClickRow(ev.prev_click_col, ev.prev_click_row, ev.click_col, ev.click_row);
  });
  ev.prev_click_col = ev.click_col;
  ev.prev_click_row = ev.click_row;
  SkipStep([&] { s.Events().MouseUp(button, shift, x, y); });
}

void OnRightClick(ZelSheet::Impl& s, int16_t clickType, int32_t col, int32_t row,
                  int32_t mouseX, int32_t mouseY) {
  if (clickType != kRightClickSingle) {
    SkipStep([&] { s.Events().RightClick(clickType, col, row, mouseX, mouseY); });
    return;
  }
  SkipStep([&] {
    if (row == 0 && col >= 1) {
      HeaderSort(s, col);
    } else if (row == 0 && col == 0) {
      s.sheet.PopupMenu("mnuSheet", 0, mouseX, mouseY);
    } else if (row >= 1 && col >= 1) {
      s.sheet.PopupMenu("mnuFunction", 0, mouseX, mouseY);
    } else if (row >= 1 && col == 0 && s.grid.IsBlockSelected()) {
      s.sheet.PopupMenu("mnuEdit", 0, mouseX, mouseY);
    }
  });
}

void OnColWidthChange(ZelSheet::Impl& s, int32_t col1, int32_t col2) {
  // A resize began with a press on the header row: that press was no column drag.
  s.event_flags.header_drag = false;
  SetPointer(s, vbDefault);
  SkipStep([&] {
    if (s.grid.ColWidth(col1) <= 0) s.grid.ColWidth(col1, kMinColWidth);
  });
  SkipStep([&] { s.Events().ColWidthChange(col1, col2); });
}

void OnRowHeightChange(ZelSheet::Impl& s, int32_t row1, int32_t row2) {
  if (row1 == 0 && row2 == 0) return;
  // Whole points, halves to the even number.
  SkipStep([&] { s.grid.RowHeight(row1, std::nearbyint(s.grid.RowHeight(row1))); });
  SkipStep([&] { s.Events().RowHeightChange(row1, row2); });
}

}  // namespace internal

}  // namespace zel
