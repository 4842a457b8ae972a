// Dialogs driven by scripted input, as a user at the keyboard or the mouse would: what each
// answers, and that a cancel leaves the caller's values alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tui/dialogs.h"
#include "tui/text_width.h"
#include "tui/tui_services.h"

namespace zel::tui {
namespace {

// A host whose user presses the keys of a script, in order.
struct ScriptedHost : ModalHost {
  explicit ScriptedHost(const std::vector<InputEvent>& script) : events(script.rbegin(), script.rend()) {}
  void PaintBackground(ScreenBuffer& screen) override { screen.Reset(24, 80); }
  void Present(const ScreenBuffer& screen) override { shown = screen; }
  InputEvent Wait() override {  // when the script has run out, an interrupt ends the dialog
    InputEvent e;
    e.kind = InputEvent::Kind::Interrupt;
    if (!events.empty()) e = events.back(), events.pop_back();
    return e;
  }
  // The screen line holding `text`, -1 when none.
  int LineOf(const std::string& text) const {
    int y = 0;
    while (y < shown.Height() && shown.LineText(y).find(text) == std::string::npos) ++y;
    return y < shown.Height() ? y : -1;
  }
  std::vector<InputEvent> events;
  ScreenBuffer shown;
};

InputEvent Key(int16_t key, int16_t shift = 0) { return InputEvent::KeyEvent(key, shift); }
InputEvent Text(const std::string& t) { return InputEvent::TextEvent(t); }

// Message boxes (by style), a menu (kMenu) at the screen's right edge, and a list (kList)
// answer the keys a user presses.
TEST(Dialogs, AnswerTheKeysAndClicks) {
  ASSERT_TRUE(EnsureUtf8Locale());
  constexpr int32_t kMenu = -1, kList = -2;
  const std::vector<MenuItem> items = {{"찾기"}, {"-"}, {"잘라내기", false}, {"복사"}, {"붙여넣기"}};
  const std::vector<std::string> regions = {"11  서울특별시", "26  부산광역시", "41  경기도", "48  경상남도"};
  const auto run = [&](ModalHost& h, int32_t style) {
    return style == kMenu ? RunPopupMenu(h, items, 3, 70)
           : style == kList ? RunListBox(h, "지역 코드", regions, 2)
                            : RunMessageBox(h, "데이터가 변경되었습니다.\n저장하겠습니까?", style, "Message");
  };
  struct Case {
    int32_t style;
    std::vector<InputEvent> input;
    int answer;
  } const cases[] = {
      {vbYesNo | vbDefaultButton2, {Key(kVkReturn)}, vbNo},
      {vbYesNo | vbDefaultButton2, {Text("y")}, vbYes},
      {vbYesNo, {Key(kVkRight), Key(kVkReturn)}, vbNo},
      {vbYesNo, {Key(kVkEscape), Text("y")}, vbYes},  // Escape is no answer without Cancel
      {vbYesNo, {}, vbNo},                            // the program ending under the box
      {vbYesNoCancel, {Key(kVkEscape)}, vbCancel},
      {vbOKOnly, {Key(kVkEscape)}, vbOK},
      {vbYesNoCancel, {Key(kVkTab, kShift), Key(kVkReturn)}, vbCancel},
      {kMenu, {Key(kVkDown), Key(kVkReturn)}, 3},  // past a separator and a disabled entry
      {kMenu, {Key(kVkUp), Key(kVkReturn)}, 4},    // wraps
      {kMenu, {Key(kVkEscape)}, -1},
      {kList, {Text("경"), Key(kVkDown), Key(kVkReturn)}, 3},  // typing narrows the list
      {kList, {Text("부"), Key(kVkBack), Key(kVkReturn)}, 0},   // the filter emptied again
      {kList, {Text("없는"), Key(kVkReturn)}, -1},
  };
  for (const Case& c : cases) {
    ScriptedHost host(c.input);
    EXPECT_EQ(run(host, c.style), c.answer) << &c - cases;
    EXPECT_GE(host.LineOf(c.style == kMenu ? "붙여넣기" : c.style == kList ? "지역 코드" : "저장하겠습니까?"), 0);
  }
  // The platform's form of a menu: hidden entries left out, the chosen entry's name back.
  ScriptedHost next({Key(kVkDown), Key(kVkReturn)});
  EXPECT_EQ(ChooseMenuEntry(next, {{"mnuA", "A"}, {"mnuHidden", "H", true, false, false}, {"mnuB", "B"}}, 0, 0, ""), "mnuB");

  // A menu with nothing to choose answers without waiting; a click on a button, wherever the
  // box was drawn.
  ScriptedHost first({});
  EXPECT_EQ(RunPopupMenu(first, {{"-"}, {"x", false}}, 0, 0), -1);
  run(first, vbYesNo);
  InputEvent click;
  click.mouse = InputEvent::Mouse::Press, click.button = 1, click.y = first.LineOf("아니오");
  ASSERT_GE(click.y, 0);
  const std::string line = first.shown.LineText(click.y);
  click.x = static_cast<int>(TextWidth(line.substr(0, line.find("아니오")))), click.kind = InputEvent::Kind::Mouse;
  ScriptedHost clicked({click});
  EXPECT_EQ(run(clicked, vbYesNo), vbNo);

  // A form: typed text, a choice, a check box and digits only in a number; Escape leaves the
  // caller's values alone.
  Form form{"정렬", "", {{.kind = FormField::Kind::Text, .label = "찾을 내용", .text = "한"},
                         {.kind = FormField::Kind::Choice, .label = "기준", .options = {"(없음)", "코드", "이름"}},
                         {.kind = FormField::Kind::Check, .label = "색"},
                         {.kind = FormField::Kind::Number, .label = "개수"}}};
  Form cancelled = form;
  ScriptedHost esc({Text("빛"), Key(kVkEscape)});
  EXPECT_FALSE(RunForm(esc, cancelled));
  EXPECT_EQ(cancelled.fields[0].text, "한");

  ScriptedHost host({Text("빛"), Key(kVkLeft), Text("글"), Key(kVkTab), Key(kVkRight), Key(kVkRight),
                     Key(kVkDown), Text(" "), Key(kVkDown), Text("1a2"), Key(kVkReturn)});
  ASSERT_TRUE(RunForm(host, form));
  const FormField* got = form.fields.data();
  EXPECT_EQ(got[0].text + "|" + std::to_string(got[1].choice) + (got[2].checked ? "|x|" : "||") + got[3].text, "한글빛|2|x|12");
}

}  // namespace
}  // namespace zel::tui
