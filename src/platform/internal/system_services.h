// The default platform's own services: the system clock, the per-user folder that stands
// for the Windows directory, the values file, and a shell without a desktop.
#pragma once

#include <string>

#include "zelsheet/platform.h"

namespace zel::internal {

class SystemClock : public Clock {
 public:
  DateTime Now() override;
};

// WindowDir: $ZELSHEET_WINDOW_DIR, else $XDG_DATA_HOME/zelsheet, else
// $HOME/.local/share/zelsheet (home from the password database when HOME is unset);
// created at first use.
class UserFolders : public FolderService {
 public:
  std::string WindowDir() override;
};

// The folder WindowDir() names by the rules above, without creating it; "" when no home
// folder can be found.
std::string DefaultWindowDir();

// Machine and client values from the values file, read once at first use. A missing or
// unreadable file, or one larger than kMaxValuesFileBytes, gives no values at all.
class FileValues : public MachineValues, public ClientValues {
 public:
  static constexpr size_t kMaxValuesFileBytes = 4u << 20;
  explicit FileValues(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> Get(const std::string& key, const std::string& name) override;
  std::optional<std::string> zelRegGetString(const std::string& application,
                                             const std::string& key) override;

 private:
  MemoryValues& Loaded();
  std::string path_;
  bool loaded_ = false;
  MemoryValues values_;
};

// Reads a whole file, at most `max_bytes`; std::nullopt when it cannot be read or is larger.
std::optional<std::string> ReadSmallFile(const std::string& path, size_t max_bytes);

// ShellExecute on a machine whose library has no desktop to ask: starts nothing.
class NoDesktopShell : public ShellLauncher {
 public:
  static constexpr int32_t kNoAssociation = 31;
  int32_t ShellExecute(const std::string& operation, const std::string& file,
                       const std::string& parameters, const std::string& directory,
                       int32_t show_cmd) override;
};

// Message boxes that go to whatever boxes a platform has at the moment of the call, so a
// service built before the host replaced the boxes still reaches the host's.
class PlatformMessageBoxes : public MessageBoxes {
 public:
  explicit PlatformMessageBoxes(Platform& platform) : platform_(platform) {}
  MsgBoxResult MsgBox(const std::string& text, int32_t style = vbOKOnly,
                      const std::string& title = "") override {
    return platform_.Messages().MsgBox(text, style, title);
  }

 private:
  Platform& platform_;
};

}  // namespace zel::internal
