#include "columns/access_code.h"

namespace zel::internal {

bool HasCode(std::string_view access_key, std::string_view code) noexcept {
  return !code.empty() && access_key.find(code) != std::string_view::npos;
}

ColumnAccess EvaluateColumnAccess(std::string_view access_key, bool is_hidden,
                                  bool layout_restored) noexcept {
  ColumnAccess a;
  a.lock = HasCode(access_key, kCodeDisplayOnly) && !HasCode(access_key, kCodeEditable);
  a.code_help_back = HasCode(access_key, kCodeCodeHelp);
  a.must_input_header = HasCode(access_key, kCodeNotNull) || HasCode(access_key, kCodeKey);
  // Before the user's arrangement is applied the screen's "HID" decides; afterwards the
  // user's own hidden columns are in place and only the system code may still hide.
  a.hide = (is_hidden || !layout_restored) ? HasCode(access_key, kCodeHidden)
                                           : HasCode(access_key, kCodeSystemHidden);
  return a;
}

std::string ExtendAccessKey(std::string_view access_key, int16_t form_read_class,
                            int16_t read_class, int16_t form_write_class,
                            int16_t write_class) {
  std::string key(access_key);
  if (form_read_class > read_class) key += "SHID;";
  if (form_write_class > write_class) key += "SDIS;";
  return key;
}

FieldAccess EvaluateFieldAccess(std::string_view access_key) noexcept {
  FieldAccess a;
  if (access_key.empty()) return a;
  a.applies = true;
  if (HasCode(access_key, kCodeDisplayOnly)) {
    a.lock = true;
    a.paint = FieldAccess::Paint::kLocked;
  } else if (HasCode(access_key, kCodeCodeHelp)) {
    a.paint = FieldAccess::Paint::kCodeHelp;
  } else {
    a.paint = FieldAccess::Paint::kNormal;
  }
  a.unlock = HasCode(access_key, kCodeEditable);
  return a;
}

}  // namespace zel::internal
