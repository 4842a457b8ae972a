// The host helpers' results string writer and error-list reader. The grammars of both
// texts are written down in validation/internal/results_string.h; the writer makes what the
// result members read, and the reader undoes the lines those members write.
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "text/strings.h"
#include "validation/internal/results_string.h"
#include "zelsheet/host_helpers.h"

namespace zel {
namespace {

using internal::kFieldSeparator;
using internal::kRowSeparator;

constexpr std::string_view kHeaderStart = "WorkingTag~,~,";
// What MessageCheckSaveSheet puts around a failed row's message in its error line.
constexpr std::string_view kSheetOpen = " ◇ ";
constexpr std::string_view kSheetClose = " ◆ 자료를 확인하십시오.";

void CheckField(std::string_view what, std::string_view value) {
  const std::string_view breaker = FieldBreaker(value);
  if (!breaker.empty()) {
    throw WireTextError("results string: the " + std::string(what) + " \"" + std::string(value) +
                        "\" holds the separator \"" + std::string(breaker) +
                        "\" and would break its row");
  }
}

void AppendField(std::string& row, std::string_view value) {
  row.append(value);
  row.append(kFieldSeparator);
}

}  // namespace

ResultsWriter::ResultsWriter(std::vector<std::string> value_names)
    : names_(std::move(value_names)) {
  for (const std::string& name : names_) CheckField("value name", name);
}

void ResultsWriter::Saved(const std::vector<std::string>& values) {
  if (values.size() != names_.size()) {
    throw WireTextError("results string: a saved row carries " + std::to_string(values.size()) +
                        " values for " + std::to_string(names_.size()) + " value names");
  }
  for (const std::string& value : values) CheckField("returned value", value);
  std::string row = "OK~,~,";
  for (const std::string& value : values) AppendField(row, value);
  rows_.push_back(std::move(row));
}

void ResultsWriter::Failed(std::string_view message, std::string_view code) {
  if (internal::IsSavedCode(code)) {
    throw WireTextError("results string: the failure code \"" + std::string(code) +
                        "\" would read as saved");
  }
  if (text::TrimView(code).empty()) {
    throw WireTextError("results string: a failed row needs a failure code");
  }
  CheckField("failure code", code);
  CheckField("message", message);
  std::string row;
  AppendField(row, code);
  AppendField(row, message);
  // Empty values, so that every row has the header's length whatever reads it.
  for (size_t i = 0; i < names_.size(); ++i) row.append(kFieldSeparator);
  rows_.push_back(std::move(row));
}

std::string ResultsWriter::Text(ResultsForm form) const {
  std::string text(kHeaderStart);
  for (const std::string& name : names_) AppendField(text, name);
  for (const std::string& row : rows_) {
    text.append(kRowSeparator);
    text.append(row);
  }
  if (form == ResultsForm::Sheet) text.append(kRowSeparator);
  return text;
}

std::vector<ErrorListEntry> ReadErrorList(std::string_view errorMsg) {
  std::vector<ErrorListEntry> entries;
  size_t begin = 0;
  for (size_t end = errorMsg.find(kRowSeparator); end != std::string_view::npos;
       end = errorMsg.find(kRowSeparator, begin)) {
    const std::vector<std::string_view> f =
        text::SplitView(errorMsg.substr(begin, end - begin), kFieldSeparator);
    begin = end + kRowSeparator.size();
    const size_t lineNo = entries.size() + 1;
    // Two fields (MessageCheckSaveSheet) or three (MessageCheckSave), each ended by "~,".
    if ((f.size() != 3 && f.size() != 4) || !f.back().empty()) {
      throw WireTextError("error list line " + std::to_string(lineNo) +
                          " is not a line the result members write");
    }
    ErrorListEntry entry;
    const std::string_view row = f[0];
    const auto [ptr, ec] = std::from_chars(row.data(), row.data() + row.size(), entry.row);
    if (ec != std::errc() || ptr != row.data() + row.size()) {
      throw WireTextError("error list line " + std::to_string(lineNo) + ": \"" + std::string(row) +
                          "\" is not a row number");
    }
    std::string_view message = f[1];
    if (f.size() == 3) {
      if (message.starts_with(kSheetOpen) && message.ends_with(kSheetClose) &&
          message.size() >= kSheetOpen.size() + kSheetClose.size()) {
        message = message.substr(kSheetOpen.size(),
                                 message.size() - kSheetOpen.size() - kSheetClose.size());
      }
    } else {
      if (message.starts_with(' ')) message.remove_prefix(1);
      entry.code = std::string(f[2]);
    }
    entry.message = std::string(message);
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace zel
