// MessageCheckSaveSheet and its single-row worker: the server's answer settles the pending
// rows bottom-up, writing up to five returned keys back by position.
//
// The walk pairs the sheet's pending rows, from the bottom, with the result rows from the
// last one before the final "~I~" backwards, so a row's result is found without counting
// the pending rows first. Every row is settled on its own: when a later row fails (or the
// walk stops on a fault) what earlier rows became stays.
#include <string>
#include <vector>

#include "platform/failure.h"
#include "sheet/message_table.h"
#include "sheet/sheet_state.h"
#include "validation/internal/save_results_walk.h"
#include "validation/internal/results_string.h"
#include "validation/save_rules.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::IsPendingStatus;
using internal::ResultField;
using internal::ResultsString;
using internal::ShowFailureBox;

namespace {

constexpr const char* kSheetTitle = "[MessageCheckSaveSheet]";
constexpr const char* kWorkerTitle = "[SetSaveResultsSheetArray]";

// The single-row walk: settles the pending rows bottom-up and returns the number that
// failed; sets `faulted` when it stopped on a fault (after showing it).
int32_t SetSaveResultsSheetArray(ZelSheet::Impl& s, const std::string& strResults,
                                 const std::vector<internal::KeyWriteBack>& keys, bool& faulted) {
  int32_t failed = 0;
  internal::ErrorListBuilder errors;
  faulted = !ShowFailureBox(s.platform, kWorkerTitle, [&] {
    const ResultsString results(strResults);
    int32_t k = results.LastIndex() - 1;
    for (int32_t r = s.grid.DataRowCnt(); r >= 1; --r) {
      std::string status;
      s.grid.GetText(0, r, status);
      if (!IsPendingStatus(status)) continue;
      const std::vector<std::string> fields = results.Fields(k);
      if (internal::IsSavedCode(fields.front())) {
        s.grid.SetText(0, r, "");
        if (status == "A" || status == "U") {
          for (const internal::KeyWriteBack& key : keys) {
            if (key.new_key_col > 0) {
              s.sheet.CellText(key.new_key_col, r, ResultField(fields, key.key_index, k));
            }
            if (key.old_key_col > 0) {
              s.sheet.CellText(key.old_key_col, r, ResultField(fields, key.key_index, k));
            }
          }
          s.grid.Row(r);
          s.grid.Col(-1);
          s.grid.ForeColor(0);
        } else {
          s.grid.Row(r);
          s.grid.Action(kActionDeleteRow);
          s.sheet.MaxRows(s.grid.MaxRows() - 1);
        }
      } else {
        s.grid.Row(r);
        s.grid.Col(-1);
        s.grid.ForeColor(internal::kFailedRowColor);
        ++failed;
        errors.Add(internal::ResultsErrorLine(r, ResultField(fields, 1, k)));
      }
      --k;
    }
  });
  s.validation.error_msg = errors.Text();
  return failed;
}

}  // namespace

bool ZelSheet::MessageCheckSaveSheet(
    const std::string& strResults, int32_t lngNewKey1, int32_t lngOldKeyCol1, int32_t lngNewKeyCol1,
    int32_t lngNewKey2, int32_t lngOldKeyCol2, int32_t lngNewKeyCol2, int32_t lngNewKey3,
    int32_t lngOldKeyCol3, int32_t lngNewKeyCol3, int32_t lngNewKey4, int32_t lngOldKeyCol4,
    int32_t lngNewKeyCol4, int32_t lngNewKey5, int32_t lngOldKeyCol5, int32_t lngNewKeyCol5) {
  impl_->validation.error_count = 0;
  if (strResults.empty()) return false;
  bool clean = false;
  ShowFailureBox(impl_->platform, kSheetTitle, [&] {
    const std::vector<internal::KeyWriteBack> keys = {{lngNewKey1, lngOldKeyCol1, lngNewKeyCol1},
                                                      {lngNewKey2, lngOldKeyCol2, lngNewKeyCol2},
                                                      {lngNewKey3, lngOldKeyCol3, lngNewKeyCol3},
                                                      {lngNewKey4, lngOldKeyCol4, lngNewKeyCol4},
                                                      {lngNewKey5, lngOldKeyCol5, lngNewKeyCol5}};
    bool faulted = false;
    impl_->validation.error_count =
        impl_->flags.is_multi_sheet
            ? internal::SetSaveResultsSheetArrayMulti(*impl_, strResults, keys)
            : SetSaveResultsSheetArray(*impl_, strResults, keys, faulted);
    if (impl_->validation.error_count > 0) {
      internal::ShowErrorSummary(impl_->platform, impl_->validation.message_table,
                                 impl_->validation.error_count, kSheetTitle);
      return;
    }
    // A walk stopped by a fault may have left pending rows behind: the sheet is not clean.
    if (faulted) return;
    impl_->grid.ChangeMade(false);
    clean = true;
  });
  return clean;
}

}  // namespace zel
