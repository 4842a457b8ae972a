#include "text/strings.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zel::text {
namespace {

using Strings = std::vector<std::string>;

TEST(TextCount, CharactersNotBytes) {
  // The ASCII fast path on both sides of a Hangul syllable, a four-byte character, then each
  // byte alone: a cut-off Hangul, never valid and overlong, an encoded surrogate, a stray
  // continuation byte.
  const std::pair<std::string, size_t> cases[] = {
      {"", 0}, {"abc", 3}, {"가나다12", 5}, {"abcdefghij가klmnopqrs", 20}, {"😀x", 2},
      {"\xEA\xB0", 2}, {"\xFF\xC0\x80", 3}, {"\xED\xA0\x80", 3}, {"a\x80" "b", 3},
  };
  for (const auto& [s, chars] : cases) {
    EXPECT_EQ(CharCount(s), chars) << s;
    EXPECT_EQ(Len(s), static_cast<int32_t>(chars)) << s;
  }
  EXPECT_EQ(ByteOffset("가나다", 2), 6u);
  EXPECT_EQ(ByteOffset("가나다", 9), 9u);
  const std::string s = "a가😀\xEA\xB0";  // ASCII, Hangul, four bytes, a cut-off Hangul
  std::vector<char32_t> got;
  for (size_t pos = 0; pos < s.size();) got.push_back(DecodeAt(s, pos));
  EXPECT_EQ(got, (std::vector<char32_t>{U'a', U'\uAC00', U'\U0001F600', 0xEA, 0xB0}));
}

// Left, Right and Mid agree with each other on arbitrary bytes (robustness_test); these pin
// the absolute positions, the ASCII fast path that skips ahead of a syllable, and the
// editing helpers.
TEST(TextCut, CutsAndEditsCountCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {Mid("31-01-2024", 7, 4), "2024"}, {Mid("가나다라", 2, 2), "나다"}, {Mid("가나다라", 4, 10), "라"},
      {Mid("가나다라", 9, 2), ""}, {Mid("abc", 1, 0), ""}, {Mid("abcdefgh가ijklmnopq", 9, 9), "가ijklmnop"},
      {Mid("\xEA\xB0x", 2, 1), "\xB0"}, {Right("가나다", 2), "나다"},
      {Replace("가나가", "가", "다라"), "다라나다라"}, {Replace("aaa", "aa", "b"), "ba"},  // no overlap
      {Replace("abc", "", "x"), "abc"}, {Replace("가", "\xB0\x80", "x"), "가"},  // not inside 가
      {Trim("  가 나  "), "가 나"}, {Trim("\t a \n"), "\t a \n"},  // only blanks are trimmed
      {LTrim("  a "), "a "}, {RTrim("  a "), "  a"}, {Trim("    "), ""}, {UCase("ok가z"), "OK가Z"},
      {LCase("SHID가"), "shid가"}, {Space(3), "   "}, {Space(-1), ""},
  };
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
  EXPECT_THROW(Mid("abc", 0), std::invalid_argument);
  EXPECT_THROW(Mid("abc", -3, 1), std::invalid_argument);
  EXPECT_THROW(Left("a", -1), std::invalid_argument);
  EXPECT_THROW(Right("a", -1), std::invalid_argument);
}

TEST(TextSearch, InStrAndInStrRev) {
  struct Case {
    bool reverse;
    std::string s, find;
    int32_t start, expected;
  };
  const Case cases[] = {
      {false, "가나다나", "나", 1, 2}, {false, "가나다나", "나", 3, 4}, {false, "가나다나", "라", 1, 0},
      {false, "abc", "", 2, 2},       {false, "abc", "", 4, 4},       {false, "abc", "", 5, 0},
      {false, "abc", "c", 99, 0},     {false, "", "a", 1, 0},         {false, "a~,b~,", "~,", 3, 5},
      {false, "가\xB0", "\xB0", 1, 2},  // the stray byte, not inside 가
      {false, "가", "\xB0\x80", 1, 0}, {true, "가", "\xB0\x80", -1, 0},
      {true, "가나다나", "나", -1, 4}, {true, "가나다나", "나", 3, 2}, {true, "aaa", "aa", -1, 2},
      {true, "abcabc", "bc", 5, 2},    {true, "abc", "", -1, 3},       {true, "abc", "", 2, 2},
      {true, "abc", "a", 4, 0},        {true, "", "a", -1, 0},         {true, "abc", "x", -1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.reverse ? InStrRev(c.s, c.find, c.start) : InStr(c.s, c.find, c.start), c.expected)
        << c.s << " / " << c.find << " @" << c.start << (c.reverse ? " reverse" : "");
  }
  EXPECT_THROW(InStr("abc", "a", 0), std::invalid_argument);
  EXPECT_THROW(InStrRev("abc", "a", 0), std::invalid_argument);
  EXPECT_THROW(InStrRev("abc", "a", -2), std::invalid_argument);
}

TEST(TextEdit, SplitCountsSeparators) {
  const std::pair<std::pair<std::string, std::string>, Strings> cases[] = {
      {{"a1~,a2~,~I~b1~,b2~,~I~", "~I~"}, {"a1~,a2~,", "b1~,b2~,", ""}}, {{"abc", ","}, {"abc"}},
      {{"", ","}, {""}},  // an empty text holds no separator: size() - 1 == 0
      {{",", ","}, {"", ""}}, {{"가,나", ","}, {"가", "나"}}, {{"abc", ""}, {"abc"}}, {{"가", "\xB0"}, {"가"}},
  };
  for (const auto& [in, parts] : cases) EXPECT_EQ(Split(in.first, in.second), parts) << in.first;
}

}  // namespace
}  // namespace zel::text
