// The save rules and the results string's header, as tables; the walks that use them are
// tested through the result members.
#include "validation/internal/results_string.h"

#include <gtest/gtest.h>

#include <utility>

#include "columns/row_status_text.h"
#include "validation/save_rules.h"
#include "zelsheet/types.h"

namespace zel::internal {
namespace {

TEST(SaveRulesTest, CodesStatusesEmptyCellsAndHeaders) {
  for (const char* c : {"OK", "ok", " Ok ", "oK"}) EXPECT_TRUE(IsSavedCode(c)) << c;
  for (const char* c : {"OK.", "", "  ", "OKAY", "O K", "\tOK"}) EXPECT_FALSE(IsSavedCode(c)) << c;
  for (const char* s : {"A", "U", "X"}) EXPECT_TRUE(IsPendingStatus(s)) << s;
  for (const char* s : {"", "D", "a", " A", "A ", "AU"}) EXPECT_FALSE(IsPendingStatus(s)) << s;
  const std::pair<const char*, int32_t> empty[] = {{"   ", EnText}, {" 0 ", EnFloat}, {"", EnFloat}};
  const std::pair<const char*, int32_t> filled[] = {{"\t", EnText}, {"00", EnFloat}, {"0", EnCheck}};
  for (const auto& [v, type] : empty) EXPECT_TRUE(IsRequiredCellEmpty(v, type)) << v << type;
  for (const auto& [v, type] : filled) EXPECT_FALSE(IsRequiredCellEmpty(v, type)) << v << type;
  EXPECT_EQ(ErrorSummaryText("@1 of @1", 2) + ErrorSummaryText("@@11", 3), "2 of 2@31");
  // A header's last name without its "~," is lost, as the grammar says.
  using Names = std::vector<std::string>;
  EXPECT_EQ(ResultsString("W~,~,A~,B~I~").ValueNames(), Names{"A"});
  EXPECT_EQ(ResultsString("garbage").ValueNames(), Names{});
}

}  // namespace
}  // namespace zel::internal
