// The sheet's handling of keys: what the user's keys do before the host hears of them.
//
// Keys use the Windows virtual-key codes; Shift is the classic state (1 Shift, 2 Ctrl,
// 4 Alt) and is compared as a whole, so Ctrl together with Shift is not "Ctrl".
#include "editing/internal/grid_handlers.h"
#include "platform/failure.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

constexpr int16_t kKeyTab = 9;
constexpr int16_t kKeyEnter = 13;
constexpr int16_t kKeyCtrl = 17;
constexpr int16_t kKeyPageUp = 33;
constexpr int16_t kKeyPageDown = 34;
constexpr int16_t kKeyEnd = 35;
constexpr int16_t kKeyHome = 36;
constexpr int16_t kKeyLeft = 37;
constexpr int16_t kKeyUp = 38;
constexpr int16_t kKeyRight = 39;
constexpr int16_t kKeyDown = 40;
constexpr int16_t kKeyC = 67;
constexpr int16_t kKeyF = 70;
constexpr int16_t kKeyX = 88;
constexpr int16_t kKeyF2 = 113;
constexpr int16_t kKeyF3 = 114;
constexpr int16_t kKeyF9 = 120;
// The key code an input method reports while it composes a character (and the codes above).
constexpr int16_t kKeyComposing = 229;
constexpr int16_t kShiftOnly = 1;
constexpr int16_t kCtrlOnly = 2;

// The keys a display-only sheet still lets through: they move the cursor.
bool IsNavigationKey(int16_t key) {
  switch (key) {
    case kKeyEnter:
    case kKeyUp:
    case kKeyDown:
    case kKeyLeft:
    case kKeyRight:
    case kKeyTab:
    case kKeyEnd:
    case kKeyHome:
    case kKeyPageDown:
    case kKeyPageUp:
      return true;
    default:
      return false;
  }
}

// The last column of the active row that is not hidden, looking from the right; 0 when
// every column is hidden.
int32_t LastShownCol(Grid& grid) {
  grid.Row(grid.ActiveRow());
  for (int32_t c = grid.MaxCols(); c >= 1; --c) {
    grid.Col(c);
    if (!grid.ColHidden()) return c;
  }
  return 0;
}

}  // namespace

namespace internal {

void OnKeyDown(ZelSheet::Impl& s, int16_t& keyCode, int16_t& shift) {
  SkipStep([&] {
    if (shift == 0 && s.flags.is_data_display && !IsNavigationKey(keyCode)) {
      keyCode = 0;
      return;
    }
    if (s.editing.query_display) return;
    Grid& grid = s.grid;
    // A composing input method starts an edit of its own.
    if (!grid.EditMode() && keyCode >= kKeyComposing) grid.EditMode(true);

    ZelSheet::Impl::GridEventState& ev = s.event_flags;
    ev.modifier = false;
    if (shift == kCtrlOnly || ev.ctrl_held) {
      // Ctrl+V is left to the grid, which pastes by itself.
      if (keyCode == kKeyC || keyCode == kKeyX) s.sheet.mnuCopy_Click();
      ev.modifier = true;
    } else if (shift == kShiftOnly) {
      ev.modifier = true;
    } else if (keyCode == kKeyF2) {
      grid.EditMode(true);
      return;
    }
    if (keyCode == kKeyCtrl) ev.ctrl_held = true;

    // Up and Down inside an edit leave the cell by row here, so that the cell left is
    // checked as any other left cell is.
    if (grid.EditMode() && !grid.EditModePermanent()) {
      if (keyCode == kKeyDown && grid.ActiveRow() < grid.MaxRows()) {
        s.sheet.ActiveCell(grid.ActiveCol(), grid.ActiveRow() + 1);
        bool cancel = false;
        OnLeaveCell(s, grid.ActiveCol(), grid.ActiveRow() - 1, grid.ActiveCol(), grid.ActiveRow(),
                    cancel);
        keyCode = 0;
      } else if (keyCode == kKeyUp && grid.ActiveRow() >= 2) {
        s.sheet.ActiveCell(grid.ActiveCol(), grid.ActiveRow() - 1);
        bool cancel = false;
        OnLeaveCell(s, grid.ActiveCol(), grid.ActiveRow() + 1, grid.ActiveCol(), grid.ActiveRow(),
                    cancel);
        keyCode = 0;
      }
    }

    s.Events().KeyDown(keyCode, shift);

    if (keyCode == kKeyF9) {
      // Code help on demand: IsCancelCodeHelp does not stop this one.
      int32_t c = 0, r = 0;
      LastEnteredCell(s, c, r);
      bool cancel = false, isDblClick = true;
      s.Events().ShowDic(c, r, c, r, cancel, isDblClick);
    }
  });
}

void OnKeyPress(ZelSheet::Impl& s, int16_t& keyAscii) {
  if (s.flags.is_data_display && keyAscii != kKeyEnter && keyAscii != kKeyTab) {
    keyAscii = 0;
    return;
  }
  if (s.editing.query_display) return;
  Grid& grid = s.grid;
  if (keyAscii == kKeyEnter) {
    // Enter moves on as Tab does, and from the last column to the start of the next row. The
    // keys come back to the grid as ordinary input once this handler has returned.
    s.event_flags.modifier = true;
    SkipStep([&] {
      const int32_t savedCol = grid.Col(), savedRow = grid.Row();
      const int32_t last = LastShownCol(grid);
      grid.Col(savedCol);
      grid.Row(savedRow);
      if (grid.ActiveCol() == last) {
        s.platform.Keys().SendKeys("{DOWN}");
        s.platform.Keys().SendKeys("{HOME}");
      } else {
        s.platform.Keys().SendKeys("{TAB}");
      }
    });
    keyAscii = 0;
    return;
  }
  SkipStep([&] {
    const int32_t savedCol = grid.Col(), savedRow = grid.Row();
    grid.Col(grid.ActiveCol());
    grid.Row(grid.ActiveRow());
    SkipStep([&] {
      if (!s.event_flags.modifier && !grid.LockCells()) {
        s.sheet.TrackTypedEdit(grid.ActiveCol(), grid.ActiveRow(),
                               StatusRowOf(s, grid.ActiveRow()));
      }
    });
    grid.Col(savedCol);
    grid.Row(savedRow);
  });
  SkipStep([&] { s.Events().KeyPress(keyAscii); });
}

void OnKeyUp(ZelSheet::Impl& s, int16_t& keyCode, int16_t& shift) {
  if (keyCode == kKeyF3) {
    SkipStep([&] { s.sheet.SheetSearch(); });
    return;
  }
  if (shift == kCtrlOnly && keyCode == kKeyF) {
    SkipStep([&] { s.sheet.mnuSheetFind_Click(); });
    return;
  }
  if (shift == 0 && s.flags.is_data_display && !IsNavigationKey(keyCode)) {
    keyCode = 0;
    return;
  }
  if (s.editing.query_display) return;
  if (keyCode == kKeyCtrl) s.event_flags.ctrl_held = false;
  SkipStep([&] { s.Events().KeyUp(keyCode, shift); });
}

}  // namespace internal

void ZelSheet::Grid1_KeyDown(int16_t& KeyCode, int16_t& Shift) {
  internal::OnKeyDown(*impl_, KeyCode, Shift);
}

}  // namespace zel
