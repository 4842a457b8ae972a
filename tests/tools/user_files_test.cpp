// The user's folders and data files: where they lie, what they hold, and that no name a
// screen or a user brings can put a file outside the folders the sheet owns.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/read_file.h"
#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

// A sheet of user "kim" with per-user folders under <temp>/a/b/home and two text columns.
struct Files : SheetFixture {
  explicit Files(const std::string& info = "") : SheetFixture(Bag({{"Info", info}})) {
    platform.SetClientValue("Praxium.Net", "UserDirType", "1");
    platform.SetClientValue("Praxium.Net", "HomeDir", home() + "/");
    sheet.UserID("kim");
    sheet.MaxCols(2);
    sheet.AddItem("C", "Code");
    sheet.AddItem("N", "Name");
  }
  std::string home() const { return platform.TempRoot() + "/a/b/home"; }
  std::string temp() const { return home() + "/Data/kim/TempFile"; }
};

TEST(DataFiles, SheetToFileAndBackAndPagesOfAFile) {
  Files f;
  f.sheet.Display("C01~,가나~,~I~C02~,Beta~,~I~");
  f.sheet.SetSheetToFile(true, "grp", "rows.txt", false);
  const std::string path = f.temp() + "/grp/rows.txt";
  // Written in the ANSI code page: "가나" is 4 bytes, then CR LF.
  EXPECT_EQ(ReadAll(path), "C01~,\xB0\xA1\xB3\xAA~,~I~C02~,Beta~,~I~\r\n");
  f.sheet.SetSheetToFile(true, "grp", "rows.txt", true);
  EXPECT_EQ(f.sheet.SetFileToString(true, "grp", "rows.txt", -1, -1) + "/" +
                f.sheet.SetFileToString(true, "grp", "rows.txt", 2, 1) + "/" + f.sheet.SetFileToString(true, "grp", "rows.txt"),
            "C01~,가나~,~I~C02~,Beta~,~I~C01~,가나~,~I~C02~,Beta~,~I~\r\n/가나/");
  f.sheet.MaxRows(0);
  EXPECT_EQ(f.sheet.SetFileToSheet(true, "grp", "rows.txt"), 0);
  EXPECT_EQ(RenderSheet(f.sheet), ".|C01|가나\n.|C02|Beta\n.|C01|가나\n.|C02|Beta");
  f.sheet.MaxRows(0);
  f.sheet.SetSheetToFile(true, "grp", "rows.txt", false);  // an empty sheet deletes the file
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(f.sheet.SetFileToSheet(true, "grp", "rows.txt"), -1);
  EXPECT_EQ(f.sheet.SetFileToString(true, "grp", "rows.txt", -1, -1), "");
  EXPECT_TRUE(f.sheet.fnDeleteFile(true, "grp", "rows.txt"));
  EXPECT_TRUE(f.platform.Boxes().empty());

  std::string data;
  for (int r = 1; r <= 120; ++r) data += "R" + std::to_string(r) + (r % 3 == 0 ? "~,xAx~,~I~" : "~,b~,~I~");
  f.sheet.SetStringToFile(true, "", "big.txt", data);
  // The count read, MaxRows, the first unhidden row, then "header:code" of the first four
  // shown rows.
  auto page = [&](const std::string& find, const std::string& op, int32_t col, int32_t size, int32_t number = 0) {
    const int32_t read = f.sheet.SetFileToSheet(true, "", "big.txt", find, op, col, size, number);
    std::string out = std::to_string(read) + " " + std::to_string(f.sheet.MaxRows()) + " " + std::to_string(f.sheet.getUnHiddenRow());
    Grid& g = f.sheet.GetSheet();
    for (int32_t r = 1, shown = 0; r <= g.MaxRows() && shown < 4; ++r) {
      std::string head, cell;
      g.GetText(0, r, head);
      g.GetText(1, r, cell);
      if (!(g.Row(r), g.RowHidden()) && ++shown) out += " " + head + ":" + cell;
    }
    return out;
  };
  EXPECT_EQ(page("", "=", 2, 50), "70 120 51 :R51 :R52 :R53 :R54");
  EXPECT_EQ(page("", "=", 3, 50), "100 120 101 :R101 :R102 :R103 :R104");
  // Rows whose column 2 holds "A": 40 of them; page 2 of 15 shows matches 16 to 30.
  EXPECT_EQ(page("A", "=", 2, 15, 2), "15 120 96 1:R48 2:R51 3:R54 4:R57");
  EXPECT_EQ(page("R95", ">=", 1, 4, 1), "4 120 116 1:R95 2:R96 3:R97 4:R98");
  EXPECT_EQ(page("", "=", 0, 50), "0 0 0");
}

// Names that would lead out of the sheet's folders are refused before anything is made.
TEST(UserFolders, HostileNamesNeverMakeAFileOutsideTheOwnedFolders) {
  const std::string abs = fs::temp_directory_path().string() + "/zelsheet_hostile_probe";
  const std::string hostile[] = {"../../evil", "..", "a/b", "a\\b", "C:evil", abs, "tab\tx", std::string("nul\0x", 5),
                                 std::string(300, 'u')};
  for (const std::string& name : hostile) {
    SCOPED_TRACE(name.substr(0, 20));
    for (int where = 0; where < 5; ++where) {
      const std::string in[] = {"~,PGM001~,~,INIT~,0~,~,S1~,kim", "~," + name + "~,~,INIT~,0~,~,S1~,kim",
                                "~,PGM001~,~,INIT~,0~,~," + name + "~,kim", "~,PGM001~,~,INIT~,0~,~,S1~," + name};
      Files f(in[where < 3 ? where + 1 : 0]);
      f.sheet.Display("a~,b~,~I~");
      f.sheet.SaveTitleInfo();
      if (where == 3) f.sheet.SetSheetToFile(true, name, "x.txt", false);
      if (where == 4) f.sheet.SetStringToFile(true, "grp", name, "data");
      // Nested group folders are allowed; every other name here is refused with a box.
      const bool nested = where == 3 && (name == "a/b" || name == "a\\b");
      EXPECT_EQ(f.platform.Boxes().size(), where >= 3 && !nested ? 1u : 0u) << where;
      EXPECT_FALSE(fs::exists(abs));
      EXPECT_TRUE(where < 3 || fs::exists(f.temp() + "/PGM001.S1title.sts"));  // in the user's own folder
      for (const auto& e : fs::recursive_directory_iterator(f.platform.TempRoot())) {
        const std::string p = e.path().string();
        EXPECT_TRUE(!e.is_regular_file() || p.rfind(f.temp() + "/", 0) == 0 ||
                    p.rfind(f.sheet.WindowDir() + "/Praxium.Net/", 0) == 0)
            << p;
      }
    }
  }
}

}  // namespace
}  // namespace zel::testing
