// The host helpers against a real sheet: what the writer makes displays into the right
// columns, the save text reader reads what GetData hands out, and what the results writer
// makes is what both result members accept; the error list reads back.
#include "zelsheet/host_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

constexpr int32_t kCode = 1, kName = 2, kKind = 3, kSeq = 5;

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
  // Each field in its column: tildes next to Hangul stay values, the combo takes its code.
  EXPECT_EQ(s.CellText(kName, 2), "I~미래");
  EXPECT_EQ(s.CellComboCaption(kKind, 2), "매입처");
  EXPECT_EQ(s.CellText(kSeq, 3), "13");
  using enum RowStatus;
  EXPECT_EQ(f.Statuses(5), (std::vector<RowStatus>{Updated, MarkedForDeletion, Unchanged, Added,
                                                   Added}));  // row 5: a spare row
  s.GetSheet().SetText(0, 3, " A");
  EXPECT_EQ(GetRowStatus(s, 3), Unchanged);  // as GetData sees it
  EXPECT_THROW(GetRowStatus(s, s.MaxRows() + 1), GridError);

  const SaveParams p = ReadSaveParams(s.GetData());
  EXPECT_EQ(p.field_names, (std::vector<std::string>{"CODE", "NAME", "KIND", "DAY", "SEQ"}));
  ASSERT_EQ(p.lines.size(), 3u);
  EXPECT_EQ(p.lines[0].tag, SaveTag::Updated);
  EXPECT_EQ(p.lines[0].values, (std::vector<std::string>{"C1", "한빛상사", "1", "20240131", "11"}));
  EXPECT_EQ(p.lines[1].tag, SaveTag::Deleted);
  EXPECT_EQ(p.lines[2].tag, SaveTag::Added);
  EXPECT_EQ(p.lines[2].values, (std::vector<std::string>{"C4", "새한", "2", "", ""}));
  const SaveParams active = ReadSaveParams(s.GetDataActiveRow(4));
  EXPECT_EQ(active.lines.at(0).row, 4);
  EXPECT_EQ(active.lines.at(0).values, p.lines[2].values);
}

// Each form settles the sheet through the member it is made for: the update takes its
// serial, the deletion leaves the grid, the refused new row stays and is listed.
TEST(HostHelpers, EachResultsFormIsWhatItsMemberSettles) {
  for (const ResultsForm form : {ResultsForm::Sheet, ResultsForm::CheckSave}) {
    HostSheet f;
    ResultsWriter w({"SEQ"});
    w.Saved({"21"});
    w.Saved({""});
    w.Failed("코드가 중복됩니다");
    const std::string results = w.Text(form);
    // MessageCheckSave in save mode, lngCheckCol 0 so that a saved deletion leaves.
    EXPECT_FALSE(form == ResultsForm::Sheet ? f.sheet.MessageCheckSaveSheet(results, 2, 0, kSeq)
                                            : f.sheet.MessageCheckSave(results, 0, "Save"));
    EXPECT_EQ(f.sheet.CellText(kSeq, 1), "21");
    EXPECT_EQ(f.sheet.CellText(kCode, 2), "C3");
    using enum RowStatus;
    EXPECT_EQ(f.Statuses(3), (std::vector<RowStatus>{Unchanged, Unchanged, Added}));
    const std::vector<ErrorListEntry> errors = ReadErrorList(f.sheet.ErrorMsg());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].row, 4);  // the row it stood in when it was settled
    EXPECT_EQ(errors[0].message, "코드가 중복됩니다");
    EXPECT_EQ(errors[0].code, form == ResultsForm::Sheet ? "" : "ERR");
  }
}

}  // namespace
}  // namespace zel::testing
