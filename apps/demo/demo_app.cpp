#include "demo/demo_app.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <utility>

#include "tui/text_width.h"
#include "tui/tui_services.h"
#include "zelsheet/store.h"

namespace zel::demo {

namespace {

using tui::Align;
using tui::InputEvent;
using tui::Rect;
using tui::Style;

// The screen's colours (0x00BBGGRR).
const Style kTitle{0xFFFFFF, Rgb(31, 73, 125), tui::kAttrBold};
const Style kTitleDim{Rgb(210, 220, 235), Rgb(31, 73, 125), 0};
const Style kFilterTag{0x000000, Rgb(255, 220, 120), tui::kAttrBold};
const Style kBar{0x000000, Rgb(230, 230, 230), 0};
const Style kLabel{Rgb(31, 73, 125), Rgb(230, 230, 230), tui::kAttrBold};
const Style kField{0x000000, 0xFFFFFF, tui::kAttrUnderline};
const Style kFieldFocus{0x000000, Rgb(255, 255, 200), tui::kAttrUnderline};
const Style kStatus{0x000000, Rgb(245, 245, 245), 0};
const Style kStatusError{Rgb(200, 0, 0), Rgb(245, 245, 245), tui::kAttrBold};
const Style kKeys{0xFFFFFF, Rgb(64, 64, 64), 0};
const Style kKeyName{Rgb(255, 220, 120), Rgb(64, 64, 64), tui::kAttrBold};

// Below this the screen still draws what fits, with a note.
constexpr int kMinWidth = 60;
constexpr int kMinHeight = 10;

constexpr const char* kQueryLabel = " 거래처명 ";
constexpr int kQueryWidth = 24;

// The line of keys; on a narrow screen the hints of the highest `drop` go first. How to quit
// and the menu (which holds the rest) stay longest; F6 is on the query line, find in the
// menu, and F8 in the status line when a save fails.
struct KeyHint {
  const char* key;
  const char* what;
  int drop;
};
constexpr KeyHint kKeyHints[] = {
    {"F5", "조회", 2},     {"F6", "조회조건", 9}, {"^S", "저장", 3},  {"F8", "오류목록", 7},
    {"F9", "코드도움", 4}, {"^N", "새 행", 5},    {"^D", "삭제", 6},  {"F10", "메뉴", 1},
    {"^F", "찾기", 8},     {"^Q", "종료", 0},
};

int HintWidth(const KeyHint& k) { return tui::TextWidth(k.key) + tui::TextWidth(k.what) + 3; }

}  // namespace

DemoApp::DemoApp(const DemoOptions& options)
    : options_(options),
      platform_(DefaultPlatform()),
      server_(options.db_path),
      query_("", 40) {
  platform_->SetMessageBoxes(std::make_unique<tui::TuiMessageBoxes>(*this, kScreenCaption));
  StandardPlatform& p = *platform_;
  platform_->SetCompanionTools(std::make_unique<tui::TuiCompanionTools>(*this, p.Messages(), [&p] {
    const std::string base = p.Folders().WindowDir();
    if (base.empty()) return std::string();
    const std::string folder = base + "/Praxium.Net/Export";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return ec ? std::string() : folder;
  }));
  platform_->SetMenuChooser([this](const std::string&, const std::vector<PopupMenuEntry>& entries,
                                   int32_t, double, double, const std::string& default_entry) {
    menu_entry_ = tui::ChooseMenuEntry(*this, entries, menu_y_, menu_x_, default_entry);
    return menu_entry_;
  });
  screen_ = std::make_unique<CustomerScreen>(*platform_, server_, *this, options_.user);
  painter_ = std::make_unique<tui::GridPainter>(screen_->Sheet().GetSheet());
  // One pass of the message loop (the sheet asks for some while it works): show the screen.
  platform_->Keys().OnMessageLoopPass([this] {
    tui::ScreenBuffer pass;
    Paint(pass);
    Present(pass);
  });
  screen_->Sheet().GetSheet().InputFocus(true);
}

DemoApp::~DemoApp() {
  // The sheet goes before the platform and the terminal it may still talk to.
  screen_.reset();
}

tui::Rect DemoApp::GridArea(const tui::ScreenBuffer& screen) const {
  return {2, 0, std::max(screen.Height() - 4, 0), screen.Width()};
}

void DemoApp::PaintBars(tui::ScreenBuffer& s) {
  const int w = s.Width(), h = s.Height();
  // Title line.
  s.Fill({0, 0, 1, w}, kTitle);
  s.Put(0, 1, screen_->Sheet().FormCaption(), kTitle);
  const Grid& g = screen_->Sheet().GetSheet();
  // Where the cursor is among the rows: on one of them, on an empty row below them, or
  // nowhere (nothing found).
  const int32_t row = g.ActiveRow(), rows = g.DataRowCnt();
  std::string right = rows == 0  ? std::string("조회된 행 없음")
                      : row > rows ? "새 행 / " + std::to_string(rows)
                                   : "행 " + std::to_string(std::max(row, 0)) + " / " + std::to_string(rows);
  right += "   " + std::filesystem::path(options_.db_path).filename().string() + " ";
  const int rw = tui::TextWidth(right);
  if (rw + 14 < w) s.Put(0, w - rw, right, kTitleDim);
  // Rows a filter hid are easily taken for rows the query did not find.
  const std::string filter = screen_->Filtered() ? " 필터 적용 중 " : "";
  const int fw = tui::TextWidth(filter);
  if (fw > 0 && fw + rw + 16 < w) s.Put(0, w - rw - fw - 2, filter, kFilterTag);

  // Query line.
  s.Fill({1, 0, 1, w}, kBar);
  const int lw = s.Put(1, 0, kQueryLabel, kLabel);
  query_.Draw(s, 1, lw, std::min(kQueryWidth, std::max(w - lw, 0)),
              focus_ == Focus::Query ? kFieldFocus : kField, focus_ == Focus::Query);
  const char* hint = focus_ == Focus::Query ? "  Enter 조회  Esc 표로" : "  F6 조회조건 입력";
  s.Put(1, lw + kQueryWidth, hint, kBar);

  // Status line and keys.
  if (h >= 4) {
    const StatusLine& st = screen_->Status();
    s.PutField(h - 2, 0, w, " " + st.text, st.error ? kStatusError : kStatus, Align::Left);
  }
  if (h >= 3) {
    s.Fill({h - 1, 0, 1, w}, kKeys);
    int need = 1, drop = 10;
    for (const KeyHint& k : kKeyHints) need += HintWidth(k);
    while (need > w && drop > 0) {
      --drop;
      for (const KeyHint& k : kKeyHints) need -= k.drop == drop ? HintWidth(k) : 0;
    }
    int x = 1;
    for (const KeyHint& k : kKeyHints) {
      if (k.drop >= drop || x + HintWidth(k) > w) continue;
      x += s.Put(h - 1, x, k.key, kKeyName);
      x += s.Put(h - 1, x, std::string(" ") + k.what + "  ", kKeys);
    }
  }
  if (w < kMinWidth || h < kMinHeight) {
    const std::string note = "창이 작습니다 " + std::to_string(w) + "x" + std::to_string(h) + " (" +
                             std::to_string(kMinWidth) + "x" + std::to_string(kMinHeight) + " 이상)";
    s.PutField(h - 1, 0, w, note, kStatusError, Align::Left);
  }
}

void DemoApp::Paint(tui::ScreenBuffer& s) {
  s.Reset(terminal_.Height(), terminal_.Width(), kStatus);
  const Rect area = GridArea(s);
  if (area.width != grid_area_.width || area.height != grid_area_.height) {
    // The sheet's control gets the grid area; Resize keeps 30 twips for its own frame.
    int32_t tw = 0, th = 0;
    tui::GridPainter::AreaTwips(area, tw, th);
    screen_->Sheet().Resize(tw + 30, th + 30);
  }
  grid_area_ = area;
  const Grid& g = screen_->Sheet().GetSheet();
  // Not in the middle of the sheet's bulk work (a Display passing the message loop).
  if (g.ReDraw()) screen_->FitRowNumbers();
  if (g.ReDraw() || frame_.Height() != s.Height() || frame_.Width() != s.Width()) {
    tui::PaintState state;
    state.focused = focus_ == Focus::Grid;
    painter_->Paint(s, area, state);
  } else {
    // Painting is suspended during the sheet's bulk work: what was shown stays.
    s = frame_;
    s.SetCursor(-1, 0);
  }
  PaintBars(s);
}

void DemoApp::PaintBackground(tui::ScreenBuffer& screen) {
  Paint(screen);
  screen.SetCursor(-1, 0);
}

void DemoApp::Present(const tui::ScreenBuffer& screen) {
  terminal_.Show(screen, full_redraw_);
  full_redraw_ = false;
}

tui::InputEvent DemoApp::Wait() {
  for (;;) {
    InputEvent e = terminal_.Next(-1);
    if (e.kind == InputEvent::Kind::Resize) full_redraw_ = true;
    if (e.kind != InputEvent::Kind::None) return e;
  }
}

void DemoApp::OpenMenu(const std::string& menu) {
  const Grid& g = screen_->Sheet().GetSheet();
  Rect cell;
  if (painter_->CellRect(g.ActiveCol(), g.ActiveRow(), cell)) {
    menu_y_ = cell.bottom(), menu_x_ = cell.left;
  } else {
    menu_y_ = grid_area_.top + 1, menu_x_ = grid_area_.left + 4;
  }
  screen_->Sheet().PopupMenu(menu);
}

bool DemoApp::CommitEdit() {
  Grid& g = screen_->Sheet().GetSheet();
  if (focus_ != Focus::Grid || !g.EditMode()) return true;
  // As when a toolbar button takes the focus: the edit is committed, or Validate refuses.
  if (!g.InputFocus(false)) return false;
  g.InputFocus(true);
  return true;
}

bool DemoApp::HandleProgramKey(const InputEvent& e) {
  static constexpr int16_t kProgramKeys[][2] = {
      {tui::VkF(5), 0}, {tui::VkF(6), 0}, {tui::VkLetter('S'), tui::kCtrl}, {tui::VkF(8), 0},
      {tui::VkLetter('N'), tui::kCtrl}, {tui::VkLetter('D'), tui::kCtrl}, {tui::VkF(10), 0},
      {tui::VkF(10), tui::kShift}, {tui::VkLetter('Q'), tui::kCtrl}};
  bool ours = false;
  for (const auto& k : kProgramKeys) ours = ours || e.Is(k[0], k[1]);
  if (!ours) return false;
  if (!CommitEdit()) return true;
  CustomerScreen& cs = *screen_;
  if (e.Is(tui::VkF(5))) {
    cs.Query(query_.Text());
  } else if (e.Is(tui::VkF(6))) {
    SetFocus(focus_ == Focus::Query ? Focus::Grid : Focus::Query);
  } else if (e.Is(tui::VkLetter('S'), tui::kCtrl)) {
    cs.Save();
  } else if (e.Is(tui::VkF(8))) {
    cs.ShowErrors();
  } else if (e.Is(tui::VkLetter('N'), tui::kCtrl)) {
    SetFocus(Focus::Grid);
    cs.GoToNewRow();
  } else if (e.Is(tui::VkLetter('D'), tui::kCtrl)) {
    cs.ToggleDeleteMark();
  } else if (e.Is(tui::VkF(10))) {
    OpenMenu("mnuSheet");
  } else if (e.Is(tui::VkF(10), tui::kShift)) {
    OpenMenu("mnuFunction");
  } else {
    Quit();
  }
  return true;
}

void DemoApp::Quit() {
  if (screen_->ConfirmQuit()) quit_ = true;
}

void DemoApp::SetFocus(Focus focus) {
  if (focus == focus_) return;
  Grid& g = screen_->Sheet().GetSheet();
  // Leaving the grid commits its edit; a Validate handler may keep the focus there.
  if (focus_ == Focus::Grid && !g.InputFocus(false)) return;
  focus_ = focus;
  if (focus_ == Focus::Grid) g.InputFocus(true);
}

void DemoApp::HandleQueryLine(const InputEvent& e) {
  if (e.Is(tui::kVkReturn)) {
    SetFocus(Focus::Grid);
    screen_->Query(query_.Text());
  } else if (e.Is(tui::kVkEscape) || e.Is(tui::kVkTab) || e.Is(tui::kVkDown)) {
    SetFocus(Focus::Grid);
  } else {
    query_.Handle(e);
  }
}

void DemoApp::HandleGridInput(const InputEvent& e) {
  Grid& g = screen_->Sheet().GetSheet();
  if (e.kind == InputEvent::Kind::Key) {
    // A terminal tells no key releases: each key goes down and comes up at once. The sheet
    // acts on some keys only as they come up (F3, Ctrl+F).
    g.InputKeyDown(e.key, e.shift);
    DrainSentKeys();
    g.InputKeyUp(e.key, e.shift);
  } else if (e.kind == InputEvent::Kind::Text) {
    g.InputText(e.text);
  }
}

void DemoApp::HandleMouse(const InputEvent& e) {
  Grid& g = screen_->Sheet().GetSheet();
  if (e.mouse == InputEvent::Mouse::WheelUp || e.mouse == InputEvent::Mouse::WheelDown) {
    if (grid_area_.Contains(e.y, e.x)) g.InputWheel(e.mouse == InputEvent::Mouse::WheelUp ? -3 : 3);
    return;
  }
  if (e.mouse == InputEvent::Mouse::Press && e.y == 1) {
    SetFocus(Focus::Query);
    return;
  }
  if (e.mouse == InputEvent::Mouse::Press && !grid_area_.Contains(e.y, e.x)) return;
  if (e.mouse != InputEvent::Mouse::Press && held_button_ == 0) return;
  // A drag that leaves the grid goes on at its edge.
  const int y = std::clamp(e.y, grid_area_.top, std::max(grid_area_.bottom() - 1, grid_area_.top));
  const int x = std::clamp(e.x, grid_area_.left, std::max(grid_area_.right() - 1, grid_area_.left));
  float tx = 0, ty = 0;
  if (!painter_->PointToTwips(y, x, tx, ty)) return;
  switch (e.mouse) {
    case InputEvent::Mouse::Press: {
      SetFocus(Focus::Grid);
      menu_y_ = e.y, menu_x_ = e.x;
      held_button_ = e.button;
      const int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count();
      g.InputMouseDown(e.button, e.shift, tx, ty, now);
      break;
    }
    case InputEvent::Mouse::Move:
      g.InputMouseMove(held_button_, e.shift, tx, ty);
      break;
    case InputEvent::Mouse::Release:
      g.InputMouseUp(held_button_, e.shift, tx, ty);
      held_button_ = 0;
      break;
    default:
      break;
  }
}

void DemoApp::DrainSentKeys() {
  Grid& g = screen_->Sheet().GetSheet();
  // Keys the sheet sends to its grid (Enter moving on) come back as ordinary input; a key
  // fed back may send more, so the queue is drained until it stays empty (a bounded number
  // of rounds: a handler that always sends again cannot hang the program).
  for (int round = 0; round < 16; ++round) {
    const std::vector<std::string> sent = platform_->Keys().TakeSentKeys();
    if (sent.empty()) return;
    for (const std::string& text : sent) {
      const auto strokes = ParseSendKeys(text);
      if (!strokes) continue;
      for (const KeyStroke& k : *strokes) {
        if (k.is_char) {
          std::string utf8;
          tui::AppendUtf8(utf8, static_cast<char32_t>(k.code));
          g.InputText(utf8);
        } else {
          g.InputKeyDown(static_cast<int16_t>(k.code), 0);
          g.InputKeyUp(static_cast<int16_t>(k.code), 0);
        }
      }
    }
  }
}

void DemoApp::Handle(const InputEvent& e) {
  switch (e.kind) {
    case InputEvent::Kind::Interrupt:
      quit_ = true;
      return;
    case InputEvent::Kind::Resize:
      full_redraw_ = true;
      return;
    case InputEvent::Kind::Mouse:
      HandleMouse(e);
      break;
    case InputEvent::Kind::Key:
      if (HandleProgramKey(e)) break;
      if (focus_ == Focus::Query) {
        HandleQueryLine(e);
      } else {
        HandleGridInput(e);
      }
      break;
    case InputEvent::Kind::Text:
      if (focus_ == Focus::Query) {
        HandleQueryLine(e);
      } else {
        HandleGridInput(e);
      }
      break;
    case InputEvent::Kind::None:
      return;
  }
  DrainSentKeys();
  // The entry has run by now (a filter, a sort...): the screen looks at what it did.
  if (!menu_entry_.empty()) screen_->AfterMenu(std::exchange(menu_entry_, {}));
}

int DemoApp::Run() {
  if (options_.query_at_start) {
    Paint(frame_);
    Present(frame_);
    screen_->Query("");
  }
  while (!quit_) {
    if (tui::Terminal::Interrupted()) break;
    Paint(frame_);
    Present(frame_);
    Handle(Wait());
  }
  // However the program ends (the user, a signal), the arrangement of the sheet is kept.
  screen_->Close();
  return 0;
}

}  // namespace zel::demo
