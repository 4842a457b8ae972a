#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/settings_contract.h"
#include "zelsheet/store.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

const std::string kApp = "Praxium.Net";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs `body` in a child process; returns its exit status (0 = success).
template <class Body>
pid_t Spawn(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int code = 1;
    try {
      code = body();
    } catch (...) {
      code = 2;
    }
    ::_exit(code);
  }
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

class SqliteStore : public ::testing::Test {
 protected:
  testing::ScriptedPlatform scratch_;  // a temporary folder, removed afterwards
  std::string path_ = scratch_.TempRoot() + "/config/zelsheet/settings.db";
};

TEST_F(SqliteStore, KeepsTheStoreContract) {
  SqliteSettingsStore store(path_);
  testing_support::CheckSettingsContract(store);
}

TEST_F(SqliteStore, CreatesItsFileOnFirstUseAndKeepsValuesAcrossReopen) {
  {
    SqliteSettingsStore store(path_);
    EXPECT_FALSE(std::filesystem::exists(path_));  // nothing touched before the first call
    store.SaveSetting(kApp, "PGM001\\S1", "ColsFrozen", "2");
    store.SaveSetting(kApp, "PGM001\\S1", "Memo", "줄1\n줄2=값");
    store.SaveSetting(kApp, "PGM001\\S2", "ColsFrozen", "5");
    EXPECT_TRUE(std::filesystem::exists(path_));
    EXPECT_EQ(std::filesystem::status(std::filesystem::path(path_).parent_path()).permissions() &
                  std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
  }
  {
    SqliteSettingsStore store(path_);
    EXPECT_EQ(store.GetSetting(kApp, "PGM001\\S1", "ColsFrozen", "0"), "2");
    EXPECT_EQ(store.GetSetting(kApp, "pgm001\\s1", "MEMO"), "줄1\n줄2=값");
    store.DeleteSection(kApp, "PGM001\\S1");
  }
  SqliteSettingsStore store(path_);
  EXPECT_FALSE(store.SectionExists(kApp, "PGM001\\S1"));
  EXPECT_EQ(store.GetSetting(kApp, "PGM001\\S2", "ColsFrozen"), "5");
}

TEST_F(SqliteStore, TwoProcessesIncrementingOneKeyLoseNoUpdate) {
  {
    SqliteSettingsStore store(path_);
    store.SaveSetting(kApp, "counters", "n", "0");
  }
  auto worker = [this] {
    // Each process its own connection. The test is about lost updates, not waiting: on a
    // loaded machine one writer may hold the other off for longer than the default wait.
    SqliteSettingsStore store(path_, 60000);
    for (int i = 0; i < 1000; ++i) {
      store.Update(kApp, "counters", "n", [](const std::optional<std::string>& v) {
        return std::to_string(std::stoi(v.value_or("0")) + 1);
      });
    }
    return 0;
  };
  const pid_t a = Spawn(worker);
  const pid_t b = Spawn(worker);
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  EXPECT_EQ(Wait(a), 0);
  EXPECT_EQ(Wait(b), 0);
  SqliteSettingsStore store(path_);
  EXPECT_EQ(store.GetSetting(kApp, "counters", "n"), "2000");
}

// Two processes opening a database that does not exist yet, released at the same moment
// (both wait on a pipe the parent closes): both must create or find the same settings
// database and keep their value.
TEST_F(SqliteStore, TwoProcessesCreatingTheDatabaseAtOnceBothSucceed) {
  std::filesystem::create_directories(scratch_.TempRoot() + "/race");
  for (int round = 0; round < 100; ++round) {
    const std::string path = scratch_.TempRoot() + "/race/" + std::to_string(round) + ".db";
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    auto opener = [&](const char* key) {
      return [&, key] {
        ::close(gate[1]);
        char c;
        if (::read(gate[0], &c, 1) != 0) return 3;
        SqliteSettingsStore store(path);
        store.SaveSetting(kApp, "race", key, "set");
        return 0;
      };
    };
    const pid_t a = Spawn(opener("a"));
    const pid_t b = Spawn(opener("b"));
    ::close(gate[0]);
    ::close(gate[1]);
    ASSERT_EQ(Wait(a), 0) << "round " << round;
    ASSERT_EQ(Wait(b), 0) << "round " << round;
    SqliteSettingsStore store(path);
    EXPECT_EQ(store.GetSetting(kApp, "race", "a") + store.GetSetting(kApp, "race", "b"), "setset");
  }
}

// A child process takes the write lock, tells the parent through a pipe, holds the lock
// for `hold_ms` and commits.
pid_t HoldWriteLock(const std::string& path, int hold_ms) {
  int fds[2];
  if (::pipe(fds) != 0) return -1;
  const pid_t pid = Spawn([&] {
    ::close(fds[0]);
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return 3;
    if (sqlite3_exec(db, "BEGIN IMMEDIATE; INSERT OR REPLACE INTO settings VALUES"
                         "('praxium.net','held','k','by child');",
                     nullptr, nullptr, nullptr) != SQLITE_OK) {
      return 4;
    }
    const char ready = 'r';
    if (::write(fds[1], &ready, 1) != 1) return 5;
    std::this_thread::sleep_for(std::chrono::milliseconds(hold_ms));
    const int rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc == SQLITE_OK ? 0 : 6;
  });
  ::close(fds[1]);
  char ready = 0;
  const bool ok = ::read(fds[0], &ready, 1) == 1;
  ::close(fds[0]);
  return ok ? pid : -1;
}

TEST_F(SqliteStore, AWriterWaitsForALockAndReportsOneHeldTooLong) {
  {
    SqliteSettingsStore store(path_);
    store.SaveSetting(kApp, "s", "k", "0");  // creates the schema
  }
  {
    const pid_t holder = HoldWriteLock(path_, 300);
    ASSERT_GT(holder, 0);
    SqliteSettingsStore store(path_);
    store.SaveSetting(kApp, "s", "k", "1");  // waits for the child, then writes
    EXPECT_EQ(Wait(holder), 0);
    EXPECT_EQ(store.GetSetting(kApp, "held", "k"), "by child");
    EXPECT_EQ(store.GetSetting(kApp, "s", "k"), "1");
  }
  {
    SqliteSettingsStore impatient(path_, 50);
    impatient.GetSetting(kApp, "s", "k");  // open before the lock is taken
    const pid_t holder = HoldWriteLock(path_, 1500);
    ASSERT_GT(holder, 0);
    try {
      impatient.SaveSetting(kApp, "s", "k", "2");
      ADD_FAILURE() << "a write past the busy timeout must fail";
    } catch (const SettingsError& e) {
      EXPECT_NE(std::string(e.what()).find("locked"), std::string::npos) << e.what();
    }
    // Readers are not blocked by the writer (WAL).
    EXPECT_EQ(impatient.GetSetting(kApp, "s", "k"), "1");
    EXPECT_EQ(Wait(holder), 0);
    impatient.SaveSetting(kApp, "s", "k", "3");  // usable again once the lock is gone
    EXPECT_EQ(impatient.GetSetting(kApp, "s", "k"), "3");
  }
}

// Every call on a store over `path` fails with a SettingsError naming the file, and the
// file is left byte for byte as it was.
void ExpectRefused(const std::string& path, const std::string& why) {
  const std::string before = ReadAll(path);
  SqliteSettingsStore store(path);
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      store.SaveSetting(kApp, "s", "k", "v");
      ADD_FAILURE() << why << ": the write was accepted";
    } catch (const SettingsError& e) {
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_THROW(store.GetSetting(kApp, "s", "k", "d"), SettingsError) << why;
    EXPECT_THROW(store.SectionExists(kApp, "s"), SettingsError) << why;
  }
  EXPECT_EQ(ReadAll(path), before) << why << ": the file was changed";
}

TEST_F(SqliteStore, RefusesDamagedAndForeignFilesWithoutReplacingThem) {
  std::filesystem::create_directories(scratch_.TempRoot() + "/bad");
  const std::string dir = scratch_.TempRoot() + "/bad/";

  std::ofstream(dir + "garbage.db", std::ios::binary) << std::string(8192, '\x5a');
  ExpectRefused(dir + "garbage.db", "garbage");

  // Another program's database.
  {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((dir + "foreign.db").c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE invoices(id INTEGER)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  ExpectRefused(dir + "foreign.db", "foreign");

  // One of ours from a later format.
  const std::string newer = dir + "newer.db";
  {
    SqliteSettingsStore store(newer);
    store.SaveSetting(kApp, "s", "k", "v");
  }
  {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(newer.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA user_version=7", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  ExpectRefused(newer, "newer format");

  // A real store whose table pages were overwritten.
  const std::string damaged = dir + "damaged.db";
  {
    SqliteSettingsStore store(damaged);
    for (int i = 0; i < 400; ++i) {
      store.SaveSetting(kApp, "section" + std::to_string(i % 7), "key" + std::to_string(i),
                        std::string(100, static_cast<char>('a' + i % 26)));
    }
  }
  ASSERT_FALSE(std::filesystem::exists(damaged + "-wal") &&
               std::filesystem::file_size(damaged + "-wal") > 0);
  {
    std::fstream f(damaged, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(4096 + 100);  // inside the second page, past its header
    const std::string junk(3000, '\xff');
    f.write(junk.data(), static_cast<std::streamsize>(junk.size()));
  }
  ExpectRefused(damaged, "damaged pages");
}

TEST(SqliteStorePath, ComesFromTheEnvironmentOrTheUsersConfigFolder) {
  const char* saved_db = std::getenv("ZELSHEET_SETTINGS_DB");
  const char* saved_xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string old_db = saved_db ? saved_db : "", old_xdg = saved_xdg ? saved_xdg : "";

  ::setenv("ZELSHEET_SETTINGS_DB", "/x/y.db", 1);
  EXPECT_EQ(SqliteSettingsStore::DefaultPath(), "/x/y.db");
  ::unsetenv("ZELSHEET_SETTINGS_DB");
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(SqliteSettingsStore::DefaultPath(), "/cfg/zelsheet/settings.db");
  ::unsetenv("XDG_CONFIG_HOME");
  const std::string path = SqliteSettingsStore::DefaultPath();
  EXPECT_NE(path.find("/.config/zelsheet/settings.db"), std::string::npos) << path;

  // The default platform keeps its settings in that file.
  testing::ScriptedPlatform scratch;
  ::setenv("ZELSHEET_SETTINGS_DB", (scratch.TempRoot() + "/p/settings.db").c_str(), 1);
  {
    std::unique_ptr<StandardPlatform> platform = DefaultPlatform();
    platform->Settings().SaveSetting(kApp, "SHEET", "BasicFontSize", "10");
  }
  EXPECT_EQ(SqliteSettingsStore(scratch.TempRoot() + "/p/settings.db")
                .GetSetting(kApp, "SHEET", "BasicFontSize"),
            "10");

  if (saved_db) ::setenv("ZELSHEET_SETTINGS_DB", old_db.c_str(), 1);
  else ::unsetenv("ZELSHEET_SETTINGS_DB");
  if (saved_xdg) ::setenv("XDG_CONFIG_HOME", old_xdg.c_str(), 1);
}

}  // namespace
}  // namespace zel
