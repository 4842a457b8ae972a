// The default platform and the per-user location of the settings database.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "zelsheet/store.h"

namespace zel {

namespace {

std::string NonEmptyEnv(const char* name) {
  const char* v = std::getenv(name);
  return (v != nullptr && *v != '\0') ? std::string(v) : std::string();
}

}  // namespace

std::string SqliteSettingsStore::DefaultPath() {
  if (std::string path = NonEmptyEnv("ZELSHEET_SETTINGS_DB"); !path.empty()) return path;
  if (std::string config = NonEmptyEnv("XDG_CONFIG_HOME"); !config.empty()) {
    return config + "/zelsheet/settings.db";
  }
  std::string home = NonEmptyEnv("HOME");
  if (home.empty()) {
    struct passwd pw {};
    struct passwd* found = nullptr;
    std::string buffer(16384, '\0');
    if (::getpwuid_r(::getuid(), &pw, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
      home = found->pw_dir;
    }
  }
  if (home.empty()) throw SettingsError("settings database: no home folder to keep it in");
  return home + "/.config/zelsheet/settings.db";
}

std::unique_ptr<StandardPlatform> DefaultPlatform() {
  std::unique_ptr<SettingsStore> store;
  try {
    store = std::make_unique<SqliteSettingsStore>(SqliteSettingsStore::DefaultPath());
  } catch (const SettingsError& e) {
    std::cerr << e.what() << "; settings are kept in memory for this run\n";
  }
  return std::make_unique<StandardPlatform>(std::move(store));
}

}  // namespace zel
