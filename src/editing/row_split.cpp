// The row split command of the row header menu: the user ticks, in the companion's row
// split dialog, the columns whose amounts are split, and every row selected on its row
// header keeps half of each. The screens use it before copying a row for the other half,
// so the command ends with the split rows copied and the cursor on the last of them.
#include <cstdint>
#include <string>

#include "sheet/sheet_state.h"
#include "text/number.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

void ZelSheet::mnuSeparate_Click() {
  Grid& grid = impl_->grid;
  SheetSeperateDialog dialog;
  dialog.varParentName = impl_->identity.pgm_id;
  dialog.varSheetName = impl_->identity.sheet_id;
  const int32_t cols = grid.MaxCols();
  dialog.titles.reserve(static_cast<size_t>(cols));
  dialog.hidden.reserve(static_cast<size_t>(cols));
  const int32_t savedCol = grid.Col();
  for (int32_t c = 1; c <= cols; ++c) {
    std::string title;
    grid.GetText(c, 0, title);
    dialog.titles.push_back(std::move(title));
    grid.Col(c);
    dialog.hidden.push_back(grid.ColHidden());
  }
  grid.Col(savedCol);
  dialog.ticked.assign(static_cast<size_t>(cols), false);
  if (!impl_->platform.Tools().GetSheetSeperate(dialog)) return;

  grid.ReDraw(false);
  int32_t lastSplit = 0;
  const size_t ticks = std::min(dialog.ticked.size(), static_cast<size_t>(cols));
  std::string cell;
  for (int32_t r = grid.DataRowCnt(); r >= 1; --r) {
    if (!grid.IsCellSelected(0, r)) continue;
    for (size_t k = 0; k < ticks; ++k) {
      if (!dialog.ticked[k]) continue;
      const int32_t c = static_cast<int32_t>(k) + 1;
      grid.GetText(c, r, cell);
      std::erase(cell, ',');  // a thousands separator is not the end of the number
      grid.SetText(c, r, text::NumberToText(text::Val(cell) / 2));
    }
    if (lastSplit == 0) lastSplit = r;
  }
  grid.Action(kActionClipboardCopy);
  if (lastSplit > 0) {
    grid.Col(1);
    grid.Row(lastSplit);
    grid.Action(kActionActiveCell);
  }
  grid.ReDraw(true);
  mnuPaste_Click();
}

}  // namespace zel
