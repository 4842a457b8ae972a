// The multi-row worker of MessageCheckSaveSheet: the same settling as the single-row one,
// record by record (H = ColHeaderRows grid rows each), with the status and the record
// number in column 0 of each record's first row.
//
// Unlike the single-row walk this one never stops: each step that fails (a missing result
// row, a key column without a field record, a grid write refused) is passed over and the
// walk goes on, so one bad record does not leave the records above it unsettled.
#include <algorithm>
#include <string>
#include <vector>

#include "sheet/stored_values.h"
#include "validation/results_string.h"
#include "validation/save_rules.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::IsPendingStatus;
using internal::RecordNumber;
using internal::ResultField;
using internal::RunStep;

int32_t ZelSheet::SetSaveResultsSheetArrayMulti(const std::string& strResults,
                                                const std::vector<KeyWriteBack>& keys) {
  const int32_t h = grid_.ColHeaderRows();
  if (h < 1) return 0;  // no record layout to walk
  const internal::ResultsString results(strResults);
  int32_t k = results.LastIndex() - 1;
  int32_t failed = 0;
  internal::ErrorListBuilder errors;

  for (int32_t r = std::max(grid_.DataRowCnt(), h); r >= h; r -= h) {
    int32_t first = r;
    RunStep([&] { first = GetSpanHeaderRow(r); });
    const int32_t record = RecordNumber(r, h);
    std::string status;
    RunStep([&] { grid_.GetText(0, first, status); });
    if (!IsPendingStatus(status)) continue;

    std::vector<std::string> fields{""};  // a missing result row reads as a failure
    RunStep([&] { fields = results.Fields(k); });
    if (internal::IsSavedCode(fields.front())) {
      RunStep([&] { grid_.SetText(0, first, std::to_string(record)); });
      if (status == "A" || status == "U") {
        for (const KeyWriteBack& key : keys) {
          for (const int32_t defCol : {key.new_key_col, key.old_key_col}) {
            if (defCol <= 0) continue;
            RunStep([&] {
              grid_.SetText(ColX(defCol), first + RowX(defCol),
                            ResultField(fields, key.key_index, k));
            });
          }
        }
        // Only the record's first row is recoloured: BlockMode stays off, so Row2 has no
        // effect here (the failed-record colouring below uses the block).
        RunStep([&] {
          grid_.Row(first);
          grid_.Row2(first + h - 1);
          grid_.Col(-1);
          grid_.ForeColor(0);
        });
      } else {
        RunStep([&] {
          grid_.Row(first);
          grid_.Row2(first + h - 1);
        });
        RunStep([&] { grid_.BlockMode(true); });
        RunStep([&] { grid_.Action(kActionDeleteRow); });
        RunStep([&] { grid_.BlockMode(false); });
        RunStep([&] { MaxRows(grid_.MaxRows() - h); });
      }
    } else {
      RunStep([&] {
        grid_.Row(first);
        grid_.Row2(first + h - 1);
        grid_.Col(-1);
      });
      RunStep([&] { grid_.BlockMode(true); });
      RunStep([&] { grid_.ForeColor(internal::kFailedRowColor); });
      RunStep([&] { grid_.BlockMode(false); });
      ++failed;
      RunStep([&] {
        errors.Add(internal::ResultsErrorLine(record, ResultField(fields, 1, k)));
      });
    }
    --k;
  }

  validation_.error_msg = errors.Text();

  // Removed records moved the ones below them up: number the unchanged records again.
  const int32_t dataRows = grid_.DataRowCnt();
  for (int32_t r = 1; r <= dataRows; r += h) {
    RunStep([&] {
      std::string status;
      grid_.GetText(0, r, status);
      if (!IsPendingStatus(status)) grid_.SetText(0, r, std::to_string(RecordNumber(r, h)));
    });
  }
  return failed;
}

}  // namespace zel
