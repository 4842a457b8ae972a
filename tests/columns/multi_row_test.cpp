// The multi-row layout: a header of three rows with spans, and records formatted from the
// field records.
#include <gtest/gtest.h>

#include <string>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::SheetFixture;
using testing::SheetProbe;

constexpr int32_t kH = 3;

struct Span {
  int32_t col, row, cols, rows;
  bool operator==(const Span&) const = default;
};

Span SpanAt(const Grid& g, int32_t col, int32_t row) {
  Span s{};
  g.GetCellSpan(col, row, s.col, s.row, s.cols, s.rows);
  return s;
}

int16_t BottomBorderStyle(const Grid& g, int32_t col, int32_t row, Color* color = nullptr) {
  Color c = 0;
  int16_t style = 0;
  g.GetCellBorder(col, row, kBorderBottom, c, style);
  if (color != nullptr) *color = c;
  return style;
}

// Three header rows, six fields:
//
//   offset 0:  | Code (2 cols)   | Name (3 rows) | Secret (hidden, 3 rows)
//   offset 1:  | Qty   | OK      |               |
//   offset 2:  | Tel (2 cols)    |               |
class MultiRowTest : public ::testing::Test {
 protected:
  void SetUp() override { Declare(f_.sheet); }

  static void Declare(ZelSheet& s) {
    s.ColHeaderRows(kH);
    s.AddCellSpan_Start(8);
    int32_t n = 0;
    s.AddItem_Multi(1, 0, 2, 1, n, "CODE", "Code", EnText, "KEY", 10, 0);
    s.AddItem_Multi(3, 0, 1, 3, n, "NAME", "Name", EnText, "", 20, 0);
    s.AddItem_Multi(1, 1, 1, 1, n, "QTY", "Qty", EnFloat, "DIS", 5, 2);
    s.AddItem_Multi(2, 1, 1, 1, n, "OK", "OK", EnCheck, "DIC", 1, 0);
    s.AddItem_Multi(4, 0, 1, 3, n, "SECRET", "Secret", EnText, "HID", 10, 0);
    s.AddItem_Multi(1, 2, 2, 1, n, "TEL", "Tel", EnMask, "DIS;EDT", 8, 0, "###-####");
    s.AddCellSpan_End();
  }

  Grid& grid() { return f_.sheet.GetSheet(); }
  ZelSheet& sheet() { return f_.sheet; }
  const TypeSheetColor& colors() { return SheetProbe::Settings(f_.sheet).colors; }
  Grid& At(int32_t col, int32_t row) {
    grid().Col(col);
    grid().Row(row);
    return grid();
  }

  SheetFixture f_;
};

TEST_F(MultiRowTest, FieldRecordsAndRecordArithmetic) {
  EXPECT_TRUE(sheet().IsMultiSheet());
  EXPECT_EQ(sheet().GroupMaxCols(), 6);
  EXPECT_EQ(sheet().ColX(3), 1);
  EXPECT_EQ(sheet().ColX(6), 1);
  EXPECT_EQ(sheet().ColX(0), 0);
  EXPECT_EQ(sheet().RowX(6), 2);
  EXPECT_THROW(sheet().RowX(7), SubscriptError);

  EXPECT_EQ(sheet().GetSpanRow(3), 2);
  EXPECT_EQ(sheet().GetSpanHeaderRow(6), 4);

  EXPECT_EQ(sheet().GetColIndex(1, 1), 1);
  EXPECT_EQ(sheet().GetColIndex(2, 5), 4);   // second record, offset 1
  EXPECT_EQ(sheet().GetColIndex(1, 9), 6);
  EXPECT_EQ(sheet().GetColIndex(3, 6), 0);   // inside a span, not its anchor
  EXPECT_EQ(sheet().GetColIndex(99, 1), 0);  // outside the index: 0, no error
  SheetProbe::Columns(sheet()).current_field = 4;
  EXPECT_EQ(sheet().GetColIndex(), 4);
  EXPECT_EQ(sheet().GetColIndex(2, -1), 4);
}

TEST_F(MultiRowTest, HeaderSpansTitlesAndColours) {
  Grid& g = grid();
  // Header row 0 is reported as row 0, the others as -1000 + n.
  EXPECT_EQ(SpanAt(g, 2, -1000), (Span{1, 0, 2, 1}));
  EXPECT_EQ(SpanAt(g, 3, -998), (Span{3, 0, 1, 3}));
  EXPECT_EQ(SpanAt(g, 2, -998), (Span{1, -998, 2, 1}));
  const Span corner = SpanAt(g, 0, -999);
  EXPECT_EQ(corner.col, 0);
  EXPECT_EQ(corner.cols, 1);
  EXPECT_EQ(corner.rows, kH);

  std::string text;
  g.GetText(1, -999, text);
  EXPECT_EQ(text, "Qty");
  g.GetText(1, 0, text);  // header row 0 is row -1000
  EXPECT_EQ(text, "Code");

  EXPECT_EQ(At(1, -1000).ForeColor(), colors().header_col_must_input_fg_color);
  EXPECT_EQ(At(3, -1000).ForeColor(), g.HeaderForeColor());
  EXPECT_EQ(At(2, -999).BackColor(), g.HeaderBackColor());
  EXPECT_EQ(At(0, -998).BackColor(), g.HeaderBackColor());
  EXPECT_EQ(At(1, -1000).TypeHAlign(), 2);

  g.Col(4);
  EXPECT_TRUE(g.ColHidden());
  g.Col(3);
  EXPECT_FALSE(g.ColHidden());
}

TEST_F(MultiRowTest, RecordsAreSpannedFormattedAndSeparated) {
  Grid& g = grid();
  sheet().AddRecordsToSheet(2);
  EXPECT_EQ(g.MaxRows(), 6);

  for (int32_t r : {1, 4}) {
    SCOPED_TRACE(r);
    EXPECT_EQ(SpanAt(g, 0, r + 1), (Span{0, r, 1, kH}));
    std::string status;
    g.GetText(0, r, status);
    EXPECT_EQ(status, "A");
    EXPECT_EQ(SpanAt(g, 2, r), (Span{1, r, 2, 1}));
    EXPECT_EQ(SpanAt(g, 3, r + 2), (Span{3, r, 1, 3}));
  }
  // Formats by type and access code.
  EXPECT_EQ(At(3, 1).TypeMaxEditLen(), 20);
  Grid& qty = At(1, 5);
  EXPECT_EQ(qty.CellType(), kCellFloat);
  EXPECT_EQ(qty.TypeFloatMax(), 100000.0);
  EXPECT_EQ(qty.TypeHAlign(), 1);
  EXPECT_TRUE(qty.LockCells());
  EXPECT_EQ(qty.BackColor(), colors().lock_back_color);
  Grid& ok = At(2, 5);
  EXPECT_EQ(ok.CellType(), kCellCheckBox);
  EXPECT_EQ(ok.BackColor(), colors().code_help);
  EXPECT_EQ(ok.TypeHAlign(), 2);
  Grid& tel = At(1, 6);
  EXPECT_EQ(tel.CellType(), kCellPattern);
  EXPECT_EQ(tel.TypePicMask(), "XXX-XXXX");
  EXPECT_FALSE(tel.LockCells());  // "EDT" after "DIS"

  // A border under the first record, none under the last.
  Color color = 0;
  EXPECT_EQ(BottomBorderStyle(g, 1, 3, &color), 1);
  EXPECT_EQ(color, 0xFF4646);
  EXPECT_EQ(BottomBorderStyle(g, 50, 3), 1);
  EXPECT_EQ(BottomBorderStyle(g, 1, 6), 0);
  EXPECT_EQ(BottomBorderStyle(g, 1, 4), 0);

  // More records go below the data: a record with data in its first row is in use.
  g.SetText(3, 4, "kim");
  sheet().AddRecordsToSheet();
  EXPECT_EQ(g.MaxRows(), 12);
  std::string text;
  g.GetText(3, 4, text);
  EXPECT_EQ(text, "kim");
  g.GetText(0, 7, text);
  EXPECT_EQ(text, "A");
  EXPECT_EQ(BottomBorderStyle(g, 1, 9), 1);
  EXPECT_EQ(BottomBorderStyle(g, 1, 12), 0);
}

TEST(MultiRowRecordsTest, WithoutFieldSpans) {
  SheetFixture f;
  f.sheet.IsNoAddCellSpan(true);
  f.sheet.ColHeaderRows(kH);
  f.sheet.AddCellSpan_Start(2);
  f.sheet.AddItem_Multi(1, 0, 2, 1, 0, "CODE", "Code", EnText, "", 10, 0);
  f.sheet.AddItem_Multi(1, 1, 1, 2, 0, "QTY", "Qty", EnFloat, "", 5, 0);
  f.sheet.AddCellSpan_End();
  f.sheet.AddRecordsToSheet(1);
  const Grid& g = f.sheet.GetSheet();
  EXPECT_EQ(g.MaxRows(), 3);
  EXPECT_EQ(SpanAt(g, 2, 1), (Span{2, 1, 1, 1}));  // no field span
  EXPECT_EQ(SpanAt(g, 1, 3), (Span{1, 3, 1, 1}));
  EXPECT_EQ(SpanAt(g, 0, 3), (Span{0, 1, 1, kH}));  // the row header still spans the record
  std::string status;
  g.GetText(0, 1, status);
  EXPECT_EQ(status, "A");
  EXPECT_EQ(BottomBorderStyle(g, 1, 3), 0);  // the only record is the last
  // The header spans do not depend on the switch.
  EXPECT_EQ(SpanAt(g, 2, -1000), (Span{1, 0, 2, 1}));
}

TEST_F(MultiRowTest, RedeclaringAndStoredDefinitions) {
  // SetItem_Multi leaves the header and the counter alone.
  sheet().SetItem_Multi(1, 0, 2, 1, 1, "CODE2", "Changed", EnText, "", 12, 0);
  std::string text;
  grid().GetText(1, -1000, text);
  EXPECT_EQ(text, "Code");
  EXPECT_EQ(sheet().GroupMaxCols(), 6);

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
  std::string title = "Caller title";
  std::string key = "";
  s.AddItem_Multi(2, 1, 1, 1, index, "F", title, EnFloat, key, 5, 0);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(title, "Stored title");
  EXPECT_EQ(key, "NON");
  g.sheet.GetSheet().GetText(2, -999, text);
  EXPECT_EQ(text, "Stored title");
  EXPECT_EQ(s.GetColIndex(2, 2), 1);

  // Re-declaring a stored field changes its texts only, not its place or type.
  s.SetItem_Multi(9, 9, 9, 9, 1, "F2", "New", EnCheck, "DIS", 7, 1, "9#");
  EXPECT_EQ(s.GetColIndex(2, 2), 1);
  s.AddRecordsToSheet(1);
  s.GetSheet().Col(2);
  s.GetSheet().Row(2);
  EXPECT_EQ(s.GetSheet().CellType(), kCellFloat);
}

TEST_F(MultiRowTest, CellsOfFieldsAndHeaderTags) {
  sheet().AddRecordsToSheet(3);
  sheet().ActiveCellX(3, 4);
  EXPECT_EQ(grid().ActiveCol(), 1);
  EXPECT_EQ(grid().ActiveRow(), 5);
  EXPECT_THROW(sheet().ActiveCellX(0, 4), SubscriptError);

  grid().Col(7);
  grid().Row(8);
  sheet().HeaderCellTag(2, "name-tag");  // field 2 stands in grid column 3
  EXPECT_EQ(grid().Col(), 7);
  EXPECT_EQ(grid().Row(), 8);
  EXPECT_EQ(At(3, 0).CellTag(), "name-tag");
  EXPECT_THROW(sheet().HeaderCellTag(9), SubscriptError);
}

// Subscript errors reach the caller: a field beyond the count AddCellSpan_Start prepared,
// or a cell outside the index table.
TEST(MultiRowFailureTest, FieldsBeyondThePreparedCount) {
  SheetFixture f;
  f.sheet.ColHeaderRows(2);
  f.sheet.AddCellSpan_Start(1);
  f.sheet.AddItem_Multi(1, 0, 1, 1, 0, "A", "A", EnText, "", 5, 0);
  EXPECT_THROW(f.sheet.AddItem_Multi(2, 0, 1, 1, 0, "B", "B", EnText, "", 5, 0),
               SubscriptError);
  EXPECT_EQ(f.sheet.GroupMaxCols(), 2);  // the number was handed out before the failure
  f.sheet.AddCellSpan_Start(3);
  EXPECT_THROW(f.sheet.AddItem_Multi(1, 5, 1, 1, 0, "C", "C", EnText, "", 5, 0),
               SubscriptError);  // row offset beyond the header rows
  f.sheet.AddCellSpan_Start(10);
  EXPECT_THROW(f.sheet.AddItem_Multi(51, 0, 1, 1, 0, "D", "D", EnText, "", 5, 0),
               SubscriptError);  // column beyond MaxCols
  EXPECT_EQ(f.sheet.GroupMaxCols(), 4);
  // The record formatter needs every field record up to the counter.
  f.sheet.AddCellSpan_Start(1);
  EXPECT_THROW(f.sheet.AddRecordsToSheet(1), SubscriptError);
  EXPECT_TRUE(f.platform.Boxes().empty());
}

}  // namespace
}  // namespace zel
