// Loading and saving the stored properties of the host's form.
//
// Loading runs every step even when an earlier one failed: a missing Info field, an absent
// machine value or a damaged setting leaves its value at the default and the sheet is still
// built. The order matters: the Info split decides the settings section, the program update
// may discard the settings that the later steps read, and the load mode settles before
// the sheet is built from it.
#include <string>

#include "platform/failure.h"
#include "sheet/info_record.h"
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
using internal::ParseBoolText;
using internal::ParseInt16Text;
using internal::ParseInt32Text;
using internal::SkipStep;

namespace {

constexpr int32_t kDefaultMaxCols = 50;

// One colour of the record and the stored key it is read from.
struct ColorKey {
  const char* key;
  Color TypeSheetColor::*field;
};

// Read at loading, never written back: the colours belong to the form's design.
// "COLOR_HeaderColMustInputFgColor" fills two fields, "COLOR_BACKCOLOR" and
// "COLOR_FORECOLOR" are copied into the locked-cell colours after reading.
constexpr ColorKey kColorKeys[] = {
    {"COLOR_BorderColor", &TypeSheetColor::border_color},
    {"COLOR_CodeHelp", &TypeSheetColor::code_help},
    {"COLOR_HeaderColMustInputFgColor", &TypeSheetColor::not_null},
    {"COLOR_HeaderColMustInputFgColor", &TypeSheetColor::header_col_must_input_fg_color},
    {"COLOR_GridColor", &TypeSheetColor::grid_color},
    {"COLOR_GrayAreaBackColor", &TypeSheetColor::gray_area_back_color},
    {"COLOR_BACKCOLOR", &TypeSheetColor::back_color},
    {"COLOR_FORECOLOR", &TypeSheetColor::fore_color},
    {"COLOR_HeaderColBgColor", &TypeSheetColor::header_col_bg_color},
    {"COLOR_HeaderColFgColor", &TypeSheetColor::header_col_fg_color},
    {"COLOR_HeaderRowBgColor", &TypeSheetColor::header_row_bg_color},
    {"COLOR_HeaderRowFgColor", &TypeSheetColor::header_row_fg_color},
};

// Reads a Boolean key into `field`; a value that is not a Boolean leaves it.
void ReadBool(const PropertyBag& bag, const char* key, bool& field) {
  SkipStep([&] {
    if (auto v = ParseBoolText(bag.ReadProperty(key, BoolText(field)))) field = *v;
  });
}

void ReadStoredProperties(ZelSheet::Impl& s, const PropertyBag& bag, int32_t& maxCols) {
  SkipStep([&] {
    if (auto v = ParseInt16Text(bag.ReadProperty("Appearance", "0"))) s.flags.appearance = *v;
  });
  SkipStep([&] { s.identity.info = bag.ReadProperty("Info", ""); });
  ReadBool(bag, "IsMulti", s.exchange.is_multi);
  ReadBool(bag, "IsClearHeaderInfo", s.flags.is_clear_header_info);
  ReadBool(bag, "IsClear", s.flags.is_clear);
  SkipStep([&] { s.editing.server_date = bag.ReadProperty("ServerDate", ""); });
  ReadBool(bag, "IsSaveToFileDataOnly", s.flags.is_save_to_file_data_only);
  SkipStep([&] { s.exchange.string_param = text::Trim(bag.ReadProperty("StringParam", "")); });
  // The column count is read as a number: its leading numeric part.
  SkipStep([&] { maxCols = text::CLng(text::Val(bag.ReadProperty("MaxCols", "50"))); });
  for (const ColorKey& k : kColorKeys) {
    SkipStep([&] {
      Color& field = s.settings.colors.*k.field;
      if (auto v = ParseInt32Text(bag.ReadProperty(k.key, std::to_string(field)))) field = *v;
    });
  }
}

void TakeInfoFields(ZelSheet::Impl& s) {
  const internal::InfoRecord rec = internal::SplitInfo(s.identity.info);
  if (rec.date_field) {
    s.identity.date_stamp = internal::DateStampOf(*rec.date_field).value_or("");
  }
  if (rec.pgm_id) s.identity.pgm_id = *rec.pgm_id;
  if (rec.export_value) s.identity.export_value = *rec.export_value;
  if (rec.load_mode) s.identity.load_mode = *rec.load_mode;
  if (rec.language) s.identity.language = *rec.language;
  if (rec.rights) {
    s.identity.rights = *rec.rights;
    if (internal::RightsForbidCopy(*rec.rights)) {
      s.tools.copy_enabled = false;
      s.tools.send_to_excel_enabled = false;
    }
  }
  if (rec.sheet_id) s.identity.sheet_id = *rec.sheet_id;
  if (rec.user_id) s.identity.user_id = *rec.user_id;
}

void ReadOsLanguageAndFont(ZelSheet::Impl& s) {
  const std::string os =
      internal::ReadClientValue(s.platform.Client(), kApplication, "OSLanguage", "0");
  SkipStep([&] { s.identity.os_language = text::CInt(text::Val(os)); });
  s.identity.font_name =
      internal::ReadMachineValue(s.platform.Machine(), std::string(kApplication) + "\\FONT",
                                 "Name_" + std::to_string(s.identity.os_language), "Tahoma");
}

void ApplyProgramUpdate(ZelSheet::Impl& s) {
  const internal::InfoRecord rec = internal::SplitInfo(s.identity.info);
  if (!rec.date_field || !internal::DateStampOf(*rec.date_field)) return;
  const std::string stored = s.platform.Settings().GetSetting(kApplication, s.identity.update_key,
                                                              "PgmInfoUpdateTime", "");
  if (stored == s.identity.date_stamp || s.identity.language == 0 ||
      s.identity.load_mode != "INIT") {
    return;
  }
  // The screen's definition changed on the server: the user's stored arrangement and layout
  // file no longer fit it. No stamp stored (a user's first opening) counts as changed too.
  SkipStep([&] { s.sheet.sbSheetInit(); });
  s.platform.Settings().SaveSetting(kApplication, s.identity.update_key, "PgmInfoUpdateTime",
                                    s.identity.date_stamp);
}

void ReadUserSwitches(ZelSheet::Impl& s) {
  SkipStep([&] {
    if (auto v = ParseBoolText(s.GetSheetSetting("m_IsDataAdd", "False"))) {
      s.editing.is_data_add = *v;
      s.tools.data_add_checked = *v;
    }
  });
  const std::pair<const char*, int32_t ZelSheet::Impl::SheetFlags::*> keys[] = {
      {"gSelectSheet", &ZelSheet::Impl::SheetFlags::g_select_sheet},
      {"gCheckCol", &ZelSheet::Impl::SheetFlags::g_check_col},
      {"gSelectCol", &ZelSheet::Impl::SheetFlags::g_select_col},
      {"gDisCol", &ZelSheet::Impl::SheetFlags::g_dis_col},
  };
  for (const auto& entry : keys) {
    SkipStep([&] {
      if (auto v = ParseInt32Text(s.GetSheetSetting(entry.first, "-1"))) s.flags.*entry.second = *v;
    });
  }
}

void SettleLoadMode(ZelSheet::Impl& s) {
  std::string& mode = s.identity.load_mode;
  if (mode == "ControlsUpload" || mode.empty()) mode = "INIT";
  SkipStep([&] {
    if (s.exchange.string_param.empty() && mode != "INIT") {
      s.exchange.string_param = s.GetSheetSetting("StringParam", "");
    }
  });
  SkipStep([&] {
    if (mode == "INIT") s.SaveSheetSetting("StringParam", s.exchange.string_param);
  });
}

void DetectBuiltinScreen(ZelSheet::Impl& s) {
  s.identity.builtin_screen = text::StartsWithNoCase(s.identity.pgm_id, "zel");
  if (!s.identity.builtin_screen) return;
  SkipStep([&] { s.grid.MaxRows(0); });
  s.flags.is_no_row_header_change = true;
  s.flags.is_data_display = true;
}

}  // namespace

void ZelSheet::ReadProperties(const PropertyBag& bag) {
  int32_t maxCols = kDefaultMaxCols;
  ReadStoredProperties(*impl_, bag, maxCols);
  SkipStep([&] {
    impl_->settings.colors.lock_back_color = impl_->settings.colors.back_color;
    impl_->settings.colors.lock_fore_color = impl_->settings.colors.fore_color;
  });
  SkipStep([&] { TakeInfoFields(*impl_); });
  SkipStep([&] {
    if (text::TrimView(impl_->identity.info).empty()) {
      impl_->identity.pgm_id = bag.ReadProperty("PgmID", "");
    }
  });
  SkipStep([&] { ReadOsLanguageAndFont(*impl_); });
  SkipStep([&] {
    impl_->identity.settings_section = impl_->identity.pgm_id + "\\" + impl_->identity.sheet_id;
    impl_->identity.update_key = impl_->identity.pgm_id + "." + impl_->identity.sheet_id;
  });
  SkipStep([&] { ApplyProgramUpdate(*impl_); });
  SkipStep([&] { ReadUserSwitches(*impl_); });
  SkipStep([&] { internal::LoadMessageTable(*impl_); });
  SkipStep([&] { SettleLoadMode(*impl_); });
  SkipStep([&] { DetectBuiltinScreen(*impl_); });
  SkipStep([&] { SetSheetDeg(maxCols); });
  SkipStep([&] { SetHeaderColorMult(); });
  SkipStep([&] { impl_->platform.Mouse().ControlPointer(vbDefault); });
  SkipStep([&] { impl_->platform.Mouse().ScreenPointer(vbDefault); });
}

void ZelSheet::WriteProperties(PropertyBag& bag) const {
  const std::pair<const char*, std::string> values[] = {
      {"Appearance", std::to_string(impl_->flags.appearance)},
      {"Info", impl_->identity.info},
      {"SheetID", impl_->identity.sheet_id},
      {"IsClearHeaderInfo", BoolText(impl_->flags.is_clear_header_info)},
      {"IsClear", BoolText(impl_->flags.is_clear)},
      {"ServerDate", impl_->editing.server_date},
      {"IsSaveToFileDataOnly", BoolText(impl_->flags.is_save_to_file_data_only)},
      {"PgmID", impl_->identity.pgm_id},
  };
  for (const auto& entry : values) {
    SkipStep([&] { bag.WriteProperty(entry.first, entry.second); });
  }
}

}  // namespace zel
