#include "sheet/registry_values.h"

#include <algorithm>

#include "text/strings.h"

namespace zel::internal {

namespace {
// The library answers through a buffer of 255 characters, one of them its closing NUL.
constexpr int32_t kClientValueMaxChars = 254;
}  // namespace

std::string MachineKeyPath(const std::string& application) {
  return "SoftWare\\Quillbrooke\\" + application;
}

std::string ReadMachineValue(MachineValues& values, const std::string& application,
                             const std::string& name, const std::string& defaultValue) {
  std::string value = values.Get(MachineKeyPath(application), name).value_or("");
  if (auto nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
  return text::TrimView(value).empty() ? defaultValue : value;
}

std::string ReadClientValue(ClientValues& values, const std::string& application,
                            const std::string& key, const std::string& defaultValue) {
  const std::string app = application.empty() ? std::string(kApplication) : application;
  std::string value = values.zelRegGetString(app, key).value_or(defaultValue);
  value = text::Left(value, kClientValueMaxChars);
  value.erase(std::remove(value.begin(), value.end(), '\0'), value.end());
  return text::Trim(value);
}

}  // namespace zel::internal
