// The terminal: the only place that talks to curses. It shows a ScreenBuffer and reads the
// user's input as InputEvents; nothing else of the program knows there is a terminal.
//
// Construction takes over the terminal (raw keys, no echo, the mouse, colours); destruction
// gives it back exactly as it was, also when the program ends through SIGTERM, SIGINT or
// SIGHUP: those only set a flag that Next reports as an Interrupt event, so the program
// unwinds normally and the destructor runs.
#pragma once

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "tui/input_event.h"
#include "tui/screen_buffer.h"

namespace zel::tui {

class TerminalError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Terminal {
 public:
  // The terminal of stdin/stdout. Throws TerminalError when there is none (not a terminal,
  // an unknown TERM).
  Terminal();
  // Output to `out` and input from `in` with the terminal type `term` (the benchmark draws
  // to /dev/null this way).
  Terminal(const char* term, FILE* out, FILE* in);
  ~Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  int Height() const;
  int Width() const;
  // Colours the terminal shows: 256, 8, or 0 (attributes only).
  int Colors() const { return colors_; }

  // Shows `screen` (sized Height() x Width()) in one write. Only cells that differ from the
  // last frame are written, unless `full` (after a resize, or to repaint everything: the
  // screen is cleared first).
  void Show(const ScreenBuffer& screen, bool full = false);

  // The next input, waiting up to `timeout_ms` (-1: until there is one). A pending signal
  // comes first, as Interrupt.
  InputEvent Next(int timeout_ms);

  // True once SIGTERM, SIGINT or SIGHUP arrived.
  static bool Interrupted();

 private:
  void Start(const char* term, FILE* out, FILE* in);
  InputEvent ReadMouse();

  struct Screen;
  std::unique_ptr<Screen> screen_;
  int colors_ = 0;
  ScreenBuffer shown_;
};

}  // namespace zel::tui
