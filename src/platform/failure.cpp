#include "platform/failure.h"

#include <exception>

namespace zel::internal {

std::string CurrentFailureText() noexcept {
  try {
    try {
      throw;
    } catch (const std::exception& e) {
      return e.what();
    } catch (const std::string& s) {
      return s;
    } catch (const char* s) {
      return s != nullptr ? std::string(s) : std::string(kUnknownFailure);
    } catch (int n) {
      return "Error " + std::to_string(n);
    } catch (long n) {
      return "Error " + std::to_string(n);
    }
  } catch (...) {
    // Anything else, or no memory left for the text.
  }
  try {
    return std::string(kUnknownFailure);
  } catch (...) {
    return {};
  }
}

std::string WithContext(std::string_view context, std::string text) noexcept {
  try {
    std::string out(context);
    out += ": ";
    out += text;
    return out;
  } catch (...) {
    return text;
  }
}

void ShowBox(Platform& platform, std::string_view text, int32_t style,
             std::string_view title) noexcept {
  try {
    platform.MsgBox(std::string(text), style, std::string(title));
  } catch (...) {
    // Nothing is left to report the failure to.
  }
}

bool ShowFailureBox(Platform& platform, std::string_view title, const Status& status) noexcept {
  if (status.Ok()) return true;
  ShowBox(platform, status.Reason(), vbCritical, title);
  return false;
}

}  // namespace zel::internal
