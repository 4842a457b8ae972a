// String parameters in (the two definition lists) and out (the item list, GetSheetInfo), and
// the texts that hand chosen rows on (button execute data, jump message, jump string).
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "text/strings.h"

namespace zel {
namespace {

using testing::SheetFixture;

std::vector<std::string> Fields(const std::string& line) { return text::Split(line, "~,"); }

// A definition line of the given fields; a map gives the item table's fields by position.
std::string Line(const std::vector<std::string>& fields) {
  std::string out;
  for (const std::string& v : fields) out += v + "~,";
  return out + "~I~";
}
std::string ItemLine(const std::map<size_t, std::string>& at) {
  std::vector<std::string> fields(40);
  for (const auto& [k, v] : at) fields[k] = v;
  return Line(fields);
}

// GetSheetInfo of a column: "title|field name|access|default|mask|type length decimals read
// write".
std::string Info(ZelSheet& sheet, int32_t col) {
  std::string title, access, def, mask, name, other;
  int16_t type = 0, len = 0, dec = 0, rc = 0, wc = 0;
  int32_t row = 0;
  sheet.GetSheetInfo(title, type, col, len, dec, access, def, mask, row, other, rc, wc, other, other, other, name);
  std::string out = title + "|" + name + "|" + access + "|" + def + "|" + mask + "|";
  for (const int16_t n : {type, len, dec, rc, wc}) out += std::to_string(n) + " ";
  return out;
}

struct FiveColumns : SheetFixture {
  FiveColumns() { sheet.MaxCols(5); }
};

TEST(StringParams, QueryListDefinesTheColumns) {
  const std::vector<std::pair<const char*, int16_t>> letters = {
      {"F", EnFloat}, {"I", EnFloat}, {"K", EnCheck}, {"D", EnDate}, {"C", EnText}, {"P", EnImageButton},
      {"O", EnImageButton}, {"M", EnMask}, {"T", EnTime}, {"Z", EnText}, {"f", EnText}};
  for (const auto& [letter, type] : letters) {
    FiveColumns f;
    f.sheet.sbSetStringParam_Query(false, Line({"AMT", "Amount", letter, "2", "12", "2", "KEY", "0", "###9", "3", "4"}));
    EXPECT_EQ(f.sheet.ColType(2), type) << letter;
  }
  FiveColumns f;
  f.sheet.sbSetStringParam_Query(
      false, Line({"AMT", "Amount", "C", "2", "12", "2", "KEY", "0", "###9", "3", "4", "15", "255,255,192", "0,0,255"}) +
                 Line({"PIC", "Pic", "P", "3", "0", "0", "", "", "", "9", "9", "", "", ""}));
  EXPECT_EQ(Info(f.sheet, 2), "Amount|AMT|KEY|0|###9|1 12 2 3 4 ");
  EXPECT_EQ(f.sheet.ColWidth(2), 15);
  Grid& g = f.sheet.GetSheet();
  g.Col(2);
  g.Row(-1);
  EXPECT_EQ(std::vector<Color>({g.BackColor(), g.ForeColor()}), std::vector<Color>({Rgb(255, 255, 192), Rgb(0, 0, 255)}));
  EXPECT_EQ(f.sheet.ButtonDrawMode(), 8);
}

TEST(StringParams, ItemTableListWidensTheSheet) {
  FiveColumns f;
  std::string list;
  for (int k = 1; k <= 7; ++k) {
    const std::string n = std::to_string(k);
    list += ItemLine({{1, "Title" + n}, {3, "F" + n}, {7, n}, {18, "10"}, {31, k == 7 ? "2" : "1"},
                      {32, k == 7 ? "NON" : ""}, {36, "dflt"}});
  }
  f.sheet.sbSetStringParam(false, list + "tail~,is~,not~,a~,line");
  EXPECT_EQ(f.sheet.MaxCols(), 7);
  EXPECT_EQ(f.sheet.FieldName(7) + "|" + f.sheet.AccessKey(7) + "|" + std::to_string(f.sheet.ColType(7)), "F7|NON|2");
}

// The stored list defines the columns while the sheet loads; on a multi-row screen (the stored
// IsMulti) the screen's own declarations then keep the stored titles and access codes.
TEST(StringParams, StoredListAppliedAsTheSheetLoads) {
  const std::string list = ItemLine({{1, "Stored"}, {3, "S1"}, {7, "1"}, {31, "1"}, {32, "KEY"}});
  for (const bool multi : {false, true}) {
    SheetFixture f(SheetFixture::Bag({{"StringParam", list}, {"IsMulti", multi ? "True" : "False"}}));
    if (multi) {
      f.sheet.ColHeaderRows(2);
      f.sheet.AddCellSpan_Start(1);
      f.sheet.AddItem_Multi(1, 0, 1, 1, 0, "SCREEN", "Screen", EnText, "", 10, 0);
    }
    EXPECT_EQ(Info(f.sheet, 1) + "|" + f.Text(1, multi ? -1000 : 0), "Stored|S1|KEY|||1 0 0 0 0 |Stored") << multi;
  }
}

TEST(StringParams, BadListsSkipTheirLines) {
  FiveColumns f;
  const std::string nul("N\0L", 3);
  f.sheet.sbSetStringParam_Query(
      false, Line({"A", "far", "C", "100000", "1", "0", "", "", "", "9", "9"}) +
                 Line({"B", "len", "C", "1", "abc", "0", "", "", "", "9", "9"}) + Line({"C", "short"}) +
                 Line({nul, "\xff\xfe", "C", "2", "1", "0", "", "", "", "9", "9", "x", "red", "1,2"}) +
                 Line({"D", "type", "C", "3", "1", "0", "", "", "", "9", "9"}));
  // A length that is no number skips its line; bad colours and width skip only themselves.
  EXPECT_EQ(f.sheet.FieldName(1) + "|" + f.sheet.FieldName(2) + "|" + f.sheet.FieldName(3), "|" + nul + "|D");
  EXPECT_EQ(f.platform.Boxes().size(), 0u);
  // A write the grid refuses inside SetItem shows SetItem's own box; the list goes on.
  f.sheet.sbSetStringParam_Query(false, Line({"E", "e", "F", "4", "12", "20"}) + Line({"G", "g", "C", "5"}));
  ASSERT_EQ(f.platform.Boxes().size(), 1u);
  EXPECT_EQ(f.platform.Boxes()[0].title + f.sheet.FieldName(5), "[AddItem]G");
  // A cell type that does not exist is kept as declared and formats nothing.
  f.sheet.sbSetStringParam(false, ItemLine({{3, "X"}, {7, "4"}, {31, "99"}}));
  EXPECT_EQ(f.sheet.ColType(4), 99);
  EXPECT_EQ(f.sheet.MaxCols(), 5);
}

// Assigning a stored property tells the platform; loading the properties does not.
TEST(StringParams, AssignedStoredPropertiesAreReported) {
  SheetFixture f;
  f.sheet.ReadProperties(SheetFixture::Bag({{"PgmID", "P0"}, {"SheetID", "S0"}}));
  f.sheet.PgmID("P");
  f.sheet.StringParam("x");
  f.sheet.IsPostBack(true);
  f.sheet.SheetID("S");
  EXPECT_EQ(f.platform.ChangedProperties(), (std::vector<std::string>{"PgmID", "IsPostBack", "SheetID"}));
}

TEST(StringParams, ItemListDescribesEveryColumn) {
  SheetFixture f;
  f.sheet.PgmID("PGM01");
  f.sheet.MaxCols(3);
  f.sheet.AddItem("CODE", " Code ", EnText, 0, 10, 0, "KEY");
  f.sheet.AddItem("AMT", "Amount", EnFloat, 0, 12, 2, "NON;DIC", "0");
  f.sheet.AddItem("TEL", "Tel", EnMask, 0, 0, 0, "QRY;DIS;HID;EDT", "", "000-0000");
  const std::string items = f.sheet.GetItemsToString(7);
  const std::vector<std::string> lines = text::Split(items, "~I~");
  ASSERT_EQ(lines.size(), 4u);  // three lines and the empty piece after the last
  const std::vector<std::string> one = Fields(lines[0]);
  ASSERT_EQ(one.size(), 50u);  // 49 fields and the empty piece after the last "~,"
  EXPECT_EQ(lines[0],
            "SCTPgmCntlItemWeb~,A~,PGM01~,PGM01~,1~,1~,~,Code~,~,~,~,CODE~,7~,0~,0~,1~,~,"
            "0~,0~,0~,0~,0~," + one[22] + "~," + one[23] + "~,0~,0~,0~,0~,0~,"
            "-1~,0~,0~,0~,0~,0~,0~,6~,4~,~,0~,KEY~,~,~,~,0~,0~,~,~,~,");
  EXPECT_EQ(Fields(lines[1])[4] + "|" + Fields(lines[1])[16], "2|0");  // item number, default
  const std::vector<std::string> tel = Fields(lines[2]);
  EXPECT_EQ(tel[29] + tel[30] + tel[31] + tel[32] + tel[33] + tel[34] + tel[35] + "|" + tel[42],
            "00-10-1-1-1|999-9999");  // KEY NON QRY DIC DIS HID EDT, the mask
  // The buffer is the host's too, and starts again with each item list.
  f.sheet.AddString("x");
  f.sheet.AddStringNewList();
  EXPECT_EQ(f.sheet.GetItemsToString(7), items);
}

// ---- Chosen rows handed on ------------------------------------------------------------------

TEST(JumpStrings, ButtonExecuteDataJumpMessageAndJumpString) {
  SheetFixture f;
  f.sheet.MaxCols(3);
  f.sheet.AddItem("CHK", "", EnCheck);
  f.sheet.AddItem("CITY", "City", EnCombo, 0, 2);
  f.sheet.AddItem("KEY", "Key", EnText);
  f.sheet.InitCombo("Seoul~,01\tBusan~,02\t", 0, true, 2, -1, true);
  f.sheet.Display("1~,01~,K1_/K2~,~I~0~,02~,K3~,~I~1~,02~,<K4>~,~I~");
  f.sheet.GetSheet().SetText(0, 1, "U");
  EXPECT_EQ(f.sheet.GetButtonExecuteData(1, "M~,"), "U~,M~,K1~,K2~I~~,M~,~I.!K4>");
  EXPECT_EQ(f.sheet.GetButtonExecuteData(0, "M<"), "M<");
  const std::string names = "CHK~@~CITY_Text~@~CITY~@~KEY~@~~!~";
  EXPECT_EQ(f.sheet.GetJumpMsg(1), names + "1~@~Seoul~@~01~@~K1_/K2~!~1~@~Busan~@~02~@~<K4>~!~");
  EXPECT_EQ(text::Split(f.sheet.GetJumpMsg(), "~!~").size(), 5u);  // names, 3 rows, ""
  EXPECT_EQ(f.sheet.GetJumpString(1), "CHK~@1~!CITY~@01~!KEY~@K1_/K2~!CHK~@1~!CITY~@02~!KEY~@<K4>~!");
  f.sheet.ActiveCell(3, 2);
  EXPECT_EQ(f.sheet.GetJumpString(), "CHK~@0~!CITY~@02~!KEY~@K3~!");
  EXPECT_EQ(text::Split(f.sheet.GetJumpString(0, true), "~!").size(), 10u);
  // No row ticked: nothing to hand on.
  f.sheet.CellText(1, 1, "0");
  f.sheet.CellText(1, 3, "0");
  EXPECT_EQ(f.sheet.GetButtonExecuteData(1, "M") + f.sheet.GetJumpString(1), "");
}

}  // namespace
}  // namespace zel
