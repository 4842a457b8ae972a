#include "columns/internal/color_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zel::internal {
namespace {

TEST(ColorTextTest, Conversion) {
  EXPECT_EQ(ColorFromText("255,0,0"), 255);
  EXPECT_EQ(ColorFromText("0,0,255"), 16711680);
  EXPECT_EQ(ColorFromText(kWhiteText), 0xFFFFFF);
  EXPECT_EQ(ColorFromText(kBlackText), 0);
  EXPECT_EQ(ColorFromText(" 1, 2 ,3,9"), 1 + 2 * 256 + 3 * 65536);
  EXPECT_EQ(ColorFromText("red,0,1"), 65536);     // a non-number counts 0
  EXPECT_EQ(ColorFromText("300,0,0"), 300);       // not clamped
  EXPECT_EQ(ColorFromText("0,256,0"), 65536);
}

TEST(ColorTextTest, MalformedTexts) {
  EXPECT_THROW(ColorFromText(""), SubscriptError);
  EXPECT_THROW(ColorFromText("255,255"), SubscriptError);
  EXPECT_THROW(ColorFromText("0,0,1e9"), std::overflow_error);
  EXPECT_EQ(ColorTextOrDefault("  ", kWhiteText), "255,255,255");
  EXPECT_EQ(ColorTextOrDefault("", kBlackText), "0,0,0");
  EXPECT_EQ(ColorTextOrDefault("1,2,3", kBlackText), "1,2,3");
}

}  // namespace
}  // namespace zel::internal
