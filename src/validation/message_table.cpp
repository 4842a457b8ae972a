#include "validation/message_table.h"

#include "sheet/registry_values.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel::internal {

std::string MessageTableValueName(int32_t language) {
  return "SHEET_" + std::to_string(language);
}

std::vector<std::string> DefaultMessageTable() {
  return {
      "Sheet 초기화를 하신 후에는 현재 창을 닫으시고 새로 시작하세요.",
      "저장시 오류가 @1개 발생하였습니다! 오류 내역을 확인하세요!",
      "의 필수입력항목을 입력하지 않았습니다.",
      "",
  };
}

std::vector<std::string> BuildMessageTable(std::string_view stored,
                                           std::map<std::string, std::string>& captions) {
  if (text::TrimView(stored).empty()) return DefaultMessageTable();
  std::vector<std::string> table = text::Split(stored, "~I~");
  for (size_t i = 0; i < kCaptionedMenuEntries.size(); ++i) {
    const size_t entry = static_cast<size_t>(kFirstCaptionEntry) + i;
    if (entry >= table.size()) break;
    captions[std::string(kCaptionedMenuEntries[i])] = table[entry];
  }
  return table;
}

std::string MessageEntry(const std::vector<std::string>& table, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return "";
  return table[static_cast<size_t>(index)];
}

}  // namespace zel::internal

namespace zel {

// Reads the table of the user's language from the machine values; language 0 (or no value)
// leaves the built-in texts. The menu captions it carries are kept for the context menu.
void ZelSheet::LoadMessageTable() {
  std::string stored;
  if (identity_.language > 0) {
    stored = internal::ReadMachineValue(platform_.Machine(),
                                        std::string(internal::kApplication) +
                                            std::string(internal::kMessageTableKey),
                                        internal::MessageTableValueName(identity_.language), "");
  }
  validation_.message_table = internal::BuildMessageTable(stored, tools_.menu_captions);
}

std::string ZelSheet::MessageText(int32_t index) const {
  return internal::MessageEntry(validation_.message_table, index);
}

}  // namespace zel
