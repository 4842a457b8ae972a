// Rows as a user and a host handle them: the status each row carries (save tags, the two
// counts, the tracking rule and the row-pending flag, the save question, SetSaveAs, the
// row marks) and the row operations (cut, line insert, row split, clearing, pasted text).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

// Two text columns filled from lines "status|key|value" ("." = no status), followed by
// `spare` empty rows marked "A" as the spare rows below the data are. Rows("UA.") gives
// the lines "U|k1|n1", "A|k2|n2", ".|k3|n3".
struct RowsSheet : SheetFixture {
  explicit RowsSheet(const std::vector<std::string>& rows, int32_t spare = 3) {
    sheet.MaxCols(2);
    sheet.AddItem("KEY", "코드", EnText, 0, 10);
    sheet.AddItem("NAME", "이름", EnText, 0, 10);
    sheet.MaxRows(static_cast<int32_t>(rows.size()));
    Grid& g = sheet.GetSheet();
    for (int32_t r = 1; r <= sheet.MaxRows(); ++r) {
      const std::string& line = rows[static_cast<size_t>(r - 1)];
      const size_t a = line.find('|'), b = line.find('|', a + 1);
      g.SetText(0, r, line.substr(0, a) == "." ? "" : line.substr(0, a));
      g.SetText(1, r, line.substr(a + 1, b - a - 1));
      g.SetText(2, r, line.substr(b + 1));
    }
    sheet.AddRowsToSheet(spare);
  }
  static std::vector<std::string> Rows(const std::string& statuses) {
    std::vector<std::string> out;
    for (size_t i = 1; i <= statuses.size(); ++i) out.push_back(statuses.substr(i - 1, 1) + "|k" + std::to_string(i) + "|n" + std::to_string(i));
    return out;
  }
  // The row headers of rows 1..`rows` ("." for none), then GetChangeCount and ChangedCount.
  std::string Marks(int32_t rows) {
    std::string out;
    for (int32_t r = 1; r <= rows; ++r) out += RenderSheet(sheet, {r, r, 0});
    return out + " " + std::to_string(sheet.GetChangeCount()) + "/" + std::to_string(sheet.ChangedCount());
  }
  void SelectRows(const std::vector<int32_t>& rows) {
    sheet.GetSheet().ClearSelection();
    for (int32_t r : rows) sheet.GetSheet().AddSelection(-1, r, -1, r);
  }
  void Choose(const std::string& menu, const std::string& entry) {
    platform.QueueMenuChoice(entry);
    sheet.PopupMenu(menu);
  }
};

TEST(RowStatus, SaveTagsAndTheTrackingRule) {
  // Per row: the save tag of the trimmed status, whether a first and a second edit mark the
  // row, the status after. A new row stays new, a delete-marked row stays marked, a record
  // number counts as unchanged. Row 8's status trims to "X".
  RowsSheet f({".|a|1", "A|b|2", "U|c|3", "X|d|4", "D|e|5", "7|g|7", "a|h|8", " X |i|9"});
  std::string seen;
  for (int32_t r = 1; r <= 7; ++r) {
    seen += f.sheet.GetWorkingTag(r) + "/";
    seen += std::to_string(f.sheet.TrackRowEdit(r));
    seen += std::to_string(f.sheet.TrackRowEdit(r)) + "/" + RenderSheet(f.sheet, {r, r, 0}) + " ";
  }
  EXPECT_EQ(seen + f.sheet.GetWorkingTag(8), "/10/U A/00/A U/00/U D/00/X /10/U /10/U /10/U D");
  EXPECT_FALSE(f.sheet.TrackRowEdit(99) || f.sheet.TrackRowEdit(-3));
  EXPECT_THROW(f.sheet.GetWorkingTag(99), GridError);
}

TEST(RowStatus, CountsLeaveSpareRowsOutAndCountTheRowBeingTyped) {
  RowsSheet f({".|a|1", "A|b|2", ".|c|3"}, 5);
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  EXPECT_EQ(f.Marks(4), ".A.A 1/1");
  g.SetText(0, 3, " X");  // a blank before the letter: not "X" as read, but once trimmed
  EXPECT_EQ(f.Marks(4), ".A XA 1/2");
  // Typing into row 1 marks it and notes the edited cell; typing into a new row inside the
  // data notes nothing.
  s.TrackTypedEdit(2, 1, 1);
  s.TrackTypedEdit(1, 2, 2);
  EXPECT_EQ(f.Marks(4) + " " + std::to_string(s.EditCol() * 10 + s.EditRow()), "UA XA 2/3 21");
  // Typing into spare row 4 while row 1 was the last edited: the pending "A" row counts for
  // GetChangeCount, not for the grid's own count, until the change is committed.
  s.TrackCellChange(1, 1, 1);
  SheetProbe::Editing(s).edit_row = 4;
  s.TrackTypedEdit(1, 4, 4);
  EXPECT_EQ(f.Marks(4) + " " + std::to_string(s.DataRowCnt()), "UA XA 3/3 4");
  g.SetText(1, 4, "new");
  s.TrackCellChange(1, 4, 4);
  EXPECT_EQ(f.Marks(4) + " " + std::to_string(s.DataRowCnt()), "UA XA 3/4 4");
}

TEST(RowStatus, TheSaveQuestionComesOnlyWhenSomethingChangedAndRowHeadersCanBeLeftAlone) {
  RowsSheet f({".|a|1", ".|b|2"}, 20);
  ZelSheet& s = f.sheet;
  EXPECT_FALSE(s.IsChangedSave());
  s.TrackRowEdit(2);
  f.platform.QueueAnswer(vbYes);
  f.platform.QueueAnswer(vbNo);
  EXPECT_TRUE(s.IsChangedSave());
  EXPECT_FALSE(s.IsChangedSave());
  const auto& box = f.platform.Boxes().at(0);
  EXPECT_EQ(box.text + "|" + box.title + "|" + std::to_string(box.buttons), "데이터가 변경되었습니다.\n저장하겠습니까?|Message|4");
  // A status that only trims to a letter counts, as ChangedCount does.
  s.GetSheet().SetText(0, 2, " U ");
  f.platform.QueueAnswer(vbYes);
  EXPECT_TRUE(s.IsChangedSave());

  // With IsNoRowHeaderChange nothing is marked or asked; the menu marks still work.
  RowsSheet n({".|a|1", ".|b|2"}, 0);
  n.sheet.IsNoRowHeaderChange(true);
  EXPECT_FALSE(n.sheet.TrackRowEdit(1));
  n.sheet.TrackCellChange(1, 2, 2);
  n.sheet.TrackTypedEdit(1, 2, 2);
  EXPECT_FALSE(n.sheet.IsChangedSave());
  EXPECT_EQ(n.Marks(2) + std::to_string(n.platform.Boxes().size()), ".. 0/00");
  n.SelectRows({1});
  n.sheet.mnuUpdate_Click();
  EXPECT_EQ(n.Marks(2), "U. 1/1");
}

TEST(RowStatus, SetSaveAsAndTheRowMarksWriteOverWhatTheRowsHad) {
  RowsSheet f({".|a|1", "U|b|2", "A|c|3", "X|d|4", ".|e|5"}, 2);
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  g.ChangeMade(false);
  // Each step selects rows, runs a mark, and shows the seven row headers. Spare rows below
  // the data are never marked, even when selected; with nothing selected nothing is marked,
  // but the grid still hears of a change.
  const std::tuple<std::vector<int32_t>, void (ZelSheet::*)(), const char*> steps[] = {
      {{2, 3}, &ZelSheet::mnuDelete_Click, ".XXX.AA"}, {{1, 2}, &ZelSheet::mnuNew_Click, "AAXX.AA"},
      {{2, 3, 4}, &ZelSheet::mnuCancel_Click, "A....AA"}, {{5}, &ZelSheet::mnuUpdate_Click, "A...UAA"},
      {{5, 6, 7}, &ZelSheet::mnuDelete_Click, "A...XAA"}, {{}, &ZelSheet::mnuNew_Click, "A...XAA"},
  };
  for (const auto& [rows, mark, shown] : steps) {
    f.SelectRows(rows);
    (s.*mark)();
    EXPECT_EQ(f.Marks(7).substr(0, 7), shown);
    EXPECT_TRUE(g.ChangeMade() && g.ReDraw());
    g.ChangeMade(false);
  }
  // SetSaveAs marks every data row new unless the sheet only displays; rows below the data
  // are not touched.
  s.IsDataDisplay(true);
  s.SetSaveAs();
  EXPECT_EQ(f.Marks(7).substr(0, 7), "A...XAA");
  s.IsDataDisplay(false);
  g.SetText(0, 6, "");
  s.SetSaveAs();
  EXPECT_EQ(f.Marks(7), "AAAAA.A 5/5");
}

TEST(RowOperations, CutRemovesWholeRowsWhileCutHeaderSettingMarksSavedOnes) {
  RowsSheet cut(RowsSheet::Rows("UA."));
  cut.sheet.GetSheet().SetSelection(-1, 1, -1, 2);
  cut.Choose("mnuFunction", "mnuCut");
  EXPECT_EQ(RenderSheet(cut.sheet), ".|k3|n3");  // neither is saved as a deletion
  EXPECT_EQ(cut.platform.Clip().GetText(), "U\tk1\tn1\r\nA\tk2\tn2\r\n");  // the cut rows, header first
  EXPECT_EQ(cut.events.Named("SheetCut").size(), 1u);
  // With a lock the clipboard commands are off.
  cut.sheet.IsEditModeLock(true);
  cut.SelectRows({1});
  cut.sheet.mnuCut_Click();
  EXPECT_EQ(RenderSheet(cut.sheet) + std::to_string(cut.events.Named("SheetCut").size()), ".|k3|n3" "1");

  // CutHeaderSetting: a saved row is marked "X", a new one goes; the spare rows are kept.
  RowsSheet mark(RowsSheet::Rows("UA."));
  mark.SelectRows({1, 2});
  EXPECT_EQ(mark.sheet.CutHeaderSetting(), 1);
  EXPECT_EQ(RenderSheet(mark.sheet) + " " + std::to_string(mark.sheet.ChangeMade()) + " " + std::to_string(mark.sheet.MaxRows()),
            "X|k1|n1\n.|k3|n3 1 5");
  RowsSheet block(RowsSheet::Rows("U.U"));
  block.SelectRows({1, 3});
  EXPECT_EQ(block.sheet.CutHeaderSettingBlock(true), 2);  // counted only
  EXPECT_EQ(block.Marks(3).substr(0, 3), "U.U");
  EXPECT_EQ(block.sheet.CutHeaderSettingBlock(), 2);
  EXPECT_EQ(block.Marks(3).substr(0, 3), "X.X");
}

TEST(RowOperations, LineInsertRowSplitAndScreenClear) {
  // Line insert puts one new row per selected row above the first.
  RowsSheet f(RowsSheet::Rows("........."));
  f.SelectRows({4, 7, 9});
  f.Choose("mnuEdit", "mnuInsert");
  EXPECT_EQ(RenderSheet(f.sheet, {3, 8, 1}) + " " + std::to_string(f.sheet.MaxRows()), ".|k3\nA|\nA|\nA|\n.|k4\n.|k5 15");
  // ScreenClear leaves the spare rows, marked new, and nothing changed.
  f.sheet.ChangeMade(true);
  f.sheet.ScreenClear();
  EXPECT_EQ(RenderSheet(f.sheet, {1, f.sheet.MaxRows(), 2}) + " " + std::to_string(f.sheet.ChangeMade() + f.sheet.GetChangeCount()),
            "A||\nA||\nA|| 0");

  // Row split halves the ticked columns of the selected rows; a cancelled dialog splits
  // nothing.
  SheetFixture s;
  s.sheet.AddItem("KEY", "코드");
  s.sheet.AddItem("AMT", "금액", EnFloat, 0, 12, 1);
  s.sheet.Display("a~,1000~,~I~b~,31~,~I~c~,8~,~I~");
  s.sheet.GetSheet().SetSelection(-1, 2, -1, 3);
  s.sheet.Col(1);
  s.sheet.ColHidden(true);  // the dialog is told, to leave it out
  SheetSeperateDialog answer;
  answer.ticked = {false, true};
  s.platform.ConfirmDialog(answer);
  s.platform.QueueMenuChoice("mnuSeparate");
  s.sheet.PopupMenu("mnuEdit");
  s.sheet.mnuSeparate_Click();  // cancelled
  EXPECT_EQ(s.platform.ToolCalls<SheetSeperateDialog>().at(0).titles.at(1), "금액");
  const std::vector<bool>& hidden = s.platform.ToolCalls<SheetSeperateDialog>().at(0).hidden;
  EXPECT_EQ(std::vector<bool>(hidden.begin(), hidden.begin() + std::min<size_t>(2, hidden.size())), (std::vector<bool>{true, false}));
  EXPECT_EQ(s.sheet.CellText(2, 1) + " " + s.sheet.CellText(2, 2) + " " + s.sheet.CellText(2, 3), "1000 15.5 4");
  EXPECT_EQ(s.sheet.ActiveRow(), 3);
}

TEST(RowOperations, PastedTextBecomesRowsOrFillsTabEndedFields) {
  // SetTextPaste inserts new rows at the active row. (Hostile texts and blocks are the
  // text_paste fuzz target's.)
  RowsSheet f(RowsSheet::Rows("...."));
  f.sheet.ActiveCell(1, 3);
  f.sheet.SetTextPaste("U\tx1\ty1\r\nA\tx2\ty2\textra\r\nleft over");
  EXPECT_EQ(RenderSheet(f.sheet, {3, 6, 2}) + " " + std::to_string(f.sheet.ActiveRow()), "A|x1|y1\nA|x2|y2\n.|k3|n3\n.|k4|n4 3");

  // SetClipboardText fills only TAB-ended fields inside the block, on lines ended by LF.
  const std::pair<const char*, const char*> cases[] = {
      {"a\tb\tc\t\n", "A|a|b"},  // the block ends at column 2
      {"a\tb\n", "A|a|k2"},      // "b" is not ended by a TAB
      {"a\tb\t", "A|k1|k2"},     // no line feed: no line
      {"\xff\t\xfe\t\n", "A|\xff|\xfe"},
  };
  for (const auto& [text, row2] : cases) {
    RowsSheet s({".|k1|k2", "A|k1|k2"}, 0);
    s.sheet.SetClipboardText(1, 2, 2, 2, text);
    EXPECT_EQ(RenderSheet(s.sheet, {2, 2, 2}), row2) << text;
  }
}

}  // namespace
}  // namespace zel::testing
