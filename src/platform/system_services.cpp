#include "platform/internal/system_services.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/atomic_file.h"

namespace zel::internal {

namespace {

std::string NonEmptyEnv(const char* name) {
  const char* v = std::getenv(name);
  return (v != nullptr && *v != '\0') ? std::string(v) : std::string();
}

std::string HomeFolder() {
  std::string home = NonEmptyEnv("HOME");
  if (!home.empty()) return home;
  struct passwd pw {};
  struct passwd* found = nullptr;
  std::string buffer(16384, '\0');
  if (::getpwuid_r(::getuid(), &pw, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return "";
}

}  // namespace

std::string DefaultWindowDir() {
  if (std::string dir = NonEmptyEnv("ZELSHEET_WINDOW_DIR"); !dir.empty()) return dir;
  if (std::string data = NonEmptyEnv("XDG_DATA_HOME"); !data.empty()) return data + "/zelsheet";
  const std::string home = HomeFolder();
  if (home.empty()) return "";
  return home + "/.local/share/zelsheet";
}

std::string UserFolders::WindowDir() {
  const std::string dir = DefaultWindowDir();
  if (dir.empty()) return "";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!std::filesystem::is_directory(dir, ec)) return "";
  return dir;
}

std::optional<std::string> ReadSmallFile(const std::string& path, size_t max_bytes) {
  if (!IsUsablePath(path)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text;
  char chunk[8192];
  while (in) {
    in.read(chunk, sizeof chunk);
    text.append(chunk, static_cast<size_t>(in.gcount()));
    if (text.size() > max_bytes) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  return text;
}

MemoryValues& FileValues::Loaded() {
  if (!loaded_) {
    loaded_ = true;
    if (auto text = ReadSmallFile(path_, kMaxValuesFileBytes)) ParseValuesFile(*text, values_);
  }
  return values_;
}

std::optional<std::string> FileValues::Get(const std::string& key, const std::string& name) {
  return Loaded().Get(key, name);
}

std::optional<std::string> FileValues::zelRegGetString(const std::string& application,
                                                       const std::string& key) {
  return Loaded().zelRegGetString(application, key);
}

int32_t NoDesktopShell::ShellExecute(const std::string&, const std::string&, const std::string&,
                                     const std::string&, int32_t) {
  return kNoAssociation;
}

}  // namespace zel::internal
