// The sheet's colours and fonts: the header cell style of single and multi-row headers,
// the alternate row colours of the line colour entries, and the fonts the configuration
// dialog stored.
#include <string>

#include "platform/failure.h"
#include "settings/internal/arrangement_text.h"
#include "settings/internal/settings.h"
#include "sheet/sheet_state.h"
#include "sheet/stored_values.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;

namespace {

// The most header rows / row-header columns the multi-row header style reaches.
constexpr int32_t kStyledHeaderLines = 6;

constexpr Color kLineOddBack = 0xC0FFFF;  // light yellow
constexpr Color kLineBack = 0xFFFFFF;
constexpr Color kLineFore = 0x404040;

// The header cell style: an edit cell, centred, any character, unlocked; `multiLine` for
// column headers (titles wrap), not for row headers.
void ApplyHeaderCellStyle(Grid& grid, bool multiLine) {
  grid.CellType(kCellEdit);
  if (multiLine) grid.TypeEditMultiLine(true);
  grid.TypeMaxEditLen(255);
  grid.TypeHAlign(2);
  grid.TypeVAlign(2);
  grid.TypeEditCharCase(1);
  grid.TypeEditCharSet(0);
  grid.LockCells(false);
}

}  // namespace

void ZelSheet::SetHeaderColor() {
  if (impl_->flags.appearance != 0) return;
  const TypeSheetColor& c = impl_->settings.colors;
  Grid& g = impl_->grid;
  g.Row(-1);
  g.Col(0);
  ApplyHeaderCellStyle(g, true);
  g.BackColor(c.header_row_bg_color);
  g.ForeColor(c.header_row_fg_color);
  g.Row(0);
  g.Col(-1);
  ApplyHeaderCellStyle(g, true);
  g.BackColor(c.header_col_bg_color);
  g.ForeColor(c.header_col_fg_color);
}

void ZelSheet::SetHeaderColorMult() {
  const TypeSheetColor& c = impl_->settings.colors;
  Grid& g = impl_->grid;
  const int32_t headerRows = g.ColHeaderRows();
  if (headerRows >= 1) {
    if (headerRows == 1) {
      g.Col(-1);
      g.Row(0);
      ApplyHeaderCellStyle(g, true);
    }
    // The first row of a header of several rows keeps its own look.
    for (int32_t n = 1; n < kStyledHeaderLines && headerRows > n; ++n) {
      g.Col(-1);
      g.Row(-1000 + n);
      ApplyHeaderCellStyle(g, true);
    }
  }
  const int32_t headerCols = g.RowHeaderCols();
  if (headerCols >= 1) {
    if (headerCols == 1) {
      g.Col(0);
      g.Row(-1);
      ApplyHeaderCellStyle(g, false);
      g.BackColor(c.header_row_bg_color);
      g.ForeColor(c.header_row_fg_color);
    }
    for (int32_t n = 1; n < kStyledHeaderLines && headerCols > n; ++n) {
      g.Col(-1000 + n);
      g.Row(-1);
      ApplyHeaderCellStyle(g, false);
    }
  }
}

void ZelSheet::mnuSheetColor_Click() {
  SkipStep([&] { impl_->SaveSheetSetting("ID_SheetColor", "1"); });
  SkipStep([&] { internal::ApplyLineColors(*impl_, true); });
}

void ZelSheet::mnuSheetColorCancel_Click() {
  SkipStep([&] { impl_->SaveSheetSetting("ID_SheetColor", "0"); });
  SkipStep([&] { internal::ApplyLineColors(*impl_, false); });
}

namespace internal {

void ApplyLineColors(ZelSheet::Impl& s, bool on) {
  s.grid.SetOddEvenRowColor(on ? kLineOddBack : kLineBack, kLineFore, kLineBack, kLineFore);
}

void ApplyDialogFonts(ZelSheet::Impl& s) {
  Grid& g = s.grid;
  const auto flag = [&](const char* key) { return s.GetSheetSetting(key, "0") == "1"; };
  SkipStep([&] {
    const std::string name = s.GetSheetSetting("InsideFont", "");
    if (name.empty()) return;
    const float size = static_cast<float>(StoredNumber(s.GetSheetSetting("InsideSize", "9")).value_or(9));
    g.Col(-1);
    g.Row(-1);
    g.FontName(name);
    if (size > 0) g.FontSize(size);
    g.FontBold(flag("InsideBold"));
    g.FontItalic(flag("InsideItalic"));
    if (size > 0 && g.MaxRows() >= 1 && g.RowHeight(1) < size + 1) g.RowHeight(-1, size + 1);
  });
  SkipStep([&] {
    std::string name = s.GetSheetSetting("HeaderFont", "");
    if (name.empty()) return;
    if (text::TrimView(name).empty()) name = "굴림체";
    float size = static_cast<float>(StoredNumber(s.GetSheetSetting("HeaderSize", "9")).value_or(0));
    if (size <= 0) size = 9;
    g.Col(-1);
    g.Row(0);
    g.FontName(name);
    g.FontSize(size);
    g.FontBold(flag("HeaderBold"));
  });
}

}  // namespace internal

void ZelSheet::Impl::ApplyDialogFonts() { internal::ApplyDialogFonts(*this); }

}  // namespace zel
