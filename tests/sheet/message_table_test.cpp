#include "sheet/message_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace zel::internal {
namespace {

// A stored table of `count` entries: "m0", "m1", ... ("c<i>" from entry 3 on, the captions).
std::string StoredTable(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += "~I~";
    text += (i < kFirstCaptionEntry ? "m" : "c") + std::to_string(i);
  }
  return text;
}

TEST(MessageTableTest, DefaultsAreTheBuiltInTextsByteForByte) {
  const std::vector<std::string> table = DefaultMessageTable();
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[0], "Sheet 초기화를 하신 후에는 현재 창을 닫으시고 새로 시작하세요.");
  EXPECT_EQ(table[1], "저장시 오류가 @1개 발생하였습니다! 오류 내역을 확인하세요!");
  EXPECT_EQ(table[2], "의 필수입력항목을 입력하지 않았습니다.");
  EXPECT_EQ(table[3], "");
  EXPECT_EQ(MessageTableValueName(1042), "SHEET_1042");
}

TEST(MessageTableTest, BlankStoredTextGivesDefaultsAndKeepsCaptions) {
  for (const char* blank : {"", "   "}) {
    std::map<std::string, std::string> captions = {{"mnuCut", "own caption"}};
    EXPECT_EQ(BuildMessageTable(blank, captions), DefaultMessageTable());
    EXPECT_EQ(captions, (std::map<std::string, std::string>{{"mnuCut", "own caption"}}));
  }
}

TEST(MessageTableTest, FullTableSetsAllTwentySixCaptionsInOrder) {
  std::map<std::string, std::string> captions;
  const std::vector<std::string> table = BuildMessageTable(StoredTable(29), captions);
  ASSERT_EQ(table.size(), 29u);
  EXPECT_EQ(table[1], "m1");
  ASSERT_EQ(captions.size(), 26u);
  EXPECT_EQ(captions["mnuSendToExcel"], "c3");
  EXPECT_EQ(captions["mnuErrorLogShow"], "c6");
  EXPECT_EQ(captions["mnuSheetSumNAvg"], "c16");
  EXPECT_EQ(captions["mnuNew"], "c21");
  EXPECT_EQ(captions["mnuDataAdd"], "c28");
}

TEST(MessageTableTest, ShortTableLeavesTheMissingCaptionsAlone) {
  std::map<std::string, std::string> captions = {{"mnuSheetPrint", "built in"},
                                                 {"mnuDataAdd", "Data Add "}};
  const std::vector<std::string> table = BuildMessageTable(StoredTable(5), captions);
  EXPECT_EQ(table.size(), 5u);
  EXPECT_EQ(captions["mnuSendToExcel"], "c3");
  EXPECT_EQ(captions["mnuSendToChart"], "c4");
  EXPECT_EQ(captions["mnuSheetPrint"], "built in");
  EXPECT_EQ(captions["mnuDataAdd"], "Data Add ");
  EXPECT_EQ(captions.size(), 4u);

  // Too short even for the messages: the missing ones read as "".
  captions.clear();
  const std::vector<std::string> tiny = BuildMessageTable("only the note", captions);
  EXPECT_EQ(MessageEntry(tiny, 0), "only the note");
  EXPECT_EQ(MessageEntry(tiny, kMessageErrorSummary), "");
  EXPECT_EQ(MessageEntry(tiny, -1), "");
  EXPECT_TRUE(captions.empty());
}

TEST(MessageTableTest, ExtraEntriesAndHangulAreKept) {
  std::map<std::string, std::string> captions;
  const std::vector<std::string> table =
      BuildMessageTable(StoredTable(28) + "~I~데이터 추가~I~extra", captions);
  EXPECT_EQ(table.size(), 30u);
  EXPECT_EQ(captions["mnuDataAdd"], "데이터 추가");
  EXPECT_EQ(captions.count("extra"), 0u);
}

}  // namespace
}  // namespace zel::internal
