// The column merge: the rows are sorted by up to five merge columns and equal neighbours of
// those columns are shown as one cell, the first column freely and each later one only
// inside the groups of the columns before it (so a customer's orders merge per customer,
// never across two customers with the same order date). The groups of the first column may
// be painted in alternating colours.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "tools/sheet_tools.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

constexpr int kMergeSlots = 5;

// The merge columns worth applying, in order: inside the grid, shown, and each once.
std::vector<int> UsableSlots(ZelSheet::Impl& s) {
  Grid& grid = s.grid;
  std::vector<int> slots;
  std::vector<int32_t> seen;
  for (int i = 0; i < kMergeSlots; ++i) {
    const int32_t col = s.tools.col_merge[i];
    if (col < 1 || col > grid.MaxCols()) continue;
    if (std::find(seen.begin(), seen.end(), col) != seen.end()) continue;
    grid.Col(col);
    if (grid.ColHidden()) continue;
    seen.push_back(col);
    slots.push_back(i);
  }
  return slots;
}

void PaintGroups(ZelSheet::Impl& s, int32_t col, int32_t lastRow) {
  Grid& grid = s.grid;
  const Color base = grid.BackColor();
  // The second colour is the sheet's back colour plus 9, a shade the eye barely tells
  // from it on purpose: the groups should be told apart without shouting.
  const Color shade = static_cast<Color>(static_cast<int64_t>(base) + 9);
  std::string previous, text;
  bool shaded = true;
  grid.Col(-1);
  for (int32_t r = 1; r <= lastRow; ++r) {
    grid.GetText(col, r, text);
    if (r == 1 || text != previous) shaded = !shaded;
    previous.swap(text);
    if (!shaded) continue;
    grid.Row(r);
    grid.BackColor(shade);
  }
}

}  // namespace

namespace internal {

void ApplyColMerge(ZelSheet::Impl& s) {
  Grid& grid = s.grid;
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  grid.ReDraw(false);
  struct Restore {
    Grid& g;
    int32_t col, row;
    ~Restore() {
      g.Col(col);
      g.Row(row);
      g.ReDraw(true);
    }
  } restore{grid, savedCol, savedRow};

  for (int32_t c = 1; c <= grid.MaxCols(); ++c) {
    grid.Col(c);
    grid.ColMerge(kMergeNone);
  }
  const std::vector<int> slots = UsableSlots(s);
  s.tools.is_col_merge = !slots.empty();
  if (slots.empty()) return;

  grid.Col(-1);
  grid.Row(-1);
  grid.BackColor(s.settings.colors.back_color);

  const int32_t lastRow = grid.DataRowCnt();
  if (lastRow >= 1) {
    int32_t n = 1;
    for (int slot : slots) {
      grid.SortKey(n, s.tools.col_merge[slot]);
      grid.SortKeyOrder(n, s.tools.col_merge_desc[slot] ? kSortDescending : kSortAscending);
      ++n;
    }
    for (; n <= kMergeSlots; ++n) {
      grid.SortKey(n, 0);
      grid.SortKeyOrder(n, kSortNone);
    }
    grid.Col(-1);
    grid.Col2(-1);
    grid.Row(1);
    grid.Row2(lastRow);
    grid.SortBy(kSortByRow);
    grid.Action(kActionSort);
    // Later sorts (the header sort) set three keys; the fourth and fifth must not linger.
    for (n = 4; n <= kMergeSlots; ++n) grid.SortKey(n, 0);
  }
  bool first = true;
  for (int slot : slots) {
    grid.Col(s.tools.col_merge[slot]);
    grid.ColMerge(first ? kMergeAlways : kMergeRestricted);
    first = false;
  }
  if (lastRow >= 1 && s.tools.merge_is_color) {
    grid.Row(-1);
    PaintGroups(s, s.tools.col_merge[slots.front()], lastRow);
  }
}

}  // namespace internal

namespace {

// A failing merge tells the user what went wrong in a plain box.
void ApplyOrTell(ZelSheet::Impl& s) {
  try {
    internal::ApplyColMerge(s);
  } catch (...) {
    internal::ShowBox(s.platform, internal::CurrentFailureText(), vbOKOnly, "");
  }
}

}  // namespace

void ZelSheet::SetColMerge(int32_t lngColMerge1, int32_t lngColMerge2, int32_t lngColMerge3,
                           int32_t lngColMerge4, int32_t lngColmerge5, bool bIsColor,
                           bool isDesc1, bool isDesc2, bool isDesc3, bool isDesc4, bool isDesc5) {
  ZelSheet::Impl::ToolState& t = impl_->tools;
  const int32_t cols[kMergeSlots] = {lngColMerge1, lngColMerge2, lngColMerge3, lngColMerge4,
                                     lngColmerge5};
  const bool desc[kMergeSlots] = {isDesc1, isDesc2, isDesc3, isDesc4, isDesc5};
  for (int i = 0; i < kMergeSlots; ++i) {
    t.col_merge[i] = cols[i];
    t.col_merge_desc[i] = desc[i];
  }
  t.merge_is_color = bIsColor;
  ApplyOrTell(*impl_);
}

void ZelSheet::mnuColMerge_Click() {
  ZelSheet::Impl::ToolState& t = impl_->tools;
  ColMergeDialog dialog;
  Grid& grid = impl_->grid;
  std::string title;
  for (int32_t c = 1; c <= grid.MaxCols(); ++c) {
    grid.GetText(c, 0, title);
    dialog.column_titles.push_back(title);
  }
  dialog.hidden = internal::HiddenColumns(grid);
  auto slot = [](int32_t col) { return static_cast<int16_t>(std::clamp(col, 0, 32767)); };
  dialog.gColMerge1 = slot(t.col_merge[0]);
  dialog.gColMerge2 = slot(t.col_merge[1]);
  dialog.gColMerge3 = slot(t.col_merge[2]);
  dialog.bIsColor = t.merge_is_color;
  t.is_col_merge = false;
  // Missing or failing tools count as a cancel.
  if (!internal::ReadOr([&] { return impl_->platform.Tools().GetColMerge(dialog); }, false)) return;
  t.col_merge[0] = dialog.gColMerge1;
  t.col_merge[1] = dialog.gColMerge2;
  t.col_merge[2] = dialog.gColMerge3;
  t.merge_is_color = dialog.bIsColor;
  ApplyOrTell(*impl_);
}

void ZelSheet::Impl::ReapplyColMerge() {
  const bool any = std::any_of(std::begin(tools.col_merge), std::end(tools.col_merge),
                               [](int32_t col) { return col != 0; });
  if (any) internal::ApplyColMerge(*this);
}

bool ZelSheet::IsColMerge() const { return impl_->tools.is_col_merge; }

}  // namespace zel
