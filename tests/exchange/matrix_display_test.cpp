// DisplayMatrix: columns built from the text, the total column and row, malformed texts, and
// a random comparison against a plain reading.
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

std::string Header(const ZelSheet& sheet, int32_t cols) {
  std::string out;
  for (int32_t c = 1; c <= cols; ++c) {
    std::string t;
    sheet.GetSheet().GetText(c, 0, t);
    out += (c > 1 ? "|" : "") + t;
  }
  return out;
}

const char* const kWorked =
    "Region~,C~,10~,0~,~,~,~I~|~|30~,East~,10~,20~,~I~12.5~,West~,5~,7.5~,~I~|~|"
    "15~,Jan~,~I~27.5~,Feb~,~I~";

TEST(DisplayMatrix, WorkedExample) {
  SheetFixture f;
  EXPECT_TRUE(f.sheet.DisplayMatrix(kWorked));
  EXPECT_EQ(f.sheet.MaxCols(), 3);
  EXPECT_EQ(Header(f.sheet, 3), "Region|Jan|Feb");
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 2, 3}), ".|East|10|20\n.|West|5|8");
  EXPECT_TRUE(f.sheet.GetSheet().ReDraw());
}

TEST(DisplayMatrix, TotalColumnAndTotalRow) {
  SheetFixture f;
  // A placeholder stands at the row-total column's place in each data row.
  f.sheet.DisplayMatrix(
      "Region~,C~,10~,0~,~,~,~I~|~|30~,East~,x~,10~,20~,~I~12.5~,West~,x~,5~,7.5~,~I~|~|"
      "15~,Jan~,~I~27.5~,Feb~,~I~",
      true, 2);
  EXPECT_EQ(Header(f.sheet, 4), "Region|TOTAL|Jan|Feb");
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 3, 4}),
            ".|TOTAL|42.50|15.00|27.50\n.|East|30.00|10.00|20.00\n.|West|12.50|5.00|7.50");
  SheetFixture g;
  g.sheet.DisplayMatrix("K~,F~,0~,1~,255,255,192~,0,0,255~,~I~|~|1~,2.75~,~,~I~|~|9~,V~,~I~", true,
                        0, "Sum");
  EXPECT_EQ(Header(g.sheet, 3), "K|Sum|V");
  // No text column for the caption; the float key keeps one decimal.
  EXPECT_EQ(RenderSheet(g.sheet, RenderRange{1, 2, 3}), ".||1|9\n.|2.8|1|");
}

TEST(DisplayMatrix, EightFieldValueLines) {
  SheetFixture f;
  f.sheet.DisplayMatrix("K~,C~,5~,0~,~,~,~I~|~|0~,a~,hello~,3.14159~,~I~|~|"
                        "0~,Txt~,C~,3~,0~,~,~,~I~0~,Num~,F~,0~,3~,~,~,~I~",
                        false, 1);
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 1, 3}), ".|a|hello|3.142");
}

TEST(DisplayMatrix, MalformedTexts) {
  const std::string nul("K\0~,C~,~I~|~|0~,\xff~,~I~|~|", 22);
  const std::string manyValues = "K~,C~,~I~|~|0~,a~,1~,~I~|~|" + [] {
    std::string v;
    for (int i = 0; i < 20000; ++i) v += "1~,V~,~I~";
    return v;
  }();
  for (const std::string& text :
       {std::string(), std::string("no sections"), std::string("|~||~|"),
        std::string("|~|1~,2~,3~,~I~|~|9~,V~,~I~"),  // no key columns
        std::string("K~,F~,abc~,def~,red~,1,2~,~I~|~|x~,1e999~,~I~|~|q~,~I~"), nul, manyValues}) {
    for (const bool total : {false, true}) {
      SheetFixture f;
      EXPECT_TRUE(f.sheet.DisplayMatrix(text, total, 2)) << text.substr(0, 40);
      EXPECT_TRUE(f.sheet.GetSheet().ReDraw());
      EXPECT_EQ(f.sheet.MousePointer(), 0);
      EXPECT_TRUE(f.platform.Boxes().empty());
    }
  }
  SheetFixture f;
  f.sheet.DisplayMatrix(manyValues);
  EXPECT_EQ(f.sheet.MaxCols(), 20001);
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
