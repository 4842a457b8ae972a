// Row status and change tracking: the save tags, the two counts, the tracking rule and the
// row-pending flag, the save question, SetSaveAs, the row marks and the data-add switch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::RenderRange;
using testing::RenderSheet;
using testing::SheetFixture;
using testing::SheetProbe;

// A sheet of two text columns filled from lines "status|cell|cell" ("." = empty status),
// followed by `spare` empty rows marked "A" as the spare rows below the data are.
struct StatusSheet : SheetFixture {
  explicit StatusSheet(const std::vector<std::string>& rows, int32_t spare = 0) {
    ZelSheet& s = sheet;
    s.MaxCols(2);
    s.AddItem("K", "Key", EnText, 0, 10);
    s.AddItem("V", "Value", EnText, 0, 10);
    s.MaxRows(static_cast<int32_t>(rows.size()) + spare);
    Grid& g = s.GetSheet();
    int32_t r = 0;
    for (const std::string& line : rows) {
      ++r;
      const size_t a = line.find('|');
      const size_t b = line.find('|', a + 1);
      const std::string status = line.substr(0, a);
      g.SetText(0, r, status == "." ? "" : status);
      g.SetText(1, r, line.substr(a + 1, b - a - 1));
      g.SetText(2, r, line.substr(b + 1));
    }
    for (int32_t k = 1; k <= spare; ++k) g.SetText(0, r + k, "A");
  }
  std::string Status(int32_t row) {
    std::string out;
    sheet.GetSheet().GetText(0, row, out);
    return out;
  }
  void SelectRows(int32_t row, int32_t row2) {
    Grid& g = sheet.GetSheet();
    g.Col(-1);
    g.Col2(-1);
    g.Row(row);
    g.Row2(row2);
    g.Action(kActionSelectBlock);
  }
};

TEST(GetWorkingTag, TranslatesTrimmedStatusToSaveTag) {
  StatusSheet f({"A|a|1", "U|b|2", "X|c|3", "D|d|4", " X |e|5", ".|f|6", "7|g|7", "a|h|8"});
  const char* expected[] = {"A", "U", "D", "", "D", "", "", ""};
  for (int32_t r = 1; r <= 8; ++r) {
    EXPECT_EQ(f.sheet.GetWorkingTag(r), expected[r - 1]) << "row " << r;
  }
  EXPECT_THROW(f.sheet.GetWorkingTag(99), GridError);
}

TEST(ChangeCounts, SpareRowsDoNotCountAndOnlyChangedCountTrims) {
  // Three data rows below which 20 spare "A" rows wait, as after Display.
  StatusSheet f({".|a|1", ".|b|2", ".|c|3"}, 20);
  ZelSheet& s = f.sheet;
  EXPECT_EQ(s.GetSheet().DataRowCnt(), 3);
  EXPECT_EQ(s.GetChangeCount(), 0);
  EXPECT_EQ(s.ChangedCount(), 0);

  Grid& g = s.GetSheet();
  g.SetText(0, 1, "U");
  g.SetText(0, 2, " A");  // a blank before the letter
  g.SetText(0, 3, "X");
  EXPECT_EQ(s.GetChangeCount(), 2);  // " A" is not "A" as read
  EXPECT_EQ(s.ChangedCount(), 3);    // but is once trimmed
  EXPECT_EQ(s.ChangedCount(5), s.ChangedCount());
}

TEST(ChangeCounts, RowPendingCountsTheSpareRowBeingTyped) {
  StatusSheet f({"U|a|1", ".|b|2"}, 5);
  ZelSheet& s = f.sheet;
  // The user last edited row 2 and now types into spare row 3.
  s.TrackCellChange(1, 2, 2);
  SheetProbe::Editing(s).edit_row = 3;
  s.TrackTypedEdit(1, 3, 3);
  EXPECT_EQ(f.Status(3), "A");
  EXPECT_EQ(s.DataRowCnt(), 3);
  EXPECT_EQ(s.GetChangeCount(), 3);  // row 2 went "U", and the pending "A" row counts
  EXPECT_EQ(s.ChangedCount(), 2);    // the grid's own count does not see it
  // The committed change clears the flag.
  s.GetSheet().SetText(1, 3, "new");
  s.TrackCellChange(1, 3, 3);
  EXPECT_EQ(f.Status(3), "A");
  EXPECT_EQ(s.DataRowCnt(), 3);
  EXPECT_EQ(s.GetChangeCount(), 3);
}

TEST(TrackRowEdit, UpdateUnlessAlreadyChanged) {
  StatusSheet f({".|a|1", "A|b|2", "X|c|3", "U|d|4", "7|e|5"});
  ZelSheet& s = f.sheet;
  EXPECT_TRUE(s.TrackRowEdit(1));
  EXPECT_EQ(f.Status(1), "U");
  EXPECT_FALSE(s.TrackRowEdit(1));  // a second edit changes nothing
  EXPECT_EQ(f.Status(1), "U");
  EXPECT_FALSE(s.TrackRowEdit(2));
  EXPECT_EQ(f.Status(2), "A");  // a new row stays new
  EXPECT_FALSE(s.TrackRowEdit(3));
  EXPECT_EQ(f.Status(3), "X");  // a delete-marked row stays marked
  EXPECT_TRUE(s.TrackRowEdit(5));
  EXPECT_EQ(f.Status(5), "U");  // a record number counts as unchanged
  EXPECT_FALSE(s.TrackRowEdit(99));
  EXPECT_FALSE(s.TrackRowEdit(-3));
}

TEST(TrackRowEdit, NoRowHeaderChangeKeepsEverythingAndAsksNothing) {
  StatusSheet f({".|a|1", ".|b|2"});
  ZelSheet& s = f.sheet;
  s.IsNoRowHeaderChange(true);
  EXPECT_FALSE(s.TrackRowEdit(1));
  s.TrackCellChange(1, 2, 2);
  s.TrackTypedEdit(1, 2, 2);
  EXPECT_EQ(f.Status(1), "");
  EXPECT_EQ(f.Status(2), "");
  EXPECT_EQ(s.GetChangeCount(), 0);
  EXPECT_FALSE(s.IsChangedSave());
  EXPECT_TRUE(f.platform.Boxes().empty());
  // The marks still work.
  f.SelectRows(1, 1);
  s.mnuUpdate_Click();
  EXPECT_EQ(f.Status(1), "U");
}

TEST(TrackTypedEdit, NotesTheEditedCellOnlyWhenItMarked) {
  StatusSheet f({".|a|1", "A|b|2"});
  ZelSheet& s = f.sheet;
  s.TrackTypedEdit(2, 1, 1);
  EXPECT_EQ(f.Status(1), "U");
  EXPECT_EQ(s.EditCol(), 2);
  EXPECT_EQ(s.EditRow(), 1);
  // Typing into a new row inside the data: no pending row, no new edit cell.
  s.TrackTypedEdit(1, 2, 2);
  EXPECT_EQ(f.Status(2), "A");
  EXPECT_EQ(s.DataRowCnt(), 2);
  EXPECT_EQ(s.EditCol(), 2);
  EXPECT_EQ(s.EditRow(), 1);
  // A second key in the same row: already "U", nothing to note.
  s.TrackTypedEdit(1, 1, 1);
  EXPECT_EQ(s.EditCol(), 2);
}

TEST(IsChangedSave, AsksOnlyWhenSomethingChanged) {
  StatusSheet f({".|a|1", ".|b|2"}, 20);
  ZelSheet& s = f.sheet;
  EXPECT_FALSE(s.IsChangedSave());
  EXPECT_TRUE(f.platform.Boxes().empty());

  s.TrackRowEdit(2);
  f.platform.QueueAnswer(vbYes);
  EXPECT_TRUE(s.IsChangedSave());
  ASSERT_EQ(f.platform.Boxes().size(), 1u);
  const auto& box = f.platform.Boxes().back();
  EXPECT_EQ(box.text, "데이터가 변경되었습니다.\n저장하겠습니까?");
  EXPECT_EQ(box.title, "Message");
  EXPECT_EQ(box.buttons, vbYesNo);
  f.platform.QueueAnswer(vbNo);
  EXPECT_FALSE(s.IsChangedSave());
  // A status that only trims to a letter counts, as ChangedCount does.
  f.sheet.GetSheet().SetText(0, 2, " U ");
  f.platform.QueueAnswer(vbYes);
  EXPECT_TRUE(s.IsChangedSave());
}

TEST(SetSaveAs, MarksEveryDataRowNewUnlessDisplayOnly) {
  StatusSheet f({".|a|1", "U|b|2", "X|c|3"}, 2);
  ZelSheet& s = f.sheet;
  s.IsDataDisplay(true);
  s.SetSaveAs();
  EXPECT_EQ(RenderSheet(s), ".|a|1\nU|b|2\nX|c|3");
  s.IsDataDisplay(false);
  s.GetSheet().SetText(0, 4, "");  // rows below the data are not touched
  s.SetSaveAs();
  EXPECT_EQ(RenderSheet(s, RenderRange{1, 5, 2}), "A|a|1\nA|b|2\nA|c|3\n.||\nA||");
  EXPECT_EQ(s.GetChangeCount(), 3);
}

TEST(RowMarks, WriteOverWhateverTheSelectedRowsHad) {
  StatusSheet f({".|a|1", "U|b|2", "A|c|3", "X|d|4", ".|e|5"}, 2);
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  g.ChangeMade(false);
  f.SelectRows(2, 3);
  s.mnuDelete_Click();
  EXPECT_EQ(RenderSheet(s), ".|a|1\nX|b|2\nX|c|3\nX|d|4\n.|e|5");
  EXPECT_TRUE(g.ChangeMade());
  EXPECT_TRUE(g.ReDraw());

  f.SelectRows(1, 2);
  s.mnuNew_Click();
  EXPECT_EQ(RenderSheet(s), "A|a|1\nA|b|2\nX|c|3\nX|d|4\n.|e|5");
  f.SelectRows(2, 4);
  s.mnuCancel_Click();
  EXPECT_EQ(RenderSheet(s), "A|a|1\n.|b|2\n.|c|3\n.|d|4\n.|e|5");
  f.SelectRows(5, 5);
  s.mnuUpdate_Click();
  EXPECT_EQ(RenderSheet(s), "A|a|1\n.|b|2\n.|c|3\n.|d|4\nU|e|5");

  // Spare rows below the data are never marked, even when selected.
  f.SelectRows(5, 7);
  s.mnuDelete_Click();
  EXPECT_EQ(f.Status(5), "X");
  EXPECT_EQ(f.Status(6), "A");
  EXPECT_EQ(f.Status(7), "A");
  // Nothing selected: nothing marked, but the grid still hears of a change.
  g.Action(kActionDeselectBlock);
  g.ChangeMade(false);
  s.mnuNew_Click();
  EXPECT_EQ(f.Status(2), "");
  EXPECT_TRUE(g.ChangeMade());
}

TEST(DataAddMode, MenuToggleAndPropertyAgree) {
  StatusSheet f({".|a|1"});
  ZelSheet& s = f.sheet;
  EXPECT_FALSE(s.IsDataAdd());
  s.mnuDataAdd_Click();
  EXPECT_TRUE(s.IsDataAdd());
  s.mnuDataAdd_Click();
  EXPECT_FALSE(s.IsDataAdd());
  s.IsDataAdd(true);
  s.mnuDataAdd_Click();  // the menu flips the property's value, not a copy of its own
  EXPECT_FALSE(s.IsDataAdd());
}

TEST(ActiveCellTop, FirstVisibleColumnOfRowOne) {
  StatusSheet f({".|a|1", ".|b|2"});
  ZelSheet& s = f.sheet;
  Grid& g = s.GetSheet();
  g.SetActiveCell(2, 2);
  s.ActiveCellTop();
  EXPECT_EQ(g.ActiveCol(), 1);
  EXPECT_EQ(g.ActiveRow(), 1);
  g.Col(1);
  g.ColHidden(true);
  s.ActiveCellTop();
  EXPECT_EQ(g.ActiveCol(), 2);
  EXPECT_EQ(g.ActiveRow(), 1);
}

}  // namespace
}  // namespace zel
