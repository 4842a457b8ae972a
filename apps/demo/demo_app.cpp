#include "demo/demo_app.h"

#include <filesystem>

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

struct KeyHint {
  const char* key;
  const char* what;
};
constexpr KeyHint kKeyHints[] = {
    {"F5", "조회"},      {"F6", "조회조건"}, {"^S", "저장"},     {"F8", "오류목록"},
    {"F9", "코드도움"},  {"^N", "새 행"},    {"^D", "삭제"},     {"F10", "메뉴"},
    {"^F", "찾기"},      {"^Q", "종료"},
};

}  // namespace

DemoApp::DemoApp(const DemoOptions& options)
    : options_(options),
      platform_(DefaultPlatform()),
      server_(options.db_path),
      query_("", 40) {
  platform_->SetMessageBoxes(std::make_unique<tui::TuiMessageBoxes>(*this));
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
    return tui::ChooseMenuEntry(*this, entries, menu_y_, menu_x_, default_entry);
  });
  screen_ = std::make_unique<CustomerScreen>(*platform_, server_, *this, options_.user);
  painter_ = std::make_unique<tui::GridPainter>(screen_->Sheet().GetSheet());
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
  s.Put(0, 1, "거래처 관리", kTitle);
  const Grid& g = screen_->Sheet().GetSheet();
  std::string right = "행 " + std::to_string(std::max(g.ActiveRow(), 0)) + " / " +
                      std::to_string(g.DataRowCnt()) + "   " +
                      std::filesystem::path(options_.db_path).filename().string() + " ";
  const int rw = tui::TextWidth(right);
  if (rw + 14 < w) s.Put(0, w - rw, right, kTitleDim);

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
    int x = 1;
    for (const KeyHint& k : kKeyHints) {
      const int need = tui::TextWidth(k.key) + tui::TextWidth(k.what) + 3;
      if (x + need > w) break;
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

bool DemoApp::HandleProgramKey(const InputEvent& e) {
  CustomerScreen& cs = *screen_;
  if (e.Is(tui::VkF(5))) {
    cs.Query(query_.Text());
  } else if (e.Is(tui::VkF(6))) {
    focus_ = focus_ == Focus::Query ? Focus::Grid : Focus::Query;
  } else if (e.Is(tui::VkLetter('S'), tui::kCtrl)) {
    cs.Save();
  } else if (e.Is(tui::VkF(8))) {
    cs.ShowErrors();
  } else if (e.Is(tui::VkLetter('N'), tui::kCtrl)) {
    focus_ = Focus::Grid;
    cs.GoToNewRow();
  } else if (e.Is(tui::VkLetter('D'), tui::kCtrl)) {
    cs.ToggleDeleteMark();
  } else if (e.Is(tui::VkF(10))) {
    OpenMenu("mnuSheet");
  } else if (e.Is(tui::VkF(10), tui::kShift)) {
    OpenMenu("mnuFunction");
  } else if (e.Is(tui::VkLetter('Q'), tui::kCtrl) || e.Is(tui::VkLetter('C'), tui::kCtrl)) {
    Quit();
  } else {
    return false;
  }
  return true;
}

void DemoApp::Quit() {
  if (screen_->ConfirmQuit()) quit_ = true;
}

void DemoApp::HandleQueryLine(const InputEvent& e) {
  if (e.Is(tui::kVkReturn)) {
    focus_ = Focus::Grid;
    screen_->Query(query_.Text());
  } else if (e.Is(tui::kVkEscape) || e.Is(tui::kVkTab) || e.Is(tui::kVkDown)) {
    focus_ = Focus::Grid;
  } else {
    query_.Handle(e);
  }
}

void DemoApp::HandleGridInput(const InputEvent&) {}

void DemoApp::HandleMouse(const InputEvent& e) {
  if (e.y == 1 && e.mouse == InputEvent::Mouse::Press) {
    focus_ = Focus::Query;
    return;
  }
  if (grid_area_.Contains(e.y, e.x)) focus_ = Focus::Grid;
  HandleGridInput(e);
}

void DemoApp::DrainSentKeys() {}

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
  return 0;
}

}  // namespace zel::demo
