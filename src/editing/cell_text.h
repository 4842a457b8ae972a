// Conversions between the text a cell shows on the grid and the text the server and the host
// exchange, for the cell types whose two forms differ. Pure text work, tested on its own;
// the sheet's CellText members apply them to a cell (the other direction, outside text to
// grid text, shares its date and mask rules with the data string, exchange/data_string.h).
//
//   type             on the grid                       outside
//   EnDate           31-01-2024 (dd-mm-yyyy)           20240131
//   EnDateYearMonth  01-2024 (mm-yyyy)                 202401
//   EnCombo          Seoul + 50 blanks + 01            01 (the code)
//   EnMask           123-45 (mask ###-##)              12345
//
// Positions count characters, not bytes. Malformed texts never fail: a text too short for a
// position contributes nothing from there on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::internal {

// "dd-mm-yyyy" -> "yyyymmdd": characters 7-10, then 4-5, then 1-2.
std::string DateFromGrid(std::string_view shown);
// "mm-yyyy" -> "yyyymm": characters 4-7, then 1-2.
std::string YearMonthFromGrid(std::string_view shown);

// The value inside a masked text: for each mask position holding a blank, "A", "0" or "#"
// the character at the same position of `shown`; then whatever `shown` has beyond the
// mask's length. "123-45" with "###-##" gives "12345".
std::string UnmaskText(std::string_view shown, std::string_view mask);

// The code of a combo item text: its last `code_length` characters; with code_length 0 the
// part after its last blank (the whole text when it has none). Not trimmed.
std::string_view ComboItemCode(std::string_view item, int32_t code_length);
// The caption of a combo item text: all but its last `code_length` characters; with
// code_length 0 the part before its last blank (the whole text when it has none). Not
// trimmed.
std::string_view ComboItemCaption(std::string_view item, int32_t code_length);

}  // namespace zel::internal
