// The sheet's message table: the texts it shows after a save and on a missing required
// cell, and the captions of its context menu, in the user's language.
//
// A machine value per language ("SHEET_" + language number under "Praxium.Net\Message")
// holds the table as one text, entries separated by "~I~":
//
//   entry 0     the note shown after the "Initialize" menu entry
//   entry 1     the error summary after a save; "@1" stands for the number of failed rows
//   entry 2     the required-field text, shown after the column title
//   entry 3-28  captions of 26 context menu entries (CaptionedMenuEntries, in order)
//
// Without such a value (language 0, absent or blank value) the table is the three built-in
// texts and the menu keeps its own captions.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "zelsheet/zel_sheet.h"

namespace zel::internal {

inline constexpr int32_t kMessageResetNote = 0;
inline constexpr int32_t kMessageErrorSummary = 1;
inline constexpr int32_t kMessageRequiredField = 2;
inline constexpr int32_t kFirstCaptionEntry = 3;

// The key under the application and the value name holding the table of `language`.
inline constexpr std::string_view kMessageTableKey = "\\Message";
std::string MessageTableValueName(int32_t language);

// The context menu entries whose captions are entries 3, 4, ... of the table.
inline constexpr std::array<std::string_view, 26> kCaptionedMenuEntries = {
    "mnuSendToExcel", "mnuSendToChart", "mnuSheetPrint",       "mnuErrorLogShow",
    "mnuSheetSetting", "mnuSheetSort",  "mnuColsFrozen",       "mnuRowsFrozen",
    "mnuSheetInit",   "mnuSheetAdd",    "mnuSheetColor",       "mnuSheetColorCancel",
    "mnuRowEdit",     "mnuSheetSumNAvg", "mnuCut",             "mnuCopy",
    "mnuPaste",       "mnuInsert",      "mnuNew",              "mnuUpdate",
    "mnuDelete",      "mnuCancel",      "mnuCopyPaste",        "mnuSeparate",
    "mnuColMerge",    "mnuDataAdd"};

// The table without a stored one: the three built-in texts and an empty entry 3.
std::vector<std::string> DefaultMessageTable();

// The table made from the stored text `stored` (blank: DefaultMessageTable). A stored table
// also sets the captions of the menu entries its entries 3 on reach, in `captions` (menu
// entry name -> caption); entries it does not reach keep their caption, and a blank
// stored text changes no caption.
std::vector<std::string> BuildMessageTable(std::string_view stored,
                                           std::map<std::string, std::string>& captions);

// Entry `index` of `table`, "" when the table has no such entry.
std::string MessageEntry(const std::vector<std::string>& table, int32_t index);

// Loading's step: the sheet's table from the machine value of its language (none for
// language 0), and the menu captions it carries.
void LoadMessageTable(ZelSheet::Impl& s);

}  // namespace zel::internal
