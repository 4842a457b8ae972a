// Display, DisplayRow, GetStringToArray and the two separators: the members that read a data
// string (grammar and worked example in exchange/data_string.h) into the sheet.
//
// Display is the most used member of the sheet (every query screen calls it after each
// query), so it is one pass: the rows are counted once, the row count is set once, and each
// field is converted from a view of the caller's text straight into the one write of its
// cell, with redraw off. The writes go through the grid's bulk writer (the SetText of each
// cell, with the columns' formats looked up once); a float field goes in as its number.
// Display itself allocates nothing per field. A combo column whose data rows share one list
// has it indexed by code once per call; otherwise a combo field is copied once for
// SetItemToComboBox.
//
// Failure style: every step is skipped when it fails (a grid call that refuses, a row beyond
// MaxRows, a colour code that does not fit 16 bits) and the next one runs; the finishing
// steps always run and Display still returns true. Nothing is shown or raised.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "columns/cell_conversions.h"
#include "columns/combo_items.h"
#include "grid/column_lists.h"
#include "grid/data_row_writer.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/data_string.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;

namespace {

constexpr int16_t kPointerDefault = 0;
constexpr int16_t kPointerHourglass = 11;

// Where one field of a row goes, and how it is converted, looked up once per call.
struct FieldTarget {
  int32_t grid_col = 0;
  int32_t row_offset = 0;     // inside a record of the multi-row layout
  int32_t cell_type = 0;      // 0: never declared (written as text)
  int16_t max_length = 0;     // the code length of a combo column
  std::string_view mask;      // of an EnMask column; points into the column model
  // Of a combo column whose data rows all show one list: its items by code. Null when the
  // items are looked up per cell (SetItemToComboBox).
  const internal::ComboCodeIndex* combo = nullptr;
};

// How the data string's rows land on the sheet: row j (from 0) is the record whose first
// grid row is first_row + j * rows_per_record, for the records up to last_row.
struct RowPlan {
  int64_t first_row = 1;
  int64_t last_row = 0;
  int32_t rows_per_record = 1;
  bool color_setting = false;  // the field after the last column is the row's colour code
  bool clear_status = false;   // each written row's status becomes "" (not needed for
                               // rows created empty)
  int64_t fresh_from = INT64_MAX;  // the first row this call created empty (appending)
  // The multi-row layout: fields go to their field records, date fields keep their dashes,
  // and each record's first row header shows its record number, or "A" with header_added.
  bool records = false;
  bool header_added = false;
};

using ComboIndexes = std::vector<std::unique_ptr<internal::ComboCodeIndex>>;

// The plain layout's fields: k runs over the columns the grid has at the start of the call,
// so every defined column, hidden ones included, takes its field in definition order
// wherever it stands now; a column the model does not cover is written as text.
std::vector<FieldTarget> ColumnTargets(ZelSheet::Impl& s, ComboIndexes& combos) {
  const int32_t maxCols = s.grid.MaxCols();
  const int32_t planned = std::min(maxCols, s.columns.Size());
  std::vector<FieldTarget> targets(static_cast<size_t>(std::max(maxCols, 0)));
  for (int32_t k = 1; k <= maxCols; ++k) {
    FieldTarget& t = targets[static_cast<size_t>(k - 1)];
    t.grid_col = s.sheet.ColX(k);
    if (k > planned) continue;
    const ColumnDef& def = s.columns.Def(k);
    t.cell_type = def.cell_type;
    t.max_length = def.max_length;
    t.mask = def.mask;
    if (t.cell_type == EnCombo && t.max_length > 0) {
      SkipStep([&] {
        if (auto list = internal::DataRowsComboList(s.grid, t.grid_col)) {
          combos.push_back(
              std::make_unique<internal::ComboCodeIndex>(std::move(*list), t.max_length));
          t.combo = combos.back().get();
        }
      });
    }
  }
  return targets;
}

// The multi-row layout's fields: field d goes to its field record's column and row offset.
// A column holds fields of several row offsets, whose lists may differ: combos are looked
// up cell by cell.
std::vector<FieldTarget> RecordTargets(const ZelSheet::Impl& s) {
  std::vector<FieldTarget> targets;
  const int32_t fields = std::min<int32_t>(s.columns.counter, static_cast<int32_t>(s.columns.fields.size()));
  for (int32_t d = 1; d <= fields; ++d) {
    const FieldRecord& f = s.columns.Field(d);
    FieldTarget t;
    t.grid_col = f.col;
    t.row_offset = f.row;
    t.cell_type = f.cell_type;
    t.max_length = f.max_length;
    t.mask = f.mask;
    targets.push_back(t);
  }
  return targets;
}

// The writing step of Display and Display_Multi.
void WriteDataRows(ZelSheet::Impl& s, std::string_view data, const std::vector<FieldTarget>& targets,
                   const RowPlan& plan) {
  const auto fieldCount = static_cast<int32_t>(targets.size());
  const bool dropDashes = !plan.records;
  std::string converted;  // reused for every conversion that builds a new text
  // Every write below is the grid's SetText of the same cell and text; the writer looks the
  // columns' formats up once instead of once per cell.
  internal::DataRowWriter writer(s.grid);
  auto writeField = [&](const FieldTarget& target, int32_t row, std::string_view field) {
    const int32_t col = target.grid_col;
    switch (target.cell_type) {
      case EnFloat:
        // The leading numeric part, so "1,234" gives 1 and a non-numeric field 0; the grid
        // gets the number's own text (or, in a number cell, the number) and not the field,
        // which it would read differently. Beyond a double's range the write fails and the
        // cell is left as it was.
        writer.SetNumber(col, row, internal::FloatFieldValue(field));
        return;
      case EnCombo:
        if (target.combo != nullptr) {
          // What SetItemToComboBox does, with the list looked up once: the cursor moves to
          // the cell, and a matching item's text is written for the grid to select.
          s.grid.Col(col);
          s.grid.Row(row);
          if (const auto item = target.combo->Find(field)) writer.SetText(col, row, *item);
          return;
        }
        s.sheet.SetItemToComboBox(col, row, std::string(field), target.max_length, false);
        return;
      case EnMask:
        internal::FormatMask(field, target.mask, converted);
        writer.SetText(col, row, converted);
        return;
      case EnTime:
        writer.SetText(col, row, field);
        return;
      case EnDate:
        internal::DateFieldToGrid(field, converted, dropDashes);
        if (!converted.empty()) writer.SetText(col, row, converted);  // empty: cell untouched
        return;
      case EnDateYearMonth:
        internal::YearMonthFieldToGrid(field, converted, dropDashes);
        if (!converted.empty()) writer.SetText(col, row, converted);
        return;
      default:
        // Text, caption, check box and every other type: trailing blanks go, leading stay.
        writer.SetText(col, row, text::RTrimView(field));
        return;
    }
  };

  internal::DataStringReader reader(data);
  const int32_t step = std::max(plan.rows_per_record, 1);
  char number[16];
  for (int64_t r64 = plan.first_row; r64 <= plan.last_row && reader.NextRow(); r64 += step) {
    const auto row = static_cast<int32_t>(r64);
    std::string_view element;
    std::string_view colorField;
    bool hasColorField = false;
    // Short rows: a well-formed host sends one field per column, so a row with fewer is
    // taken for what it says and the columns without a field are not written. In the rows
    // that replace and append mode create they stay empty; in one-row mode they keep what
    // they showed, as a column with an empty date field does.
    for (int32_t k = 1; reader.NextElement(element); ++k) {
      if (k > fieldCount) {
        if (k == fieldCount + 1) {  // the colour code; any further element is ignored
          colorField = element;
          hasColorField = true;
        }
        break;
      }
      const FieldTarget& t = targets[static_cast<size_t>(k - 1)];
      SkipStep([&] { writeField(t, row + t.row_offset, element); });
    }
    if (plan.records) {
      // The record's number, counted over the whole sheet (an appended record goes on from
      // the records above it).
      SkipStep([&] {
        if (plan.header_added) {
          writer.SetText(0, row, "A");
        } else {
          const auto end = std::to_chars(number, number + sizeof number, (r64 - 1) / step + 1).ptr;
          writer.SetText(0, row, std::string_view(number, static_cast<size_t>(end - number)));
        }
      });
      continue;
    }
    // Displayed rows count as unchanged. Rows this call has just created have no status
    // yet, and a million needless writes would cost as much as reading the text.
    if (plan.clear_status && r64 < plan.fresh_from) SkipStep([&] { writer.SetText(0, row, ""); });
    if (plan.color_setting && hasColorField) {
      SkipStep([&] { s.sheet.SetRowColor(row, text::CInt(text::Val(colorField))); });
    }
  }
}

}  // namespace

std::string ZelSheet::sp() const { return std::string(internal::kFieldSeparator); }

std::string ZelSheet::SP_LF() const { return std::string(internal::kRowSeparator); }

bool ZelSheet::Display(const std::string& strValue, bool&& bulAddData, bool bulColorSetting,
                       int32_t lngRow) {
  bool addData = bulAddData;
  return Display(strValue, addData, bulColorSetting, lngRow);
}

bool ZelSheet::DisplayRow(const std::string& strValue, int32_t lngRow) {
  bool addData = false;
  return Display(strValue, addData, false, lngRow);
}

bool ZelSheet::Display(const std::string& strValue, bool& bulAddData, bool bulColorSetting,
                       int32_t lngRow) {
  // A record of the multi-row layout takes several grid rows.
  if (impl_->flags.is_multi_sheet) return Display_Multi(strValue, false, false);

  if (impl_->editing.is_data_add) bulAddData = true;
  const bool oneRow = lngRow != 0;
  const bool replace = !bulAddData && !oneRow;
  bool emptied = false;
  if (replace) {
    SkipStep([&] {
      MaxRows(0);
      emptied = true;
    });
  }

  const std::string_view data(strValue);
  if (text::TrimView(data).empty()) {
    SkipStep([&] { AddRowsToSheet(); });
    return false;
  }

  const size_t pieces = internal::CountDataRows(data);
  const auto rowCount = static_cast<int64_t>(std::min<size_t>(pieces, INT32_MAX));
  SkipStep([&] { MousePointer(kPointerHourglass); });
  SkipStep([&] { impl_->grid.ReDraw(false); });

  // The target rows: the first piece goes to the first target row.
  int64_t firstRow = 1;
  int64_t lastRow = 0;
  bool freshRows = false;  // the target rows were created empty by this call
  int64_t freshFrom = INT64_MAX;  // appending: the rows from here on were created empty
  if (oneRow) {
    // One-row mode fills a data row. Row 0 and the header addresses (-1000 + n) hold the
    // column titles and -1 stands for every row, so a row below 1 is not written; a row
    // beyond MaxRows goes to the grid as it is and its writes fail there.
    firstRow = lngRow;
    lastRow = lngRow >= 1 && rowCount >= 1 ? lngRow : firstRow - 1;
  } else if (replace) {
    SkipStep([&] {
      MaxRows(static_cast<int32_t>(rowCount));
      freshRows = emptied;
    });
    lastRow = rowCount;
  } else {
    const int64_t dataRows = impl_->grid.DataRowCnt();
    const int64_t shownRows = impl_->grid.MaxRows();
    SkipStep([&] {
      const int64_t rows = dataRows + rowCount;
      if (rows > INT32_MAX) throw GridError("Display: too many rows to append");
      MaxRows(static_cast<int32_t>(rows));
      // Only the spare rows below the data have a status to clear; the rows beyond them
      // come new and empty.
      if (rows > shownRows) freshFrom = shownRows + 1;
    });
    firstRow = dataRows + 1;
    lastRow = dataRows + rowCount;
  }
  // A write to a row the grid does not have fails and is skipped; when the row count could
  // not be set, leaving those rows out is the same outcome without the failing calls. The
  // one-row mode hands its row to the grid as it is.
  if (!oneRow) lastRow = std::min<int64_t>(lastRow, impl_->grid.MaxRows());

  SkipStep([&] {
    ComboIndexes combos;
    RowPlan plan;
    plan.first_row = firstRow;
    plan.last_row = lastRow;
    plan.color_setting = bulColorSetting;
    plan.clear_status = !freshRows;
    plan.fresh_from = freshFrom;
    WriteDataRows(*impl_, data, ColumnTargets(*impl_, combos), plan);
  });

  SkipStep([&] { AddRowsToSheet(); });
  SkipStep([&] {
    if (impl_->grid.MaxRows() >= 1) ActiveCell(ColStart(), 1);
  });
  impl_->editing.dbl_click_row = 1;
  // New rows join the merge groups: sorted by the merge columns, merged, painted.
  SkipStep([&] { impl_->ReapplyColMerge(); });
  SkipStep([&] { impl_->grid.RowsFrozen(impl_->settings.frozen_rows); });
  SkipStep([&] { impl_->grid.ReDraw(true); });
  SkipStep([&] { MousePointer(kPointerDefault); });
  return true;
}

bool ZelSheet::Display_Multi(const std::string& strValue, bool IsRowHeaderADD, bool IsDataAppend) {
  Impl& s = *impl_;
  const std::string_view data(strValue);
  if (text::TrimView(data).empty()) {
    SkipStep([&] { AddRowsToSheet(); });
    return false;
  }
  const size_t records = internal::CountDataRows(data);
  if (records == 0) {
    // No complete record: a replace leaves the sheet empty, an append as it was.
    if (!IsDataAppend) SkipStep([&] { MaxRows(0); });
    return false;
  }
  const int32_t h = std::max(s.grid.ColHeaderRows(), 1);
  SkipStep([&] { MousePointer(kPointerHourglass); });
  SkipStep([&] { s.grid.ReDraw(false); });
  if (!IsDataAppend) SkipStep([&] { MaxRows(0); });

  // Room for the new records and the spare ones after them; every new record is spanned and
  // formatted by the record formatter, and the spare ones are marked "A" (the records get
  // their numbers below). An append keeps every record it finds. The room is asked for once,
  // so the sheet's spare-record count stays what it was.
  const int64_t count = static_cast<int64_t>(std::min<size_t>(records, INT32_MAX));
  const int32_t spare = s.editing.spare_rows == -1 ? 20 : s.editing.spare_rows;
  SkipStep([&] {
    const int64_t room = count + spare;
    if (room > INT32_MAX) throw GridError("Display_Multi: too many records");
    s.AddRecords(static_cast<int32_t>(room), false, IsRowHeaderADD ? 0 : static_cast<int32_t>(count));
  });
  s.editing.spare_rows = spare;

  // The first record starts after the whole records that hold data.
  const int64_t dataRows = s.grid.DataRowCnt();
  RowPlan plan;
  plan.first_row = (dataRows + h - 1) / h * h + 1;
  plan.last_row = std::min<int64_t>(plan.first_row + (count - 1) * h, s.grid.MaxRows());
  plan.rows_per_record = h;
  plan.records = true;
  plan.header_added = IsRowHeaderADD;
  SkipStep([&] { WriteDataRows(s, data, RecordTargets(s), plan); });

  SkipStep([&] {
    if (s.grid.MaxRows() >= 1) ActiveCell(ColStart(), 1);
  });
  SkipStep([&] { s.grid.RowsFrozen(s.settings.frozen_rows); });
  SkipStep([&] { s.grid.ReDraw(true); });
  SkipStep([&] { MousePointer(kPointerDefault); });
  return true;
}

bool ZelSheet::GetStringToArray(const std::string& strValue,
                                std::vector<std::vector<std::string>>& strArray,
                                int32_t& lngMaxCols, int32_t& lngMaxRows) {
  if (text::TrimView(strValue).empty()) return false;
  SkipStep([&] {
    internal::StringTable table = internal::SplitToTable(strValue);
    lngMaxRows = table.max_rows;
    lngMaxCols = table.max_cols;
    // A table too large to hold leaves the array as it was, as a refused allocation would.
    if (!table.cells.empty()) strArray = std::move(table.cells);
  });
  return true;
}

}  // namespace zel
