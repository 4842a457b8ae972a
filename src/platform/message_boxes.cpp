// The button logic of message boxes, shared by every implementation, and the default boxes
// of a machine without a screen.
#include "platform/internal/message_boxes.h"

#include <iostream>

namespace zel {

std::vector<MsgBoxResult> MsgBoxButtons(int32_t style) {
  switch (style & kMsgBoxButtonsMask) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
  }
}

MsgBoxResult MsgBoxDefaultAnswer(int32_t style) {
  const std::vector<MsgBoxResult> buttons = MsgBoxButtons(style);
  const size_t index = static_cast<size_t>((style & kMsgBoxDefaultMask) >> 8);
  return index < buttons.size() ? buttons[index] : buttons.front();
}

namespace internal {

namespace {

const char* IconName(int32_t style) {
  switch (style & kMsgBoxIconMask) {
    case vbCritical: return "critical";
    case vbQuestion: return "question";
    case vbExclamation: return "exclamation";
    case vbInformation: return "information";
    default: return nullptr;
  }
}

const char* ButtonName(MsgBoxResult b) {
  switch (b) {
    case vbOK: return "OK";
    case vbCancel: return "Cancel";
    case vbAbort: return "Abort";
    case vbRetry: return "Retry";
    case vbIgnore: return "Ignore";
    case vbYes: return "Yes";
    case vbNo: return "No";
  }
  return "?";
}

}  // namespace

std::string DescribeMessageBox(const std::string& text, int32_t style, const std::string& title,
                               MsgBoxResult answer) {
  std::string out = "[";
  out += title.empty() ? kDefaultMessageTitle : title;
  out += "]";
  if (const char* icon = IconName(style)) {
    out += " (";
    out += icon;
    out += ")";
  }
  out += " ";
  out += text;
  out += "\n  buttons:";
  for (MsgBoxResult b : MsgBoxButtons(style)) {
    out += " ";
    out += ButtonName(b);
  }
  out += " -> ";
  out += ButtonName(answer);
  out += "\n";
  return out;
}

MsgBoxResult StderrMessageBoxes::MsgBox(const std::string& text, int32_t style,
                                        const std::string& title) {
  const MsgBoxResult answer = MsgBoxDefaultAnswer(style);
  std::cerr << DescribeMessageBox(text, style, title, answer) << std::flush;
  return answer;
}

}  // namespace internal
}  // namespace zel
