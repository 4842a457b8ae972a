// Pass-through members that go to the control itself or add behaviour to the grid's
// member of the same name. Like the plain pass-throughs, none of them catches.
#include <algorithm>

#include "text/codepage.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {
constexpr float kTwipsPerPoint = 20.0f;
// The control's font is the 9-point font a grid column unit is measured in.
constexpr float kUnitFontSize = 9.0f;
constexpr float kLineSpacing = 1.2f;
}  // namespace

void ZelSheet::DrawMode(int16_t mode) {
  control_.draw_mode = mode;
  editing_.last_entered_col = grid_.ActiveCol();
  editing_.last_entered_row = grid_.ActiveRow();
}

void ZelSheet::MaxRows(int32_t rows) {
  grid_.MaxRows(rows);
  // The grid clips its frozen rows to the rows it has; the sheet's own count comes back as
  // far as the new size allows.
  grid_.RowsFrozen(std::min(settings_.frozen_rows, grid_.MaxRows()));
}

int32_t ZelSheet::DataRowCnt() const {
  return grid_.DataRowCnt() + (editing_.row_pending ? 1 : 0);
}

void ZelSheet::ActiveCell(int32_t col, int32_t row) {
  grid_.Col(col);
  grid_.Row(row);
  grid_.Action(kActionActiveCell);
}

void ZelSheet::SetFocus() {
  if (control_.grid_has_focus) return;
  control_.grid_has_focus = true;
  // Gaining the focus is something the grid reports, as it does for the user's click.
  if (GridListener* listener = grid_.Listener()) listener->GotFocus();
}

float ZelSheet::TextWidth(const std::string& str) const {
  const float unit =
      static_cast<float>(Grid::kTwipsPerColUnit) * control_.font_size / kUnitFontSize;
  int32_t widest = 0;
  for (std::string_view line : text::SplitView(str, "\n")) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    widest = std::max(widest, text::LenH(line));
  }
  return static_cast<float>(widest) * unit;
}

float ZelSheet::TextHeight(const std::string& str) const {
  const auto lines = static_cast<float>(text::SplitView(str, "\n").size());
  return lines * control_.font_size * kLineSpacing * kTwipsPerPoint;
}

}  // namespace zel
