// Loading and saving the stored properties of the host's form.
//
// Loading runs every step even when an earlier one failed: a missing Info field, an absent
// machine value or a damaged setting leaves its value at the default and the sheet is still
// built. The order matters: the Info split decides the settings section, the program update
// may discard the settings that the later steps read, and the load mode settles before
// the sheet is built from it.
#include <string>

#include "sheet/info_record.h"
#include "sheet/registry_values.h"
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
using internal::RunStep;

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
  RunStep([&] {
    if (auto v = ParseBoolText(bag.ReadProperty(key, BoolText(field)))) field = *v;
  });
}

bool StartsWithNoCase(const std::string& s, std::string_view prefix) {
  return text::LCase(text::LeftView(s, text::Len(prefix))) == prefix;
}

}  // namespace

void ZelSheet::ReadProperties(const PropertyBag& bag) {
  int32_t maxCols = kDefaultMaxCols;
  ReadStoredProperties(bag, maxCols);
  RunStep([&] {
    settings_.colors.lock_back_color = settings_.colors.back_color;
    settings_.colors.lock_fore_color = settings_.colors.fore_color;
  });
  RunStep([&] { TakeInfoFields(); });
  RunStep([&] {
    if (text::TrimView(identity_.info).empty()) identity_.pgm_id = bag.ReadProperty("PgmID", "");
  });
  RunStep([&] { ReadOsLanguageAndFont(); });
  RunStep([&] {
    identity_.settings_section = identity_.pgm_id + "\\" + identity_.sheet_id;
    identity_.update_key = identity_.pgm_id + "." + identity_.sheet_id;
  });
  RunStep([&] { ApplyProgramUpdate(); });
  RunStep([&] { ReadUserSwitches(); });
  RunStep([&] { LoadMessageTable(); });
  RunStep([&] { SettleLoadMode(); });
  RunStep([&] { DetectBuiltinScreen(); });
  RunStep([&] { SetSheetDeg(maxCols); });
  RunStep([&] { SetHeaderColorMult(); });
  RunStep([&] { platform_.Mouse().ControlPointer(vbDefault); });
  RunStep([&] { platform_.Mouse().ScreenPointer(vbDefault); });
}

void ZelSheet::ReadStoredProperties(const PropertyBag& bag, int32_t& maxCols) {
  RunStep([&] {
    if (auto v = ParseInt16Text(bag.ReadProperty("Appearance", "0"))) flags_.appearance = *v;
  });
  RunStep([&] { identity_.info = bag.ReadProperty("Info", ""); });
  ReadBool(bag, "IsMulti", exchange_.is_multi);
  ReadBool(bag, "IsClearHeaderInfo", flags_.is_clear_header_info);
  ReadBool(bag, "IsClear", flags_.is_clear);
  RunStep([&] { editing_.server_date = bag.ReadProperty("ServerDate", ""); });
  ReadBool(bag, "IsSaveToFileDataOnly", flags_.is_save_to_file_data_only);
  RunStep([&] { exchange_.string_param = text::Trim(bag.ReadProperty("StringParam", "")); });
  // The column count is read as a number: its leading numeric part.
  RunStep([&] { maxCols = text::CLng(text::Val(bag.ReadProperty("MaxCols", "50"))); });
  for (const ColorKey& k : kColorKeys) {
    RunStep([&] {
      Color& field = settings_.colors.*k.field;
      if (auto v = ParseInt32Text(bag.ReadProperty(k.key, std::to_string(field)))) field = *v;
    });
  }
}

void ZelSheet::TakeInfoFields() {
  const internal::InfoRecord rec = internal::SplitInfo(identity_.info);
  if (rec.date_field) {
    identity_.date_stamp = internal::DateStampOf(*rec.date_field).value_or("");
  }
  if (rec.pgm_id) identity_.pgm_id = *rec.pgm_id;
  if (rec.export_value) identity_.export_value = *rec.export_value;
  if (rec.load_mode) identity_.load_mode = *rec.load_mode;
  if (rec.language) identity_.language = *rec.language;
  if (rec.rights) {
    identity_.rights = *rec.rights;
    if (internal::RightsForbidCopy(*rec.rights)) {
      tools_.copy_enabled = false;
      tools_.send_to_excel_enabled = false;
    }
  }
  if (rec.sheet_id) identity_.sheet_id = *rec.sheet_id;
  if (rec.user_id) identity_.user_id = *rec.user_id;
}

void ZelSheet::ReadOsLanguageAndFont() {
  const std::string os =
      internal::ReadClientValue(platform_.Client(), kApplication, "OSLanguage", "0");
  RunStep([&] { identity_.os_language = text::CInt(text::Val(os)); });
  identity_.font_name =
      internal::ReadMachineValue(platform_.Machine(), std::string(kApplication) + "\\FONT",
                                 "Name_" + std::to_string(identity_.os_language), "Tahoma");
}

void ZelSheet::ApplyProgramUpdate() {
  const internal::InfoRecord rec = internal::SplitInfo(identity_.info);
  if (!rec.date_field || !internal::DateStampOf(*rec.date_field)) return;
  const std::string stored = platform_.Settings().GetSetting(kApplication, identity_.update_key,
                                                             "PgmInfoUpdateTime", "");
  if (stored == identity_.date_stamp || identity_.language == 0 ||
      identity_.load_mode != "INIT") {
    return;
  }
  // The screen's definition changed on the server: the user's stored arrangement no longer
  // fits it.
  RunStep([&] { DiscardStoredSettings(); });
  RunStep([&] {
    platform_.Settings().DeleteSection(kApplication, identity_.settings_section);
  });
  platform_.Settings().SaveSetting(kApplication, identity_.update_key, "PgmInfoUpdateTime",
                                   identity_.date_stamp);
}

void ZelSheet::ReadUserSwitches() {
  RunStep([&] {
    if (auto v = ParseBoolText(GetSheetSetting("m_IsDataAdd", "False"))) {
      editing_.is_data_add = *v;
      tools_.data_add_checked = *v;
    }
  });
  const std::pair<const char*, int32_t SheetFlags::*> keys[] = {
      {"gSelectSheet", &SheetFlags::g_select_sheet},
      {"gCheckCol", &SheetFlags::g_check_col},
      {"gSelectCol", &SheetFlags::g_select_col},
      {"gDisCol", &SheetFlags::g_dis_col},
  };
  for (const auto& [key, field] : keys) {
    RunStep([&] {
      if (auto v = ParseInt32Text(GetSheetSetting(key, "-1"))) flags_.*field = *v;
    });
  }
}

void ZelSheet::SettleLoadMode() {
  std::string& mode = identity_.load_mode;
  if (mode == "ControlsUpload" || mode.empty()) mode = "INIT";
  RunStep([&] {
    if (exchange_.string_param.empty() && mode != "INIT") {
      exchange_.string_param = GetSheetSetting("StringParam", "");
    }
  });
  RunStep([&] {
    if (mode == "INIT") SaveSheetSetting("StringParam", exchange_.string_param);
  });
}

void ZelSheet::DetectBuiltinScreen() {
  identity_.builtin_screen = StartsWithNoCase(identity_.pgm_id, "zel");
  if (!identity_.builtin_screen) return;
  RunStep([&] { grid_.MaxRows(0); });
  flags_.is_no_row_header_change = true;
  flags_.is_data_display = true;
}

void ZelSheet::WriteProperties(PropertyBag& bag) const {
  const std::pair<const char*, std::string> values[] = {
      {"Appearance", std::to_string(flags_.appearance)},
      {"Info", identity_.info},
      {"SheetID", identity_.sheet_id},
      {"IsClearHeaderInfo", BoolText(flags_.is_clear_header_info)},
      {"IsClear", BoolText(flags_.is_clear)},
      {"ServerDate", editing_.server_date},
      {"IsSaveToFileDataOnly", BoolText(flags_.is_save_to_file_data_only)},
      {"PgmID", identity_.pgm_id},
  };
  for (const auto& [key, value] : values) {
    RunStep([&] { bag.WriteProperty(key, value); });
  }
}

}  // namespace zel
