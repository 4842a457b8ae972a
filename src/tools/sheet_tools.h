// The sheet tools the grid event handling starts: the header sort of a right click on a
// column header, and the context menu model the right clicks open.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/sheet_state.h"

namespace zel::internal {

// Sorts the data rows below the frozen ones by grid column `col` (and, with SortKeyNo 2 or
// 3, the one or two columns after it): ascending on the column's first sort, then
// alternately descending and ascending, each column keeping its own direction. Does nothing
// for a column below 1, with IsNoColSort set, or while the column merge is in force.
void HeaderSort(ZelSheet::Impl& s, int32_t col);

// One entry of the context menus as declared: its menu, name and captions. The English
// caption is empty for the entries that keep theirs under SetMenuCaption.
struct MenuEntryDef {
  std::string_view menu;
  std::string_view name;
  std::string_view builtin;
  std::string_view english;
};

// Every entry of the four menus, menu by menu, in the order shown.
const std::vector<MenuEntryDef>& MenuEntryDefs();

// Whether `hay`, upper-cased, holds `upperNeedle` (already upper-cased); only ASCII letters
// have a case here, as in the rest of the sheet's text handling. `buffer` is scratch space.
bool ContainsNoCase(std::string_view hay, std::string_view upperNeedle, std::string& buffer);

// What follows the configuration dialog and the filter: the fonts the dialog stored and the
// close-time save of the user's arrangement.
void AfterArrangementDialog(ZelSheet::Impl& s);

// Per grid column from 1: hidden or not (the dialogs leave out what the user does not see).
// The grid's current column is left as it was.
std::vector<bool> HiddenColumns(Grid& grid);

// Applies the sheet's column merge state (ToolState::col_merge...); see SetColMerge.
void ApplyColMerge(ZelSheet::Impl& s);

}  // namespace zel::internal
