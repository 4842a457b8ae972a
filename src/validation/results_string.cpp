#include "validation/internal/results_string.h"

#include "text/strings.h"
#include "zelsheet/types.h"

namespace zel::internal {

namespace {

constexpr std::string_view kErrorOpen = " ◇ ";
constexpr std::string_view kErrorClose = " ◆ 자료를 확인하십시오.";

}  // namespace

ResultsString::ResultsString(std::string_view results)
    : rows_(text::Split(results, kRowSeparator)) {}

std::vector<std::string> ResultsString::Fields(int32_t index) const {
  if (index < 0 || index >= PieceCount()) {
    throw SubscriptError("the save results hold no result row " + std::to_string(index));
  }
  return text::Split(rows_[static_cast<size_t>(index)], kFieldSeparator);
}

std::vector<std::string> ResultsString::ValueNames() const {
  const std::vector<std::string> header = Fields(0);
  if (header.size() < 4) return {};
  return {header.begin() + 2, header.end() - 1};
}

const std::string& ResultField(const std::vector<std::string>& fields, int32_t index,
                               int32_t rowIndex) {
  if (index < 0 || static_cast<size_t>(index) >= fields.size()) {
    throw SubscriptError("result row " + std::to_string(rowIndex) + " has no field " +
                         std::to_string(index));
  }
  return fields[static_cast<size_t>(index)];
}

bool IsSavedCode(std::string_view code) { return text::UCase(text::TrimView(code)) == "OK"; }

std::string ResultsErrorLine(int32_t number, std::string_view message) {
  std::string line = std::to_string(number);
  line += kFieldSeparator;
  line += kErrorOpen;
  line += message;
  line += kErrorClose;
  line += kFieldSeparator;
  line += kRowSeparator;
  return line;
}

std::string CheckSaveErrorLine(int32_t row, std::string_view message, std::string_view code) {
  std::string line = std::to_string(row);
  line += kFieldSeparator;
  line += ' ';
  line += message;
  line += kFieldSeparator;
  line += code;
  line += kFieldSeparator;
  line += kRowSeparator;
  return line;
}

std::string ErrorListBuilder::Text() const {
  size_t size = 0;
  for (const std::string& line : lines_) size += line.size();
  std::string text;
  text.reserve(size);
  for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) text += *it;
  return text;
}

std::string ErrorSummaryText(std::string_view text, int32_t count) {
  return text::Replace(text, "@1", std::to_string(count));
}

}  // namespace zel::internal
