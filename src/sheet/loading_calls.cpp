// What loading and destruction ask of the settings, colours and message-table parts: the
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

#include "sheet/registry_values.h"
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

std::string ZelSheet::GetSheetSetting(const std::string& key, const std::string& defaultValue) {
  return platform_.Settings().GetSetting(kApplication, identity_.settings_section, key,
                                         defaultValue);
}

void ZelSheet::SaveSheetSetting(const std::string& key, const std::string& value) {
  platform_.Settings().SaveSetting(kApplication, identity_.settings_section, key, value);
}

void ZelSheet::DiscardStoredSettings() {
  SettingsStore& store = platform_.Settings();
  RunStep([&] {
    // Sheets of older clients kept their settings under the program as application.
    if (store.SectionExists(identity_.pgm_id, identity_.sheet_id)) {
      store.DeleteSection(identity_.pgm_id, identity_.sheet_id);
    }
  });
  RunStep([&] { store.DeleteSection(kApplication, identity_.settings_section); });
  // Saving now would write back the arrangement just discarded.
  settings_.saves_disabled = true;
}

// ---- Building the sheet ------------------------------------------------------------------

void ZelSheet::SetSheetDeg(int32_t& lngMaxCols) {
  if (flags_.appearance == 0) {
    RunStep([&] {
      grid_.ColsFrozen(ParseInt32Text(GetSheetSetting("ColsFrozen", "1")).value_or(1));
    });
    RunStep([&] {
      settings_.frozen_rows = ParseInt32Text(GetSheetSetting("RowsFrozen", "0")).value_or(0);
      grid_.RowsFrozen(std::min(settings_.frozen_rows, grid_.MaxRows()));
    });
  }
  RunStep([&] {
    const std::string mode = text::LCase(identity_.load_mode);
    if (mode == "init" || mode == "newpage" || mode == "jumpin") settings_.format_on_define = true;
  });
  RunStep([&] { settings_.stored_language = GetSheetSetting("Language", "0"); });
  if (!flags_.is_clear_header_info) {
    settings_.is_file_load = false;
    ApplyDefaultAppearance();
  }
  if (identity_.builtin_screen) {
    RunStep([&] {
      if (text::Trim(GetSheetSetting("Columns", "-1")) == "-1") {
        settings_.is_file_load = false;
        settings_.format_on_define = true;
      }
    });
    RunStep([&] { MaxCols(lngMaxCols); });
  }
  RunStep([&] { SaveSheetSetting("Language", std::to_string(identity_.language)); });
  RunStep([&] {
    grid_.Col(-1);
    grid_.Row(-1);
    grid_.FontName(identity_.font_name);
  });
}

void ZelSheet::ApplyDefaultAppearance() {
  const TypeSheetColor& c = settings_.colors;
  if (!identity_.builtin_screen) RunStep([&] { MaxCols(kDefaultAppearanceCols); });
  RunStep([&] { grid_.MaxRows(0); });
  RunStep([&] { grid_.ButtonDrawMode(4); });
  RunStep([&] { grid_.SelectBlockOptions(14); });
  RunStep([&] { grid_.BackColorStyle(1); });
  RunStep([&] { grid_.ProcessTab(true); });
  RunStep([&] { grid_.EditMode(true); });
  RunStep([&] { grid_.EditModeReplace(true); });
  RunStep([&] {
    grid_.GridColor(c.grid_color);
    grid_.GrayAreaBackColor(c.gray_area_back_color);
    grid_.Col(-1);
    grid_.Row(-1);
    grid_.BackColor(c.back_color);
    grid_.ForeColor(c.fore_color);
    grid_.LockForeColor(c.lock_fore_color);
    grid_.LockBackColor(c.lock_back_color);
  });
  RunStep([&] {
    grid_.Col(-1);
    grid_.Row(0);
    grid_.BackColor(c.header_col_bg_color);
    grid_.ForeColor(c.header_col_fg_color);
    grid_.Col(0);
    grid_.Row(-1);
    grid_.BackColor(c.header_row_bg_color);
    grid_.ForeColor(c.header_row_fg_color);
  });
  // Header cells: titles are multi-line edit cells, row headers static text.
  RunStep([&] {
    grid_.Col(-1);
    grid_.Row(0);
    grid_.CellType(kCellEdit);
    grid_.TypeEditMultiLine(true);
    grid_.Col(0);
    grid_.Row(-1);
    grid_.CellType(kCellStatic);
    for (auto [col, row] : {std::pair{-1, 0}, std::pair{0, -1}}) {
      grid_.Col(col);
      grid_.Row(row);
      grid_.TypeMaxEditLen(550);
      grid_.TypeHAlign(2);
      grid_.TypeVAlign(2);
      grid_.TypeEditCharCase(1);
      grid_.TypeEditCharSet(0);
    }
  });
  // The client's general font settings.
  RunStep([&] {
    SettingsStore& store = platform_.Settings();
    auto flag = [&](const char* key) {
      return ParseBoolText(store.GetSetting(kApplication, "SHEET", key, "False")).value_or(false);
    };
    const float size =
        static_cast<float>(text::Val(store.GetSetting(kApplication, "SHEET", "BasicFontSize", "9")));
    grid_.Col(-1);
    grid_.Row(-1);
    if (size > 0) grid_.FontSize(size);
    grid_.FontBold(flag("BasicFontBold"));
    grid_.FontItalic(flag("BasicFontItalic"));
    grid_.FontUnderline(flag("BasicFontUnderline"));
    grid_.FontStrikethru(flag("BasicFontStrikethru"));
  });
}

void ZelSheet::SetHeaderColorMult() {
  const TypeSheetColor& c = settings_.colors;
  const int32_t headerRows = grid_.ColHeaderRows();
  if (headerRows >= 1) {
    if (headerRows == 1) {
      grid_.Col(-1);
      grid_.Row(0);
      ApplyHeaderCellStyle(grid_, true);
    }
    // The first row of a header of several rows keeps its own look.
    for (int32_t n = 1; n < kStyledHeaderLines && headerRows > n; ++n) {
      grid_.Col(-1);
      grid_.Row(-1000 + n);
      ApplyHeaderCellStyle(grid_, true);
    }
  }
  const int32_t headerCols = grid_.RowHeaderCols();
  if (headerCols >= 1) {
    if (headerCols == 1) {
      grid_.Col(0);
      grid_.Row(-1);
      ApplyHeaderCellStyle(grid_, false);
      grid_.BackColor(c.header_row_bg_color);
      grid_.ForeColor(c.header_row_fg_color);
    }
    for (int32_t n = 1; n < kStyledHeaderLines && headerCols > n; ++n) {
      grid_.Col(-1000 + n);
      grid_.Row(-1);
      ApplyHeaderCellStyle(grid_, false);
    }
  }
}

// ---- Message table -----------------------------------------------------------------------

// ---- Saved when the sheet goes away ------------------------------------------------------

void ZelSheet::SaveArrangement() {
  if (settings_.saves_disabled) return;
  const int32_t cols = grid_.MaxCols();
  std::string serial, width, hidden;
  const int32_t savedCol = grid_.Col();
  for (int32_t c = 1; c <= cols; ++c) {
    const int32_t def = grid_.GetColItemData(c);
    const std::string access = columns_.HasDef(def) ? columns_.Def(def).access_key : "";
    const bool systemHidden = text::InStr(access, "SHID") > 0;
    grid_.Col(c);
    const bool isHidden = grid_.ColHidden();
    const char* sep = c == 1 ? "" : ",";
    serial += sep + std::to_string(def);
    // A hidden column keeps a usable width for the day the user shows it again.
    width += sep + (isHidden && c > 1 ? std::string("10") : text::NumberToText(grid_.ColWidth(c)));
    // Only columns the user hid are stored as hidden, so a restore never hides a column the
    // screen shows.
    std::string h = isHidden && !systemHidden ? "1" : "0";
    if (c == 1 && isHidden && systemHidden) h = "";
    hidden += sep + h;
  }
  grid_.Col(savedCol);
  SaveSheetSetting("Columns", std::to_string(cols));
  SaveSheetSetting("Serial", serial);
  SaveSheetSetting("Width", width);
  SaveSheetSetting("Hidden", hidden);
  if (grid_.MaxRows() >= 1) {
    const int32_t h = text::CLng(grid_.RowHeight(1));
    SaveSheetSetting("RowHeight", std::to_string(h < 1 ? 10 : h));
  }
  SaveSheetSetting("RowHeight_Header", text::NumberToText(grid_.RowHeight(0)));
  SaveSheetSetting("ColsFrozen", std::to_string(grid_.ColsFrozen()));
  SaveSheetSetting("RowsFrozen", std::to_string(grid_.RowsFrozen()));
  SaveSheetSetting("EditModePermanent", grid_.EditModePermanent() ? "-1" : "0");
}

}  // namespace zel
