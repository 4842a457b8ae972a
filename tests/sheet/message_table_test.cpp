#include "sheet/message_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace zel::internal {
namespace {

using Captions = std::map<std::string, std::string>;

// A stored table of `count` entries: "m0", "m1", ... ("c<i>" from entry 3 on, the captions).
std::string StoredTable(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += (i > 0 ? "~I~" : "") + std::string(i < kFirstCaptionEntry ? "m" : "c") + std::to_string(i);
  }
  return text;
}

TEST(MessageTableTest, StoredTextGivesMessagesAndTheCaptionsItReaches) {
  for (const char* blank : {"", "   "}) {
    Captions own = {{"mnuCut", "own caption"}};
    EXPECT_EQ(BuildMessageTable(blank, own), DefaultMessageTable());
    EXPECT_EQ(own, (Captions{{"mnuCut", "own caption"}}));
  }
  EXPECT_EQ(DefaultMessageTable().front(), "Sheet 초기화를 하신 후에는 현재 창을 닫으시고 새로 시작하세요.");
  // Stored entries set the captions they reach.
  Captions captions;
  EXPECT_EQ(BuildMessageTable(StoredTable(29), captions).size(), 29u);
  ASSERT_EQ(captions.size(), 26u);
  EXPECT_EQ(captions["mnuSendToExcel"] + captions["mnuErrorLogShow"] + captions["mnuSheetSumNAvg"] +
                captions["mnuNew"] + captions["mnuDataAdd"],
            "c3c6c16c21c28");
  // A short table leaves the missing captions alone.
  captions = {{"mnuSheetPrint", "built in"}, {"mnuDataAdd", "Data Add "}};
  EXPECT_EQ(BuildMessageTable(StoredTable(5), captions).size(), 5u);
  EXPECT_EQ(captions, (Captions{{"mnuDataAdd", "Data Add "}, {"mnuSendToChart", "c4"}, {"mnuSendToExcel", "c3"},
                                {"mnuSheetPrint", "built in"}}));
  // Too short even for the messages: the missing ones read as "".
  captions.clear();
  const std::vector<std::string> tiny = BuildMessageTable("only the note", captions);
  EXPECT_EQ(MessageEntry(tiny, 0) + "|" + MessageEntry(tiny, kMessageErrorSummary) + "|" + MessageEntry(tiny, -1),
            "only the note||");
  EXPECT_TRUE(captions.empty());
}

}  // namespace
}  // namespace zel::internal
