// The default message boxes: with no screen to show them on, a box is written to stderr
// and answered with its default button, so an unattended run never blocks.
#pragma once

#include <string>

#include "zelsheet/platform.h"

namespace zel::internal {

// The title shown when the caller gives none: the application's name.
inline constexpr const char* kDefaultMessageTitle = "Praxium.Net";

// "[title] (icon) text\n  buttons: Yes No -> Yes\n": how a box reads in a log.
std::string DescribeMessageBox(const std::string& text, int32_t style, const std::string& title,
                               MsgBoxResult answer);

class StderrMessageBoxes : public MessageBoxes {
 public:
  MsgBoxResult MsgBox(const std::string& text, int32_t style = vbOKOnly,
                      const std::string& title = "") override;
};

}  // namespace zel::internal
