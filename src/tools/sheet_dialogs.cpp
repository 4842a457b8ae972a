// The dialog tools of the corner menu that rearrange the sheet: configuration (hidden
// columns and the edit mode), filter, sort, frozen columns and rows, and added rows. Each
// asks its companion dialog; a cancelled dialog, or companion tools that are missing or
// fail, change nothing.
#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "grid/redraw_off.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/strings.h"
#include "tools/sheet_tools.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::RedrawOff;

namespace {

constexpr int32_t kAddedRows = 20;

// Asks a companion dialog; missing or failing tools count as a cancel.
template <class Dialog, class Ask>
bool Confirmed(ZelSheet::Impl& s, Dialog& dialog, Ask ask) {
  return internal::ReadOr([&] { return ask(s.platform.Tools(), dialog); }, false);
}

std::vector<std::string> ColumnTitles(Grid& grid) {
  std::vector<std::string> titles;
  titles.reserve(static_cast<size_t>(grid.MaxCols()));
  std::string title;
  for (int32_t c = 1; c <= grid.MaxCols(); ++c) {
    grid.GetText(c, 0, title);
    titles.push_back(title);
  }
  return titles;
}

// A count typed into the frozen dialog: digits only, within 0..max.
std::optional<int32_t> CountIn(const std::string& typed, int32_t max) {
  const std::string t = text::Trim(typed);
  int32_t n = -1;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size() || n < 0 || n > max) {
    return std::nullopt;
  }
  return n;
}

}  // namespace

namespace internal {

std::vector<bool> HiddenColumns(Grid& grid) {
  std::vector<bool> hidden;
  hidden.reserve(static_cast<size_t>(grid.MaxCols()));
  const int32_t savedCol = grid.Col();
  for (int32_t c = 1; c <= grid.MaxCols(); ++c) {
    grid.Col(c);
    hidden.push_back(grid.ColHidden());
  }
  grid.Col(savedCol);
  return hidden;
}

bool ContainsNoCase(std::string_view hay, std::string_view upperNeedle, std::string& buffer) {
  if (upperNeedle.size() > hay.size()) return false;
  buffer.assign(hay);
  for (char& c : buffer) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return buffer.find(upperNeedle) != std::string::npos;
}

void AfterArrangementDialog(ZelSheet::Impl& s) {
  s.ApplyDialogFonts();
  s.SaveArrangementOnClose();
}

}  // namespace internal

void ZelSheet::fnSheetSetting() {
  Impl& s = *impl_;
  Grid& grid = s.grid;
  SheetSettingDialog dialog;
  dialog.varParentName = s.identity.pgm_id;
  dialog.varSheetName = s.identity.sheet_id;
  dialog.EditMode = grid.EditModePermanent();
  dialog.ArrayName = ColumnTitles(grid);
  const int32_t savedCol = grid.Col();
  for (int32_t c = 1; c <= grid.MaxCols(); ++c) {
    grid.Col(c);
    if (!grid.ColHidden()) {
      dialog.ArrayValue.push_back("0");
      continue;
    }
    const int32_t def = grid.GetColItemData(c);
    const bool bySystem = s.columns.HasDef(def) &&
                          s.columns.Def(def).access_key.find("HID") != std::string::npos;
    dialog.ArrayValue.push_back(bySystem ? "HID" : "1");
  }
  grid.Col(savedCol);
  if (!Confirmed(s, dialog, [](CompanionTools& t, SheetSettingDialog& d) {
        return t.GetSheetSetting(d);
      })) {
    return;
  }
  {
    RedrawOff redraw(grid);
    for (int32_t c = 1; c <= grid.MaxCols(); ++c) {
      const size_t i = static_cast<size_t>(c - 1);
      grid.Col(c);
      grid.ColHidden(i < dialog.ArrayValue.size() && dialog.ArrayValue[i] == "1");
    }
    grid.Col(savedCol);
    grid.EditModePermanent(dialog.EditMode);
  }
  internal::AfterArrangementDialog(s);
}

void ZelSheet::ApplyFilter(const std::vector<std::string>& filters) {
  Grid& grid = impl_->grid;
  RedrawOff redraw(grid);
  const int32_t savedRow = grid.Row();
  for (int32_t r = 1, last = grid.MaxRows(); r <= last; ++r) {
    grid.Row(r);
    grid.RowHidden(false);
  }
  std::vector<std::pair<int32_t, std::string>> active;
  for (size_t i = 0; i < filters.size() && i < static_cast<size_t>(grid.MaxCols()); ++i) {
    if (!filters[i].empty()) active.emplace_back(static_cast<int32_t>(i) + 1, text::UCase(filters[i]));
  }
  if (!active.empty()) {
    std::string cell, buffer;
    for (int32_t r = 1, last = grid.DataRowCnt(); r <= last; ++r) {
      for (const auto& [col, needle] : active) {
        grid.GetText(col, r, cell);
        if (internal::ContainsNoCase(cell, needle, buffer)) continue;
        grid.Row(r);
        grid.RowHidden(true);
        break;
      }
    }
  }
  grid.Row(savedRow);
}

void ZelSheet::mnuSheetFilter_Click() {
  Impl& s = *impl_;
  SheetFilterDialog dialog;
  dialog.varParentName = s.identity.pgm_id;
  dialog.varSheetName = s.identity.sheet_id;
  dialog.EditMode = s.grid.EditModePermanent();
  dialog.ArrayName = ColumnTitles(s.grid);
  dialog.ArrayValue.assign(dialog.ArrayName.size(), "");
  dialog.hidden = internal::HiddenColumns(s.grid);
  if (!Confirmed(s, dialog, [](CompanionTools& t, SheetFilterDialog& d) {
        return t.GetSheetFilter(d);
      })) {
    return;
  }
  ApplyFilter(dialog.ArrayValue);
  s.grid.EditModePermanent(dialog.EditMode);
  internal::AfterArrangementDialog(s);
}

void ZelSheet::mnuSheetSort_Click() {
  Impl& s = *impl_;
  Grid& grid = s.grid;
  SheetSortDialog dialog;
  dialog.items.push_back(SortChoice{"", 0});
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  std::string title;
  for (int32_t c = 1; c <= grid.MaxCols(); ++c) {
    grid.Col(c);
    if (grid.ColHidden()) continue;
    grid.GetText(c, 0, title);
    dialog.items.push_back(SortChoice{title, c});
  }
  grid.Col(savedCol);
  if (!Confirmed(s, dialog, [](CompanionTools& t, SheetSortDialog& d) {
        return t.GetSheetSort(d);
      })) {
    return;
  }
  if (dialog.cboFirst < 1) return;
  const int32_t first = grid.RowsFrozen() + 1, last = grid.DataRowCnt();
  if (last < first) return;
  RedrawOff redraw(grid);
  const int32_t keys[3] = {dialog.cboFirst, dialog.cboSecond, dialog.cboThird};
  const bool asc[3] = {dialog.optFirstAsc, dialog.optSecondAsc, dialog.optThirdAsc};
  for (int32_t n = 1; n <= 3; ++n) {
    const int32_t key = std::clamp(keys[n - 1], 0, grid.MaxCols());
    grid.SortKey(n, key);
    grid.SortKeyOrder(n, key == 0 ? kSortNone : asc[n - 1] ? kSortAscending : kSortDescending);
  }
  grid.Col(-1);
  grid.Col2(-1);
  grid.Row(first);
  grid.Row2(last);
  grid.SortBy(kSortByRow);
  grid.Action(kActionSort);
  grid.Col(savedCol);
  grid.Row(savedRow);
}

namespace {

// The frozen-count dialog for columns or rows (`unit` names them): the count the user
// chose, checked against `max`, or nothing when the dialog was cancelled or the answer is
// not a count.
std::optional<int32_t> AskFrozenCount(ZelSheet::Impl& s, const char* unit, int32_t max,
                                      int32_t frozen, std::vector<SortChoice> columns = {}) {
  FrozenDialog dialog;
  dialog.columns = std::move(columns);
  dialog.lblTitle = unit;
  dialog.lngMax = max;
  dialog.txtNumber = std::to_string(frozen);
  dialog.vsbMin = dialog.lngMax;
  dialog.vsbMax = 0;
  dialog.vsbValue = frozen;
  if (!Confirmed(s, dialog, [](CompanionTools& t, FrozenDialog& d) { return t.GetFrozen(d); })) {
    return std::nullopt;
  }
  return CountIn(dialog.txtNumber, max);
}

}  // namespace

void ZelSheet::mnuColsFrozen_Click() {
  Impl& s = *impl_;
  std::vector<SortChoice> shown;
  const std::vector<bool> hidden = internal::HiddenColumns(s.grid);
  const std::vector<std::string> titles = ColumnTitles(s.grid);
  for (size_t i = 0; i < hidden.size(); ++i) {
    if (!hidden[i]) shown.push_back(SortChoice{titles[i], static_cast<int32_t>(i) + 1});
  }
  const std::optional<int32_t> n =
      AskFrozenCount(s, "번째 열", s.grid.MaxCols(), s.grid.ColsFrozen(), std::move(shown));
  if (!n) return;
  s.grid.ColsFrozen(0);
  s.grid.ColsFrozen(*n);
  s.SaveSheetSetting("ColsFrozen", std::to_string(*n));
}

void ZelSheet::mnuRowsFrozen_Click() {
  Impl& s = *impl_;
  const std::optional<int32_t> n =
      AskFrozenCount(s, "번째 행", s.grid.MaxRows(), s.grid.RowsFrozen());
  if (!n) return;
  s.grid.RowsFrozen(0);
  s.grid.RowsFrozen(*n);
  s.settings.frozen_rows = *n;
  s.SaveSheetSetting("RowsFrozen", std::to_string(*n));
}

void ZelSheet::mnuSheetAdd_Click() {
  if (impl_->identity.builtin_screen) return;
  Grid& grid = impl_->grid;
  const int32_t first = grid.MaxRows() + 1;
  if (first > INT32_MAX - kAddedRows) return;
  MaxRows(first - 1 + kAddedRows);
  for (int32_t r = first; r <= grid.MaxRows(); ++r) grid.SetText(0, r, "A");
}

}  // namespace zel
