// The format each cell type gives its cells, as data: which grid cell kind and which cell
// settings. Two tables exist: the one AddItem applies to a whole column of the plain layout,
// and the one the record formatter applies to each field cell of a multi-row record. The
// sheet turns a CellFormat into grid writes (format_apply.h); keeping the tables pure lets
// them be checked without a grid.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "zelsheet/grid.h"

namespace zel::internal {

// Alignment codes of the grid (horizontal 0 left, 1 right, 2 centre; vertical 2 centre).
inline constexpr int32_t kAlignLeft = 0;
inline constexpr int32_t kAlignRight = 1;
inline constexpr int32_t kAlignCenter = 2;

// Character filters: any character, or digits only.
inline constexpr int32_t kFilterAny = 0;
inline constexpr int32_t kFilterDigits = 3;

// A cell format: every setting that is present is written, in the order of the members;
// an absent one keeps the cell's present value. `kind` absent keeps the cell's kind (the
// date types are written as text by Display and keep whatever kind the column has).
struct CellFormat {
  std::optional<int32_t> kind;  // a GridCellKind
  // Float and number cells. A maximum that does not fit a double (10 to a huge length) is
  // kept as infinity here and refused when written.
  std::optional<bool> float_option;
  std::optional<double> float_max;
  std::optional<double> float_min;
  std::optional<int32_t> decimal_places;
  // Combo box cells.
  std::optional<bool> combo_editable;
  std::optional<std::string> combo_list;
  // Check box cells.
  std::optional<bool> check_center;
  std::optional<int32_t> check_option;
  std::optional<std::string> check_text;
  // Button cells.
  std::optional<std::string> button_text;
  // Pattern (masked edit) cells.
  std::optional<std::string> pattern;
  // Static text cells.
  std::optional<bool> static_option;
  // Time cells: the time option and the value the empty cell starts with.
  std::optional<bool> time_option;
  std::optional<std::string> value;
  // Edit settings.
  std::optional<int32_t> max_length;
  std::optional<int32_t> h_align;
  std::optional<int32_t> v_align;
  std::optional<int32_t> char_case;
  std::optional<int32_t> char_filter;
  std::optional<bool> multi_line;
  std::optional<std::string> font_name;
  std::optional<int32_t> font_charset;
  // The cell lock, written last: "locked" columns are locked here and unlocked again by the
  // access code unless it holds "DIS".
  std::optional<bool> lock;
};

// What the column format of a cell type depends on besides the type.
struct ColumnFormatArgs {
  int32_t max_length = 0;       // m
  int32_t dec_length = 0;       // d
  std::string_view mask_or_list;  // s, as declared
  std::string_view font_name;   // the sheet's font for text columns
  bool built_in_screen = false; // text columns are multi-line on built-in screens
};

// The format AddItem gives a whole column of `cell_type`; nullopt for a type without one
// (the column keeps its format).
std::optional<CellFormat> ColumnFormat(int32_t cell_type, const ColumnFormatArgs& args);

// The format of one field cell of a multi-row record (the field's lengths, list and mask);
// alignment is not part of it (the field record's own alignments follow). nullopt for a
// type without one (EnImageButton and unknown values).
std::optional<CellFormat> FieldCellFormat(int32_t cell_type, int32_t max_length,
                                          int32_t dec_length, std::string_view list,
                                          std::string_view mask);

// 10 to the power `exponent` as the float limits use it; infinity when it overflows.
double PowerOfTen(int32_t exponent) noexcept;

// The mask or list as the column model keeps it: every "9" becomes "0".
std::string ModelMask(std::string_view mask_or_list);

// The grid pattern of a mask: every "#" becomes "X" ("###-####" -> "XXX-XXXX").
std::string PatternFromMask(std::string_view mask);

// The number mask the model keeps for a float column: "#." and `dec_length` zeros.
// Throws std::invalid_argument for a negative length.
std::string FloatModelMask(int32_t dec_length);

}  // namespace zel::internal
