// The save check before sending (fnCheckNotNull) and the application of the server's
// answer by field name (MessageCheckSave).
#include <string>
#include <vector>

#include "platform/failure.h"
#include "sheet/message_table.h"
#include "sheet/sheet_state.h"
#include "text/number.h"
#include "text/strings.h"
#include "validation/internal/results_string.h"
#include "validation/save_rules.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::IsPendingStatus;
using internal::ResultField;
using internal::ShowFailureBox;
using internal::SkipStep;

namespace {

constexpr const char* kCheckSaveTitle = "[MessageCheckSave]";

}  // namespace

// ---- fnCheckNotNull --------------------------------------------------------------------

bool ZelSheet::fnCheckNotNull() {
  const int32_t rows = DataRowCnt();
  const int32_t cols = impl_->columns.counter;
  for (int32_t r = 1; r <= rows; ++r) {
    std::string status;
    SkipStep([&] { impl_->grid.GetText(0, r, status); });
    if (!IsPendingStatus(status)) continue;
    for (int32_t c = 1; c <= cols; ++c) {
      // In the multi-row layout a column is a field record: its code and type are the
      // record's, and its cell lies at the record's row offset below the record's row.
      std::string access;
      int32_t cellType = 0;
      int32_t rowOffset = 0;
      if (!SkipStep([&] {
            if (impl_->flags.is_multi_sheet) {
              const FieldRecord& field = impl_->columns.Field(c);
              access = field.access_key;
              cellType = field.cell_type;
              rowOffset = field.row;
            } else {
              const ColumnDef& def = impl_->columns.Def(c);
              access = def.access_key;
              cellType = def.cell_type;
            }
          })) {
        continue;
      }
      if (text::InStr(access, "NON") == 0) continue;
      std::string value;
      int32_t gridCol = 0;
      std::string title;
      if (!SkipStep([&] {
            value = CellText(c, r + rowOffset);
            gridCol = ColX(c);
          })) {
        continue;
      }
      SkipStep(
          [&] { impl_->grid.GetText(gridCol, rowOffset == 0 ? 0 : -1000 + rowOffset, title); });
      if (!internal::IsRequiredCellEmpty(value, cellType)) continue;

      // The cursor goes onto the empty cell where the column stands now (the user may have
      // moved it), before the box and again after it, since the box takes the focus.
      SkipStep([&] { ActiveCell(gridCol, r + rowOffset); });
      internal::ShowBox(impl_->platform,
                        "'" + title + "' " +
                            internal::MessageEntry(impl_->validation.message_table,
                                                   internal::kMessageRequiredField),
                        vbInformation, "");
      SkipStep([&] { ActiveCell(gridCol, r + rowOffset); });
      return false;
    }
  }
  return true;
}

// ---- MessageCheckSave ------------------------------------------------------------------

bool ZelSheet::MessageCheckSave(const std::string& strResults, const std::string& lngCheckCol,
                                const std::string& strMode, bool isTop) {
  if (text::TrimView(strResults).empty()) return false;
  int32_t checkCol = 0;
  // A check column beyond any number the sheet could hold: the answer cannot be applied.
  if (!ShowFailureBox(impl_->platform, kCheckSaveTitle,
                      [&] { checkCol = text::CLng(text::Val(lngCheckCol)); })) {
    impl_->validation.error_count = 0;
    return true;
  }
  return MessageCheckSave(strResults, checkCol, strMode, isTop);
}

bool ZelSheet::MessageCheckSave(const std::string& strResults, int32_t lngCheckCol,
                                const std::string& strMode, bool isTop) {
  if (text::TrimView(strResults).empty()) return false;
  impl_->validation.error_count = 0;
  bool result = true;
  internal::ErrorListBuilder errors;
  bool listStarted = false;
  // A fault in the walk (a missing result row, a failed row without a message field) ends
  // it with a box; the summary follows as after a normal walk.
  ShowFailureBox(impl_->platform, kCheckSaveTitle, [&] {
    const internal::ResultsString results(strResults);
    // The column receiving each returned value, by header index 2, 3, ...
    std::vector<int32_t> valueCols;
    for (const std::string& name : results.ValueNames()) valueCols.push_back(FieldNo(name));
    listStarted = true;

    const bool saveMode = strMode == "Save";
    const int32_t lastResult = results.LastIndex();
    int32_t k = isTop ? 1 : lastResult;
    int32_t rows = impl_->grid.DataRowCnt();
    // Top-down, a deleted row pulls the next one up into its place: that place is looked at
    // again, so every row is walked once and pairs with its own result row.
    for (int32_t r = isTop ? 1 : rows; isTop ? r <= rows : r >= 1;) {
      std::string status;
      impl_->grid.GetText(0, r, status);
      bool taken = false;
      if (saveMode) {
        taken = IsPendingStatus(status);
      } else {
        if (status == "U") impl_->grid.SetText(0, r, "");
        taken = text::CLng(text::Val(CellText(lngCheckCol, r))) == 1;
      }
      bool deleted = false;
      if (taken) {
        const std::vector<std::string> fields = results.Fields(k);
        const std::string& code = fields.front();
        if (internal::IsSavedCode(code)) {
          if (saveMode) {
            impl_->grid.SetText(0, r, "");
          } else {
            CellText(lngCheckCol, r, "0");
          }
          if (status == "A" || status == "U" || lngCheckCol > 0) {
            for (int32_t j = 2; j + 1 < static_cast<int32_t>(fields.size()); ++j) {
              if (j - 2 >= static_cast<int32_t>(valueCols.size())) {
                throw SubscriptError("the save results header names no field " +
                                     std::to_string(j));
              }
              CellText(valueCols[static_cast<size_t>(j - 2)], r, fields[static_cast<size_t>(j)]);
            }
            impl_->grid.Row(r);
            impl_->grid.Col(-1);
            if (impl_->grid.ForeColor() == internal::kFailedRowColor) impl_->grid.ForeColor(0);
          } else if (status == "X") {
            impl_->grid.Row(r);
            impl_->grid.Action(kActionDeleteRow);
            MaxRows(impl_->grid.MaxRows() - 1);
            deleted = true;
          }
        } else {
          impl_->grid.Row(r);
          impl_->grid.Col(-1);
          impl_->grid.ForeColor(internal::kFailedRowColor);
          ++impl_->validation.error_count;
          errors.Add(internal::CheckSaveErrorLine(r, ResultField(fields, 1, k), code));
        }
        if (isTop) {
          if (k >= lastResult) break;
          ++k;
        } else {
          --k;
        }
      }
      if (isTop) {
        if (deleted) {
          --rows;
        } else {
          ++r;
        }
      } else {
        --r;
      }
    }
  });
  if (listStarted) impl_->validation.error_msg = errors.Text();
  if (impl_->validation.error_count > 0) {
    internal::ShowErrorSummary(impl_->platform, impl_->validation.message_table,
                               impl_->validation.error_count, kCheckSaveTitle);
    result = false;
  }
  return result;
}

}  // namespace zel
