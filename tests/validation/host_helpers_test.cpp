// The host helpers against a real sheet: what the writer makes displays into the right
// columns, the save text reader reads what GetData hands out, and what the results writer
// makes is what both result members accept; the error list reads back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "zelsheet/host_helpers.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

constexpr int32_t kCode = 1, kName = 2, kKind = 3, kDay = 4, kSeq = 5;

// A sheet of five declared columns through AddColumn, showing three rows written by the
// data string writer; row 1 edited, row 2 marked for deletion, a new row typed into row 4.
struct HostSheet : SheetFixture {
  HostSheet() {
    sheet.MaxCols(5);
    const std::vector<ColumnDescription> columns = {
        {.field_name = "CODE", .title = "코드", .max_length = 10, .access_code = "KEY"},
        {.field_name = "NAME", .title = "이름", .max_length = 20, .access_code = "NON"},
        {.field_name = "KIND",
         .title = "구분",
         .cell_type = EnCombo,
         .max_length = 1,
         .mask_or_list = ComboList({{"매출처", "1"}, {"매입처", "2"}})},
        {.field_name = "DAY", .title = "일자", .cell_type = EnDate, .max_length = 10},
        {.field_name = "SEQ", .title = "번호", .max_length = 10, .access_code = "HID"},
    };
    for (size_t i = 0; i < columns.size(); ++i) {
      EXPECT_EQ(AddColumn(sheet, columns[i]), static_cast<int32_t>(i + 1));
    }
    DataStringWriter w;
    w.Field("C1").Field("한빛~").Field("1").Field("20240131").Integer(11).EndRow();
    w.Field("C2").Field("I~미래").Field("2").Field("").Integer(12).EndRow();
    w.Field("C3").Field("동양").Field("1").Field("20231205").Integer(13).EndRow();
    EXPECT_TRUE(sheet.Display(w.Text()));

    Edit(kName, 1, "한빛상사");
    sheet.GetSheet().SetText(0, 2, "X");
    Edit(kCode, 4, "C4");
    Edit(kName, 4, "새한");
    Edit(kKind, 4, "2");
  }
  void Edit(int32_t col, int32_t row, const std::string& value) {
    sheet.CellText(col, row, value);
    sheet.TrackCellChange(sheet.ColX(col), row, row);
  }
  std::vector<RowStatus> Statuses(int32_t rows) {
    std::vector<RowStatus> out;
    for (int32_t r = 1; r <= rows; ++r) out.push_back(GetRowStatus(sheet, r));
    return out;
  }
};

TEST(HostHelpers, WriterDisplaysAndGetDataReadsBack) {
  HostSheet f;
  ZelSheet& s = f.sheet;
  // Each field in its column: the tildes next to Hangul stayed values, the combo took its
  // code, the date its grid form.
  EXPECT_EQ(s.CellText(kName, 2), "I~미래");
  EXPECT_EQ(s.CellText(kKind, 3), "1");
  EXPECT_EQ(s.CellComboCaption(kKind, 2), "매입처");
  EXPECT_EQ(s.CellText(kDay, 1), "20240131");
  EXPECT_EQ(s.CellText(kSeq, 3), "13");
  EXPECT_EQ(f.Statuses(5), (std::vector<RowStatus>{RowStatus::Updated,
                                                   RowStatus::MarkedForDeletion,
                                                   RowStatus::Unchanged, RowStatus::Added,
                                                   RowStatus::Added}));  // row 5: a spare row
  s.GetSheet().SetText(0, 3, " A");
  EXPECT_EQ(GetRowStatus(s, 3), RowStatus::Unchanged);  // as GetData sees it
  s.GetSheet().SetText(0, 3, "");
  EXPECT_THROW(GetRowStatus(s, s.MaxRows() + 1), GridError);

  const SaveParams p = ReadSaveParams(s.GetData());
  EXPECT_EQ(p.field_names, (std::vector<std::string>{"CODE", "NAME", "KIND", "DAY", "SEQ"}));
  ASSERT_EQ(p.lines.size(), 3u);
  EXPECT_EQ(p.lines[0].tag, SaveTag::Updated);
  EXPECT_EQ(p.lines[0].values,
            (std::vector<std::string>{"C1", "한빛상사", "1", "20240131", "11"}));
  EXPECT_EQ(p.lines[1].tag, SaveTag::Deleted);
  EXPECT_EQ(p.lines[1].values[p.FieldIndex("NAME")], "I~미래");
  EXPECT_EQ(p.lines[2].tag, SaveTag::Added);
  EXPECT_EQ(p.lines[2].values, (std::vector<std::string>{"C4", "새한", "2", "", ""}));

  // The selected-row form carries the row number.
  const SaveParams active = ReadSaveParams(s.GetDataActiveRow(4));
  ASSERT_EQ(active.lines.size(), 1u);
  EXPECT_EQ(active.lines[0].row, 4);
  EXPECT_EQ(active.lines[0].values[kCode - 1], "C4");
}

// The server's answer to the three lines: the update saved with a new serial, the deletion
// saved, the new row refused.
ResultsWriter Answer() {
  ResultsWriter w({"SEQ"});
  w.Saved({"21"});
  w.Saved({""});
  w.Failed("코드가 중복됩니다");
  return w;
}

TEST(HostHelpers, SheetFormIsWhatMessageCheckSaveSheetSettles) {
  HostSheet f;
  ZelSheet& s = f.sheet;
  EXPECT_FALSE(s.MessageCheckSaveSheet(Answer().Text(ResultsForm::Sheet), 2, 0, kSeq));
  EXPECT_EQ(RenderSheet(s, {1, 3, 4}),
            ".|C1|한빛상사|매출처" + std::string(50, ' ') + "1|31-01-2024\n"
            ".|C3|동양|매출처" + std::string(50, ' ') + "1|05-12-2023\n"
            "A|C4|새한|매입처" + std::string(50, ' ') + "2|");
  EXPECT_EQ(s.CellText(kSeq, 1), "21");
  EXPECT_EQ(f.Statuses(3), (std::vector<RowStatus>{RowStatus::Unchanged, RowStatus::Unchanged,
                                                   RowStatus::Added}));
  const std::vector<ErrorListEntry> errors = ReadErrorList(s.ErrorMsg());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].row, 4);  // named by the row it stood in when it was settled
  EXPECT_EQ(errors[0].message, "코드가 중복됩니다");
  EXPECT_EQ(errors[0].code, "");
}

TEST(HostHelpers, CheckSaveFormIsWhatMessageCheckSaveSettles) {
  HostSheet f;
  ZelSheet& s = f.sheet;
  // Save mode, and lngCheckCol 0 so that the saved deletion leaves the grid.
  EXPECT_FALSE(s.MessageCheckSave(Answer().Text(ResultsForm::CheckSave), 0, "Save"));
  EXPECT_EQ(s.CellText(kSeq, 1), "21");  // written back by field name
  EXPECT_EQ(s.CellText(kCode, 2), "C3");
  EXPECT_EQ(f.Statuses(3), (std::vector<RowStatus>{RowStatus::Unchanged, RowStatus::Unchanged,
                                                   RowStatus::Added}));
  const std::vector<ErrorListEntry> errors = ReadErrorList(s.ErrorMsg());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].row, 4);  // MessageCheckSave names the row before the deletion
  EXPECT_EQ(errors[0].message, "코드가 중복됩니다");
  EXPECT_EQ(errors[0].code, "ERR");
}

}  // namespace
}  // namespace zel::testing
