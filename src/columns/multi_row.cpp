// The multi-row layout: every data record takes H = ColHeaderRows grid rows, and each field
// is a cell of the record given by a grid column, a row offset and spans. The header repeats
// the arrangement with the titles.
//
// Worked example, H = 2, three fields:
//
//   AddCellSpan_Start(3)
//   AddItem_Multi(1, 0, 2, 1, n, "CODE", "Code", EnText, "KEY", 10, 0)   -> field 1
//   AddItem_Multi(1, 1, 1, 1, n, "QTY",  "Qty",  EnFloat, "",   5, 2)    -> field 2
//   AddItem_Multi(2, 1, 1, 1, n, "OK",   "OK",   EnCheck, "",   1, 0)    -> field 3
//   AddCellSpan_End()
//
//   header rows -1000, -999:  | Code (2 columns) |      record rows r, r+1:  | CODE      |
//                             | Qty  | OK        |                           | QTY | OK  |
//
// Field records and the index table (row offset, grid column) -> field number live in the
// column model (sheet/column_model.h).
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "columns/access_code.h"
#include "columns/internal/cell_format.h"
#include "columns/internal/format_apply.h"
#include "columns/internal/record_layout.h"
#include "grid/row_blocks.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

int32_t CheckedAdd(int32_t a, int32_t b) {
  const int64_t sum = static_cast<int64_t>(a) + b;
  if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max()) {
    throw std::overflow_error("Overflow: row " + std::to_string(sum));
  }
  return static_cast<int32_t>(sum);
}

}  // namespace

void ZelSheet::AddCellSpan_Start(int32_t lngTotalSpanCount) {
  impl_->columns.ResizeFields(lngTotalSpanCount);
  const int32_t header_rows = impl_->grid.ColHeaderRows();
  const int32_t max_cols = impl_->grid.MaxCols();
  impl_->columns.index_table.Resize(CheckedAdd(header_rows, 1), CheckedAdd(max_cols, 1));
  // The header row takes the field titles as given; our grid needs no further header-row
  // option for that.
}

int32_t ZelSheet::AddItem_Multi(int32_t lCol, int32_t lRow, int32_t lNumCols, int32_t lNumRows,
                                int32_t lngIndex, const std::string& strDBFieldName,
                                const std::string& strTitle, int16_t enCellType,
                                const std::string& strAccessKey, int16_t intMaxLength,
                                int16_t intDecMaxLength,
                                const std::string& strComboBoxListOrMaskString,
                                int32_t enHAlignHeader, int32_t enVAlignHeader, int32_t enHAlign,
                                int32_t enVAlign, bool IsSetItem) {
  std::string title = strTitle;
  std::string access_key = strAccessKey;
  return AddItem_Multi(lCol, lRow, lNumCols, lNumRows, lngIndex, strDBFieldName, title,
                       enCellType, access_key, intMaxLength, intDecMaxLength,
                       strComboBoxListOrMaskString, enHAlignHeader, enVAlignHeader, enHAlign,
                       enVAlign, IsSetItem);
}

void ZelSheet::SetItem_Multi(int32_t lCol, int32_t lRow, int32_t lNumCols, int32_t lNumRows,
                             int32_t lngIndex, const std::string& strDBFieldName,
                             const std::string& strTitle, int16_t enCellType,
                             const std::string& strAccessKey, int16_t intMaxLength,
                             int16_t intDecMaxLength,
                             const std::string& strComboBoxListOrMaskString,
                             int32_t enHAlignHeader, int32_t enVAlignHeader, int32_t enHAlign,
                             int32_t enVAlign) {
  AddItem_Multi(lCol, lRow, lNumCols, lNumRows, lngIndex, strDBFieldName, strTitle, enCellType,
                strAccessKey, intMaxLength, intDecMaxLength, strComboBoxListOrMaskString,
                enHAlignHeader, enVAlignHeader, enHAlign, enVAlign, true);
}

int32_t ZelSheet::AddItem_Multi(int32_t lCol, int32_t lRow, int32_t lNumCols, int32_t lNumRows,
                                int32_t& lngIndex, const std::string& strDBFieldName,
                                std::string& strTitle, int16_t enCellType,
                                std::string& strAccessKey, int16_t intMaxLength,
                                int16_t intDecMaxLength,
                                const std::string& strComboBoxListOrMaskString,
                                int32_t enHAlignHeader, int32_t enVAlignHeader, int32_t enHAlign,
                                int32_t enVAlign, bool IsSetItem) {
  impl_->flags.is_multi_sheet = true;
  if (!IsSetItem) {
    impl_->columns.counter = CheckedAdd(impl_->columns.counter, 1);
    lngIndex = impl_->columns.counter;
  }
  FieldRecord& field = impl_->columns.Field(lngIndex);
  const std::string& list = strComboBoxListOrMaskString;

  if (impl_->columns.stored_definition && IsSetItem) {
    // Re-declaring a stored definition: only its texts and lengths change.
    field.title = strTitle;
    field.field_name = strDBFieldName;
    field.access_key = strAccessKey;
    field.max_length = intMaxLength;
    field.dec_length = intDecMaxLength;
    field.list = list;
    field.mask = internal::ModelMask(list);
  } else if (impl_->columns.stored_definition) {
    // Placing a stored definition: the stored title and access code win over the caller's.
    field.cell_type = enCellType;
    strAccessKey = field.access_key;
    strTitle = field.title;
    field.col = lCol;
    field.row = lRow;
    field.col_span = lNumCols;
    field.row_span = lNumRows;
    impl_->columns.index_table.Set(lRow, lCol, lngIndex);
  } else {
    field.col = lCol;
    field.row = lRow;
    field.col_span = lNumCols;
    field.row_span = lNumRows;
    field.mask = internal::ModelMask(list);
    impl_->columns.index_table.Set(lRow, lCol, lngIndex);
    field.title = strTitle;
    field.field_name = strDBFieldName;
    field.cell_type = enCellType;
    field.access_key = strAccessKey;
    field.max_length = intMaxLength;
    field.dec_length = intDecMaxLength;
    field.list = list;
  }
  if (IsSetItem) return lngIndex;

  // The header cell of the field.
  field.h_align = enHAlign == -1 ? internal::DefaultFieldHAlign(enCellType) : enHAlign;
  field.v_align = enVAlign;
  const int32_t header_row = CheckedAdd(internal::HeaderRow(0), lRow);
  impl_->grid.AddCellSpan(lCol, header_row, lNumCols, lNumRows);
  impl_->grid.Col(lCol);
  impl_->grid.Row(header_row);
  impl_->grid.CellType(kCellEdit);
  impl_->grid.Text(strTitle);
  impl_->grid.TypeHAlign(static_cast<int16_t>(enHAlignHeader));
  impl_->grid.TypeVAlign(static_cast<int16_t>(enVAlignHeader));
  const bool must_input = internal::HasCode(strAccessKey, internal::kCodeKey) ||
                          internal::HasCode(strAccessKey, internal::kCodeNotNull);
  impl_->grid.ForeColor(must_input ? impl_->settings.colors.header_col_must_input_fg_color
                                   : impl_->grid.HeaderForeColor());
  if (internal::HasCode(strAccessKey, internal::kCodeHidden)) impl_->grid.ColHidden(true);
  return lngIndex;
}

void ZelSheet::AddCellSpan_End(int16_t /*intHeaderCount*/) {
  impl_->columns.ResizeFields(impl_->columns.counter);
  const int32_t header_rows = impl_->grid.ColHeaderRows();
  impl_->grid.AddCellSpan(0, 0, 1, header_rows);
  // The whole header block, corner column included, in the grid's own header colour.
  const bool block_mode = impl_->grid.BlockMode();
  impl_->grid.Col(0);
  impl_->grid.Col2(impl_->grid.MaxCols());
  impl_->grid.Row(internal::HeaderRow(0));
  impl_->grid.Row2(internal::HeaderRow(header_rows - 1));
  impl_->grid.BlockMode(true);
  impl_->grid.BackColor(impl_->grid.HeaderBackColor());
  impl_->grid.BlockMode(block_mode);
}

std::string ZelSheet::HeaderCellTag(int32_t lngCol) {
  const int32_t grid_col = ColX(lngCol);
  const int32_t saved_col = impl_->grid.Col();
  const int32_t saved_row = impl_->grid.Row();
  impl_->grid.Col(grid_col);
  impl_->grid.Row(0);
  std::string tag;
  try {
    tag = impl_->grid.CellTag();
  } catch (...) {
    impl_->grid.Col(saved_col);
    impl_->grid.Row(saved_row);
    throw;
  }
  impl_->grid.Col(saved_col);
  impl_->grid.Row(saved_row);
  return tag;
}

void ZelSheet::HeaderCellTag(int32_t lngCol, const std::string& strTag) {
  const int32_t grid_col = ColX(lngCol);
  const int32_t saved_col = impl_->grid.Col();
  const int32_t saved_row = impl_->grid.Row();
  impl_->grid.Col(grid_col);
  impl_->grid.Row(0);
  try {
    impl_->grid.CellTag(strTag);
  } catch (...) {
    impl_->grid.Col(saved_col);
    impl_->grid.Row(saved_row);
    throw;
  }
  impl_->grid.Col(saved_col);
  impl_->grid.Row(saved_row);
}

int32_t ZelSheet::RowX(int32_t lngmsCol) const { return impl_->columns.Field(lngmsCol).row; }

int32_t ZelSheet::GetColIndex(int32_t lngCol, int32_t lngRow) const {
  if (lngCol == -1 || lngRow == -1) return impl_->columns.current_field;
  return internal::ReadOr(
      [&] {
        const int32_t offset = internal::SpanRow(lngRow, impl_->grid.ColHeaderRows());
        return impl_->columns.index_table.Contains(offset, lngCol)
                   ? impl_->columns.index_table.At(offset, lngCol)
                   : 0;
      },
      0);
}

int32_t ZelSheet::GetSpanRow(int32_t lngRow) const {
  return internal::SpanRow(lngRow, impl_->grid.ColHeaderRows());
}

int32_t ZelSheet::GetSpanHeaderRow(int32_t lngRow) const {
  return internal::SpanHeaderRow(lngRow, impl_->grid.ColHeaderRows());
}

void ZelSheet::ActiveCellX(int32_t msIndex, int32_t HeaderRow) {
  const FieldRecord& field = impl_->columns.Field(msIndex);
  ActiveCell(field.col, CheckedAdd(HeaderRow, field.row));
}

void ZelSheet::AddRecordsToSheet(int32_t lngRecordCnt, bool IsBelowAllRows) {
  impl_->AddRecords(lngRecordCnt, IsBelowAllRows, 0);
}

void ZelSheet::Impl::AddRecords(int32_t lngRecordCnt, bool IsBelowAllRows, int32_t numbered) {
  const int32_t header_rows = grid.ColHeaderRows();
  const internal::RecordPlan plan =
      internal::PlanRecords(lngRecordCnt, editing.spare_rows, grid.MaxRows(), grid.DataRowCnt(),
                            IsBelowAllRows, header_rows);
  editing.spare_rows = plan.spare_records;
  const int32_t old_rows = grid.MaxRows();
  grid.MaxRows(plan.max_rows);
  const int32_t max_rows = grid.MaxRows();
  const int32_t max_cols = grid.MaxCols();
  const TypeSheetColor& colors = settings.colors;

  // A record is spanned, formatted and marked "A"; a line under every record but the last
  // separates the records.
  auto lined = [&](int64_t r64) { return r64 + header_rows < max_rows; };
  // The first `numbered` new records get their header from the caller.
  const int64_t marked_from = plan.first_row + int64_t{std::max(numbered, 0)} * header_rows;
  auto formatRecord = [&](int64_t r64) {
    const auto r = static_cast<int32_t>(r64);
    grid.AddCellSpan(0, r, 1, header_rows);
    if (r64 >= marked_from) grid.SetText(0, r, "A");
    for (int32_t i = 1; i <= columns.counter; ++i) {
      const FieldRecord& field = columns.Field(i);
      const int32_t row = CheckedAdd(r, field.row);
      if (!flags.is_no_add_cell_span) {
        grid.AddCellSpan(field.col, row, field.col_span, field.row_span);
      }
      grid.Col(field.col);
      grid.Row(row);
      if (const auto format = internal::FieldCellFormat(field.cell_type, field.max_length,
                                                        field.dec_length, field.list,
                                                        field.mask)) {
        internal::ApplyCellFormat(grid, *format);
      }
      grid.TypeHAlign(static_cast<int16_t>(field.h_align));
      grid.TypeVAlign(static_cast<int16_t>(field.v_align));

      const internal::FieldAccess access = internal::EvaluateFieldAccess(field.access_key);
      if (!access.applies) continue;
      switch (access.paint) {
        case internal::FieldAccess::Paint::kLocked:
          grid.LockCells(true);
          grid.BackColor(colors.lock_back_color);
          grid.ForeColor(colors.lock_fore_color);
          break;
        case internal::FieldAccess::Paint::kCodeHelp:
          grid.BackColor(colors.code_help);
          grid.ForeColor(colors.fore_color);
          break;
        case internal::FieldAccess::Paint::kNormal:
        case internal::FieldAccess::Paint::kNone:
          grid.BackColor(colors.back_color);
          break;
      }
      if (access.unlock) grid.LockCells(false);
    }
    if (lined(r64)) {
      const int32_t last_row = static_cast<int32_t>(r64 + header_rows - 1);
      grid.SetCellBorder(1, last_row, max_cols, last_row, internal::kRecordBorderIndex,
                         internal::kRecordBorderColor, internal::kRecordBorderStyle);
    }
  };

  int64_t r64 = plan.first_row;
  // Records in rows the sheet had already are formatted over what those rows hold.
  for (; r64 <= max_rows && r64 <= old_rows; r64 += header_rows) formatRecord(r64);
  // The new rows are empty and their records alike: the first lined one is formatted, and
  // the grid repeats it down to the last lined record (a sheet of many records would
  // otherwise cost a format of its own in every cell).
  if (r64 <= max_rows && lined(r64)) {
    formatRecord(r64);
    const int64_t copies = (max_rows - r64 - header_rows - 1) / header_rows;
    internal::RepeatRowBlock(grid, static_cast<int32_t>(r64), header_rows,
                             static_cast<int32_t>(copies));
    const int64_t end = r64 + (copies + 1) * header_rows;
    // A numbered first record repeats no "A": the records after the numbered ones get theirs.
    if (r64 < marked_from) {
      for (int64_t q = std::max(marked_from, r64 + header_rows); q < end; q += header_rows) {
        grid.SetText(0, static_cast<int32_t>(q), "A");
      }
    }
    r64 = end;
  }
  for (; r64 <= max_rows; r64 += header_rows) formatRecord(r64);
}

}  // namespace zel
