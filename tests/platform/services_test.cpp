// The platform's small services: message boxes (the buttons and default answer a style
// gives, the boxes of a host without a screen, the failure boxes every member shows for
// whatever was thrown) and the key queue (the keys a sheet sends itself, the message loop).
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "platform/failure.h"
#include "platform/internal/message_boxes.h"
#include "zelsheet/platform.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

TEST(MsgBoxStyle, ButtonsAndDefaultAnswerFollowTheStyle) {
  // Each style's buttons, then "->" and the default answer. A default beyond the last
  // button, and unknown button sets, fall back safely (the last four).
  std::string shown;
  for (const int32_t style : std::initializer_list<int32_t>{vbOKOnly, vbYesNo | vbQuestion, vbYesNo | vbDefaultButton2, vbYesNoCancel | vbDefaultButton3,
                              vbOKCancel | vbExclamation | vbDefaultButton2, vbAbortRetryIgnore, vbRetryCancel | vbInformation,
                              vbYesNo | vbDefaultButton3, vbOKOnly | vbDefaultButton2, 9, -1}) {
    for (const MsgBoxResult b : MsgBoxButtons(style)) shown += std::to_string(b) + " ";
    shown += "-> " + std::to_string(MsgBoxDefaultAnswer(style)) + ", ";
  }
  EXPECT_EQ(shown, "1 -> 1, 6 7 -> 6, 6 7 -> 7, 6 7 2 -> 2, 1 2 -> 2, 3 4 5 -> 3, 4 2 -> 4, 6 7 -> 6, 1 -> 1, 1 -> 1, 1 -> 1, ");
}

TEST(StderrMessageBoxes, WritesTheBoxAndAnswersTheDefaultButton) {
  internal::StderrMessageBoxes boxes;
  ::testing::internal::CaptureStderr();
  const MsgBoxResult a = boxes.MsgBox("데이터가 변경되었습니다.\n저장하겠습니까?", vbYesNo, "Message");
  const MsgBoxResult b = boxes.MsgBox("오류", vbOKOnly | vbCritical | vbDefaultButton2);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "[Message] 데이터가 변경되었습니다.\n저장하겠습니까?\n  buttons: Yes No -> Yes\n"
            "[Praxium.Net] (critical) 오류\n  buttons: OK -> OK\n");
  EXPECT_EQ(a * 10 + b, vbYes * 10 + vbOK);
}

// What a failure box says for each kind of thing a host or the grid may throw; the quiet
// styles (a skipped step, a fallback value) catch the same.
TEST(FailureBoxes, EveryThrownKindHasATextAndOnlyFailuresShowABox) {
  const std::pair<std::function<void()>, std::string> cases[] = {
      {[] { throw GridError("SetText: column 12 is beyond MaxCols 10"); }, "SetText: column 12 is beyond MaxCols 10"},
      {[] { throw std::string("host failure"); }, "host failure"},
      {[] { throw "host failure"; }, "host failure"},
      {[] { throw 7; }, "Error 7"},
      {[] { throw 1.5; }, std::string(internal::kUnknownFailure)},
  };
  for (const auto& [fail, text] : cases) {
    testing::ScriptedPlatform platform;
    EXPECT_FALSE(internal::ShowFailureBox(platform, "[Title]", fail));
    ASSERT_EQ(platform.Boxes().size(), 1u);
    const testing::MessageBoxRecord& box = platform.Boxes()[0];
    EXPECT_EQ(box.text + "/" + box.title + "/" + std::to_string(box.icon), text + "/[Title]/" + std::to_string(vbCritical));
    EXPECT_FALSE(internal::SkipStep(fail));
    EXPECT_EQ(internal::ReadOr([&] { fail(); return 1; }, 2), 2);
  }
  testing::ScriptedPlatform platform;
  EXPECT_TRUE(internal::ShowFailureBox(platform, "t", [] {}) && internal::ShowFailureBox(platform, "t", Status()));
  EXPECT_FALSE(internal::ShowFailureBox(platform, "[Load]", Status::Failure("cannot read 'a.sts'")));
  EXPECT_FALSE(internal::ShowFailureBox(platform, "[AddItem]", "Column 3, title", [] { throw 7; }));
  ASSERT_EQ(platform.Boxes().size(), 2u);
  EXPECT_EQ(platform.Boxes()[0].text + "|" + platform.Boxes()[1].text, "cannot read 'a.sts'|Column 3, title: Error 7");
  EXPECT_EQ(Status::Failure("").Reason(), "failed");  // a failure always says something
}

KeyStroke Key(int32_t code) { return {false, code}; }
KeyStroke Char(int32_t code) { return {true, code}; }

TEST(ParseSendKeys, ReadsNamedKeysCharactersAndRepeatsAndRefusesWhatItCannotSend) {
  const std::pair<std::string, std::vector<KeyStroke>> cases[] = {
      {"", {}}, {"{DOWN}{HOME}", {Key(40), Key(36)}}, {"{TAB}", {Key(9)}}, {"{tab}", {Key(9)}}, {"~", {Key(13)}},
      {"{ENTER}", {Key(13)}}, {"{F2}{F12}", {Key(113), Key(123)}}, {"{DOWN 3}", {Key(40), Key(40), Key(40)}},
      {"{LEFT 0}", {}}, {"ab", {Char('a'), Char('b')}}, {"가", {Char(0xAC00)}}, {"{x 2}", {Char('x'), Char('x')}},
      {"{{}{}}{+}{~}{가}", {Char('{'), Char('}'), Char('+'), Char('~'), Char(0xAC00)}},
      // An invalid UTF-8 byte is typed as itself rather than refused or over-read.
      {std::string("\xEA\xB0", 2), {Char(0xEA), Char(0xB0)}},
  };
  for (const auto& [text, keys] : cases) EXPECT_EQ(ParseSendKeys(text).value_or(std::vector<KeyStroke>{Key(-1)}), keys) << text;
  for (const char* bad : {"{", "{DOWN", "{}", "}", "{NOPE}", "{F0}", "{F17}", "{DOWN x}", "{DOWN -1}", "{DOWN 1001}",
                          "+{TAB}", "^c", "%f", "(ab)", "{DOWN 3 4}"}) {
    EXPECT_FALSE(ParseSendKeys(bad).has_value()) << bad;
  }
}

TEST(KeyQueue, MessageLoopPassRunsTheHostHandlerWithoutRecursing) {
  KeyQueue q;
  q.DoEvents();  // no handler: only counted
  int runs = 0;
  q.OnMessageLoopPass([&] {
    ++runs;
    q.DoEvents();  // a handler that asks for another pass does not recurse
    q.SendKeys("{TAB}");
  });
  for (int i = 0; i < 5; ++i) q.DoEvents();
  EXPECT_EQ(runs * 100 + q.MessageLoopPasses(), 511);
  EXPECT_EQ(q.TakeSentKeys(), std::vector<std::string>(5, "{TAB}"));
  EXPECT_TRUE(q.TakeSentKeys().empty());
  // A handler that throws leaves the queue usable.
  q.OnMessageLoopPass([] { throw std::runtime_error("host failed"); });
  EXPECT_THROW(q.DoEvents(), std::runtime_error);
  q.OnMessageLoopPass([&] { ++runs; });
  q.DoEvents();
  EXPECT_EQ(runs, 6);
}

}  // namespace
}  // namespace zel
