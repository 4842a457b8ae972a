// An environment variable set (or, with std::nullopt, removed) for one scope; the old value
// comes back when the scope ends.
//
//   ScopedEnv db("ZELSHEET_SETTINGS_DB", "/x/y.db"), xdg("XDG_CONFIG_HOME", std::nullopt);
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace zel::testing {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) ::setenv(name_, value->c_str(), 1);
    else ::unsetenv(name_);
  }
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace zel::testing
