// Typed cell access: CellText in both directions for every cell type, CellValue, CellCheck,
// CellComboCaption, GetFormat and the date input check on a sheet.
#include <gtest/gtest.h>

#include <string>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::SheetFixture;
using testing::SheetProbe;

const std::string kGap(50, ' ');

// Definition numbers of the columns below.
enum : int32_t { kName = 1, kAmount, kCity, kOk, kSsn, kDay, kMonth, kKind };

// A sheet with one column of each converting type and five rows.
struct TypedSheet : SheetFixture {
  TypedSheet() {
    ZelSheet& s = sheet;
    s.MaxCols(8);
    s.AddItem("NAME", "Name", EnText, 0, 20);
    s.AddItem("AMT", "Amount", EnFloat, 0, 10, 2);
    s.AddItem("CITY", "City", EnCombo, 0, 2);
    s.AddItem("OK", "Ok", EnCheck);
    s.AddItem("SSN", "Ssn", EnMask, 0, 0, 0, "", "", "999-99");
    s.AddItem("DAY", "Day", EnDate, 0, 10);
    s.AddItem("MON", "Month", EnDateYearMonth, 0, 7);
    s.AddItem("KIND", "Kind", EnCombo, 0, 0);
    s.MaxRows(5);
    s.InitCombo("Seoul~,01\tBusan~,02\t서울~,03\t", 0, true, kCity, -1, true);
    s.InitCombo("Big~,B\tSmall~,S\t", 0, true, kKind, -1, true);
  }
  std::string Shown(int32_t defCol, int32_t row) {
    std::string out;
    sheet.GetSheet().GetText(sheet.ColX(defCol), row, out);
    return out;
  }
};

TEST(CellTextGet, ConvertsEachTypeToItsOutsideForm) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  g.SetText(s.ColX(kName), 1, "  kim  ");
  g.SetText(s.ColX(kAmount), 1, "12.5");
  g.SetText(s.ColX(kCity), 1, "Seoul" + kGap + "01");
  g.SetText(s.ColX(kOk), 1, "1");
  g.SetText(s.ColX(kSsn), 1, "123-45");
  g.SetText(s.ColX(kDay), 1, "05-01-2024");
  g.SetText(s.ColX(kMonth), 1, "01-2024");
  g.SetText(s.ColX(kKind), 1, "Small" + kGap + "S");

  EXPECT_EQ(s.CellText(kName, 1), "kim");
  EXPECT_EQ(f.Shown(kAmount, 1), "12.50");
  EXPECT_EQ(s.CellText(kAmount, 1), "12.5");  // the value, not the shown decimals
  EXPECT_EQ(s.CellText(kCity, 1), "01");
  EXPECT_EQ(s.CellText(kOk, 1), "1");
  EXPECT_EQ(s.CellText(kSsn, 1), "12345");
  EXPECT_EQ(s.CellText(kDay, 1), "20240105");
  EXPECT_EQ(s.CellText(kMonth, 1), "202401");
  EXPECT_EQ(s.CellText(kKind, 1), "S");  // no code length: after the last blank

  // Empty cells: a float reads 0, a check box 0, the others "".
  EXPECT_EQ(s.CellText(kAmount, 2), "0");
  EXPECT_EQ(s.CellText(kOk, 2), "0");
  EXPECT_EQ(s.CellText(kDay, 2), "");
  EXPECT_EQ(s.CellText(kCity, 2), "");
  EXPECT_EQ(s.CellText(kSsn, 2), "");
}

TEST(CellTextGet, FindsMovedColumnsAndReadsUndeclaredOnesAsText) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  // The user swapped two columns: Name now stands in grid column 6, Day in grid column 1.
  auto& map = SheetProbe::Columns(s).display_map;
  std::swap(map[kName - 1], map[kDay - 1]);
  g.SetText(6, 1, "lee ");
  g.SetText(1, 1, "05-01-2024");
  EXPECT_EQ(s.CellText(kName, 1), "lee");
  EXPECT_EQ(s.CellText(kDay, 1), "20240105");

  // Column 0 is the row header; a number beyond the model is a grid column.
  g.SetText(0, 1, " U ");
  EXPECT_EQ(s.CellText(0, 1), "U");
  s.MaxCols(12);
  g.SetText(12, 1, " x ");
  EXPECT_EQ(s.CellText(12, 1), "x");
  // A cell outside the grid reads "" instead of failing.
  EXPECT_EQ(s.CellText(kName, 99), "");
  EXPECT_EQ(s.CellText(kAmount, -5), "");
  EXPECT_EQ(s.CellText(500, 1), "");
}

TEST(CellTextLet, ConvertsEachTypeToItsGridForm) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  s.CellText(kName, 1, " kim ");
  s.CellText(kAmount, 1, "1234.5");
  s.CellText(kDay, 1, "20240131");
  s.CellText(kDay, 2, "2024-01-31");
  s.CellText(kMonth, 1, "202401");
  s.CellText(kSsn, 1, "12345");
  s.CellText(kCity, 1, "02");
  EXPECT_EQ(f.Shown(kName, 1), " kim ");  // other types take the value as it is
  EXPECT_EQ(s.CellText(kAmount, 1), "1234.5");
  EXPECT_EQ(f.Shown(kDay, 1), "31-01-2024");
  EXPECT_EQ(f.Shown(kDay, 2), "31-01-2024");
  EXPECT_EQ(f.Shown(kMonth, 1), "01-2024");
  EXPECT_EQ(f.Shown(kSsn, 1), "123-45");
  EXPECT_EQ(f.Shown(kCity, 1), "Busan" + kGap + "02");

  // An empty date empties the cell (Display would leave it); an empty mask gives "".
  s.CellText(kDay, 1, "");
  EXPECT_EQ(f.Shown(kDay, 1), "");
  s.CellText(kSsn, 1, "  ");
  EXPECT_EQ(f.Shown(kSsn, 1), "");
  // A code that is not in the list leaves the selection.
  s.CellText(kCity, 1, "99");
  EXPECT_EQ(s.CellText(kCity, 1), "02");
  // Writing never marks the row.
  std::string status;
  s.GetSheet().GetText(0, 1, status);
  EXPECT_EQ(status, "");
}

TEST(CellTextLet, CheckBoxTicksOnlyForOne) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  for (const char* value : {"Y", "0", "", "11", " 1"}) {
    s.CellText(kOk, 1, "1");
    s.CellText(kOk, 1, value);
    EXPECT_EQ(f.Shown(kOk, 1), "0") << "value \"" << value << "\"";
  }
  s.CellText(kOk, 1, "1");
  EXPECT_EQ(f.Shown(kOk, 1), "1");
}

TEST(CellTextLet, BadCellsAreSkipped) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  EXPECT_NO_THROW(s.CellText(kName, 99, "x"));
  EXPECT_NO_THROW(s.CellText(kCity, 99, "01"));
  EXPECT_NO_THROW(s.CellText(500, 1, "x"));
  EXPECT_NO_THROW(s.CellText(kDay, 1, "nonsense date text of some length"));
  EXPECT_EQ(s.GetSheet().DataRowCnt(), 1);
}

TEST(CellValue, ReadsAndWritesTheNumberAndKeepsTheCurrentCell) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  g.Col(5);
  g.Row(4);
  s.CellValue(kAmount, 2, 3.25);
  EXPECT_DOUBLE_EQ(s.CellValue(kAmount, 2), 3.25);
  EXPECT_EQ(s.CellText(kAmount, 2), "3.25");
  EXPECT_DOUBLE_EQ(s.CellValue(kAmount, 3), 0);  // empty
  g.SetText(s.ColX(kName), 2, "12abc");
  EXPECT_DOUBLE_EQ(s.CellValue(kName, 2), 12);  // the leading numeric part
  EXPECT_EQ(g.Col(), 5);
  EXPECT_EQ(g.Row(), 4);
  EXPECT_DOUBLE_EQ(s.CellValue(kAmount, 99), 0);
  EXPECT_NO_THROW(s.CellValue(kAmount, 99, 1.0));
}

TEST(CellCheck, ReadsTicksOfCheckColumnsOnly) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  s.GetSheet().SetText(s.ColX(kOk), 1, "1");
  EXPECT_EQ(s.CellCheck(kOk, 1), "1");
  EXPECT_EQ(s.CellCheck(kOk, 2), "0");
  EXPECT_EQ(s.CellCheck(kName, 1), "");
  // The getter lets errors through.
  EXPECT_THROW(s.CellCheck(500, 1), SubscriptError);
  EXPECT_THROW(s.CellCheck(kOk, 99), GridError);
}

TEST(CellCheck, SetterIsTheSheetsOwnWrite) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  s.CellCheck(kOk, 1, "1");
  EXPECT_EQ(f.Shown(kOk, 1), "1");
  s.CellCheck(kOk, 1, "Y");
  EXPECT_EQ(f.Shown(kOk, 1), "0");
  s.CellCheck(kName, 1, "1");  // not a check column: left alone
  EXPECT_EQ(f.Shown(kName, 1), "");
  std::string status;
  s.GetSheet().GetText(0, 1, status);
  EXPECT_EQ(status, "");
  EXPECT_NO_THROW(s.CellCheck(kOk, 99, "1"));
  EXPECT_NO_THROW(s.CellCheck(500, 1, "1"));
}

TEST(CellComboCaption, CaptionWithAndWithoutCodeLength) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  s.CellText(kCity, 1, "01");
  s.CellText(kCity, 2, "03");
  s.CellText(kKind, 1, "B");
  EXPECT_EQ(s.CellComboCaption(kCity, 1), "Seoul");
  EXPECT_EQ(s.CellComboCaption(kCity, 2), "서울");
  EXPECT_EQ(s.CellComboCaption(kKind, 1), "Big");
  EXPECT_EQ(s.CellComboCaption(kCity, 3), "");
  EXPECT_EQ(s.CellComboCaption(kName, 1), "");
  EXPECT_EQ(s.CellComboCaption(kCity, 99), "");
}

TEST(MultiRowCells, FieldRecordsDecideTheConversion) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  // Two fields: a date in grid column 1 and a check box in grid column 4.
  ColumnModel& model = SheetProbe::Columns(s);
  model.ResizeFields(2);
  model.Field(1).col = 1;
  model.Field(1).cell_type = EnDate;
  model.Field(2).col = 4;
  model.Field(2).cell_type = EnCheck;
  s.IsMultiSheet(true);
  Grid& g = s.GetSheet();
  s.CellText(1, 2, "20240131");
  std::string shown;
  g.GetText(1, 2, shown);
  EXPECT_EQ(shown, "31-01-2024");
  EXPECT_EQ(s.CellText(1, 2), "20240131");
  s.CellCheck(2, 2, "1");
  EXPECT_EQ(s.CellCheck(2, 2), "1");
  EXPECT_EQ(s.CellText(3, 2), "");  // no such field
}

TEST(GetFormat, FormatsThroughThePlatformFormatter) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  EXPECT_EQ(s.GetFormat("1234.5", "#,##0.00"), "1,234.50");
}

TEST(CheckDateInput, RepairsTheEditedCellOnly) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  const int32_t day = s.ColX(kDay);
  const int32_t month = s.ColX(kMonth);
  g.SetText(day, 1, "240105");
  // Not edited since the last check: left as it is.
  EXPECT_TRUE(s.CheckDateInput(day, 1, EnDate));
  EXPECT_EQ(f.Shown(kDay, 1), "240105");
  // Edited: repaired with today (15 March 2024 on the test platform), EditCol cleared.
  s.TrackCellChange(day, 1, 1);
  EXPECT_TRUE(s.CheckDateInput(day, 1, EnDate));
  EXPECT_EQ(f.Shown(kDay, 1), "05-01-2024");
  EXPECT_EQ(s.EditCol(), 0);
  g.SetText(day, 2, "7");
  s.TrackCellChange(day, 2, 2);
  EXPECT_TRUE(s.CheckDateInput(day, 2, EnDate));
  EXPECT_EQ(f.Shown(kDay, 2), "07-03-2024");
  // Refused: nothing written, EditCol kept so the next leave checks again.
  g.SetText(day, 3, "2023-2-29");
  s.TrackCellChange(day, 3, 3);
  EXPECT_FALSE(s.CheckDateInput(day, 3, EnDate));
  EXPECT_EQ(f.Shown(kDay, 3), "2023-2-29");
  EXPECT_EQ(s.EditCol(), day);
  g.SetText(day, 3, "2024-2-29");
  EXPECT_TRUE(s.CheckDateInput(day, 3, EnDate));
  EXPECT_EQ(f.Shown(kDay, 3), "29-02-2024");
  // Year-month mode, and types without a check.
  g.SetText(month, 1, "2024/3");
  s.TrackCellChange(month, 1, 1);
  EXPECT_TRUE(s.CheckDateInput(month, 1, EnDateYearMonth));
  EXPECT_EQ(f.Shown(kMonth, 1), "03-2024");
  g.SetText(month, 2, "x");
  s.TrackCellChange(month, 2, 2);
  EXPECT_TRUE(s.CheckDateInput(month, 2, EnText));
  // An empty cell passes unchanged; a cell outside the grid fails quietly.
  EXPECT_TRUE(s.CheckDateInput(month, 4, EnDateYearMonth));
  s.TrackCellChange(month, 99, 99);
  EXPECT_FALSE(s.CheckDateInput(month, 99, EnDateYearMonth));
}

TEST(CheckDateInput, ServerDateIsTodayWhenGiven) {
  SheetFixture f(SheetFixture::Bag({{"ServerDate", "19990610"}}));
  ZelSheet& s = f.sheet;
  s.MaxCols(2);
  s.AddItem("DAY", "Day", EnDate, 0, 10);
  s.MaxRows(2);
  Grid& g = s.GetSheet();
  g.SetText(s.ColX(1), 1, "7");
  s.TrackCellChange(s.ColX(1), 1, 1);
  EXPECT_TRUE(s.CheckDateInput(s.ColX(1), 1, EnDate));
  std::string shown;
  g.GetText(s.ColX(1), 1, shown);
  EXPECT_EQ(shown, "07-06-1999");
}

}  // namespace
}  // namespace zel
