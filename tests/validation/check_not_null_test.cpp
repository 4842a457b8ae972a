// fnCheckNotNull, and the message table as loaded with the sheet and used by the save members.
#include <gtest/gtest.h>

#include <string>

#include "save_sheet.h"

namespace zel::testing {
namespace {

constexpr const char* kRequired = "의 필수입력항목을 입력하지 않았습니다.";

TEST(CheckNotNullTest, WhichCellsCountAsMissing) {
  struct Case {
    const char* status;  // of row 2
    int32_t def;
    const char* value;
    const char* box;  // "" when the check passes
  } const cases[] = {
      {"U", kQty, "0", "'Qty' "},    {"U", kQty, "12", ""},       {"U", kName, "0", ""},
      {"A", kName, "   ", "'Name' "}, {"X", kName, "", "'Name' "}, {"", kName, "", ""},
      {"D", kName, "", ""},          {" U", kName, "", ""},       {"U", kSeq, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.status) + "/" + c.value + "/" + std::to_string(c.def));
    SaveSheet s;
    s.Show({"C1|n1|1", "C2|n2|2", "C3|n3|3"});
    s.Status(2, c.status);
    s.sheet.CellText(c.def, 2, c.value);
    EXPECT_EQ(s.sheet.fnCheckNotNull(), *c.box == '\0');
    EXPECT_EQ(s.TakeBoxes(), *c.box ? std::string("i: ") + c.box + kRequired : "");
    EXPECT_EQ(s.grid().ActiveCol() * 100 + s.grid().ActiveRow(), *c.box ? s.sheet.ColX(c.def) * 100 + 2 : 101);
  }
}

TEST(CheckNotNullTest, StopsAtTheFirstGapTopDownInDefinitionOrderUnderTheShownTitle) {
  SaveSheet s;
  EXPECT_TRUE(s.sheet.fnCheckNotNull());
  s.Show({});
  EXPECT_TRUE(s.sheet.fnCheckNotNull());  // spare "A" rows below the data are not checked
  s.Show({"C1|n1|0", "C2|n2|2", "C3||0"});
  s.Marks("U U");
  s.sheet.fnSetHeaderText(kName, "ABC");
  EXPECT_FALSE(s.sheet.fnCheckNotNull());
  EXPECT_EQ(s.grid().ActiveRow(), 1);
  s.sheet.CellText(kQty, 1, "7");
  EXPECT_FALSE(s.sheet.fnCheckNotNull());
  EXPECT_EQ(s.grid().ActiveRow(), 3);
  EXPECT_EQ(s.TakeBoxes(), std::string("i: 'Qty' ") + kRequired + "\ni: 'ABC' " + kRequired);
}

// The language's stored table (entries 1 and 2 the screen's own texts, then 26 captions)
// gives the save members their texts; language 0, a blank or a missing table the defaults.
TEST(MessageTableLoadingTest, TheLanguagesStoredTableOrTheDefaults) {
  std::string stored = "reset~I~errors: @1~I~ is required";
  for (int i = 3; i <= 28; ++i) stored += "~I~cap" + std::to_string(i);
  const char* const cases[][2] = {{"2", ""}, {"0", "never read"}, {"3", "   "}, {"4", nullptr}};
  for (const auto& [language, own] : cases) {
    SCOPED_TRACE(language);
    ScriptedPlatform platform;
    const std::string key = "SoftWare\\Quillbrooke\\Praxium.Net\\Message";
    platform.SetMachineValue(key, "SHEET_0", stored);
    if (own != nullptr) platform.SetMachineValue(key, std::string("SHEET_") + language, *own ? own : stored);
    ZelSheet sheet(platform);
    sheet.ReadProperties(SheetFixture::Bag({{"Info", "20240101~,P~,~,INIT~," + std::string(language) + "~,1~,S~,k"}}));
    sheet.AddItem("NAME", "Name", EnText, 0, 10, 0, "NON");
    sheet.Display("~,~I~x~,~I~");
    sheet.GetSheet().SetText(0, 1, "U");
    sheet.GetSheet().SetText(0, 2, "U");
    sheet.fnCheckNotNull();
    sheet.MessageCheckSaveSheet("H~,~,~I~NG~,a~,~I~NG~,b~,~I~");
    const bool own_table = *language == '2';
    EXPECT_EQ(platform.Boxes().at(0).text, own_table ? "'Name'  is required" : std::string("'Name' ") + kRequired);
    EXPECT_EQ(platform.Boxes().at(1).text, own_table ? "errors: 2" : "저장시 오류가 2개 발생하였습니다! 오류 내역을 확인하세요!");
  }
}

}  // namespace
}  // namespace zel::testing
