// The text shapes built on the data string (text/data_string.h): the query result text and the
// matrix text. Each is a few sections, and each section is data string lines; this reader cuts
// the sections and the lines that have a fixed meaning, and hands the data rows on to the one
// DataStringReader, so the rows of every shape are read by the same code as Display's.
//
// Sections are cut first, by plain substring search for their separator; a missing section
// is empty. Inside a section, lines are cut at "~I~" and fields at "~," as in the data string;
// "field k" below counts from 1 for the query text and from 0 for the matrix text, as the
// server's programs number them.
//
// Query result text
//   query   := header SEP data [SEP rest]    SEP = "<~I~>"; "|~|" for a record-set text
//   header  := line0 ["~I~" codes ["~I~" ...]]
//   codes   := code_1 "~," ... code_n "~," fore "~," back "~," ...
//   data    := names ["~I~" row*] tail        rows and tail as in the data string
//   names   := name_1 "~," ... name_n "~," ...
// line0 is not read. code_k is column k's role code (trimmed), fore and back the total row's
// text and back colours ("RRR,GGG,BBB": digits at characters 1-3, 5-7, 9-11; empty: none).
// name_k is column k's field name. A "~I~" inside "<~I~>" is part of the section separator,
// never a line separator, because sections are cut first.
//
// Worked example (n = 4): the header "Q~I~~,T~,TOTAL~,~,000,000,255~,255,255,192~,~I~" gives
// the codes "", "T", "TOTAL", "" and the colours 000,000,255 and 255,255,192; with
// "<~I~>Qty~,Item~,Name~,~,~I~1~,5~,a~,~,~I~2~,7~,b~,~,~I~" the names are Qty, Item, Name, ""
// and the two rows 1, 5, a, "" and 2, 7, b, "".
//
// Matrix text
//   matrix  := keys "|~|" rows "|~|" values
//   keys    := (title "~," type "~," length "~," decimals "~," back "~," fore ...  "~I~")*
//   rows    := (total "~," value_1 "~," value_2 ... "~I~")*
//   values  := (total "~," title ["~," type "~," length "~," decimals "~," back "~," fore
//               "~," extra] "~I~")*
// One keys line per key column (type "F": a float column of `decimals` places, else a text
// column of `length` characters), one rows line per sheet row (field 0 the row's total,
// field k the value of sheet column k), one values line per value column (field 0 its
// total, field 1 its title; a line of exactly eight fields also carries type, length,
// decimals and colours as a keys line does).
//
// Worked example: "Region~,C~,10~,0~,~,~,~I~|~|30~,East~,10~,20~,~I~|~|10~,Jan~,~I~20~,Feb~,~I~"
// has one key column "Region", one row (total 30; column 1 East, columns 2 and 3 10 and 20)
// and two value columns Jan and Feb with the totals 10 and 20.
//
// Everything here is views of the caller's text: nothing is copied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "zelsheet/types.h"

namespace zel::internal {

inline constexpr std::string_view kQuerySectionSeparator = "<~I~>";
inline constexpr std::string_view kRecordSetSectionSeparator = "|~|";
inline constexpr std::string_view kMatrixSectionSeparator = "|~|";

// Section `index` (from 0) of `text` cut at `separator`; empty when the text has fewer.
std::string_view Section(std::string_view text, std::string_view separator, size_t index);

// Line `index` (from 0) of a section cut at "~I~", terminated or not; empty when missing.
std::string_view Line(std::string_view section, size_t index);

// The text after the first "~I~" of a section: its data rows when line 0 is a header line.
// Empty when the section has no "~I~".
std::string_view AfterFirstLine(std::string_view section);

// A query result text cut into its parts.
struct QueryText {
  std::vector<std::string_view> codes;  // elements of the code line (code_k at k - 1)
  std::vector<std::string_view> names;  // elements of the name line (name_k at k - 1)
  std::string_view rows;                // the data section after the name line
  size_t data_separators = 0;           // "~I~" in the data section (name line included)
};
QueryText ReadQueryText(std::string_view text, bool record_set);

// A matrix text cut into its sections; each is data string lines.
struct MatrixText {
  std::string_view keys, rows, values;
};
MatrixText ReadMatrixText(std::string_view text);

// Field `k` (from 0) of `elements`, empty when missing.
inline std::string_view FieldAt(const std::vector<std::string_view>& elements, size_t k) {
  return k < elements.size() ? elements[k] : std::string_view();
}

// A colour field of the query text: nullopt when blank; else three three-digit decimal
// numbers at characters 1-3, 5-7 and 9-11 (characters 4 and 8 are not read), each 0-255.
// Throws std::invalid_argument when the field is shorter than 11 characters or a number is
// not three digits.
std::optional<Color> FixedColorField(std::string_view field);

}  // namespace zel::internal
