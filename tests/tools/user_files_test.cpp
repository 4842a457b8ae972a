// The user's folders and data files: where they lie, what they hold, and that no name a
// screen or a user brings can put a file outside the folders the sheet owns.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

namespace fs = std::filesystem;
using testing::RenderSheet;
using testing::ScriptedPlatform;
using testing::SheetFixture;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A sheet of user "kim" with per-user folders under <temp>/a/b/home and two text columns.
struct Files : SheetFixture {
  Files() {
    platform.SetClientValue("Praxium.Net", "UserDirType", "1");
    platform.SetClientValue("Praxium.Net", "HomeDir", home() + "/");
    sheet.UserID("kim");
    sheet.MaxCols(2);
    sheet.AddItem("C", "Code");
    sheet.AddItem("N", "Name");
  }
  std::string home() const { return platform.TempRoot() + "/a/b/home"; }
  std::string temp() const { return home() + "/Data/kim/TempFile"; }
  void Show(const std::string& data) { sheet.Display(data); }
};

TEST(UserFolders, LayoutFileLiesInTheUsersFolderOrTheSharedOne) {
  Files f;
  f.sheet.SaveTitleInfo();
  EXPECT_TRUE(fs::is_directory(f.home() + "/Data"));
  // The Info of the fixture is empty: PgmID "" and SheetID "ZelSheet".
  EXPECT_TRUE(fs::exists(f.temp() + "/.ZelSheettitle.sts"));

  SheetFixture shared(SheetFixture::Bag({{"Info", "~,PGM001~,~,INIT~,0~,~,S1~,kim"}}));
  shared.sheet.SaveTitleInfo();
  EXPECT_TRUE(fs::exists(shared.sheet.WindowDir() + "/Praxium.Net/PGM001.S1title.sts"));
}

TEST(DataFiles, SheetToFileAndBack) {
  Files f;
  f.Show("C01~,가나~,~I~C02~,Beta~,~I~");
  f.sheet.SetSheetToFile(true, "grp", "rows.txt", false);
  const std::string path = f.temp() + "/grp/rows.txt";
  // Written in the ANSI code page: "가나" is 4 bytes, then CR LF.
  EXPECT_EQ(ReadBytes(path), "C01~,\xB0\xA1\xB3\xAA~,~I~C02~,Beta~,~I~\r\n");
  f.sheet.SetSheetToFile(true, "grp", "rows.txt", true);
  EXPECT_EQ(f.sheet.SetFileToString(true, "grp", "rows.txt", -1, -1),
            "C01~,가나~,~I~C02~,Beta~,~I~C01~,가나~,~I~C02~,Beta~,~I~\r\n");
  EXPECT_EQ(f.sheet.SetFileToString(true, "grp", "rows.txt", 2, 1), "가나");
  EXPECT_EQ(f.sheet.SetFileToString(true, "grp", "rows.txt"), "");

  f.sheet.MaxRows(0);
  EXPECT_EQ(f.sheet.SetFileToSheet(true, "grp", "rows.txt"), 0);
  EXPECT_EQ(RenderSheet(f.sheet), ".|C01|가나\n.|C02|Beta\n.|C01|가나\n.|C02|Beta");
  f.sheet.SetSheetToFile(true, "grp", "rows.txt", false);  // an empty sheet deletes the file
  f.sheet.MaxRows(0);
  f.sheet.SetSheetToFile(true, "grp", "rows.txt", false);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(f.sheet.SetFileToSheet(true, "grp", "rows.txt"), -1);
  EXPECT_EQ(f.sheet.SetFileToString(true, "grp", "rows.txt", -1, -1), "");
  EXPECT_TRUE(f.sheet.fnDeleteFile(true, "grp", "rows.txt"));
  EXPECT_TRUE(f.platform.Boxes().empty());
}

TEST(DataFiles, PagesAndSearch) {
  Files f;
  std::string data;
  for (int r = 1; r <= 120; ++r) data += "R" + std::to_string(r) + (r % 3 == 0 ? "~,xAx~,~I~" : "~,b~,~I~");
  f.sheet.SetStringToFile(true, "", "big.txt", data);

  const auto shown = [&] {
    std::string out;
    Grid& g = f.sheet.GetSheet();
    for (int32_t r = 1; r <= g.MaxRows(); ++r) {
      g.Row(r);
      if (g.RowHidden()) continue;
      std::string head, cell;
      g.GetText(0, r, head);
      g.GetText(1, r, cell);
      out += head + ":" + cell + " ";
    }
    return out;
  };
  EXPECT_EQ(f.sheet.SetFileToSheet(true, "", "big.txt", "", "=", 2, 50), 70);
  EXPECT_EQ(f.sheet.MaxRows(), 120);
  EXPECT_EQ(f.sheet.getUnHiddenRow(), 51);
  EXPECT_EQ(f.sheet.SetFileToSheet(true, "", "big.txt", "", "=", 3, 50), 100);
  EXPECT_EQ(f.sheet.getUnHiddenRow(), 101);

  // Rows whose column 2 holds "A": 40 of them; page 2 of 15 shows matches 16 to 30.
  EXPECT_EQ(f.sheet.SetFileToSheet(true, "", "big.txt", "A", "=", 2, 15, 2), 15);
  EXPECT_EQ(shown().substr(0, 24), "1:R48 2:R51 3:R54 4:R57 ");
  EXPECT_EQ(f.sheet.SetFileToSheet(true, "", "big.txt", "R95", ">=", 1, 4, 1), 4);
  EXPECT_EQ(shown(), "1:R95 2:R96 3:R97 4:R98 ");

  EXPECT_EQ(f.sheet.SetFileToSheet(true, "", "big.txt", "", "=", 0, 50), 0);
  EXPECT_EQ(f.sheet.MaxRows(), 0);
}

// Names that would lead out of the sheet's folders are refused before anything is made.
TEST(UserFolders, HostileNamesNeverMakeAFileOutsideTheOwnedFolders) {
  const std::string abs = fs::temp_directory_path().string() + "/zelsheet_hostile_probe";
  const std::string hostile[] = {"../../evil", "..",      "a/b",  "a\\b", "C:evil",
                                 abs,          "tab\tx", std::string("nul\0x", 5),
                                 std::string(300, 'u')};
  for (const std::string& name : hostile) {
    SCOPED_TRACE(name.substr(0, 20));
    for (int where = 0; where < 5; ++where) {
      std::string info = "~,PGM001~,~,INIT~,0~,~,S1~,kim";
      if (where == 0) info = "~," + name + "~,~,INIT~,0~,~,S1~,kim";
      if (where == 1) info = "~,PGM001~,~,INIT~,0~,~," + name + "~,kim";
      if (where == 2) info = "~,PGM001~,~,INIT~,0~,~,S1~," + name;
      Files f;
      f.sheet.Info(info);
      f.sheet.ReadProperties(SheetFixture::Bag({{"Info", info}}));
      f.Show("a~,b~,~I~");
      f.sheet.SaveTitleInfo();
      if (where == 3) f.sheet.SetSheetToFile(true, name, "x.txt", false);
      if (where == 4) f.sheet.SetStringToFile(true, "grp", name, "data");
      // Nested group folders are allowed; every other name here is refused with a box.
      const bool nested = where == 3 && (name == "a/b" || name == "a\\b");
      if (where >= 3 && !nested) {
        EXPECT_EQ(f.platform.Boxes().size(), 1u);
      }
      EXPECT_FALSE(fs::exists(abs));
      for (const auto& e : fs::recursive_directory_iterator(f.platform.TempRoot())) {
        if (!e.is_regular_file()) continue;
        const std::string p = e.path().string();
        EXPECT_TRUE(p.rfind(f.temp() + "/", 0) == 0 || p.rfind(f.sheet.WindowDir() + "/Praxium.Net/", 0) == 0)
            << p;
      }
    }
  }
}

}  // namespace
}  // namespace zel
