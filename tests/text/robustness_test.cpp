// Arbitrary bytes through the string helpers: cutting, splitting and searching must agree
// with each other and nothing may read out of bounds (run under the sanitizer build). The
// number, date and code page helpers get arbitrary bytes from the text_helpers fuzz target.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/strings.h"

namespace zel::text {
namespace {

std::string RandomText(std::mt19937& rng) {
  static const std::string kPieces[] = {"a", "~,", "가", "\xEA", "\xB0", "\x80", "\xFF", " ",
                                        "0", "9", ".", "-", "e", "#", "y", "m", "\"", "\\",
                                        ";", "@", "😀", "\xF0\x9F", ",", "%", "E+"};
  std::uniform_int_distribution<size_t> len(0, 12), pick(0, std::size(kPieces) - 1);
  std::string s;
  for (size_t n = len(rng); n > 0; --n) s += kPieces[pick(rng)];
  return s;
}

TEST(TextRobustness, InvariantsOnArbitraryBytes) {
  std::mt19937 rng(20240229);
  for (int round = 0; round < 3000; ++round) {
    const std::string s = RandomText(rng);
    const std::string t = RandomText(rng);
    const int32_t len = Len(s);
    for (int32_t k = 0; k <= len + 1; ++k) {
      EXPECT_EQ(Left(s, k) + Mid(s, k + 1), s);
      EXPECT_EQ(Len(Left(s, k)), std::min(k, len));
      EXPECT_EQ(Right(s, k), Mid(s, std::max(1, len - k + 1)));
    }
    const auto parts = Split(s, t);
    std::string joined;
    for (size_t i = 0; i < parts.size(); ++i) joined += (i ? t : "") + parts[i];
    EXPECT_EQ(joined, s);
    const int32_t at = InStr(s, t);
    if (at > 0 && !t.empty()) {
      EXPECT_EQ(Mid(s, at, Len(t)), t);
      EXPECT_GE(InStrRev(s, t), at);
    }
    EXPECT_EQ(Replace(s, t, t), s);

  }
}

}  // namespace
}  // namespace zel::text
