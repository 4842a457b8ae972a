// The whole save cycle of an entry screen: display, edit, check, collect, a server built on
// the host helpers that answers row by row, and the answer settled by each result member.
#include <gtest/gtest.h>

#include <string>

#include "save_sheet.h"
#include "zelsheet/host_helpers.h"

namespace zel::testing {
namespace {

TEST(SaveCycleTest, CheckCollectAnswerAndSettleThroughEachMember) {
  for (const ResultsForm form : {ResultsForm::Sheet, ResultsForm::CheckSave}) {
    const bool sheetForm = form == ResultsForm::Sheet;
    SCOPED_TRACE(sheetForm ? "MessageCheckSaveSheet" : "MessageCheckSave");
    SaveSheet s;
    DataStringWriter w;
    for (const std::string n : {"1", "2", "3", "4"}) {
      w.Field("C" + n).Field(n == "1" ? "I~미래" : n).Integer(n[0] - '0').Field("S" + n).Field("S" + n).EndRow();
    }
    s.sheet.Display(w.Text());
    const int32_t maxRows = s.sheet.MaxRows();
    const auto edit = [&](int32_t def, int32_t row, const char* value) {
      s.sheet.CellText(def, row, value);
      s.sheet.TrackCellChange(def, row, row);
    };
    edit(kName, 2, "m2");
    edit(kQty, 4, "40");
    s.Status(3, "X");
    edit(kCode, 5, "C5");  // the first spare row, its required name missing
    edit(kQty, 5, "5");
    EXPECT_EQ(s.sheet.GetChangeCount(), 4);
    EXPECT_EQ(GetRowStatus(s.sheet, 3), RowStatus::MarkedForDeletion);
    EXPECT_THROW(GetRowStatus(s.sheet, maxRows + 1), GridError);

    // The check stops on the missing name with the cursor on it, while the box is up (the
    // box took the focus and the cursor with it) and after.
    const auto cursor = [&] { return std::to_string(s.grid().ActiveCol() * 100 + s.grid().ActiveRow()); };
    std::string whileShown;
    s.platform.on_box = [&] { whileShown = cursor(); s.grid().SetActiveCell(1, 1); };
    EXPECT_FALSE(s.sheet.fnCheckNotNull());
    s.platform.on_box = nullptr;
    EXPECT_EQ(whileShown + " " + cursor(), "205 205");
    s.sheet.CellText(kName, 5, "새한");
    EXPECT_TRUE(s.sheet.fnCheckNotNull());
    s.TakeBoxes();

    // The server refuses C4 and gives the others a new key.
    std::string seen;
    ResultsWriter answer({"SEQ"});
    for (const SaveLine& line : ReadSaveParams(s.sheet.GetData()).lines) {
      seen += std::string(1, "-AUD"[static_cast<int>(line.tag)]) + line.values[0] + " ";
      if (line.values[0] == "C4") answer.Failed("dup");
      else answer.Saved({"K" + line.values[0]});
    }
    EXPECT_EQ(seen, "UC2 DC3 UC4 AC5 ");
    const auto settle = [&](const ResultsWriter& a) {  // check column 0: a deletion leaves
      return sheetForm ? s.sheet.MessageCheckSaveSheet(a.Text(form), 2, kOldSeq, kSeq)
                       : s.sheet.MessageCheckSave(a.Text(form), 0, "Save");
    };
    s.grid().ChangeMade(true);
    EXPECT_FALSE(settle(answer));
    // MessageCheckSaveSheet writes the key into both columns, MessageCheckSave by name.
    EXPECT_EQ(s.Marks() + "\n" + RenderSheet(s.sheet, {1, 4, 5}),
              std::string("..U!.\n.|C1|I~미래|1|S1|S1\n.|C2|m2|2|KC2|") + (sheetForm ? "KC2" : "S2") +
                  "\nU|C4|4|40|S4|S4\n.|C5|새한|5|KC5|" + (sheetForm ? "KC5" : ""));
    EXPECT_EQ(s.sheet.MaxRows(), maxRows - 1);
    const std::vector<ErrorListEntry> errors = ReadErrorList(s.sheet.ErrorMsg());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(std::to_string(errors[0].row) + errors[0].message + errors[0].code, sheetForm ? "4dup" : "4dupERR");
    EXPECT_EQ(s.TakeBoxes(), std::string(sheetForm ? "[MessageCheckSaveSheet]" : "[MessageCheckSave]") +
                                 " i: 저장시 오류가 1개 발생하였습니다! 오류 내역을 확인하세요!");
    EXPECT_TRUE(s.grid().ChangeMade());  // only a clean answer clears it
    EXPECT_EQ(s.sheet.GetChangeCount(), 1);

    // The user fixes the row and saves again: the red row turns black, the list empties.
    s.sheet.CellText(kCode, 3, "C7");
    ResultsWriter clean({"SEQ"});
    clean.Saved({"K7"});
    EXPECT_TRUE(settle(clean));
    EXPECT_EQ(s.Marks() + s.Column(kSeq) + s.sheet.ErrorMsg() + s.TakeBoxes(), "....S1,KC2,K7,KC5");
    if (sheetForm) {
      EXPECT_FALSE(s.grid().ChangeMade());
    }
  }
}

TEST(SaveCycleTest, CheckModeTakesTheTickedRowsAndClearsEveryUpdate) {
  SaveSheet s;
  s.Show({"C1|||||1", "C2|||||1", "C3", "C4", "C5|||||1", "C6"});
  s.Marks(".UXU.A");
  // The check column given as text: its leading number is used. Row 1 fails.
  EXPECT_FALSE(s.sheet.MessageCheckSave(
      "WorkingTag~,~,SEQ~,~I~NG~,no~,~,~I~OK~,~,T2~,~I~OK~,~,T5~,", "6 (Chk)", "save"));
  // Ticks removed and fields written back on the saved rows; every "U" walked cleared,
  // ticked or not; "A" and "X" left; the failed row keeps its tick and turns red.
  EXPECT_EQ(s.Marks() + s.Column(kSeq) + s.Column(kChk), ".!.X..A,T2,,,T5,1,0,0,0,0,0");
  EXPECT_EQ(s.sheet.ErrorMsg(), "1~, no~,NG~,~I~");
}

}  // namespace
}  // namespace zel::testing
