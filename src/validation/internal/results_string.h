// The save results string: the server's answer to a save, and the error list built from it.
//
// Grammar (a data string: no quoting, no escaping)
//
//   results    := header-row result-row* [ "~I~" ]
//   header-row := field* "~I~"
//   result-row := field* "~I~"             (the last one may lack its "~I~", see below)
//   field      := text "~,"                 (every field, the last one included, ends in "~,")
//
// Splitting a row at "~," therefore leaves an empty last piece. Header fields 0 and 1 are
// not read; header field i (i >= 2) names the sheet column (by field name) that receives
// field i of every result row. In a result row, field 0 is the result code ("OK" in any
// letter case, blanks around it allowed, means saved), field 1 the message explaining a
// failure, fields 2 on the returned values (new keys, serial numbers).
//
// The two readers disagree on the end of the string, and screens are written for the one
// they call:
//   * MessageCheckSaveSheet takes the string as ending in "~I~": the piece after the last
//     "~I~" is not a row. A string without the final "~I~" loses its last result row.
//   * MessageCheckSave takes every piece after the header as a result row: its string
//     carries no final "~I~".
//
// Worked example. The sheet sent three pending rows (top to bottom: sheet rows 2, 4, 5);
// the server saved the first and last and refused the middle one:
//
//   WorkingTag~,~,CustCode~,Serial~,~I~OK~,~,C10~,7~,~I~ERR~,duplicate code~,~,~,~I~ok~,~,C11~,8~,~I~
//
//   piece 0  header: names CustCode (index 2) and Serial (index 3)
//   piece 1  row 2: saved; CustCode "C10", Serial "7"
//   piece 2  row 4: failed with "duplicate code"
//   piece 3  row 5: saved ("ok" counts); CustCode "C11", Serial "8"
//   piece 4  "" (after the final "~I~"; no row)
//
// The error list (ErrorMsg) gets one line per failed row, newest in front, in the same
// grammar. MessageCheckSaveSheet writes two fields per line, MessageCheckSave three:
//
//   4~, ◇ duplicate code ◆ 자료를 확인하십시오.~,~I~      (MessageCheckSaveSheet)
//   4~, duplicate code~,ERR~,~I~                          (MessageCheckSave)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zel::internal {

inline constexpr std::string_view kRowSeparator = "~I~";
inline constexpr std::string_view kFieldSeparator = "~,";

// The results string cut into rows (piece 0 the header) and each row into fields on demand.
// Out-of-range access throws SubscriptError naming the missing piece: the save-result
// members show that text in their failure box.
class ResultsString {
 public:
  explicit ResultsString(std::string_view results);

  // Number of pieces split at "~I~" (header included; the empty piece after a final
  // "~I~" included).
  int32_t PieceCount() const { return static_cast<int32_t>(rows_.size()); }
  // Index of the last piece (PieceCount() - 1).
  int32_t LastIndex() const { return PieceCount() - 1; }
  // The fields of piece `index`, split at "~,". Throws SubscriptError when there is no such
  // piece.
  std::vector<std::string> Fields(int32_t index) const;
  // The header's field names for indexes 2 to its last index minus 1, in order (the names
  // of the returned values; the empty piece after the last "~," is not a name).
  std::vector<std::string> ValueNames() const;

 private:
  std::vector<std::string> rows_;
};

// Field `index` of a split row. Throws SubscriptError ("result row 3 has no field 1") when
// the row is too short; `rowIndex` only names the row in that text.
const std::string& ResultField(const std::vector<std::string>& fields, int32_t index,
                               int32_t rowIndex);

// True when a result code means saved: trimmed of blanks and upper-cased it is "OK".
bool IsSavedCode(std::string_view code);

// The error-list line of MessageCheckSaveSheet for sheet row (or record) `number`:
// number "~," " ◇ " message " ◆ 자료를 확인하십시오." "~," "~I~".
std::string ResultsErrorLine(int32_t number, std::string_view message);

// The error-list line of MessageCheckSave for sheet row `row`:
// row "~, " message "~," code "~," "~I~".
std::string CheckSaveErrorLine(int32_t row, std::string_view message, std::string_view code);

// The error list as a walk builds it: lines added in walk order, the newest in front of
// the text. Joined once at the end, so a walk over many failed rows stays linear.
class ErrorListBuilder {
 public:
  void Add(std::string line) { lines_.push_back(std::move(line)); }
  // The lines, newest first.
  std::string Text() const;

 private:
  std::vector<std::string> lines_;
};

// The summary text shown after a result application: `text` with every "@1" replaced by
// `count` in decimal (a text without "@1" is shown unchanged).
std::string ErrorSummaryText(std::string_view text, int32_t count);

}  // namespace zel::internal
