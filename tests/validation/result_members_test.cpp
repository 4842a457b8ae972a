// MessageCheckSave and MessageCheckSaveSheet: how result rows pair with pending rows, what
// saved, deleted and failed rows become, answers that do not fit the sheet, and the
// multi-row layout with its record numbers.
#include <gtest/gtest.h>

#include <string>

#include "save_sheet.h"

namespace zel::testing {
namespace {

const std::string kBad = " ◆ 자료를 확인하십시오.~,~I~";

// Rows a to e (a, b and e ticked) with the statuses `marks`; 'B' and 'T' are MessageCheckSave
// in save mode walking bottom-up and top-down with check column `key`, 'C' the same in check
// mode, 'S' MessageCheckSaveSheet taking result field `key` into SEQ. Each answer settles the
// rows it can; a fault ends the walk in a critical box, and the summary of the failed rows
// counted so far follows. Rows are shown as code|SEQ|tick.
TEST(ResultMembersTest, EachAnswerSettlesTheRowsItCan) {
  const std::string h = "WorkingTag~,~,SEQ~,", ok = "~I~OK~,~,a~,", end = "~I~";
  struct Case {
    char member;
    const char* marks;
    std::string key, answer;
    bool result;
    const char* rows;  // SaveSheet::Rows afterwards
    int32_t errors;
    const char* fault;  // "" = none
  } const cases[] = {
      // Both walks pair results with the pending rows in row order; blanks count as saved.
      {'B', ".U.AU", "0", h + ok + "~I~ ok ~,~,b~," + ok, true, ".a||1 .b|a|1 .c||0 .d|b|0 .e|a|1", 0, ""},
      {'T', ".U.AU", "0", h + ok + "~I~ ok ~,~,b~," + ok, true, ".a||1 .b|a|1 .c||0 .d|b|0 .e|a|1", 0, ""},
      {'B', ".U.AU", "0", h + "~I~NG~,bad2~,~,~I~OK~,~,x~,~I~OK.~,bad5~,~,", false, ".a||1 U!b||1 .c||0 .d|x|0 U!e||1", 2, ""},
      {'B', ".U.AU", "0", "   ", false, ".a||1 Ub||1 .c||0 Ad||0 Ue||1", 0, ""},
      // A saved deletion stays with the default check column; with 0 it leaves the grid,
      // and a top-down walk goes on with the row that moved into its place.
      {'B', ".X", "65535", h + ok, true, ".a||1 .b|a|1 .c||0 .d||0 .e||1", 0, ""},
      {'T', ".XU", "0", h + "~I~OK~,~,~," + ok, true, ".a||1 .c|a|0 .d||0 .e||1", 0, ""},
      // Header names are trimmed, a value under a name no column has goes nowhere; a check
      // column out of range is a fault.
      {'B', "U", "0", "WorkingTag~,~,NOSUCH~, SEQ ~,~I~OK~,~,x~,s1~,", true, ".a|s1|1 .b||1 .c||0 .d||0 .e||1", 0, ""},
      {'B', "U", "1e30", h + ok, true, "Ua||1 .b||1 .c||0 .d||0 .e||1", 0, "CLng: value out of the 32-bit range"},
      // Answers that do not fit: rows 2, 4 and 5 pending. Bottom-up, row 2 meets the header,
      // which is not "OK"; top-down the walk just stops.
      {'B', ".X.AU", "65535", h + ok + ok, false, ".a||1 X!b||1 .c||0 .d|a|0 .e|a|1", 1, ""},
      {'T', ".X.AU", "65535", h + ok + ok, true, ".a||1 .b|a|1 .c||0 .d|a|0 Ue||1", 0, ""},
      // A final "~I~" makes an empty last result row: row 5 has no message field.
      {'B', ".X.AU", "65535", h + ok + ok + ok + end, false, ".a||1 Xb||1 .c||0 Ad||0 U!e||1", 1, "result row 4 has no field 1"},
      {'B', ".X.AU", "65535", h + ok + ok + "~I~OK~,~,a~,b~,", true, ".a||1 Xb||1 .c||0 Ad||0 .e|a|1", 0,
       "the save results header names no field 3"},
      {'B', ".X.AU", "65535", h, false, ".a||1 Xb||1 .c||0 Ad||0 U!e||1", 1, "the save results hold no result row -1"},
      // Row 5 is settled before its key index fails; the walk stops there.
      {'S', ".X.AU", "7", h + ok + ok + ok + end, false, ".a||1 Xb||1 .c||0 Ad||0 .e||1", 0, "result row 3 has no field 7"},
      // One result row for three pending rows: row 4 meets the header, row 2 nothing.
      {'S', ".X.AU", "2", h + ok + end, false, ".a||1 Xb||1 .c||0 A!d||0 .e|a|1", 1, "the save results hold no result row -1"},
      {'S', ".X.AU", "2", h + ok + ok + "~I~ERR~I~", false, ".a||1 Xb||1 .c||0 Ad||0 U!e||1", 1, "result row 3 has no field 1"},
      {'S', ".X.AU", "2", "garbage", false, ".a||1 Xb||1 .c||0 Ad||0 Ue||1", 0, "the save results hold no result row -1"},
      // Check mode ("save" is not "Save"), the check column given as text: its leading number
      // is used. Ticks removed and values written back on the saved rows; every "U" walked
      // cleared, ticked or not; "X" left; the failed row keeps its tick and turns red.
      {'C', ".UXU.", "6 (Chk)", h + "~I~NG~,no~,~,~I~OK~,~,T2~,~I~OK~,~,T5~,", false, ".!a||1 .b|T2|0 Xc||0 .d||0 .e|T5|0", 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.member) + " " + c.marks + " " + c.answer + " " + c.key);
    SaveSheet s;
    s.Show({"a|||||1", "b|||||1", "c", "d", "e|||||1"});
    s.Marks(c.marks);
    const bool sheetMember = c.member == 'S';
    EXPECT_EQ(sheetMember ? s.sheet.MessageCheckSaveSheet(c.answer, std::stoi(c.key), 0, kSeq)
                          : s.sheet.MessageCheckSave(c.answer, c.key, c.member == 'C' ? "save" : "Save", c.member == 'T'),
              c.result);
    EXPECT_EQ(s.Rows({kCode, kSeq, kChk}), c.rows);
    EXPECT_EQ(s.sheet.ErrorCount(), c.errors);
    std::string boxes = *c.fault ? (sheetMember ? "[SetSaveResultsSheetArray] !: " : "[MessageCheckSave] !: ") + std::string(c.fault) : "";
    if (c.errors > 0) {
      boxes += std::string(boxes.empty() ? "" : "\n") + (sheetMember ? "[MessageCheckSaveSheet]" : "[MessageCheckSave]") +
               " i: 저장시 오류가 " + std::to_string(c.errors) + "개 발생하였습니다! 오류 내역을 확인하세요!";
    }
    EXPECT_EQ(s.TakeBoxes(), boxes);
  }
}

TEST(MessageCheckSaveSheetTest, KeyTriplesAndTheErrorList) {
  SaveSheet s;
  s.Show({"a|n1", "b|n2", "c|n3", "d|n4", "e|n5"});
  s.Marks(".XAXU");
  // Rows 2 (X, saved), 3 (A, saved), 4 (X, failed), 5 (U, failed). Triple 1: field 2 into
  // SEQ and OLDSEQ; triple 2: field 3 into NAME only.
  const std::string h = "WorkingTag~,~,KEY~,EXTRA~,~I~";
  EXPECT_FALSE(s.sheet.MessageCheckSaveSheet(
      h + "OK~,~,~,~,~I~ Ok ~,~,K3~,E3~,~I~NG~,four~,~,~,~I~NG~,five~,~,~,~I~", 2, kOldSeq, kSeq, 3, 0, kName));
  EXPECT_EQ(s.Rows({kCode, kName, kSeq, kOldSeq}), ".a|n1|| .c|E3|K3|K3 X!d|n4|| U!e|n5||");
  EXPECT_EQ(s.sheet.ErrorMsg(), "4~, ◇ four" + kBad + "5~, ◇ five" + kBad);
  s.TakeBoxes();
  // Written for MessageCheckSave (no final "~I~"): row 5 (now 4) pairs with the first
  // result, row 4 (now 3) with the header, and fails.
  EXPECT_FALSE(s.sheet.MessageCheckSaveSheet(h + "OK~,~,K5~,~,~I~OK~,~,x~,~,", 2, 0, kSeq));
  EXPECT_EQ(s.Rows() + s.sheet.ErrorMsg(), ".a| .c|K3 X!d| .e|K53~, ◇ " + kBad);
  s.TakeBoxes();
  // An empty answer resets only the count.
  EXPECT_FALSE(s.sheet.MessageCheckSaveSheet(""));
  EXPECT_EQ(std::to_string(s.sheet.ErrorCount()) + s.sheet.ErrorMsg() + s.TakeBoxes(), "03~, ◇ " + kBad);
  // The error list goes to the companion tools.
  s.sheet.ErrorLogShow();
  EXPECT_EQ(s.platform.ToolCalls<ErrorListCall>().at(0).text, s.sheet.ErrorMsg());
}

// Records of two rows: CODE and NAME in the first row, SEQ and OLDSEQ in the second;
// records 1 to 4 with the statuses "1", "X", "A", "U": 2 saved and removed, 3 saved and
// numbered again, 4 failed (both its rows red). Triple 2 names a field the result rows do
// not have: in this layout a failing step is passed over.
TEST(MultiRowResultsTest, RecordsSettledAndNumberedAgainAfterARemoval) {
  SheetFixture f;
  f.sheet.ColHeaderRows(2);
  f.sheet.AddCellSpan_Start(4);
  int32_t n = 0;
  f.sheet.AddItem_Multi(1, 0, 1, 1, n, "CODE", "Code", EnText, "", 10, 0);
  f.sheet.AddItem_Multi(2, 0, 1, 1, n, "NAME", "Name", EnText, "", 10, 0);
  f.sheet.AddItem_Multi(1, 1, 1, 1, n, "SEQ", "Seq", EnText, "", 10, 0);
  f.sheet.AddItem_Multi(2, 1, 1, 1, n, "OLDSEQ", "OldSeq", EnText, "", 10, 0);
  f.sheet.AddCellSpan_End();
  Grid& g = f.sheet.GetSheet();
  f.sheet.Display_Multi("C1~,N1~,s1~,~,~I~C2~,N2~,s2~,~,~I~C3~,N3~,s3~,~,~I~C4~,N4~,s4~,~,~I~");
  for (int32_t rec = 2; rec <= 4; ++rec) g.SetText(0, 2 * rec - 1, std::string(1, "XAU"[rec - 2]));
  EXPECT_FALSE(f.sheet.MessageCheckSaveSheet("WorkingTag~,~,SEQ~,~I~OK~,~,~,~I~OK~,~,K3~,~I~ERR~,bad~,~,~I~", 2, 4, 3, 9, 0, 1));
  std::string red;
  for (int32_t row = 1; row <= g.DataRowCnt(); ++row) {
    g.Row(row), g.Col(-1);
    red += g.ForeColor() == 255 ? "!" : ".";
  }
  EXPECT_EQ(RenderSheet(f.sheet, {1, -1, 2}) + "\n" + red + "\n" + f.sheet.ErrorMsg(),
            "1|C1|N1\n.|s1|\n2|C3|N3\n.|K3|K3\nU|C4|N4\n.|s4|\n....!!\n4~, ◇ bad" + kBad);
}

}  // namespace
}  // namespace zel::testing
