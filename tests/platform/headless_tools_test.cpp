// The companion tools of a host without dialogs: every dialog cancelled, lists and figures
// shown in message boxes, exports and prints written as text files whose names no title can
// turn against the file system.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/internal/headless_tools.h"
#include "support/read_file.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

using testing::ReadAll;

GridTable Table(std::vector<std::string> titles, std::vector<std::vector<std::string>> rows) {
  GridTable t;
  t.titles = std::move(titles);
  t.rows = std::move(rows);
  return t;
}

// Headless tools whose message boxes are the scripted platform's, exporting into its
// temporary folder.
struct Fixture {
  testing::ScriptedPlatform p;
  std::string folder = p.TempRoot() + "/Export";
  HeadlessCompanionTools tools{p.Messages(), [this] { return folder; }};
};

// Without a screen, the error list and the figures of a selection go to the host's message
// boxes.
TEST(HeadlessCompanionTools, ListsAndFiguresGoToTheMessageBoxes) {
  Fixture f;
  std::string list = "1~, ◇ 중복된 자료 ◆ 자료를 확인하십시오.~,~I~";
  f.tools.ShowErrorMsg(list);
  f.tools.GetCalOnSheet({"1,002", "334", "1,000", "0", "3"});
  ASSERT_EQ(f.p.Boxes().size(), 2u);
  EXPECT_EQ(f.p.Boxes()[0].text + "|" + std::to_string(f.p.Boxes()[0].buttons + f.p.Boxes()[0].icon), list + "|0");
  EXPECT_EQ(f.p.Boxes()[1].text, "Total: 1,002\nAverage: 334\nMax: 1,000\nMin: 0\nCount: 3");
}

TEST(HeadlessCompanionTools, ExportsAndPrintsWriteTextFiles) {
  Fixture f;
  const GridTable grid = Table({"코드", "이름", "금액"}, {{"A01", "홍길동", "1,000"}, {"A02", "tab\there", ""}, {"A03"}});
  std::string info3 = "거래처 목록", doc = f.p.TempRoot() + "/chosen.tsv", header = "Head/er", empty;
  const ToolOutcome out = f.tools.SendToExcel(info3, grid);
  ASSERT_TRUE(out.done) << out.message;
  EXPECT_EQ(out.path, f.folder + "/거래처 목록.tsv");
  EXPECT_EQ(ReadAll(out.path), "코드\t이름\t금액\nA01\t홍길동\t1,000\nA02\ttab here\t\nA03\t\t\n");
  // SendExcel writes to the host's document when it names one, else by the header title,
  // else by the program.
  EXPECT_TRUE(f.tools.SendExcel("PGM001", info3, doc, grid, header).done && std::filesystem::exists(doc));
  EXPECT_EQ(f.tools.SendExcel("PGM001", info3, empty, grid, header).path, f.folder + "/Head_er.tsv");
  EXPECT_EQ(f.tools.SendExcel("PGM001", empty, empty, grid, empty).path, f.folder + "/PGM001.tsv");

  // The print lines columns up, counting a wide character twice.
  const ToolOutcome print = f.tools.sbPrint(Table({"코드", "name"}, {{"A1", "홍길동"}, {"LONGER", "x"}}), "PGM001");
  EXPECT_EQ(print.path, f.folder + "/PGM001.print.txt");
  EXPECT_EQ(ReadAll(print.path), "PGM001\n\n코드    name\nA1      홍길동\nLONGER  x\n");
}

TEST(HeadlessCompanionTools, ExportFailuresAndChartsAreReportedNotThrown) {
  testing::ScriptedPlatform p;
  HeadlessCompanionTools nowhere(p.Messages(), [] { return std::string(); });
  std::string info3 = "x";
  const ToolOutcome a = nowhere.SendToExcel(info3, {});
  EXPECT_FALSE(a.done || a.message.empty());
  std::ofstream(p.TempRoot() + "/blocker") << "x";  // a file where the folder should be made
  HeadlessCompanionTools blocked(p.Messages(), [&] { return p.TempRoot() + "/blocker/sub"; });
  const ToolOutcome b = blocked.sbPrint({}, "t");
  EXPECT_FALSE(b.done);
  EXPECT_NE(b.message.find("blocker"), std::string::npos);
  EXPECT_FALSE(nowhere.sbShowChart(Table({"a"}, {}), 10, 10).done);
  ASSERT_EQ(p.Boxes().size(), 1u);
  EXPECT_EQ(p.Boxes()[0].icon, vbInformation);
}

TEST(SafeFileName, KeepsOrdinaryNamesAndDisarmsHostileOnes) {
  std::string hangul;
  for (int i = 0; i < 100; ++i) hangul += "가";
  const std::pair<std::string, std::string> cases[] = {
      {"거래처 목록", "거래처 목록"}, {"report.2024", "report.2024"}, {"../../etc/passwd", "_.._etc_passwd"},
      {"..", "fallback"}, {" . ", "fallback"}, {"", "fallback"}, {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
      {std::string("nul\0x", 5), "nul_x"}, {"tab\tline\n", "tab_line_"}, {"bad\xff" "byte", "bad_byte"},
      {"  padded.  ", "padded"},
      // Long names are cut at 120 bytes without splitting a three-byte Hangul character.
      {hangul, hangul.substr(0, 120)}, {"a" + hangul, "a" + hangul.substr(0, 117)},
  };
  for (const auto& [title, expected] : cases) EXPECT_EQ(internal::SafeFileName(title, "fallback"), expected) << title;
}

}  // namespace
}  // namespace zel
