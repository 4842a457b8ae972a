// A screen closing while it is killed, and two programs closing the same screen at once:
// afterwards the settings database and the layout file open, and together hold one whole
// arrangement, the old one or the new one, never a mix.
//
// Each arrangement is a generation g written into both stores: column 1 is 20 + g wide and
// 2 + g % 3 columns are frozen (settings), and every cell's font is 10 + g points (layout
// file only). Reading the three back tells whether they come from the same generation.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <thread>

#include "zelsheet/store.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

constexpr int kGenerations = 20;

struct Sandbox {
  Sandbox() {
    const char* base = std::getenv("ZEL_TEST_TMP");
    root = (base && *base ? fs::path(base) : fs::temp_directory_path()) /
           ("crash_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "win");
    ::setenv("ZELSHEET_WINDOW_DIR", (root / "win").c_str(), 1);
    ::setenv("ZELSHEET_VALUES_FILE", (root / "no_values.conf").c_str(), 1);
  }
  ~Sandbox() { fs::remove_all(root); }
  std::string Db() const { return (root / "settings.db").string(); }
  fs::path root;
};

// Opens the screen on the stores in `box` and returns the generation found (-1 when the
// stores disagree), after writing it to the descriptor `report` when one is given. With
// `generation` >= 0 it then arranges the screen so and closes it the way a host does
// (SaveTitleInfo, then the sheet goes).
int OpenScreen(const Sandbox& box, int generation, int report = -1) {
  StandardPlatform platform(std::make_unique<SqliteSettingsStore>(box.Db()));
  ZelSheet sheet(platform);
  PropertyBag bag;
  bag.WriteProperty("Info", "~,PGM001~,~,INIT~,0~,~,S1~,kim");
  sheet.ReadProperties(bag);
  const bool restored = sheet.SheetInit(4, "d");
  for (int i = 1; i <= 4; ++i) sheet.AddItem("F" + std::to_string(i), "T");
  if (!restored) sheet.MaxCols(4);
  Grid& g = sheet.GetSheet();
  g.Col(1);
  g.Row(-1);
  const int byWidth = static_cast<int>(g.ColWidth(1)) - 20;
  const int byFont = static_cast<int>(g.FontSize()) - 10;
  const bool frozenAgrees = g.ColsFrozen() == 2 + byWidth % 3;
  const int found = byWidth == byFont && frozenAgrees && byWidth >= 0 ? byWidth : -1;
  if (report >= 0 && ::write(report, &found, sizeof found) != static_cast<ssize_t>(sizeof found)) {
    return found;
  }
  if (generation >= 0) {
    g.ColWidth(1, 20 + generation);
    sheet.ColsFrozen(2 + generation % 3);
    g.Col(-1);
    g.Row(-1);
    g.FontSize(static_cast<float>(10 + generation));
    sheet.SaveTitleInfo();
  }
  return found;
}

// A screen closing in a child process: it opens, tells through `report` (when given) which
// generation it found, arranges generation `generation` and closes.
pid_t CloseInChild(const Sandbox& box, int generation, int report = -1) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    OpenScreen(box, generation, report);
    ::_exit(0);
  }
  return pid;
}

bool ExitedCleanly(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// What a child reported through the pipe `fd`: the generation it found, or nothing when it
// was killed before it could tell.
std::optional<int> Report(int fd) {
  int found = 0;
  if (::read(fd, &found, sizeof found) != static_cast<ssize_t>(sizeof found)) return std::nullopt;
  return found;
}

TEST(Crash, KilledWhileClosingLeavesTheOldOrTheNewArrangement) {
  Sandbox box;
  ASSERT_EQ(OpenScreen(box, 0), -1);  // nothing stored yet
  // How long an opening and a close take here, so that the kills fall all over them.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(ExitedCleanly(CloseInChild(box, 1)));
  const auto span = std::chrono::steady_clock::now() - start;

  // Each child first tells what the one before it left. Until a child tells, the stores may
  // hold the last generation told or any generation a killed child was writing since.
  std::set<int> possible{1};
  std::mt19937 random(12345);
  for (int kill = 0; kill < 200; ++kill) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const int next = 2 + kill % (kGenerations - 2);
    const pid_t pid = CloseInChild(box, next, fds[1]);
    ::close(fds[1]);
    std::this_thread::sleep_for(std::uniform_real_distribution<double>(0, 1.1)(random) * span);
    ::kill(pid, SIGKILL);
    const bool finished = ExitedCleanly(pid);
    const std::optional<int> found = Report(fds[0]);
    ::close(fds[0]);
    if (found) {
      ASSERT_TRUE(possible.count(*found)) << "kill " << kill << ": found " << *found;
      possible = {*found};
    }
    possible.insert(next);
    if (finished) possible = {next};
  }
  const int last = OpenScreen(box, -1);
  EXPECT_TRUE(possible.count(last)) << "found " << last;
}

TEST(Crash, TwoProgramsClosingAtOnceLeaveOneWholeArrangement) {
  Sandbox box;
  OpenScreen(box, 0);
  for (int round = 0; round < 20; ++round) {
    const int a = 2 * (round % 5) + 1, b = a + 1;
    const pid_t first = CloseInChild(box, a);
    const pid_t second = CloseInChild(box, b);
    ASSERT_TRUE(ExitedCleanly(first));
    ASSERT_TRUE(ExitedCleanly(second));
    const int found = OpenScreen(box, -1);
    ASSERT_TRUE(found == a || found == b) << "round " << round << ": found " << found;
  }
}

}  // namespace
}  // namespace zel
