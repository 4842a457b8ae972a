// The engine's side of the user's input, shared by its files (grid_input.cpp: keys, focus,
// scrolling; grid_edit.cpp: the cell editor and the cell kinds' rules; grid_mouse.cpp: the
// pointer).
//
// The cell editor. While the grid is in edit mode (EditMode) the active cell's text is held
// by the editor and only written to the cell when the edit is committed: by Enter, by the
// active cell moving (the user's moves and the program's alike), by the focus leaving, or
// by EditMode(false). Escape cancels it. The editor's text and caret are those of SelStart,
// SelLength and SelText. An edit the user began (typing, F2, a double click) tells the
// listener EditMode 1 when it begins and EditMode 0 when it ends; a committed edit whose
// text changed writes the cell, sets ChangeMade and tells the listener Change. An edit the
// program opened (EditMode(true)) and the user never touched ends without a word.
#pragma once

#include <cstdint>
#include <string>

#include "grid/internal/grid_store.h"

namespace zel::internal {

inline constexpr int32_t kDefaultDoubleClickMs = 500;

struct InputState {
  // ---- The editor ----
  int32_t edit_col = 0, edit_row = 0;  // the cell being edited
  std::string edit_text;               // what the editor holds
  std::string edit_original;           // what it started from
  bool edit_by_user = false;           // the user began it: EditMode events are raised
  // Begun in place (F2, a double click): Left, Right, Home and End move the caret. An edit
  // begun by typing over the cell leaves them to move the active cell.
  bool caret_mode = false;
  // The row the active cell is in had a committed change since it was entered.
  bool row_changed = false;
  // Counts every making of an active cell (SetActiveCell, Action 0), the same cell again
  // included: a listener that puts the cursor somewhere while the user leaves a cell decides
  // where it stays.
  uint64_t placements = 0;

  // ---- Keyboard selection ----
  // The far corner of a block extended with Shift and the arrows (the active cell is the
  // other); 0 when no block is being extended.
  int32_t sel_end_col = 0, sel_end_row = 0;

  // ---- Combo box list ----
  bool combo_open = false;
  int32_t combo_col = 0, combo_row = 0;
  int32_t combo_sel_at_open = -1;

  // ---- The pointer ----
  enum class Drag : uint8_t { kNone, kSelect, kColSize, kRowSize, kHeader };
  Drag drag = Drag::kNone;
  int16_t press_button = 0;
  int32_t press_col = -1, press_row = -1;  // cell of the last press
  int32_t size_index = 0;                  // column or row being resized
  int32_t size_from = 0;                   // pointer position where the resize began
  double size_start = 0;                   // its width or height then
  bool double_click = false;               // the current press made a double click
  int64_t last_press_time = 0;
  int16_t last_press_button = 0;
  int32_t last_press_col = -2, last_press_row = -2;
  int32_t hover_col = -1, hover_row = -1;  // cell the last tip was fetched for

  int32_t double_click_ms = kDefaultDoubleClickMs;
  bool has_focus = false;
  // Hears the events while the grid has no listener.
  GridListener quiet;
};

// The input state of a grid (made on first use).
InputState& Input(GridState& s);

// ---- The editor (grid_edit.cpp) ----
// Opens the editor on the active cell. `byUser` raises EditMode 1; `replace` starts from an
// empty text (typing over a cell) instead of the cell's text. Does nothing for a cell the
// user cannot edit (locked, a kind without text editing) when `byUser`.
void BeginEdit(Grid& grid, bool byUser, bool replace);
// Ends the edit keeping its text: writes the cell when the text changed and the cell kind's
// limits accept it (else the cell keeps its text), and raises EditMode 0 and Change.
void CommitEdit(Grid& grid);
// Ends the edit dropping its text.
void CancelEdit(Grid& grid);
// One typed character, after the listener's KeyPress let it through.
void TypeChar(Grid& grid, char32_t ch);
// Backspace / Delete inside the editor, and the caret keys. Return false when the key is
// not the editor's (the caret at the edge: the key moves the cell instead).
bool EditorKey(Grid& grid, int16_t keyCode, int16_t shift);
// Whether the user may edit the active cell's text / toggle or press it.
bool IsUserEditable(Grid& grid, int32_t col, int32_t row);
// Whether the cell is a check box or a button, which Space and a click press.
bool IsPressable(const GridState& s, int32_t col, int32_t row);
// A check box toggles, a button is pressed (ButtonClicked); false for other kinds or a
// locked cell.
bool PressCell(Grid& grid, int32_t col, int32_t row);
// The combo box list of the active cell: open, move the selection by `step`, close.
void OpenCombo(Grid& grid);
void StepCombo(Grid& grid, int32_t step);
void CloseCombo(Grid& grid);
// Brings an editor the program opened, untouched by the user, up to its cell's text.
void RefreshProgramEdit(Grid& grid);
// The editor's selected text, and replacing it (SelText) as the program writes it.
std::string_view EditorSelection(const GridState& s);
void ReplaceEditorSelection(Grid& grid, std::string_view text);
// Clipboard keys: copy, cut and paste of the editor's selection or of the grid's.
void CopyKey(Grid& grid, bool cut);
void PasteKey(Grid& grid);

// ---- Moving (grid_input.cpp) ----
// The user moves the active cell to (col, row): the edit is committed, LeaveCell (which may
// cancel, or move the cell itself), LeaveRow, the move, EnterRow; then the cell is scrolled
// into view. `extend` keeps the selection growing from the active cell instead.
void MoveActiveCell(Grid& grid, int32_t col, int32_t row);
// Scrolls so that (col, row) is in view, raising TopLeftChange when the scroll moved.
void ScrollIntoView(Grid& grid, int32_t col, int32_t row);
// Scrolls to (topRow, leftCol), kept inside the grid, raising TopLeftChange when it moved.
void ScrollTo(Grid& grid, int32_t topRow, int32_t leftCol);
// The listener, or one that does nothing.
GridListener& Listen(GridState& s);

}  // namespace zel::internal
