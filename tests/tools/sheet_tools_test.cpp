// The tools of the context menus, chosen as a user would (PopupMenu with a scripted
// choice): what the dialogs were given, what the sheet became, and what the companion tools
// received.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
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
  // The codes of the shown rows, in order.
  std::string Codes() {
    std::string out;
    for (int32_t r = 1; r <= sheet.DataRowCnt(); ++r) out += (sheet.Row(r), sheet.RowHidden()) ? "" : sheet.CellText(1, r) + " ";
    return out;
  }
  // Column 2's merge: on or off, the merged rows around (2,2), and whether rows 1 and 2
  // differ in colour.
  std::string Merge() {
    Grid& g = sheet.GetSheet();
    int32_t c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    std::string out = sheet.IsColMerge() ? "on " : "off ";
    if (g.GetMergedRange(2, 2, c1, r1, c2, r2)) out += std::to_string(r1) + "-" + std::to_string(r2) + " ";
    g.Col(-1);
    g.Row(1);
    const Color first = g.BackColor();
    g.Row(2);
    return out + (g.BackColor() != first ? "painted" : "plain");
  }
};

// The dialogs of the sheet menu on one sheet, one after the other.
TEST(SheetToolsTest, FilterConfigurationSortAddAndFrozenEntries) {
  Customers f;
  // The filter keeps rows holding every filter text, in any case; each filter starts afresh
  // and a cancelled dialog changes nothing.
  const std::tuple<bool, std::vector<std::string>, const char*> filters[] = {
      {true, {"", "KI"}, "c1 c4 "}, {true, {"", "ki", "1"}, "c1 "}, {true, {"", "e b"}, "c2 "},
      {true, {"", "kimz"}, ""},  // matching nothing hides every row
      {false, {}, ""},           {true, {}, "c1 c2 c3 c4 "},
  };
  for (const auto& [confirmed, texts, shown] : filters) {
    SheetFilterDialog answer;
    answer.ArrayValue = texts;
    answer.EditMode = true;
    if (confirmed) f.platform.ConfirmDialog(answer);
    f.Choose("mnuSheet", "mnuSheetFilter");
    EXPECT_EQ(f.Codes(), shown);
  }
  EXPECT_TRUE(f.sheet.EditModePermanent());
  EXPECT_EQ(f.platform.ToolCalls<SheetFilterDialog>().at(0).ArrayName.at(1), "이름");

  // The configuration hides what the dialog hands back and saves the arrangement at once,
  // the user-hidden columns among it.
  f.sheet.Col(2);
  f.sheet.ColHidden(true);
  SheetSettingDialog setting;
  setting.ArrayValue = {"1", "0", "0", "1"};
  f.Answer("mnuSheet", "mnuSheetSetting", setting);
  const std::vector<std::string>& asked = f.platform.ToolCalls<SheetSettingDialog>().at(0).ArrayValue;
  std::string hidden;
  for (int32_t c = 1; c <= 5; ++c) hidden += (f.sheet.Col(c), f.sheet.ColHidden() ? "H" : ".");
  EXPECT_EQ(asked.at(0) + asked.at(1) + asked.at(2) + " " + hidden + " " + f.platform.Settings().GetSetting("Praxium.Net", "\\ZelSheet", "Hidden").substr(0, 10),
            "010 H..H. 1,0,0,1,0,");

  // Sort by up to three keys; amounts sort as numbers.
  SheetSortDialog sort;
  sort.cboFirst = 5;
  sort.optFirstAsc = false;
  sort.cboSecond = 3;
  f.Answer("mnuSheet", "mnuSheetSort", sort);
  EXPECT_EQ(f.Codes(), "c3 c1 c4 c2 ");
  EXPECT_EQ(f.platform.ToolCalls<SheetSortDialog>().at(0).items.at(2).caption, "금액");  // hidden ones not offered
  // The filter and frozen-columns dialogs are told which columns the user does not see.
  f.Choose("mnuSheet", "mnuSheetFilter");
  const std::vector<bool>& hidden_cols = f.platform.ToolCalls<SheetFilterDialog>().back().hidden;
  ASSERT_GE(hidden_cols.size(), 5u);
  EXPECT_EQ(std::vector<bool>(hidden_cols.begin(), hidden_cols.begin() + 5), (std::vector<bool>{true, false, false, true, false}));

  const int32_t rows = f.sheet.MaxRows();
  f.Choose("mnuSheet", "mnuSheetAdd");  // 20 spare rows, marked new
  EXPECT_EQ(std::to_string(f.sheet.MaxRows() - rows) + RenderSheet(f.sheet, {rows + 20, rows + 20, 0}), "20A");

  for (const auto& [entry, count] : {std::pair{"mnuColsFrozen", "2"}, {"mnuRowsFrozen", "1"}, {"mnuColsFrozen", "9999999"}}) {
    FrozenDialog answer;
    answer.txtNumber = count;  // the last is beyond the columns: nothing changes
    f.Answer("mnuSheet", entry, answer);
  }
  EXPECT_EQ(f.sheet.ColsFrozen() * 10 + f.sheet.RowsFrozen(), 21);
  EXPECT_EQ(f.platform.ToolCalls<FrozenDialog>().at(1).lblTitle, "번째 행");
  const std::vector<SortChoice>& frozen_cols = f.platform.ToolCalls<FrozenDialog>().at(0).columns;
  ASSERT_GE(frozen_cols.size(), 3u);
  const std::vector<SortChoice> shown{{"이름", 2}, {"금액", 3}, {"사용", 5}};
  EXPECT_EQ(std::vector<SortChoice>(frozen_cols.begin(), frozen_cols.begin() + 3), shown);
  EXPECT_EQ(static_cast<int32_t>(frozen_cols.size()), f.sheet.MaxCols() - 2);
  EXPECT_TRUE(f.platform.ToolCalls<FrozenDialog>().at(1).columns.empty());
  EXPECT_EQ(f.platform.Settings().GetSetting("Praxium.Net", "\\ZelSheet", "ColsFrozen"), "2");
}

TEST(SheetToolsTest, ColumnMergeSortsGroupsMergesAndPaints) {
  Customers f;
  f.sheet.CellText(2, 3, "kimchi");
  f.sheet.SetColMerge(2, 0, 0, 0, 0, true, true);
  // Names descending: lee bo, kimchi x2, Kim Ana.
  EXPECT_EQ(f.Codes() + f.Merge(), "c2 c3 c4 c1 on 2-3 painted");
  // SetColMerge(0) removes the merge; one on a missing column is no merge.
  f.sheet.SetColMerge(0);
  EXPECT_EQ(f.Merge().substr(0, 4), "off ");
  f.sheet.SetColMerge(999, -4);
  EXPECT_FALSE(f.sheet.IsColMerge());
  f.sheet.Col(4);
  f.sheet.ColHidden(true);
  ColMergeDialog answer;
  answer.gColMerge1 = 1;
  f.Answer("mnuSheet", "mnuColMerge", answer);
  const std::vector<bool>& hidden = f.platform.ToolCalls<ColMergeDialog>().at(0).hidden;
  ASSERT_GE(hidden.size(), 5u);
  EXPECT_EQ(std::vector<bool>(hidden.begin(), hidden.begin() + 5), (std::vector<bool>{false, false, false, true, false}));
  EXPECT_EQ(f.Codes() + f.Merge().substr(0, 3), "c1 c2 c3 c4 on ");
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
  f.sheet.GetSheet().SetSelection(2, 1, 2, 4);  // names: all count 0
  f.sheet.ActiveCell(3, 1);                     // an amount: two decimals
  f.sheet.fnSumAvg();
  EXPECT_EQ(f.platform.ToolCalls<CalOnSheetDialog>(),
            (std::vector<CalOnSheetDialog>{{"1,002", "334", "1,000", "0", "3"}, {"0.00", "0.00", "0.00", "0.00", "4"}}));
  // The whole column, rows 2 to 3, and rows clipped to the grid.
  EXPECT_EQ(std::vector<double>({f.sheet.GetSumCols(3), f.sheet.GetSumCols(3, 2, 3), f.sheet.GetSumCols(3, -5, 999999)}),
            std::vector<double>({1009, 2, 1009}));
}

TEST(SheetToolsTest, ExportsHandTheTypedTableAndObeyTheRights) {
  Customers f;
  f.sheet.Col(5);
  f.sheet.ColHidden(true);
  f.sheet.GetSheet().Row(4);
  f.sheet.GetSheet().RowHidden(true);
  f.sheet.SetRowColor(2, 1);
  f.sheet.FormCaption("고객 목록");
  for (const char* entry : {"mnuSendToExcel", "mnuSheetPrint", "mnuSendToChart"}) f.Choose("mnuSheet", entry);
  EXPECT_EQ(f.platform.ToolCallNames(), (std::vector<std::string>{"SendToExcel", "sbPrint", "sbShowChart"}));
  EXPECT_EQ(f.platform.ToolCalls<PrintCall>().at(0).title, "고객 목록");
  // Titles, each column as kind letter, decimals and "h" when hidden, then the rows with
  // their back colours.
  const GridTable& t = f.platform.ToolCalls<SendToExcelCall>().at(0).grid;
  std::ostringstream table;
  for (const std::string& title : t.titles) table << title << ' ';
  for (const TableColumn& c : t.columns) table << "?TNDC"[1 + static_cast<int>(c.kind)] << c.decimals << (c.hidden ? "h " : " ");
  for (size_t r = 0; r < t.rows.size(); ++r) {
    table << '\n' << std::hex << t.row_back.at(r) << ':';
    for (const std::string& cell : t.rows[r]) table << cell << '|';
  }
  EXPECT_EQ(table.str(), "코드 이름 금액 가입일 사용 T0 T0 N2 D0 C0h \nffffff:c1|Kim Ana|1000.00|20240105|1|"
                         "\nf81c1c:c2|lee bo|25.50|20231231|0|\nffffff:c3|Park|-3.00||1|");

  SheetFixture denied(SheetFixture::Bag({{"Info", "20240101~,PGM001~,~,INIT~,1~,11111110~,S1~,kim"}}));
  EXPECT_FALSE(denied.sheet.SendToExcel().done || denied.sheet.SendExcel("", "title").done);
  EXPECT_EQ(denied.platform.ToolCallNames(), std::vector<std::string>{});
  EXPECT_EQ(denied.sheet.PraxiumMyFolder("kim"), "");
}

}  // namespace
}  // namespace zel::testing
