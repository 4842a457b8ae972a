// The multi-row layout: a header of three rows with spans, and records formatted from the
// field records.
#include <gtest/gtest.h>

#include <string>

#include "support/cell_picture.h"
#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::FormatAt;
using testing::RenderSheet;
using testing::SheetFixture;
using testing::SheetProbe;

constexpr int32_t kH = 3;

// The spans covering the given cells, each as "col,row,cols,rows" and joined by blanks.
std::string Spans(const Grid& g, std::initializer_list<std::pair<int32_t, int32_t>> cells) {
  std::string out;
  for (const auto& [col, row] : cells) {
    int32_t c = 0, r = 0, cols = 0, rows = 0;
    g.GetCellSpan(col, row, c, r, cols, rows);
    out += (out.empty() ? "" : " ") + std::to_string(c) + "," + std::to_string(r) + "," + std::to_string(cols) + "," +
           std::to_string(rows);
  }
  return out;
}

// Bottom border styles of the cells of column `col` in rows 1..to_row, one digit each.
std::string Borders(const Grid& g, int32_t col, int32_t to_row) {
  std::string out;
  for (int32_t r = 1; r <= to_row; ++r) {
    Color c = 0;
    int16_t style = 0;
    g.GetCellBorder(col, r, kBorderBottom, c, style);
    out += std::to_string(style);
  }
  return out;
}

// Three header rows, six fields:
//
//   offset 0:  | Code (2 cols)   | Name (3 rows) | Secret (hidden, 3 rows)
//   offset 1:  | Qty   | OK      |               |
//   offset 2:  | Tel (2 cols)    |               |
class MultiRowTest : public ::testing::Test, protected SheetFixture {
 protected:
  void SetUp() override {
    sheet.ColHeaderRows(kH);
    sheet.AddCellSpan_Start(8);
    int32_t n = 0;
    sheet.AddItem_Multi(1, 0, 2, 1, n, "CODE", "Code", EnText, "KEY", 10, 0);
    sheet.AddItem_Multi(3, 0, 1, 3, n, "NAME", "Name", EnText, "", 20, 0);
    sheet.AddItem_Multi(1, 1, 1, 1, n, "QTY", "Qty", EnFloat, "DIS", 5, 2);
    sheet.AddItem_Multi(2, 1, 1, 1, n, "OK", "OK", EnCheck, "DIC", 1, 0);
    sheet.AddItem_Multi(4, 0, 1, 3, n, "SECRET", "Secret", EnText, "HID", 10, 0);
    sheet.AddItem_Multi(1, 2, 2, 1, n, "TEL", "Tel", EnMask, "DIS;EDT", 8, 0, "###-####");
    sheet.AddCellSpan_End();
  }
  const TypeSheetColor& colors() { return SheetProbe::Settings(sheet).colors; }
};

TEST_F(MultiRowTest, HeaderSpansTitlesAndRecordArithmetic) {
  Grid& g = grid();
  EXPECT_EQ(sheet.GroupMaxCols() * 10 + sheet.IsMultiSheet(), 61);
  // Header row 0 is reported as row 0, the others as -1000 + n.
  EXPECT_EQ(Spans(g, {{2, -1000}, {3, -998}, {2, -998}, {0, -999}}), "1,0,2,1 3,0,1,3 1,-998,2,1 0,0,1,3");
  EXPECT_EQ(Text(1, -999) + Text(1, 0), "QtyCode");  // header row 0 is row -1000
  EXPECT_EQ(At(1, -1000).ForeColor(), colors().header_col_must_input_fg_color);
  EXPECT_EQ(At(1, -1000).TypeHAlign(), 2);
  EXPECT_EQ(At(3, -1000).ForeColor(), g.HeaderForeColor());
  EXPECT_EQ(At(2, -999).BackColor(), g.HeaderBackColor());
  EXPECT_EQ(At(0, -998).BackColor(), g.HeaderBackColor());
  EXPECT_EQ(std::vector<bool>({At(4, -1).ColHidden(), At(3, -1).ColHidden()}), std::vector<bool>({true, false}));
  // Fields by place and places by field: the second record's offset 1 holds field 4; a cell
  // inside a span but not its anchor, or outside the index, has none (and no error).
  const auto n = [](int32_t v) { return std::to_string(v) + " "; };
  EXPECT_EQ(n(sheet.ColX(3)) + n(sheet.ColX(6)) + n(sheet.ColX(0)) + n(sheet.RowX(6)) +
                n(sheet.GetSpanRow(3)) + n(sheet.GetSpanHeaderRow(6)),
            "1 1 0 2 2 4 ");
  EXPECT_THROW(sheet.RowX(7), SubscriptError);
  EXPECT_EQ(n(sheet.GetColIndex(1, 1)) + n(sheet.GetColIndex(2, 5)) + n(sheet.GetColIndex(1, 9)) +
                n(sheet.GetColIndex(3, 6)) + n(sheet.GetColIndex(99, 1)),
            "1 4 6 0 0 ");
  SheetProbe::Columns(sheet).current_field = 4;
  EXPECT_EQ(sheet.GetColIndex() * 10 + sheet.GetColIndex(2, -1), 44);
}

TEST_F(MultiRowTest, RecordsAreSpannedFormattedAndSeparated) {
  Grid& g = grid();
  sheet.AddRecordsToSheet(2);
  EXPECT_EQ(g.MaxRows(), 6);
  EXPECT_EQ(Spans(g, {{0, 5}, {2, 4}, {3, 6}}), "0,4,1,3 1,4,2,1 3,4,1,3");
  EXPECT_EQ(RenderSheet(sheet, {1, 6, 0}), "A\n.\n.\nA\n.\n.");
  // Formats by type; an empty access code leaves the grid's lock, "EDT" after "DIS" unlocks.
  EXPECT_EQ(FormatAt(g, 3, 1) + " | " + FormatAt(g, 1, 5) + " | " + FormatAt(g, 2, 5) + " | " + FormatAt(g, 1, 6),
            "edit 20/0/1 Tahoma locked | float -100000..100000.2 sep align1 locked | check  centred locked | "
            "pattern XXX-XXXX");
  EXPECT_EQ(At(1, 5).BackColor(), colors().lock_back_color);
  EXPECT_EQ(At(2, 5).BackColor(), colors().code_help);
  // A red border under every record but the last, across the whole row.
  Color color = 0;
  int16_t style = 0;
  g.GetCellBorder(50, 3, kBorderBottom, color, style);
  EXPECT_EQ(Borders(g, 1, 6) + " " + std::to_string(style) + " " + std::to_string(color), "001000 1 16729670");
  // More records go below the data: a record with data in its first row is in use.
  g.SetText(3, 4, "kim");
  sheet.AddRecordsToSheet();
  EXPECT_EQ(g.MaxRows(), 12);
  EXPECT_EQ(RenderSheet(sheet, {4, 7, 3}), "A|||kim\n.|||\n.|||\nA|||");
  EXPECT_EQ(Borders(g, 1, 12).substr(6), "001000");  // rows 7 to 12
  // Below all rows and without field spans: the row header still spans the record.
  sheet.IsNoAddCellSpan(true);
  sheet.AddRecordsToSheet(1, true);
  EXPECT_EQ(Spans(g, {{2, 13}, {1, 15}, {0, 15}, {2, -1000}}), "2,13,1,1 1,15,1,1 0,13,1,3 1,0,2,1");
  EXPECT_EQ(g.MaxRows(), 15);
}

TEST_F(MultiRowTest, RedeclaringStoredDefinitionsAndFieldCells) {
  // SetItem_Multi leaves the header and the counter alone.
  sheet.SetItem_Multi(1, 0, 2, 1, 1, "CODE2", "Changed", EnText, "", 12, 0);
  EXPECT_EQ(Text(1, -1000) + std::to_string(sheet.GroupMaxCols()), "Code6");
  // Cells by field and record; a header tag leaves the grid's Col and Row.
  sheet.AddRecordsToSheet(3);
  sheet.ActiveCellX(3, 4);
  EXPECT_EQ(grid().ActiveCol() * 10 + grid().ActiveRow(), 15);
  EXPECT_THROW(sheet.ActiveCellX(0, 4), SubscriptError);
  At(7, 8);
  sheet.HeaderCellTag(2, "name-tag");  // field 2 stands in grid column 3
  EXPECT_EQ(grid().Col() * 10 + grid().Row(), 78);
  EXPECT_EQ(At(3, 0).CellTag(), "name-tag");
  EXPECT_THROW(sheet.HeaderCellTag(9), SubscriptError);

  // With a stored definition the stored title and access code win, and the caller hears it.
  SheetFixture g;
  ZelSheet& s = g.sheet;
  s.ColHeaderRows(2);
  s.AddCellSpan_Start(1);
  auto& model = SheetProbe::Columns(s);
  model.stored_definition = true;
  model.Field(1).title = "Stored title";
  model.Field(1).access_key = "NON";
  int32_t index = 0;
  std::string title = "Caller title", key;
  s.AddItem_Multi(2, 1, 1, 1, index, "F", title, EnFloat, key, 5, 0);
  EXPECT_EQ(std::to_string(index) + title + key + g.Text(2, -999), "1Stored titleNONStored title");
  // Re-declaring a stored field changes its texts only, not its place or type.
  s.SetItem_Multi(9, 9, 9, 9, 1, "F2", "New", EnCheck, "DIS", 7, 1, "9#");
  EXPECT_EQ(s.GetColIndex(2, 2), 1);
  s.AddRecordsToSheet(1);
  EXPECT_EQ(FormatAt(s.GetSheet(), 2, 2).substr(0, 5), "float");
}

// Subscript errors reach the caller: a field beyond the count AddCellSpan_Start prepared,
// or a cell outside the index table.
TEST(MultiRowFailureTest, FieldsBeyondThePreparedCount) {
  SheetFixture f;
  f.sheet.ColHeaderRows(2);
  f.sheet.AddCellSpan_Start(1);
  f.sheet.AddItem_Multi(1, 0, 1, 1, 0, "A", "A", EnText, "", 5, 0);
  EXPECT_THROW(f.sheet.AddItem_Multi(2, 0, 1, 1, 0, "B", "B", EnText, "", 5, 0), SubscriptError);
  EXPECT_EQ(f.sheet.GroupMaxCols(), 2);  // the number was handed out before the failure
  f.sheet.AddCellSpan_Start(3);
  // A row offset beyond the header rows, a column beyond MaxCols.
  EXPECT_THROW(f.sheet.AddItem_Multi(1, 5, 1, 1, 0, "C", "C", EnText, "", 5, 0), SubscriptError);
  f.sheet.AddCellSpan_Start(10);
  EXPECT_THROW(f.sheet.AddItem_Multi(51, 0, 1, 1, 0, "D", "D", EnText, "", 5, 0), SubscriptError);
  EXPECT_EQ(f.sheet.GroupMaxCols(), 4);
  // The record formatter needs every field record up to the counter.
  f.sheet.AddCellSpan_Start(1);
  EXPECT_THROW(f.sheet.AddRecordsToSheet(1), SubscriptError);
  EXPECT_TRUE(f.platform.Boxes().empty());
}

}  // namespace
}  // namespace zel
