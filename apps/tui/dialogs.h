// Modal windows drawn over the screen, centred (menus at the pointer): message boxes,
// pop-up menus, lists to choose from, and small forms (a text, a number, a choice among
// columns, a tick) for the sheet's dialogs. Each runs its own loop until the user answers:
// it asks its host to paint what lies beneath, draws itself on top, shows the frame and
// waits for the next input. Keys and the mouse both work; Escape (or an Interrupt) cancels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tui/input_event.h"
#include "tui/screen_buffer.h"

namespace zel::tui {

// Where a dialog runs: the program's screen, or a script in tests.
class ModalHost {
 public:
  virtual ~ModalHost() = default;
  // Paints the screen beneath the dialog into `screen`, sized to the terminal.
  virtual void PaintBackground(ScreenBuffer& screen) = 0;
  virtual void Present(const ScreenBuffer& screen) = 0;
  // The next input; waits for it.
  virtual InputEvent Wait() = 0;
};

// The look of dialogs.
struct DialogStyle {
  Style window{0x000000, 0xF2F2F2, 0};
  Style frame{0x8B4513, 0xF2F2F2, 0};  // dark blue lines
  Style title{0x8B4513, 0xF2F2F2, kAttrBold};
  Style field{0x000000, 0xFFFFFF, kAttrUnderline};
  Style focus{0xFFFFFF, 0x8B4513, kAttrBold};  // the focused button, entry or field
  Style disabled{0x808080, 0xF2F2F2, 0};
};

// Draws a framed window with its title over `area`; returns the inner area.
Rect DrawWindow(ScreenBuffer& screen, const Rect& area, const std::string& title,
                const DialogStyle& style = {});
// `lines` of text broken to at most `width` cells (at blanks where it can, else anywhere
// between characters); line feeds break lines.
std::vector<std::string> WrapText(const std::string& text, int width);

// A message box with the buttons of `style` (MsgBoxStyle bits), its default button focused,
// titled "알림" when `title` is empty.
// Returns the button chosen (an MsgBoxResult value). Escape gives Cancel, or the only
// button; a box with several buttons and no Cancel waits for one of them. An Interrupt
// gives Cancel, else No, else the only button.
int32_t RunMessageBox(ModalHost& host, const std::string& text, int32_t style,
                      const std::string& title);

struct MenuItem {
  std::string caption;  // "-" is a separator
  bool enabled = true;
  bool checked = false;
};
// A pop-up menu with its top-left corner at (y, x), moved to fit the screen. Returns the
// index of the item chosen, -1 when dismissed (Escape, a click outside).
int RunPopupMenu(ModalHost& host, const std::vector<MenuItem>& items, int y, int x,
                 int default_index = -1);

// A list to choose from: one line per entry, the first `start` focused; typing narrows the
// list to the lines that hold what was typed. Returns the chosen entry's index in `lines`,
// -1 when cancelled. With `read_only` it only shows the lines (Enter or Escape close it).
int RunListBox(ModalHost& host, const std::string& title, const std::vector<std::string>& lines,
               int start = 0, bool read_only = false);

// A small form: fields one per line with their labels, then OK and Cancel.
struct FormField {
  enum class Kind : uint8_t { Text, Number, Choice, Check };
  Kind kind = Kind::Text;
  std::string label{};
  std::string text{};                  // Text, Number: the value
  std::vector<std::string> options{};  // Choice: the entries
  int choice = 0;                    // Choice: the entry chosen
  bool checked = false;              // Check
  int width = 20;                    // Text, Number: cells shown
};
struct Form {
  std::string title;
  std::string note;  // a line above the fields (may be empty)
  std::vector<FormField> fields;
};
// Returns true when confirmed; the fields then hold the answers (left as they were otherwise).
bool RunForm(ModalHost& host, Form& form);

}  // namespace zel::tui
