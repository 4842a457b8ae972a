// What loading and destruction ask of the settings and colours: the
// sheet's build from its stored settings (SetSheetDeg), the header style of the multi-row
// layout, and the arrangement saved when the sheet goes away.
//
// SetSheetDeg here builds the sheet from its settings section and, since the user folders
// (and with them the layout file) are not part of this build, always from the default
// appearance: frozen rows and columns, language, 50 columns (built-in screens: the
// requested count), the default colours, header cells and fonts, the language font. The
// layout file, the stored column restore, the combo lists, the string parameters and the
// cursor restore join it with the parts that own them.
#include <algorithm>
#include <array>
#include <string>

#include "sheet/internal/arrangement.h"
#include "sheet/registry_values.h"
#include "sheet/sheet_state.h"
#include "sheet/stored_values.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::kApplication;
using internal::ParseBoolText;
using internal::ParseInt32Text;
using internal::RunStep;

namespace {

constexpr int32_t kDefaultAppearanceCols = 50;
// The most header rows / row-header columns the multi-row header style reaches.
constexpr int32_t kStyledHeaderLines = 6;

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

// ---- Settings section --------------------------------------------------------------------

std::string ZelSheet::Impl::GetSheetSetting(const std::string& key,
                                            const std::string& defaultValue) {
  return platform.Settings().GetSetting(kApplication, identity.settings_section, key, defaultValue);
}

void ZelSheet::Impl::SaveSheetSetting(const std::string& key, const std::string& value) {
  platform.Settings().SaveSetting(kApplication, identity.settings_section, key, value);
}

namespace internal {

void DiscardStoredSettings(ZelSheet::Impl& s) {
  SettingsStore& store = s.platform.Settings();
  RunStep([&] {
    // Sheets of older clients kept their settings under the program as application.
    if (store.SectionExists(s.identity.pgm_id, s.identity.sheet_id)) {
      store.DeleteSection(s.identity.pgm_id, s.identity.sheet_id);
    }
  });
  RunStep([&] { store.DeleteSection(kApplication, s.identity.settings_section); });
  // Saving now would write back the arrangement just discarded.
  s.settings.saves_disabled = true;
}

}  // namespace internal

// ---- Building the sheet ------------------------------------------------------------------

namespace {

void ApplyDefaultAppearance(ZelSheet::Impl& s) {
  const TypeSheetColor& c = s.settings.colors;
  if (!s.identity.builtin_screen) RunStep([&] { s.sheet.MaxCols(kDefaultAppearanceCols); });
  RunStep([&] { s.grid.MaxRows(0); });
  RunStep([&] { s.grid.ButtonDrawMode(4); });
  RunStep([&] { s.grid.SelectBlockOptions(14); });
  RunStep([&] { s.grid.BackColorStyle(1); });
  RunStep([&] { s.grid.ProcessTab(true); });
  RunStep([&] { s.grid.EditMode(true); });
  RunStep([&] { s.grid.EditModeReplace(true); });
  RunStep([&] {
    s.grid.GridColor(c.grid_color);
    s.grid.GrayAreaBackColor(c.gray_area_back_color);
    s.grid.Col(-1);
    s.grid.Row(-1);
    s.grid.BackColor(c.back_color);
    s.grid.ForeColor(c.fore_color);
    s.grid.LockForeColor(c.lock_fore_color);
    s.grid.LockBackColor(c.lock_back_color);
  });
  RunStep([&] {
    s.grid.Col(-1);
    s.grid.Row(0);
    s.grid.BackColor(c.header_col_bg_color);
    s.grid.ForeColor(c.header_col_fg_color);
    s.grid.Col(0);
    s.grid.Row(-1);
    s.grid.BackColor(c.header_row_bg_color);
    s.grid.ForeColor(c.header_row_fg_color);
  });
  // Header cells: titles are multi-line edit cells, row headers static text.
  RunStep([&] {
    s.grid.Col(-1);
    s.grid.Row(0);
    s.grid.CellType(kCellEdit);
    s.grid.TypeEditMultiLine(true);
    s.grid.Col(0);
    s.grid.Row(-1);
    s.grid.CellType(kCellStatic);
    for (auto [col, row] : {std::pair{-1, 0}, std::pair{0, -1}}) {
      s.grid.Col(col);
      s.grid.Row(row);
      s.grid.TypeMaxEditLen(550);
      s.grid.TypeHAlign(2);
      s.grid.TypeVAlign(2);
      s.grid.TypeEditCharCase(1);
      s.grid.TypeEditCharSet(0);
    }
  });
  // The client's general font settings.
  RunStep([&] {
    SettingsStore& store = s.platform.Settings();
    auto flag = [&](const char* key) {
      return ParseBoolText(store.GetSetting(kApplication, "SHEET", key, "False")).value_or(false);
    };
    const float size =
        static_cast<float>(text::Val(store.GetSetting(kApplication, "SHEET", "BasicFontSize", "9")));
    s.grid.Col(-1);
    s.grid.Row(-1);
    if (size > 0) s.grid.FontSize(size);
    s.grid.FontBold(flag("BasicFontBold"));
    s.grid.FontItalic(flag("BasicFontItalic"));
    s.grid.FontUnderline(flag("BasicFontUnderline"));
    s.grid.FontStrikethru(flag("BasicFontStrikethru"));
  });
}

}  // namespace

void ZelSheet::SetSheetDeg(int32_t& lngMaxCols) {
  if (impl_->flags.appearance == 0) {
    RunStep([&] {
      impl_->grid.ColsFrozen(ParseInt32Text(impl_->GetSheetSetting("ColsFrozen", "1")).value_or(1));
    });
    RunStep([&] {
      impl_->settings.frozen_rows =
          ParseInt32Text(impl_->GetSheetSetting("RowsFrozen", "0")).value_or(0);
      impl_->grid.RowsFrozen(std::min(impl_->settings.frozen_rows, impl_->grid.MaxRows()));
    });
  }
  RunStep([&] {
    const std::string mode = text::LCase(impl_->identity.load_mode);
    if (mode == "init" || mode == "newpage" || mode == "jumpin") {
      impl_->settings.format_on_define = true;
    }
  });
  RunStep([&] { impl_->settings.stored_language = impl_->GetSheetSetting("Language", "0"); });
  if (!impl_->flags.is_clear_header_info) {
    impl_->settings.is_file_load = false;
    ApplyDefaultAppearance(*impl_);
  }
  if (impl_->identity.builtin_screen) {
    RunStep([&] {
      if (text::Trim(impl_->GetSheetSetting("Columns", "-1")) == "-1") {
        impl_->settings.is_file_load = false;
        impl_->settings.format_on_define = true;
      }
    });
    RunStep([&] { MaxCols(lngMaxCols); });
  }
  RunStep([&] { impl_->SaveSheetSetting("Language", std::to_string(impl_->identity.language)); });
  RunStep([&] {
    impl_->grid.Col(-1);
    impl_->grid.Row(-1);
    impl_->grid.FontName(impl_->identity.font_name);
  });
  // The sheet is built: leaving a cell is checked from now on. (The cursor restore, when it
  // joins this build as its last step, is where the sheet becomes ready.)
  impl_->event_flags.sheet_ready = true;
}

void ZelSheet::SetHeaderColorMult() {
  const TypeSheetColor& c = impl_->settings.colors;
  const int32_t headerRows = impl_->grid.ColHeaderRows();
  if (headerRows >= 1) {
    if (headerRows == 1) {
      impl_->grid.Col(-1);
      impl_->grid.Row(0);
      ApplyHeaderCellStyle(impl_->grid, true);
    }
    // The first row of a header of several rows keeps its own look.
    for (int32_t n = 1; n < kStyledHeaderLines && headerRows > n; ++n) {
      impl_->grid.Col(-1);
      impl_->grid.Row(-1000 + n);
      ApplyHeaderCellStyle(impl_->grid, true);
    }
  }
  const int32_t headerCols = impl_->grid.RowHeaderCols();
  if (headerCols >= 1) {
    if (headerCols == 1) {
      impl_->grid.Col(0);
      impl_->grid.Row(-1);
      ApplyHeaderCellStyle(impl_->grid, false);
      impl_->grid.BackColor(c.header_row_bg_color);
      impl_->grid.ForeColor(c.header_row_fg_color);
    }
    for (int32_t n = 1; n < kStyledHeaderLines && headerCols > n; ++n) {
      impl_->grid.Col(-1000 + n);
      impl_->grid.Row(-1);
      ApplyHeaderCellStyle(impl_->grid, false);
    }
  }
}

// ---- Saved when the sheet goes away ------------------------------------------------------

namespace internal {

void SaveArrangement(ZelSheet::Impl& s) {
  if (s.settings.saves_disabled) return;
  const int32_t cols = s.grid.MaxCols();
  std::string serial, width, hidden;
  const int32_t savedCol = s.grid.Col();
  for (int32_t c = 1; c <= cols; ++c) {
    const int32_t def = s.grid.GetColItemData(c);
    const std::string access = s.columns.HasDef(def) ? s.columns.Def(def).access_key : "";
    const bool systemHidden = text::InStr(access, "SHID") > 0;
    s.grid.Col(c);
    const bool isHidden = s.grid.ColHidden();
    const char* sep = c == 1 ? "" : ",";
    serial += sep + std::to_string(def);
    // A hidden column keeps a usable width for the day the user shows it again.
    width += sep + (isHidden && c > 1 ? std::string("10") : text::NumberToText(s.grid.ColWidth(c)));
    // Only columns the user hid are stored as hidden, so a restore never hides a column the
    // screen shows.
    std::string h = isHidden && !systemHidden ? "1" : "0";
    if (c == 1 && isHidden && systemHidden) h = "";
    hidden += sep + h;
  }
  s.grid.Col(savedCol);
  s.SaveSheetSetting("Columns", std::to_string(cols));
  s.SaveSheetSetting("Serial", serial);
  s.SaveSheetSetting("Width", width);
  s.SaveSheetSetting("Hidden", hidden);
  if (s.grid.MaxRows() >= 1) {
    const int32_t h = text::CLng(s.grid.RowHeight(1));
    s.SaveSheetSetting("RowHeight", std::to_string(h < 1 ? 10 : h));
  }
  s.SaveSheetSetting("RowHeight_Header", text::NumberToText(s.grid.RowHeight(0)));
  s.SaveSheetSetting("ColsFrozen", std::to_string(s.grid.ColsFrozen()));
  s.SaveSheetSetting("RowsFrozen", std::to_string(s.grid.RowsFrozen()));
  s.SaveSheetSetting("EditModePermanent", s.grid.EditModePermanent() ? "-1" : "0");
}

}  // namespace internal

}  // namespace zel
