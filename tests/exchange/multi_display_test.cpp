// Display_Multi on a sheet of the multi-row layout, and its round trip through the
// multi-row save texts. Texts of NUL bytes, broken UTF-8 or more fields than field records
// are replayed from fuzz/regressions/matrix_text, which shows every text to Display_Multi too.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/sheet_fixture.h"

namespace zel {
namespace {

using testing::RenderRange;
using testing::RenderSheet;
using testing::SheetFixture;

// Records of two grid rows: Code and Name on the first row, Qty and Day below.
struct MultiSheet : SheetFixture {
  MultiSheet() {
    sheet.MaxCols(2);
    sheet.ColHeaderRows(2);
    sheet.AddCellSpan_Start(4);
    int32_t n = 0;
    sheet.AddItem_Multi(1, 0, 1, 1, n, "CODE", "Code", EnText, "", 10, 0);
    sheet.AddItem_Multi(2, 0, 1, 1, n, "NAME", "Name", EnText, "", 20, 0);
    sheet.AddItem_Multi(1, 1, 1, 1, n, "QTY", "Qty", EnFloat, "", 5, 1);
    sheet.AddItem_Multi(2, 1, 1, 1, n, "DAY", "Day", EnDate, "", 8, 0);
    sheet.AddCellSpan_End();
  }
};

const char* const kThree =
    "K1~,one~,1.5~,20240131~,~I~K2~,two ~,2~,2024-01-31~,~I~K3~,three~,x~,~,~I~";

TEST(DisplayMulti, RecordsTakeTheirBlocksAndNumbers) {
  MultiSheet f;
  EXPECT_TRUE(f.sheet.Display_Multi(kThree));
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 6, 2}),
            "1|K1|one\n.|1.5|31-01-2024\n2|K2|two\n.|2.0|1---0-2024\n3|K3|three\n.|0.0|");
  EXPECT_EQ(f.sheet.MaxRows(), 2 * (3 + 20));  // the spare records follow, marked new
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{7, 9, 1}), "A|\n.|\nA|");
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{45, 46, 1}), "A|\n.|");
  // Display is Display_Multi in this layout; IsRowHeaderADD marks the records added.
  EXPECT_TRUE(f.sheet.Display("K9~,nine~,~I~"));  // the empty piece after "nine~," is Qty
  EXPECT_EQ(RenderSheet(f.sheet), "1|K9|nine\n.|0.0|");
  EXPECT_TRUE(f.sheet.Display_Multi(kThree, true));
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 5, 1}), "A|K1\n.|1.5\nA|K2\n.|2.0\nA|K3");
  // An append goes after the last record with data, numbered on.
  f.sheet.Display("K9~,nine~,9~,~,~I~");
  EXPECT_TRUE(f.sheet.Display_Multi("K2~,two~,2~,~,~I~K3~,three~,3~,~,~I~", false, true));
  EXPECT_EQ(RenderSheet(f.sheet), "1|K9|nine\n.|9.0|\n2|K2|two\n.|2.0|\n3|K3|three\n.|3.0|");
  EXPECT_EQ(f.sheet.MaxRows(), 2 * (3 + 20));
}

TEST(DisplayMulti, TextsWithoutRecords) {
  // The data rows after: a blank text adds spare records and keeps the data.
  for (const auto& c : std::vector<std::pair<std::string, int32_t>>{{"", 2}, {"   ", 2}, {"no record", 0}, {"K1~,one~,", 0}}) {
    MultiSheet f;
    f.sheet.Display_Multi("K0~,zero~,~,~,~I~");
    f.sheet.GetSheet().ReDraw(false);
    EXPECT_FALSE(f.sheet.Display_Multi(c.first)) << c.first;
    EXPECT_FALSE(f.sheet.GetSheet().ReDraw()) << c.first;  // redraw untouched
    EXPECT_EQ(f.sheet.GetSheet().DataRowCnt(), c.second) << c.first;
    EXPECT_FALSE(f.sheet.Display_Multi(c.first, false, true)) << c.first;
  }
}

TEST(DisplayMulti, RoundTripThroughTheMultiRowSaveTexts) {
  MultiSheet f;
  const std::string data = "K1~,one~,1.5~,20240131~,~I~K2~,two~,2~,20231201~,~I~";
  f.sheet.Display_Multi(data);
  f.sheet.GetSheet().SetText(0, 3, "U");
  const std::string headers = f.sheet.GetDataHeaders();
  EXPECT_EQ(f.sheet.GetData_Multi(), headers + "U~,K2~,two~,2~,20231201~,~I~");
  // Every record goes back field for field as it came, the displayed ones untagged.
  EXPECT_EQ(f.sheet.GetDataAll_Multi(), headers + "~,K1~,one~,1.5~,20240131~,~I~U~,K2~,two~,2~,20231201~,~I~");
}

}  // namespace
}  // namespace zel
