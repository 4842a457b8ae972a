// MessageCheckSaveSheet: the key write-backs, result codes, deletions and answers that do not
// fit, in the single-row layout and in the multi-row layout with its record numbers.
#include <gtest/gtest.h>

#include <string>

#include "save_sheet.h"
#include "support/sheet_probe.h"

namespace zel::testing {
namespace {

constexpr const char* kHeader = "WorkingTag~,~,KEY~,EXTRA~,~I~";

class SaveResultsSheetTest : public ::testing::Test {
 protected:
  // Ten rows "Rn"; rows 4 and 9 pending ("A" and "U").
  void SetUp() override {
    std::vector<std::string> rows;
    for (int i = 1; i <= 10; ++i) rows.push_back("R" + std::to_string(i) + "|n" + std::to_string(i) + "|1");
    s_.Show(rows);
    s_.Status(4, "A");
    s_.Status(9, "U");
  }
  std::string Cell(int32_t def, int32_t row) { return s_.sheet.CellText(def, row); }

  SaveSheet s_;
};

TEST_F(SaveResultsSheetTest, KeyGoesToTheNewAndOldColumns) {
  const std::string answer = std::string(kHeader) + "OK~,~,K4~,E4~,~I~OK~,~,K9~,E9~,~I~";
  // Triple 1: field 2 into SEQ and OLDSEQ; triple 2: field 3 into NAME only.
  EXPECT_TRUE(s_.sheet.MessageCheckSaveSheet(answer, 2, kOldSeq, kSeq, 3, 0, kName));
  EXPECT_EQ(Cell(kSeq, 4) + Cell(kOldSeq, 4) + Cell(kName, 4), "K4K4E4");
  EXPECT_EQ(Cell(kSeq, 9) + Cell(kOldSeq, 9) + Cell(kName, 9), "K9K9E9");
  EXPECT_EQ(Cell(kName, 5), "n5");
  EXPECT_EQ(s_.Status(4) + s_.Status(9), "");
  EXPECT_EQ(s_.sheet.ErrorCount(), 0);
  EXPECT_TRUE(s_.Boxes().empty());
}

TEST_F(SaveResultsSheetTest, ResultCodes) {
  struct Case {
    const char* code;
    bool saved;
  };
  // Which codes count as saved is IsSavedCode's table (results_string_test).
  const Case cases[] = {{" Ok ", true}, {"OK.", false}, {"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    s_.Status(4, "");
    s_.Status(9, "U");
    s_.platform.ClearBoxes();
    const std::string answer = std::string(kHeader) + c.code + "~,why~,k~,~,~I~";
    EXPECT_EQ(s_.sheet.MessageCheckSaveSheet(answer, 2, 0, kSeq), c.saved);
    EXPECT_EQ(s_.Status(9), c.saved ? "" : "U");
    EXPECT_EQ(s_.RowFore(9), c.saved ? 0 : 255);
    EXPECT_EQ(s_.sheet.ErrorCount(), c.saved ? 0 : 1);
    EXPECT_EQ(s_.sheet.ErrorMsg(), c.saved ? "" : "9~, ◇ why ◆ 자료를 확인하십시오.~,~I~");
    EXPECT_EQ(s_.Boxes().size(), c.saved ? 0u : 1u);
  }
}

TEST_F(SaveResultsSheetTest, DeletionsAndFailuresSettleEachRowOnItsOwn) {
  s_.Status(2, "X");
  s_.Status(6, "X");
  const int32_t maxRows = s_.sheet.MaxRows();
  // Rows 2 (X, saved), 4 (A, failed), 6 (X, failed), 9 (U, failed).
  const std::string answer = std::string(kHeader) +
                             "OK~,~,~,~,~I~NG~,four~,~,~,~I~NG~,six~,~,~,~I~NG~,nine~,~,~,~I~";
  EXPECT_FALSE(s_.sheet.MessageCheckSaveSheet(answer, 2, 0, kSeq));
  EXPECT_EQ(s_.sheet.MaxRows(), maxRows - 1);
  EXPECT_EQ(Cell(kCode, 2), "R3");
  // Everything moved up one row; the failed rows keep their marks and are red.
  EXPECT_EQ(s_.Status(3) + s_.Status(5) + s_.Status(8), "AXU");
  EXPECT_EQ(s_.RowFore(5), 255);
  EXPECT_EQ(s_.RowFore(4), 0);
  EXPECT_EQ(s_.sheet.ErrorCount(), 3);
  EXPECT_EQ(s_.sheet.ErrorMsg(),
            "4~, ◇ four ◆ 자료를 확인하십시오.~,~I~6~, ◇ six ◆ 자료를 확인하십시오.~,~I~"
            "9~, ◇ nine ◆ 자료를 확인하십시오.~,~I~");
  ASSERT_EQ(s_.Boxes().size(), 1u);
  EXPECT_EQ(s_.Boxes()[0].text, "저장시 오류가 3개 발생하였습니다! 오류 내역을 확인하세요!");

  // The error list shown raw, separators included.
  s_.sheet.ErrorMsgShow();
  ASSERT_EQ(s_.Boxes().size(), 2u);
  EXPECT_EQ(s_.Boxes()[1].text, s_.sheet.ErrorMsg());
  EXPECT_EQ(s_.Boxes()[1].icon, 0);
  EXPECT_EQ(s_.Boxes()[1].buttons, vbOKOnly);
  EXPECT_EQ(s_.Boxes()[1].title, "");
}

TEST_F(SaveResultsSheetTest, AnswerWithoutFinalSeparatorLosesItsLastRow) {
  // Written for MessageCheckSave: row 9 pairs with the first result, row 4 with the header.
  const std::string answer = std::string(kHeader) + "OK~,~,K4~,~,~I~OK~,~,K9~,~,";
  EXPECT_FALSE(s_.sheet.MessageCheckSaveSheet(answer, 2, 0, kSeq));
  EXPECT_EQ(Cell(kSeq, 9), "K4");
  EXPECT_EQ(s_.Status(4), "A");
  EXPECT_EQ(s_.sheet.ErrorMsg(), "4~, ◇  ◆ 자료를 확인하십시오.~,~I~");
}

struct BadSheetAnswer {
  const char* name;
  std::string answer;
  int32_t newKey;          // key index of triple 1 (into SEQ)
  int32_t errorCount;
  const char* faultText;   // shown titled "[SetSaveResultsSheetArray]"; "" = none
  const char* statuses;    // rows 2, 4, 9 afterwards (row 2 is "X" to begin with)
};

TEST_F(SaveResultsSheetTest, AnswersThatDoNotFit) {
  const std::string h = kHeader;
  const BadSheetAnswer cases[] = {
      // Row 9's key index is beyond its result row: row 9 is already settled, the walk
      // stops there and rows 4 and 2 keep their marks.
      {"key index beyond the row", h + "OK~,~,a~,~,~I~OK~,~,b~,~,~I~OK~,~,c~,~,~I~", 7, 0,
       "result row 3 has no field 7", "XA"},
      // One result row for three pending rows: row 4 meets the header, row 2 nothing.
      {"too few result rows", h + "OK~,~,k~,~,~I~", 2, 1,
       "the save results hold no result row -1", "XA"},
      {"result row of one field", h + "OK~,~,a~,~,~I~OK~,~,b~,~,~I~ERR~I~", 2, 1,
       "result row 3 has no field 1", "XAU"},
      {"negative key index", h + "OK~,~,a~,~,~I~OK~,~,b~,~,~I~OK~,~,c~,~,~I~", -1, 0,
       "result row 3 has no field -1", "XA"},
      {"no final separator and nothing else", "garbage", 2, 0,
       "the save results hold no result row -1", "XAU"},
  };
  for (const BadSheetAnswer& c : cases) {
    SCOPED_TRACE(c.name);
    s_.Status(2, "X");
    s_.Status(4, "A");
    s_.Status(9, "U");
    s_.platform.ClearBoxes();
    s_.grid().ChangeMade(true);
    EXPECT_FALSE(s_.sheet.MessageCheckSaveSheet(c.answer, c.newKey, 0, kSeq));
    EXPECT_EQ(s_.sheet.ErrorCount(), c.errorCount);
    EXPECT_EQ(s_.Status(2) + s_.Status(4) + s_.Status(9), c.statuses);
    EXPECT_TRUE(s_.grid().ChangeMade());
    ASSERT_GE(s_.Boxes().size(), 1u);
    EXPECT_EQ(s_.Boxes()[0].text, c.faultText);
    EXPECT_EQ(s_.Boxes()[0].title, "[SetSaveResultsSheetArray]");
    EXPECT_EQ(s_.Boxes()[0].icon, vbCritical);
    EXPECT_EQ(s_.Boxes().size(), c.errorCount > 0 ? 2u : 1u);
  }
}

TEST_F(SaveResultsSheetTest, EmptyAnswerReturnsFalseAndResetsOnlyTheCount) {
  s_.sheet.MessageCheckSaveSheet(std::string(kHeader) + "OK~,~,~,~,~I~NG~,x~,~,~,~I~");
  ASSERT_EQ(s_.sheet.ErrorCount(), 1);
  s_.platform.ClearBoxes();
  EXPECT_FALSE(s_.sheet.MessageCheckSaveSheet(""));
  EXPECT_EQ(s_.sheet.ErrorCount(), 0);
  EXPECT_EQ(s_.sheet.ErrorMsg(), "9~, ◇ x ◆ 자료를 확인하십시오.~,~I~");
  EXPECT_TRUE(s_.Boxes().empty());
}

// ---- Multi-row layout ------------------------------------------------------------------

// Records of two rows: CODE and NAME in the first row, SEQ and OLDSEQ in the second.
class MultiRowResultsTest : public ::testing::Test {
 protected:
  static constexpr int32_t kH = 2;
  static constexpr int32_t kFCode = 1, kFName = 2, kFSeq = 3, kFOldSeq = 4;

  void SetUp() override {
    ZelSheet& s = f_.sheet;
    s.ColHeaderRows(kH);
    s.AddCellSpan_Start(4);
    int32_t n = 0;
    s.AddItem_Multi(1, 0, 1, 1, n, "CODE", "Code", EnText, "", 10, 0);
    s.AddItem_Multi(2, 0, 1, 1, n, "NAME", "Name", EnText, "", 10, 0);
    s.AddItem_Multi(1, 1, 1, 1, n, "SEQ", "Seq", EnText, "", 10, 0);
    s.AddItem_Multi(2, 1, 1, 1, n, "OLDSEQ", "OldSeq", EnText, "", 10, 0);
    s.AddCellSpan_End();
    s.MaxRows(8);
    const char* statuses[] = {"1", "X", "A", "U"};
    for (int32_t rec = 1; rec <= 4; ++rec) {
      const int32_t first = 1 + (rec - 1) * kH;
      grid().SetText(0, first, statuses[rec - 1]);
      grid().SetText(1, first, "C" + std::to_string(rec));
      grid().SetText(2, first, "N" + std::to_string(rec));
      grid().SetText(1, first + 1, "s" + std::to_string(rec));
    }
  }

  Grid& grid() { return f_.sheet.GetSheet(); }
  std::string Text(int32_t col, int32_t row) {
    std::string t;
    grid().GetText(col, row, t);
    return t;
  }
  Color RowFore(int32_t row) {
    grid().Row(row);
    grid().Col(-1);
    return grid().ForeColor();
  }

  SheetFixture f_;
};

TEST_F(MultiRowResultsTest, RecordsSettledAndNumberedAgainAfterARemoval) {
  ASSERT_TRUE(f_.sheet.IsMultiSheet());
  ASSERT_EQ(grid().DataRowCnt(), 8);
  // Records 2 (X), 3 (A) and 4 (U), top to bottom; record 4 fails.
  const std::string answer =
      "WorkingTag~,~,SEQ~,~I~OK~,~,~,~I~OK~,~,K3~,~I~ERR~,bad~,~,~I~";
  // Triple 2 names a field index the result rows do not have: that step is passed over.
  EXPECT_FALSE(f_.sheet.MessageCheckSaveSheet(answer, 2, kFOldSeq, kFSeq, 9, 0, kFCode));

  EXPECT_EQ(grid().MaxRows(), 6);
  EXPECT_EQ(RenderSheet(f_.sheet, {1, 6, 2}),
            "1|C1|N1\n"
            ".|s1|\n"
            "2|C3|N3\n"
            ".|K3|K3\n"
            "U|C4|N4\n"
            ".|s4|");
  EXPECT_EQ(RowFore(5), 255);
  EXPECT_EQ(RowFore(6), 255);
  EXPECT_EQ(RowFore(3), 0);
  EXPECT_EQ(f_.sheet.ErrorCount(), 1);
  EXPECT_EQ(f_.sheet.ErrorMsg(), "4~, ◇ bad ◆ 자료를 확인하십시오.~,~I~");
  ASSERT_EQ(f_.platform.Boxes().size(), 1u);
  EXPECT_EQ(f_.platform.Boxes()[0].title, "[MessageCheckSaveSheet]");
}

TEST_F(MultiRowResultsTest, ShortAnswerIsPassedOverRecordByRecord) {
  // One result row for three pending records: record 4 is saved, record 3 meets the
  // header, record 2 finds nothing; no fault box in this layout, the walk goes on.
  const std::string answer = "WorkingTag~,~,SEQ~,~I~OK~,~,K4~,~I~";
  EXPECT_FALSE(f_.sheet.MessageCheckSaveSheet(answer, 2, 0, kFSeq));
  EXPECT_EQ(f_.sheet.ErrorCount(), 2);
  EXPECT_EQ(Text(0, 1) + Text(0, 3) + Text(0, 5) + Text(0, 7), "1XA4");
  EXPECT_EQ(Text(1, 8), "K4");
  EXPECT_EQ(f_.sheet.ErrorMsg(), "3~, ◇  ◆ 자료를 확인하십시오.~,~I~");
  ASSERT_EQ(f_.platform.Boxes().size(), 1u);
  EXPECT_EQ(f_.platform.Boxes()[0].icon, vbInformation);
}

TEST(FieldNoTest, TrimmedCaseSensitiveFirstMatch) {
  SaveSheet s;
  EXPECT_EQ(s.sheet.FieldNo("NAME"), kName);
  EXPECT_EQ(s.sheet.FieldNo("  SEQ  "), kSeq);
  EXPECT_EQ(s.sheet.FieldNo("seq"), -1);
  EXPECT_EQ(s.sheet.FieldNo("OLD"), -1);
  // A blank name meets the first column without one: the first column not declared.
  EXPECT_EQ(s.sheet.FieldNo("  "), kChk + 1);
  s.sheet.FieldName(kChk, "SEQ");  // a later column of the same name is not reached
  EXPECT_EQ(s.sheet.FieldNo("SEQ"), kSeq);
}

TEST(ErrorListTest, ErrorLogShowHandsTheListToTheToolsAndSurvivesTheirAbsence) {
  SaveSheet s;
  s.Show({"R1", "R2"});
  s.Status(2, "U");
  s.sheet.MessageCheckSaveSheet("WorkingTag~,~,~I~NG~,bad~,~I~");
  s.sheet.ErrorLogShow();
  ASSERT_EQ(s.platform.ToolCalls<ErrorListCall>().size(), 1u);
  EXPECT_EQ(s.platform.ToolCalls<ErrorListCall>()[0].text,
            "2~, ◇ bad ◆ 자료를 확인하십시오.~,~I~");

  s.platform.SetToolsMissing(true);
  s.platform.ClearBoxes();
  EXPECT_NO_THROW(s.sheet.ErrorLogShow());
  EXPECT_TRUE(s.Boxes().empty());
  EXPECT_EQ(s.platform.ToolCallNames().back(), "ShowErrorMsg");
}

}  // namespace
}  // namespace zel::testing
