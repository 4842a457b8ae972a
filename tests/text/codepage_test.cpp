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
  const std::string ga = ToAnsi("가");
  EXPECT_EQ(ga, "\xB0\xA1");
  EXPECT_EQ(FromAnsi(ga), "가");
  EXPECT_EQ(ToAnsi("abc가나"), "abc\xB0\xA1\xB3\xAA");
  EXPECT_EQ(FromAnsi(ToAnsi("똠방각하 ~,~I~")), "똠방각하 ~,~I~");  // UHC extension syllable
  EXPECT_EQ(ToAnsi("a😀b"), "a?b");
  // Invalid UTF-8 goes byte by byte, as Len counts it: a cut-off syllable is two "?".
  EXPECT_EQ(ToAnsi("a\xFF" "b\xEA\xB0"), "a?b??");
  EXPECT_EQ(FromAnsi("a\xB0"), "a?");              // lead byte with nothing after it
  EXPECT_EQ(FromAnsi("\xFF" "b"), "?b");
  EXPECT_EQ(ToAnsi(""), "");
  EXPECT_EQ(ToAnsi("가", "949"), "\xB0\xA1");
  EXPECT_EQ(ToAnsi("가", "no-such-codepage"), "\xB0\xA1");  // falls back to CP949
  EXPECT_EQ(ToAnsi("가", "UTF-16LE"), std::string("\x00\xAC", 2));
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
  for (int n : ok) EXPECT_EQ(n, 200);
}

}  // namespace
}  // namespace zel::text
