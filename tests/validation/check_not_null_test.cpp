// fnCheckNotNull, and the message table as loaded with the sheet and used by the save members.
#include <gtest/gtest.h>

#include <string>

#include "save_sheet.h"
#include "support/sheet_probe.h"

namespace zel::testing {
namespace {

constexpr const char* kRequired = "의 필수입력항목을 입력하지 않았습니다.";

class CheckNotNullTest : public ::testing::Test {
 protected:
  void SetUp() override { s_.Show({"C1|n1|1", "C2|n2|2", "C3|n3|3"}); }
  SaveSheet s_;
};

TEST_F(CheckNotNullTest, WhichCellsCountAsMissing) {
  struct Case {
    const char* name;
    const char* status;  // of row 2
    int32_t def;
    const char* value;
    bool passes;
    const char* title;   // of the box when it does not pass
  };
  const Case cases[] = {
      {"float zero", "U", kQty, "0", false, "Qty"},
      {"float value", "U", kQty, "12", true, ""},
      {"text zero", "U", kName, "0", true, ""},
      {"text blanks", "A", kName, "   ", false, "Name"},
      {"marked for deletion", "X", kName, "", false, "Name"},
      {"unchanged row", "", kName, "", true, ""},
      {"status D is not pending", "D", kName, "", true, ""},
      {"status with a blank", " U", kName, "", true, ""},
      {"optional column", "U", kSeq, "", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s_.Show({"C1|n1|1", "C2|n2|2", "C3|n3|3"});
    s_.Status(2, c.status);
    s_.sheet.CellText(c.def, 2, c.value);
    s_.platform.ClearBoxes();
    EXPECT_EQ(s_.sheet.fnCheckNotNull(), c.passes);
    if (c.passes) {
      EXPECT_TRUE(s_.Boxes().empty());
      continue;
    }
    ASSERT_EQ(s_.Boxes().size(), 1u);
    EXPECT_EQ(s_.Boxes()[0].text, "'" + std::string(c.title) + "' " + kRequired);
    EXPECT_EQ(s_.grid().ActiveCol(), s_.sheet.ColX(c.def));
    EXPECT_EQ(s_.grid().ActiveRow(), 2);
  }
}

TEST_F(CheckNotNullTest, StopsAtTheFirstGapTopDownInDefinitionOrder) {
  s_.Status(1, "U");
  s_.Status(3, "U");
  s_.sheet.CellText(kQty, 1, "0");
  s_.sheet.CellText(kName, 3, "");
  s_.sheet.CellText(kQty, 3, "0");
  EXPECT_FALSE(s_.sheet.fnCheckNotNull());
  ASSERT_EQ(s_.Boxes().size(), 1u);
  EXPECT_EQ(s_.Boxes()[0].text, std::string("'Qty' ") + kRequired);
  EXPECT_EQ(s_.grid().ActiveRow(), 1);

  s_.sheet.CellText(kQty, 1, "7");
  s_.platform.ClearBoxes();
  EXPECT_FALSE(s_.sheet.fnCheckNotNull());
  EXPECT_EQ(s_.Boxes()[0].text, std::string("'Name' ") + kRequired);
  EXPECT_EQ(s_.grid().ActiveRow(), 3);
}

TEST_F(CheckNotNullTest, TitleIsTheHeaderAsShownAndTheCursorFollowsAMovedColumn) {
  s_.sheet.fnSetHeaderText(kName, "ABC");
  // The user swapped Name (grid column 2) and Seq (grid column 4).
  auto& map = SheetProbe::Columns(s_.sheet).display_map;
  std::swap(map[kName - 1], map[kSeq - 1]);
  Grid& g = s_.grid();
  for (int32_t r = 0; r <= 3; ++r) {
    std::string a, b;
    g.GetText(kName, r, a);
    g.GetText(kSeq, r, b);
    g.SetText(kName, r, b);
    g.SetText(kSeq, r, a);
  }
  s_.Status(2, "U");
  s_.sheet.CellText(kName, 2, "");
  EXPECT_FALSE(s_.sheet.fnCheckNotNull());
  ASSERT_EQ(s_.Boxes().size(), 1u);
  EXPECT_EQ(s_.Boxes()[0].text, std::string("'ABC' ") + kRequired);
  EXPECT_EQ(g.ActiveCol(), s_.sheet.ColX(kName));
  EXPECT_EQ(g.ActiveRow(), 2);
}

TEST(CheckNotNullEmptySheetTest, NothingPendingPasses) {
  SaveSheet s;
  EXPECT_TRUE(s.sheet.fnCheckNotNull());
  s.Show({});
  EXPECT_TRUE(s.sheet.fnCheckNotNull());  // spare "A" rows below the data are not checked
  EXPECT_TRUE(s.Boxes().empty());
}

// ---- Message table ---------------------------------------------------------------------

constexpr const char* kMessageKey = "SoftWare\\Quillbrooke\\Praxium.Net\\Message";

PropertyBag InfoWithLanguage(const std::string& language) {
  return SheetFixture::Bag({{"Info", "20240101~,PGM001~,~,INIT~," + language + "~,11111111~,S1~,kim"}});
}

// A stored table: entry 1 and 2 are the screen's own texts, 3 to 28 captions "cap3".."cap28".
std::string StoredTable() {
  std::string text = "reset~I~errors: @1~I~ is required";
  for (int i = 3; i <= 28; ++i) text += "~I~cap" + std::to_string(i);
  return text;
}

TEST(MessageTableLoadingTest, StoredTableOfTheLanguageSetsCaptionsAndTexts) {
  ScriptedPlatform platform;
  platform.SetMachineValue(kMessageKey, "SHEET_2", StoredTable());
  ZelSheet sheet(platform);
  sheet.ReadProperties(InfoWithLanguage("2"));

  // The save members speak the table's texts (how captions are taken: message_table_test).
  int32_t n = 0;
  sheet.AddItem("NAME", "Name", EnText, n, 10, 0, "NON");
  sheet.Display("~,~I~x~,~I~");
  sheet.GetSheet().SetText(0, 1, "U");
  sheet.GetSheet().SetText(0, 2, "U");
  EXPECT_FALSE(sheet.fnCheckNotNull());
  EXPECT_EQ(platform.Boxes().back().text, "'Name'  is required");
  EXPECT_FALSE(sheet.MessageCheckSaveSheet("H~,~,~I~NG~,a~,~I~NG~,b~,~I~"));
  EXPECT_EQ(platform.Boxes().back().text, "errors: 2");
}

TEST(MessageTableLoadingTest, LanguageZeroOrBlankValueGivesTheDefaults) {
  struct Case {
    const char* language;
    const char* stored;  // under SHEET_<language>
  };
  const Case cases[] = {{"0", "never read"}, {"3", "   "}, {"4", nullptr}, {"", nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    ScriptedPlatform platform;
    if (c.stored != nullptr) {
      platform.SetMachineValue(kMessageKey, std::string("SHEET_") + c.language, c.stored);
    }
    platform.SetMachineValue(kMessageKey, "SHEET_0", StoredTable());
    ZelSheet sheet(platform);
    sheet.ReadProperties(InfoWithLanguage(c.language));
    sheet.AddItem("NAME", "Name", EnText, 0, 10, 0, "NON");
    sheet.Display("~,~I~x~,~I~");  // row 1 without its required name
    sheet.GetSheet().SetText(0, 1, "U");
    EXPECT_FALSE(sheet.fnCheckNotNull());
    EXPECT_EQ(platform.Boxes().back().text, std::string("'Name' ") + kRequired);
  }
}

}  // namespace
}  // namespace zel::testing
