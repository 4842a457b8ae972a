#include <gtest/gtest.h>

#include "zelsheet/platform.h"

namespace zel {
namespace {

KeyStroke Key(int32_t code) { return {false, code}; }
KeyStroke Char(int32_t code) { return {true, code}; }

TEST(ParseSendKeys, ReadsNamedKeysCharactersAndRepeats) {
  struct Case {
    std::string text;
    std::vector<KeyStroke> keys;
  };
  const Case cases[] = {
      {"", {}},
      {"{DOWN}{HOME}", {Key(40), Key(36)}},
      {"{TAB}", {Key(9)}},
      {"{tab}", {Key(9)}},
      {"~", {Key(13)}},
      {"{ENTER}", {Key(13)}},
      {"{F2}{F12}", {Key(113), Key(123)}},
      {"{DOWN 3}", {Key(40), Key(40), Key(40)}},
      {"{LEFT 0}", {}},
      {"ab", {Char('a'), Char('b')}},
      {"가", {Char(0xAC00)}},
      {"{{}{}}{+}{~}{가}", {Char('{'), Char('}'), Char('+'), Char('~'), Char(0xAC00)}},
      {"{x 2}", {Char('x'), Char('x')}},
      // An invalid UTF-8 byte is typed as itself rather than refused or over-read.
      {std::string("\xEA\xB0", 2), {Char(0xEA), Char(0xB0)}},
  };
  for (const Case& c : cases) {
    const auto parsed = ParseSendKeys(c.text);
    ASSERT_TRUE(parsed.has_value()) << c.text;
    EXPECT_EQ(*parsed, c.keys) << c.text;
  }
}

TEST(ParseSendKeys, RefusesWhatItCannotSend) {
  const std::string bad[] = {"{",          "{DOWN",   "{}",       "}",       "{NOPE}",
                             "{F0}",       "{F17}",   "{DOWN x}", "{DOWN -1}", "{DOWN 1001}",
                             "+{TAB}",     "^c",      "%f",       "(ab)",    "{DOWN 3 4}"};
  for (const std::string& text : bad) EXPECT_FALSE(ParseSendKeys(text).has_value()) << text;
}

TEST(KeyQueue, MessageLoopPassRunsTheHostHandlerWithoutRecursing) {
  KeyQueue q;
  q.DoEvents();  // no handler: only counted
  int runs = 0;
  q.OnMessageLoopPass([&] {
    ++runs;
    q.DoEvents();  // a handler that asks for another pass does not recurse
    q.SendKeys("{TAB}");
  });
  for (int i = 0; i < 5; ++i) q.DoEvents();
  EXPECT_EQ(runs, 5);
  EXPECT_EQ(q.MessageLoopPasses(), 11);
  EXPECT_EQ(q.TakeSentKeys(), std::vector<std::string>(5, "{TAB}"));
  EXPECT_TRUE(q.TakeSentKeys().empty());

  // A handler that throws leaves the queue usable.
  q.OnMessageLoopPass([] { throw std::runtime_error("host failed"); });
  EXPECT_THROW(q.DoEvents(), std::runtime_error);
  q.OnMessageLoopPass([&] { ++runs; });
  q.DoEvents();
  EXPECT_EQ(runs, 6);
}

}  // namespace
}  // namespace zel
