#include "columns/internal/color_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zel::internal {
namespace {

// "r,g,b" texts: items trimmed, a non-number counts 0, nothing clamped, extra items ignored.
TEST(ColorTextTest, ConversionAndMalformedTexts) {
  EXPECT_EQ(ColorFromText(" 1, 2 ,3,9"), 1 + 2 * 256 + 3 * 65536);
  EXPECT_EQ(ColorFromText("red,0,1"), 65536);
  EXPECT_EQ(ColorFromText("300,0,0"), 300);
  EXPECT_THROW(ColorFromText(""), SubscriptError);
  EXPECT_THROW(ColorFromText("0,0,1e9"), std::overflow_error);
  EXPECT_EQ(ColorTextOrDefault("", kBlackText), "0,0,0");
}

}  // namespace
}  // namespace zel::internal
