// MessageCheckSave: pairing of the walks, what saved, deleted and failed rows become, and
// answers that do not fit the sheet.
#include <gtest/gtest.h>

#include <string>

#include "save_sheet.h"

namespace zel::testing {
namespace {

constexpr const char* kHeader = "WorkingTag~,~,SEQ~,";

class MessageCheckSaveTest : public ::testing::Test {
 protected:
  // Ten rows "Rn"; rows 3, 7 and 9 pending.
  void SetUp() override {
    std::vector<std::string> rows;
    for (int i = 1; i <= 10; ++i) rows.push_back("R" + std::to_string(i) + "|n|1");
    s_.Show(rows);
    s_.Status(3, "U");
    s_.Status(7, "A");
    s_.Status(9, "U");
  }
  std::string Seq(int32_t row) { return s_.sheet.CellText(kSeq, row); }

  SaveSheet s_;
};

TEST_F(MessageCheckSaveTest, BottomUpAndTopDownPairTheSameRows) {
  const std::string answer =
      std::string(kHeader) + "~I~OK~,~,first~,~I~OK~,~,second~,~I~OK~,~,third~,";
  for (const bool isTop : {false, true}) {
    SCOPED_TRACE(isTop ? "top-down" : "bottom-up");
    s_.Status(3, "U");
    s_.Status(7, "A");
    s_.Status(9, "U");
    EXPECT_TRUE(s_.sheet.MessageCheckSave(answer, 0, "Save", isTop));
    EXPECT_EQ(Seq(3), "first");
    EXPECT_EQ(Seq(7), "second");
    EXPECT_EQ(Seq(9), "third");
    for (int32_t r : {3, 7, 9}) EXPECT_EQ(s_.Status(r), "") << r;
  }
  EXPECT_TRUE(s_.Boxes().empty());
}

TEST_F(MessageCheckSaveTest, FailedRowsListedInRowOrderAndSummaryCountsThem) {
  const std::string answer =
      std::string(kHeader) + "~I~NG~,first bad~,~,~I~ ok ~,~,x~,~I~OK.~,third bad~,~,";
  EXPECT_FALSE(s_.sheet.MessageCheckSave(answer, 0, "Save"));
  EXPECT_EQ(s_.sheet.ErrorCount(), 2);
  EXPECT_EQ(s_.sheet.ErrorMsg(), "3~, first bad~,NG~,~I~9~, third bad~,OK.~,~I~");
  EXPECT_EQ(s_.Status(3), "U");
  EXPECT_EQ(s_.Status(7), "");  // " ok " counts as saved
  EXPECT_EQ(s_.RowFore(3), 255);
  EXPECT_EQ(s_.RowFore(9), 255);
  ASSERT_EQ(s_.Boxes().size(), 1u);
  EXPECT_EQ(s_.Boxes()[0].text, "저장시 오류가 2개 발생하였습니다! 오류 내역을 확인하세요!");

  // Saved later, a red row turns black; a row still failing stays red.
  s_.platform.ClearBoxes();
  s_.Status(7, "");
  const std::string second = std::string(kHeader) + "~I~OK~,~,~,~I~NG~,still~,~,";
  EXPECT_FALSE(s_.sheet.MessageCheckSave(second, 0, "Save"));
  EXPECT_EQ(s_.RowFore(3), 0);
  EXPECT_EQ(s_.RowFore(9), 255);
  EXPECT_EQ(s_.sheet.ErrorMsg(), "9~, still~,NG~,~I~");
  EXPECT_EQ(s_.sheet.ErrorCount(), 1);
}

TEST_F(MessageCheckSaveTest, SavedDeletionStaysWithDefaultCheckColumnAndLeavesWithZero) {
  s_.Status(3, "");
  s_.Status(7, "");
  const int32_t maxRows = s_.sheet.MaxRows();
  const std::string answer = std::string(kHeader) + "~I~OK~,~,kept~,";

  s_.Status(9, "X");
  EXPECT_TRUE(s_.sheet.MessageCheckSave(answer, "65535", "Save"));
  EXPECT_EQ(s_.Status(9), "");
  EXPECT_EQ(Seq(9), "kept");
  EXPECT_EQ(s_.sheet.MaxRows(), maxRows);

  s_.Status(9, "X");
  EXPECT_TRUE(s_.sheet.MessageCheckSave(answer, "0", "Save"));
  EXPECT_EQ(s_.sheet.CellText(kCode, 9), "R10");
  EXPECT_EQ(s_.sheet.MaxRows(), maxRows - 1);
  EXPECT_EQ(s_.sheet.DataRowCnt(), 9);

  // A top-down walk over a removed row goes on with the row that moved into its place.
  s_.Status(2, "X");
  s_.Status(3, "U");
  const std::string two = std::string(kHeader) + "~I~OK~,~,~,~I~OK~,~,moved~,";
  EXPECT_TRUE(s_.sheet.MessageCheckSave(two, 0, "Save", true));
  EXPECT_EQ(s_.sheet.CellText(kCode, 2), "R3");
  EXPECT_EQ(Seq(2), "moved");
  EXPECT_EQ(s_.Status(2), "");
}

TEST_F(MessageCheckSaveTest, BlankAnswerChangesNothing) {
  s_.sheet.MessageCheckSave(std::string(kHeader) + "~I~OK~,~,~,~I~NG~,bad~,~,~I~OK~,~,~,", 0,
                            "Save");
  ASSERT_EQ(s_.sheet.ErrorCount(), 1);
  s_.platform.ClearBoxes();
  for (const char* blank : {"", "   "}) {
    EXPECT_FALSE(s_.sheet.MessageCheckSave(blank, 0, "Save"));
  }
  EXPECT_EQ(s_.sheet.ErrorCount(), 1);
  EXPECT_EQ(s_.sheet.ErrorMsg(), "7~, bad~,NG~,~I~");
  EXPECT_TRUE(s_.Boxes().empty());
  EXPECT_EQ(s_.Status(7), "A");
  EXPECT_EQ(s_.RowFore(7), 255);
}

TEST_F(MessageCheckSaveTest, CheckModeClearsUpdatesAndTakesTicksOnly) {
  s_.sheet.CellText(kChk, 2, "1");
  s_.sheet.CellText(kChk, 9, "1");
  // Check column given as text: its leading number is used.
  EXPECT_FALSE(s_.sheet.MessageCheckSave(std::string(kHeader) + "~I~NG~,no~,~,~I~OK~,~,t9~,",
                                         "6 (Chk)", "save"));
  EXPECT_EQ(s_.Status(3), "");  // "U" cleared though not ticked
  EXPECT_EQ(s_.Status(7), "A");
  EXPECT_EQ(s_.Status(9), "");
  EXPECT_EQ(s_.sheet.CellText(kChk, 9), "0");
  EXPECT_EQ(Seq(9), "t9");
  EXPECT_EQ(s_.sheet.CellText(kChk, 2), "1");  // failed: tick kept, row red
  EXPECT_EQ(s_.RowFore(2), 255);
  EXPECT_EQ(s_.sheet.ErrorMsg(), "2~, no~,NG~,~I~");
}

// Answers that do not fit: each ends in a box with the fault's text, rows settled before
// the fault stay settled, and the summary follows when rows were counted as failed.
struct BadAnswer {
  const char* name;
  std::string answer;
  bool isTop;
  bool result;
  int32_t errorCount;
  const char* faultText;     // "" = no fault box
  const char* statuses;      // of rows 3, 7, 9 afterwards
};

TEST_F(MessageCheckSaveTest, AnswersThatDoNotFit) {
  const std::string h = kHeader;
  const BadAnswer cases[] = {
      // Two result rows for three pending rows, bottom-up: row 3 meets the header, which
      // is not "OK"; a fourth pending row would find nothing left (see "header only").
      {"short bottom-up", h + "~I~OK~,~,~,~I~OK~,~,~,", false, false, 1, "", "U,,"},
      // Top-down the walk just stops after the last result row.
      {"short top-down", h + "~I~OK~,~,~,~I~OK~,~,~,", true, true, 0, "", ",,U"},
      // A final "~I~" makes an empty last result row: row 9 fails with an empty code and
      // no message.
      {"final separator", h + "~I~OK~,~,~,~I~OK~,~,~,~I~OK~,~,~,~I~", false, false, 1,
       "result row 4 has no field 1", "U,A,U"},
      // A failed row without a message field: counted, then the fault.
      {"one field", h + "~I~OK~,~,~,~I~OK~,~,~,~I~ERR", false, false, 1,
       "result row 3 has no field 1", "U,A,U"},
      // More returned fields than the header names.
      {"extra field", h + "~I~OK~,~,~,~I~OK~,~,~,~I~OK~,~,a~,b~,", false, true, 0,
       "the save results header names no field 3", "U,A,"},
      {"header only", h, false, false, 1, "the save results hold no result row -1", "U,A,U"},
      {"garbage", "garbage", false, false, 1, "result row 0 has no field 1", "U,A,U"},
  };
  for (const BadAnswer& c : cases) {
    SCOPED_TRACE(c.name);
    s_.Status(3, "U");
    s_.Status(7, "A");
    s_.Status(9, "U");
    s_.platform.ClearBoxes();
    EXPECT_EQ(s_.sheet.MessageCheckSave(c.answer, 0, "Save", c.isTop), c.result);
    EXPECT_EQ(s_.sheet.ErrorCount(), c.errorCount);
    EXPECT_EQ(s_.Status(3) + "," + s_.Status(7) + "," + s_.Status(9), c.statuses);
    size_t box = 0;
    if (*c.faultText != '\0') {
      ASSERT_GT(s_.Boxes().size(), box);
      EXPECT_EQ(s_.Boxes()[box].text, c.faultText);
      EXPECT_EQ(s_.Boxes()[box].icon, vbCritical);
      EXPECT_EQ(s_.Boxes()[box].title, "[MessageCheckSave]");
      ++box;
    }
    if (c.errorCount > 0) {
      ASSERT_GT(s_.Boxes().size(), box);
      EXPECT_EQ(s_.Boxes()[box].title, "[MessageCheckSave]");
      EXPECT_EQ(s_.Boxes()[box].icon, vbInformation);
      ++box;
    }
    EXPECT_EQ(s_.Boxes().size(), box);
  }
}

TEST_F(MessageCheckSaveTest, UnknownFieldNameAndHugeCheckColumnDoNotCrash) {
  // The value of an unknown field goes nowhere; the known one is written.
  const std::string answer =
      "WorkingTag~,~,NOSUCH~,SEQ~,~I~OK~,~,a~,s3~,~I~OK~,~,b~,s7~,~I~OK~,~,c~,s9~,";
  EXPECT_TRUE(s_.sheet.MessageCheckSave(answer, 0, "Save"));
  EXPECT_EQ(Seq(3), "s3");
  EXPECT_EQ(Seq(9), "s9");
  EXPECT_EQ(s_.sheet.FieldNo("NOSUCH"), -1);

  s_.Status(3, "U");
  s_.platform.ClearBoxes();
  EXPECT_TRUE(s_.sheet.MessageCheckSave(answer, "1e30", "Save"));
  ASSERT_EQ(s_.Boxes().size(), 1u);
  EXPECT_EQ(s_.Boxes()[0].icon, vbCritical);
  EXPECT_EQ(s_.Status(3), "U");
}

}  // namespace
}  // namespace zel::testing
