// Declaring columns: AddItem and SetItem.
//
// AddItem is the one member a screen calls for every column, often dozens of times in a
// row while the screen opens, so it must never stop half-way: each single write (the header
// text, every entry of the column model, every format setting, the access code) runs on its
// own, and one that fails shows a critical message box saying which write failed and why,
// then the next write runs. A column declared beyond the model therefore still gets its
// header text, and its format and access code where its grid column exists.
#include <functional>
#include <string>
#include <string_view>

#include "columns/access_code.h"
#include "columns/internal/cell_format.h"
#include "columns/internal/format_apply.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

constexpr std::string_view kAddItemTitle = "[AddItem]";

std::string WithoutTabs(std::string_view s) { return text::Replace(s, "\t", ""); }

}  // namespace

int32_t ZelSheet::AddItem(const std::string& strFileName, const std::string& strTitle,
                          int16_t enuCellType, int32_t&& lngCol, int16_t intMaxLength,
                          int16_t intDecLength, const std::string& strAccessKey,
                          const std::string& strDefault, const std::string& strMaskAndString,
                          int16_t intReadclass, int16_t intWriteclass, int32_t lngRow,
                          bool IsSetStyle) {
  int32_t& col = lngCol;
  return AddItem(strFileName, strTitle, enuCellType, col, intMaxLength, intDecLength,
                 strAccessKey, strDefault, strMaskAndString, intReadclass, intWriteclass,
                 lngRow, IsSetStyle);
}

void ZelSheet::SetItem(const std::string& strFileName, const std::string& strTitle,
                       int16_t enuCellType, int32_t lngCol, int16_t intMaxLength,
                       int16_t intDecLength, const std::string& strAccessKey,
                       const std::string& strDefault, const std::string& strMaskAndString,
                       int16_t intReadclass, int16_t intWriteclass, int32_t lngRow,
                       bool /*IsSetStyle*/) {
  AddItem(strFileName, strTitle, enuCellType, lngCol, intMaxLength, intDecLength, strAccessKey,
          strDefault, strMaskAndString, intReadclass, intWriteclass, lngRow, true);
}

int32_t ZelSheet::AddItem(const std::string& strFileName, const std::string& strTitle,
                          int16_t enuCellType, int32_t& lngCol, int16_t intMaxLength,
                          int16_t intDecLength, const std::string& strAccessKey,
                          const std::string& strDefault, const std::string& strMaskAndString,
                          int16_t intReadclass, int16_t intWriteclass, int32_t lngRow,
                          bool IsSetStyle) {
  // 1-2. A plain declaration takes the next number; while the sheet is being initialised
  // from stored settings that is all it does.
  if (!IsSetStyle) {
    if (impl_->columns.counter < INT32_MAX) ++impl_->columns.counter;
    lngCol = impl_->columns.counter;
    if (impl_->flags.is_sheet_init) return lngCol;
  }
  const int32_t def_col = lngCol;
  // Every write is a step of its own: a failure shows its box and the next write runs.
  const internal::WriteRunner guard = [&](std::string_view what,
                                          const std::function<void()>& write) {
    internal::ShowFailureBox(impl_->platform, kAddItemTitle,
                             "Column " + std::to_string(def_col) + ", " + std::string(what), write);
  };

  // 3. Where the column stands now.
  int32_t p = def_col;
  guard("display position", [&] { p = ColX(def_col); });

  // 4. Header text, without tabs.
  const std::string title = text::Trim(strTitle);
  guard("header text", [&] { impl_->grid.SetText(p, lngRow, WithoutTabs(title)); });

  // 5. The column model, one entry at a time.
  const std::string access_key =
      internal::ExtendAccessKey(strAccessKey, impl_->columns.form_read_class, intReadclass,
                                impl_->columns.form_write_class, intWriteclass);
  const auto def = [&]() -> ColumnDef& { return impl_->columns.Def(def_col); };
  guard("field name", [&] { def().field_name = WithoutTabs(text::Trim(strFileName)); });
  guard("title", [&] { def().title = title; });
  guard("cell type", [&] { def().cell_type = enuCellType; });
  guard("maximum length", [&] { def().max_length = intMaxLength; });
  guard("decimal length", [&] { def().dec_length = intDecLength; });
  guard("access code", [&] { def().access_key = access_key; });
  guard("default", [&] { def().default_value = strDefault; });
  if (enuCellType != EnFloat) {
    guard("mask", [&] { def().mask = internal::ModelMask(strMaskAndString); });
  }
  guard("read class", [&] { def().read_class = intReadclass; });
  guard("write class", [&] { def().write_class = intWriteclass; });

  // 6. The whole column, unmerged.
  guard("Col", [&] { impl_->grid.Col(p); });
  guard("Row", [&] { impl_->grid.Row(-1); });
  guard("ColMerge", [&] { impl_->grid.ColMerge(kMergeNone); });

  // 7. Cell format by type, when the column is being (re)styled or the sheet formats on
  // definition. A combo keeps the list it was given at runtime unless this is its first
  // declaration on a fresh sheet.
  const bool format_due = IsSetStyle || impl_->settings.format_on_define;
  const bool combo_allowed = !IsSetStyle && impl_->settings.format_on_define;
  if (format_due && (enuCellType != EnCombo || combo_allowed)) {
    internal::ColumnFormatArgs args;
    args.max_length = intMaxLength;
    args.dec_length = intDecLength;
    args.mask_or_list = strMaskAndString;
    args.font_name = impl_->identity.font_name;
    args.built_in_screen = impl_->identity.builtin_screen;
    if (const auto format = internal::ColumnFormat(enuCellType, args)) {
      internal::ApplyCellFormat(impl_->grid, *format, guard);
    }
    if (enuCellType == EnFloat) {
      guard("mask", [&] { def().mask = internal::FloatModelMask(intDecLength); });
    }
  }

  // 8. The access code, also when the format was left alone.
  guard("access code", [&] { SetAccessKey(p, access_key, false); });
  return def_col;
}

}  // namespace zel
