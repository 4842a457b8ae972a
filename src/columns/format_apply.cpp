#include "columns/internal/format_apply.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace zel::internal {
namespace {

double FiniteLimit(double v) {
  if (!std::isfinite(v)) throw std::overflow_error("Overflow: the number limit does not fit");
  return v;
}

}  // namespace

void ApplyCellFormat(Grid& g, const CellFormat& f, const WriteRunner& run) {
  if (f.kind) run("CellType", [&] { g.CellType(static_cast<int16_t>(*f.kind)); });
  if (f.float_option) run("TypeFloatSeparator", [&] { g.TypeFloatSeparator(*f.float_option); });
  if (f.float_max) run("TypeFloatMax", [&] { g.TypeFloatMax(FiniteLimit(*f.float_max)); });
  if (f.float_min) run("TypeFloatMin", [&] { g.TypeFloatMin(FiniteLimit(*f.float_min)); });
  if (f.decimal_places) {
    run("TypeFloatDecimalPlaces", [&] {
      if (*f.decimal_places < INT16_MIN || *f.decimal_places > INT16_MAX) {
        throw std::overflow_error("Overflow: decimal places " + std::to_string(*f.decimal_places));
      }
      g.TypeFloatDecimalPlaces(static_cast<int16_t>(*f.decimal_places));
    });
  }
  if (f.combo_editable) {
    run("TypeComboBoxEditable", [&] { g.TypeComboBoxEditable(*f.combo_editable); });
  }
  if (f.combo_list) run("TypeComboBoxList", [&] { g.TypeComboBoxList(*f.combo_list); });
  if (f.check_center) run("TypeCheckCenter", [&] { g.TypeCheckCenter(*f.check_center); });
  if (f.check_option) {
    run("TypeCheckType", [&] { g.TypeCheckType(static_cast<int16_t>(*f.check_option)); });
  }
  if (f.check_text) run("TypeCheckText", [&] { g.TypeCheckText(*f.check_text); });
  if (f.button_text) run("TypeButtonText", [&] { g.TypeButtonText(*f.button_text); });
  if (f.pattern) run("TypePicMask", [&] { g.TypePicMask(*f.pattern); });
  if (f.static_option) run("TypeTextWordWrap", [&] { g.TypeTextWordWrap(*f.static_option); });
  if (f.time_option) run("TypeTimeSeconds", [&] { g.TypeTimeSeconds(*f.time_option); });
  if (f.value) run("Value", [&] { g.Value(*f.value); });
  if (f.max_length) run("TypeMaxEditLen", [&] { g.TypeMaxEditLen(*f.max_length); });
  if (f.h_align) run("TypeHAlign", [&] { g.TypeHAlign(static_cast<int16_t>(*f.h_align)); });
  if (f.v_align) run("TypeVAlign", [&] { g.TypeVAlign(static_cast<int16_t>(*f.v_align)); });
  if (f.char_case) {
    run("TypeEditCharCase", [&] { g.TypeEditCharCase(static_cast<int16_t>(*f.char_case)); });
  }
  if (f.char_filter) {
    run("TypeEditCharSet", [&] { g.TypeEditCharSet(static_cast<int16_t>(*f.char_filter)); });
  }
  if (f.multi_line) run("TypeEditMultiLine", [&] { g.TypeEditMultiLine(*f.multi_line); });
  if (f.font_name) run("FontName", [&] { g.FontName(*f.font_name); });
  if (f.font_charset) {
    run("FontCharSet", [&] { g.FontCharSet(static_cast<int16_t>(*f.font_charset)); });
  }
  if (f.lock) run("LockCells", [&] { g.LockCells(*f.lock); });
}

void ApplyCellFormat(Grid& grid, const CellFormat& format) {
  ApplyCellFormat(grid, format,
                  [](std::string_view, const std::function<void()>& write) { write(); });
}

}  // namespace zel::internal
