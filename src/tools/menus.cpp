// The sheet's context menus: four pop-up menus whose entries run the sheet tools.
//
//   mnuSheet     the top-left corner cell: export, print, error list, settings, find, ...
//   mnuFunction  a data cell: sum and average, cut, copy, paste
//   mnuEdit      a row header with a block selected: line insert, the row status marks, ...
//   mnuHidden    never opened by the sheet
//
// An entry shows its built-in caption until the message table of the user's language
// (loaded with the sheet) or SetMenuCaption gives it another. The screen's rights switch
// the copy and export entries off, and IsEditModeLock / IsCopyPasteLock the clipboard
// entries; the data-add entry carries a check mark. A menu is shown through the platform's
// pop-up service, and the entry the user picks runs here.
#include <functional>
#include <map>
#include <string>

#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "tools/sheet_tools.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace internal {

const std::vector<MenuEntryDef>& MenuEntryDefs() {
  // The English captions of the two frozen entries are crossed on purpose: "fix rows"
  // belongs to the frozen columns entry and "fix columns" to the frozen rows entry, as the
  // screens' users have always seen them.
  static const std::vector<MenuEntryDef> defs = {
      {"mnuSheet", "mnuSendToExcel", "Excel로 보내기", "Send To Excel"},
      {"mnuSheet", "mnuSendToChart", "Chart로 보내기", "Send To Chart"},
      {"mnuSheet", "mnuSheetPrint", "쉬트 출력..", "Print Sheet"},
      {"mnuSheet", "mnuErrorLogShow", "Error내역보기", "Error List"},
      {"mnuSheet", "mnuSheetSetting", "Sheet 설정...", "Configuration"},
      {"mnuSheet", "mnuLine12", "-", ""},
      {"mnuSheet", "mnuSheetFind", "Find", ""},
      {"mnuSheet", "mnuSheetFilter", "Filter", ""},
      {"mnuSheet", "mnuColMerge", "Col Merge", ""},
      {"mnuSheet", "mnuSheetSort", "데이터 정렬...", "Sort"},
      {"mnuSheet", "mnuColsFrozen", "열 고정...", "fix rows"},
      {"mnuSheet", "mnuRowsFrozen", "행 고정...", "fix columns"},
      {"mnuSheet", "mnuSheetInit", "Sheet 초기화", "Initialize"},
      {"mnuSheet", "mnuSheetAdd", "Sheet 추가", "add rows"},
      {"mnuSheet", "mnuSheetColor", "행간 색 보이기", "line color"},
      {"mnuSheet", "mnuSheetColorCancel", "행간 색 보이기 취소", "cancel line color"},
      {"mnuSheet", "mnuDataAdd", "Data Add ", ""},
      {"mnuSheet", "mnuRowEdit", "Row Edit", "Row Edit"},
      {"mnuFunction", "mnuSheetSumNAvg", "합계/평균구하기...", "Sum"},
      {"mnuFunction", "mnuLine7", "-", ""},
      {"mnuFunction", "mnuCut", "잘라내기", "cut the lines"},
      {"mnuFunction", "mnuCopy", "복사", "copy"},
      {"mnuFunction", "mnuPaste", "붙여넣기", "paste"},
      {"mnuEdit", "mnuInsert", "Line삽입", "insert a new line"},
      {"mnuEdit", "mnuLine2", "-", ""},
      {"mnuEdit", "mnuNew", "Sheet신규표시", "represent A"},
      {"mnuEdit", "mnuUpdate", "Sheet수정표시", "represent U"},
      {"mnuEdit", "mnuDelete", "Sheet삭제표시", "represent x"},
      {"mnuEdit", "mnuCancel", "Sheet취소표시", "represent v"},
      {"mnuEdit", "mnuLine3", "-", ""},
      {"mnuEdit", "mnuCopyPaste", "행복사/붙여넣기", "row copy"},
      {"mnuEdit", "mnuSeparate", "행분할...", "seperate row"},
      {"mnuHidden", "Hidden01", "Menu1", ""},
  };
  return defs;
}

}  // namespace internal

namespace {

using Action = std::function<void(ZelSheet&)>;

// The entries that run a tool of the sheet when chosen. An entry not listed does nothing
// when chosen: "Row Edit", "row copy" and the hidden menu's entry, by design.
const std::map<std::string, Action, std::less<>>& MenuActions() {
  static const std::map<std::string, Action, std::less<>> actions = {
      {"mnuSendToExcel", [](ZelSheet& s) { s.SendToExcel(); }},
      {"mnuSendToChart", [](ZelSheet& s) { s.SendToChart(); }},
      {"mnuSheetPrint", [](ZelSheet& s) { s.SheetPrint(); }},
      {"mnuErrorLogShow", [](ZelSheet& s) { s.ErrorLogShow(); }},
      {"mnuSheetSetting", [](ZelSheet& s) { s.fnSheetSetting(); }},
      {"mnuSheetFind", [](ZelSheet& s) { s.mnuSheetFind_Click(); }},
      {"mnuSheetInit", [](ZelSheet& s) { s.mnuSheetInit_Click(); }},
      {"mnuSheetColor", [](ZelSheet& s) { s.mnuSheetColor_Click(); }},
      {"mnuSheetColorCancel", [](ZelSheet& s) { s.mnuSheetColorCancel_Click(); }},
      {"mnuSheetFilter", [](ZelSheet& s) { s.mnuSheetFilter_Click(); }},
      {"mnuColMerge", [](ZelSheet& s) { s.mnuColMerge_Click(); }},
      {"mnuSheetSort", [](ZelSheet& s) { s.mnuSheetSort_Click(); }},
      {"mnuColsFrozen", [](ZelSheet& s) { s.mnuColsFrozen_Click(); }},
      {"mnuRowsFrozen", [](ZelSheet& s) { s.mnuRowsFrozen_Click(); }},
      {"mnuSheetAdd", [](ZelSheet& s) { s.mnuSheetAdd_Click(); }},
      {"mnuDataAdd", [](ZelSheet& s) { s.mnuDataAdd_Click(); }},
      {"mnuSheetSumNAvg", [](ZelSheet& s) { s.fnSumAvg(); }},
      {"mnuCut", [](ZelSheet& s) { s.mnuCut_Click(); }},
      {"mnuCopy", [](ZelSheet& s) { s.mnuCopy_Click(); }},
      {"mnuPaste", [](ZelSheet& s) { s.mnuPaste_Click(); }},
      {"mnuInsert", [](ZelSheet& s) { s.mnuInsert_Click(); }},
      {"mnuNew", [](ZelSheet& s) { s.mnuNew_Click(); }},
      {"mnuUpdate", [](ZelSheet& s) { s.mnuUpdate_Click(); }},
      {"mnuDelete", [](ZelSheet& s) { s.mnuDelete_Click(); }},
      {"mnuCancel", [](ZelSheet& s) { s.mnuCancel_Click(); }},
      {"mnuSeparate", [](ZelSheet& s) { s.mnuSeparate_Click(); }},
  };
  return actions;
}

bool IsEntryEnabled(const ZelSheet::Impl& s, std::string_view name) {
  const bool editLock = s.editing.edit_mode_lock;
  if (name == "mnuCopy") return s.tools.copy_enabled && !editLock;
  if (name == "mnuCut" || name == "mnuPaste") return !editLock;
  if (name == "mnuCopyPaste") return !editLock && !s.editing.copy_paste_lock;
  if (name == "mnuSendToExcel") return s.tools.send_to_excel_enabled;
  return true;
}

}  // namespace

std::vector<PopupMenuEntry> ZelSheet::MenuEntries(const std::string& menuName) const {
  std::vector<PopupMenuEntry> entries;
  for (const internal::MenuEntryDef& def : internal::MenuEntryDefs()) {
    if (def.menu != menuName) continue;
    PopupMenuEntry e;
    e.name = std::string(def.name);
    const auto caption = impl_->tools.menu_captions.find(e.name);
    e.caption = caption != impl_->tools.menu_captions.end() ? caption->second
                                                            : std::string(def.builtin);
    e.enabled = IsEntryEnabled(*impl_, def.name);
    e.checked = def.name == "mnuDataAdd" && impl_->tools.data_add_checked;
    entries.push_back(std::move(e));
  }
  return entries;
}

void ZelSheet::PopupMenu(const std::string& menuName, int32_t flags, double x, double y,
                         const std::string& defaultEntry) {
  std::vector<PopupMenuEntry> entries = MenuEntries(menuName);
  if (entries.empty()) return;
  const std::string chosen =
      impl_->platform.Menus().PopupMenu(menuName, entries, flags, x, y, defaultEntry);
  // Only an entry of this menu that the user could choose runs.
  for (const PopupMenuEntry& e : entries) {
    if (e.name != chosen || !e.enabled || !e.visible || e.caption == "-") continue;
    const auto& actions = MenuActions();
    if (auto it = actions.find(chosen); it != actions.end()) {
      // A tool that fails ends there; the user is not told of it.
      internal::EndQuietly([&] { it->second(*this); });
    }
    return;
  }
}

void ZelSheet::SetMenuCaption(const std::string& /*strList*/) {
  // The built-in captions are the sheet's own language; a user whose system speaks another
  // gets the English ones where there are.
  if (impl_->identity.os_language == impl_->identity.language) return;
  for (const internal::MenuEntryDef& def : internal::MenuEntryDefs()) {
    if (!def.english.empty()) impl_->tools.menu_captions[std::string(def.name)] = def.english;
  }
}

}  // namespace zel
