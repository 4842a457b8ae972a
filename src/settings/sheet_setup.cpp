// Building the sheet from the user's stored settings when its screen is loaded
// (SetSheetDeg): frozen rows and columns, the layout file or else the default appearance,
// the column restore of built-in screens, the language font, the combo lists and the
// cursor. Every step that fails is passed over and the next one runs.
#include <algorithm>
#include <string>

#include "platform/failure.h"
#include "settings/internal/arrangement_text.h"
#include "settings/internal/layout_file.h"
#include "settings/internal/settings.h"
#include "sheet/registry_values.h"
#include "sheet/sheet_state.h"
#include "sheet/stored_values.h"
#include "text/number.h"
#include "text/strings.h"
#include "tools/user_folders.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::kApplication;
using internal::ParseBoolText;
using internal::SkipStep;
using internal::StoredInt;

namespace {

constexpr int32_t kDefaultAppearanceCols = 50;

void ApplyDefaultAppearance(ZelSheet::Impl& s) {
  const TypeSheetColor& c = s.settings.colors;
  if (!s.identity.builtin_screen) SkipStep([&] { s.sheet.MaxCols(kDefaultAppearanceCols); });
  SkipStep([&] { s.grid.MaxRows(0); });
  SkipStep([&] { s.grid.ButtonDrawMode(4); });
  SkipStep([&] { s.grid.SelectBlockOptions(14); });
  SkipStep([&] { s.grid.BackColorStyle(1); });
  SkipStep([&] { s.grid.ProcessTab(true); });
  SkipStep([&] { s.grid.EditMode(true); });
  SkipStep([&] { s.grid.EditModeReplace(true); });
  SkipStep([&] {
    s.grid.GridColor(c.grid_color);
    s.grid.GrayAreaBackColor(c.gray_area_back_color);
    s.grid.Col(-1);
    s.grid.Row(-1);
    s.grid.BackColor(c.back_color);
    s.grid.ForeColor(c.fore_color);
    s.grid.LockForeColor(c.lock_fore_color);
    s.grid.LockBackColor(c.lock_back_color);
  });
  SkipStep([&] {
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
  SkipStep([&] {
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
  SkipStep([&] {
    SettingsStore& store = s.platform.Settings();
    auto flag = [&](const char* key) {
      return ParseBoolText(store.GetSetting(kApplication, "SHEET", key, "False")).value_or(false);
    };
    const float size = static_cast<float>(
        internal::StoredNumber(store.GetSetting(kApplication, "SHEET", "BasicFontSize", "9"))
            .value_or(9));
    s.grid.Col(-1);
    s.grid.Row(-1);
    if (size > 0) s.grid.FontSize(size);
    s.grid.FontBold(flag("BasicFontBold"));
    s.grid.FontItalic(flag("BasicFontItalic"));
    s.grid.FontUnderline(flag("BasicFontUnderline"));
    s.grid.FontStrikethru(flag("BasicFontStrikethru"));
  });
}

// The column model follows a grid that a layout file replaced: as many columns, and each
// definition number where its column's item data puts it.
void FollowLoadedColumns(ZelSheet::Impl& s) {
  const int32_t cols = s.grid.MaxCols();
  if (cols < 1) return;
  s.columns.Resize(cols);
  for (int32_t c = 1; c <= cols; ++c) {
    const int32_t def = s.grid.GetColItemData(c);
    if (def >= 1 && def <= cols) s.columns.display_map[static_cast<size_t>(def - 1)] = c;
  }
}

// What the layout file brings besides the grid: the merge state, the cursor to put back,
// the sheet's size.
void ReadLayoutCompanions(ZelSheet::Impl& s) {
  SkipStep([&] {
    auto& t = s.tools;
    t.merge_is_color = ParseBoolText(s.GetSheetSetting("Merge_IsColor", "False")).value_or(false);
    t.is_col_merge = ParseBoolText(s.GetSheetSetting("IsColMerge", "False")).value_or(false);
    for (int32_t i = 0; i < 3; ++i) {
      t.col_merge[i] =
          StoredInt(s.GetSheetSetting("ColMerge" + std::to_string(i + 1), "0")).value_or(0);
    }
  });
  if (s.flags.is_save_to_file_data_only) {
    SkipStep([&] {
      s.grid.Col(-1);
      s.grid.Row(-1);
      s.grid.CellType(kCellEdit);
    });
  }
  SkipStep([&] {
    const auto point = internal::ParsePoint(s.GetSheetSetting("Point", ""));
    std::copy(point.begin(), point.end(), s.settings.point);
  });
  SkipStep([&] {
    const ControlArea& area = s.control.area;
    const auto w = StoredInt(s.GetSheetSetting("Size_Width", std::to_string(area.width)));
    const auto h = StoredInt(s.GetSheetSetting("Size_Height", std::to_string(area.height)));
    if (w && h && *w >= 0 && *h >= 0 && (*w != area.width || *h != area.height)) {
      s.sheet.Resize(*w, *h);
    }
  });
}

// Tries the layout file. True when it was loaded.
bool LoadLayout(ZelSheet::Impl& s, bool fresh) {
  bool loaded = false;
  SkipStep([&] {
    loaded = internal::LoadDescribedLayout(s.grid, internal::LayoutPathOf(s), [&] {
      return s.GetSheetSetting(internal::kLayoutStampKey, "");
    });
  });
  if (!loaded) return false;
  SkipStep([&] { FollowLoadedColumns(s); });
  s.settings.is_file_load =
      StoredInt(s.settings.stored_language).value_or(0) == s.identity.language;
  if (fresh) {
    SkipStep([&] { s.sheet.MaxRows(0); });
    SkipStep([&] {
      s.grid.Col(-1);
      s.grid.Row(-1);
      s.grid.CellType(kCellEdit);
    });
    // Titles in another language: the column definitions write them again.
    if (!s.settings.is_file_load) {
      for (int32_t c = 1; c <= s.grid.MaxCols(); ++c) SkipStep([&] { s.grid.SetText(c, 0, ""); });
    }
  }
  ReadLayoutCompanions(s);
  return true;
}

// Gives the stored combo lists back to their columns (lists the user's data filled in).
void RestoreComboLists(ZelSheet::Impl& s) {
  const int32_t cols = s.grid.MaxCols();
  for (int32_t def = 1; def <= cols; ++def) {
    SkipStep([&] {
      const std::string list = s.GetSheetSetting(std::to_string(def) + "ComboBoxList", "");
      if (!list.empty()) s.sheet.fnSSSetTypeComboBox(false, list, s.sheet.ColX(def), -1);
    });
  }
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

std::string LayoutPathOf(ZelSheet::Impl& s) {
  return LayoutFilePath(s.platform, s.identity.user_id, s.identity.pgm_id, s.identity.sheet_id);
}

}  // namespace internal

// ---- SetSheetDeg -------------------------------------------------------------------------

void ZelSheet::SetSheetDeg(int32_t& lngMaxCols) {
  Impl& s = *impl_;
  if (s.flags.appearance == 0) {
    SkipStep([&] { s.grid.ColsFrozen(StoredInt(s.GetSheetSetting("ColsFrozen", "1")).value_or(1)); });
    SkipStep([&] {
      s.settings.frozen_rows = StoredInt(s.GetSheetSetting("RowsFrozen", "0")).value_or(0);
      s.grid.RowsFrozen(std::min(s.settings.frozen_rows, s.grid.MaxRows()));
    });
  }
  const std::string mode = text::LCase(s.identity.load_mode);
  if (mode == "init" || mode == "newpage" || mode == "jumpin") s.settings.format_on_define = true;
  const bool fresh = s.settings.format_on_define;
  SkipStep([&] { s.settings.stored_language = s.GetSheetSetting("Language", "0"); });

  if (!s.flags.is_clear_header_info) {
    if (mode == "save" && !fresh) RestoreComboLists(s);
    s.settings.is_file_load = false;
    if (!LoadLayout(s, fresh)) ApplyDefaultAppearance(s);
  }
  if (s.identity.builtin_screen) {
    SkipStep([&] {
      if (!SheetInit(lngMaxCols, "")) MaxCols(lngMaxCols);
    });
  }
  if (s.flags.is_clear && s.grid.MaxRows() > 0) {
    SkipStep([&] { MaxRows(0); });
    SkipStep([&] { AddRowsToSheet(-1); });
  }
  SkipStep([&] { s.SaveSheetSetting("Language", std::to_string(s.identity.language)); });
  SkipStep([&] {
    s.grid.Col(-1);
    s.grid.Row(-1);
    s.grid.FontName(s.identity.font_name);
  });
  // The screen's stored string parameters define its columns before the screen declares
  // them; a multi-row screen's declarations then keep the stored titles and access codes.
  if (!s.exchange.string_param.empty()) {
    SkipStep([&] { sbSetStringParam(false, s.exchange.string_param); });
  }
  if (!s.flags.is_clear_header_info &&
      !((mode == "save" || mode == "cut" || mode == "query") && !fresh)) {
    RestoreComboLists(s);
  }
  sbSetSheetInfo();
}

}  // namespace zel
