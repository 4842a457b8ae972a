#include "tui/terminal.h"

#include <csignal>
#include <cstring>
#include <string>

#define NCURSES_WIDECHAR 1
#include <curses.h>

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

struct Terminal::Screen {
  SCREEN* screen = nullptr;
  FILE* out = nullptr;
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
  set_escdelay(25);
  curs_set(0);
  if (has_colors()) {
    start_color();
    colors_ = COLORS >= 256 ? 256 : COLORS >= 8 ? 8 : 0;
  }
  mousemask(ALL_MOUSE_EVENTS | REPORT_MOUSE_POSITION, nullptr);
  mouseinterval(0);  // presses and releases as they come; the grid times double clicks
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
  curs_set(1);
  endwin();
  delscreen(screen_->screen);
}

int Terminal::Height() const { return getmaxy(stdscr); }
int Terminal::Width() const { return getmaxx(stdscr); }

bool Terminal::Interrupted() { return g_interrupted != 0; }

void Terminal::Show(const ScreenBuffer& screen, bool full) {
  const int height = std::min(screen.Height(), Height());
  const int width = std::min(screen.Width(), Width());
  const bool same_size = shown_.Height() == screen.Height() && shown_.Width() == screen.Width();
  full = full || !same_size;
  if (full) clearok(stdscr, TRUE);

  // Attributes and colour pairs per style of this frame.
  style_attrs_.assign(screen.StyleCount(), 0);
  style_pairs_.assign(screen.StyleCount(), 0);
  for (size_t i = 0; i < screen.StyleCount(); ++i) {
    const Style& s = screen.StyleOf(static_cast<uint16_t>(i));
    int attrs = A_NORMAL;
    if (s.attrs & kAttrBold) attrs |= A_BOLD;
    if (s.attrs & kAttrUnderline) attrs |= A_UNDERLINE;
    if (s.attrs & kAttrReverse) attrs |= A_REVERSE;
    if (s.attrs & kAttrDim) attrs |= A_DIM;
    if (colors_ > 0) {
      const int pair = alloc_pair(NearestColor(s.fore, colors_), NearestColor(s.back, colors_));
      style_pairs_[i] = pair < 0 ? 0 : pair;
    }
    style_attrs_[i] = attrs;
  }

  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const ScreenBuffer::Cell& cell = screen.At(y, x);
      if (cell.code == 0) continue;
      if (!full) {
        const ScreenBuffer::Cell& old = shown_.At(y, x);
        if (old.code == cell.code && shown_.StyleOf(old.style) == screen.StyleOf(cell.style) &&
            (CharWidth(cell.code) < 2 || (x + 1 < width && shown_.At(y, x + 1).code == 0))) {
          continue;
        }
      }
      // A wide character cut by the right edge is drawn as a blank.
      const bool fits = CharWidth(cell.code) < 2 || x + 1 < width;
      wchar_t text[2] = {static_cast<wchar_t>(fits ? cell.code : U' '), 0};
      cchar_t cc;
      const int pair = style_pairs_[cell.style];
      setcchar(&cc, text, static_cast<attr_t>(style_attrs_[cell.style]), static_cast<short>(0), &pair);
      mvadd_wch(y, x, &cc);
    }
  }
  if (screen.CursorY() >= 0 && screen.CursorY() < height && screen.CursorX() < width) {
    curs_set(1);
    move(screen.CursorY(), screen.CursorX());
  } else {
    curs_set(0);
  }
  wnoutrefresh(stdscr);
  doupdate();
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
    if (more == OK && next != 27) {
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
