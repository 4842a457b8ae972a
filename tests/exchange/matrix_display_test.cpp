// DisplayMatrix: the columns built from the text, the total column and row, value lines of
// eight fields, and a random comparison against a plain reading. Texts that are not well
// formed are replayed from fuzz/regressions/matrix_text.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "support/sheet_fixture.h"

namespace zel {
namespace {

using testing::RenderRange;
using testing::RenderSheet;
using testing::SheetFixture;

TEST(DisplayMatrix, ColumnsAndTotalsFromTheText) {
  struct Case {
    const char* text;
    bool total;
    int16_t places;
    const char* caption;
    const char* picture;  // the header row first
  };
  const Case cases[] = {
      // The worked example.
      {"Region~,C~,10~,0~,~,~,~I~|~|30~,East~,10~,20~,~I~12.5~,West~,5~,7.5~,~I~|~|15~,Jan~,~I~27.5~,Feb~,~I~",
       false, 0, "TOTAL", ".|Region|Jan|Feb\n.|East|10|20\n.|West|5|8"},
      // A placeholder stands at the row-total column's place in each data row.
      {"Region~,C~,10~,0~,~,~,~I~|~|30~,East~,x~,10~,20~,~I~12.5~,West~,x~,5~,7.5~,~I~|~|15~,Jan~,~I~27.5~,Feb~,~I~",
       true, 2, "TOTAL",
       ".|Region|TOTAL|Jan|Feb\n.|TOTAL|42.50|15.00|27.50\n.|East|30.00|10.00|20.00\n.|West|12.50|5.00|7.50"},
      // No text column for the caption; the float key keeps one decimal.
      {"K~,F~,0~,1~,255,255,192~,0,0,255~,~I~|~|1~,2.75~,~,~I~|~|9~,V~,~I~", true, 0, "Sum", ".|K|Sum|V\n.||1|9\n.|2.8|1|"},
      // Value lines of eight fields carry their own type.
      {"K~,C~,5~,0~,~,~,~I~|~|0~,a~,hello~,3.14159~,~I~|~|0~,Txt~,C~,3~,0~,~,~,~I~0~,Num~,F~,0~,3~,~,~,~I~", false, 1,
       "TOTAL", ".|K|Txt|Num\n.|a|hello|3.142"},
  };
  for (const Case& c : cases) {
    SheetFixture f;
    EXPECT_TRUE(f.sheet.DisplayMatrix(c.text, c.total, c.places, c.caption));
    EXPECT_EQ(RenderSheet(f.sheet, RenderRange{0, f.sheet.MaxRows(), f.sheet.MaxCols()}), c.picture) << c.text;
  }
}

// Random matrices of text keys and integer values against a plain reading.
TEST(DisplayMatrix, RandomMatricesMatchAPlainReading) {
  std::mt19937 rng(20261206);
  for (int round = 0; round < 40; ++round) {
    const int keys = 1 + static_cast<int>(rng() % 3), values = static_cast<int>(rng() % 5);
    const int rows = static_cast<int>(rng() % 6);
    std::string text, expected;
    for (int k = 0; k < keys; ++k) text += "K" + std::to_string(k) + "~,C~,10~,0~,~,~,~I~";
    text += "|~|";
    for (int r = 0; r < rows; ++r) {
      text += "0~,";
      expected += expected.empty() ? "." : "\n.";
      for (int c = 0; c < keys + values; ++c) {
        const std::string v = c < keys ? std::string(1, static_cast<char>('a' + rng() % 26))
                                       : std::to_string(rng() % 1000);
        text += v + "~,";
        expected += "|" + v;
      }
      text += "~I~";
    }
    text += "|~|";
    for (int v = 0; v < values; ++v) text += "0~,V" + std::to_string(v) + "~,~I~";
    SheetFixture f;
    f.sheet.DisplayMatrix(text);
    EXPECT_EQ(f.sheet.MaxCols(), keys + values);
    EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, rows, keys + values}), expected) << text;
  }
}

}  // namespace
}  // namespace zel
