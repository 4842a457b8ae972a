// The platform services a sheet asks its host for, answered on the terminal: message boxes,
// the pop-up menus and the companion dialogs (find, sort, frozen rows and columns, filter,
// configuration, column merge, row split, date, sum and average, the error list) as modal
// windows over the screen. Exports and printing stay the headless tools' (they write files);
// their outcome is told in a message box.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tui/dialogs.h"
#include "zelsheet/file_tools.h"
#include "zelsheet/platform.h"

namespace zel::tui {

// Message boxes as windows. A box asked for with no title (the library's "default title")
// takes `default_title`: the program's, as a desktop message box takes the application's
// name; "알림" when the program gives none.
class TuiMessageBoxes : public MessageBoxes {
 public:
  explicit TuiMessageBoxes(ModalHost& host, std::string default_title = "")
      : host_(host), default_title_(std::move(default_title)) {}
  MsgBoxResult MsgBox(const std::string& text, int32_t style = vbOKOnly,
                      const std::string& title = "") override;

 private:
  ModalHost& host_;
  std::string default_title_;
};

// Shows `entries` as a pop-up menu at (y, x) of the screen and returns the chosen entry's
// name ("" when dismissed). Hidden entries are left out, disabled ones shown greyed.
std::string ChooseMenuEntry(ModalHost& host, const std::vector<PopupMenuEntry>& entries, int y,
                            int x, const std::string& default_entry);

class TuiCompanionTools : public FileCompanionTools {
 public:
  // `messages` tells export outcomes; `export_folder` as for FileCompanionTools.
  TuiCompanionTools(ModalHost& host, MessageBoxes& messages,
                    std::function<std::string()> export_folder);

  bool GetColMerge(ColMergeDialog& dialog) override;
  bool GetSheetFilter(SheetFilterDialog& dialog) override;
  bool GetSheetSetting(SheetSettingDialog& dialog) override;
  bool GetSearch(SearchDialog& dialog) override;
  bool GetSheetSort(SheetSortDialog& dialog) override;
  bool GetFrozen(FrozenDialog& dialog) override;
  bool GetSheetSeperate(SheetSeperateDialog& dialog) override;
  bool GetDate(DateDialog& dialog) override;
  void GetCalOnSheet(const CalOnSheetDialog& dialog) override;
  void ShowErrorMsg(std::string& error_list) override;
  ToolOutcome sbPrint(const GridTable& grid, const std::string& title) override;
  ToolOutcome SendToExcel(std::string& info_field3, const GridTable& grid) override;
  ToolOutcome SendExcel(const std::string& pgm_id, std::string& info_field3,
                        std::string& document, const GridTable& grid,
                        std::string& header_title) override;
  ToolOutcome sbShowChart(const GridTable& grid, int32_t x = 10, int32_t y = 10) override;

 private:
  ToolOutcome Tell(const ToolOutcome& outcome);
  // The frozen columns dialog: the last frozen column chosen by its title.
  bool GetFrozenColumns(FrozenDialog& dialog);

  ModalHost& host_;
  MessageBoxes& messages_;
};

}  // namespace zel::tui
