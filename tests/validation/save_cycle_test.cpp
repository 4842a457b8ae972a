// The whole save cycle of an entry screen: display, edit, check, collect, a server that
// answers row by row, and the answer applied through each of the three result members.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "save_sheet.h"
#include "text/strings.h"

namespace zel::testing {
namespace {

// The server side of the test: reads the save parameter text that GetData produced and
// answers one result row per data line, in order. A row whose code is `refusedCode` fails
// with "duplicate code"; the others are saved and get the serial "S" + code as their new
// key (field 2). `finalSeparator` decides whether the answer ends in "~I~" (the form
// MessageCheckSaveSheet expects) or not (MessageCheckSave's form).
std::string FakeServer(const std::string& params, const std::string& refusedCode,
                       bool finalSeparator, std::vector<std::string>* tagsSeen = nullptr) {
  const std::vector<std::string> lines = text::Split(params, "~I~");
  std::vector<std::string> rows;
  // lines[0] is the info line, lines[1] the header, the last piece is empty.
  for (size_t i = 2; i + 1 < lines.size(); ++i) {
    const std::vector<std::string> f = text::Split(lines[i], "~,");
    const std::string& tag = f.at(0);
    const std::string& code = f.at(1);
    if (tagsSeen != nullptr) tagsSeen->push_back(tag + ":" + code);
    if (code == refusedCode) {
      rows.push_back("ERR~,duplicate code~,~,");
    } else {
      rows.push_back("OK~,~,S" + code + "~,");
    }
  }
  std::string answer = "WorkingTag~,~,SEQ~,";
  for (const std::string& row : rows) answer += "~I~" + row;
  if (finalSeparator) answer += "~I~";
  return answer;
}

// Five rows shown; rows 2 and 4 edited, row 3 marked for deletion, a new row typed into
// the first spare row (6) with its required name still missing.
class SaveCycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s_.Show({"C1|Alpha|1|S01|S01", "C2|Beta|2|S02|S02", "C3|Gamma|3|S03|S03",
             "C4|Delta|4|S04|S04", "C5|Eps|5|S05|S05"});
    ASSERT_EQ(s_.sheet.DataRowCnt(), 5);
    ASSERT_EQ(s_.Status(6), "A");  // a spare row

    max_rows_ = s_.sheet.MaxRows();
    s_.sheet.CellText(kName, 2, "Beta2");
    s_.sheet.TrackCellChange(kName, 2, 2);
    s_.sheet.CellText(kQty, 4, "40");
    s_.sheet.TrackCellChange(kQty, 4, 4);
    s_.Status(3, "X");
    s_.sheet.CellText(kCode, 6, "C6");
    s_.sheet.CellText(kQty, 6, "6");
    s_.sheet.TrackCellChange(kQty, 6, 6);
    ASSERT_EQ(s_.sheet.GetChangeCount(), 4);
  }

  // The required-field check stops at the new row's empty name, with the cursor on it
  // while the box is up and after; filled, the check passes.
  void CheckRequiredFields() {
    int32_t boxCol = 0, boxRow = 0;
    s_.platform.on_box = [&](const std::string&) {
      boxCol = s_.grid().ActiveCol();
      boxRow = s_.grid().ActiveRow();
      s_.grid().SetActiveCell(1, 1);  // the box took the focus and the cursor with it
    };
    EXPECT_FALSE(s_.sheet.fnCheckNotNull());
    s_.platform.on_box = nullptr;
    ASSERT_EQ(s_.Boxes().size(), 1u);
    EXPECT_EQ(s_.Boxes()[0].text, "'Name' 의 필수입력항목을 입력하지 않았습니다.");
    EXPECT_EQ(s_.Boxes()[0].icon, vbInformation);
    EXPECT_EQ(s_.Boxes()[0].buttons, vbOKOnly);
    EXPECT_EQ(s_.Boxes()[0].title, "");
    EXPECT_EQ(boxCol, s_.sheet.ColX(kName));
    EXPECT_EQ(boxRow, 6);
    EXPECT_EQ(s_.grid().ActiveCol(), s_.sheet.ColX(kName));
    EXPECT_EQ(s_.grid().ActiveRow(), 6);

    s_.sheet.CellText(kName, 6, "Zeta");
    EXPECT_TRUE(s_.sheet.fnCheckNotNull());
    EXPECT_EQ(s_.Boxes().size(), 1u);
    s_.platform.ClearBoxes();
  }

  SaveSheet s_;
  int32_t max_rows_ = 0;
};

TEST_F(SaveCycleTest, MessageCheckSaveSheetWritesTheKeyBackIntoTwoColumns) {
  CheckRequiredFields();
  std::vector<std::string> tags;
  const std::string answer = FakeServer(s_.sheet.GetData(), "C4", true, &tags);
  EXPECT_EQ(tags, (std::vector<std::string>{"U:C2", "D:C3", "U:C4", "A:C6"}));

  s_.grid().ChangeMade(true);
  EXPECT_FALSE(s_.sheet.MessageCheckSaveSheet(answer, 2, kOldSeq, kSeq));

  EXPECT_EQ(s_.Rows(),
            ".|C1|Alpha|1|S01|S01|\n"
            ".|C2|Beta2|2|SC2|SC2|\n"
            "U|C4|Delta|40|S04|S04|\n"
            ".|C5|Eps|5|S05|S05|\n"
            ".|C6|Zeta|6|SC6|SC6|");
  EXPECT_EQ(s_.sheet.MaxRows(), max_rows_ - 1);
  EXPECT_EQ(s_.RowFore(3), 255);
  EXPECT_EQ(s_.RowFore(2), 0);
  EXPECT_EQ(s_.RowFore(5), 0);
  // The failed row is named by the row it stood in when it was settled.
  EXPECT_EQ(s_.sheet.ErrorMsg(), "4~, ◇ duplicate code ◆ 자료를 확인하십시오.~,~I~");
  EXPECT_EQ(s_.sheet.ErrorCount(), 1);
  ASSERT_EQ(s_.Boxes().size(), 1u);
  EXPECT_EQ(s_.Boxes()[0].text, kSummaryOne);
  EXPECT_EQ(s_.Boxes()[0].title, "[MessageCheckSaveSheet]");
  EXPECT_EQ(s_.Boxes()[0].icon, vbInformation);
  EXPECT_TRUE(s_.grid().ChangeMade());  // only a clean application clears it
  EXPECT_EQ(s_.sheet.GetChangeCount(), 1);

  // The user fixes the row and saves again: a clean answer clears ChangeMade.
  s_.sheet.CellText(kCode, 3, "C7");
  const std::string again = FakeServer(s_.sheet.GetData(), "", true);
  EXPECT_TRUE(s_.sheet.MessageCheckSaveSheet(again, 2, kOldSeq, kSeq));
  EXPECT_EQ(s_.Rows(), ".|C1|Alpha|1|S01|S01|\n"
                       ".|C2|Beta2|2|SC2|SC2|\n"
                       ".|C7|Delta|40|SC7|SC7|\n"
                       ".|C5|Eps|5|S05|S05|\n"
                       ".|C6|Zeta|6|SC6|SC6|");
  EXPECT_EQ(s_.RowFore(3), 0);
  EXPECT_EQ(s_.sheet.ErrorCount(), 0);
  EXPECT_EQ(s_.sheet.ErrorMsg(), "");
  EXPECT_FALSE(s_.grid().ChangeMade());
  EXPECT_EQ(s_.Boxes().size(), 1u);
  EXPECT_EQ(s_.sheet.GetChangeCount(), 0);
}

TEST_F(SaveCycleTest, MessageCheckSaveInSaveModeWritesFieldsBackByName) {
  CheckRequiredFields();
  const std::string answer = FakeServer(s_.sheet.GetData(), "C4", false);
  // Default check column 65535: the saved "X" row would stay and take the fields; with 0
  // it leaves the grid as the screens that delete rows ask.
  EXPECT_FALSE(s_.sheet.MessageCheckSave(answer, 0, "Save"));

  EXPECT_EQ(s_.Rows(),
            ".|C1|Alpha|1|S01|S01|\n"
            ".|C2|Beta2|2|SC2|S02|\n"
            "U|C4|Delta|40|S04|S04|\n"
            ".|C5|Eps|5|S05|S05|\n"
            ".|C6|Zeta|6|SC6||");
  EXPECT_EQ(s_.sheet.MaxRows(), max_rows_ - 1);
  EXPECT_EQ(s_.RowFore(3), 255);
  EXPECT_EQ(s_.sheet.ErrorMsg(), "4~, duplicate code~,ERR~,~I~");
  EXPECT_EQ(s_.sheet.ErrorCount(), 1);
  ASSERT_EQ(s_.Boxes().size(), 1u);
  EXPECT_EQ(s_.Boxes()[0].text, kSummaryOne);
  EXPECT_EQ(s_.Boxes()[0].title, "[MessageCheckSave]");
  EXPECT_EQ(s_.Boxes()[0].icon, vbInformation);
}

TEST_F(SaveCycleTest, MessageCheckSaveInCheckModeTakesTheTickedRows) {
  // Check mode: the user ticked rows 2 and 5; the server answers for those two.
  s_.sheet.CellText(kChk, 2, "1");
  s_.sheet.CellText(kChk, 5, "1");
  const std::string answer = "WorkingTag~,~,SEQ~,~I~OK~,~,T2~,~I~OK~,~,T5~,";
  EXPECT_TRUE(s_.sheet.MessageCheckSave(answer, kChk));

  // Ticks removed and fields written back on the taken rows; every "U" walked cleared,
  // ticked or not; "A" and "X" left as they were.
  EXPECT_EQ(s_.Rows(),
            ".|C1|Alpha|1|S01|S01|\n"
            ".|C2|Beta2|2|T2|S02|0\n"
            "X|C3|Gamma|3|S03|S03|\n"
            ".|C4|Delta|40|S04|S04|\n"
            ".|C5|Eps|5|T5|S05|0\n"
            "A|C6||6|||");
  EXPECT_EQ(s_.sheet.ErrorCount(), 0);
  EXPECT_EQ(s_.sheet.ErrorMsg(), "");
  EXPECT_TRUE(s_.Boxes().empty());
}

}  // namespace
}  // namespace zel::testing
