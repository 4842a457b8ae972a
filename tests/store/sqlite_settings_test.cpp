// The SQLite settings store: the store contract on a file made at first use and kept across
// openings, no update lost between processes, a writer waiting for a lock, and damaged or
// foreign files refused without being replaced.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/settings_contract.h"
#include "support/scoped_env.h"
#include "support/read_file.h"
#include "zelsheet/store.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

using testing::ReadAll;

namespace fs = std::filesystem;
const std::string kApp = "Praxium.Net";

// Runs `body` in a child process; Wait gives its exit code (-1 when it did not exit).
template <class Body>
pid_t Spawn(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int code = 2;
    try {
      code = body();
    } catch (...) {
    }
    ::_exit(code);
  }
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs one SQL statement on the file at `path` the way another program would.
void Sql(const std::string& path, const char* statement) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, statement, nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

class SqliteStore : public ::testing::Test {
 protected:
  testing::ScriptedPlatform scratch_;  // a temporary folder, removed afterwards
  std::string path_ = scratch_.TempRoot() + "/config/zelsheet/settings.db";
};

TEST_F(SqliteStore, KeepsTheStoreContractInAPrivateFileAcrossOpenings) {
  {
    SqliteSettingsStore store(path_);
    EXPECT_FALSE(fs::exists(path_));  // nothing touched before the first call
    testing_support::CheckSettingsContract(store);
    store.SaveSetting(kApp, "PGM001\\S1", "Memo", "줄1\n줄2=값");
    EXPECT_EQ(fs::status(fs::path(path_).parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);
  }
  SqliteSettingsStore store(path_);
  EXPECT_EQ(store.GetSetting(kApp, "pgm001\\s1", "MEMO") + store.GetSetting(kApp, "counters", "n"), "줄1\n줄2=값101");
}

// Two processes released at the same moment (both wait on a pipe the parent closes) open a
// database that does not exist yet and increment one key: both must create or find the same
// database, and no update may be lost.
TEST_F(SqliteStore, TwoProcessesCreatingAndUpdatingAtOnceLoseNothing) {
  fs::create_directories(scratch_.TempRoot() + "/race");
  for (int round = 0; round < 100; ++round) {
    const std::string path = scratch_.TempRoot() + "/race/" + std::to_string(round) + ".db";
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    auto worker = [&] {
      ::close(gate[1]);
      char c;
      if (::read(gate[0], &c, 1) != 0) return 3;
      // The test is about lost updates, not waiting: on a loaded machine one writer may
      // hold the other off for longer than the default wait.
      SqliteSettingsStore store(path, 60000);
      for (int i = 0; i < 10; ++i) {
        store.Update(kApp, "race", "n", [](const std::optional<std::string>& v) {
          return std::to_string(std::stoi(v.value_or("0")) + 1);
        });
      }
      return 0;
    };
    const pid_t a = Spawn(worker), b = Spawn(worker);
    ::close(gate[0]);
    ::close(gate[1]);
    ASSERT_EQ(std::to_string(Wait(a)) + std::to_string(Wait(b)), "00") << "round " << round;
    ASSERT_EQ(SqliteSettingsStore(path).GetSetting(kApp, "race", "n"), "20") << "round " << round;
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
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK ||
        sqlite3_exec(db, "BEGIN IMMEDIATE; INSERT OR REPLACE INTO settings VALUES('praxium.net','held','k','by child');",
                     nullptr, nullptr, nullptr) != SQLITE_OK) {
      return 4;
    }
    if (::write(fds[1], "r", 1) != 1) return 5;
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

// A lock held past the busy timeout fails a write with a reason; readers are not blocked
// meanwhile, and the store writes again once the lock is gone. (Waiting for a lock within
// the timeout is what the two processes above do all the time.)
TEST_F(SqliteStore, AWriterReportsALockHeldTooLong) {
  SqliteSettingsStore impatient(path_, 50);
  impatient.SaveSetting(kApp, "s", "k", "1");  // creates the schema before the lock is taken
  const pid_t holder = HoldWriteLock(path_, 1500);
  ASSERT_GT(holder, 0);
  try {
    impatient.SaveSetting(kApp, "s", "k", "2");
    ADD_FAILURE() << "a write past the busy timeout must fail";
  } catch (const SettingsError& e) {
    EXPECT_NE(std::string(e.what()).find("locked"), std::string::npos) << e.what();
  }
  EXPECT_EQ(impatient.GetSetting(kApp, "s", "k"), "1");  // readers are not blocked (WAL)
  EXPECT_EQ(Wait(holder), 0);
  impatient.SaveSetting(kApp, "s", "k", "3");
  EXPECT_EQ(impatient.GetSetting(kApp, "s", "k") + impatient.GetSetting(kApp, "held", "k"), "3by child");
}

TEST_F(SqliteStore, RefusesDamagedAndForeignFilesWithoutReplacingThem) {
  const std::string dir = scratch_.TempRoot() + "/bad/";
  fs::create_directories(dir);
  std::ofstream(dir + "garbage.db", std::ios::binary) << std::string(8192, '\x5a');
  Sql(dir + "foreign.db", "CREATE TABLE invoices(id INTEGER)");  // another program's database
  SqliteSettingsStore(dir + "newer.db").SaveSetting(kApp, "s", "k", "v");
  Sql(dir + "newer.db", "PRAGMA user_version=7");  // one of ours from a later format
  {
    SqliteSettingsStore store(dir + "damaged.db");  // a real store whose table pages were overwritten
    for (int i = 0; i < 400; ++i) {
      store.SaveSetting(kApp, "section" + std::to_string(i % 7), "key" + std::to_string(i), std::string(100, 'a'));
    }
  }
  ASSERT_FALSE(fs::exists(dir + "damaged.db-wal") && fs::file_size(dir + "damaged.db-wal") > 0);
  std::fstream(dir + "damaged.db", std::ios::in | std::ios::out | std::ios::binary).seekp(4096 + 100)
      << std::string(3000, '\xff');  // inside the second page, past its header

  // Every call fails with a SettingsError naming the file, and the file stays as it was.
  for (const char* name : {"garbage", "foreign", "newer", "damaged"}) {
    SCOPED_TRACE(name);
    const std::string path = dir + name + ".db", before = ReadAll(path);
    SqliteSettingsStore store(path);
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        store.SaveSetting(kApp, "s", "k", "v");
        ADD_FAILURE() << "the write was accepted";
      } catch (const SettingsError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
      }
      EXPECT_THROW(store.GetSetting(kApp, "s", "k", "d"), SettingsError);
      EXPECT_THROW(store.SectionExists(kApp, "s"), SettingsError);
    }
    EXPECT_EQ(ReadAll(path), before) << "the file was changed";
  }
}

TEST(SqliteStorePath, ComesFromTheEnvironmentOrTheUsersConfigFolder) {
  using testing::ScopedEnv;
  std::vector<std::string> paths;
  for (const auto& [db, xdg] : {std::pair<std::optional<std::string>, std::optional<std::string>>{"/x/y.db", "/cfg"},
                                {std::nullopt, "/cfg"}, {std::nullopt, std::nullopt}}) {
    ScopedEnv dbEnv("ZELSHEET_SETTINGS_DB", db), xdgEnv("XDG_CONFIG_HOME", xdg);
    paths.push_back(SqliteSettingsStore::DefaultPath());
  }
  EXPECT_EQ(paths[0] + " " + paths[1], "/x/y.db /cfg/zelsheet/settings.db");
  EXPECT_NE(paths[2].find("/.config/zelsheet/settings.db"), std::string::npos) << paths[2];

  // The default platform keeps its settings in that file.
  testing::ScriptedPlatform scratch;
  ScopedEnv db("ZELSHEET_SETTINGS_DB", scratch.TempRoot() + "/p/settings.db");
  DefaultPlatform()->Settings().SaveSetting(kApp, "SHEET", "BasicFontSize", "10");
  EXPECT_EQ(SqliteSettingsStore(scratch.TempRoot() + "/p/settings.db").GetSetting(kApp, "SHEET", "BasicFontSize"), "10");
}

}  // namespace
}  // namespace zel
