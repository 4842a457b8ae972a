#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/internal/headless_tools.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Headless tools whose message boxes are the scripted platform's, exporting into its
// temporary folder.
struct Fixture {
  testing::ScriptedPlatform p;
  std::string folder = p.TempRoot() + "/Export";
  HeadlessCompanionTools tools{p.Messages(), [this] { return folder; }};
};

TEST(HeadlessCompanionTools, EveryDialogIsCancelledAndChangesNothing) {
  Fixture f;
  ColMergeDialog merge{{"a"}, 1, 2, 3, true};
  const ColMergeDialog merge_before = merge;
  SheetSortDialog sort{{{"", 0}, {"코드", 1}}, 1, 0, 0, false, true, true};
  const SheetSortDialog sort_before = sort;
  SheetFilterDialog filter;
  SheetSettingDialog setting;
  SearchDialog search{"x"};
  FrozenDialog frozen{"번째 행", 5, "1", 5, 0, 1};
  SheetSeperateDialog seperate{"PGM001", "S1", {"a"}, {false}};
  DateDialog date{"20240315"};
  EXPECT_FALSE(f.tools.GetColMerge(merge));
  EXPECT_FALSE(f.tools.GetSheetSort(sort));
  EXPECT_FALSE(f.tools.GetSheetFilter(filter));
  EXPECT_FALSE(f.tools.GetSheetSetting(setting));
  EXPECT_FALSE(f.tools.GetSearch(search));
  EXPECT_FALSE(f.tools.GetFrozen(frozen));
  EXPECT_FALSE(f.tools.GetSheetSeperate(seperate));
  EXPECT_FALSE(f.tools.GetDate(date));
  EXPECT_EQ(f.tools.OpenDialog("/", "*.*", false), "");
  EXPECT_EQ(merge, merge_before);
  EXPECT_EQ(sort, sort_before);
  EXPECT_EQ(search.txtSearch, "x");
  EXPECT_TRUE(f.p.Boxes().empty());
}

TEST(HeadlessCompanionTools, ErrorListAndFiguresGoToTheMessageBoxes) {
  Fixture f;
  std::string list = "1~, ◇ 중복된 자료 ◆ 자료를 확인하십시오.~,~I~";
  f.tools.ShowErrorMsg(list);
  f.tools.GetCalOnSheet({"1,002", "334", "1,000", "0", "3"});
  ASSERT_EQ(f.p.Boxes().size(), 2u);
  EXPECT_EQ(f.p.Boxes()[0].text, list);
  EXPECT_EQ(f.p.Boxes()[0].buttons, vbOKOnly);
  EXPECT_EQ(f.p.Boxes()[0].icon, 0);
  EXPECT_EQ(f.p.Boxes()[1].text, "Total: 1,002\nAverage: 334\nMax: 1,000\nMin: 0\nCount: 3");
}

TEST(HeadlessCompanionTools, ExportsWriteTabSeparatedFiles) {
  Fixture f;
  const GridTable grid{{"코드", "이름", "금액"},
                       {{"A01", "홍길동", "1,000"}, {"A02", "tab\there", ""}, {"A03"}}};
  std::string info3 = "거래처 목록";
  const ToolOutcome out = f.tools.SendToExcel(info3, grid);
  ASSERT_TRUE(out.done) << out.message;
  EXPECT_EQ(out.path, f.folder + "/거래처 목록.tsv");
  EXPECT_EQ(ReadAll(out.path),
            "코드\t이름\t금액\nA01\t홍길동\t1,000\nA02\ttab here\t\nA03\t\t\n");

  // SendExcel writes to the host's document when it names one, else by the header title.
  std::string doc = f.p.TempRoot() + "/chosen.tsv", header = "Head/er", empty;
  EXPECT_TRUE(f.tools.SendExcel("PGM001", info3, doc, grid, header).done);
  EXPECT_TRUE(std::filesystem::exists(doc));
  const ToolOutcome by_title = f.tools.SendExcel("PGM001", info3, empty, grid, header);
  EXPECT_EQ(by_title.path, f.folder + "/Head_er.tsv");
  std::string no_info;
  EXPECT_EQ(f.tools.SendExcel("PGM001", no_info, empty, grid, empty).path,
            f.folder + "/PGM001.tsv");
  // Nothing but the finished files is left in the folder.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(f.folder)) {
    EXPECT_EQ(e.path().filename().string().find(".zeltmp."), std::string::npos);
    ++files;
  }
  EXPECT_EQ(files, 3);
}

TEST(HeadlessCompanionTools, PrintAlignsColumnsCountingWideCharactersTwice) {
  Fixture f;
  const GridTable grid{{"코드", "name"}, {{"A1", "홍길동"}, {"LONGER", "x"}}};
  const ToolOutcome out = f.tools.sbPrint(grid, "PGM001");
  ASSERT_TRUE(out.done) << out.message;
  EXPECT_EQ(out.path, f.folder + "/PGM001.print.txt");
  EXPECT_EQ(ReadAll(out.path),
            "PGM001\n\n"
            "코드    name\n"
            "A1      홍길동\n"
            "LONGER  x\n");
}

TEST(HeadlessCompanionTools, ExportFailuresAndChartsAreReportedNotThrown) {
  testing::ScriptedPlatform p;
  HeadlessCompanionTools nowhere(p.Messages(), [] { return std::string(); });
  std::string info3 = "x";
  const ToolOutcome a = nowhere.SendToExcel(info3, {});
  EXPECT_FALSE(a.done);
  EXPECT_FALSE(a.message.empty());

  // A folder that cannot be made (a file stands in the way).
  std::ofstream(p.TempRoot() + "/blocker") << "x";
  HeadlessCompanionTools blocked(p.Messages(), [&] { return p.TempRoot() + "/blocker/sub"; });
  const ToolOutcome b = blocked.sbPrint({}, "t");
  EXPECT_FALSE(b.done);
  EXPECT_NE(b.message.find("blocker"), std::string::npos);

  const ToolOutcome c = nowhere.sbShowChart({{"a"}, {}}, 10, 10);
  EXPECT_FALSE(c.done);
  ASSERT_EQ(p.Boxes().size(), 1u);
  EXPECT_EQ(p.Boxes()[0].icon, vbInformation);
}

TEST(SafeFileName, KeepsOrdinaryNamesAndDisarmsHostileOnes) {
  struct Case {
    std::string title, expected;
  };
  const Case cases[] = {
      {"거래처 목록", "거래처 목록"},
      {"report.2024", "report.2024"},
      {"../../etc/passwd", "_.._etc_passwd"},
      {"..", "fallback"},
      {" . ", "fallback"},
      {"", "fallback"},
      {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
      {std::string("nul\0x", 5), "nul_x"},
      {"tab\tline\n", "tab_line_"},
      {"bad\xff" "byte", "bad_byte"},
      {"  padded.  ", "padded"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(internal::SafeFileName(c.title, "fallback"), c.expected) << c.title;
  }
  // Long names are cut at 120 bytes without splitting a three-byte Hangul character.
  std::string hangul;
  for (int i = 0; i < 100; ++i) hangul += "가";
  const std::string cut = internal::SafeFileName(hangul, "x");
  EXPECT_EQ(cut.size(), 120u);
  EXPECT_EQ(cut, hangul.substr(0, 120));
  const std::string odd = internal::SafeFileName("a" + hangul, "x");
  EXPECT_EQ(odd.size(), 118u);
}

}  // namespace
}  // namespace zel
