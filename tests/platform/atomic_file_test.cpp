// Whole-file writes: any name the file system allows, no temporary file left behind, even
// by a writer that was killed, and no file reached through a name cut at a NUL byte.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/atomic_file.h"
#include "support/read_file.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(folder)) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

TEST(AtomicFile, WritesEveryLegalNameAndRefusesACutOne) {
  testing::ScriptedPlatform p;
  const std::string dir = p.TempRoot() + "/names";
  std::filesystem::create_directories(dir);
  for (size_t length : {1, 200, 245, 255}) {
    const std::string path = dir + "/" + std::string(length, 'n');
    std::string written = internal::WriteFileAtomically(path, "v1");
    written += internal::WriteFileAtomically(path, "v2");
    EXPECT_EQ(written + testing::ReadAll(path), "v2") << length;
  }
  EXPECT_NE(internal::WriteFileAtomically(dir + "/" + std::string(256, 'n'), "x"), "");
  EXPECT_NE(internal::WriteFileAtomically(dir + "/cut" + std::string(1, '\0') + ".txt", "x"), "");
  EXPECT_EQ(Names(dir).size(), 4u) << "nothing else was created";
}

TEST(AtomicFile, TheNextWriteRemovesWhatAKilledWriterLeft) {
  testing::ScriptedPlatform p;
  const std::string dir = p.TempRoot() + "/orphans";
  std::filesystem::create_directories(dir);
  // A process that has ended, and this one, which is still writing.
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_GT(ended, 0);
  ::waitpid(ended, nullptr, 0);
  const std::string live = ".zeltmp." + std::to_string(::getpid()) + ".Xy34Zw";
  std::ofstream(dir + "/.zeltmp." + std::to_string(ended) + ".Ab12Cd") << "half";
  std::ofstream(dir + "/" + live) << "in progress";
  std::ofstream(dir + "/.zeltmp.notapid") << "someone else's";
  EXPECT_EQ(internal::WriteFileAtomically(dir + "/target", "data"), "");
  EXPECT_EQ(Names(dir), (std::vector<std::string>{live, ".zeltmp.notapid", "target"}));
}

}  // namespace
}  // namespace zel
