// The tools of the context menus, chosen as a user would (PopupMenu with a scripted
// choice): what the dialogs were given, what the sheet became, and what the companion tools
// received.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

// Customers: code, name, amount (a number with 2 decimals), joined (a date), active (check).
struct Customers : SheetFixture {
  Customers() {
    sheet.AddItem("CODE", "코드");
    sheet.AddItem("NAME", "이름");
    sheet.AddItem("AMT", "금액", EnFloat, 0, 12, 2);
    sheet.AddItem("JOINED", "가입일", EnDate);
    sheet.AddItem("ACTIVE", "사용", EnCheck);
    sheet.Display(
        "c1~,Kim Ana~,1000~,20240105~,1~,~I"
        "~c2~,lee bo~,25.5~,20231231~,0~,~I"
        "~c3~,Park~,-3~,~,1~,~I"
        "~c4~,kimchi~,7~,20240229~,0~,~I~");
  }
  template <class Dialog>
  void Answer(const std::string& menu, const std::string& entry, Dialog answer) {
    platform.ConfirmDialog(std::move(answer));
    Choose(menu, entry);
  }
  void Choose(const std::string& menu, const std::string& entry) {
    platform.QueueMenuChoice(entry);
    sheet.PopupMenu(menu);
  }
  std::string Codes() {
    std::string out;
    for (int32_t r = 1; r <= sheet.DataRowCnt(); ++r) {
      sheet.Row(r);
      if (!sheet.RowHidden()) out += sheet.CellText(1, r) + " ";
    }
    return out;
  }
};

TEST(SheetToolsTest, FilterKeepsRowsHoldingEveryFilterTextInAnyCase) {
  struct Case {
    std::vector<std::string> filters;
    const char* shown;
  } cases[] = {
      {{"", "KI"}, "c1 c4 "},
      {{"", "ki", "1"}, "c1 "},
      {{"", "e b"}, "c2 "},
      {{"", "kimz"}, ""},  // matching nothing hides every row
      {{}, "c1 c2 c3 c4 "},
  };
  for (const Case& c : cases) {
    Customers f;
    SheetFilterDialog answer;
    answer.ArrayValue = c.filters;
    answer.EditMode = true;
    f.Answer("mnuSheet", "mnuSheetFilter", answer);
    EXPECT_EQ(f.Codes(), c.shown);
    EXPECT_TRUE(f.sheet.EditModePermanent());
  }
  Customers f;
  f.Choose("mnuSheet", "mnuSheetFilter");  // cancelled: nothing changes
  EXPECT_EQ(f.Codes(), "c1 c2 c3 c4 ");
  EXPECT_EQ(f.platform.ToolCalls<SheetFilterDialog>().at(0).ArrayName.at(1), "이름");
}

TEST(SheetToolsTest, ConfigurationHidesWhatTheDialogHandsBackAndSavesTheArrangement) {
  Customers f;
  f.sheet.GetSheet().Col(2);
  f.sheet.GetSheet().ColHidden(true);
  SheetSettingDialog answer;
  answer.ArrayValue = {"1", "0", "0", "1"};
  f.Answer("mnuSheet", "mnuSheetSetting", answer);
  const SheetSettingDialog& asked = f.platform.ToolCalls<SheetSettingDialog>().at(0);
  EXPECT_EQ(std::vector<std::string>(asked.ArrayValue.begin(), asked.ArrayValue.begin() + 3),
            (std::vector<std::string>{"0", "1", "0"}));
  std::string hidden;
  for (int32_t c = 1; c <= 5; ++c) {
    f.sheet.Col(c);
    hidden += f.sheet.ColHidden() ? "H" : ".";
  }
  EXPECT_EQ(hidden, "H..H.");
  // The arrangement is saved at once: the user-hidden columns among it.
  EXPECT_EQ(f.platform.Settings().GetSetting("Praxium.Net", "\\ZelSheet", "Hidden", "").substr(0, 10),
            "1,0,0,1,0,");
}

TEST(SheetToolsTest, SortDialogSortsByUpToThreeKeysAndFrozenEntriesFreeze) {
  Customers f;
  SheetSortDialog sort;
  sort.cboFirst = 5;
  sort.optFirstAsc = false;
  sort.cboSecond = 3;
  f.Answer("mnuSheet", "mnuSheetSort", sort);
  EXPECT_EQ(f.Codes(), "c3 c1 c4 c2 ");  // amounts sort as numbers
  EXPECT_EQ(f.platform.ToolCalls<SheetSortDialog>().at(0).items.at(2).caption, "이름");

  FrozenDialog cols;
  cols.txtNumber = "2";
  f.Answer("mnuSheet", "mnuColsFrozen", cols);
  FrozenDialog rows;
  rows.txtNumber = "1";
  f.Answer("mnuSheet", "mnuRowsFrozen", rows);
  FrozenDialog bad;
  bad.txtNumber = "9999999";
  f.Answer("mnuSheet", "mnuColsFrozen", bad);  // beyond the columns: nothing changes
  EXPECT_EQ(f.sheet.ColsFrozen(), 2);
  EXPECT_EQ(f.sheet.RowsFrozen(), 1);
  EXPECT_EQ(f.platform.ToolCalls<FrozenDialog>().at(1).lblTitle, "번째 행");
  EXPECT_EQ(f.platform.Settings().GetSetting("Praxium.Net", "\\ZelSheet", "ColsFrozen", ""), "2");
}

TEST(SheetToolsTest, ColumnMergeSortsGroupsMergesAndPaints) {
  Customers f;
  f.sheet.CellText(2, 3, "kimchi");
  f.sheet.SetColMerge(2, 0, 0, 0, 0, true, true);
  EXPECT_TRUE(f.sheet.IsColMerge());
  EXPECT_EQ(f.Codes(), "c2 c3 c4 c1 ");  // names descending: lee bo, kimchi x2, Kim Ana
  Grid& g = f.sheet.GetSheet();
  g.Col(2);
  EXPECT_EQ(g.ColMerge(), kMergeAlways);
  int32_t c1, r1, c2, r2;
  EXPECT_TRUE(g.GetMergedRange(2, 2, c1, r1, c2, r2));
  EXPECT_EQ(r1 * 10 + r2, 23);
  g.Row(1);
  g.Col(-1);
  const Color first = g.BackColor();
  g.Row(2);
  EXPECT_NE(g.BackColor(), first);

  // A merge on a hidden or missing column is no merge; SetColMerge(0) removes it.
  f.sheet.SetColMerge(0);
  EXPECT_FALSE(f.sheet.IsColMerge());
  g.Col(2);
  EXPECT_EQ(g.ColMerge(), kMergeNone);
  f.sheet.SetColMerge(999, -4);
  EXPECT_FALSE(f.sheet.IsColMerge());

  ColMergeDialog answer;
  answer.gColMerge1 = 1;
  f.Answer("mnuSheet", "mnuColMerge", answer);
  EXPECT_EQ(f.Codes(), "c1 c2 c3 c4 ");
  EXPECT_TRUE(f.sheet.IsColMerge());
  f.sheet.Display("c9~,b~,1~,~,0~,~I~c0~,a~,2~,~,0~,~I~");  // new rows join the merge order
  EXPECT_EQ(f.Codes(), "c0 c9 ");
}

TEST(SheetToolsTest, SumAndAverageOfTheSelectedCells) {
  Customers f;
  f.sheet.CellText(3, 2, "");
  f.sheet.CellText(3, 3, "2");
  f.sheet.GetSheet().SetSelection(3, 1, 3, 3);
  f.sheet.ActiveCell(2, 1);  // a text cell: no decimals
  f.Choose("mnuFunction", "mnuSheetSumNAvg");
  const CalOnSheetDialog shown = f.platform.ToolCalls<CalOnSheetDialog>().at(0);
  EXPECT_EQ(shown, (CalOnSheetDialog{"1,002", "334", "1,000", "0", "3"}));

  f.sheet.GetSheet().SetSelection(2, 1, 2, 4);  // names: all count 0
  f.sheet.ActiveCell(3, 1);                     // an amount: two decimals
  f.sheet.fnSumAvg();
  EXPECT_EQ(f.platform.ToolCalls<CalOnSheetDialog>().at(1),
            (CalOnSheetDialog{"0.00", "0.00", "0.00", "0.00", "4"}));
  EXPECT_DOUBLE_EQ(f.sheet.GetSumCols(3), 1000 + 2 + 7);
  EXPECT_DOUBLE_EQ(f.sheet.GetSumCols(3, 2, 3), 2);
  EXPECT_DOUBLE_EQ(f.sheet.GetSumCols(3, -5, 999999), 1009);
}

TEST(SheetToolsTest, ExportsHandTheTypedTableAndObeyTheRights) {
  Customers f;
  f.sheet.Col(5);
  f.sheet.ColHidden(true);
  f.sheet.GetSheet().Row(4);
  f.sheet.GetSheet().RowHidden(true);
  f.sheet.SetRowColor(2, 1);
  f.Choose("mnuSheet", "mnuSendToExcel");
  ASSERT_EQ(f.platform.ToolCalls<SendToExcelCall>().size(), 1u);
  const GridTable& t = f.platform.ToolCalls<SendToExcelCall>()[0].grid;
  EXPECT_EQ(t.titles, (std::vector<std::string>{"코드", "이름", "금액", "가입일", "사용"}));
  EXPECT_EQ(t.rows, (std::vector<std::vector<std::string>>{
                        {"c1", "Kim Ana", "1000.00", "20240105", "1"},
                        {"c2", "lee bo", "25.50", "20231231", "0"},
                        {"c3", "Park", "-3.00", "", "1"}}));
  EXPECT_EQ(t.columns.at(2).kind, TableKind::kNumber);
  EXPECT_EQ(t.columns.at(2).decimals, 2);
  EXPECT_EQ(t.columns.at(3).kind, TableKind::kDate);
  EXPECT_TRUE(t.columns.at(4).hidden);
  EXPECT_EQ(t.row_back.at(1), 0xF81C1C);

  f.sheet.FormCaption("고객 목록");
  f.Choose("mnuSheet", "mnuSheetPrint");
  f.Choose("mnuSheet", "mnuSendToChart");
  EXPECT_EQ(f.platform.ToolCalls<PrintCall>().at(0).title, "고객 목록");
  EXPECT_EQ(f.platform.ToolCalls<ChartCall>().size(), 1u);

  ScriptedPlatform p;
  ZelSheet denied(p);
  denied.ReadProperties(SheetFixture::Bag({{"Info", "20240101~,PGM001~,~,INIT~,1~,11111110~,S1~,kim"}}));
  EXPECT_FALSE(denied.SendToExcel().done);
  EXPECT_FALSE(denied.SendExcel("", "title").done);
  EXPECT_TRUE(p.ToolCalls<SendToExcelCall>().empty());
  EXPECT_TRUE(p.ToolCalls<SendExcelCall>().empty());
  EXPECT_EQ(denied.PraxiumMyFolder("kim"), "");
}

TEST(SheetToolsTest, AddRowsAndCellTags) {
  Customers f;
  const int32_t rows = f.sheet.MaxRows();
  f.Choose("mnuSheet", "mnuSheetAdd");
  EXPECT_EQ(f.sheet.MaxRows(), rows + 20);
  std::string status;
  f.sheet.GetSheet().GetText(0, rows + 20, status);
  EXPECT_EQ(status, "A");
  f.sheet.SetCellTag(2, 3, "tag");
  EXPECT_EQ(f.sheet.GetCellTag(2, 3), "tag");
  EXPECT_EQ(f.sheet.GetCellTag(1, 3), "");
}

}  // namespace
}  // namespace zel::testing
