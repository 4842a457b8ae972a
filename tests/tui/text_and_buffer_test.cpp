// Text width, cutting and the screen buffer: the places where a Hangul syllable (two cells)
// meets an edge, a clip or another character written over half of it.
#include <gtest/gtest.h>

#include <string>

#include "tui/input_event.h"
#include "tui/screen_buffer.h"
#include "tui/text_width.h"

namespace zel::tui {
namespace {

class TuiText : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(EnsureUtf8Locale()); }
};

TEST_F(TuiText, WidthAndFitNeverSplitACharacter) {
  struct Case {
    std::string text;
    int width;
    std::string fits;
    int used;
  };
  const Case cases[] = {
      {"abc", 2, "ab", 2},         {"거래처", 4, "거래", 4},  {"거래처", 5, "거래", 4},
      {"a거b", 2, "a", 1},         {"", 3, "", 0},           {"(주)한빛", 5, "(주)", 4},
      {"e\xCC\x81x", 1, "e\xCC\x81", 1},  // a combining accent takes no cell
      {"\xFF" "a", 1, "\xFF", 1},          // an invalid byte is one replacement character
  };
  for (const Case& c : cases) {
    int used = -1;
    EXPECT_EQ(c.text.substr(0, FitWidth(c.text, c.width, used)), c.fits) << c.text << " in " << c.width;
    EXPECT_EQ(used, c.used) << c.text;
  }
  EXPECT_EQ(TextWidth("거래처 관리"), 11);
  std::string out;
  for (char32_t c : {U'A', U'\u00E9', U'\uAC00', U'\U0001F600'}) AppendUtf8(out, c);
  size_t pos = 0;
  for (char32_t want : {U'A', U'\u00E9', U'\uAC00', U'\U0001F600'}) {
    const Utf8Char c = DecodeUtf8(out, pos);
    EXPECT_EQ(c.code, want);
    pos += static_cast<size_t>(c.bytes);
  }
  EXPECT_EQ(DecodeUtf8("\xE3\x80", 0).code, U'\uFFFD');  // truncated sequence
}

TEST_F(TuiText, BufferKeepsWideCharactersWhole) {
  ScreenBuffer s;
  s.Reset(3, 6);
  EXPECT_EQ(s.Put(0, 0, "가나다라", {}), 6);  // the fourth syllable does not fit
  EXPECT_EQ(s.LineText(0), "가나다");
  s.Put(0, 1, "x", {});  // over the second half of 가
  EXPECT_EQ(s.LineText(0), " x나다");
  s.Put(0, 2, "y", {});  // over the first half of 나
  EXPECT_EQ(s.LineText(0), " xy 다");

  s.SetClip({1, 0, 1, 3});
  EXPECT_EQ(s.Put(1, 0, "한글", {}), 3);  // cut by the clip: a blank where 글 would stand
  EXPECT_EQ(s.LineText(1), "한    ");
  s.Put(2, 0, "outside", {});
  EXPECT_EQ(s.LineText(2), "      ");

  s.SetClip(s.Bounds());
  s.PutField(2, 0, 6, "12", {}, Align::Right);
  s.PutField(1, 0, 6, "가", {}, Align::Centre);
  EXPECT_EQ(s.LineText(2), "    12");
  EXPECT_EQ(s.LineText(1), "  가  ");
  s.Put(1, 0, "a\nb", {});
  EXPECT_EQ(s.LineText(1), "a\uFFFDb   ");  // b took the first half of 가
}

TEST(TuiKeys, CursesNamesAndCharacters) {
  struct Case {
    std::string name;
    int16_t key, shift;
  };
  const Case names[] = {
      {"KEY_UP", kVkUp, 0},          {"KEY_F(5)", VkF(5), 0},     {"KEY_F(17)", VkF(5), kShift},
      {"KEY_F(29)", VkF(5), kCtrl},  {"KEY_BTAB", kVkTab, kShift}, {"KEY_SLEFT", kVkLeft, kShift},
      {"kDN5", kVkDown, kCtrl},      {"kHOM6", kVkHome, kCtrl | kShift}, {"kRIT3", kVkRight, kAlt},
      {"KEY_DC", kVkDelete, 0},      {"KEY_NPAGE", kVkNext, 0},
  };
  for (const Case& c : names) {
    const InputEvent e = KeyFromName(c.name);
    EXPECT_TRUE(e.Is(c.key, c.shift)) << c.name << " -> " << e.key << "/" << e.shift;
  }
  for (const char* unknown : {"KEY_F(99)", "kUP9", "KEY_NOPE", "KEY_F(x)"}) {
    EXPECT_EQ(KeyFromName(unknown).kind, InputEvent::Kind::None) << unknown;
  }
  EXPECT_TRUE(KeyFromChar(19).Is(VkLetter('S'), kCtrl));
  EXPECT_TRUE(KeyFromChar(13).Is(kVkReturn));
  EXPECT_TRUE(KeyFromChar(127).Is(kVkBack));
  EXPECT_TRUE(KeyFromChar(9).Is(kVkTab));
  EXPECT_EQ(KeyFromChar(U'한').text, "한");
  EXPECT_EQ(KeyFromChar(0x9B).kind, InputEvent::Kind::None);
}

}  // namespace
}  // namespace zel::tui
