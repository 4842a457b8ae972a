#include "tui/terminal.h"

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#define NCURSES_WIDECHAR 1
#include <curses.h>
#include <term.h>

#include "tui/color_map.h"
#include "tui/text_width.h"

namespace zel::tui {

namespace {

// Set by the signal handler; a handler can reach nothing but static storage.
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnEndSignal(int) { g_interrupted = 1; }

void InstallEndSignals() {
  struct sigaction sa {};
  sa.sa_handler = OnEndSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = 0;  // no SA_RESTART: a wait for input returns at once
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
}

// xterm's button-event tracking: motion while a button is held (drags).
constexpr const char* kDragTrackingOn = "\033[?1002h";
constexpr const char* kDragTrackingOff = "\033[?1002l";

}  // namespace

// Curses sets the terminal up and reads the keys; the frames are written here, from the
// terminal's own control strings (terminfo), because only this code knows which cells
// changed and which styles they share. Curses never draws: stdscr stays untouched, so
// reading a key never makes curses repaint over what was written.
struct Terminal::Screen {
  SCREEN* screen = nullptr;
  FILE* out = nullptr;
  std::string frame;  // the bytes of one frame, written at once
  // The control strings used for each frame (empty when the terminal has none).
  std::string clear, reset, bold, underline, reverse, dim, show_cursor, hide_cursor;
  const char* cup = nullptr;
  std::vector<std::string> fore, back;  // set foreground / background, by palette index
  bool last_cell_scrolls = false;       // writing the bottom-right cell would scroll
  std::vector<std::string> style_codes;  // per style of the frame being written

  static std::string Cap(const char* name) {
    const char* v = tigetstr(const_cast<char*>(name));
    return v == nullptr || v == reinterpret_cast<const char*>(-1) ? std::string() : std::string(v);
  }
  void Load(int colors) {
    clear = Cap("clear"), reset = Cap("sgr0"), bold = Cap("bold"), underline = Cap("smul");
    reverse = Cap("rev"), dim = Cap("dim"), show_cursor = Cap("cnorm"), hide_cursor = Cap("civis");
    const char* c = tigetstr(const_cast<char*>("cup"));
    cup = c == nullptr || c == reinterpret_cast<const char*>(-1) ? nullptr : c;
    last_cell_scrolls = tigetflag(const_cast<char*>("am")) > 0 && tigetflag(const_cast<char*>("xenl")) <= 0;
    fore.assign(static_cast<size_t>(colors), std::string());
    back.assign(static_cast<size_t>(colors), std::string());
    const char* af = tigetstr(const_cast<char*>("setaf"));
    const char* ab = tigetstr(const_cast<char*>("setab"));
    for (int i = 0; i < colors; ++i) {
      if (af != nullptr && af != reinterpret_cast<const char*>(-1)) fore[static_cast<size_t>(i)] = tiparm(af, i);
      if (ab != nullptr && ab != reinterpret_cast<const char*>(-1)) back[static_cast<size_t>(i)] = tiparm(ab, i);
    }
  }
  void MoveTo(int y, int x) {
    if (cup != nullptr) frame += tiparm(cup, y, x);
  }
};

Terminal::Terminal() { Start(nullptr, stdout, stdin); }

Terminal::Terminal(const char* term, FILE* out, FILE* in) { Start(term, out, in); }

void Terminal::Start(const char* term, FILE* out, FILE* in) {
  EnsureUtf8Locale();
  screen_ = std::make_unique<Screen>();
  screen_->out = out;
  screen_->screen = newterm(term, out, in);
  if (screen_->screen == nullptr) {
    throw TerminalError("this program needs a terminal (TERM=" +
                        std::string(term ? term : (std::getenv("TERM") ? std::getenv("TERM") : "")) +
                        ")");
  }
  set_term(screen_->screen);
  InstallEndSignals();
  raw();  // Ctrl+S, Ctrl+Q, Ctrl+C reach the program as keys
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  // Home and End as the VT220 and tmux send them, which terminals described as xterm (tmux
  // and screen sessions often are) do not list: without these they would arrive as text.
  define_key("\033[1~", KEY_HOME);
  define_key("\033[4~", KEY_END);
  set_escdelay(25);
  curs_set(0);
  if (has_colors()) {
    start_color();
    colors_ = COLORS >= 256 ? 256 : COLORS >= 8 ? 8 : 0;
  }
  mousemask(ALL_MOUSE_EVENTS | REPORT_MOUSE_POSITION, nullptr);
  mouseinterval(0);  // presses and releases as they come; the grid times double clicks
  screen_->Load(colors_);
  refresh();  // curses clears the screen once; from now on stdscr is never touched
  if (out != nullptr) {
    std::fputs(kDragTrackingOn, out);
    std::fflush(out);
  }
}

Terminal::~Terminal() {
  if (screen_ == nullptr || screen_->screen == nullptr) return;
  set_term(screen_->screen);
  mousemask(0, nullptr);
  if (screen_->out != nullptr) {
    std::fputs(kDragTrackingOff, screen_->out);
    std::fflush(screen_->out);
  }
  if (screen_->out != nullptr) {
    std::fputs(screen_->reset.c_str(), screen_->out);
    std::fputs(screen_->clear.c_str(), screen_->out);
    std::fflush(screen_->out);
  }
  curs_set(1);
  endwin();
  delscreen(screen_->screen);
}

int Terminal::Height() const { return getmaxy(stdscr); }
int Terminal::Width() const { return getmaxx(stdscr); }

bool Terminal::Interrupted() { return g_interrupted != 0; }

void Terminal::Show(const ScreenBuffer& screen, bool full) {
  Screen& t = *screen_;
  const int height = std::min(screen.Height(), Height());
  const int width = std::min(screen.Width(), Width());
  const bool same_size = shown_.Height() == screen.Height() && shown_.Width() == screen.Width();
  full = full || !same_size;
  t.frame.clear();
  if (full) t.frame += t.reset + t.clear;

  // The control string of each style of this frame: attributes off, the style's on.
  t.style_codes.assign(screen.StyleCount(), std::string());
  for (size_t i = 0; i < screen.StyleCount(); ++i) {
    const Style& s = screen.StyleOf(static_cast<uint16_t>(i));
    std::string& code = t.style_codes[i];
    code = t.reset;
    if (s.attrs & kAttrBold) code += t.bold;
    if (s.attrs & kAttrUnderline) code += t.underline;
    if (s.attrs & kAttrReverse) code += t.reverse;
    if (s.attrs & kAttrDim) code += t.dim;
    if (colors_ > 0) {
      code += t.fore[static_cast<size_t>(NearestColor(s.fore, colors_))];
      code += t.back[static_cast<size_t>(NearestColor(s.back, colors_))];
    } else if ((s.attrs & kAttrReverse) == 0 && s.back != 0xFFFFFF && s.fore == 0xFFFFFF) {
      code += t.reverse;  // without colours, light-on-dark bars still stand out
    }
  }

  int current = -1;  // the style the terminal is in (unknown at first)
  for (int y = 0; y < height; ++y) {
    bool placed = false;  // the terminal's cursor stands at (y, x)
    for (int x = 0; x < width; ++x) {
      const ScreenBuffer::Cell& cell = screen.At(y, x);
      if (cell.code == 0) continue;
      const int cell_width = CharWidth(cell.code);
      if (!full) {
        const ScreenBuffer::Cell& old = shown_.At(y, x);
        if (old.code == cell.code && shown_.StyleOf(old.style) == screen.StyleOf(cell.style) &&
            (cell_width < 2 || (x + 1 < width && shown_.At(y, x + 1).code == 0))) {
          placed = false;
          continue;
        }
      }
      if (y == height - 1 && x + cell_width >= width && t.last_cell_scrolls) break;
      if (!placed) t.MoveTo(y, x);
      placed = true;
      if (cell.style != current) {
        t.frame += t.style_codes[cell.style];
        current = cell.style;
      }
      // A wide character cut by the right edge is drawn as a blank.
      AppendUtf8(t.frame, cell_width == 2 && x + 1 >= width ? U' ' : cell.code);
    }
  }
  t.frame += t.reset;
  if (screen.CursorY() >= 0 && screen.CursorY() < height && screen.CursorX() < width) {
    t.MoveTo(screen.CursorY(), screen.CursorX());
    t.frame += t.show_cursor;
  } else {
    t.frame += t.hide_cursor;
  }
  if (t.out != nullptr) {
    std::fwrite(t.frame.data(), 1, t.frame.size(), t.out);
    std::fflush(t.out);
  }
  shown_ = screen;
}

InputEvent Terminal::ReadMouse() {
  MEVENT ev{};
  if (getmouse(&ev) != OK) return {};
  InputEvent e;
  e.kind = InputEvent::Kind::Mouse;
  e.y = ev.y, e.x = ev.x;
  if (ev.bstate & BUTTON_SHIFT) e.shift |= kShift;
  if (ev.bstate & BUTTON_CTRL) e.shift |= kCtrl;
  if (ev.bstate & BUTTON_ALT) e.shift |= kAlt;
  const mmask_t s = ev.bstate;
  if (s & BUTTON4_PRESSED) {
    e.mouse = InputEvent::Mouse::WheelUp;
  } else if (s & BUTTON5_PRESSED) {
    e.mouse = InputEvent::Mouse::WheelDown;
  } else if (s & (BUTTON1_PRESSED | BUTTON2_PRESSED | BUTTON3_PRESSED)) {
    e.mouse = InputEvent::Mouse::Press;
    e.button = (s & BUTTON1_PRESSED) ? 1 : (s & BUTTON3_PRESSED) ? 2 : 4;
  } else if (s & (BUTTON1_RELEASED | BUTTON2_RELEASED | BUTTON3_RELEASED)) {
    e.mouse = InputEvent::Mouse::Release;
    e.button = (s & BUTTON1_RELEASED) ? 1 : (s & BUTTON3_RELEASED) ? 2 : 4;
  } else if (s & REPORT_MOUSE_POSITION) {
    e.mouse = InputEvent::Mouse::Move;
    e.button = 1;
  } else {
    return {};
  }
  return e;
}

InputEvent Terminal::Next(int timeout_ms) {
  if (g_interrupted) {
    InputEvent e;
    e.kind = InputEvent::Kind::Interrupt;
    return e;
  }
  timeout(timeout_ms);
  wint_t ch = 0;
  const int got = get_wch(&ch);
  if (g_interrupted) {
    InputEvent e;
    e.kind = InputEvent::Kind::Interrupt;
    return e;
  }
  if (got == ERR) return {};
  if (got == KEY_CODE_YES) {
    if (ch == KEY_RESIZE) {
      untouchwin(stdscr);  // curses must not repaint its empty stdscr over the frame
      InputEvent e;
      e.kind = InputEvent::Kind::Resize;
      return e;
    }
    if (ch == KEY_MOUSE) return ReadMouse();
    const char* name = keyname(static_cast<int>(ch));
    return name == nullptr ? InputEvent{} : KeyFromName(name);
  }
  if (ch == 27) {
    // Escape alone, or Alt with the key that follows at once.
    timeout(0);
    wint_t next = 0;
    const int more = get_wch(&next);
    if (more == OK && (next < 0x20 || next == 0x7F)) {
      // Escape, then a control key typed right after it (Ctrl+Q): two keys, not Alt.
      unget_wch(static_cast<wchar_t>(next));
    } else if (more == OK) {
      InputEvent e = KeyFromChar(static_cast<char32_t>(next));
      if (e.kind == InputEvent::Kind::Text && e.text.size() == 1) {
        char c = e.text[0];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        return InputEvent::KeyEvent(VkLetter(c), kAlt);
      }
      e.shift |= kAlt;
      return e;
    }
    if (more == KEY_CODE_YES) {
      const char* name = keyname(static_cast<int>(next));
      InputEvent e = name == nullptr ? InputEvent{} : KeyFromName(name);
      e.shift |= kAlt;
      return e;
    }
    return InputEvent::KeyEvent(kVkEscape);
  }
  InputEvent e = KeyFromChar(static_cast<char32_t>(ch));
  if (e.kind == InputEvent::Kind::Text) {
    // Gather what was typed at once (a paste, an input method's syllables) into one event.
    timeout(0);
    wint_t more = 0;
    for (;;) {
      const int r = get_wch(&more);
      if (r == ERR) break;
      if (r == KEY_CODE_YES) {
        ungetch(static_cast<int>(more));
        break;
      }
      const InputEvent next = KeyFromChar(static_cast<char32_t>(more));
      if (next.kind != InputEvent::Kind::Text) {
        unget_wch(static_cast<wchar_t>(more));
        break;
      }
      e.text += next.text;
      if (e.text.size() > 4096) break;
    }
  }
  return e;
}

}  // namespace zel::tui
