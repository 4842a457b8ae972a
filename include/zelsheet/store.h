// The per-user settings store on SQLite, and the default platform built on it.
//
// Library zelsheet_store (links zelsheet and SQLite). The platform layer itself knows only
// the SettingsStore interface, so the sheet library needs no database; a host that wants
// the real store links zelsheet_store and calls zel::DefaultPlatform().
#pragma once

#include <memory>
#include <string>

#include "zelsheet/platform.h"

namespace zel {

// Settings in one SQLite database file per user.
//
// The file is opened, and created with its folder when missing, at the first call that
// needs it; a failed open is tried again at the next call. It runs in WAL mode, so readers
// never wait for the writer; a writer that finds the database locked by another program
// waits up to the busy timeout; every write is a transaction begun with BEGIN IMMEDIATE,
// so a read-change-write (Update) is never interleaved with another writer.
//
// A file that is not a settings database (damaged, or another program's) is refused with a
// SettingsError naming the file; it is never replaced or repaired. Every member may throw
// SettingsError. One object is used from one thread; several objects and several processes
// may share the file.
class SqliteSettingsStore : public SettingsStore {
 public:
  static constexpr int kDefaultBusyTimeoutMs = 5000;

  explicit SqliteSettingsStore(std::string path, int busy_timeout_ms = kDefaultBusyTimeoutMs);
  ~SqliteSettingsStore() override;
  SqliteSettingsStore(const SqliteSettingsStore&) = delete;
  SqliteSettingsStore& operator=(const SqliteSettingsStore&) = delete;

  // The per-user database path: $ZELSHEET_SETTINGS_DB when set, else
  // $XDG_CONFIG_HOME/zelsheet/settings.db, else $HOME/.config/zelsheet/settings.db (home
  // from the password database when HOME is unset). Throws SettingsError when there is no
  // home folder to put it in.
  static std::string DefaultPath();

  const std::string& Path() const { return path_; }

  std::string GetSetting(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& default_value = "") override;
  void SaveSetting(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) override;
  void SaveSettings(const std::string& application, const std::string& section,
                    const std::vector<std::pair<std::string, std::string>>& values) override;
  void DeleteSetting(const std::string& application, const std::string& section,
                     const std::string& key) override;
  void DeleteSection(const std::string& application, const std::string& section) override;
  bool SectionExists(const std::string& application, const std::string& section) override;
  std::string Update(
      const std::string& application, const std::string& section, const std::string& key,
      const std::function<std::string(const std::optional<std::string>&)>& change) override;

 private:
  class Connection;
  Connection& Open();

  std::string path_;
  int busy_timeout_ms_;
  std::unique_ptr<Connection> connection_;
};

// The platform a host runs the sheet on: StandardPlatform (see zelsheet/platform.h) with
// the SQLite settings store at SqliteSettingsStore::DefaultPath(). Opening the database
// waits for the first settings call, so this never fails for the store's sake. When no
// path can be formed (no home folder), the settings are kept in memory and a message says
// so on stderr.
std::unique_ptr<StandardPlatform> DefaultPlatform();

}  // namespace zel
