// The screen's info record: the text a screen hands its sheet (stored property "Info") to say
// which program, sheet and user it serves and how it was opened.
//
// Grammar: fields joined by "~,", counted from 1:
//   1 date stamp of the screen definition, as "DATE:" + stamp when it is one
//   2 program id (PgmID)
//   3 a value passed unchanged to the spreadsheet export
//   4 load mode ("INIT", "ControlsUpload", "newpage", ...), trimmed
//   5 language number
//   6 rights text (its eighth character "0" forbids copying and exporting)
//   7 sheet id
//   8 user id
// Example: "DATE:20240105~,PGM001~,X~,INIT~,1~,11111110~,S1~,kim".
//
// Short records are common, and the way they are read is part of the contract: the user id
// is always the last field and the sheet id the last but one, whatever the count; fields 6
// and 7 are read only when there are at least seven. So with six fields the fifth is both
// language and sheet id and there is no rights text; with seven, the sheet id and the user
// id are both the seventh field. A field that does not exist leaves its value unset.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel::internal {

struct InfoRecord {
  std::optional<std::string> date_field;    // field 1 as given
  std::optional<std::string> pgm_id;        // field 2
  std::optional<std::string> export_value;  // field 3
  std::optional<std::string> load_mode;     // field 4, trimmed
  std::optional<int16_t> language;          // field 5 as a number (unset when out of range)
  std::optional<std::string> rights;        // field 6, only with seven fields or more
  std::optional<std::string> sheet_id;      // last but one, then field 7 when present
  std::optional<std::string> user_id;       // last field
  int32_t field_count = 0;                  // 0 for an empty text
};

// Splits `info` as described above. Never throws: a field that cannot be read stays unset.
InfoRecord SplitInfo(std::string_view info);

// The date stamp carried by field 1: the text after "DATE:" (case-sensitive), or nothing
// when the field does not begin with that prefix.
std::optional<std::string> DateStampOf(std::string_view dateField);

// True when the rights text forbids copying and exporting: its eighth character is "0".
bool RightsForbidCopy(std::string_view rights);

}  // namespace zel::internal
