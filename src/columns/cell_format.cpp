#include "columns/internal/cell_format.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "text/strings.h"
#include "zelsheet/types.h"

namespace zel::internal {
namespace {

// The settings every edit-like column shares: length, left alignment, case code 1 and a
// character filter.
CellFormat EditLike(std::optional<int32_t> kind, int32_t max_length, int32_t filter) {
  CellFormat f;
  f.kind = kind;
  f.max_length = max_length;
  f.h_align = kAlignLeft;
  f.char_case = 1;
  f.char_filter = filter;
  return f;
}

// The columns holding part of a date (month, year, year-month, day): edit-like, as long as
// the part, digits only where the part has no separator.
CellFormat DatePartFormat(int32_t cell_type) {
  switch (cell_type) {
    case EnDateyear: return EditLike(std::nullopt, 4, kFilterDigits);
    case EnDateYearMonth: return EditLike(std::nullopt, 7, kFilterAny);
    default: return EditLike(std::nullopt, 2, kFilterDigits);  // month, day
  }
}

void SetFloatRange(CellFormat& f, int32_t max_length, int32_t dec_length) {
  const double limit = PowerOfTen(max_length);
  f.float_option = true;
  f.float_max = limit;
  f.float_min = -limit;
  f.decimal_places = dec_length;
}

}  // namespace

double PowerOfTen(int32_t exponent) noexcept {
  // Exact for every exponent a double can hold; pow() of a negative exponent gives the
  // fractional limit a negative length asks for.
  const double v = std::pow(10.0, static_cast<double>(exponent));
  return std::isfinite(v) ? v : std::numeric_limits<double>::infinity();
}

std::string ModelMask(std::string_view mask_or_list) {
  return text::Replace(mask_or_list, "9", "0");
}

std::string PatternFromMask(std::string_view mask) { return text::Replace(mask, "#", "X"); }

std::string FloatModelMask(int32_t dec_length) {
  if (dec_length < 0) {
    throw std::invalid_argument("decimal length " + std::to_string(dec_length) +
                                " is negative");
  }
  return "#." + std::string(static_cast<size_t>(dec_length), '0');
}

std::optional<CellFormat> ColumnFormat(int32_t cell_type, const ColumnFormatArgs& a) {
  CellFormat f;
  switch (cell_type) {
    case EnText:
      f = EditLike(kCellEdit, a.max_length, kFilterAny);
      f.font_name = std::string(a.font_name);
      if (a.built_in_screen) f.multi_line = true;
      f.lock = true;
      return f;
    case EnFloat:
      f.kind = kCellFloat;
      SetFloatRange(f, a.max_length, a.dec_length);
      f.h_align = kAlignRight;
      f.lock = true;
      return f;
    case EnCombo:
      f.kind = kCellComboBox;
      f.combo_editable = false;
      f.combo_list = std::string(a.mask_or_list);
      f.lock = true;
      return f;
    case EnCheck:
      f.kind = kCellCheckBox;
      f.check_center = true;
      f.check_option = 0;
      f.check_text = std::string(a.mask_or_list);
      f.lock = false;
      return f;
    case EnButton:
    case EnImageButton:
      f.kind = kCellButton;
      f.button_text = std::string(a.mask_or_list);
      f.lock = false;
      return f;
    case EnMask:
      f.kind = kCellPattern;
      f.pattern = PatternFromMask(a.mask_or_list);
      f.h_align = kAlignLeft;
      f.font_charset = 0;
      f.lock = true;
      return f;
    case EnPicture:
      f.kind = kCellPicture;
      f.h_align = kAlignLeft;
      f.lock = false;
      return f;
    case EnTime:
      f = EditLike(kCellEdit, a.max_length, kFilterAny);
      f.font_name = std::string(a.font_name);
      f.lock = true;
      return f;
    case EnDate:
      f = EditLike(std::nullopt, a.max_length, kFilterAny);
      break;
    case EnDateMonth:
    case EnDateyear:
    case EnDateYearMonth:
    case EnDateDay:
      f = DatePartFormat(cell_type);
      break;
    case EnCaption:
      f.kind = kCellStatic;
      f.h_align = kAlignLeft;
      f.static_option = false;
      f.lock = true;
      return f;
    case EnTextMulti:
      f = EditLike(kCellEdit, a.max_length, kFilterAny);
      f.multi_line = true;
      f.lock = true;
      return f;
    default:
      return std::nullopt;
  }
  // The date types: the kind stays, the text settings and character set 0 apply.
  f.font_charset = 0;
  f.lock = true;
  return f;
}

std::optional<CellFormat> FieldCellFormat(int32_t cell_type, int32_t max_length,
                                          int32_t dec_length, std::string_view list,
                                          std::string_view mask) {
  CellFormat f;
  switch (cell_type) {
    case EnText:
      f = EditLike(kCellEdit, max_length, kFilterAny);
      break;
    case EnDate:
      f = EditLike(std::nullopt, max_length, kFilterAny);
      break;
    case EnFloat:
      f.kind = kCellFloat;
      SetFloatRange(f, max_length, dec_length);
      break;
    case EnCombo:
      f.kind = kCellComboBox;
      f.combo_editable = false;
      f.combo_list = std::string(list);
      break;
    case EnCheck:
      f.kind = kCellCheckBox;
      f.check_center = true;
      break;
    case EnButton:
      f.kind = kCellButton;
      break;
    case EnMask:
      f.kind = kCellPattern;
      f.pattern = PatternFromMask(mask);
      break;
    case EnPicture:
      f.kind = kCellPicture;
      break;
    case EnTime:
      f.kind = kCellTime;
      f.value = "000000";
      f.time_option = true;
      break;
    case EnDateMonth:
    case EnDateyear:
    case EnDateYearMonth:
    case EnDateDay:
      f = DatePartFormat(cell_type);
      break;
    case EnCaption:
      f.kind = kCellStatic;
      f.static_option = false;
      break;
    case EnTextMulti:
      f = EditLike(kCellEdit, max_length, kFilterAny);
      f.multi_line = true;
      break;
    default:
      return std::nullopt;
  }
  // Field cells take their alignment from the field record, not from the type.
  f.h_align.reset();
  return f;
}

}  // namespace zel::internal
