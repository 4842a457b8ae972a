// Writing the user's arrangement when the screen closes (SaveTitleInfo and the close-time
// save), and throwing it away (sbSheetInit, the "Initialize" menu entry).
//
// Each save is one write of the settings store: a crash or a second program closing the
// same screen sees the whole arrangement or none of it. SaveTitleInfo writes the layout
// file together with its settings (internal/layout_file.h) and includes the close-time
// keys, so the destruction that follows it has nothing left to write.
#include <string>
#include <utility>
#include <vector>

#include "platform/failure.h"
#include "settings/internal/layout_file.h"
#include "settings/internal/settings.h"
#include "sheet/message_table.h"
#include "sheet/registry_values.h"
#include "sheet/sheet_state.h"
#include "sheet/stored_values.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::BoolText;
using internal::kApplication;
using internal::SkipStep;

namespace {

// Settings gathered for one write.
struct Batch {
  std::vector<std::pair<std::string, std::string>> values;
  void Put(std::string key, std::string value) {
    values.emplace_back(std::move(key), std::move(value));
  }
  void Commit(ZelSheet::Impl& s) const {
    s.platform.Settings().SaveSettings(kApplication, s.identity.settings_section, values);
  }
};

// The close-time keys: column order, widths and hidden columns, row heights, frozen rows
// and columns, the edit-mode choice.
void GatherArrangement(ZelSheet::Impl& s, Batch& b) {
  Grid& g = s.grid;
  const int32_t cols = g.MaxCols();
  std::string serial, width, hidden;
  const int32_t savedCol = g.Col();
  for (int32_t c = 1; c <= cols; ++c) {
    const int32_t def = g.GetColItemData(c);
    const std::string access = s.columns.HasDef(def) ? s.columns.Def(def).access_key : "";
    const bool systemHidden = text::InStr(access, "SHID") > 0;
    g.Col(c);
    const bool isHidden = g.ColHidden();
    const char* sep = c == 1 ? "" : ",";
    serial += sep + std::to_string(def);
    // A hidden column keeps a usable width for the day the user shows it again.
    width += sep + (isHidden && c > 1 ? std::string("10") : text::NumberToText(g.ColWidth(c)));
    // Only columns the user hid are stored as hidden, so a restore never hides a column the
    // screen shows.
    std::string h = isHidden && !systemHidden ? "1" : "0";
    if (c == 1 && isHidden && systemHidden) h = "";
    hidden += sep + h;
  }
  g.Col(savedCol);
  b.Put("Columns", std::to_string(cols));
  b.Put("Serial", serial);
  b.Put("Width", width);
  b.Put("Hidden", hidden);
  if (g.MaxRows() >= 1) {
    const int32_t h = text::CLng(g.RowHeight(1));
    b.Put("RowHeight", std::to_string(h < 1 ? 10 : h));
  }
  b.Put("RowHeight_Header", text::NumberToText(g.RowHeight(0)));
  b.Put("ColsFrozen", std::to_string(g.ColsFrozen()));
  b.Put("RowsFrozen", std::to_string(g.RowsFrozen()));
  b.Put("EditModePermanent", g.EditModePermanent() ? "-1" : "0");
}

// The keys only SaveTitleInfo writes: cursor, size, the host's switches, the merge state,
// the combo lists and header colours.
void GatherTitleInfo(ZelSheet::Impl& s, Batch& b) {
  Grid& g = s.grid;
  SkipStep([&] {
    b.Put("Point", std::to_string(g.ActiveCol()) + "|" + std::to_string(g.ActiveRow()) + "|" +
                       std::to_string(g.TopRow()) + "|" + std::to_string(g.LeftCol()));
  });
  b.Put("Size_Width", std::to_string(s.control.area.width));
  b.Put("Size_Height", std::to_string(s.control.area.height));
  b.Put("m_IsDataAdd", BoolText(s.editing.is_data_add));
  b.Put("gSelectSheet", std::to_string(s.flags.g_select_sheet));
  b.Put("gCheckCol", std::to_string(s.flags.g_check_col));
  b.Put("gSelectCol", std::to_string(s.flags.g_select_col));
  b.Put("gDisCol", std::to_string(s.flags.g_dis_col));
  b.Put("Merge_IsColor", BoolText(s.tools.merge_is_color));
  b.Put("IsColMerge", BoolText(s.tools.is_col_merge));
  for (int32_t i = 0; i < 3; ++i) {
    b.Put("ColMerge" + std::to_string(i + 1), std::to_string(s.tools.col_merge[i]));
  }
  const int32_t savedCol = g.Col(), savedRow = g.Row();
  for (int32_t n = 0; n <= g.MaxCols(); ++n) {
    SkipStep([&] {
      g.Col(n);
      g.Row(-1);
      const int32_t def = n == 0 ? 0 : g.GetColItemData(n);
      if (s.columns.HasDef(def) && s.columns.Def(def).cell_type == EnCombo) {
        b.Put(std::to_string(def) + "ComboBoxList", g.TypeComboBoxList());
      }
    });
    SkipStep([&] {
      g.Col(n);
      g.Row(0);
      b.Put(std::to_string(n) + "ForeColor", std::to_string(g.ForeColor()));
    });
  }
  SkipStep([&] {
    g.Col(savedCol);
    g.Row(savedRow);
  });
}

}  // namespace

namespace internal {

void SaveArrangement(ZelSheet::Impl& s) {
  if (s.settings.saves_disabled) return;
  Batch b;
  GatherArrangement(s, b);
  b.Commit(s);
}

}  // namespace internal

void ZelSheet::Impl::SaveArrangementOnClose() {
  if (!settings.closed) internal::SaveArrangement(*this);
}

void ZelSheet::SaveTitleInfo() {
  Impl& s = *impl_;
  if (s.settings.saves_disabled) return;
  Batch b;
  GatherTitleInfo(s, b);
  SkipStep([&] { b.Put("RegDate", s.settings.reg_date); });
  if (!SkipStep([&] { GatherArrangement(s, b); })) return;
  const auto commit = [&](const std::string& stamp) {
    b.Put(internal::kLayoutStampKey, stamp);
    b.Commit(s);
  };
  std::string path;
  if (SkipStep([&] { path = internal::LayoutPathOf(s); })) {
    SkipStep([&] { internal::SaveLayoutWithSettings(s.grid, path, commit); });
  } else {
    // Names that may not make a file still have their settings: without a layout file.
    SkipStep([&] { commit(""); });
  }
  s.settings.closed = true;
}

void ZelSheet::sbSheetInit() {
  Impl& s = *impl_;
  SettingsStore& store = s.platform.Settings();
  SkipStep([&] {
    // Sheets of older clients kept their settings under the program as application.
    if (store.SectionExists(s.identity.pgm_id, s.identity.sheet_id)) {
      store.DeleteSection(s.identity.pgm_id, s.identity.sheet_id);
    }
  });
  // The section (with the layout file's stamp) goes first: a crash before the file is
  // deleted leaves a file that nothing describes, which the next load ignores.
  SkipStep([&] { store.DeleteSection(kApplication, s.identity.settings_section); });
  SkipStep([&] { internal::RemoveLayoutFiles(internal::LayoutPathOf(s)); });
  // Saving now would write back the arrangement just discarded.
  s.settings.saves_disabled = true;
}

void ZelSheet::mnuSheetInit_Click() {
  sbSheetInit();
  SkipStep([&] {
    impl_->platform.MsgBox(
        internal::MessageEntry(impl_->validation.message_table, internal::kMessageResetNote),
        vbExclamation);
  });
}

}  // namespace zel
