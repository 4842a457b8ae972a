// Typed cell access: CellText in both directions for every cell type, CellValue, CellCheck,
// CellComboCaption and the date input check on a sheet; combo lists (InitCombo's
// branches, InitComboStringArray) and choosing an item by its code.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

const std::string kGap(50, ' ');

// The 50 blanks that keep an item's code out of sight shown as "_", and TABs as "|", so that
// lists and cells read short: "Seoul_01|Busan_02|".
std::string Short(std::string text) {
  for (size_t at = text.find(kGap); at != std::string::npos; at = text.find(kGap, at)) text.replace(at, kGap.size(), "_");
  for (char& c : text) c = c == '\t' ? '|' : c;
  return text;
}

// Definition numbers of the columns below.
enum : int32_t { kName = 1, kAmount, kCity, kOk, kSsn, kDay, kMonth, kKind };

// A sheet with one column of each converting type and five rows.
struct TypedSheet : SheetFixture {
  explicit TypedSheet(const PropertyBag& bag = PropertyBag{}) : SheetFixture(bag) {
    sheet.MaxCols(8);
    sheet.AddItem("NAME", "Name", EnText, 0, 20);
    sheet.AddItem("AMT", "Amount", EnFloat, 0, 10, 2);
    sheet.AddItem("CITY", "City", EnCombo, 0, 2);
    sheet.AddItem("OK", "Ok", EnCheck);
    sheet.AddItem("SSN", "Ssn", EnMask, 0, 0, 0, "", "", "999-99");
    sheet.AddItem("DAY", "Day", EnDate, 0, 10);
    sheet.AddItem("MON", "Month", EnDateYearMonth, 0, 7);
    sheet.AddItem("KIND", "Kind", EnCombo, 0, 0);
    sheet.MaxRows(5);
    sheet.InitCombo("Seoul~,01\tBusan~,02\t서울~,03\t", 0, true, kCity, -1, true);
    sheet.InitCombo("Big~,B\tSmall~,S\t", 0, true, kKind, -1, true);
  }
  std::string Shown(int32_t defCol, int32_t row) {
    std::string out;
    sheet.GetSheet().GetText(sheet.ColX(defCol), row, out);
    return Short(out);
  }
  // The combo list of City (or `defCol`) at `row`.
  std::string List(int32_t row, int32_t defCol = kCity) {
    Grid& g = sheet.GetSheet();
    g.Col(sheet.ColX(defCol));
    g.Row(row);
    return Short(g.TypeComboBoxList());
  }
};

TEST(CellText, ConvertsEachTypeFindsMovedColumnsAndSkipsCellsOutsideTheGrid) {
  // Read: what the grid holds -> the outside form; an empty float or check box reads "0".
  const std::tuple<int32_t, std::string, const char*> reads[] = {
      {kName, "  kim  ", "kim"}, {kAmount, "12.5", "12.5"}, {kCity, "Seoul" + kGap + "01", "01"}, {kOk, "1", "1"},
      {kSsn, "123-45", "12345"}, {kDay, "05-01-2024", "20240105"}, {kMonth, "01-2024", "202401"},
      {kKind, "Small" + kGap + "S", "S"},  // no code length: after the last blank
      {kAmount, "", "0"}, {kOk, "", "0"}, {kDay, "", ""}, {kCity, "", ""}, {kSsn, "", ""},
  };
  for (const auto& [def, grid, outside] : reads) {
    TypedSheet f;
    f.sheet.GetSheet().SetText(f.sheet.ColX(def), 1, grid);
    EXPECT_EQ(f.sheet.CellText(def, 1), outside) << def << " " << grid;
  }
  // Write: the outside form -> what the grid shows. An empty date empties the cell, an empty
  // mask gives "", a code not in the list leaves the selection; a check box ticks only for
  // "1". Writing never marks the row.
  const std::tuple<int32_t, std::string, const char*> writes[] = {
      {kName, " kim ", " kim "}, {kAmount, "1234.5", "1,234.50"}, {kDay, "20240131", "31-01-2024"},
      {kDay, "2024-01-31", "31-01-2024"}, {kDay, "", ""}, {kMonth, "202401", "01-2024"}, {kSsn, "12345", "123-45"},
      {kSsn, "  ", ""}, {kCity, "02", "Busan_02"}, {kCity, "99", "Busan_02"},
      {kOk, "1", "1"}, {kOk, "Y", "0"}, {kOk, "1", "1"}, {kOk, "11", "0"}, {kOk, "1", "1"}, {kOk, " 1", "0"},
      {kOk, "1", "1"}, {kOk, "", "0"},
  };
  TypedSheet f;
  for (const auto& [def, outside, shown] : writes) {
    f.sheet.CellText(def, 1, outside);
    EXPECT_EQ(f.Shown(def, 1), shown) << def << " " << outside;
  }
  EXPECT_EQ(f.sheet.CellText(kAmount, 1), "1234.5");  // the value, not the shown decimals
  EXPECT_EQ(RenderSheet(f.sheet, {1, 1, 0}), ".");

  // The user swapped two columns: Name now stands in grid column 6, Day in grid column 1.
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  auto& map = SheetProbe::Columns(s).display_map;
  std::swap(map[kName - 1], map[kDay - 1]);
  g.SetText(6, 1, "lee ");
  g.SetText(1, 1, "05-01-2024");
  // Column 0 is the row header; a number beyond the model is a grid column.
  g.SetText(0, 1, " U ");
  s.MaxCols(12);
  g.SetText(12, 1, " x ");
  EXPECT_EQ(s.CellText(kName, 1) + "|" + s.CellText(kDay, 1) + "|" + s.CellText(0, 1) + "|" + s.CellText(12, 1), "lee|20240105|U|x");
  // Outside the grid: reads give "" or 0, writes are skipped.
  EXPECT_EQ(s.CellText(kName, 99) + s.CellText(kAmount, -5) + s.CellText(500, 1), "");
  EXPECT_DOUBLE_EQ(s.CellValue(kAmount, 99), 0);
  for (const auto& [def, row] : {std::pair<int32_t, int32_t>{kName, 99}, {kCity, 99}, {500, 1}}) EXPECT_NO_THROW(s.CellText(def, row, "01"));
  EXPECT_NO_THROW(s.CellText(kDay, 1, "nonsense date text of some length"));
  EXPECT_NO_THROW(s.CellValue(kAmount, 99, 1.0));
  EXPECT_NO_THROW({ s.CellCheck(kOk, 99, "1"); s.CellCheck(500, 1, "1"); });
  EXPECT_EQ(s.CellComboCaption(kCity, 99), "");
  // The check getter lets errors through.
  EXPECT_THROW(s.CellCheck(500, 1), SubscriptError);
  EXPECT_THROW(s.CellCheck(kOk, 99), GridError);
}

TEST(CellValue, NumbersTicksCaptionsAndMultiRowFields) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  g.Col(5);
  g.Row(4);
  s.CellValue(kAmount, 2, 3.25);
  g.SetText(s.ColX(kName), 2, "12abc");
  EXPECT_EQ(s.CellText(kAmount, 2), "3.25");
  EXPECT_DOUBLE_EQ(s.CellValue(kAmount, 3), 0);  // empty
  EXPECT_DOUBLE_EQ(s.CellValue(kName, 2), 12);   // the leading numeric part
  EXPECT_EQ(g.Col() * 10 + g.Row(), 54);         // the current cell stays

  // CellCheck reads and writes check columns only, without marking the row.
  s.CellCheck(kOk, 1, "1");
  s.CellCheck(kName, 1, "1");
  EXPECT_EQ(s.CellCheck(kOk, 1) + s.CellCheck(kOk, 2) + "|" + s.CellCheck(kName, 1) + "|" + f.Shown(kName, 1), "10||");
  s.CellCheck(kOk, 1, "Y");
  EXPECT_EQ(f.Shown(kOk, 1) + RenderSheet(s, {1, 1, 0}), "0.");

  // Combo captions, with and without a code length.
  s.CellText(kCity, 1, "01");
  s.CellText(kCity, 2, "03");
  s.CellText(kKind, 1, "B");
  EXPECT_EQ(s.CellComboCaption(kCity, 1) + "|" + s.CellComboCaption(kCity, 2) + "|" + s.CellComboCaption(kKind, 1) + "|" +
                s.CellComboCaption(kCity, 3) + "|" + s.CellComboCaption(kName, 1),
            "Seoul|서울|Big||");

  // On a multi-row sheet the field records decide the conversion. Two fields: a date in grid column 1 and a check box in grid column 4.
  ColumnModel& model = SheetProbe::Columns(s);
  model.ResizeFields(2);
  model.Field(1).col = 1;
  model.Field(1).cell_type = EnDate;
  model.Field(2).col = 4;
  model.Field(2).cell_type = EnCheck;
  s.IsMultiSheet(true);
  s.CellText(1, 2, "20240131");
  s.CellCheck(2, 2, "1");
  EXPECT_EQ(RenderSheet(s, {2, 2, 1}) + " " + s.CellText(1, 2) + " " + s.CellCheck(2, 2) + " [" + s.CellText(3, 2) + "]",
            ".|31-01-2024 20240131 1 []");
}

TEST(CheckDateInput, RepairsTheEditedCellOnly) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  const int32_t day = s.ColX(kDay), month = s.ColX(kMonth);
  // One step: the cell, its text, whether it was edited since the last check, the mode; then
  // the answer, the cell's text and EditCol. Today is 15 March 2024 on the test platform.
  const std::tuple<int32_t, int32_t, const char*, bool, int16_t, const char*> steps[] = {
      {day, 1, "240105", false, EnDate, "1 240105 0"},    // not edited since the last check
      {day, 1, "240105", true, EnDate, "1 05-01-2024 0"}, // repaired, EditCol cleared
      {day, 2, "7", true, EnDate, "1 07-03-2024 0"},
      {day, 3, "2023-2-29", true, EnDate, "0 2023-2-29 6"},  // refused: EditCol kept to check again
      {day, 3, "2024-2-29", false, EnDate, "1 29-02-2024 0"},
      {month, 1, "2024/3", true, EnDateYearMonth, "1 03-2024 0"},
      {month, 2, "x", true, EnText, "1 x 7"},  // a type without a check: EditCol stays
      {month, 4, "", false, EnDateYearMonth, "1  7"},  // an empty cell passes
  };
  for (const auto& [col, row, text, edited, mode, expected] : steps) {
    g.SetText(col, row, text);
    if (edited) s.TrackCellChange(col, row, row);
    const bool ok = s.CheckDateInput(col, row, mode);
    std::string cell;
    g.GetText(col, row, cell);
    EXPECT_EQ(std::to_string(ok) + " " + cell + " " + std::to_string(s.EditCol()), expected) << text;
  }
  s.TrackCellChange(month, 99, 99);
  EXPECT_FALSE(s.CheckDateInput(month, 99, EnDateYearMonth));  // outside the grid: fails quietly

  // A server date given to the sheet is today.
  TypedSheet server(SheetFixture::Bag({{"ServerDate", "19990610"}}));
  server.sheet.GetSheet().SetText(server.sheet.ColX(kDay), 1, "7");
  server.sheet.TrackCellChange(server.sheet.ColX(kDay), 1, 1);
  EXPECT_TRUE(server.sheet.CheckDateInput(server.sheet.ColX(kDay), 1, EnDate));
  EXPECT_EQ(server.Shown(kDay, 1), "07-06-1999");
}

TEST(ComboLists, InitComboBuildsClearsAndExtendsListsAndReadsStringArrays) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  s.InitCombo("Seoul~,01\tBusan~,02\t", 0, true, kCity, -1, true);
  EXPECT_EQ(f.List(3), "Seoul_01|Busan_02|");
  Grid& g = s.GetSheet();
  g.Col(s.ColX(kCity));
  g.Row(3);
  EXPECT_EQ(g.CellType() * 10 + g.TypeComboBoxEditable(), kCellComboBox * 10);
  g.Row(0);
  EXPECT_EQ(g.TypeMaxEditLen(), 0);
  // Blanks around the whole text go; the TAB ending the last item stays.
  s.InitCombo("  A~,1\t  ", 0, true, kCity, -1, true);
  EXPECT_EQ(f.List(1), "A_1|");
  // intDefault 1 on an empty list: an empty first item, which reads as no code.
  s.InitCombo("Seoul~,01\t", 1, true, kCity, -1, true);
  EXPECT_EQ(f.List(1), "_|Seoul_01|");
  s.SetItemToComboBox(s.ColX(kCity), 1, "", 2);
  EXPECT_EQ(f.Shown(kCity, 1) + "[" + s.CellText(kCity, 1) + "]", "_[]");
  // Extending keeps the present items; with intDefault 1 the blank item follows them.
  s.InitCombo("Busan~,02\t", 0, false, kCity, -1, true);
  s.InitCombo("Daegu~,03\t", 1, false, kCity, -1, true);
  EXPECT_EQ(f.List(1), "_|Seoul_01|Busan_02|_|Daegu_03|");
  // One row's own list leaves the others alone; row 0 means the whole column, every row's
  // own list cleared first.
  s.InitCombo("Incheon~,04\t", 0, true, kCity, 3, true);
  EXPECT_EQ(f.List(3) + " " + f.List(2).substr(0, 2), "Incheon_04| _|");
  s.InitCombo("Ulsan~,05\t", 0, true, kCity, 0, true);
  EXPECT_EQ(f.List(3) + " " + f.List(1), "Ulsan_05| Ulsan_05|");
  EXPECT_NO_THROW(s.InitCombo("x\t", 0, true, kCity, 99, true));  // a row outside the grid

  // InitComboStringArray: captions alone or caption and code; a later row's missing code
  // stays empty, its surplus is dropped; a blank text changes nothing; no complete row gives
  // an empty list, with the blank first item when asked for.
  const std::tuple<const char*, int16_t, const char*> arrays[] = {
      {"서울~,01~,~I~부산~,02~,~I~", 0, "서울_01|부산_02|"}, {"A~,~I~B~,~I~", 0, "A|B|"},
      {"x~,1~,~I~y~,~I~z~,3~,9~,~I~", 0, "x_1|y_|z_3|"}, {"   ", 0, "x_1|y_|z_3|"}, {"x~,1", 1, "_|"},
  };
  for (const auto& [data, blankFirst, list] : arrays) {
    s.InitComboStringArray(data, blankFirst, true, kCity, -1);
    EXPECT_EQ(f.List(1), list) << data;
  }

  // Only when the sheet formats its cells: a restored layout keeps its lists.
  SheetProbe::Settings(s).format_on_define = false;
  s.InitCombo("Busan~,02\t", 0, true, kCity, -1, false);
  EXPECT_EQ(f.List(1), "_|");
  s.IsClearHeaderInfo(true);
  s.InitCombo("Busan~,02\t", 0, true, kCity, -1, false);
  EXPECT_EQ(f.List(1), "Busan_02|");
}

TEST(ComboLists, SetItemToComboBoxChoosesByCode) {
  TypedSheet f;
  ZelSheet& s = f.sheet;
  // Each step: the code looked for and the code size, then what row 1 shows. Blanks around
  // the code do not matter; only the last code-size characters count; an unknown code keeps
  // the selection; code size 0 takes the code as long as the item looked for.
  const std::tuple<int32_t, const char*, int32_t, const char*> steps[] = {
      {kCity, "02", 2, "Busan_02"}, {kCity, " 01 ", 2, "Seoul_01"}, {kCity, "x02", 2, "Busan_02"},
      {kCity, "99", 2, "Busan_02"}, {kKind, "S", 0, "Small_S"}, {kName, "01", 2, ""},  // no list: nothing happens
  };
  for (const auto& [def, code, size, shown] : steps) {
    s.SetItemToComboBox(s.ColX(def), 1, code, size);
    EXPECT_EQ(f.Shown(def, 1), shown) << code;
  }
  // A blank item: item 0 only when asked for (its code part is not blank here).
  s.SetItemToComboBox(s.ColX(kCity), 2, "", 2);
  EXPECT_EQ(f.Shown(kCity, 2), "");
  s.SetItemToComboBox(s.ColX(kCity), 2, "", 2, true);
  EXPECT_EQ(f.Shown(kCity, 2), "Seoul_01");
  EXPECT_NO_THROW(s.SetItemToComboBox(s.ColX(kCity), 99, "01", 2));
  EXPECT_NO_THROW(s.SetItemToComboBox(77, 1, "01", 2));
  EXPECT_NO_THROW(s.SetItemToComboBox(s.ColX(kCity), 1, "01", -4));
}

}  // namespace
}  // namespace zel::testing
