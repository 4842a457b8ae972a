// Clipboard and row operations as a user and a host use them: the row header menu's cut,
// line insert and row split, marking rows for deletion, clearing the sheet, and pasting
// prepared text.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

// A sheet of two text columns and `rows` data rows "k1|n1", "k2|n2", ... with statuses as
// given (one letter per row, "." for none), and 3 spare rows.
struct RowsSheet : SheetFixture {
  explicit RowsSheet(const std::string& statuses) {
    sheet.AddItem("KEY", "코드");
    sheet.AddItem("NAME", "이름");
    std::string data;
    for (size_t i = 1; i <= statuses.size(); ++i) {
      data += "k" + std::to_string(i) + "~,n" + std::to_string(i) + "~,~I~";
    }
    sheet.Display(data);
    sheet.AddRowsToSheet(3);
    for (size_t i = 0; i < statuses.size(); ++i) {
      sheet.GetSheet().SetText(0, static_cast<int32_t>(i) + 1,
                               statuses[i] == '.' ? "" : std::string(1, statuses[i]));
    }
  }
  void SelectRows(std::initializer_list<int32_t> rows) {
    Grid& g = sheet.GetSheet();
    g.ClearSelection();
    for (int32_t r : rows) g.AddSelection(-1, r, -1, r);
  }
  void Choose(const std::string& menu, const std::string& entry) {
    platform.QueueMenuChoice(entry);
    sheet.PopupMenu(menu);
  }
};

TEST(RowOperationsTest, CutRemovesWholeRowsWhileCutHeaderSettingMarksSavedOnes) {
  RowsSheet cut("UA.");
  cut.sheet.GetSheet().SetSelection(-1, 1, -1, 2);
  cut.Choose("mnuFunction", "mnuCut");
  EXPECT_EQ(RenderSheet(cut.sheet), ".|k3|n3");  // neither is saved as a deletion
  const std::string clip = cut.platform.Clip().GetText();  // the cut rows, header first
  EXPECT_EQ(clip.rfind("U\tk1\tn1\t", 0), 0u) << clip;
  EXPECT_NE(clip.find("\r\nA\tk2\tn2\t"), std::string::npos) << clip;
  EXPECT_EQ(cut.events.Joined().find("SheetCut"), cut.events.Joined().rfind("SheetCut"));

  RowsSheet mark("UA.");
  mark.SelectRows({1, 2});
  EXPECT_EQ(mark.sheet.CutHeaderSetting(), 1);
  EXPECT_EQ(RenderSheet(mark.sheet), "X|k1|n1\n.|k3|n3");
  EXPECT_TRUE(mark.sheet.ChangeMade());
  EXPECT_EQ(mark.sheet.MaxRows(), 2 + 3);  // the spare rows are kept

  RowsSheet block("U.U");
  block.SelectRows({1, 3});
  EXPECT_EQ(block.sheet.CutHeaderSettingBlock(true), 2);  // counted only
  EXPECT_EQ(RenderSheet(block.sheet), "U|k1|n1\n.|k2|n2\nU|k3|n3");
  EXPECT_EQ(block.sheet.CutHeaderSettingBlock(), 2);
  EXPECT_EQ(RenderSheet(block.sheet), "X|k1|n1\n.|k2|n2\nX|k3|n3");
}

TEST(RowOperationsTest, LineInsertPutsOneNewRowPerSelectedRowAboveTheFirst) {
  RowsSheet f(".........");
  f.SelectRows({4, 7, 9});
  f.Choose("mnuEdit", "mnuInsert");
  EXPECT_EQ(RenderSheet(f.sheet, {4, 12, 1}), "A|\nA|\nA|\n.|k4\n.|k5\n.|k6\n.|k7\n.|k8\n.|k9");
  EXPECT_EQ(f.sheet.MaxRows(), 9 + 3 + 3);
}

TEST(RowOperationsTest, LocksSwitchTheClipboardCommandsOff) {
  RowsSheet f("U.");
  f.sheet.IsEditModeLock(true);
  f.SelectRows({1});
  f.sheet.mnuCut_Click();
  EXPECT_EQ(RenderSheet(f.sheet), "U|k1|n1\n.|k2|n2");
  EXPECT_TRUE(f.events.Joined().find("SheetCut") == std::string::npos);
}

TEST(RowOperationsTest, RowSplitHalvesTheTickedColumnsOfSelectedRows) {
  SheetFixture f;
  f.sheet.AddItem("KEY", "코드");
  f.sheet.AddItem("AMT", "금액", EnFloat, 0, 12, 1);
  f.sheet.Display("a~,1000~,~I~b~,31~,~I~c~,8~,~I~");
  f.sheet.GetSheet().SetSelection(-1, 2, -1, 3);
  SheetSeperateDialog answer;
  answer.ticked = {false, true};
  f.platform.ConfirmDialog(answer);
  f.platform.QueueMenuChoice("mnuSeparate");
  f.sheet.PopupMenu("mnuEdit");
  ASSERT_EQ(f.platform.ToolCalls<SheetSeperateDialog>().size(), 1u);
  EXPECT_EQ(f.platform.ToolCalls<SheetSeperateDialog>()[0].titles.at(1), "금액");
  EXPECT_EQ(f.sheet.CellText(2, 1), "1000");
  EXPECT_EQ(f.sheet.CellText(2, 2), "15.5");
  EXPECT_EQ(f.sheet.CellText(2, 3), "4");
  EXPECT_EQ(f.sheet.ActiveRow(), 3);

  f.platform.CancelDialog<SheetSeperateDialog>();
  f.sheet.mnuSeparate_Click();
  EXPECT_EQ(f.sheet.CellText(2, 3), "4");
}

TEST(RowOperationsTest, TextPasteInsertsNewRowsAtTheActiveRow) {
  RowsSheet f("....");
  f.sheet.ActiveCell(1, 3);
  f.sheet.SetTextPaste("U\tx1\ty1\r\nA\tx2\ty2\textra\r\nleft over");
  EXPECT_EQ(RenderSheet(f.sheet, {3, 6, 2}), "A|x1|y1\nA|x2|y2\n.|k3|n3\n.|k4|n4");
  EXPECT_EQ(f.sheet.ActiveRow(), 3);

  // Hostile texts: NUL bytes and a lone CR stay text; too long a text changes nothing.
  f.sheet.SetTextPaste(std::string("H\ta\0b\tc\rd\n", 11));
  EXPECT_EQ(RenderSheet(f.sheet, {3, 3, 2}), std::string("A|a\0b|c\rd", 9));
  const std::string before = RenderSheet(f.sheet);
  EXPECT_THROW(f.sheet.SetTextPaste("H\t" + std::string(10 << 20, 'x') + "\n"),
               std::overflow_error);
  EXPECT_EQ(RenderSheet(f.sheet), before);
}

TEST(RowOperationsTest, ClipboardTextFillsOnlyTabEndedFieldsInsideTheBlock) {
  struct Case {
    const char* text;
    const char* row2;
  } cases[] = {
      {"a\tb\tc\t\n", "A|a|b"},   // the block ends at column 2
      {"a\tb\n", "A|a|k2"},       // "b" is not ended by a TAB
      {"a\tb\t", "A|k1|k2"},      // no line feed: no line
      {"\xff\t\xfe\t\n", "A|\xff|\xfe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SheetFixture f;
    f.sheet.AddItem("A", "a");
    f.sheet.AddItem("B", "b");
    f.sheet.Display("k1~,k2~,~I~k1~,k2~,~I~");
    f.sheet.GetSheet().SetText(0, 2, "A");
    f.sheet.SetClipboardText(1, 2, 2, 2, c.text);
    EXPECT_EQ(RenderSheet(f.sheet, {2, 2, 2}), c.row2);
  }
  SheetFixture f;
  f.sheet.SetClipboardText(-5, 100000, -3, 100000, "a\tb\t\nc\td\t\n");  // clipped, no throw
}

TEST(RowOperationsTest, ScreenClearLeavesSpareRowsMarkedNew) {
  RowsSheet f("UU");
  f.sheet.ChangeMade(true);
  f.sheet.ScreenClear();
  EXPECT_EQ(f.sheet.MaxRows(), 3);
  EXPECT_EQ(RenderSheet(f.sheet, {1, 3, 2}), "A||\nA||\nA||");
  EXPECT_FALSE(f.sheet.ChangeMade());
  EXPECT_EQ(f.sheet.GetChangeCount(), 0);
}

}  // namespace
}  // namespace zel::testing
