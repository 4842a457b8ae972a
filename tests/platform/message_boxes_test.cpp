#include <gtest/gtest.h>

#include "platform/internal/message_boxes.h"
#include "zelsheet/platform.h"

namespace zel {
namespace {

TEST(MsgBoxStyle, ButtonsAndDefaultAnswerFollowTheStyle) {
  struct Case {
    int32_t style;
    std::vector<MsgBoxResult> buttons;
    MsgBoxResult default_answer;
  };
  const Case cases[] = {
      {vbOKOnly, {vbOK}, vbOK},
      {vbYesNo | vbQuestion, {vbYes, vbNo}, vbYes},
      {vbYesNo | vbDefaultButton2, {vbYes, vbNo}, vbNo},
      {vbYesNoCancel | vbDefaultButton3, {vbYes, vbNo, vbCancel}, vbCancel},
      {vbOKCancel | vbExclamation | vbDefaultButton2, {vbOK, vbCancel}, vbCancel},
      {vbAbortRetryIgnore, {vbAbort, vbRetry, vbIgnore}, vbAbort},
      {vbRetryCancel | vbInformation, {vbRetry, vbCancel}, vbRetry},
      // A default beyond the last button, and unknown button sets, fall back safely.
      {vbYesNo | vbDefaultButton3, {vbYes, vbNo}, vbYes},
      {vbOKOnly | vbDefaultButton2, {vbOK}, vbOK},
      {9, {vbOK}, vbOK},
      {-1, {vbOK}, vbOK},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MsgBoxButtons(c.style), c.buttons) << "style " << c.style;
    EXPECT_EQ(MsgBoxDefaultAnswer(c.style), c.default_answer) << "style " << c.style;
  }
}

TEST(StderrMessageBoxes, WritesTheBoxAndAnswersTheDefaultButton) {
  internal::StderrMessageBoxes boxes;
  ::testing::internal::CaptureStderr();
  const MsgBoxResult a = boxes.MsgBox("데이터가 변경되었습니다.\n저장하겠습니까?", vbYesNo, "Message");
  const MsgBoxResult b = boxes.MsgBox("오류", vbOKOnly | vbCritical | vbDefaultButton2);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(a, vbYes);
  EXPECT_EQ(b, vbOK);
  EXPECT_EQ(err,
            "[Message] 데이터가 변경되었습니다.\n저장하겠습니까?\n  buttons: Yes No -> Yes\n"
            "[Praxium.Net] (critical) 오류\n  buttons: OK -> OK\n");
}

}  // namespace
}  // namespace zel
