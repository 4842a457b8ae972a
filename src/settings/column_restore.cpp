// Putting the user's column arrangement back (SheetInit and the column restore) and the
// cursor (sbSetSheetInfo).
//
// The stored lists are read defensively: a list longer than the sheet's columns addresses
// nothing more, an item that is no number leaves its column as it is, and a "Serial" that
// is not an order of the stored columns (a number twice, one beyond them, too few) leaves
// the columns in their defined order.
#include <algorithm>
#include <string>

#include "platform/failure.h"
#include "settings/internal/arrangement_text.h"
#include "settings/internal/settings.h"
#include "sheet/registry_values.h"
#include "sheet/sheet_state.h"
#include "sheet/stored_values.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;
using internal::StoredInt;
using internal::StoredNumber;

namespace {

// A first data row stored as 10 high stands for the 10.2 of the default font.
constexpr double kStoredTenRowHeight = 10.2;

// The column restore: order, widths and hidden columns. False when nothing is stored.
bool RestoreColumns(ZelSheet::Impl& s) {
  const int32_t columns = std::min(StoredInt(s.GetSheetSetting("Columns", "0")).value_or(0),
                                   Grid::kMaxColCount);
  if (columns <= 0) return false;
  s.sheet.MaxCols(columns);
  const auto limit = static_cast<size_t>(columns);
  if (auto order = internal::ColumnOrder(s.GetSheetSetting("Serial", "1"), columns)) {
    for (int32_t i = 1; i <= columns; ++i) {
      const int32_t def = (*order)[static_cast<size_t>(i - 1)];
      SkipStep([&] {
        s.grid.SetColItemData(i, def);
        s.columns.display_map.at(static_cast<size_t>(def - 1)) = i;
      });
    }
  }
  const std::string widthList = s.GetSheetSetting("Width", "10");
  const auto widths = internal::ListItems(widthList, limit);
  for (size_t i = 0; i < widths.size(); ++i) {
    SkipStep([&] {
      if (auto w = StoredNumber(widths[i])) s.grid.ColWidth(static_cast<int32_t>(i + 1), *w);
    });
  }
  const std::string hiddenList = s.GetSheetSetting("Hidden", "0");
  const auto hidden = internal::ListItems(hiddenList, limit);
  for (size_t i = 0; i < hidden.size(); ++i) {
    SkipStep([&] {
      const auto col = static_cast<int32_t>(i + 1);
      const int32_t def = s.grid.GetColItemData(col);
      if (s.flags.is_sheet_init && s.columns.HasDef(def) &&
          text::InStr(s.columns.Def(def).access_key, "SHID") > 0) {
        return;
      }
      const std::optional<double> v = StoredNumber(hidden[i]);
      if (!v) return;
      s.grid.Col(col);
      s.grid.ColHidden(*v != 0);
    });
  }
  s.columns.layout_restored = true;
  return true;
}

// The stored layout no longer fits the screen: the grid gets the screen's column count
// with plain cells, and the stored settings go.
void RebuildForNewDefinition(ZelSheet::Impl& s, int32_t cols) {
  SkipStep([&] {
    s.grid.MaxCols(0);
    s.sheet.MaxCols(cols);
  });
  SkipStep([&] {
    s.grid.Col(-1);
    s.grid.Row(-1);
    s.grid.CellType(kCellEdit);
    s.grid.LockCells(false);
    s.grid.ColHidden(false);
  });
  s.columns.layout_restored = false;
  s.sheet.sbSetSheetInfo();
  s.sheet.sbSheetInit();
  s.settings.is_file_load = false;
  s.settings.format_on_define = true;
  s.settings.saves_disabled = false;
}

}  // namespace

bool ZelSheet::SheetInit(int32_t lngMaxCols, const std::string& strRegDate) {
  Impl& s = *impl_;
  // The screen declares its columns anew after this: numbering starts from 1 again.
  s.columns.counter = 0;
  SkipStep([&] {
    const double h = StoredNumber(s.GetSheetSetting("RowHeight", "")).value_or(
        s.grid.FontSize() + 1.2);
    if (h > 0) s.grid.RowHeight(-1, h == 10 ? kStoredTenRowHeight : h);
  });
  SkipStep([&] {
    const double h =
        StoredNumber(s.GetSheetSetting("RowHeight_Header", "")).value_or(s.grid.FontSize() + 5);
    if (h > 0) s.grid.RowHeight(0, h);
  });
  SkipStep([&] {
    s.grid.EditModePermanent(StoredInt(s.GetSheetSetting("EditModePermanent", "0")).value_or(0) != 0);
  });
  std::string storedRegDate;
  SkipStep([&] { storedRegDate = text::Trim(s.GetSheetSetting("RegDate", "")); });
  s.settings.reg_date = strRegDate;

  int32_t stored = -1;
  SkipStep([&] { stored = StoredInt(s.GetSheetSetting("Columns", "-1")).value_or(-1); });
  if (stored == -1) {
    sbSetSheetInfo();
    s.settings.is_file_load = false;
    s.settings.format_on_define = true;
    return false;
  }
  if ((lngMaxCols == stored || lngMaxCols < 1) && strRegDate == storedRegDate) {
    SkipStep([&] { RestoreColumns(s); });
    SkipStep([&] {
      if (StoredInt(s.GetSheetSetting("ID_SheetColor", "0")).value_or(0) == 1) {
        internal::ApplyLineColors(s, true);
      }
    });
    return true;
  }
  SkipStep([&] {
    SettingsStore& store = s.platform.Settings();
    if (store.SectionExists(s.identity.pgm_id, s.identity.sheet_id)) {
      store.DeleteSection(s.identity.pgm_id, s.identity.sheet_id);
    }
  });
  if (!(s.settings.is_file_load && s.settings.format_on_define)) return false;
  RebuildForNewDefinition(s, lngMaxCols);
  return false;
}

void ZelSheet::sbSetSheetInfo() {
  Impl& s = *impl_;
  Grid& g = s.grid;
  if (!s.flags.is_active_cell_top) {
    const int32_t* p = s.settings.point;
    SkipStep([&] {
      g.Col(std::max(p[0], 1));
      g.Row(std::max(p[1], 1));
    });
    SkipStep([&] { g.TopRow(p[2]); });
    SkipStep([&] { g.LeftCol(p[3]); });
    SkipStep([&] { g.Action(kActionActiveCell); });
    SkipStep([&] {
      s.editing.last_entered_col = g.Col();
      s.editing.last_entered_row = g.Row();
    });
  } else if (g.MaxRows() > 0) {
    SkipStep([&] {
      g.TopRow(1);
      g.LeftCol(1);
      ActiveCellTop();
      s.editing.last_entered_col = g.ActiveCol();
      s.editing.last_entered_row = g.ActiveRow();
    });
  }
  s.event_flags.sheet_ready = true;
}

}  // namespace zel
