// Save parameter text: the GetData family, the header lines and the quoted value lists,
// and the fast cell reading under them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"
#include "text/number.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::SheetFixture;

// ---- A sheet of three text columns: the worked example ----------------------------------

// CustCode, CustName, Remark; four rows: unchanged, updated, marked for deletion, added.
class WorkedExample : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet().MaxCols(3);
    sheet().AddItem("CustCode", "Code", EnText);
    sheet().AddItem("CustName", "Name", EnText);
    sheet().AddItem("Remark", "Remark", EnText);
    sheet().Display("C01~,Alpha~,~,~I~C02~,Beta~,~,~I~C03~,Gamma~,old~,~I~"
                    "C09~,Delta~,new~,~I~");
    grid().SetText(0, 2, "U");
    grid().SetText(0, 3, "X");
    grid().SetText(0, 4, "A");
    sheet().ActiveCell(2, 4);
  }
  ZelSheet& sheet() { return f_.sheet; }
  Grid& grid() { return f_.sheet.GetSheet(); }

  static constexpr const char* kHeaders =
      "2|4|2|4|4|24|3|~I~WorkingTag~,~,CustCode~,CustName~,Remark~,~I~";
  SheetFixture f_;
};

TEST_F(WorkedExample, EveryFormByteForByte) {
  EXPECT_EQ(sheet().Info(), "2|4|2|4|4|24|3|");
  EXPECT_EQ(sheet().GetDataHeaders(), kHeaders);
  EXPECT_EQ(sheet().GetData(),
            std::string(kHeaders) +
                "U~,C02~,Beta~,~,~I~D~,C03~,Gamma~,old~,~I~A~,C09~,Delta~,new~,~I~");
  EXPECT_EQ(sheet().GetDataActiveRow(), std::string(kHeaders) + "A~,4~,C09~,Delta~,new~,~I~");
  EXPECT_EQ(sheet().GetDataAll(true),
            "C01~,Alpha~,~,~I~C02~,Beta~,~,~I~C03~,Gamma~,old~,~I~C09~,Delta~,new~,~I~");
  EXPECT_EQ(sheet().GetDataCommon(),
            "'U', 'C02', 'Beta', ''~I~'D', 'C03', 'Gamma', 'old'~I~'A', 'C09', 'Delta', "
            "'new'~I~");
  // Unchanged rows carry the empty tag in the full text.
  EXPECT_EQ(sheet().GetDataAll(),
            std::string(kHeaders) +
                "~,C01~,Alpha~,~,~I~U~,C02~,Beta~,~,~I~D~,C03~,Gamma~,old~,~I~"
                "A~,C09~,Delta~,new~,~I~");
}

TEST_F(WorkedExample, WhichRowsAreChangedAndTheirTags) {
  // Only the exact letters count as changed; the tag of a full text is the trimmed status
  // translated ("X" -> "D"), anything else gives the empty tag.
  grid().SetText(0, 1, " A");
  grid().SetText(0, 2, "D");
  grid().SetText(0, 3, "x");
  EXPECT_EQ(sheet().GetData(), std::string(kHeaders) + "A~,C09~,Delta~,new~,~I~");
  EXPECT_EQ(sheet().GetDataCommon(), "'A', 'C09', 'Delta', 'new'~I~");
  EXPECT_EQ(sheet().GetDataAll(),
            std::string(kHeaders) +
                "A~,C01~,Alpha~,~,~I~~,C02~,Beta~,~,~I~~,C03~,Gamma~,old~,~I~"
                "A~,C09~,Delta~,new~,~I~");
  for (int32_t row = 1; row <= 4; ++row) {
    const std::string line = sheet().GetDataActiveRow(row);
    EXPECT_EQ(line.substr(std::strlen(kHeaders), line.find("~,", std::strlen(kHeaders)) -
                                                      std::strlen(kHeaders)),
              sheet().GetWorkingTag(row))
        << row;
  }
}

TEST_F(WorkedExample, NothingChangedGivesNoTextAtAll) {
  for (int32_t row = 2; row <= 4; ++row) grid().SetText(0, row, "");
  EXPECT_EQ(sheet().GetData(), "");
  EXPECT_EQ(sheet().GetDataCommon(), "");  // the spare rows' "A" is not data
}

TEST_F(WorkedExample, FieldsFollowDefinitionOrderWhereverColumnsStand) {
  // Swap the first two columns on the grid, texts and display map, as a column move leaves
  // them: the values keep their definition order.
  const std::string all = sheet().GetDataAll(true);
  for (int32_t row = 1; row <= 4; ++row) {
    std::string a, b;
    grid().GetText(1, row, a);
    grid().GetText(2, row, b);
    grid().SetText(1, row, b);
    grid().SetText(2, row, a);
  }
  auto& map = testing::SheetProbe::Columns(sheet()).display_map;
  std::swap(map[0], map[1]);
  ASSERT_EQ(sheet().ColX(1), 2);
  EXPECT_EQ(sheet().GetDataAll(true), all);
}

TEST_F(WorkedExample, SelectedRows) {
  // Nothing selected: the two header lines alone, or nothing at all as data only.
  grid().Action(kActionDeselectBlock);
  EXPECT_EQ(sheet().GetDataSelected(), kHeaders);
  EXPECT_EQ(sheet().GetDataSelected(-1, true), "");
  // Rows 1 and 3 selected on their row headers.
  grid().SetSelection(-1, 1, -1, 1);
  grid().AddSelection(-1, 3, -1, 3);
  EXPECT_EQ(sheet().GetDataSelected(),
            std::string(kHeaders) + "~,1~,C01~,Alpha~,~,~I~D~,3~,C03~,Gamma~,old~,~I~");
  EXPECT_EQ(sheet().GetDataSelected(-1, true), "C01~,Alpha~,~,~I~C03~,Gamma~,old~,~I~");
  // A selection of cells that does not reach the row header chooses no row.
  grid().SetSelection(1, 2, 3, 2);
  EXPECT_EQ(sheet().GetDataSelected(), kHeaders);
}

TEST(SaveParams, SelectedByCheckColumn) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(2);
  s.AddItem("PICK", "Pick", EnCheck);
  s.AddItem("NAME", "Name", EnText);
  s.Display("1~,a~,~I~0~,b~,~I~~,c~,~I~1~,d~,~I~");
  s.GetSheet().SetText(0, 4, "U");
  const std::string headers = s.GetDataHeaders();
  EXPECT_EQ(s.GetDataSelected(1), headers + "~,1~,1~,a~,~I~U~,4~,1~,d~,~I~");
  EXPECT_EQ(s.GetDataSelected(1, true), "1~,a~,~I~1~,d~,~I~");
  // The check column may stand anywhere; a text column reading "1" counts too.
  EXPECT_EQ(s.GetDataSelected(2, true), "");
  s.CellText(2, 2, "1");
  EXPECT_EQ(s.GetDataSelected(2, true), "0~,1~,~I~");
}

TEST_F(WorkedExample, ActiveRowAndBadRows) {
  sheet().ActiveCell(1, 2);
  const std::string headers = sheet().GetDataHeaders();
  EXPECT_EQ(headers.substr(0, headers.find("~I~")), "1|2|1|2|4|24|3|");
  EXPECT_EQ(sheet().GetDataActiveRow(), headers + "U~,2~,C02~,Beta~,~,~I~");
  // Rows outside the data or the grid give a line of empty values, never an error.
  EXPECT_EQ(sheet().GetDataActiveRow(10), headers + "A~,10~,~,~,~,~I~");
  EXPECT_EQ(sheet().GetDataActiveRow(999999), headers + "~,999999~,~,~,~,~I~");
  EXPECT_EQ(sheet().GetDataActiveRow(-7), headers + "~,-7~,~,~,~,~I~");
  EXPECT_EQ(sheet().GetDataActiveRow(INT32_MAX), headers + "~,2147483647~,~,~,~,~I~");
  EXPECT_EQ(sheet().GetDataActiveRow(INT32_MIN), headers + "~,-2147483648~,~,~,~,~I~");
  EXPECT_EQ(sheet().GetDataSelected(99, true), "");
}

TEST(SaveParams, EmptySheetAndHeaderLine) {
  SheetFixture f;
  f.sheet.MaxCols(2);
  f.sheet.AddItem("P", "P", EnText);
  f.sheet.AddItem("Q", "Q", EnText);
  f.sheet.GetSheet().MaxRows(0);
  EXPECT_EQ(f.sheet.GetDataAll(), "");
  EXPECT_EQ(f.sheet.GetDataAll(true), "");
  EXPECT_EQ(f.sheet.GetData(), "");
  const std::string headers = f.sheet.GetDataHeaders();
  EXPECT_EQ(headers.substr(headers.find("~I~") + 3), "WorkingTag~,~,P~,Q~,~I~");

  f.sheet.Display("1~,2~,~I~");
  f.sheet.GetSheet().SetText(0, 1, "U");
  EXPECT_EQ(f.sheet.GetData().substr(headers.size()), "U~,1~,2~,~I~");
  EXPECT_EQ(f.sheet.GetDataActiveRow(1).substr(headers.size()), "U~,1~,1~,2~,~I~");
}

// ---- Multi-row layout --------------------------------------------------------------------

// Records of two grid rows: Code and Name on the first row, Qty below Code.
class MultiRowSave : public ::testing::Test {
 protected:
  void SetUp() override {
    ZelSheet& s = f_.sheet;
    s.MaxCols(2);
    s.ColHeaderRows(2);
    s.AddCellSpan_Start(3);
    int32_t n = 0;
    s.AddItem_Multi(1, 0, 1, 1, n, "CODE", "Code", EnText, "", 10, 0);
    s.AddItem_Multi(2, 0, 1, 2, n, "NAME", "Name", EnText, "", 20, 0);
    s.AddItem_Multi(1, 1, 1, 1, n, "QTY", "Qty", EnFloat, "", 5, 2);
    s.AddCellSpan_End();
    Grid& g = s.GetSheet();
    g.MaxRows(6);  // three records
    const char* codes[] = {"K1", "K2", "K3"};
    for (int32_t r = 0; r < 3; ++r) {
      g.SetText(1, 1 + 2 * r, codes[r]);
      g.SetText(2, 1 + 2 * r, std::string("name") + codes[r]);
      g.SetText(1, 2 + 2 * r, std::to_string(r + 1));
      g.SetText(0, 1 + 2 * r, std::to_string(r + 1));  // unchanged: the record number
    }
  }
  SheetFixture f_;
};

TEST_F(MultiRowSave, RecordsTakeTheirFirstRow) {
  ZelSheet& s = f_.sheet;
  Grid& g = s.GetSheet();
  const std::string headers = s.GetDataHeaders();
  EXPECT_EQ(headers.substr(headers.find("~I~") + 3), "WorkingTag~,~,CODE~,NAME~,QTY~,~I~");
  EXPECT_EQ(s.GetData(), "");
  EXPECT_EQ(s.GetData_Multi(), "");

  g.SetText(0, 3, "U");
  g.SetText(0, 5, "X");
  g.SetText(0, 4, "U");  // a record's second row is not where its status lives
  std::string expected = headers;
  for (const int32_t row : {3, 5}) {
    expected += row == 3 ? "U~," : "D~,";
    // Each field in its own row of the record: Qty is in the record's second row.
    for (int32_t k = 1; k <= 3; ++k) expected += s.CellText(k, row + s.RowX(k)) + "~,";
    expected += "~I~";
  }
  EXPECT_EQ(s.GetData(), expected);
  EXPECT_EQ(s.GetData_Multi(), expected);

  // Every record, unchanged ones with the empty tag; IsDataOnly does not apply here.
  const std::string all = s.GetDataAll_Multi();
  EXPECT_EQ(s.GetDataAll(true), all);
  EXPECT_EQ(all.substr(headers.size(), 10), "~,K1~,name");
  EXPECT_NE(all.find("~I~U~,K2~,nameK2~,"), std::string::npos) << all;

  // The active record, found from any of its rows; fields over the grid's columns.
  g.Col(1);
  g.Row(4);
  g.Action(kActionActiveCell);
  std::string line = "U~,";
  for (int32_t k = 1; k <= g.MaxCols(); ++k) line += s.CellText(k, 3) + "~,";
  EXPECT_EQ(s.GetDataActiveRow_Multi(), s.GetDataHeaders() + line + "~I~");
  EXPECT_EQ(s.GetDataActiveRow_Multi(3), s.GetDataHeaders() + line + "~I~");
}

}  // namespace
}  // namespace zel
