// MessageCheckSaveSheet and its single-row worker: the server's answer settles the pending
// rows bottom-up, writing up to five returned keys back by position.
//
// The walk pairs the sheet's pending rows, from the bottom, with the result rows from the
// last one before the final "~I~" backwards, so a row's result is found without counting
// the pending rows first. Every row is settled on its own: when a later row fails (or the
// walk stops on a fault) what earlier rows became stays.
#include <exception>
#include <string>
#include <vector>

#include "validation/message_table.h"
#include "validation/results_string.h"
#include "validation/save_rules.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::IsPendingStatus;
using internal::ResultField;
using internal::ResultsString;

namespace {

constexpr const char* kSheetTitle = "[MessageCheckSaveSheet]";
constexpr const char* kWorkerTitle = "[SetSaveResultsSheetArray]";

}  // namespace

bool ZelSheet::MessageCheckSaveSheet(const std::string& strResults, int32_t lngNewKey1,
                                     int32_t lngOldKeyCol1, int32_t lngNewKeyCol1,
                                     int32_t lngNewKey2, int32_t lngOldKeyCol2,
                                     int32_t lngNewKeyCol2, int32_t lngNewKey3,
                                     int32_t lngOldKeyCol3, int32_t lngNewKeyCol3,
                                     int32_t lngNewKey4, int32_t lngOldKeyCol4,
                                     int32_t lngNewKeyCol4, int32_t lngNewKey5,
                                     int32_t lngOldKeyCol5, int32_t lngNewKeyCol5) {
  validation_.error_count = 0;
  if (strResults.empty()) return false;
  try {
    const std::vector<KeyWriteBack> keys = {
        {lngNewKey1, lngOldKeyCol1, lngNewKeyCol1}, {lngNewKey2, lngOldKeyCol2, lngNewKeyCol2},
        {lngNewKey3, lngOldKeyCol3, lngNewKeyCol3}, {lngNewKey4, lngOldKeyCol4, lngNewKeyCol4},
        {lngNewKey5, lngOldKeyCol5, lngNewKeyCol5}};
    bool faulted = false;
    validation_.error_count = flags_.is_multi_sheet
                                  ? SetSaveResultsSheetArrayMulti(strResults, keys)
                                  : SetSaveResultsSheetArray(strResults, keys, faulted);
    if (validation_.error_count > 0) {
      internal::ShowErrorSummary(platform_, validation_.message_table, validation_.error_count,
                                 kSheetTitle);
      return false;
    }
    // A walk stopped by a fault may have left pending rows behind: the sheet is not clean.
    if (faulted) return false;
    grid_.ChangeMade(false);
    return true;
  } catch (const std::exception& e) {
    internal::ShowBoxQuietly(platform_, e.what(), vbCritical, kSheetTitle);
  } catch (...) {
    internal::ShowBoxQuietly(platform_, internal::kUnknownFailure, vbCritical, kSheetTitle);
  }
  return false;
}

int32_t ZelSheet::SetSaveResultsSheetArray(const std::string& strResults,
                                           const std::vector<KeyWriteBack>& keys,
                                           bool& faulted) {
  int32_t failed = 0;
  faulted = false;
  internal::ErrorListBuilder errors;
  try {
    const ResultsString results(strResults);
    int32_t k = results.LastIndex() - 1;
    for (int32_t r = grid_.DataRowCnt(); r >= 1; --r) {
      std::string status;
      grid_.GetText(0, r, status);
      if (!IsPendingStatus(status)) continue;
      const std::vector<std::string> fields = results.Fields(k);
      if (internal::IsSavedCode(fields.front())) {
        grid_.SetText(0, r, "");
        if (status == "A" || status == "U") {
          for (const KeyWriteBack& key : keys) {
            if (key.new_key_col > 0) {
              CellText(key.new_key_col, r, ResultField(fields, key.key_index, k));
            }
            if (key.old_key_col > 0) {
              CellText(key.old_key_col, r, ResultField(fields, key.key_index, k));
            }
          }
          grid_.Row(r);
          grid_.Col(-1);
          grid_.ForeColor(0);
        } else {
          grid_.Row(r);
          grid_.Action(kActionDeleteRow);
          MaxRows(grid_.MaxRows() - 1);
        }
      } else {
        grid_.Row(r);
        grid_.Col(-1);
        grid_.ForeColor(internal::kFailedRowColor);
        ++failed;
        errors.Add(internal::ResultsErrorLine(r, ResultField(fields, 1, k)));
      }
      --k;
    }
  } catch (const std::exception& e) {
    faulted = true;
    internal::ShowBoxQuietly(platform_, e.what(), vbCritical, kWorkerTitle);
  } catch (...) {
    faulted = true;
    internal::ShowBoxQuietly(platform_, internal::kUnknownFailure, vbCritical, kWorkerTitle);
  }
  validation_.error_msg = errors.Text();
  return failed;
}

}  // namespace zel
