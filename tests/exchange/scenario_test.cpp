// The road of one edit, end to end: rows displayed from a data string, edited through the
// cell members and the tracking rule, marked, and collected as save parameter text; and the
// round trip of a sheet through its own data-only text.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::RenderSheet;
using testing::SheetFixture;

// Selects row `row` by its row header, as a click on it does.
void SelectRowHeader(Grid& g, int32_t row) {
  g.Col(-1);
  g.Col2(-1);
  g.Row(row);
  g.Row2(row);
  g.Action(kActionSelectBlock);
}

// A text edit of definition column `col` in `row`, as the change handler tracks it.
void Edit(ZelSheet& s, int32_t col, int32_t row, const std::string& value) {
  s.CellText(col, row, value);
  s.TrackCellChange(s.ColX(col), row, row);
}

TEST(Scenario, DisplayEditMarkAndCollect) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(4);
  s.AddItem("CODE", "Code", EnText, 0, 10);
  s.AddItem("QTY", "Qty", EnFloat, 0, 8, 2);
  s.AddItem("DAY", "Day", EnDate, 0, 10);
  s.AddItem("CITY", "City", EnCombo, 0, 2);
  s.InitCombo("서울~,01\t부산~,02\t", 0, true, 4, -1, true);
  ASSERT_TRUE(s.Display("K001~,10~,20240105~,01~,~I~"
                        "K002~,2.5~,2024-02-10~,02~,~I~"
                        "K003~,0~,20240315~,01~,~I~"));
  EXPECT_EQ(s.GetChangeCount(), 0);
  EXPECT_EQ(s.GetData(), "");

  // Two edits: row 1's quantity (edited twice: still one "U"), row 3's city.
  Edit(s, 2, 1, "15.75");
  Edit(s, 1, 1, "K001");
  Edit(s, 4, 3, "02");
  EXPECT_EQ(s.GetWorkingTag(1), "U");
  EXPECT_EQ(s.GetWorkingTag(3), "U");
  // Row 2 marked for deletion from its row header.
  SelectRowHeader(s.GetSheet(), 2);
  s.mnuDelete_Click();
  EXPECT_EQ(s.GetWorkingTag(2), "D");

  EXPECT_EQ(s.GetChangeCount(), 3);
  const std::string headers = s.GetDataHeaders();
  const size_t infoEnd = headers.find("~I~");
  // ActiveCol|ActiveRow|Col|Row vary with the selection; the counts do not.
  EXPECT_EQ(headers.substr(infoEnd - 7), "3|23|4|~I~WorkingTag~,~,CODE~,QTY~,DAY~,CITY~,~I~");
  EXPECT_EQ(s.GetData(), headers +
                             "U~,K001~,15.75~,20240105~,01~,~I~"
                             "D~,K002~,2.5~,20240210~,02~,~I~"
                             "U~,K003~,0~,20240315~,02~,~I~");
  EXPECT_EQ(s.GetDataCommon(),
            "'U', 'K001', 15.75, '20240105', '01'~I~"
            "'D', 'K002', 2.5, '20240210', '02'~I~"
            "'U', 'K003', 0, '20240315', '02'~I~");

  // A value typed into the first spare row makes it a new row; it stays "A".
  Edit(s, 1, 4, "K004");
  EXPECT_EQ(s.GetWorkingTag(4), "A");
  EXPECT_EQ(s.GetChangeCount(), 4);
  const std::string data = s.GetData();
  EXPECT_TRUE(data.ends_with("U~,K003~,0~,20240315~,02~,~I~A~,K004~,0~,~,~,~I~")) << data;
}

// Columns of the round trip: every conversion Display and CellText make.
void DeclareRoundTripColumns(ZelSheet& s) {
  s.MaxCols(7);
  s.AddItem("NAME", "이름", EnText, 0, 30);
  s.AddItem("AMOUNT", "Amount", EnFloat, 0, 12, 3);
  s.AddItem("DAY", "Day", EnDate, 0, 10);
  s.AddItem("MONTH", "Month", EnDateYearMonth, 0, 7);
  s.AddItem("OK", "OK", EnCheck);
  s.AddItem("CITY", "City", EnCombo, 0, 2);
  s.AddItem("TEL", "Tel", EnMask, 0, 0, 0, "", "", "###-####");
  s.InitCombo("서울~,01\t부산~,02\t대구~,03\t", 0, true, 6, -1, true);
}

// The sheet given by `data`, displayed on a fresh sheet and read back data-only, twice:
// the second sheet must show what the first showed, and give the same text. (An empty check
// box reads "0" and would come back as "0": the data here always gives check boxes a value.)
void ExpectRoundTrip(const std::string& data) {
  SheetFixture first;
  DeclareRoundTripColumns(first.sheet);
  first.sheet.Display(data);
  const std::string text = first.sheet.GetDataAll(true);

  SheetFixture second;
  DeclareRoundTripColumns(second.sheet);
  second.sheet.Display(text);
  EXPECT_EQ(RenderSheet(second.sheet), RenderSheet(first.sheet));
  EXPECT_EQ(second.sheet.GetDataAll(true), text);
  EXPECT_EQ(second.sheet.GetSheet().MaxRows(), first.sheet.GetSheet().MaxRows());
}

TEST(Scenario, DataOnlyTextDisplaysBackTheSameSheet) {
  ExpectRoundTrip(
      "김철수~,1234.5~,20240131~,202401~,1~,01~,0212345~,~I~"
      "이영희 (서울)~,-0.125~,2024-02-29~,202412~,0~,03~,1234~,~I~"
      "~,~,~,~,0~,~,~,~I~"
      "Ünïcode ~,1,234~,~,~,Y~,99~,12345678~,~I~"
      "tab\there~,1e3~,19991231~,199912~,1~,02~,~,~I~");
}

TEST(Scenario, RandomSheetsSurviveTheRoundTrip) {
  std::mt19937 rng(7);
  // Tildes, but never a separator: a value cannot hold "~," or "~I~".
  const char* words[] = {"가", "나다", "abc", "x y", "0", "-", "~~", "i", "서울시", "!"};
  for (int trial = 0; trial < 5; ++trial) {
    std::string data;
    for (int row = 0; row < 60; ++row) {
      auto word = [&] { return std::string(words[rng() % 10]); };
      data += word() + word() + "~,";
      data += std::to_string(static_cast<int>(rng() % 200000) - 100000) + "." +
              std::to_string(rng() % 1000) + "~,";
      data += "2024" + std::string(rng() % 2 ? "0" : "1") + std::to_string(rng() % 3) +
              std::to_string(10 + rng() % 18) + "~,";
      data += "20230" + std::to_string(1 + rng() % 9) + "~,";
      data += std::to_string(rng() % 2) + "~,";
      data += "0" + std::to_string(rng() % 4) + "~,";
      data += std::to_string(rng() % 100000000) + "~,~I~";
    }
    ExpectRoundTrip(data);
  }
}

}  // namespace
}  // namespace zel
