// The error list of the last result application as the screen and the user see it, and the
// field-name lookup the result members write returned values through.
#include <string>

#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/strings.h"
#include "zelsheet/companion_tools.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

void ZelSheet::ErrorMsgShow() { impl_->platform.MsgBox(impl_->validation.error_msg, vbOKOnly); }

void ZelSheet::ErrorLogShow() {
  // The error list window belongs to the companion tools; without them the entry does
  // nothing, as the user has no other use for it.
  internal::EndQuietly([&] { impl_->platform.Tools().ShowErrorMsg(impl_->validation.error_msg); });
}

int32_t ZelSheet::FieldNo(const std::string& strFieldName) const {
  const std::string_view wanted = text::TrimView(strFieldName);
  const int32_t maxCols = impl_->grid.MaxCols();
  for (int32_t i = 1; i <= maxCols; ++i) {
    // Numbers the model does not cover (columns never sized, fields never declared) have
    // no field name and cannot match.
    std::string_view name;
    if (impl_->flags.is_multi_sheet) {
      if (!impl_->columns.HasField(i)) continue;
      name = impl_->columns.Field(i).field_name;
    } else {
      if (!impl_->columns.HasDef(i)) continue;
      name = impl_->columns.Def(i).field_name;
    }
    if (text::TrimView(name) == wanted) return i;
  }
  return -1;
}

int32_t ZelSheet::ErrorCount() const { return impl_->validation.error_count; }
std::string ZelSheet::ErrorMsg() const { return impl_->validation.error_msg; }

}  // namespace zel
