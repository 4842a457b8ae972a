// The error list of the last result application as the screen and the user see it, and the
// field-name lookup the result members write returned values through.
#include <string>

#include "text/strings.h"
#include "zelsheet/companion_tools.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

void ZelSheet::ErrorMsgShow() { platform_.MsgBox(validation_.error_msg, vbOKOnly); }

void ZelSheet::ErrorLogShow() {
  // The error list window belongs to the companion tools; without them the entry does
  // nothing, as the user has no other use for it.
  try {
    platform_.Tools().ShowErrorMsg(validation_.error_msg);
  } catch (...) {
  }
}

int32_t ZelSheet::FieldNo(const std::string& strFieldName) const {
  const std::string_view wanted = text::TrimView(strFieldName);
  const int32_t maxCols = grid_.MaxCols();
  for (int32_t i = 1; i <= maxCols; ++i) {
    // Numbers the model does not cover (columns never sized, fields never declared) have
    // no field name and cannot match.
    std::string_view name;
    if (flags_.is_multi_sheet) {
      if (!columns_.HasField(i)) continue;
      name = columns_.Field(i).field_name;
    } else {
      if (!columns_.HasDef(i)) continue;
      name = columns_.Def(i).field_name;
    }
    if (text::TrimView(name) == wanted) return i;
  }
  return -1;
}

}  // namespace zel
