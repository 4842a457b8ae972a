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

#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "validation/internal/save_results_walk.h"
#include "validation/internal/results_string.h"
#include "validation/save_rules.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::IsPendingStatus;
using internal::RecordNumber;
using internal::ResultField;
using internal::SkipStep;

namespace internal {

int32_t SetSaveResultsSheetArrayMulti(ZelSheet::Impl& s, const std::string& strResults,
                                      const std::vector<internal::KeyWriteBack>& keys) {
  const int32_t h = s.grid.ColHeaderRows();
  if (h < 1) return 0;  // no record layout to walk
  const internal::ResultsString results(strResults);
  int32_t k = results.LastIndex() - 1;
  int32_t failed = 0;
  internal::ErrorListBuilder errors;

  for (int32_t r = std::max(s.grid.DataRowCnt(), h); r >= h; r -= h) {
    int32_t first = r;
    SkipStep([&] { first = s.sheet.GetSpanHeaderRow(r); });
    const int32_t record = RecordNumber(r, h);
    std::string status;
    SkipStep([&] { s.grid.GetText(0, first, status); });
    if (!IsPendingStatus(status)) continue;

    std::vector<std::string> fields{""};  // a missing result row reads as a failure
    SkipStep([&] { fields = results.Fields(k); });
    if (internal::IsSavedCode(fields.front())) {
      SkipStep([&] { s.grid.SetText(0, first, std::to_string(record)); });
      if (status == "A" || status == "U") {
        for (const internal::KeyWriteBack& key : keys) {
          for (const int32_t defCol : {key.new_key_col, key.old_key_col}) {
            if (defCol <= 0) continue;
            SkipStep([&] {
              s.grid.SetText(s.sheet.ColX(defCol), first + s.sheet.RowX(defCol),
                             ResultField(fields, key.key_index, k));
            });
          }
        }
        // Only the record's first row is recoloured: BlockMode stays off, so Row2 has no
        // effect here (the failed-record colouring below uses the block).
        SkipStep([&] {
          s.grid.Row(first);
          s.grid.Row2(first + h - 1);
          s.grid.Col(-1);
          s.grid.ForeColor(0);
        });
      } else {
        SkipStep([&] {
          s.grid.Row(first);
          s.grid.Row2(first + h - 1);
        });
        SkipStep([&] { s.grid.BlockMode(true); });
        SkipStep([&] { s.grid.Action(kActionDeleteRow); });
        SkipStep([&] { s.grid.BlockMode(false); });
        SkipStep([&] { s.sheet.MaxRows(s.grid.MaxRows() - h); });
      }
    } else {
      SkipStep([&] {
        s.grid.Row(first);
        s.grid.Row2(first + h - 1);
        s.grid.Col(-1);
      });
      SkipStep([&] { s.grid.BlockMode(true); });
      SkipStep([&] { s.grid.ForeColor(internal::kFailedRowColor); });
      SkipStep([&] { s.grid.BlockMode(false); });
      ++failed;
      SkipStep([&] { errors.Add(internal::ResultsErrorLine(record, ResultField(fields, 1, k))); });
    }
    --k;
  }

  s.validation.error_msg = errors.Text();

  // Removed records moved the ones below them up: number the unchanged records again.
  const int32_t dataRows = s.grid.DataRowCnt();
  for (int32_t r = 1; r <= dataRows; r += h) {
    SkipStep([&] {
      std::string status;
      s.grid.GetText(0, r, status);
      if (!IsPendingStatus(status)) s.grid.SetText(0, r, std::to_string(RecordNumber(r, h)));
    });
  }
  return failed;
}

}  // namespace internal

}  // namespace zel
