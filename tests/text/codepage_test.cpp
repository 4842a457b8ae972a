#include "text/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace zel::text {
namespace {

class TextCodePage : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!CodePageAvailable("CP949")) GTEST_SKIP() << "iconv has no CP949 converter (libc6 gconv modules)";
  }
};

TEST_F(TextCodePage, RoundTripAndUnconvertible) {
  // Invalid UTF-8 goes byte by byte, as Len counts it: a cut-off syllable is two "?"; an
  // unknown code page falls back to CP949.
  const std::pair<std::string, std::string> to[] = {
      {ToAnsi("abc가나"), "abc\xB0\xA1\xB3\xAA"}, {ToAnsi("a😀b"), "a?b"}, {ToAnsi("a\xFF" "b\xEA\xB0"), "a?b??"},
      {ToAnsi(""), ""}, {ToAnsi("가", "949"), "\xB0\xA1"}, {ToAnsi("가", "no-such-codepage"), "\xB0\xA1"},
      {ToAnsi("가", "UTF-16LE"), std::string("\x00\xAC", 2)}, {FromAnsi("\xB0\xA1"), "가"},
      {FromAnsi("a\xB0"), "a?"}, {FromAnsi("\xFF" "b"), "?b"},  // a lead byte with nothing after it
      {FromAnsi(ToAnsi("똠방각하 ~,~I~")), "똠방각하 ~,~I~"},   // UHC extension syllable
  };
  for (const auto& [got, expected] : to) EXPECT_EQ(got, expected);
}

TEST_F(TextCodePage, ByteLengthAndCut) {
  const std::pair<std::string, int32_t> lens[] = {{"가나다12", 8}, {"", 0}, {"abc", 3}, {"😀", 1}, {"\xFF", 1}};
  for (const auto& [s, bytes] : lens) EXPECT_EQ(LenH(s), bytes) << s;

  struct CutCase {
    std::string s;
    int32_t max;
    std::string prefix;
  };
  const CutCase cuts[] = {
      {"가나다12", 8, "가나다12"}, {"가나다12", 99, "가나다12"}, {"가나다12", 5, "가나"}, {"가나다12", 4, "가나"},
      {"가나다12", 7, "가나다1"}, {"a가", 2, "a"}, {"a가", 0, ""}, {"a가", -5, ""}, {"😀가", 1, "😀"}, {"", 3, ""},
  };
  for (const CutCase& c : cuts) EXPECT_EQ(SCut(c.s, c.max), c.prefix) << c.s << " " << c.max;
}

TEST_F(TextCodePage, ThreadsConvertIndependently) {
  std::vector<std::thread> threads;
  std::vector<int> ok(4, 0);
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&ok, t] {
      for (int i = 0; i < 200; ++i)
        ok[static_cast<size_t>(t)] += FromAnsi(ToAnsi("가나다")) == "가나다" && LenH("가a") == 3;
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(ok, std::vector<int>(4, 200));
}

}  // namespace
}  // namespace zel::text
