// The sheet's handlers of its grid's events, shared by the files that define them
// (key_events.cpp, cell_events.cpp, mouse_events.cpp, grid_handlers.cpp).
//
// Each handler does the sheet's own work first (row status, shortcuts, code help, date
// checks, auto-fit, highlight, column drag, menus) and then raises the sheet's event of the
// same meaning to the host. A handler never lets an error out: the grid, and through it the
// user's input, must not be left half-way because the sheet or the host failed. Where a
// failure stops the whole handler and where only the failing step is skipped is said at each.
#pragma once

#include <cstdint>

#include "sheet/sheet_state.h"

namespace zel::internal {

// Key-down: display-only filter, Ctrl+C / Ctrl+X copy, F2 edits, Up / Down leave an edit by
// row, then KeyDown to the host and, for F9, ShowDic. Stops at a failing step.
void OnKeyDown(ZelSheet::Impl& s, int16_t& keyCode, int16_t& shift);
// Key-press: display-only filter, Enter sends the keys that move on, other characters track
// the edit and reach the host as KeyPress. Skips a failing step.
void OnKeyPress(ZelSheet::Impl& s, int16_t& keyAscii);
// Key-up: F3 finds the next match, Ctrl+F opens the find dialog; else KeyUp to the host.
void OnKeyUp(ZelSheet::Impl& s, int16_t& keyCode, int16_t& shift);

// The committed change of a cell: trailing line break, tracking, Change and ShowDic.
void OnChange(ZelSheet::Impl& s, int32_t col, int32_t row);
// Leaving a cell: the date checks, the last-entered cell, LeaveCell. Stops at a failing step.
void OnLeaveCell(ZelSheet::Impl& s, int32_t col, int32_t row, int32_t newCol, int32_t newRow,
                 bool& cancel);
void OnButtonClicked(ZelSheet::Impl& s, int32_t col, int32_t row, int16_t buttonDown);
void OnClick(ZelSheet::Impl& s, int32_t col, int32_t row);
// Double click: auto-fit, code help, row highlight, DblClick, message-loop passes.
void OnDblClick(ZelSheet::Impl& s, int32_t col, int32_t row);

void OnMouseDown(ZelSheet::Impl& s, int16_t& button, int16_t& shift, float& x, float& y);
void OnMouseMove(ZelSheet::Impl& s, int16_t& button, int16_t& shift, float& x, float& y);
// Mouse-up: the column move of a header drag, ClickRow and MouseUp.
void OnMouseUp(ZelSheet::Impl& s, int16_t& button, int16_t& shift, float& x, float& y);
// Right click: header sort or one of the menus, or RightClick to the host.
void OnRightClick(ZelSheet::Impl& s, int16_t clickType, int32_t col, int32_t row,
                  int32_t mouseX, int32_t mouseY);
void OnColWidthChange(ZelSheet::Impl& s, int32_t col1, int32_t col2);
void OnRowHeightChange(ZelSheet::Impl& s, int32_t row1, int32_t row2);

// The cell the next ShowDic names: the last-entered cell, a -1 part standing for the active
// column or row.
void LastEnteredCell(const ZelSheet::Impl& s, int32_t& col, int32_t& row);
// The grid row that holds the status of `row`: the record's first row in the multi-row
// layout, else the row itself.
int32_t StatusRowOf(const ZelSheet::Impl& s, int32_t row);

// Moves the column the header drag started at to drop column `dropCol`, when the drop was
// on the header row (`dropRow` 0). In column_move.cpp.
void MoveDraggedColumn(ZelSheet::Impl& s, int32_t dropCol, int32_t dropRow);

}  // namespace zel::internal
