// The demo program's screen on the terminal: a title line, the query line, the customer
// sheet, a status line and a line of keys. It owns the terminal, the platform (message
// boxes, menus and dialogs drawn as windows), the sample server and the customer screen,
// and runs the loop: paint, show, wait for input, hand it to the query line, the program's
// own keys or the grid, then drain the keys the sheet sent to itself.
#pragma once

#include <memory>
#include <string>

#include "demo/customer_screen.h"
#include "server/customer_server.h"
#include "tui/dialogs.h"
#include "tui/grid_painter.h"
#include "tui/line_editor.h"
#include "tui/screen_buffer.h"
#include "tui/terminal.h"
#include "zelsheet/platform.h"

namespace zel::demo {

struct DemoOptions {
  std::string db_path;
  std::string user = "demo";
  bool query_at_start = true;
};

class DemoApp : public tui::ModalHost {
 public:
  // Takes over the terminal (TerminalError when there is none).
  explicit DemoApp(const DemoOptions& options);
  ~DemoApp() override;

  // Runs until the user quits or a signal ends the program. Returns the exit status.
  int Run();

  // ModalHost: what lies under a dialog is this screen as it stands.
  void PaintBackground(tui::ScreenBuffer& screen) override;
  void Present(const tui::ScreenBuffer& screen) override;
  tui::InputEvent Wait() override;

 private:
  enum class Focus { Grid, Query };

  void Paint(tui::ScreenBuffer& screen);
  void PaintBars(tui::ScreenBuffer& screen);
  tui::Rect GridArea(const tui::ScreenBuffer& screen) const;
  void Handle(const tui::InputEvent& e);
  bool HandleProgramKey(const tui::InputEvent& e);
  void HandleQueryLine(const tui::InputEvent& e);
  void HandleGridInput(const tui::InputEvent& e);
  void HandleMouse(const tui::InputEvent& e);
  void SetFocus(Focus focus);
  // Commits the grid's edit before a program key acts on the data; false when refused.
  bool CommitEdit();
  void DrainSentKeys();
  // Opens one of the sheet's context menus from the keyboard, beside the active cell.
  void OpenMenu(const std::string& menu);
  void Quit();

  DemoOptions options_;
  tui::Terminal terminal_;
  std::unique_ptr<StandardPlatform> platform_;
  server::CustomerServer server_;
  std::unique_ptr<CustomerScreen> screen_;
  std::unique_ptr<tui::GridPainter> painter_;
  tui::LineEditor query_;
  Focus focus_ = Focus::Grid;
  tui::ScreenBuffer frame_;
  tui::Rect grid_area_;
  int menu_y_ = 0, menu_x_ = 0;  // where the next pop-up menu opens
  int16_t held_button_ = 0;      // the mouse button pressed in the grid and not yet released
  std::string menu_entry_;       // the menu entry chosen while handling the current input
  bool full_redraw_ = true;
  bool quit_ = false;
};

}  // namespace zel::demo
