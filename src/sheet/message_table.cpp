#include "sheet/message_table.h"

#include "sheet/registry_values.h"
#include "text/strings.h"
#include "sheet/sheet_state.h"

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

// Reads the table of the user's language from the machine values; language 0 (or no value)
// leaves the built-in texts. The menu captions it carries are kept for the context menu.
void LoadMessageTable(ZelSheet::Impl& s) {
  std::string stored;
  if (s.identity.language > 0) {
    stored = ReadMachineValue(s.platform.Machine(),
                              std::string(kApplication) + std::string(kMessageTableKey),
                              MessageTableValueName(s.identity.language), "");
  }
  s.validation.message_table = BuildMessageTable(stored, s.tools.menu_captions);
}

}  // namespace zel::internal
