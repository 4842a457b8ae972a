// String parameters in (the two definition lists) and out (the item list, GetSheetInfo), and
// the texts that hand chosen rows on (button execute data, jump message, jump string).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "text/strings.h"

namespace zel {
namespace {

using testing::SheetFixture;

std::vector<std::string> Fields(const std::string& line) { return text::Split(line, "~,"); }

// A query definition line from its fourteen fields.
std::string QueryLine(const std::vector<std::string>& f) {
  std::string out;
  for (const std::string& v : f) out += v + "~,";
  return out + "~I~";
}

struct FiveColumns : SheetFixture {
  FiveColumns() { sheet.MaxCols(5); }
};

TEST(StringParams, QueryListDefinesTheColumns) {
  struct Case {
    const char* letter;
    int16_t type;
  };
  const Case cases[] = {{"F", EnFloat}, {"I", EnFloat}, {"K", EnCheck}, {"D", EnDate},
                        {"C", EnText},  {"P", EnImageButton}, {"O", EnImageButton},
                        {"M", EnMask},  {"T", EnTime},  {"Z", EnText},  {"f", EnText}};
  for (const Case& c : cases) {
    FiveColumns f;
    f.sheet.sbSetStringParam_Query(
        false, QueryLine({"AMT", "Amount", c.letter, "2", "12", "2", "KEY", "0", "###9", "3",
                          "4", "15", "255,255,192", "0,0,255"}));
    EXPECT_EQ(f.sheet.ColType(2), c.type) << c.letter;
  }
  FiveColumns f;
  f.sheet.sbSetStringParam_Query(
      false, QueryLine({"AMT", "Amount", "C", "2", "12", "2", "KEY", "0", "###9", "3", "4", "15",
                        "255,255,192", "0,0,255"}) +
                 QueryLine({"PIC", "Pic", "P", "3", "0", "0", "", "", "", "9", "9", "", "", ""}));
  std::string title, access, def, mask, name, other;
  int16_t type = 0, len = 0, dec = 0, rc = 0, wc = 0;
  int32_t row = 0;
  f.sheet.GetSheetInfo(title, type, 2, len, dec, access, def, mask, row, other, rc, wc, other,
                       other, other, name);
  EXPECT_EQ(title + "|" + name + "|" + access + "|" + def + "|" + mask, "Amount|AMT|KEY|0|###9");
  EXPECT_EQ(std::vector<int>({type, len, dec, rc, wc}), std::vector<int>({EnText, 12, 2, 3, 4}));
  EXPECT_EQ(f.sheet.ColWidth(2), 15);
  Grid& g = f.sheet.GetSheet();
  g.Col(2);
  g.Row(-1);
  EXPECT_EQ(g.BackColor(), Rgb(255, 255, 192));
  EXPECT_EQ(g.ForeColor(), Rgb(0, 0, 255));
  EXPECT_EQ(f.sheet.ButtonDrawMode(), 8);
  EXPECT_EQ(f.platform.Boxes().size(), 0u);
}

TEST(StringParams, ItemTableListWidensTheSheet) {
  FiveColumns f;
  std::string list;
  for (int k = 1; k <= 7; ++k) {
    std::vector<std::string> fields(40);
    fields[1] = "Title" + std::to_string(k);
    fields[3] = "F" + std::to_string(k);
    fields[7] = std::to_string(k);
    fields[18] = "10";
    fields[31] = k == 7 ? "2" : "1";
    fields[32] = k == 7 ? "NON" : "";
    fields[36] = "dflt";
    for (const std::string& v : fields) list += v + "~,";
    list += "~I~";
  }
  f.sheet.sbSetStringParam(false, list + "tail~,is~,not~,a~,line");
  EXPECT_EQ(f.sheet.MaxCols(), 7);
  EXPECT_EQ(f.sheet.FieldName(7), "F7");
  EXPECT_EQ(f.sheet.ColType(7), EnFloat);
  EXPECT_EQ(f.sheet.AccessKey(7), "NON");
}

TEST(StringParams, BadListsSkipTheirLinesAndShowNothing) {
  FiveColumns f;
  const std::string nul("N\0L", 3);
  f.sheet.sbSetStringParam_Query(
      false,
      QueryLine({"A", "far", "C", "100000", "1", "0", "", "", "", "9", "9", "", "", ""}) +
          QueryLine({"B", "len", "C", "1", "abc", "0", "", "", "", "9", "9", "", "", ""}) +
          QueryLine({"C", "short"}) +
          QueryLine({nul, "\xff\xfe", "C", "2", "1", "0", "", "", "", "9", "9", "x", "red", "1,2"}) +
          QueryLine({"D", "type", "C", "3", "1", "0", "", "", "", "9", "9", "", "", ""}));
  EXPECT_EQ(f.sheet.FieldName(1), "");   // a length that is no number: skipped
  EXPECT_EQ(f.sheet.FieldName(2), nul);  // bad colours and width skip only themselves
  EXPECT_EQ(f.sheet.FieldName(3), "D");
  EXPECT_EQ(f.platform.Boxes().size(), 0u);
  // A cell type that does not exist is kept as declared and formats nothing.
  std::vector<std::string> fields(40);
  fields[3] = "X";
  fields[7] = "4";
  fields[31] = "99";
  std::string line;
  for (const std::string& v : fields) line += v + "~,";
  f.sheet.sbSetStringParam(false, line + "~I~");
  EXPECT_EQ(f.sheet.ColType(4), 99);
  EXPECT_EQ(f.sheet.MaxCols(), 5);
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
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[3], "");
  const std::vector<std::string> one = Fields(lines[0]);
  ASSERT_EQ(one.size(), 50u);  // 49 fields and the empty piece after the last "~,"
  EXPECT_EQ(lines[0],
            "SCTPgmCntlItemWeb~,A~,PGM01~,PGM01~,1~,1~,~,Code~,~,~,~,CODE~,7~,0~,0~,1~,~,"
            "0~,0~,0~,0~,0~," + one[22] + "~," + one[23] + "~,0~,0~,0~,0~,0~,"
            "-1~,0~,0~,0~,0~,0~,0~,6~,4~,~,0~,KEY~,~,~,~,0~,0~,~,~,~,");
  EXPECT_EQ(Fields(lines[1])[4], "2");
  EXPECT_EQ(Fields(lines[1])[16], "0");  // the default
  const std::vector<std::string> tel = Fields(lines[2]);
  EXPECT_EQ(text::Trim(tel[29] + tel[30] + tel[31] + tel[32] + tel[33] + tel[34] + tel[35]),
            "00-10-1-1-1");  // KEY NON QRY DIC DIS HID EDT
  EXPECT_EQ(tel[42], "999-9999");
  // The buffer is the host's too, and starts again with each item list.
  f.sheet.AddString("x");
  f.sheet.AddStringNewList();
  EXPECT_EQ(f.sheet.GetItemsToString(7), items);
}

// ---- Chosen rows handed on ------------------------------------------------------------------

struct JumpSheet : SheetFixture {
  JumpSheet() {
    sheet.MaxCols(3);
    sheet.AddItem("CHK", "", EnCheck);
    sheet.AddItem("CITY", "City", EnCombo, 0, 2);
    sheet.AddItem("KEY", "Key", EnText);
    sheet.InitCombo("Seoul~,01\tBusan~,02\t", 0, true, 2, -1, true);
    sheet.Display("1~,01~,K1_/K2~,~I~0~,02~,K3~,~I~1~,02~,<K4>~,~I~");
    sheet.GetSheet().SetText(0, 1, "U");
  }
};

TEST(JumpStrings, ButtonExecuteData) {
  JumpSheet f;
  EXPECT_EQ(f.sheet.GetButtonExecuteData(1, "M~,"), "U~,M~,K1~,K2~I~~,M~,~I.!K4>");
  EXPECT_EQ(f.sheet.GetButtonExecuteData(0, "M<"), "M<");
  f.sheet.CellText(1, 1, "0");
  f.sheet.CellText(1, 3, "0");
  EXPECT_EQ(f.sheet.GetButtonExecuteData(1, "M"), "");
}

TEST(JumpStrings, JumpMessageAndJumpString) {
  JumpSheet f;
  const std::string names = "CHK~@~CITY_Text~@~CITY~@~KEY~@~~!~";
  EXPECT_EQ(f.sheet.GetJumpMsg(1),
            names + "1~@~Seoul~@~01~@~K1_/K2~!~1~@~Busan~@~02~@~<K4>~!~");
  EXPECT_EQ(text::Split(f.sheet.GetJumpMsg(), "~!~").size(), 5u);  // names, 3 rows, ""
  EXPECT_EQ(f.sheet.GetJumpString(1), "CHK~@1~!CITY~@01~!KEY~@K1_/K2~!CHK~@1~!CITY~@02~!KEY~@<K4>~!");
  f.sheet.ActiveCell(3, 2);
  EXPECT_EQ(f.sheet.GetJumpString(), "CHK~@0~!CITY~@02~!KEY~@K3~!");
  EXPECT_EQ(text::Split(f.sheet.GetJumpString(0, true), "~!").size(), 10u);
}

}  // namespace
}  // namespace zel
