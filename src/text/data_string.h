// The data string: the plain-text table in which query results reach the sheet and rows
// leave it.
//
// Grammar
//   data   := row*  tail
//   row    := piece "~I~"
//   piece  := (field "~,")* last
//   field, last, tail := any text without "~," or "~I~" (line breaks, NUL, any bytes)
//
// There is no quoting and no escaping: readers split on the separators by plain substring
// search, rows first. Only pieces followed by "~I~" are rows; the tail after the last "~I~"
// is dropped, so a string that lacks its final "~I~" loses its last row. A piece splits
// into its "~,"-terminated fields and the text after the last "~," (`last`), exactly as a
// split at "~," does: the piece "a~,b~," gives the three elements a, b and "" (a well-formed
// row of n fields therefore has n + 1 elements; element n + 1 is where a colour code rides).
//
// Worked example: "a1~,a2~,~I~b1~,b2~,~I~x" holds two rows. Row 1's elements are a1, a2 and
// ""; row 2's are b1, b2 and "". "x" is not a row.
//
// Numbers use "." as decimal point and no group separators; dates are "yyyymmdd" (dashes are
// tolerated and dropped), year-months "yyyymm": a field's conversion to and from the grid's
// text is its column's (columns/cell_conversions.h).
//
// Everything here is pure text work on views of the caller's string: nothing allocates per
// field, and no input can make a reader step outside the string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zel::internal {

inline constexpr std::string_view kFieldSeparator = "~,";
inline constexpr std::string_view kRowSeparator = "~I~";

// Number of rows in `data`: the "~I~" separators, counted left to right without overlap.
size_t CountDataRows(std::string_view data) noexcept;

// Walks a data string row by row and, inside a row, element by element, in one pass over the
// text: NextRow finds the row's end and notes where its "~," separators are, so the
// elements are handed out without reading the text again. Usage:
//   DataStringReader reader(text);
//   while (reader.NextRow()) {
//     std::string_view element;
//     while (reader.NextElement(element)) { ... }
//   }
// Elements may be left unread: NextRow moves on to the next row regardless. The views
// point into the caller's text, which must outlive them.
class DataStringReader {
 public:
  explicit DataStringReader(std::string_view data) noexcept : data_(data) {}

  // Moves to the next row. False when no "~I~" follows (the tail is not a row).
  bool NextRow();
  // The next element of the current row: its "~,"-terminated fields, then the text after
  // the last "~,". False once the row is exhausted (and before the first NextRow).
  bool NextElement(std::string_view& element) noexcept {
    if (!in_row_ || element_ > field_ends_.size()) return false;
    const size_t begin = element_ == 0 ? row_begin_ : field_ends_[element_ - 1] + 2;
    const size_t end = element_ < field_ends_.size() ? field_ends_[element_] : row_end_;
    element = data_.substr(begin, end - begin);
    ++element_;
    return true;
  }
  // Number of elements of the current row (its "~," separators plus one).
  size_t ElementCount() const noexcept { return in_row_ ? field_ends_.size() + 1 : 0; }

 private:
  std::string_view data_;
  size_t next_row_ = 0;             // where the next row starts
  size_t row_begin_ = 0, row_end_ = 0;  // the current row's piece (without "~I~")
  std::vector<size_t> field_ends_;  // where each "~," of the current row starts
  size_t element_ = 0;              // index of the next element to hand out
  bool in_row_ = false;
};

// The elements of one row piece (a split at "~,"), as views into `piece`.
std::vector<std::string_view> SplitElements(std::string_view piece);

// A data string as a two-dimensional table indexed [column][row], as GetStringToArray hands
// it out. Dimensions are 0..max_cols and 0..max_rows; index 0 of both stays empty.
struct StringTable {
  int32_t max_cols = 0;  // "~," separators of the first row
  int32_t max_rows = 0;  // "~I~" separators of the text
  std::vector<std::vector<std::string>> cells;
};
// Splits `data` into a StringTable: cell (c, r) holds field c of row r for the fields that
// a "~," terminates; a row with more fields than the first loses the surplus, a row with
// fewer leaves its remaining cells empty. `data` must not be blank (the caller checks).
StringTable SplitToTable(std::string_view data);

}  // namespace zel::internal
