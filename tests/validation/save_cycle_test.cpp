// The save cycle of an entry screen: the pending rows answered row by row, the answer
// settled by each result member, and the next save after the user fixed the refused row.
#include <gtest/gtest.h>

#include <string>

#include "save_sheet.h"
#include "zelsheet/host_helpers.h"

namespace zel::testing {
namespace {

TEST(SaveCycleTest, AnswerSettleFixAndSaveAgainThroughEachMember) {
  for (const ResultsForm form : {ResultsForm::Sheet, ResultsForm::CheckSave}) {
    const bool sheetForm = form == ResultsForm::Sheet;
    SCOPED_TRACE(sheetForm ? "MessageCheckSaveSheet" : "MessageCheckSave");
    SaveSheet s;
    s.Show({"C1|I~미래|1|S1|S1", "C2|m2|2|S2|S2", "C3|3|3|S3|S3", "C4|4|40|S4|S4", "C5|새한|5"});
    s.Marks(".UXUA");
    const int32_t maxRows = s.sheet.MaxRows();
    ResultsWriter answer({"SEQ"});  // the server refuses C4 and gives the others a new key
    for (const std::string key : {"KC2", "KC3", "", "KC5"}) key.empty() ? answer.Failed("dup") : answer.Saved({key});
    const auto settle = [&](const ResultsWriter& a) {  // check column 0: a deletion leaves
      return sheetForm ? s.sheet.MessageCheckSaveSheet(a.Text(form), 2, kOldSeq, kSeq)
                       : s.sheet.MessageCheckSave(a.Text(form), 0, "Save");
    };
    s.grid().ChangeMade(true);
    EXPECT_FALSE(settle(answer));
    // MessageCheckSaveSheet writes the key into both columns, MessageCheckSave by name.
    EXPECT_EQ(s.Rows({kCode, kName, kQty, kSeq, kOldSeq}),
              std::string(".C1|I~미래|1|S1|S1 .C2|m2|2|KC2|") + (sheetForm ? "KC2" : "S2") +
                  " U!C4|4|40|S4|S4 .C5|새한|5|KC5|" + (sheetForm ? "KC5" : ""));
    EXPECT_EQ(s.sheet.MaxRows(), maxRows - 1);
    EXPECT_EQ(s.sheet.ErrorMsg(), sheetForm ? "4~, ◇ dup ◆ 자료를 확인하십시오.~,~I~" : "4~, dup~,ERR~,~I~");
    EXPECT_EQ(s.TakeBoxes(), std::string(sheetForm ? "[MessageCheckSaveSheet]" : "[MessageCheckSave]") +
                                 " i: 저장시 오류가 1개 발생하였습니다! 오류 내역을 확인하세요!");
    EXPECT_TRUE(s.grid().ChangeMade());  // only a clean answer clears it
    EXPECT_EQ(s.sheet.GetChangeCount(), 1);

    // The user fixes the row and saves again: the red row turns black, the list empties.
    s.sheet.CellText(kCode, 3, "C7");
    ResultsWriter clean({"SEQ"});
    clean.Saved({"K7"});
    EXPECT_TRUE(settle(clean));
    EXPECT_EQ(s.Rows({kSeq}) + s.sheet.ErrorMsg() + s.TakeBoxes(), ".S1 .KC2 .K7 .KC5");
    if (sheetForm) {
      EXPECT_FALSE(s.grid().ChangeMade());
    }
  }
}

}  // namespace
}  // namespace zel::testing
