// Save parameter text: the GetData family, the header lines, the quoted value lists and the
// parameter buffer a host builds value by value, on a worked example and in the multi-row
// layout.
#include <gtest/gtest.h>

#include <string>

#include "support/sheet_fixture.h"
#include "support/user_input.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::SheetFixture;

// CustCode, CustName, Remark; four rows: unchanged, updated, marked for deletion, added; the
// active cell in row 4.
struct WorkedExample : SheetFixture {
  WorkedExample() {
    sheet.MaxCols(3);
    sheet.AddItem("CustCode", "Code", EnText);
    sheet.AddItem("CustName", "Name", EnText);
    sheet.AddItem("Remark", "Remark", EnText);
    sheet.Display("C01~,Alpha~,~,~I~C02~,Beta~,~,~I~C03~,Gamma~,old~,~I~C09~,Delta~,new~,~I~");
    Marks("UXA");
    sheet.ActiveCell(2, 4);
  }
  void Marks(const std::string& marks) {  // statuses of rows 2 to 4, '.' for none
    for (int32_t r = 2; r <= 4; ++r) sheet.GetSheet().SetText(0, r, marks[r - 2] == '.' ? "" : marks.substr(r - 2, 1));
  }
};
const std::string kHeaders = "2|4|2|4|4|24|3|~I~WorkingTag~,~,CustCode~,CustName~,Remark~,~I~";

TEST(SaveParams, TheWorkedExampleInEveryForm) {
  WorkedExample f;
  ZelSheet& s = f.sheet;
  EXPECT_EQ(s.Info() + "~I~", kHeaders.substr(0, kHeaders.find("~I~") + 3));
  EXPECT_EQ(s.GetDataHeaders(), kHeaders);
  EXPECT_EQ(s.GetData(), kHeaders + "U~,C02~,Beta~,~,~I~D~,C03~,Gamma~,old~,~I~A~,C09~,Delta~,new~,~I~");
  EXPECT_EQ(s.GetDataActiveRow(), kHeaders + "A~,4~,C09~,Delta~,new~,~I~");
  EXPECT_EQ(s.GetWorkingTag(1) + s.GetWorkingTag(2) + s.GetWorkingTag(3) + s.GetWorkingTag(4), "UDA");
  EXPECT_EQ(s.GetDataAll(true), "C01~,Alpha~,~,~I~C02~,Beta~,~,~I~C03~,Gamma~,old~,~I~C09~,Delta~,new~,~I~");
  EXPECT_EQ(s.GetDataCommon(), "'U', 'C02', 'Beta', ''~I~'D', 'C03', 'Gamma', 'old'~I~'A', 'C09', 'Delta', 'new'~I~");
  // Unchanged rows carry the empty tag in the full text.
  EXPECT_EQ(s.GetDataAll(), kHeaders + "~,C01~,Alpha~,~,~I~U~,C02~,Beta~,~,~I~D~,C03~,Gamma~,old~,~I~A~,C09~,Delta~,new~,~I~");

  // Selected rows, with their row numbers: nothing selected gives the header lines alone (or
  // nothing as data only); a selection of cells that does not reach the row header no row.
  Grid& g = s.GetSheet();
  g.Action(kActionDeselectBlock);
  EXPECT_EQ(s.GetDataSelected() + "|" + s.GetDataSelected(-1, true), kHeaders + "|");
  g.SetSelection(-1, 1, -1, 1);
  g.AddSelection(-1, 3, -1, 3);
  EXPECT_EQ(s.GetDataSelected(), kHeaders + "~,1~,C01~,Alpha~,~,~I~D~,3~,C03~,Gamma~,old~,~I~");
  EXPECT_EQ(s.GetDataSelected(-1, true), "C01~,Alpha~,~,~I~C03~,Gamma~,old~,~I~");
  g.SetSelection(1, 2, 3, 2);
  EXPECT_EQ(s.GetDataSelected(), kHeaders);
  EXPECT_EQ(s.GetDataSelected(99, true), "");

  // The active row, and rows outside the data or the grid: a line of empty values.
  s.ActiveCell(1, 2);
  const std::string headers = s.GetDataHeaders();
  EXPECT_EQ(headers.substr(0, headers.find("~I~")), "1|2|1|2|4|24|3|");
  EXPECT_EQ(s.GetDataActiveRow(), headers + "U~,2~,C02~,Beta~,~,~I~");
  for (const int32_t row : {10, 999999, -7, INT32_MAX, INT32_MIN}) {
    EXPECT_EQ(s.GetDataActiveRow(row), headers + (row == 10 ? "A" : "") + "~," + std::to_string(row) + "~,~,~,~,~I~");
  }

  // The fields keep their definition order wherever the columns stand: the code column
  // dragged onto the name column's header.
  const std::string all = s.GetDataAll(true);
  testing::UserInput(s, f.platform).Drag(1, 0, 2, 0);
  ASSERT_EQ(s.ColX(1), 2);
  EXPECT_EQ(s.GetDataAll(true), all);

  // Nothing changed: no text at all (the spare rows' "A" is not data).
  f.Marks("...");
  EXPECT_EQ(s.GetData() + s.GetDataCommon(), "");
}

TEST(SaveParams, SelectedByCheckColumnAndTheEmptySheet) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(2);
  s.AddItem("PICK", "Pick", EnCheck);
  s.AddItem("NAME", "Name", EnText);
  s.Display("1~,a~,~I~0~,b~,~I~~,c~,~I~1~,d~,~I~");
  s.GetSheet().SetText(0, 4, "U");
  const std::string headers = s.GetDataHeaders();
  EXPECT_EQ(headers.substr(headers.find("~I~") + 3), "WorkingTag~,~,PICK~,NAME~,~I~");
  EXPECT_EQ(s.GetDataSelected(1), headers + "~,1~,1~,a~,~I~U~,4~,1~,d~,~I~");
  EXPECT_EQ(s.GetDataSelected(1, true), "1~,a~,~I~1~,d~,~I~");
  // The check column may stand anywhere; a text column reading "1" counts too.
  EXPECT_EQ(s.GetDataSelected(2, true), "");
  s.CellText(2, 2, "1");
  EXPECT_EQ(s.GetDataSelected(2, true), "0~,1~,~I~");
  s.GetSheet().MaxRows(0);
  EXPECT_EQ(s.GetDataAll() + s.GetDataAll(true) + s.GetData(), "");
}

// Records of two grid rows: Code and Name on the first row, Qty below Code; record numbers
// as the statuses of unchanged records.
TEST(SaveParams, MultiRowRecordsTakeTheirFirstRow) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(2);
  s.ColHeaderRows(2);
  s.AddCellSpan_Start(3);
  int32_t n = 0;
  s.AddItem_Multi(1, 0, 1, 1, n, "CODE", "Code", EnText, "", 10, 0);
  s.AddItem_Multi(2, 0, 1, 2, n, "NAME", "Name", EnText, "", 20, 0);
  s.AddItem_Multi(1, 1, 1, 1, n, "QTY", "Qty", EnFloat, "", 5, 2);
  s.AddCellSpan_End();
  ASSERT_TRUE(s.Display_Multi("K1~,nameK1~,1~,~I~K2~,nameK2~,2~,~I~K3~,nameK3~,3~,~I~"));
  Grid& g = s.GetSheet();
  const std::string headers = s.GetDataHeaders();
  EXPECT_EQ(headers.substr(headers.find("~I~") + 3), "WorkingTag~,~,CODE~,NAME~,QTY~,~I~");
  EXPECT_EQ(s.GetData() + s.GetData_Multi(), "");
  g.SetText(0, 3, "U");
  g.SetText(0, 5, "X");
  g.SetText(0, 4, "U");  // a record's second row is not where its status lives
  // Each field in its own row of the record: Qty in the record's second row.
  const std::string changed = headers + "U~,K2~,nameK2~,2~,~I~D~,K3~,nameK3~,3~,~I~";
  EXPECT_EQ(s.GetData(), changed);
  EXPECT_EQ(s.GetData_Multi(), changed);
  // Every record, unchanged ones with the empty tag; IsDataOnly does not apply here.
  EXPECT_EQ(s.GetDataAll_Multi(), headers + "~,K1~,nameK1~,1~,~I~U~,K2~,nameK2~,2~,~I~D~,K3~,nameK3~,3~,~I~");
  EXPECT_EQ(s.GetDataAll(true), s.GetDataAll_Multi());
  // The active record, found from any of its rows; its fields over the grid's columns.
  g.SetActiveCell(1, 4);
  EXPECT_EQ(s.GetDataActiveRow_Multi(), s.GetDataHeaders() + "U~,K2~,nameK2~,~I~");
  EXPECT_EQ(s.GetDataActiveRow_Multi(3), s.GetDataActiveRow_Multi());
}

TEST(SaveParams, TheParameterBufferIsBuiltInOrder) {
  SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(2);
  s.AddItem("CODE", "Code", EnText);
  s.AddItem("DAY", "Day", EnDate, 0, 10);
  s.Display("a~,20240101~,~I~b~,20240505~,~I~");
  s.AddParamString("old");
  s.AddParamHeaders();  // headers start the buffer anew: the sheet's own two lines
  const std::string headers = s.GetDataHeaders();
  s.AddParam(2, 2);  // the outside form of the date
  s.AddParamString("x y");
  s.AddParamString(12.5);
  s.AddParamString(3);
  s.AddParamNewLine();
  s.AddParam(1, 1);
  s.AddParam(0, 1);      // the grid text of column 0: the row status, trimmed
  s.AddParam(99, 1);     // beyond the grid
  s.AddParam(1, 99999);  // beyond the rows
  s.AddParam(-5, -5);
  s.AddParamNewLine();
  EXPECT_EQ(s.GetParams(), headers + "20240505~,x y~,12.5~,3~,~I~a~,~,~,~,~,~I~");
  EXPECT_EQ(s.GetParams(), s.GetParams());  // reading does not consume it
  s.AddParamHeaders("MINE~I~");
  EXPECT_EQ(s.GetParams(), "MINE~I~");
}

}  // namespace
}  // namespace zel
