// A writer killed at random moments: a child process saves a growing counter to the settings
// store and rewrites a file through the atomic write, and reports each number once both are
// done. After each SIGKILL the store still opens, holds at least the last reported number,
// and the file is whole: one of the versions written, never older than the last reported.
// Afterwards the next write leaves no temporary file of the killed writers behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>
#include <vector>

#include "platform/atomic_file.h"
#include "support/read_file.h"
#include "zelsheet/store.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

using testing::ReadAll;

const std::string kApp = "Praxium.Net";

// Version n of the file: its number, then a body whose length and letter depend on n.
std::string Version(int64_t n) {
  return "v" + std::to_string(n) + ":" + std::string(static_cast<size_t>(n % 64) * 512, static_cast<char>('a' + n % 26));
}

// The version number of a whole file; -1 when the file is torn or not one of ours.
int64_t VersionOf(const std::string& bytes) {
  const int64_t n = bytes.size() > 2 && bytes[0] == 'v' ? std::atoll(bytes.c_str() + 1) : -1;
  return n >= 0 && bytes == Version(n) ? n : -1;
}

TEST(CrashSafety, KilledWritersLoseNothingCommittedAndTearNothing) {
  testing::ScriptedPlatform scratch;
  const std::string db = scratch.TempRoot() + "/store/settings.db", dir = scratch.TempRoot() + "/files";
  const std::string file = dir + "/layout.sts";
  std::filesystem::create_directories(dir);
  std::mt19937 rng(20240315);
  int64_t reported = 0;  // the last number a child reported as committed
  for (int kill = 0; kill < 120; ++kill) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(fds[0]);
      try {
        SqliteSettingsStore store(db);
        for (int64_t n = std::stoll(store.GetSetting(kApp, "crash", "n", "0")) + 1;; ++n) {
          store.SaveSetting(kApp, "crash", "n", std::to_string(n));
          if (!internal::WriteFileAtomically(file, Version(n)).empty()) ::_exit(3);
          if (::write(fds[1], &n, sizeof n) != sizeof n) ::_exit(4);
        }
      } catch (...) {
        ::_exit(2);
      }
    }
    ::close(fds[1]);
    // Every other writer is killed only after its first report, so that on a loaded machine,
    // where opening the store may take longer than the wait, writers still get to write.
    int64_t n = 0;
    if (kill % 2 == 0 && ::read(fds[0], &n, sizeof n) == sizeof n) reported = n;
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % 20000));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself with " << WEXITSTATUS(status);
    while (::read(fds[0], &n, sizeof n) == sizeof n) reported = n;
    ::close(fds[0]);

    SqliteSettingsStore store(db);
    const int64_t stored = std::stoll(store.GetSetting(kApp, "crash", "n", "0"));
    EXPECT_GE(stored, reported) << "a committed value was lost at kill " << kill;
    if (std::filesystem::exists(file)) {
      const int64_t version = VersionOf(ReadAll(file));
      EXPECT_GE(version, reported) << "the file is torn or older than committed at kill " << kill;
      EXPECT_LE(version, stored) << "the file ran ahead of the store at kill " << kill;
    }
  }
  EXPECT_GT(reported, 0) << "no writer ever got to report";
  EXPECT_EQ(internal::WriteFileAtomically(dir + "/after", "x"), "");
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(dir)) left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"after", "layout.sts"}));
}

}  // namespace
}  // namespace zel
