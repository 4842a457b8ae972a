// Dialogs driven by scripted input, as a user at the keyboard or the mouse would: what each
// answers, and that a cancel leaves the caller's values alone.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "tui/dialogs.h"
#include "tui/text_width.h"
#include "tui/tui_services.h"

namespace zel::tui {
namespace {

class ScriptedHost : public ModalHost {
 public:
  explicit ScriptedHost(std::vector<InputEvent> events) : events_(events.begin(), events.end()) {}
  void PaintBackground(ScreenBuffer& screen) override { screen.Reset(24, 80); }
  void Present(const ScreenBuffer& screen) override { shown = screen; }
  InputEvent Wait() override {
    if (events_.empty()) {
      InputEvent e;
      e.kind = InputEvent::Kind::Interrupt;  // the script ran out: end the dialog
      return e;
    }
    InputEvent e = events_.front();
    events_.pop_front();
    return e;
  }
  // The screen line holding `text`, -1 when none.
  int LineOf(const std::string& text) const {
    for (int y = 0; y < shown.Height(); ++y) {
      if (shown.LineText(y).find(text) != std::string::npos) return y;
    }
    return -1;
  }
  ScreenBuffer shown;

 private:
  std::deque<InputEvent> events_;
};

InputEvent Key(int16_t key, int16_t shift = 0) { return InputEvent::KeyEvent(key, shift); }
InputEvent Text(const std::string& t) { return InputEvent::TextEvent(t); }

TEST(Dialogs, MessageBoxAnswers) {
  ASSERT_TRUE(EnsureUtf8Locale());
  struct Case {
    int32_t style;
    std::vector<InputEvent> input;
    int32_t answer;
  };
  const Case cases[] = {
      {vbYesNo | vbDefaultButton2, {Key(kVkReturn)}, vbNo},
      {vbYesNo, {Key(kVkRight), Key(kVkReturn)}, vbNo},
      {vbYesNo | vbDefaultButton2, {Text("y")}, vbYes},
      {vbYesNo, {Key(kVkEscape)}, vbNo},
      {vbOKCancel, {Key(kVkEscape)}, vbCancel},
      {vbOKOnly, {Key(kVkEscape)}, vbOK},
      {vbYesNoCancel, {Key(kVkTab, kShift), Key(kVkReturn)}, vbCancel},
  };
  for (const Case& c : cases) {
    ScriptedHost host(c.input);
    EXPECT_EQ(RunMessageBox(host, "데이터가 변경되었습니다.\n저장하겠습니까?", c.style, "Message"), c.answer)
        << c.style;
  }
  // A click on a button, wherever the box was drawn.
  ScriptedHost first({Key(kVkLeft)});
  RunMessageBox(first, "저장할까요?", vbYesNo, "");
  const int y = first.LineOf("아니오");
  ASSERT_GE(y, 0);
  const int x = static_cast<int>(TextWidth(first.shown.LineText(y).substr(0, first.shown.LineText(y).find("아니오"))));
  InputEvent click;
  click.kind = InputEvent::Kind::Mouse, click.mouse = InputEvent::Mouse::Press, click.button = 1;
  click.y = y, click.x = x;
  ScriptedHost clicked({click});
  EXPECT_EQ(RunMessageBox(clicked, "저장할까요?", vbYesNo, ""), vbNo);
  EXPECT_GE(first.LineOf("저장할까요?"), 0);
}

TEST(Dialogs, MenuSkipsSeparatorsAndDisabledEntries) {
  const std::vector<MenuItem> items = {{"찾기"}, {"-"}, {"잘라내기", false}, {"복사"}, {"붙여넣기"}};
  ScriptedHost down({Key(kVkDown), Key(kVkReturn)});
  EXPECT_EQ(RunPopupMenu(down, items, 3, 70), 3);
  EXPECT_GE(down.LineOf("붙여넣기"), 0);  // moved left to fit the screen
  ScriptedHost up({Key(kVkUp), Key(kVkReturn)});
  EXPECT_EQ(RunPopupMenu(up, items, 0, 0), 4);  // wraps to the last entry
  ScriptedHost escape({Key(kVkEscape)});
  EXPECT_EQ(RunPopupMenu(escape, items, 0, 0, 3), -1);
  ScriptedHost none({});
  EXPECT_EQ(RunPopupMenu(none, {{"-"}, {"x", false}}, 0, 0), -1);

  // The platform's form of a menu: hidden entries left out, the chosen entry's name back.
  const std::vector<PopupMenuEntry> entries = {
      {"mnuA", "A"}, {"mnuHidden", "H", true, false, false}, {"mnuB", "B"}};
  ScriptedHost next({Key(kVkDown), Key(kVkReturn)});
  EXPECT_EQ(ChooseMenuEntry(next, entries, 0, 0, ""), "mnuB");
}

TEST(Dialogs, ListNarrowsAsTheUserTypes) {
  const std::vector<std::string> regions = {"11  서울특별시", "26  부산광역시", "41  경기도", "48  경상남도"};
  ScriptedHost typed({Text("경"), Key(kVkDown), Key(kVkReturn)});
  EXPECT_EQ(RunListBox(typed, "지역 코드", regions), 3);
  ScriptedHost back({Text("부"), Key(kVkBack), Key(kVkReturn)});
  EXPECT_EQ(RunListBox(back, "지역 코드", regions, 2), 0);  // the filter was emptied again
  ScriptedHost nothing({Text("없는"), Key(kVkReturn)});
  EXPECT_EQ(RunListBox(nothing, "지역 코드", regions), -1);
}

TEST(Dialogs, FormFieldsAndCancel) {
  Form form{"정렬", "", {}};
  form.fields.push_back({.kind = FormField::Kind::Text, .label = "찾을 내용", .text = "한"});
  form.fields.push_back({.kind = FormField::Kind::Choice, .label = "기준", .options = {"(없음)", "코드", "이름"}});
  form.fields.push_back({.kind = FormField::Kind::Check, .label = "색"});
  form.fields.push_back({.kind = FormField::Kind::Number, .label = "개수", .text = ""});

  Form cancelled = form;
  ScriptedHost esc({Text("빛"), Key(kVkEscape)});
  EXPECT_FALSE(RunForm(esc, cancelled));
  EXPECT_EQ(cancelled.fields[0].text, "한");

  ScriptedHost host({Text("빛"), Key(kVkLeft), Text("글"), Key(kVkTab), Key(kVkRight), Key(kVkRight),
                     Key(kVkDown), Text(" "), Key(kVkDown), Text("1a2"), Key(kVkReturn)});
  ASSERT_TRUE(RunForm(host, form));
  EXPECT_EQ(form.fields[0].text, "한글빛");
  EXPECT_EQ(form.fields[1].choice, 2);
  EXPECT_TRUE(form.fields[2].checked);
  EXPECT_EQ(form.fields[3].text, "12");  // digits only

  ScriptedHost on_cancel({Key(kVkTab, kShift), Key(kVkReturn)});  // focus wraps to Cancel
  EXPECT_FALSE(RunForm(on_cancel, form));
}

}  // namespace
}  // namespace zel::tui
