// The terminal's screen: what a small grid looks like painted on it, and the promise
// hit-testing rests on (a point on the screen maps to a twip position that the grid finds in
// the very cell painted there); text width, cutting and the screen buffer where a Hangul
// syllable (two cells) meets an edge, a clip or another character written over half of it;
// and the terminal's keys as the sheet's key codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tui/grid_painter.h"
#include "tui/input_event.h"
#include "tui/screen_buffer.h"
#include "tui/text_width.h"
#include "zelsheet/grid.h"

namespace zel::tui {
namespace {

// Lays the grid out for `area` and paints it there.
void PaintArea(Grid& g, GridPainter& painter, ScreenBuffer& s, const Rect& area) {
  int32_t w = 0, h = 0;
  GridPainter::AreaTwips(area, w, h);
  g.SetViewport(w, h);
  painter.Paint(s, area);
}

// Four columns: a key, a Hangul name, a right-aligned amount, a check box; two header rows
// with a title spanning the first two columns; the first column frozen.
void Build(Grid& g) {
  g.MaxCols(4);
  g.MaxRows(40);
  g.ColHeaderRows(2);
  g.ColHeaderDisplay(0);
  g.RowHeaderDisplay(1);
  const double widths[] = {3, 5, 7, 6, 5};
  for (int32_t c = 0; c <= 4; ++c) g.ColWidth(c, widths[c]);
  g.ColsFrozen(1);
  g.AddCellSpan(1, -1000, 2, 1);
  g.SetText(1, -1000, "거래처");
  g.Col(3), g.Row(-1), g.TypeHAlign(1);
  g.Col(4), g.Row(-1), g.CellType(kCellCheckBox);
  g.Col(4), g.Row(-999), g.CellType(kCellStatic);  // the title stays a title
  const char* titles[] = {"코드", "이름", "금액", "사용"};
  for (int32_t c = 1; c <= 4; ++c) g.SetText(c, -999, titles[c - 1]);
  for (int32_t r = 1; r <= 40; ++r) {
    g.SetText(1, r, "K" + std::to_string(r));
    g.SetText(2, r, r == 2 ? "주식회사 한빛상사" : "한빛");
    g.SetText(3, r, std::to_string(r * 1000));
    g.SetText(4, r, r % 2 ? "1" : "0");
  }
}

TEST(GridPainter, PaintsTheVisiblePartAndPointsHitThePaintedCell) {
  ASSERT_TRUE(EnsureUtf8Locale());
  Grid g;
  GridPainter painter(g);
  ScreenBuffer s;
  s.Reset(6, 26);
  Build(g);
  PaintArea(g, painter, s, Rect{1, 1, 5, 24});
  // The row header, the frozen key column (double line), the name cut with its mark, the
  // amount right-aligned, the check box column cut by the area's right edge (no line, no
  // mark).
  std::string lines;
  for (int y = 0; y < s.Height(); ++y) lines += s.LineText(y) + "\n";
  EXPECT_EQ(lines,
            "                          \n"
            "   │거래처     │     │    \n"
            "   │코드║이름  │ 금액│사  \n"
            " 1 │K1  ║한빛  │ 1000│[x] \n"
            " 2 │K2  ║주식… │ 2000│[ ] \n"
            " 3 │K3  ║한빛  │ 3000│[x] \n");
  EXPECT_TRUE(s.StyleAt(3, 4).attrs & kAttrReverse);  // the active cell (1, 1)
  EXPECT_FALSE(s.StyleAt(3, 9).attrs & kAttrReverse);
  // Scrolled: the frozen column stays, the scrolled rows and columns move on.
  g.TopRow(30);
  g.LeftCol(3);
  painter.Paint(s, Rect{1, 1, 5, 24});
  EXPECT_EQ(s.LineText(3), " 30│K30 ║30000│[ ] │      ");

  // Every screen point of a larger area, over widths that are not whole characters, maps to
  // a twip position inside the cell painted there.
  s.Reset(12, 30);
  const Rect area{2, 3, 9, 25};
  g.ColWidth(1, 4.4);
  g.ColWidth(2, 6.6);
  g.ColWidth(3, 5.5);
  g.TopRow(5);
  g.LeftCol(1);
  PaintArea(g, painter, s, area);
  int checked = 0;
  for (int y = area.top; y < area.bottom(); ++y) {
    for (int x = area.left; x < area.right(); ++x) {
      float tx = 0, ty = 0;
      ASSERT_TRUE(painter.PointToTwips(y, x, tx, ty));
      int32_t col = -2, row = -2;
      g.GetCellFromScreenCoord(col, row, static_cast<int32_t>(tx), static_cast<int32_t>(ty));
      if (col < 0 || row == -1) continue;  // beyond the last column: no cell
      // Spanned header cells answer with any cell of the span; compare the anchors.
      int32_t ac = 0, ar = 0, nc = 0, nr = 0;
      g.GetCellSpan(col, row, ac, ar, nc, nr);
      Rect r;
      ASSERT_TRUE(painter.CellRect(ac, ar, r) || painter.CellRect(col, row, r)) << col << "," << row;
      EXPECT_TRUE(nc != 1 || nr != 1 || r.Contains(y, x)) << "screen " << y << "," << x << " hit " << col << "," << row;
      ++checked;
    }
  }
  EXPECT_GT(checked, 150);
  float tx = 0, ty = 0;
  EXPECT_FALSE(painter.PointToTwips(area.top - 1, area.left, tx, ty));

  // Heights in points become whole lines: the usual 10.2-point rows one line each (none left
  // out between its neighbours), a 26-point header row two.
  Grid rows;
  rows.MaxCols(1);
  rows.RowHeight(0, 26);
  rows.RowHeight(-1, 10.2);
  rows.MaxRows(12);
  for (int32_t r = 1; r <= 12; ++r) rows.SetText(1, r, "R" + std::to_string(r));
  GridPainter::FitRowHeightsToLines(rows);
  GridPainter rows_painter(rows);
  s.Reset(12, 10);
  PaintArea(rows, rows_painter, s, Rect{0, 0, 12, 10});
  for (int32_t r = 1; r <= 9; ++r) EXPECT_EQ(s.LineText(r + 1), std::to_string(r) + "      │R" + std::to_string(r));
}

// A number wider than its cell, or than the part the area's edge leaves of it, shows "#"
// marks: cut, it would read as another number.
TEST(GridPainter, NumbersThatDoNotFitShowMarks) {
  Grid g;
  g.MaxCols(1);
  g.MaxRows(2);
  g.ColWidth(0, 3);
  g.ColWidth(1, 14);
  g.Col(1), g.Row(-1), g.CellType(kCellFloat), g.TypeHAlign(1);
  g.SetText(1, 1, "123456789");
  g.SetText(1, 2, "42");
  GridPainter painter(g);
  std::string lines;
  for (const int width : {17, 10}) {
    ScreenBuffer s;
    s.Reset(3, width);
    PaintArea(g, painter, s, Rect{0, 0, 3, width});
    lines += s.LineText(1) + "|" + s.LineText(2) + "\n";
  }
  EXPECT_EQ(lines,
            "1 │ 123456789.00│|2 │        42.00│\n"
            "1 │#######|2 │  42.00\n");
}

TEST(TuiText, WidthFitAndTheBufferNeverSplitACharacter) {
  ASSERT_TRUE(EnsureUtf8Locale());
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
  // A cut text ends in a mark within the width, a wide syllable that does not fit before it
  // left out; `more` marks a text that fits.
  struct Marked {
    std::string text;
    int width;
    bool more;
    std::string shown;
  };
  const Marked marked[] = {
      {"강원특별자치도", 10, false, "강원특별…"}, {"강원특별자치도", 14, false, "강원특별자치도"},
      {"abcdef", 5, false, "abcd…"},             {"ab", 5, true, "ab…"},
      {"가나", 1, false, "…"},                    {"가나", 0, false, ""},
      {"abc      ", 5, false, "abc"},
  };
  for (const Marked& m : marked) {
    std::string buffer;
    const std::string_view shown = FitWithCutMark(m.text, m.width, m.more, buffer);
    EXPECT_EQ(shown, m.shown) << m.text << " in " << m.width;
    EXPECT_LE(TextWidth(shown), m.width) << m.text;
  }
  EXPECT_EQ(DecodeUtf8("\xE3\x80", 0).code, U'\uFFFD');  // truncated sequence

  // The buffer keeps wide characters whole.
  ScreenBuffer s;
  s.Reset(3, 6);
  EXPECT_EQ(s.Put(0, 0, "가나다라", {}), 6);  // the fourth syllable does not fit
  s.Put(0, 1, "x", {});                        // over the second half of 가
  s.Put(0, 2, "y", {});                        // over the first half of 나
  EXPECT_EQ(s.LineText(0), " xy 다");
  s.SetClip({1, 0, 1, 3});
  EXPECT_EQ(s.Put(1, 0, "한글", {}), 3);  // cut by the clip: a blank where 글 would stand
  s.Put(2, 0, "outside", {});
  EXPECT_EQ(s.LineText(1) + "|" + s.LineText(2), "한    |      ");
  s.SetClip(s.Bounds());
  s.PutField(2, 0, 6, "12", {}, Align::Right);
  s.PutField(1, 0, 6, "가", {}, Align::Centre);
  EXPECT_EQ(s.LineText(1) + "|" + s.LineText(2), "  가  |    12");
  s.Put(1, 0, "a\nb", {});
  EXPECT_EQ(s.LineText(1), "a\uFFFDb   ");  // b took the first half of 가
}

TEST(TuiKeys, CursesNamesAndCharacters) {
  struct Case {
    InputEvent event;
    int16_t key, shift;
  };
  const Case cases[] = {
      {KeyFromName("KEY_UP"), kVkUp, 0},          {KeyFromName("KEY_F(5)"), VkF(5), 0},
      {KeyFromName("KEY_F(17)"), VkF(5), kShift}, {KeyFromName("KEY_F(29)"), VkF(5), kCtrl},
      {KeyFromName("KEY_BTAB"), kVkTab, kShift},  {KeyFromName("KEY_SLEFT"), kVkLeft, kShift},
      {KeyFromName("kDN5"), kVkDown, kCtrl},      {KeyFromName("kHOM6"), kVkHome, kCtrl | kShift},
      {KeyFromName("kRIT3"), kVkRight, kAlt},     {KeyFromName("KEY_DC"), kVkDelete, 0},
      {KeyFromName("KEY_NPAGE"), kVkNext, 0},     {KeyFromChar(19), VkLetter('S'), kCtrl},
      {KeyFromChar(13), kVkReturn, 0},            {KeyFromChar(127), kVkBack, 0},
  };
  for (const Case& c : cases) EXPECT_TRUE(c.event.Is(c.key, c.shift)) << c.key << "/" << c.shift;
  for (const char* unknown : {"KEY_F(99)", "kUP9", "KEY_NOPE", "KEY_F(x)"}) EXPECT_EQ(KeyFromName(unknown).kind, InputEvent::Kind::None) << unknown;
  EXPECT_EQ(KeyFromChar(U'한').text + KeyFromChar(U'\U0001F600').text, "한\xF0\x9F\x98\x80");
  EXPECT_EQ(KeyFromChar(0x9B).kind, InputEvent::Kind::None);
}

}  // namespace
}  // namespace zel::tui
