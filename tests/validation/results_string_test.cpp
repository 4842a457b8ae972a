#include "validation/internal/results_string.h"

#include <gtest/gtest.h>

#include "sheet/message_table.h"
#include "columns/row_status_text.h"
#include "validation/save_rules.h"
#include "zelsheet/types.h"

namespace zel::internal {
namespace {

using Fields = std::vector<std::string>;

TEST(ResultsStringTest, WorkedExampleSplitsIntoHeaderRowsAndTrailingPiece) {
  const ResultsString results(
      "WorkingTag~,~,CustCode~,Serial~,~I~OK~,~,C10~,7~,~I~ERR~,duplicate code~,~,~,~I~"
      "ok~,~,C11~,8~,~I~");
  EXPECT_EQ(results.PieceCount(), 5);
  EXPECT_EQ(results.LastIndex(), 4);
  EXPECT_EQ(results.ValueNames(), (Fields{"CustCode", "Serial"}));
  EXPECT_EQ(results.Fields(1), (Fields{"OK", "", "C10", "7", ""}));
  EXPECT_EQ(results.Fields(2), (Fields{"ERR", "duplicate code", "", "", ""}));
  EXPECT_EQ(results.Fields(4), (Fields{""}));
}

TEST(ResultsStringTest, MissingPiecesAndFieldsAreSubscriptErrorsThatNameThem) {
  const ResultsString results("H~,~,~I~ERR~I~");
  EXPECT_THROW(results.Fields(-1), SubscriptError);
  EXPECT_THROW(results.Fields(3), SubscriptError);
  const Fields oneField = results.Fields(1);
  EXPECT_EQ(oneField, (Fields{"ERR"}));
  EXPECT_EQ(ResultField(oneField, 0, 1), "ERR");
  try {
    ResultField(oneField, 1, 1);
    FAIL() << "a row of one field has no message";
  } catch (const SubscriptError& e) {
    EXPECT_STREQ(e.what(), "result row 1 has no field 1");
  }
  EXPECT_THROW(ResultField(oneField, -1, 1), SubscriptError);
}

TEST(ResultsStringTest, HeaderWithoutValueNames) {
  EXPECT_TRUE(ResultsString("").ValueNames().empty());
  EXPECT_TRUE(ResultsString("WorkingTag~,~,~I~OK~,~,~I~").ValueNames().empty());
  EXPECT_TRUE(ResultsString("garbage").ValueNames().empty());
  // A header whose last name lacks its "~," loses that name, as the grammar says.
  EXPECT_EQ(ResultsString("W~,~,A~,B~I~").ValueNames(), (Fields{"A"}));
}

TEST(ResultsStringTest, SavedCodes) {
  struct Case {
    const char* code;
    bool saved;
  };
  const Case cases[] = {{"OK", true},   {"ok", true},    {" Ok ", true}, {"oK", true},
                        {"OK.", false}, {"", false},     {"  ", false},  {"OKAY", false},
                        {"O K", false}, {"\tOK", false}, {"ERR", false}, {"NG", false}};
  for (const Case& c : cases) EXPECT_EQ(IsSavedCode(c.code), c.saved) << "'" << c.code << "'";
}

TEST(ResultsStringTest, ErrorListLines) {
  EXPECT_EQ(ResultsErrorLine(4, "duplicate code"),
            "4~, ◇ duplicate code ◆ 자료를 확인하십시오.~,~I~");
  EXPECT_EQ(ResultsErrorLine(12, ""), "12~, ◇  ◆ 자료를 확인하십시오.~,~I~");
  EXPECT_EQ(CheckSaveErrorLine(4, "duplicate code", "ERR"), "4~, duplicate code~,ERR~,~I~");
  EXPECT_EQ(CheckSaveErrorLine(1, "", ""), "1~, ~,~,~I~");
}

TEST(ResultsStringTest, ErrorListPutsTheNewestLineInFront) {
  ErrorListBuilder list;
  EXPECT_EQ(list.Text(), "");
  list.Add(ResultsErrorLine(9, "late"));
  list.Add(ResultsErrorLine(4, "early"));
  EXPECT_EQ(list.Text(), ResultsErrorLine(4, "early") + ResultsErrorLine(9, "late"));
}

TEST(ResultsStringTest, SummaryReplacesEveryPlaceholder) {
  const std::string summary = DefaultMessageTable()[kMessageErrorSummary];
  EXPECT_EQ(ErrorSummaryText(summary, 2), "저장시 오류가 2개 발생하였습니다! 오류 내역을 확인하세요!");
  EXPECT_EQ(ErrorSummaryText("@1 of @1", 1), "1 of 1");
  EXPECT_EQ(ErrorSummaryText("no count here", 5), "no count here");
  EXPECT_EQ(ErrorSummaryText("@@11", 3), "@31");
}

TEST(SaveRulesTest, PendingStatusesAreExact) {
  for (const char* s : {"A", "U", "X"}) EXPECT_TRUE(IsPendingStatus(s)) << s;
  for (const char* s : {"", "D", "a", " A", "A ", "1", "AU"}) EXPECT_FALSE(IsPendingStatus(s)) << s;
}

TEST(SaveRulesTest, RequiredCellEmptiness) {
  struct Case {
    const char* value;
    int32_t type;
    bool empty;
  };
  const Case cases[] = {
      {"", EnText, true},     {"   ", EnText, true},    {"0", EnText, false},
      {"x", EnText, false},   {"0", EnFloat, true},     {" 0 ", EnFloat, true},
      {"0.5", EnFloat, false}, {"", EnFloat, true},     {"00", EnFloat, false},
      {"0", EnCheck, false},  {"\t", EnText, false},    {"가", EnText, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsRequiredCellEmpty(c.value, c.type), c.empty) << "'" << c.value << "' " << c.type;
  }
}

TEST(SaveRulesTest, RecordNumbers) {
  // Records of two rows start at 1, 3, 5: any row of a record gives its number.
  EXPECT_EQ(RecordNumber(2, 2), 1);
  EXPECT_EQ(RecordNumber(3, 2), 2);
  EXPECT_EQ(RecordNumber(6, 2), 3);
  EXPECT_EQ(RecordNumber(7, 1), 7);
  EXPECT_EQ(RecordNumber(4, 3), 2);
}

}  // namespace
}  // namespace zel::internal
