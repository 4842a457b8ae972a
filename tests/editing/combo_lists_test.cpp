// Combo lists: InitCombo's branches, InitComboStringArray, and choosing an item by its code.
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

struct ComboSheet : SheetFixture {
  ComboSheet() {
    sheet.MaxCols(3);
    sheet.AddItem("NAME", "Name", EnText, 0, 10);
    sheet.AddItem("CITY", "City", EnCombo, 0, 2);
    sheet.AddItem("KIND", "Kind", EnCombo, 0, 0);
    sheet.MaxRows(4);
  }
  std::string List(int32_t gridCol, int32_t row) {
    Grid& g = sheet.GetSheet();
    g.Col(gridCol);
    g.Row(row);
    return g.TypeComboBoxList();
  }
  std::string Shown(int32_t gridCol, int32_t row) {
    std::string out;
    sheet.GetSheet().GetText(gridCol, row, out);
    return out;
  }
};

TEST(InitCombo, BuildsItemsWithTheCodeOutOfSight) {
  ComboSheet f;
  ZelSheet& s = f.sheet;
  s.InitCombo("Seoul~,01\tBusan~,02\t", 0, true, 2, -1, true);
  const int32_t c = s.ColX(2);
  EXPECT_EQ(f.List(c, 3), "Seoul" + kGap + "01\tBusan" + kGap + "02\t");
  Grid& g = s.GetSheet();
  g.Col(c);
  g.Row(3);
  EXPECT_EQ(g.CellType(), kCellComboBox);
  EXPECT_FALSE(g.TypeComboBoxEditable());
  g.Row(0);
  EXPECT_EQ(g.TypeMaxEditLen(), 0);
  // Leading and trailing blanks of the whole text go; the TAB ending the last item stays.
  s.InitCombo("  A~,1\t  ", 0, true, 2, -1, true);
  EXPECT_EQ(f.List(c, 1), "A" + kGap + "1\t");
}

TEST(InitCombo, DefaultItemClearingAndExtending) {
  ComboSheet f;
  ZelSheet& s = f.sheet;
  const int32_t c = s.ColX(2);
  // intDefault 1 on an empty list: an empty first item of 50 blanks.
  s.InitCombo("Seoul~,01\t", 1, true, 2, -1, true);
  EXPECT_EQ(f.List(c, 1), kGap + "\tSeoul" + kGap + "01\t");
  s.SetItemToComboBox(c, 1, "", 2);
  EXPECT_EQ(f.Shown(c, 1), kGap);
  EXPECT_EQ(s.CellText(2, 1), "");
  // Extending keeps the present items; with intDefault 1 the blank item follows them.
  s.InitCombo("Busan~,02\t", 0, false, 2, -1, true);
  EXPECT_EQ(f.List(c, 1), kGap + "\tSeoul" + kGap + "01\tBusan" + kGap + "02\t");
  s.InitCombo("Daegu~,03\t", 1, false, 2, -1, true);
  EXPECT_EQ(f.List(c, 1),
            kGap + "\tSeoul" + kGap + "01\tBusan" + kGap + "02\t" + kGap + "\tDaegu" + kGap + "03\t");
  // One row's own list leaves the other rows' lists alone.
  s.InitCombo("Incheon~,04\t", 0, true, 2, 3, true);
  EXPECT_EQ(f.List(c, 3), "Incheon" + kGap + "04\t");
  EXPECT_EQ(f.List(c, 2).substr(0, 51), kGap + "\t");
  // Row 0 means the whole column: every row's own list is cleared first.
  s.InitCombo("Ulsan~,05\t", 0, true, 2, 0, true);
  EXPECT_EQ(f.List(c, 3), "Ulsan" + kGap + "05\t");
  EXPECT_EQ(f.List(c, 1), "Ulsan" + kGap + "05\t");
}

TEST(InitCombo, OnlyWhenTheSheetFormatsItsCells) {
  ComboSheet f;
  ZelSheet& s = f.sheet;
  const int32_t c = s.ColX(2);
  s.InitCombo("Seoul~,01\t", 0, true, 2, -1, true);
  SheetProbe::Settings(s).format_on_define = false;
  s.InitCombo("Busan~,02\t", 0, true, 2, -1, false);
  EXPECT_EQ(f.List(c, 1), "Seoul" + kGap + "01\t");  // a restored layout keeps its lists
  s.IsClearHeaderInfo(true);
  s.InitCombo("Busan~,02\t", 0, true, 2, -1, false);
  EXPECT_EQ(f.List(c, 1), "Busan" + kGap + "02\t");
  EXPECT_NO_THROW(s.InitCombo("x\t", 0, true, 2, 99, true));  // a row outside the grid
}

TEST(InitComboStringArray, CaptionsAloneOrCaptionAndCode) {
  ComboSheet f;
  ZelSheet& s = f.sheet;
  const int32_t c = s.ColX(2);
  s.InitComboStringArray("서울~,01~,~I~부산~,02~,~I~", 0, true, 2, -1);
  EXPECT_EQ(f.List(c, 1), "서울" + kGap + "01\t부산" + kGap + "02\t");
  s.CellText(2, 1, "02");
  EXPECT_EQ(s.CellComboCaption(2, 1), "부산");

  s.InitComboStringArray("A~,~I~B~,~I~", 0, true, 2, -1);
  EXPECT_EQ(f.List(c, 1), "A\tB\t");
  // A later row's missing code stays empty; its surplus is dropped.
  s.InitComboStringArray("x~,1~,~I~y~,~I~z~,3~,9~,~I~", 0, true, 2, -1);
  EXPECT_EQ(f.List(c, 1), "x" + kGap + "1\ty" + kGap + "\tz" + kGap + "3\t");
  // Blank: nothing changes.
  s.InitComboStringArray("   ", 0, true, 2, -1);
  EXPECT_EQ(f.List(c, 1), "x" + kGap + "1\ty" + kGap + "\tz" + kGap + "3\t");
  // No complete row: an empty list, with the blank first item when asked for.
  s.InitComboStringArray("x~,1", 1, true, 2, -1);
  EXPECT_EQ(f.List(c, 1), kGap + "\t");
}

TEST(SetItemToComboBox, ChoosesByCode) {
  ComboSheet f;
  ZelSheet& s = f.sheet;
  s.InitCombo("Seoul~,01\tBusan~,02\t", 0, true, 2, -1, true);
  s.InitCombo("Big~,B\tSmall~,S\t", 0, true, 3, -1, true);
  const int32_t city = s.ColX(2);
  const int32_t kind = s.ColX(3);
  s.SetItemToComboBox(city, 1, "02", 2);
  EXPECT_EQ(f.Shown(city, 1), "Busan" + kGap + "02");
  s.SetItemToComboBox(city, 1, " 01 ", 2);  // blanks around the code do not matter
  EXPECT_EQ(f.Shown(city, 1), "Seoul" + kGap + "01");
  s.SetItemToComboBox(city, 1, "x02", 2);  // only the last code-size characters count
  EXPECT_EQ(f.Shown(city, 1), "Busan" + kGap + "02");
  s.SetItemToComboBox(city, 1, "99", 2);  // no such code: the selection stays
  EXPECT_EQ(f.Shown(city, 1), "Busan" + kGap + "02");
  // Code size 0: the code is as long as the item looked for.
  s.SetItemToComboBox(kind, 1, "S", 0);
  EXPECT_EQ(f.Shown(kind, 1), "Small" + kGap + "S");
  // A blank item: item 0 only when asked for (its code part is not blank here).
  s.SetItemToComboBox(city, 2, "", 2);
  EXPECT_EQ(f.Shown(city, 2), "");
  s.SetItemToComboBox(city, 2, "", 2, true);
  EXPECT_EQ(f.Shown(city, 2), "Seoul" + kGap + "01");
  // No list (a text column), a cell outside the grid: nothing happens.
  s.SetItemToComboBox(s.ColX(1), 1, "01", 2);
  EXPECT_EQ(f.Shown(s.ColX(1), 1), "");
  EXPECT_NO_THROW(s.SetItemToComboBox(city, 99, "01", 2));
  EXPECT_NO_THROW(s.SetItemToComboBox(77, 1, "01", 2));
  EXPECT_NO_THROW(s.SetItemToComboBox(city, 1, "01", -4));
}

}  // namespace
}  // namespace zel
