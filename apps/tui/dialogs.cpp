#include "tui/dialogs.h"

#include <algorithm>

#include "tui/line_editor.h"
#include "tui/text_width.h"
#include "zelsheet/platform.h"

namespace zel::tui {

namespace {

bool IsCancel(const InputEvent& e) {
  return e.Is(kVkEscape) || e.kind == InputEvent::Kind::Interrupt;
}

bool IsPress(const InputEvent& e) {
  return e.kind == InputEvent::Kind::Mouse && e.mouse == InputEvent::Mouse::Press;
}

// A window of `height` x `width` centred on the screen (shrunk to fit).
Rect Centred(const ScreenBuffer& screen, int height, int width) {
  height = std::min(height, screen.Height());
  width = std::min(width, screen.Width());
  return {(screen.Height() - height) / 2, (screen.Width() - width) / 2, height, width};
}

std::string ButtonCaption(int32_t button) {
  switch (button) {
    case vbOK: return "확인";
    case vbCancel: return "취소";
    case vbAbort: return "중단";
    case vbRetry: return "다시 시도";
    case vbIgnore: return "무시";
    case vbYes: return "예(Y)";
    case vbNo: return "아니오(N)";
    default: return "?";
  }
}

// A row of buttons centred on line y of `inner`; returns each button's rectangle.
std::vector<Rect> DrawButtons(ScreenBuffer& screen, const Rect& inner, int y,
                              const std::vector<std::string>& captions, int focused,
                              const DialogStyle& ds) {
  std::vector<std::string> labels;
  int total = 0;
  for (const std::string& c : captions) {
    labels.push_back("[ " + c + " ]");
    total += TextWidth(labels.back()) + 2;
  }
  int x = inner.left + std::max((inner.width - total + 2) / 2, 0);
  std::vector<Rect> rects;
  for (size_t i = 0; i < labels.size(); ++i) {
    const int w = TextWidth(labels[i]);
    screen.Put(y, x, labels[i], static_cast<int>(i) == focused ? ds.focus : ds.window,
               inner.right() - x);
    rects.push_back({y, x, 1, w});
    x += w + 2;
  }
  return rects;
}

int HitRect(const std::vector<Rect>& rects, int y, int x) {
  for (size_t i = 0; i < rects.size(); ++i) {
    if (rects[i].Contains(y, x)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

Rect DrawWindow(ScreenBuffer& screen, const Rect& area, const std::string& title,
                const DialogStyle& ds) {
  screen.Fill(area, ds.window);
  if (area.height < 2 || area.width < 2) return area;
  const int r = area.right() - 1, b = area.bottom() - 1;
  screen.Repeat(area.top, area.left + 1, area.width - 2, U'─', ds.frame);
  screen.Repeat(b, area.left + 1, area.width - 2, U'─', ds.frame);
  for (int y = area.top + 1; y < b; ++y) {
    screen.Repeat(y, area.left, 1, U'│', ds.frame);
    screen.Repeat(y, r, 1, U'│', ds.frame);
  }
  screen.Repeat(area.top, area.left, 1, U'┌', ds.frame);
  screen.Repeat(area.top, r, 1, U'┐', ds.frame);
  screen.Repeat(b, area.left, 1, U'└', ds.frame);
  screen.Repeat(b, r, 1, U'┘', ds.frame);
  if (!title.empty() && area.width > 6) {
    screen.Put(area.top, area.left + 2, " " + title + " ", ds.title, area.width - 4);
  }
  return {area.top + 1, area.left + 2, std::max(area.height - 2, 0), std::max(area.width - 4, 0)};
}

std::vector<std::string> WrapText(const std::string& text, int width) {
  std::vector<std::string> lines;
  width = std::max(width, 2);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view para(text.data() + start, end - start);
    if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
    do {
      int used = 0;
      size_t fit = FitWidth(para, width, used);
      if (fit < para.size()) {
        const size_t blank = para.substr(0, fit).rfind(' ');
        if (blank != std::string_view::npos && blank > 0) fit = blank;
        if (fit == 0) fit = static_cast<size_t>(DecodeUtf8(para, 0).bytes);
      }
      lines.emplace_back(para.substr(0, fit));
      para.remove_prefix(fit);
      while (!para.empty() && para.front() == ' ') para.remove_prefix(1);
    } while (!para.empty());
    start = end + 1;
  }
  return lines;
}

int32_t RunMessageBox(ModalHost& host, const std::string& text, int32_t style,
                      const std::string& title) {
  const DialogStyle ds;
  const std::vector<MsgBoxResult> buttons = MsgBoxButtons(style);
  std::vector<std::string> captions;
  for (MsgBoxResult b : buttons) captions.push_back(ButtonCaption(b));
  int focused = static_cast<int>(std::find(buttons.begin(), buttons.end(), MsgBoxDefaultAnswer(style)) -
                                 buttons.begin());
  const int32_t icon = style & kMsgBoxIconMask;
  std::string mark;
  Style mark_style = ds.title;
  if (icon == vbCritical) mark = "(X) ", mark_style.fore = Rgb(200, 0, 0);
  if (icon == vbExclamation) mark = "(!) ", mark_style.fore = Rgb(180, 120, 0);
  if (icon == vbInformation) mark = "(i) ";
  if (icon == vbQuestion) mark = "(?) ";
  const bool has_cancel = std::find(buttons.begin(), buttons.end(), vbCancel) != buttons.end();
  // What a way out answers: Cancel, else No, else the only button.
  auto cancel_answer = [&] {
    for (MsgBoxResult want : {vbCancel, vbNo}) {
      if (std::find(buttons.begin(), buttons.end(), want) != buttons.end()) return static_cast<int32_t>(want);
    }
    return static_cast<int32_t>(buttons.size() == 1 ? buttons[0] : MsgBoxDefaultAnswer(style));
  };

  ScreenBuffer screen;
  for (;;) {
    host.PaintBackground(screen);
    const int max_text = std::max(std::min(screen.Width() - 8, 64), 10);
    const std::vector<std::string> lines = WrapText(text, max_text - TextWidth(mark));
    int text_width = 0;
    for (const std::string& l : lines) text_width = std::max(text_width, TextWidth(l));
    int buttons_width = 0;
    for (const std::string& c : captions) buttons_width += TextWidth(c) + 6;
    const int width = std::max({text_width + TextWidth(mark), buttons_width, TextWidth(title) + 4, 20}) + 4;
    const Rect area = Centred(screen, static_cast<int>(lines.size()) + 4, width);
    const Rect inner = DrawWindow(screen, area, title.empty() ? "알림" : title, ds);
    screen.Put(inner.top, inner.left, mark, mark_style);
    for (size_t i = 0; i < lines.size() && static_cast<int>(i) + 1 < inner.height; ++i) {
      screen.Put(inner.top + static_cast<int>(i), inner.left + TextWidth(mark), lines[i], ds.window,
                 inner.width - TextWidth(mark));
    }
    const std::vector<Rect> rects =
        DrawButtons(screen, inner, inner.bottom() - 1, captions, focused, ds);
    host.Present(screen);

    const InputEvent e = host.Wait();
    const int n = static_cast<int>(buttons.size());
    if (e.kind == InputEvent::Kind::Interrupt) return cancel_answer();
    // Escape means "go back": the Cancel button, or the only button. On a box that offers
    // several buttons but no way back (Yes/No) it does nothing: reading it as No would
    // throw away what the question was protecting.
    if (e.Is(kVkEscape) && (has_cancel || buttons.size() == 1)) return cancel_answer();
    if (e.Is(kVkReturn) || e.Is(kVkSpace)) return buttons[static_cast<size_t>(focused)];
    if (e.Is(kVkLeft) || e.Is(kVkTab, kShift)) focused = (focused + n - 1) % n;
    if (e.Is(kVkRight) || e.Is(kVkTab)) focused = (focused + 1) % n;
    if (e.kind == InputEvent::Kind::Text) {
      const char c = e.text.empty() ? 0 : static_cast<char>(e.text[0] | 0x20);
      if (c == 'y' && std::find(buttons.begin(), buttons.end(), vbYes) != buttons.end()) return vbYes;
      if (c == 'n' && std::find(buttons.begin(), buttons.end(), vbNo) != buttons.end()) return vbNo;
      if (e.text == " ") return buttons[static_cast<size_t>(focused)];
    }
    if (IsPress(e)) {
      const int hit = HitRect(rects, e.y, e.x);
      if (hit >= 0) return buttons[static_cast<size_t>(hit)];
    }
  }
}

int RunPopupMenu(ModalHost& host, const std::vector<MenuItem>& items, int y, int x,
                 int default_index) {
  const DialogStyle ds;
  auto selectable = [&](int i) {
    return i >= 0 && i < static_cast<int>(items.size()) && items[static_cast<size_t>(i)].enabled &&
           items[static_cast<size_t>(i)].caption != "-";
  };
  int focused = default_index;
  if (!selectable(focused)) {
    focused = -1;
    for (int i = 0; i < static_cast<int>(items.size()) && focused < 0; ++i) {
      if (selectable(i)) focused = i;
    }
  }
  if (focused < 0) return -1;
  int width = 8;
  for (const MenuItem& item : items) width = std::max(width, TextWidth(item.caption) + 6);
  const int n = static_cast<int>(items.size());

  ScreenBuffer screen;
  for (;;) {
    host.PaintBackground(screen);
    Rect area{y, x, n + 2, width};
    area.height = std::min(area.height, screen.Height());
    area.width = std::min(area.width, screen.Width());
    area.top = std::clamp(area.top, 0, std::max(screen.Height() - area.height, 0));
    area.left = std::clamp(area.left, 0, std::max(screen.Width() - area.width, 0));
    DrawWindow(screen, area, "", ds);
    // Items scroll when the menu is taller than the screen.
    const int visible = std::max(area.height - 2, 1);
    const int first = std::clamp(focused - visible + 1, 0, std::max(n - visible, 0));
    std::vector<Rect> rects(items.size(), Rect{-1, -1, 0, 0});
    for (int i = first; i < n && i - first < visible; ++i) {
      const MenuItem& item = items[static_cast<size_t>(i)];
      const int line = area.top + 1 + i - first;
      if (item.caption == "-") {
        screen.Repeat(line, area.left + 1, area.width - 2, U'─', ds.frame);
        continue;
      }
      const Style s = i == focused ? ds.focus : item.enabled ? ds.window : ds.disabled;
      screen.PutField(line, area.left + 1, area.width - 2,
                      std::string(item.checked ? "✓ " : "  ") + item.caption, s, Align::Left);
      rects[static_cast<size_t>(i)] = {line, area.left + 1, 1, area.width - 2};
    }
    host.Present(screen);

    const InputEvent e = host.Wait();
    if (IsCancel(e)) return -1;
    if (e.Is(kVkReturn) || e.Is(kVkSpace)) return focused;
    const int step = e.Is(kVkUp) || e.Is(kVkTab, kShift) ? -1 : e.Is(kVkDown) || e.Is(kVkTab) ? 1 : 0;
    if (step != 0) {
      int next = focused;
      for (int k = 0; k < n; ++k) {
        next = (next + step + n) % n;
        if (selectable(next)) break;
      }
      focused = next;
    }
    if (IsPress(e)) {
      const int hit = HitRect(rects, e.y, e.x);
      if (hit < 0) return -1;
      if (selectable(hit)) return hit;
    }
  }
}

int RunListBox(ModalHost& host, const std::string& title, const std::vector<std::string>& lines,
               int start, bool read_only) {
  const DialogStyle ds;
  std::string filter;
  std::vector<int> shown;
  int focused = 0;
  int top = 0;
  auto refilter = [&](int keep) {
    shown.clear();
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
      if (filter.empty() || lines[static_cast<size_t>(i)].find(filter) != std::string::npos) shown.push_back(i);
    }
    focused = 0;
    for (int k = 0; k < static_cast<int>(shown.size()); ++k) {
      if (shown[static_cast<size_t>(k)] == keep) focused = k;
    }
  };
  refilter(start);

  ScreenBuffer screen;
  for (;;) {
    host.PaintBackground(screen);
    int width = TextWidth(title) + 8;
    for (const std::string& l : lines) width = std::max(width, TextWidth(l) + 6);
    width = std::min(width, std::max(screen.Width() - 4, 10));
    const int height = std::min(static_cast<int>(lines.size()) + 5, std::max(screen.Height() - 2, 5));
    const Rect area = Centred(screen, height, width);
    const Rect inner = DrawWindow(screen, area, title, ds);
    const int rows = std::max(inner.height - 2, 1);
    if (focused < top) top = focused;
    if (focused >= top + rows) top = focused - rows + 1;
    std::vector<Rect> rects;
    for (int k = top; k < static_cast<int>(shown.size()) && k - top < rows; ++k) {
      const Style s = (k == focused && !read_only) ? ds.focus : ds.window;
      screen.PutField(inner.top + k - top, inner.left, inner.width,
                      lines[static_cast<size_t>(shown[static_cast<size_t>(k)])], s, Align::Left);
      rects.push_back({inner.top + k - top, inner.left, 1, inner.width});
    }
    if (shown.empty()) screen.Put(inner.top, inner.left, "(없음)", ds.disabled, inner.width);
    const std::string hint = read_only ? "Enter/Esc 닫기  ↑↓ PgUp PgDn 이동"
                                       : "Enter 선택  Esc 취소  입력: 찾기 " + filter;
    screen.PutField(inner.bottom() - 1, inner.left, inner.width, hint, ds.disabled, Align::Left);
    host.Present(screen);

    const InputEvent e = host.Wait();
    const int n = static_cast<int>(shown.size());
    if (IsCancel(e)) return -1;
    if (e.Is(kVkReturn)) return read_only || n == 0 ? -1 : shown[static_cast<size_t>(focused)];
    if (read_only && e.Is(kVkDown)) focused = top = std::min(top + 1, std::max(n - rows, 0));
    if (read_only && e.Is(kVkUp)) focused = top = std::max(top - 1, 0);
    if (!read_only && e.Is(kVkDown)) focused = std::min(focused + 1, std::max(n - 1, 0));
    if (!read_only && e.Is(kVkUp)) focused = std::max(focused - 1, 0);
    if (e.Is(kVkNext)) focused = std::min(focused + rows, std::max(n - 1, 0));
    if (e.Is(kVkPrior)) focused = std::max(focused - rows, 0);
    if (read_only && (e.Is(kVkNext) || e.Is(kVkPrior))) top = std::min(focused, std::max(n - rows, 0)), focused = top;
    if (!read_only && e.kind == InputEvent::Kind::Text) {
      filter += e.text;
      refilter(-1);
    }
    if (!read_only && e.Is(kVkBack) && !filter.empty()) {
      while (!filter.empty() && (static_cast<unsigned char>(filter.back()) & 0xC0) == 0x80) filter.pop_back();
      if (!filter.empty()) filter.pop_back();
      refilter(-1);
    }
    if (IsPress(e)) {
      const int hit = HitRect(rects, e.y, e.x);
      if (hit < 0 && !area.Contains(e.y, e.x)) return -1;
      if (hit >= 0 && !read_only) return shown[static_cast<size_t>(top + hit)];
    }
    if (e.kind == InputEvent::Kind::Mouse && e.mouse == InputEvent::Mouse::WheelDown) {
      focused = std::min(focused + 3, std::max(n - 1, 0));
    }
    if (e.kind == InputEvent::Kind::Mouse && e.mouse == InputEvent::Mouse::WheelUp) {
      focused = std::max(focused - 3, 0);
    }
  }
}

bool RunForm(ModalHost& host, Form& form) {
  const DialogStyle ds;
  std::vector<FormField> fields = form.fields;
  std::vector<LineEditor> editors;
  for (const FormField& f : fields) editors.emplace_back(f.text, 200);
  const int n = static_cast<int>(fields.size());
  // Focus: 0..n-1 the fields, n the OK button, n+1 Cancel.
  int focused = 0;
  int top = 0;
  int label_width = 0;
  for (const FormField& f : fields) label_width = std::max(label_width, TextWidth(f.label));
  int value_width = 12;
  for (const FormField& f : fields) {
    if (f.kind == FormField::Kind::Choice) {
      for (const std::string& o : f.options) value_width = std::max(value_width, TextWidth(o) + 4);
    } else if (f.kind != FormField::Kind::Check) {
      value_width = std::max(value_width, f.width);
    }
  }

  auto confirm = [&] {
    for (int i = 0; i < n; ++i) fields[static_cast<size_t>(i)].text = editors[static_cast<size_t>(i)].Text();
    form.fields = fields;
    return true;
  };

  ScreenBuffer screen;
  for (;;) {
    host.PaintBackground(screen);
    const int note_lines = form.note.empty() ? 0 : 2;
    const int width = std::min(std::max({label_width + value_width + 7, TextWidth(form.title) + 8,
                                         TextWidth(form.note) + 6, 30}),
                               std::max(screen.Width(), 10));
    const int height = std::min(n + note_lines + 4, std::max(screen.Height(), 5));
    const Rect area = Centred(screen, height, width);
    const Rect inner = DrawWindow(screen, area, form.title, ds);
    if (note_lines > 0) screen.Put(inner.top, inner.left, form.note, ds.window, inner.width);
    const int rows = std::max(inner.height - note_lines - 2, 1);
    if (focused < n && focused < top) top = focused;
    if (focused < n && focused >= top + rows) top = focused - rows + 1;
    std::vector<Rect> field_rects(static_cast<size_t>(n), Rect{-1, -1, 0, 0});
    const int vx = inner.left + label_width + 2;
    const int vw = std::max(inner.right() - vx, 1);
    for (int i = top; i < n && i - top < rows; ++i) {
      const FormField& f = fields[static_cast<size_t>(i)];
      const int line = inner.top + note_lines + i - top;
      const bool focus = i == focused;
      screen.Put(line, inner.left, f.label, focus ? ds.title : ds.window, label_width);
      field_rects[static_cast<size_t>(i)] = {line, inner.left, 1, inner.width};
      switch (f.kind) {
        case FormField::Kind::Text:
        case FormField::Kind::Number:
          editors[static_cast<size_t>(i)].Draw(screen, line, vx, std::min(vw, f.width), ds.field, focus);
          break;
        case FormField::Kind::Choice: {
          const std::string shown = f.options.empty() ? "" : f.options[static_cast<size_t>(f.choice)];
          screen.PutField(line, vx, std::min(vw, value_width), "◀ " + shown, focus ? ds.focus : ds.field,
                          Align::Left);
          screen.Put(line, vx + std::min(vw, value_width) - 1, "▶", focus ? ds.focus : ds.field, 1);
          break;
        }
        case FormField::Kind::Check:
          screen.Put(line, vx, f.checked ? "[x]" : "[ ]", focus ? ds.focus : ds.window, 3);
          break;
      }
    }
    const std::vector<Rect> buttons =
        DrawButtons(screen, inner, inner.bottom() - 1, {"확인", "취소"}, focused - n, ds);
    host.Present(screen);

    const InputEvent e = host.Wait();
    if (IsCancel(e)) return false;
    if (e.Is(kVkReturn)) {
      if (focused == n + 1) return false;
      return confirm();
    }
    if (e.Is(kVkTab) || e.Is(kVkDown)) {
      focused = (focused + 1) % (n + 2);
      continue;
    }
    if (e.Is(kVkTab, kShift) || e.Is(kVkUp)) {
      focused = (focused + n + 1) % (n + 2);
      continue;
    }
    if (IsPress(e)) {
      const int b = HitRect(buttons, e.y, e.x);
      if (b == 0) return confirm();
      if (b == 1) return false;
      const int hit = HitRect(field_rects, e.y, e.x);
      if (hit >= 0) {
        focused = hit;
        FormField& f = fields[static_cast<size_t>(hit)];
        if (f.kind == FormField::Kind::Check) f.checked = !f.checked;
        if (f.kind == FormField::Kind::Choice && !f.options.empty()) {
          f.choice = (f.choice + 1) % static_cast<int>(f.options.size());
        }
      }
      continue;
    }
    if (focused >= n) {
      if (e.Is(kVkLeft) || e.Is(kVkRight)) focused = focused == n ? n + 1 : n;
      if (e.Is(kVkSpace) || (e.kind == InputEvent::Kind::Text && e.text == " ")) {
        if (focused == n) return confirm();
        return false;
      }
      continue;
    }
    FormField& f = fields[static_cast<size_t>(focused)];
    switch (f.kind) {
      case FormField::Kind::Text:
        editors[static_cast<size_t>(focused)].Handle(e);
        break;
      case FormField::Kind::Number:
        editors[static_cast<size_t>(focused)].Handle(e, true);
        break;
      case FormField::Kind::Choice: {
        const int m = static_cast<int>(f.options.size());
        if (m == 0) break;
        if (e.Is(kVkLeft)) f.choice = (f.choice + m - 1) % m;
        if (e.Is(kVkRight) || (e.kind == InputEvent::Kind::Text && e.text == " ")) f.choice = (f.choice + 1) % m;
        break;
      }
      case FormField::Kind::Check:
        if (e.kind == InputEvent::Kind::Text && e.text == " ") f.checked = !f.checked;
        break;
    }
  }
}

}  // namespace zel::tui
