#include "validation/save_rules.h"

#include "platform/failure.h"
#include "sheet/message_table.h"
#include "text/number.h"
#include "text/strings.h"
#include "validation/internal/results_string.h"

namespace zel::internal {

bool IsRequiredCellEmpty(std::string_view value, int32_t cellType) {
  const std::string_view trimmed = text::TrimView(value);
  return trimmed.empty() || (cellType == EnFloat && trimmed == "0");
}

int32_t RecordNumber(int32_t row, int32_t headerRows) {
  return text::CLng(static_cast<double>(row) / headerRows + 0.4);
}

void ShowErrorSummary(Platform& platform, const std::vector<std::string>& messageTable,
                      int32_t errorCount, const std::string& title) noexcept {
  // Making the text may fail too (no memory): then there is no summary.
  SkipStep([&] {
    ShowBox(platform,
            ErrorSummaryText(MessageEntry(messageTable, kMessageErrorSummary), errorCount),
            vbInformation, title);
  });
}

}  // namespace zel::internal
