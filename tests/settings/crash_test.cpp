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
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "zelsheet/store.h"
#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

// A temporary folder (the scripted platform's, removed with it) for the stores of the
// standard platform the screens open on.
struct Sandbox {
  Sandbox() {
    ::setenv("ZELSHEET_WINDOW_DIR", (root / "win").c_str(), 1);
    ::setenv("ZELSHEET_VALUES_FILE", (root / "no_values.conf").c_str(), 1);
  }
  testing::ScriptedPlatform scratch;
  fs::path root = scratch.TempRoot();
};

// Opens the screen on the stores in `box` and returns the generation found (-1 when the
// stores disagree), after writing it to the descriptor `report` when one is given. With
// `generation` >= 0 it then arranges the screen so and closes it the way a host does.
int OpenScreen(const Sandbox& box, int generation, int report = -1) {
  StandardPlatform platform(std::make_unique<SqliteSettingsStore>((box.root / "settings.db").string()));
  ZelSheet sheet(platform);
  sheet.ReadProperties(testing::SheetFixture::Bag({{"Info", "~,PGM001~,~,INIT~,0~,~,S1~,kim"}}));
  const bool restored = sheet.SheetInit(4, "d");
  for (int i = 1; i <= 4; ++i) sheet.AddItem("F" + std::to_string(i), "T");
  if (!restored) sheet.MaxCols(4);
  Grid& g = sheet.GetSheet();
  g.Col(1);
  g.Row(-1);
  const int byWidth = static_cast<int>(g.ColWidth(1)) - 20, byFont = static_cast<int>(g.FontSize()) - 10;
  const int found = byWidth == byFont && g.ColsFrozen() == 2 + byWidth % 3 && byWidth >= 0 ? byWidth : -1;
  if (report >= 0 && ::write(report, &found, sizeof found) != static_cast<ssize_t>(sizeof found)) return found;
  if (generation >= 0) {
    g.ColWidth(1, 20 + generation);
    sheet.ColsFrozen(2 + generation % 3);
    g.Col(-1);
    g.FontSize(static_cast<float>(10 + generation));
    sheet.SaveTitleInfo();
  }
  return found;
}

// OpenScreen in a child process; the parent waits with Exited.
pid_t CloseInChild(const Sandbox& box, int generation, int report = -1) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    OpenScreen(box, generation, report);
    ::_exit(0);
  }
  return pid;
}

bool Exited(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(Crash, KilledWhileClosingLeavesTheOldOrTheNewArrangement) {
  Sandbox box;
  ASSERT_EQ(OpenScreen(box, 0), -1);  // nothing stored yet
  // How long an opening and a close take here, so that the kills fall all over them.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(Exited(CloseInChild(box, 1)));
  const auto span = std::chrono::steady_clock::now() - start;

  // Each child first tells what the one before it left. Until a child tells, the stores may
  // hold the last generation told or any generation a killed child was writing since.
  std::set<int> possible{1};
  std::mt19937 random(12345);
  for (int kill = 0; kill < 200; ++kill) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const int next = 2 + kill % 18;
    const pid_t pid = CloseInChild(box, next, fds[1]);
    ::close(fds[1]);
    std::this_thread::sleep_for(std::uniform_real_distribution<double>(0, 1.1)(random) * span);
    ::kill(pid, SIGKILL);
    const bool finished = Exited(pid);
    int found = 0;
    if (::read(fds[0], &found, sizeof found) == static_cast<ssize_t>(sizeof found)) {
      ASSERT_TRUE(possible.count(found)) << "kill " << kill << ": found " << found;
      possible = {found};
    }
    ::close(fds[0]);
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
    const int a = 2 * (round % 5) + 1;
    const pid_t first = CloseInChild(box, a), second = CloseInChild(box, a + 1);
    const bool firstExited = Exited(first), secondExited = Exited(second);
    ASSERT_TRUE(firstExited && secondExited);
    const int found = OpenScreen(box, -1);
    ASSERT_TRUE(found == a || found == a + 1) << "round " << round << ": found " << found;
  }
}

}  // namespace
}  // namespace zel
