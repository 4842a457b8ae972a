// MessageCheckSave and MessageCheckSaveSheet: how result rows pair with pending rows, what
// saved, deleted and failed rows become, answers that do not fit the sheet, and the
// multi-row layout with its record numbers.
#include <gtest/gtest.h>

#include <string>

#include "save_sheet.h"

namespace zel::testing {
namespace {

const std::string kBad = " ◆ 자료를 확인하십시오.~,~I~";
std::string Summary(int n) {
  return "i: 저장시 오류가 " + std::to_string(n) + "개 발생하였습니다! 오류 내역을 확인하세요!";
}

TEST(MessageCheckSaveTest, SaveModeScenario) {
  SaveSheet s;
  s.Show(10);
  const std::string h = "WorkingTag~,~,SEQ~,";
  for (const bool isTop : {false, true}) {  // both walks pair results with rows in row order
    s.Marks("  U   A U");
    EXPECT_TRUE(s.sheet.MessageCheckSave(h + "~I~OK~,~,a~,~I~OK~,~,b~,~I~OK~,~,c~,", 0, "Save", isTop));
    EXPECT_EQ(s.Marks() + s.Column(kSeq), "..........,,a,,,,b,,c,");
  }
  // Failed rows are listed in row order and turn red; " ok " counts as saved.
  s.Marks("  U   A U");
  EXPECT_FALSE(s.sheet.MessageCheckSave(h + "~I~NG~,bad3~,~,~I~ ok ~,~,x~,~I~OK.~,bad9~,~,", 0, "Save"));
  EXPECT_EQ(s.Marks() + s.sheet.ErrorMsg(), "..U!.....U!.3~, bad3~,NG~,~I~9~, bad9~,OK.~,~I~");
  EXPECT_EQ(s.TakeBoxes(), "[MessageCheckSave] " + Summary(2));
  // Neither a blank answer nor one without rows changes anything.
  for (const char* blank : {"", "   "}) EXPECT_FALSE(s.sheet.MessageCheckSave(blank, 0, "Save"));
  EXPECT_EQ(s.Marks() + std::to_string(s.sheet.ErrorCount()) + s.TakeBoxes(), "..U!.....U!.2");
  // A saved deletion stays with the default check column; a red row saved turns black.
  s.Marks("  X");
  EXPECT_TRUE(s.sheet.MessageCheckSave(h + "~I~OK~,~,kept~,~I~OK~,~,~,", "65535", "Save"));
  EXPECT_EQ(s.Marks() + s.Column(kSeq), "..........,,kept,,,,x,,,");
  s.Marks("  X");
  EXPECT_TRUE(s.sheet.MessageCheckSave(h + "~I~OK~,~,~,", "0", "Save"));
  EXPECT_EQ(s.Column(kCode), "R1,R2,R4,R5,R6,R7,R8,R9,R10");
  // A top-down walk over a removed row goes on with the row that moved into its place.
  s.Marks(".XU");
  EXPECT_TRUE(s.sheet.MessageCheckSave(h + "~I~OK~,~,~,~I~OK~,~,moved~,", 0, "Save", true));
  EXPECT_EQ(s.Column(kCode) + s.Column(kSeq), "R1,R4,R5,R6,R7,R8,R9,R10,moved,,,x,,,");
  // A value under a name no column has goes nowhere.
  s.Marks("U");
  EXPECT_TRUE(s.sheet.MessageCheckSave("WorkingTag~,~,NOSUCH~,SEQ~,~I~OK~,~,a~,s1~,", 0, "Save"));
  EXPECT_EQ(s.Marks() + s.Column(kSeq), "........s1,moved,,,x,,,");
  // A check column beyond the number range is a fault: nothing is taken.
  s.Marks("U");
  EXPECT_TRUE(s.sheet.MessageCheckSave(h + "~I~OK~,~,x~,", "1e30", "Save"));
  EXPECT_EQ(s.Status(1) + s.TakeBoxes(), "U[MessageCheckSave] !: CLng: value out of the 32-bit range");
}

TEST(MessageCheckSaveSheetTest, KeysDeletionsAndFailures) {
  SaveSheet s;
  s.Show(10);
  s.Marks(" X A X  U");
  // Rows 2 (X, saved), 4 (A, saved), 6 (X, failed), 9 (U, failed). Triple 1: field 2 into
  // SEQ and OLDSEQ; triple 2: field 3 into NAME only.
  const std::string h = "WorkingTag~,~,KEY~,EXTRA~,~I~";
  EXPECT_FALSE(s.sheet.MessageCheckSaveSheet(
      h + "OK~,~,~,~,~I~ Ok ~,~,K4~,E4~,~I~NG~,six~,~,~,~I~NG~,nine~,~,~,~I~", 2, kOldSeq, kSeq,
      3, 0, kName));
  EXPECT_EQ(s.Marks() + s.Column(kCode), "....X!..U!.R1,R3,R4,R5,R6,R7,R8,R9,R10");
  EXPECT_EQ(s.Column(kSeq) + s.Column(kOldSeq) + s.Column(kName),
            ",,K4,,,,,,,,K4,,,,,,n1,n3,E4,n5,n6,n7,n8,n9,n10");
  EXPECT_EQ(s.sheet.ErrorMsg(), "6~, ◇ six" + kBad + "9~, ◇ nine" + kBad);
  EXPECT_EQ(s.TakeBoxes(), "[MessageCheckSaveSheet] " + Summary(2));
  s.sheet.ErrorMsgShow();  // the list shown raw, separators included
  EXPECT_EQ(s.TakeBoxes(), "-: " + s.sheet.ErrorMsg());
  // Written for MessageCheckSave (no final "~I~"): row 8 pairs with the first result, row 5
  // with the header, and fails.
  EXPECT_FALSE(s.sheet.MessageCheckSaveSheet(h + "OK~,~,K8~,~,~I~OK~,~,x~,~,", 2, 0, kSeq));
  EXPECT_EQ(s.Marks() + s.Column(kSeq) + s.sheet.ErrorMsg(), "....X!....,,K4,,,,,K8,5~, ◇ " + kBad);
  s.TakeBoxes();
  // An empty answer resets only the count.
  EXPECT_FALSE(s.sheet.MessageCheckSaveSheet(""));
  EXPECT_EQ(std::to_string(s.sheet.ErrorCount()) + s.sheet.ErrorMsg() + s.TakeBoxes(), "05~, ◇ " + kBad);
  // The error list goes to the companion tools, and nothing is shown when they are missing.
  s.sheet.ErrorLogShow();
  EXPECT_EQ(s.platform.ToolCalls<ErrorListCall>().at(0).text, s.sheet.ErrorMsg());
  s.platform.SetToolsMissing(true);
  EXPECT_NO_THROW(s.sheet.ErrorLogShow());
  EXPECT_EQ(s.TakeBoxes(), "");
}

// Answers that do not fit: each ends in a fault box, rows settled before the fault stay
// settled, and the summary follows when rows were counted as failed. Rows 2, 4 and 9 are
// pending ("X", "A", "U"); MessageCheckSave runs in save mode with deletions kept.
TEST(ResultMembersTest, AnswersThatDoNotFit) {
  const std::string h = "WorkingTag~,~,SEQ~,", ok = "~I~OK~,~,a~,", end = "~I~";
  struct Case {
    char member;  // 'B'/'T': MessageCheckSave bottom-up/top-down; 'S': MessageCheckSaveSheet
    std::string answer;
    int32_t key;  // MessageCheckSaveSheet's key index into SEQ; MessageCheckSave's check column
    bool result;
    int32_t errors;
    const char* fault;  // "" = none
    const char* marks;  // statuses of rows 2, 4 and 9 afterwards
  } const cases[] = {
      // Bottom-up, row 2 meets the header, which is not "OK"; top-down the walk just stops.
      {'B', h + ok + ok, 65535, false, 1, "", "X,,"},
      {'T', h + ok + ok, 65535, true, 0, "", ",,U"},
      // A final "~I~" makes an empty last result row: row 9 has no message field.
      {'B', h + ok + ok + ok + end, 65535, false, 1, "result row 4 has no field 1", "X,A,U"},
      {'B', h + ok + ok + "~I~ERR", 65535, false, 1, "result row 3 has no field 1", "X,A,U"},
      {'B', h + ok + ok + "~I~OK~,~,a~,b~,", 65535, true, 0,
       "the save results header names no field 3", "X,A,"},
      {'B', h, 65535, false, 1, "the save results hold no result row -1", "X,A,U"},
      {'B', "garbage", 65535, false, 1, "result row 0 has no field 1", "X,A,U"},
      // Row 9 is settled before its key index fails; the walk stops there.
      {'S', h + ok + ok + ok + end, 7, false, 0, "result row 3 has no field 7", "X,A,"},
      {'S', h + ok + ok + ok + end, -1, false, 0, "result row 3 has no field -1", "X,A,"},
      // One result row for three pending rows: row 4 meets the header, row 2 nothing.
      {'S', h + ok + end, 2, false, 1, "the save results hold no result row -1", "X,A,"},
      {'S', h + ok + ok + "~I~ERR~I~", 2, false, 1, "result row 3 has no field 1", "X,A,U"},
      {'S', "garbage", 2, false, 0, "the save results hold no result row -1", "X,A,U"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.member) + " " + c.answer + " " + std::to_string(c.key));
    SaveSheet s;
    s.Show(10);
    s.Marks(" X A    U");
    s.grid().ChangeMade(true);
    EXPECT_EQ(c.member == 'S' ? s.sheet.MessageCheckSaveSheet(c.answer, c.key, 0, kSeq)
                              : s.sheet.MessageCheckSave(c.answer, c.key, "Save", c.member == 'T'),
              c.result);
    EXPECT_EQ(s.sheet.ErrorCount(), c.errors);
    EXPECT_EQ(s.Status(2) + "," + s.Status(4) + "," + s.Status(9), c.marks);
    EXPECT_TRUE(s.grid().ChangeMade());
    const bool sheetMember = c.member == 'S';
    std::string boxes = *c.fault ? std::string(sheetMember ? "[SetSaveResultsSheetArray]" : "[MessageCheckSave]") + " !: " + c.fault : "";
    if (c.errors > 0) {
      boxes += (boxes.empty() ? "" : "\n") + std::string(sheetMember ? "[MessageCheckSaveSheet] " : "[MessageCheckSave] ") + Summary(c.errors);
    }
    EXPECT_EQ(s.TakeBoxes(), boxes);
  }
}

// Records of two rows: CODE and NAME in the first row, SEQ and OLDSEQ in the second;
// records 1 to 4 with the statuses "1", "X", "A", "U".
struct MultiRow : SheetFixture {
  MultiRow() {
    sheet.ColHeaderRows(2);
    sheet.AddCellSpan_Start(4);
    int32_t n = 0;
    sheet.AddItem_Multi(1, 0, 1, 1, n, "CODE", "Code", EnText, "", 10, 0);
    sheet.AddItem_Multi(2, 0, 1, 1, n, "NAME", "Name", EnText, "", 10, 0);
    sheet.AddItem_Multi(1, 1, 1, 1, n, "SEQ", "Seq", EnText, "", 10, 0);
    sheet.AddItem_Multi(2, 1, 1, 1, n, "OLDSEQ", "OldSeq", EnText, "", 10, 0);
    sheet.AddCellSpan_End();
    sheet.MaxRows(8);
    for (int32_t rec = 1; rec <= 4; ++rec) {
      const std::string n = std::to_string(rec);
      sheet.GetSheet().SetText(0, 2 * rec - 1, std::string(1, "1XAU"[rec - 1]));
      sheet.GetSheet().SetText(1, 2 * rec - 1, "C" + n);
      sheet.GetSheet().SetText(2, 2 * rec - 1, "N" + n);
      sheet.GetSheet().SetText(1, 2 * rec, "s" + n);
    }
  }
};

TEST(MultiRowResultsTest, RecordsSettledAndNumberedAgainAfterARemoval) {
  MultiRow f;
  // Records 2 (X, saved), 3 (A, saved), 4 (U, failed). Triple 2 names a field the result
  // rows do not have: that step is passed over.
  const std::string h = "WorkingTag~,~,SEQ~,~I~";
  EXPECT_FALSE(f.sheet.MessageCheckSaveSheet(h + "OK~,~,~,~I~OK~,~,K3~,~I~ERR~,bad~,~,~I~", 2, 4, 3, 9, 0, 1));
  EXPECT_EQ(RenderSheet(f.sheet, {1, 6, 2}), "1|C1|N1\n.|s1|\n2|C3|N3\n.|K3|K3\nU|C4|N4\n.|s4|");
  EXPECT_EQ(f.sheet.ErrorMsg(), "4~, ◇ bad" + kBad);
  std::string red;
  for (int32_t row = 1; row <= 6; ++row) {
    f.sheet.GetSheet().Row(row);
    f.sheet.GetSheet().Col(-1);
    red += f.sheet.GetSheet().ForeColor() == 255 ? "!" : ".";
  }
  EXPECT_EQ(red, "....!!");
  // One result row for three pending records: record 4 saved, record 3 meets the header,
  // record 2 finds nothing; no fault box in this layout, the walk goes on.
  MultiRow g;
  EXPECT_FALSE(g.sheet.MessageCheckSaveSheet(h + "OK~,~,K4~,~I~", 2, 0, 3));
  EXPECT_EQ(RenderSheet(g.sheet, {1, 8, 1}), "1|C1\n.|s1\nX|C2\n.|s2\nA|C3\n.|s3\n4|C4\n.|K4");
  EXPECT_EQ(g.sheet.ErrorMsg() + std::to_string(g.platform.Boxes().size()), "3~, ◇ " + kBad + "1");
}

TEST(ResultMembersTest, FieldNoIsTrimmedCaseSensitiveFirstMatch) {
  SaveSheet s;
  s.sheet.FieldName(kChk, "SEQ");
  // A blank name meets the first column not declared; a later column of a name is not reached.
  EXPECT_EQ(std::to_string(s.sheet.FieldNo("  SEQ  ")) + "," + std::to_string(s.sheet.FieldNo("seq")) + "," +
                std::to_string(s.sheet.FieldNo("OLD")) + "," + std::to_string(s.sheet.FieldNo("  ")),
            "4,-1,-1,7");
}

TEST(ResultMembersTest, WhateverTheServerSendsEveryMemberFinishes) {
  const std::string hostile[] = {
      "~I~", "~I~~I~~I~~I~", "~,~,~,~,~,", std::string("WorkingTag~,~,SEQ~,~I~OK\0~,~,x~,~I~", 34),
      "WorkingTag~,~,SEQ~,~I~\xff\xfe~,\xc3~,~I~OK~,~,\xe2\x82~,~I~", "~", "~I",
      "WorkingTag~,~,SEQ~,~I~OK~,~," + std::string(1 << 20, 'k') + "~,~I~", std::string(1000, ','),
      "~I~OK~I~OK~I~OK~I~OK~I~OK~I~OK~I~", "WorkingTag~,~,SEQ~,~I~OK~,\n~,\r\n~,~I~ok~,~,~,"};
  for (const std::string& answer : hostile) {
    for (const int32_t key : {-5, 0, 2, 1 << 30}) {
      SCOPED_TRACE(answer.substr(0, 40) + " key " + std::to_string(key));
      SaveSheet s;
      s.Show({"R1", "R2", "R3", "R4|||||1"});
      s.Marks("AX U");
      s.sheet.IsMultiSheet(key == 2);  // as a host may set it without declaring records
      EXPECT_NO_THROW(s.sheet.MessageCheckSaveSheet(answer, key, kOldSeq, kSeq, key, -1, 1 << 30));
      EXPECT_NO_THROW(s.sheet.MessageCheckSave(answer, 0, "Save"));
      EXPECT_NO_THROW(s.sheet.MessageCheckSave(answer, kChk, "", true));
      EXPECT_NO_THROW(s.sheet.MessageCheckSave(answer, "-7", "Save", true));
      EXPECT_NO_THROW(s.sheet.fnCheckNotNull());
      EXPECT_LE(s.sheet.DataRowCnt(), 4);
    }
  }
}

}  // namespace
}  // namespace zel::testing
